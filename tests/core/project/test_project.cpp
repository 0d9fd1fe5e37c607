// The project store and the project file.
#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/project/CalcKinds.h"
#include "core/report/ClipboardText.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

// The reads left before one fails as on a failing disk; -1: none fails.
static int readsBeforeFailure = -1;
extern "C" ssize_t read(int fd, void* to, size_t n)
{
    if (readsBeforeFailure >= 0 && readsBeforeFailure-- == 0)
        return errno = EIO, -1;
    return reinterpret_cast<ssize_t (*)(int, void*, size_t)>(::dlsym(RTLD_NEXT, "read"))(fd, to, n);
}

namespace {

struct ProjectTest : ::testing::Test {
    std::unique_ptr<CDalvorApp> app = std::make_unique<CDalvorApp>();
    CountingHost host;
    void SetUp() override
    {
        app->SetHost(&host);
        app->ResetAllRecords();
    }
    std::u16string Name(int i) const { return FromFixed(app->project.gravityFlow[i].head.name); }
};

int32_t Int32At(const std::vector<uint8_t>& b, std::size_t off)
{
    int32_t v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
}

// Fills each working record with its own byte, in the file's order of kinds.
void FillWorkingRecords(CDalvorApp& app, const uint8_t (&bytes)[5])
{
    FillBytes(app.working.pressureFlow, bytes[0]);
    FillBytes(app.working.gravityFlow, bytes[1]);
    FillBytes(app.working.buriedPipe, bytes[2]);
    FillBytes(app.working.manhole, bytes[3]);
    FillBytes(app.working.tank, bytes[4]);
}

// The file's counts and current indexes are the source's, and every record
// byte after the 40-byte header is the same.
void ExpectSameFileWithNoCurrentEntries(const std::vector<uint8_t>& got, const std::vector<uint8_t>& source)
{
    ASSERT_EQ(got.size(), source.size());
    EXPECT_EQ(std::memcmp(got.data(), source.data(), 20), 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Int32At(got, 20 + 4 * i), -1);
    EXPECT_EQ(std::memcmp(got.data() + 40, source.data() + 40, source.size() - 40), 0);
}

}  // namespace

TEST_F(ProjectTest, AppendNumbersByCountAndKeepsEditedNames)
{
    app->StoreCurrentCalc(KindGravityFlow, -1);
    EXPECT_EQ(app->project.Count(ArrayGravityFlow), 1);
    EXPECT_EQ(app->project.currentIndex[ArrayGravityFlow], 0);
    EXPECT_EQ(Name(0), u"GP-001");
    EXPECT_EQ(FromFixed(app->working.gravityFlow.head.name), u"GP-001");  // the page shows it from now on

    app->ResetGravityFlowRecord();
    app->StoreCurrentCalc(KindGravityFlow, -1);
    EXPECT_EQ(Name(1), u"GP-002");
    EXPECT_EQ(app->project.currentIndex[ArrayGravityFlow], 1);

    CopyBounded(app->working.gravityFlow.head.name, u"Collector A");
    app->StoreCurrentCalc(KindGravityFlow, -1);
    EXPECT_EQ(Name(2), u"Collector A");

    // Each kind has its own prefix and its own array.
    for (int kind : {KindTank, KindManhole, KindBuriedPipe, KindPressureFlow}) {
        app->StoreCurrentCalc(kind, -1);
        EXPECT_EQ(app->project.Count(KindToArrayIndex(kind)), 1);
    }
    EXPECT_EQ(FromFixed(app->project.tank[0].head.name), u"UT-001");
    EXPECT_EQ(FromFixed(app->project.manhole[0].head.name), u"M-001");
    EXPECT_EQ(FromFixed(app->project.buriedPipe[0].head.name), u"UP-001");
    EXPECT_EQ(FromFixed(app->project.pressureFlow[0].head.name), u"PP-001");
    EXPECT_EQ(host.modifiedCalls, 7);

    // Numbers go past three digits.
    for (int i = 0; i < 999; ++i) {
        app->ResetTankRecord();
        app->StoreCurrentCalc(KindTank, -1);
    }
    EXPECT_EQ(FromFixed(app->project.tank[998].head.name), u"UT-999");
    EXPECT_EQ(FromFixed(app->project.tank[999].head.name), u"UT-1000");
}

