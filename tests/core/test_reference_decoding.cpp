// Loading and decoding the reference tables, on small databases built here.

#include "DalvorApp.h"
#include "ReferenceDump.h"
#include "ReferenceSource.h"
#include "Text.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kSchema = R"SQL(
CREATE TABLE soils (ord INTEGER PRIMARY KEY, name TEXT NOT NULL, soil_group INTEGER NOT NULL,
  d0 REAL, d1 REAL, d2 REAL, d3 REAL, d4 REAL, d5 REAL, d6 REAL, d7 REAL, d8 REAL,
  d9 REAL, d10 REAL, d11 REAL, d12 REAL, d13 REAL, d14 REAL, d15 REAL, d16 REAL);
CREATE TABLE pipe_categories (ord INTEGER PRIMARY KEY, id INTEGER NOT NULL, name TEXT NOT NULL,
  applicability INTEGER NOT NULL);
CREATE TABLE pipe_types (ord INTEGER PRIMARY KEY, id INTEGER NOT NULL, category_id INTEGER NOT NULL,
  name TEXT NOT NULL, applicability INTEGER NOT NULL);
CREATE TABLE nominal_sizes (ord INTEGER PRIMARY KEY, id INTEGER, category_id INTEGER, type_id INTEGER,
  class_code INTEGER, dn REAL, dw REAL, dz REAL, ring_stiffness REAL, section_a REAL, section_b REAL,
  deflection_code REAL, roughness REAL, rating REAL);
CREATE TABLE manhole_types (ord INTEGER PRIMARY KEY, name TEXT NOT NULL,
  dns REAL, de REAL, max_pipe_d REAL, crown_allowance REAL, weight_per_m REAL,
  min_depth REAL, max_depth REAL);
CREATE TABLE tank_types (ord INTEGER PRIMARY KEY, name TEXT NOT NULL,
  dw REAL, dz REAL, weight_per_m REAL, end_weight REAL, stiffness_class REAL,
  class_code REAL, end_allowance REAL, min_anchor_spacing REAL, max_anchor_spacing REAL);
)SQL";

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
        std::string all = (withSchema ? std::string(kSchema) : std::string()) + sql;
        char* message = nullptr;
        EXPECT_EQ(sqlite3_exec(db, all.c_str(), nullptr, nullptr, &message), SQLITE_OK)
            << (message ? message : "");
        sqlite3_free(message);
        sqlite3_close(db);
    }
    ~TestDatabase() { fs::remove(path); }
    const std::string path;
};

std::string Utf8(const char16_t* text, std::size_t cap) { return Utf16ToUtf8(FromFixed(text, cap)); }
template <std::size_t N>
std::string Utf8(const char16_t (&text)[N])
{
    return Utf8(text, N);
}

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

const double kTenthSingle = 0.1f;

}  // namespace

TEST(ReferenceDecoding, ExtendedCategoriesAndTypesKeptOnlyInExtendedMode)
{
    TestDatabase db(R"SQL(
INSERT INTO pipe_categories VALUES (0, 1, 'Gravity', 0), (1, 2, 'Both ext', 102), (2, 3, 'Pressure', 1),
                                   (3, 4, 'Two hundred', 200);
INSERT INTO pipe_types VALUES (0, 10, 1, 'T-a', 0), (1, 11, 2, 'T-b', 101), (2, 12, 3, 'T-c', 2);
)SQL");
    auto off = Load(db.path, 0);
    ASSERT_EQ(off->pipeCategoryCount, 2);
    EXPECT_EQ(Utf8(off->pipeCategories[0].name), "Gravity");
    EXPECT_EQ(Utf8(off->pipeCategories[1].name), "Pressure");  // takes the dropped row's place
    EXPECT_EQ(off->pipeCategories[1].id, 3);
    EXPECT_EQ(off->pipeCategories[1].applicability, 1);
    ASSERT_EQ(off->pipeTypeCount, 2);
    EXPECT_EQ(off->pipeTypes[1].id, 12);
    EXPECT_EQ(off->pipeTypes[1].categoryId, 3);
    EXPECT_EQ(off->pipeTypes[1].applicability, 2);

    auto on = Load(db.path, 1);
    ASSERT_EQ(on->pipeCategoryCount, 4);
    EXPECT_EQ(on->pipeCategories[1].applicability, 2);
    EXPECT_EQ(on->pipeCategories[3].applicability, 100);  // only 100 is taken off
    ASSERT_EQ(on->pipeTypeCount, 3);
    EXPECT_EQ(on->pipeTypes[1].applicability, 1);

    // Only the value 1 turns the extended rows on.
    auto other = Load(db.path, 2);
    EXPECT_EQ(other->pipeCategoryCount, 2);
}

