// The autosave of a modified project and its offer at the next start, as the
// document does them: files in the user's data folder that do not hold up the
// start, whatever stands at their names.
#include "QtTestMain.h"
#include "DalvorDoc.h"
#include "UiTestSupport.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <deque>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray Bytes(const std::vector<uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Should a reader wait on the FIFO at `path`, a writer comes after a while and
// lets it go; `released` then tells that one had to.
class FifoWatchdog {
public:
    explicit FifoWatchdog(const QString& path) : fifo(QFile::encodeName(path).toStdString())
    {
        watcher = std::thread([this] {
            const auto give = std::chrono::steady_clock::now() + std::chrono::seconds(3);
            while (!done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (std::chrono::steady_clock::now() < give)
                    continue;
                const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    released = true;
                    ::close(fd);
                }
            }
        });
    }
    ~FifoWatchdog() { Stop(); }
    void Stop()
    {
        done = true;
        if (watcher.joinable())
            watcher.join();
    }
    std::atomic<bool> released{false};

private:
    std::string fifo;
    std::atomic<bool> done{false};
    std::thread watcher;
};

// One running program: its core and its document.
struct Window {
    explicit Window(QSettings& settings) : app(StartedApp(LangEnglish)), doc(std::make_unique<CDalvorDoc>(*app, settings)) {}
    // A modified project of n records of a kind, autosaved.
    void AutosaveRecords(int kind, int n)
    {
        for (int i = 0; i < n; ++i)
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

private:
    QString folder;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<QSettings> settings;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        prompts = std::make_unique<ScriptedPrompts>();
        folder = FreshFolder(QStringLiteral("autosave"));
        settings = std::make_unique<QSettings>(folder + "/settings.ini", QSettings::IniFormat);
        QDir(CDalvorDoc::AutosaveFolder()).removeRecursively();
        QDir().mkpath(CDalvorDoc::AutosaveFolder());
    }

    void cleanup()
    {
        settings.reset();
        prompts.reset();
    }

    // Starts a window; it is offered what ended windows left, and answers
    // from `answers`.
    std::unique_ptr<Window> Start(std::deque<bool> answers = {})
    {
        prompts->yesNo = std::move(answers);
        prompts->questions.clear();
        auto w = std::make_unique<Window>(*settings);
        w->doc->OfferAutosave();
        return w;
    }

    // Each window keeps an autosave of its own: what one window does never
    // touches another's, a start offers only what ended windows left, and
    // every ended window's work comes back.
    void windowsKeepAutosavesOfTheirOwn_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* c : {"new", "save", "open", "clean end", "offer declined"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void windowsKeepAutosavesOfTheirOwn()
    {
        QFETCH(QString, command);
        const QString file = folder + "/a.qdl";
        auto a = Start();
        auto b = Start();
        b->AutosaveRecords(KindManhole, 2);
        if (command == "new") {
            QVERIFY(a->doc->OnFileNew());
        } else if (command == "save") {
            a->app->StoreCurrentCalc(KindTank, -1);
            prompts->fileNames = {file};
            QVERIFY(a->doc->OnFileSaveAs());
        } else if (command == "open") {
            WriteAll(file, Bytes(a->app->WriteProject()));
            QVERIFY(a->doc->OpenDocumentFile(file));
        } else if (command == "clean end") {
            a->doc->RemoveAutosave();
        } else {
            // A third start while both run is offered nothing.
            auto c = Start({false});
            QCOMPARE(prompts->questions.size(), 0);
        }
        a.reset();

        // B ends without its clean end; the next start gets its work back.
        b.reset();
        auto c = Start({true});
        QCOMPARE(prompts->questions.size(), 1);
        QCOMPARE(c->app->storedCount[ArrayManhole], 2);
        QVERIFY(c->doc->IsModified());
        c->doc->SetModified(false);
    }

    // Two modified windows that both end leave two autosaves: one start
    // restores the first, the next start (while the first runs) the other.
    void twoEndedWindowsBothComeBack()
    {
        auto a = Start();
        auto b = Start();
        a->AutosaveRecords(KindTank, 1);
        b->AutosaveRecords(KindManhole, 2);
        a.reset();
        b.reset();
        auto c = Start({true});
        QCOMPARE(prompts->questions.size(), 1);
        auto d = Start({true});
        QCOMPARE(prompts->questions.size(), 1);
        QCOMPARE(c->app->storedCount[ArrayTank] + d->app->storedCount[ArrayTank], 1);
        QCOMPARE(c->app->storedCount[ArrayManhole] + d->app->storedCount[ArrayManhole], 2);
        // Each restored autosave now belongs to the window that took it.
        auto e = Start({true});
        QCOMPARE(prompts->questions.size(), 0);
        c->doc->SetModified(false);
        d->doc->SetModified(false);
    }

    // A FIFO at one of an autosave's names holds nothing up. At its name
    // file the project is offered all the same, as untitled; at the project
    // it is refused with its reason; at the lock nothing is offered.
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
        const QString fifo = QString(ended->doc->AutosaveFile()).replace(".qdl", suffix);
        ended.reset();
        QVERIFY(QFile::remove(fifo));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

        prompts->yesNo = {true};
        prompts->questions.clear();
        auto app = StartedApp(LangEnglish);
        CDalvorDoc doc(*app, *settings);
        FifoWatchdog watchdog(fifo);
        QCOMPARE(doc.OfferAutosave(), restored == 1);
        watchdog.Stop();
        QVERIFY2(!watchdog.released, "the start waited on the FIFO");
        QCOMPARE(prompts->questions.size(), questions);
        QCOMPARE(app->storedCount[ArrayTank], restored);
        QCOMPARE(prompts->warnings.size(), questions - restored);
        if (!prompts->warnings.isEmpty())
            QVERIFY(prompts->warnings.first().contains(QStringLiteral("not a file")));
        QVERIFY(doc.PathName().isEmpty());
        doc.SetModified(false);
    }
};

DALVOR_TEST_MAIN(TestAutosave)
#include "test_autosave.moc"
