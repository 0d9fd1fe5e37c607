// Report rows of the five kinds against their worked cases, the printout's
// texts, and the print-titles file.
#include "CoreTestSupport.h"
#include "DalvorApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Label(const CDalvorApp& app, int s, int row) { return Utf8(app.reportSections[s].label[row]); }
std::string Value(const CDalvorApp& app, int s, int row) { return Utf8(app.reportSections[s].value[row]); }

std::string Counts(const CDalvorApp& app)
{
    std::string out;
    for (const ReportSection& s : app.reportSections)
        out += std::to_string(s.rowCount) + (s.present == 1 ? " " : "! ");
    return out;
}

std::string Flags(const CDalvorApp& app, int s)
{
    std::string out;
    for (int i = 0; i < app.reportSections[s].rowCount; ++i)
        if (app.reportSections[s].rowFlag[i])
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
        {"gravity mode 0", KindGravityFlow, [](CDalvorApp& a) { a.gravityFlow.mode = 0; },
         "6 19 10 5 4 0 0 0 0 0 ", 1, "2 13 "},
        {"gravity mode 2", KindGravityFlow, [](CDalvorApp& a) { a.gravityFlow.mode = 2; },
         "5 15 13 5 4 0 0 0 0 0 ", 1, "3 9 "},
        {"gravity mode 3 made to order", KindGravityFlow,
         [](CDalvorApp& a) { a.gravityFlow.mode = 3, a.gravityFlow.madeToOrder = 1; },
         "5 15 13 5 8 0 0 0 0 0 ", 1, "2 9 "},
        {"gravity unknown mode", KindGravityFlow, [](CDalvorApp& a) { a.gravityFlow.mode = 7; },
         "0 0 0 5 4 0 0 0 0 0 ", 3, "0 1 2 3 4 "},
        {"pressure mode 0", KindPressureFlow, [](CDalvorApp& a) { a.pressureFlow.mode = 0; },
         "5 18 9 5 3 0 0 0 4 0 ", 1, "1 2 11 15 16 "},
        {"pressure mode 1 made to order", KindPressureFlow,
         [](CDalvorApp& a) { a.pressureFlow.mode = 1, a.pressureFlow.madeToOrder = 1; },
         "4 14 12 5 3 0 0 0 8 0 ", 1, "1 7 11 12 "},
        {"pressure unknown mode", KindPressureFlow, [](CDalvorApp& a) { a.pressureFlow.mode = 3; },
         "0 0 0 5 3 0 0 0 4 0 ", 0, ""},
        {"buried pipe", KindBuriedPipe, [](CDalvorApp&) {}, "9 16 7 7 7 0 4 0 14 0 ", 1, "4 5 10 11 13 14 "},
        {"manhole", KindManhole, [](CDalvorApp& a) { a.manhole.madeToOrder = 0; },
         "5 14 5 5 7 0 0 0 0 0 ", 1, "1 2 4 "},
        {"manhole made to order", KindManhole, [](CDalvorApp& a) { a.manhole.madeToOrder = 1; },
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
        {"gravity flow 0.125", KindGravityFlow, [](CDalvorApp& a) { a.gravityFlow.mode = 0, a.gravityFlow.flowInput = 0.125; },
         1, 7, "Flow rate: ", "0.125 m³/s = 450 m³/h = 125 l/s"},
        {"gravity slope below 0.01", KindGravityFlow, [](CDalvorApp& a) { a.gravityFlow.mode = 1, a.gravityFlow.slope = 0.004; },
         1, 1, "Pipe bottom gradient: ", "< 0.01 ‰"},
        {"gravity slope 0.01", KindGravityFlow, [](CDalvorApp& a) { a.gravityFlow.mode = 1, a.gravityFlow.slope = 0.01; },
         1, 1, "Pipe bottom gradient: ", "0.01 ‰"},
        {"gravity sought quantity", KindGravityFlow, [](CDalvorApp& a) { a.gravityFlow.mode = 3; },
         0, 1, "Object of the calculations: ", "section filling rate"},
        {"pressure flow 0.05", KindPressureFlow, [](CDalvorApp& a) { a.pressureFlow.mode = 1, a.pressureFlow.flow = 0.05; },
         1, 1, "Flow rate: ", "0.050 m³/s = 180 m³/h = 50 l/s"},
        {"pressure coefficient", KindPressureFlow,
         [](CDalvorApp& a) { a.pressureFlow.localLossMode = 0, a.pressureFlow.lossCoefficient = 2.345; },
         4, 1, "Total hydraulic losses: ", "2.35"},
        {"pressure share", KindPressureFlow,
         [](CDalvorApp& a) { a.pressureFlow.localLossMode = 1, a.pressureFlow.localLossShare = 10; },
         4, 1, "Local hydraulic loss as a part of length loss: ", "10 %"},
        {"pressure other loss mode", KindPressureFlow, [](CDalvorApp& a) { a.pressureFlow.localLossMode = 5; }, 4, 1, "", ""},
        {"buried traffic class 12", KindBuriedPipe, [](CDalvorApp& a) { a.buriedPipe.trafficClass = 12; },
         6, 1, "Traffic load type: ", nullptr},
        {"buried traffic out of range", KindBuriedPipe, [](CDalvorApp& a) { a.buriedPipe.trafficClass = 28; },
         6, 1, "Traffic load type: ", ""},
        {"buried not made to order", KindBuriedPipe, [](CDalvorApp& a) { a.buriedPipe.madeToOrder = 0; }, 8, 11, "", ""},
        {"buried made to order", KindBuriedPipe, [](CDalvorApp& a) { a.buriedPipe.madeToOrder = 1; },
         8, 12, "Production on demand.", ""},
        {"manhole Fk 0.001", KindManhole, [](CDalvorApp& a) { a.manhole.anchoringForce = 0.001; },
         1, 7, "Ballast anchoring force (Fk): ", "-"},
        {"manhole no ballast", KindManhole, [](CDalvorApp& a) { a.manhole.ballastHeight = 0, a.manhole.ballastVolume = 2; },
         1, 12, "Capacity of heavy bottom (Vb): ", "-"},
        {"manhole H+Hb", KindManhole, [](CDalvorApp& a) { a.manhole.height = 2.5, a.manhole.ballastHeight = 0; },
         1, 9, nullptr, "2.50 m"},
        {"manhole eccentric", KindManhole, [](CDalvorApp& a) { a.manhole.eccentric = 1, a.manhole.ballastHeight = 1; },
         1, 11, " ", " "},
        {"tank PD single precision", KindTank,
         [](CDalvorApp& a) { a.tank.foundationLevel = 1.0, a.tank.outerDiameter = 1010, a.tank.innerDiameter = 1000; },
         2, 2, "Inside bottom level (PD): ", "1.01 m"},
        {"tank Fk 0.01 shown", KindTank, [](CDalvorApp& a) { a.tank.anchoringForce = 0.01; },
         1, 4, "Calculated anchoring force (Fk): ", "0.01 kN"},
        {"tank Fk 0.0099 hidden", KindTank, [](CDalvorApp& a) { a.tank.anchoringForce = 0.0099, a.tank.upliftForce = 5; },
         1, 14, "Single slab weight (Gf): ", "-"},
        {"tank slab length one decimal", KindTank, [](CDalvorApp& a) { a.tank.anchoringForce = 3, a.tank.slabLength = 2.46; },
         1, 10, "Designed slab length (Lf): ", "2.5 m"},
        {"tank no slab length suffices", KindTank,
         [](CDalvorApp& a) { a.tank.anchoringForce = 3, a.tank.minSlabLength = CDalvorApp::kNoSlabLength; },
         1, 9, "Minimum slab length (Lfmin): ", "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app->ResetAllRecords();
        c.set(*app);
        ASSERT_TRUE(app->BuildReport(c.kind));
        if (c.label) {
            EXPECT_EQ(Label(*app, c.section, c.row), c.label);
        }
        if (c.value) {
            EXPECT_EQ(Value(*app, c.section, c.row), c.value);
        } else {
            EXPECT_EQ(Value(*app, c.section, c.row), Utf16ToUtf8(app->LoadLangString(20279)));
        }
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

TEST(ReportRows, ConclusionSplitsAndBounds)
{
    auto app = StartedCore();
    const struct {
        int kind, conclusion, warning;
        std::size_t row1, row2, row3;
    } cases[] = {
        {KindGravityFlow, 53, 10, 53, 0, 10}, {KindPressureFlow, 60, 63, 60, 0, 63},
        {KindManhole, 61, 70, 60, 1, 63},     {KindBuriedPipe, 75, 0, 60, 15, 0},
        {KindTank, 127, 127, 60, 60, 127},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        app->ResetAllRecords();
        RecordHead* head = c.kind == KindGravityFlow ? &app->gravityFlow.head
                           : c.kind == KindPressureFlow ? &app->pressureFlow.head
                           : c.kind == KindManhole ? &app->manhole.head
                           : c.kind == KindBuriedPipe ? &app->buriedPipe.head
                                                      : &app->tank.head;
        CopyBounded(head->conclusion, Repeat(u'c', c.conclusion));
        CopyBounded(head->warning, Repeat(u'w', c.warning));
        app->BuildReport(c.kind);
        EXPECT_EQ(Label(*app, 3, 1).size(), c.row1);
        EXPECT_EQ(Label(*app, 3, 2).size(), c.row2);
        EXPECT_EQ(Label(*app, 3, 3).size(), c.row3);
    }
}

TEST(ReportRows, CategoryAndTypeLookupsAndSubtitles)
{
    auto app = StartedCore();
    ASSERT_GE(app->pipeCategories.size(), 2u);
    app->ResetAllRecords();
    app->pipeCategories[1].id = app->pipeCategories[0].id;  // two rows with one id: the last wins
    app->gravityFlow.categoryId = app->pipeCategories[0].id;
    app->gravityFlow.typeId = -1;                            // none: row 0
    app->BuildGravityFlowReport();
    EXPECT_EQ(Value(*app, 2, 1), Utf8(app->pipeCategories[1].name));
    EXPECT_EQ(Value(*app, 2, 2), Utf8(app->pipeTypes[0].name));

    std::tm t{};
    t.tm_year = 126, t.tm_mon = 0, t.tm_mday = 5, t.tm_hour = 21, t.tm_min = 7, t.tm_sec = 3;
    ReportPageTexts g = app->MakeReportTexts(KindGravityFlow, t);
    EXPECT_EQ(Utf16ToUtf8(g.subtitle), Utf8(app->pipeCategories[1].name) + " " + Utf8(app->pipeTypes[0].name));
    EXPECT_EQ(Utf16ToUtf8(g.dateLine), "Date:  05/01/26 21:07:03");
    EXPECT_EQ(Utf16ToUtf8(g.noticeLine), "Notice:  -");
    EXPECT_EQ(Utf16ToUtf8(g.printTitle), "(Title #1)");
    EXPECT_EQ(Utf16ToUtf8(g.programLine), "\r\n\r\nProgram Quorlin v.5.0");
    EXPECT_TRUE(g.extraLine.empty());
    EXPECT_EQ(Utf16ToUtf8(app->MakeReportTexts(KindTank, t).programLine), "\r\nProgram Quorlin v.5.0");
    EXPECT_FALSE(app->MakeReportTexts(KindBuriedPipe, t).extraLine.empty());

    app->manhole.typeIndex = 0;
    app->manhole.eccentric = 1;
    app->manhole.reinforcedVersion = 1;
    EXPECT_EQ(Utf16ToUtf8(app->MakeReportTexts(KindManhole, t).subtitle),
              Utf8(app->manholeTypes[0].name) + " - eccentric manhole, strengthened release/welded joints");
    app->manhole.eccentric = 0;
    EXPECT_EQ(Utf16ToUtf8(app->MakeReportTexts(KindManhole, t).subtitle),
              Utf8(app->manholeTypes[0].name) + " - bottom or sand trap manhole");
    app->tank.tankTypeIndex = 100000;  // outside the table: no name, no crash
    EXPECT_EQ(Utf16ToUtf8(app->MakeReportTexts(KindTank, t).subtitle), "");
    app->pipeCategories.clear();
    app->BuildPressureFlowReport();
    EXPECT_EQ(Value(*app, 2, 1), "");
}

// ---- print titles ------------------------------------------------------------------------

namespace {

struct TempDir {
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "dalvor-titles-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    fs::path path;
};

std::string Title(const CDalvorApp& app, int i) { return Utf8(app.printTitles[i].text); }

}  // namespace

TEST(PrintTitles, FirstStartWritesTheDefaultsAndASaveKeepsConfirmedTitles)
{
    TempDir dir;
    CDalvorApp app;
    app.userDataFolder = (dir.path / "data").string();
    app.LoadOrSavePrintTitles(0);
    const std::vector<uint8_t> file = ReadAll(dir.path / "data" / "prntits.arc");
    const std::string bytes(file.begin(), file.end());
    ASSERT_EQ(bytes.size(), 10400u);
    EXPECT_EQ(bytes.substr(0, 12), std::string("\xff\xff\xff\xff(\0T\0i\0t\0", 12));
    EXPECT_EQ(Title(app, 19), "(Title #20)");

    ConfirmPrintTitle(app.printTitles, u"\u041A\u0A0A\u1A1A report");
    fs::remove(dir.path / "data" / "prntits.arc");  // gone while the program ran
    app.LoadOrSavePrintTitles(1);
    CDalvorApp next;
    next.userDataFolder = app.userDataFolder;
    next.LoadOrSavePrintTitles(0);
    EXPECT_EQ(Title(next, 0), "\u041A\u0A0A\u1A1A report");
    EXPECT_EQ(Title(next, 1), "(Title #1)");
    EXPECT_EQ(Title(next, 19), "(Title #19)");
}

TEST(PrintTitles, ConfirmMovesToTheFront)
{
    const struct {
        const char16_t* text;
        const char* order;  // numbers of the default titles left, front first, '*' the text
    } cases[] = {
        {u"(Title #3)", "3 1 2 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 "},
        {u"(Title #1)", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 "},
        {u"new", "* 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 "},
        {u"", "* 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 "},
    };
    for (const auto& c : cases) {
        PrintTitle titles[20];
        DefaultPrintTitles(titles);
        ConfirmPrintTitle(titles, c.text);
        std::string order;
        for (const PrintTitle& t : titles) {
            const std::string s = Utf8(t.text);
            order += (s.rfind("(Title #", 0) == 0 ? s.substr(8, s.size() - 9) : "*") + " ";
        }
        EXPECT_EQ(order, c.order) << Utf16ToUtf8(c.text);
    }
    // A title longer than 254 units is one title however often it is confirmed.
    PrintTitle titles[20];
    DefaultPrintTitles(titles);
    ConfirmPrintTitle(titles, Repeat(u'x', 300));
    ConfirmPrintTitle(titles, Repeat(u'x', 300));
    EXPECT_EQ(Utf8(titles[0].text).size(), 254u);
    EXPECT_EQ(Utf8(titles[1].text), "(Title #1)");
    // A field cut at 254 units inside a pair: the stray half is not kept.
    ConfirmPrintTitle(titles, Repeat(u'y', 253) + u"\xD83D");
    EXPECT_EQ(FromFixed(titles[0].text).size(), 253u);
}

TEST(PrintTitles, DamagedFilesGiveWholeRecordsOnly)
{
    TempDir dir;
    PrintTitle source[20];
    DefaultPrintTitles(source);
    std::string full = PrintTitlesBytes(source);
    std::string noTerminator = full;
    for (std::size_t i = 4; i < 520; i += 2)
        noTerminator[i] = 'A', noTerminator[i + 1] = 0;
    const struct {
        const char* name;
        std::string bytes;
        int read;
        std::size_t firstLength;
    } cases[] = {
        {"three records", full.substr(0, 3 * 520), 3, 10},
        {"three and a half", full.substr(0, 3 * 520 + 260), 3, 10},
        {"no terminator", noTerminator, 20, 254},
        {"empty", std::string(), 0, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path p = dir.path / "t.arc";
        std::ofstream(p, std::ios::binary) << c.bytes;
        PrintTitle titles[20];
        for (PrintTitle& t : titles)
            CopyBounded(t.text, u"keep");
        EXPECT_EQ(ReadPrintTitlesFile(p.string(), titles), c.read);
        EXPECT_EQ(Utf8(titles[0].text).size(), c.firstLength);
        EXPECT_EQ(Utf8(titles[19].text), c.read == 20 ? "(Title #20)" : "keep");
    }
    PrintTitle titles[20];
    EXPECT_EQ(ReadPrintTitlesFile((dir.path / "missing").string(), titles), -1);
}

TEST(PrintTitles, AFailedSaveKeepsTheOldFile)
{
    TempDir dir;
    PrintTitle titles[20];
    DefaultPrintTitles(titles);
    const std::string path = (dir.path / "prntits.arc").string();
    ASSERT_TRUE(WritePrintTitlesFile(path, titles));
    ConfirmPrintTitle(titles, u"lost");
    const struct {
        const char* name;
        bool applies;
        std::function<bool()> save;
    } failures[] = {
        {"read-only folder", geteuid() != 0,  // permissions do not bind the superuser
         [&] {
             fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
             const bool ok = WritePrintTitlesFile(path, titles);
             fs::permissions(dir.path, fs::perms::owner_all);
             return ok;
         }},
        {"full disk", true,
         [&] {
             rlimit old{};
             getrlimit(RLIMIT_FSIZE, &old);
             rlimit small = old;
             small.rlim_cur = 100;  // no file grows past 100 bytes
             signal(SIGXFSZ, SIG_IGN);
             setrlimit(RLIMIT_FSIZE, &small);
             const bool ok = WritePrintTitlesFile(path, titles);
             setrlimit(RLIMIT_FSIZE, &old);
             return ok;
         }},
    };
    for (const auto& f : failures) {
        if (!f.applies)
            continue;
        SCOPED_TRACE(f.name);
        EXPECT_FALSE(f.save());
        PrintTitle back[20];
        EXPECT_EQ(ReadPrintTitlesFile(path, back), 20);
        EXPECT_EQ(Utf8(back[0].text), "(Title #1)");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
    }
}

TEST(PrintTitles, FirstStartReadsTheProgramFoldersFile)
{
    TempDir dir;
    PrintTitle shipped[20];
    DefaultPrintTitles(shipped);
    ConfirmPrintTitle(shipped, u"shipped");
    ASSERT_TRUE(WritePrintTitlesFile((dir.path / "prntits.arc").string(), shipped));
    CDalvorApp app;
    app.programFolder = dir.path.string();
    app.userDataFolder = (dir.path / "user").string();
    app.LoadOrSavePrintTitles(0);
    EXPECT_EQ(Title(app, 0), "shipped");
    EXPECT_TRUE(fs::exists(dir.path / "user" / "prntits.arc"));
}

TEST(PrintTitles, AFifoInPlaceOfTheFileNeitherHangsNorIsRead)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir.path / "prntits.arc").c_str(), 0600), 0);
    EXPECT_EQ(ExitCodeInChild([&] {
                  CDalvorApp app;
                  app.userDataFolder = dir.path.string();
                  app.LoadOrSavePrintTitles(0);
                  return Title(app, 0) == "(Title #1)" ? 0 : 1;
              }),
              0);
    EXPECT_TRUE(fs::is_fifo(dir.path / "prntits.arc"));  // left as it was
}

// Whatever units a title holds, a read and a write leave it as read.
TEST(PrintTitles, UnpairedSurrogatesReadBackAsWritten)
{
    const char16_t hi = 0xD83D, lo = 0xDE00, bad = 0xFFFD;
    const std::u16string z(252, u'z');
    const std::u16string cases[][2] = {
        // held in the file, read
        {{u'a', hi, hi, hi}, {u'a', bad, bad}},
        {{lo, u'x', hi, lo, hi}, {bad, u'x', hi, lo}},
        {z + u'z' + hi + lo, z + u'z'},  // a pair split by the length limit
        {z + hi + hi + hi, z + bad},
    };
    TempDir dir;
    const std::string path = (dir.path / "prntits.arc").string();
    for (const auto& c : cases) {
        std::string bytes(kPrintTitleRecordSize, '\0');
        for (std::size_t i = 0; i < c[0].size(); ++i)
            bytes[4 + 2 * i] = static_cast<char>(c[0][i] & 0xFF), bytes[5 + 2 * i] = static_cast<char>(c[0][i] >> 8);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        PrintTitle titles[20];
        for (int round = 0; round < 3; ++round) {
            ASSERT_GT(ReadPrintTitlesFile(path, titles), 0);
            EXPECT_EQ(FromFixed(titles[0].text), c[1]) << Utf16ToUtf8(c[1]) << " after " << round << " writes";
            ASSERT_TRUE(WritePrintTitlesFile(path, titles));
        }
    }
}
