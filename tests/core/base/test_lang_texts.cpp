// Language texts: the three tables, the lookup by key and offset, and the
// switch of the language-dependent files.
#include "core/app/DalvorApp.h"
#include "core/base/LangTables.h"
#include "core/base/Text.h"
#include "tests/core/CoreTestSupport.h"

#include "tools/mkstrings/StringTableFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kOffsets[3] = {LangPolish, LangEnglish, LangRussian};
const char* const kCodes[3] = {"pl", "en", "ru"};
const std::u16string kNotFound = u"STRING NOT FOUND";

fs::path SourceRoot()
{
    return fs::path(__FILE__).parent_path().parent_path().parent_path().parent_path();
}

// A table file as key -> text; a parse error fails the test.
std::map<int, std::u16string> ReadTable(const fs::path& path)
{
    std::string content;
    EXPECT_TRUE(langtext::ReadWholeFile(path.string(), content)) << path;
    langtext::Table table = langtext::ParseTable(content, path.string());
    for (const std::string& e : table.errors)
        ADD_FAILURE() << e;
    std::map<int, std::u16string> out;
    for (const langtext::Entry& e : table.entries)
        EXPECT_TRUE(DecodeUtf8(e.text, out[e.key])) << e.text;
    return out;
}

std::vector<int> ReadUsedKeys()
{
    std::ifstream in(fs::path(DALVOR_TEST_DATA) / "used_keys.txt");
    EXPECT_TRUE(in.good());
    std::vector<int> keys;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            keys.push_back(std::stoi(line));
    return keys;
}

// The printf conversions of a text, in order ("%.2f", "%s", "%%" ...). Only
// what the program's formats use counts: flags, width, precision and one of
// d i u x X e E f g G c s %, so a per-cent sign in running text ("10% of")
// is no conversion.
std::vector<std::string> Conversions(const std::u16string& text)
{
    static const std::regex conversion(R"(%[-+ #0]*[0-9]*(\.[0-9]*)?[diuxXeEfgGcs%])");
    const std::string utf8 = Utf16ToUtf8(text);
    std::vector<std::string> out;
    for (std::sregex_iterator it(utf8.begin(), utf8.end(), conversion), end; it != end; ++it)
        out.push_back(it->str());
    return out;
}

std::size_t Count(const std::u16string& text, char16_t c)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

// Texts that a translation may leave as in English: units, symbols, numbers
// and names that read the same in every language.
const std::set<std::u16string>& SameInEveryLanguage()
{
    static const std::set<std::u16string> allowed = {
        // units and unit labels
        u" ", u"m", u"mm", u"m³", u"m/s", u"m²/s", u"m³/h", u"m³/s", u"m³/d", u"m³/d = ", u"l/s",
        u"l/h", u"kg/m³", u"kN", u"kPa", u"MPa", u"kN/m", u"kN/m²", u"kN/m³", u"%", u"°", u"‰",
        u"[m]", u"[mm]", u"[m³]", u"[%]", u"[‰]", u"[-]", u"[°]", u"[kN]", u"[kPa]", u"[MPa]",
        u"[kN/m]", u"[kN/m²]", u"[kN/m³]", u"[kg/m³]", u"[m²/s]", u"[m³/s]", u"[m/s]", u"[mg/l]",
        // slider end labels
        u"0", u"1", u"1000",
        // button and toolbar names that stay as they are
        u"OK", u"Standard",
        // keyboard lock indicators
        u"CAP", u"NUM", u"SCRL",
    };
    return allowed;
}

class LangTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<CDalvorApp>();
        for (int i = 0; i < 3; ++i)
            tables[i] = ReadTable(SourceRoot() / "resources" / "strings" / (std::string(kCodes[i]) + ".txt"));
    }
    std::unique_ptr<CDalvorApp> app;
    std::map<int, std::u16string> tables[3];
};