TEST(ReferenceDecoding, NominalSizeClassCodesDeflectionAndRating)
{
    TestDatabase db(R"SQL(
INSERT INTO nominal_sizes VALUES
 (0, 101, 1, 10, 1112, 200, 190.2, 200, 8, 4.9, 9.8, 8.5, 0.01, 16),
 (1, 102, 1, 10, 1005, 250, 235.4, 250, 4, 6.2, 19.9, 3.0, 0.02, 0),
 (2, 103, 2, 11, 15,   315, 296.6, 315, 16, 7.7, 38.0, 5.3, 0.01, 6.3),
 (3, 104, 2, 11, 3,    400, 376.6, 400, 2, 9.8, 78.4, 7, 0.03, 10),
 (4, 105, 2, 11, 105,  500, 470.4, 500, 2, 12.3, 155.0, 9.6, 0.01, 25);
)SQL");
    auto on = Load(db.path, 1);
    ASSERT_EQ(on->nominalSizeCount, 5);
    const NominalSizeEntry& a = on->nominalSizes[0];
    EXPECT_EQ(a.id, 101);
    EXPECT_EQ(a.categoryId, 1);
    EXPECT_EQ(a.typeId, 10);
    // 1112: reduced load, then 112 is extended, then 12 is class 2 made to order.
    EXPECT_EQ(a.reducedLoadCapacity, 1);
    EXPECT_EQ(a.classCode, 2);
    EXPECT_EQ(a.madeToOrder, 1);
    EXPECT_EQ(a.nominalSize, 200.0);
    EXPECT_EQ(a.innerDiameter, 190.2);
    EXPECT_EQ(a.outerDiameter, 200.0);
    EXPECT_EQ(a.ringStiffness, 8.0);
    EXPECT_EQ(a.sectionValueA, 4.9);
    EXPECT_EQ(a.sectionValueB, 9.8);
    // 8.5: allowed 5 %, enlarged 8 %.
    EXPECT_EQ(a.allowedDeflection, 5.0);
    EXPECT_EQ(a.enlargedAllowedDeflection, 8.0);
    EXPECT_EQ(a.enlargedDeflectionAvailable, 1);
    EXPECT_EQ(a.minCover, 0.0);
    EXPECT_EQ(a.sizeValueC, 0.0);
    EXPECT_EQ(a.roughness, 0.01);
    // Rating in bar times the single-precision 0.1.
    EXPECT_EQ(a.ratingValue, 16 * kTenthSingle);
    EXPECT_EQ(a.ratingValue, 1.6000000238418579);

    const NominalSizeEntry& b = on->nominalSizes[1];
    EXPECT_EQ(b.reducedLoadCapacity, 1);
    EXPECT_EQ(b.classCode, 5);
    EXPECT_EQ(b.madeToOrder, 0);
    EXPECT_EQ(b.allowedDeflection, 3.0);
    EXPECT_EQ(b.enlargedAllowedDeflection, 3.0);
    EXPECT_EQ(b.enlargedDeflectionAvailable, 0);
    EXPECT_EQ(b.ratingValue, 0.0);

    const NominalSizeEntry& c = on->nominalSizes[2];
    EXPECT_EQ(c.reducedLoadCapacity, 0);
    EXPECT_EQ(c.classCode, 5);
    EXPECT_EQ(c.madeToOrder, 1);
    // 5.3: the tenths come out as (5.3 - 5) * 10, a hair below 3.
    EXPECT_EQ(c.enlargedAllowedDeflection, 5.0);
    EXPECT_EQ(c.allowedDeflection, (5.3 - 5.0) * 10.0);
    EXPECT_EQ(c.allowedDeflection, 2.9999999999999982);
    EXPECT_EQ(c.ratingValue, 6.3 * kTenthSingle);

    EXPECT_EQ(on->nominalSizes[3].classCode, 3);
    EXPECT_EQ(on->nominalSizes[3].allowedDeflection, 7.0);
    EXPECT_EQ(on->nominalSizes[3].enlargedDeflectionAvailable, 0);
    EXPECT_EQ(on->nominalSizes[4].classCode, 5);
    EXPECT_EQ(on->nominalSizes[4].madeToOrder, 0);
    EXPECT_EQ(on->nominalSizes[4].enlargedAllowedDeflection, 9.0);

    // Without the extended mode the rows whose code carries +100 are dropped.
    auto off = Load(db.path, 0);
    ASSERT_EQ(off->nominalSizeCount, 3);
    EXPECT_EQ(off->nominalSizes[0].id, 102);
    EXPECT_EQ(off->nominalSizes[1].id, 103);
    EXPECT_EQ(off->nominalSizes[2].id, 104);
}

