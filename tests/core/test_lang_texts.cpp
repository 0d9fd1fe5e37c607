// Language texts: the three tables, the lookup by key and offset, and the
// switch of the language-dependent files.
#include "DalvorApp.h"
#include "LangTables.h"
#include "Text.h"

#include "../../tools/mkstrings/StringTableFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
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
    return fs::path(__FILE__).parent_path().parent_path().parent_path();
}

fs::path DataFolder()
{
#ifdef DALVOR_TEST_DATA
    return fs::path(DALVOR_TEST_DATA);
#else
    return fs::path(__FILE__).parent_path() / "data";
#endif
}

std::u16string U16(const std::string& utf8)
{
    std::u16string out;
    EXPECT_TRUE(langtext::DecodeUtf8(utf8, out)) << utf8;
    return out;
}

std::string U8(const std::u16string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
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
        out[e.key] = U16(e.text);
    return out;
}

std::map<int, std::u16string> ReadLanguage(int index)
{
    return ReadTable(SourceRoot() / "resources" / "strings" / (std::string(kCodes[index]) + ".txt"));
}

std::vector<int> ReadUsedKeys()
{
    std::ifstream in(DataFolder() / "used_keys.txt");
    EXPECT_TRUE(in.good());
    std::vector<int> keys;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        keys.push_back(std::stoi(line));
    }
    return keys;
}

// The printf conversions of a text, in order ("%.2f", "%s", "%%" ...). Only
// what the program's formats use counts: flags, width, precision and one of
// d i u x X e E f g G c s %, so a per-cent sign in running text ("10% of")
// is no conversion.
std::vector<std::u16string> Conversions(const std::u16string& text)
{
    static const std::u16string kFlags = u"-+ #0";
    static const std::u16string kTypes = u"diuxXeEfgGcs%";
    std::vector<std::u16string> out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        std::size_t j = i + 1;
        while (j < text.size() && kFlags.find(text[j]) != std::u16string::npos)
            ++j;
        while (j < text.size() && text[j] >= u'0' && text[j] <= u'9')
            ++j;
        if (j < text.size() && text[j] == u'.') {
            ++j;
            while (j < text.size() && text[j] >= u'0' && text[j] <= u'9')
                ++j;
        }
        if (j < text.size() && kTypes.find(text[j]) != std::u16string::npos) {
            out.push_back(text.substr(i, j + 1 - i));
            i = j;
        }
    }
    return out;
}

std::size_t Count(const std::u16string& text, char16_t c)
{
    std::size_t n = 0;
    for (char16_t u : text)
        n += u == c;
    return n;
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
        u"[kN/m]", u"[kN/m³]", u"[kg/m³]", u"[m²/s]", u"[m³/s]", u"[m/s]", u"[mg/l]",
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
            tables[i] = ReadLanguage(i);
    }
    std::unique_ptr<CDalvorApp> app;
    std::map<int, std::u16string> tables[3];
};

TEST_F(LangTexts, EveryKeyInUseHasATextInEveryLanguage)
{
    std::vector<int> used = ReadUsedKeys();
    ASSERT_GT(used.size(), 700u);
    for (int key : used)
        for (int i = 0; i < 3; ++i)
            EXPECT_NE(app->LoadLangString(key, kOffsets[i]), kNotFound)
                << "key " << key << " in " << kCodes[i];
}

TEST_F(LangTexts, QuotedEnglishTextsAreExact)
{
    std::map<int, std::u16string> quoted = ReadTable(DataFolder() / "quoted_en.txt");
    ASSERT_GT(quoted.size(), 600u);
    for (const auto& [key, text] : quoted)
        EXPECT_EQ(U8(app->LoadLangString(key, LangEnglish)), U8(text)) << "key " << key;
    // A few that are easy to get wrong: spelling kept, trailing blanks kept.
    EXPECT_EQ(app->LoadLangString(20239, LangEnglish), u"The pipe does not meet structural reqirements:");
    EXPECT_EQ(app->LoadLangString(20241, LangEnglish), u"- the load bering value was exceeded");
    EXPECT_EQ(app->LoadLangString(20178, LangEnglish), u"Fluid ensity: ");
    EXPECT_EQ(app->LoadLangString(20056, LangEnglish), u"Backfill soil type:");
    EXPECT_EQ(app->LoadLangString(20087, LangEnglish), u"Backfill soil type: ");
    EXPECT_EQ(app->LoadLangString(20012, LangEnglish), u" ");
    EXPECT_EQ(app->LoadLangString(20343, LangEnglish),
              u"Note:\n\nAnchorage parameters have been determined assuming zero tank filling.");
    EXPECT_EQ(app->LoadLangString(57345, LangEnglish), u"For Help, press F1");
    EXPECT_EQ(app->LoadLangString(1171, LangEnglish), u"Choose typical…");
    // The New button: description before the line break, tooltip after it.
    EXPECT_EQ(app->LoadLangString(57600, LangEnglish), u"Create a new document\nNew");
}

