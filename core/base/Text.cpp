#include "core/base/Text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <locale.h>
#include <vector>

std::size_t BoundedLength(const char16_t* text, std::size_t cap)
{
    std::size_t n = 0;
    while (n < cap && text[n] != 0)
        ++n;
    return n;
}

std::u16string FromFixed(const char16_t* text, std::size_t cap)
{
    return std::u16string(text, BoundedLength(text, cap));
}

void CopyBounded(char16_t* dst, std::size_t cap, std::u16string_view src, std::size_t maxUnits)
{
    if (cap == 0)
        return;
    std::size_t n = std::min({src.size(), maxUnits, cap - 1});
    std::copy_n(src.data(), n, dst);
    dst[n] = 0;
}

bool DecodeUtf8(std::string_view text, std::u16string& out)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    // An ASCII beginning (all of a number's text) is widened in one go.
    std::size_t i = 0;
    while (i < n && s[i] < 0x80)
        ++i;
    out.assign(s, s + i);
    if (i == n)
        return true;
    out.reserve(n);
    bool valid = true;
    while (i < n) {
        unsigned c = s[i];
        char32_t cp;
        int extra;
        if (c < 0x80) {
            cp = c;
            extra = 0;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else {
            out.push_back(0xFFFD);
            valid = false;
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        static constexpr char32_t minimum[4] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(0xFFFD);
            valid = false;
            ++i;
            continue;
        }
        i += extra + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return valid;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    DecodeUtf8(text, out);
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

namespace {

// Switches this thread to the C locale for as long as it lives.
class CLocaleScope {
public:
    CLocaleScope()
    {
        static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        previous = uselocale(cLocale);
    }
    ~CLocaleScope() { uselocale(previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous;
};

// One conversion of a format, its '*' width and precision already numbers,
// appended to out. It is written once into a buffer on the stack; only a text
// too long for that buffer is written a second time, straight into out.
template <typename T>
void AppendOne(std::string& out, const std::string& directive, T value)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    char buffer[128];
    const int n = std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
    if (n <= 0)
        return;
    const auto length = static_cast<std::size_t>(n);
    if (length < sizeof buffer) {
        out.append(buffer, length);
        return;
    }
    const std::size_t at = out.size();
    out.resize(at + length + 1);
    std::snprintf(out.data() + at, length + 1, directive.c_str(), value);
    out.resize(at + length);
#pragma GCC diagnostic pop
}

// The precision of a plain fixed conversion ("%f" or "%.Nf": no flags, no
// width, no length), or -1 for any other directive.
int PlainFixedPrecision(std::string_view directive)
{
    if (directive == "%f")
        return 6;
    if (directive.size() < 4 || directive.size() > 7 || !directive.starts_with("%.") || !directive.ends_with('f'))
        return -1;
    int precision = 0;
    for (char c : directive.substr(2, directive.size() - 3)) {
        if (c < '0' || c > '9')
            return -1;
        precision = precision * 10 + (c - '0');
    }
    return precision;
}

// A real appended to out. The fields' plain fixed conversions of finite
// values go through std::to_chars, which writes the very text printf writes
// (the exact value rounded, ties to even) at a fraction of its cost; any
// other conversion, or a text longer than the buffer, goes through printf.
void AppendReal(std::string& out, const std::string& directive, double value)
{
    // A real that is not finite (a damaged record's) is never shown as
    // "inf" or "nan", padded or not: it is written "-".
    if (!std::isfinite(value)) {
        out.push_back('-');
        return;
    }
    if (const int precision = PlainFixedPrecision(directive); precision >= 0) {
        char buffer[128];
        const auto [end, error] =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
        if (error == std::errc()) {
            out.append(buffer, end);
            return;
        }
    }
    AppendOne(out, directive, value);
}

// True when a formatted real shows only zeros before its exponent: a value
// that rounds to zero at its precision.
bool ShowsZero(std::string_view text)
{
    for (char c : text) {
        if (c == 'e' || c == 'E' || c == 'p' || c == 'P')
            break;
        if (c >= '1' && c <= '9')
            return false;
        if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))
            return false;  // a hexadecimal digit or an infinity
    }
    return true;
}

// printf in the C locale, conversion by conversion, so that a real which
// rounds to zero at its format shows without a sign ("0.00", never "-0.00").
std::string VFormatC(const char* format, va_list args)
{
    CLocaleScope scope;
    std::string out;
    const char* p = format;
    while (*p) {
        if (*p != '%') {
            const char* next = std::strchr(p, '%');
            const std::size_t n = next ? static_cast<std::size_t>(next - p) : std::strlen(p);
            out.append(p, n);
            p += n;
            continue;
        }
        std::string directive = "%";
        ++p;
        while (*p && std::strchr("-+ #0'", *p))
            directive.push_back(*p++);
        for (int part = 0; part < 2; ++part) {  // width, then precision
            if (part == 1) {
                if (*p != '.')
                    break;
                directive.push_back(*p++);
            }
            if (*p == '*') {
                directive += std::to_string(va_arg(args, int));
                ++p;
            }
            while (*p >= '0' && *p <= '9')
                directive.push_back(*p++);
        }
        const char* lengthStart = p;
        while (*p && std::strchr("hljztLq", *p))
            ++p;
        const std::string_view length(lengthStart, static_cast<std::size_t>(p - lengthStart));
        const char conversion = *p;
        if (!conversion)
            break;
        ++p;
        directive += length;
        directive.push_back(conversion);
        const bool wide = length == "l" || length == "ll" || length == "j" || length == "z" || length == "t" ||
                          length == "q";
        switch (conversion) {
        case '%': out.push_back('%'); break;
        case 'd': case 'i': case 'o': case 'u': case 'x': case 'X':
            if (wide)
                AppendOne(out, directive, va_arg(args, long long));  // every wide integer is 64-bit here
            else
                AppendOne(out, directive, va_arg(args, int));
            break;
        case 'c': AppendOne(out, directive, va_arg(args, int)); break;
        case 's': AppendOne(out, directive, va_arg(args, const char*)); break;
        case 'p': AppendOne(out, directive, va_arg(args, void*)); break;
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A': {
            const double value = length == "L" ? static_cast<double>(va_arg(args, long double)) : va_arg(args, double);
            if (length == "L")
                directive.erase(directive.size() - 2, 1);
            const std::size_t at = out.size();
            AppendReal(out, directive, value);
            if (std::signbit(value) && std::isfinite(value) && ShowsZero(std::string_view(out).substr(at))) {
                out.resize(at);
                AppendReal(out, directive, -value);
            }
            break;
        }
        default: out += directive; break;  // no conversion: shown as it stands
        }
    }
    return out;
}

}  // namespace

std::string FormatC(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string s = VFormatC(format, args);
    va_end(args);
    return s;
}

std::u16string NumberText(const char* format, double value)
{
    return Utf8ToUtf16(FormatC(format, value));
}

double ParseNumber(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    for (std::size_t i = b; i < e; ++i)
        s.push_back(text[i] == ',' ? '.' : text[i]);
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+')
        ++first;
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr == first || !std::isfinite(value))
        return 0.0;
    return value;
}

double ParseNumber(std::u16string_view text)
{
    return ParseNumber(Utf16ToUtf8(text));
}

std::u16string_view CutTextView(std::u16string_view text, std::size_t maxUnits)
{
    if (text.size() <= maxUnits)
        return text;
    std::size_t n = maxUnits;
    if (n > 0 && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF)
        --n;
    return text.substr(0, n);
}

std::u16string CutText(std::u16string_view text, std::size_t maxUnits)
{
    return std::u16string(CutTextView(text, maxUnits));
}