TEST(ReferenceDecoding, DroppedRowLeavesNothingInTheNextRow)
{
    TestDatabase db(R"SQL(
INSERT INTO nominal_sizes VALUES
 (0, 1, 1, 1, 1112, 200, 190, 200, 8, 1, 1, 8.5, 0.01, 16),
 (1, 2, 1, 1, 3,    250, 240, 250, 8, 1, 1, 5,   0.01, 0);
INSERT INTO tank_types VALUES
 (0, 'Dropped', 1000, 1100, 1, 1, 4, 115, 100, 1, 2),
 (1, 'Kept',    1200, 1300, 2, 2, 8, 2,   150, 1, 3);
INSERT INTO pipe_categories VALUES (0, 1, 'Dropped', 102), (1, 1, 'Kept', 0);
)SQL");
    auto off = Load(db.path, 0);
    ASSERT_EQ(off->nominalSizeCount, 1);
    const NominalSizeEntry& s = off->nominalSizes[0];
    EXPECT_EQ(s.id, 2);
    EXPECT_EQ(s.madeToOrder, 0);
    EXPECT_EQ(s.reducedLoadCapacity, 0);
    EXPECT_EQ(s.enlargedDeflectionAvailable, 0);
    EXPECT_EQ(s.ratingValue, 0.0);
    ASSERT_EQ(off->tankTypeCount, 1);
    EXPECT_EQ(Utf8(off->tankTypes[0].name), "Kept");
    EXPECT_EQ(off->tankTypes[0].madeToOrder, 0);
    EXPECT_EQ(off->tankTypes[0].classCode, 2);
    ASSERT_EQ(off->pipeCategoryCount, 1);
    EXPECT_EQ(off->pipeCategories[0].applicability, 0);
}

