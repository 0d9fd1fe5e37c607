// Report rows of the five kinds against their worked cases, and the
// printout's texts.
#include "core/project/CalcKinds.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

std::string Label(const CDalvorApp& app, int s, int row) { return Utf8(app.print.reportSections[s].label[row]); }
std::string Value(const CDalvorApp& app, int s, int row) { return Utf8(app.print.reportSections[s].value[row]); }

std::string Counts(const CDalvorApp& app)
{
    std::string out;
    for (const ReportSection& s : app.print.reportSections)
        out += std::to_string(s.rowCount) + (s.present == 1 ? " " : "! ");
    return out;
}

std::string Flags(const CDalvorApp& app, int s)
{
    std::string out;
    for (int i = 0; i < app.print.reportSections[s].rowCount; ++i)
        if (app.print.reportSections[s].rowFlag[i])
            out += std::to_string(i) + " ";
    return out;
}

std::u16string Repeat(char16_t c, int n) { return std::u16string(static_cast<std::size_t>(n), c); }

struct Variant {
    const char* name;
    int kind;
    std::function<void(CDalvorApp&)> set;
    const char* counts;      // rows of sections 0..9
    int flagged;             // a section whose heavy rows are checked
    const char* flags;
};

}  // namespace

TEST(ReportRows, RowCountsAndHeavyRowsPerKindAndMode)
{
    auto app = StartedCore();
    const Variant variants[] = {
        {"gravity mode 0", KindGravityFlow, [](CDalvorApp& a) { a.working.gravityFlow.mode = 0; },
         "6 19 10 5 4 0 0 0 0 0 ", 1, "2 13 "},
        {"gravity mode 2", KindGravityFlow, [](CDalvorApp& a) { a.working.gravityFlow.mode = 2; },
         "5 15 13 5 4 0 0 0 0 0 ", 1, "3 9 "},
        {"gravity mode 3 made to order", KindGravityFlow,
         [](CDalvorApp& a) { a.working.gravityFlow.mode = 3, a.working.gravityFlow.madeToOrder = 1; },
         "5 15 13 5 8 0 0 0 0 0 ", 1, "2 9 "},
        {"gravity unknown mode", KindGravityFlow, [](CDalvorApp& a) { a.working.gravityFlow.mode = 7; },
         "0 0 0 5 4 0 0 0 0 0 ", 3, "0 1 2 3 4 "},
        {"pressure mode 0", KindPressureFlow, [](CDalvorApp& a) { a.working.pressureFlow.mode = 0; },
         "5 18 9 5 3 0 0 0 4 0 ", 1, "1 2 11 15 16 "},
        {"pressure mode 1 made to order", KindPressureFlow,
         [](CDalvorApp& a) { a.working.pressureFlow.mode = 1, a.working.pressureFlow.madeToOrder = 1; },
         "4 14 12 5 3 0 0 0 8 0 ", 1, "1 7 11 12 "},
        {"pressure unknown mode", KindPressureFlow, [](CDalvorApp& a) { a.working.pressureFlow.mode = 3; },
         "0 0 0 5 3 0 0 0 4 0 ", 0, ""},
        {"buried pipe", KindBuriedPipe, [](CDalvorApp&) {}, "9 16 7 7 7 0 4 0 14 0 ", 1, "4 5 10 11 13 14 "},
        {"manhole", KindManhole, [](CDalvorApp& a) { a.working.manhole.madeToOrder = 0; },
         "5 14 5 5 7 0 0 0 0 0 ", 1, "1 2 4 "},
        {"manhole made to order", KindManhole, [](CDalvorApp& a) { a.working.manhole.madeToOrder = 1; },
         "5 14 5 5 7 0 4 0 0 0 ", 3, "0 1 2 3 4 "},
        {"tank", KindTank, [](CDalvorApp&) {}, "8 16 7 4 7 0 0 0 0 0 ", 1, "1 2 10 "},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        app->ResetAllRecords();
        v.set(*app);
        ASSERT_TRUE(app->BuildReport(v.kind));
        EXPECT_EQ(Counts(*app), v.counts);
        EXPECT_EQ(Flags(*app, v.flagged), v.flags);
    }
    EXPECT_FALSE(app->BuildReport(KindNone));
}

