// Uplift check and anchoring of an underground tank: length and capacity,
// active capacity, uplift and backfill against circular segments, the minimum
// slab length (and the case where no slab suffices), anchor counts, the
// anchoring layout, and input neither can judge.

#include "tests/core/CalcTestSupport.h"

#include "core/calc/Calculations.h"

#include <cstddef>
#include <memory>
#include <string>
#include <tuple>

namespace {

using namespace calc_support;

constexpr double kHalfMm = 0.0005f;

// A tank record with the catalogue its calculation reads.
struct TankCase {
    TankRecord tank{};
    CatalogueTables tables;
};

// The worked case of a second transcription: capacity 5 m3 given, Dz 2000,
// Dw 1900, end allowance 100 mm, PT = ZWG = 4, PD = Pv = 1.5, 17.5 kN/m3,
// 15 %, 30 degrees, no cohesion, slab 0.6 x 0.3 (single), 1 kN/m, ends 2 kN.
// A length above 0 is given instead of the capacity.
std::unique_ptr<TankCase> Tank(double length = 0)
{
    auto tc = std::make_unique<TankCase>();
    TankTypeEntry type{};
    type.weightPerMetre = 1;
    type.endWeight = 2;
    TankRecord& r = tc->tank;
    r.selectionMode = 0;
    if (length > 0) {
        r.selectionMode = 1;
        r.length = length;
    }
    r.tankTypeIndex = 0;
    r.capacity = 5;
    r.outerDiameter = type.outerDiameter = 2000;
    r.innerDiameter = type.innerDiameter = 1900;
    r.endAllowance = type.endAllowance = 100;
    r.minAnchorSpacing = type.minAnchorSpacing = 0.5;
    r.maxAnchorSpacing = type.maxAnchorSpacing = 2.0;
    tc->tables.tankTypes.push_back(type);
    r.groundLevel = r.waterLevel = 4;
    r.tankBottomLevel = r.fillLevel = 1.5;
    r.unitWeight = 17.5;
    r.porosity = 15;
    r.frictionAngle = 30;
    r.cohesion = 0;
    r.slabWidth = 0.6f;
    r.slabHeight = 0.3f;
    r.anchorCount = 2;
    r.tieDesignStrength = 320;
    r.tieAngle = 90;
    return tc;
}

void Buoyancy(TankCase& c)
{
    CalcTankBuoyancy(c.tank, c.tables, LangEnglish);
}

void RunBoth(TankCase& c)
{
    Buoyancy(c);
    CalcTankAnchoring(c.tank);
}

const auto Keep = [](TankRecord&) {};

// The worked case (of the given length, if any) changed by `change`, after
// the uplift check, and after the anchoring too for Both.
template <class Change>
std::unique_ptr<TankCase> Uplift(double length, Change change)
{
    auto tc = Tank(length);
    change(tc->tank);
    Buoyancy(*tc);
    return tc;
}

template <class Change>
std::unique_ptr<TankCase> Both(double length, Change change)
{
    auto tc = Uplift(length, change);
    CalcTankAnchoring(tc->tank);
    return tc;
}

// The anchoring alone, laid out for an uplift result the test states.
template <class Change>
TankRecord Anchoring(Change change)
{
    auto tc = Tank();
    TankRecord& r = tc->tank;
    r.head.resultValid = 1;
    r.length = 10;
    r.anchorCount = 4;
    r.foundationLevel = 0;
    r.minSlabLength = 0;
    r.anchoringForce = 40;
    change(r);
    CalcTankAnchoring(tc->tank);
    return r;
}

}  // namespace

