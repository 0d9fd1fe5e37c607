// Loading and decoding the reference tables, on small databases built here.

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/catalogue/ReferenceDump.h"
#include "core/catalogue/ReferenceSource.h"
#include "tests/core/CoreTestSupport.h"
#include "tools/mkcatalogue/CatalogueSchema.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string UniquePath(const char* stem)
{
    static std::atomic<int> counter{0};
    return testing::TempDir() + "/dalvor_" + stem + "_" + std::to_string(::getpid()) + "_" +
           std::to_string(counter++) + ".mdb";
}

// A database file made from SQL text, removed at the end of the test.
class TestDatabase {
public:
    explicit TestDatabase(const std::string& sql, bool withSchema = true) : path(UniquePath("ref"))
    {
        fs::remove(path);
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        std::string all = (withSchema ? std::string(kCatalogueSchema) : std::string()) + sql;
        char* message = nullptr;
        EXPECT_EQ(sqlite3_exec(db, all.c_str(), nullptr, nullptr, &message), SQLITE_OK)
            << (message ? message : "");
        sqlite3_free(message);
        sqlite3_close(db);
    }
    ~TestDatabase() { fs::remove(path); }
    const std::string path;
};

std::unique_ptr<CDalvorApp> Load(const std::string& path, int extended, ReferenceLoadStatus* status = nullptr)
{
    auto app = std::make_unique<CDalvorApp>();
    app->extendedCatalogue = extended;
    ReferenceLoadStatus s = app->LoadReferenceData(path);
    if (status)
        *status = s;
    else
        EXPECT_EQ(s.error, ReferenceLoadStatus::Ok) << s.table;
    return app;
}

// The row counts in reading order: soils, tank types, manhole types,
// categories, types, nominal sizes.
std::array<int, 6> Counts(const CDalvorApp& app)
{
    return {RowCount(app.tables.soils),        RowCount(app.tables.tankTypes), RowCount(app.tables.manholeTypes),
            RowCount(app.tables.pipeCategories), RowCount(app.tables.pipeTypes), RowCount(app.tables.nominalSizes)};
}

const double kTenthSingle = 0.1f;

// Every field of an entry, to compare whole entries.
auto Fields(const NominalSizeEntry& e)
{
    return std::tuple(e.id, e.categoryId, e.typeId, e.classCode, e.nominalSize, e.innerDiameter, e.outerDiameter,
                      e.ringStiffness, e.sectionValueA, e.sectionValueB, e.allowedDeflection,
                      e.enlargedAllowedDeflection, e.minCover, e.sizeValueC, e.roughness, e.ratingValue,
                      e.madeToOrder, e.enlargedDeflectionAvailable, e.reducedLoadCapacity);
}
auto Fields(const TankTypeEntry& e)
{
    return std::tuple(Utf8(e.name), e.classCode, e.innerDiameter, e.outerDiameter, e.weightPerMetre, e.endWeight,
                      e.reservedA, e.reservedB, e.endAllowance, e.stiffnessClass, e.reservedC, e.reservedD,
                      e.minAnchorSpacing, e.maxAnchorSpacing, e.madeToOrder);
}

TankTypeEntry Tank(std::u16string_view name, TankTypeEntry e)
{
    CopyBounded(e.name, name);
    return e;
}

}  // namespace

