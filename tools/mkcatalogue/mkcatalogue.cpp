// Builds the reference databases of every language from the catalogue source.
//
//   mkcatalogue SOURCE_DIR OUTPUT_DIR
//
// reads the six table files of SOURCE_DIR (resources/catalogue) and writes
// OUTPUT_DIR/<pl|en|ru>/quorlindata.mdb, SQLite files that hold the same rows,
// ids and numbers in every language and differ only in the names. Each file is
// written under a temporary name and renamed into place, so a reader never
// sees half a database. Any fault in the source stops the build with the file
// and line that caused it.

#include "tools/mkcatalogue/CatalogueSchema.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kLanguages[] = {"pl", "en", "ru"};

// One table of the source: its column names and its rows, each row with the
// line it came from.
struct SourceTable {
    std::string file;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    std::vector<int> lines;

    int Column(const std::string& name) const
    {
        auto it = std::find(columns.begin(), columns.end(), name);
        if (it == columns.end())
            throw std::runtime_error(file + ": no column \"" + name + "\"");
        return static_cast<int>(it - columns.begin());
    }
};

[[noreturn]] void Fail(const SourceTable& t, std::size_t row, const std::string& what)
{
    throw std::runtime_error(t.file + ":" + std::to_string(t.lines[row]) + ": " + what);
}

std::string Trim(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return std::string(s.substr(b, e - b));
}

std::vector<std::string> SplitFields(const std::string& line)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = line.find('|', start);
        out.push_back(Trim(std::string_view(line).substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return out;
}

bool ValidUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2))
            return false;
        for (int k = 1; k <= extra; ++k)
            if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

SourceTable ReadTable(const fs::path& path)
{
    SourceTable t;
    t.file = path.string();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(t.file + ": cannot be read");
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);
        std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        if (!ValidUtf8(trimmed))
            throw std::runtime_error(t.file + ":" + std::to_string(number) + ": not UTF-8");
        std::vector<std::string> fields = SplitFields(trimmed);
        if (t.columns.empty()) {
            t.columns = fields;
            std::set<std::string> seen;
            for (const auto& c : t.columns)
                if (c.empty() || !seen.insert(c).second)
                    throw std::runtime_error(t.file + ":" + std::to_string(number) +
                                             ": empty or repeated column name");
            continue;
        }
        if (fields.size() != t.columns.size())
            throw std::runtime_error(t.file + ":" + std::to_string(number) + ": " + std::to_string(fields.size()) +
                                     " fields, the header names " + std::to_string(t.columns.size()));
        t.rows.push_back(std::move(fields));
        t.lines.push_back(number);
    }
    if (t.columns.empty())
        throw std::runtime_error(t.file + ": no header line");
    return t;
}

double Real(const SourceTable& t, std::size_t row, const std::string& column)
{
    const std::string& s = t.rows[row][t.Column(column)];
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+')
        ++first;
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (s.empty() || ec != std::errc() || ptr != last || !std::isfinite(v))
        Fail(t, row, column + ": \"" + s + "\" is not a number");
    return v;
}

long long Integer(const SourceTable& t, std::size_t row, const std::string& column)
{
    const std::string& s = t.rows[row][t.Column(column)];
    long long v = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || ptr != s.data() + s.size() || v < INT32_MIN || v > INT32_MAX)
        Fail(t, row, column + ": \"" + s + "\" is not a whole number");
    return v;
}

const std::string& Name(const SourceTable& t, std::size_t row, const char* language)
{
    const std::string& s = t.rows[row][t.Column(std::string("name_") + language)];
    if (s.empty())
        Fail(t, row, std::string("empty name_") + language);
    return s;
}

// ---- checks of the rules that the program relies on ----------------------

bool Extended(long long applicability) { return applicability >= 100; }

void CheckNamesDistinct(const SourceTable& t)
{
    for (const char* lang : kLanguages) {
        std::map<std::string, std::size_t> seen;
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            auto [it, fresh] = seen.emplace(Name(t, r, lang), r);
            if (!fresh)
                Fail(t, r, std::string("name_") + lang + " repeats the row of line " +
                               std::to_string(t.lines[it->second]));
        }
    }
}

void CheckCategories(const SourceTable& t)
{
    // Categories are found by position: id = position + 1 among the rows that
    // each mode keeps, so the extended rows come last.
    bool extendedSeen = false;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        long long id = Integer(t, r, "id");
        long long appl = Integer(t, r, "applicability");
        if (appl < 0 || appl % 100 > 2 || appl >= 200)
            Fail(t, r, "applicability must be 0, 1, 2 or those + 100");
        if (id != static_cast<long long>(r) + 1)
            Fail(t, r, "category id must equal its position + 1");
        if (Extended(appl))
            extendedSeen = true;
        else if (extendedSeen)
            Fail(t, r, "a plain category follows an extended one");
    }
}

