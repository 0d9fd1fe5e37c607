// The test tool recalculates stored manholes and tanks as their pages do
// after loading them back: the same bytes as the page models give.
#include "DalvorApp.h"
#include "ManholePageModel.h"
#include "TankPageModel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

std::unique_ptr<CDalvorApp> StartedApp(const char* home)
{
    auto app = std::make_unique<CDalvorApp>();
    MemorySettings settings;
    settings.values["Settings/Language"] = LangEnglish;
    app->InitCoreInstance(settings, "C", home);
    return app;
}

}  // namespace

TEST(UpliftRecalc, ToolRunsStoredRecordsThroughThePages)
{
    const char* home = std::getenv("DALVOR_HOME");
    ASSERT_NE(home, nullptr);
    auto app = StartedApp(home);
    ASSERT_GT(app->tankTypeCount, 9);
    ASSERT_GT(app->manholeTypeCount, 6);
    // Stored as typed, before any page read them: levels off the page's
    // grid, a collector the type cannot take, water above the ground, a
    // tank too shallow for its cover.
    struct { int type; double ground, water, invert, dk; } manholes[] = {
        {0, 4.0, 3.5, 1.234, 0.3}, {6, 5.0, 4.0, 1.0, 0.5}, {2, 3.0, 9.0, 2.9, 0.9}};
    for (const auto& m : manholes) {
        app->ResetManholeRecord();
        app->manhole.typeIndex = m.type;
        app->manhole.groundLevel = m.ground;
        app->manhole.waterLevel = m.water;
        app->manhole.pipeBottomLevel = m.invert;
        app->manhole.pipeDiameter = m.dk;
        app->StoreCurrentCalc(KindManhole, -1);
    }
    struct { int type; double ground, water, bottom; int anchors; } tanks[] = {
        {0, 4.0, 3.9, 1.5, 5}, {9, 4.0, 4.0, 2.5, 2}, {3, 6.0, 1.0, 2.0, 3}};
    for (const auto& t : tanks) {
        app->ResetTankRecord();
        const TankTypeEntry& row = app->tankTypes[t.type];
        app->tank.tankTypeIndex = t.type;
        app->tank.innerDiameter = row.innerDiameter;
        app->tank.outerDiameter = row.outerDiameter;
        app->tank.minAnchorSpacing = row.minAnchorSpacing;
        app->tank.maxAnchorSpacing = row.maxAnchorSpacing;
        app->tank.groundLevel = t.ground;
        app->tank.waterLevel = t.water;
        app->tank.tankBottomLevel = t.bottom;
        app->tank.anchorCount = t.anchors;
        app->StoreCurrentCalc(KindTank, -1);
    }

    char pattern[] = "/tmp/dalvor-uplift-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::filesystem::path dir = pattern;
    ASSERT_EQ(app->WriteProjectFile((dir / "in.qdl").string()), ProjectWriteError::None);
    const std::string cmd = std::string(home) + "/dalvor-recalc --lang en '" + (dir / "in.qdl").string() +
                            "' '" + (dir / "out.qdl").string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    auto out = StartedApp(home);
    ASSERT_EQ(out->ReadProjectFile((dir / "out.qdl").string()), ProjectReadError::None);
    std::filesystem::remove_all(dir);

    CManholePageModel manholePage(*app);
    for (std::size_t i = 0; i < std::size(manholes); ++i) {
        app->ResetManholeRecord();
        app->manhole = app->storedRecords.manhole[i];
        manholePage.LoadBack();
        EXPECT_EQ(std::memcmp(&app->manhole, &out->storedRecords.manhole[i], sizeof(ManholeRecord)), 0) << i;
        EXPECT_EQ(app->manhole.head.resultValid, 1) << i;
    }
    // The page held the levels and the collector to its rules.
    EXPECT_DOUBLE_EQ(out->storedRecords.manhole[2].waterLevel, 3.0);
    EXPECT_DOUBLE_EQ(out->storedRecords.manhole[0].pipeBottomLevel, 1.23);

    CTankPageModel tankPage(*app);
    for (std::size_t i = 0; i < std::size(tanks); ++i) {
        app->ResetTankRecord();
        app->tank = app->storedRecords.tank[i];
        tankPage.LoadBack();
        EXPECT_EQ(std::memcmp(&app->tank, &out->storedRecords.tank[i], sizeof(TankRecord)), 0) << i;
    }
    // Too shallow: lowered to a cover of 1.1 Dz.
    const TankRecord& shallow = out->storedRecords.tank[1];
    EXPECT_NEAR(shallow.groundLevel - shallow.foundationLevel, shallow.outerDiameter * 11 / 10000, 1e-6);
}