TEST_F(ProjectTest, OverwriteOrLoadTheCurrentEntryAndAppendWhenNoneIsCurrent)
{
    EXPECT_FALSE(app->LoadCurrentStoredCalc(KindGravityFlow));
    app->StoreCurrentCalc(KindGravityFlow, -1);
    app->StoreCurrentCalc(KindGravityFlow, -1);
    app->project.currentIndex[ArrayGravityFlow] = 0;
    app->ResetGravityFlowRecord();  // a "-" name takes the current count
    app->working.gravityFlow.length = 250;
    app->StoreCurrentCalc(KindGravityFlow, 0);
    EXPECT_EQ(app->project.Count(ArrayGravityFlow), 2);
    EXPECT_EQ(app->project.gravityFlow[0].length, 250);
    EXPECT_EQ(Name(0), u"GP-002");

    // The index passed is only a flag: the current entry is the one written.
    app->working.gravityFlow.length = 300;
    app->StoreCurrentCalc(KindGravityFlow, 1);
    EXPECT_EQ(app->project.gravityFlow[0].length, 300);
    EXPECT_EQ(app->project.gravityFlow[1].length, 100);

    // With no current entry an overwrite appends instead of writing outside the array.
    app->project.currentIndex[ArrayGravityFlow] = -1;
    app->StoreCurrentCalc(KindGravityFlow, 0);
    EXPECT_EQ(app->project.Count(ArrayGravityFlow), 3);
    EXPECT_EQ(app->project.currentIndex[ArrayGravityFlow], 2);

    // Loading back copies the current entry; a stale index loads nothing.
    app->project.currentIndex[ArrayGravityFlow] = 1;
    app->ResetGravityFlowRecord();
    ASSERT_TRUE(app->LoadCurrentStoredCalc(KindGravityFlow));
    EXPECT_EQ(FromFixed(app->working.gravityFlow.head.name), u"GP-001");
    EXPECT_EQ(app->working.gravityFlow.length, 100);
    app->project.currentIndex[ArrayGravityFlow] = 7;
    EXPECT_FALSE(app->LoadCurrentStoredCalc(KindGravityFlow));
}

TEST_F(ProjectTest, MovesSwapDeletesMakeTheNeighbourCurrentAndBothMarkModifiedEvenAtTheEnds)
{
    for (int i = 0; i < 3; ++i) {
        app->ResetManholeRecord();
        app->StoreCurrentCalc(KindManhole, -1);
    }
    auto names = [&] {
        std::u16string s;
        for (auto& r : app->project.manhole)
            s += FromFixed(r.head.name) + u" ";
        return s;
    };
    app->MoveStoredCalcDown(KindManhole, 0);
    EXPECT_EQ(names(), u"M-002 M-001 M-003 ");
    EXPECT_EQ(app->project.currentIndex[ArrayManhole], 1);
    app->MoveStoredCalcUp(KindManhole, 2);
    EXPECT_EQ(names(), u"M-002 M-003 M-001 ");
    EXPECT_EQ(app->project.currentIndex[ArrayManhole], 1);

    int before = host.modifiedCalls;
    app->MoveStoredCalcUp(KindManhole, 0);
    app->MoveStoredCalcDown(KindManhole, 2);
    EXPECT_EQ(names(), u"M-002 M-003 M-001 ");
    EXPECT_EQ(app->project.currentIndex[ArrayManhole], 1);
    EXPECT_EQ(host.modifiedCalls, before + 2);

    // Not a kind: no array changes, the document is still marked.
    app->StoreCurrentCalc(0, -1);
    app->DeleteStoredCalc(6, 0);
    EXPECT_EQ(host.modifiedCalls, before + 4);
    for (int a = 0; a < KindArrayCount; ++a)
        EXPECT_EQ(app->project.Count(a), a == ArrayManhole ? 3 : 0);

    app->DeleteStoredCalc(KindManhole, 1);
    EXPECT_EQ(names(), u"M-002 M-001 ");
    EXPECT_EQ(app->project.currentIndex[ArrayManhole], 1);
    app->DeleteStoredCalc(KindManhole, 1);  // the last one: its predecessor becomes current
    EXPECT_EQ(app->project.currentIndex[ArrayManhole], 0);
    app->DeleteStoredCalc(KindManhole, 5);  // out of range: nothing but the modified mark
    EXPECT_EQ(app->project.Count(ArrayManhole), 1);
    app->DeleteStoredCalc(KindManhole, 0);
    EXPECT_EQ(app->project.Count(ArrayManhole), 0);
    EXPECT_EQ(app->project.currentIndex[ArrayManhole], -1);
    EXPECT_EQ(host.modifiedCalls, before + 4 + 4);
}