TEST(ReferenceDecoding, TankClassCodes)
{
    TestDatabase db(R"SQL(
INSERT INTO tank_types VALUES
 (0, 'T0', 1200, 1332, 0.74, 1.35, 4, 15.7,   100, 1.0, 2.0),
 (1, 'T1', 1400, 1554, 1.01, 1.73, 4, 1015.0, 110, 1.5, 2.5),
 (2, 'T2', 1600, 1776, 1.32, 2.16, 8, 1001,   120, 0.5, 3.0),
 (3, 'T3', 2000, 2220, 2.06, 3.21, 8, 115,    130, 1.0, 2.0),
 (4, 'T4', 2400, 2664, 2.96, 4.49, 8, 2.99,   140, 1.0, 2.0);
)SQL");
    auto off = Load(db.path, 0);
    ASSERT_EQ(off->tankTypeCount, 4);
    const TankTypeEntry& t0 = off->tankTypes[0];
    EXPECT_EQ(t0.classCode, 5);  // 15.7 truncates to 15: made to order, class 5
    EXPECT_EQ(t0.madeToOrder, 1);
    EXPECT_EQ(t0.innerDiameter, 1200.0);
    EXPECT_EQ(t0.outerDiameter, 1332.0);
    EXPECT_EQ(t0.weightPerMetre, 0.74);
    EXPECT_EQ(t0.endWeight, 1.35);
    EXPECT_EQ(t0.stiffnessClass, 4.0);
    EXPECT_EQ(t0.endAllowance, 100.0);
    EXPECT_EQ(t0.minAnchorSpacing, 1.0);
    EXPECT_EQ(t0.maxAnchorSpacing, 2.0);
    EXPECT_EQ(t0.reservedA, 0.0);
    EXPECT_EQ(t0.reservedB, 0.0);
    EXPECT_EQ(t0.reservedC, 0.0);
    EXPECT_EQ(t0.reservedD, 0.0);
    // 1000 or more: less 1000, no flag of its own.
    EXPECT_EQ(off->tankTypes[1].classCode, 5);
    EXPECT_EQ(off->tankTypes[1].madeToOrder, 1);
    EXPECT_EQ(off->tankTypes[2].classCode, 1);
    EXPECT_EQ(off->tankTypes[2].madeToOrder, 0);
    EXPECT_EQ(off->tankTypes[3].classCode, 2);  // 2.99 truncates
    EXPECT_EQ(Utf8(off->tankTypes[3].name), "T4");

    auto on = Load(db.path, 1);
    ASSERT_EQ(on->tankTypeCount, 5);
    EXPECT_EQ(on->tankTypes[3].classCode, 5);
    EXPECT_EQ(on->tankTypes[3].madeToOrder, 1);
}

TEST(ReferenceDecoding, ManholeNameSuffixes)
{
    std::string long252(252, 'a');
    std::string long254(254, 'b');
    std::string long300(300, 'c');
    TestDatabase db("INSERT INTO manhole_types VALUES"
                    " (0, 'Well DN 1000 *E', 1000, 1120, 630, 0.3, 0.75, 1.2, 8),"
                    " (1, 'Made*D', 1, 2, 3, 4, 5, 6, 7),"
                    " (2, 'Both*DE', 0, 0, 0, 0, 0, 0, 0),"
                    " (3, ' *E', 0, 0, 0, 0, 0, 0, 0),"
                    " (4, '*E', 0, 0, 0, 0, 0, 0, 0),"
                    " (5, 'Plain E D', 0, 0, 0, 0, 0, 0, 0),"
                    " (6, 'Late*xxE', 0, 0, 0, 0, 0, 0, 0),"
                    " (7, 'Near*xE', 0, 0, 0, 0, 0, 0, 0),"
                    " (8, 'Two*E*D', 0, 0, 0, 0, 0, 0, 0),"
                    " (9, '" + long252 + "*E', 0, 0, 0, 0, 0, 0, 0),"
                    " (10, '" + long254 + "*E', 0, 0, 0, 0, 0, 0, 0),"
                    " (11, '" + long300 + "', 0, 0, 0, 0, 0, 0, 0);");
    auto app = Load(db.path, 0);
    ASSERT_EQ(app->manholeTypeCount, 12);
    const auto& m = app->manholeTypes;
    EXPECT_EQ(Utf8(m[0].name), "Well DN 1000 ");  // the blank before the '*' stays
    EXPECT_EQ(m[0].eccentric, 1);
    EXPECT_EQ(m[0].madeToOrder, 0);
    EXPECT_EQ(m[0].nominalDiameter, 1000.0);
    EXPECT_EQ(m[0].outerDiameter, 1120.0);
    EXPECT_EQ(m[0].maxPipeDiameter, 630.0);
    EXPECT_EQ(m[0].sandTrapDepth, 300.0);
    EXPECT_EQ(m[0].crownAllowance, 0.3);
    EXPECT_EQ(m[0].weightPerMetre, 0.75);
    EXPECT_EQ(m[0].minDepth, 1.2);
    EXPECT_EQ(m[0].maxDepth, 8.0);
    EXPECT_EQ(m[0].reinforced, 0);
    EXPECT_EQ(Utf8(m[1].name), "Made");
    EXPECT_EQ(m[1].eccentric, 0);
    EXPECT_EQ(m[1].madeToOrder, 1);
    EXPECT_EQ(m[1].sandTrapDepth, 300.0);
    EXPECT_EQ(Utf8(m[2].name), "Both");
    EXPECT_EQ(m[2].eccentric, 1);
    EXPECT_EQ(m[2].madeToOrder, 1);
    EXPECT_EQ(Utf8(m[3].name), " ");
    EXPECT_EQ(m[3].eccentric, 1);
    EXPECT_EQ(Utf8(m[4].name), "");
    EXPECT_EQ(m[4].eccentric, 1);
    EXPECT_EQ(Utf8(m[5].name), "Plain E D");  // no '*', no flags
    EXPECT_EQ(m[5].eccentric, 0);
    EXPECT_EQ(m[5].madeToOrder, 0);
    EXPECT_EQ(Utf8(m[6].name), "Late");  // the E lies beyond the two characters
    EXPECT_EQ(m[6].eccentric, 0);
    EXPECT_EQ(m[7].eccentric, 1);
    EXPECT_EQ(Utf8(m[8].name), "Two");  // only the first '*' counts
    EXPECT_EQ(m[8].eccentric, 1);
    EXPECT_EQ(m[8].madeToOrder, 0);
    // Names are bounded to 254 units before the '*' is looked for.
    EXPECT_EQ(Utf8(m[9].name), long252);
    EXPECT_EQ(m[9].eccentric, 1);
    EXPECT_EQ(Utf8(m[10].name), long254);
    EXPECT_EQ(m[10].eccentric, 0);
    EXPECT_EQ(Utf8(m[11].name), long300.substr(0, 254));
}

