// The project manager's columns and cells, and the clipboard text built from them.
#include "ClipboardText.h"
#include "DalvorApp.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <memory>
#include <string>

namespace {

struct ClipboardTest : ::testing::Test {
    std::unique_ptr<CDalvorApp> app = std::make_unique<CDalvorApp>();

    void SetUp() override
    {
        app->languageOffset = LangEnglish;
        AddCategory(1, u"PVC-U");
        AddCategory(2, u"PE.HD");
        AddCategory(5, u"Steel");
        AddType(10, 1, u"SN8");
        AddType(11, 1, u"SN4");
        AddType(10, 2, u"Dup");  // a second row with id 10: the last one names the type
    }

    void AddCategory(int id, std::u16string_view name)
    {
        PipeCategoryEntry e{};
        e.id = id;
        CopyBounded(e.name, name);
        app->pipeCategories.push_back(e);
        app->pipeCategoryCount = static_cast<int>(app->pipeCategories.size());
    }
    void AddType(int id, int category, std::u16string_view name)
    {
        PipeTypeEntry e{};
        e.id = id;
        e.categoryId = category;
        CopyBounded(e.name, name);
        app->pipeTypes.push_back(e);
        app->pipeTypeCount = static_cast<int>(app->pipeTypes.size());
    }
    template <typename R>
    void Store(std::vector<R>& records, int arrayIndex, const R& r)
    {
        records.push_back(r);
        app->storedCount[arrayIndex] = static_cast<int>(records.size());
    }

    // A text of the English table.
    std::u16string T(int key) const { return app->LoadLangString(key); }
};

std::u16string Commas(std::u16string s)
{
    std::replace(s.begin(), s.end(), u'.', u',');
    return s;
}

std::u16string Join(const std::vector<std::u16string>& cells)
{
    std::u16string s;
    for (std::size_t i = 0; i < cells.size(); ++i)
        s += cells[i] + (i + 1 == cells.size() ? u"\n" : u"\t");
    return s;
}

std::vector<std::u16string> Lines(const std::u16string& text)
{
    std::vector<std::u16string> lines;
    std::size_t b = 0;
    for (std::size_t e; (e = text.find(u'\n', b)) != std::u16string::npos; b = e + 1)
        lines.push_back(text.substr(b, e - b));
    return lines;
}

std::size_t Cells(const std::u16string& line)
{
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), u'\t')) + 1;
}

std::u16string Repeat(char16_t c, std::size_t n)
{
    return std::u16string(n, c);
}

}  // namespace

TEST_F(ClipboardTest, GravityHeaderReadsAsQuotedInEnglish)
{
    const std::u16string text = BuildClipboardText(*app, KindGravityFlow);
    EXPECT_EQ(text,
              u"#\tID\tPipe category:\tPipe type:\tDn [mm]\tObject of the calculations:\tI [\u2030]\tL [m]\t"
              u"Hp [m]\tHk [m]\tQ [m\u00B3/s]\tv [m/s]\thstr [m]\th/D [-]\t\u03BA [%]\tConclusion:\n");
    // The list heads column 13 "h/d".
    EXPECT_EQ(ProjectColumns(*app, KindGravityFlow, ListingTarget::List)[13].heading, u"h/d [-]");
}

TEST_F(ClipboardTest, EmptyKindsGiveTheHeaderAloneAndNoKindGivesNothing)
{
    const int counts[] = {16, 15, 14, 13, 12};
    const int kinds[] = {KindGravityFlow, KindBuriedPipe, KindPressureFlow, KindTank, KindManhole};
    for (int k = 0; k < 5; ++k) {
        const std::u16string text = BuildClipboardText(*app, kinds[k]);
        const auto lines = Lines(text);
        ASSERT_EQ(lines.size(), 1u) << kinds[k];
        EXPECT_EQ(Cells(lines[0]), static_cast<std::size_t>(counts[k])) << kinds[k];
        EXPECT_EQ(text.back(), u'\n');
        EXPECT_EQ(text.find(u'\r'), std::u16string::npos);
    }
    EXPECT_TRUE(BuildClipboardText(*app, KindNone).empty());
    EXPECT_TRUE(BuildClipboardText(*app, 6).empty());
    EXPECT_TRUE(ProjectColumns(*app, 0, ListingTarget::List).empty());
}

