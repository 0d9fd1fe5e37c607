// Uplift check and anchoring of an underground tank: length and capacity,
// active capacity, uplift and backfill against circular segments, the minimum
// slab length (and the case where no slab suffices), anchor counts, the
// anchoring layout, and input neither can judge.

#include "DalvorApp.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <tuple>

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kHalfMm = 0.0005f;
const long double kPi = std::acos(-1.0L);

// The worked case of a second transcription: capacity 5 m3 given, Dz 2000,
// Dw 1900, end allowance 100 mm, PT = ZWG = 4, PD = Pv = 1.5, 17.5 kN/m3,
// 15 %, 30 degrees, no cohesion, slab 0.6 x 0.3 (single), 1 kN/m, ends 2 kN.
std::unique_ptr<CDalvorApp> Tank()
{
    auto app = std::make_unique<CDalvorApp>();
    app->languageOffset = LangEnglish;
    TankTypeEntry type{};
    type.innerDiameter = 1900;
    type.outerDiameter = 2000;
    type.weightPerMetre = 1;
    type.endWeight = 2;
    type.endAllowance = 100;
    type.minAnchorSpacing = 0.5;
    type.maxAnchorSpacing = 2.0;
    app->tankTypes.push_back(type);
    app->tankTypeCount = 1;
    TankRecord& r = app->tank;
    r.selectionMode = 0;
    r.tankTypeIndex = 0;
    r.capacity = 5;
    r.outerDiameter = 2000;
    r.innerDiameter = 1900;
    r.endAllowance = 100;
    r.groundLevel = 4;
    r.waterLevel = 4;
    r.tankBottomLevel = 1.5;
    r.fillLevel = 1.5;
    r.unitWeight = 17.5;
    r.porosity = 15;
    r.frictionAngle = 30;
    r.cohesion = 0;
    r.slabWidth = 0.6f;
    r.slabHeight = 0.3f;
    r.minAnchorSpacing = 0.5;
    r.maxAnchorSpacing = 2.0;
    r.anchorCount = 2;
    r.tieDesignStrength = 320;
    r.tieAngle = 90;
    return app;
}

std::u16string Text(const CDalvorApp& app, int key)
{
    return app.LoadLangString(key, LangEnglish);
}

std::u16string Conclusion(const CDalvorApp& app)
{
    return FromFixed(app.tank.head.conclusion);
}

std::u16string Warning(const CDalvorApp& app)
{
    return FromFixed(app.tank.head.warning);
}

void RunBoth(CDalvorApp& app)
{
    app.CalcTankBuoyancy();
    app.CalcTankAnchoring();
}

// Area of a circle of diameter d below a line h above its bottom.
long double SegmentBelow(long double d, long double h)
{
    const long double r = d / 2;
    if (h <= 0)
        return 0;
    if (h >= d)
        return kPi * r * r;
    const long double y = r - h;
    return r * r * std::acos(y / r) - y * std::sqrt(r * r - y * y);
}

}  // namespace

TEST(TankBuoyancy, WorkedCaseMatchesASecondTranscription)
{
    auto app = Tank();
    app->CalcTankBuoyancy();
    const TankRecord& r = app->tank;
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_NEAR(r.length, 1.9635417338762216, 1e-14);
    EXPECT_NEAR(r.upliftForce, 61.68663369044118, 1e-11);
    EXPECT_NEAR(r.soilWeight, 27.023829446144465, 1e-11);
    EXPECT_DOUBLE_EQ(r.ownWeight, r.length * 1 + 2);
    EXPECT_NEAR(r.anchoringForce, 39.96666520698713, 1e-11);
    EXPECT_EQ(r.minSlabLength, 14 * static_cast<double>(0.1f));
    EXPECT_EQ(r.minSlabLength, 1.4000000208616257);
    EXPECT_NEAR(r.tieAngle, 73.30615434810348, 1e-11);
    EXPECT_DOUBLE_EQ(r.foundationLevel, 1.5 - 100 * kHalfMm);
    EXPECT_DOUBLE_EQ(r.coverDepth, (4 - r.foundationLevel) - 2000 * static_cast<double>(0.001f));
    EXPECT_EQ(Conclusion(*app), Text(*app, 20233));
    // The tank (1.96 m) is shorter than its diameter (2 m).
    EXPECT_EQ(Warning(*app), Text(*app, 20235));

    // Without friction the slab alone must hold: a longer slab.
    app = Tank();
    app->tank.frictionAngle = 0;
    app->CalcTankBuoyancy();
    EXPECT_EQ(app->tank.minSlabLength, 2.600000038743019);
}

