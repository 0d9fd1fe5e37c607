// Full-flowing pressure pipes: head loss and flow against independent
// Darcy-Weisbach and Colebrook-White solutions, laminar flow, the head-flow
// characteristic, the diameter choice, the pressure range and its warnings,
// and the calculation on the working record.

#include "DalvorApp.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

using PCalc = CPressureFlowCalculator;

constexpr double kNu = 1.31e-6f;
constexpr double kDensity = 999.7f;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Colebrook-White by Newton's method in long double; c251 and c371 are the
// equation's two constants.
long double Colebrook(long double re, long double r, long double c251, long double c371)
{
    if (re < 2320.0L)
        return 64.0L / re;
    const long double a = c251 / re;
    const long double b = r / c371;
    long double x = 8.0L;
    for (int i = 0; i < 100; ++i) {
        const long double u = a * x + b;
        const long double dx = (x + 2.0L * std::log10(u)) / (1.0L + 2.0L * a / (u * std::log(10.0L)));
        x -= dx;
        if (std::fabs(dx) < 1e-18L * x)
            break;
    }
    return 1.0L / (x * x);
}

// The flow iteration with the damped step alone, as it stood before the
// positive step was added for steps that would reverse the flow.
double DampedOnlyFlowFromHead(double L, double D, double k, double nu, double h)
{
    const double length = std::max(L, static_cast<double>(0.01f));
    const double lambda0 = CGravityFlowCalculator::FrictionFactor(200000.0, k / D);
    const double A = D * static_cast<double>(0.7854f) * D;
    double Q = std::sqrt(h * static_cast<double>(19.62f) / (lambda0 * 1.0 * length / D + 0.0)) * A;
    for (int i = 0; i < 500; ++i) {
        const double v = Q / A;
        const double lambda = CGravityFlowCalculator::FrictionFactor(v * D / nu, k / D);
        const double c = (h - (1.0 * lambda * length / D + 0.0) * static_cast<double>(0.051f) * (v * v)) * 0.5 / h;
        Q = Q * (1.0 + c);
        if (std::fabs(c) <= static_cast<double>(1e-4f))
            break;
    }
    return Q;
}

uint64_t Bits(double x)
{
    return std::bit_cast<uint64_t>(x);
}

// ---- head and flow -----------------------------------------------------------

TEST(PressureHydraulics, HeadFromFlowMatchesDarcyWeisbach)
{
    EXPECT_NEAR(PCalc::HeadFromFlow(100.0, 0.05, 0.2, 1e-5, kNu, 0.0, 0.0), 1.0013021834, 1e-9);
    for (double D : {0.05, 0.1, 0.2, 0.5})
        for (double Q : {0.002, 0.02, 0.2})
            for (double k : {1e-6, 1e-5, 1e-4, 1e-3}) {
                const double L = 250.0;
                const double zeta = 2.5;
                const double p = 5.0;
                const double got = PCalc::HeadFromFlow(L, Q, D, k, kNu, p, zeta);
                // The same model with the calculator's constants.
                const long double v = Q * static_cast<long double>(1.2732f) / (D * D);
                const long double lambda = Colebrook(v * D / kNu, k / D, 2.51f, 3.71f);
                const long double same =
                    v * ((lambda * (1.0L + p / 100.0L) * L / D + zeta) * static_cast<long double>(0.051f) * v);
                EXPECT_NEAR(got, static_cast<double>(same), 1e-7 * static_cast<double>(same)) << D << " " << Q;
                // Textbook physics: 4/pi, g = 9.80665.
                const long double vp = 4.0L * Q / (M_PI * D * D);
                const long double lp = Colebrook(vp * D / kNu, k / D, 2.51L, 3.71L);
                const long double physics = (lp * (1.0L + p / 100.0L) * L / D + zeta) * vp * vp / (2.0L * 9.80665L);
                EXPECT_NEAR(got, static_cast<double>(physics), 1e-3 * static_cast<double>(physics));
            }
}

