#include "platform/ShellOpen.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QtEndian>

#include <memory>
#include <optional>

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

}  // namespace

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

ShellOpenServer::ShellOpenServer(QObject* parent) : QObject(parent)
{
    // Only the user's own programs may hand files over.
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, &ShellOpenServer::Accept);
}

bool ShellOpenServer::Listen(const QString& socketPath)
{
    if (socketPath.isEmpty())
        return false;
    // A program that answers keeps the socket (listening would put a new
    // socket in its place); one that ended left its socket behind, which
    // goes.
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (probe.waitForConnected(1000))
        return false;
    QLocalServer::removeServer(socketPath);
    path = socketPath;
    return server.listen(socketPath);
}

void ShellOpenServer::Pause()
{
    paused = server.isListening();
    server.close();
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
        // The name once the whole request has come and been answered; the
        // file is opened when the start confirms, and never once the
        // connection has closed without that.
        auto name = std::make_shared<std::optional<QByteArray>>();
        const auto serve = [this, socket, name] {
            if (!*name) {
                if (socket->bytesAvailable() < 4)
                    return;
                char length[4];
                socket->peek(length, sizeof length);
                const quint32 size = qFromBigEndian<quint32>(length);
                if (size == 0 || size > kLongestName) {
                    socket->abort();
                    return;
                }
                if (socket->bytesAvailable() < qint64(4 + size))
                    return;
                socket->skip(4);
                *name = socket->read(size);
                socket->putChar(kTaking);
                socket->flush();
            }
            char confirmed = 0;
            if (socket->bytesAvailable() < 1 || !socket->getChar(&confirmed))
                return;
            const QByteArray file = **name;
            socket->abort();
            if (confirmed == kTaking)
                emit fileHandedOver(file);
        };
        connect(socket, &QLocalSocket::readyRead, this, serve);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