TEST(ReferenceDecoding, ExtendedCategoriesAndTypesKeptOnlyInExtendedMode)
{
    TestDatabase db(R"SQL(
INSERT INTO pipe_categories VALUES (0, 1, 'Gravity', 0), (1, 2, 'Both ext', 102), (2, 3, 'Pressure', 1),
                                   (3, 4, 'Two hundred', 200);
INSERT INTO pipe_types VALUES (0, 10, 1, 'T-a', 0), (1, 11, 2, 'T-b', 101), (2, 12, 3, 'T-c', 2);
)SQL");
    auto off = Load(db.path, 0);
    ASSERT_EQ(RowCount(off->tables.pipeCategories), 2);
    ASSERT_EQ(RowCount(off->tables.pipeTypes), 2);
    EXPECT_EQ(Utf8(off->tables.pipeCategories[0].name), "Gravity");
    EXPECT_EQ(Utf8(off->tables.pipeCategories[1].name), "Pressure");  // takes the dropped row's place
    ExpectFields({FIELD(off->tables.pipeCategories[1].id, 3),
                  FIELD(off->tables.pipeCategories[1].applicability, 1),  // nothing left of the dropped 102
                  FIELD(off->tables.pipeTypes[1].id, 12), FIELD(off->tables.pipeTypes[1].categoryId, 3),
                  FIELD(off->tables.pipeTypes[1].applicability, 2)});

    auto on = Load(db.path, 1);
    ASSERT_EQ(RowCount(on->tables.pipeCategories), 4);
    ASSERT_EQ(RowCount(on->tables.pipeTypes), 3);
    ExpectFields({FIELD(on->tables.pipeCategories[1].applicability, 2),
                  FIELD(on->tables.pipeCategories[3].applicability, 100),  // only 100 is taken off
                  FIELD(on->tables.pipeTypes[1].applicability, 1)});

    // Only the value 1 turns the extended rows on.
    EXPECT_EQ(RowCount(Load(db.path, 2)->tables.pipeCategories), 2);
}

TEST(ReferenceDecoding, ClassCodesDeflectionAndRatingOfSizesAndTanks)
{
    TestDatabase db(R"SQL(
INSERT INTO nominal_sizes VALUES
 (0, 101, 1, 10, 1112, 200, 190.2, 200, 8, 4.9, 9.8, 8.5, 0.01, 16),
 (1, 102, 1, 10, 1005, 250, 235.4, 250, 4, 6.2, 19.9, 3.0, 0.02, 0),
 (2, 103, 2, 11, 15,   315, 296.6, 315, 16, 7.7, 38.0, 5.3, 0.01, 6.3),
 (3, 104, 2, 11, 3,    400, 376.6, 400, 2, 9.8, 78.4, 7, 0.03, 10),
 (4, 105, 2, 11, 1105, 500, 470.4, 500, 2, 12.3, 155.0, 9.6, 0.01, 25),
 (5, 106, 2, 11, 4,    560, 527.6, 560, 2, 13.7, 190.0, 5, 0.01, 0);
INSERT INTO tank_types VALUES
 (0, 'T0', 1200, 1332, 0.74, 1.35, 4, 15.7,   100, 1.0, 2.0),
 (1, 'T1', 1400, 1554, 1.01, 1.73, 4, 1015.0, 110, 1.5, 2.5),
 (2, 'T2', 1600, 1776, 1.32, 2.16, 8, 1001,   120, 0.5, 3.0),
 (3, 'T3', 2000, 2220, 2.06, 3.21, 8, 115,    130, 1.0, 2.0),
 (4, 'T4', 2400, 2664, 2.96, 4.49, 8, 2.99,   140, 1.0, 2.0);
)SQL");
    // Size codes: +1000 reduced load capacity, then +100 an extended row, then
    // +10 made to order, then the class. Deflection codes: the whole part is
    // the enlarged deflection, the tenths the allowed one (none: both alike).
    // Ratings in bar times the single-precision 0.1.
    const NominalSizeEntry sizes[] = {
        // id, category, type, class, DN, Dw, Dz, SN, A, B, allowed, enlarged, cover, C, k, rating,
        // made to order, enlarged deflection available, reduced load capacity
        {101, 1, 10, 2, 200, 190.2, 200, 8, 4.9, 9.8, 5, 8, 0, 0, 0.01, 16 * kTenthSingle, 1, 1, 1},
        {102, 1, 10, 5, 250, 235.4, 250, 4, 6.2, 19.9, 3, 3, 0, 0, 0.02, 0, 0, 0, 1},
        {103, 2, 11, 5, 315, 296.6, 315, 16, 7.7, 38.0, (5.3 - 5.0) * 10.0, 5, 0, 0, 0.01, 6.3 * kTenthSingle, 1, 1, 0},
        {104, 2, 11, 3, 400, 376.6, 400, 2, 9.8, 78.4, 7, 7, 0, 0, 0.03, 10 * kTenthSingle, 0, 0, 0},
        {105, 2, 11, 5, 500, 470.4, 500, 2, 12.3, 155.0, (9.6 - 9.0) * 10.0, 9, 0, 0, 0.01, 25 * kTenthSingle,
         0, 1, 1},
        {106, 2, 11, 4, 560, 527.6, 560, 2, 13.7, 190.0, 5, 5, 0, 0, 0.01, 0, 0, 0, 0},
    };
    // Tank codes are real numbers, truncated: 15.7 is made to order, class 5;
    // 1000 or more is less 1000 with no flag of its own.
    const TankTypeEntry tanks[] = {
        // name, class, Dw, Dz, kN/m, end kN, reserved, reserved, end allowance, SN, reserved, reserved,
        // anchor spacing from, to, made to order
        Tank(u"T0", {{}, 5, 1200, 1332, 0.74, 1.35, 0, 0, 100, 4, 0, 0, 1.0, 2.0, 1}),
        Tank(u"T1", {{}, 5, 1400, 1554, 1.01, 1.73, 0, 0, 110, 4, 0, 0, 1.5, 2.5, 1}),
        Tank(u"T2", {{}, 1, 1600, 1776, 1.32, 2.16, 0, 0, 120, 8, 0, 0, 0.5, 3.0, 0}),
        Tank(u"T3", {{}, 5, 2000, 2220, 2.06, 3.21, 0, 0, 130, 8, 0, 0, 1.0, 2.0, 1}),
        Tank(u"T4", {{}, 2, 2400, 2664, 2.96, 4.49, 0, 0, 140, 8, 0, 0, 1.0, 2.0, 0}),
    };
    auto on = Load(db.path, 1);
    ASSERT_EQ(RowCount(on->tables.nominalSizes), 6);
    ASSERT_EQ(RowCount(on->tables.tankTypes), 5);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Fields(on->tables.nominalSizes[i]), Fields(sizes[i])) << "size " << i;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Fields(on->tables.tankTypes[i]), Fields(tanks[i])) << "tank " << i;
    // The exact values: 5.3 gives its tenths a hair below 3.
    ExpectFields({FIELD(on->tables.nominalSizes[0].ratingValue, 1.6000000238418579),
                  FIELD(on->tables.nominalSizes[2].allowedDeflection, 2.9999999999999982)});

    // Without the extended mode the rows whose code carries +100 are dropped,
    // and nothing decoded from a dropped row is left in the row after it.
    auto off = Load(db.path, 0);
    ASSERT_EQ(RowCount(off->tables.nominalSizes), 4);
    ASSERT_EQ(RowCount(off->tables.tankTypes), 4);
    const int keptSizes[] = {1, 2, 3, 5}, keptTanks[] = {0, 1, 2, 4};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Fields(off->tables.nominalSizes[i]), Fields(sizes[keptSizes[i]])) << "size " << i;
        EXPECT_EQ(Fields(off->tables.tankTypes[i]), Fields(tanks[keptTanks[i]])) << "tank " << i;
    }
}

