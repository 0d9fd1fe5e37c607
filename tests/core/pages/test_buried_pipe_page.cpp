// The buried-pipe page's rules without its widgets: the cover check, the
// traffic classes' notes and road-surface rules, the deflection limit on
// filling the size list and on choosing from it, the heavy-traffic box, the
// soil's compaction index, the verdict colours, the import of a tank's pipe
// and the test tool running stored pipes as the page does.
#include "core/app/DalvorApp.h"
#include "core/app/Startup.h"
#include "core/calc/BuriedPipeCalc.h"
#include "core/pages/BuriedPipePageModel.h"
#include "tests/core/CoreTestSupport.h"

#include <cmath>
#include <memory>
#include <set>

namespace Id = BuriedPipeIds;

namespace {

std::u16string U(const char* s)
{
    return Utf8ToUtf16(s);
}

// Two stiffness classes of one category; the SN 4 type has two sizes, one of
// them with an enlarged deflection of 8 % over its allowable 6 %.
std::unique_ptr<CDalvorApp> SmallCatalogue()
{
    auto app = std::make_unique<CDalvorApp>();
    app->languageOffset = LangEnglish;
    PipeCategoryEntry c{};
    c.id = 3;
    CopyBounded(c.name, u"Profile pipes");
    app->tables.pipeCategories = {c};
    PipeTypeEntry t4{}, t8{};
    t4.id = 11, t4.categoryId = 3, t8.id = 12, t8.categoryId = 3;
    CopyBounded(t4.name, u"SN4 profile");
    CopyBounded(t8.name, u"SN8 profile");
    app->tables.pipeTypes = {t4, t8};
    auto size = [](int type, double dn, double di, double dz, double allowed, double enlarged, int available) {
        NominalSizeEntry s{};
        s.categoryId = 3, s.typeId = type, s.nominalSize = dn, s.innerDiameter = di, s.outerDiameter = dz;
        s.ringStiffness = type == 11 ? 4 : 8;
        s.allowedDeflection = allowed, s.enlargedAllowedDeflection = enlarged;
        s.enlargedDeflectionAvailable = available;
        s.minCover = 0.1;
        return s;
    };
    app->tables.nominalSizes = {size(11, 600, 600, 680, 6, 8, 1), size(11, 800, 800, 900, 5, 5, 0),
                         size(12, 600, 600, 690, 6, 6, 0)};
    app->ResetBuriedPipeRecord();
    return app;
}

// The page as it first shows a record: language texts, lists, inputs.
void Open(CBuriedPipePageModel& page)
{
    page.ApplyLanguage(page.App().languageOffset);
    page.FillLists();
    page.ShowInputs(1);
}

std::unique_ptr<CDalvorApp> StartedApp(int extended = 0)
{
    auto app = std::make_unique<CDalvorApp>();
    MemorySettings settings;
    settings.values["Settings/Language"] = LangEnglish;
    if (extended)
        settings.values["Settings/VersionID"] = kExtendedVersionId;
    app->InitCoreInstance(settings, "C", DalvorHome());
    return app;
}

}  // namespace

// The four variants of the minimum cover: no traffic (the row's minimum),
// railway (the size or 1.5 m), aircraft (1.0 m), and the extended mode that
// takes the row's minimum under traffic and lowers the pipe silently.
struct CoverCase {
    const char* what;
    int trafficClass;
    int extended;
    double nominalSize, rowMinimum, invert;  // crown cover = 4 - invert - 0.48
    bool lowered, message;
    double required;
};

class CoverRule : public testing::TestWithParam<CoverCase> {};