// An 8 m tank with the water table above and below its axis, uplift and
// anchoring together, against the same second transcription (relative 1e-12,
// so a constant such as 3.1416, 0.8927 or 0.0174 taken at the wrong precision
// shows). Below the axis the least count is halved and the spacing may reach
// twice the largest one.
TEST(TankBuoyancy, PartlyWetTankMatchesASecondTranscription)
{
    struct Case {
        double water, uplift, soil, anchoring, minSlab;
        int minCount, maxCount, count;
        double spacing, slab, slabVolume, tie;
    };
    const Case cases[] = {
        {2.95, 202.19321320548107, 211.13781831873325, 23.388508132167544, 1.0, 4, 15, 4, 2.0, 6.5,
         1.1700000929832477, 3.0558071341560464},
        {1.95, 49.13478965025668, 214.087977849854, 0, 0, 2, 15, 3, 3.5, 7.5, 1.3500001072883627, 0},
    };
    for (const Case& c : cases) {
        auto app = Tank();
        TankRecord& r = app->tank;
        r.selectionMode = 1;
        r.length = 8;
        r.anchorCount = 3;
        r.waterLevel = c.water;
        RunBoth(*app);
        ASSERT_EQ(r.head.resultValid, 1);
        EXPECT_NEAR(r.capacity / 22.11458903958543, 1.0, 1e-12);
        EXPECT_NEAR(r.upliftForce / c.uplift, 1.0, 1e-12) << c.water;
        EXPECT_NEAR(r.soilWeight / c.soil, 1.0, 1e-12) << c.water;
        EXPECT_NEAR(r.anchoringForce, c.anchoring, 1e-12 * c.anchoring) << c.water;
        EXPECT_EQ(r.minSlabLength, c.minSlab) << c.water;
        EXPECT_EQ(r.minAnchorCount, c.minCount) << c.water;
        EXPECT_EQ(r.maxAnchorCount, c.maxCount) << c.water;
        EXPECT_EQ(r.anchorCount, c.count) << c.water;
        EXPECT_EQ(r.anchorSpacing, c.spacing) << c.water;
        EXPECT_EQ(r.slabLength, c.slab) << c.water;
        EXPECT_NEAR(r.slabVolume / c.slabVolume, 1.0, 1e-12) << c.water;
        EXPECT_NEAR(r.tieForce, c.tie, 1e-12 * c.tie) << c.water;
        EXPECT_EQ(Conclusion(*app), Text(*app, c.anchoring > 0 ? 20233 : 20236));
        EXPECT_EQ(Warning(*app), u"");
    }
}

TEST(TankBuoyancy, LengthAndCapacity)
{
    // Capacity to length and back agree to the product of the two constants.
    auto app = Tank();
    app->CalcTankBuoyancy();
    const double length = app->tank.length;
    app->tank.selectionMode = 1;
    app->tank.capacity = 0;
    app->CalcTankBuoyancy();
    EXPECT_EQ(app->tank.length, length);
    EXPECT_NEAR(app->tank.capacity / 5.0, 1.0, 1.5e-8);
    EXPECT_NE(app->tank.capacity, 5.0);

    // A given length shorter than the two end allowances becomes them, and the
    // capacity 0.
    app->tank.length = 0.1;
    app->CalcTankBuoyancy();
    EXPECT_EQ(app->tank.length, 100 * static_cast<double>(0.002f));
    EXPECT_EQ(app->tank.capacity, 0.0);
    EXPECT_EQ(app->tank.activeCapacity, 0.0);

    // Any mode other than 1 is the capacity mode.
    app = Tank();
    app->tank.selectionMode = 7;
    app->CalcTankBuoyancy();
    EXPECT_NEAR(app->tank.length, 1.9635417338762216, 1e-14);
}