TEST(ReferenceDecoding, ManholeNameSuffixes)
{
    const std::string long252(252, 'a'), long254(254, 'b'), long300(300, 'c');
    struct Row {
        std::string stored, name;
        int eccentric, madeToOrder;
    };
    const Row rows[] = {
        {"Well DN 1000 *E", "Well DN 1000 ", 1, 0},  // the blank before the '*' stays
        {"Made*D", "Made", 0, 1},  {"Both*DE", "Both", 1, 1},
        {" *E", " ", 1, 0},        {"*E", "", 1, 0},
        {"Plain E D", "Plain E D", 0, 0},  // no '*', no flags
        {"Late*xxE", "Late", 0, 0},        // the E lies beyond the two characters
        {"Near*xE", "Near", 1, 0}, {"Two*E*D", "Two", 1, 0},  // only the first '*' counts
        // Names are bounded to 254 units before the '*' is looked for.
        {long252 + "*E", long252, 1, 0},
        {long254 + "*E", long254, 0, 0},
        {long300, long300.substr(0, 254), 0, 0},
    };
    std::string sql = "INSERT INTO manhole_types VALUES (0, 'Well DN 1000 *E', 1000, 1120, 630, 0.3, 0.75, 1.2, 8)";
    for (std::size_t i = 1; i < std::size(rows); ++i)
        sql += ", (" + std::to_string(i) + ", '" + rows[i].stored + "', " +
               (i == 1 ? "1, 2, 3, 4, 5, 6, 7)" : "0, 0, 0, 0, 0, 0, 0)");
    TestDatabase db(sql + ";");
    auto app = Load(db.path, 0);
    ASSERT_EQ(RowCount(app->tables.manholeTypes), 12);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].stored);
        const ManholeTypeEntry& m = app->tables.manholeTypes[i];
        EXPECT_EQ(Utf8(m.name), rows[i].name);
        ExpectFields({FIELD(m.eccentric, rows[i].eccentric), FIELD(m.madeToOrder, rows[i].madeToOrder),
                      FIELD(m.sandTrapDepth, 300)});
    }
    const ManholeTypeEntry& m0 = app->tables.manholeTypes[0];
    ExpectFields({FIELD(m0.nominalDiameter, 1000), FIELD(m0.outerDiameter, 1120), FIELD(m0.maxPipeDiameter, 630),
                  FIELD(m0.crownAllowance, 0.3), FIELD(m0.weightPerMetre, 0.75), FIELD(m0.minDepth, 1.2),
                  FIELD(m0.maxDepth, 8), FIELD(m0.reinforced, 0)});
}

