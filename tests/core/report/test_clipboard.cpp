// The project manager's columns and cells, and the clipboard text built from them.
#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/report/ClipboardText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <memory>
#include <string>

// Records are built with designated initializers; the fields left out are zero.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// The English header lines as a user pastes them.
const std::u16string kGravityHeader =
    u"#\tID\tPipe category:\tPipe type:\tDn [mm]\tObject of the calculations:\tI [\u2030]\tL [m]\tHp [m]\t"
    u"Hk [m]\tQ [m\u00B3/s]\tv [m/s]\thstr [m]\th/D [-]\t\u03BA [%]\tConclusion:\n";
const std::u16string kBuriedPipeHeader =
    u"#\tID\tPipe category:\tPipe type:\tDn [mm]\tPT [m]\tPD [m]\tZWG [m]\tW [kN/m]\tGz [kN/m]\t\u03B4 [%]\t"
    u"Soil fill type:\tMPD [-]\tTraffic load type:\tConclusion:\n";
const std::u16string kPressureFlowHeader =
    u"#\tID\tPipe category:\tPipe type:\tDn [mm]\tObject of the calculations:\tk [mm]\tL [m]\tHp [m]\tHk [m]\t"
    u"Q [m\u00B3/s]\tv [m/s]\thstr [m]\tConclusion:\n";
const std::u16string kTankHeader = u"#\tID\tTank type:\tV [m\u00B3]\tL [m]\tPT [m]\tZWG [m]\tPP [m]\tW [kN]\tGz [kN]\t"
                                   u"Fk [kN]\tSoil fill type:\tConclusion:\n";
const std::u16string kManholeHeader = u"#\tID\tManhole type:\tH [m]\tDk [mm]\tPT [m]\tZWG [m]\tPP [m]\tH+Hb [m]\t"
                                      u"Hb [m]\tSoil fill type:\tConclusion:\n";

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
        app->tables.pipeCategories.push_back(e);
    }
    void AddType(int id, int category, std::u16string_view name)
    {
        PipeTypeEntry e{};
        e.id = id;
        e.categoryId = category;
        CopyBounded(e.name, name);
        app->tables.pipeTypes.push_back(e);
    }
    template <typename R>
    void Store(std::vector<R>& records, const R& r)
    {
        records.push_back(r);
    }
};

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

}  // namespace

TEST_F(ClipboardTest, EmptyKindsGiveTheirHeaderAloneAndNoKindGivesNothing)
{
    const std::pair<int, std::u16string> headers[] = {{KindGravityFlow, kGravityHeader},
                                                      {KindBuriedPipe, kBuriedPipeHeader},
                                                      {KindPressureFlow, kPressureFlowHeader},
                                                      {KindTank, kTankHeader},
                                                      {KindManhole, kManholeHeader}};
    for (const auto& [kind, header] : headers)
        EXPECT_EQ(BuildClipboardText(app->Listing(), kind), header) << kind;
    EXPECT_TRUE(BuildClipboardText(app->Listing(), KindNone).empty());
    EXPECT_TRUE(BuildClipboardText(app->Listing(), 6).empty());
    EXPECT_TRUE(ProjectColumns(app->languageOffset, 0, ListingTarget::List).empty());
    // The list heads gravity column 13 "h/d" and the manholes' last "Conclusion:".
    EXPECT_EQ(ProjectColumns(app->languageOffset, KindGravityFlow, ListingTarget::List)[13].heading, u"h/d [-]");
    EXPECT_EQ(ProjectColumns(app->languageOffset, KindManhole, ListingTarget::List)[11].heading, u"Conclusion:");
}

