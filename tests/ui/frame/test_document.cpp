// The document as the user drives it: new, save, open, the save prompt, the
// recent-file list, a dropped file, a refused file, a failed save, the
// autosave and its offer at the next start, and the project file named on
// the command line.
#include "core/base/Text.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/base/UiText.h"
#include "ui/frame/MenuTexts.h"
#include "ui/frame/Startup.h"
#include "ui/sheet/CalcSheet.h"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QScopeGuard>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

using Answer = IUiPrompts::Answer;

namespace {

QByteArray Bytes(const std::vector<uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The sizes of a project file: its header and each kind's records.
constexpr int kHeader = 40, kManhole = 1376, kTank = 1992, kGravityFlow = 30096;

}  // namespace

class TestDocument : public QObject, public MainWindowFixture {
    Q_OBJECT

private:
    QString folder;

    void Start(int language = LangEnglish, const QByteArray& file = {})
    {
        app = StartedApp(language);
        frame = std::make_unique<CMainFrame>(*app, *settings);
        frame->StartUp(ReferenceLoadStatus{}, file);
        frame->View()->EndStartupPicture();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    }

    CDalvorDoc& Doc() { return frame->Doc(); }

    // A project file with n records of a kind (tanks unless told),
    // written by a core of its own.
    QString ProjectWithTanks(const QString& name, int n, int kind = KindTank)
    {
        auto other = StartedApp(LangEnglish);
        for (int i = 0; i < n; ++i) {
            CopyBounded(other->working.tank.head.name, u"-");
            other->StoreCurrentCalc(kind, -1);
        }
        const QString path = folder + '/' + name;
        WriteAll(path, Bytes(other->WriteProject()));
        return path;
    }

