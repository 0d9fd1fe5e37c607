// Numbers formatted for fields, lists, the clipboard and the printout: the C
// numeric locale, and no sign on a value that rounds to zero at its format;
// and UTF-8 texts read into UTF-16.
#include "core/app/DalvorApp.h"
#include "core/pages/BuriedPipePageModel.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

TEST(FormatC, AValueThatRoundsToZeroShowsNoSign)
{
    const std::pair<std::string, std::string> cases[] = {  // got, expected
        {FormatC("%.2f", -0.004), "0.00"},
        {FormatC("%.2f", -0.0), "0.00"},
        {FormatC("%.2f", -0.006), "-0.01"},
        {FormatC("%.0f", -0.4), "0"},
        {FormatC("%.1f", -0.04), "0.0"},
        {FormatC("%6.2f", -0.001), "  0.00"},
        {FormatC("%-6.2f|", -0.001), "0.00  |"},
        {FormatC("%+.2f", -0.001), "+0.00"},
        {FormatC("%5.3e", -0.0), "0.000e+00"},
        {FormatC("%5.3e", -1e-30), "-1.000e-30"},
        {FormatC("%g", -0.0), "0"},
        {FormatC("%.3f", -1e-300), "0.000"},
        // Everything else as printf writes it: texts, integers, widths from
        // arguments, a per-cent sign.
        {FormatC("%s|%.2f|%d|%lld|%*.*f%%", "-0.00", -0.001, -7, -5LL, 6, 1, -0.04), "-0.00|0.00|-7|-5|   0.0%"},
        {FormatC("%02d/%02d/%02d", 5, 1, 26), "05/01/26"},
        {FormatC("%.2f", -2.5), "-2.50"},
        // Texts longer than a field's: whole, the sign rule included.
        {FormatC("%s|%.1f", std::string(300, 'x').c_str(), -0.04), std::string(300, 'x') + "|0.0"},
        {FormatC("%200.2f|%.0f", -0.001, 1e20), std::string(196, ' ') + "0.00|100000000000000000000"},
        // A value that is not finite shows "-", whatever the conversion.
        {FormatC("PT=%.2f|%6.1f|%g", -INFINITY, INFINITY, -NAN), "PT=-|-|-"},
        {Utf16ToUtf8(NumberText("%5.3e", NAN)), "-"},
    };
    for (const auto& [got, expected] : cases)
        EXPECT_EQ(got, expected);
}

TEST(FormatC, TheDefaultBuriedPipeShowsItsBottomLevelUnsigned)
{
    auto app = StartedCore();
    CBuriedPipePageModel page(*app);
    page.ApplyLanguage(app->languageOffset);
    page.LoadBack();
    ASSERT_LT(app->working.buriedPipe.foundationLevel, 0.0);
    ASSERT_GT(app->working.buriedPipe.foundationLevel, -0.005);
    EXPECT_EQ(Utf16ToUtf8(page.Text(BuriedPipeIds::FoundationLevel)), "0.00");
    app->BuildBuriedPipeReport();
    EXPECT_EQ(Utf8(app->print.reportSections[2].value[4]), "0.00 m");
}

TEST(CutText, KeepsSurrogatePairsWhole)
{
    EXPECT_EQ(CutText(u"abcdef", 4), u"abcd");
    EXPECT_EQ(CutText(u"abc", 4), u"abc");
    EXPECT_EQ(CutText(u"ab\U0001F600", 3), u"ab");
    EXPECT_EQ(CutText(u"ab\U0001F600", 4), u"ab\U0001F600");
}

TEST(DecodeUtf8, MalformedSequencesBecomeReplacementsAndAreReported)
{
    const struct {
        std::string_view utf8;
        std::u16string_view utf16;
        bool valid;
    } cases[] = {
        {"\xC5\x82\xF0\x9D\x84\x9E", u"\u0142\U0001D11E", true},
        {"a\xC0\xAF", u"a\uFFFD\uFFFD", false},          // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},  // a surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},  // beyond U+10FFFF
        {"\xE2\x82", u"\uFFFD\uFFFD", false},            // cut short
    };
    for (const auto& c : cases) {
        std::u16string out = u"old";
        EXPECT_EQ(DecodeUtf8(c.utf8, out), c.valid) << c.utf8;
        EXPECT_TRUE(out == c.utf16) << c.utf8;
    }
}
