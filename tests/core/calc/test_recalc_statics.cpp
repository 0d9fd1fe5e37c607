// The test tool runs the tank (uplift, then anchoring), manhole and buried-pipe
// calculations on stored records exactly as the program runs them on its
// working record, and with the pages' rules the same bytes as the page models
// give after loading the records back.
#include "core/pages/ManholePageModel.h"
#include "core/pages/TankPageModel.h"
#include "core/project/CalcKinds.h"
#include "tests/core/CoreTestSupport.h"
#include "tests/core/PipeFixture.h"

#include <gtest/gtest.h>

#include <random>

TEST(RecalcTool, RunsTheStaticsAndUpliftCalculationsOnStoredRecords)
{
    auto app = StartedCore();
    ASSERT_GT(RowCount(app->tables.nominalSizes), 0);
    app->StoreCurrentCalc(KindTank, -1);
    app->StoreCurrentCalc(KindManhole, -1);
    app->working.tank.groundLevel += 1.0;  // a second, deeper tank
    app->StoreCurrentCalc(KindTank, -1);
    TakeSizeRow(app->working.buriedPipe, app->tables.nominalSizes[0]);
    LayTwoMetresDeep(app->working.buriedPipe, 10);
    app->StoreCurrentCalc(KindBuriedPipe, -1);
    auto out = RecalculatedByTool(*app, "--core-only");
    ASSERT_TRUE(out);

    // The same runs in this process, through the working records.
    auto expected = StartedCore();
    for (auto& r : app->project.tank) {
        expected->ResetTankRecord();
        expected->working.tank = r;
        expected->CalcTankBuoyancy();
        expected->CalcTankAnchoring();
        r = expected->working.tank;
        EXPECT_EQ(r.head.resultValid, 1);
    }
    expected->ResetManholeRecord();
    expected->working.manhole = app->project.manhole[0];
    expected->CalcManholeBuoyancy();
    EXPECT_EQ(expected->working.manhole.head.resultValid, 1);
    expected->ResetBuriedPipeRecord();
    expected->working.buriedPipe = app->project.buriedPipe[0];
    expected->CalcBuriedPipe();
    EXPECT_EQ(expected->working.buriedPipe.head.resultValid, 1);
    EXPECT_GT(expected->working.buriedPipe.trafficLoad, 0.0);

    ASSERT_EQ(out->project.Count(ArrayTank), 2);
    EXPECT_TRUE(SameBytes(out->project.tank[0], app->project.tank[0]));
    EXPECT_TRUE(SameBytes(out->project.tank[1], app->project.tank[1]));
    EXPECT_TRUE(SameBytes(out->project.manhole[0], expected->working.manhole));
    EXPECT_TRUE(SameBytes(out->project.buriedPipe[0], expected->working.buriedPipe));
}

TEST(UpliftRecalc, ToolRunsStoredRecordsThroughThePages)
{
    auto app = StartedCore();
    ASSERT_GT(RowCount(app->tables.tankTypes), 9);
    ASSERT_GT(RowCount(app->tables.manholeTypes), 6);
    // Stored as typed, before any page read them: levels off the page's
    // grid, a collector the type cannot take, water above the ground, a
    // tank too shallow for its cover.
    struct { int type; double ground, water, invert, dk; } manholes[] = {
        {0, 4.0, 3.5, 1.234, 0.3}, {6, 5.0, 4.0, 1.0, 0.5}, {2, 3.0, 9.0, 2.9, 0.9}};
    for (const auto& m : manholes) {
        app->ResetManholeRecord();
        app->working.manhole.typeIndex = m.type;
        app->working.manhole.groundLevel = m.ground;
        app->working.manhole.waterLevel = m.water;
        app->working.manhole.pipeBottomLevel = m.invert;
        app->working.manhole.pipeDiameter = m.dk;
        app->StoreCurrentCalc(KindManhole, -1);
    }
    struct { int type; double ground, water, bottom; int anchors; } tanks[] = {
        {0, 4.0, 3.9, 1.5, 5}, {9, 4.0, 4.0, 2.5, 2}, {3, 6.0, 1.0, 2.0, 3}};
    for (const auto& t : tanks) {
        app->ResetTankRecord();
        const TankTypeEntry& row = app->tables.tankTypes[t.type];
        app->working.tank.tankTypeIndex = t.type;
        app->working.tank.innerDiameter = row.innerDiameter;
        app->working.tank.outerDiameter = row.outerDiameter;
        app->working.tank.minAnchorSpacing = row.minAnchorSpacing;
        app->working.tank.maxAnchorSpacing = row.maxAnchorSpacing;
        app->working.tank.groundLevel = t.ground;
        app->working.tank.waterLevel = t.water;
        app->working.tank.tankBottomLevel = t.bottom;
        app->working.tank.anchorCount = t.anchors;
        app->StoreCurrentCalc(KindTank, -1);
    }
    auto out = RecalculatedByTool(*app);
    ASSERT_TRUE(out);

    CManholePageModel manholePage(*app);
    ExpectPageLoadsBackAsTool(manholePage, app->working.manhole, app->project.manhole, out->project.manhole,
                              [&](std::size_t i) { EXPECT_EQ(app->working.manhole.head.resultValid, 1) << i; });
    // The page held the levels and the collector to its rules.
    EXPECT_DOUBLE_EQ(out->project.manhole[2].waterLevel, 3.0);
    EXPECT_DOUBLE_EQ(out->project.manhole[0].pipeBottomLevel, 1.23);

    CTankPageModel tankPage(*app);
    ExpectPageLoadsBackAsTool(tankPage, app->working.tank, app->project.tank, out->project.tank);
    // Too shallow: lowered to a cover of 1.1 Dz, its bottom as the field shows it.
    const TankRecord& shallow = out->project.tank[1];
    EXPECT_NEAR(shallow.groundLevel - shallow.foundationLevel, shallow.outerDiameter * 11 / 10000, 0.005);
    EXPECT_EQ(shallow.tankBottomLevel, std::round(shallow.tankBottomLevel * 100) / 100);
}