TEST_F(ClipboardTest, GravityFlowProject)
{
    Store(app->project.gravityFlow,
          GravityFlowRecord{.head = {.name = u"GP.1", .resultValid = 1, .conclusion = u"Calculated pipe diameter."}, .mode = 0,
                            .categoryId = 2, .typeId = 10, .nominalSize = 200, .length = 100, .localLossShare = 0,
                            .startLevel = 10, .endLevel = 9.5, .flow = 0.0249, .slope = 5.0, .localLossHead = 0.2,
                            .frictionLossHead = 0.3, .filling = 0.45, .velocity = 0.854});
    // No such mode, no category chosen, no such type; the flow's third decimal
    // is lost (an exact half rounds to even).
    GravityFlowRecord b{.head = {.name = u"%d%s", .resultValid = 1}, .mode = 7, .categoryId = -1, .typeId = 99, .nominalSize = 312.5,
                        .startLevel = -1.5, .flow = 0.125, .slope = 2.675};
    const std::u16string conclusion(128, u'x');
    CopyBounded(b.head.conclusion, conclusion, 128);
    Store(app->project.gravityFlow, b);

    EXPECT_EQ(BuildClipboardText(app->Listing(), KindGravityFlow),
              kGravityHeader +
                  u"1\tGP,1\tPE,HD\tDup\t200\tDiameter\t5,00\t100,00\t10,00\t9,50\t0,02\t0,85\t0,50\t0,45\t0,00\t"
                  u"Calculated pipe diameter,\n"
                  u"2\t%d%s\t\t\t312\t\t2,67\t0,00\t-1,50\t0,00\t0,12\t0,00\t0,00\t0,00\t0,00\t" +
                  conclusion + u"\n");

    // The list shows the conclusion whole, all the units the record holds,
    // and keeps the points.
    const auto cells = ProjectCells(app->Listing(), KindGravityFlow, 1, ListingTarget::List);
    ASSERT_EQ(cells.size(), 16u);
    EXPECT_EQ(cells[15], conclusion);
    EXPECT_EQ(cells[4], u"312");
    EXPECT_EQ(cells[8], u"-1.50");
    EXPECT_EQ(ProjectCells(app->Listing(), KindGravityFlow, 0, ListingTarget::List)[5], u"Diameter");
    EXPECT_TRUE(ProjectCells(app->Listing(), KindGravityFlow, 2, ListingTarget::List).empty());
    EXPECT_TRUE(ProjectCells(app->Listing(), KindGravityFlow, -1, ListingTarget::List).empty());
}

TEST_F(ClipboardTest, BuriedPipeProject)
{
    // The bedding factor is an input, not what the deflection column shows; the
    // deflection goes to the list as "%.1f" and to the clipboard as "%.2f".
    Store(app->project.buriedPipe,
          BuriedPipeRecord{.head = {.name = u"UP-001", .resultValid = 1, .conclusion = u"The pipe meets structural requirements."},
                           .categoryId = 1, .typeId = 11, .trafficClass = 3, .groundLevel = 104.2, .waterLevel = 102,
                           .invertLevel = 101.05, .nominalSize = 300, .soilName = u"Sand Ps, medium",
                           .compactionIndex = 0.85, .beddingFactor = 2.0, .totalDeflection = 3.456,
                           .upliftForce = 1.234, .anchoringForce = 0.5});
    // A category id no row has; a traffic class outside the traffic list.
    Store(app->project.buriedPipe,
          BuriedPipeRecord{.head = {.name = u"UP-002"}, .categoryId = 3, .typeId = 10, .trafficClass = 12});
    Store(app->project.buriedPipe,
          BuriedPipeRecord{.head = {.name = u"UP-003"}, .categoryId = 5, .typeId = -1, .trafficClass = 28});

    EXPECT_EQ(BuildClipboardText(app->Listing(), KindBuriedPipe),
              kBuriedPipeHeader +
                  u"1\tUP-001\tPVC-U\tSN4\t300\t104,20\t101,05\t102,00\t1,23\t0,50\t3,46\tSand Ps, medium\t0,85\t"
                  u"K60 (class B acc, GDDKiA)\tThe pipe meets structural requirements,\n"
                  u"2\tUP-002\t\tDup\t0\t0,00\t0,00\t0,00\t-\t-\t-\t\t0,00\tvehicle LKW 12 (acc, DIN)\t\n"
                  u"3\tUP-003\tSteel\t\t0\t0,00\t0,00\t0,00\t-\t-\t-\t\t0,00\t\t\n");

    const auto cells = ProjectCells(app->Listing(), KindBuriedPipe, 0, ListingTarget::List);
    ASSERT_EQ(cells.size(), 15u);
    EXPECT_EQ(cells[10], u"3.5");
    EXPECT_EQ(cells[13], u"K60 (class B acc. GDDKiA)");
}