TEST(ReferenceDecoding, SoilCoefficientsSkipD8AndTextsAreUtf16AndBounded)
{
    std::string long300(300, 'x');
    TestDatabase db("INSERT INTO soils VALUES (0, 'Piasek średni żółty – Ł', 2, 0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5,"
                    " 7.5, 8.5, 9.5, 10.5, 11.5, 12.5, 13.5, 14.5, 15.5, 16.5);"
                    "INSERT INTO soils (ord, name, soil_group) VALUES (1, 'Глина', 1), (2, '" + long300 + "', 0),"
                    " (3, 'Clef 𝄞', 0);"
                    "INSERT INTO pipe_categories VALUES (0, 1, '" + long300 + "', 0);"
                    "INSERT INTO pipe_types VALUES (0, 1, 1, '" + long300 + "', 0);"
                    "INSERT INTO tank_types (ord, name) VALUES (0, '" + long300 + "');");
    auto app = Load(db.path, 0);
    ASSERT_EQ(RowCount(app->tables.soils), 4);
    const SoilEntry& s = app->tables.soils[0];
    EXPECT_EQ(s.soilGroup, 2);
    // Element 8 is d9, element 15 is d16.
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(s.soilCoefficient[i], i + (i < 8 ? 0.5 : 1.5)) << i;

    EXPECT_EQ(FromFixed(s.name), u"Piasek średni żółty – Ł");
    EXPECT_EQ(s.name[14], char16_t(0x017C));  // ż
    EXPECT_EQ(FromFixed(app->tables.soils[1].name), u"Глина");
    EXPECT_EQ(FromFixed(app->tables.soils[3].name), u"Clef \U0001D11E");  // a surrogate pair
    // Too long for the field: cut to 255 units, never fatal.
    EXPECT_EQ(app->tables.soils[2].name[255], 0);
    for (const std::string& name : {Utf8(app->tables.soils[2].name), Utf8(app->tables.pipeCategories[0].name),
                                    Utf8(app->tables.pipeTypes[0].name), Utf8(app->tables.tankTypes[0].name)})
        EXPECT_EQ(name, long300.substr(0, 255));
}

TEST(ReferenceDecoding, NullColumnsReadAsZeroAndEmptyTablesAreEmpty)
{
    TestDatabase db(R"SQL(
INSERT INTO nominal_sizes (ord) VALUES (0);
INSERT INTO manhole_types (ord, name) VALUES (0, '');
)SQL");
    ReferenceLoadStatus status;
    auto app = Load(db.path, 0, &status);
    EXPECT_EQ(status.error, ReferenceLoadStatus::Ok);
    EXPECT_EQ(status.file, db.path);
    EXPECT_EQ(Counts(*app), (std::array<int, 6>{0, 0, 1, 0, 0, 1}));
    const NominalSizeEntry& s = app->tables.nominalSizes[0];
    EXPECT_EQ(Utf8(app->tables.manholeTypes[0].name), "");
    ExpectFields({FIELD(s.id, 0), FIELD(s.classCode, 0), FIELD(s.innerDiameter, 0), FIELD(s.allowedDeflection, 0),
                  FIELD(s.enlargedDeflectionAvailable, 0), FIELD(app->tables.manholeTypes[0].sandTrapDepth, 300)});
}

