// The project store and the project file.
#include "DalvorApp.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct ProjectTest : ::testing::Test {
    std::unique_ptr<CDalvorApp> app = std::make_unique<CDalvorApp>();
    CountingHost host;
    void SetUp() override
    {
        app->SetHost(&host);
        app->ResetAllRecords();
    }
    std::u16string Name(int i) const { return FromFixed(app->storedRecords.gravityFlow[i].head.name); }
};

template <typename R>
void Fill(R& r, uint8_t b)
{
    std::memset(static_cast<void*>(&r), b, sizeof r);
}

int32_t Int32At(const std::vector<uint8_t>& b, std::size_t off)
{
    int32_t v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
}

std::vector<uint8_t> ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& p, const std::vector<uint8_t>& b)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

}  // namespace

TEST_F(ProjectTest, AppendNumbersByCountAndKeepsEditedNames)
{
    app->StoreCurrentCalc(KindGravityFlow, -1);
    EXPECT_EQ(app->storedCount[ArrayGravityFlow], 1);
    EXPECT_EQ(app->currentIndex[ArrayGravityFlow], 0);
    EXPECT_EQ(Name(0), u"GP-001");
    EXPECT_EQ(FromFixed(app->gravityFlow.head.name), u"GP-001");  // the page shows it from now on

    app->ResetGravityFlowRecord();
    app->StoreCurrentCalc(KindGravityFlow, -1);
    EXPECT_EQ(Name(1), u"GP-002");
    EXPECT_EQ(app->currentIndex[ArrayGravityFlow], 1);

    CopyBounded(app->gravityFlow.head.name, u"Collector A");
    app->StoreCurrentCalc(KindGravityFlow, -1);
    EXPECT_EQ(Name(2), u"Collector A");

    // Each kind has its own prefix and its own array.
    const std::pair<int, std::u16string> prefixes[] = {
        {KindTank, u"UT-001"}, {KindManhole, u"M-001"}, {KindBuriedPipe, u"UP-001"}, {KindPressureFlow, u"PP-001"}};
    for (const auto& [kind, name] : prefixes) {
        app->StoreCurrentCalc(kind, -1);
        EXPECT_EQ(app->storedCount[KindToArrayIndex(kind)], 1);
    }
    EXPECT_EQ(FromFixed(app->storedRecords.tank[0].head.name), u"UT-001");
    EXPECT_EQ(FromFixed(app->storedRecords.manhole[0].head.name), u"M-001");
    EXPECT_EQ(FromFixed(app->storedRecords.buriedPipe[0].head.name), u"UP-001");
    EXPECT_EQ(FromFixed(app->storedRecords.pressureFlow[0].head.name), u"PP-001");
    EXPECT_EQ(host.modifiedCalls, 7);
}

TEST_F(ProjectTest, NumbersPastThreeDigits)
{
    for (int i = 0; i < 1000; ++i) {
        app->ResetTankRecord();
        app->StoreCurrentCalc(KindTank, -1);
    }
    EXPECT_EQ(FromFixed(app->storedRecords.tank[998].head.name), u"UT-999");
    EXPECT_EQ(FromFixed(app->storedRecords.tank[999].head.name), u"UT-1000");
}

TEST_F(ProjectTest, OverwriteTheCurrentEntryOrAppendWhenNoneIsCurrent)
{
    app->StoreCurrentCalc(KindGravityFlow, -1);
    app->StoreCurrentCalc(KindGravityFlow, -1);
    app->currentIndex[ArrayGravityFlow] = 0;
    app->ResetGravityFlowRecord();  // a "-" name takes the current count
    app->gravityFlow.length = 250;
    app->StoreCurrentCalc(KindGravityFlow, 0);
    EXPECT_EQ(app->storedCount[ArrayGravityFlow], 2);
    EXPECT_EQ(app->storedRecords.gravityFlow[0].length, 250);
    EXPECT_EQ(Name(0), u"GP-002");

    // The index passed is only a flag: the current entry is the one written.
    app->gravityFlow.length = 300;
    app->StoreCurrentCalc(KindGravityFlow, 1);
    EXPECT_EQ(app->storedRecords.gravityFlow[0].length, 300);
    EXPECT_EQ(app->storedRecords.gravityFlow[1].length, 100);

    // With no current entry an overwrite appends instead of writing outside the array.
    app->currentIndex[ArrayGravityFlow] = -1;
    app->StoreCurrentCalc(KindGravityFlow, 0);
    EXPECT_EQ(app->storedCount[ArrayGravityFlow], 3);
    EXPECT_EQ(app->currentIndex[ArrayGravityFlow], 2);
}