TEST_F(ProjectTest, FileLayout)
{
    // An empty project: five zero counts and five -1 current indexes.
    const std::vector<uint8_t> empty = app->WriteProject();
    std::vector<uint8_t> expected(40, 0x00);
    std::fill(expected.begin() + 20, expected.end(), 0xFF);
    EXPECT_EQ(empty, expected);

    app->StoreCurrentCalc(KindGravityFlow, -1);
    std::vector<uint8_t> one = app->WriteProject();
    ASSERT_EQ(one.size(), 30136u);
    EXPECT_EQ(Int32At(one, 4), 1);
    EXPECT_EQ(Int32At(one, 24), 0);
    EXPECT_EQ(std::memcmp(one.data() + 40, &app->project.gravityFlow[0], 30096), 0);

    // One of each kind, the records filled with their own byte: pressure flow
    // first, then gravity flow, buried pipe, manhole, tank.
    app->FreeProject();
    FillWorkingRecords(*app, {0x11, 0x22, 0x33, 0x44, 0x55});
    for (int kind = 1; kind <= 5; ++kind)
        app->StoreCurrentCalc(kind, -1);
    app->StoreCurrentCalc(KindTank, -1);
    std::vector<uint8_t> mixed = app->WriteProject();
    const std::size_t starts[] = {40, 40 + 15296, 40 + 15296 + 30096, 40 + 15296 + 30096 + 2024,
                                  40 + 15296 + 30096 + 2024 + 1376};
    ASSERT_EQ(mixed.size(), starts[4] + 2 * 1992);
    const int32_t counts[] = {1, 1, 1, 1, 2};
    const int32_t current[] = {0, 0, 0, 0, 1};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Int32At(mixed, 4 * i), counts[i]);
        EXPECT_EQ(Int32At(mixed, 20 + 4 * i), current[i]);
        EXPECT_EQ(mixed[starts[i] + 1000], 0x11 * (i + 1)) << i;
    }
    EXPECT_EQ(mixed.back(), 0x55);
}

TEST_F(ProjectTest, RoundTripKeepsEveryByteAndForgetsTheCurrentEntries)
{
    // Reserved bytes, NaN payloads and unterminated texts travel untouched.
    FillWorkingRecords(*app, {0xA5, 0x5A, 0xFF, 0x7F, 0x01});
    for (int kind = 1; kind <= 5; ++kind) {
        app->StoreCurrentCalc(kind, -1);
        app->StoreCurrentCalc(kind, -1);
    }
    std::vector<uint8_t> bytes = app->WriteProject();
    EXPECT_EQ(Int32At(bytes, 20), 1);

    auto other = std::make_unique<CDalvorApp>();
    ASSERT_EQ(other->ReadProject(bytes), ProjectReadError::None);
    for (int a = 0; a < KindArrayCount; ++a) {
        EXPECT_EQ(other->project.Count(a), 2);
        EXPECT_EQ(other->project.currentIndex[a], -1);
    }
    ExpectSameFileWithNoCurrentEntries(other->WriteProject(), bytes);
}