TEST(PressureHydraulics, FlowFromHeadRoundTripAndExplicitFormula)
{
    const double h = PCalc::HeadFromFlow(100.0, 0.05, 0.2, 1e-5, kNu, 0.0, 0.0);
    const double Q = PCalc::FlowFromHead(100.0, 0.2, 1e-5, kNu, h, 0.0, 0.0);
    EXPECT_NEAR(Q, 0.0499985, 1e-7);
    // Explicit Prandtl-Colebrook with 2g = 1/0.051.
    const double twoG = 1.0 / static_cast<double>(0.051f);
    const double w = std::sqrt(twoG * 0.2 * h / 100.0);
    const double v = -2.0 * std::log10(2.51 * kNu / (0.2 * w) + 1e-5 / (3.71 * 0.2)) * w;
    EXPECT_NEAR(Q, v * 0.7854 * 0.2 * 0.2, 1e-4 * Q);
    for (double D : {0.05, 0.2, 0.6})
        for (double flow : {0.005, 0.05, 0.5})
            for (double zeta : {0.0, 4.0}) {
                const double head = PCalc::HeadFromFlow(300.0, flow, D, 1e-4, kNu, 10.0, zeta);
                EXPECT_NEAR(PCalc::FlowFromHead(300.0, D, 1e-4, kNu, head, 10.0, zeta), flow, 1e-4 * flow);
            }
}

TEST(PressureHydraulics, LaminarFlowConvergesWhereItUsedToDiverge)
{
    // 26 mm bore, 100 m, 1 cm of head, water: the start from Re 200,000 is
    // far too fast, and the damped step alone turned the flow negative and ran
    // off to infinity.
    const double D = 0.026;
    const double L = 100.0;
    const double h = 0.01;
    const double old = DampedOnlyFlowFromHead(L, D, 1e-5, kNu, h);
    EXPECT_FALSE(std::isfinite(old) && old > 0.0);
    const double Q = PCalc::FlowFromHead(L, D, 1e-5, kNu, h, 0.0, 0.0);
    ASSERT_TRUE(std::isfinite(Q));
    const double laminar = M_PI * std::pow(D, 4) * h / (128.0 * kNu * L * static_cast<double>(0.051f) * 2.0);
    EXPECT_NEAR(Q, laminar, 2e-4 * laminar);
    // Viscous fluids over a grid of pipes: always a positive finite flow.
    int fixedCases = 0;
    for (double nu : {kNu, 1e-5, 1e-4})
        for (double d : {0.016, 0.05, 0.2, 0.5})
            for (double length : {1.0, 100.0, 1000.0})
                for (double head : {0.01, 1.0, 10.0}) {
                    const double q = PCalc::FlowFromHead(length, d, 1e-5, nu, head, 0.0, 0.0);
                    EXPECT_TRUE(std::isfinite(q) && q > 0.0) << nu << " " << d << " " << length << " " << head;
                    const double before = DampedOnlyFlowFromHead(length, d, 1e-5, nu, head);
                    if (!(std::isfinite(before) && before > 0.0))
                        ++fixedCases;
                }
    EXPECT_GT(fixedCases, 10);
}

TEST(PressureHydraulics, LengthBelowOneCentimetre)
{
    // The flow iterations use at least 0.01 m; the head from a flow uses the
    // length as given.
    EXPECT_EQ(PCalc::FlowFromHead(0.001, 0.1, 1e-5, kNu, 0.5, 0.0, 0.0),
              PCalc::FlowFromHead(static_cast<double>(0.01f), 0.1, 1e-5, kNu, 0.5, 0.0, 0.0));
    const double h1 = PCalc::HeadFromFlow(0.001, 0.01, 0.1, 1e-5, kNu, 0.0, 0.0);
    const double h2 = PCalc::HeadFromFlow(0.002, 0.01, 0.1, 1e-5, kNu, 0.0, 0.0);
    EXPECT_NEAR(h2 / h1, 2.0, 1e-12);
}

// ---- characteristic ----------------------------------------------------------

TEST(Characteristic, ZeroBeforeTheFirstBuild)
{
    const PCalc calc;
    EXPECT_EQ(calc.pointCount, 31);
    for (const auto& point : calc.points)
        for (double value : point)
            EXPECT_EQ(value, 0.0);
    EXPECT_EQ(calc.FlowAtHead(0.5), 0.0);
}

