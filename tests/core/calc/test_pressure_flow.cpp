// Full-flowing pressure pipes: head loss and flow against independent
// Darcy-Weisbach and Colebrook-White solutions, laminar flow, the head-flow
// characteristic, the diameter choice, the pressure range and its warnings,
// and the calculation on the working record.

#include "core/project/RecordDefaults.h"
#include "tests/core/CalcTestSupport.h"

#include <iterator>
#include <cstddef>
#include <cstring>
#include <utility>

namespace {

using namespace calc_support;
using PCalc = CPressureFlowCalculator;

constexpr double kNu = 1.31e-6f;
constexpr double kDensity = 999.7f;

// ---- head and flow -----------------------------------------------------------

TEST(PressureHydraulics, HeadFromFlowMatchesDarcyWeisbach)
{
    EXPECT_NEAR(PCalc::HeadFromFlow(100.0, 0.05, 0.2, 1e-5, kNu, 0.0, 0.0), 1.0013021834, 1e-9);
    const double L = 250.0, zeta = 2.5, p = 5.0;
    for (double D : {0.05, 0.1, 0.2, 0.5})
        for (double Q : {0.002, 0.02, 0.2})
            for (double k : {1e-6, 1e-5, 1e-4, 1e-3}) {
                const double got = PCalc::HeadFromFlow(L, Q, D, k, kNu, p, zeta);
                // The same model with the calculator's constants.
                const LD v = Q * static_cast<LD>(1.2732f) / (D * D);
                const LD lambda = Colebrook(v * D / kNu, k / D);
                const double same = v * ((lambda * (1.0L + p / 100.0L) * L / D + zeta) * static_cast<LD>(0.051f) * v);
                EXPECT_NEAR(got, same, 1e-7 * same) << D << " " << Q << " " << k;
                // Textbook physics: 4/pi, g = 9.80665.
                const LD vp = 4.0L * Q / (M_PI * D * D);
                const LD lp = Colebrook(vp * D / kNu, k / D, 2.51L, 3.71L);
                const double physics = (lp * (1.0L + p / 100.0L) * L / D + zeta) * vp * vp / (2.0L * 9.80665L);
                EXPECT_NEAR(got, physics, 1e-3 * physics) << D << " " << Q << " " << k;
            }
}

TEST(PressureHydraulics, FlowFromHeadRoundTripExplicitFormulaAndShortLength)
{
    const double h = PCalc::HeadFromFlow(100.0, 0.05, 0.2, 1e-5, kNu, 0.0, 0.0);
    const double Q = PCalc::FlowFromHead(100.0, 0.2, 1e-5, kNu, h, 0.0, 0.0);
    EXPECT_NEAR(Q, 0.0499985, 1e-7);
    // Explicit Prandtl-Colebrook with 2g = 1/0.051.
    const double w = std::sqrt(0.2 * h / 100.0 / static_cast<double>(0.051f));
    const double v = -2.0 * std::log10(2.51 * kNu / (0.2 * w) + 1e-5 / (3.71 * 0.2)) * w;
    EXPECT_NEAR(Q, v * 0.7854 * 0.2 * 0.2, 1e-4 * Q);
    for (double D : {0.05, 0.2, 0.6})
        for (double flow : {0.005, 0.05, 0.5})
            for (double zeta : {0.0, 4.0}) {
                const double head = PCalc::HeadFromFlow(300.0, flow, D, 1e-4, kNu, 10.0, zeta);
                EXPECT_NEAR(PCalc::FlowFromHead(300.0, D, 1e-4, kNu, head, 10.0, zeta), flow, 1e-4 * flow);
            }
    // The flow iterations use at least 0.01 m; the head from a flow uses the
    // length as given.
    EXPECT_EQ(PCalc::FlowFromHead(0.001, 0.1, 1e-5, kNu, 0.5, 0.0, 0.0),
              PCalc::FlowFromHead(static_cast<double>(0.01f), 0.1, 1e-5, kNu, 0.5, 0.0, 0.0));
    EXPECT_NEAR(PCalc::HeadFromFlow(0.002, 0.01, 0.1, 1e-5, kNu, 0.0, 0.0) /
                    PCalc::HeadFromFlow(0.001, 0.01, 0.1, 1e-5, kNu, 0.0, 0.0),
                2.0, 1e-12);
}

TEST(PressureHydraulics, LaminarFlowConvergesWhereItUsedToDiverge)
{
    // 26 mm bore, 100 m, 1 cm of head, water: the start from Re 200,000 is
    // far too fast, and the damped step alone turned the flow negative and ran
    // off to infinity. Now it comes to the laminar closed form.
    const double D = 0.026, L = 100.0, h = 0.01;
    const double laminar = M_PI * std::pow(D, 4) * h / (128.0 * kNu * L * static_cast<double>(0.051f) * 2.0);
    EXPECT_NEAR(PCalc::FlowFromHead(L, D, 1e-5, kNu, h, 0.0, 0.0), laminar, 2e-4 * laminar);
    // Viscous fluids over a grid of pipes, many of which diverged the same
    // way: always a positive finite flow.
    for (double nu : {kNu, 1e-5, 1e-4})
        for (double d : {0.016, 0.05, 0.2, 0.5})
            for (double length : {1.0, 100.0, 1000.0})
                for (double head : {0.01, 1.0, 10.0}) {
                    const double q = PCalc::FlowFromHead(length, d, 1e-5, nu, head, 0.0, 0.0);
                    EXPECT_TRUE(std::isfinite(q) && q > 0.0) << nu << " " << d << " " << length << " " << head;
                }
    // At Re 2320 (v* = 2320 nu / D = 0.116892 m/s) the head jumps from 0.073937 m (64/2320) to
    // 0.12721 m (Colebrook's 0.047464): heads between give v* x A = 6.2062e-5 m3/s, those below the
    // laminar Q = 6.2062e-5 h / 0.073937, those above a flow just over it.
    const auto flow = [&](double head) { return PCalc::FlowFromHead(L, D, 1e-5, kNu, head, 0.0, 0.0); };
    for (double head : {0.0740, 0.08, 0.09, 0.10, 0.12, 0.1272})
        EXPECT_NEAR(flow(head), 6.20617e-5, 1e-10) << head;
    EXPECT_NEAR(flow(0.0735), 6.1695e-5, 1.2e-8);
    EXPECT_GT(flow(0.128), 6.20617e-5);
    EXPECT_LT(flow(0.128), 6.3e-5);
}

// ---- characteristic ----------------------------------------------------------

TEST(Characteristic, ZeroBeforeTheFirstBuildThenPointsInEqualHeadSteps)
{
    PCalc calc;
    for (const auto& point : calc.points)
        for (double value : point)
            EXPECT_EQ(value, 0.0);
    EXPECT_EQ(calc.FlowAtHead(0.5), 0.0);

    const double L = 150.0, D = 0.15, k = 1e-4, p = 10.0, zeta = 3.0;
    calc.BuildCharacteristic(L, D, k, kNu, 2.0, p, zeta);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(calc.points[0][c], 0.0);
    EXPECT_DOUBLE_EQ(calc.points[30][0], 3.0);
    for (int i = 1; i <= 30; ++i) {
        SCOPED_TRACE(i);
        const double* point = calc.points[i];
        EXPECT_EQ(point[0], i * 3.0 / 30);
        EXPECT_EQ(point[5], L);
        // Each point is the flow that its head drives.
        EXPECT_EQ(Bits(point[4]), Bits(PCalc::FlowFromHead(L, D, k, kNu, point[0], p, zeta)));
        EXPECT_EQ(point[3], point[4] * static_cast<double>(1.273f) / (D * D));
        EXPECT_EQ(point[1], point[3] * D / kNu);
        EXPECT_EQ(point[2], CGravityFlowCalculator::FrictionFactor(point[1], k / D) * (1.0 + 10.0 / 100.0));
        EXPECT_GT(point[4], calc.points[i - 1][4]);
    }
    EXPECT_EQ(calc.FlowAtHead(calc.points[1][0]), calc.points[1][4]);
    EXPECT_EQ(calc.VelocityAtHead(calc.points[1][0]), calc.points[1][3]);
    EXPECT_DOUBLE_EQ(calc.FlowAtHead(3.0), calc.points[30][4]);
    for (double head : {0.0, -1.0, 3.0001})
        EXPECT_EQ(calc.FlowAtHead(head), 0.0) << head;
    const double mid = (calc.points[4][0] + calc.points[5][0]) / 2.0;
    EXPECT_NEAR(calc.FlowAtHead(mid), (calc.points[4][4] + calc.points[5][4]) / 2.0, 1e-15);
    EXPECT_EQ(calc.GradientPerMille(1.5), 1.5 * 1000.0 / L);
    // The head from a flow uses 4/pi as 1.2732, the characteristic 1.273.
    const double back = PCalc::HeadFromFlow(L, calc.points[10][4], D, k, kNu, p, zeta);
    EXPECT_NEAR(back, calc.points[10][0], 5e-4 * back);
    EXPECT_NE(back, calc.points[10][0]);
}

TEST(Characteristic, ShortLengthAndSmallLaminarPipe)
{
    PCalc calc;
    calc.BuildCharacteristic(0.004, 0.1, 1e-5, kNu, 1.0, 0.0, 0.0);
    EXPECT_EQ(calc.points[0][5], 0.004);
    EXPECT_EQ(calc.GradientPerMille(0.5), 0.5 * 1000.0 / 0.004);
    // The flows are those of a 1 cm section.
    PCalc centimetre;
    centimetre.BuildCharacteristic(static_cast<double>(0.01f), 0.1, 1e-5, kNu, 1.0, 0.0, 0.0);
    for (int i = 1; i <= 30; ++i)
        EXPECT_EQ(calc.points[i][4], centimetre.points[i][4]) << i;
    // DN 32, 100 m of water, scale 0.1: every point finite and positive.
    calc.BuildCharacteristic(100.0, 0.032, 1e-5, kNu, 0.1f, 0.0, 0.0);
    for (int i = 1; i <= 30; ++i)
        for (int c = 0; c < 6; ++c)
            EXPECT_TRUE(std::isfinite(calc.points[i][c]) && calc.points[i][c] > 0.0) << i << " " << c;
}

// ---- diameter choice -----------------------------------------------------------

TEST(PressureChoice, InclusivePairRule)
{
    const std::vector<double> up = {0.01, 0.02, 0.04, 0.08};
    const struct {
        std::vector<double> capacities;
        double flow;
        int chosen;
    } cases[] = {
        {up, 0.03, 2}, {up, 0.02, 2},  // equal to the 2nd: the 3rd
        {up, 0.005, 0},                // below the smallest
        {up, 0.08, 3},                 // inclusive at the top
        {up, 0.09, -1}, {{0.08, 0.04, 0.02}, 0.03, 1}, {{0.02, 0.02}, 0.02, 0}, {{}, 0.02, -1},
        {{0.05}, 0.02, 0}, {{0.05}, 0.05, -1}, {{0.01, kNaN, 0.04}, 0.005, 0}, {{0.01, 0.02, kNaN, 0.04}, 0.03, 3},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ChoosePressureCandidate(cases[i].capacities, cases[i].flow), cases[i].chosen) << "case " << i;
}

// ---- the calculation on the working record -----------------------------------

class PressureCalc : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPressureFlowRecord(record, CatalogueTables{});
        PressureFlowRecord& r = record;
        r.innerDiameter = 200.0;
        r.roughness = 0.01;
        r.nominalPressure = 1.0;
        r.flowInput = 0.05;
    }
    void Calculate() { CalcPressureFlow(record, calculator, LangEnglish); }
    std::u16string Conclusion() const { return calc_support::Conclusion(record); }
    std::u16string Warning() const { return calc_support::Warning(record); }

    // Every double field the calculation writes is finite.
    void ExpectAllFinite() const
    {
        const PressureFlowRecord& r = record;
        for (double value : {r.flow, r.headLoss, r.localLossHead, r.frictionLossHead, r.energyGradient,
                             r.energyHeadDifference, r.velocity, r.reynolds, r.relativeRoughness, r.frictionFactor,
                             r.startPressureMin, r.startPressureMax, r.endPressureMin, r.endPressureMax})
            EXPECT_TRUE(std::isfinite(value));
        for (const DiameterCandidate& c : r.candidates)
            EXPECT_TRUE(std::isfinite(c.capacity));
    }

    // Candidates with inner diameters in mm.
    void SetCandidates(const std::vector<double>& diameters)
    {
        PressureFlowRecord& r = record;
        r.candidateCount = static_cast<int32_t>(diameters.size());
        for (std::size_t i = 0; i < diameters.size(); ++i) {
            r.candidates[i].innerDiameter = diameters[i];
            r.candidates[i].ratingValue = 1.0;
        }
    }

    PressureFlowRecord record{};
    CPressureFlowCalculator calculator;
};