TEST_F(ProjectTest, DeleteMakesTheNeighbourCurrent)
{
    for (int i = 0; i < 3; ++i) {
        app->ResetGravityFlowRecord();
        app->StoreCurrentCalc(KindGravityFlow, -1);
    }
    app->DeleteStoredCalc(KindGravityFlow, 1);
    EXPECT_EQ(app->storedCount[ArrayGravityFlow], 2);
    EXPECT_EQ(app->currentIndex[ArrayGravityFlow], 1);
    EXPECT_EQ(Name(1), u"GP-003");

    app->DeleteStoredCalc(KindGravityFlow, 1);  // the last one: its predecessor becomes current
    EXPECT_EQ(app->currentIndex[ArrayGravityFlow], 0);
    app->DeleteStoredCalc(KindGravityFlow, 5);  // out of range: nothing but the modified mark
    EXPECT_EQ(app->storedCount[ArrayGravityFlow], 1);
    app->DeleteStoredCalc(KindGravityFlow, 0);
    EXPECT_EQ(app->storedCount[ArrayGravityFlow], 0);
    EXPECT_EQ(app->currentIndex[ArrayGravityFlow], -1);
    EXPECT_EQ(host.modifiedCalls, 3 + 4);
}

TEST_F(ProjectTest, MovesSwapAndMarkModifiedEvenAtTheEnds)
{
    for (int i = 0; i < 3; ++i) {
        app->ResetManholeRecord();
        app->StoreCurrentCalc(KindManhole, -1);
    }
    auto names = [&] {
        std::u16string s;
        for (auto& r : app->storedRecords.manhole)
            s += FromFixed(r.head.name) + u" ";
        return s;
    };
    app->MoveStoredCalcDown(KindManhole, 0);
    EXPECT_EQ(names(), u"M-002 M-001 M-003 ");
    EXPECT_EQ(app->currentIndex[ArrayManhole], 1);
    app->MoveStoredCalcUp(KindManhole, 2);
    EXPECT_EQ(names(), u"M-002 M-003 M-001 ");
    EXPECT_EQ(app->currentIndex[ArrayManhole], 1);

    int before = host.modifiedCalls;
    app->MoveStoredCalcUp(KindManhole, 0);
    app->MoveStoredCalcDown(KindManhole, 2);
    EXPECT_EQ(names(), u"M-002 M-003 M-001 ");
    EXPECT_EQ(app->currentIndex[ArrayManhole], 1);
    EXPECT_EQ(host.modifiedCalls, before + 2);

    // Not a kind: no array changes, the document is still marked.
    app->StoreCurrentCalc(0, -1);
    app->DeleteStoredCalc(6, 0);
    EXPECT_EQ(host.modifiedCalls, before + 4);
    for (int a = 0; a < KindArrayCount; ++a)
        EXPECT_EQ(app->storedCount[a], a == ArrayManhole ? 3 : 0);
}

TEST_F(ProjectTest, LoadingBackCopiesTheCurrentEntry)
{
    EXPECT_FALSE(app->LoadCurrentStoredCalc(KindTank));
    app->StoreCurrentCalc(KindTank, -1);
    app->ResetTankRecord();
    ASSERT_TRUE(app->LoadCurrentStoredCalc(KindTank));
    EXPECT_EQ(FromFixed(app->tank.head.name), u"UT-001");
    app->currentIndex[ArrayTank] = 7;  // a stale index loads nothing
    EXPECT_FALSE(app->LoadCurrentStoredCalc(KindTank));
}