TEST(Characteristic, PointsInEqualHeadSteps)
{
    PCalc calc;
    const double L = 150.0, D = 0.15, k = 1e-4, p = 10.0, zeta = 3.0;
    calc.BuildCharacteristic(L, D, k, kNu, 2.0, p, zeta);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(calc.points[0][c], 0.0);
    for (int i = 0; i <= 30; ++i)
        EXPECT_EQ(calc.points[i][5], L);
    EXPECT_DOUBLE_EQ(calc.points[30][0], 3.0);
    for (int i = 1; i <= 30; ++i) {
        const double h = calc.points[i][0];
        EXPECT_EQ(h, i * 3.0 / 30);
        // Each point is the flow that its head drives.
        EXPECT_EQ(Bits(calc.points[i][4]), Bits(PCalc::FlowFromHead(L, D, k, kNu, h, p, zeta))) << i;
        EXPECT_EQ(calc.points[i][3], calc.points[i][4] * static_cast<double>(1.273f) / (D * D));
        EXPECT_EQ(calc.points[i][1], calc.points[i][3] * D / kNu);
        EXPECT_EQ(calc.points[i][2], CGravityFlowCalculator::FrictionFactor(calc.points[i][1], k / D) * (1.0 + 10.0 / 100.0));
        EXPECT_GT(calc.points[i][4], calc.points[i - 1][4]);
    }
    EXPECT_EQ(calc.FlowAtHead(calc.points[1][0]), calc.points[1][4]);
    EXPECT_EQ(calc.VelocityAtHead(calc.points[1][0]), calc.points[1][3]);
    EXPECT_DOUBLE_EQ(calc.FlowAtHead(3.0), calc.points[30][4]);
    EXPECT_EQ(calc.FlowAtHead(0.0), 0.0);
    EXPECT_EQ(calc.FlowAtHead(-1.0), 0.0);
    EXPECT_EQ(calc.FlowAtHead(3.0001), 0.0);
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
    const std::vector<double> rising = {0.01, 0.02, 0.04, 0.08};
    EXPECT_EQ(ChoosePressureCandidate(rising, 0.03), 2);
    EXPECT_EQ(ChoosePressureCandidate(rising, 0.02), 2);   // equal to the 2nd: the 3rd
    EXPECT_EQ(ChoosePressureCandidate(rising, 0.005), 0);  // below the smallest
    EXPECT_EQ(ChoosePressureCandidate(rising, 0.08), 3);   // inclusive at the top
    EXPECT_EQ(ChoosePressureCandidate(rising, 0.09), -1);
    EXPECT_EQ(ChoosePressureCandidate(std::vector<double>{0.08, 0.04, 0.02}, 0.03), 1);
    EXPECT_EQ(ChoosePressureCandidate(std::vector<double>{0.02, 0.02}, 0.02), 0);
    EXPECT_EQ(ChoosePressureCandidate(std::vector<double>{}, 0.02), -1);
    EXPECT_EQ(ChoosePressureCandidate(std::vector<double>{0.05}, 0.02), 0);
    EXPECT_EQ(ChoosePressureCandidate(std::vector<double>{0.05}, 0.05), -1);
    EXPECT_EQ(ChoosePressureCandidate(std::vector<double>{0.01, kNaN, 0.04}, 0.005), 0);
    EXPECT_EQ(ChoosePressureCandidate(std::vector<double>{0.01, 0.02, kNaN, 0.04}, 0.03), 3);
}

// ---- the calculation on the working record -----------------------------------

class PressureCalc : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<CDalvorApp>();
        app->languageOffset = LangEnglish;
        app->ResetPressureFlowRecord();
        PressureFlowRecord& r = app->pressureFlow;
        r.innerDiameter = 200.0;
        r.roughness = 0.01;
        r.nominalPressure = 1.0;
        r.flowInput = 0.05;
    }
    std::u16string Text(int key) const { return app->LoadLangString(key, LangEnglish); }
    std::u16string Conclusion() const { return FromFixed(app->pressureFlow.head.conclusion); }
    std::u16string Warning() const { return FromFixed(app->pressureFlow.head.warning); }

    // Every double field the calculation writes is finite.
    void ExpectAllFinite() const
    {
        const PressureFlowRecord& r = app->pressureFlow;
        for (double value : {r.flow, r.headLoss, r.localLossHead, r.frictionLossHead, r.energyGradient,
                             r.energyHeadDifference, r.velocity, r.reynolds, r.relativeRoughness, r.frictionFactor,
                             r.startPressureMin, r.startPressureMax, r.endPressureMin, r.endPressureMax})
            EXPECT_TRUE(std::isfinite(value));
        for (const DiameterCandidate& c : r.candidates)
            EXPECT_TRUE(std::isfinite(c.capacity));
    }

    // Flow mode with a given head: the head stays exactly as entered.
    void RunRange(double startLevel, double endLevel, double head, double nominalPressure)
    {
        PressureFlowRecord& r = app->pressureFlow;
        r.mode = 2;
        r.startLevel = startLevel;
        r.endLevel = endLevel;
        r.headLossInput = head;
        r.nominalPressure = nominalPressure;
        app->CalcPressureFlow();
        ASSERT_EQ(r.head.resultValid, 1);
    }

    std::unique_ptr<CDalvorApp> app;
};

