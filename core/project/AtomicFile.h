// The one way a file is saved, by the window and by the tools alike: the bytes
// go to a temporary file in the target's folder, are synced, and the
// temporary file is renamed over the target, so the target is either the old
// file or the new one, never a mixture.
#pragma once

#include <cstdint>
#include <span>
#include <string>

struct AtomicWriteResult {
    enum Status {
        Ok = 0,
        NotRegularFile,  // the path names a folder, device, FIFO or socket; left alone
        Failed,          // see error
    };
    Status status = Ok;
    int error = 0;  // errno of the step that failed
    explicit operator bool() const { return status == Ok; }
};

// Saves bytes at path. A symbolic link is followed and the file it points to
// is replaced, the link kept; a new file takes the mode the umask gives, a
// replaced file keeps its mode. The temporary file never outlives a failure,
// and a write cut short by a file-size limit fails instead of ending the
// program.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

// The file a path finally names once its symbolic links are followed (the
// path itself when it names no link); empty with errno set when the chain
// of links cannot be followed.
std::string FollowLinks(const std::string& path);