TEST(TankBuoyancy, ActiveCapacityBelowTheFillLevel)
{
    // The inner bottom at 0; the inner radius is 1900 x 0.0005 (single).
    const double r = 1900 * kHalfMm;
    auto share = [](double fill) {
        auto app = Tank();
        app->tank.tankBottomLevel = 0;
        app->tank.fillLevel = fill;
        app->CalcTankBuoyancy();
        return app->tank.activeCapacity / app->tank.capacity;
    };
    EXPECT_EQ(share(0.0), 0.0);
    EXPECT_EQ(share(-1.0), 0.0);
    EXPECT_EQ(share(2 * r), 1.0);
    EXPECT_EQ(share(9.0), 1.0);
    // 1.9 m lies a hair below the top of a bore of 2 x 0.95000005 m.
    EXPECT_LT(share(1.9), 1.0);
    // Half full gives acos(0) / 3.1415 (single), a hair above one half.
    EXPECT_DOUBLE_EQ(share(r), std::acos(0.0) / static_cast<double>(3.1415f));
    EXPECT_GT(share(r), 0.5);
    // A fill h above the axis and one h below share the tank between them.
    for (double h : {0.1, 0.4, 0.9}) {
        EXPECT_NEAR(share(r + h) + share(r - h), 1.0, 1e-12) << h;
        // Against the circular segment, within the program's pi.
        EXPECT_NEAR(share(r - h), static_cast<double>(SegmentBelow(2 * r, r - h) / (kPi * r * r)), 1e-4);
    }
}

TEST(TankBuoyancy, UpliftAndBackfillAgainstCircularSegments)
{
    // No wall, so the inner and outer bottom coincide; 10 m long, no soil
    // credit (shallow ground), dry backfill only.
    for (double hw : {-0.5, 0.0, 0.3, 1.0, 1.6, 2.0, 3.5}) {
        auto app = Tank();
        TankRecord& r = app->tank;
        r.selectionMode = 1;
        r.length = 10;
        r.innerDiameter = 2000;
        r.tankBottomLevel = 0;
        r.groundLevel = 4;
        r.waterLevel = hw;
        app->CalcTankBuoyancy();
        ASSERT_EQ(r.head.resultValid, 1);
        ASSERT_EQ(r.foundationLevel, 0.0);
        const long double area = SegmentBelow(2, hw);
        if (area == 0) {
            EXPECT_EQ(r.upliftForce, 0.0) << hw;
            EXPECT_EQ(r.anchoringForce, 0.0);
            EXPECT_EQ(r.minSlabLength, 0.0);
            EXPECT_EQ(Conclusion(*app), Text(*app, 20236));
        } else {
            EXPECT_NEAR(r.upliftForce / static_cast<double>(10 * area * 10), 1.0, 1e-4) << hw;
        }
        // Backfill over the tank: the strip 2 m wide from the axis to the
        // ground less the upper half of the tank, wet below the water table.
        const long double g = 17.5, gs = 17.5 + 15 * static_cast<double>(0.1f) - 10;
        const long double wet = std::clamp<long double>(hw - 1, 0, 3);
        auto upperHalf = [](long double y) {
            return y >= 1 ? kPi / 2 : y * std::sqrt(1 - y * y) + std::asin(y);
        };
        const long double wetArea = 2 * wet - (wet > 0 ? upperHalf(wet) : 0);
        const long double dryArea = 2 * (3 - wet) - (kPi / 2 - (wet > 0 ? upperHalf(wet) : 0));
        const long double soil = (gs * wetArea + g * dryArea) * 10;
        EXPECT_NEAR(r.soilWeight / static_cast<double>(soil), 1.0, 1e-4) << hw;
    }
    // Fully submerged is Archimedes.
    auto app = Tank();
    app->tank.selectionMode = 1;
    app->tank.length = 10;
    app->tank.waterLevel = 4;
    app->CalcTankBuoyancy();
    const double d = 2000 * static_cast<double>(0.001f);
    EXPECT_DOUBLE_EQ(app->tank.upliftForce, d * static_cast<double>(7.854f) * d * 10);
    EXPECT_NEAR(app->tank.upliftForce / static_cast<double>(10 * kPi / 4 * 4 * 10), 1.0, 1e-4);
}