TEST(ReferenceDecoding, SoilCoefficientsSkipD8)
{
    TestDatabase db(R"SQL(
INSERT INTO soils VALUES (0, 'S', 2, 0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5,
                          9.5, 10.5, 11.5, 12.5, 13.5, 14.5, 15.5, 16.5);
)SQL");
    auto app = Load(db.path, 0);
    ASSERT_EQ(app->soilCount, 1);
    const SoilEntry& s = app->soils[0];
    EXPECT_EQ(s.soilGroup, 2);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(s.soilCoefficient[i], i + 0.5) << i;
    for (int i = 8; i < 16; ++i)
        EXPECT_EQ(s.soilCoefficient[i], i + 1.5) << i;  // element 8 is d9, element 15 is d16
    for (double c : s.soilCoefficient)
        EXPECT_NE(c, 8.5);
}

TEST(ReferenceDecoding, TextsAreUtf16AndBounded)
{
    std::string long300(300, 'x');
    std::string sql = "INSERT INTO soils (ord, name, soil_group) VALUES (0, 'Piasek średni żółty – Ł', 0), (1, 'Глина', 1),"
                      " (2, '" + long300 + "', 0), (3, 'Clef 𝄞', 0);"
                      "INSERT INTO pipe_categories VALUES (0, 1, '" + long300 + "', 0);"
                      "INSERT INTO pipe_types VALUES (0, 1, 1, '" + long300 + "', 0);"
                      "INSERT INTO tank_types (ord, name) VALUES (0, '" + long300 + "');";
    TestDatabase db(sql);
    auto app = Load(db.path, 0);
    ASSERT_EQ(app->soilCount, 4);
    std::u16string expected = u"Piasek średni żółty – Ł";
    EXPECT_EQ(FromFixed(app->soils[0].name), expected);
    EXPECT_EQ(app->soils[0].name[14], char16_t(0x017C));  // ż
    EXPECT_EQ(FromFixed(app->soils[1].name), u"Глина");
    EXPECT_EQ(FromFixed(app->soils[3].name), u"Clef \U0001D11E");  // a surrogate pair
    // Too long for the field: cut to 255 units, never fatal.
    EXPECT_EQ(Utf8(app->soils[2].name), long300.substr(0, 255));
    EXPECT_EQ(app->soils[2].name[255], 0);
    EXPECT_EQ(Utf8(app->pipeCategories[0].name), long300.substr(0, 255));
    EXPECT_EQ(Utf8(app->pipeTypes[0].name), long300.substr(0, 255));
    EXPECT_EQ(Utf8(app->tankTypes[0].name), long300.substr(0, 255));
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
    EXPECT_EQ(app->soilCount, 0);
    EXPECT_EQ(app->pipeCategoryCount, 0);
    ASSERT_EQ(app->nominalSizeCount, 1);
    const NominalSizeEntry& s = app->nominalSizes[0];
    EXPECT_EQ(s.id, 0);
    EXPECT_EQ(s.classCode, 0);
    EXPECT_EQ(s.innerDiameter, 0.0);
    EXPECT_EQ(s.allowedDeflection, 0.0);
    EXPECT_EQ(s.enlargedDeflectionAvailable, 0);
    ASSERT_EQ(app->manholeTypeCount, 1);
    EXPECT_EQ(Utf8(app->manholeTypes[0].name), "");
    EXPECT_EQ(app->manholeTypes[0].sandTrapDepth, 300.0);
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
    for (int i = 0; i < 5; ++i) {
        std::string n = std::to_string(i);
        sql += "INSERT INTO soils (ord, name, soil_group) VALUES (" + n + ", 'S" + n + "', 0);";
        sql += "INSERT INTO pipe_categories VALUES (" + n + ", " + n + ", 'C" + n + "', 0);";
        sql += "INSERT INTO pipe_types VALUES (" + n + ", " + n + ", 1, 'T" + n + "', 0);";
        sql += "INSERT INTO nominal_sizes (ord, id) VALUES (" + n + ", " + n + ");";
        sql += "INSERT INTO manhole_types (ord, name) VALUES (" + n + ", 'M" + n + "');";
        sql += "INSERT INTO tank_types (ord, name) VALUES (" + n + ", 'K" + n + "');";
    }
    return sql;
}

}  // namespace

