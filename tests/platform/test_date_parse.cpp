// Reading dates and times as a list cell shows them.
#include "core/base/Text.h"
#include "platform/DateParse.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace {

std::optional<double> Date(const char16_t* text)
{
    return ParseListDate(text);
}

}  // namespace

TEST(DateParse, DatesAndTimesAsDaysAndTheirFractions)
{
    // Days since 30 December 1899, the time of day as their fraction.
    const std::pair<const char16_t*, double> dates[] = {
        {u"2024-03-15", 45366}, {u"1899-12-30", 0}, {u"1900-01-01", 2}, {u"1899-12-29", -1},
        {u"0100-01-01", -657434}, {u"12/31/9999", 2958465}, {u"  15.03.2024  ", 45366},
        {u"3/15/2024", 45366}, {u"15/3/2024", 45366},  // only the day-first reading is a date
        {u"3-15-24", 45366}, {u"2024/3/15", 45366}, {u"15 Mar 2024", 45366}, {u"15-march-2024", 45366},
        {u"March 15, 2024", 45366}, {u"Mar. 15 2024", 45366}, {u"2/29/2024", 45351}, {u"1/2/29", 47120},
        {u"1/2/30", 10960}, {u"12:00", 0.5}, {u"6:00:00 AM", 0.25}, {u"12:00 am", 0},
        {u"1:30 PM", (13 * 3600 + 30 * 60) / 86400.0}, {u"2024-03-15T18:00", 45366.75},
        {u"15.3.2024 18:00:00", 45366.75}};
    for (const auto& [text, value] : dates)
        EXPECT_EQ(Date(text), std::optional<double>(value)) << Utf16ToUtf8(text);
    // Before 1899 a later time of day is still a larger value.
    EXPECT_GT(*Date(u"1899-12-29 18:00"), *Date(u"1899-12-29 06:00"));

    for (const char16_t* bad : {u"", u"   ", u"abc", u"12", u"1/2", u"12.5", u"31.04.2024", u"2023-02-29",
                                u"13/13/2024", u"24:00", u"12:60", u"13:00 PM", u"0:30 AM", u"2024-03-15 x",
                                u"2024-03-15 12", u"1.2.3.4", u"15 Foo 2024", u"1/2/12345", u"3/15\u20222024",
                                u"2024-3-15T", u"15 Mar", u"99/99/99"})
        EXPECT_FALSE(Date(bad)) << Utf16ToUtf8(bad);
}
