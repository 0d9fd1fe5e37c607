// Handing a project to the program that runs already. A project opened from
// the desktop, or named on the command line, while the program runs goes to
// the running program through a local socket in the user's runtime folder
// (readable by the user alone), and the new start ends; when no program
// answers there, the new start opens the project itself. Whatever either
// program does meanwhile (a program that is busy or stopped, a start that
// gave up waiting), exactly one of them opens the file.
#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>

// The socket's path in the user's runtime folder; empty when there is none.
QString ShellOpenSocketPath();

// Hands `file` (an absolute path in the file system's own bytes) to the
// program answering at `socketPath`; true once that program has taken it,
// false when none took it within `timeoutMs`, and then no program opens it
// but the caller.
bool HandOverFile(const QString& socketPath, const QByteArray& file, int timeoutMs = 10000);

// The running program's side: it answers at the socket and tells of each
// file handed to it.
class ShellOpenServer : public QObject {
    Q_OBJECT
public:
    explicit ShellOpenServer(QObject* parent = nullptr);
    // Answers at `socketPath`, unless another program does already. A socket
    // left there by a program that ended is taken over. False when this
    // program does not answer.
    bool Listen(const QString& socketPath);
    // Stops answering while the program is on its way out, so that a file
    // handed over meanwhile is opened by the start that hands it; Resume
    // answers again, unless another program answers by then.
    void Pause();
    void Resume();

signals:
    // A file this program has taken, in the file system's bytes.
    void fileHandedOver(const QByteArray& file);

private:
    void Accept();

    QLocalServer server;
    QString path;
    bool paused = false;
};