    QStringList RecentMenuTexts()
    {
        QStringList texts;
        for (QAction* a : frame->menuBar()->actions().first()->menu()->actions())
            if (frame->RecentFileActions().contains(a))
                texts << a->text();
        return texts;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The settings stay in the test's folder across the restarts of a test.
    void init()
    {
        InitWindowTest();
        folder = FreshFolder(QStringLiteral("document"));
        settings = std::make_unique<QSettings>(folder + "/settings.ini", QSettings::IniFormat);
        QDir(CDalvorDoc::AutosaveFolder()).removeRecursively();
    }

    void cleanup()
    {
        CleanupWindowTest();
        CDalvorDoc::autosaveIntervalMs = 5 * 60 * 1000;
    }

    void savePromptOnNewAndClose()
    {
        Start();
        QVERIFY(!Doc().IsModified());
        QCOMPARE(frame->windowTitle(), QStringLiteral("Untitled[*] - Quorlin - Dalvor"));
        app->StoreCurrentCalc(KindManhole, -1);
        QVERIFY(Doc().IsModified());
        QVERIFY(frame->isWindowModified());
        app->working.tank.length = 99.0;

        // Cancel keeps everything.
        prompts->saveAnswers = {Answer::Cancel};
        QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(prompts->questions, QStringList({"Save changes to Untitled?"}));
        QCOMPARE(app->project.Count(ArrayManhole), 1);
        QVERIFY(Doc().IsModified());

        // No: a new, empty project with default records.
        prompts->saveAnswers = {Answer::No};
        frame->Action(ID_FILE_NEW)->trigger();
        for (int a = 0; a < KindArrayCount; ++a) {
            QCOMPARE(app->project.Count(a), 0);
            QCOMPARE(app->project.currentIndex[a], -1);
        }
        QVERIFY(app->working.tank.length != 99.0);
        QVERIFY(!Doc().IsModified());
        QVERIFY(!frame->isWindowModified());
        // An unchanged project is replaced without a question.
        frame->Action(ID_FILE_NEW)->trigger();
        QCOMPARE(prompts->questions.size(), 2);

        // Yes saves first, then replaces; Yes and then no name given
        // replaces nothing.
        app->StoreCurrentCalc(KindManhole, -1);
        prompts->saveAnswers = {Answer::Yes, Answer::Yes};
        prompts->fileNames = {folder + "/kept.qdl"};
        frame->Action(ID_FILE_NEW)->trigger();
        QCOMPARE(ReadAll(folder + "/kept.qdl").size(), kHeader + kManhole);
        QCOMPARE(app->project.Count(ArrayManhole), 0);
        app->StoreCurrentCalc(KindManhole, -1);
        frame->Action(ID_FILE_NEW)->trigger();
        QCOMPARE(app->project.Count(ArrayManhole), 1);
        QVERIFY(Doc().IsModified());

        // Closing asks too: Cancel keeps the window open.
        prompts->saveAnswers = {Answer::Cancel, Answer::No};
        QVERIFY(!frame->close());
        QVERIFY(frame->isVisible());
        QVERIFY(frame->close());
    }

    void saveWritesTheProjectAndOpenReadsItBack()
    {
        Start();
        app->StoreCurrentCalc(KindGravityFlow, -1);
        app->StoreCurrentCalc(KindTank, -1);
        const std::vector<uint8_t> expected = app->WriteProject();
        QCOMPARE(expected.size(), std::size_t(kHeader + kGravityFlow + kTank));

        // Save of an untitled project asks for a name; ".qdl" is added.
        prompts->fileNames = {folder + "/first"};
        QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(prompts->suggestions, QStringList({"Untitled.qdl"}));
        QCOMPARE(prompts->filters, QStringList({"Dalvor Files (*.qdl)"}));
        QCOMPARE(prompts->dialogTitles, QStringList({"Save As"}));
        const QString saved = folder + "/first.qdl";
        QCOMPARE(Doc().PathName(), saved);
        QVERIFY(!Doc().IsModified());
        QCOMPARE(frame->windowTitle(), QStringLiteral("first.qdl[*] - Quorlin - Dalvor"));
        QCOMPARE(ReadAll(saved), Bytes(expected));

        // A later save goes to the same file without asking.
        app->StoreCurrentCalc(KindTank, -1);
        frame->Action(ID_FILE_SAVE)->trigger();
        QCOMPARE(prompts->suggestions.size(), 1);
        QCOMPARE(ReadAll(saved).size(), kHeader + kGravityFlow + 2 * kTank);

        // Open, after the save prompt for the changed project.
        const QString other = ProjectWithTanks("other.qdl", 3);
        app->StoreCurrentCalc(KindManhole, -1);
        prompts->fileNames = {other};
        prompts->saveAnswers = {Answer::No};
        QTest::keyClick(frame.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(prompts->questions.last(), QStringLiteral("Save changes to %1?").arg(saved));
        QCOMPARE(prompts->dialogTitles.last(), QStringLiteral("Open"));
        QCOMPARE(prompts->filters.last(), QStringLiteral("Dalvor Files (*.qdl);;All Files (*)"));
        QCOMPARE(app->project.Count(ArrayTank), 3);
        QCOMPARE(app->project.Count(ArrayManhole), 0);
        QCOMPARE(app->project.Count(ArrayGravityFlow), 0);
        QCOMPARE(app->project.currentIndex[ArrayTank], -1);
        QCOMPARE(Doc().PathName(), other);
        QVERIFY(!Doc().IsModified());
        // The file the user declined to save is as it was.
        QCOMPARE(ReadAll(saved).size(), kHeader + kGravityFlow + 2 * kTank);
    }

    // After New and Open a page that was not the one in use shows its working
    // record as a fresh start shows it, fields, lists, texts and picture, not
    // the pipe or tank its lists showed before.
    void newThenOpenShowsEachPageWhole()
    {
        const struct { int tab, kind, picture; QList<int> lists; } pages[] = {
            {0, KindTank, 1097, {1061}}, {2, KindBuriedPipe, 1255, {1214, 1216, 1218}},
            {3, KindPressureFlow, 1363, {1320, 1322, 1324}}, {4, KindGravityFlow, 1445, {1002, 1004, 1006}}};
        for (const auto& t : pages) {
            frame.reset();
            Start();
            frame->Sheet()->setCurrentIndex(t.tab);
            CCalcPage* page = frame->Sheet()->ActivePage();
            const auto shown = [&] {
                QStringList all;
                for (QWidget* w : page->findChildren<QWidget*>())
                    all << w->objectName() + '=' + w->property(qobject_cast<QComboBox*>(w) ? "currentText" : "text").toString();
                QWidget* picture = page->Control(t.picture);  // drawn at one size, whatever room it has
                const QSize room = picture->size();
                picture->resize(300, 240);
                const QImage image = picture->grab().toImage();
                picture->resize(room);
                return all << QString::number(qHashBits(image.constBits(), image.sizeInBytes()));
            };
            const QStringList fresh = shown();
            for (int id : t.lists) {  // each list's last item
                page->Control(id)->setFocus();
                QTest::keyClick(page->Control(id), Qt::Key_End);
            }
            QVERIFY(shown() != fresh);
            frame->Sheet()->setCurrentIndex(1);
            frame->Action(ID_FILE_NEW)->trigger();
            prompts->fileNames = {ProjectWithTanks("kind.qdl", 2, t.kind)};
            frame->Action(ID_FILE_OPEN)->trigger();
            frame->Sheet()->setCurrentIndex(t.tab);
            QCOMPARE(shown(), fresh);
        }
        QVERIFY(prompts->warnings.isEmpty());
    }

    void savePromptThroughTheRealMessageBox()
    {
        prompts.reset();  // the desktop's own dialogs
        Start();
        app->StoreCurrentCalc(KindManhole, -1);
        WithModal<QMessageBox>([&] { frame->Action(ID_FILE_NEW)->trigger(); }, [](QMessageBox* box) {
            QCOMPARE(box->text(), QStringLiteral("Save changes to Untitled?"));
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(app->project.Count(ArrayManhole), 0);
    }

    void saveAsAsksBeforeReplacingTheFileWithTheExtension()
    {
        prompts.reset();  // the desktop's own dialogs
        Start();
        const QString kept = ProjectWithTanks("kept.qdl", 2);
        const QByteArray before = ReadAll(kept);
        app->StoreCurrentCalc(KindManhole, -1);
        QString suffix;
        QString question;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            suffix = dialog->defaultSuffix();
            // The user types the name of a project there without its extension.
            dialog->setDirectory(folder);
            dialog->selectFile(QStringLiteral("kept"));
            QTimer::singleShot(0, this, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    question = box->text();
                    box->button(QMessageBox::No)->click();
                }
            });
            static_cast<QDialog*>(dialog)->accept();
            dialog->reject();
        });
        QVERIFY(!Doc().OnFileSaveAs());
        QCOMPARE(suffix, QStringLiteral("qdl"));
        QVERIFY2(question.contains(QStringLiteral("kept.qdl")), qPrintable(question));
        QCOMPARE(ReadAll(kept), before);
        QVERIFY(Doc().IsModified());
    }