TEST_F(PressureCalc, LossesModeAndDerivedResults)
{
    ExpectTextsOfTheirOwn({20250, 20251, 20252, 20253, 20254, 20255});
    PressureFlowRecord& r = record;
    r.mode = 1;
    r.length = 100.0;
    r.localLossShare = 5.0;
    r.lossCoefficient = 2.0;
    Calculate();
    ASSERT_EQ(r.head.resultValid, 1);
    const double D = 0.2, k = 0.01 / 1000.0;
    const double h = PCalc::HeadFromFlow(100.0, 0.05, D, k, kNu, 5.0, 2.0);
    EXPECT_EQ(r.headLoss, h);
    EXPECT_EQ(r.flow, 0.05);
    EXPECT_EQ(r.energyGradient, h * 1000.0 / 100.0);
    EXPECT_EQ(r.velocity, 0.05 * static_cast<double>(1.273f) / (D * D));
    EXPECT_EQ(r.relativeRoughness, k / D);
    EXPECT_EQ(r.reynolds, r.velocity * D / kNu);
    EXPECT_EQ(r.frictionFactor, CGravityFlowCalculator::FrictionFactor(r.reynolds, k / D));
    const double hv = r.velocity * static_cast<double>(0.051f) * r.velocity;
    EXPECT_EQ(r.frictionLossHead, hv * r.frictionFactor * 100.0 / D);
    EXPECT_EQ(r.localLossHead, 5.0 * static_cast<double>(0.01f) * r.frictionLossHead + hv * 2.0);
    EXPECT_EQ(Conclusion(), Text(20252));
    // The characteristic describes the pipe.
    EXPECT_GT(calculator.points[30][4], 0.0);
    EXPECT_EQ(calculator.points[0][5], 100.0);
}

