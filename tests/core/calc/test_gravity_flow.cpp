// Gravity flow in a partly filled pipe: the friction factor against an
// independent Colebrook-White solution, the filling table's geometry against
// the circular segment, the full-pipe capacity against the explicit
// Prandtl-Colebrook formula and worked iterations, the filling search by round
// trips through the flow at a filling, and the calculation on the working record.

#include "core/project/RecordDefaults.h"
#include "tests/core/CalcTestSupport.h"
#include "tests/core/CoreTestSupport.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <memory>
#include <utility>

namespace {

using namespace calc_support;
using Calc = CGravityFlowCalculator;

constexpr double kNu = 1.31e-6f;     // the record's default viscosity
constexpr double kDensity = 999.7f;  // the record's default density

// Full-pipe velocity by the explicit Prandtl-Colebrook formula (g = 9.81).
double PrandtlColebrookVelocity(double D, double k, double nu, double J)
{
    const double w = std::sqrt(2.0 * 9.81 * D * J);
    return -2.0 * std::log10(2.51 * nu / (D * w) + k / (3.71 * D)) * w;
}

// ---- friction factor ---------------------------------------------------------

TEST(FrictionFactor, MatchesColebrookWhiteFromTransitionToFullyRough)
{
    // Re from 2,320 up in eighths of a decade, and 1e9 and 1e12.
    std::vector<double> reynolds = {2320.0, 1e9, 1e12};
    for (double e = std::log10(2320.0) + 0.125; e <= 9.0; e += 0.125)
        reynolds.push_back(std::pow(10.0, e));
    for (double r : {0.0, 1e-6, 1e-5, 1e-4, 1e-3, 5e-3, 1e-2, 0.02, 0.05})
        for (double re : reynolds) {
            const double expected = static_cast<double>(Colebrook(re, r));
            EXPECT_NEAR(Calc::FrictionFactor(re, r), expected, 1e-7 * expected) << "Re " << re << " r " << r;
        }
    // The bound that spares solving at Re 2320 lies above the factor (no bound past 0.1).
    for (double r = -1e-3; r <= 0.1; r += 1e-5)
        EXPECT_GE(Calc::SwitchFactorBound(r), Calc::FrictionFactor(2320.0, r)) << r;
    EXPECT_EQ(Calc::SwitchFactorBound(0.1001), INFINITY);
}

TEST(FrictionFactor, MoodyValuesLaminarStepAndFloor)
{
    // Colebrook-White to eight digits with the constants 2.51 and 3.71.
    const double anchors[][3] = {{2320, 0, 0.04715349}, {1e4, 1e-3, 0.03237789}, {1e5, 0, 0.01798977},
                                 {1e6, 1e-4, 0.01343756}, {1e8, 1e-2, 0.03786975}};
    for (const auto& a : anchors)
        EXPECT_NEAR(Calc::FrictionFactor(a[0], a[1]), a[2], 1e-7) << a[0] << " " << a[1];
    // Laminar below 2,320, with a jump of 1.71 at it.
    const double below = std::nextafter(2320.0, 0.0);
    EXPECT_EQ(Calc::FrictionFactor(2319.0, 0.001), 64.0 / 2319.0);
    EXPECT_EQ(Calc::FrictionFactor(1000.0, 0.05), 0.064);
    EXPECT_EQ(Calc::FrictionFactor(below, 0.0), 64.0 / below);
    EXPECT_NEAR(Calc::FrictionFactor(2320.0, 0.0) / Calc::FrictionFactor(2319.0, 0.0), 1.71, 0.01);
    // A Reynolds number of 0 or below takes 0.001 (single); a negative
    // roughness counts as a smooth pipe.
    const double floor = 64.0 / 0.0010000000474974513;  // 63,999.997
    for (double re : {0.0, -5.0, 1e-9})
        for (double r : {0.0, 0.01})
            EXPECT_EQ(Calc::FrictionFactor(re, r), floor) << re << " " << r;
    EXPECT_EQ(Calc::FrictionFactor(1e5, -0.01), Calc::FrictionFactor(1e5, 0.0));
}

// ---- filling table -----------------------------------------------------------

TEST(FillingTable, GeometryIsTheCircularSegmentAndTheFlowCurveStartsAboveZero)
{
    const Calc calc;
    EXPECT_EQ(calc.table[0][3], 10000.0);
    for (int c : {0, 1, 2})
        EXPECT_EQ(calc.table[0][c], 0.0);
    for (int i = 1; i <= 30; ++i) {
        SCOPED_TRACE(i);
        const double h = calc.table[i][0];
        EXPECT_EQ(h, i < 30 ? i * static_cast<double>(1.0f / 30.0f) : 0.9998999834060669);
        const double theta = 2.0 * std::acos(1.0 - 2.0 * h);
        const double area = (theta - std::sin(theta)) / 8.0;
        EXPECT_NEAR(calc.table[i][1], area, 1e-5);
        EXPECT_NEAR(calc.table[i][2], area / (theta / 2.0), 1e-5);
        EXPECT_NEAR(calc.table[i][3], calc.table[i][2] * 4.0 / calc.table[i][1], 1e-12);
        for (int c = 4; c < 10; ++c)
            EXPECT_EQ(calc.table[i][c], 0.0);
    }
    // Half full: a semicircle, R = D/4; and row 30.
    EXPECT_NEAR(calc.table[15][1], 0.392701, 1e-6);
    EXPECT_NEAR(calc.table[15][2], 0.25, 1e-6);
    EXPECT_NEAR(calc.table[30][1], 0.78539864, 1e-8);
    EXPECT_NEAR(calc.table[30][2], 0.2516015, 1e-7);
    // The partial-flow curve with its single-precision constants.
    const std::pair<double, double> ratios[] = {{0.25, 0.10644028}, {0.5, 0.41997685}, {0.75, 0.81352327},
                                                {0.85f, 0.92899172}, {0.9999f, 0.99999995}};
    for (auto [h, ratio] : ratios)
        EXPECT_NEAR(Calc::FlowRatio(h), ratio, 1e-8) << h;
    EXPECT_NEAR(Calc::FlowRatio(0.0), 7.45e-9, 1e-10);  // not 0
}

TEST(FillingTable, ReferencePipeAndTheFillingAroundFullCapacity)
{
    // D 300 mm, k 0.01 mm, water, slope 1 per mille.
    Calc calc;
    calc.BuildTable(0.3, 1e-5, kNu, 0.001, 0.0);
    const double fullFlow = Calc::FullPipeFlow(0.3, 1e-5, kNu, 0.001, 0.0, 1e-4f);
    EXPECT_NEAR(fullFlow, 0.0414207258, 1e-10);
    // Each row's flow is the partial-flow share of the full-pipe flow, rising
    // from an empty row 0.
    for (int c = 6; c < 10; ++c)
        EXPECT_EQ(calc.table[0][c], 0.0);
    for (int i = 1; i <= 30; ++i) {
        EXPECT_EQ(calc.table[i][9], Calc::FlowRatio(calc.table[i][0]) * fullFlow) << i;
        EXPECT_GT(calc.table[i][9], calc.table[i - 1][9]) << i;
    }
    // Up to 1 % above row 30's flow the pipe runs at 0.999; beyond, and for
    // flows that are no flow, at no filling.
    const double q30 = calc.table[30][9];
    EXPECT_DOUBLE_EQ(calc.FillingAtFlow(q30), calc.table[30][0]);
    const std::pair<double, double> beyond[] = {{q30 * 1.005, 0.999f}, {q30 * 1.0099, 0.999f}, {q30 * 1.02, 0.0},
                                                {0.0, 0.0}, {-1.0, 0.0}, {kNaN, 0.0}, {kInf, 0.0}};
    for (auto [q, h] : beyond)
        EXPECT_EQ(calc.FillingAtFlow(q), h) << q;
    // Below row 1: between the empty pipe and row 1.
    EXPECT_NEAR(calc.FillingAtFlow(calc.table[1][9] / 2.0), calc.table[1][0] / 2.0, 1e-15);
}

TEST(FillingTable, ReadersInterpolateInsideTheTableAndGiveZeroOutside)
{
    Calc calc;
    calc.BuildTable(0.5, 1e-4, kNu, 0.002, 10.0);
    const double top = calc.table[30][0];
    EXPECT_EQ(top, 0.9998999834060669);
    EXPECT_DOUBLE_EQ(calc.FlowAt(top), calc.table[30][9]);
    EXPECT_DOUBLE_EQ(calc.VelocityAt(top), calc.table[30][8]);
    for (double h : {0.9999, 0.0, -0.1, kNaN}) {
        EXPECT_EQ(calc.FlowAt(h), 0.0) << h;
        EXPECT_EQ(calc.AreaAt(h), 0.0) << h;
        EXPECT_EQ(calc.VelocityAt(h), 0.0) << h;
    }
    // Halfway between rows 10 and 11, and exactly at row 7.
    const double mid = (calc.table[10][0] + calc.table[11][0]) / 2.0;
    EXPECT_NEAR(calc.ReynoldsAt(mid), (calc.table[10][6] + calc.table[11][6]) / 2.0, 1e-6);
    EXPECT_NEAR(calc.HydraulicRadiusAt(mid), (calc.table[10][5] + calc.table[11][5]) / 2.0, 1e-15);
    EXPECT_NEAR(calc.FrictionFactorAt(mid), (calc.table[10][7] + calc.table[11][7]) / 2.0, 1e-15);
    EXPECT_DOUBLE_EQ(calc.AreaAt(calc.table[7][0]), calc.table[7][4]);
}

// ---- full-pipe capacity ------------------------------------------------------

TEST(FullPipe, CapacityMatchesPrandtlColebrook)
{
    for (double D : {0.1, 0.2, 0.3, 0.5, 1.0, 2.0})
        for (double k : {1e-6, 1e-5, 1e-4, 1e-3, 3e-3})
            for (double J : {1e-4, 1e-3, 5e-3, 0.02, 0.1}) {
                const double expected = PrandtlColebrookVelocity(D, k, kNu, J) * (M_PI / 4.0 * D * D);
                EXPECT_NEAR(Calc::FullPipeFlow(D, k, kNu, J, 0.0, 1e-5f), expected, 3e-4 * expected)
                    << D << " " << k << " " << J;
                // The flow at a filling of 1 is the same capacity.
                EXPECT_NEAR(Calc::FlowAtFilling(D, k, kNu, 1.0, J, 0.0), expected, 3e-4 * expected);
            }
    // The damped iteration worked step by step at both tolerances, where each
    // step is positive: the velocity v x 0.7854 D^2 where it stops.
    const struct {
        double D, k, nu, J, s, flow4, flow5;
    } worked[] = {
        {0.3, 1e-5, kNu, 0.001, 0.0, 0.04142072583485788, 0.041420666174648554},
        {0.1, 1e-5, 1e-6, 0.01, 0.0, 0.008110495745331901, 0.008110437031416451},
        {1.0, 1e-5, 1e-5, 1e-4, 0.0, 0.2257713419447747, 0.22577404651135674},
        {0.3, 1e-5, 1e-4, 0.01, 0.0, 0.08442360393087195, 0.08442418236642062},
        {0.4, 1e-4, kNu, 0.002, 20.0, 0.11085032175911243, 0.11085077311723156},
    };
    for (const auto& w : worked) {
        EXPECT_DOUBLE_EQ(Calc::FullPipeFlow(w.D, w.k, w.nu, w.J, w.s, 1e-4f), w.flow4) << w.D << " " << w.nu;
        EXPECT_DOUBLE_EQ(Calc::FullPipeFlow(w.D, w.k, w.nu, w.J, w.s, 1e-5f), w.flow5) << w.D << " " << w.nu;
    }
    // A local-loss share of s per cent raises the friction slope by 1 + s/100.
    const double equivalent = Calc::FullPipeFlow(0.4, 1e-4, kNu, 0.002 / 1.2, 0.0, 1e-5f);
    EXPECT_NEAR(Calc::FullPipeFlow(0.4, 1e-4, kNu, 0.002, 20.0, 1e-5f), equivalent, 1e-4 * equivalent);
}

TEST(FullPipe, LaminarFlowConvergesToHagenPoiseuille)
{
    // Viscous fluids, small pipes and flat slopes: the start from Re 200,000
    // lies far on the fast side, where a damped step would reverse the flow.
    int laminar = 0;
    for (double nu : {1e-5, 1e-4})
        for (double D : {0.1, 0.2, 0.3, 0.5, 1.0})
            for (double J : {1e-5, 1e-4, 1e-3, 1e-2}) {
                const double q = Calc::FullPipeFlow(D, 1e-5, nu, J, 0.0, 1e-5f);
                ASSERT_TRUE(std::isfinite(q) && q > 0.0) << nu << " " << D << " " << J;
                const double v = q / (M_PI / 4.0 * D * D);
                const double hagen = 9.81 * J * D * D / (32.0 * nu);
                if (hagen * D / nu < 2000.0) {
                    ++laminar;
                    EXPECT_NEAR(v, hagen, 2e-4 * hagen) << nu << " " << D << " " << J;
                }
            }
    EXPECT_GT(laminar, 10);
    // The regression case of a viscous fluid: 0.00307 m/s.
    EXPECT_NEAR(Calc::FullPipeFlow(0.1, 1e-5, 1e-4, 1e-4, 0.0, 1e-5f) / (0.1 * 0.7854f * 0.1), 0.00307, 1e-5);
    // At Re 2320 (v* = 2.32 m/s) the slope jumps from 0.075665 (64/2320) to 0.12956 (Colebrook's
    // 0.047234): slopes between take v*, one below the laminar v = 2.32 J / 0.075665.
    const auto v = [](double J) { return Calc::FullPipeFlow(0.1, 1e-5, 1e-4, J, 0.0, 1e-5f) / (0.1 * 0.7854f * 0.1); };
    for (double J : {0.0757, 0.1, 0.1295})
        EXPECT_NEAR(v(J), 2.32, 1e-12) << J;
    EXPECT_NEAR(v(0.075), 2.2996, 1e-3);
}

// ---- filling for a flow ------------------------------------------------------

TEST(FillingForFlow, GridIsAccumulatedAndRatioNeverFallsAlongIt)
{
    // 1e-5 in single precision, added up in double: worked sums at a few steps.
    const auto grid = Calc::FillingGrid();
    ASSERT_EQ(grid.size(), 100001u);
    const std::pair<std::size_t, double> sums[] = {{0, 9.999999747378752e-06}, {1, 1.9999999494757503e-05},
                                                   {49999, 0.4999999873689376}, {99999, 0.9999999747378752},
                                                   {100000, 1.0000099747376225}};
    for (auto [i, h] : sums)
        EXPECT_EQ(Bits(grid[i]), Bits(h)) << i;
    // The search relies on this: the flow share never falls as the filling rises.
    for (std::size_t i = 1; i < grid.size(); ++i)
        ASSERT_LE(Calc::FlowRatio(grid[i - 1]), Calc::FlowRatio(grid[i])) << i;
}

TEST(FillingForFlow, FlowAtAGridFillingGivesThatFillingBack)
{
    struct Pipe {
        double D, k, nu, J, s;
    };
    const Pipe pipes[] = {
        {0.3, 1e-5, kNu, 0.001, 0.0},   // reference sewer
        {0.15, 1e-3, kNu, 0.02, 15.0},  // steep rough pipe with local losses
        {1.2, 1e-4, kNu, 1e-5, 0.0},    // large flat pipe
        {0.1, 1e-5, 1e-4, 1e-4, 0.0},   // viscous, laminar
    };
    const Calc calc;
    const auto grid = Calc::FillingGrid();
    const double top = grid.back();  // the first filling at or above 1.0
    const double overload = 0.9990000128746033;
    for (const Pipe& p : pipes) {
        SCOPED_TRACE(testing::Message() << "D " << p.D << " nu " << p.nu << " J " << p.J << " s " << p.s);
        const auto filling = [&](double q) { return calc.FillingForFlow(q, p.D, p.k, p.nu, p.J, p.s); };
        const double fullFlow = Calc::FullPipeFlow(p.D, p.k, p.nu, p.J, p.s, 1e-4f);
        // The flow at a filling of the grid finds that filling; a hair less
        // finds it too, a hair more the next one.
        for (std::size_t i : {0, 1, 2, 17, 4999, 50000, 65000, 77777, 99998}) {
            const double q = Calc::FlowRatio(grid[i]) * fullFlow;
            EXPECT_EQ(filling(q), grid[i]) << i;
            EXPECT_EQ(filling(std::nextafter(q, -kInf)), grid[i]) << i;
            EXPECT_EQ(filling(std::nextafter(q, kInf)), grid[i + 1]) << i;
        }
        // No flow finds the first filling; the full pipe's flow and up to 1 %
        // more of the flow itself run at 0.999; more, or no number, at the top.
        const std::pair<double, double> cases[] = {
            {0.0, grid[0]}, {-1.0, grid[0]}, {-kInf, grid[0]}, {fullFlow * 1e-12, grid[0]},
            {std::numeric_limits<double>::denorm_min(), grid[0]}, {Calc::FlowRatio(top) * fullFlow, overload},
            {fullFlow * 1.005, overload}, {fullFlow * 1.0099, overload},
            {fullFlow * 1.0102, top}, {fullFlow * 1.05, top}, {fullFlow * 10.0, top}, {kNaN, top}, {kInf, top}};
        for (auto [q, h] : cases)
            EXPECT_EQ(Bits(filling(q)), Bits(h)) << q;
    }
    // No diameter, no viscosity, a negative slope or share: no full-pipe flow,
    // so no flow is carried below the top.
    const Pipe broken[] = {{0.0, 1e-5, kNu, 0.001, 0.0},
                           {0.3, 0.0, 0.0, 0.001, 0.0},
                           {0.3, 1e-5, kNu, -0.001, 0.0},
                           {0.3, 1e-5, kNu, 0.001, -100.0}};
    for (const Pipe& p : broken)
        for (double q : {0.0, -1.0, 0.03, -kInf, kNaN})
            EXPECT_EQ(Bits(calc.FillingForFlow(q, p.D, p.k, p.nu, p.J, p.s)), Bits(top)) << p.D << " " << q;
}

TEST(FillingForFlow, ReferenceValuesAndRoundTrips)
{
    const Calc calc;
    EXPECT_NEAR(calc.FillingForFlow(0.03, 0.3, 1e-5, kNu, 0.001, 0.0), 0.6886900, 1e-7);
    EXPECT_NEAR(Calc::SlopeForFlow(0.03, 0.3, 1e-5, kNu, 0.65f, 0.0), 0.0011720317, 1e-10);
    EXPECT_NEAR(Calc::FlowAtFilling(0.3, 1e-5, kNu, 0.65f, 0.001, 0.0), 0.0274806686, 1e-10);
    // The filling found for the flow at a filling lies within one step above it.
    for (double h : {0.05, 0.2, 0.5, static_cast<double>(0.65f), static_cast<double>(0.85f), 0.95}) {
        const double found = calc.FillingForFlow(Calc::FlowAtFilling(0.3, 1e-5, kNu, h, 0.001, 0.0), 0.3, 1e-5,
                                                 kNu, 0.001, 0.0);
        EXPECT_GE(found - h, -1e-7) << h;
        EXPECT_LE(found - h, 1.1e-5) << h;
    }
    // The slope for the flow at a slope comes back within the bias of 0.01274 against 1/78.48.
    for (double J : {1e-4, 1e-3, 1e-2})
        for (double h : {0.1, 0.5, 0.9}) {
            const double q = Calc::FlowAtFilling(0.5, 1e-4, kNu, h, J, 5.0);
            EXPECT_NEAR(Calc::SlopeForFlow(q, 0.5, 1e-4, kNu, h, 5.0), J, 5e-4 * J) << J << " " << h;
        }
}

// ---- the calculation on the working record -----------------------------------

class GravityCalc : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGravityFlowRecord(record, CatalogueTables{});
        GravityFlowRecord& r = record;
        r.innerDiameter = 300.0;
        r.roughness = 0.01;
        r.slopeInput = 1.0;
        r.flowInput = 0.03;
    }
    void Calculate() { CalcGravityFlow(record, calculator, LangEnglish); }
    std::u16string Conclusion() const { return calc_support::Conclusion(record); }
    std::u16string Warning() const { return calc_support::Warning(record); }

    // Every double field the calculation writes is finite.
    void ExpectAllFinite() const
    {
        const GravityFlowRecord& r = record;
        for (double value : {r.nominalSize, r.outerDiameter, r.innerDiameter, r.roughness, r.minSlopeSanitary,
                             r.minSlopeStorm, r.endLevel, r.flow, r.slope, r.localLossHead, r.frictionLossHead,
                             r.filling, r.flowArea, r.hydraulicRadius, r.velocity, r.reynolds,
                             r.relativeRoughness, r.frictionFactor})
            EXPECT_TRUE(std::isfinite(value));
        for (const DiameterCandidate& c : r.candidates)
            EXPECT_TRUE(std::isfinite(c.capacity));
    }

    // Candidates with inner diameters in mm.
    void SetCandidates(const std::vector<double>& diameters)
    {
        GravityFlowRecord& r = record;
        r.candidateCount = static_cast<int32_t>(diameters.size());
        for (std::size_t i = 0; i < diameters.size(); ++i) {
            r.candidates[i].innerDiameter = diameters[i];
            r.candidates[i].outerDiameter = diameters[i] + 20.0;
            r.candidates[i].nominalSize = diameters[i] + 5.0;
            r.candidates[i].roughness = 0.02;
        }
    }

    GravityFlowRecord record{};
    Calc calculator;
};