TEST_F(ClipboardTest, PressureFlowProject)
{
    Store(app->project.pressureFlow,
          PressureFlowRecord{.head = {.name = u"PP-001", .resultValid = 1, .conclusion = u"Done."}, .mode = 1, .categoryId = 5,
                             .typeId = 11, .nominalSize = 110, .roughness = 0.01, .length = 250, .startLevel = 12.346,
                             .endLevel = 8, .flow = 0.0155, .headLoss = 3.5, .velocity = 1.999});
    EXPECT_EQ(BuildClipboardText(app->Listing(), KindPressureFlow),
              kPressureFlowHeader +
                  u"1\tPP-001\tSteel\tSN4\t110\tEnergy losses\t0,01\t250,00\t12,35\t8,00\t0,02\t2,00\t3,50\tDone,\n");
}

TEST_F(ClipboardTest, TankProject)
{
    app->tables.tankTypes = {TankTypeEntry{.name = u"ZB.10 SN8"}};
    Store(app->project.tank,
          TankRecord{.head = {.name = u"UT-001", .resultValid = 1, .conclusion = u"Anchoring needed."}, .soilName = u"Clay",
                     .groundLevel = 100, .waterLevel = 99, .foundationLevel = 96.5, .tankTypeIndex = 0,
                     .capacity = 10, .length = 5.2, .upliftForce = 123.456, .soilWeight = 45, .anchoringForce = 78.9});
    // The table has one row only.
    Store(app->project.tank, TankRecord{.head = {.name = u"UT-002"}, .tankTypeIndex = 1});

    EXPECT_EQ(BuildClipboardText(app->Listing(), KindTank),
              kTankHeader +
                  u"1\tUT-001\tZB,10 SN8\t10,00\t5,20\t100,00\t99,00\t96,50\t123,46\t45,00\t78,90\tClay\t"
                  u"Anchoring needed,\n"
                  u"2\tUT-002\t\t0,00\t0,00\t0,00\t0,00\t0,00\t-\t-\t-\t\t\n");

    // A negative row and a row beyond the table are checked as well.
    app->project.tank[1].tankTypeIndex = -1;
    EXPECT_EQ(ProjectCells(app->Listing(), KindTank, 1, ListingTarget::List)[2], u"");
    app->project.tank[1].tankTypeIndex = 3;
    EXPECT_EQ(ProjectCells(app->Listing(), KindTank, 1, ListingTarget::List)[2], u"");
}

TEST_F(ClipboardTest, ManholeProject)
{
    app->tables.manholeTypes = {ManholeTypeEntry{.name = u"DN1000 "}};
    Store(app->project.manhole,
          ManholeRecord{.head = {.name = u"M-001", .resultValid = 1, .conclusion = u"Ballast needed."}, .typeIndex = 0,
                        .soilName = u"Gravel", .groundLevel = 100, .waterLevel = 99.5, .pipeBottomLevel = 97.5,
                        .pipeDiameter = 0.25, .height = 2.5, .ballastHeight = 0.3});
    Store(app->project.manhole, ManholeRecord{.head = {.name = u"M-002"}, .typeIndex = -1});

    EXPECT_EQ(BuildClipboardText(app->Listing(), KindManhole),
              kManholeHeader +
                  u"1\tM-001\tDN1000 \t2,50\t250\t100,00\t99,50\t97,50\t2,80\t0,30\tGravel\tBallast needed,\n"
                  u"2\tM-002\t\t-\t0\t0,00\t0,00\t0,00\t-\t-\t\t\n");
}

// A record without a valid result (any flag but 1) shows "-" for each value its
// page shows as "-", in the list and on the clipboard, whatever numbers it holds.
TEST_F(ClipboardTest, RecordsWithoutAResultShowNoCalculatedValues)
{
    Store(app->project.gravityFlow, GravityFlowRecord{.slope = 5, .velocity = 1.03});
    Store(app->project.pressureFlow, PressureFlowRecord{.velocity = 1});
    Store(app->project.buriedPipe, BuriedPipeRecord{});
    Store(app->project.tank, TankRecord{});
    Store(app->project.manhole, ManholeRecord{});
    std::u16string listHeader = kGravityHeader;
    listHeader.replace(listHeader.find(u"h/D"), 3, u"h/d");
    EXPECT_EQ(BuildListText(app->Listing(), KindGravityFlow),
              listHeader + u"1\t\t\t\t0\tDiameter\t-\t0.00\t0.00\t-\t-\t-\t-\t-\t0.00\t\n");
    const std::pair<int, std::vector<std::size_t>> notGiven[] = {
        {KindGravityFlow, {6, 9, 10, 11, 12, 13}}, {KindPressureFlow, {10, 11, 12}}, {KindBuriedPipe, {8, 9, 10}},
        {KindTank, {8, 9, 10}}, {KindManhole, {3, 8, 9}}};
    for (int valid : {0, 2, 1})
        for (const auto& [kind, columns] : notGiven) {
            StoredRecordHead(app->project, kind, 0)->resultValid = valid;
            for (ListingTarget target : {ListingTarget::List, ListingTarget::Clipboard}) {
                const auto cells = ProjectCells(app->Listing(), kind, 0, target);
                for (std::size_t c = 0; c < cells.size(); ++c)
                    EXPECT_EQ(cells[c] == u"-", valid != 1 && std::ranges::count(columns, c) == 1)
                        << kind << " column " << c << " flag " << valid;
            }
        }
}

