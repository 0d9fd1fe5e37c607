// Uplift check of a manhole: the minimum ballast table, the earth pressure of
// the slices against Rankine's integral, the base mode and the eccentric mode,
// and input it cannot judge.

#include "tests/core/CalcTestSupport.h"

#include <cstring>
#include <memory>
#include <string>
#include <tuple>

namespace {

using namespace calc_support;

// A manhole record with the catalogue its calculation reads.
struct ManholeCase {
    ManholeRecord manhole{};
    CatalogueTables tables;
};

void Calculate(ManholeCase& c)
{
    CalcManholeBuoyancy(c.manhole, c.tables, LangEnglish);
}

// The worked case of a second transcription: PT 4, ZWG 2, PP 0, Dns 1.0,
// De 1.2, 17.5 kN/m3, 15 %, 30 degrees, no cohesion, 8 kN/m.
std::unique_ptr<ManholeCase> Manhole(int eccentric = 0, double weightPerMetre = 8)
{
    auto mh = std::make_unique<ManholeCase>();
    ManholeTypeEntry type{};
    type.nominalDiameter = 1000;
    type.outerDiameter = 1200;
    type.weightPerMetre = weightPerMetre;
    mh->tables.manholeTypes.push_back(type);
    ManholeRecord& r = mh->manhole;
    r.eccentric = eccentric;
    r.typeIndex = 0;
    r.unitWeight = 17.5;
    r.porosity = 15;
    r.frictionAngle = 30;
    r.cohesion = 0;
    r.groundLevel = 4;
    r.waterLevel = 2;
    r.pipeBottomLevel = 0;
    r.nominalDiameter = 1.0;
    r.outerDiameter = 1.2;
    r.pipeDiameter = 0.3;
    r.sandTrapDepth = 300;
    return mh;
}

// The worked case changed by `change`, after the check.
template <class Change>
std::unique_ptr<ManholeCase> Check(int eccentric, Change change, double weightPerMetre = 8)
{
    auto mh = Manhole(eccentric, weightPerMetre);
    change(mh->manhole);
    Calculate(*mh);
    return mh;
}

// The earth-pressure resultant S of the base mode, recovered from the shaft
// friction T = tan(phi) x S x pi x De.
double EarthPressure(const ManholeCase& mh)
{
    const ManholeRecord& r = mh.manhole;
    return r.frictionForce / (std::tan(r.frictionAngle * static_cast<double>(0.0175f)) *
                              static_cast<double>(3.1415f) * r.outerDiameter);
}

}  // namespace

TEST(MinBallastHeight, TableByDiameterWaterAndDepth)
{
    struct Row {
        int dns[4];
        int wet[5];
        int dry[5];
    };
    const Row rows[] = {
        {{600, 800}, {300, 300, 300, 300, 300}, {0, 0, 0, 300, 300}},
        {{1000}, {300, 300, 300, 450, 450}, {0, 0, 0, 300, 300}},
        {{1200, 1400, 1500, 1600}, {300, 300, 450, 450, 450}, {0, 0, 350, 350, 400}},
        {{1800, 2000}, {300, 350, 500, 500, 500}, {0, 0, 350, 350, 450}},
        {{2200, 2400, 2600}, {350, 400, 500, 500, 500}, {0, 300, 350, 350, 450}},
        {{3000}, {350, 400, 500, 500, 500}, {0, 300, 400, 400, 450}},
    };
    // Depths and their bands; the upper end of a band belongs to it.
    const std::pair<double, int> depths[] = {{-1, 0},   {3.9, 0}, {4.0, 0},    {4.0001, 1}, {5.0, 1}, {5.5, 2},
                                             {6.0, 2}, {6.01, 3}, {8.0, 3}, {8.0001, 4}, {30, 4}};
    const double mm = 0.001f;
    for (const Row& row : rows)
        for (int dns : row.dns) {
            if (dns == 0)
                continue;
            // As the page holds it (mm x 0.001 single) and as a type gives it
            // (mm / 1000): both come back to the same whole millimetres.
            for (double d : {dns * mm, dns / 1000.0})
                for (auto [depth, band] : depths) {
                    SCOPED_TRACE(std::to_string(dns) + " at " + std::to_string(depth));
                    EXPECT_EQ(CalcMinBallastHeight(d, depth, 1, 0), row.wet[band] * mm);
                    EXPECT_EQ(CalcMinBallastHeight(d, depth, 1, 1), row.wet[band] * mm);
                    EXPECT_EQ(CalcMinBallastHeight(d, depth, 0, 0), row.dry[band] * mm);
                    // A sand trap without water needs no minimum.
                    EXPECT_EQ(CalcMinBallastHeight(d, depth, 0, 1), 0.0);
                }
        }
    EXPECT_EQ(CalcMinBallastHeight(1.0, 4.5, 1, 0), 0.3000000142492354);
    // Sizes not in the table, and nonsense, need none.
    for (double d : {0.9, 2.8, 0.0, -1.0, 0.9999, 1e300, kNaN, kInf})
        EXPECT_EQ(CalcMinBallastHeight(d, 7.0, 1, 0), 0.0) << d;
    // The millimetres are truncated, not rounded.
    EXPECT_EQ(CalcMinBallastHeight(1.0009, 7.0, 1, 0), 450 * mm);
    EXPECT_EQ(CalcMinBallastHeight(1.0, kNaN, 1, 0), 0.0);
}