TEST_F(LangTexts, EveryKeyInUseIsThereAndEveryQuotedEnglishTextIsExact)
{
    std::vector<int> used = ReadUsedKeys();
    ASSERT_GT(used.size(), 700u);
    for (int key : used)
        for (int i = 0; i < 3; ++i)
            EXPECT_NE(app->LoadLangString(key, kOffsets[i]), kNotFound) << "key " << key << " in " << kCodes[i];

    std::map<int, std::u16string> quoted = ReadTable(fs::path(DALVOR_TEST_DATA) / "quoted_en.txt");
    ASSERT_GT(quoted.size(), 600u);
    for (const auto& [key, text] : quoted)
        EXPECT_EQ(Utf16ToUtf8(app->LoadLangString(key, LangEnglish)), Utf16ToUtf8(text)) << "key " << key;
    // A few that are easy to get wrong, written out here so that the reading of
    // the table files is checked too: spelling, trailing blanks, line breaks.
    const std::pair<int, std::u16string> samples[] = {
        {20239, u"The pipe does not meet structural requirements:"}, {20241, u"- the load bearing value was exceeded"},
        {20178, u"Fluid density: "}, {20056, u"Backfill soil type:"}, {20087, u"Backfill soil type: "}, {20012, u" "},
        {20343, u"Note:\n\nAnchorage parameters have been determined assuming zero tank filling."},
        {57345, u"For Help, press F1"}, {1171, u"Choose typical…"},
        // The New button: description before the line break, tooltip after it.
        {57600, u"Create a new document\nNew"},
        {108, u"     Manholes - uplift force calculator     "},
    };
    for (const auto& [key, text] : samples)
        EXPECT_EQ(app->LoadLangString(key, LangEnglish), text) << key;
}

TEST_F(LangTexts, TabCaptionsKeepFiveBlanksAtEachEnd)
{
    // In every language, as the English captions 108 to 112 quoted above.
    for (int key = 108; key <= 112; ++key)
        for (int offset : kOffsets) {
            const std::u16string t = app->LoadLangString(key, offset);
            EXPECT_EQ(t.find_first_not_of(u' '), 5u) << key << " at " << offset;
            EXPECT_EQ(t.find_last_not_of(u' ') + 6, t.size()) << key << " at " << offset;
        }
}

TEST_F(LangTexts, ThreeTablesHoldTheSameKeysEachWithAnIdOfItsOwn)
{
    ASSERT_FALSE(tables[1].empty());
    auto keys = [&](int i) {
        std::set<int> out;
        for (const auto& entry : tables[i])
            out.insert(entry.first);
        return out;
    };
    std::map<int, std::string> owner;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(keys(i), keys(1)) << kCodes[i];
        for (const auto& [key, text] : tables[i]) {
            // No two (key, language) pairs share an id, and the built table
            // answers every entry of the file with its own text.
            const long long id = static_cast<long long>(key) + kOffsets[i];
            ASSERT_LE(id, INT_MAX);
            std::string name = std::string(kCodes[i]) + " " + std::to_string(key);
            auto [it, inserted] = owner.emplace(static_cast<int>(id), name);
            EXPECT_TRUE(inserted) << name << " and " << it->second << " share the id " << id;
            EXPECT_EQ(Utf16ToUtf8(app->LoadLangString(key, kOffsets[i])), Utf16ToUtf8(text)) << name;
        }
    }
}

TEST_F(LangTexts, TranslationsKeepFormatsAndLineBreaksAndDifferFromEnglishSaveUnitsAndSymbols)
{
    const auto& allowed = SameInEveryLanguage();
    int formats = 0;
    for (const auto& [key, english] : tables[1]) {
        const std::vector<std::string> conversions = Conversions(english);
        formats += !conversions.empty();
        for (int i : {0, 2}) {
            auto it = tables[i].find(key);
            if (it == tables[i].end())
                continue;  // reported by the key test
            const std::u16string& text = it->second;
            SCOPED_TRACE("key " + std::to_string(key) + " in " + kCodes[i]);
            EXPECT_EQ(Conversions(text), conversions);
            EXPECT_EQ(Count(text, u'\n'), Count(english, u'\n'));
            EXPECT_EQ(Count(text, u'\t'), Count(english, u'\t'));
            EXPECT_TRUE(text != english || allowed.count(english)) << "left in English: " << Utf16ToUtf8(english);
            EXPECT_NE(text.rfind(u"RU_", 0), 0u) << "a placeholder";
            EXPECT_FALSE(text.empty() && !english.empty());
        }
    }
    // The message formats of the pages and of the file handling are among them.
    EXPECT_GE(formats, 10);
    EXPECT_EQ(Conversions(app->LoadLangString(20258, LangPolish)), std::vector<std::string>{"%.0f"});
    EXPECT_EQ(Conversions(app->LoadLangString(20256, LangRussian)), std::vector<std::string>{"%.2f"});
    EXPECT_EQ(Conversions(app->LoadLangString(21017, LangPolish)), (std::vector<std::string>{"%s", "%s"}));
    // A per-cent sign in running text is no conversion.
    EXPECT_TRUE(Conversions(u"Min. cover layer amounts to 10% tank diameter.").empty());
    EXPECT_EQ(Conversions(u"10% d %%"), (std::vector<std::string>{"% d", "%%"}));

    // The Polish words that the program's users know from the old versions.
    EXPECT_EQ(app->LoadLangString(1557, LangPolish), u"Dodaj");
    EXPECT_EQ(app->LoadLangString(1558, LangPolish), u"Aktualizuj");
    EXPECT_EQ(app->LoadLangString(21111, LangPolish), u"P&rojekt...");
    // The toolbar's title reads the same in all three languages.
    for (int offset : kOffsets)
        EXPECT_EQ(app->LoadLangString(1594, offset), u"Standard");
}

