// The gravity-flow page without widgets: reading with its limits, a stored
// size the catalogue no longer lists loaded back, and each mode's runs.
#include "core/app/DalvorApp.h"
#include "core/pages/GravityFlowPageModel.h"
#include "tests/core/CoreTestSupport.h"

#include <algorithm>
#include <memory>

using namespace GravityIds;

namespace {

std::unique_ptr<CDalvorApp> Started()
{
    auto app = std::make_unique<CDalvorApp>();
    static CountingHost host;
    MemorySettings settings;
    settings.WriteInt("Settings", "Language", LangEnglish);
    app->SetHost(&host);
    app->InitCoreInstance(settings, "C", DalvorHome());
    return app;
}

}  // namespace

TEST(GravityPage, ReadsItsFieldsWithItsLimits)
{
    auto app = Started();
    CGravityFlowPageModel page(*app);
    page.LoadBack();
    GravityFlowRecord& r = page.Record();
    const ReadCase<GravityFlowRecord> cases[] = {
        {FillingInput, u"0,999", &GravityFlowRecord::fillingInput, 0.996f, u"1.00"},
        // A limit the field shows is read back as shown; one it cannot show stays.
        {SlopeInput, u"0", &GravityFlowRecord::slopeInput, 0.01, u"0.01"},
        {SlopeInput, u"1e999", &GravityFlowRecord::slopeInput, 0.01, u"0.01"},
        {Viscosity, u"1", &GravityFlowRecord::viscosity, 1e-4f, u"1.00e-04"},
        {Density, u"20000", &GravityFlowRecord::density, 10000.0, u"10000.0"},
        {Density, u"nan", &GravityFlowRecord::density, 1.0, u"1.0"},
        {Length, u"0.5", &GravityFlowRecord::length, 1.0, u"1.00"},
        {StartLevel, u"12,5", &GravityFlowRecord::startLevel, 12.5, u"12.50"},
        {StartLevel, u"-inf", &GravityFlowRecord::startLevel, 0.0, u"0.00"},
        {StartLevel, u"-1e308", &GravityFlowRecord::startLevel, -10000, u"-10000.00"},
        {Length, u"1e308", &GravityFlowRecord::length, 1e6, u"1000000.00"},
        {FlowInput, u" 0.0004", &GravityFlowRecord::flowInput, 0.001f, u"0.001"},
        {LocalLossShare, u"2.5", &GravityFlowRecord::localLossShare, 2.5, u"2"},  // halves to even
    };
    for (const auto& c : cases)
        ExpectRead(page, r, c);
    // A roughness typed becomes the user's, and outlives a change of size
    // but not of type; a roughness of 0 is held at the limit, the user's too.
    page.SetText(Roughness, u"0");
    page.ReadInputs();
    EXPECT_EQ(r.userRoughness, double(0.001f));
    EXPECT_EQ(r.roughness, double(0.001f));
    page.SetText(Roughness, u"0.25");
    page.Recalculate();
    page.Select(SizeList, 1);
    page.OnListChosen(SizeList, 1);
    EXPECT_EQ(r.roughness, 0.25);
    page.Select(TypeList, 0);
    page.OnListChosen(TypeList, 0);
    EXPECT_EQ(r.userRoughness, double(-0.01f));
    EXPECT_NE(r.roughness, 0.25);
    // Mode 0 keeps the size list closed and raises no message.
    EXPECT_FALSE(page.State(SizeList).enabled);
    EXPECT_TRUE(page.PendingMessages().empty());
}

