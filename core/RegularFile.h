// Reading a file that has to be a regular file. It is opened without blocking
// and checked before anything is read, so that a FIFO, device or folder at
// the path is refused instead of holding up the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class RegularFileReader {
public:
    enum Status {
        Ok = 0,
        CannotOpen,      // see Error()
        NotRegularFile,  // a folder, device, FIFO or socket
    };

    explicit RegularFileReader(const std::string& path);
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;

    Status status() const { return state; }
    // errno of the step that failed; EIO for a file that ended early.
    int Error() const { return error; }
    // The file's length when it was opened.
    uint64_t Size() const { return size; }
    // Reads exactly n bytes on from where the last read ended.
    bool Read(uint8_t* to, std::size_t n);

private:
    int fd = -1;
    Status state = CannotOpen;
    int error = 0;
    uint64_t size = 0;
};

// The whole of a regular file that is at most `limit` bytes long; a longer
// file fails with EFBIG.
RegularFileReader::Status ReadRegularFile(const std::string& path, std::size_t limit, std::vector<uint8_t>& bytes,
                                          int* systemError = nullptr);
