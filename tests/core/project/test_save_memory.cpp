// Saving and opening a project when memory is short: this program's allocator
// fails any block larger than the limit a test sets, as when memory runs out.
#include "core/project/CalcKinds.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <new>

namespace {

std::atomic<std::size_t> largestBlock{SIZE_MAX};

// Runs f with the largest block set to limit.
template <typename F>
auto WithLargestBlock(std::size_t limit, F&& f)
{
    largestBlock = limit;
    auto result = f();
    largestBlock = SIZE_MAX;
    return result;
}

}  // namespace

// The replaced allocator takes its blocks from malloc, so free is its delete.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t n)
{
    void* p = n <= largestBlock.load() ? std::malloc(n ? n : 1) : nullptr;
    if (!p)
        throw std::bad_alloc();
    return p;
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

// A 12 MB project is saved with no block over 1 MB, opened with no block over
// its largest array, and reads back whole; with no room to spare there, an Add
// is refused and reported. With no memory at all, the save
// and the open are refused with the reason, the old file whole and the open
// project as it was.
TEST(SaveMemory, ProjectsAreSavedWithoutACopyAndRunningOutOfMemoryIsAFailure)
{
    constexpr int kRecords = 400;
    const TempFolder folder("dalvor-save-memory");
    const std::string path = (folder.Path() / "a project with a long name.qdl").string();
    CDalvorApp app, other;
    FillBytes(app.working.gravityFlow, 0xA5);
    for (int i = 0; i < kRecords; ++i)
        app.StoreCurrentCalc(KindGravityFlow, -1);
    std::fill(std::begin(app.project.currentIndex), std::end(app.project.currentIndex), -1);  // as read back
    int error = 0;
    ASSERT_EQ(WithLargestBlock(1 << 20, [&] { return app.WriteProjectFile(path, &error); }), ProjectWriteError::None)
        << std::strerror(error);
    ASSERT_EQ(WithLargestBlock(kRecords * sizeof(GravityFlowRecord), [&] { return other.ReadProjectFile(path, &error); }),
              ProjectReadError::None)
        << std::strerror(error);
    const std::vector<uint8_t> saved = app.WriteProject();
    EXPECT_EQ(other.WriteProject(), saved);
    CountingHost host;
    other.SetHost(&host);
    EXPECT_FALSE(WithLargestBlock(kRecords * sizeof(GravityFlowRecord),
                                  [&] { return other.StoreCurrentCalc(KindGravityFlow, -1); }));
    EXPECT_EQ(other.WriteProject(), saved);
    EXPECT_EQ(host.outOfMemoryReports, 1);

    app.StoreCurrentCalc(KindTank, -1);
    const std::vector<uint8_t> open = app.WriteProject();
    EXPECT_EQ(WithLargestBlock(0, [&] { return app.WriteProjectFile(path, &error); }), ProjectWriteError::CannotWrite);
    EXPECT_EQ(error, ENOMEM);
    EXPECT_EQ(WithLargestBlock(0, [&] { return app.ReadProjectFile(path, &error); }), ProjectReadError::CannotOpen);
    EXPECT_EQ(error, ENOMEM);
    EXPECT_EQ(app.WriteProject(), open);
    EXPECT_EQ(ReadAll(path), saved);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}