namespace {

// Records the order of the operations and can misreport the row counts.
class ObservedSource : public SqliteReferenceSource {
public:
    int announce = -1;  // -1: the true count
    std::vector<int> opened;

    bool TableOpen(int table) override
    {
        opened.push_back(table);
        return SqliteReferenceSource::TableOpen(table);
    }
    int TableRecordCount(int table) override
    {
        return announce >= 0 ? announce : SqliteReferenceSource::TableRecordCount(table);
    }
};

std::string FiveRowsOfEachTable()
{
    std::string sql;
    for (std::string n : {"0", "1", "2", "3", "4"})
        sql += "INSERT INTO soils (ord, name, soil_group) VALUES (" + n + ", 'S" + n + "', 0);" +
               "INSERT INTO pipe_categories VALUES (" + n + ", " + n + ", 'C" + n + "', 0);" +
               "INSERT INTO pipe_types VALUES (" + n + ", " + n + ", 1, 'T" + n + "', 0);" +
               "INSERT INTO nominal_sizes (ord, id) VALUES (" + n + ", " + n + ");" +
               "INSERT INTO manhole_types (ord, name) VALUES (" + n + ", 'M" + n + "');" +
               "INSERT INTO tank_types (ord, name) VALUES (" + n + ", 'K" + n + "');";
    return sql;
}

void ExpectNoTables(const CDalvorApp& app)
{
    EXPECT_EQ(Counts(app), (std::array<int, 6>{}));
    EXPECT_TRUE(app.tables.soils.empty() && app.tables.tankTypes.empty() && app.tables.manholeTypes.empty() &&
                app.tables.pipeCategories.empty() && app.tables.pipeTypes.empty() && app.tables.nominalSizes.empty());
}

}  // namespace

TEST(ReferenceDecoding, TablesAreReadInTheirOrderAndRowsBeyondTheCountAreKept)
{
    TestDatabase db(FiveRowsOfEachTable());
    for (int announce : {0, 1, 1000000000}) {
        SCOPED_TRACE(announce);
        auto app = std::make_unique<CDalvorApp>();
        ObservedSource source;
        source.announce = announce;
        ReferenceLoadStatus status = LoadReferenceTables(app->tables, app->extendedCatalogue, source, db.path);
        EXPECT_EQ(status.error, ReferenceLoadStatus::Ok);
        EXPECT_EQ(source.opened, (std::vector<int>{0, 5, 4, 1, 2, 3}));
        EXPECT_EQ(Counts(*app), (std::array<int, 6>{5, 5, 5, 5, 5, 5}));
        ASSERT_EQ(app->tables.soils.size(), 5u);
        EXPECT_EQ(Utf8(app->tables.soils[4].name), "S4");
        EXPECT_EQ(Utf8(app->tables.tankTypes[4].name), "K4");
        EXPECT_EQ(app->tables.nominalSizes[4].id, 4);
    }
}