TEST_F(ClipboardTest, ListAndClipboardWriteEveryCellWhole)
{
    const std::u16string longCategory(40, u'C'), name(63, u'N'), soil(70, u'S');
    AddCategory(7, longCategory);
    BuriedPipeRecord r{.categoryId = 7, .typeId = 10, .groundLevel = 1e40};  // "%.2f" gives 44 characters
    CopyBounded(r.head.name, name);
    CopyBounded(r.soilName, soil);
    Store(app->project.buriedPipe, r);

    const auto list = ProjectCells(app->Listing(), KindBuriedPipe, 0, ListingTarget::List);
    EXPECT_EQ(list[1], name);  // the name goes whole
    EXPECT_EQ(list[2], longCategory);
    EXPECT_EQ(list[5].size(), 44u);
    EXPECT_EQ(list[11], soil);

    const auto clip = ProjectCells(app->Listing(), KindBuriedPipe, 0, ListingTarget::Clipboard);
    EXPECT_EQ(clip[2], longCategory);
    EXPECT_EQ(clip[5].size(), 44u);
    EXPECT_EQ(clip[11], soil);
}

TEST_F(ClipboardTest, EveryLineHasAsManyCellsAsTheHeader)
{
    // Records that name nothing the catalogue has, and texts with full stops
    // and blanks: the cell count never changes.
    for (int i = 0; i < 3; ++i) {
        Store(app->project.gravityFlow,
              GravityFlowRecord{.head = {.name = u"a.b. c"}, .mode = i * 3 - 1, .categoryId = i - 1, .typeId = 10 + i});
        Store(app->project.pressureFlow,
              PressureFlowRecord{.mode = -3, .categoryId = 100, .typeId = i == 1 ? 10 : 42});
        Store(app->project.buriedPipe, BuriedPipeRecord{.trafficClass = -1});
        Store(app->project.tank, TankRecord{.tankTypeIndex = 1 << 30});
        Store(app->project.manhole, ManholeRecord{.typeIndex = -7});
    }
    for (int kind : {KindGravityFlow, KindPressureFlow, KindBuriedPipe, KindTank, KindManhole}) {
        const auto lines = Lines(BuildClipboardText(app->Listing(), kind));
        ASSERT_EQ(lines.size(), 4u) << kind;
        for (const auto& line : lines)
            EXPECT_EQ(Cells(line), Cells(lines[0])) << kind;
        EXPECT_EQ(ProjectColumns(app->languageOffset, kind, ListingTarget::List).size(), Cells(lines[0]));
    }
}

TEST_F(ClipboardTest, NumbersIgnoreTheProcessLocale)
{
    Store(app->project.tank, TankRecord{.head = {.resultValid = 1}, .capacity = 12.5, .upliftForce = -1.5});
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") && !std::setlocale(LC_NUMERIC, "pl_PL.utf8"))
        GTEST_SKIP() << "no Polish locale on this machine";
    const auto cells = ProjectCells(app->Listing(), KindTank, 0, ListingTarget::List);
    const std::u16string text = BuildClipboardText(app->Listing(), KindTank);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(cells[3], u"12.50");
    EXPECT_EQ(cells[8], u"-1.50");
    EXPECT_NE(text.find(u"\t12,50\t"), std::u16string::npos);
    EXPECT_NE(text.find(u"\t-1,50\t"), std::u16string::npos);
}