TEST_P(CoverRule, LowersThePipeToTheMinimumCover)
{
    const CoverCase& c = GetParam();
    auto app = SmallCatalogue();
    app->extendedCatalogue = c.extended;
    BuriedPipeRecord& r = app->working.buriedPipe;
    r.outerDiameter = 500, r.innerDiameter = 460, r.nominalSize = c.nominalSize;
    r.minCoverNoTraffic = std::max(c.rowMinimum, 0.2);
    r.minCoverTraffic = std::max(c.rowMinimum, 0.5);
    r.trafficClass = c.trafficClass;
    r.groundLevel = 4.0, r.invertLevel = c.invert;
    r.waterLevel = 9.0;            // above the ground: capped
    r.compactionIndex = 0.6;       // below its floor: raised
    CBuriedPipePageModel page(*app);
    page.ShowInputs(0);
    page.Validate();
    const auto messages = page.TakeMessages();
    EXPECT_EQ(r.invertLevel != c.invert, c.lowered);
    ASSERT_EQ(messages.size(), c.message ? 1u : 0u);
    if (c.lowered) {  // to the invert its field shows
        EXPECT_NEAR(r.groundLevel - r.invertLevel - (r.outerDiameter + r.innerDiameter) * 0.0005, c.required, 0.005);
    }
    if (c.message) {
        EXPECT_EQ(Utf16ToUtf8(FormatMessage(app->LoadLangString(messages[0].textKey), messages[0].args)), FormatC("Covering layer enlarged (min. %.2fm).", c.required));
    }
    EXPECT_EQ(Utf16ToUtf8(page.Text(Id::InvertLevel)), FormatC("%.2f", r.invertLevel));
    EXPECT_EQ(r.invertLevel, ParseNumber(page.Text(Id::InvertLevel)));
    EXPECT_EQ(r.waterLevel, 4.0);
    EXPECT_EQ(r.compactionIndex, 0.75);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CoverRule,
    testing::Values(CoverCase{"no traffic, row minimum", 0, 0, 600, 0.3, 3.30, true, true, 0.3},
                    CoverCase{"no traffic, floor of 0.2", 0, 0, 600, 0.1, 3.42, true, true, 0.2},
                    CoverCase{"lowered to 3.2174, shown 3.22", 0, 0, 600, 0.3026, 3.30, true, true, 0.3026},
                    CoverCase{"short by no more than 0.01", 0, 0, 600, 0.305, 3.22, false, false, 0},
                    CoverCase{"railway, DN 2000", 14, 0, 2000, 0.5, 1.62, true, true, 2.0},
                    CoverCase{"railway, DN 1000", 13, 0, 1000, 0.5, 2.07, true, true, 1.5},
                    CoverCase{"aircraft", 17, 0, 600, 0.5, 2.72, true, true, 1.0},
                    CoverCase{"aircraft met", 21, 0, 600, 0.5, 2.52, false, false, 0},
                    CoverCase{"road, row minimum met", 5, 0, 600, 0.5, 2.92, false, false, 0},
                    CoverCase{"extended railway met by the row", 13, 1, 600, 0.5, 2.52, false, false, 0},
                    CoverCase{"extended railway lowered silently", 13, 1, 600, 0.5, 3.22, true, false, 0.5},
                    CoverCase{"extended, no traffic, with message", 0, 1, 600, 0.1, 3.42, true, true, 0.2}),
    [](const testing::TestParamInfo<CoverCase>& param) { return "case" + std::to_string(param.index); });

// Every traffic class: its text, the note the class change writes and the
// road-surface box.
struct TrafficCase {
    int cls;
    const char* text;
    const char* note;
    int roadRule;  // -1 cleared and disabled, 1 checked and disabled, 0 as the user set it
};

class TrafficClassNote : public testing::TestWithParam<TrafficCase> {};

