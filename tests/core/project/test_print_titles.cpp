// The printout titles: the defaults, the confirmation rule, and the titles
// file read and written back, kept whole when damaged or when a save fails.
#include "core/project/PrintTitles.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::u16string Repeat(char16_t c, int n) { return std::u16string(static_cast<std::size_t>(n), c); }
std::string Title(const CDalvorApp& app, int i) { return Utf8(app.print.printTitles[i].text); }

}  // namespace

TEST(PrintTitles, FirstStartWritesTheDefaultsAndASaveKeepsConfirmedTitles)
{
    const TempFolder folder("dalvor-titles");
    const fs::path& dir = folder.Path();
    CDalvorApp app;
    app.userDataFolder = (dir / "data").string();
    app.LoadOrSavePrintTitles(0);
    const std::vector<uint8_t> file = ReadAll(dir / "data" / "prntits.arc");
    const std::string bytes(file.begin(), file.end());
    ASSERT_EQ(bytes.size(), 10400u);
    EXPECT_EQ(bytes.substr(0, 12), std::string("\xff\xff\xff\xff(\0T\0i\0t\0", 12));
    EXPECT_EQ(Title(app, 19), "(Title #20)");

    ConfirmPrintTitle(app.print.printTitles, u"\u041A\u0A0A\u1A1A report");
    fs::remove(dir / "data" / "prntits.arc");  // gone while the program ran
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
    const TempFolder folder("dalvor-titles");
    const fs::path& dir = folder.Path();
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
        const fs::path p = dir / "t.arc";
        std::ofstream(p, std::ios::binary) << c.bytes;
        PrintTitle titles[20];
        for (PrintTitle& t : titles)
            CopyBounded(t.text, u"keep");
        EXPECT_EQ(ReadPrintTitlesFile(p.string(), titles), c.read);
        EXPECT_EQ(Utf8(titles[0].text).size(), c.firstLength);
        EXPECT_EQ(Utf8(titles[19].text), c.read == 20 ? "(Title #20)" : "keep");
    }
    PrintTitle titles[20];
    EXPECT_EQ(ReadPrintTitlesFile((dir / "missing").string(), titles), -1);
}

TEST(PrintTitles, AFailedSaveKeepsTheOldFile)
{
    const TempFolder folder("dalvor-titles");
    const fs::path& dir = folder.Path();
    PrintTitle titles[20];
    DefaultPrintTitles(titles);
    const std::string path = (dir / "prntits.arc").string();
    ASSERT_TRUE(WritePrintTitlesFile(path, titles));
    ConfirmPrintTitle(titles, u"lost");
    const struct {
        const char* name;
        bool applies;
        std::function<bool()> save;
    } failures[] = {
        {"read-only folder", geteuid() != 0,  // permissions do not bind the superuser
         [&] {
             fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
             const bool ok = WritePrintTitlesFile(path, titles);
             fs::permissions(dir, fs::perms::owner_all);
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
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    }
}

TEST(PrintTitles, FirstStartReadsTheProgramFoldersFile)
{
    const TempFolder folder("dalvor-titles");
    const fs::path& dir = folder.Path();
    PrintTitle shipped[20];
    DefaultPrintTitles(shipped);
    ConfirmPrintTitle(shipped, u"shipped");
    ASSERT_TRUE(WritePrintTitlesFile((dir / "prntits.arc").string(), shipped));
    CDalvorApp app;
    app.programFolder = dir.string();
    app.userDataFolder = (dir / "user").string();
    app.LoadOrSavePrintTitles(0);
    EXPECT_EQ(Title(app, 0), "shipped");
    EXPECT_TRUE(fs::exists(dir / "user" / "prntits.arc"));
}

TEST(PrintTitles, AFifoInPlaceOfTheFileNeitherHangsNorIsRead)
{
    const TempFolder folder("dalvor-titles");
    const fs::path& dir = folder.Path();
    ASSERT_EQ(::mkfifo((dir / "prntits.arc").c_str(), 0600), 0);
    EXPECT_EQ(ExitCodeInChild([&] {
                  CDalvorApp app;
                  app.userDataFolder = dir.string();
                  app.LoadOrSavePrintTitles(0);
                  return Title(app, 0) == "(Title #1)" ? 0 : 1;
              }),
              0);
    EXPECT_TRUE(fs::is_fifo(dir / "prntits.arc"));  // left as it was
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
    const TempFolder folder("dalvor-titles");
    const fs::path& dir = folder.Path();
    const std::string path = (dir / "prntits.arc").string();
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