TEST_F(PressureCalc, FlowModeScaleHeadAndLaminarFlow)
{
    PressureFlowRecord& r = record;
    r.mode = 2;
    r.headLossInput = 1.0;
    Calculate();
    ASSERT_EQ(r.head.resultValid, 1);
    EXPECT_EQ(r.flow, PCalc::FlowFromHead(100.0, 0.2, 0.01 / 1000.0, kNu, 1.0, 0.0, 0.0));
    EXPECT_EQ(r.headLoss, 1.0);
    EXPECT_EQ(Conclusion(), Text(20251));
    // The chart scale: the next value of the series above the head.
    const std::pair<double, double> cases[] = {
        {0.5, 1.0},  {1.0, 2.0},      {0.05, 0.1f},  {0.1, 0.1f},   {0.15, 0.2f},
        {0.3, 0.5},  {999.0, 1000.0}, {1000.0, 1e4}, {5000.0, 1e4},
    };
    for (auto [head, scale] : cases) {
        r.headLossInput = head;
        Calculate();
        ASSERT_EQ(r.head.resultValid, 1) << head;
        EXPECT_EQ(calculator.points[30][0], 1.5 * scale * 30 / 30) << head;
    }
    // A 26 mm bore with 1 cm of head: laminar, and once infinite.
    r.innerDiameter = 26.0;
    r.headLossInput = 0.01;
    Calculate();
    EXPECT_EQ(r.head.resultValid, 1);
    ExpectAllFinite();
    EXPECT_LT(r.reynolds, 2320.0);
    EXPECT_EQ(r.frictionFactor, 64.0 / r.reynolds);
    // Heads that no flow gives (the factor jumps at Re 2320): the flow at v* = 0.1168923 m/s shows
    // v = 0.1168706 m/s, hv = 6.965954e-4 m, and lambda = (h - hv zeta) D / (hv L (1 + share / 100)).
    const double band[][4] = {{0.08, 0, 0, 0.02985951}, {0.10, 0, 0, 0.03732439}, {0.12, 0, 0, 0.04478927},
                              {0.10, 2, 5, 0.0350518}};
    for (const auto& [head, zeta, share, lambda] : band) {
        r.headLossInput = head;
        r.lossCoefficient = zeta;
        r.localLossShare = share;
        Calculate();
        EXPECT_NEAR(r.flow, 6.206168e-5, 1e-11) << head;
        EXPECT_NEAR(r.frictionFactor, lambda, 1e-8) << head;
        EXPECT_NEAR(r.frictionLossHead + r.localLossHead, head, 1e-15) << head;
        EXPECT_GT(r.frictionFactor, 64.0 / 2320.0);
        EXPECT_LT(r.frictionFactor, Colebrook(2320.0, 1e-5 / 0.026) * 1.0004);
    }
}

