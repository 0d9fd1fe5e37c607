// The autosave of a modified project and its offer at the next start, with
// programs (each a core and a document here) side by side and FIFOs in the way.
#include "platform/AutosaveSlot.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/frame/DalvorDoc.h"

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

struct Program {
    explicit Program(QSettings& s) : app(StartedApp(LangEnglish)), doc(std::make_unique<CDalvorDoc>(*app, s)) {}
    void AutosaveRecords(int kind, int n)
    {
        while (n-- > 0)
            app->StoreCurrentCalc(kind, -1);
        doc->SetModified(true);
        QVERIFY(doc->Autosave());
    }
    std::unique_ptr<CDalvorApp> app;
    std::unique_ptr<CDalvorDoc> doc;
};

}  // namespace

class TestAutosave : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<QSettings> settings;

    // A program starts and answers the offer of what ended programs left.
    std::unique_ptr<Program> Start(std::deque<bool> answers = {})
    {
        prompts->yesNo = std::move(answers);
        prompts->questions.clear();
        auto p = std::make_unique<Program>(*settings);
        p->doc->OfferAutosave();
        return p;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        prompts.reset();  // the one before goes first, taking its place along
        prompts = std::make_unique<ScriptedPrompts>();
        settings = std::make_unique<QSettings>(FreshFolder("autosave") + "/settings.ini", QSettings::IniFormat);
        QDir(CDalvorDoc::AutosaveFolder()).removeRecursively();
    }

    // What one program does never touches another's autosave; a start while
    // both run is offered nothing; the work of B, ended, comes back.
    void programsKeepAutosavesOfTheirOwn_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* c : {"new", "save", "open", "clean end", "offer declined"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void programsKeepAutosavesOfTheirOwn()
    {
        QFETCH(QString, command);
        const QString file = FreshFolder("autosave-files") + "/a.qdl";
        auto a = Start();
        auto b = Start();
        b->AutosaveRecords(KindManhole, 2);
        prompts->fileNames = {file};
        if (command == "new")
            QVERIFY(a->doc->OnFileNew());
        else if (command == "save" || command == "open")
            QVERIFY(a->doc->OnFileSaveAs() && (command == "save" || a->doc->OpenDocumentFile(file)));
        else if (command == "clean end")
            a->doc->RemoveAutosave();
        else
            QCOMPARE((Start({false}), prompts->questions.size()), 0);
        a.reset();
        b.reset();
        auto c = Start({true});
        QCOMPARE(prompts->questions.size(), 1);
        QCOMPARE(c->app->project.Count(ArrayManhole), 2);
        QVERIFY(c->doc->IsModified());
    }

    // Two programs that both ended: each next start restores one of them,
    // the newest first (whatever the slots' names), and a restored autosave
    // belongs to the program that took it.
    void twoEndedProgramsBothComeBack_data()
    {
        QTest::addColumn<bool>("tankNewer");
        QTest::newRow("tank newer") << true;
        QTest::newRow("manhole newer") << false;
    }
    void twoEndedProgramsBothComeBack()
    {
        QFETCH(bool, tankNewer);
        auto a = Start(), b = Start();
        a->AutosaveRecords(KindTank, 1);
        b->AutosaveRecords(KindManhole, 2);
        QFile older((tankNewer ? b : a)->doc->AutosaveFile());
        QVERIFY(older.open(QIODevice::ReadWrite));
        QVERIFY(older.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        older.close();
        a.reset();
        b.reset();
        auto c = Start({true}), d = Start({true});
        QCOMPARE(c->app->project.Count(ArrayTank), tankNewer ? 1 : 0);
        QCOMPARE(d->app->project.Count(ArrayManhole), tankNewer ? 2 : 0);
        QCOMPARE(c->app->project.Count(ArrayTank) + d->app->project.Count(ArrayTank), 1);
        QCOMPARE(c->app->project.Count(ArrayManhole) + d->app->project.Count(ArrayManhole), 2);
        QCOMPARE((Start({true}), prompts->questions.size()), 0);
    }

    // A lock with no project, left by a program that ended before its first
    // autosave, goes once it is a minute old; a younger one may be a start's
    // that is making its slot just now, and stays.
    void emptyLockGoesWhenOld()
    {
        const QString folder = CDalvorDoc::AutosaveFolder();
        QVERIFY(QDir().mkpath(folder));
        QFile old(folder + "/autosave-1.lock"), young(folder + "/autosave-2.lock");
        QVERIFY(old.open(QIODevice::WriteOnly) && young.open(QIODevice::WriteOnly));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
        QVERIFY(AutosaveSlot::Ended(folder).empty());
        QVERIFY(!old.exists() && young.exists());
    }

    // A FIFO at one of an autosave's names holds nothing up: at the name
    // file the project is restored as untitled; at the project it is refused
    // with its reason; at the lock nothing is offered.
    void fifoInTheAutosaveDoesNotHoldUpTheStart_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("restored");
        QTest::newRow("name") << ".name" << 1 << 1;
        QTest::newRow("project") << ".qdl" << 1 << 0;
        QTest::newRow("lock") << ".lock" << 0 << 0;
    }
    void fifoInTheAutosaveDoesNotHoldUpTheStart()
    {
        QFETCH(QString, suffix);
        QFETCH(int, questions);
        QFETCH(int, restored);
        auto ended = Start();
        ended->AutosaveRecords(KindTank, 1);
        const QByteArray fifo = QFile::encodeName(ended->doc->AutosaveFile().replace(".qdl", suffix));
        ended.reset();
        QVERIFY(::unlink(fifo) == 0 && ::mkfifo(fifo, 0600) == 0);
        // A reader that waited on the FIFO is let go after a while, and told.
        std::atomic<bool> done{false}, waited{false};
        std::thread writer([&] {
            for (int i = 0; !done; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(20)))
                if (int fd = i > 100 ? ::open(fifo, O_WRONLY | O_NONBLOCK) : -1; fd >= 0)
                    waited = ::close(fd) == 0;
        });
        auto next = Start({true});
        done = true;
        writer.join();
        QVERIFY2(!waited, "the start waited on the FIFO");
        QCOMPARE(prompts->questions.size(), questions);
        QCOMPARE(next->app->project.Count(ArrayTank), restored);
        QCOMPARE(prompts->warnings.size(), questions - restored);
        QVERIFY(next->doc->PathName().isEmpty());
    }
};

DALVOR_TEST_MAIN(TestAutosave)
#include "test_autosave.moc"