TEST(ManholeBase, WorkedCaseMatchesASecondTranscription)
{
    auto mh = Check(0, [](ManholeRecord& m) { m.baseLevel = 99; });
    const ManholeRecord& r = mh->manhole;
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_DOUBLE_EQ(r.baseLevel, -static_cast<double>(0.15f));
    EXPECT_NEAR(r.height, 4.1500000059604645, 1e-14);
    // The slice thickness is H x 0.01 in single precision; with an exact 0.01
    // the sum would be 43.46674948043538 (T 94.9115545861702).
    EXPECT_NEAR(EarthPressure(*mh), 43.466747537320366, 1e-11);
    EXPECT_NEAR(r.frictionForce, std::tan(30 * static_cast<double>(0.0175f)) *
                                     (43.466747537320366 * static_cast<double>(3.1415f) * 1.2),
                1e-11);
    EXPECT_NEAR(r.frictionForce, 94.9115545861702, 1e-5);
    EXPECT_NEAR(r.upliftForce, 24.315984350858688, 1e-11);
    EXPECT_NEAR(r.deadWeight, 30.40000009536743, 1e-11);
    EXPECT_EQ(r.anchoringForce, 0.0);
    // The uplift does not beat friction and weight, but the table asks for a
    // heavy bottom of 300 mm at Dns 1000 with water above the base.
    EXPECT_EQ(r.ballastHeight, 0.3000000142492354);
    EXPECT_NEAR(r.ballastVolume, 0.23562000320909507, 1e-14);
    EXPECT_DOUBLE_EQ(r.ballastWeight, r.ballastVolume * 22.0);
    EXPECT_EQ(Conclusion(r), Text(20237));
    EXPECT_EQ(Warning(r), u"");

    // Running again gives the same bytes.
    const ManholeRecord once = r;
    Calculate(*mh);
    EXPECT_EQ(std::memcmp(&once, &mh->manhole, sizeof once), 0);
}

TEST(ManholeBase, SlicePressureAgainstRankine)
{
    // Dry wall, no cohesion: S = Ka x gamma x (H^2 - 0.35^2) / 2 with the
    // program's Ka; the slices stay within 0.1 % of it.
    auto mh = Check(0, [](ManholeRecord& m) { m.waterLevel = -10; });
    const double h = mh->manhole.height;
    const double t = std::tan((45.0 - 15.0) * static_cast<double>(0.0175f));
    EXPECT_NEAR(EarthPressure(*mh) / (t * t * 17.5 * (h * h - 0.35 * 0.35) / 2), 1.0, 1e-3);
    EXPECT_NEAR(EarthPressure(*mh), 50.235, 1e-3);
    // Water at the ground: every slice takes the submerged weight.
    mh = Check(0, [](ManholeRecord& m) { m.waterLevel = 4; });
    const double gs = 15 * static_cast<double>(0.1f) + 17.5 - 10;
    EXPECT_NEAR(EarthPressure(*mh) / (t * t * gs * (h * h - 0.35 * 0.35) / 2), 1.0, 1e-3);
    // Enough cohesion leaves no active pressure at all.
    EXPECT_EQ(Check(0, [](ManholeRecord& m) { m.cohesion = 100; })->manhole.frictionForce, 0.0);
}