TEST_F(PressureCalc, DiameterModeOnChosenCapacities)
{
    PressureFlowRecord& r = record;
    r.mode = 0;
    r.velocityInput = 1.0;
    SetCandidates({100.0, 150.0, 200.0, 250.0});
    r.flowInput = 0.02;
    Calculate();
    double capacity[4];
    for (int i = 0; i < 4; ++i) {
        const double d = r.candidates[i].innerDiameter * static_cast<double>(0.001f);
        capacity[i] = 1.0 * static_cast<double>(0.785f) * d * d;
        EXPECT_EQ(r.candidates[i].capacity, capacity[i]);
    }
    EXPECT_EQ(r.chosenCandidate, 2);  // between 150 and 200: the larger
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_EQ(Conclusion(), Text(20250));
    // The results describe the chosen size at its capacity flow.
    EXPECT_EQ(r.flow, capacity[2]);
    EXPECT_EQ(r.headLoss, PCalc::HeadFromFlow(100.0, capacity[2], 200.0 * static_cast<double>(0.001f), 0.01 / 1000.0,
                                              kNu, 0.0, 0.0));
    EXPECT_NEAR(r.velocity, 0.99931, 1e-5);
    EXPECT_EQ(r.innerDiameter, 200.0);  // the page selects the size

    for (auto [flow, expected] : {std::pair{capacity[1], 2}, std::pair{0.001, 0}, std::pair{capacity[3], 3},
                                  std::pair{0.06, -1}}) {
        r.flowInput = flow;
        Calculate();
        EXPECT_EQ(r.chosenCandidate, expected) << flow;
        EXPECT_EQ(r.head.resultValid, expected >= 0 ? 1 : 0);
    }
    EXPECT_EQ(Conclusion(), Text(20255));
    EXPECT_EQ(Warning(), u"");
}