TEST(TankBuoyancy, SoilCreditNeedsAFullCover)
{
    auto soilAt = [](double cover) {
        auto app = Tank();
        app->tank.innerDiameter = 2000;
        app->tank.tankBottomLevel = 0;
        app->tank.waterLevel = -1;
        app->tank.groundLevel = cover;
        app->CalcTankBuoyancy();
        return app->tank.soilWeight;
    };
    EXPECT_GT(soilAt(3.0), 0.0);
    EXPECT_EQ(soilAt(2.19), 0.0);
    // D is 2000 x 0.001 (single); the cover must reach D x 1.099 (single),
    // which lies below D x 1.099: a cover between the two is credited.
    const double d = 2000 * static_cast<double>(0.001f);
    const double threshold = d * static_cast<double>(1.099f);
    ASSERT_LT(2.19800008, d * 1.099);
    EXPECT_GT(soilAt(2.19800008), 0.0);
    EXPECT_GT(soilAt(threshold), 0.0);
    EXPECT_EQ(soilAt(std::nextafter(threshold, 0.0)), 0.0);
    EXPECT_EQ(soilAt(2.198), 0.0);
}

TEST(TankBuoyancy, MinimumSlabLengthRounding)
{
    // A small anchoring force gives at least 1 m of slab.
    auto app = Tank();
    app->tank.waterLevel = 2.9;
    app->CalcTankBuoyancy();
    ASSERT_GT(app->tank.anchoringForce, 0.01f);
    ASSERT_LT(app->tank.anchoringForce, 5.0);
    EXPECT_EQ(app->tank.minSlabLength, 1.0);

    // Larger forces step in tenths of a metre (0.1 single).
    app = Tank();
    app->tank.selectionMode = 1;
    app->tank.length = 12;
    app->CalcTankBuoyancy();
    const double lf = app->tank.minSlabLength;
    const double tenths = std::round(lf / static_cast<double>(0.1f));
    EXPECT_EQ(lf, tenths * static_cast<double>(0.1f));
    EXPECT_GT(tenths, 10);

    // No uplift: no slab, and a positive zero.
    app = Tank();
    app->tank.waterLevel = -3;
    app->CalcTankBuoyancy();
    EXPECT_EQ(app->tank.anchoringForce, 0.0);
    EXPECT_EQ(app->tank.minSlabLength, 0.0);
    EXPECT_FALSE(std::signbit(app->tank.minSlabLength));
    EXPECT_EQ(Conclusion(*app), Text(*app, 20236));
    EXPECT_EQ(Warning(*app), u"");
}

TEST(TankBuoyancy, NoSlabLengthSufficesUnderALightBackfill)
{
    // A backfill lighter than water (5 kN/m3, no pores) under water: the
    // slab's resistance is negative and no slab length holds the tank.
    auto app = Tank();
    app->tank.selectionMode = 1;
    app->tank.length = 6;
    app->tank.unitWeight = 5;
    app->tank.porosity = 0;
    RunBoth(*app);
    const TankRecord& r = app->tank;
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_GT(r.anchoringForce, 0.0);
    EXPECT_EQ(r.minSlabLength, CDalvorApp::kNoSlabLength);
    EXPECT_TRUE(CDalvorApp::NoSlabLengthSuffices(r.minSlabLength));
    EXPECT_EQ(Conclusion(*app), Text(*app, 20233));
    EXPECT_EQ(Warning(*app), Text(*app, 20234));
    // The anchoring lays out the slab without rounding it up to "no length".
    EXPECT_DOUBLE_EQ(r.slabLength, (r.anchorCount - 1) * r.anchorSpacing + 0.5);
    EXPECT_LT(r.slabLength, 100.0);

    // A resistance of exactly 0: water 2 m above the outer bottom, a backfill
    // of 7 kN/m3 (submerged -3), no friction, and a slab 0.5 high, whose
    // 6 kN/m2 just cancel the soil's -6 kN/m2.
    app = Tank();
    TankRecord& z = app->tank;
    z.selectionMode = 1;
    z.length = 6;
    z.innerDiameter = 2000;
    z.tankBottomLevel = 2;
    z.unitWeight = 7;
    z.porosity = 0;
    z.frictionAngle = 0;
    z.slabWidth = 0.5;
    z.slabHeight = 0.5;
    RunBoth(*app);
    EXPECT_EQ(z.head.resultValid, 1);
    EXPECT_GT(z.anchoringForce, 0.0);
    EXPECT_EQ(z.minSlabLength, CDalvorApp::kNoSlabLength);
    EXPECT_EQ(Warning(*app), Text(*app, 20234));
    for (double v : {z.slabLength, z.slabVolume, z.slabWeight, z.tieForce, z.tieSection})
        EXPECT_TRUE(std::isfinite(v));

    // A resistance so small that the slab would be longer than 1000 km.
    z.slabHeight = 0.5 + 1e-9;
    RunBoth(*app);
    EXPECT_EQ(z.minSlabLength, CDalvorApp::kNoSlabLength);
    EXPECT_EQ(Warning(*app), Text(*app, 20234));

    // Both the slab and the tank's length fail: the length warning wins.
    z.length = 1.5;
    RunBoth(*app);
    EXPECT_EQ(Warning(*app), Text(*app, 20235));
}