TEST_F(ProjectTest, DamagedFilesAreRefusedByTheirHeaderAndTheOpenProjectStays)
{
    const TempFolder folder("dalvor-project-damaged");
    const fs::path& dir = folder.Path();
    app->StoreCurrentCalc(KindManhole, -1);
    app->StoreCurrentCalc(KindGravityFlow, -1);
    std::vector<uint8_t> good = app->WriteProject();
    // A second project stays open while damaged files are offered.
    app->StoreCurrentCalc(KindTank, -1);
    const std::vector<uint8_t> before = app->WriteProject();

    auto with = [&](std::size_t off, int32_t v) {
        std::vector<uint8_t> b = good;
        std::memcpy(b.data() + off, &v, 4);
        return b;
    };
    std::vector<uint8_t> longByOne = good;
    longByOne.push_back(0);
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        ProjectReadError error;
    } cases[] = {
        {"empty", {}, ProjectReadError::TooShort},
        {"12 bytes", {good.begin(), good.begin() + 12}, ProjectReadError::TooShort},
        {"39 bytes", {good.begin(), good.begin() + 39}, ProjectReadError::TooShort},
        {"one byte short", {good.begin(), good.end() - 1}, ProjectReadError::LengthMismatch},
        {"one byte long", longByOne, ProjectReadError::TooLong},
        {"negative count", with(12, -1), ProjectReadError::NegativeCount},
        {"negative last count", with(16, -5), ProjectReadError::NegativeCount},
        {"huge count", with(0, 0x7FFFFFFF), ProjectReadError::LengthMismatch},
        {"huge second count", with(4, 0x7FFFFFFF), ProjectReadError::LengthMismatch},
        {"counts that overflow 32 bits", with(4, 142711), ProjectReadError::LengthMismatch},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app->ReadProject(c.bytes), c.error) << c.what;
        EXPECT_EQ(app->WriteProject(), before) << c.what;
        WriteAll(dir / "damaged.qdl", c.bytes);
        EXPECT_EQ(app->ReadProjectFile((dir / "damaged.qdl").string()), c.error) << c.what << " on disk";
        EXPECT_EQ(app->WriteProject(), before) << c.what << " on disk";
    }
    EXPECT_EQ(app->ReadProjectFile("/nonexistent/dalvor/project.qdl"), ProjectReadError::CannotOpen);
    EXPECT_EQ(app->WriteProject(), before);

    WriteAll(dir / "good.qdl", good);
    readsBeforeFailure = 1;  // the header alone is read
    EXPECT_EQ(app->ReadProjectFile((dir / "good.qdl").string()), ProjectReadError::CannotOpen);
    EXPECT_EQ(app->WriteProject(), before);
    EXPECT_EQ(app->ReadProjectFile((dir / "good.qdl").string()), ProjectReadError::None);
    EXPECT_EQ(app->project.Count(ArrayTank), 0);
    EXPECT_EQ(app->project.Count(ArrayManhole), 1);
}

TEST_F(ProjectTest, SavesReplaceTheFileWholeOrNotAtAll)
{
    const TempFolder folder("dalvor-project-save");
    const fs::path& dir = folder.Path();
    fs::path file = dir / "project one.qdl";
    app->StoreCurrentCalc(KindBuriedPipe, -1);
    ASSERT_EQ(app->WriteProjectFile(file.string()), ProjectWriteError::None);
    EXPECT_EQ(ReadAll(file), app->WriteProject());

    // A folder that cannot take the file: the save fails and says so.
    EXPECT_EQ(app->WriteProjectFile((dir / "missing" / "x.qdl").string()), ProjectWriteError::CannotWrite);

    auto other = std::make_unique<CDalvorApp>();
    ASSERT_EQ(other->ReadProjectFile(file.string()), ProjectReadError::None);
    EXPECT_EQ(other->project.Count(ArrayBuriedPipe), 1);
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename(), "project one.qdl");  // no temporary file left behind
}

