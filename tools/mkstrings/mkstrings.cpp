// Build-time generator of the language text tables.
//
//   mkstrings <output.cpp> <table.txt> <offset> [<table.txt> <offset> ...]
//
// Reads each language's table (format in StringTableFile.h), gives every text
// the id key + offset of its language, and writes a C++ source that defines
// FindLangText(id) over one sorted array of all languages. Any malformed line,
// a key given twice in one table, or two texts that would get the same id
// (a key of one language colliding with another language's key) stops the
// build with a message naming the lines.
#include "tools/mkstrings/StringTableFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Source {
    std::string path;
    int offset = 0;
};

struct Item {
    int id = 0;
    int key = 0;
    std::u16string text;
    const Source* source = nullptr;
    int line = 0;
};

bool ParseOffset(const char* arg, int& offset)
{
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(arg, &end, 10);
    if (errno != 0 || end == arg || *end != '\0' || value < 0 || value > INT_MAX)
        return false;
    offset = static_cast<int>(value);
    return true;
}

// A UTF-16 text as the body of a u"" literal: printable ASCII as it is,
// control characters as escapes, everything else as universal character names.
std::string LiteralBody(const std::u16string& text)
{
    std::string out;
    char buf[16];
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        switch (c) {
        case '\n': out += "\\n"; continue;
        case '\t': out += "\\t"; continue;
        case '\r': out += "\\r"; continue;
        case '\\': out += "\\\\"; continue;
        case '"': out += "\\\""; continue;
        case '?': out += "\\?"; continue;  // no trigraph can form
        default: break;
        }
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(buf, sizeof buf, "\\%03o", static_cast<unsigned>(c));
            out += buf;
        } else if (c <= 0xFFFF) {
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        } else {
            std::snprintf(buf, sizeof buf, "\\U%08X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out;
}

int Usage()
{
    std::cerr << "usage: mkstrings <output.cpp> <table.txt> <offset> [<table.txt> <offset> ...]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || (argc - 2) % 2 != 0)
        return Usage();
    const std::string outputPath = argv[1];
    std::vector<Source> sources;
    for (int a = 2; a < argc; a += 2) {
        Source s;
        s.path = argv[a];
        if (!ParseOffset(argv[a + 1], s.offset)) {
            std::cerr << "mkstrings: bad language offset '" << argv[a + 1] << "'\n";
            return 2;
        }
        sources.push_back(s);
    }

    std::vector<std::string> errors;
    std::vector<Item> items;
    for (const Source& source : sources) {
        std::string content;
        if (!langtext::ReadWholeFile(source.path, content)) {
            errors.push_back(source.path + ": cannot be read");
            continue;
        }
        langtext::Table table = langtext::ParseTable(content, source.path);
        errors.insert(errors.end(), table.errors.begin(), table.errors.end());
        for (const langtext::Entry& e : table.entries) {
            if (e.key > INT_MAX - source.offset) {
                errors.push_back(source.path + ":" + std::to_string(e.line) + ": key " +
                                 std::to_string(e.key) + " plus the offset " +
                                 std::to_string(source.offset) + " overflows the id");
                continue;
            }
            Item item;
            item.id = e.key + source.offset;
            item.key = e.key;
            item.source = &source;
            item.line = e.line;
            DecodeUtf8(e.text, item.text);
            items.push_back(std::move(item));
        }
    }

    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.id < b.id; });
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (items[i].id != items[i - 1].id)
            continue;
        const Item& a = items[i - 1];
        const Item& b = items[i];
        std::ostringstream s;
        s << b.source->path << ':' << b.line << ": key " << b.key << " (offset "
          << b.source->offset << ") has the id " << b.id << ", which key " << a.key << " of "
          << a.source->path << ':' << a.line << " (offset " << a.source->offset
          << ") already has";
        errors.push_back(s.str());
    }

    if (!errors.empty()) {
        for (const std::string& e : errors)
            std::cerr << e << '\n';
        std::cerr << "mkstrings: " << errors.size() << " error(s); no table written\n";
        return 1;
    }

    std::ostringstream out;
    out << "// Generated by mkstrings from the language text tables; do not edit.\n"
           "#include \"core/base/LangTables.h\"\n"
           "\n"
           "#include <algorithm>\n"
           "#include <iterator>\n"
           "\n"
           "namespace {\n"
           "\n"
           "struct LangText {\n"
           "    int id;\n"
           "    const char16_t* text;\n"
           "};\n"
           "\n"
           "// Sorted by id.\n"
           "constexpr LangText kLangTexts[] = {\n";
    for (const Item& item : items)
        out << "    {" << item.id << ", u\"" << LiteralBody(item.text) << "\"},\n";
    out << "};\n"
           "\n"
           "}  // namespace\n"
           "\n"
           "const char16_t* FindLangText(int id)\n"
           "{\n"
           "    auto it = std::lower_bound(std::begin(kLangTexts), std::end(kLangTexts), id,\n"
           "                               [](const LangText& t, int value) { return t.id < value; });\n"
           "    if (it == std::end(kLangTexts) || it->id != id)\n"
           "        return nullptr;\n"
           "    return it->text;\n"
           "}\n";

    // Written beside the target and renamed, so a failed run leaves no half table.
    const std::string tempPath = outputPath + ".tmp";
    {
        std::ofstream file(tempPath, std::ios::binary | std::ios::trunc);
        if (!file) {
            std::cerr << "mkstrings: cannot write " << tempPath << '\n';
            return 1;
        }
        file << out.str();
        file.close();
        if (!file) {
            std::cerr << "mkstrings: cannot write " << tempPath << '\n';
            return 1;
        }
    }
    std::error_code ec;
    std::filesystem::rename(tempPath, outputPath, ec);
    if (ec) {
        std::cerr << "mkstrings: cannot replace " << outputPath << ": " << ec.message() << '\n';
        std::filesystem::remove(tempPath, ec);
        return 1;
    }
    return 0;
}