TEST(ReportRows, ValuesOfTheWorkedCases)
{
    auto app = StartedCore();
    struct Case {
        const char* name;
        int kind;
        std::function<void(CDalvorApp&)> set;
        int section, row;
        const char* label;
        const char* value;
    };
    const Case cases[] = {
        {"gravity flow 0.125", KindGravityFlow, [](CDalvorApp& a) { a.working.gravityFlow.mode = 0, a.working.gravityFlow.flowInput = 0.125; },
         1, 7, "Flow rate: ", "0.125 m³/s = 450 m³/h = 125 l/s"},
        {"gravity slope below 0.01", KindGravityFlow, [](CDalvorApp& a) { a.working.gravityFlow.mode = 1, a.working.gravityFlow.slope = 0.004; },
         1, 1, "Pipe bottom gradient: ", "< 0.01 ‰"},
        {"gravity slope 0.01", KindGravityFlow, [](CDalvorApp& a) { a.working.gravityFlow.mode = 1, a.working.gravityFlow.slope = 0.01; },
         1, 1, "Pipe bottom gradient: ", "0.01 ‰"},
        {"gravity sought quantity", KindGravityFlow, [](CDalvorApp& a) { a.working.gravityFlow.mode = 3; },
         0, 1, "Object of the calculations: ", "section filling rate"},
        {"pressure flow 0.05", KindPressureFlow, [](CDalvorApp& a) { a.working.pressureFlow.mode = 1, a.working.pressureFlow.flow = 0.05; },
         1, 1, "Flow rate: ", "0.050 m³/s = 180 m³/h = 50 l/s"},
        {"pressure coefficient", KindPressureFlow,
         [](CDalvorApp& a) { a.working.pressureFlow.localLossMode = 0, a.working.pressureFlow.lossCoefficient = 2.345; },
         4, 1, "Total local loss coefficient (Σζ): ", "2.35"},
        {"pressure share", KindPressureFlow,
         [](CDalvorApp& a) { a.working.pressureFlow.localLossMode = 1, a.working.pressureFlow.localLossShare = 10; },
         4, 1, "Local hydraulic loss as a part of length loss: ", "10 %"},
        {"pressure other loss mode", KindPressureFlow, [](CDalvorApp& a) { a.working.pressureFlow.localLossMode = 5; }, 4, 1, "", ""},
        {"buried traffic class 12", KindBuriedPipe, [](CDalvorApp& a) { a.working.buriedPipe.trafficClass = 12; },
         6, 1, "Traffic load type: ", nullptr},
        {"buried traffic out of range", KindBuriedPipe, [](CDalvorApp& a) { a.working.buriedPipe.trafficClass = 28; },
         6, 1, "Traffic load type: ", ""},
        {"buried not made to order", KindBuriedPipe, [](CDalvorApp& a) { a.working.buriedPipe.madeToOrder = 0; }, 8, 11, "", ""},
        {"buried made to order", KindBuriedPipe, [](CDalvorApp& a) { a.working.buriedPipe.madeToOrder = 1; },
         8, 12, "Production on demand.", ""},
        {"manhole Fk 0.001", KindManhole, [](CDalvorApp& a) { a.working.manhole.anchoringForce = 0.001; },
         1, 7, "Ballast anchoring force (Fk): ", "-"},
        {"manhole no ballast", KindManhole, [](CDalvorApp& a) { a.working.manhole.ballastHeight = 0, a.working.manhole.ballastVolume = 2; },
         1, 12, "Capacity of heavy bottom (Vb): ", "-"},
        {"manhole H+Hb", KindManhole, [](CDalvorApp& a) { a.working.manhole.height = 2.5, a.working.manhole.ballastHeight = 0; },
         1, 9, nullptr, "2.50 m"},
        {"manhole eccentric", KindManhole, [](CDalvorApp& a) { a.working.manhole.eccentric = 1, a.working.manhole.ballastHeight = 1; },
         1, 11, " ", " "},
        {"tank PD single precision", KindTank,
         [](CDalvorApp& a) { a.working.tank.foundationLevel = 1.0, a.working.tank.outerDiameter = 1010, a.working.tank.innerDiameter = 1000; },
         2, 2, "Inside bottom level (PD): ", "1.01 m"},
        {"tank Fk 0.01 shown", KindTank, [](CDalvorApp& a) { a.working.tank.anchoringForce = 0.01; },
         1, 4, "Calculated anchoring force (Fk): ", "0.01 kN"},
        {"tank Fk 0.0099 hidden", KindTank, [](CDalvorApp& a) { a.working.tank.anchoringForce = 0.0099, a.working.tank.upliftForce = 5; },
         1, 14, "Single slab weight (Gf): ", "-"},
        {"tank slab length one decimal", KindTank, [](CDalvorApp& a) { a.working.tank.anchoringForce = 3, a.working.tank.slabLength = 2.46; },
         1, 10, "Designed slab length (Lf): ", "2.5 m"},
        {"gravity no result: the flow given", KindGravityFlow,
         [](CDalvorApp& a) { a.working.gravityFlow.head.resultValid = 0; }, 1, 7, "Flow rate: ", "-"},
        {"pressure no result", KindPressureFlow,
         [](CDalvorApp& a) { a.working.pressureFlow.mode = 1, a.working.pressureFlow.head.resultValid = 0; }, 1, 1, nullptr, "-"},
        // A damaged record's value that is not finite prints "-", no unit.
        {"gravity undefined size", KindGravityFlow, [](CDalvorApp& a) { a.working.gravityFlow.nominalSize = NAN; },
         1, 1, "Nominal pipe diameter (Dn): ", "-"},
        {"gravity slope -inf", KindGravityFlow, [](CDalvorApp& a) { a.working.gravityFlow.slope = -INFINITY; },
         1, 5, "Pipe bottom gradient: ", "-"},
        {"tank no slab length suffices", KindTank,
         [](CDalvorApp& a) { a.working.tank.anchoringForce = 3, a.working.tank.minSlabLength = kNoSlabLength; },
         1, 9, "Minimum slab length (Lfmin): ", "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app->ResetAllRecords();
        ForKindRecords(c.kind, [&](const auto& k) { (app->working.*k.working).head.resultValid = 1; });
        c.set(*app);
        ASSERT_TRUE(app->BuildReport(c.kind));
        if (c.label) {
            EXPECT_EQ(Label(*app, c.section, c.row), c.label);
        }
        EXPECT_EQ(Value(*app, c.section, c.row), c.value ? c.value : Utf16ToUtf8(app->LoadLangString(20279)));
    }
}

TEST(ReportRows, LossCoefficientIsNotLabelledAsHeadLossInOurLanguages)
{
    for (int language : {LangPolish, LangRussian}) {
        auto app = StartedCore();
        app->languageOffset = language;  // the program never starts in Russian
        app->SwitchLanguage(language);
        app->BuildPressureFlowReport();  // local losses as a coefficient (no unit)
        EXPECT_NE(Label(*app, 4, 1).find("Σζ"), std::string::npos) << language;
    }
}

TEST(ReportRows, ConclusionBreaksBetweenWordsAndRowsKeepTheirBounds)
{
    auto app = StartedCore();
    const std::u16string a55 = Repeat(u'a', 55), a60 = Repeat(u'a', 60);
    const struct {
        int kind;
        std::u16string conclusion;
        int warning;
        std::u16string row1, row2;
        std::size_t row3;
    } cases[] = {
        {KindGravityFlow, Repeat(u'c', 53), 10, Repeat(u'c', 53), u"", 10},
        {KindPressureFlow, a55 + u" bbbb", 63, a55 + u" bbbb", u"", 63},
        // Cut inside a word: the break moves back to the last blank.
        {KindManhole, a55 + u" bbbbbbbbbb cc", 70, a55, u"bbbbbbbbbb cc", 63},
        {KindBuriedPipe, u"x " + a55 + u" yyyyyy", 0, u"x " + a55, u"yyyyyy", 0},
        // A blank as the 61st unit: the first row takes all 60 before it.
        {KindTank, a60 + u" z", 0, a60, u"z", 0},
        // No blank among the first 61: cut at 60, the second row bounded by 63.
        {KindTank, a60 + u"a b", 0, a60, u"a b", 0},
        {KindTank, Repeat(u'c', 127), 127, Repeat(u'c', 60), Repeat(u'c', 63), 127},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.conclusion));
        app->ResetAllRecords();
        ForKindRecords(c.kind, [&](const auto& kind) {
            CopyBounded((app->working.*kind.working).head.conclusion, c.conclusion);
            CopyBounded((app->working.*kind.working).head.warning, Repeat(u'w', c.warning));
        });
        app->BuildReport(c.kind);
        EXPECT_EQ(Label(*app, 3, 1), Utf16ToUtf8(c.row1));
        EXPECT_EQ(Label(*app, 3, 2), Utf16ToUtf8(c.row2));
        EXPECT_EQ(Label(*app, 3, 3).size(), c.row3);
    }
}

