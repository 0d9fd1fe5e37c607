// The pressure-flow page without widgets: reading and limits, the mode and
// local-loss states, the catalogue lists and what a choice takes into the
// record, the diameter mode's second run, results and verdict colours, and
// stored records run through the test tool as the page runs them.
#include "core/app/DalvorApp.h"
#include "core/pages/PressureFlowPageModel.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <tuple>

namespace {

namespace P = PressureIds;

// A small catalogue: a gravity-only category and two pressure ones; sizes
// of type 1 (the last made to order, at 0.05 MPa), type 2, and type 3 with a
// four-decimal roughness and the same size twice, taken by position.
std::unique_ptr<CDalvorApp> TestApp()
{
    auto app = std::make_unique<CDalvorApp>();
    app->languageOffset = LangEnglish;
    app->ResetPressureFlowRecord();
    for (auto [id, name, applicability] : {std::tuple{1, u"Sewer", 0}, {2, u"PE", 1}, {3, u"GRP", 2}}) {
        PipeCategoryEntry& c = app->tables.pipeCategories.emplace_back();
        c = {id, {}, applicability};
        CopyBounded(c.name, name);
    }
    for (auto [id, cat, name, applicability] :
         {std::tuple{1, 2, u"SDR17", 1}, {2, 2, u"SDR11", 1}, {3, 3, u"PN10", 2}, {4, 2, u"SDR26 sewer", 0}}) {
        PipeTypeEntry& t = app->tables.pipeTypes.emplace_back();
        t = {id, cat, {}, applicability};
        CopyBounded(t.name, name);
    }
    // type, category, DN, Dw, k, PN, made to order
    const double sizes[][7] = {{1, 2, 110, 97.0, 0.01, 1.0, 0},   {1, 2, 160, 141.0, 0.01, 1.0, 0},
                               {1, 2, 200, 176.2, 0.02, 0.05, 1}, {2, 2, 110, 90.0, 0.01, 1.6, 0},
                               {3, 3, 300, 290.0, 0.0015, 1.0, 0}, {3, 3, 300, 280.0, 0.0015, 1.0, 0}};
    for (const auto& z : sizes) {
        NominalSizeEntry& s = app->tables.nominalSizes.emplace_back();
        s.id = static_cast<int>(app->tables.nominalSizes.size());
        s.typeId = int(z[0]);
        s.categoryId = int(z[1]);
        s.nominalSize = s.outerDiameter = z[2];
        s.innerDiameter = z[3];
        s.roughness = z[4];
        s.ratingValue = z[5];
        s.madeToOrder = int(z[6]);
    }
    return app;
}

// The page as it opens: lists filled, inputs shown, worked out.
struct Page {
    std::unique_ptr<CDalvorApp> app = TestApp();
    CPressureFlowPageModel model{*app};
    Page()
    {
        app->working.pressureFlow.flowInput = 0.01;
        model.ApplyLanguage(LangEnglish);
        model.FillLists();
        model.ShowInputs(1);
        model.Recalculate();
    }
    PressureFlowRecord& r() { return app->working.pressureFlow; }
    // The user picks an item of a list.
    void Choose(int list, int index)
    {
        model.Select(list, index);
        model.OnListChosen(list, index);
    }
    void Type(int id, std::u16string text) { model.SetText(id, std::move(text)); }
};

}  // namespace

