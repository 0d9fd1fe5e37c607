// The project file: five counts and five current indexes (int32, little-endian,
// kinds in the order pressure flow, gravity flow, buried pipe, manhole, tank),
// then each kind's records raw, in the same order.
#include "CalcKinds.h"
#include "DalvorApp.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
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

ProjectReadError CDalvorApp::ReadProjectFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ProjectReadError::CannotOpen;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0 || !in)
        return ProjectReadError::CannotOpen;
    // The header says how long the file must be: a file that is not a
    // project is refused before it is read into memory.
    std::vector<uint8_t> bytes(std::min<uint64_t>(static_cast<uint64_t>(size), kHeaderSize));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in)
        return ProjectReadError::CannotOpen;
    int32_t counts[KindArrayCount];
    if (ProjectReadError e = CheckHeader(bytes, static_cast<uint64_t>(size), counts); e != ProjectReadError::None)
        return e;
    bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()) + kHeaderSize,
            static_cast<std::streamsize>(bytes.size() - kHeaderSize));
    if (!in && bytes.size() > kHeaderSize)
        return ProjectReadError::CannotOpen;
    return ReadProject(bytes);
}

ProjectWriteError CDalvorApp::WriteProjectFile(const std::string& path) const
{
    std::vector<uint8_t> bytes = WriteProject();
    std::string temp = path + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        return ProjectWriteError::CannotWrite;
    std::size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    // A save keeps the permissions of the file it replaces.
    struct stat old {};
    fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok) {
        std::remove(temp.c_str());
        return ProjectWriteError::CannotWrite;
    }
    return ProjectWriteError::None;
}