TEST_F(GravityCalc, FillingModeForTheReferencePipeAndAnOverload)
{
    GravityFlowRecord& r = record;
    r.mode = 3;
    r.length = 250.0;
    r.startLevel = 100.0;
    Calculate();
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_NEAR(r.filling, 0.6888576, 1e-7);
    EXPECT_NEAR(r.flow, 0.03, 1e-12);
    EXPECT_NEAR(r.flowArea, 0.0519181, 1e-7);
    EXPECT_NEAR(r.hydraulicRadius, 0.0883575, 1e-7);
    EXPECT_NEAR(r.reynolds, 155873.6, 0.1);
    EXPECT_NEAR(r.frictionFactor, 0.0166263, 1e-7);
    EXPECT_NEAR(r.velocity, 0.5777106, 1e-7);
    EXPECT_EQ(r.relativeRoughness, (0.01 / 1000.0 * 0.25) / r.hydraulicRadius);
    EXPECT_EQ(r.slope, 1.0);
    // 250 m x 1 per mille, the per mille taken as 0.001 in single precision.
    EXPECT_DOUBLE_EQ(r.frictionLossHead, 0.2500000118743628);
    EXPECT_EQ(r.localLossHead, 0.0);
    EXPECT_DOUBLE_EQ(r.endLevel, 99.74999998812564);
    // 897 and 539 / (0.3 m x 999.7 kg/m3).
    EXPECT_DOUBLE_EQ(r.minSlopeSanitary, 2.990897232659822);
    EXPECT_DOUBLE_EQ(r.minSlopeStorm, 1.7972058064700602);
    EXPECT_EQ(Conclusion(), Text(20247));
    // 1 per mille lies below both minimum slopes of a 300 mm pipe.
    EXPECT_EQ(Warning(), Text(20249));
    // The calculator's table describes the pipe for the picture.
    EXPECT_NEAR(calculator.FlowAt(r.filling), 0.03, 1e-12);

    const double fullFlow = Calc::FullPipeFlow(0.3, 1e-5, kNu, 0.001, 0.0, 1e-4f);
    // Less than 1 % above the capacity: the pipe runs at filling 0.999.
    r.flowInput = fullFlow * 1.005;
    Calculate();
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_EQ(r.filling, static_cast<double>(0.999f));
    EXPECT_GT(r.flow, 0.0);
    // More: no filling carries the flow; every value at it reads 0, and the
    // page turns this into its own verdict.
    r.flowInput = fullFlow * 1.05;
    Calculate();
    EXPECT_EQ(r.head.resultValid, 1);
    for (double v : {r.filling, r.flow, r.flowArea, r.hydraulicRadius, r.velocity, r.reynolds, r.frictionFactor,
                     r.relativeRoughness})
        EXPECT_EQ(v, 0.0);
    ExpectAllFinite();
}