TEST(GravityPage, LoadBackKeepsAStoredSizeTheTypeNoLongerLists)
{
    auto app = Started();
    // category, type, mode, stored DN, Dw after loading back (0: a listed
    // size the diameter mode picks itself), a size of the list shown, the
    // conclusion. A stored size the list lacks stays, the list showing none,
    // in the diameter mode too when no size carries the flow (1.5 m3/s); a
    // type without sizes gives no verdict. An unlisted category or type
    // shows no item.
    const struct { int category, type, mode; double nominalSize, innerDiameter; bool listed; const char* conclusion; } cases[] = {
        {2, 6, 2, 123.0, 120.0, false, "Calculated flow rate."}, {2, 6, 2, 400.0, 384.2, true, "Calculated flow rate."},
        {2, 6, 0, 123.0, 120.0, false, "Flow rate too large."}, {2, 99, 0, 123.0, 120.0, false, ""},
        {9, 6, 0, 123.0, 120.0, false, ""}};
    for (const auto& c : cases) {
        CGravityFlowPageModel page(*app);
        GravityFlowRecord& r = page.Record();
        r.mode = c.mode;
        r.categoryId = c.category;
        r.typeId = c.type;
        r.nominalSize = c.nominalSize;
        r.innerDiameter = 120.0;
        page.LoadBack();
        SCOPED_TRACE(c.type);
        EXPECT_EQ(page.Selected(SizeList) >= 0, c.listed) << c.nominalSize;
        EXPECT_EQ(r.innerDiameter, c.innerDiameter ? c.innerDiameter : r.candidates[std::max(0, page.Selected(SizeList))].innerDiameter);
        EXPECT_EQ(r.nominalSize == c.nominalSize, c.innerDiameter != 0.0) << c.nominalSize;
        EXPECT_EQ(page.Selected(CategoryList) >= 0, c.category == 2);
        EXPECT_EQ(page.Selected(TypeList) >= 0, c.type == 6 && c.category == 2);
        EXPECT_EQ(Utf16ToUtf8(page.Text(Conclusion)), c.conclusion) << c.nominalSize;
        if (!*c.conclusion) {
            EXPECT_EQ(page.Text(Flow) + page.Text(Velocity), u"--");
        }
        // Lists made again (tables of another shape) show the stored bore,
        // which the next run reads back.
        page.FillLists();
        EXPECT_EQ(page.Text(InnerDiameter), c.innerDiameter == 120.0 ? u"120.0" : u"384.2");
    }
}

// The gravity page's runs without a window: each mode's open inputs and
// sought pair, the verdict's colours, the end level below the start by both
// losses, and in the diameter mode a second run for the chosen size.
TEST(GravityPage, ModesVerdictsAndRuns)
{
    auto app = Started();
    CGravityFlowPageModel page(*app);
    GravityFlowRecord& r = page.Record();
    page.LoadBack();
    const int largest = static_cast<int>(page.List(SizeList).items.size()) - 1;
    page.Select(SizeList, largest);
    page.OnListChosen(SizeList, largest);
    const int inputs[4] = {SlopeInput, FillingInput, FlowInput, SizeList};
    const bool open[4][4] = {{true, true, true, false}, {false, true, true, true}, {true, true, false, true},
                             {true, false, true, true}};
    for (const auto& [mode, flow] : {std::pair{1, u"0.01"}, std::pair{2, u"0.01"}, std::pair{3, u"9"}, std::pair{0, u"0.1"}}) {
        const double before = r.innerDiameter;
        page.SetText(LocalLossShare, u"10");
        page.SetText(StartLevel, u"100");
        page.SetText(FlowInput, flow);
        page.SetChoice(ModeGroup, mode);
        page.OnChoiceClicked(ModeGroup, mode);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(page.State(inputs[i]).enabled, open[mode][i]) << mode << " " << i;
        for (int m = 0; m < 4; ++m)
            EXPECT_EQ(page.State(kSoughtFields[m]).background, m == mode ? kSoughtColor : kFaceColor) << mode;
        const bool valid = r.head.resultValid == 1;
        EXPECT_EQ(valid, mode != 3) << mode;  // 9 m3/s fills no pipe
        EXPECT_EQ(page.State(Conclusion).text, valid ? kMetTextColor : kFailedTextColor) << mode;
        EXPECT_EQ(page.State(Warning).text, kFailedTextColor);
        if (!valid)
            continue;
        EXPECT_GT(r.localLossHead, 0.0);
        EXPECT_EQ(r.endLevel, 100 - (r.localLossHead + r.frictionLossHead)) << mode;
        if (mode == 0) {
            EXPECT_NE(r.innerDiameter, before);
            EXPECT_EQ(r.minSlopeSanitary, 897.0 / (r.innerDiameter / 1000.0 * r.density));
        }
    }
}