TEST(TankBuoyancy, SlabLongerThanTheTankWarns)
{
    auto app = Tank();
    app->tank.selectionMode = 1;
    app->tank.length = 2.5;
    app->tank.slabWidth = 0.2f;
    app->tank.frictionAngle = 0;
    app->CalcTankBuoyancy();
    ASSERT_GT(app->tank.minSlabLength, 2.5);
    EXPECT_EQ(Conclusion(*app), Text(*app, 20233));
    EXPECT_EQ(Warning(*app), Text(*app, 20234));
}

TEST(TankBuoyancy, AnchorCounts)
{
    auto counts = [](double length, double smin, double smax, double water, int count) {
        auto app = Tank();
        app->tank.selectionMode = 1;
        app->tank.length = length;
        app->tank.minAnchorSpacing = smin;
        app->tank.maxAnchorSpacing = smax;
        app->tank.waterLevel = water;
        app->tank.anchorCount = count;
        app->CalcTankBuoyancy();
        EXPECT_EQ(app->tank.head.resultValid, 1);
        return std::tuple{app->tank.minAnchorCount, app->tank.maxAnchorCount, app->tank.anchorCount};
    };
    // 11 m: trunc(10 / 2) + 1 = 6 and trunc(10 / 0.5) + 1 = 21.
    EXPECT_EQ(counts(11, 0.5, 2.0, 4, 2), std::tuple(6, 21, 6));
    EXPECT_EQ(counts(11, 0.5, 2.0, 4, 30), std::tuple(6, 21, 21));
    EXPECT_EQ(counts(11, 0.5, 2.0, 4, 9), std::tuple(6, 21, 9));
    // With the axis above the water table the least count is halved,
    // downwards: 13 m gives 7, halved to 3.
    EXPECT_EQ(counts(13, 0.5, 2.0, 2.0, 2), std::tuple(3, 25, 3));
    // Short tanks still get two anchors.
    EXPECT_EQ(counts(1.5, 0.5, 2.0, 4, 2), std::tuple(2, 2, 2));
    EXPECT_EQ(counts(0.3, 0.5, 2.0, 4, 0), std::tuple(2, 2, 2));
    // A smallest spacing above the largest: the count ends at the maximum.
    EXPECT_EQ(counts(11, 4.0, 2.0, 4, 2), std::tuple(6, 3, 3));
    // An absurd length, or a spacing of almost nothing, is held to 1000.
    EXPECT_EQ(std::get<1>(counts(1e6, 0.5, 2.0, 4, 2)), 1000);
    EXPECT_EQ(std::get<0>(counts(1e6, 0.5, 2.0, 4, 2)), 1000);
    EXPECT_EQ(std::get<1>(counts(11, 1e-300, 2.0, 4, 2)), 1000);
}

