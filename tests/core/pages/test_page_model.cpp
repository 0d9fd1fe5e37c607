// The page kit without windows: message texts, names, the catalogue picker's
// lists, the gravity page's reading rules and the tables' reload notice.
#include "app/DalvorApp.h"
#include "CoreTestSupport.h"
#include "pages/GravityFlowPageModel.h"

#include <algorithm>
#include <memory>

using namespace GravityIds;

TEST(PageKit, MessageTextsTakeTheirArguments)
{
    const struct {
        const char16_t* text;
        std::vector<std::u16string> args;
        const char16_t* shown;
    } cases[] = {
        {u"Max. pipe diameter amounts to %.0fmm", {u"800"}, u"Max. pipe diameter amounts to 800mm"},
        {u"Min. cover layer amounts to 10% tank diameter.", {}, u"Min. cover layer amounts to 10% tank diameter."},
        {u"%s and %d, 100%%", {u"a", u"7"}, u"a and 7, 100%"},
        {u"%s %s", {u"one"}, u"one %s"},  // a conversion without an argument stands as it is
        {u"%x%", {u"z"}, u"%x%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf16ToUtf8(FormatMessage(c.text, c.args)), Utf16ToUtf8(c.shown));
}

TEST(PageKit, NamesAreBoundedWithoutSplittingAPair)
{
    const std::u16string smile = u"\U0001F600";
    const struct {
        std::u16string typed;
        std::size_t kept;
    } cases[] = {
        {std::u16string(70, u'a'), 63},
        {std::u16string(62, u'a') + smile, 62},
        {std::u16string(61, u'a') + smile + u"b", 63},
        {u"GP-001", 6},
    };
    for (const auto& c : cases) {
        char16_t name[64];
        std::fill(std::begin(name), std::end(name), u'#');
        CPageModel::CopyName(name, c.typed);
        EXPECT_EQ(FromFixed(name), c.typed.substr(0, c.kept));
    }
}

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

TEST(PageKit, PickerListsTheRowsThatSuitThePageAndChoosesByRow)
{
    CDalvorApp app;
    app.pipeCategories.resize(3);
    for (int i = 0; i < 3; ++i) {
        app.pipeCategories[i].id = 5 + i;
        app.pipeCategories[i].applicability = i;
        CopyBounded(app.pipeCategories[i].name, u"Same name");
    }
    app.pipeCategoryCount = 3;
    const struct {
        unsigned applicable;
        std::vector<int> listed;
    } cases[] = {{CCatalogPicker::kGravity, {5, 7}}, {CCatalogPicker::kPressure, {6, 7}}, {CCatalogPicker::kAll, {5, 6, 7}}};
    for (const auto& c : cases) {
        CGravityFlowPageModel model(app);
        CCatalogPicker picker(app, model, c.applicable, CategoryList, TypeList, SizeList);
        int category = -1;
        picker.FillCategories(category);
        EXPECT_EQ(category, c.listed.front());
        const ListState& list = model.List(CategoryList);
        ASSERT_EQ(list.items.size(), c.listed.size());
        for (std::size_t i = 0; i < c.listed.size(); ++i)
            EXPECT_EQ(list.items[i].id, c.listed[i]);
        // Items of the same name are told apart by their row.
        model.Select(CategoryList, int(c.listed.size()) - 1);
        EXPECT_EQ(picker.ChosenCategory(), 7);
        EXPECT_TRUE(picker.Relabel(7, -1));
    }
    // Tables of another shape: the lists no longer fit.
    CGravityFlowPageModel model(app);
    int category = 7;
    model.Picker().FillCategories(category);
    EXPECT_EQ(model.Selected(CategoryList), 1);
    app.pipeCategories.resize(1);
    app.pipeCategoryCount = 1;
    EXPECT_FALSE(model.Picker().Relabel(7, -1));
    EXPECT_EQ(model.Picker().ChosenCategory(), -1);
    // A category that is not listed keeps its id; the list shows its first
    // item, or none when it lists nothing.
    for (const auto& [rows, shown] : {std::pair{1, 0}, std::pair{0, -1}}) {
        app.pipeCategoryCount = rows;
        int unlisted = 9;
        model.Picker().FillCategories(unlisted);
        EXPECT_EQ(unlisted, 9);
        EXPECT_EQ(model.Selected(CategoryList), shown);
    }
    // A size row read again with another size lists that size.
    app.nominalSizes.assign(1, NominalSizeEntry{});
    app.nominalSizes[0].categoryId = 9;
    app.nominalSizes[0].typeId = 3;
    app.nominalSizeCount = 1;
    for (const auto& [size, text] : {std::pair{200.5, u"200"}, std::pair{250.0, u"250"}}) {
        app.nominalSizes[0].nominalSize = size;
        model.Picker().FillSizes(9, 3, 10);
        EXPECT_EQ(model.List(SizeList).items.at(0).text, text);
    }
}

TEST(PageKit, GravityPageReadsItsFieldsWithItsLimits)
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

TEST(PageKit, TablesReloadedAreAnnounced)
{
    CDalvorApp app;
    int told = 0;
    const int token = app.AddReloadListener([&] { ++told; });
    app.LoadReferenceData("/nonexistent/catalogue.mdb");
    EXPECT_EQ(told, 1);
    EXPECT_EQ(app.referenceGeneration, 1);
    app.RemoveReloadListener(token);
    app.LoadReferenceData("/nonexistent/catalogue.mdb");
    EXPECT_EQ(told, 1);
}

TEST(PageKit, GravityLoadBackKeepsAStoredSizeTheTypeNoLongerLists)
{
    auto app = Started();
    // mode, stored DN, Dw after loading back (0: a listed size the diameter
    // mode picks itself), a size of the list shown
    const struct { int mode; double nominalSize, innerDiameter; bool listed; } cases[] = {
        {2, 123.0, 120.0, false}, {2, 400.0, 384.2, true}, {0, 123.0, 0.0, true}};
    for (const auto& c : cases) {
        CGravityFlowPageModel page(*app);
        GravityFlowRecord& r = page.Record();
        r.mode = c.mode;
        r.categoryId = 2;
        r.typeId = 6;
        r.nominalSize = c.nominalSize;
        r.innerDiameter = 120.0;
        page.LoadBack();
        EXPECT_EQ(page.Selected(SizeList) >= 0, c.listed) << c.nominalSize;
        EXPECT_EQ(r.innerDiameter, c.innerDiameter ? c.innerDiameter : r.candidates[std::max(0, page.Selected(SizeList))].innerDiameter);
        EXPECT_EQ(r.nominalSize == c.nominalSize, c.innerDiameter != 0.0) << c.nominalSize;
    }
}

// The gravity page's runs without a window: each mode's open inputs and
// sought pair, the verdict's colours, the end level below the start by both
// losses, and in the diameter mode a second run for the chosen size.
TEST(PageKit, GravityPageModesVerdictsAndRuns)
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