TEST(ReferenceDecoding, TablesAreReadInTheirOrderAndRowsBeyondTheCountAreKept)
{
    TestDatabase db(FiveRowsOfEachTable());
    for (int announce : {0, 1, 1000000000}) {
        auto app = std::make_unique<CDalvorApp>();
        ObservedSource source;
        source.announce = announce;
        ReferenceLoadStatus status = LoadReferenceTables(*app, source, db.path);
        EXPECT_EQ(status.error, ReferenceLoadStatus::Ok);
        EXPECT_EQ(source.opened, (std::vector<int>{0, 5, 4, 1, 2, 3}));
        EXPECT_EQ(app->soilCount, 5) << announce;
        EXPECT_EQ(app->tankTypeCount, 5);
        EXPECT_EQ(app->manholeTypeCount, 5);
        EXPECT_EQ(app->pipeCategoryCount, 5);
        EXPECT_EQ(app->pipeTypeCount, 5);
        EXPECT_EQ(app->nominalSizeCount, 5);
        ASSERT_EQ(app->soils.size(), 5u);
        EXPECT_EQ(Utf8(app->soils[4].name), "S4");
        EXPECT_EQ(Utf8(app->tankTypes[4].name), "K4");
        EXPECT_EQ(app->nominalSizes[4].id, 4);
    }
}