TEST(TankAnchoring, SpacingSlabAndTie)
{
    auto layout = [](double length, int count, double water, double smin = 0.5, double smax = 2.0) {
        auto app = Tank();
        TankRecord& r = app->tank;
        r.head.resultValid = 1;  // as after an uplift result
        r.length = length;
        r.anchorCount = count;
        r.waterLevel = water;
        r.foundationLevel = 0;
        r.outerDiameter = 2000;
        r.minAnchorSpacing = smin;
        r.maxAnchorSpacing = smax;
        r.minSlabLength = 0;
        r.anchoringForce = 40;
        r.tieAngle = 60;
        app->CalcTankAnchoring();
        return r;
    };
    // 10 m with 4 anchors: trunc(18 / 3) x 0.5 = 3 m, cut to smax = 2 with the
    // axis under water, to 2 x smax above it.
    TankRecord r = layout(10, 4, 4);
    EXPECT_EQ(r.anchorSpacing, 2.0);
    EXPECT_EQ(r.slabLength, 3 * 2.0 + 0.5);
    r = layout(10, 4, 0.5);
    EXPECT_EQ(r.anchorSpacing, 3.0);
    r = layout(30, 3, 0.5);
    EXPECT_EQ(r.anchorSpacing, 4.0);
    // Half-metre steps, at least one.
    r = layout(4.2, 4, 4);
    EXPECT_EQ(r.anchorSpacing, 1.0);
    r = layout(1.0, 4, 4, 0.1);
    EXPECT_EQ(r.anchorSpacing, 0.5);
    // Below the smallest spacing it is raised; when the smallest lies above
    // f x smax, the upper bound wins.
    r = layout(2.0, 6, 4, 0.8);
    EXPECT_EQ(r.anchorSpacing, 0.8);
    r = layout(10, 4, 4, 3.0, 2.0);
    EXPECT_EQ(r.anchorSpacing, 2.0);

    // One slab and the tie: Fc = Fk x 0.5 / (sin(alpha x 0.0174) x n).
    r = layout(10, 4, 4);
    EXPECT_DOUBLE_EQ(r.slabVolume, r.slabHeight * r.slabWidth * r.slabLength);
    EXPECT_DOUBLE_EQ(r.slabWeight, r.slabVolume * 22.0);
    const double fc = 40 * 0.5 / (std::sin(60 * static_cast<double>(0.0174f)) * 4);
    EXPECT_DOUBLE_EQ(r.tieForce, fc);
    EXPECT_DOUBLE_EQ(r.tieSection, fc * 1000 / 320);
}

TEST(TankAnchoring, SlabNeverShorterThanTheMinimum)
{
    auto slab = [](double minSlab, double length = 10, int count = 4) {
        auto app = Tank();
        app->tank.head.resultValid = 1;
        app->tank.length = length;
        app->tank.anchorCount = count;
        app->tank.foundationLevel = 0;
        app->tank.minSlabLength = minSlab;
        app->tank.anchoringForce = 40;
        app->CalcTankAnchoring();
        return app->tank.slabLength;
    };
    // 6.5 m designed: a minimum up to 6.5 changes nothing.
    EXPECT_EQ(slab(6.5), 6.5);
    EXPECT_EQ(slab(3.0), 6.5);
    // Beyond it: the half metre nearest to Lfmin + 0.5, halves away from 0.
    EXPECT_EQ(slab(6.6), 7.0);
    EXPECT_EQ(slab(6.76), 7.5);
    EXPECT_EQ(slab(6.75), 7.5);
    EXPECT_EQ(slab(7.0), 7.5);
    // A 1.5 m slab against 15 tenths (single), 1.50000002: two metres.
    EXPECT_EQ(slab(15 * static_cast<double>(0.1f), 2.0, 2), 2.0);
    EXPECT_EQ(slab(1.5, 2.0, 2), 1.5);
}

TEST(TankAnchoring, NoForceNoTie)
{
    auto app = Tank();
    app->tank.waterLevel = -3;
    RunBoth(*app);
    EXPECT_EQ(app->tank.anchoringForce, 0.0);
    EXPECT_EQ(app->tank.tieForce, 0.0);
    EXPECT_EQ(app->tank.tieSection, 0.0);
    EXPECT_GT(app->tank.slabLength, 0.0);
    EXPECT_GT(app->tank.anchorSpacing, 0.0);

    // At 90 degrees the factor 0.0174 leaves the sine just below 1.
    app = Tank();
    app->tank.head.resultValid = 1;
    app->tank.length = 10;
    app->tank.anchorCount = 2;
    app->tank.anchoringForce = 40;
    app->tank.tieAngle = 90;
    app->CalcTankAnchoring();
    EXPECT_GT(app->tank.tieForce, 40.0 / 4);
    EXPECT_NEAR(app->tank.tieForce, 10.0 / 0.99998850, 1e-6);
}