TEST_F(PressureCalc, LossesModeAndDerivedResults)
{
    PressureFlowRecord& r = app->pressureFlow;
    r.mode = 1;
    r.length = 100.0;
    r.localLossShare = 5.0;
    r.lossCoefficient = 2.0;
    app->CalcPressureFlow();
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
    EXPECT_GT(app->pressureCalculator.points[30][4], 0.0);
    EXPECT_EQ(app->pressureCalculator.points[0][5], 100.0);
}

TEST_F(PressureCalc, FlowModeAndScaleHead)
{
    PressureFlowRecord& r = app->pressureFlow;
    r.mode = 2;
    r.headLossInput = 1.0;
    app->CalcPressureFlow();
    ASSERT_EQ(r.head.resultValid, 1);
    EXPECT_EQ(r.flow, PCalc::FlowFromHead(100.0, 0.2, 0.01 / 1000.0, kNu, 1.0, 0.0, 0.0));
    EXPECT_EQ(r.headLoss, 1.0);
    EXPECT_EQ(Conclusion(), Text(20251));
    // The chart scale: the next value of the series above the head.
    const std::pair<double, double> cases[] = {
        {0.5, 1.0},  {1.0, 2.0},       {0.05, 0.1f},   {0.1, 0.1f},        {0.15, 0.2f},
        {0.3, 0.5},  {999.0, 1000.0}, {1000.0, 1e4}, {5000.0, 1e4},
    };
    for (auto [head, scale] : cases) {
        r.headLossInput = head;
        app->CalcPressureFlow();
        ASSERT_EQ(r.head.resultValid, 1) << head;
        EXPECT_EQ(app->pressureCalculator.points[30][0], 1.5 * scale * 30 / 30) << head;
    }
}

TEST_F(PressureCalc, DiameterModeOnChosenCapacities)
{
    PressureFlowRecord& r = app->pressureFlow;
    r.mode = 0;
    r.velocityInput = 1.0;
    const double sizes[] = {100.0, 150.0, 200.0, 250.0};
    r.candidateCount = 4;
    for (int i = 0; i < 4; ++i) {
        r.candidates[i].innerDiameter = sizes[i];
        r.candidates[i].ratingValue = 1.0;
    }
    r.flowInput = 0.02;
    app->CalcPressureFlow();
    double capacity[4];
    for (int i = 0; i < 4; ++i) {
        const double d = sizes[i] * static_cast<double>(0.001f);
        capacity[i] = 1.0 * static_cast<double>(0.785f) * d * d;
        EXPECT_EQ(r.candidates[i].capacity, capacity[i]);
    }
    EXPECT_EQ(r.chosenCandidate, 2);  // between 150 and 200: the larger
    EXPECT_EQ(r.head.resultValid, 1);
    EXPECT_EQ(Conclusion(), Text(20250));
    // The results describe the chosen size at its capacity flow.
    const double D = 200.0 * static_cast<double>(0.001f);
    EXPECT_EQ(r.flow, capacity[2]);
    EXPECT_EQ(r.headLoss, PCalc::HeadFromFlow(100.0, capacity[2], D, 0.01 / 1000.0, kNu, 0.0, 0.0));
    EXPECT_NEAR(r.velocity, 0.99931, 1e-5);
    EXPECT_EQ(r.innerDiameter, 200.0);  // the page selects the size

    for (auto [flow, expected] : {std::pair{capacity[1], 2}, std::pair{0.001, 0}, std::pair{capacity[3], 3},
                                  std::pair{0.06, -1}}) {
        r.flowInput = flow;
        app->CalcPressureFlow();
        EXPECT_EQ(r.chosenCandidate, expected) << flow;
        EXPECT_EQ(r.head.resultValid, expected >= 0 ? 1 : 0);
    }
    EXPECT_EQ(Conclusion(), Text(20255));
    EXPECT_EQ(Warning(), u"");
}

