// The reference database as an SQLite file. Each table is read with one
// statement in the order of its "ord" column; a missing value reads as 0 or an
// empty text. Only tables stored in the file are read, never a view, and a
// load that takes more work or time than any catalogue needs stops: the table
// being read and the tables after it fail. A step that fails (a damaged page,
// an I/O error) ends the walk and marks the table failed, so a damaged table is
// never taken for a short one.

#include "core/base/Text.h"
#include "core/catalogue/ReferenceSource.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <sys/stat.h>

namespace {

struct TableSql {
    const char* name;
    const char* columns;
};

// Indexed by table number.
const TableSql kTables[6] = {
    {"soils", "name, soil_group, d0, d1, d2, d3, d4, d5, d6, d7, d8, d9, d10, d11, d12, d13, d14, d15, d16"},
    {"pipe_categories", "id, name, applicability"},
    {"pipe_types", "id, category_id, name, applicability"},
    {"nominal_sizes",
     "id, category_id, type_id, class_code, dn, dw, dz, ring_stiffness, section_a, section_b, "
     "deflection_code, roughness, rating"},
    {"manhole_types", "name, dns, de, max_pipe_d, crown_allowance, weight_per_m, min_depth, max_depth"},
    {"tank_types",
     "name, dw, dz, weight_per_m, end_weight, stiffness_class, class_code, end_allowance, "
     "min_anchor_spacing, max_anchor_spacing"},
};

bool ValidTable(int table) { return table >= 0 && table < 6; }

// How often the work and the time of a statement are checked, in virtual
// machine steps.
constexpr int kBudgetStep = 100;

// The longest text, blob or row a table may give. A name is cut to 255 units
// (at most 1,020 bytes) when it is read, so this leaves room for longer names
// to be cut. It also bounds what one step may cost: a text function over
// values this long takes well under a millisecond, where over values of a
// megabyte one call could take minutes, so the time limit, checked between
// steps, holds whatever a table's columns compute.
constexpr int kLongestValue = 4096;

// The most instructions a statement may be compiled to. A table's read takes
// a few dozen; a column computed from computed columns is compiled again at
// each use of them, so a chain of such columns makes a program that takes
// seconds to build before the read's time limit starts.
constexpr int kLongestProgram = 10000;

int32_t ColumnInt(sqlite3_stmt* st, int column)
{
    sqlite3_int64 v = sqlite3_column_int64(st, column);
    return static_cast<int32_t>(std::clamp<sqlite3_int64>(v, INT32_MIN, INT32_MAX));
}

double ColumnReal(sqlite3_stmt* st, int column) { return sqlite3_column_double(st, column); }

// A text ends at its first zero unit, as a terminated text would.
std::u16string ColumnText(sqlite3_stmt* st, int column)
{
    const unsigned char* text = sqlite3_column_text(st, column);
    if (!text)
        return {};
    int bytes = sqlite3_column_bytes(st, column);
    std::u16string s = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes)));
    std::size_t zero = s.find(u'\0');
    if (zero != std::u16string::npos)
        s.resize(zero);
    return s;
}

}  // namespace

const char* ReferenceTableName(int table) { return ValidTable(table) ? kTables[table].name : ""; }

SqliteReferenceSource::~SqliteReferenceSource() { CloseDatabase(); }

bool SqliteReferenceSource::OpenDatabase(const std::string& path)
{
    CloseDatabase();
    if (path.empty())
        return false;
    // A relative name is anchored at the current folder, so that a name
    // beginning with "file:" is taken as a file name, never as a URI with
    // options of its own.
    std::string name = path[0] == '/' ? path : "./" + path;
    // Only a regular file (or a link to one) is opened: opening a FIFO or a
    // device would block or read something that is no database.
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    // Read-only: a missing file is reported, never created.
    if (sqlite3_open_v2(name.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        CloseDatabase();
        return false;
    }
    // No value, no statement and no read can take more than a catalogue ever needs.
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kLongestValue);
    sqlite3_limit(db, SQLITE_LIMIT_VDBE_OP, kLongestProgram);
    sqlite3_progress_handler(db, kBudgetStep, &SqliteReferenceSource::OverBudget, this);
    StartBudget();
    // SQLite reads the file lazily; make sure now that it is a database.
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        CloseDatabase();
        return false;
    }
    return true;
}

void SqliteReferenceSource::StartBudget()
{
    budgetLeft = readBudget;
    deadline = now() + readTime;
}

bool SqliteReferenceSource::Spent() { return budgetLeft < 0 || now() > deadline; }

int SqliteReferenceSource::OverBudget(void* source)
{
    auto* self = static_cast<SqliteReferenceSource*>(source);
    self->budgetLeft -= kBudgetStep;
    return self->Spent() ? 1 : 0;
}

bool SqliteReferenceSource::IsStoredTable(int table)
{
    // A view or a virtual table under a table's name could compute rows
    // without end: only rows the file stores are read.
    sqlite3_stmt* st = nullptr;
    bool stored = sqlite3_prepare_v2(db,
                                     "SELECT 1 FROM main.sqlite_master WHERE type = 'table' AND "
                                     "name = ?1 COLLATE NOCASE AND sql LIKE 'CREATE TABLE%'",
                                     -1, &st, nullptr) == SQLITE_OK &&
                  sqlite3_bind_text(st, 1, kTables[table].name, -1, SQLITE_STATIC) == SQLITE_OK &&
                  sqlite3_step(st) == SQLITE_ROW;
    sqlite3_finalize(st);
    return stored;
}

