// Reading dates and times as a list cell shows them, for sorting by time.
// Needs no window system and never depends on the process locale: the forms
// read are those of the C locale (English month names, month-first numeric
// dates with "/" or "-", day-first with ".", ISO 8601), plus a day-first or
// month-first reading when only that one makes a valid date.
#pragma once

#include <optional>
#include <string_view>

// Days since 30 December 1899 (the day numbering office data uses), the
// fraction being the time of day. Unlike that numbering's own encoding of
// days before 1899, the value grows with time over the whole range, so two
// values compare in time order.
//
// Accepted, with blanks around and between the parts:
//   date                 2024-03-15, 2024/3/15, 2024.03.15, 3/15/2024, 3-15-24,
//                        15.3.2024, 15 Mar 2024, 15-March-2024, Mar 15, 2024
//   time                 13:45, 13:45:30, 1:45 PM, 1:45:30 am
//   date and time        a date, blanks or "T", then a time
// A year of one or two digits means 2000-2029 for 0-29 and 1930-1999 for
// 30-99; years run from 100 to 9999. A time alone lies on day 0.
// Anything else, an impossible date (31 April) or time (24:00) among them,
// gives no value.
std::optional<double> ParseListDate(std::u16string_view text);