    void recentFileListKeepsTen()
    {
        Start();
        QVERIFY(frame->RecentFilePlaceholder()->isVisible());
        QVERIFY(!frame->RecentFilePlaceholder()->isEnabled());
        QCOMPARE(frame->RecentFilePlaceholder()->text(), QStringLiteral("Recent File"));
        QStringList files;
        for (int i = 1; i <= 11; ++i) {
            files << ProjectWithTanks(QStringLiteral("p%1.qdl").arg(i), i % 3);
            QVERIFY(Doc().OpenDocumentFile(files.last()));
        }
        // The last ten opened, the latest first.
        QStringList expected = files.mid(1);
        std::reverse(expected.begin(), expected.end());
        QCOMPARE(Doc().RecentFiles(), expected);
        const QStringList menu = RecentMenuTexts();
        QCOMPARE(menu.size(), 10);
        QVERIFY(menu.first().startsWith(QStringLiteral("&1 ")));
        QVERIFY(menu.first().endsWith(QStringLiteral("p11.qdl")));
        QVERIFY(menu.last().startsWith(QStringLiteral("1&0 ")));

        // Choosing an entry opens it and puts it first; the list survives the
        // program.
        frame->RecentFileActions().at(2)->trigger();
        QCOMPARE(Doc().PathName(), files[8]);
        QCOMPARE(app->project.Count(ArrayTank), 9 % 3);
        frame.reset();
        Start();
        QCOMPARE(Doc().RecentFiles().first(), files[8]);
        QCOMPARE(Doc().RecentFiles().size(), 10);

        // An entry whose file has gone is refused and leaves the list.
        QFile::remove(files[10]);
        frame->RecentFileActions().at(Doc().RecentFiles().indexOf(files[10]))->trigger();
        QCOMPARE(prompts->warnings.size(), 1);
        QVERIFY(prompts->warnings.first().startsWith(
            QStringLiteral("The file %1 cannot be opened or read.").arg(files[10])));
        QVERIFY(!Doc().RecentFiles().contains(files[10]));
        QCOMPARE(RecentMenuTexts().size(), 9);
    }

