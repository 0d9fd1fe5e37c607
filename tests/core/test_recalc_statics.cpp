// The test tool runs the tank (uplift, then anchoring), manhole and buried-pipe
// calculations on stored records exactly as the program runs them on its
// working record.
#include "CoreTestSupport.h"
#include "BuriedPipeCalc.h"
#include "DalvorApp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

std::unique_ptr<CDalvorApp> StartedApp(const char* home)
{
    auto app = std::make_unique<CDalvorApp>();
    MemorySettings settings;
    settings.values["Settings/Language"] = LangEnglish;
    app->InitCoreInstance(settings, "C", home);
    return app;
}

// A pipe from the catalogue laid 2 m below ground, under a traffic class, as
// the buried-pipe page leaves the record before its calculation.
void LayPipe(CDalvorApp& app, const NominalSizeEntry& row)
{
    BuriedPipeRecord& r = app.buriedPipe;
    r.categoryId = row.categoryId;
    r.typeId = row.typeId;
    r.nominalSize = row.nominalSize;
    r.innerDiameter = row.innerDiameter;
    r.outerDiameter = row.outerDiameter;
    r.ringStiffness = row.ringStiffness;
    r.allowedDeflection = row.allowedDeflection;
    r.enlargedAllowedDeflection = row.enlargedAllowedDeflection;
    r.trafficClass = 10;
    r.invertLevel = r.groundLevel - 2.0;
    r.foundationLevel = r.invertLevel - (r.outerDiameter - r.innerDiameter) * 0.0005;
    r.cover = r.groundLevel - r.foundationLevel - r.outerDiameter * 0.001;
    ApplyInstallationDefaults(r, 0);
}

template <typename Record>
bool SameBytes(const Record& a, const Record& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(RecalcTool, RunsTheStaticsAndUpliftCalculationsOnStoredRecords)
{
    const char* home = std::getenv("DALVOR_HOME");
    ASSERT_NE(home, nullptr);
    auto app = StartedApp(home);
    ASSERT_GT(app->nominalSizeCount, 0);
    app->StoreCurrentCalc(KindTank, -1);
    app->StoreCurrentCalc(KindManhole, -1);
    app->tank.groundLevel += 1.0;  // a second, deeper tank
    app->StoreCurrentCalc(KindTank, -1);
    LayPipe(*app, app->nominalSizes[0]);
    app->StoreCurrentCalc(KindBuriedPipe, -1);

    const TempFolder folder("dalvor-recalc-statics");
    const fs::path& dir = folder.Path();
    ASSERT_EQ(app->WriteProjectFile((dir / "in.qdl").string()), ProjectWriteError::None);
    const std::string cmd = std::string(home) + "/dalvor-recalc --lang en --core-only '" + (dir / "in.qdl").string() + "' '" +
                            (dir / "out.qdl").string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);

    // The same runs in this process, through the working records.
    auto expected = StartedApp(home);
    for (auto& r : app->storedRecords.tank) {
        expected->ResetTankRecord();
        expected->tank = r;
        expected->CalcTankBuoyancy();
        expected->CalcTankAnchoring();
        r = expected->tank;
        EXPECT_EQ(r.head.resultValid, 1);
    }
    expected->ResetManholeRecord();
    expected->manhole = app->storedRecords.manhole[0];
    expected->CalcManholeBuoyancy();
    EXPECT_EQ(expected->manhole.head.resultValid, 1);
    expected->ResetBuriedPipeRecord();
    expected->buriedPipe = app->storedRecords.buriedPipe[0];
    expected->CalcBuriedPipe();
    EXPECT_EQ(expected->buriedPipe.head.resultValid, 1);
    EXPECT_GT(expected->buriedPipe.trafficLoad, 0.0);

    auto out = std::make_unique<CDalvorApp>();
    ASSERT_EQ(out->ReadProjectFile((dir / "out.qdl").string()), ProjectReadError::None);
    ASSERT_EQ(out->storedCount[ArrayTank], 2);
    EXPECT_TRUE(SameBytes(out->storedRecords.tank[0], app->storedRecords.tank[0]));
    EXPECT_TRUE(SameBytes(out->storedRecords.tank[1], app->storedRecords.tank[1]));
    EXPECT_TRUE(SameBytes(out->storedRecords.manhole[0], expected->manhole));
    EXPECT_TRUE(SameBytes(out->storedRecords.buriedPipe[0], expected->buriedPipe));
}