TEST(ReportRows, CategoryAndTypeLookupsAndSubtitles)
{
    auto app = StartedCore();
    ASSERT_GE(app->tables.pipeCategories.size(), 2u);
    app->ResetAllRecords();
    app->tables.pipeCategories[1].id = app->tables.pipeCategories[0].id;  // two rows with one id: the last wins
    const std::string category = Utf8(app->tables.pipeCategories[1].name), type = Utf8(app->tables.pipeTypes[1].name);
    std::tm t{};
    t.tm_year = 126, t.tm_mon = 0, t.tm_mday = 5, t.tm_hour = 21, t.tm_min = 7, t.tm_sec = 3;
    // A category or type the catalogue does not list is named nowhere: not
    // in its row, nor in the subtitle.
    const struct { int kind, section, row, categoryId, typeId; std::string category, type, subtitle; } cases[] = {
        {KindGravityFlow, 2, 1, app->tables.pipeCategories[0].id, -1, category, "", category},
        {KindPressureFlow, 2, 1, 99, app->tables.pipeTypes[1].id, "", type, type},
        {KindBuriedPipe, 0, 1, app->tables.pipeCategories[0].id, 99, category, "", category},
        {KindBuriedPipe, 0, 1, 99, 99, "", "", ""},
        {KindGravityFlow, 2, 1, app->tables.pipeCategories[0].id, app->tables.pipeTypes[1].id, category, type,
         category + " " + type},
    };
    for (const auto& c : cases) {
        ForKindRecords(c.kind, [&](const auto& kind) {
            auto& r = app->working.*kind.working;
            if constexpr (requires { r.typeId = r.categoryId; })
                r.categoryId = c.categoryId, r.typeId = c.typeId;
        });
        app->BuildReport(c.kind);
        EXPECT_EQ(Value(*app, c.section, c.row), c.category) << c.kind;
        EXPECT_EQ(Value(*app, c.section, c.row + 1), c.type) << c.kind;
        EXPECT_EQ(Utf16ToUtf8(app->MakeReportTexts(c.kind, t).subtitle), c.subtitle) << c.kind;
    }
    ReportPageTexts g = app->MakeReportTexts(KindGravityFlow, t);
    EXPECT_EQ(Utf16ToUtf8(g.dateLine), "Date:  05/01/26 21:07:03");
    EXPECT_EQ(Utf16ToUtf8(g.noticeLine), "Notice:  -");
    EXPECT_EQ(Utf16ToUtf8(g.printTitle), "(Title #1)");
    EXPECT_EQ(Utf16ToUtf8(g.programLine), "\r\n\r\nProgram Quorlin v.5.0");
    EXPECT_TRUE(g.extraLine.empty());
    EXPECT_EQ(Utf16ToUtf8(app->MakeReportTexts(KindTank, t).programLine), "\r\nProgram Quorlin v.5.0");
    EXPECT_FALSE(app->MakeReportTexts(KindBuriedPipe, t).extraLine.empty());

    app->working.manhole.typeIndex = 0;
    app->working.manhole.eccentric = 1;
    app->working.manhole.reinforcedVersion = 1;
    EXPECT_EQ(Utf16ToUtf8(app->MakeReportTexts(KindManhole, t).subtitle),
              Utf8(app->tables.manholeTypes[0].name) + " - eccentric manhole, strengthened release/welded joints");
    app->working.manhole.eccentric = 0;
    EXPECT_EQ(Utf16ToUtf8(app->MakeReportTexts(KindManhole, t).subtitle),
              Utf8(app->tables.manholeTypes[0].name) + " - bottom or sand trap manhole");
    app->working.tank.tankTypeIndex = 100000;  // outside the table: no name, no crash
    EXPECT_EQ(Utf16ToUtf8(app->MakeReportTexts(KindTank, t).subtitle), "");
    app->tables.pipeCategories.clear();
    app->BuildPressureFlowReport();
    EXPECT_EQ(Value(*app, 2, 1), "");
}