TEST(PressurePage, InputsAreReadWithTheirLimits)
{
    const ReadCase<PressureFlowRecord> cases[] = {
        {P::Density, u"0", &PressureFlowRecord::density, 1.0, u"1.0"},
        {P::Density, u"20000", &PressureFlowRecord::density, 10000.0, u"10000.0"},
        {P::Density, u"nan", &PressureFlowRecord::density, 1.0, u"1.0"},
        {P::Viscosity, u"1", &PressureFlowRecord::viscosity, 1e-4f, u"1.00e-04"},
        {P::Viscosity, u"1e-9", &PressureFlowRecord::viscosity, 1e-8, u"1.00e-08"},
        {P::Length, u"0.5", &PressureFlowRecord::length, 1.0, u"1.00"},
        {P::Length, u"12,5", &PressureFlowRecord::length, 12.5, u"12.50"},
        {P::Roughness, u"0", &PressureFlowRecord::roughness, 0.001f, u"0.001"},
        {P::HeadLossInput, u"0", &PressureFlowRecord::headLossInput, 0.01, u"0.01"},
        {P::FlowInput, u"inf", &PressureFlowRecord::flowInput, 0.001f, u"0.001"},
        {P::VelocityInput, u"-1", &PressureFlowRecord::velocityInput, 0.01, u"0.01"},
        {P::LossCoefficient, u"-2", &PressureFlowRecord::lossCoefficient, 0.0, u"0.00"},
        {P::StartLevel, u"1e999", &PressureFlowRecord::startLevel, 0.0, u"0.00"},
        {P::EndLevel, u"-3,456", &PressureFlowRecord::endLevel, -3.456, u"-3.46"},
        {P::EndLevel, u"-1e308", &PressureFlowRecord::endLevel, -10000, u"-10000.00"},
        {P::StartLevel, u"10000.01", &PressureFlowRecord::startLevel, 10000, u"10000.00"},
        {P::Length, u"120000", &PressureFlowRecord::length, 120000, u"120000.00"},
        {P::Length, u"1e308", &PressureFlowRecord::length, 1e6, u"1000000.00"},
        // What a field shows is what the next reading takes: one decimal of Dw,
        // two of the head loss.
        {P::InnerDiameter, u"97.46", &PressureFlowRecord::innerDiameter, 97.46, u"97.5"},
        {P::HeadLossInput, u"0.995", &PressureFlowRecord::headLossInput, 0.995, u"0.99"},
    };
    for (const auto& c : cases) {
        Page p;
        ExpectRead(p.model, p.r(), c);
    }
    // The share field shows whole per cents; ties go to even.
    Page p;
    p.model.OnLocalLossShare();
    p.Type(P::LossShare, u"2.5");
    p.model.ReadInputs();
    EXPECT_EQ(Utf16ToUtf8(p.model.Text(P::LossShare)), "2");
    // A long name keeps 63 units and never half of a pair.
    std::u16string name(62, u'a');
    name += u"\U0001F600xyz";
    p.Type(P::Name, name);
    p.model.ReadInputs();
    EXPECT_EQ(FromFixed(p.r().head.name), std::u16string(62, u'a'));
}

TEST(PressurePage, EachModeOpensItsFieldsAndHighlightsItsPair)
{
    struct Case {
        int mode;
        bool headLoss, velocity, flow, size, lossCalc, flowUnits;
        int label, field;
    } cases[] = {
        {0, false, true, true, false, false, true, P::NominalSizeLabel, P::NominalSize},
        {1, false, false, true, true, false, true, P::HeadLossLabel, P::HeadLoss},
        {2, true, false, false, true, true, false, P::FlowLabel, P::Flow},
    };
    const int coloured[] = {P::NominalSizeLabel, P::NominalSize, P::FlowLabel, P::Flow, P::HeadLossLabel,
                            P::HeadLoss, P::Conclusion, P::Warning};
    for (const Case& c : cases) {
        Page p;
        p.model.OnTarget(c.mode);
        EXPECT_EQ(p.r().mode, c.mode);
        const bool want[] = {c.headLoss, c.velocity, c.flow, c.size, c.lossCalc, c.flowUnits, false};
        const int ids[] = {P::HeadLossInput, P::VelocityInput, P::FlowInput, P::SizeList,
                           P::LossCalcButton, P::FlowUnitsButton, P::InnerDiameter};
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(p.model.State(ids[i]).enabled, want[i]) << "mode " << c.mode << " control " << ids[i];
        for (int id : coloured)
            EXPECT_EQ(p.model.State(id).background, id == c.label || id == c.field ? kSoughtColor : kFaceColor) << id;
        EXPECT_EQ(p.r().head.resultValid, 1) << c.mode;
        EXPECT_EQ(p.model.State(P::Conclusion).text, kMetTextColor);
    }
}

