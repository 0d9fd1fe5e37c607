// The autosave of a modified project and its offer at the next start, as the
// document does them: files in the user's data folder that do not hold up the
// start, whatever stands at their names.
#include "QtTestMain.h"
#include "DalvorDoc.h"
#include "UiTestSupport.h"

#include <QFile>

#include <atomic>
#include <cerrno>
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

    // A FIFO where the autosave keeps its project's file name: the autosaved
    // project is offered all the same, as untitled, and nothing waits.
    void fifoAtTheNameFileDoesNotHoldUpTheStart()
    {
        auto ended = StartedApp(LangEnglish);
        ended->StoreCurrentCalc(KindTank, -1);
        WriteAll(CDalvorDoc::AutosaveFile(), Bytes(ended->WriteProject()));
        const QString names = CDalvorDoc::AutosaveFolder() + "/autosave.path";
        QCOMPARE(::mkfifo(QFile::encodeName(names).constData(), 0600), 0);

        auto app = StartedApp(LangEnglish);
        CDalvorDoc doc(*app, *settings);
        prompts->yesNo = {true};
        FifoWatchdog watchdog(names);
        QVERIFY(doc.OfferAutosave());
        watchdog.Stop();
        QVERIFY2(!watchdog.released, "the start waited on the FIFO");
        QCOMPARE(prompts->questions.size(), 1);
        QCOMPARE(app->storedCount[ArrayTank], 1);
        QVERIFY(doc.PathName().isEmpty());
        QVERIFY(doc.IsModified());
        doc.SetModified(false);
    }
};

DALVOR_TEST_MAIN(TestAutosave)
#include "test_autosave.moc"