TEST(ReferenceDecoding, FreeAndFailedOpensLeaveNoTablesAndCreateNoFile)
{
    TestDatabase db(FiveRowsOfEachTable());
    auto app = Load(db.path, 0);
    ASSERT_EQ(RowCount(app->tables.soils), 5);
    app->FreeReferenceData();
    ExpectNoTables(*app);

    // The tables of a previous load are gone, not kept half-valid.
    app = Load(db.path, 0);
    std::string missing = UniquePath("missing");
    fs::remove(missing);
    ReferenceLoadStatus status = app->LoadReferenceData(missing);
    EXPECT_EQ(status.error, ReferenceLoadStatus::CannotOpen);
    EXPECT_EQ(status.file, missing);
    EXPECT_FALSE(fs::exists(missing));
    ExpectNoTables(*app);

    // A file that is no database.
    std::string garbage = UniquePath("garbage");
    std::ofstream(garbage, std::ios::binary) << std::string(4096, 'Z');
    app = Load(db.path, 0);
    status = app->LoadReferenceData(garbage);
    EXPECT_EQ(status.error, ReferenceLoadStatus::CannotOpen);
    EXPECT_EQ(status.file, garbage);
    EXPECT_EQ(RowCount(app->tables.soils), 0);
    fs::remove(garbage);

    // A file in a folder that does not exist, and an empty path.
    std::string deep = testing::TempDir() + "/dalvor_no_such_folder/db/pl/quorlindata.mdb";
    EXPECT_EQ(app->LoadReferenceData(deep).error, ReferenceLoadStatus::CannotOpen);
    EXPECT_FALSE(fs::exists(testing::TempDir() + "/dalvor_no_such_folder"));
    EXPECT_EQ(app->LoadReferenceData("").error, ReferenceLoadStatus::CannotOpen);

    // A name that looks like an SQLite URI asking for creation is a file name.
    const std::string uri = "file:dalvor_uri_probe.mdb?mode=rwc";
    EXPECT_EQ(app->LoadReferenceData(uri).error, ReferenceLoadStatus::CannotOpen);
    EXPECT_FALSE(fs::exists("dalvor_uri_probe.mdb"));
    EXPECT_FALSE(fs::exists(uri));
}

TEST(ReferenceDecoding, MissingTableIsReportedAndTheOthersLoad)
{
    TestDatabase db(FiveRowsOfEachTable() + "DROP TABLE manhole_types; DROP TABLE nominal_sizes;");
    ReferenceLoadStatus status;
    auto app = Load(db.path, 0, &status);
    EXPECT_EQ(status.error, ReferenceLoadStatus::MissingTable);
    EXPECT_EQ(status.table, "manhole_types, nominal_sizes");  // in reading order
    EXPECT_EQ(status.file, db.path);
    EXPECT_EQ(Counts(*app), (std::array<int, 6>{5, 5, 0, 5, 5, 0}));

    // A table without a column the program reads counts as missing.
    TestDatabase bare("CREATE TABLE soils (ord INTEGER PRIMARY KEY, name TEXT);", false);
    EXPECT_EQ(RowCount(Load(bare.path, 0, &status)->tables.soils), 0);
    EXPECT_EQ(status.error, ReferenceLoadStatus::MissingTable);
    EXPECT_EQ(status.table, "soils, tank_types, manhole_types, pipe_categories, pipe_types, nominal_sizes");
}

TEST(ReferenceDecoding, DumpListsEveryFieldInOrder)
{
    TestDatabase db(R"SQL(
INSERT INTO soils VALUES (0, 'Piasek średni', 0, 0.35, 17.5, 2.65, 8, 27.2, 0, 0, 0, 99,
                          15, 10, 0, 50, 80, 30, 0.8, 0.28);
INSERT INTO pipe_categories VALUES (0, 1, 'Cat', 102);
INSERT INTO pipe_types VALUES (0, 7, 1, 'Type', 2);
INSERT INTO nominal_sizes VALUES (0, 3, 1, 7, 1112, 200, 190.2, 200, 8, 4.9, 9.8, 8.5, 0.01, 16);
INSERT INTO manhole_types VALUES (0, 'M*DE', 1000, 1120, 630, 0.3, 0.75, 1.2, 8);
INSERT INTO tank_types VALUES (0, 'K', 1200, 1332, 0.74, 1.35, 4, 15.7, 100, 1, 2);
)SQL");
    auto app = Load(db.path, 1);
    std::string expected =
        "# soils\n"
        "Piasek średni\t0\t0.34999999999999998\t17.5\t2.6499999999999999\t8\t27.199999999999999\t0\t0\t0"
        "\t15\t10\t0\t50\t80\t30\t0.80000000000000004\t0.28000000000000003\n"
        "# pipeCategories\n1\tCat\t2\n"
        "# pipeTypes\n7\t1\tType\t2\n"
        "# nominalSizes\n"
        "3\t1\t7\t2\t200\t190.19999999999999\t200\t8\t4.9000000000000004\t9.8000000000000007\t5\t8\t0\t0"
        "\t0.01\t1.6000000238418579\t1\t1\t1\n"
        "# manholeTypes\n"
        "M\t1000\t1120\t630\t300\t0.29999999999999999\t0.75\t1.2\t8\t0\t1\t1\n"
        "# tankTypes\n"
        "K\t5\t1200\t1332\t0.73999999999999999\t1.3500000000000001\t0\t0\t100\t4\t0\t0\t1\t2\t1\n";
    EXPECT_EQ(DumpReferenceTables(app->tables), expected);

    auto empty = std::make_unique<CDalvorApp>();
    EXPECT_EQ(DumpReferenceTables(empty->tables),
              "# soils\n# pipeCategories\n# pipeTypes\n# nominalSizes\n# manholeTypes\n# tankTypes\n");
}