TEST(ReferenceDecoding, MissingFileIsReportedAndNotCreated)
{
    TestDatabase db(FiveRowsOfEachTable());
    auto app = Load(db.path, 0);
    ASSERT_EQ(app->soilCount, 5);

    std::string missing = UniquePath("missing");
    fs::remove(missing);
    ReferenceLoadStatus status = app->LoadReferenceData(missing);
    EXPECT_EQ(status.error, ReferenceLoadStatus::CannotOpen);
    EXPECT_EQ(status.file, missing);
    EXPECT_FALSE(fs::exists(missing));
    // The tables of the previous load are gone, not kept half-valid.
    EXPECT_EQ(app->soilCount, 0);
    EXPECT_EQ(app->tankTypeCount, 0);
    EXPECT_EQ(app->manholeTypeCount, 0);
    EXPECT_EQ(app->pipeCategoryCount, 0);
    EXPECT_EQ(app->pipeTypeCount, 0);
    EXPECT_EQ(app->nominalSizeCount, 0);
    EXPECT_TRUE(app->soils.empty());
    EXPECT_TRUE(app->nominalSizes.empty());

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

TEST(ReferenceDecoding, FileThatIsNotADatabaseCannotBeOpened)
{
    std::string path = UniquePath("garbage");
    {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_TRUE(f);
        std::string junk(4096, 'Z');
        std::fwrite(junk.data(), 1, junk.size(), f);
        std::fclose(f);
    }
    auto app = std::make_unique<CDalvorApp>();
    ReferenceLoadStatus status = app->LoadReferenceData(path);
    EXPECT_EQ(status.error, ReferenceLoadStatus::CannotOpen);
    EXPECT_EQ(status.file, path);
    EXPECT_EQ(app->soilCount, 0);
    fs::remove(path);
}

TEST(ReferenceDecoding, MissingTableIsReportedAndTheOthersLoad)
{
    std::string sql = FiveRowsOfEachTable() + "DROP TABLE manhole_types; DROP TABLE nominal_sizes;";
    TestDatabase db(sql);
    ReferenceLoadStatus status;
    auto app = Load(db.path, 0, &status);
    EXPECT_EQ(status.error, ReferenceLoadStatus::MissingTable);
    EXPECT_EQ(status.table, "manhole_types");  // the first missing in reading order
    EXPECT_EQ(status.file, db.path);
    EXPECT_EQ(app->manholeTypeCount, 0);
    EXPECT_EQ(app->nominalSizeCount, 0);
    EXPECT_EQ(app->soilCount, 5);
    EXPECT_EQ(app->tankTypeCount, 5);
    EXPECT_EQ(app->pipeCategoryCount, 5);
    EXPECT_EQ(app->pipeTypeCount, 5);

    // A table without a column the program reads counts as missing.
    TestDatabase bare("CREATE TABLE soils (ord INTEGER PRIMARY KEY, name TEXT);", false);
    auto app2 = Load(bare.path, 0, &status);
    EXPECT_EQ(status.error, ReferenceLoadStatus::MissingTable);
    EXPECT_EQ(status.table, "soils");
    EXPECT_EQ(app2->soilCount, 0);
}

TEST(ReferenceDecoding, FreeEmptiesEveryTable)
{
    TestDatabase db(FiveRowsOfEachTable());
    auto app = Load(db.path, 0);
    app->FreeReferenceData();
    EXPECT_EQ(app->soilCount + app->tankTypeCount + app->manholeTypeCount + app->pipeCategoryCount +
                  app->pipeTypeCount + app->nominalSizeCount,
              0);
    EXPECT_TRUE(app->soils.empty() && app->tankTypes.empty() && app->manholeTypes.empty() &&
                app->pipeCategories.empty() && app->pipeTypes.empty() && app->nominalSizes.empty());
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
        "# pipeCategories\n"
        "1\tCat\t2\n"
        "# pipeTypes\n"
        "7\t1\tType\t2\n"
        "# nominalSizes\n"
        "3\t1\t7\t2\t200\t190.19999999999999\t200\t8\t4.9000000000000004\t9.8000000000000007\t5\t8\t0\t0"
        "\t0.01\t1.6000000238418579\t1\t1\t1\n"
        "# manholeTypes\n"
        "M\t1000\t1120\t630\t300\t0.29999999999999999\t0.75\t1.2\t8\t0\t1\t1\n"
        "# tankTypes\n"
        "K\t5\t1200\t1332\t0.73999999999999999\t1.3500000000000001\t0\t0\t100\t4\t0\t0\t1\t2\t1\n";
    EXPECT_EQ(DumpReferenceTables(*app), expected);

    auto empty = std::make_unique<CDalvorApp>();
    EXPECT_EQ(DumpReferenceTables(*empty),
              "# soils\n# pipeCategories\n# pipeTypes\n# nominalSizes\n# manholeTypes\n# tankTypes\n");
}