TEST_F(ClipboardTest, GravityFlowProject)
{
    GravityFlowRecord a{};
    CopyBounded(a.head.name, u"GP.1");
    a.categoryId = 2;
    a.typeId = 10;
    a.nominalSize = 200;
    a.mode = 0;
    a.slope = 5.0;
    a.length = 100;
    a.startLevel = 10;
    a.endLevel = 9.5;
    a.flow = 0.0249;
    a.velocity = 0.854;
    a.frictionLossHead = 0.3;
    a.localLossHead = 0.2;
    a.filling = 0.45;
    a.localLossShare = 0;
    CopyBounded(a.head.conclusion, u"Calculated pipe diameter.");
    Store(app->storedRecords.gravityFlow, ArrayGravityFlow, a);

    GravityFlowRecord b{};
    CopyBounded(b.head.name, u"%d%s");
    b.categoryId = -1;  // no category chosen
    b.typeId = 99;      // no such type
    b.mode = 7;         // no such mode
    b.nominalSize = 312.5;
    b.startLevel = -1.5;
    b.flow = 0.125;     // the third decimal is lost (an exact half rounds to even)
    b.slope = 2.675;
    const std::u16string conclusion = Repeat(u'x', 128);
    CopyBounded(b.head.conclusion, conclusion, 128);
    Store(app->storedRecords.gravityFlow, ArrayGravityFlow, b);

    const std::u16string header = Commas(Join({u"#", u"ID", T(1414), T(1321), u"Dn [" + T(20014) + u"]", T(1412),
                                               u"I " + T(1456), u"L [" + T(20013) + u"]", u"Hp [" + T(20013) + u"]",
                                               u"Hk [" + T(20013) + u"]", u"Q " + T(1458), u"v " + T(1462),
                                               u"hstr [" + T(20013) + u"]", u"h/D " + T(1460), u"\u03BA " + T(1427),
                                               T(1408)}));
    const std::u16string expected =
        header +
        u"1\tGP,1\tPE,HD\tDup\t200\tDiameter\t5,00\t100,00\t10,00\t9,50\t0,02\t0,85\t0,50\t0,45\t0,00\t"
        u"Calculated pipe diameter,\n"
        u"2\t%d%s\t\t\t312\t\t2,67\t0,00\t-1,50\t0,00\t0,12\t0,00\t0,00\t0,00\t0,00\t" +
        conclusion + u"\n";
    EXPECT_EQ(BuildClipboardText(*app, KindGravityFlow), expected);

    // The list bounds the conclusion to 127 units and keeps "h/d" and the
    // sought-quantity text.
    const auto cells = ProjectCells(*app, KindGravityFlow, 1, ListingTarget::List);
    ASSERT_EQ(cells.size(), 16u);
    EXPECT_EQ(cells[15].size(), 127u);
    EXPECT_EQ(cells[4], u"312");
    EXPECT_EQ(cells[8], u"-1.50");
    EXPECT_EQ(ProjectCells(*app, KindGravityFlow, 0, ListingTarget::List)[5], T(1008));
    EXPECT_TRUE(ProjectCells(*app, KindGravityFlow, 2, ListingTarget::List).empty());
    EXPECT_TRUE(ProjectCells(*app, KindGravityFlow, -1, ListingTarget::List).empty());
}

