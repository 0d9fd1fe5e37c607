#include "project/AtomicFile.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
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

mode_t CurrentUmask()
{
    // umask can only be read by setting it; put the same value back at once.
    mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

AtomicWriteResult Fail(int error) { return {AtomicWriteResult::Failed, error}; }

}  // namespace

std::string FollowLinks(const std::string& path)
{
    std::string target = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
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

AtomicWriteResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes)
{
    // A file-size limit makes the kernel send SIGXFSZ, which would end the
    // program; ignored, the write fails with EFBIG and the save is refused.
    std::signal(SIGXFSZ, SIG_IGN);

    if (path.empty())
        return Fail(ENOENT);
    const std::string target = FollowLinks(path);
    if (target.empty())
        return Fail(errno);

    mode_t mode = 0666 & ~CurrentUmask();
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode))
            return {AtomicWriteResult::NotRegularFile, 0};
        mode = old.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Fail(errno);
    }

    const std::string folder = FolderOf(target);
    std::string temp = folder + "/." + target.substr(target.find_last_of('/') + 1) + ".XXXXXX";
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail(errno);

    int error = 0;
    if (!WriteAll(fd, bytes) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return Fail(error);
    }
    // The rename is durable only once the folder itself is synced.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}