TEST_F(ProjectTest, FileLayout)
{
    std::vector<uint8_t> empty = app->WriteProject();
    ASSERT_EQ(empty.size(), 40u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(empty[i], 0x00);
    for (int i = 20; i < 40; ++i)
        EXPECT_EQ(empty[i], 0xFF);

    app->StoreCurrentCalc(KindGravityFlow, -1);
    std::vector<uint8_t> one = app->WriteProject();
    ASSERT_EQ(one.size(), 30136u);
    EXPECT_EQ(Int32At(one, 4), 1);
    EXPECT_EQ(Int32At(one, 24), 0);
    EXPECT_EQ(std::memcmp(one.data() + 40, &app->storedRecords.gravityFlow[0], 30096), 0);

    // One of each kind, the records filled with their own byte: pressure flow
    // first, then gravity flow, buried pipe, manhole, tank.
    app->FreeProject();
    Fill(app->pressureFlow, 0x11);
    Fill(app->gravityFlow, 0x22);
    Fill(app->buriedPipe, 0x33);
    Fill(app->manhole, 0x44);
    Fill(app->tank, 0x55);
    for (int kind = 1; kind <= 5; ++kind)
        app->StoreCurrentCalc(kind, -1);
    app->StoreCurrentCalc(KindTank, -1);
    std::vector<uint8_t> mixed = app->WriteProject();
    ASSERT_EQ(mixed.size(), 40u + 15296 + 30096 + 2024 + 1376 + 2 * 1992);
    const int32_t counts[] = {1, 1, 1, 1, 2};
    const int32_t current[] = {0, 0, 0, 0, 1};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Int32At(mixed, 4 * i), counts[i]);
        EXPECT_EQ(Int32At(mixed, 20 + 4 * i), current[i]);
    }
    EXPECT_EQ(mixed[40 + 1000], 0x11);
    EXPECT_EQ(mixed[40 + 15296 + 1000], 0x22);
    EXPECT_EQ(mixed[40 + 15296 + 30096 + 1000], 0x33);
    EXPECT_EQ(mixed[40 + 15296 + 30096 + 2024 + 1000], 0x44);
    EXPECT_EQ(mixed[40 + 15296 + 30096 + 2024 + 1376 + 1000], 0x55);
    EXPECT_EQ(mixed.back(), 0x55);
}

TEST_F(ProjectTest, RoundTripKeepsEveryByteAndForgetsTheCurrentEntries)
{
    // Reserved bytes, NaN payloads and unterminated texts travel untouched.
    Fill(app->pressureFlow, 0xA5);
    Fill(app->gravityFlow, 0x5A);
    Fill(app->buriedPipe, 0xFF);
    Fill(app->manhole, 0x7F);
    Fill(app->tank, 0x01);
    for (int kind = 1; kind <= 5; ++kind) {
        app->StoreCurrentCalc(kind, -1);
        app->StoreCurrentCalc(kind, -1);
    }
    std::vector<uint8_t> bytes = app->WriteProject();
    EXPECT_EQ(Int32At(bytes, 20), 1);

    auto other = std::make_unique<CDalvorApp>();
    ASSERT_EQ(other->ReadProject(bytes), ProjectReadError::None);
    for (int a = 0; a < KindArrayCount; ++a) {
        EXPECT_EQ(other->storedCount[a], 2);
        EXPECT_EQ(other->currentIndex[a], -1);
    }
    std::vector<uint8_t> again = other->WriteProject();
    ASSERT_EQ(again.size(), bytes.size());
    EXPECT_EQ(std::memcmp(again.data() + 40, bytes.data() + 40, bytes.size() - 40), 0);
    EXPECT_EQ(std::memcmp(again.data(), bytes.data(), 20), 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Int32At(again, 20 + 4 * i), -1);
}

TEST_F(ProjectTest, DamagedFilesAreRefusedAndTheOpenProjectStays)
{
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
    std::vector<uint8_t> shortByOne(good.begin(), good.end() - 1);
    std::vector<uint8_t> longByOne = good;
    longByOne.push_back(0);
    std::vector<uint8_t> header39(good.begin(), good.begin() + 39);

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        ProjectReadError error;
    };
    const Case cases[] = {
        {"empty", {}, ProjectReadError::TooShort},
        {"39 bytes", header39, ProjectReadError::TooShort},
        {"one byte short", shortByOne, ProjectReadError::LengthMismatch},
        {"one byte long", longByOne, ProjectReadError::LengthMismatch},
        {"negative count", with(12, -1), ProjectReadError::NegativeCount},
        {"huge count", with(0, 0x7FFFFFFF), ProjectReadError::LengthMismatch},
        {"counts that overflow 32 bits", with(4, 142711), ProjectReadError::LengthMismatch},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app->ReadProject(c.bytes), c.error) << c.what;
        EXPECT_EQ(app->WriteProject(), before) << c.what;
    }
    EXPECT_EQ(app->ReadProjectFile("/nonexistent/dalvor/project.qdl"), ProjectReadError::CannotOpen);
    EXPECT_EQ(app->WriteProject(), before);
    EXPECT_EQ(app->ReadProject(good), ProjectReadError::None);
    EXPECT_EQ(app->storedCount[ArrayTank], 0);
}

