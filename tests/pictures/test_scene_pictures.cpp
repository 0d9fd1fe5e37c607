// The pictures' layouts, scale choices and drag clamps against their rules,
// with hand-made records, and the robustness of every scene on values that
// are not numbers.
#include "pictures/scene/GravityScene.h"
#include "pictures/scene/ManholeScene.h"
#include "pictures/scene/PressureScene.h"
#include "pictures/scene/Scenes.h"
#include "pictures/scene/TankScene.h"
#include "pictures/scene/TrenchScene.h"
#include "tests/pictures/PictureFixtures.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double F(float x) { return static_cast<double>(x); }

TEST(GravityPicture, ScaleMaximaFromTheTable)
{
    struct Row { double v27, vMax; } vRows[] = {{0.45, 0.5}, {0.5, 1.0}, {0.6, 1.0}, {1.0, 1.5}, {kNaN, 0.5}};
    struct QRow { double q30, qMax; } qRows[] = {
        {0.0, F(0.01f)}, {0.005, F(0.01f)}, {0.01, F(0.05f)}, {0.05, F(0.05f)}, {0.07, F(0.1f)},
        {0.3, 0.5}, {0.5, 0.5}, {0.7, 1.0}, {1.0, 1.0}, {1.3, 1.5}, {2.0, 2.5}, {kInf, F(0.01f)}};
    CGravityFlowCalculator calc;
    for (const Row& r : vRows) {
        calc.table[27][CGravityFlowCalculator::ColVelocity] = r.v27;
        EXPECT_EQ(GravityVelocityMax(calc), r.vMax) << r.v27;
    }
    for (const QRow& r : qRows) {
        calc.table[30][CGravityFlowCalculator::ColFlow] = r.q30;
        EXPECT_EQ(GravityFlowMax(calc), r.qMax) << r.q30;
    }
}

TEST(GravityPicture, OperatingLinePickAndDragClamps)
{
    CGravityFlowCalculator calc;
    calc.BuildTable(0.3, 1e-5, 1.31e-6, 0.001, 0.0);
    GravityFlowRecord record{};
    const GravityLayout layout = LayoutGravity(calc, 400, 280);
    struct Case { int valid; double start; int dy; double filling; } cases[] = {
        {1, 0.5, -10000, F(0.9999f)}, {1, 0.5, 10000, F(1e-4f)},
        {0, 0.5, -20, 0.5 + 20 / layout.py}, {1, 0.3, 14, 0.3 - 14 / layout.py}};
    for (const Case& c : cases) {
        record.head.resultValid = c.valid;
        PictureView view;
        view.opFilling = c.start;
        view.opFlow = -1.0;
        const int row = layout.Y(c.start);
        EXPECT_EQ(PickGravity(layout, view, row + 4), 0);
        EXPECT_EQ(PickGravity(layout, view, row - 5), -1);
        EXPECT_EQ(DragGravity(layout, c.dy, record, calc, view), DragEffect::ViewState);
        EXPECT_DOUBLE_EQ(view.opFilling, c.filling);
        EXPECT_EQ(view.opFlow, c.valid ? calc.FlowAt(c.filling) : -1.0);
    }
    // At the top the flow is the table's last row.
    EXPECT_EQ(calc.FlowAt(F(0.9999f)), calc.table[30][CGravityFlowCalculator::ColFlow]);
}

TEST(PressurePicture, AxesAndOperatingHeadDrag)
{
    struct { double value, vAxis, qAxis; } rows[] = {
        {1.2, 2.0, 2.0}, {2.0, 5.0, 5.0}, {0.034, 1.0, F(0.05f)}, {150.0, 100.0, 100.0}, {0.01, 1.0, 0.02}};
    for (const auto& r : rows) {
        EXPECT_EQ(PressureVelocityAxis(r.value), r.vAxis) << r.value;
        EXPECT_EQ(PressureFlowAxis(r.value), r.qAxis) << r.value;
    }

    auto app = picture_fixtures::StartedApp(LangEnglish);
    PictureView view;
    picture_fixtures::Prepare(*app, view, KindPressureFlow, 0);
    PressureFlowRecord& r = app->working.pressureFlow;
    r.density = 1200.0;
    r.endLevel = r.startLevel + 3.0;
    const PressureLayout layout = LayoutCharacteristic(app->pressureCalculator, 400, 300);
    EXPECT_EQ(PickPressure(layout, view, layout.Y(view.pressure.head) - 4), 0);
    DragPressure(layout, -100000, r, app->pressureCalculator, view);
    EXPECT_EQ(view.pressure.head, layout.hMax - F(1e-4f));
    EXPECT_EQ(view.pressure.headDifference, (r.endLevel - r.startLevel) * 1200.0 / F(999.7f) + view.pressure.head);
    DragPressure(layout, 100000, r, app->pressureCalculator, view);
    EXPECT_EQ(view.pressure.head, F(1e-4f));
    // Without a result the head moves alone; on the pressure chart nothing is picked.
    r.head.resultValid = 0;
    const double flow = view.pressure.flow;
    DragPressure(layout, -10, r, app->pressureCalculator, view);
    EXPECT_GT(view.pressure.head, F(1e-4f));
    EXPECT_EQ(view.pressure.flow, flow);
    view.chartChoice = 1;
    EXPECT_EQ(PickPressure(layout, view, layout.Y(view.pressure.head)), -1);
    // A characteristic that was never built: a head axis of 0.1 m.
    EXPECT_EQ(LayoutCharacteristic(CPressureFlowCalculator{}, 400, 300).hMax, F(0.1f));
}