void CheckTypes(const SourceTable& types, const SourceTable& categories, std::map<long long, std::pair<long long, bool>>& typeInfo)
{
    std::map<long long, bool> categoryExtended;
    for (std::size_t r = 0; r < categories.rows.size(); ++r)
        categoryExtended[Integer(categories, r, "id")] = Extended(Integer(categories, r, "applicability"));
    for (std::size_t r = 0; r < types.rows.size(); ++r) {
        long long id = Integer(types, r, "id");
        long long cat = Integer(types, r, "category_id");
        long long appl = Integer(types, r, "applicability");
        if (appl < 0 || appl % 100 > 2 || appl >= 200)
            Fail(types, r, "applicability must be 0, 1, 2 or those + 100");
        auto c = categoryExtended.find(cat);
        if (c == categoryExtended.end())
            Fail(types, r, "unknown category_id");
        if (c->second && !Extended(appl))
            Fail(types, r, "a type of an extended category must be extended");
        if (!typeInfo.emplace(id, std::make_pair(cat, Extended(appl))).second)
            Fail(types, r, "repeated type id");
    }
}

void CheckSizes(const SourceTable& sizes, const std::map<long long, std::pair<long long, bool>>& typeInfo)
{
    std::set<long long> ids;
    for (std::size_t r = 0; r < sizes.rows.size(); ++r) {
        if (!ids.insert(Integer(sizes, r, "id")).second)
            Fail(sizes, r, "repeated size id");
        auto t = typeInfo.find(Integer(sizes, r, "type_id"));
        if (t == typeInfo.end() || t->second.first != Integer(sizes, r, "category_id"))
            Fail(sizes, r, "no such type in that category");
        long long code = Integer(sizes, r, "class_code");
        if (code > 999)
            code -= 1000;
        bool extended = code >= 100;
        if (t->second.second && !extended)
            Fail(sizes, r, "a size of an extended type must be extended (class code + 100)");
        if (Real(sizes, r, "dw") <= 0 || Real(sizes, r, "dz") < Real(sizes, r, "dw"))
            Fail(sizes, r, "diameters must satisfy 0 < dw <= dz");
    }
}

void CheckManholes(const SourceTable& t)
{
    if (t.rows.empty())
        throw std::runtime_error(t.file + ": at least one manhole type is needed");
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        std::string suffix;
        for (const char* lang : kLanguages) {
            const std::string& n = Name(t, r, lang);
            std::size_t star = n.find('*');
            std::string s = star == std::string::npos ? std::string("-") : n.substr(star);
            if (lang == kLanguages[0])
                suffix = s;
            else if (s != suffix)
                Fail(t, r, "the names carry different '*' suffixes");
        }
        if (Real(t, r, "dns") <= 0 || Real(t, r, "de") < Real(t, r, "dns"))
            Fail(t, r, "diameters must satisfy 0 < dns <= de");
    }
}

void CheckTanks(const SourceTable& t)
{
    if (t.rows.empty())
        throw std::runtime_error(t.file + ": at least one tank type is needed");
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        double code = Real(t, r, "class_code");
        if (code < 0 || code >= 2000)
            Fail(t, r, "class_code out of range");
        if (Real(t, r, "dw") <= 0 || Real(t, r, "dz") < Real(t, r, "dw"))
            Fail(t, r, "diameters must satisfy 0 < dw <= dz");
    }
    // The start-up defaults read row 0 in either mode.
    long long code0 = static_cast<long long>(Real(t, 0, "class_code"));
    if (code0 >= 1000)
        code0 -= 1000;
    if (code0 >= 100)
        Fail(t, 0, "row 0 is the start-up default and must not be an extended row");
}

// ---- writing ---------------------------------------------------------------

class Database {
public:
    explicit Database(const std::string& path)
    {
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
            throw std::runtime_error(path + ": " + (db ? sqlite3_errmsg(db) : "cannot be created"));
    }
    ~Database() { sqlite3_close(db); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void Exec(const char* sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            std::string m = message ? message : "error";
            sqlite3_free(message);
            throw std::runtime_error(std::string("SQL: ") + m);
        }
    }

    // Inserts one row; values are given as the column's type: 'i' integer,
    // 'r' real, 't' text.
    struct Value {
        char kind;
        long long i;
        double r;
        std::string t;
    };
    void Insert(const std::string& table, const std::vector<std::string>& columns, const std::vector<Value>& values)
    {
        std::string sql = "INSERT INTO " + table + " (";
        std::string marks;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            sql += (k ? ", " : "") + columns[k];
            marks += k ? ", ?" : "?";
        }
        sql += ") VALUES (" + marks + ")";
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string("SQL: ") + sqlite3_errmsg(db));
        for (std::size_t k = 0; k < values.size(); ++k) {
            int n = static_cast<int>(k) + 1;
            const Value& v = values[k];
            if (v.kind == 'i')
                sqlite3_bind_int64(st, n, v.i);
            else if (v.kind == 'r')
                sqlite3_bind_double(st, n, v.r);
            else
                sqlite3_bind_text(st, n, v.t.c_str(), static_cast<int>(v.t.size()), SQLITE_TRANSIENT);
        }
        int rc = sqlite3_step(st);
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            throw std::runtime_error(std::string("SQL: ") + sqlite3_errmsg(db));
    }

private:
    sqlite3* db = nullptr;
};

