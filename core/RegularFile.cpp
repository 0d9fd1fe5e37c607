#include "RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileReader::RegularFileReader(const std::string& path)
{
    // Not blocking: opening a FIFO for reading would wait for a writer.
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
        state = NotRegularFile;
        return;
    }
    size = static_cast<uint64_t>(info.st_size);
    state = Ok;
}

RegularFileReader::~RegularFileReader()
{
    if (fd >= 0)
        ::close(fd);
}

bool RegularFileReader::Read(uint8_t* to, std::size_t n)
{
    if (state != Ok)
        return false;
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::read(fd, to + done, n - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? errno : EIO;  // a file that shrank while read
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

RegularFileReader::Status ReadRegularFile(const std::string& path, std::size_t limit, std::vector<uint8_t>& bytes,
                                          int* systemError)
{
    RegularFileReader file(path);
    int error = file.Error();
    RegularFileReader::Status status = file.status();
    bytes.clear();
    if (status == RegularFileReader::Ok) {
        if (file.Size() > limit) {
            error = EFBIG;
            status = RegularFileReader::CannotOpen;
        } else {
            bytes.resize(static_cast<std::size_t>(file.Size()));
            if (!file.Read(bytes.data(), bytes.size())) {
                error = file.Error();
                status = RegularFileReader::CannotOpen;
                bytes.clear();
            }
        }
    }
    if (systemError)
        *systemError = error;
    return status;
}