// A flow record with a result, shown as stored with no calculation since:
// its calculator holds no table, so the chart draws no curve.
TEST(FlowCharts, NoCurveWithoutTheCalculatorsTable)
{
    auto app = picture_fixtures::StartedApp(LangEnglish);
    for (int kind : {KindGravityFlow, KindPressureFlow}) {
        PictureView view;
        picture_fixtures::Prepare(*app, view, kind, 1);
        for (bool stored : {false, true}) {
            if (stored) {
                app->gravityCalculator = CGravityFlowCalculator{};
                app->pressureCalculator = CPressureFlowCalculator{};
            }
            DisplayList list;
            MakePictureScene(kind, *app, view)->Draw(list, 400, 300, false);
            int curvePens = 0;
            for (const DisplayList::Item& it : list.Items())
                curvePens += it.op == DisplayList::Op::Pen && it.a == 3 &&
                             (it.rgb == Rgb(255, 0, 0) || it.rgb == Rgb(90, 90, 255));
            EXPECT_EQ(curvePens, stored ? 0 : 2) << kind;
        }
    }
}

BuriedPipeRecord Trench(double od, double ground, double foundation)
{
    BuriedPipeRecord r{};
    r.outerDiameter = od;
    r.innerDiameter = od * 0.9;
    r.nominalSize = od;
    r.groundLevel = ground;
    r.foundationLevel = foundation;
    r.invertLevel = foundation + (r.outerDiameter - r.innerDiameter) * F(0.0005f);
    r.waterLevel = foundation + 1.0;
    r.minCoverNoTraffic = 0.8;
    r.minCoverTraffic = 1.2;
    return r;
}

TEST(TrenchPicture, LayoutAndMinimumCover)
{
    // 80 px wide at 10 px/m: no room to spare sideways, the rest goes below.
    const TrenchLayout narrow = LayoutTrench(Trench(0.0, 4.0, 0.0), 80, 1000);
    EXPECT_EQ(narrow.sceneWidth, 8.0);
    EXPECT_EQ(narrow.scale, 10.0);
    EXPECT_EQ(narrow.bottom, 100.0 - 4.0 - 1.0);
    const TrenchLayout wide = LayoutTrench(Trench(1000.0, 4.0, 0.0), 1000, 70);
    EXPECT_EQ(wide.scale, 10.0);
    EXPECT_DOUBLE_EQ(wide.sceneWidth, 100.0);

    struct { int trafficClass, dn; bool extended; double cover; } rows[] = {
        {14, 1200, false, 1.5}, {14, 1800, false, 1800 * F(0.001f)}, {13, 300, false, 1.5},
        {17, 1800, false, 1.0}, {21, 300, false, 1.0}, {0, 1800, false, 0.8}, {14, 1800, true, 1.2},
        {10, 300, false, 1.2}};
    for (const auto& row : rows) {
        BuriedPipeRecord r = Trench(row.dn, 4.0, 0.0);
        r.trafficClass = row.trafficClass;
        EXPECT_EQ(TrenchMinCover(r, row.extended), row.cover) << row.trafficClass << " " << row.dn;
    }
}

