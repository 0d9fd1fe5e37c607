#include "platform/AutosaveSlot.h"

#include "core/project/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kPrefix = QStringLiteral("autosave-");
const QString kLockSuffix = QStringLiteral(".lock");
// A lock file with no project that is older than this was left by a program
// that ended before its first autosave was written.
constexpr auto kStaleEmptyLock = std::chrono::minutes(1);

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

// Takes the lock at `path` without waiting: the descriptor, or -1 when it is
// held elsewhere, is no regular file or is no longer the file at that name
// (removed or replaced while it was being taken).
int TakeLock(const QString& path, int flags)
{
    const QByteArray name = Native(path);
    const int fd = ::open(name.constData(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | flags, 0600);
    if (fd < 0)
        return -1;
    struct stat held {}, named {};
    if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        ::stat(name.constData(), &named) != 0 || named.st_dev != held.st_dev || named.st_ino != held.st_ino) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

PrivateFileMode::PrivateFileMode() : previous(::umask(077))
{
    ::umask(previous | 077);
}

PrivateFileMode::~PrivateFileMode()
{
    ::umask(previous);
}

std::unique_ptr<AutosaveSlot> AutosaveSlot::Create(const QString& folder)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString stem = folder + QLatin1Char('/') + kPrefix +
                             QStringLiteral("%1").arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
        const QString lock = stem + kLockSuffix;
        const int fd = TakeLock(lock, O_CREAT | O_EXCL);
        if (fd >= 0)
            return std::unique_ptr<AutosaveSlot>(new AutosaveSlot(stem, fd));
        // A name taken already, or a lock another start took in the moment
        // after it was made: another name. Any other failure is final.
        if (errno != EEXIST && errno != EWOULDBLOCK)
            return nullptr;
    }
    return nullptr;
}

std::vector<std::unique_ptr<AutosaveSlot>> AutosaveSlot::Ended(const QString& folder)
{
    std::vector<std::unique_ptr<AutosaveSlot>> ended;
    const QStringList locks = QDir(folder).entryList({kPrefix + QLatin1Char('*') + kLockSuffix},
                                                     QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    for (const QString& lock : locks) {
        const QString stem = folder + QLatin1Char('/') + lock.chopped(kLockSuffix.size());
        const int fd = TakeLock(stem + kLockSuffix, 0);
        if (fd < 0)
            continue;  // its program runs
        std::unique_ptr<AutosaveSlot> slot(new AutosaveSlot(stem, fd));
        if (slot->HasProject()) {
            ended.push_back(std::move(slot));
            continue;
        }
        // No project: a lock that is not brand new goes (with the slot),
        // one that is may be a program's that is making it just now.
        struct stat info {};
        const auto age = std::chrono::seconds(::fstat(fd, &info) == 0 ? ::time(nullptr) - info.st_mtime : 0);
        if (age < kStaleEmptyLock)
            slot->stem.clear();
    }
    std::stable_sort(ended.begin(), ended.end(), [](const auto& a, const auto& b) {
        return QFileInfo(a->ProjectFile()).lastModified() > QFileInfo(b->ProjectFile()).lastModified();
    });
    return ended;
}

AutosaveSlot::~AutosaveSlot()
{
    // The lock file goes while it is still held, so that no other start
    // takes it in between; one that opened it before sees it gone.
    if (!stem.isEmpty() && !HasProject()) {
        QFile::remove(NameFile());
        ::unlink(Native(LockFile()).constData());
    }
    ::close(lockFd);
}

bool AutosaveSlot::HasProject() const
{
    struct stat info {};
    return ::lstat(Native(ProjectFile()).constData(), &info) == 0;
}

QByteArray AutosaveSlot::OriginalFile() const
{
    // One byte more than a name may have tells a name that is too long.
    std::string bytes;
    ReadRegularFile(Native(NameFile()).toStdString(), std::size_t(kLongestName) + 1, bytes);
    return OriginalFileFromBytes(QByteArray::fromStdString(bytes));
}

QByteArray AutosaveSlot::OriginalFileFromBytes(const QByteArray& bytes)
{
    // The program writes the absolute name it saves to; a name relative to
    // wherever the next start runs, or one that the system would cut at a
    // zero byte, would save the project somewhere else than it shows.
    if (!bytes.startsWith('/') || bytes.size() > kLongestName || bytes.contains('\0'))
        return {};
    return bytes;
}

void AutosaveSlot::RemoveFiles()
{
    // The project first: a name without its project is never offered.
    QFile::remove(ProjectFile());
    QFile::remove(NameFile());
}
