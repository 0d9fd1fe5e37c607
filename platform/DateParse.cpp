#include "platform/DateParse.h"

#include <cstdint>
#include <iterator>
#include <vector>

namespace {

enum class TokenKind { Number, Word, Separator, Blank };

struct Token {
    TokenKind kind = TokenKind::Blank;
    int64_t value = 0;         // Number
    int digits = 0;            // Number
    std::u16string_view text;  // Word
    char16_t separator = 0;    // Separator

    explicit Token(TokenKind k) : kind(k) {}
};

bool IsBlank(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x00A0;
}

bool IsAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Splits the text into numbers, words, separators and blanks; false when it
// holds anything a date or time is not written with.
bool Tokenize(std::u16string_view s, std::vector<Token>& out)
{
    std::size_t i = 0;
    while (i < s.size()) {
        char16_t c = s[i];
        if (c >= u'0' && c <= u'9') {
            Token t{TokenKind::Number};
            while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
                if (t.digits < 9)
                    t.value = t.value * 10 + (s[i] - u'0');
                ++t.digits;
                ++i;
            }
            out.push_back(t);
        } else if (IsAsciiLetter(c)) {
            std::size_t b = i;
            while (i < s.size() && IsAsciiLetter(s[i]))
                ++i;
            Token t{TokenKind::Word};
            t.text = s.substr(b, i - b);
            out.push_back(t);
        } else if (IsBlank(c)) {
            while (i < s.size() && IsBlank(s[i]))
                ++i;
            out.push_back(Token{TokenKind::Blank});
        } else if (c == u'/' || c == u'-' || c == u'.' || c == u':' || c == u',') {
            Token t{TokenKind::Separator};
            t.separator = c;
            out.push_back(t);
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

char16_t Lower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

// 1 to 12 for an English month name or its three-letter abbreviation
// ("Sept" too), 0 otherwise.
int MonthFromWord(std::u16string_view w)
{
    static constexpr std::u16string_view names[12] = {
        u"january", u"february", u"march",     u"april",   u"may",      u"june",
        u"july",    u"august",   u"september", u"october", u"november", u"december"};
    for (std::size_t m = 0; m < std::size(names); ++m) {
        if (EqualsNoCase(w, names[m]) || EqualsNoCase(w, names[m].substr(0, 3)))
            return static_cast<int>(m) + 1;
    }
    if (EqualsNoCase(w, u"sept"))
        return 9;
    return 0;
}

bool IsLeap(int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

bool ValidDate(int64_t y, int64_t m, int64_t d)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1)
        return false;
    int last = days[m - 1] + ((m == 2 && IsLeap(y)) ? 1 : 0);
    return d <= last;
}

// Days since 1 January 1970 in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr int kAnyDigits = 1 << 30;

struct Cursor {
    const std::vector<Token>* t;
    std::size_t pos;

    bool AtEnd() const { return pos >= t->size(); }
    const Token* Peek() const { return AtEnd() ? nullptr : &(*t)[pos]; }
    bool Is(TokenKind k) const { return !AtEnd() && (*t)[pos].kind == k; }
    bool IsSeparator(char16_t c) const { return Is(TokenKind::Separator) && (*t)[pos].separator == c; }
    void SkipBlank()
    {
        if (Is(TokenKind::Blank))
            ++pos;
    }
    // The number here, when it has at most maxDigits digits, and the cursor
    // past it; otherwise nullptr and the cursor stays.
    const Token* TakeNumber(int maxDigits)
    {
        if (!Is(TokenKind::Number) || (*t)[pos].digits > maxDigits)
            return nullptr;
        return &(*t)[pos++];
    }
    bool TakeSeparator(char16_t c)
    {
        if (!IsSeparator(c))
            return false;
        ++pos;
        return true;
    }
};

// A year as written: one or two digits fall in 1930-2029.
bool YearFrom(const Token& n, int64_t& year)
{
    if (n.digits <= 2) {
        year = n.value < 30 ? 2000 + n.value : 1900 + n.value;
        return true;
    }
    if (n.digits <= 4) {
        year = n.value;
        return true;
    }
    return false;
}

struct Date {
    int64_t y, m, d;
};

// Numbers joined by one separator: year first when it has three or more
// digits, else month first with "/" and "-" and day first with ".", the other
// order being taken when only it gives a valid date.
bool NumericDate(Cursor& c, Date& out)
{
    Cursor k = c;
    const Token* a = k.TakeNumber(kAnyDigits);
    if (!a || !k.Is(TokenKind::Separator))
        return false;
    const char16_t sep = k.Peek()->separator;
    if (sep != u'/' && sep != u'-' && sep != u'.')
        return false;
    ++k.pos;
    const Token* b = k.TakeNumber(2);
    if (!b || !k.TakeSeparator(sep))
        return false;
    const Token* cc = k.TakeNumber(kAnyDigits);
    if (!cc)
        return false;

    Date d{};
    if (a->digits >= 3) {
        if (a->digits > 4 || cc->digits > 2)
            return false;
        d = {a->value, b->value, cc->value};
        if (!ValidDate(d.y, d.m, d.d))
            return false;
    } else {
        int64_t year;
        if (!YearFrom(*cc, year))
            return false;
        Date first = sep == u'.' ? Date{year, b->value, a->value} : Date{year, a->value, b->value};
        Date second{year, first.d, first.m};
        if (ValidDate(first.y, first.m, first.d))
            d = first;
        else if (ValidDate(second.y, second.m, second.d))
            d = second;
        else
            return false;
    }
    out = d;
    c = k;
    return true;
}

// Optional blank, then at most one of the given separators, then an optional blank.
void SkipJoin(Cursor& c, std::u16string_view separators)
{
    c.SkipBlank();
    if (c.Is(TokenKind::Separator) && separators.find(c.Peek()->separator) != std::u16string_view::npos) {
        ++c.pos;
        c.SkipBlank();
    }
}

bool MonthWord(Cursor& c, int64_t& month)
{
    if (!c.Is(TokenKind::Word))
        return false;
    int m = MonthFromWord(c.Peek()->text);
    if (m == 0)
        return false;
    ++c.pos;
    if (c.IsSeparator(u'.'))  // "Mar."
        ++c.pos;
    month = m;
    return true;
}

// "15 Mar 2024", "15-Mar-2024", "Mar 15, 2024", "March 15 2024".
bool NamedMonthDate(Cursor& c, Date& out)
{
    Cursor k = c;
    int64_t month = 0;
    int64_t day = 0;
    if (k.Is(TokenKind::Number)) {
        const Token d = *k.Peek();
        if (d.digits > 2)
            return false;
        ++k.pos;
        SkipJoin(k, u"-./");
        if (!MonthWord(k, month))
            return false;
        day = d.value;
    } else {
        if (!MonthWord(k, month))
            return false;
        k.SkipBlank();
        if (!k.Is(TokenKind::Number) || k.Peek()->digits > 2)
            return false;
        day = k.Peek()->value;
        ++k.pos;
    }
    SkipJoin(k, u"-./,");
    if (!k.Is(TokenKind::Number))
        return false;
    int64_t year;
    if (!YearFrom(*k.Peek(), year))
        return false;
    ++k.pos;
    if (!ValidDate(year, month, day))
        return false;
    out = {year, month, day};
    c = k;
    return true;
}

// "13:45", "13:45:30", "1:45 PM": seconds since midnight.
bool TimeOfDay(Cursor& c, int64_t& seconds)
{
    Cursor k = c;
    const Token* hours = k.TakeNumber(2);
    if (!hours || !k.TakeSeparator(u':'))
        return false;
    const Token* minutes = k.TakeNumber(2);
    if (!minutes)
        return false;
    int64_t h = hours->value;
    const int64_t m = minutes->value;
    int64_t s = 0;
    if (k.TakeSeparator(u':')) {
        const Token* secs = k.TakeNumber(2);
        if (!secs)
            return false;
        s = secs->value;
    }
    Cursor after = k;
    after.SkipBlank();
    int meridiem = 0;  // 1 am, 2 pm
    if (after.Is(TokenKind::Word)) {
        std::u16string_view w = after.Peek()->text;
        if (EqualsNoCase(w, u"am") || EqualsNoCase(w, u"a"))
            meridiem = 1;
        else if (EqualsNoCase(w, u"pm") || EqualsNoCase(w, u"p"))
            meridiem = 2;
        if (meridiem) {
            ++after.pos;
            k = after;
        }
    }
    if (m > 59 || s > 59)
        return false;
    if (meridiem) {
        if (h < 1 || h > 12)
            return false;
        h = (h % 12) + (meridiem == 2 ? 12 : 0);
    } else if (h > 23) {
        return false;
    }
    seconds = h * 3600 + m * 60 + s;
    c = k;
    return true;
}

}  // namespace

std::optional<double> ParseListDate(std::u16string_view text)
{
    std::vector<Token> tokens;
    if (!Tokenize(text, tokens))
        return std::nullopt;
    std::size_t first = 0, last = tokens.size();
    if (first < last && tokens[first].kind == TokenKind::Blank)
        ++first;
    if (last > first && tokens[last - 1].kind == TokenKind::Blank)
        --last;
    if (first == last)
        return std::nullopt;
    std::vector<Token> body(tokens.begin() + static_cast<std::ptrdiff_t>(first),
                            tokens.begin() + static_cast<std::ptrdiff_t>(last));

    static const int64_t dayZero = DaysFromCivil(1899, 12, 30);

    // A time alone.
    {
        Cursor c{&body, 0};
        int64_t seconds;
        if (TimeOfDay(c, seconds) && c.AtEnd())
            return seconds / 86400.0;
    }

    Cursor c{&body, 0};
    Date d{};
    if (!NumericDate(c, d) && !NamedMonthDate(c, d))
        return std::nullopt;
    const double day = static_cast<double>(DaysFromCivil(d.y, d.m, d.d) - dayZero);
    if (c.AtEnd())
        return day;

    // A time after the date, parted by blanks or by "T".
    if (c.Is(TokenKind::Blank)) {
        ++c.pos;
    } else if (c.Is(TokenKind::Word) && EqualsNoCase(c.Peek()->text, u"T")) {
        ++c.pos;
    } else {
        return std::nullopt;
    }
    int64_t seconds;
    if (!TimeOfDay(c, seconds) || !c.AtEnd())
        return std::nullopt;
    return day + seconds / 86400.0;
}
