// core/base: what every other part of the core may use: text and number
// conversions, the language text tables, the calculation kinds, the traffic
// classes, and the interfaces through which the core reaches its settings and
// the windows. It includes nothing of the program's own outside this folder.
//
// Texts of the records and tables: UTF-16 arrays of fixed size, conversions,
// and number formatting and parsing that never depend on the process locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Number of units before the terminator, never looking past cap units.
std::size_t BoundedLength(const char16_t* text, std::size_t cap);

// The text held in a fixed array of cap units (up to its terminator or the end
// of the array).
std::u16string FromFixed(const char16_t* text, std::size_t cap);
template <std::size_t N>
std::u16string FromFixed(const char16_t (&text)[N])
{
    return FromFixed(text, N);
}

// Writes at most maxUnits units of src and a terminator into dst[cap]; the
// units after the terminator are left as they were. maxUnits is limited to
// cap - 1.
void CopyBounded(char16_t* dst, std::size_t cap, std::u16string_view src, std::size_t maxUnits);
template <std::size_t N>
void CopyBounded(char16_t (&dst)[N], std::u16string_view src, std::size_t maxUnits = N - 1)
{
    CopyBounded(dst, N, src, maxUnits);
}

// The first maxUnits units of text, one fewer when the cut would part a
// surrogate pair: as a view into text, and as a text of its own.
std::u16string_view CutTextView(std::u16string_view text, std::size_t maxUnits);
std::u16string CutText(std::u16string_view text, std::size_t maxUnits);

// UTF-8 to UTF-16 and back. Malformed UTF-8 and lone surrogates become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16 into out, as Utf8ToUtf16; false when the text holds a
// malformed, overlong or surrogate sequence or one beyond U+10FFFF.
bool DecodeUtf8(std::string_view text, std::u16string& out);

// printf-style formatting in the C numeric locale, whatever the process locale.
// A real that is not finite is written "-" (no padding), never "inf" or "nan":
// in fields, lists, the clipboard, pictures and printouts alike.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));
// One number in a printf format of one conversion, as UTF-16 text.
std::u16string NumberText(const char* format, double value);

// Reads a number as the user typed it: a decimal comma reads as a point,
// blanks around it are ignored, and text that is not a finite number reads as
// 0. Trailing text after the number is ignored, as the input fields did.
double ParseNumber(std::string_view text);
double ParseNumber(std::u16string_view text);