TEST_F(GravityCalc, WarningsConclusionByModeAndHeadLossOfTheSlopeMode)
{
    ExpectTextsOfTheirOwn({20244, 20245, 20246, 20247, 20248, 20249});
    GravityFlowRecord& r = record;
    r.mode = 2;
    // The warnings against the minimum slopes of a 300 mm pipe.
    r.fillingInput = 0.5;
    const double sanitary = 2.990897232659822, storm = 1.7972058064700602;
    const std::pair<double, int> cases[] = {{(sanitary + storm) / 2.0, 20248}, {storm / 2.0, 20249}, {sanitary, 0}};
    for (auto [slope, key] : cases) {
        r.slopeInput = slope;
        Calculate();
        EXPECT_EQ(r.head.resultValid, 1);
        EXPECT_EQ(Warning(), key ? Text(key) : u"") << slope;
    }

    r.slopeInput = 1.0;
    r.fillingInput = 0.65f;
    Calculate();
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_NEAR(r.flow, 0.0274806686, 1e-6);  // read back from the table at the filling
    EXPECT_EQ(Conclusion(), Text(20245));

    r.mode = 1;
    r.length = 100.0;
    r.localLossShare = 10.0;
    Calculate();
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_EQ(Conclusion(), Text(20246));
    // The slope for 0.03 m3/s at 0.65 full, 10 % above the friction slope;
    // its head over 100 m, 1/1.1 of it in friction.
    EXPECT_NEAR(r.slope, 1.28923485, 1e-8);
    EXPECT_NEAR(r.frictionLossHead, 0.117203174, 1e-9);
    EXPECT_NEAR(r.localLossHead, 0.0117203174, 1e-10);
    EXPECT_NEAR(r.filling, 0.65, 2e-4);
}

