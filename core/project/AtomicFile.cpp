#include "core/project/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the kernel itself follows before it gives up.
constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

mode_t CurrentUmask()
{
    // umask can only be read by setting it; put the same value back at once.
    mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

AtomicWriteResult Fail(int error) { return {AtomicWriteResult::Failed, error}; }

constexpr char kNameLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kNameLetterCount = sizeof kNameLetters - 1;

std::string TemporaryName()
{
    unsigned char random[kSaveTemporaryNameLength - kSaveTemporaryPrefix.size()];
    if (::getrandom(random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
        // No random bytes yet (early boot): the clock and a counter still make
        // a name that an exclusive create will check.
        static std::atomic<uint64_t> counter{0};
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        uint64_t v = static_cast<uint64_t>(now.tv_nsec) ^ (static_cast<uint64_t>(now.tv_sec) << 20) ^
                     (++counter * 0x9E3779B97F4A7C15ull) ^ static_cast<uint64_t>(::getpid());
        for (unsigned char& r : random) {
            r = static_cast<unsigned char>(v);
            v = (v >> 8) | (v << 56);
            v *= 0xBF58476D1CE4E5B9ull;
        }
    }
    std::string name(kSaveTemporaryPrefix);
    for (unsigned char r : random)
        name += kNameLetters[r % kNameLetterCount];
    return name;
}

bool IsTemporaryName(std::string_view name)
{
    if (name.size() != kSaveTemporaryNameLength || !name.starts_with(kSaveTemporaryPrefix))
        return false;
    return name.substr(kSaveTemporaryPrefix.size()).find_first_not_of(kNameLetters) == std::string_view::npos;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A save holds its temporary file locked from its creation to its rename, and
// the lock goes with the process: a temporary file that nobody holds was left
// by a save that was killed.
void RemoveStaleTemporaries(int folderFd)
{
    int listed = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listed < 0)
        return;
    DIR* dir = ::fdopendir(listed);
    if (!dir) {
        ::close(listed);
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name))
            continue;
        int fd = ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat held {}, named {};
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named))
            ::unlinkat(folderFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// An open descriptor, closed with its holder.
struct Descriptor {
    int fd;
    explicit Descriptor(int f) : fd(f) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// The temporary file of one save: closed, and removed when it has a name,
// unless it became the target. Its name is relative to the folder of the
// save, so a path that the target's name fits in is never too long for it.
struct Temporary {
    const int folder;
    int fd = -1;
    std::string name;
    explicit Temporary(int folderFd) : folder(folderFd) {}
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() { Drop(); }
    void Drop()
    {
        if (!name.empty())
            ::unlinkat(folder, name.c_str(), 0);
        name.clear();
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
};

// What stays of the file being replaced: its mode, group and owner.
struct Keep {
    mode_t mode;
    const struct stat* old;  // null for a new file
};

// Writes the contents and sets what the file keeps of the old one; the errno
// of the step that failed, or 0.
int Fill(int fd, const FileContents& contents, const Keep& keep)
{
    FileSink sink(fd);
    contents(sink);
    if (sink.Error() != 0)
        return sink.Error();
    // The owner only the superuser may give away; a group the user belongs to
    // anyone may. Whatever cannot be kept is left as the user's own. The mode
    // comes after, since a change of owner clears the set-id bits.
    if (keep.old && ::fchown(fd, keep.old->st_uid, keep.old->st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), keep.old->st_gid);
    if (::fchmod(fd, keep.mode) != 0 || ::fsync(fd) != 0)
        return errno;
    return 0;
}

constexpr int kNoUnnamedFile = -1;

// The temporary file is written with no name, so that a save killed on the
// way leaves nothing behind, and named only once it is whole. kNoUnnamedFile
// when the file system or the kernel cannot do this.
int WriteUnnamed(const FileContents& contents, const Keep& keep, Temporary& temp)
{
#ifdef O_TMPFILE
    temp.fd = ::openat(temp.folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (temp.fd < 0)
        return kNoUnnamedFile;
    ::flock(temp.fd, LOCK_EX);
    if (int error = Fill(temp.fd, contents, keep))
        return error;
    const std::string self = "/proc/self/fd/" + std::to_string(temp.fd);
    for (int tries = 0; tries < 100; ++tries) {
        std::string name = TemporaryName();
        // Linking a descriptor itself takes a privilege; its /proc entry does not.
        if (::linkat(temp.fd, "", temp.folder, name.c_str(), AT_EMPTY_PATH) == 0 ||
            ::linkat(AT_FDCWD, self.c_str(), temp.folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temp.name = std::move(name);
            return 0;
        }
        if (errno != EEXIST)
            break;
    }
    temp.Drop();
#else
    (void)contents, (void)keep, (void)temp;
#endif
    return kNoUnnamedFile;
}

int WriteNamed(const FileContents& contents, const Keep& keep, Temporary& temp)
{
    for (int tries = 0;; ++tries) {
        std::string name = TemporaryName();
        int fd = ::openat(temp.folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST && tries < 100)
                continue;
            return errno;
        }
        temp.fd = fd;
        // Locked before it is written; should another save have taken the new
        // file for a stale one and removed it before the lock was ours, the
        // name no longer leads to it, and another name is taken.
        struct stat held {}, named {};
        if (::flock(fd, LOCK_EX) == 0 &&
            (::fstat(fd, &held) != 0 || ::fstatat(temp.folder, name.c_str(), &named, 0) != 0 ||
             !SameFile(held, named))) {
            temp.Drop();
            continue;
        }
        temp.name = std::move(name);
        break;
    }
    return Fill(temp.fd, contents, keep);
}

}  // namespace

void FileSink::Put(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (error == 0 && done < size) {
        ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            error = n < 0 ? errno : EIO;
        else
            done += static_cast<std::size_t>(n);
    }
}

bool MayFollowLink(mode_t folderMode, uid_t folderOwner, uid_t linkOwner, uid_t follower)
{
    const mode_t shared = S_ISVTX | S_IWOTH;
    return (folderMode & shared) != shared || linkOwner == follower || linkOwner == folderOwner;
}

std::string FollowLinks(const std::string& path)
{
    std::string target = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        // Another user's link planted in a shared folder must not lead a save
        // onto this user's files.
        struct stat folder {};
        if (::stat(FolderOf(target).c_str(), &folder) != 0)
            return {};
        if (!MayFollowLink(folder.st_mode, folder.st_uid, info.st_uid, ::geteuid())) {
            errno = EACCES;
            return {};
        }
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) >= link.size()) {
            errno = ENAMETOOLONG;
            return {};
        }
        link.resize(static_cast<std::size_t>(n));
        target = link[0] == '/' ? link : FolderOf(target) + "/" + link;
    }
    errno = ELOOP;
    return {};
}