TEST_P(TrafficClassNote, NoteAndRoadSurface)
{
    const TrafficCase& c = GetParam();
    auto app = SmallCatalogue();
    CBuriedPipePageModel page(*app);
    Open(page);
    page.SetChecked(Id::RoadSurface, 1);  // the user's own tick
    page.OnSelchangeTraffic(c.cls);
    EXPECT_EQ(Utf16ToUtf8(page.List(Id::TrafficList).items[static_cast<std::size_t>(c.cls)].text), c.text);
    EXPECT_EQ(Utf16ToUtf8(page.Text(Id::CoverNote)), c.note);
    EXPECT_EQ(page.Checked(Id::RoadSurface), c.roadRule < 0 ? 0 : 1);
    EXPECT_EQ(page.State(Id::RoadSurface).enabled, c.roadRule == 0);
    EXPECT_EQ(app->working.buriedPipe.roadSurface, c.roadRule < 0 ? 0 : 1);
    EXPECT_EQ(app->working.buriedPipe.trafficClass, c.cls);
}

constexpr const char* kRoad = "Min. covering layer: 0.5 m";
constexpr const char* kRail = "Min. covering layer:  (Dn | 1.5 m)";
constexpr const char* kAir = "Min. covering layer:  1.0 m";
INSTANTIATE_TEST_SUITE_P(
    AllClasses, TrafficClassNote,
    testing::Values(TrafficCase{0, "no load", "Min. covering layer: 0.20 m", -1}, TrafficCase{1, "walk/bicycle path (acc. PN)", kRoad, -1},
                    TrafficCase{2, "K80 (class A acc. GDDKiA)", kRoad, 0}, TrafficCase{3, "K60 (class B acc. GDDKiA)", kRoad, 0},
                    TrafficCase{4, "vehicle 1/S42 (acc. GDDKiA)", kRoad, 0}, TrafficCase{5, "vehicle 2/S32 (acc. GDDKiA)", kRoad, 0},
                    TrafficCase{6, "vehicle 3/S24 (acc. GDDKiA)", kRoad, 0}, TrafficCase{7, "vehicle 4/S16 (acc. GDDKiA)", kRoad, 0},
                    TrafficCase{8, "vehicle 5/S10 (acc. GDDKiA)", kRoad, 0}, TrafficCase{9, "swedish standard", kRoad, 0},
                    TrafficCase{10, "vehicle SLW 60 (acc. DIN)", kRoad, 0}, TrafficCase{11, "vehicle SLW 30 (acc. DIN)", kRoad, 0},
                    TrafficCase{12, "vehicle LKW 12 (acc. DIN)", kRoad, 0}, TrafficCase{13, "single railway (acc. PN)", kRail, 1},
                    TrafficCase{14, "double railway (acc. PN)", kRail, 1}, TrafficCase{15, "single tramway (acc. PN)", kRoad, 1},
                    TrafficCase{16, "double tramway (acc. PN)", kRoad, 1}, TrafficCase{17, "aircraft load DAC 90 (acc. DIN)", kAir, 1},
                    TrafficCase{18, "aircraft load DAC 180 (acc. DIN)", kAir, 1}, TrafficCase{19, "aircraft load DAC 350 (acc. DIN)", kAir, 1},
                    TrafficCase{20, "aircraft load DAC 550 (acc. DIN)", kAir, 1}, TrafficCase{21, "aircraft load DAC 750 (acc. DIN)", kAir, 1},
                    TrafficCase{22, "storage yard 2 T/m² (acc. PN)", kRoad, 1}, TrafficCase{23, "storage yard 3 T/m² (acc. PN)", kRoad, 1},
                    TrafficCase{24, "storage yard 4 T/m² (acc. PN)", kRoad, 0}, TrafficCase{25, "storage yard 5 T/m² (acc. PN)", kRoad, 0},
                    TrafficCase{26, "storage yard 8 T/m² (acc. PN)", kRoad, 0}, TrafficCase{27, "storage yard 10 T/m² (acc. PN)", kRoad, 0}));

// A stored pipe loaded into the page: the road-surface box is the user's only
// under a class that leaves it to the user, whatever class the page showed.
TEST(TrafficClassNote, LoadedClassSetsTheRoadSurfaceBox)
{
    const struct {
        int shown, stored;
        bool enabled;
    } cases[] = {{14, 5, true}, {5, 14, false}, {24, 0, false}, {0, 24, true}};
    for (const auto& c : cases) {
        auto app = SmallCatalogue();
        CBuriedPipePageModel page(*app);
        Open(page);
        page.OnSelchangeTraffic(c.shown);
        app->working.buriedPipe.trafficClass = c.stored;
        page.LoadBack();
        EXPECT_EQ(page.State(Id::RoadSurface).enabled, c.enabled) << c.shown << " " << c.stored;
    }
}