namespace {

// Overwrites one page of a database file with bytes that are no b-tree page.
void DamagePage(const std::string& path, long page, long pageSize)
{
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp((page - 1) * pageSize);
    const std::string junk(static_cast<std::size_t>(pageSize), '\x7f');
    f.write(junk.data(), pageSize);
}

long PageCount(const std::string& path, const char* pragma)
{
    sqlite3* db = nullptr;
    long v = 0;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, pragma, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        v = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return v;
}

}  // namespace

TEST(ReferenceDecoding, DamagedTableFailsWholeAndIsReported)
{
    // The manhole rows fill many pages; the root page lies among the first
    // pages, the last page holds the table's last rows.
    std::string rows = "PRAGMA page_size = 1024;" + FiveRowsOfEachTable();
    for (int i = 5; i < 400; ++i)
        rows += "INSERT INTO manhole_types (ord, name) VALUES (" + std::to_string(i) + ", '" +
                std::string(60, 'm') + "');";
    struct Case {
        const char* where;
        bool lastPage;
    };
    for (Case c : {Case{"root page", false}, Case{"last page", true}}) {
        SCOPED_TRACE(c.where);
        TestDatabase db(rows);
        const long pageSize = PageCount(db.path, "PRAGMA page_size");
        const long root = static_cast<long>(PageCount(db.path, "SELECT rootpage FROM sqlite_master WHERE name = 'manhole_types'"));
        DamagePage(db.path, c.lastPage ? PageCount(db.path, "PRAGMA page_count") : root, pageSize);
        ReferenceLoadStatus status;
        auto app = Load(db.path, 0, &status);
        EXPECT_EQ(status.error, ReferenceLoadStatus::MissingTable);
        EXPECT_EQ(status.table, "manhole_types");
        EXPECT_EQ(Counts(*app), (std::array<int, 6>{5, 5, 0, 5, 5, 5}));
        EXPECT_TRUE(app->tables.manholeTypes.empty());
    }
}

TEST(ReferenceDecoding, PathThatIsNoRegularFileCannotBeOpened)
{
    const fs::path folder = fs::path(UniquePath("special")).replace_extension();
    fs::create_directories(folder);
    const std::string fifo = (folder / "fifo.mdb").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, folder.string(), std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        auto app = std::make_unique<CDalvorApp>();
        auto load = std::async(std::launch::async, [&] { return app->LoadReferenceData(path).error; });
        if (load.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            // Release a blocked open so that the test ends with its failure.
            ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
            ADD_FAILURE() << "the open blocked";
        }
        EXPECT_EQ(load.get(), ReferenceLoadStatus::CannotOpen);
    }
    fs::remove_all(folder);
}