TEST_F(ProjectTest, SavesFollowLinksRefuseWhatIsNoFileAndNeverLeaveATemporaryFile)
{
    const TempFolder folder("dalvor-project-special");
    const fs::path& dir = folder.Path();
    app->StoreCurrentCalc(KindManhole, -1);
    const std::vector<uint8_t> project = app->WriteProject();
    const std::vector<uint8_t> old(60, 7);
    struct Case {
        const char* what;
        void (*prepare)(const fs::path& dir, const std::vector<uint8_t>& old);
        ProjectWriteError error;
        int systemError;
    };
    const Case cases[] = {
        {"link to a file",
         [](const fs::path& d, const std::vector<uint8_t>& o) {
             WriteAll(d / "real.qdl", o);
             fs::create_symlink("real.qdl", d / "p.qdl");
         },
         ProjectWriteError::None, 0},
        {"link to a device",
         [](const fs::path& d, const std::vector<uint8_t>&) { fs::create_symlink("/dev/null", d / "p.qdl"); },
         ProjectWriteError::NotRegularFile, 0},
        {"fifo", [](const fs::path& d, const std::vector<uint8_t>&) { ::mkfifo((d / "p.qdl").c_str(), 0600); },
         ProjectWriteError::NotRegularFile, 0},
        {"folder", [](const fs::path& d, const std::vector<uint8_t>&) { fs::create_directory(d / "p.qdl"); },
         ProjectWriteError::NotRegularFile, 0},
        {"file-size limit",
         [](const fs::path& d, const std::vector<uint8_t>& o) {
             WriteAll(d / "p.qdl", o);
             const rlimit small{100, RLIM_INFINITY};
             ::setrlimit(RLIMIT_FSIZE, &small);
         },
         ProjectWriteError::CannotWrite, EFBIG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir);
        fs::create_directories(dir);
        struct stat before {};
        c.prepare(dir, old);
        ::lstat((dir / "p.qdl").c_str(), &before);
        int systemError = -1;
        const ProjectWriteError error = app->WriteProjectFile((dir / "p.qdl").string(), &systemError);
        rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(systemError, c.systemError);
        struct stat after {};
        ::lstat((dir / "p.qdl").c_str(), &after);
        EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT);  // a link stays a link
        if (c.error == ProjectWriteError::None) {
            EXPECT_EQ(ReadAll(dir / "p.qdl"), project);
        } else if (S_ISREG(before.st_mode)) {
            EXPECT_EQ(ReadAll(dir / "p.qdl"), old);
        }
        for (const auto& e : fs::directory_iterator(dir))
            EXPECT_TRUE(e.path().filename() == "p.qdl" || e.path().filename() == "real.qdl") << e.path();
    }

    // A new file takes the mode the umask gives; a replaced one keeps its own.
    fs::remove_all(dir);
    fs::create_directories(dir);
    const mode_t mask = ::umask(027);
    ASSERT_EQ(app->WriteProjectFile((dir / "new.qdl").string()), ProjectWriteError::None);
    ::umask(mask);
    struct stat info {};
    ::stat((dir / "new.qdl").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    ::chmod((dir / "new.qdl").c_str(), 0604);
    ASSERT_EQ(app->WriteProjectFile((dir / "new.qdl").string()), ProjectWriteError::None);
    ::stat((dir / "new.qdl").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0604u);
    }

