// The project file: five counts and five current indexes (int32, little-endian,
// kinds in the order pressure flow, gravity flow, buried pipe, manhole, tank),
// then each kind's records raw, in the same order.
#include "AtomicFile.h"
#include "CalcKinds.h"
#include "DalvorApp.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <algorithm>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::size_t kHeaderSize = 40;

template <typename F>
void ForArray(ProjectArrays& p, int arrayIndex, F&& f)
{
    ForArrayRecords(arrayIndex, [&](const auto& e) { f(p.*e.stored); });
}

template <typename F>
void ForArray(const ProjectArrays& p, int arrayIndex, F&& f)
{
    ForArray(const_cast<ProjectArrays&>(p), arrayIndex, [&](auto& v) { f(std::as_const(v)); });
}

constexpr std::size_t kRecordSize[KindArrayCount] = {
    sizeof(GravityFlowRecord), sizeof(PressureFlowRecord), sizeof(BuriedPipeRecord),
    sizeof(ManholeRecord), sizeof(TankRecord)};

void PutInt32(std::vector<uint8_t>& out, int32_t v)
{
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

int32_t GetInt32(const uint8_t* p)
{
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<uint32_t>(p[i]) << (8 * i);
    return static_cast<int32_t>(u);
}

}  // namespace

std::vector<uint8_t> CDalvorApp::WriteProject() const
{
    std::vector<uint8_t> out;
    std::size_t total = kHeaderSize;
    for (int a = 0; a < KindArrayCount; ++a)
        total += kRecordSize[a] * static_cast<std::size_t>(storedCount[a]);
    out.reserve(total);
    for (int a : kFileOrder)
        PutInt32(out, storedCount[a]);
    for (int a : kFileOrder)
        PutInt32(out, currentIndex[a]);
    for (int a : kFileOrder) {
        ForArray(storedRecords, a, [&](const auto& records) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(records.data());
            out.insert(out.end(), bytes, bytes + records.size() * sizeof(records[0]));
        });
    }
    return out;
}

namespace {

// Checks the header and works out the length the counts announce.
ProjectReadError CheckHeader(std::span<const uint8_t> header, uint64_t fileSize, int32_t (&counts)[KindArrayCount])
{
    if (fileSize < kHeaderSize || header.size() < kHeaderSize)
        return ProjectReadError::TooShort;
    for (int i = 0; i < KindArrayCount; ++i) {
        counts[i] = GetInt32(header.data() + 4 * i);
        if (counts[i] < 0)
            return ProjectReadError::NegativeCount;
    }
    // With no magic number and no version, the length is the one check that
    // the counts describe this file.
    unsigned __int128 expected = kHeaderSize;
    for (int i = 0; i < KindArrayCount; ++i)
        expected += static_cast<unsigned __int128>(counts[i]) * kRecordSize[kFileOrder[i]];
    if (expected < fileSize)
        return ProjectReadError::TooLong;
    if (expected != fileSize)
        return ProjectReadError::LengthMismatch;
    return ProjectReadError::None;
}

}  // namespace

ProjectReadError CDalvorApp::ReadProject(std::span<const uint8_t> bytes)
{
    int32_t counts[KindArrayCount];
    if (ProjectReadError e = CheckHeader(bytes, bytes.size(), counts); e != ProjectReadError::None)
        return e;

    ProjectArrays fresh;
    std::size_t pos = kHeaderSize;
    for (int i = 0; i < KindArrayCount; ++i) {
        ForArray(fresh, kFileOrder[i], [&](auto& records) {
            records.resize(static_cast<std::size_t>(counts[i]));
            std::size_t n = records.size() * sizeof(records[0]);
            if (n)
                std::memcpy(static_cast<void*>(records.data()), bytes.data() + pos, n);
            pos += n;
        });
    }

    // The whole file is sound: it replaces the open project. The current
    // indexes stored in the file are ignored, so no record is current.
    storedRecords = std::move(fresh);
    for (int i = 0; i < KindArrayCount; ++i) {
        storedCount[kFileOrder[i]] = counts[i];
        currentIndex[kFileOrder[i]] = -1;
    }
    return ProjectReadError::None;
}

ProjectReadError CDalvorApp::ReadProjectFile(const std::string& path, int* systemError)
{
    int ignored = 0;
    int& error = systemError ? *systemError : ignored;
    error = 0;
    // Not blocking: a FIFO at the path must not hang the open.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return ProjectReadError::CannotOpen;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = errno;
        return ProjectReadError::CannotOpen;
    }
    if (!S_ISREG(info.st_mode))
        return ProjectReadError::NotRegularFile;
    const uint64_t size = static_cast<uint64_t>(info.st_size);
    auto readAll = [&](uint8_t* to, std::size_t n) {
        std::size_t done = 0;
        while (done < n) {
            ssize_t got = ::read(fd, to + done, n - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                error = got < 0 ? errno : EIO;  // a file that shrank while read
                return false;
            }
            done += static_cast<std::size_t>(got);
        }
        return true;
    };
    // The header says how long the file must be: a file that is not a
    // project is refused before it is read into memory.
    std::vector<uint8_t> bytes(static_cast<std::size_t>(std::min<uint64_t>(size, kHeaderSize)));
    if (!readAll(bytes.data(), bytes.size()))
        return ProjectReadError::CannotOpen;
    int32_t counts[KindArrayCount];
    if (ProjectReadError e = CheckHeader(bytes, size, counts); e != ProjectReadError::None)
        return e;
    bytes.resize(static_cast<std::size_t>(size));
    if (!readAll(bytes.data() + kHeaderSize, bytes.size() - kHeaderSize))
        return ProjectReadError::CannotOpen;
    return ReadProject(bytes);
}

ProjectWriteError CDalvorApp::WriteProjectFile(const std::string& path, int* systemError) const
{
    const std::vector<uint8_t> bytes = WriteProject();
    AtomicWriteResult result = WriteFileAtomically(path, bytes);
    if (systemError)
        *systemError = result.error;
    switch (result.status) {
    case AtomicWriteResult::Ok: return ProjectWriteError::None;
    case AtomicWriteResult::NotRegularFile: return ProjectWriteError::NotRegularFile;
    case AtomicWriteResult::Failed: break;
    }
    return ProjectWriteError::CannotWrite;
}