namespace {

// A whole report as text, one row a line: the section, '*' for a heavy row
// (else a blank), the label, '|', the value.
std::string WholeReport(const CDalvorApp& app)
{
    std::string out;
    for (int s = 0; s < 10; ++s)
        for (int i = 0; i < app.print.reportSections[s].rowCount; ++i)
            out += std::to_string(s) + (app.print.reportSections[s].rowFlag[i] ? "*" : " ") + Label(app, s, i) + "|" +
                   Value(app, s, i) + "\n";
    return out;
}

// An expected report: {k} stands for the text of key k, '·' for a blank and
// '_46' for the line of 46 underscores; the leading line break is dropped.
std::string Expand(const CDalvorApp& app, std::string text)
{
    text.erase(0, 1);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{') {
            const std::size_t end = text.find('}', i);
            out += Utf16ToUtf8(app.LoadLangString(std::stoi(text.substr(i + 1, end - i - 1))));
            i = end;
        } else if (text.compare(i, 2, "·") == 0) {
            out += ' ';
            ++i;
        } else if (text.compare(i, 3, "_46") == 0) {
            out += std::string(46, '_');
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

template <typename Entry>
Entry Named(int id, const char16_t* name)
{
    Entry e{};
    if constexpr (requires { e.id; })
        e.id = id;
    CopyBounded(e.name, name);
    return e;
}

void WorkedGravity(CDalvorApp& a, int mode)
{
    GravityFlowRecord& r = a.working.gravityFlow;
    r.mode = mode, r.categoryId = 5, r.typeId = 7, r.nominalSize = 200, r.innerDiameter = 176.6, r.outerDiameter = 200;
    r.slopeInput = 4.567, r.fillingInput = 0.456, r.flowInput = 0.125, r.roughness = 0.4, r.length = 123.456;
    r.startLevel = 10.5, r.endLevel = 9.8765, r.localLossShare = 15, r.density = 999.7, r.viscosity = 1.31e-6;
    r.slope = mode == 1 ? 0.004 : 4.5, r.filling = 0.623, r.flow = 0.0456, r.velocity = 1.234, r.reynolds = 123456;
    r.frictionFactor = 0.0234, r.frictionLossHead = 0.34, r.localLossHead = 0.12, r.madeToOrder = mode == 3;
    CopyBounded(r.head.conclusion, u"Calculated pipe diameter.");
    CopyBounded(r.head.warning, u"Check the slope.");
}

void WorkedPressure(CDalvorApp& a, int mode)
{
    PressureFlowRecord& r = a.working.pressureFlow;
    r.mode = mode, r.categoryId = 5, r.typeId = 7, r.nominalSize = 110, r.innerDiameter = 96.8, r.outerDiameter = 110;
    r.flowInput = 0.05, r.velocityInput = 1.5, r.headLossInput = 2.3456, r.roughness = 0.01, r.length = 250;
    r.startLevel = 12.3, r.endLevel = 8.76, r.localLossMode = mode == 1, r.lossCoefficient = 1.25;
    r.localLossShare = 10, r.density = 1000, r.viscosity = 1.01e-6, r.madeToOrder = mode == 1;
    r.flow = 0.0123, r.velocity = 1.67, r.reynolds = 160000, r.frictionFactor = 0.0189, r.headLoss = 3.21;
    r.frictionLossHead = 2.9, r.localLossHead = 0.31, r.energyGradient = 12.84, r.energyHeadDifference = 0.75;
    CopyBounded(r.head.conclusion, u"Calculated flow rate.");
}

const char kGravityBrief[] = R"(
0 {20156}|)";
const char kGravityData[] = R"(
2 {20154}|
2 {20169}|Cat five
2 {20170}|Type seven)";
const char kGravityDataRest[] = R"(
2 {20171}|0.400 mm
2 ·|
2 {20172}|123.46 m
2 {20173}|10.50 m
2 ·|
2 {20174}|15 %
2 ·|
3*{20162}|
3*Calculated pipe diameter.|
3*|
3*Check the slope.|
3*·|
4 {20155}|
4 {20178}|999.7 kg/m³
4 {20179}|1.310e-06 m²/s
4 ·|)";
const char kSizeRows[] = R"(
2 {20175}|200 mm
2 {20176}|176.6 mm
2 {20177}|11.7 mm)";
const char kGravityLosses[] = R"(
1 {20183}|1.23 m/s
1 ·|
1 {20184}|1.235e+05··
1 {20185}|2.340e-02··
1 ·|
1*{20186}|0.46 m
1 {20187}|0.34 m
1 {20188}|0.12 m
1 ·|
1 {20189}|9.88 m
1 ·|)";