TEST(ManholeBase, DryShallowShaftNeedsNothing)
{
    auto mh = Check(0, [](ManholeRecord& m) {
        m.groundLevel = 3.5;
        m.waterLevel = -1;
    });
    const ManholeRecord& r = mh->manhole;
    EXPECT_LE(r.height, 4.0);
    for (double v : {r.upliftForce, r.anchoringForce, r.ballastHeight, r.ballastVolume})
        EXPECT_EQ(v, 0.0);
    EXPECT_EQ(Conclusion(r), Text(20238));
    // Water exactly at the base counts as no water.
    mh->manhole.waterLevel = mh->manhole.baseLevel;
    Calculate(*mh);
    EXPECT_EQ(r.upliftForce, 0.0);
    EXPECT_EQ(Conclusion(r), Text(20238));

    // A 7 m sand-trap manhole without water: the dry rows do not apply.
    mh = Check(0, [](ManholeRecord& m) {
        m.sandTrap = 1;
        m.groundLevel = 6.7;
        m.waterLevel = -5;
    });
    EXPECT_DOUBLE_EQ(mh->manhole.baseLevel, -0.3);
    EXPECT_DOUBLE_EQ(mh->manhole.height, 7.0);
    EXPECT_EQ(mh->manhole.ballastHeight, 0.0);
    EXPECT_EQ(Conclusion(mh->manhole), Text(20238));

    // Dns 900 never gets a minimum.
    mh = Check(0, [](ManholeRecord& m) { m.nominalDiameter = 0.9; });
    EXPECT_EQ(mh->manhole.ballastHeight, 0.0);
    EXPECT_EQ(Conclusion(mh->manhole), Text(20238));
}

TEST(ManholeBase, UpliftBeyondTheResistanceSizesTheHeavyBottom)
{
    // No friction, light shaft, water at the ground.
    auto mh = Check(
        0,
        [](ManholeRecord& m) {
            m.frictionAngle = 0;
            m.waterLevel = 4;
        },
        1);
    const ManholeRecord& r = mh->manhole;
    const double hw = 4 - r.baseLevel;
    // Archimedes: 10 kN/m3 x pi/4 x De^2 x hw.
    EXPECT_NEAR(r.upliftForce / static_cast<double>(10 * kPi / 4 * 1.44L * hw), 1.0, 1e-4);
    EXPECT_EQ(r.frictionForce, 0.0);
    const double fk = r.upliftForce * static_cast<double>(1.1f) - r.deadWeight * static_cast<double>(0.9f);
    EXPECT_DOUBLE_EQ(r.anchoringForce, fk);
    const double hb = fk / (1.2 * static_cast<double>(0.7854f) * 1.2 * 12.0);
    ASSERT_GT(hb, 0.45);
    EXPECT_DOUBLE_EQ(r.ballastHeight, hb);
    EXPECT_DOUBLE_EQ(r.ballastVolume, 1.0 * static_cast<double>(0.7854f) * 1.0 * hb);
    EXPECT_EQ(Conclusion(r), Text(20237));
}

TEST(ManholeEccentric, UpliftOfStubAndRiser)
{
    auto mh = Check(1, [](ManholeRecord& m) {
        m.baseLevel = 12.5;
        m.ballastHeight = 1.25;
        m.ballastWeight = 2.5;
        m.ballastVolume = 3.75;
        m.waterLevel = 3;
    });
    ManholeRecord& r = mh->manhole;
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_DOUBLE_EQ(r.height, 4.0);
    // Stub 1.2 + 2 x 0.5 long, of diameter De - Dns + Dk; riser submerged above
    // 0.7 Dk less its share over the stub (Archimedes, exact pi/4).
    const LD dk = 0.3, de = 1.2, dns = 1.0, hz = 3;
    const LD d2 = de - dns + dk, stub = de + 1.0;
    const LD area = kPi / 4 * de * de;
    const LD w = 10 * (kPi / 4 * d2 * d2 * stub + (hz - 0.7L * dk) * area - area * 0.3L * d2 / 4);
    EXPECT_NEAR(r.upliftForce / static_cast<double>(w), 1.0, 1e-4);
    // Dead weight: the riser above 0.7 Dk + 0.35, and the stub's share.
    EXPECT_NEAR(r.deadWeight, static_cast<double>((4 - 0.7L * dk - 0.35L) * 8 + stub * dk * 8 / dns), 1e-6);
    // The base-mode results stay as they were.
    EXPECT_EQ(r.baseLevel, 12.5);
    EXPECT_EQ(r.ballastHeight, 1.25);
    EXPECT_EQ(r.ballastWeight, 2.5);
    EXPECT_EQ(r.ballastVolume, 3.75);

    const ManholeRecord once = r;
    Calculate(*mh);
    EXPECT_EQ(std::memcmp(&once, &r, sizeof once), 0);

    // Strengthened joints lengthen the stub to De + 3 Dk.
    const double plain = r.deadWeight;
    r.reinforcedVersion = 1;
    Calculate(*mh);
    EXPECT_NEAR(r.deadWeight - plain, (1.2 + 3 * 0.3 - 2.2) * 0.3 * 8 / 1.0, 1e-9);
}