TEST(RecalcTool, WritesBackByteForByteAndRefusesDamagedFiles)
{
    const TempFolder folder("dalvor-recalc-tool");
    const fs::path& dir = folder.Path();
    auto app = std::make_unique<CDalvorApp>();
    FillBytes(app->working.gravityFlow, 0xA5);
    FillBytes(app->working.tank, 0x3C);
    app->StoreCurrentCalc(KindGravityFlow, -1);
    app->StoreCurrentCalc(KindTank, -1);
    app->StoreCurrentCalc(KindTank, -1);
    std::vector<uint8_t> in = app->WriteProject();
    WriteAll(dir / "in.qdl", in);

    auto recalc = [&](const char* from, const char* to) {
        const std::string cmd = DalvorHome() + "/dalvor-recalc --no-calc '" + (dir / from).string() + "' '" +
                                (dir / to).string() + "' 2>/dev/null";
        return std::system(cmd.c_str());
    };
    ASSERT_EQ(recalc("in.qdl", "out.qdl"), 0);
    ExpectSameFileWithNoCurrentEntries(ReadAll(dir / "out.qdl"), in);

    WriteAll(dir / "bad.qdl", std::vector<uint8_t>(in.begin(), in.end() - 3));
    int status = recalc("bad.qdl", "out2.qdl");
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_FALSE(fs::exists(dir / "out2.qdl"));

    // An output path that links to a device is refused and left as it was.
    fs::create_symlink("/dev/null", dir / "device.qdl");
    status = recalc("in.qdl", "device.qdl");
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_TRUE(fs::is_symlink(dir / "device.qdl"));

    // The list and the clipboard text as UTF-8; a kind that is none gives status 2.
    auto listing = [&](const char* mode, const char* from, const char* kind) {
        const std::string cmd = DalvorHome() + "/dalvor-recalc --lang en " + mode + " '" + (dir / from).string() +
                                "' " + kind + " '" + (dir / "out.txt").string() + "' 2>/dev/null";
        const int code = std::system(cmd.c_str());
        const std::vector<uint8_t> text = ReadAll(dir / "out.txt");
        return std::pair(WEXITSTATUS(code), std::string(text.begin(), text.end()));
    };
    const auto core = StartedCore();
    ASSERT_EQ(core->ReadProjectFile((dir / "in.qdl").string()), ProjectReadError::None);
    EXPECT_EQ(listing("--list", "in.qdl", "4"), std::pair(0, Utf16ToUtf8(BuildListText(core->Listing(), KindGravityFlow))));
    EXPECT_EQ(listing("--clipboard", "in.qdl", "1"), std::pair(0, Utf16ToUtf8(BuildClipboardText(core->Listing(), KindTank))));
    EXPECT_EQ(listing("--list", "in.qdl", "6").first, 2);
    EXPECT_EQ(listing("--clipboard", "bad.qdl", "1").first, 2);
}

// Every kind reaches its own array and working record, in both directions;
// values that are no kind reach nothing.
TEST(CalcKinds, EachKindReachesItsOwnRecords)
{
    struct Case {
        int kind;
        int array;
        std::size_t recordSize;
    };
    const Case cases[] = {
        {KindTank, ArrayTank, sizeof(TankRecord)},
        {KindManhole, ArrayManhole, sizeof(ManholeRecord)},
        {KindBuriedPipe, ArrayBuriedPipe, sizeof(BuriedPipeRecord)},
        {KindGravityFlow, ArrayGravityFlow, sizeof(GravityFlowRecord)},
        {KindPressureFlow, ArrayPressureFlow, sizeof(PressureFlowRecord)},
        {KindNone, -1, 0}, {0, -1, 0}, {6, -1, 0}, {1000, -1, 0},
    };
    CDalvorApp app;
    for (const Case& c : cases) {
        EXPECT_EQ(KindToArrayIndex(c.kind), c.array) << c.kind;
        if (c.array >= 0) {
            EXPECT_EQ(ArrayIndexToKind(c.array), c.kind);
        }
        int calls = 0;
        const bool found = ForKindRecords(c.kind, [&](const auto& e) {
            ++calls;
            EXPECT_EQ(sizeof(app.working.*e.working), c.recordSize) << c.kind;
            (app.project.*e.stored).push_back(app.working.*e.working);
            e.reset(app.working.*e.working, app.tables);
            EXPECT_EQ(FromFixed((app.working.*e.working).head.name), u"-") << c.kind;
        });
        EXPECT_EQ(found, c.array >= 0) << c.kind;
        EXPECT_EQ(calls, c.array >= 0 ? 1 : 0) << c.kind;
        EXPECT_EQ(FindCalcKind(c.kind) != nullptr, c.array >= 0) << c.kind;
    }
    const ProjectArrays& p = app.project;
    EXPECT_EQ(p.tank.size() + p.manhole.size() + p.buriedPipe.size() + p.gravityFlow.size() + p.pressureFlow.size(), 5u);
    EXPECT_TRUE(p.tank.size() == 1 && p.manhole.size() == 1 && p.buriedPipe.size() == 1);
}