TEST(TrenchPicture, DragClamps)
{
    const BuriedPipeRecord start = Trench(1000.0, 4.0, 0.0);
    const TrenchLayout l = LayoutTrench(start, 400, 300);
    const double od = 1.0, c = 0.8, step = F(0.001f);
    struct { int line; int dy; double ground, water, foundation; } rows[] = {
        {TrenchGround, 100000, od + c + step, 1.0, 0.0},
        {TrenchGround, int(2.7 * l.scale), od + c + step, 1.0, 0.0},  // to 1.3 m: between c and od + c
        {TrenchGround, -100000, 4.5, 1.0, 0.0},
        {TrenchWater, -100000, 4.0, 4.0 - step, 0.0},
        {TrenchWater, 100000, 4.0, -1.0, 0.0},
        {TrenchPipe, -100000, 4.0, 1.0, 4.0 - od - c - step},
        {TrenchPipe, 100000, 4.0, 1.0, -1.0}};
    for (const auto& row : rows) {
        BuriedPipeRecord r = start;
        EXPECT_EQ(DragTrench(l, row.line, row.dy, r, false), DragEffect::Inputs);
        EXPECT_DOUBLE_EQ(r.groundLevel, row.ground) << row.line << " " << row.dy;
        EXPECT_DOUBLE_EQ(r.waterLevel, row.water) << row.line << " " << row.dy;
        EXPECT_DOUBLE_EQ(r.foundationLevel, row.foundation) << row.line << " " << row.dy;
        EXPECT_DOUBLE_EQ(r.invertLevel - r.foundationLevel, (1000.0 - 900.0) * F(0.0005f));
        EXPECT_DOUBLE_EQ(r.cover, r.groundLevel - r.foundationLevel - od);
    }
}

TEST(ManholePicture, PickOrderAndDragClamps)
{
    ManholeRecord start{};
    start.groundLevel = 4.0;
    start.waterLevel = 2.0;
    start.pipeBottomLevel = 0.0;
    start.nominalDiameter = 1.0;
    start.pipeDiameter = 0.3;
    start.minDepth = 0.5;
    start.maxDepth = 6.0;
    const ManholeLayout l = LayoutManhole(start, 400, 300);
    struct { int line; int dy; double ground, water, pipe; } rows[] = {
        {ManholeGround, 100000, 0.5, 0.5, 0.0},
        {ManholeGround, -100000, l.GroundCap(), 2.0, 0.0},
        {ManholeWater, -100000, 4.0, 4.0, 0.0},
        {ManholeWater, 100000, 4.0, -1.0, 0.0},
        {ManholePipe, -100000, 4.0, 2.0, 4.0 - 0.3 - 0.5},
        {ManholePipe, 100000, 4.0, 2.0, -1.0}};
    for (const auto& row : rows) {
        ManholeRecord r = start;
        DragManhole(l, row.line, row.dy, r);
        EXPECT_DOUBLE_EQ(r.groundLevel, row.ground) << row.line << " " << row.dy;
        EXPECT_DOUBLE_EQ(r.waterLevel, row.water) << row.line << " " << row.dy;
        EXPECT_DOUBLE_EQ(r.pipeBottomLevel, row.pipe) << row.line << " " << row.dy;
    }
    // Ground and water on one row: the ground wins; 5 px off picks nothing.
    ManholeRecord r = start;
    r.waterLevel = r.groundLevel;
    const int row = l.Y(r.groundLevel);
    EXPECT_EQ(PickManhole(l, r, row + 4), ManholeGround);
    EXPECT_EQ(PickManhole(l, r, row - 5), -1);
    EXPECT_EQ(PickManhole(l, r, l.Y(0.0)), ManholePipe);
}

TEST(TankPicture, ShownLengthDragClampsAndStraps)
{
    TankRecord start{};
    start.outerDiameter = 2000.0;
    start.innerDiameter = 1900.0;
    start.groundLevel = 4.0;
    start.waterLevel = 2.0;
    start.foundationLevel = 0.0;
    start.tankBottomLevel = 0.05;
    for (auto [length, shown] : {std::pair{40.0, 30.0}, {8.0, 8.0}}) {
        start.length = length;
        EXPECT_EQ(LayoutTank(start, 560, 300).shownLength, shown);
    }
    const TankLayout l = LayoutTank(start, 560, 300);
    const double least = 2000.0 * 11.0 / 10000.0;
    struct { int line; int dy; double ground, water, foundation; } rows[] = {
        {TankGround, 100000, least + 0.001, 2.0, 0.0},
        {TankGround, -100000, l.GroundCap(), 2.0, 0.0},
        {TankWater, 100000, 4.0, -2.5, 0.0},
        {TankWater, -100000, 4.0, 4.0, 0.0},
        {TankBottom, -100000, 4.0, 2.0, 4.0 - least - 0.001},
        {TankBottom, 100000, 4.0, 2.0, -2.0}};
    for (const auto& row : rows) {
        TankRecord r = start;
        DragTank(l, row.line, row.dy, r);
        EXPECT_DOUBLE_EQ(r.groundLevel, row.ground) << row.line << " " << row.dy;
        EXPECT_DOUBLE_EQ(r.waterLevel, row.water) << row.line << " " << row.dy;
        EXPECT_DOUBLE_EQ(r.foundationLevel, row.foundation) << row.line << " " << row.dy;
        EXPECT_NEAR(r.tankBottomLevel - r.foundationLevel, 0.05, 1e-12);
    }
    struct { double count, slab, spacing; int straps; } straps[] = {
        {5, 10, 2, 5}, {20, 10, 2, 6}, {1e12, 1e9, 1e-3, 1000}, {4, 10, 0, 0}, {kNaN, 10, 2, 0}, {3, 10, kInf, 0}};
    for (const auto& s : straps)
        EXPECT_EQ(TankStrapCount(s.count, s.slab, s.spacing), s.straps) << s.count << " " << s.spacing;
}