// The eccentric mode against a second transcription (relative 1e-12, so a
// constant such as 0.785375, 0.7 or 0.3 taken at the wrong precision shows):
// a light riser with little friction under water to the ground, and the
// default water table.
TEST(ManholeEccentric, CasesMatchASecondTranscription)
{
    struct Case {
        double weightPerMetre, frictionAngle, water;
        double friction, uplift, deadWeight, anchoring;
        int key;
    };
    const Case cases[] = {
        {0.5, 10, 4, 42.83948761017097, 46.75808596681528, 2.0500000047683717, 11.033357895099833, 20237},
        {8, 30, 2, 98.0954787009093, 24.13928599428111, 32.80000007629395, 0, 20238},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.water);
        auto mh = Check(
            1,
            [&c](ManholeRecord& m) {
                m.frictionAngle = c.frictionAngle;
                m.waterLevel = c.water;
            },
            c.weightPerMetre);
        const ManholeRecord& r = mh->manhole;
        ASSERT_EQ(r.head.resultValid, 1);
        EXPECT_EQ(r.height, 4.0);
        EXPECT_NEAR(r.frictionForce / c.friction, 1.0, 1e-12);
        EXPECT_NEAR(r.upliftForce / c.uplift, 1.0, 1e-12);
        EXPECT_NEAR(r.deadWeight / c.deadWeight, 1.0, 1e-12);
        EXPECT_NEAR(r.anchoringForce, c.anchoring, 1e-12 * c.anchoring);
        EXPECT_EQ(Conclusion(r), Text(c.key));
    }
    // Water to the ground, no friction (tan 0 = 0, so no side friction either),
    // with the program's pi/4 = 0.785375: Fk = 1.1 U - 0.9 (P + G), where the
    // stub and riser lift U = 10 (0.785375 x 0.5^2 x 2.2 + 3.79 A - 0.0375 A)
    // = 46.758 (A = 0.785375 x 1.2^2), the soil over the stub weighs
    // P = (0.5 x 2.2 - A/2) x (4 - 0.45) x 9.0 = 17.078, and the riser
    // G = (4 - 0.21 - 0.35 + 2.2 x 0.3) w = 4.1 w. w 0.5: 34.218 to anchor;
    // w 9.6: 0.639; w 9.7: a shortfall of 0.270, within the 0.5 kN tolerated.
    const std::tuple<double, double, int> riserWeights[] = {{0.5, 34.218, 20237}, {9.6, 0.639, 20237}, {9.7, 0, 20238}};
    for (const auto& [w, fk, key] : riserWeights) {
        auto mh = Check(
            1,
            [](ManholeRecord& m) {
                m.frictionAngle = 0;
                m.waterLevel = 4;
            },
            w);
        EXPECT_NEAR(mh->manhole.anchoringForce, fk, 1e-3) << w;
        EXPECT_EQ(Conclusion(mh->manhole), Text(key)) << w;
    }
}