TEST(Tank, InputItCannotJudgeGivesNoResult)
{
    auto expectRefused = [](const char* what, auto change) {
        auto app = Tank();
        RunBoth(*app);
        ASSERT_EQ(app->tank.head.resultValid, 1);
        const TankRecord good = app->tank;
        change(*app);
        RunBoth(*app);
        SCOPED_TRACE(what);
        const TankRecord& r = app->tank;
        EXPECT_EQ(r.head.resultValid, 0);
        EXPECT_EQ(FromFixed(r.head.conclusion), u"");
        EXPECT_EQ(FromFixed(r.head.warning), u"");
        for (double v : {r.activeCapacity, r.ownWeight, r.upliftForce, r.soilWeight, r.anchoringForce,
                         r.minSlabLength, r.slabLength, r.slabVolume, r.slabWeight, r.tieForce, r.tieSection})
            EXPECT_EQ(v, 0.0);
        // What the run did not complete keeps its earlier (finite) value.
        for (double v : {r.foundationLevel, r.coverDepth, r.tieAngle})
            EXPECT_TRUE(std::isfinite(v));
        EXPECT_EQ(r.foundationLevel, good.foundationLevel);
        EXPECT_GE(r.minAnchorCount, 2);
        EXPECT_LE(r.maxAnchorCount, 1000);
    };
    expectRefused("no inner diameter", [](CDalvorApp& a) { a.tank.innerDiameter = 0; });
    expectRefused("no outer diameter", [](CDalvorApp& a) { a.tank.outerDiameter = 0; });
    expectRefused("negative diameter", [](CDalvorApp& a) { a.tank.innerDiameter = -1900; });
    expectRefused("type beyond the table", [](CDalvorApp& a) { a.tank.tankTypeIndex = 1; });
    expectRefused("negative type", [](CDalvorApp& a) { a.tank.tankTypeIndex = -5; });
    expectRefused("table not loaded", [](CDalvorApp& a) { a.tankTypeCount = 0; });
    expectRefused("no smallest spacing", [](CDalvorApp& a) { a.tank.minAnchorSpacing = 0; });
    expectRefused("no largest spacing", [](CDalvorApp& a) { a.tank.maxAnchorSpacing = 0; });
    expectRefused("negative spacing", [](CDalvorApp& a) { a.tank.minAnchorSpacing = -1; });
    expectRefused("no slab width", [](CDalvorApp& a) { a.tank.slabWidth = 0; });
    expectRefused("undefined ground", [](CDalvorApp& a) { a.tank.groundLevel = kNan; });
    expectRefused("infinite capacity", [](CDalvorApp& a) { a.tank.capacity = kInf; });
    expectRefused("undefined fill", [](CDalvorApp& a) { a.tank.fillLevel = kNan; });
    expectRefused("undefined end weight", [](CDalvorApp& a) { a.tankTypes[0].endWeight = kNan; });
    expectRefused("overflowing length", [](CDalvorApp& a) {
        a.tank.selectionMode = 1;
        a.tank.length = 1e308;
    });

    // The anchoring on its own refuses what it cannot lay out.
    auto anchoringRefused = [](const char* what, auto change) {
        auto app = Tank();
        app->tank.length = 10;
        RunBoth(*app);
        ASSERT_EQ(app->tank.head.resultValid, 1);
        change(app->tank);
        app->CalcTankAnchoring();
        SCOPED_TRACE(what);
        EXPECT_EQ(app->tank.head.resultValid, 0);
        for (double v : {app->tank.anchorSpacing, app->tank.slabLength, app->tank.tieForce, app->tank.tieSection})
            EXPECT_EQ(v, 0.0);
    };
    anchoringRefused("no uplift result", [](TankRecord& r) { r.head.resultValid = 0; });
    anchoringRefused("one anchor", [](TankRecord& r) { r.anchorCount = 1; });
    anchoringRefused("no anchors", [](TankRecord& r) { r.anchorCount = 0; });
    anchoringRefused("too many anchors", [](TankRecord& r) { r.anchorCount = 1001; });
    anchoringRefused("no tie strength", [](TankRecord& r) { r.tieDesignStrength = 0; });
    anchoringRefused("flat ties", [](TankRecord& r) {
        r.anchoringForce = 40;
        r.tieAngle = 0;
    });
    anchoringRefused("undefined minimum", [](TankRecord& r) { r.minSlabLength = kNan; });
    anchoringRefused("zero spacing", [](TankRecord& r) { r.maxAnchorSpacing = 0; });
    anchoringRefused("undefined length", [](TankRecord& r) { r.length = kInf; });

    // Stored indexes and counts are read, not rewritten, when refused.
    auto app = Tank();
    app->tank.tankTypeIndex = 9;
    app->tank.anchorCount = 5;
    RunBoth(*app);
    EXPECT_EQ(app->tank.tankTypeIndex, 9);
    EXPECT_EQ(app->tank.anchorCount, 5);
}