TEST(TankBuoyancy, WorkedCaseMatchesASecondTranscription)
{
    auto tc = Uplift(0, Keep);
    const TankRecord& r = tc->tank;
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_NEAR(r.length, 1.9635417338762216, 1e-14);
    EXPECT_NEAR(r.upliftForce, 61.68663369044118, 1e-11);
    EXPECT_NEAR(r.soilWeight, 27.023829446144465, 1e-11);
    EXPECT_NEAR(r.ownWeight, 3.96354173387622, 1e-13);  // 1 kN/m over 1.9635 m, and 2 kN of ends
    EXPECT_NEAR(r.anchoringForce, 39.96666520698713, 1e-11);
    EXPECT_EQ(r.minSlabLength, 1.4000000208616257);  // 14 x 0.1 (single)
    EXPECT_NEAR(r.tieAngle, 73.30615434810348, 1e-11);
    EXPECT_DOUBLE_EQ(r.foundationLevel, 1.5 - 100 * kHalfMm);
    EXPECT_DOUBLE_EQ(r.coverDepth, (4 - r.foundationLevel) - 2000 * static_cast<double>(0.001f));
    EXPECT_EQ(Conclusion(r), Text(20233));
    // The tank (1.96 m) is shorter than its diameter (2 m).
    EXPECT_EQ(Warning(r), Text(20235));
    // Without friction the slab alone must hold: a longer slab.
    EXPECT_EQ(Uplift(0, [](TankRecord& t) { t.frictionAngle = 0; })->tank.minSlabLength, 2.600000038743019);
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
        SCOPED_TRACE(c.water);
        auto tc = Both(8, [&c](TankRecord& t) {
            t.anchorCount = 3;
            t.waterLevel = c.water;
        });
        const TankRecord& r = tc->tank;
        ASSERT_EQ(r.head.resultValid, 1);
        EXPECT_NEAR(r.capacity / 22.11458903958543, 1.0, 1e-12);
        EXPECT_NEAR(r.upliftForce / c.uplift, 1.0, 1e-12);
        EXPECT_NEAR(r.soilWeight / c.soil, 1.0, 1e-12);
        EXPECT_NEAR(r.anchoringForce, c.anchoring, 1e-12 * c.anchoring);
        EXPECT_EQ(r.minSlabLength, c.minSlab);
        EXPECT_EQ(std::tuple(r.minAnchorCount, r.maxAnchorCount, r.anchorCount),
                  std::tuple(c.minCount, c.maxCount, c.count));
        EXPECT_EQ(r.anchorSpacing, c.spacing);
        EXPECT_EQ(r.slabLength, c.slab);
        EXPECT_NEAR(r.slabVolume / c.slabVolume, 1.0, 1e-12);
        EXPECT_NEAR(r.tieForce, c.tie, 1e-12 * c.tie);
        EXPECT_EQ(Conclusion(r), Text(c.anchoring > 0 ? 20233 : 20236));
        EXPECT_EQ(Warning(r), u"");
    }
}

TEST(TankBuoyancy, LengthAndCapacity)
{
    // Capacity to length and back agree to the product of the two constants.
    auto tc = Uplift(0, Keep);
    TankRecord& r = tc->tank;
    const double length = r.length;
    r.selectionMode = 1;
    r.capacity = 0;
    Buoyancy(*tc);
    EXPECT_EQ(r.length, length);
    EXPECT_NEAR(r.capacity / 5.0, 1.0, 1.5e-8);
    EXPECT_NE(r.capacity, 5.0);
    // A given length shorter than the two end allowances becomes them, and the
    // capacity 0.
    r.length = 0.1;
    Buoyancy(*tc);
    EXPECT_EQ(r.length, 100 * static_cast<double>(0.002f));
    EXPECT_EQ(r.capacity, 0.0);
    EXPECT_EQ(r.activeCapacity, 0.0);
    // Any mode other than 1 is the capacity mode.
    EXPECT_NEAR(Uplift(0, [](TankRecord& t) { t.selectionMode = 7; })->tank.length, 1.9635417338762216, 1e-14);
}

