// A project opened while the program runs is handed to the running program
// through a socket of the user's own, and opened there as File > Open opens
// it; with no program answering, the new start opens it itself.
#include "QtTestMain.h"
#include "ShellOpen.h"
#include "UiTestSupport.h"

#include <QFile>
#include <QSignalSpy>

#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Hands a file over from another thread, as another start of the program
// does, while this thread's event loop answers for the running program.
bool HandOverWhileRunning(const QString& socket, const QString& file)
{
    auto handed = std::async(std::launch::async, [=] { return HandOverFile(socket, file, 3000); });
    while (handed.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return handed.get();
}

// A socket file such as a program that ended leaves behind.
void LeaveEndedSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()) + 1);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

}  // namespace

class TestShellOpen : public QObject, public MainWindowFixture {
    Q_OBJECT

private:
    QString folder, socket;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        InitWindowTest();
        folder = FreshFolder(QStringLiteral("shell"));
        socket = folder + "/dalvor.socket";
    }
    void cleanup() { CleanupWindowTest(); }

    void socketIsInTheUsersRuntimeFolder()
    {
        QCOMPARE(ShellOpenSocketPath(),
                 QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/dalvor-5.socket");
    }

    // The running program takes the file; the socket is the user's alone,
    // and a second program does not take the socket over.
    void runningProgramTakesTheFile()
    {
        ShellOpenServer running;
        QSignalSpy handed(&running, &ShellOpenServer::fileHandedOver);
        QVERIFY(running.Listen(socket));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(socket).constData(), &info), 0);
        QCOMPARE(info.st_mode & 077, 0u);
        ShellOpenServer second;
        QVERIFY(!second.Listen(socket));

        const QString file = QStringLiteral("/home/me/Projekty/sieć kanalizacyjna.qdl");
        QVERIFY(HandOverWhileRunning(socket, file));
        QCOMPARE(handed.size(), 1);
        QCOMPARE(handed.first().first().toString(), file);
    }

    // With no program answering, the hand-over fails, and the new start
    // answers from then on, over a socket an ended program left.
    void noProgramAnswers()
    {
        QVERIFY(!HandOverFile(socket, "/a.qdl", 1000));
        LeaveEndedSocket(socket);
        QVERIFY(!HandOverFile(socket, "/a.qdl", 1000));
        ShellOpenServer next;
        QSignalSpy handed(&next, &ShellOpenServer::fileHandedOver);
        QVERIFY(next.Listen(socket));
        QVERIFY(HandOverWhileRunning(socket, "/a.qdl"));
        QCOMPARE(handed.size(), 1);
    }

    // The window opens a handed file as File > Open does: first asking to
    // save its changed project.
    void windowOpensTheHandedFile()
    {
        OpenMainWindow(LangEnglish, QStringLiteral("shell-window"));
        auto other = StartedApp(LangEnglish);
        other->StoreCurrentCalc(KindTank, -1);
        const QString file = folder + "/handed.qdl";
        QVERIFY(other->WriteProjectFile(QFile::encodeName(file).toStdString()) == ProjectWriteError::None);

        ShellOpenServer running;
        connect(&running, &ShellOpenServer::fileHandedOver, frame.get(), &CMainFrame::OpenHandedFile,
                Qt::QueuedConnection);
        QVERIFY(running.Listen(socket));
        app->StoreCurrentCalc(KindManhole, -1);
        prompts->saveAnswers = {IUiPrompts::Answer::No};
        QVERIFY(HandOverWhileRunning(socket, file));
        QTRY_COMPARE(frame->Doc().PathName(), file);
        QCOMPARE(prompts->questions, QStringList({"Save changes to Untitled?"}));
        QCOMPARE(app->storedCount[ArrayTank], 1);
        QCOMPARE(app->storedCount[ArrayManhole], 0);
    }

    // The program itself: a second start with a file hands it over and ends
    // at once; the running program opens it (and lists it among its recent
    // files).
    void secondStartHandsItsFileOver()
    {
        const QString program = QCoreApplication::applicationDirPath() + "/../bin/dalvor";
        QVERIFY(QFile::exists(program));
        const QString home = FreshFolder("shell-home");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        env.insert("XDG_RUNTIME_DIR", home + "/run");
        env.insert("XDG_CONFIG_HOME", home + "/config");
        env.insert("XDG_DATA_HOME", home + "/data");
        QDir().mkpath(home + "/run");
        QFile::setPermissions(home + "/run", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        auto other = StartedApp(LangEnglish);
        const QString file = home + "/handed.qdl";
        QVERIFY(other->WriteProjectFile(QFile::encodeName(file).toStdString()) == ProjectWriteError::None);

        QProcess running;
        running.setProcessEnvironment(env);
        running.start(program, {});
        QVERIFY(running.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home + "/run/dalvor-5.socket"), 10000);

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(program, {file});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        const QString ini = home + "/config/Halvane/Quorlin - Dalvor (5).ini";
        QTRY_VERIFY_WITH_TIMEOUT(QSettings(ini, QSettings::IniFormat).value("Recent File List/File1").toString() == file,
                                 10000);
        running.kill();
        running.waitForFinished();
    }
};

DALVOR_TEST_MAIN(TestShellOpen)
#include "test_shell_open.moc"