const char kPressureData[] = R"(
2 {20192}|
2 {20211}|Cat five
2 {20212}|Type seven)";
const char kPressureDataRest[] = R"(
2 {20213}|0.010 mm
2 ·|
2 {20214}|250.00 m
2 {20215}|12.30 m
2 {20216}|8.76 m
2 ·|
3*{20203}|
3*Calculated flow rate.|
3*|
3*|
3*·|)";
const char kPressureResults[] = R"(
1 {20225}|1.67 m/s
1 ·|
1 {20226}|1.600e+05··
1 {20227}|1.890e-02··
1 ·|
1*{20228}|3.21 m
1 {20229}|2.90 m
1 {20230}|0.31 m
1 ·|
1*{20231}|12.84 ‰
1*{20232}|0.75 m
1 ·|)";
const char kPressureFluid[] = R"(
8 {20193}|
8 {20222}|1000.0 kg/m³
8 {20223}|1.010e-06 m²/s
8 ·|)";
const char kMadeToOrder[] = R"(
8 ·|
8 _46|
8 {20295}|
8 {20296}|)";

// Rows as they print with no result: every value "-", blank rows as they are.
std::string Dashed(const std::string& rows)
{
    std::string out;
    std::size_t start = 0;
    for (std::size_t end; start < rows.size(); start = end) {
        end = rows.find('\n', start + 1);
        std::string line = rows.substr(start, end - start);
        const std::size_t bar = line.find('|');
        if (bar + 1 < line.size() && line.compare(bar + 1, std::string::npos, "·") != 0)
            line.replace(bar + 1, std::string::npos, "-");
        out += line;
    }
    return out;
}

void WorkedBuriedPipe(CDalvorApp& a)
{
    BuriedPipeRecord& r = a.working.buriedPipe;
    r.categoryId = 5, r.typeId = 7, r.nominalSize = 400, r.innerDiameter = 363.2, r.outerDiameter = 400;
    r.ringStiffness = 8, r.groundLevel = 5.25, r.invertLevel = 2.1, r.cover = 2.75, r.foundationLevel = 1.9;
    r.waterLevel = 3.3, r.compactionIndex = 0.97, r.unitWeight = 18.5, r.porosity = 30;
    r.secantModulus = 4.123, r.trafficClass = 3, r.roadSurface = 1, r.multiPipeTrench = 0;
    r.heavyConstructionTraffic = 1, r.heavyCompaction = 0, r.permanentSupervision = 1;
    r.workmanshipQuality = 1, r.installationFactor = 1.3, r.beddingFactor = 2, r.madeToOrder = 1;
    r.soilLoad = 45.678, r.trafficLoad = 12.3, r.totalLoad = 57.98, r.admissibleLoad = 80;
    r.loadDeflection = 2.34, r.totalDeflection = 5.64, r.deflectionLimit = 6, r.upliftForce = 1.234;
    r.anchoringForce = 0;
    CopyBounded(r.soilName, u"Gravel");
    CopyBounded(r.head.conclusion, u"The pipe does not meet structural requirements:");
    CopyBounded(r.head.warning, u"- first");
    CopyBounded(r.secondReason, u"- second");
    CopyBounded(r.thirdReason, u"- third");
}

void WorkedManhole(CDalvorApp& a)
{
    ManholeRecord& r = a.working.manhole;
    r.typeIndex = 1, r.nominalDiameter = 1.0, r.pipeDiameter = 0.16, r.groundLevel = 6.5;
    r.pipeBottomLevel = 3.25, r.waterLevel = 5.1, r.unitWeight = 17.5, r.porosity = 35, r.frictionAngle = 32;
    r.cohesion = 1.5, r.height = 3.25, r.deadWeight = 23.456, r.frictionForce = 12.34, r.upliftForce = 40.2;
    r.anchoringForce = 4.4, r.ballastHeight = 0.3, r.ballastVolume = 0.236, r.eccentric = 0, r.madeToOrder = 1;
    CopyBounded(r.soilName, u"Sand");
    CopyBounded(r.head.conclusion, u"Ballast needed.");
}

void WorkedTank(CDalvorApp& a)
{
    TankRecord& r = a.working.tank;
    r.tankTypeIndex = 0, r.capacity = 5, r.innerDiameter = 1200, r.outerDiameter = 1332, r.length = 4.62;
    r.ownWeight = 4.77, r.groundLevel = 4, r.foundationLevel = -0.07, r.coverDepth = 2.73, r.waterLevel = 2;
    r.unitWeight = 17.5, r.porosity = 15, r.frictionAngle = 30, r.cohesion = 0, r.upliftForce = 64.39;
    r.soilWeight = 264.02, r.anchoringForce = 12.5, r.anchorCount = 4, r.tieForce = 3.456, r.tieAngle = 45;
    r.minSlabLength = 2.34, r.slabLength = 2.5, r.slabWidth = 0.6, r.slabHeight = 0.3, r.slabWeight = 4.6;
    CopyBounded(r.soilName, u"Medium sand");
    CopyBounded(r.head.conclusion, u"Anchors are needed.");
}

