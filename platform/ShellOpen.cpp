#include "ShellOpen.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QtEndian>

namespace {

// A request: the file's UTF-8 length (4 bytes, big-endian), then the name.
// The answer: one byte once the file is taken.
constexpr char kTaken = '\x06';
constexpr quint32 kLongestName = 64 * 1024;

}  // namespace

QString ShellOpenSocketPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/dalvor-5.socket");
}

bool HandOverFile(const QString& socketPath, const QString& file, int timeoutMs)
{
    const QByteArray name = file.toUtf8();
    if (socketPath.isEmpty() || name.isEmpty() || quint32(name.size()) > kLongestName)
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    char length[4];
    qToBigEndian(quint32(name.size()), length);
    socket.write(length, sizeof length);
    socket.write(name);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == kTaken;
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
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() < 4)
                return;
            char length[4];
            socket->peek(length, sizeof length);
            const quint32 size = qFromBigEndian<quint32>(length);
            if (size == 0 || size > kLongestName) {
                socket->abort();
                socket->deleteLater();
                return;
            }
            if (socket->bytesAvailable() < qint64(4 + size))
                return;
            socket->skip(4);
            const QString file = QString::fromUtf8(socket->read(size));
            socket->putChar(kTaken);
            socket->flush();
            socket->disconnectFromServer();
            emit fileHandedOver(file);
        });
    }
}