AtomicWriteResult WriteFileAtomically(const std::string& path, const FileContents& contents)
{
    // A file-size limit makes the kernel send SIGXFSZ, which would end the
    // program; ignored, the write fails with EFBIG and the save is refused.
    std::signal(SIGXFSZ, SIG_IGN);

    try {
        if (path.empty())
            return Fail(ENOENT);
        const std::string target = FollowLinks(path);
        if (target.empty())
            return Fail(errno);

        struct stat old {};
        Keep keep{static_cast<mode_t>(0666 & ~CurrentUmask()), nullptr};
        if (::stat(target.c_str(), &old) == 0) {
            if (!S_ISREG(old.st_mode))
                return {AtomicWriteResult::NotRegularFile, 0};
            keep = {static_cast<mode_t>(old.st_mode & 07777), &old};
        } else if (errno != ENOENT) {
            return Fail(errno);
        }

        // The folder is opened once, and the temporary file is made, renamed
        // and synced relative to it.
        const Descriptor folder(::open(FolderOf(target).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (folder.fd < 0)
            return Fail(errno);
        // First, so that their space is free for this save.
        RemoveStaleTemporaries(folder.fd);
        Temporary temp(folder.fd);
        int error = WriteUnnamed(contents, keep, temp);
        if (error == kNoUnnamedFile)
            error = WriteNamed(contents, keep, temp);
        if (error != 0)
            return Fail(error);
        // Renamed while still held locked, so that no other save takes it
        // for a stale temporary file.
        if (::renameat(folder.fd, temp.name.c_str(), folder.fd, NameOf(target).c_str()) != 0)
            return Fail(errno);
        temp.name.clear();
        temp.Drop();
        // The rename is durable only once the folder itself is synced.
        const Descriptor synced(::openat(folder.fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (synced.fd >= 0)
            ::fsync(synced.fd);
        return {};
    } catch (const std::bad_alloc&) {
        return Fail(ENOMEM);
    }
}

AtomicWriteResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes)
{
    return WriteFileAtomically(path, [bytes](FileSink& sink) { sink.Put(bytes); });
}
