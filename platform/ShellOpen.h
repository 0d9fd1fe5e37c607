// Handing a project to the program that runs already. A project opened from
// the desktop, or named on the command line, while the program runs goes to
// the running program through a local socket in the user's runtime folder
// (readable by the user alone), and the new start ends; when no program
// answers there, the new start opens the project itself. Whatever either
// program does meanwhile (a program that is busy or stopped, a start that
// gave up waiting), exactly one of them opens the file. Of starts that run
// into each other with no program running, the one that takes the lock
// beside the socket becomes the running program, and the others hand their
// files to it.
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

// One start's request as the running program reads it, whatever pieces it
// comes in: the file's name after its length (4 bytes, big-endian, 1 to
// 64 KiB), then, once the program has answered, the start's confirmation.
class HandOverRequest {
public:
    enum class Step {
        Incomplete,  // more is to come
        Answer,      // the name is whole: the program answers that it takes it
        Confirmed,   // the start confirmed: the file is the program's
        Refused,     // a length out of bounds, a zero byte in the name or another
                     // confirmation: the connection goes
    };
    // Takes the bytes that came since the last call: Answer once, when the
    // name has become whole; once confirmed or refused, the request stays so
    // and takes nothing more.
    Step Take(const QByteArray& bytes);
    // The name, once the request is confirmed.
    QByteArray File() const { return step == Step::Confirmed ? name : QByteArray(); }

private:
    QByteArray received;  // the length and the name, as far as they came
    QByteArray name;
    bool named = false;
    Step step = Step::Incomplete;  // Incomplete until confirmed or refused
};

class ShellOpenServer;

// A start with a file: hands it to the running program, or, when none runs,
// makes `server` the running program (listening at `socketPath`). While
// another start holds the lock it is becoming the running program, and this
// start tries the hand-over again until that one answers, for timeoutMs at
// most. True when the file was handed over; false when this start opens it
// itself, whether `server` answers or not.
bool HandOverOrListen(ShellOpenServer& server, const QString& socketPath, const QByteArray& file,
                      int timeoutMs = 10000);

// The running program's side: it answers at the socket and tells of each
// file handed to it.
class ShellOpenServer : public QObject {
    Q_OBJECT
public:
    explicit ShellOpenServer(QObject* parent = nullptr);
    ~ShellOpenServer() override;
    // Answers at `socketPath` once it holds the lock file beside the socket
    // (the socket's name and ".lock"), unless another program holds it or
    // answers already. A socket left there by a program that ended is taken
    // over. False when this program does not answer.
    bool Listen(const QString& socketPath);
    // Stops answering, and lets the lock go, while the program is on its way
    // out, so that a file handed over meanwhile is opened by the start that
    // hands it; Resume answers again, unless another program answers by then.
    void Pause();
    void Resume();

signals:
    // A file this program has taken, in the file system's bytes.
    void fileHandedOver(const QByteArray& file);

private:
    void Accept();

    QLocalServer server;
    QString path;
    int lockFd = -1;  // held while this program answers
    bool paused = false;
};