TEST_F(ProjectTest, DamagedFilesOnDiskAreRefusedByTheirHeader)
{
    fs::path dir = fs::temp_directory_path() / "dalvor-project-damaged";
    fs::remove_all(dir);
    fs::create_directories(dir);
    app->StoreCurrentCalc(KindTank, -1);
    std::vector<uint8_t> good = app->WriteProject();
    const std::vector<uint8_t> before = good;

    std::vector<uint8_t> huge = good;
    const int32_t big = 0x7FFFFFFF;
    std::memcpy(huge.data() + 4, &big, 4);
    std::vector<uint8_t> negative = good;
    const int32_t minus = -5;
    std::memcpy(negative.data() + 16, &minus, 4);
    const std::pair<std::vector<uint8_t>, ProjectReadError> cases[] = {
        {{}, ProjectReadError::TooShort},
        {std::vector<uint8_t>(good.begin(), good.begin() + 12), ProjectReadError::TooShort},
        {std::vector<uint8_t>(good.begin(), good.end() - 1), ProjectReadError::LengthMismatch},
        {huge, ProjectReadError::LengthMismatch},
        {negative, ProjectReadError::NegativeCount},
    };
    for (const auto& [bytes, error] : cases) {
        WriteAll(dir / "damaged.qdl", bytes);
        EXPECT_EQ(app->ReadProjectFile((dir / "damaged.qdl").string()), error) << bytes.size();
        EXPECT_EQ(app->WriteProject(), before);
    }
    WriteAll(dir / "good.qdl", good);
    EXPECT_EQ(app->ReadProjectFile((dir / "good.qdl").string()), ProjectReadError::None);
    EXPECT_EQ(app->storedCount[ArrayTank], 1);
    fs::remove_all(dir);
}

TEST_F(ProjectTest, SavesReplaceTheFileWholeOrNotAtAll)
{
    fs::path dir = fs::temp_directory_path() / "dalvor-project-save";
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::path file = dir / "project one.qdl";
    app->StoreCurrentCalc(KindBuriedPipe, -1);
    ASSERT_EQ(app->WriteProjectFile(file.string()), ProjectWriteError::None);
    EXPECT_EQ(ReadAll(file), app->WriteProject());

    // A folder that cannot take the file: the save fails and says so.
    EXPECT_EQ(app->WriteProjectFile((dir / "missing" / "x.qdl").string()), ProjectWriteError::CannotWrite);

    auto other = std::make_unique<CDalvorApp>();
    ASSERT_EQ(other->ReadProjectFile(file.string()), ProjectReadError::None);
    EXPECT_EQ(other->storedCount[ArrayBuriedPipe], 1);
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename(), "project one.qdl");  // no temporary file left behind
    fs::remove_all(dir);
}

TEST(RecalcTool, WritesBackByteForByteAndRefusesDamagedFiles)
{
    const char* home = std::getenv("DALVOR_HOME");
    ASSERT_NE(home, nullptr);
    const std::string tool = std::string(home) + "/dalvor-recalc";
    fs::path dir = fs::temp_directory_path() / "dalvor-recalc-tool";
    fs::remove_all(dir);
    fs::create_directories(dir);

    auto app = std::make_unique<CDalvorApp>();
    Fill(app->gravityFlow, 0xA5);
    Fill(app->tank, 0x3C);
    app->StoreCurrentCalc(KindGravityFlow, -1);
    app->StoreCurrentCalc(KindTank, -1);
    app->StoreCurrentCalc(KindTank, -1);
    std::vector<uint8_t> in = app->WriteProject();
    WriteAll(dir / "in.qdl", in);

    std::string cmd = tool + " --no-calc '" + (dir / "in.qdl").string() + "' '" + (dir / "out.qdl").string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::vector<uint8_t> out = ReadAll(dir / "out.qdl");
    ASSERT_EQ(out.size(), in.size());
    EXPECT_EQ(std::memcmp(out.data(), in.data(), 20), 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Int32At(out, 20 + 4 * i), -1);
    EXPECT_EQ(std::memcmp(out.data() + 40, in.data() + 40, in.size() - 40), 0);

    std::vector<uint8_t> bad(in.begin(), in.end() - 3);
    WriteAll(dir / "bad.qdl", bad);
    cmd = tool + " --no-calc '" + (dir / "bad.qdl").string() + "' '" + (dir / "out2.qdl").string() + "' 2>/dev/null";
    int status = std::system(cmd.c_str());
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_FALSE(fs::exists(dir / "out2.qdl"));
    fs::remove_all(dir);
}