TEST(PressurePage, LocalLossRadios)
{
    Page p;
    const int counts[4] = {0, 1, 0, 2};
    p.model.SetLocalLosses(counts, 0.5, 1.15);
    EXPECT_EQ(Utf16ToUtf8(p.model.Text(P::LossCoefficient)), "1.15");
    p.model.OnLocalLossShare();
    EXPECT_EQ(p.r().localLossShare, 5.0);
    EXPECT_EQ(p.r().lossCoefficient + p.r().otherLossCoefficient + p.r().bendCounts[3], 0.0);
    EXPECT_FALSE(p.model.State(P::LossCoefficient).enabled || p.model.State(P::LocalLossButton).enabled);
    // The share radio clicked again starts over from 5 %.
    p.Type(P::LossShare, u"12");
    p.model.ReadInputs();
    p.model.OnLocalLossShare();
    EXPECT_EQ(p.r().localLossShare, 5.0);
    p.model.OnLocalLossCoefficient();
    EXPECT_EQ(p.r().localLossShare, 0.0);
    EXPECT_FALSE(p.model.State(P::LossShare).enabled);
}

TEST(PressurePage, ListsAndWhatAChoiceTakes)
{
    Page p;
    // Only the pressure categories and types, ids kept by row.
    const auto& categories = p.model.List(P::CategoryList).items;
    ASSERT_EQ(categories.size(), 2u);
    EXPECT_EQ(categories[0].text, u"PE");
    EXPECT_EQ(p.model.List(P::TypeList).items.size(), 2u);
    EXPECT_EQ(p.model.List(P::SizeList).items.size(), 3u);

    // A roughness of the user's own survives a size choice, a new type clears it.
    p.model.OnTarget(1);
    p.Type(P::Roughness, u"0.05");
    p.model.Recalculate();
    p.Choose(P::SizeList, 2);
    EXPECT_EQ(p.r().roughness, 0.05);
    EXPECT_EQ(p.r().nominalPressure, 0.05);
    EXPECT_EQ(Utf16ToUtf8(p.model.Text(P::Hint)), "Production on demand. Delivery requires producer's confirmation.");
    p.Choose(P::TypeList, 1);
    EXPECT_EQ(p.r().typeId, 2);
    EXPECT_EQ(p.r().roughness, 0.01);
    EXPECT_EQ(p.r().innerDiameter, 90.0);
    EXPECT_EQ(p.model.Text(P::Hint), u"");

    // A four-decimal catalogue roughness shows three decimals and so becomes
    // the user's own; the second DN 300 is taken by position.
    p.Choose(P::CategoryList, 1);
    EXPECT_EQ(p.r().categoryId, 3);
    p.model.Recalculate();
    EXPECT_EQ(p.r().userRoughness, 0.002);
    p.Choose(P::SizeList, 1);
    EXPECT_EQ(p.r().innerDiameter, 280.0);
    EXPECT_EQ(p.r().roughness, 0.002);

    // A choice the catalogue no longer has leaves the record as it was.
    p.app->tables.pipeCategories.resize(1);
    p.Choose(P::CategoryList, 0);
    EXPECT_EQ(p.r().categoryId, 3);
    // A type without sizes: Dw reads as 0, and there is no result.
    p.app->tables.nominalSizes.resize(4);
    p.Choose(P::TypeList, 0);
    EXPECT_EQ(p.r().candidateCount, 0);
    EXPECT_EQ(p.r().innerDiameter, 0.0);
    EXPECT_EQ(p.r().head.resultValid, 0);
    EXPECT_EQ(p.model.Text(P::Flow), u"-");
    EXPECT_EQ(p.model.Text(P::PointHead), u"-");
    EXPECT_EQ(p.model.State(P::Conclusion).text, kFailedTextColor);
    EXPECT_EQ(Utf16ToUtf8(p.model.Text(P::Conclusion)), "Flow rate too large.");
}