TEST(TankBuoyancy, ActiveCapacityBelowTheFillLevel)
{
    // The inner bottom at 0; the inner radius is 1900 x 0.0005 (single).
    const double r = 1900 * kHalfMm;
    auto share = [](double fill) {
        auto tc = Uplift(0, [fill](TankRecord& t) {
            t.tankBottomLevel = 0;
            t.fillLevel = fill;
        });
        return tc->tank.activeCapacity / tc->tank.capacity;
    };
    for (auto [fill, expected] : {std::pair{0.0, 0.0}, {-1.0, 0.0}, {2 * r, 1.0}, {9.0, 1.0}})
        EXPECT_EQ(share(fill), expected) << fill;
    // 1.9 m lies a hair below the top of a bore of 2 x 0.95000005 m.
    EXPECT_LT(share(1.9), 1.0);
    // Half full gives acos(0) / 3.1415 (single), a hair above one half.
    EXPECT_DOUBLE_EQ(share(r), std::acos(0.0) / static_cast<double>(3.1415f));
    EXPECT_GT(share(r), 0.5);
    // A fill h above the axis and one h below share the tank between them;
    // against the circular segment, within the program's pi.
    for (double h : {0.1, 0.4, 0.9}) {
        EXPECT_NEAR(share(r + h) + share(r - h), 1.0, 1e-12) << h;
        EXPECT_NEAR(share(r - h), static_cast<double>(SegmentBelow(2 * r, r - h) / (kPi * r * r)), 1e-4) << h;
    }
}

TEST(TankBuoyancy, UpliftAndBackfillAgainstCircularSegments)
{
    // A wall of 0.5 mm, the outer bottom at 0; 10 m long, no soil credit
    // (shallow ground), dry backfill only.
    for (double hw : {-0.5, 0.0, 0.3, 1.0, 1.6, 2.0, 3.5}) {
        SCOPED_TRACE(hw);
        auto tc = Uplift(10, [hw](TankRecord& t) {
            t.innerDiameter = 1999;
            t.tankBottomLevel = kHalfMm;
            t.waterLevel = hw;
        });
        const TankRecord& r = tc->tank;
        ASSERT_EQ(r.head.resultValid, 1);
        ASSERT_EQ(r.foundationLevel, 0.0);
        const LD area = SegmentBelow(2, hw);
        if (area == 0) {
            EXPECT_EQ(r.upliftForce, 0.0);
            EXPECT_EQ(r.anchoringForce, 0.0);
            EXPECT_EQ(r.minSlabLength, 0.0);
            EXPECT_EQ(Conclusion(r), Text(20236));
        } else {
            EXPECT_NEAR(r.upliftForce / static_cast<double>(10 * area * 10), 1.0, 1e-4);
        }
        // Backfill over the tank: the strip 2 m wide from the axis to the
        // ground less the upper half of the tank, wet below the water table.
        const LD soil = HoldDown(2, 3, hw - 1, 17.5, 17.5 + 15 * static_cast<double>(0.1f) - 10) * 10;
        EXPECT_NEAR(r.soilWeight / static_cast<double>(soil), 1.0, 1e-4);
    }
    // Fully submerged is Archimedes.
    const double uplift = Uplift(10, Keep)->tank.upliftForce;
    const double d = 2000 * static_cast<double>(0.001f);
    EXPECT_DOUBLE_EQ(uplift, d * static_cast<double>(7.854f) * d * 10);
    EXPECT_NEAR(uplift / static_cast<double>(10 * kPi / 4 * 4 * 10), 1.0, 1e-4);
}