TEST_F(PressureCalc, CandidatesBoundedAndWithoutDiameterSkipped)
{
    PressureFlowRecord& r = app->pressureFlow;
    r.mode = 0;
    for (DiameterCandidate& c : r.candidates)
        c.innerDiameter = 50.0;
    r.candidates[255].innerDiameter = 300.0;
    r.candidateCount = 1 << 30;
    r.flowInput = 0.05;
    app->CalcPressureFlow();
    EXPECT_EQ(r.candidateCount, 1 << 30);
    EXPECT_EQ(r.chosenCandidate, 255);
    r.candidateCount = -1;
    app->CalcPressureFlow();
    EXPECT_EQ(r.chosenCandidate, -1);
    EXPECT_EQ(r.head.resultValid, 0);

    r.candidateCount = 3;
    r.candidates[0].innerDiameter = 150.0;
    r.candidates[1].innerDiameter = 0.0;
    r.candidates[2].innerDiameter = 300.0;
    r.flowInput = 0.005;
    app->CalcPressureFlow();
    EXPECT_EQ(r.chosenCandidate, 0);
    EXPECT_EQ(r.candidates[1].capacity, 0.0);
}

TEST_F(PressureCalc, InputsThatAreNotNumbersChooseNoSize)
{
    // The page takes up a chosen index and runs again with that size, so a
    // run without a choice must not leave the index of an earlier run.
    PressureFlowRecord& r = app->pressureFlow;
    r.mode = 0;
    r.candidateCount = 3;
    r.candidates[0].innerDiameter = 150.0;
    r.candidates[1].innerDiameter = 250.0;
    r.candidates[2].innerDiameter = 350.0;
    r.flowInput = 0.03;
    app->CalcPressureFlow();
    ASSERT_EQ(r.chosenCandidate, 1);
    for (double PressureFlowRecord::*field : {&PressureFlowRecord::nominalPressure, &PressureFlowRecord::endLevel,
                                              &PressureFlowRecord::roughness, &PressureFlowRecord::flowInput}) {
        const double kept = r.*field;
        r.*field = kNaN;
        r.chosenCandidate = 1;
        app->CalcPressureFlow();
        EXPECT_EQ(r.chosenCandidate, -1);
        EXPECT_EQ(r.head.resultValid, 0);
        EXPECT_EQ(Conclusion(), Text(20255));
        r.*field = kept;
    }
}

TEST_F(PressureCalc, PressureRangeUphillLevelDownhill)
{
    PressureFlowRecord& r = app->pressureFlow;
    // Uphill 10 m, head 5 m, nominal pressure 1 MPa (100 m).
    RunRange(0.0, 10.0, 5.0, 1.0);
    EXPECT_EQ(r.startPressureMin, 15.0);
    EXPECT_EQ(r.startPressureMax, 100.0);
    EXPECT_EQ(r.endPressureMin, 0.0);
    EXPECT_EQ(r.endPressureMax, 85.0);
    EXPECT_EQ(r.energyHeadDifference, 15.0);
    EXPECT_EQ(Warning(), u"");
    // Level, head 95 m: a range of 5 m at both ends.
    RunRange(3.0, 3.0, 95.0, 1.0);
    EXPECT_EQ(r.startPressureMin, 95.0);
    EXPECT_EQ(r.startPressureMax, 100.0);
    EXPECT_EQ(r.endPressureMin, 0.0);
    EXPECT_EQ(r.endPressureMax, 5.0);
    EXPECT_EQ(Warning(), Text(20253));
    // Downhill 20 m, head 5 m.
    RunRange(20.0, 0.0, 5.0, 1.0);
    EXPECT_EQ(r.startPressureMin, 0.0);
    EXPECT_EQ(r.startPressureMax, 80.0);
    EXPECT_EQ(r.endPressureMin, 15.0);
    EXPECT_EQ(r.endPressureMax, 95.0);
    EXPECT_EQ(r.energyHeadDifference, -15.0);
    EXPECT_EQ(Warning(), u"");
    // Downhill by more than the nominal pressure: no range.
    RunRange(150.0, 0.0, 5.0, 1.0);
    EXPECT_EQ(r.startPressureMax, 0.0);
    EXPECT_EQ(Warning(), Text(20254));
    // Nominal pressure 0: no range, whatever else.
    RunRange(0.0, 10.0, 5.0, 0.0);
    for (double v : {r.startPressureMin, r.startPressureMax, r.endPressureMin, r.endPressureMax})
        EXPECT_EQ(v, 0.0);
    EXPECT_EQ(Warning(), Text(20254));
    EXPECT_EQ(Conclusion(), Text(20251));
    // Uphill by the nominal pressure or more.
    RunRange(0.0, 100.0, 5.0, 1.0);
    for (double v : {r.startPressureMin, r.startPressureMax, r.endPressureMin, r.endPressureMax})
        EXPECT_EQ(v, 0.0);
    EXPECT_EQ(Warning(), Text(20254));
    // Head loss at the nominal pressure: no range.
    RunRange(0.0, 0.0, 100.0, 1.0);
    EXPECT_EQ(r.startPressureMax, 0.0);
    EXPECT_EQ(Warning(), Text(20254));
}