// A stored calculation whose pipe the catalogue no longer lists is loaded
// back as it was stored, without a result, until the user chooses a pipe.
TEST(PressurePage, AStoredPipeTheCatalogueNoLongerHasIsKeptWithoutAResult)
{
    struct Case {
        const char* what;
        int categoryId, typeId;
        double nominalSize;
        int mode;
        bool valid;
        double flow = 0.01;
    } cases[] = {
        {"listed", 2, 1, 160.0, 1, true},
        {"size gone", 2, 1, 125.0, 1, false},
        {"type gone", 2, 9, 160.0, 1, false},
        {"category gone", 7, 1, 160.0, 2, false},
        {"diameter mode chooses its own size", 2, 1, 125.0, 0, true},
        // No listed size carries the flow: the stored size stays, not the first listed.
        {"diameter mode without a size", 2, 1, 125.0, 0, false, 5.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Page p;
        PressureFlowRecord& r = p.r();
        r.mode = c.mode;
        r.categoryId = c.categoryId;
        r.typeId = c.typeId;
        r.nominalSize = c.nominalSize;
        r.innerDiameter = 123.4;
        r.roughness = 0.05;
        r.flowInput = c.flow;
        p.model.LoadBack();
        EXPECT_EQ(r.head.resultValid, c.valid ? 1 : 0);
        if (!c.valid) {
            EXPECT_EQ(r.innerDiameter, 123.4);
            EXPECT_EQ(r.nominalSize, c.nominalSize);
            EXPECT_EQ(p.model.Text(P::Flow), u"-");
            EXPECT_EQ(p.model.Selected(P::SizeList), -1);
            EXPECT_EQ(p.model.Selected(P::TypeList) >= 0, c.typeId == 1 && c.categoryId == 2);
            EXPECT_EQ(p.model.Selected(P::CategoryList) >= 0, c.categoryId == 2);
            // Choosing a pipe brings the result back.
            p.Type(P::FlowInput, u"0.01");
            p.Choose(P::CategoryList, 0);
            EXPECT_EQ(r.head.resultValid, 1);
        }
    }
}

TEST(PressurePage, DiameterModeTakesTheChosenSizeAndRunsAgain)
{
    struct Case {
        const char16_t* flow;
        int chosen;
        const char* conclusion;
        const char* warning;
    } cases[] = {
        {u"0.01", 1, "Calculated pipe diameter.", ""},
        // The made-to-order size carries 0.05 MPa: 5 m of water column.
        {u"0.02", 2, "Calculated pipe diameter.", "Caution. Permissible pressure range <10m column of water."},
        {u"0.5", -1, "Flow rate too large.", ""},
    };
    for (const Case& c : cases) {
        Page p;
        p.Type(P::FlowInput, c.flow);
        p.model.Recalculate();
        EXPECT_EQ(p.r().chosenCandidate, c.chosen) << Utf16ToUtf8(c.flow);
        EXPECT_EQ(Utf16ToUtf8(p.model.Text(P::Conclusion)), c.conclusion);
        EXPECT_EQ(Utf16ToUtf8(p.model.Text(P::Warning)), c.warning);
        if (c.chosen < 0) {
            EXPECT_EQ(p.model.Text(P::NominalSize), u"160");  // the last size, shown without a result too
            continue;
        }
        EXPECT_EQ(p.model.Selected(P::SizeList), c.chosen);
        EXPECT_EQ(p.r().nominalSize, p.r().candidates[c.chosen].nominalSize);
        EXPECT_EQ(p.r().nominalPressure, p.r().candidates[c.chosen].ratingValue);
        EXPECT_EQ(p.model.op.flow, p.r().flow);
        EXPECT_EQ(p.model.op.head, p.r().headLoss);
    }
}

TEST(PressurePage, ToolRunsStoredRecordsAsThePageDoes)
{
    auto app = StartedCore();
    ASSERT_GT(RowCount(app->tables.nominalSizes), 0);
    for (int mode = 0; mode < 3; ++mode) {
        app->ResetPressureFlowRecord();
        app->working.pressureFlow.mode = mode;
        app->working.pressureFlow.flowInput = 0.02 * (mode + 1);
        app->working.pressureFlow.startLevel = 1.0 * mode;
        app->StoreCurrentCalc(KindPressureFlow, -1);
    }
    auto tool = RecalculatedByTool(*app);
    ASSERT_TRUE(tool);

    auto page = StartedCore();
    CPressureFlowPageModel model(*page);
    ExpectPageLoadsBackAsTool(model, page->working.pressureFlow, app->project.pressureFlow,
                              tool->project.pressureFlow, [&](std::size_t i) {
                                  EXPECT_EQ(tool->project.pressureFlow[i].head.resultValid, 1) << "mode " << i;
                              });
}
