// The models of the pipe pages' input dialogs: the flow-unit conversion, the
// viscosity's slider grid, the local-loss sums and the loss calculator, when
// OK may be pressed and the texts they show.
#include "core/base/Text.h"
#include "core/dialogs/FlowUnitsModel.h"
#include "core/dialogs/FluidPropertiesModel.h"
#include "core/dialogs/LocalLossModel.h"
#include "core/dialogs/LossCalcModel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace {

std::string U8(const std::u16string& text)
{
    return Utf16ToUtf8(text);
}

}  // namespace

TEST(FlowUnitsModel, OpensInCubicMetresPerDayAndConvertsEachUnit)
{
    CFlowUnitsModel m;
    m.flowRate = 0.001;
    m.Open();
    EXPECT_EQ(m.unit, 0);
    EXPECT_EQ(U8(m.ValueText()), "86.400");
    EXPECT_EQ(U8(m.ResultText()), "0.001");
    EXPECT_FALSE(m.okEnabled);
    const double perUnit[4] = {86.4, 3.6, 1.0, 3600.0};
    for (int k = 0; k < 4; ++k)
        EXPECT_DOUBLE_EQ(m.perUnitFlow[k], perUnit[k]) << k;

    // Unit, number typed, the flow in m3/s, whether it was taken and the
    // result's text (nullptr: not checked). A flow too large to be written in
    // every unit is taken as 0.
    const struct {
        int unit;
        double typed;
        double flow;
        bool taken;
        const char* result;
    } cases[] = {
        {1, 3.6, 0.001, true, "0.001"},   {2, 1, 0.001, true, "0.001"},
        {3, 3600, 0.001, true, "0.001"},  {0, 86.4, 0.001, true, "0.001"},
        {2, 1.5, 0.0015, true, nullptr},  {3, 2, 5.5555555555555556e-07, true, "0.000"},
        {1, 0, 0.0, true, "0.000"},       {0, 172800, 2.0, true, "2.000"},
        {0, 1e308, 0.0, false, "0.000"},  {3, -1e308, -2.7777777777777778e301, true, nullptr},
        {2, 1e306, 0.0, false, "0.000"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(m.ChooseUnit(c.unit));
        EXPECT_FALSE(m.okEnabled);
        EXPECT_EQ(m.Convert(c.typed), c.taken) << c.typed;
        EXPECT_DOUBLE_EQ(m.flowRate, c.flow) << c.typed;
        EXPECT_TRUE(m.okEnabled);
        if (c.result) {
            EXPECT_EQ(U8(m.ResultText()), c.result) << c.typed;
        }
        if (!c.taken) {
            EXPECT_EQ(U8(m.ValueText()), "0.000");
        }
    }
    // Another unit shows the last flow in it; no such unit changes nothing.
    m.Convert(1.0);
    EXPECT_TRUE(m.ChooseUnit(1));
    EXPECT_EQ(U8(m.ValueText()), "3.600");
    EXPECT_FALSE(m.ChooseUnit(4));
    EXPECT_EQ(m.unit, 1);
    m.Convert(3.6);
    m.EditValue();
    EXPECT_FALSE(m.okEnabled);
    // No unit shows a preset flow too large to be written in every unit.
    for (const double preset : {1e306, std::numeric_limits<double>::infinity()}) {
        CFlowUnitsModel big;
        big.flowRate = preset;
        big.Open();
        EXPECT_EQ(big.flowRate, 0.0);
        for (int k = 3; k >= 0; --k) {
            big.ChooseUnit(k);
            EXPECT_EQ(U8(big.ValueText()), "0.000");
        }
    }
}

TEST(FluidPropertiesModel, PresetsAndPositionsOnTheGrid)
{
    // Clear water (the single-precision constant comes back), a point of the
    // grid, below clear water, far above the scale and no number (clear water
    // again), and the top of the scale.
    const struct {
        double given;
        int position;
        const char* concentration;
        const char* shown;
        double viscosity;
    } cases[] = {{1.31e-6f, 0, "0", "1.31e-06", 1.3100000160193304e-06},
                 {1.41e-6, 10, "500", "1.41e-06", 1.4100000173544736e-06},
                 {1.0e-6, 0, "0", "1.31e-06", 1.3100000160193304e-06},
                 {5e-6, 0, "0", "1.31e-06", 1.3100000160193304e-06},
                 {std::nan(""), 0, "0", "1.31e-06", 1.3100000160193304e-06},
                 {1.51e-6, 20, "1000", "1.51e-06", 1.5100000186896168e-06}};
    for (const auto& c : cases) {
        CFluidPropertiesModel m;
        m.viscosity = c.given;
        m.Open();
        EXPECT_EQ(m.position, c.position) << c.given;
        EXPECT_EQ(U8(m.ConcentrationText()), c.concentration);
        EXPECT_EQ(U8(m.ViscosityText()), c.shown);
        EXPECT_EQ(m.viscosity, c.viscosity);
    }
    // Each grid point: 50 mg/l a step and 1e-8 m2/s more; the value handed
    // back opens the dialog again where it was, the top of the scale included.
    CFluidPropertiesModel m;
    for (int k = 0; k <= 20; ++k) {
        m.SetPosition(k);
        EXPECT_EQ(m.concentration, 50.0 * k);
        EXPECT_NEAR(m.viscosity, 1.31e-6 + 1e-8 * k, 1e-13);
        EXPECT_EQ(U8(m.ViscosityText()), "1." + std::to_string(31 + k) + "e-06");
        CFluidPropertiesModel again;
        again.viscosity = m.viscosity;
        again.Open();
        EXPECT_EQ(again.position, k);
        EXPECT_EQ(again.viscosity, m.viscosity);
    }
    EXPECT_EQ(CFluidPropertiesModel::SliderPosition(1000.0000134), 20);
    EXPECT_EQ(CFluidPropertiesModel::SliderPosition(1000.01), 0);
    EXPECT_EQ(CFluidPropertiesModel::SliderPosition(-1.0), 0);
    EXPECT_EQ(CFluidPropertiesModel::SliderPosition(std::nan("")), 0);
    // Grid concentrations k x 50 map to position k.
    for (int k = 0; k <= 19; ++k)
        EXPECT_EQ(CFluidPropertiesModel::SliderPosition(50.0 * k), k);
}

TEST(LocalLossModel, OpensWithTwoDecimalsAndSumsEachChange)
{
    CLocalLossModel m;
    const int counts[4] = {0, 1, 0, 2};
    std::copy(counts, counts + 4, m.bendCounts);
    m.otherLossCoefficient = 0.5;
    m.Open();
    EXPECT_EQ(U8(m.CountText(1)), "1");
    EXPECT_EQ(U8(m.BendsText()), "0.65");
    EXPECT_EQ(U8(m.OtherText()), "0.50");
    EXPECT_EQ(U8(m.TotalText()), "1.15");
    // Summed in single precision.
    EXPECT_EQ(m.bendsCoefficient, 0.64999997615814209);

    // Each change sums again, with three decimals from then on; what is below
    // 0 counts as 0. Fields 0-3 are the counts, 4 the other losses.
    std::u16string texts[4] = {u"0", u"1", u"0", u"2"};
    std::u16string other = u"0.50";
    const struct { int field; const char16_t* typed; const char* bends; const char* total; } cases[] = {
        {3, u"2", "0.650", "1.150"},  {0, u"abc", "0.650", "1.150"}, {0, u"", "0.650", "1.150"},
        {0, u"-2", "0.650", "1.150"}, {2, u"3", "1.250", "1.750"},   {4, u"0,25", "1.250", "1.500"},
        {4, u"x", "1.250", "1.250"},  {1, u"1e3", "1.250", "1.250"}, {4, u"-50", "1.250", "1.250"},
    };
    for (const auto& c : cases) {
        (c.field < 4 ? texts[c.field] : other) = c.typed;
        m.Change(texts, ParseNumber(other));
        EXPECT_EQ(U8(m.BendsText()), c.bends) << U8(c.typed);
        EXPECT_EQ(U8(m.TotalText()), c.total) << U8(c.typed);
    }
    EXPECT_EQ(m.bendCounts[0], 0);
    EXPECT_EQ(m.bendCounts[1], 1);
    EXPECT_EQ(m.otherLossCoefficient, 0.0);
}

TEST(LocalLossModel, CountsReadAsWholeNumbers)
{
    const struct { const char16_t* text; int count; } cases[] = {
        {u"12", 12},  {u" 7x", 7}, {u"-3", -3}, {u"+4", 4}, {u"abc", 0}, {u"", 0}, {u"1.9", 1},
        {u"99999999999", INT_MAX}, {u"-99999999999", INT_MIN}, {u"2147483648", INT_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CLocalLossModel::ReadCount(c.text), c.count) << U8(c.text);
}

TEST(LossCalcModel, GradientOverTheLengthGivesTheLoss)
{
    CLossCalcModel m;
    m.pipeLength = 100.0;
    m.totalLoss = 1.0;
    m.Open();
    EXPECT_EQ(U8(m.GradientText()), "10.00");
    EXPECT_EQ(U8(m.LengthText()), "100.00");
    EXPECT_EQ(U8(m.LossText()), "1.00");
    EXPECT_FALSE(m.okEnabled);
    // h = J x 0.001 x L, the per mille in single precision.
    const struct { double gradient; const char* loss; double totalLoss; } cases[] = {
        {5, "0.50", 0.5000000237487257}, {5.5, "0.55", 0.5500000261235982}, {0, "0.00", 0.0}};
    for (const auto& c : cases) {
        m.EditGradient();
        EXPECT_FALSE(m.okEnabled);
        EXPECT_TRUE(m.Calculate(c.gradient));
        EXPECT_EQ(U8(m.LossText()), c.loss);
        EXPECT_EQ(m.totalLoss, c.totalLoss);
        EXPECT_TRUE(m.okEnabled);
    }
    // A length of 0 is taken as 1 mm: the gradient of 1 m is a million per mille.
    CLossCalcModel zero;
    zero.totalLoss = 1.0;
    zero.Open();
    EXPECT_EQ(U8(zero.LengthText()), "0.00");
    EXPECT_EQ(U8(zero.GradientText()), "999999.95");
    // Numbers too large to be written in the other field read as 0.
    const struct { double length, loss, typed; } huge[] = {{1.0, 1e306, -1}, {1e6, 1.0, 1e308}};
    for (const auto& h : huge) {
        CLossCalcModel big;
        big.pipeLength = h.length;
        big.totalLoss = h.loss;
        big.Open();
        if (h.typed > 0) {
            EXPECT_FALSE(big.Calculate(h.typed));
        }
        EXPECT_EQ(U8(big.GradientText()), "0.00");
        EXPECT_EQ(U8(big.LossText()), "0.00");
        EXPECT_EQ(big.totalLoss, 0.0);
    }
}