TEST_F(PressureCalc, CandidatesBoundedSkippedOrNotChosenOnInputThatIsNoNumber)
{
    PressureFlowRecord& r = record;
    r.mode = 0;
    for (DiameterCandidate& c : r.candidates)
        c.innerDiameter = 50.0;
    r.candidates[255].innerDiameter = 300.0;
    r.candidateCount = 1 << 30;
    Calculate();
    EXPECT_EQ(r.candidateCount, 1 << 30);
    EXPECT_EQ(r.chosenCandidate, 255);
    r.candidateCount = -1;
    Calculate();
    EXPECT_EQ(r.chosenCandidate, -1);
    EXPECT_EQ(r.head.resultValid, 0);

    SetCandidates({150.0, 0.0, 300.0});
    r.flowInput = 0.005;
    Calculate();
    EXPECT_EQ(r.chosenCandidate, 0);
    EXPECT_EQ(r.candidates[1].capacity, 0.0);

    // The page takes up a chosen index and runs again with that size, so a
    // run on input that is not a number must not leave an earlier index.
    SetCandidates({150.0, 250.0, 350.0});
    r.flowInput = 0.03;
    Calculate();
    ASSERT_EQ(r.chosenCandidate, 1);
    for (double PressureFlowRecord::*field : {&PressureFlowRecord::nominalPressure, &PressureFlowRecord::endLevel,
                                              &PressureFlowRecord::roughness, &PressureFlowRecord::flowInput}) {
        const double kept = std::exchange(r.*field, kNaN);
        r.chosenCandidate = 1;
        Calculate();
        EXPECT_EQ(r.chosenCandidate, -1);
        EXPECT_EQ(r.head.resultValid, 0);
        EXPECT_EQ(Conclusion(), Text(20255));
        r.*field = kept;
    }
}