TEST_F(GravityCalc, InputItCannotJudgeGivesNoResultAndKeepsTheTable)
{
    GravityFlowRecord& r = record;
    const GravityFlowRecord start = r;
    struct Case {
        const char* what;
        int mode;
        void (*change)(GravityFlowRecord&);
    };
    const Case cases[] = {
        {"no diameter", 1, [](GravityFlowRecord& g) { g.innerDiameter = 0.0; }},
        {"no diameter", 2, [](GravityFlowRecord& g) { g.innerDiameter = 0.0; }},
        {"no diameter", 3, [](GravityFlowRecord& g) { g.innerDiameter = 0.0; }},
        // A damaged record: no viscosity, smooth pipe. The hydraulics are NaN.
        {"no viscosity", 3, [](GravityFlowRecord& g) { g.viscosity = g.roughness = 0.0; }},
        {"flow not a number", 3, [](GravityFlowRecord& g) { g.flowInput = kNaN; }},
        {"infinite flow", 3, [](GravityFlowRecord& g) { g.flowInput = kInf; }},
        {"unknown mode", 3, [](GravityFlowRecord& g) { g.mode = 7; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " in mode " + std::to_string(c.mode));
        r = start;
        r.mode = c.mode;
        Calculate();
        ASSERT_EQ(r.head.resultValid, 1);
        const Calc good = calculator;
        c.change(r);
        Calculate();
        EXPECT_EQ(r.head.resultValid, 0);
        EXPECT_EQ(Conclusion(), u"");
        EXPECT_EQ(Warning(), u"");
        ExpectAllFinite();
        EXPECT_EQ(std::memcmp(&good.table, &calculator.table, sizeof good.table), 0);
        if (r.innerDiameter == 0.0) {
            EXPECT_EQ(r.minSlopeSanitary, 0.0);
            EXPECT_EQ(r.minSlopeStorm, 0.0);
        }
    }
}

TEST_F(GravityCalc, ViscousFluidFromLaminarRangeInEveryMode)
{
    // Once the iteration ran off to infinity here and the result still showed.
    GravityFlowRecord& r = record;
    r.innerDiameter = 100.0;
    r.viscosity = 1e-4;
    r.slopeInput = 0.1;
    r.fillingInput = 0.5;
    r.flowInput = 0.5 * 0.00307 * 0.7854 * 0.01;
    for (int mode : {1, 2, 3}) {
        r.mode = mode;
        Calculate();
        EXPECT_EQ(r.head.resultValid, 1) << mode;
        ExpectAllFinite();
        EXPECT_GT(r.velocity, 0.0);
        EXPECT_LT(r.velocity, 0.01);
    }
    // 26 mm of water, 10 % local losses: slopes of 0.813 to 1.398 per mille (64/2320 and Colebrook's
    // 0.04746 at v* = 0.1168923 m/s) fill the pipe at v*; the losses still make up L x J.
    ResetGravityFlowRecord(record, CatalogueTables{});
    r.mode = 2;
    r.innerDiameter = 26.0;
    r.fillingInput = 0.999;
    r.localLossShare = 10.0;
    for (double slope : {0.9, 1.1, 1.3}) {
        r.slopeInput = slope;
        Calculate();
        EXPECT_NEAR(r.velocity, 0.1168923, 1e-6) << slope;
        EXPECT_NEAR(r.frictionLossHead, slope / 10.0 / 1.1, 1e-8) << slope;
        EXPECT_NEAR(r.frictionLossHead + r.localLossHead, slope / 10.0, 1e-8) << slope;
    }
}

// ---- diameter mode -----------------------------------------------------------

TEST(GravityChoice, PairRuleOnCapacities)
{
    const std::vector<double> up = {0.10, 0.20, 0.40}, down = {0.40, 0.20, 0.10};
    const struct {
        std::vector<double> capacities;
        double flow;
        int chosen;
    } cases[] = {
        {up, 0.15, 1}, {up, 0.05, 0}, {up, 0.20, 2}, {up, 0.10, 1},
        {up, 0.40, -1},  // strict: equal to the largest is not carried
        {up, 0.50, -1}, {down, 0.15, 1}, {down, 0.05, 2}, {down, 0.20, 0},
        {{0.3, 0.3, 0.3}, 0.1, 0},  // equal capacities: the first of the equal smallest
        {{}, 0.1, -1}, {{0.3}, 0.1, 0}, {{0.3}, 0.3, -1},
        {{0.1, 0.3, 0.1, 0.3}, 0.2, 3},  // a later matching pair wins
        // Capacities that are not numbers take no part.
        {{0.10, kNaN, 0.40}, 0.15, 2}, {{0.10, 0.20, kNaN, 0.40}, 0.15, 1}, {{kNaN, kInf}, 0.15, -1},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ChooseGravityCandidate(cases[i].capacities, cases[i].flow), cases[i].chosen) << "case " << i;
}

// Inner diameter (mm) whose capacity at filling 0.85 is the given flow with
// the record's defaults (k 0.01 mm, slope 1 per mille).
double DiameterForCapacity(double capacity)
{
    double lo = 10.0;
    double hi = 5000.0;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2.0;
        const double q = Calc::FlowAtFilling(mid * static_cast<double>(0.001f), 0.009999999776482582 / 1000.0, kNu,
                                             0.85f, 0.001, 0.0);
        (q < capacity ? lo : hi) = mid;
    }
    return (lo + hi) / 2.0;
}

