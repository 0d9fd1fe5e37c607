#include "platform/ShellOpen.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A request: the file's name in the file system's bytes, after its length
// (4 bytes, big-endian). The running program answers kTaking once it has the
// whole name; the start, if it still waits for that answer, confirms with
// kTaking in turn and ends, and only that confirmation makes the file the
// running program's. A start that stopped waiting closes the connection
// unconfirmed and opens the file itself; the running program, reaching the
// request late, drops it.
constexpr char kTaking = '\x06';
constexpr quint32 kLongestName = 64 * 1024;

// Waits until what was written is with the system; false at the deadline.
bool Written(QLocalSocket& socket, const QDeadlineTimer& deadline)
{
    socket.flush();
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    return true;
}

// Takes the lock beside the socket without waiting: its descriptor, or -1
// when another program holds it (or it cannot be had). The file stays when
// the lock goes, so that every start locks one and the same file.
int TakeServerLock(const QString& socketPath)
{
    const QByteArray name = QFile::encodeName(socketPath + QStringLiteral(".lock"));
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Whether another program holds the lock beside the socket just now.
bool LockHeldElsewhere(const QString& socketPath)
{
    const QByteArray name = QFile::encodeName(socketPath + QStringLiteral(".lock"));
    const int fd = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

}  // namespace

HandOverRequest::Step HandOverRequest::Take(const QByteArray& bytes)
{
    bool answer = false;
    for (qsizetype at = 0; at < bytes.size() && step == Step::Incomplete;) {
        if (named) {
            // The name is whole: the next byte confirms, or refuses.
            step = bytes.at(at++) == kTaking ? Step::Confirmed : Step::Refused;
            break;
        }
        // Only as much is kept as the request holds.
        const auto length = [this] { return qsizetype(qFromBigEndian<quint32>(received.constData())); };
        const qsizetype wanted = (received.size() < 4 ? 4 : 4 + length()) - received.size();
        const qsizetype taken = std::min(wanted, bytes.size() - at);
        received += bytes.mid(at, taken);
        at += taken;
        if (received.size() < 4)
            continue;
        if (length() == 0 || length() > qsizetype(kLongestName)) {
            step = Step::Refused;
            break;
        }
        if (received.size() == 4 + length()) {
            // The system would cut a name at a zero byte: another file.
            if (received.indexOf('\0', 4) >= 0) {
                step = Step::Refused;
                break;
            }
            name = received.mid(4);
            received.clear();
            named = answer = true;
        }
    }
    if (step == Step::Refused)
        name.clear();
    return step != Step::Incomplete ? step : answer ? Step::Answer : Step::Incomplete;
}

QString ShellOpenSocketPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/dalvor-5.socket");
}

bool HandOverFile(const QString& socketPath, const QByteArray& file, int timeoutMs)
{
    if (socketPath.isEmpty() || file.isEmpty() || quint32(file.size()) > kLongestName)
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // Whatever is still unsent when this start gives up is dropped: a close
    // would send it after the start has decided to open the file itself.
    const auto drop = qScopeGuard([&socket] { socket.abort(); });
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    char length[4];
    qToBigEndian(quint32(file.size()), length);
    socket.write(length, sizeof length);
    socket.write(file);
    if (!Written(socket, deadline))
        return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    char answer = 0;
    if (!socket.getChar(&answer) || answer != kTaking)
        return false;
    socket.putChar(kTaking);
    return Written(socket, deadline);
}

bool HandOverOrListen(ShellOpenServer& server, const QString& socketPath, const QByteArray& file, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (HandOverFile(socketPath, file, int(std::max<qint64>(deadline.remainingTime(), 1))))
            return true;
        // No program took it: this start becomes the running program, unless
        // another start holds the lock and is about to answer.
        if (server.Listen(socketPath) || deadline.hasExpired() || !LockHeldElsewhere(socketPath))
            return false;
        QThread::msleep(20);
    }
}

ShellOpenServer::ShellOpenServer(QObject* parent) : QObject(parent)
{
    // Only the user's own programs may hand files over.
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, &ShellOpenServer::Accept);
}

ShellOpenServer::~ShellOpenServer()
{
    // The socket goes before the lock, so that the next program to take the
    // lock finds no program answering.
    Pause();
}

bool ShellOpenServer::Listen(const QString& socketPath)
{
    if (socketPath.isEmpty() || lockFd >= 0)
        return false;
    // The lock makes one start of those that run into each other the
    // running program. A program that answers keeps the socket (listening
    // would put a new socket in its place); one that ended left its socket
    // behind, which goes.
    const int fd = TakeServerLock(socketPath);
    if (fd < 0)
        return false;
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (probe.waitForConnected(1000)) {
        ::close(fd);
        return false;
    }
    QLocalServer::removeServer(socketPath);
    path = socketPath;
    if (!server.listen(socketPath)) {
        ::close(fd);
        return false;
    }
    lockFd = fd;
    return true;
}

void ShellOpenServer::Pause()
{
    paused = server.isListening();
    server.close();
    if (lockFd >= 0)
        ::close(lockFd);
    lockFd = -1;
}

void ShellOpenServer::Resume()
{
    if (paused)
        Listen(path);
    paused = false;
}

void ShellOpenServer::Accept()
{
    while (QLocalSocket* socket = server.nextPendingConnection()) {
        // The file is opened when the start confirms, and never once the
        // connection has closed without that.
        auto request = std::make_shared<HandOverRequest>();
        const auto serve = [this, socket, request] {
            switch (request->Take(socket->readAll())) {
            case HandOverRequest::Step::Incomplete:
                return;
            case HandOverRequest::Step::Answer:
                socket->putChar(kTaking);
                socket->flush();
                return;
            case HandOverRequest::Step::Confirmed: {
                const QByteArray file = request->File();
                socket->abort();
                emit fileHandedOver(file);
                return;
            }
            case HandOverRequest::Step::Refused:
                socket->abort();
                return;
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, serve);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