TEST_F(PressureCalc, PressureRangeAndItsWarnings)
{
    // Flow mode with a given head, which stays exactly as entered: the start
    // and end pressure ranges and the energy-head difference. NaN (and warning
    // -1) marks what a case does not judge.
    const double x = kNaN;
    const struct {
        const char* what;
        double startLevel, endLevel, head, nominal, density;
        double expected[5];
        int warning;
    } cases[] = {
        {"uphill 10 m", 0, 10, 5, 1, kDensity, {15, 100, 0, 85, 15}, 0},
        {"level, head 95 m: 5 m at both ends", 3, 3, 95, 1, kDensity, {95, 100, 0, 5, x}, 20253},
        {"downhill 20 m", 20, 0, 5, 1, kDensity, {0, 80, 15, 95, -15}, 0},
        {"downhill by more than the nominal pressure", 150, 0, 5, 1, kDensity, {x, 0, x, x, x}, 20254},
        {"nominal pressure 0", 0, 10, 5, 0, kDensity, {0, 0, 0, 0, x}, 20254},
        {"uphill by the nominal pressure or more", 0, 100, 5, 1, kDensity, {0, 0, 0, 0, x}, 20254},
        {"head loss at the nominal pressure", 0, 0, 100, 1, kDensity, {x, 0, x, x, x}, 20254},
        // The levels are weighted by the density: 10 x 1200 / 999.7 + 5.
        {"uphill 10 m, heavier fluid", 0, 10, 5, 1, 1200, {12000 / kDensity + 5, x, x, x, 12000 / kDensity + 5}, -1},
    };
    PressureFlowRecord& r = record;
    r.mode = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        r.startLevel = c.startLevel;
        r.endLevel = c.endLevel;
        r.headLossInput = c.head;
        r.nominalPressure = c.nominal;
        r.density = c.density;
        Calculate();
        ASSERT_EQ(r.head.resultValid, 1);
        EXPECT_EQ(Conclusion(), Text(20251));
        const double got[5] = {r.startPressureMin, r.startPressureMax, r.endPressureMin, r.endPressureMax,
                               r.energyHeadDifference};
        for (int i = 0; i < 5; ++i) {
            if (!std::isnan(c.expected[i])) {
                EXPECT_EQ(got[i], c.expected[i]) << i;
            }
        }
        if (c.warning >= 0) {
            EXPECT_EQ(Warning(), c.warning ? Text(c.warning) : u"");
        }
    }
    EXPECT_NEAR(r.startPressureMin, 17.0036, 1e-4);
    // Capped where the weighted start head reaches the nominal pressure.
    r.endLevel = 70.0;
    r.headLossInput = 20.0;
    Calculate();
    EXPECT_DOUBLE_EQ(r.startPressureMin, 100.0 * kDensity / 1200.0);
}

TEST_F(PressureCalc, InputItCannotJudgeGivesNoResultAndKeepsTheCharacteristic)
{
    PressureFlowRecord& r = record;
    const PressureFlowRecord start = r;
    struct Case {
        const char* what;
        int mode;
        void (*change)(PressureFlowRecord&);
    };
    const Case cases[] = {
        {"no diameter", 1, [](PressureFlowRecord& p) { p.innerDiameter = 0.0; }},
        {"no diameter", 2, [](PressureFlowRecord& p) { p.innerDiameter = 0.0; }},
        // No viscosity: the Reynolds number is infinite.
        {"no viscosity", 2, [](PressureFlowRecord& p) { p.viscosity = p.roughness = 0.0; }},
        {"infinite head", 2, [](PressureFlowRecord& p) { p.headLossInput = kInf; }},
        {"length not a number", 2, [](PressureFlowRecord& p) { p.length = kNaN; }},
        {"unknown mode", 2, [](PressureFlowRecord& p) { p.mode = 3; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " in mode " + std::to_string(c.mode));
        r = start;
        r.mode = c.mode;
        Calculate();
        ASSERT_EQ(r.head.resultValid, 1);
        const PCalc good = calculator;
        c.change(r);
        Calculate();
        EXPECT_EQ(r.head.resultValid, 0);
        EXPECT_EQ(Conclusion(), Text(20255));
        EXPECT_EQ(Warning(), u"");
        ExpectAllFinite();
        EXPECT_EQ(std::memcmp(&good.points, &calculator.points, sizeof good.points), 0);
    }
}

}  // namespace