TEST_F(GravityCalc, DiameterModeChoosesTheFirstSizeThatCarriesTheFlow)
{
    GravityFlowRecord& r = record;
    r.roughness = 0.009999999776482582;
    r.mode = 0;
    SetCandidates({DiameterForCapacity(0.10), DiameterForCapacity(0.20), DiameterForCapacity(0.40)});
    r.flowInput = 0.15;
    Calculate();
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(r.candidates[i].capacity, 0.10 * (1 << i), 1e-9) << i;
    EXPECT_EQ(r.chosenCandidate, 1);
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_EQ(Conclusion(), Text(20244));
    // The record takes the chosen size, its roughness too when the user typed none.
    EXPECT_EQ(r.innerDiameter, r.candidates[1].innerDiameter);
    EXPECT_EQ(r.outerDiameter, r.candidates[1].outerDiameter);
    EXPECT_EQ(r.nominalSize, r.candidates[1].nominalSize);
    EXPECT_EQ(r.roughness, 0.02);
    EXPECT_LT(r.filling, 0.85);

    const double second = r.candidates[1].capacity;
    for (auto [flow, expected] : {std::pair{0.05, 0}, std::pair{second, 2}, std::pair{0.50, -1}}) {
        r.roughness = 0.009999999776482582;  // capacities use the record's roughness
        r.flowInput = flow;
        Calculate();
        EXPECT_EQ(r.chosenCandidate, expected) << flow;
        EXPECT_EQ(r.head.resultValid, expected >= 0 ? 1 : 0);
    }
    EXPECT_EQ(Conclusion(), u"");
    EXPECT_EQ(Warning(), u"");
}

