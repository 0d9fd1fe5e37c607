// The project file: five counts and five current indexes (int32, little-endian,
// kinds in the order pressure flow, gravity flow, buried pipe, manhole, tank),
// then each kind's records raw, in the same order.
#include "core/project/ProjectFile.h"

#include "core/project/AtomicFile.h"
#include "core/project/CalcKinds.h"
#include "core/project/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
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

int32_t GetInt32(const uint8_t* p)
{
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<uint32_t>(p[i]) << (8 * i);
    return static_cast<int32_t>(u);
}

// The file's bytes in order, as the header and then each kind's records
// straight from their arrays: no copy of the project is made.
template <typename F>
void ForEachFilePart(const ProjectArrays& project, F&& put)
{
    uint8_t header[kHeaderSize];
    for (int i = 0; i < KindArrayCount; ++i) {
        const auto count = static_cast<uint32_t>(project.Count(kFileOrder[i]));
        const auto index = static_cast<uint32_t>(project.currentIndex[kFileOrder[i]]);
        for (int b = 0; b < 4; ++b) {
            header[4 * i + b] = static_cast<uint8_t>(count >> (8 * b));
            header[20 + 4 * i + b] = static_cast<uint8_t>(index >> (8 * b));
        }
    }
    put(std::span<const uint8_t>(header));
    for (int a : kFileOrder) {
        ForArray(project, a, [&](const auto& records) {
            put(std::span(reinterpret_cast<const uint8_t*>(records.data()), records.size() * sizeof(records[0])));
        });
    }
}

}  // namespace

std::vector<uint8_t> WriteProject(const ProjectArrays& project)
{
    std::vector<uint8_t> out;
    std::size_t total = 0;
    ForEachFilePart(project, [&](std::span<const uint8_t> part) { total += part.size(); });
    out.reserve(total);
    ForEachFilePart(project, [&](std::span<const uint8_t> part) { out.insert(out.end(), part.begin(), part.end()); });
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

// Fills new arrays of the counted sizes with the records that read(to, n)
// gives, in the file's order; false as soon as a read fails.
template <typename F>
bool ReadArrays(ProjectArrays& fresh, const int32_t (&counts)[KindArrayCount], F&& read)
{
    bool ok = true;
    for (int i = 0; i < KindArrayCount && ok; ++i) {
        ForArray(fresh, kFileOrder[i], [&](auto& records) {
            records.resize(static_cast<std::size_t>(counts[i]));
            std::size_t n = records.size() * sizeof(records[0]);
            ok = n == 0 || read(static_cast<void*>(records.data()), n);
        });
    }
    return ok;
}

// The whole file is sound: it replaces the open project. The current indexes
// stored in the file are ignored: the fresh arrays have no current record.
void Adopt(ProjectArrays& project, ProjectArrays&& fresh)
{
    project = std::move(fresh);
}

}  // namespace

ProjectReadError ReadProject(ProjectArrays& project, std::span<const uint8_t> bytes)
{
    int32_t counts[KindArrayCount];
    if (ProjectReadError e = CheckHeader(bytes, bytes.size(), counts); e != ProjectReadError::None)
        return e;
    ProjectArrays fresh;
    std::size_t pos = kHeaderSize;
    ReadArrays(fresh, counts, [&](void* to, std::size_t n) {
        std::memcpy(to, bytes.data() + pos, n);
        pos += n;
        return true;
    });
    Adopt(project, std::move(fresh));
    return ProjectReadError::None;
}

ProjectReadError ReadProjectFile(ProjectArrays& project, const std::string& path, int* systemError)
{
    int ignored = 0;
    int& error = systemError ? *systemError : ignored;
    error = 0;
    try {
        RegularFileReader file(path);
        error = file.Error();
        if (file.Open() != RegularFileReader::Ok)
            return file.Open() == RegularFileReader::NotRegularFile ? ProjectReadError::NotRegularFile
                                                                    : ProjectReadError::CannotOpen;
        // The header says how long the file must be: a file that is not a
        // project is refused before anything is allocated for it, and the
        // records are read straight into their arrays.
        uint8_t header[kHeaderSize];
        const std::size_t headerSize = static_cast<std::size_t>(std::min<uint64_t>(file.Size(), kHeaderSize));
        if (!file.ReadExactly(header, headerSize)) {
            error = file.Error();
            return ProjectReadError::CannotOpen;
        }
        int32_t counts[KindArrayCount];
        if (ProjectReadError e = CheckHeader(std::span(header, headerSize), file.Size(), counts);
            e != ProjectReadError::None)
            return e;
        ProjectArrays fresh;
        if (!ReadArrays(fresh, counts, [&](void* to, std::size_t n) { return file.ReadExactly(to, n); })) {
            error = file.Error();
            return ProjectReadError::CannotOpen;
        }
        Adopt(project, std::move(fresh));
        return ProjectReadError::None;
    } catch (const std::bad_alloc&) {
        // Too large for the memory left: refused like any file that cannot be
        // read, the open project kept.
        error = ENOMEM;
        return ProjectReadError::CannotOpen;
    }
}

ProjectWriteError WriteProjectFile(const ProjectArrays& project, const std::string& path, int* systemError)
{
    AtomicWriteResult result = WriteFileAtomically(path, [&project](FileSink& sink) {
        ForEachFilePart(project, [&](std::span<const uint8_t> part) { sink.Put(part); });
    });
    if (systemError)
        *systemError = result.error;
    switch (result.status) {
    case AtomicWriteResult::Ok: return ProjectWriteError::None;
    case AtomicWriteResult::NotRegularFile: return ProjectWriteError::NotRegularFile;
    case AtomicWriteResult::Failed: break;
    }
    return ProjectWriteError::CannotWrite;
}