// A record loaded back is calculated from its own values only: a project of
// every kind run through the tool whole gives each record the bytes it gets
// in a project of its own, whatever record was loaded before it; run again,
// the tool changes no byte (what the pages moved is stored as shown).
TEST(RecalcTool, EachRecordAsInAProjectOfItsOwn)
{
    auto app = StartedCore();
    ASSERT_GT(RowCount(app->tables.tankTypes), 0);
    std::mt19937 random(20);
    auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    auto index = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(std::max(count, 1))); };
    for (int i = 0; i < 24; ++i) {  // under water, most of them anchored
        app->ResetTankRecord();
        TankRecord& t = app->working.tank;
        const TankTypeEntry& row = app->tables.tankTypes[static_cast<std::size_t>(t.tankTypeIndex = index(RowCount(app->tables.tankTypes)))];
        t.innerDiameter = row.innerDiameter, t.outerDiameter = row.outerDiameter, t.endAllowance = row.endAllowance;
        t.minAnchorSpacing = row.minAnchorSpacing, t.maxAnchorSpacing = row.maxAnchorSpacing;
        t.stiffnessClass = row.stiffnessClass, t.capacity = uniform(5, 120), t.tankBottomLevel = uniform(0, 1);
        t.groundLevel = uniform(3, 8), t.waterLevel = t.groundLevel - uniform(0, 1);
        app->CalcTankBuoyancy();
        app->CalcTankAnchoring();
        t.anchorCount = t.minAnchorCount + index(t.maxAnchorCount - t.minAnchorCount + 1);
        app->StoreCurrentCalc(KindTank, -1);
    }
    for (int i = 0; i < 4; ++i) {
        app->ResetBuriedPipeRecord();
        TakeSizeRow(app->working.buriedPipe, app->tables.nominalSizes[static_cast<std::size_t>(index(RowCount(app->tables.nominalSizes)))]);
        LayTwoMetresDeep(app->working.buriedPipe, index(kTrafficClassCount));
        app->StoreCurrentCalc(KindBuriedPipe, -1);
        app->ResetManholeRecord();
        app->working.manhole.typeIndex = index(RowCount(app->tables.manholeTypes)), app->working.manhole.waterLevel = uniform(0, 6);
        app->working.manhole.pipeBottomLevel = uniform(-9, 4);
        app->StoreCurrentCalc(KindManhole, -1);
        app->ResetGravityFlowRecord();
        app->working.gravityFlow.mode = i % 3, app->working.gravityFlow.length = uniform(10, 500);
        app->working.gravityFlow.slopeInput = uniform(-1, 0.01), app->working.gravityFlow.viscosity = 0;
        app->StoreCurrentCalc(KindGravityFlow, -1);
        app->ResetPressureFlowRecord();
        app->working.pressureFlow.mode = i % 3, app->working.pressureFlow.endLevel = uniform(-5, 50);
        app->working.pressureFlow.velocityInput = 0, app->working.pressureFlow.userRoughness = uniform(0, 0.001);
        app->StoreCurrentCalc(KindPressureFlow, -1);
    }
    auto whole = RecalculatedByTool(*app);
    ASSERT_TRUE(whole);
    auto again = RecalculatedByTool(*whole);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->WriteProject() == whole->WriteProject());
    auto expectAlone = [&](auto arrays, int kindArray) {
        const auto& stored = app->project.*arrays;
        for (std::size_t i = 0; i < stored.size(); ++i) {
            CDalvorApp single;
            (single.project.*arrays).push_back(stored[i]);
            auto alone = RecalculatedByTool(single);
            ASSERT_TRUE(alone);
            EXPECT_TRUE(SameBytes((alone->project.*arrays)[0], (whole->project.*arrays)[i]))
                << kindArray << " record " << i;
        }
    };
    std::apply([&](const auto&... kind) { (expectAlone(kind.stored, kind.array), ...); }, kKindRecords);
}