TEST_F(GravityCalc, DiameterModeDetails)
{
    GravityFlowRecord& r = record;
    r.mode = 0;
    r.innerDiameter = 250.0;
    SetCandidates({200.0, 300.0, 400.0, 500.0});
    r.flowInput = 0.05;
    r.userRoughness = 0.25;
    // The filling input plays no part.
    r.fillingInput = 0.3;
    Calculate();
    const int chosen = r.chosenCandidate;
    ASSERT_GE(chosen, 0);
    // The minimum slopes belong to the diameter from before the choice.
    EXPECT_DOUBLE_EQ(r.minSlopeSanitary, 3.5890766791917863);  // 897 / (0.25 m x 999.7 kg/m3)
    // The user's roughness wins over the candidate's.
    EXPECT_EQ(r.roughness, 0.25);
    r.innerDiameter = 250.0;
    r.roughness = 0.01;
    r.fillingInput = 0.9;
    Calculate();
    EXPECT_EQ(r.chosenCandidate, chosen);
    // A second run takes the chosen diameter for the minimum slopes.
    Calculate();
    EXPECT_EQ(r.minSlopeSanitary, 897.0 / (r.innerDiameter / 1000.0 * kDensity));
}

TEST_F(GravityCalc, CandidatesBoundedSkippedOrNotChosenOnInputThatIsNoNumber)
{
    // The count is held to the 521 slots where it is used, and kept as read.
    GravityFlowRecord& r = record;
    r.mode = 0;
    r.flowInput = 0.003;
    for (DiameterCandidate& c : r.candidates)
        c.innerDiameter = 1000.0;
    r.candidates[520].innerDiameter = 150.0;
    r.candidateCount = 1000000;
    Calculate();
    EXPECT_EQ(r.candidateCount, 1000000);
    EXPECT_EQ(r.chosenCandidate, 520);
    EXPECT_EQ(r.head.resultValid, 1);
    r.candidateCount = -7;  // no size to choose from: no result, and no reason given
    Calculate();
    EXPECT_EQ(r.candidateCount, -7);
    EXPECT_EQ(r.chosenCandidate, -1);
    EXPECT_EQ(r.head.resultValid, 0);
    EXPECT_EQ(Conclusion() + Warning(), u"");

    SetCandidates({200.0, 0.0, 400.0});
    r.flowInput = Calc::FlowAtFilling(0.3, 1e-5, kNu, 0.85f, 0.001, 0.0);
    Calculate();
    EXPECT_EQ(r.chosenCandidate, 2);
    EXPECT_EQ(r.candidates[1].capacity, 0.0);
    ExpectAllFinite();

    // The page takes up a chosen index and runs again with that size, so a
    // run on input that is not a number must not leave an earlier index.
    SetCandidates({200.0, 300.0, 400.0});
    r.flowInput = 0.03;
    Calculate();
    ASSERT_EQ(r.chosenCandidate, 1);
    for (double GravityFlowRecord::*field : {&GravityFlowRecord::flowInput, &GravityFlowRecord::slopeInput,
                                             &GravityFlowRecord::viscosity, &GravityFlowRecord::startLevel}) {
        const double kept = std::exchange(r.*field, kNaN);
        r.chosenCandidate = 1;
        Calculate();
        EXPECT_EQ(r.chosenCandidate, -1);
        EXPECT_EQ(r.head.resultValid, 0);
        EXPECT_EQ(Conclusion(), u"");
        r.*field = kept;
    }
}