TEST_F(LangTexts, TabCaptionsKeepFiveBlanksAtEachEnd)
{
    EXPECT_EQ(app->LoadLangString(108, LangEnglish), u"     Manholes - uplift force calculator     ");
    EXPECT_EQ(app->LoadLangString(109, LangEnglish), u"     Underground tank - uplift force calculator     ");
    EXPECT_EQ(app->LoadLangString(110, LangEnglish), u"     Gravity pipeline - hydraulic calculator     ");
    EXPECT_EQ(app->LoadLangString(111, LangEnglish), u"     Pressure pipeline - hydraulic calculator     ");
    EXPECT_EQ(app->LoadLangString(112, LangEnglish), u"     Underground pipeline - static calculator     ");
    // The tabs are as wide in the other languages.
    for (int key = 108; key <= 112; ++key)
        for (int offset : kOffsets) {
            std::u16string t = app->LoadLangString(key, offset);
            ASSERT_GT(t.size(), 12u);
            EXPECT_EQ(t.substr(0, 5), u"     ") << key << " at " << offset;
            EXPECT_NE(t[5], u' ') << key << " at " << offset;
            EXPECT_EQ(t.substr(t.size() - 5), u"     ") << key << " at " << offset;
            EXPECT_NE(t[t.size() - 6], u' ') << key << " at " << offset;
        }
}

TEST_F(LangTexts, ThreeTablesHoldTheSameKeysAndTheBuildHoldsThem)
{
    ASSERT_FALSE(tables[1].empty());
    for (int i = 0; i < 3; ++i) {
        std::set<int> keys, english;
        for (const auto& [k, t] : tables[i])
            keys.insert(k);
        for (const auto& [k, t] : tables[1])
            english.insert(k);
        EXPECT_EQ(keys, english) << kCodes[i];
        // The built table answers every entry of the file with its own text,
        // so no text of one language shadows another's.
        for (const auto& [key, text] : tables[i])
            EXPECT_EQ(U8(app->LoadLangString(key, kOffsets[i])), U8(text))
                << "key " << key << " in " << kCodes[i];
    }
}

TEST_F(LangTexts, NoTwoTextsShareAnId)
{
    std::map<int, std::string> owner;
    for (int i = 0; i < 3; ++i)
        for (const auto& [key, text] : tables[i]) {
            const long long id = static_cast<long long>(key) + kOffsets[i];
            ASSERT_LE(id, INT_MAX);
            std::string name = std::string(kCodes[i]) + " " + std::to_string(key);
            auto [it, inserted] = owner.emplace(static_cast<int>(id), name);
            EXPECT_TRUE(inserted) << name << " and " << it->second << " share the id " << id;
        }
    // The menus and the texts of the file handling sit in ranges of their own.
    for (int i = 0; i < 3; ++i)
        for (int key = 21000; key <= 21199; ++key)
            if (tables[i].count(key)) {
                const int id = key + kOffsets[i];
                for (int j = 0; j < 3; ++j) {
                    if (j != i) {
                        EXPECT_EQ(tables[j].count(id - kOffsets[j]), 0u)
                            << kCodes[i] << " " << key << " collides with " << kCodes[j];
                    }
                }
            }
}