TEST_F(ClipboardTest, BuriedPipeProject)
{
    BuriedPipeRecord a{};
    CopyBounded(a.head.name, u"UP-001");
    a.categoryId = 1;
    a.typeId = 11;
    a.nominalSize = 300;
    a.groundLevel = 104.2;
    a.invertLevel = 101.05;
    a.waterLevel = 102;
    a.upliftForce = 1.234;
    a.anchoringForce = 0.5;
    a.beddingFactor = 2.0;      // an input: not what the deflection column shows
    a.totalDeflection = 3.456;  // list "%.1f", clipboard "%.2f"
    CopyBounded(a.soilName, u"Sand Ps, medium");
    a.compactionIndex = 0.85;
    a.trafficClass = 3;
    CopyBounded(a.head.conclusion, u"The pipe meet structural reqirements.");
    Store(app->storedRecords.buriedPipe, ArrayBuriedPipe, a);

    BuriedPipeRecord b{};
    CopyBounded(b.head.name, u"UP-002");
    b.categoryId = 3;  // a category id no row has
    b.typeId = 10;
    b.trafficClass = 12;
    Store(app->storedRecords.buriedPipe, ArrayBuriedPipe, b);

    BuriedPipeRecord c{};
    CopyBounded(c.head.name, u"UP-003");
    c.categoryId = 5;
    c.typeId = -1;
    c.trafficClass = 28;  // outside the traffic list
    Store(app->storedRecords.buriedPipe, ArrayBuriedPipe, c);

    const std::u16string header = Commas(Join({u"#", u"ID", T(1213), T(1215), u"Dn [" + T(20014) + u"]",
                                               u"PT [" + T(20013) + u"]", u"PD [" + T(20013) + u"]",
                                               u"ZWG [" + T(20013) + u"]", u"W " + T(1302), u"Gz " + T(1306),
                                               u"\u03B4 " + T(1295), T(1243), u"MPD " + T(1247), T(1257), T(1307)}));
    const std::u16string expected =
        header +
        u"1\tUP-001\tPVC-U\tSN4\t300\t104,20\t101,05\t102,00\t1,23\t0,50\t3,46\tSand Ps, medium\t0,85\t" +
        Commas(T(20003)) + u"\tThe pipe meet structural reqirements,\n" +
        u"2\tUP-002\t\tDup\t0\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t\t0,00\t" + Commas(T(20279)) + u"\t\n" +
        u"3\tUP-003\tSteel\t\t0\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t\t0,00\t\t\n";
    EXPECT_EQ(BuildClipboardText(*app, KindBuriedPipe), expected);

    const auto cells = ProjectCells(*app, KindBuriedPipe, 0, ListingTarget::List);
    ASSERT_EQ(cells.size(), 15u);
    EXPECT_EQ(cells[10], u"3.5");
    EXPECT_EQ(cells[13], T(20003));
}

TEST_F(ClipboardTest, PressureFlowProject)
{
    PressureFlowRecord a{};
    CopyBounded(a.head.name, u"PP-001");
    a.categoryId = 5;
    a.typeId = 11;
    a.nominalSize = 110;
    a.mode = 1;
    a.roughness = 0.01;
    a.length = 250;
    a.startLevel = 12.346;
    a.endLevel = 8;
    a.flow = 0.0155;
    a.velocity = 1.999;
    a.headLoss = 3.5;
    CopyBounded(a.head.conclusion, u"Done.");
    Store(app->storedRecords.pressureFlow, ArrayPressureFlow, a);

    const std::u16string header = Commas(Join({u"#", u"ID", T(1319), T(1321), u"Dn [" + T(20014) + u"]", T(1314),
                                               u"k [" + T(20014) + u"]", u"L [" + T(20013) + u"]",
                                               u"Hp [" + T(20013) + u"]", u"Hk [" + T(20013) + u"]",
                                               u"Q " + T(1383), u"v " + T(1386), u"hstr [" + T(20013) + u"]",
                                               T(1408)}));
    EXPECT_EQ(BuildClipboardText(*app, KindPressureFlow),
              header + u"1\tPP-001\tSteel\tSN4\t110\tEnergy losses\t0,01\t250,00\t12,35\t8,00\t0,02\t2,00\t3,50\tDone,\n");
    EXPECT_EQ(T(1317), u"Energy losses");
}