TEST(TrafficClassNote, LanguageRoutineSpacing)
{
    const std::u16string caption = u"Min. covering layer: ", m = u"m";
    EXPECT_EQ(CBuriedPipePageModel::CoverNote(caption, m, 0, 0.3, true), U("Min. covering layer:  0.30 m"));
    EXPECT_EQ(CBuriedPipePageModel::CoverNote(caption, m, 24, 0.3, true), U("Min. covering layer:  0.5 m"));
    EXPECT_EQ(CBuriedPipePageModel::CoverNote(caption, m, 14, 0.3, true), U(kRail));
}

// The deflection limit: filling the list keeps a stored limit at or above the
// row's allowable one; choosing a size always takes the row's.
TEST(DeflectionRule, FillAndChoice)
{
    const struct {
        const char* what;
        double storedLimit;
        bool choose;
        double limit;
        int available;
        std::vector<const char*> items;
    } cases[] = {
        {"fill raises a lower limit", 0, false, 6, 1, {"6", "7", "8"}},
        {"fill keeps a stored enlarged limit", 7, false, 7, 0, {"6"}},
        {"choice takes the row's limit", 7, true, 6, 1, {"6", "7", "8"}},
    };
    for (const auto& c : cases) {
        auto app = SmallCatalogue();
        BuriedPipeRecord& r = app->working.buriedPipe;
        r.categoryId = 3, r.typeId = 11, r.nominalSize = 600, r.outerDiameter = 680;
        r.deflectionLimit = c.storedLimit;
        CBuriedPipePageModel page(*app);
        page.FillLists();
        if (c.choose)
            page.OnSelchangeDiameter(0);
        page.ShowInputs(0);
        EXPECT_EQ(r.deflectionLimit, c.limit) << c.what;
        EXPECT_EQ(r.enlargedDeflectionAvailable, c.available) << c.what;
        std::vector<std::string> items;
        for (const ListItem& item : page.List(Id::DeflectionList).items)
            items.push_back(Utf16ToUtf8(item.text));
        EXPECT_EQ(items, std::vector<std::string>(c.items.begin(), c.items.end())) << c.what;
        EXPECT_EQ(page.Selected(Id::DeflectionList), 0) << c.what;
        EXPECT_EQ(page.State(Id::DeflectionList).enabled, c.items.size() > 1) << c.what;
        EXPECT_EQ(r.minCoverNoTraffic, 0.2);
        EXPECT_EQ(r.minCoverTraffic, 0.5);
    }
}

TEST(DeflectionRule, ChoosingAnEnlargedLimit)
{
    auto app = SmallCatalogue();
    CBuriedPipePageModel page(*app);
    Open(page);
    page.OnSelchangeDiameter(0);
    page.OnSelchangeDeflection(2);
    EXPECT_EQ(app->working.buriedPipe.deflectionLimit, 8.0);
    EXPECT_EQ(page.List(Id::DeflectionList).selected, 2);
    // A size the catalogue no longer holds: the record is kept, no result.
    const BuriedPipeRecord before = app->working.buriedPipe;
    page.List(Id::SizeList).items[0].row = 2;  // now a size of the other type
    page.OnSelchangeDiameter(0);
    EXPECT_EQ(app->working.buriedPipe.nominalSize, before.nominalSize);
    EXPECT_EQ(app->working.buriedPipe.deflectionLimit, 8.0);
    EXPECT_EQ(app->working.buriedPipe.head.resultValid, 0);
    EXPECT_EQ(Utf16ToUtf8(page.Text(Id::TotalDeflection)), "-");
}

