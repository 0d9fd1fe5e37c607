// The one way a file is saved, by the window and by the tools alike: the bytes
// go to a temporary file in the target's folder, are synced, and the
// temporary file is renamed over the target, so the target is either the old
// file or the new one, never a mixture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <sys/types.h>

struct AtomicWriteResult {
    enum Status {
        Ok = 0,
        NotRegularFile,  // the path names a folder, device, FIFO or socket; left alone
        Failed,          // see error
    };
    Status status = Ok;
    int error = 0;  // errno of the step that failed (ENOMEM when memory ran out)
    explicit operator bool() const { return status == Ok; }
};

// Takes the bytes of a file being saved, in order, straight to the file.
// After a failed write it takes no more and keeps the errno of the failure.
class FileSink {
public:
    explicit FileSink(int file) : fd(file) {}
    void Put(const void* data, std::size_t size);
    void Put(std::span<const uint8_t> bytes) { Put(bytes.data(), bytes.size()); }
    int Error() const { return error; }

private:
    int fd;
    int error = 0;
};

// Produces a file's bytes into a sink. One save may call it more than once,
// each time for a fresh file, so it must give the same bytes each time.
using FileContents = std::function<void(FileSink&)>;

// Saves at path the bytes that contents produces, so a file of any size is
// written without a copy of it in memory. A symbolic link is followed and the
// file it points to is replaced, the link kept, except a link that the
// kernel's rule for shared sticky folders would not follow (EACCES). A new
// file takes the mode the umask gives; a replaced file keeps its mode, its
// group and its owner as far as the user may set them. The temporary file has
// no name while it is written where the file system allows it, and otherwise
// a name of fixed length relative to the folder, which is opened once, so any
// name that fits the folder can be saved however long the path to it is;
// temporary files that killed saves left in the folder are removed at the
// next save into it. The temporary file never outlives a failure, running out
// of memory is a failure like any other, and a write cut short by a file-size
// limit fails instead of ending the program.
AtomicWriteResult WriteFileAtomically(const std::string& path, const FileContents& contents);
AtomicWriteResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

// The names this program gives its temporary files: the prefix and a fixed
// number of letters and digits.
inline constexpr std::string_view kSaveTemporaryPrefix = ".dalvor-save-";
inline constexpr std::size_t kSaveTemporaryNameLength = kSaveTemporaryPrefix.size() + 8;

// The file a path finally names once its symbolic links are followed (the
// path itself when it names no link); empty with errno set when the chain
// of links cannot be followed or a link may not be followed.
std::string FollowLinks(const std::string& path);

// Whether a symbolic link may be followed by the kernel's rule for shared
// folders: in a folder that is sticky and writable by all, only a link owned
// by the one following it or by the folder's owner is followed.
bool MayFollowLink(mode_t folderMode, uid_t folderOwner, uid_t linkOwner, uid_t follower);
