// One running program's autosave in the user's data folder: the modified
// project, the name of the file it belongs to, and a lock file that the
// program holds (flock) for as long as it runs. The kernel lets the lock go
// however the program ends, so an autosave whose lock nobody holds was left
// by a program that ended, and one whose lock is held belongs to a program
// that still runs and is left alone.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <sys/types.h>
#include <vector>

// While one lives, the files and folders this program makes are readable by
// the user alone (an autosave may hold a project that is private).
class PrivateFileMode {
public:
    PrivateFileMode();
    ~PrivateFileMode();
    PrivateFileMode(const PrivateFileMode&) = delete;
    PrivateFileMode& operator=(const PrivateFileMode&) = delete;

private:
    mode_t previous;
};

class AutosaveSlot {
public:
    // A new slot in `folder`, held by this program; null when the folder
    // cannot hold one.
    static std::unique_ptr<AutosaveSlot> Create(const QString& folder);
    // The slots in `folder` that hold a project and whose programs ended,
    // the newest first, each now held by the caller.
    static std::vector<std::unique_ptr<AutosaveSlot>> Ended(const QString& folder);

    // Lets the slot go: one that holds no project goes entirely; one that
    // does stays for the next start to offer.
    ~AutosaveSlot();
    AutosaveSlot(const AutosaveSlot&) = delete;
    AutosaveSlot& operator=(const AutosaveSlot&) = delete;

    QString ProjectFile() const { return stem + QStringLiteral(".qdl"); }
    QString NameFile() const { return stem + QStringLiteral(".name"); }
    // Whether something stands at the project's name.
    bool HasProject() const;
    // The file the autosaved project belongs to, as its name file holds it
    // (read only from a regular file, never waiting on anything else);
    // empty for an untitled project.
    QByteArray OriginalFile() const;
    // The name file's bytes as a file's name: an absolute name of at most
    // kLongestName bytes, without a zero byte, is kept as it stands; anything
    // else (a damaged name file) counts as untitled.
    static QByteArray OriginalFileFromBytes(const QByteArray& bytes);
    static constexpr qsizetype kLongestName = 64 * 1024;
    // Removes the project and its name; the slot stays held.
    void RemoveFiles();

private:
    AutosaveSlot(QString slotStem, int fd) : stem(std::move(slotStem)), lockFd(fd) {}
    QString LockFile() const { return stem + QStringLiteral(".lock"); }

    QString stem;  // the folder and "autosave-" with the slot's id
    int lockFd;
};