TEST_F(GravityCalc, IterationsStopAtAValueThatIsNoNumber)
{
    // The Colebrook steps of a full list of sizes without a bore, and of
    // single full-pipe flows that cannot be found; a sound size for scale.
    struct Case {
        const char* what;
        double D, k, nu, J;
        long most;
    };
    const Case cases[] = {
        {"bore of 0", 0.0, 1e-5, kNu, 0.001, 10},
        {"viscosity not a number", 0.3, 1e-5, kNaN, 0.001, 10},
        {"slope not a number", 0.3, 1e-5, kNu, kNaN, 10},
        {"sound pipe", 0.3, 1e-5, kNu, 0.001, 2000},
    };
    for (const Case& c : cases) {
        Calc::colebrookSteps = 0;
        const double q = Calc::FullPipeFlow(c.D, c.k, c.nu, c.J, 0.0, 1e-5f);
        EXPECT_LE(Calc::colebrookSteps, c.most) << c.what;
        EXPECT_EQ(std::isfinite(q), c.most > 10) << c.what;
    }

    GravityFlowRecord& r = record;
    r.mode = 0;
    r.flowInput = 0.03;
    SetCandidates(std::vector<double>(521, 0.0));
    Calc::colebrookSteps = 0;
    Calculate();
    EXPECT_EQ(Calc::colebrookSteps, 0);
    EXPECT_EQ(r.chosenCandidate, -1);
    ExpectAllFinite();
}