TEST(ManholeEccentric, LowWaterAndFloatingCollector)
{
    // Water below 0.7 Dk above the invert: no uplift, no anchoring.
    auto mh = Check(1, [](ManholeRecord& m) { m.waterLevel = 0.2; });
    EXPECT_EQ(mh->manhole.upliftForce, 0.0);
    EXPECT_EQ(mh->manhole.anchoringForce, 0.0);
    EXPECT_EQ(Conclusion(mh->manhole), Text(20238));
    // A backfill no heavier than water under water to the ground cannot hold
    // the collector down, whatever the anchoring force.
    mh = Check(1, [](ManholeRecord& m) {
        m.unitWeight = 10;
        m.porosity = 0;
        m.waterLevel = 4;
    });
    EXPECT_EQ(Conclusion(mh->manhole), Text(20297));
    // A collector of 500 mm under 3.75 m of water in a backfill of 10.5 kN/m3
    // (0.5 under water): buoyancy 7.854 x 0.5^2 = 1.9635 kN/m against
    // ((3.75 - 0.8927 x 0.5) x 0.5 + 0.25 x 10.5) x 0.5 = 2.1384 kN/m of soil,
    // of which 0.9 x 2.1384 = 1.9246 counts: it floats.
    mh = Check(1, [](ManholeRecord& m) {
        m.unitWeight = 10.5, m.porosity = 0, m.waterLevel = 3.75, m.pipeDiameter = 0.5;
    });
    EXPECT_EQ(Conclusion(mh->manhole), Text(20297));
    // A weightless backfill holds nothing down: the collector floats as soon
    // as any of it is wet, in each of the wetted-circle cases, and not when
    // the water stays below its invert.
    for (double hz : {-0.1, 0.0, 0.1, 0.15, 0.25, 0.3, 2.0}) {
        mh = Check(1, [hz](ManholeRecord& m) {
            m.unitWeight = m.porosity = 0;
            m.waterLevel = hz;
        });
        EXPECT_EQ(mh->manhole.head.resultValid, 1);
        EXPECT_EQ(Conclusion(mh->manhole), Text(hz > 0 ? 20297 : 20238)) << hz;
    }
}

TEST(Manhole, InputItCannotJudgeGivesNoResult)
{
    for (int mode : {0, 1}) {
        auto expectRefused = [mode](const char* what, void (*change)(ManholeCase&)) {
            SCOPED_TRACE(std::string(what) + " mode " + std::to_string(mode));
            auto mh = Check(mode, [](ManholeRecord& m) { m.waterLevel = 4; });
            ASSERT_EQ(mh->manhole.head.resultValid, 1);
            const ManholeRecord good = mh->manhole;
            change(*mh);
            Calculate(*mh);
            const ManholeRecord& r = mh->manhole;
            EXPECT_EQ(r.head.resultValid, 0);
            EXPECT_EQ(Conclusion(r), u"");
            EXPECT_EQ(Warning(r), u"");
            for (double v : {r.upliftForce, r.frictionForce, r.deadWeight, r.anchoringForce})
                EXPECT_EQ(v, 0.0);
            // The base mode clears its ballast; the eccentric mode never touches it.
            const double kept[] = {good.ballastHeight, good.ballastVolume, good.ballastWeight};
            const double now[] = {r.ballastHeight, r.ballastVolume, r.ballastWeight};
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(now[i], mode == 0 ? 0.0 : kept[i]) << i;
            for (double v : {r.height, r.baseLevel})
                EXPECT_TRUE(std::isfinite(v));
        };
        expectRefused("type beyond the table", [](ManholeCase& a) { a.manhole.typeIndex = 1; });
        expectRefused("negative type", [](ManholeCase& a) { a.manhole.typeIndex = -1; });
        expectRefused("table not loaded", [](ManholeCase& a) { a.tables.manholeTypes.clear(); });
        expectRefused("no Dns", [](ManholeCase& a) { a.manhole.nominalDiameter = 0; });
        expectRefused("no De", [](ManholeCase& a) { a.manhole.outerDiameter = 0; });
        expectRefused("negative De", [](ManholeCase& a) { a.manhole.outerDiameter = -1.2; });
        expectRefused("undefined ground", [](ManholeCase& a) { a.manhole.groundLevel = kNaN; });
        expectRefused("infinite water", [](ManholeCase& a) { a.manhole.waterLevel = kInf; });
        expectRefused("undefined weight", [](ManholeCase& a) { a.tables.manholeTypes[0].weightPerMetre = kNaN; });
        expectRefused("overflowing soil", [](ManholeCase& a) { a.manhole.unitWeight = 1e308; });
        if (mode == 1) {
            expectRefused("no collector", [](ManholeCase& a) { a.manhole.pipeDiameter = 0; });
            expectRefused("undefined collector", [](ManholeCase& a) { a.manhole.pipeDiameter = kNaN; });
        } else {
            expectRefused("undefined sand trap", [](ManholeCase& a) {
                a.manhole.sandTrap = 1;
                a.manhole.sandTrapDepth = kInf;
            });
        }
    }
    // The stored index is read, never rewritten; the base mode needs no
    // collector diameter.
    EXPECT_EQ(Check(0, [](ManholeRecord& m) { m.typeIndex = 7; })->manhole.typeIndex, 7);
    EXPECT_EQ(Check(0, [](ManholeRecord& m) { m.pipeDiameter = 0; })->manhole.head.resultValid, 1);
}
