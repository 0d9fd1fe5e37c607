// The data layer under the reference tables: eight operations that walk the
// six tables of a reference database row by row, and the loaders that decode
// those rows into the catalogue's tables.
#pragma once

#include "core/catalogue/ReferenceTables.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Tables by the number the data layer gives them. The application reads them
// in the order soils, tank types, manhole types, categories, types, sizes.
enum ReferenceTableId : int {
    kSoilTable = 0,
    kPipeCategoryTable = 1,
    kPipeTypeTable = 2,
    kNominalSizeTable = 3,
    kManholeTypeTable = 4,
    kTankTypeTable = 5,
};

// Name of a table in the database ("soils", "pipe_categories"...), or "" for
// an unknown number.
const char* ReferenceTableName(int table);

// One row of a table as the database holds it, before any decoding. A missing
// value reads as 0 or an empty text.
struct RawSoilRow {
    std::u16string name;
    int32_t soilGroup = 0;
    double d[17] = {};  // d0..d16
};

struct RawPipeCategoryRow {
    int32_t id = 0;
    std::u16string name;
    int32_t applicability = 0;  // + 100: extended catalogue
};

struct RawPipeTypeRow {
    int32_t id = 0;
    int32_t categoryId = 0;
    std::u16string name;
    int32_t applicability = 0;
};

struct RawNominalSizeRow {
    int32_t id = 0;
    int32_t categoryId = 0;
    int32_t typeId = 0;
    int32_t classCode = 0;  // + 1000 reduced load, + 100 extended, 10..19 made to order
    double nominalSize = 0;
    double innerDiameter = 0;
    double outerDiameter = 0;
    double ringStiffness = 0;
    double sectionValueA = 0;
    double sectionValueB = 0;
    double deflectionCode = 0;  // "E.A": enlarged E %, allowed A %
    double roughness = 0;
    double rating = 0;  // bar
};

struct RawManholeTypeRow {
    std::u16string name;  // may end in "*E", "*D" or "*DE"
    double nominalDiameter = 0;
    double outerDiameter = 0;
    double maxPipeDiameter = 0;
    double crownAllowance = 0;
    double weightPerMetre = 0;
    double minDepth = 0;
    double maxDepth = 0;
};

struct RawTankTypeRow {
    std::u16string name;
    double innerDiameter = 0;
    double outerDiameter = 0;
    double weightPerMetre = 0;
    double endWeight = 0;
    double stiffnessClass = 0;
    double classCode = 0;  // truncated; + 1000, + 100 extended, 10..19 made to order
    double endAllowance = 0;
    double minAnchorSpacing = 0;
    double maxAnchorSpacing = 0;
};

// A reference database, walked one table at a time.
class ReferenceSource {
public:
    virtual ~ReferenceSource() = default;

    // Opens the database for reading; false when it cannot be opened (a
    // missing file is never created).
    virtual bool OpenDatabase(const std::string& path) = 0;
    // Positions on a table; false when the database lacks it.
    virtual bool TableOpen(int table) = 0;
    // The number of rows the table announces (only a size hint).
    virtual int TableRecordCount(int table) = 0;
    virtual void TableMoveFirst(int table) = 0;
    // True when no current row is left (also after a read error).
    virtual bool TableIsEOF(int table) = 0;
    // Fill the raw row of the table with its current row.
    virtual void TableUpdateData(RawSoilRow& row) = 0;
    virtual void TableUpdateData(RawPipeCategoryRow& row) = 0;
    virtual void TableUpdateData(RawPipeTypeRow& row) = 0;
    virtual void TableUpdateData(RawNominalSizeRow& row) = 0;
    virtual void TableUpdateData(RawManholeTypeRow& row) = 0;
    virtual void TableUpdateData(RawTankTypeRow& row) = 0;
    virtual void TableMoveNext(int table) = 0;
    // True when the walk of the table ended at a read error rather than at
    // its last row.
    virtual bool TableFailed(int /*table*/) { return false; }
    virtual void CloseDatabase() = 0;
};

struct sqlite3;
struct sqlite3_stmt;

// The reference database as an SQLite file, opened read-only.
class SqliteReferenceSource : public ReferenceSource {
public:
    SqliteReferenceSource() = default;
    ~SqliteReferenceSource() override;
    SqliteReferenceSource(const SqliteReferenceSource&) = delete;
    SqliteReferenceSource& operator=(const SqliteReferenceSource&) = delete;

    bool OpenDatabase(const std::string& path) override;
    bool TableOpen(int table) override;
    int TableRecordCount(int table) override;
    void TableMoveFirst(int table) override;
    bool TableIsEOF(int table) override;
    void TableUpdateData(RawSoilRow& row) override;
    void TableUpdateData(RawPipeCategoryRow& row) override;
    void TableUpdateData(RawPipeTypeRow& row) override;
    void TableUpdateData(RawNominalSizeRow& row) override;
    void TableUpdateData(RawManholeTypeRow& row) override;
    void TableUpdateData(RawTankTypeRow& row) override;
    void TableMoveNext(int table) override;
    bool TableFailed(int table) override;
    void CloseDatabase() override;

    // The work one load of the catalogue (all its tables, from the open of
    // the database to its close) may take, in SQLite's virtual machine steps:
    // about a second, far beyond what any catalogue needs; and the time it may
    // take, since one step may compute a value of any cost. Both start when
    // the database is opened. The walk that runs over either fails, and so
    // does every table opened after it.
    long long readBudget = 100'000'000;
    std::chrono::milliseconds readTime{5000};
    // The clock the time limit is read from.
    std::function<std::chrono::steady_clock::time_point()> now = [] { return std::chrono::steady_clock::now(); };

private:
    static int OverBudget(void* source);
    void StartBudget();
    bool Spent();
    bool IsStoredTable(int table);
    sqlite3_stmt* Current(int table) const;
    void Step(int table);

    long long budgetLeft = 0;
    std::chrono::steady_clock::time_point deadline;
    sqlite3* db = nullptr;
    sqlite3_stmt* statements[6] = {};
    bool onRow[6] = {};
    bool failed[6] = {};
};

// Loads all six tables of the source into tables, in the order soils, tank
// types, manhole types, categories, types, sizes. Rows of the extended
// catalogue are kept only when extendedCatalogue is 1. A database
// that cannot be opened (or is not a regular file) gives CannotOpen; a table
// that is missing or fails while it is read gives MissingTable, naming every
// such table in reading order, and stays empty, never half read; the other
// tables load all the same.
ReferenceLoadStatus LoadReferenceTables(CatalogueTables& tables, int extendedCatalogue, ReferenceSource& source,
                                        const std::string& path);

// The loaders of tables 3, 5 and 4: they replace rows with the kept rows of the
// table and return their number, or -1 with rows empty when the table failed
// while it was read. The source must be open and the table opened.
int LoadNominalSizeTable(ReferenceSource& source, int extendedCatalogue, std::vector<NominalSizeEntry>& rows);
int LoadTankTypeTable(ReferenceSource& source, int extendedCatalogue, std::vector<TankTypeEntry>& rows);
int LoadManholeTypeTable(ReferenceSource& source, std::vector<ManholeTypeEntry>& rows);
