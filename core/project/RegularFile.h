// Reading the user's files: only a regular file is read, and what stands at a
// path in its place (a FIFO, a device, a folder) is refused at once, never
// waited on or read from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class RegularFileReader {
public:
    enum Status {
        Ok = 0,
        CannotOpen,      // see Error()
        NotRegularFile,  // a folder, device, FIFO or socket
    };

    // Opens path (its symbolic links followed) without blocking: a FIFO with
    // no writer is opened, seen to be no file and closed.
    explicit RegularFileReader(const std::string& path);
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;

    Status Open() const { return status; }
    // errno of the open or of the read that failed (EIO for a file that ended
    // before what it was asked for).
    int Error() const { return error; }
    // The file's size when it was opened.
    uint64_t Size() const { return size; }
    // Reads exactly n bytes at the current position; false when the file
    // cannot give them.
    bool ReadExactly(void* to, std::size_t n);

private:
    int fd = -1;
    Status status = CannotOpen;
    int error = 0;
    uint64_t size = 0;
};

// Reads the first maxBytes bytes of a regular file (the whole file when it is
// shorter) into bytes. On any status but Ok, bytes is left empty and error,
// when given, receives the errno of the failure (0 for NotRegularFile).
RegularFileReader::Status ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                                          int* error = nullptr);

// The program's own folders and files, which others may not read: the folder
// is made when missing (with any folders missing above it, as the umask
// gives) and left the user's alone (0700). False when something else stands
// there or it cannot be made so.
bool MakePrivateFolder(const std::string& folder);
// The regular file at path is left readable and writable by the user alone
// (0600), and made empty when nothing stands there; whatever else stands
// there is left alone (false).
bool MakePrivateFile(const std::string& path);