// The anchoring slab stands 2 px under the tank and the straps rise 4 px above
// it; in print both are ten times as far, as every other offset.
TEST(TankPicture, AnchoringOffsetsScaleInPrint)
{
    auto app = picture_fixtures::StartedApp(LangEnglish);
    PictureView view;
    picture_fixtures::Prepare(*app, view, KindTank, 1);
    const TankRecord& r = app->working.tank;
    ASSERT_EQ(r.head.resultValid, 1);
    for (auto [scale, t] : {std::pair{1, 1}, {10, 10}}) {
        const int w = 560 * scale, h = 300 * scale;
        const TankLayout l = LayoutTank(r, w, h);
        DisplayList ops;
        DrawTank(ops, r, l, w, h, t == 10);
        const int slabTop = l.Y(r.foundationLevel) + 2 * t;
        const int strapTop = slabTop - (RoundPx(r.outerDiameter * 0.001 * l.scale) + 4 * t);
        uint32_t brush = 0, pen = 0;
        int slabs = 0, straps = 0;
        for (const DisplayList::Item& it : ops.Items()) {
            if (it.op == DisplayList::Op::Brush)
                brush = it.rgb;
            if (it.op == DisplayList::Op::Pen)
                pen = it.rgb;
            if (it.op == DisplayList::Op::Rectangle && brush == Rgb(158, 158, 158)) {
                EXPECT_EQ(it.b, slabTop) << t;
                ++slabs;
            }
            if (it.op == DisplayList::Op::Line && pen == Rgb(191, 191, 191)) {
                EXPECT_EQ(it.b, slabTop) << t;
                EXPECT_EQ(it.d, strapTop) << t;
                ++straps;
            }
        }
        EXPECT_EQ(slabs, 3);
        EXPECT_GT(straps, 0);
    }
}

// Every level and size that is not a number, or is out of all range, draws
// at most the background and frame and never moves a line to a non-number.
TEST(AllPictures, ValuesThatAreNoNumbersDrawAndDragSafely)
{
    auto app = picture_fixtures::StartedApp(LangEnglish);
    for (double bad : {kNaN, kInf, -kInf, 1e300}) {
        for (int kind : {KindGravityFlow, KindPressureFlow, KindBuriedPipe, KindManhole, KindTank}) {
            PictureView view;
            picture_fixtures::Prepare(*app, view, kind, 1);
            view.opFilling = bad;
            view.pressure.head = bad;
            app->working.pressureFlow.nominalPressure = bad;
            app->gravityCalculator.table[20][CGravityFlowCalculator::ColFlow] = bad;
            app->pressureCalculator.points[30][CPressureFlowCalculator::PtHead] = bad;
            for (double* level : {&app->working.buriedPipe.groundLevel, &app->working.buriedPipe.outerDiameter,
                                  &app->working.manhole.pipeBottomLevel, &app->working.manhole.ballastHeight,
                                  &app->working.tank.foundationLevel, &app->working.tank.anchorSpacing})
                *level = bad;
            auto scene = MakePictureScene(kind, *app, view);
            for (auto [w, h] : {std::pair{400, 300}, {0, 0}}) {
                DisplayList list;
                scene->Draw(list, w, h, false);
                EXPECT_FALSE(list.Empty());
                for (int y = -10; y < 310; y += 3)
                    for (int line = 0; line < 3; ++line)
                        scene->Drag(line, y);
            }
            EXPECT_FALSE(kind == KindGravityFlow && std::isnan(view.opFilling));
            EXPECT_FALSE(kind == KindPressureFlow && std::isnan(view.pressure.head));
        }
    }
    // An anchored tank whose stored count and spacing are out of all range.
    PictureView view;
    picture_fixtures::Prepare(*app, view, KindTank, 1);
    for (auto [count, spacing] : {std::pair{std::numeric_limits<int32_t>::min(), 1e-300},
                                  {std::numeric_limits<int32_t>::max(), -2.0}}) {
        app->working.tank.anchorCount = count;
        app->working.tank.anchorSpacing = spacing;
        DisplayList list;
        MakePictureScene(KindTank, *app, view)->Draw(list, 560, 300, false);
        EXPECT_LT(list.Size(), 1200u);
    }
}

}  // namespace