TEST(TankBuoyancy, SoilCreditNeedsAFullCover)
{
    auto soilAt = [](double cover) {
        return Uplift(0, [cover](TankRecord& t) {
                   t.innerDiameter = 1999;
                   t.tankBottomLevel = kHalfMm;
                   t.waterLevel = -1;
                   t.groundLevel = cover;
               })->tank.soilWeight;
    };
    EXPECT_GT(soilAt(3.0), 0.0);
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

TEST(TankBuoyancy, MinimumSlabLengthRoundingAndWarning)
{
    // A small anchoring force gives at least 1 m of slab.
    auto tc = Uplift(0, [](TankRecord& t) { t.waterLevel = 2.9; });
    ASSERT_GT(tc->tank.anchoringForce, 0.01f);
    ASSERT_LT(tc->tank.anchoringForce, 5.0);
    EXPECT_EQ(tc->tank.minSlabLength, 1.0);
    // Larger forces step in tenths of a metre (0.1 single).
    const double lf = Uplift(12, Keep)->tank.minSlabLength;
    const double tenths = std::round(lf / static_cast<double>(0.1f));
    EXPECT_EQ(lf, tenths * static_cast<double>(0.1f));
    EXPECT_GT(tenths, 10);
    // No uplift: no slab, and a positive zero.
    tc = Uplift(0, [](TankRecord& t) { t.waterLevel = -3; });
    EXPECT_EQ(tc->tank.anchoringForce, 0.0);
    EXPECT_EQ(tc->tank.minSlabLength, 0.0);
    EXPECT_FALSE(std::signbit(tc->tank.minSlabLength));
    EXPECT_EQ(Conclusion(tc->tank), Text(20236));
    EXPECT_EQ(Warning(tc->tank), u"");
    // A slab longer than the tank warns.
    tc = Uplift(2.5, [](TankRecord& t) {
        t.slabWidth = 0.2f;
        t.frictionAngle = 0;
    });
    ASSERT_GT(tc->tank.minSlabLength, 2.5);
    EXPECT_EQ(Conclusion(tc->tank), Text(20233));
    EXPECT_EQ(Warning(tc->tank), Text(20234));
}

TEST(TankBuoyancy, NoSlabLengthSufficesUnderALightBackfill)
{
    // A backfill lighter than water (5 kN/m3, no pores) under water: the
    // slab's resistance is negative and no slab length holds the tank.
    auto tc = Both(6, [](TankRecord& t) {
        t.unitWeight = 5;
        t.porosity = 0;
    });
    const TankRecord& r = tc->tank;
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_GT(r.anchoringForce, 0.0);
    EXPECT_EQ(r.minSlabLength, kNoSlabLength);
    EXPECT_TRUE(NoSlabLengthSuffices(r.minSlabLength));
    EXPECT_EQ(Conclusion(r), Text(20233));
    EXPECT_EQ(Warning(r), Text(20234));
    // The anchoring lays out the slab without rounding it up to "no length".
    EXPECT_DOUBLE_EQ(r.slabLength, (r.anchorCount - 1) * r.anchorSpacing + 0.5);
    EXPECT_LT(r.slabLength, 100.0);

    // A resistance of exactly 0: water 2 m above the outer bottom, a backfill
    // of 7 kN/m3 (submerged -3), no friction, and a slab 0.5 high, whose
    // 6 kN/m2 just cancel the soil's -6 kN/m2.
    tc = Both(6, [](TankRecord& t) {
        t.innerDiameter = 1999;
        t.tankBottomLevel = 2 + kHalfMm;
        t.unitWeight = 7;
        t.porosity = 0;
        t.frictionAngle = 0;
        t.slabWidth = t.slabHeight = 0.5;
    });
    TankRecord& z = tc->tank;
    EXPECT_EQ(z.head.resultValid, 1);
    EXPECT_GT(z.anchoringForce, 0.0);
    EXPECT_EQ(z.minSlabLength, kNoSlabLength);
    EXPECT_EQ(Warning(z), Text(20234));
    for (double v : {z.slabLength, z.slabVolume, z.slabWeight, z.tieForce, z.tieSection})
        EXPECT_TRUE(std::isfinite(v));
    // A resistance so small that the slab would be longer than 1000 km.
    z.slabHeight = 0.5 + 1e-9;
    RunBoth(*tc);
    EXPECT_EQ(z.minSlabLength, kNoSlabLength);
    EXPECT_EQ(Warning(z), Text(20234));
    // Both the slab and the tank's length fail: the length warning wins.
    z.length = 1.5;
    RunBoth(*tc);
    EXPECT_EQ(Warning(z), Text(20235));
}

TEST(TankBuoyancy, AnchorCounts)
{
    auto counts = [](double length, double smin, double smax, double water, int count) {
        auto tc = Uplift(length, [=](TankRecord& t) {
            t.minAnchorSpacing = smin;
            t.maxAnchorSpacing = smax;
            t.waterLevel = water;
            t.anchorCount = count;
        });
        EXPECT_EQ(tc->tank.head.resultValid, 1);
        return std::tuple{tc->tank.minAnchorCount, tc->tank.maxAnchorCount, tc->tank.anchorCount};
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
    EXPECT_EQ(std::get<0>(counts(1e6, 0.5, 2.0, 4, 2)), 1000);
    EXPECT_EQ(std::get<1>(counts(1e6, 0.5, 2.0, 4, 2)), 1000);
    EXPECT_EQ(std::get<1>(counts(11, 1e-300, 2.0, 4, 2)), 1000);
}

TEST(TankAnchoring, SpacingSlabAndTie)
{
    // trunc(2 (L - 1) / (n - 1)) half metres, at least one; raised to the
    // smallest spacing, then cut to the largest with the axis under water and
    // to twice it above, so the upper bound wins.
    const struct {
        double length;
        int count;
        double water, smin, smax, spacing;
    } cases[] = {
        {10, 4, 4, 0.5, 2.0, 2.0},    // trunc(18 / 3) x 0.5 = 3 m, cut to 2
        {10, 4, 0.5, 0.5, 2.0, 3.0},  // above the water table: up to 4
        {30, 3, 0.5, 0.5, 2.0, 4.0},
        {4.2, 4, 4, 0.5, 2.0, 1.0},
        {1.0, 4, 4, 0.1, 2.0, 0.5},  // at least one half metre
        {2.0, 6, 4, 0.8, 2.0, 0.8},  // raised to the smallest
        {10, 4, 4, 3.0, 2.0, 2.0},   // the smallest above the largest
    };
    for (const auto& c : cases) {
        const TankRecord r = Anchoring([&c](TankRecord& t) {
            t.length = c.length;
            t.anchorCount = c.count;
            t.waterLevel = c.water;
            t.minAnchorSpacing = c.smin;
            t.maxAnchorSpacing = c.smax;
        });
        EXPECT_EQ(r.anchorSpacing, c.spacing) << c.length << " " << c.count << " " << c.water << " " << c.smin;
    }
    // One slab and the tie: Fc = Fk x 0.5 / (sin(alpha x 0.0174) x n).
    const TankRecord r = Anchoring([](TankRecord& t) { t.tieAngle = 60; });
    EXPECT_EQ(r.slabLength, 3 * 2.0 + 0.5);
    EXPECT_DOUBLE_EQ(r.slabVolume, r.slabHeight * r.slabWidth * r.slabLength);
    EXPECT_DOUBLE_EQ(r.slabWeight, r.slabVolume * 22.0);
    const double fc = 40 * 0.5 / (std::sin(60 * static_cast<double>(0.0174f)) * 4);
    EXPECT_DOUBLE_EQ(r.tieForce, fc);
    EXPECT_DOUBLE_EQ(r.tieSection, fc * 1000 / 320);
    // At 90 degrees the factor 0.0174 leaves the sine just below 1.
    const double tie = Anchoring([](TankRecord& t) { t.anchorCount = 2; }).tieForce;
    EXPECT_GT(tie, 40.0 / 4);
    EXPECT_NEAR(tie, 10.0 / 0.99998850, 1e-6);
}

TEST(TankAnchoring, SlabNeverShorterThanTheMinimumAndNoTieWithoutForce)
{
    // 6.5 m designed: a minimum up to 6.5 changes nothing; beyond it, the half
    // metre nearest to Lfmin + 0.5, halves away from 0. A 1.5 m slab against
    // 15 tenths (single), 1.50000002: two metres.
    const struct {
        double minSlab, length;
        int count;
        double slab;
    } cases[] = {
        {6.5, 10, 4, 6.5}, {3.0, 10, 4, 6.5}, {6.6, 10, 4, 7.0}, {6.76, 10, 4, 7.5}, {6.75, 10, 4, 7.5},
        {7.0, 10, 4, 7.5}, {15 * static_cast<double>(0.1f), 2.0, 2, 2.0}, {1.5, 2.0, 2, 1.5},
    };
    for (const auto& c : cases) {
        const TankRecord r = Anchoring([&c](TankRecord& t) {
            t.minSlabLength = c.minSlab;
            t.length = c.length;
            t.anchorCount = c.count;
        });
        EXPECT_EQ(r.slabLength, c.slab) << c.minSlab << " " << c.length;
    }
    // No force: a slab and a spacing, but no tie.
    const TankRecord r = Both(0, [](TankRecord& t) { t.waterLevel = -3; })->tank;
    EXPECT_EQ(r.anchoringForce, 0.0);
    EXPECT_EQ(r.tieForce, 0.0);
    EXPECT_EQ(r.tieSection, 0.0);
    EXPECT_GT(r.slabLength, 0.0);
    EXPECT_GT(r.anchorSpacing, 0.0);
}

TEST(Tank, InputItCannotJudgeGivesNoResult)
{
    auto expectRefused = [](const char* what, auto change) {
        SCOPED_TRACE(what);
        auto tc = Both(0, Keep);
        ASSERT_EQ(tc->tank.head.resultValid, 1);
        const TankRecord good = tc->tank;
        change(*tc);
        RunBoth(*tc);
        const TankRecord& r = tc->tank;
        EXPECT_EQ(r.head.resultValid, 0);
        EXPECT_EQ(Conclusion(r), u"");
        EXPECT_EQ(Warning(r), u"");
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
    expectRefused("no inner diameter", [](TankCase& a) { a.tank.innerDiameter = 0; });
    expectRefused("no outer diameter", [](TankCase& a) { a.tank.outerDiameter = 0; });
    expectRefused("negative diameter", [](TankCase& a) { a.tank.innerDiameter = -1900; });
    expectRefused("type beyond the table", [](TankCase& a) { a.tank.tankTypeIndex = 1; });
    expectRefused("negative type", [](TankCase& a) { a.tank.tankTypeIndex = -5; });
    expectRefused("table not loaded", [](TankCase& a) { a.tables.tankTypes.clear(); });
    expectRefused("no smallest spacing", [](TankCase& a) { a.tank.minAnchorSpacing = 0; });
    expectRefused("no largest spacing", [](TankCase& a) { a.tank.maxAnchorSpacing = 0; });
    expectRefused("negative spacing", [](TankCase& a) { a.tank.minAnchorSpacing = -1; });
    expectRefused("no wall", [](TankCase& a) { a.tank.innerDiameter = a.tank.outerDiameter; });
    expectRefused("ground beyond 10 km", [](TankCase& a) { a.tank.groundLevel = 10000.01; });
    expectRefused("foundation below -10 km", [](TankCase& a) { a.tank.tankBottomLevel = -10000; });
    expectRefused("no slab width", [](TankCase& a) { a.tank.slabWidth = 0; });
    expectRefused("undefined ground", [](TankCase& a) { a.tank.groundLevel = kNaN; });
    expectRefused("infinite capacity", [](TankCase& a) { a.tank.capacity = kInf; });
    expectRefused("undefined fill", [](TankCase& a) { a.tank.fillLevel = kNaN; });
    expectRefused("undefined end weight", [](TankCase& a) { a.tables.tankTypes[0].endWeight = kNaN; });
    expectRefused("overflowing length", [](TankCase& a) {
        a.tank.selectionMode = 1;
        a.tank.length = 1e308;
    });

    // The anchoring on its own refuses what it cannot lay out.
    auto anchoringRefused = [](const char* what, auto change) {
        SCOPED_TRACE(what);
        auto tc = Both(10, Keep);
        ASSERT_EQ(tc->tank.head.resultValid, 1);
        change(tc->tank);
        CalcTankAnchoring(tc->tank);
        EXPECT_EQ(tc->tank.head.resultValid, 0);
        for (double v : {tc->tank.anchorSpacing, tc->tank.slabLength, tc->tank.tieForce, tc->tank.tieSection})
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
    anchoringRefused("undefined minimum", [](TankRecord& r) { r.minSlabLength = kNaN; });
    anchoringRefused("zero spacing", [](TankRecord& r) { r.maxAnchorSpacing = 0; });
    anchoringRefused("undefined length", [](TankRecord& r) { r.length = kInf; });

    // Stored indexes and counts are read, not rewritten, when refused.
    auto tc = Both(0, [](TankRecord& t) {
        t.tankTypeIndex = 9;
        t.anchorCount = 5;
    });
    EXPECT_EQ(tc->tank.tankTypeIndex, 9);
    EXPECT_EQ(tc->tank.anchorCount, 5);
}