const char kBuriedHead[] = R"(
0 {20102}|
0 {20115}|Cat five
0 {20116}|Type seven
0 {20117}|400 mm
0 {20118}|363.2 mm
0 {20119}|400.0 mm
0 {20120}|18.4 mm
0 {20121}|8.00 kN/m²
0 ·|)";
const char kBuriedResults[] = R"(
1 {20111}|
1 {20142}|45.68 kPa
1 {20143}|12.30 kPa
1 ·|
1*{20144}|57.98 kPa
1*{20145}|80.00 kPa
1 ·|
1 {20146}|2.3 %
1 {20147}|3.3 %
1 ·|
1*{20148}|5.6 %
1*{20149}|6.0 %
1 ·|
1*{20150}|1.23 kN/m
1*{20151}|0.00 kN/m
1 ·|)";
const char kBuriedRest[] = R"(
2 {20103}|
2 {20122}|5.25 m
2 {20123}|2.10 m
2 {20124}|2.75 m
2 {20125}|1.90 m
2 {20126}|3.30 m
2 ·|
3*{20112}|
3*The pipe does not meet structural requirements:|
3*|
3*- first|
3*- second|
3*- third|
3*·|
4 {20104}|
4 {20127}|Gravel
4 {20128}|0.97··
4 {20129}|18.50 kN/m³
4 {20130}|30 %
4 {20131}|4.12 MPa
4 ·|
6 {20105}|
6 {20132}|{20003}
6 {20133}|{20109}
6 ·|
8 {20106}|
8 {20134}|{20110}
8 {20135}|{20109}
8 {20136}|
8 {20137}|{20110}
8 {20138}|{20109}
8 {20139}|{20108}
8 {20140}|1.3 %
8 {20141}|2.0 %
8 ·|)";
const char kManholeHead[] = R"(
0 {20074}|
0 {20081}|DN 1000 concentric
0 {20082}|1000 mm
0 {20083}|160 mm
0 ·|)";
const char kManholeResults[] = R"(
1 {20077}|
1*{20092}|3.25 m
1*{20093}|23.46 kN
1 ·|
1*{20094}|12.34 kN
1 {20095}|40.20 kN
1 ·|
1 {20096}|4.40 kN
1 ·|
1 {20097}|3.55 m
1 ·|
1 {20098}|0.30 m
1 {20099}|0.24 m³
1 ·|)";
const char kManholeRest[] = R"(
2 {20075}|
2 {20084}|6.50 m
2 {20085}|3.25 m
2 {20086}|5.10 m
2 ·|
3*{20078}|
3*Ballast needed.|
3*|
3*|
3*·|
4 {20076}|
4 {20087}|Sand
4 {20088}|17.50 kN/m³
4 {20089}|35 %
4 {20090}|32 °
4 {20091}|1.50 kPa
4 ·|
6 ·|
6 _46|
6 {20295}|
6 {20296}|)";
const char kTankHead[] = R"(
0 {20037}|
0 {20045}|Tank DN 1200 SN 4
0 {20046}|5.00 m³
0 {20047}|1200 mm
0 {20048}|1332 mm
0 {20049}|4.62 m
0 {20050}|4.77 kN
0 ·|)";
const char kTankResults[] = R"(
1 {20041}|
1*{20061}|64.39 kN
1*{20062}|264.02 kN
1 ·|
1 {20063}|12.50 kN
1 {20064}|4 pcs
1 {20065}|3.46 kN
1 {20066}|45 °
1 ·|
1 {20067}|2.3 m
1*{20068}|2.5 m
1 ·|)";
const char kTankSlabSize[] = R"(
1 {20069}|0.60 m
1 {20070}|0.30 m)";
const char kTankSlabWeight[] = R"(
1 {20071}|5 kN
1 ·|)";
const char kTankRest[] = R"(
2 {20038}|
2 {20051}|4.00 m
2 {20052}|0.00 m
2 {20053}|2.73 m
2 {20054}|-0.07 m
2 {20055}|2.00 m
2 ·|
3*{20042}|
3*Anchors are needed.|
3*|
3*|
4 {20039}|
4 {20056}|Medium sand
4 {20057}|17.50 kN/m³
4 {20058}|15 %
4 {20059}|30 °
4 {20060}|0.00 kPa
4 ·|)";

}  // namespace