TEST_F(LangTexts, FormatsAndLineBreaksAgreeAcrossLanguages)
{
    int formats = 0;
    for (const auto& [key, english] : tables[1]) {
        const std::vector<std::u16string> conversions = Conversions(english);
        formats += !conversions.empty();
        for (int i : {0, 2}) {
            auto it = tables[i].find(key);
            if (it == tables[i].end())
                continue;  // reported by the key test
            EXPECT_EQ(Conversions(it->second), conversions) << "key " << key << " in " << kCodes[i];
            EXPECT_EQ(Count(it->second, u'\n'), Count(english, u'\n')) << "key " << key << " in " << kCodes[i];
            EXPECT_EQ(Count(it->second, u'\t'), Count(english, u'\t')) << "key " << key << " in " << kCodes[i];
        }
    }
    // The message formats of the pages and of the file handling are among them.
    EXPECT_GE(formats, 10);
    EXPECT_EQ(Conversions(app->LoadLangString(20258, LangPolish)), std::vector<std::u16string>{u"%.0f"});
    EXPECT_EQ(Conversions(app->LoadLangString(20256, LangRussian)), std::vector<std::u16string>{u"%.2f"});
    EXPECT_EQ(Conversions(app->LoadLangString(21017, LangPolish)),
              (std::vector<std::u16string>{u"%s", u"%s"}));
    // A per-cent sign in running text is no conversion.
    EXPECT_TRUE(Conversions(u"Min. cover layer amounts to 10% tank diameter.").empty());
    EXPECT_EQ(Conversions(u"10% d %%"), (std::vector<std::u16string>{u"% d", u"%%"}));
}

TEST_F(LangTexts, TranslationsDifferFromEnglishSaveUnitsAndSymbols)
{
    const auto& allowed = SameInEveryLanguage();
    for (const auto& [key, english] : tables[1])
        for (int i : {0, 2}) {
            auto it = tables[i].find(key);
            if (it == tables[i].end())
                continue;
            if (it->second == english) {
                EXPECT_TRUE(allowed.count(english))
                    << "key " << key << " in " << kCodes[i] << " is left in English: " << U8(english);
            }
            EXPECT_NE(it->second.rfind(u"RU_", 0), 0u) << "placeholder at key " << key;
            EXPECT_FALSE(it->second.empty() && !english.empty()) << "key " << key << " in " << kCodes[i];
        }
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
    // Conclusions are printed over two rows of 60 characters.
    for (int key : {20233, 20236, 20237, 20238, 20239, 20243, 20244, 20245, 20246, 20247, 20250,
                    20251, 20252, 20255, 20261, 20297})
        for (int offset : kOffsets)
            EXPECT_LE(app->LoadLangString(key, offset).size(), 120u) << key << " at " << offset;
    // Warnings, reasons, hints and report rows hold at most 63 characters.
    std::vector<int> rows = {20248, 20249, 20253, 20254, 20340, 20241, 20242, 20298, 20299,
                             20295, 20296, 20300, 1604, 1605, 1600};
    for (int key = 20012; key <= 20232; ++key)
        if (tables[1].count(key))
            rows.push_back(key);
    for (int key : rows)
        for (int offset : kOffsets)
            EXPECT_LE(app->LoadLangString(key, offset).size(), 63u) << key << " at " << offset;
    // The tank's warnings go into a text field of 127 characters.
    for (int key : {20234, 20235})
        for (int offset : kOffsets)
            EXPECT_LE(app->LoadLangString(key, offset).size(), 127u) << key << " at " << offset;
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
    EXPECT_EQ(app->LoadLangString(21101, LangEnglish), u"&New\tCtrl+N");
    EXPECT_EQ(app->LoadLangString(21111, LangEnglish), u"P&roject...");
    EXPECT_EQ(app->LoadLangString(21112, LangEnglish), u"Import of data...");
    EXPECT_EQ(app->LoadLangString(21143, LangEnglish), u"&About Dalvor...");
}

