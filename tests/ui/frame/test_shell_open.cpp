// A project opened while the program runs is handed to the running program
// through a socket of the user's own and opened there as File > Open opens
// it; with no program answering, the new start opens it itself.
#include "platform/ShellOpen.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"

#include <QLocalSocket>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtEndian>

#include <algorithm>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Hands a file over from another thread, as another start does, while this
// thread's event loop answers for the running program.
bool HandOverWhileRunning(const QString& socket, const QString& file)
{
    auto handed = std::async(std::launch::async, [=] { return HandOverFile(socket, QFile::encodeName(file), 3000); });
    while (handed.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return handed.get();
}

}  // namespace

class TestShellOpen : public QObject, public MainWindowFixture {
    Q_OBJECT

private slots:
    void init() { InitWindowTest(); }
    void cleanup() { CleanupWindowTest(); }

    // No program answers at no socket or at one an ended program left; the
    // next start answers there, at a socket of the user's alone, and a second
    // does not take it over. Its window opens a handed file as File > Open
    // does, first asking to save its changed project.
    void runningProgramTakesTheFile()
    {
        const QString socket = FreshFolder("shell") + "/s", file = FreshFolder("shell-files") + "/sieć 1.qdl";
        const QByteArray name = QFile::encodeName(file);
        QVERIFY(!HandOverFile(socket, name, 1000));
        const int ended = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{AF_UNIX, {}};
        qstrncpy(address.sun_path, socket.toUtf8(), sizeof address.sun_path);
        QCOMPARE(::bind(ended, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(ended);
        QVERIFY(!HandOverFile(socket, name, 1000));

        ShellOpenServer running, second;
        QVERIFY(running.Listen(socket));
        QVERIFY(!second.Listen(socket));
        struct stat info {};
        QVERIFY(::stat(socket.toUtf8(), &info) == 0 && (info.st_mode & 077) == 0);

        // A program that does not answer in time (busy, or stopped) has not
        // taken the file, and drops the request when it answers at last; a
        // request that comes in pieces is read whole, and the file is taken
        // once the start confirms it still waits.
        QSignalSpy handed(&running, &ShellOpenServer::fileHandedOver);
        QVERIFY(!HandOverFile(socket, name, 100));
        QLocalSocket start;
        start.connectToServer(socket);
        char length[4];
        qToBigEndian(quint32(name.size()), length);
        for (const QByteArray& piece : {QByteArray(length, 4) + name.chopped(2), name.right(2)}) {
            QVERIFY(start.waitForConnected(1000) && start.write(piece) && start.waitForBytesWritten(1000));
            for (int i = 0; i < 10; ++i)
                QCoreApplication::processEvents();
        }
        QTRY_VERIFY(start.bytesAvailable() > 0);
        QVERIFY(handed.isEmpty() && start.read(1) == "\x06" && start.write("\x06") && start.waitForBytesWritten(1000));
        QTRY_COMPARE(handed.size(), 1);
        QCOMPARE(handed.first().first().toByteArray(), name);

        OpenMainWindow(LangEnglish, "shell-window");
        frame->ServeHandedFiles(running);
        QVERIFY(StartedApp()->WriteProjectFile(file.toStdString()) == ProjectWriteError::None);
        app->StoreCurrentCalc(KindManhole, -1);
        prompts->saveAnswers = {IUiPrompts::Answer::No};
        QVERIFY(HandOverWhileRunning(socket, file));
        QTRY_COMPARE(frame->Doc().PathName(), file);
        QCOMPARE(prompts->questions, QStringList({"Save changes to Untitled?"}));
        QCOMPARE(app->project.Count(ArrayManhole), 0);
        QCOMPARE(handed.size(), 2);

        // While the closing window asks to save, no program answers, and the
        // new start opens its file itself; a cancelled close answers again.
        app->StoreCurrentCalc(KindManhole, -1);
        bool handedWhileClosing = true;
        prompts->onQuestion = [&] { handedWhileClosing = HandOverWhileRunning(socket, file); };
        prompts->saveAnswers = {IUiPrompts::Answer::Cancel};
        QVERIFY(!frame->close());
        prompts->onQuestion = {};
        QVERIFY(!handedWhileClosing);
        QVERIFY(HandOverWhileRunning(socket, file));
    }

    // The program itself: a start with a file while the program runs, or
    // four starts released together with no program running, hand the file
    // to one program and end; it opens the file and lists it as recent. The
    // name, relative and no valid text, goes by its bytes all the way. The
    // settings and the print titles are the user's alone, in folders of the
    // program's that are, beside folders of the user's left as they were.
    void startsHandTheirFileToOneProgram_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("starts");
        QTest::newRow("second start") << true << 1;
        QTest::newRow("four at once") << false << 4;
    }
    void startsHandTheirFileToOneProgram()
    {
        QFETCH(bool, running);
        QFETCH(int, starts);
        const QString home = FreshFolder("shell-home");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString user = home + "/user";  // the user's configuration and data folder, open to all
        QVERIFY(QDir().mkpath(user) && ::chmod(QFile::encodeName(user), 0755) == 0);
        for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            env.insert(name, name[0] == 'X' && name[4] != 'R' ? user : home);
        QFile::setPermissions(home, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QByteArray file = QFile::encodeName(home) + "/handed\xff.qdl";
        QVERIFY(StartedApp()->WriteProjectFile(file.toStdString()) == ProjectWriteError::None);
        const auto remove = qScopeGuard([&] { ::unlink(file); });  // a name Qt's folder removal cannot reach

        // A loaded machine may take its time; the programs end with the test.
        std::vector<std::unique_ptr<QProcess>> programs(starts + 1);
        for (auto& p : programs) {
            p = std::make_unique<QProcess>();
            p->setProcessEnvironment(env);
            p->setWorkingDirectory(home);
        }
        const auto end = qScopeGuard([&] {
            for (auto& p : programs)
                p->kill(), p->waitForFinished();
        });
        const QString dalvor = QCoreApplication::applicationDirPath() + "/../bin/dalvor";
        if (running) {
            programs[0]->start(dalvor, {});
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home + "/dalvor-5.socket"), 30000);
        }
        // Each waits for the end of its input before it starts the program.
        for (int i = 1; i <= starts; ++i) {
            programs[i]->start("/bin/sh", {"-c", R"sh(read go; exec "$0" "$(printf 'handed\377.qdl')")sh", dalvor});
            QVERIFY(programs[i]->waitForStarted(30000));
        }
        for (int i = 1; i <= starts; ++i)
            programs[i]->closeWriteChannel();
        const auto ended = [&] {
            return std::count_if(programs.begin() + 1, programs.end(),
                                 [](auto& p) { return p->state() == QProcess::NotRunning && p->exitCode() == 0; });
        };
        QTRY_COMPARE_WITH_TIMEOUT(ended(), running ? starts : starts - 1, 30000);
        const QString ini = user + "/Halvane/Quorlin - Dalvor (5).ini";
        QTRY_COMPARE_WITH_TIMEOUT(QSettings(ini, QSettings::IniFormat).value("Recent File List/File1").toByteArray(),
                                  file, 30000);
        const QString titles = user + "/Halvane/Quorlin - Dalvor (5)/prntits.arc";
        for (const auto& [path, mode] : {std::pair{ini, 0600}, {user + "/Halvane", 0700}, {titles, 0600},
                                         {QFileInfo(titles).path(), 0700}, {user, 0755}}) {
            struct stat info {};
            QVERIFY2(::stat(QFile::encodeName(path), &info) == 0 && int(info.st_mode & 0777) == mode, qPrintable(path));
        }
    }
};

DALVOR_TEST_MAIN(TestShellOpen)
#include "test_shell_open.moc"