// A view under a table's name that counts without end is no table; a table
// whose read takes more work or time than the load's budget allows fails, and
// the tables after it with it (the order computed for each row at great cost in
// all, in one step, or in compiling it). Loads run in a child process, so that
// one that never ends is stopped.
TEST(ReferenceDecoding, OnlyStoredTablesAreReadAndNoReadRunsWithoutEnd)
{
    std::string manyManholes;
    for (int i = 5; i < 400; ++i)
        manyManholes += "INSERT INTO manhole_types (ord, name) VALUES (" + std::to_string(i) + ", 'm');";
    auto computed = [](int rows, const std::string& order, const std::string& columns = "") {
        return "DROP TABLE manhole_types; CREATE TABLE manhole_types (name, dns, de, max_pipe_d, crown_allowance, "
               "weight_per_m, min_depth, max_depth, n" + columns + "); INSERT INTO manhole_types (name, n) WITH "
               "RECURSIVE r(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM r WHERE n < " + std::to_string(rows) +
               ") SELECT 'm', n FROM r; ALTER TABLE manhole_types ADD COLUMN ord AS (" + order + ");";
    };
    std::string slow = "0", chain = ", c0 AS (n)";  // calls seconds long over megabytes; columns twice the last
    for (int i = 1; i <= 14; ++i)
        chain += ", c" + std::to_string(i) + " AS (c" + std::to_string(i - 1) + " + c" + std::to_string(i - 1) + ")";
    for (int i = 0; i < 8; ++i)
        slow += " + instr(hex(zeroblob(400000 + n)), hex(zeroblob(200000)) || 1)";
    const char* alone = "manhole_types";  // refused before any work: the tables after it read
    const char* spent = "manhole_types, pipe_categories, pipe_types, nominal_sizes";
    const std::tuple<std::string, long long, const char*> cases[] = {
        {"DROP TABLE manhole_types; CREATE VIEW manhole_types AS WITH RECURSIVE n(ord) AS (SELECT 0 UNION ALL "
         "SELECT ord + 1 FROM n) SELECT ord, 'M' AS name, 0 AS dns, 0 AS de, 0 AS max_pipe_d, 0 AS crown_allowance, "
         "0 AS weight_per_m, 0 AS min_depth, 0 AS max_depth FROM n;",
         SqliteReferenceSource().readBudget, alone},
        {manyManholes, 5000, spent},
        {computed(20000, "instr(printf('%.*c', 4000, 'x'), printf('%.*c', 2000 + n % 2, 'x') || 'y')"),
         SqliteReferenceSource().readBudget, spent},
        {computed(5, slow), SqliteReferenceSource().readBudget, alone},
        {computed(5, "c14", chain), SqliteReferenceSource().readBudget, alone},
    };
    for (const auto& [sql, budget, failed] : cases) {
        TestDatabase db(FiveRowsOfEachTable() + sql);
        // 1: the manhole types empty, the failed tables named, the tables before them read.
        EXPECT_EQ(ExitCodeInChild([&] {
                      CDalvorApp app;
                      SqliteReferenceSource source;
                      source.readBudget = budget;
                      source.readTime = std::chrono::milliseconds(500);
                      const ReferenceLoadStatus status =
                          LoadReferenceTables(app.tables, app.extendedCatalogue, source, db.path);
                      const bool tanksRead = RowCount(app.tables.tankTypes) == 5;
                      return status.table == failed && app.tables.manholeTypes.empty() && tanksRead ? 1 : 2;
                  }),
                  1)
            << sql.substr(0, 60);
    }
}

// One time limit holds for the whole load: with every table slow to read, the
// load ends once the limit has passed on the clock, and every table is named.
TEST(ReferenceDecoding, OneTimeLimitHoldsForTheWholeLoad)
{
    std::string sql;  // 3,001 rows in each table, every column that must have a value n
    for (auto [table, values] : {std::pair{"soils (ord, name, soil_group)", "n, n, n"},
                                 {"pipe_categories (ord, id, name, applicability)", "n, n, n, n"},
                                 {"pipe_types (ord, id, category_id, name, applicability)", "n, n, n, n, n"},
                                 {"nominal_sizes (ord)", "n"}, {"manhole_types (ord, name)", "n, n"},
                                 {"tank_types (ord, name)", "n, n"}})
        sql += std::string("INSERT INTO ") + table + " WITH RECURSIVE r(n) AS (SELECT 0 UNION ALL SELECT n + 1 "
               "FROM r WHERE n < 3000) SELECT " + values + " FROM r;";
    TestDatabase db(sql);
    CDalvorApp app;
    SqliteReferenceSource source;
    source.readTime = std::chrono::milliseconds(100);
    int reads = 0;  // each read of the clock finds it 1 ms later
    source.now = [&] { return std::chrono::steady_clock::time_point(std::chrono::milliseconds(++reads)); };
    const ReferenceLoadStatus status = LoadReferenceTables(app.tables, app.extendedCatalogue, source, db.path);
    EXPECT_LE(reads, 100 + 8);  // one limit, then one look at the clock for each table
    EXPECT_EQ(status.table, "soils, tank_types, manhole_types, pipe_categories, pipe_types, nominal_sizes");
    ExpectNoTables(app);
}