TEST_F(LangTexts, TextsFitTheFieldsTheyAreWrittenInto)
{
    // Warnings, reasons, hints and report rows hold at most 63 characters.
    std::vector<int> rows = {20248, 20249, 20253, 20254, 20340, 20241, 20242, 20298, 20299,
                             20295, 20296, 20300, 1604, 1605, 1600};
    for (int key = 20012; key <= 20232; ++key)
        if (tables[1].count(key))
            rows.push_back(key);
    // Conclusions print whole over the printout's two rows.
    for (int key : {20233, 20236, 20237, 20238, 20239, 20243, 20244, 20245, 20246, 20247, 20250, 20251, 20252, 20255,
                    20261, 20297})
        for (int offset : kOffsets) {
            const std::u16string text = app->LoadLangString(key, offset);
            app->languageOffset = offset;
            CopyBounded(app->working.gravityFlow.head.conclusion, text);
            app->BuildGravityFlowReport();
            std::u16string printed = FromFixed(app->print.reportSections[3].label[1]);
            if (printed.size() < text.size() && text[printed.size()] == u' ')
                printed += u' ';
            EXPECT_EQ(Utf16ToUtf8(printed + FromFixed(app->print.reportSections[3].label[2])), Utf16ToUtf8(text))
                << key << " at " << offset;
        }
    const std::pair<std::vector<int>, std::size_t> limits[] = {
        {rows, 63},
        {{20234, 20235}, 127},  // the tank's warnings go into a text field of 127 characters
    };
    for (const auto& [keys, units] : limits)
        for (int key : keys)
            for (int offset : kOffsets)
                EXPECT_LE(app->LoadLangString(key, offset).size(), units) << key << " at " << offset;
}

TEST_F(LangTexts, MenusAndPromptsHaveTheirParts)
{
    for (int i = 0; i < 3; ++i)
        for (const auto& [key, text] : tables[i]) {
            if (key >= 21100 && key <= 21199) {
                // At most one access key; the shortcut after the tab is the same everywhere.
                EXPECT_LE(Count(text, u'&'), 1u) << key << " in " << kCodes[i];
                const std::u16string& english = tables[1].at(key);
                auto tab = english.find(u'\t');
                if (tab != std::u16string::npos) {
                    auto own = text.find(u'\t');
                    ASSERT_NE(own, std::u16string::npos) << key << " in " << kCodes[i];
                    EXPECT_EQ(text.substr(own), english.substr(tab)) << key;
                }
            }
            if ((key >= 32771 && key <= 32801) || (key >= 57600 && key < 57616) || key > 57625) {
                // "prompt\ntooltip", both parts present.
                auto nl = text.find(u'\n');
                ASSERT_NE(nl, std::u16string::npos) << key << " in " << kCodes[i];
                EXPECT_GT(nl, 0u) << key;
                EXPECT_LT(nl + 1, text.size()) << key;
            }
        }
    for (const auto& [key, text] : {std::pair<int, std::u16string>{21101, u"&New\tCtrl+N"}, {21111, u"P&roject..."},
                                    {21112, u"Import of data..."}, {21143, u"&About Dalvor..."}})
        EXPECT_EQ(app->LoadLangString(key, LangEnglish), text) << key;
}

TEST_F(LangTexts, MissingKeyReadsStringNotFound)
{
    // An unknown key; a key plus offset beyond the id range names nothing and
    // does not wrap; a stored language value that is no offset finds no texts.
    const std::pair<int, int> missing[] = {{99999, LangEnglish}, {-5, LangPolish}, {INT_MAX, LangRussian},
                                           {INT_MIN, -1},        {1612, 0},         {1612, 4000}};
    for (const auto& [key, offset] : missing)
        EXPECT_EQ(app->LoadLangString(key, offset), u"STRING NOT FOUND") << key << " at " << offset;
    // The disclaimer exists in every language, each its own.
    std::u16string en = app->LoadLangString(1612, LangEnglish);
    std::u16string pl = app->LoadLangString(1612, LangPolish);
    std::u16string ru = app->LoadLangString(1612, LangRussian);
    for (const std::u16string& text : {en, pl, ru})
        EXPECT_NE(text, kNotFound);
    EXPECT_NE(en, pl);
    EXPECT_NE(en, ru);
    // The one-argument form follows the application's language.
    app->languageOffset = LangRussian;
    EXPECT_EQ(app->LoadLangString(1612), ru);
    EXPECT_EQ(FindLangText(1612 + LangEnglish), en);
    EXPECT_EQ(FindLangText(99999), nullptr);
}