TEST_F(ClipboardTest, TankProject)
{
    TankTypeEntry t{};
    CopyBounded(t.name, u"ZB.10 SN8");
    app->tankTypes.push_back(t);
    app->tankTypeCount = 1;

    TankRecord a{};
    CopyBounded(a.head.name, u"UT-001");
    a.tankTypeIndex = 0;
    a.capacity = 10;
    a.length = 5.2;
    a.groundLevel = 100;
    a.waterLevel = 99;
    a.foundationLevel = 96.5;
    a.upliftForce = 123.456;
    a.soilWeight = 45;
    a.anchoringForce = 78.9;
    CopyBounded(a.soilName, u"Clay");
    CopyBounded(a.head.conclusion, u"Anchoring needed.");
    Store(app->storedRecords.tank, ArrayTank, a);

    TankRecord b{};
    CopyBounded(b.head.name, u"UT-002");
    b.tankTypeIndex = 1;  // the table has one row only
    Store(app->storedRecords.tank, ArrayTank, b);

    const std::u16string header = Commas(Join({u"#", u"ID", T(1059), u"V [" + T(20016) + u"]", u"L [" + T(20013) + u"]",
                                               u"PT [" + T(20013) + u"]", u"ZWG [" + T(20013) + u"]",
                                               u"PP [" + T(20013) + u"]", u"W " + T(1122), u"Gz " + T(1124),
                                               u"Fk " + T(1139), T(1098), T(1146)}));
    EXPECT_EQ(BuildClipboardText(*app, KindTank),
              header +
                  u"1\tUT-001\tZB,10 SN8\t10,00\t5,20\t100,00\t99,00\t96,50\t123,46\t45,00\t78,90\tClay\tAnchoring needed,\n"
                  u"2\tUT-002\t\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t\t\n");

    // A negative row and a count larger than the table are checked as well.
    app->storedRecords.tank[1].tankTypeIndex = -1;
    EXPECT_EQ(ProjectCells(*app, KindTank, 1, ListingTarget::List)[2], u"");
    app->tankTypeCount = 7;
    app->storedRecords.tank[1].tankTypeIndex = 3;
    EXPECT_EQ(ProjectCells(*app, KindTank, 1, ListingTarget::List)[2], u"");
}

TEST_F(ClipboardTest, ManholeProject)
{
    ManholeTypeEntry t{};
    CopyBounded(t.name, u"DN1000 ");
    app->manholeTypes.push_back(t);
    app->manholeTypeCount = 1;

    ManholeRecord a{};
    CopyBounded(a.head.name, u"M-001");
    a.typeIndex = 0;
    a.height = 2.5;
    a.pipeDiameter = 0.25;
    a.groundLevel = 100;
    a.waterLevel = 99.5;
    a.pipeBottomLevel = 97.5;
    a.ballastHeight = 0.3;
    CopyBounded(a.soilName, u"Gravel");
    CopyBounded(a.head.conclusion, u"Ballast needed.");
    Store(app->storedRecords.manhole, ArrayManhole, a);

    ManholeRecord b{};
    CopyBounded(b.head.name, u"M-002");
    b.typeIndex = -1;
    Store(app->storedRecords.manhole, ArrayManhole, b);

    const std::u16string header = Commas(Join({u"#", u"ID", T(1150), u"H [" + T(20013) + u"]", u"Dk [" + T(20014) + u"]",
                                               u"PT [" + T(20013) + u"]", u"ZWG [" + T(20013) + u"]",
                                               u"PP [" + T(20013) + u"]", u"H+Hb [" + T(20013) + u"]",
                                               u"Hb [" + T(20013) + u"]", T(1170), T(1146)}));
    EXPECT_EQ(BuildClipboardText(*app, KindManhole),
              header +
                  u"1\tM-001\tDN1000 \t2,50\t250\t100,00\t99,50\t97,50\t2,80\t0,30\tGravel\tBallast needed,\n"
                  u"2\tM-002\t\t0,00\t0\t0,00\t0,00\t0,00\t0,00\t0,00\t\t\n");
    EXPECT_EQ(ProjectColumns(*app, KindManhole, ListingTarget::List)[11].heading, T(1210));
}

