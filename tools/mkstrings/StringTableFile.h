// Reading the language text tables (resources/strings/<language>.txt).
//
// One entry a line: the key in decimal, one or more blanks or tabs, then the
// text in double quotes. Inside the quotes \n is a line break, \t a tab, \r a
// carriage return, \\ a backslash and \" a double quote; every other character
// stands for itself, so blanks at either end of a text are kept. The file is
// UTF-8. Empty lines and lines whose first non-blank character is '#' are
// comments. After the closing quote only blanks may follow.
//
// The table generator and the tests share it; it decodes UTF-8 with the
// program's own conversion (core/base/Text.cpp, which the generator compiles
// in).
#pragma once

#include "core/base/Text.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace langtext {

struct Entry {
    int key = 0;
    std::string text;  // UTF-8, escapes resolved
    int line = 0;
};

struct Table {
    std::vector<Entry> entries;       // in file order
    std::vector<std::string> errors;  // "file:line: message"
};

inline bool ReadWholeFile(const std::string& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Parses the content of one table; fileName only labels the messages.
// A key given twice is an error.
inline Table ParseTable(std::string_view content, std::string_view fileName)
{
    Table table;
    std::map<int, int> firstLine;
    auto fail = [&](int line, const std::string& message) {
        std::ostringstream s;
        s << fileName << ':' << line << ": " << message;
        table.errors.push_back(s.str());
    };

    std::u16string scratch;
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos <= content.size()) {
        std::size_t end = content.find('\n', pos);
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view line = content.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!::DecodeUtf8(line, scratch)) {
            fail(lineNo, "the line is not valid UTF-8");
            continue;
        }

        std::size_t i = 0;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i == line.size() || line[i] == '#')
            continue;

        // key
        long long key = 0;
        std::size_t digits = 0;
        while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
            key = key * 10 + (line[i] - '0');
            ++i;
            if (++digits > 10)
                break;
        }
        if (digits == 0 || digits > 10 || key > INT_MAX) {
            fail(lineNo, "expected a key of at most 2147483647 at the start of the line");
            continue;
        }
        std::size_t blanks = 0;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
            ++i;
            ++blanks;
        }
        if (blanks == 0 || i == line.size() || line[i] != '"') {
            fail(lineNo, "expected blanks and a quoted text after the key");
            continue;
        }
        ++i;

        // text
        std::string text;
        bool closed = false;
        bool bad = false;
        while (i < line.size()) {
            char c = line[i++];
            if (c == '\0') {
                bad = true;
                fail(lineNo, "a NUL character in the text");
                break;
            }
            if (c == '"') {
                closed = true;
                break;
            }
            if (c != '\\') {
                text.push_back(c);
                continue;
            }
            if (i == line.size()) {
                bad = true;
                fail(lineNo, "a backslash ends the line");
                break;
            }
            char e = line[i++];
            switch (e) {
            case 'n': text.push_back('\n'); break;
            case 't': text.push_back('\t'); break;
            case 'r': text.push_back('\r'); break;
            case '\\': text.push_back('\\'); break;
            case '"': text.push_back('"'); break;
            default:
                bad = true;
                fail(lineNo, std::string("unknown escape \\") + e);
                break;
            }
            if (bad)
                break;
        }
        if (bad)
            continue;
        if (!closed) {
            fail(lineNo, "the text has no closing quote");
            continue;
        }
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i != line.size()) {
            fail(lineNo, "unexpected characters after the closing quote");
            continue;
        }

        const int k = static_cast<int>(key);
        auto [it, inserted] = firstLine.emplace(k, lineNo);
        if (!inserted) {
            fail(lineNo, "key " + std::to_string(k) + " is already given on line " +
                             std::to_string(it->second));
            continue;
        }
        table.entries.push_back(Entry{k, std::move(text), lineNo});
    }
    return table;
}

}  // namespace langtext