TEST(SwitchLanguage, PathsFollowTheLanguage)
{
    const TempFolder temp("dalvor-lang");
    const std::string folder = temp.Path().string();
    auto app = std::make_unique<CDalvorApp>();
    app->programFolder = folder;
    const struct {
        int offset;
        const char *code, *help;
    } cases[] = {
        {3100, "pl", "DalvorPL.html"}, {5100, "en", "DalvorEN.html"}, {7100, "ru", "DalvorRU.html"},
        {4242, "pl", "DalvorPL.html"}, {0, "pl", "DalvorPL.html"},
    };
    app->languageOffset = LangEnglish;
    for (const auto& c : cases) {
        ReferenceLoadStatus status = app->SwitchLanguage(c.offset);
        EXPECT_EQ(status.file, folder + "/db/" + c.code + "/quorlindata.mdb") << c.offset;
        // The folder holds no database: the tables stay empty and it is said so.
        EXPECT_EQ(status.error, ReferenceLoadStatus::CannotOpen) << c.offset;
        EXPECT_EQ(app->helpFilePath, folder + "/" + c.help) << c.offset;
        EXPECT_EQ(RowCount(app->tables.soils), 0);
        EXPECT_TRUE(app->tables.soils.empty());
        // The language itself is the command's to set.
        EXPECT_EQ(app->languageOffset, LangEnglish);
    }
}

TEST(SwitchLanguage, ReloadsTheLanguagesCatalogueAndKeepsTheRecords)
{
    const std::string home = DalvorHome();
    if (!fs::exists(fs::path(home) / "db" / "ru" / "quorlindata.mdb") ||
        !fs::exists(fs::path(home) / "db" / "pl" / "quorlindata.mdb"))
        GTEST_SKIP() << "no built catalogue databases under DALVOR_HOME";
    auto app = std::make_unique<CDalvorApp>();
    app->programFolder = home;
    app->working.gravityFlow.length = 123.5;

    ReferenceLoadStatus ru = app->SwitchLanguage(LangRussian);
    EXPECT_EQ(ru.error, ReferenceLoadStatus::Ok) << ru.file << " " << ru.table;
    EXPECT_EQ(ru.file, home + "/db/ru/quorlindata.mdb");
    EXPECT_EQ(app->helpFilePath, home + "/DalvorRU.html");
    EXPECT_GT(RowCount(app->tables.soils), 0);
    std::u16string russianSoil = FromFixed(app->tables.soils[0].name);

    ReferenceLoadStatus pl = app->SwitchLanguage(LangPolish);
    EXPECT_EQ(pl.error, ReferenceLoadStatus::Ok);
    EXPECT_EQ(pl.file, home + "/db/pl/quorlindata.mdb");
    EXPECT_EQ(app->helpFilePath, home + "/DalvorPL.html");
    ASSERT_GT(RowCount(app->tables.soils), 0);
    EXPECT_NE(FromFixed(app->tables.soils[0].name), russianSoil);
    EXPECT_EQ(app->working.gravityFlow.length, 123.5);
}

}  // namespace

TEST_F(LangTexts, FluidFieldsNameDensityAndTheKinematicViscositySymbol)
{
    for (int offset : kOffsets)
        for (const auto& [key, symbol] : {std::pair{1345, u"(\u03C1):"}, {1429, u"(\u03C1):"}, {1348, u"(\u03BD):"},
                                          {1431, u"(\u03BD):"}, {1495, u"(\u03BD):"}}) {
            const std::u16string t = app->LoadLangString(key, offset);
            EXPECT_NE(t.find(symbol), std::u16string::npos) << key << " at " << offset;
            EXPECT_EQ(t.find(u'\u03B7'), std::u16string::npos) << key << " at " << offset;  // no dynamic viscosity
        }
}

TEST_F(LangTexts, TheAddressBlockIsOneTextForEveryLanguage)
{
    const std::u16string address = app->LoadLangString(122, 0);
    EXPECT_NE(address.find(u"www.quorlin.example"), std::u16string::npos);
    std::tm t{};
    for (int offset : kOffsets) {
        app->languageOffset = offset;
        EXPECT_EQ(app->MakeReportTexts(KindGravityFlow, t).addressText, address) << offset;
    }
}