TEST_F(ClipboardTest, ListCellsAreBoundedAndTheClipboardWritesThemWhole)
{
    const std::u16string longCategory = Repeat(u'C', 40);
    AddCategory(7, longCategory);
    BuriedPipeRecord r{};
    const std::u16string name = Repeat(u'N', 63);
    CopyBounded(r.head.name, name);
    r.categoryId = 7;
    r.typeId = 10;
    const std::u16string soil = Repeat(u'S', 70);
    CopyBounded(r.soilName, soil);
    r.groundLevel = 1e40;  // "%.2f" gives 44 characters
    Store(app->storedRecords.buriedPipe, ArrayBuriedPipe, r);

    const auto list = ProjectCells(*app, KindBuriedPipe, 0, ListingTarget::List);
    EXPECT_EQ(list[1], name);  // the name goes whole
    EXPECT_EQ(list[2], Repeat(u'C', 31));
    EXPECT_EQ(list[5].size(), 31u);
    EXPECT_EQ(list[11], Repeat(u'S', 63));

    const auto clip = ProjectCells(*app, KindBuriedPipe, 0, ListingTarget::Clipboard);
    EXPECT_EQ(clip[2], longCategory);
    EXPECT_EQ(clip[5].size(), 44u);
    EXPECT_EQ(clip[11], soil);
}

TEST_F(ClipboardTest, EveryLineHasAsManyCellsAsTheHeader)
{
    // Records that name nothing the catalogue has, and texts with full stops
    // and blanks: the cell count never changes.
    for (int i = 0; i < 3; ++i) {
        GravityFlowRecord g{};
        g.categoryId = i - 1;
        g.typeId = 10 + i;
        g.mode = i * 3 - 1;
        CopyBounded(g.head.name, u"a.b. c");
        Store(app->storedRecords.gravityFlow, ArrayGravityFlow, g);
        PressureFlowRecord p{};
        p.categoryId = 100;
        p.typeId = i == 1 ? 10 : 42;
        p.mode = -3;
        Store(app->storedRecords.pressureFlow, ArrayPressureFlow, p);
        BuriedPipeRecord b{};
        b.trafficClass = -1;
        Store(app->storedRecords.buriedPipe, ArrayBuriedPipe, b);
        TankRecord t{};
        t.tankTypeIndex = 1 << 30;
        Store(app->storedRecords.tank, ArrayTank, t);
        ManholeRecord m{};
        m.typeIndex = -7;
        Store(app->storedRecords.manhole, ArrayManhole, m);
    }
    for (int kind : {KindGravityFlow, KindPressureFlow, KindBuriedPipe, KindTank, KindManhole}) {
        const auto lines = Lines(BuildClipboardText(*app, kind));
        ASSERT_EQ(lines.size(), 4u) << kind;
        for (const auto& line : lines)
            EXPECT_EQ(Cells(line), Cells(lines[0])) << kind;
        EXPECT_EQ(ProjectColumns(*app, kind, ListingTarget::List).size(), Cells(lines[0]));
    }
}

TEST_F(ClipboardTest, NumbersIgnoreTheProcessLocale)
{
    TankRecord t{};
    t.capacity = 12.5;
    t.upliftForce = -1.5;
    Store(app->storedRecords.tank, ArrayTank, t);
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") && !std::setlocale(LC_NUMERIC, "pl_PL.utf8"))
        GTEST_SKIP() << "no Polish locale on this machine";
    const auto cells = ProjectCells(*app, KindTank, 0, ListingTarget::List);
    const std::u16string text = BuildClipboardText(*app, KindTank);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(cells[3], u"12.50");
    EXPECT_EQ(cells[8], u"-1.50");
    EXPECT_NE(text.find(u"\t12,50\t"), std::u16string::npos);
    EXPECT_NE(text.find(u"\t-1,50\t"), std::u16string::npos);
}

TEST(CutText, KeepsSurrogatePairsWhole)
{
    EXPECT_EQ(CutText(u"abcdef", 4), u"abcd");
    EXPECT_EQ(CutText(u"abc", 4), u"abc");
    EXPECT_EQ(CutText(u"ab\U0001F600", 3), u"ab");
    EXPECT_EQ(CutText(u"ab\U0001F600", 4), u"ab\U0001F600");
}