// ---- the command-line tool ---------------------------------------------------

TEST(RecalcTool, RunsBothHydraulicCalculationsOnStoredRecords)
{
    auto app = std::make_unique<CDalvorApp>();
    app->ResetGravityFlowRecord();
    GravityFlowRecord& g = app->working.gravityFlow;
    g.innerDiameter = 300.0;
    g.mode = 3;
    g.flowInput = 0.03;
    app->StoreCurrentCalc(KindGravityFlow, -1);
    g.innerDiameter = 0.0;  // a damaged record: no diameter
    app->StoreCurrentCalc(KindGravityFlow, -1);
    app->ResetPressureFlowRecord();
    PressureFlowRecord& p = app->working.pressureFlow;
    p.innerDiameter = 200.0;
    p.mode = 2;
    p.nominalPressure = 1.0;
    app->StoreCurrentCalc(KindPressureFlow, -1);
    auto done = RecalculatedByTool(*app, "--core-only");
    ASSERT_TRUE(done);
    ASSERT_EQ(done->project.gravityFlow.size(), 2u);
    ASSERT_EQ(done->project.pressureFlow.size(), 1u);

    // The same calculations run here give the same bytes.
    app->languageOffset = LangEnglish;
    app->working.gravityFlow = app->project.gravityFlow[0];
    app->CalcGravityFlow();
    const GravityFlowRecord& first = done->project.gravityFlow[0];
    EXPECT_EQ(first.head.resultValid, 1);
    EXPECT_NEAR(first.filling, 0.6888576, 1e-7);
    EXPECT_EQ(std::memcmp(&first, &app->working.gravityFlow, sizeof first), 0);
    EXPECT_EQ(done->project.gravityFlow[1].head.resultValid, 0);

    app->working.pressureFlow = app->project.pressureFlow[0];
    app->CalcPressureFlow();
    const PressureFlowRecord& pressure = done->project.pressureFlow[0];
    EXPECT_EQ(pressure.head.resultValid, 1);
    EXPECT_GT(pressure.flow, 0.0);
    EXPECT_EQ(std::memcmp(&pressure, &app->working.pressureFlow, sizeof pressure), 0);
}

}  // namespace