bool SqliteReferenceSource::TableOpen(int table)
{
    if (!db || !ValidTable(table))
        return false;
    sqlite3_finalize(statements[table]);
    statements[table] = nullptr;
    onRow[table] = false;
    failed[table] = false;
    // Once the load's work or time is spent, no table is read any more.
    if (Spent() || !IsStoredTable(table))
        return false;
    std::string sql = std::string("SELECT ") + kTables[table].columns + " FROM main." + kTables[table].name +
                      " ORDER BY ord";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statements[table], nullptr) != SQLITE_OK) {
        sqlite3_finalize(statements[table]);
        statements[table] = nullptr;
        return false;
    }
    return true;
}

int SqliteReferenceSource::TableRecordCount(int table)
{
    if (!db || !ValidTable(table) || !IsStoredTable(table))
        return 0;
    std::string sql = std::string("SELECT COUNT(*) FROM main.") + kTables[table].name;
    sqlite3_stmt* st = nullptr;
    int count = 0;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        count = ColumnInt(st, 0);
    sqlite3_finalize(st);
    return std::max(count, 0);
}

void SqliteReferenceSource::TableMoveFirst(int table)
{
    if (!ValidTable(table) || !statements[table])
        return;
    sqlite3_reset(statements[table]);
    failed[table] = false;
    Step(table);
}

void SqliteReferenceSource::Step(int table)
{
    int rc = sqlite3_step(statements[table]);
    onRow[table] = rc == SQLITE_ROW;
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        failed[table] = true;
}

bool SqliteReferenceSource::TableFailed(int table) { return ValidTable(table) && failed[table]; }

bool SqliteReferenceSource::TableIsEOF(int table) { return !ValidTable(table) || !onRow[table]; }

void SqliteReferenceSource::TableMoveNext(int table)
{
    if (!ValidTable(table) || !statements[table] || !onRow[table])
        return;
    Step(table);
}

sqlite3_stmt* SqliteReferenceSource::Current(int table) const
{
    return onRow[table] ? statements[table] : nullptr;
}

void SqliteReferenceSource::TableUpdateData(RawSoilRow& row)
{
    sqlite3_stmt* st = Current(kSoilTable);
    if (!st)
        return;
    row.name = ColumnText(st, 0);
    row.soilGroup = ColumnInt(st, 1);
    for (int i = 0; i < static_cast<int>(std::size(row.d)); ++i)
        row.d[i] = ColumnReal(st, 2 + i);
}

void SqliteReferenceSource::TableUpdateData(RawPipeCategoryRow& row)
{
    sqlite3_stmt* st = Current(kPipeCategoryTable);
    if (!st)
        return;
    row.id = ColumnInt(st, 0);
    row.name = ColumnText(st, 1);
    row.applicability = ColumnInt(st, 2);
}

void SqliteReferenceSource::TableUpdateData(RawPipeTypeRow& row)
{
    sqlite3_stmt* st = Current(kPipeTypeTable);
    if (!st)
        return;
    row.id = ColumnInt(st, 0);
    row.categoryId = ColumnInt(st, 1);
    row.name = ColumnText(st, 2);
    row.applicability = ColumnInt(st, 3);
}

void SqliteReferenceSource::TableUpdateData(RawNominalSizeRow& row)
{
    sqlite3_stmt* st = Current(kNominalSizeTable);
    if (!st)
        return;
    row.id = ColumnInt(st, 0);
    row.categoryId = ColumnInt(st, 1);
    row.typeId = ColumnInt(st, 2);
    row.classCode = ColumnInt(st, 3);
    row.nominalSize = ColumnReal(st, 4);
    row.innerDiameter = ColumnReal(st, 5);
    row.outerDiameter = ColumnReal(st, 6);
    row.ringStiffness = ColumnReal(st, 7);
    row.sectionValueA = ColumnReal(st, 8);
    row.sectionValueB = ColumnReal(st, 9);
    row.deflectionCode = ColumnReal(st, 10);
    row.roughness = ColumnReal(st, 11);
    row.rating = ColumnReal(st, 12);
}

void SqliteReferenceSource::TableUpdateData(RawManholeTypeRow& row)
{
    sqlite3_stmt* st = Current(kManholeTypeTable);
    if (!st)
        return;
    row.name = ColumnText(st, 0);
    row.nominalDiameter = ColumnReal(st, 1);
    row.outerDiameter = ColumnReal(st, 2);
    row.maxPipeDiameter = ColumnReal(st, 3);
    row.crownAllowance = ColumnReal(st, 4);
    row.weightPerMetre = ColumnReal(st, 5);
    row.minDepth = ColumnReal(st, 6);
    row.maxDepth = ColumnReal(st, 7);
}

void SqliteReferenceSource::TableUpdateData(RawTankTypeRow& row)
{
    sqlite3_stmt* st = Current(kTankTypeTable);
    if (!st)
        return;
    row.name = ColumnText(st, 0);
    row.innerDiameter = ColumnReal(st, 1);
    row.outerDiameter = ColumnReal(st, 2);
    row.weightPerMetre = ColumnReal(st, 3);
    row.endWeight = ColumnReal(st, 4);
    row.stiffnessClass = ColumnReal(st, 5);
    row.classCode = ColumnReal(st, 6);
    row.endAllowance = ColumnReal(st, 7);
    row.minAnchorSpacing = ColumnReal(st, 8);
    row.maxAnchorSpacing = ColumnReal(st, 9);
}

void SqliteReferenceSource::CloseDatabase()
{
    for (std::size_t t = 0; t < std::size(statements); ++t) {
        sqlite3_finalize(statements[t]);
        statements[t] = nullptr;
        onRow[t] = false;
        failed[t] = false;
    }
    sqlite3_close(db);
    db = nullptr;
}