// A type change takes the size the list then shows as a choice: the new
// pipe's limit and enlarged deflection, never the last pipe's.
TEST(DeflectionRule, TypeChangeTakesTheNewPipesLimit)
{
    const struct {
        int type;
        double limit;
        int available;
        std::size_t items;
    } cases[] = {{1, 6, 0, 1}, {0, 6, 1, 3}};
    for (const auto& c : cases) {
        auto app = SmallCatalogue();
        CBuriedPipePageModel page(*app);
        Open(page);
        page.OnSelchangeDiameter(0);        // SN4 600: 6 % allowed, 8 % enlarged
        page.OnSelchangeDeflection(2);  // 8 %
        page.OnSelchangePipeType(c.type);
        EXPECT_EQ(app->working.buriedPipe.deflectionLimit, c.limit) << c.type;
        EXPECT_EQ(app->working.buriedPipe.enlargedDeflectionAvailable, c.available) << c.type;
        EXPECT_EQ(page.List(Id::DeflectionList).items.size(), c.items) << c.type;
        EXPECT_EQ(Utf16ToUtf8(page.Text(Id::DeflectionLimit)), "6.0") << c.type;
    }
}

// The heavy-construction-traffic box: the user's own choice, except under
// traffic over a cover of 1.5 m or less, where it is forced on.
TEST(HeavyTraffic, Toggle)
{
    const struct {
        int cls;
        double invert;  // under ground 4 with the 680 mm pipe
        int clicks, userChoice, box;
    } cases[] = {{0, 2.0, 1, 1, 1}, {0, 2.0, 2, 0, 0}, {5, 1.0, 2, 0, 0},
                 {5, 1.0, 1, 1, 1}, {5, 2.5, 1, 0, 1}, {5, 2.5, 2, 0, 1}};
    for (const auto& c : cases) {
        auto app = SmallCatalogue();
        CBuriedPipePageModel page(*app);
        Open(page);
        page.OnSelchangeTraffic(c.cls);
        page.SetText(Id::InvertLevel, U(FormatC("%.2f", c.invert).c_str()));
        page.Recalculate();
        for (int i = 0; i < c.clicks; ++i) {
            page.SetChecked(Id::HeavyTraffic, !page.Checked(Id::HeavyTraffic));  // the click
            page.OnHeavyTraffic();
        }
        EXPECT_EQ(page.userHeavyTraffic, c.userChoice) << c.cls << " " << c.invert << " " << c.clicks;
        EXPECT_EQ(page.Checked(Id::HeavyTraffic), c.box) << c.cls << " " << c.invert << " " << c.clicks;
        EXPECT_EQ(app->working.buriedPipe.heavyConstructionTraffic, c.box);
    }
}

// A stored pipe's own choice of the box comes back with it, whatever was
// clicked on the pipe shown before.
TEST(HeavyTraffic, LoadedBackAsStored)
{
    auto app = SmallCatalogue();
    CBuriedPipePageModel page(*app);
    Open(page);
    for (int stored : {1, 0, 0, 1}) {
        app->working.buriedPipe.heavyConstructionTraffic = stored;
        page.LoadBack();
        EXPECT_EQ(app->working.buriedPipe.heavyConstructionTraffic, stored);
        EXPECT_EQ(page.Checked(Id::HeavyTraffic), stored);
        page.SetChecked(Id::HeavyTraffic, !stored);  // the user's click on this pipe
        page.OnHeavyTraffic();
    }
}

