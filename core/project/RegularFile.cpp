#include "core/project/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileReader::RegularFileReader(const std::string& path)
{
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = errno;
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        status = NotRegularFile;
        return;
    }
    size = static_cast<uint64_t>(info.st_size);
    status = Ok;
}

RegularFileReader::~RegularFileReader()
{
    if (fd >= 0)
        ::close(fd);
}

bool RegularFileReader::ReadExactly(void* to, std::size_t n)
{
    if (status != Ok)
        return false;
    auto* bytes = static_cast<unsigned char*>(to);
    std::size_t done = 0;
    while (done < n) {
        ssize_t got = ::read(fd, bytes + done, n - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? errno : EIO;  // a file that shrank while it was read
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

RegularFileReader::Status ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes, int* error)
{
    bytes.clear();
    RegularFileReader file(path);
    RegularFileReader::Status status = file.Open();
    if (status == RegularFileReader::Ok) {
        bytes.resize(static_cast<std::size_t>(std::min<uint64_t>(file.Size(), maxBytes)));
        if (!file.ReadExactly(bytes.data(), bytes.size())) {
            bytes.clear();
            status = RegularFileReader::CannotOpen;
        }
    }
    if (error)
        *error = file.Error();
    return status;
}

bool MakePrivateFolder(const std::string& folder)
{
    if (folder.empty())
        return false;
    // The folders above are made as any other program makes them.
    for (std::size_t at = folder.find('/', 1); at != std::string::npos; at = folder.find('/', at + 1))
        ::mkdir(folder.substr(0, at).c_str(), 0777);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(folder.c_str(), info.st_mode & 07700) == 0;
}

bool MakePrivateFile(const std::string& path)
{
    // Never waiting on a FIFO, nor taking a terminal.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool done = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                      ((info.st_mode & 077) == 0 || ::fchmod(fd, info.st_mode & 07700) == 0);
    ::close(fd);
    return done;
}
