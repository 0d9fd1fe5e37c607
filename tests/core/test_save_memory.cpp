// Saving and opening a project when memory is short. This program replaces
// the allocator, so that a test can set the largest block an allocation may
// take: anything larger fails as it does when memory runs out.
#include "CalcKinds.h"
#include "CoreTestSupport.h"
#include "DalvorApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <new>

namespace {

std::atomic<std::size_t> largestBlock{std::numeric_limits<std::size_t>::max()};

void* Allocate(std::size_t n)
{
    if (n > largestBlock.load())
        throw std::bad_alloc();
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

// Sets the largest block while it lives.
struct MemoryLimit {
    explicit MemoryLimit(std::size_t n) { largestBlock = n; }
    ~MemoryLimit() { largestBlock = std::numeric_limits<std::size_t>::max(); }
};

}  // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 400;  // 12 MB of gravity-flow records

std::unique_ptr<CDalvorApp> LargeProject()
{
    auto app = std::make_unique<CDalvorApp>();
    FillBytes(app->gravityFlow, 0xA5);
    FillBytes(app->tank, 0x3C);
    for (int i = 0; i < kRecords; ++i)
        app->StoreCurrentCalc(KindGravityFlow, -1);
    app->StoreCurrentCalc(KindTank, -1);
    // As a project just opened: no current entries, so it reads back the same.
    std::fill(std::begin(app->currentIndex), std::end(app->currentIndex), -1);
    return app;
}

}  // namespace

TEST(SaveMemory, ALargeProjectIsSavedAndOpenedWithoutACopyOfIt)
{
    const TempFolder folder("dalvor-save-memory");
    const std::string path = (folder.Path() / "large.qdl").string();
    auto app = LargeProject();
    int error = -1;
    ProjectWriteError written;
    {
        const MemoryLimit limit(1 << 20);  // a twelfth of the project
        written = app->WriteProjectFile(path, &error);
    }
    ASSERT_EQ(written, ProjectWriteError::None) << std::strerror(error);
    EXPECT_EQ(fs::file_size(path), app->WriteProject().size());

    // Opening takes the records' own arrays, and nothing as large as the file.
    auto other = std::make_unique<CDalvorApp>();
    ProjectReadError read;
    {
        const MemoryLimit limit(kRecords * sizeof(GravityFlowRecord));
        read = other->ReadProjectFile(path, &error);
    }
    ASSERT_EQ(read, ProjectReadError::None) << std::strerror(error);
    EXPECT_EQ(other->storedCount[ArrayGravityFlow], kRecords);
    EXPECT_EQ(other->WriteProject(), app->WriteProject());
}

// With no memory at all, a save and an open are refused with the reason,
// the old file whole and the open project as it was.
TEST(SaveMemory, RunningOutOfMemoryIsAFailureLikeAnyOther)
{
    const TempFolder folder("dalvor-no-memory");
    const std::string path = (folder.Path() / "project with a long name.qdl").string();
    auto app = LargeProject();
    ASSERT_EQ(app->WriteProjectFile(path), ProjectWriteError::None);
    const std::vector<uint8_t> saved = app->WriteProject();
    app->StoreCurrentCalc(KindTank, -1);
    const std::vector<uint8_t> open = app->WriteProject();

    int writeError = 0, readError = 0;
    ProjectWriteError written;
    ProjectReadError read;
    {
        const MemoryLimit none(0);
        written = app->WriteProjectFile(path, &writeError);
        read = app->ReadProjectFile(path, &readError);
    }
    EXPECT_EQ(written, ProjectWriteError::CannotWrite);
    EXPECT_EQ(writeError, ENOMEM);
    EXPECT_EQ(read, ProjectReadError::CannotOpen);
    EXPECT_EQ(readError, ENOMEM);
    EXPECT_EQ(app->WriteProject(), open);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), saved);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}