TEST_F(PressureCalc, PressureRangeWeightsTheLevelsByDensity)
{
    PressureFlowRecord& r = app->pressureFlow;
    r.density = 1200.0;
    RunRange(0.0, 10.0, 5.0, 1.0);
    const double rise = 10.0 * 1200.0 / kDensity;
    EXPECT_EQ(r.energyHeadDifference, rise + 5.0);
    EXPECT_EQ(r.startPressureMin, rise + 5.0);
    EXPECT_NEAR(r.startPressureMin, 17.0036, 1e-4);
    // Capped where the weighted start head reaches the nominal pressure.
    RunRange(0.0, 70.0, 20.0, 1.0);
    EXPECT_DOUBLE_EQ(r.startPressureMin, 100.0 * kDensity / 1200.0);
}

TEST_F(PressureCalc, ZeroDiameterAndNonFiniteResults)
{
    PressureFlowRecord& r = app->pressureFlow;
    r.mode = 2;
    app->CalcPressureFlow();
    ASSERT_EQ(r.head.resultValid, 1);
    PCalc good = app->pressureCalculator;
    r.innerDiameter = 0.0;
    for (int mode : {1, 2}) {
        r.mode = mode;
        app->CalcPressureFlow();
        EXPECT_EQ(r.head.resultValid, 0) << mode;
        EXPECT_EQ(Conclusion(), Text(20255));
        EXPECT_EQ(Warning(), u"");
        ExpectAllFinite();
    }
    // No viscosity: the Reynolds number is infinite.
    r.innerDiameter = 200.0;
    r.viscosity = 0.0;
    r.roughness = 0.0;
    app->CalcPressureFlow();
    EXPECT_EQ(r.head.resultValid, 0);
    EXPECT_EQ(Conclusion(), Text(20255));
    ExpectAllFinite();
    r.viscosity = kNu;
    r.headLossInput = kInf;
    app->CalcPressureFlow();
    EXPECT_EQ(r.head.resultValid, 0);
    ExpectAllFinite();
    r.headLossInput = 1.0;
    r.length = kNaN;
    app->CalcPressureFlow();
    EXPECT_EQ(r.head.resultValid, 0);
    ExpectAllFinite();
    EXPECT_EQ(std::memcmp(&good.points, &app->pressureCalculator.points, sizeof good.points), 0);
}

TEST_F(PressureCalc, OtherModeAndLaminarFlow)
{
    PressureFlowRecord& r = app->pressureFlow;
    r.mode = 3;
    app->CalcPressureFlow();
    EXPECT_EQ(r.head.resultValid, 0);
    EXPECT_EQ(Conclusion(), Text(20255));
    // A 26 mm bore with 1 cm of head: laminar, once infinite.
    r.mode = 2;
    r.innerDiameter = 26.0;
    r.headLossInput = 0.01;
    app->CalcPressureFlow();
    EXPECT_EQ(r.head.resultValid, 1);
    ExpectAllFinite();
    EXPECT_LT(r.reynolds, 2320.0);
    EXPECT_EQ(r.frictionFactor, 64.0 / r.reynolds);
}

TEST_F(PressureCalc, TextsOfTheCalculationAreTheirOwn)
{
    // The text comparisons above mean something only when each key has a text
    // of its own in the tables.
    const std::u16string missing = app->LoadLangString(99999, LangEnglish);
    std::vector<std::u16string> seen;
    for (int key : {20250, 20251, 20252, 20253, 20254, 20255}) {
        const std::u16string text = Text(key);
        EXPECT_NE(text, missing) << key;
        EXPECT_FALSE(text.empty()) << key;
        for (const std::u16string& other : seen)
            EXPECT_NE(text, other) << key;
        seen.push_back(text);
    }
}

}  // namespace