TEST(SoilChoice, CompactionIndexByKind)
{
    const struct {
        int kind;
        double degree, current, want;
    } cases[] = {
        {0, 0.35f, 0.9, 0.153f * static_cast<double>(0.35f) + static_cast<double>(0.795f)},
        {1, 0.50, 0.9, 0.8f},
        {1, 0.51f, 0.9, 0.75},
        {2, 0.2, 0.9, 0.75},
        {3, 0.2, 0.9, 0.9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CBuriedPipePageModel::CompactionIndexFor(c.kind, c.degree, c.current), c.want) << c.kind;
    EXPECT_NEAR(CBuriedPipePageModel::CompactionIndexFor(0, 0.35, 0), 0.84855, 1e-5);
}

// The three verdict pairs and their colours, and input the calculation
// cannot judge.
TEST(Verdict, PairsTurnRedOneByOne)
{
    constexpr RgbColor kMet = kMetBackColor, kFailed = kFailedBackColor;
    const struct {
        const char* what;
        double deflectionOver, loadOver, upliftOver;
        RgbColor text, deflection, load, anchoring;
    } cases[] = {
        {"all met", 0, -1, -1, kMetTextColor, kMet, kMet, kMet},
        {"deflection within 0.049", 0.0489, -1, -1, kMetTextColor, kMet, kMet, kMet},
        {"deflection over", 0.05, -1, -1, kFailedTextColor, kFailed, kMet, kMet},
        {"load over", 0, 0.01, -1, kFailedTextColor, kMet, kFailed, kMet},
        {"uplift over", 0, -1, 0.01, kFailedTextColor, kMet, kMet, kFailed},
    };
    for (const auto& c : cases) {
        auto app = SmallCatalogue();
        BuriedPipeRecord& r = app->working.buriedPipe;
        r.head.resultValid = 1;
        r.deflectionLimit = 6, r.totalDeflection = 6 + c.deflectionOver;
        r.admissibleLoad = 100, r.totalLoad = 100 + c.loadOver;
        r.anchoringForce = 5, r.upliftForce = 5 + c.upliftOver;
        CBuriedPipePageModel page(*app);
        page.ShowResults();
        EXPECT_EQ(page.State(Id::Conclusion).text, c.text) << c.what;
        EXPECT_EQ(page.State(Id::Reasons).text, c.text) << c.what;
        EXPECT_EQ(page.State(Id::TotalDeflection).background, c.deflection) << c.what;
        EXPECT_EQ(page.State(Id::DeflectionLimit).background, c.deflection) << c.what;
        EXPECT_EQ(page.State(Id::TotalLoad).background, c.load) << c.what;
        EXPECT_EQ(page.State(Id::AdmissibleLoad).background, c.load) << c.what;
        EXPECT_EQ(page.State(Id::UpliftForce).background, c.anchoring) << c.what;
        EXPECT_EQ(page.State(Id::AnchoringForce).background, c.anchoring) << c.what;
    }
}

TEST(Verdict, NoVerdictWithoutABoreInsideTheWall)
{
    const struct {
        const char* inner;
        const char* outer;
    } cases[] = {{"0", "500"}, {"-1", "500"}, {"500", "500"}, {"510", "500"}, {"nan", "500"}};
    for (const auto& c : cases) {
        auto app = SmallCatalogue();
        CBuriedPipePageModel page(*app);
        Open(page);
        page.SetText(Id::InnerDiameter, U(c.inner));
        page.SetText(Id::OuterDiameter, U(c.outer));
        app->working.buriedPipe.secantModulus = 3.21;
        page.SetText(Id::SecantModulus, u"9.99");  // never read: the stored Es stays shown
        page.Recalculate();
        EXPECT_EQ(Utf16ToUtf8(page.Text(Id::SecantModulus)), "3.21") << c.inner;
        EXPECT_EQ(app->working.buriedPipe.head.resultValid, 0) << c.inner;
        EXPECT_EQ(Utf8(app->working.buriedPipe.head.conclusion), "") << c.inner;
        EXPECT_EQ(Utf16ToUtf8(page.Text(Id::Conclusion)), "-") << c.inner;
        EXPECT_EQ(Utf16ToUtf8(page.Text(Id::Reasons)), "") << c.inner;
        EXPECT_EQ(page.State(Id::Conclusion).text, kBlackColor) << c.inner;
    }
}

TEST(Inputs, ReadWithTheirLimits)
{
    auto app = SmallCatalogue();
    CBuriedPipePageModel page(*app);
    Open(page);
    page.SetText(Id::UnitWeight, u"150");
    page.SetText(Id::Porosity, u"-3");
    page.SetText(Id::GroundLevel, u"5,25");
    page.SetText(Id::WaterLevel, u"1e999");
    page.SetText(Id::InvertLevel, u"-1e308");
    page.SetText(Id::Name, std::u16string(70, u'x'));
    page.ReadInputs();
    const BuriedPipeRecord& r = app->working.buriedPipe;
    EXPECT_EQ(r.unitWeight, 100.0);
    EXPECT_EQ(r.porosity, 0.0);
    EXPECT_EQ(r.groundLevel, 5.25);
    EXPECT_EQ(r.waterLevel, 0.0);
    EXPECT_EQ(r.invertLevel, -10000.0);
    EXPECT_EQ(Utf8(r.head.name), std::string(63, 'x'));
    page.SetText(Id::Porosity, u"60");
    page.SetText(Id::GroundLevel, u"-1e308");
    page.SetText(Id::WaterLevel, u"1e308");
    page.SetText(Id::InnerDiameter, u"-1e308");
    page.SetText(Id::OuterDiameter, u"1e308");
    page.ReadInputs();
    EXPECT_EQ(std::vector({r.porosity, r.groundLevel, r.waterLevel, r.innerDiameter, r.outerDiameter}),
              std::vector({50.0, -10000.0, 10000.0, 0.0, 1e9}));
    EXPECT_EQ(r.foundationLevel, r.invertLevel - (r.outerDiameter - r.innerDiameter) * static_cast<double>(0.0005f));
}

// The import from a tank selects the type of the tank's stiffness class by
// the beginning of its name, then the size by its text.
TEST(Import, FromATankOfEachStiffness)
{
    auto app = StartedApp(1);
    std::set<double> classes;
    for (int i = 0; i < RowCount(app->tables.tankTypes); ++i)
        classes.insert(app->tables.tankTypes[static_cast<std::size_t>(i)].stiffnessClass);
    ASSERT_GE(classes.size(), 3u);
    CBuriedPipePageModel page(*app);
    Open(page);
    page.OnSelchangePipeKind(2);  // the profile-wall pipes the tanks are made of
    for (double sn : classes) {
        page.ImportSize(true, sn, u"800");
        const ListItem* type = page.SelectedItem(Id::TypeList);
        ASSERT_TRUE(type);
        EXPECT_EQ(Utf16ToUtf8(type->text).rfind(FormatC("SN%.0f ", sn), 0), 0u) << Utf16ToUtf8(type->text);
        EXPECT_EQ(app->working.buriedPipe.typeId, type->id);
        EXPECT_EQ(app->working.buriedPipe.nominalSize, 800.0) << sn;
    }
    // A class no type has, and a size the type lacks: the pipe stays.
    const BuriedPipeRecord before = app->working.buriedPipe;
    page.ImportSize(true, 3, u"123");
    EXPECT_EQ(std::memcmp(&before, &app->working.buriedPipe, sizeof before), 0);
    // From a manhole: the invert is the pipe bottom plus the wall.
    page.SetText(Id::OuterDiameter, u"500.0");
    page.SetText(Id::InnerDiameter, u"460.0");
    page.ImportPipeBottomFromManhole(1.5);
    EXPECT_EQ(Utf16ToUtf8(page.Text(Id::InvertLevel)), " 1.52");
}

// A size is found by its whole text: an import of DN 60 does not take 600.
TEST(Import, TakesOnlyASizeOfTheSameText)
{
    auto app = SmallCatalogue();
    CBuriedPipePageModel page(*app);
    Open(page);
    page.OnSelchangeDiameter(1);
    const BuriedPipeRecord before = app->working.buriedPipe;
    page.ImportSize(false, 0, u"60");
    EXPECT_TRUE(SameBytes(before, app->working.buriedPipe));
    page.ImportSize(false, 0, u"600");
    EXPECT_EQ(app->working.buriedPipe.nominalSize, 600.0);
}

// A stored pipe whose size, type or category is no longer listed keeps its
// pipe, and without a result has no verdict either; its lists show no item
// for what they lack, never a neighbouring size.
TEST(Verdict, NoneForAPipeNoLongerListed)
{
    const struct { int category, type; double size; } cases[] = {
        {3, 11, 700}, {3, 11, 601}, {3, 13, 600}, {4, 11, 600}};
    for (const auto& c : cases) {
        auto app = SmallCatalogue();
        BuriedPipeRecord& r = app->working.buriedPipe;
        r.categoryId = c.category, r.typeId = c.type, r.nominalSize = c.size, r.outerDiameter = 680;
        r.innerDiameter = 600, r.head.resultValid = 1;
        for (auto* text : {&r.head.conclusion, &r.head.warning, &r.secondReason, &r.thirdReason})
            CopyBounded(*text, u"The pipe meets structural requirements.");
        CBuriedPipePageModel page(*app);
        page.LoadBack();
        EXPECT_EQ(r.nominalSize, c.size);
        EXPECT_EQ(r.head.resultValid, 0);
        EXPECT_EQ(Utf8(r.head.conclusion) + Utf8(r.head.warning) + Utf8(r.secondReason) + Utf8(r.thirdReason), "");
        EXPECT_EQ(Utf16ToUtf8(page.Text(Id::Conclusion)), "-");
        EXPECT_EQ(page.Selected(Id::SizeList), -1);
        EXPECT_EQ(page.Selected(Id::TypeList), c.category == 3 && c.type == 11 ? 0 : -1);
        EXPECT_EQ(page.Selected(Id::CategoryList), c.category == 3 ? 0 : -1);
        EXPECT_EQ(page.Text(Id::InnerDiameter) + page.Text(Id::OuterDiameter), u"600.0680.0");
    }
}

// Stored pipes that fail each check in turn come out of the test tool as the
// page gives them.
TEST(RecalcTool, BuriedPipesAsThePageRunsThem)
{
    auto app = StartedApp();
    ASSERT_GT(RowCount(app->tables.nominalSizes), 0);
    // The largest SN 2 profile pipe: met; 12 m deep (deflection and load
    // over); under water to the ground (uplift over).
    const struct {
        const char* invert;
        const char* water;
    } pipes[] = {{"2.00", "1.00"}, {"-8.00", "-9.00"}, {"2.00", "4.00"}};
    for (const auto& p : pipes) {
        app->ResetBuriedPipeRecord();
        CBuriedPipePageModel page(*app);
        Open(page);
        page.OnSelchangePipeKind(2);
        page.OnSelchangeDiameter(static_cast<int>(page.List(Id::SizeList).items.size()) - 1);
        page.SetText(Id::InvertLevel, U(p.invert));
        page.SetText(Id::WaterLevel, U(p.water));
        page.Recalculate();
        app->StoreCurrentCalc(KindBuriedPipe, -1);
    }
    auto out = RecalculatedByTool(*app);
    ASSERT_TRUE(out);

    std::set<int> failed;
    auto expected = StartedApp();
    CBuriedPipePageModel page(*expected);
    page.ApplyLanguage(LangEnglish);
    ExpectPageLoadsBackAsTool(page, expected->working.buriedPipe, app->project.buriedPipe,
                              out->project.buriedPipe, [&](std::size_t i) {
                                  ASSERT_EQ(expected->working.buriedPipe.head.resultValid, 1) << i;
                                  for (int id : {Id::TotalDeflection, Id::TotalLoad, Id::UpliftForce})
                                      if (page.State(id).background == kFailedBackColor)
                                          failed.insert(id);
                              });
    EXPECT_EQ(failed, (std::set<int>{Id::TotalDeflection, Id::TotalLoad, Id::UpliftForce}));
}