    void droppedFileIsOpened()
    {
        Start();
        const QString dropped = ProjectWithTanks("dropped.qdl", 2);
        app->StoreCurrentCalc(KindManhole, -1);
        prompts->saveAnswers = {Answer::No};
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(dropped), QUrl(QStringLiteral("https://example.org/x.qdl"))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame.get(), &drop);
        QVERIFY(drop.isAccepted());
        // The drop is over before the program asks anything.
        QCOMPARE(prompts->questions.size(), 0);
        QTRY_COMPARE(prompts->questions.size(), 1);
        QCOMPARE(Doc().PathName(), dropped);
        QCOMPARE(app->project.Count(ArrayTank), 2);
        QCOMPARE(app->project.Count(ArrayManhole), 0);

        // Only files are taken.
        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://example.org/x.qdl"))});
        QDragEnterEvent enterWeb(QPoint(5, 5), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame.get(), &enterWeb);
        QVERIFY(!enterWeb.isAccepted());
    }

    void refusedFileLosesNothing_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("short") << int(LangEnglish) << QByteArray(39, '\0')
                               << "is not a Dalvor project: it is shorter than the project header.";
        QByteArray negative(kHeader, '\0');
        negative.replace(12, 4, QByteArray(4, char(0xFF)));
        QTest::newRow("negative") << int(LangEnglish) << negative
                                  << "its header gives a negative number of calculations.";
        QByteArray longer(kHeader + kManhole + 1, '\0');
        longer[12] = 1;
        QTest::newRow("longer") << int(LangEnglish) << longer
                                << "it is longer than the numbers of calculations given in its header say.";
        QByteArray shorter = longer.left(kHeader + kManhole - 1);
        QTest::newRow("shorter") << int(LangEnglish) << shorter
                                 << "it is shorter than the numbers of calculations given in its header say.";
        // A null array: a folder stands at the path.
        QTest::newRow("folder") << int(LangEnglish) << QByteArray()
                                << "cannot be opened or read.\nReason: the path names a folder, a device or a pipe, "
                                   "not a file.";
        QTest::newRow("Polish") << int(LangPolish) << QByteArray(10, '\1') << QString();
    }

    void refusedFileLosesNothing()
    {
        QFETCH(int, language);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Start(language);
        app->StoreCurrentCalc(KindGravityFlow, -1);
        app->StoreCurrentCalc(KindGravityFlow, -1);
        const std::vector<uint8_t> before = app->WriteProject();
        const QString bad = folder + "/zły.qdl";
        if (bytes.isNull())
            QVERIFY(QDir().mkpath(bad));
        else
            WriteAll(bad, bytes);
        prompts->fileNames = {bad};
        prompts->saveAnswers = {Answer::No};
        frame->Action(ID_FILE_OPEN)->trigger();
        QCOMPARE(prompts->warnings.size(), 1);
        const QString warning = prompts->warnings.first();
        if (language == LangPolish) {
            QVERIFY(prompts->filters.last().startsWith(QStringLiteral("Pliki Dalvor (*.qdl);;")));
            QCOMPARE(warning, LangText(*app, 21011).replace(QLatin1String("%s"), bad) + '\n' + LangText(*app, 21014));
        } else {
            QVERIFY2(warning.contains(bad) && warning.contains(message), qPrintable(warning));
            QVERIFY(warning.endsWith(QStringLiteral("The project that was open has not been changed.")));
        }
        QVERIFY(app->WriteProject() == before);
        QVERIFY(Doc().IsModified());
        QVERIFY(Doc().PathName().isEmpty());
        QVERIFY(Doc().RecentFiles().isEmpty());
    }

    void failedSaveLosesNothing()
    {
        Start();
        // The old file.
        const QString path = ProjectWithTanks("old.qdl", 1);
        QVERIFY(Doc().OpenDocumentFile(path));
        const QByteArray old = ReadAll(path);
        app->StoreCurrentCalc(KindGravityFlow, -1);
        const std::vector<uint8_t> project = app->WriteProject();

        // The disk takes no more than a kilobyte in one file: the save fails
        // half-way through its writing.
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool ok = Doc().OnFileSave();
        const bool autosaved = Doc().Autosave();
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
        std::signal(SIGXFSZ, previousHandler);

        // A failed autosave stays in the status bar, whatever prompt showed
        // meanwhile, until one is written.
        const auto* pane = frame->findChild<QLabel*>("MessagePane");
        QStatusTipEvent noTip{QString()};
        QVERIFY(!autosaved && QApplication::sendEvent(frame.get(), &noTip));
        QCOMPARE(pane->text(), QStringLiteral("The automatic save of the project failed: changes since the last "
                                              "save are not protected."));
        QVERIFY(Doc().Autosave());
        QCOMPARE(pane->text(), QStringLiteral("For Help, press F1"));
        QVERIFY(!ok);
        QCOMPARE(prompts->warnings,
                 QStringList({QStringLiteral("The project could not be saved to the file %1. The file on disk has "
                                             "not been changed.\nReason: the file would be larger than the system "
                                             "allows.")
                                  .arg(path)}));
        QCOMPARE(ReadAll(path), old);
        QVERIFY(Doc().IsModified());
        QVERIFY(app->WriteProject() == project);
        // No half-written file is left beside it.
        QCOMPARE(QDir(folder).entryList({"old.qdl*"}, QDir::Files), QStringList({"old.qdl"}));

        // A folder that does not exist.
        prompts->fileNames = {folder + "/missing/new.qdl"};
        QVERIFY(!Doc().OnFileSaveAs());
        QCOMPARE(prompts->warnings.size(), 2);
        QCOMPARE(Doc().PathName(), path);
        QVERIFY(Doc().IsModified());

        // A save that works afterwards.
        QVERIFY(Doc().OnFileSave());
        QCOMPARE(ReadAll(path), Bytes(project));
    }

    // A save onto the project's file that another program rewrote or removed
    // since asks first: No leaves the file, and the project modified, as they
    // are. The program's own saves ask nothing, nor does a save to another
    // file; a save as the same file does.
    void saveAsksBeforeOverwritingAnotherProgramsChange()
    {
        Start();
        const QString path = ProjectWithTanks("p.qdl", 3);
        QVERIFY(Doc().OpenDocumentFile(path));
        app->StoreCurrentCalc(KindManhole, -1);
        const QByteArray theirs = ReadAll(ProjectWithTanks("p.qdl", 5));
        prompts->yesNo = {false, true, false, false};
        QVERIFY(!Doc().OnFileSave());
        QCOMPARE(prompts->questions, QStringList({QStringLiteral("The file %1 has been changed or removed by another "
                                                                 "program since this program opened or last saved "
                                                                 "it.\nDo you want to overwrite it with the project "
                                                                 "open here?")
                                                      .arg(path)}));
        QCOMPARE(ReadAll(path), theirs);
        QVERIFY(Doc().IsModified());
        QVERIFY(Doc().OnFileSave() && ReadAll(path) == Bytes(app->WriteProject()));
        app->StoreCurrentCalc(KindManhole, -1);
        QVERIFY(Doc().OnFileSave());
        QVERIFY(QFile::remove(path));
        app->StoreCurrentCalc(KindManhole, -1);
        QVERIFY(!Doc().OnFileSave() && !QFile::exists(path) && Doc().IsModified());
        const QString other = ProjectWithTanks("other.qdl", 1);
        prompts->fileNames = {other, other};
        QVERIFY(Doc().OnFileSaveAs());
        ProjectWithTanks("other.qdl", 2);
        QVERIFY(!Doc().OnFileSaveAs());
        QCOMPARE(prompts->questions.size(), 4);
    }

    void saveOnAFullDiskSaysSoAndLeavesNothing()
    {
        Start();
        const QString small = folder + "/small";
        QVERIFY(QDir().mkpath(small));
        if (::mount("tmpfs", QFile::encodeName(small).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable("a small file system cannot be mounted here: " + QString::fromLocal8Bit(strerror(errno))));
        const struct Unmount {
            QByteArray at;
            ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
        } unmount{QFile::encodeName(small)};

        const QString path = small + "/p.qdl";
        prompts->fileNames = {path};
        QVERIFY(Doc().OnFileSaveAs());
        const QByteArray old = ReadAll(path);
        QFile filler(small + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();

        app->StoreCurrentCalc(KindGravityFlow, -1);
        QVERIFY(!Doc().OnFileSave());
        QCOMPARE(prompts->warnings.last(),
                 QStringLiteral("The project could not be saved to the file %1. The file on disk has not been changed."
                                "\nReason: there is no space left on the disk.")
                     .arg(path));
        QCOMPARE(ReadAll(path), old);
        QVERIFY(Doc().IsModified());
        QCOMPARE(QDir(small).entryList(QDir::Files | QDir::Hidden), QStringList({"filler", "p.qdl"}));
        // Memory running out is named in the user's words, as a full disk is.
        QCOMPARE(Doc().ReasonText(ENOMEM), QStringLiteral("Reason: there is not enough memory."));
    }

    void autosaveIsWrittenAndOfferedBack()
    {
        CDalvorDoc::autosaveIntervalMs = 1;
        Start();
        const QString path = ProjectWithTanks("work.qdl", 1);
        QVERIFY(Doc().OpenDocumentFile(path));
        QCOMPARE(Doc().AutosaveTimer().interval(), 1);
        // Nothing is written while the project is unchanged.
        QTest::qWait(20);
        QVERIFY(Doc().AutosaveFile().isEmpty());

        app->StoreCurrentCalc(KindManhole, -1);
        QTRY_VERIFY(!Doc().AutosaveFile().isEmpty());
        const QString autosave = Doc().AutosaveFile();
        QVERIFY(autosave.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
        QTRY_COMPARE(ReadAll(autosave), Bytes(app->WriteProject()));
        // The autosave, its name and the folder made for them are the user's alone.
        struct stat info {};
        for (const QString& own : {autosave, QString(autosave).replace(".qdl", ".name"), CDalvorDoc::AutosaveFolder()})
            QVERIFY(::stat(QFile::encodeName(own), &info) == 0 && (info.st_mode & 077) == 0);

        // The program ends without its clean shut-down, twice; the first
        // next start declines the autosave, and it is gone.
        Doc().AutosaveTimer().stop();
        const QByteArray saved = ReadAll(autosave);
        frame.reset();
        app.reset();
        CDalvorDoc::autosaveIntervalMs = 5 * 60 * 1000;
        QCOMPARE(ReadAll(autosave), saved);
        QFile autosaved(autosave);
        QVERIFY(autosaved.open(QIODevice::ReadOnly) &&
                autosaved.setFileTime(QDateTime({2024, 5, 3}, {14, 22}), QFileDevice::FileModificationTime));
        prompts->yesNo = {false};
        Start();
        QCOMPARE(prompts->questions, QStringList({"A project saved automatically before the program ended "
                                                  "unexpectedly has been found:\n" + path +
                                                  " (saved 2024-05-03 14:22).\nDo you want to restore it?"}));
        QCOMPARE(app->project.Count(ArrayManhole), 0);
        QVERIFY(!QFile::exists(autosave));
        frame.reset();

        // Accepted: the project comes back under its own name, modified.
        QDir().mkpath(CDalvorDoc::AutosaveFolder());
        WriteAll(autosave, saved);
        WriteAll(QString(autosave).replace(".qdl", ".name"), path.toUtf8());
        WriteAll(QString(autosave).replace(".qdl", ".lock"), {});
        prompts->yesNo = {true};
        Start();
        QCOMPARE(app->project.Count(ArrayManhole), 1);
        QCOMPARE(app->project.Count(ArrayTank), 1);
        QCOMPARE(Doc().PathName(), path);
        QVERIFY(Doc().IsModified());
        QCOMPARE(frame->windowTitle(), QStringLiteral("work.qdl[*] - Quorlin - Dalvor"));
        // The file itself still holds the older project until it is saved.
        QCOMPARE(ReadAll(path).size(), kHeader + kTank);
        QCOMPARE(Doc().AutosaveFile(), autosave);
        QVERIFY(QFile::exists(autosave));
        QVERIFY(Doc().OnFileSave());
        QCOMPARE(ReadAll(path).size(), kHeader + kManhole + kTank);
        QVERIFY(!QFile::exists(autosave));

        // A clean end removes an autosave too.
        app->StoreCurrentCalc(KindManhole, -1);
        QVERIFY(Doc().Autosave());
        QVERIFY(QFile::exists(autosave));
        prompts->saveAnswers = {Answer::No};
        QVERIFY(frame->close());
        QVERIFY(!QFile::exists(autosave));
    }

    void commandLineFile()
    {
        QCOMPARE(CommandLineFile({"dalvor"}), QByteArray());
        QCOMPARE(CommandLineFile({"dalvor", "/home/me/my project.qdl"}), "/home/me/my project.qdl");
        QCOMPARE(CommandLineFile({"dalvor", "--unknown", "a\xff.qdl", "b.qdl"}), "a\xff.qdl");

        // A name that is no valid text is opened, and saved, by its bytes.
        const QByteArray good = QFile::encodeName(folder) + "/start\xff.qdl";
        QCOMPARE(::rename(QFile::encodeName(ProjectWithTanks("start.qdl", 2)), good), 0);
        const auto remove = qScopeGuard([&] { ::unlink(good); });  // a name Qt's folder removal cannot reach
        Start(LangEnglish, good);
        QCOMPARE(app->project.Count(ArrayTank), 2);
        app->StoreCurrentCalc(KindTank, -1);
        QVERIFY(Doc().OnFileSave());
        struct stat saved {};
        QVERIFY(::stat(good, &saved) == 0 && saved.st_size == kHeader + 3 * kTank);
        frame.reset();

        // A file that cannot be opened is refused with what is missing, and
        // the program starts with an empty project.
        Start(LangEnglish, QFile::encodeName(folder + "/none.qdl"));
        QVERIFY(frame->isVisible());
        QCOMPARE(prompts->warnings, QStringList({QStringLiteral("The file %1 cannot be opened or read.\nReason: the "
                                                                "file does not exist.\nThe project that was open has "
                                                                "not been changed.")
                                                     .arg(folder + "/none.qdl")}));
        QVERIFY(Doc().ReadErrorText(ProjectReadError::CannotOpen, "/none/x.qdl", ENOENT)
                    .endsWith("Reason: the folder does not exist."));
        QCOMPARE(app->project.Count(ArrayTank), 0);
        QVERIFY(Doc().PathName().isEmpty());
    }
};

DALVOR_TEST_MAIN(TestDocument)
#include "test_document.moc"