struct ColumnSpec {
    const char* name;
    char kind;  // 'i', 'r', or 'n' for the language's name
};

void WriteTable(Database& db, const std::string& table, const SourceTable& src, const std::vector<ColumnSpec>& layout,
                const char* language)
{
    std::vector<std::string> columns{"ord"};
    for (const auto& c : layout)
        columns.push_back(c.name);
    for (std::size_t r = 0; r < src.rows.size(); ++r) {
        std::vector<Database::Value> values;
        values.push_back({'i', static_cast<long long>(r), 0, {}});
        for (const auto& c : layout) {
            if (c.kind == 'i')
                values.push_back({'i', Integer(src, r, c.name), 0, {}});
            else if (c.kind == 'r')
                values.push_back({'r', 0, Real(src, r, c.name), {}});
            else
                values.push_back({'t', 0, 0, Name(src, r, language)});
        }
        db.Insert(table, columns, values);
    }
}

struct Catalogue {
    SourceTable soils, categories, types, sizes, manholes, tanks;
};

void WriteDatabase(const Catalogue& c, const fs::path& file, const char* language)
{
    fs::create_directories(file.parent_path());
    fs::path temp = file;
    temp += ".tmp";
    fs::remove(temp);
    {
        Database db(temp.string());
        db.Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");
        db.Exec(kCatalogueSchema);
        db.Exec("BEGIN");
        std::vector<ColumnSpec> soil{{"name", 'n'}, {"soil_group", 'i'}};
        static const char* const d[] = {"d0", "d1", "d2",  "d3",  "d4",  "d5",  "d6",  "d7", "d8",
                                        "d9", "d10", "d11", "d12", "d13", "d14", "d15", "d16"};
        for (const char* name : d)
            soil.push_back({name, 'r'});
        WriteTable(db, "soils", c.soils, soil, language);
        WriteTable(db, "pipe_categories", c.categories, {{"id", 'i'}, {"name", 'n'}, {"applicability", 'i'}},
                   language);
        WriteTable(db, "pipe_types", c.types,
                   {{"id", 'i'}, {"category_id", 'i'}, {"name", 'n'}, {"applicability", 'i'}}, language);
        WriteTable(db, "nominal_sizes", c.sizes,
                   {{"id", 'i'},
                    {"category_id", 'i'},
                    {"type_id", 'i'},
                    {"class_code", 'i'},
                    {"dn", 'r'},
                    {"dw", 'r'},
                    {"dz", 'r'},
                    {"ring_stiffness", 'r'},
                    {"section_a", 'r'},
                    {"section_b", 'r'},
                    {"deflection_code", 'r'},
                    {"roughness", 'r'},
                    {"rating", 'r'}},
                   language);
        WriteTable(db, "manhole_types", c.manholes,
                   {{"name", 'n'},
                    {"dns", 'r'},
                    {"de", 'r'},
                    {"max_pipe_d", 'r'},
                    {"crown_allowance", 'r'},
                    {"weight_per_m", 'r'},
                    {"min_depth", 'r'},
                    {"max_depth", 'r'}},
                   language);
        WriteTable(db, "tank_types", c.tanks,
                   {{"name", 'n'},
                    {"dw", 'r'},
                    {"dz", 'r'},
                    {"weight_per_m", 'r'},
                    {"end_weight", 'r'},
                    {"stiffness_class", 'r'},
                    {"class_code", 'r'},
                    {"end_allowance", 'r'},
                    {"min_anchor_spacing", 'r'},
                    {"max_anchor_spacing", 'r'}},
                   language);
        db.Exec("COMMIT");
    }
    fs::rename(temp, file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkcatalogue SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }
    try {
        fs::path src = argv[1];
        fs::path out = argv[2];
        Catalogue c;
        c.soils = ReadTable(src / "soils.txt");
        c.categories = ReadTable(src / "pipe_categories.txt");
        c.types = ReadTable(src / "pipe_types.txt");
        c.sizes = ReadTable(src / "nominal_sizes.txt");
        c.manholes = ReadTable(src / "manhole_types.txt");
        c.tanks = ReadTable(src / "tank_types.txt");

        if (c.soils.rows.size() < 3)
            throw std::runtime_error(c.soils.file + ": at least three soils are needed (row 2 is a default)");
        for (std::size_t r = 0; r < c.soils.rows.size(); ++r)
            if (Integer(c.soils, r, "soil_group") < 0)
                Fail(c.soils, r, "soil_group must be 0 or more");
        CheckNamesDistinct(c.soils);
        CheckNamesDistinct(c.categories);
        CheckNamesDistinct(c.types);
        CheckNamesDistinct(c.manholes);
        CheckNamesDistinct(c.tanks);
        CheckCategories(c.categories);
        std::map<long long, std::pair<long long, bool>> typeInfo;
        CheckTypes(c.types, c.categories, typeInfo);
        CheckSizes(c.sizes, typeInfo);
        CheckManholes(c.manholes);
        CheckTanks(c.tanks);

        for (const char* lang : kLanguages)
            WriteDatabase(c, out / lang / "quorlindata.mdb", lang);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkcatalogue: %s\n", e.what());
        return 1;
    }
    return 0;
}