// Every label, value and heavy flag of every section, per kind and mode, for
// records whose values are chosen so that each format, unit and operand shows.
TEST(ReportRows, WholeReportsOfEachKindAndMode)
{
    auto app = StartedCore();
    app->tables.pipeCategories = {Named<PipeCategoryEntry>(1, u"Cat one"), Named<PipeCategoryEntry>(5, u"Cat five")};
    app->tables.pipeTypes = {Named<PipeTypeEntry>(3, u"Type three"), Named<PipeTypeEntry>(7, u"Type seven")};
    app->tables.tankTypes = {Named<TankTypeEntry>(0, u"Tank DN 1200 SN 4")};
    app->tables.manholeTypes = {Named<ManholeTypeEntry>(0, u"DN 800"), Named<ManholeTypeEntry>(0, u"DN 1000 concentric")};
    const std::string flowInput = "0.125 m³/s = 450 m³/h = 125 l/s", pressureFlowInput = "0.050 m³/s = 180 m³/h = 50 l/s";
    const std::string gravityData = std::string(kGravityData), sizes = std::string(kSizeRows);
    const auto g1 = [&](const std::string& s) { return std::string("\n1 {20161}|") + s; };
    const std::string gravity0Head = kGravityBrief + std::string("\n0*{20165}|{20157}\n0 {20166}|4.57 ‰\n0 {20167}|0.46··\n0 {20168}|") + flowInput + "\n0 ·|";
    const std::string gravity0Sizes = "\n1 {20175}|200 mm\n1*{20176}|176.6 mm\n1 {20177}|11.7 mm\n1 ·|";
    const std::string gravity0Results = "\n1 {20180}|4.50 ‰\n1 {20181}|0.62··\n1 {20182}|" + flowInput;
    const std::string pressure0Head = "\n0 {20198}|\n0*{20206}|{20199}\n0 {20207}|" + pressureFlowInput +
                                      "\n0 {20208}|1.50 m/s\n0 ·|\n1 {20202}|\n1*{20217}|110 mm\n1*{20218}|96.8 mm\n1 {20219}|6.6 mm\n1 ·|";
    const std::string pressure0Results = "\n1 {20224}|0.012 m³/s = 44 m³/h = 12 l/s" + std::string(kPressureResults);
    const std::string pressure0Rest = kPressureData + std::string(kPressureDataRest) + "\n4 {20194}|\n4 {20220}|1.25\n4 ·|" + kPressureFluid;
    const struct {
        const char* name;
        int kind;
        std::function<void(CDalvorApp&)> set;
        std::string expected;
    } cases[] = {
        {"gravity, pipe diameter", KindGravityFlow, [](CDalvorApp& a) { WorkedGravity(a, 0); },
         gravity0Head + g1(gravity0Sizes + gravity0Results) + kGravityLosses + gravityData + kGravityDataRest},
        {"gravity, pipe diameter, no result", KindGravityFlow,
         [](CDalvorApp& a) { WorkedGravity(a, 0), a.working.gravityFlow.head.resultValid = 0; },
         gravity0Head + g1(gravity0Sizes + Dashed(gravity0Results)) + Dashed(kGravityLosses) + gravityData +
             kGravityDataRest},
        {"gravity, slope", KindGravityFlow, [](CDalvorApp& a) { WorkedGravity(a, 1); },
         kGravityBrief + std::string("\n0*{20165}|{20158}\n0 {20167}|0.46··\n0 {20168}|") + flowInput + "\n0 ·|" +
             g1("\n1 {20180}|< 0.01 ‰\n1 {20181}|0.62··\n1 {20182}|" + flowInput) + kGravityLosses + gravityData +
             sizes + kGravityDataRest},
        {"gravity, flow", KindGravityFlow, [](CDalvorApp& a) { WorkedGravity(a, 2); },
         kGravityBrief + std::string("\n0*{20165}|{20159}\n0 {20166}|4.57 ‰\n0 {20167}|0.46··\n0 ·|") +
             g1("\n1 {20180}|4.50 ‰\n1 {20181}|0.62··\n1*{20182}|0.046 m³/s = 164 m³/h = 46 l/s") + kGravityLosses +
             gravityData + sizes + kGravityDataRest},
        {"gravity, filling, made to order", KindGravityFlow, [](CDalvorApp& a) { WorkedGravity(a, 3); },
         kGravityBrief + std::string("\n0*{20165}|{20160}\n0 {20166}|4.57 ‰\n0 {20168}|") + flowInput + "\n0 ·|" +
             g1("\n1 {20180}|4.50 ‰\n1*{20181}|0.62··\n1 {20182}|" + flowInput) + kGravityLosses + gravityData +
             sizes + kGravityDataRest + "\n4 ·|\n4 _46|\n4 {20295}|\n4 {20296}|"},

        {"pressure, pipe diameter", KindPressureFlow, [](CDalvorApp& a) { WorkedPressure(a, 0); },
         pressure0Head + pressure0Results + pressure0Rest},
        {"pressure, pipe diameter, no result", KindPressureFlow,
         [](CDalvorApp& a) { WorkedPressure(a, 0), a.working.pressureFlow.head.resultValid = 0; },
         pressure0Head + Dashed(pressure0Results) + pressure0Rest},
        {"pressure, losses, share, made to order", KindPressureFlow, [](CDalvorApp& a) { WorkedPressure(a, 1); },
         "\n0 {20198}|\n0*{20206}|{20200}\n0 {20210}|" + pressureFlowInput + "\n0 ·|" +
             "\n1 {20202}|\n1*{20224}|0.012 m³/s = 44 m³/h = 12 l/s" + kPressureResults + kPressureData +
             "\n2 {20217}|110 mm\n2 {20218}|96.8 mm\n2 {20219}|6.6 mm" + kPressureDataRest +
             "\n4 {20194}|\n4 {20221}|10 %\n4 ·|" + kPressureFluid + kMadeToOrder},
        {"pressure, flow", KindPressureFlow, [](CDalvorApp& a) { WorkedPressure(a, 2); },
         "\n0 {20198}|\n0*{20206}|{20201}\n0 {20209}|2.35 m\n0 ·|" +
             std::string("\n1 {20202}|\n1*{20224}|0.012 m³/s = 44 m³/h = 12 l/s") + kPressureResults +
             kPressureData + "\n2 {20217}|110 mm\n2 {20218}|96.8 mm\n2 {20219}|6.6 mm" + kPressureDataRest +
             "\n4 {20194}|\n4 {20220}|1.25\n4 ·|" + kPressureFluid},

        {"buried pipe, made to order", KindBuriedPipe, WorkedBuriedPipe,
         kBuriedHead + std::string(kBuriedResults) + kBuriedRest + kMadeToOrder},
        {"buried pipe, no result", KindBuriedPipe, [](CDalvorApp& a) { WorkedBuriedPipe(a), a.working.buriedPipe.head.resultValid = 0; },
         kBuriedHead + Dashed(kBuriedResults) + kBuriedRest + kMadeToOrder},

        {"manhole, ballast, made to order", KindManhole, WorkedManhole,
         kManholeHead + std::string(kManholeResults) + kManholeRest},
        {"manhole, ballast, no result", KindManhole, [](CDalvorApp& a) { WorkedManhole(a), a.working.manhole.head.resultValid = 0; },
         kManholeHead + Dashed(kManholeResults) + kManholeRest},
        // No result: "-" for each calculated value, the blank rows as they are.
        {"manhole, eccentric, no result", KindManhole,
         [](CDalvorApp& a) {
             ManholeRecord& r = a.working.manhole;
             r.head.resultValid = 0;
             r.typeIndex = 0, r.nominalDiameter = 0.8, r.pipeDiameter = 0.2, r.groundLevel = 6.5;
             r.pipeBottomLevel = 3.25, r.waterLevel = 2.0, r.unitWeight = 17.5, r.porosity = 35, r.frictionAngle = 32;
             r.cohesion = 0, r.height = 3.25, r.deadWeight = 23.456, r.frictionForce = 12.34, r.upliftForce = 0;
             r.anchoringForce = 0.001, r.ballastHeight = 0, r.ballastVolume = 0, r.eccentric = 1, r.madeToOrder = 0;
             CopyBounded(r.soilName, u"Sand");
         },
         R"(
0 {20074}|
0 {20081}|DN 800
0 {20082}|800 mm
0 {20083}|200 mm
0 ·|
1 {20077}|
1*{20092}|-
1*{20093}|-
1 ·|
1*{20094}|-
1 {20095}|-
1 ·|
1 {20096}|-
1 ·|
1 {20097}|-
1 ·|
1 ·|·
1 ·|·
1 ·|
2 {20075}|
2 {20084}|6.50 m
2 {20085}|3.25 m
2 {20086}|2.00 m
2 ·|
3*{20078}|
3*|
3*|
3*|
3*·|
4 {20076}|
4 {20087}|Sand
4 {20088}|17.50 kN/m³
4 {20089}|35 %
4 {20090}|32 °
4 {20091}|0.00 kPa
4 ·|)"},

        {"tank, anchored", KindTank, WorkedTank,
         kTankHead + std::string(kTankResults) + kTankSlabSize + kTankSlabWeight + kTankRest},
        // The slabs' width and height are the user's, shown as the page shows them.
        {"tank, anchored, no result", KindTank, [](CDalvorApp& a) { WorkedTank(a), a.working.tank.head.resultValid = 0; },
         kTankHead + Dashed(kTankResults) + kTankSlabSize + Dashed(kTankSlabWeight) + kTankRest},
        {"tank, no anchoring", KindTank,
         [](CDalvorApp& a) {
             TankRecord& r = a.working.tank;
             r.tankTypeIndex = 3, r.capacity = 5, r.innerDiameter = 1200, r.outerDiameter = 1210, r.length = 4.62;
             r.ownWeight = 4.77, r.groundLevel = 4, r.foundationLevel = 1, r.coverDepth = 2.73, r.waterLevel = 2;
             r.unitWeight = 17.5, r.porosity = 15, r.frictionAngle = 30, r.cohesion = 0, r.upliftForce = 64.39;
             r.soilWeight = 264.02, r.anchoringForce = 0.0099, r.anchorCount = 4, r.tieForce = 3.456, r.tieAngle = 45;
             r.minSlabLength = 2.34, r.slabLength = 2.5, r.slabWidth = 0.6, r.slabHeight = 0.3, r.slabWeight = 4.6;
             CopyBounded(r.soilName, u"Medium sand");
         },
         R"(
0 {20037}|
0 {20045}|
0 {20046}|5.00 m³
0 {20047}|1200 mm
0 {20048}|1210 mm
0 {20049}|4.62 m
0 {20050}|4.77 kN
0 ·|
1 {20041}|
1*{20061}|64.39 kN
1*{20062}|264.02 kN
1 ·|
1 {20063}|-
1 {20064}|-
1 {20065}|-
1 {20066}|-
1 ·|
1 {20067}|-
1*{20068}|-
1 ·|
1 {20069}|-
1 {20070}|-
1 {20071}|-
1 ·|
2 {20038}|
2 {20051}|4.00 m
2 {20052}|1.01 m
2 {20053}|2.73 m
2 {20054}|1.00 m
2 {20055}|2.00 m
2 ·|
3*{20042}|
3*|
3*|
3*|
4 {20039}|
4 {20056}|Medium sand
4 {20057}|17.50 kN/m³
4 {20058}|15 %
4 {20059}|30 °
4 {20060}|0.00 kPa
4 ·|)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        app->ResetAllRecords();
        ForKindRecords(c.kind, [&](const auto& k) { (app->working.*k.working).head.resultValid = 1; });
        c.set(*app);
        ASSERT_TRUE(app->BuildReport(c.kind));
        EXPECT_EQ(WholeReport(*app), Expand(*app, c.expected) + "\n");
    }
    // A damaged record whose every byte is 0xFF, each number NaN, prints no "nan".
    for (int kind = KindTank; kind <= KindPressureFlow; ++kind) {
        ForKindRecords(kind, [&](const auto& k) { std::memset(&(app->working.*k.working), 0xFF, sizeof(app->working.*k.working)); });
        app->working.gravityFlow.mode = app->working.pressureFlow.mode = 0;
        ASSERT_TRUE(app->BuildReport(kind));
        EXPECT_EQ(WholeReport(*app).find("nan"), std::string::npos) << kind;
    }
}