TEST_F(LangTexts, MissingKeyReadsStringNotFound)
{
    EXPECT_EQ(app->LoadLangString(99999, LangEnglish), u"STRING NOT FOUND");
    EXPECT_EQ(app->LoadLangString(99999, LangEnglish).size(), 16u);
    EXPECT_EQ(app->LoadLangString(-5, LangPolish), kNotFound);
    // Key plus offset beyond the id range names nothing, and does not wrap.
    EXPECT_EQ(app->LoadLangString(INT_MAX, LangRussian), kNotFound);
    EXPECT_EQ(app->LoadLangString(INT_MIN, -1), kNotFound);
    // A stored language value that is no offset finds no texts.
    EXPECT_EQ(app->LoadLangString(1612, 0), kNotFound);
    EXPECT_EQ(app->LoadLangString(1612, 4000), kNotFound);
    // The disclaimer exists in every language, each its own.
    std::u16string en = app->LoadLangString(1612, LangEnglish);
    std::u16string pl = app->LoadLangString(1612, LangPolish);
    std::u16string ru = app->LoadLangString(1612, LangRussian);
    EXPECT_NE(en, kNotFound);
    EXPECT_NE(pl, kNotFound);
    EXPECT_NE(ru, kNotFound);
    EXPECT_NE(en, pl);
    EXPECT_NE(en, ru);
    // The one-argument form follows the application's language.
    app->languageOffset = LangRussian;
    EXPECT_EQ(app->LoadLangString(1612), ru);
    EXPECT_EQ(FindLangText(1612 + LangEnglish), en);
    EXPECT_EQ(FindLangText(99999), nullptr);
}

class SwitchLanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/dalvor-lang-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        app = std::make_unique<CDalvorApp>();
        app->programFolder = folder;
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    std::string folder;
    std::unique_ptr<CDalvorApp> app;
};

TEST_F(SwitchLanguageTest, PathsFollowTheLanguage)
{
    struct Case {
        int offset;
        const char* code;
        const char* help;
    };
    const Case cases[] = {
        {3100, "pl", "DalvorPL.html"}, {5100, "en", "DalvorEN.html"}, {7100, "ru", "DalvorRU.html"},
        {4242, "pl", "DalvorPL.html"}, {0, "pl", "DalvorPL.html"},
    };
    app->languageOffset = LangEnglish;
    for (const Case& c : cases) {
        ReferenceLoadStatus status = app->SwitchLanguage(c.offset);
        EXPECT_EQ(status.file, folder + "/db/" + c.code + "/quorlindata.mdb") << c.offset;
        // The folder holds no database: the tables stay empty and it is said so.
        EXPECT_EQ(status.error, ReferenceLoadStatus::CannotOpen) << c.offset;
        EXPECT_EQ(app->helpFilePath, folder + "/" + c.help) << c.offset;
        EXPECT_EQ(app->soilCount, 0);
        EXPECT_TRUE(app->soils.empty());
        // The language itself is the command's to set.
        EXPECT_EQ(app->languageOffset, LangEnglish);
    }
}

TEST_F(SwitchLanguageTest, ReloadsTheLanguagesCatalogueAndKeepsTheRecords)
{
    const char* home = std::getenv("DALVOR_HOME");
    if (!home || !fs::exists(fs::path(home) / "db" / "ru" / "quorlindata.mdb") ||
        !fs::exists(fs::path(home) / "db" / "pl" / "quorlindata.mdb"))
        GTEST_SKIP() << "no built catalogue databases under DALVOR_HOME";
    app->programFolder = home;
    app->gravityFlow.length = 123.5;

    ReferenceLoadStatus ru = app->SwitchLanguage(LangRussian);
    EXPECT_EQ(ru.error, ReferenceLoadStatus::Ok) << ru.file << " " << ru.table;
    EXPECT_EQ(ru.file, std::string(home) + "/db/ru/quorlindata.mdb");
    EXPECT_EQ(app->helpFilePath, std::string(home) + "/DalvorRU.html");
    EXPECT_GT(app->soilCount, 0);
    EXPECT_EQ(app->soilCount, static_cast<int>(app->soils.size()));
    std::u16string russianSoil = FromFixed(app->soils[0].name);

    ReferenceLoadStatus pl = app->SwitchLanguage(LangPolish);
    EXPECT_EQ(pl.error, ReferenceLoadStatus::Ok);
    EXPECT_EQ(pl.file, std::string(home) + "/db/pl/quorlindata.mdb");
    EXPECT_EQ(app->helpFilePath, std::string(home) + "/DalvorPL.html");
    ASSERT_GT(app->soilCount, 0);
    EXPECT_NE(FromFixed(app->soils[0].name), russianSoil);
    EXPECT_EQ(app->gravityFlow.length, 123.5);
}

}  // namespace
