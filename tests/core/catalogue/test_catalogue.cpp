// The catalogue databases built from resources/catalogue, checked against what
// the program relies on: the same rows and numbers in every language,
// category ids equal to position + 1, sensible soil curves, sensible start-up
// rows and at least one row of every special encoding.

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/catalogue/ReferenceDump.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const kLanguages[] = {"pl", "en", "ru"};

std::string DatabaseFile(const char* language)
{
    return DalvorHome() + "/db/" + language + "/quorlindata.mdb";
}

std::unique_ptr<CDalvorApp> Load(const char* language, int extended)
{
    auto app = std::make_unique<CDalvorApp>();
    app->extendedCatalogue = extended;
    ReferenceLoadStatus status = app->LoadReferenceData(DatabaseFile(language));
    EXPECT_EQ(status.error, ReferenceLoadStatus::Ok) << DatabaseFile(language) << " " << status.table;
    return app;
}

template <typename Entry>
std::vector<std::string> Names(const std::vector<Entry>& rows)
{
    std::vector<std::string> names;
    for (const Entry& e : rows)
        names.push_back(Utf8(e.name));
    return names;
}

// The dump of a database with every name blanked.
std::string DumpWithoutNames(CDalvorApp& app)
{
    auto blank = [](auto& rows) {
        for (auto& e : rows)
            e.name[0] = u'\0';
    };
    blank(app.tables.soils), blank(app.tables.pipeCategories), blank(app.tables.pipeTypes), blank(app.tables.manholeTypes), blank(app.tables.tankTypes);
    return DumpReferenceTables(app.tables);
}

bool InBallastTable(double dns)
{
    static const std::set<int> table = {600, 800, 1000, 1200, 1400, 1500, 1600, 1800, 2000, 2200, 2400, 2600, 3000};
    return dns == std::floor(dns) && table.count(static_cast<int>(dns)) == 1;
}

// Runs a query on a database and gives the first column of the first row.
double RawQuery(const char* language, const std::string& sql)
{
    sqlite3* db = nullptr;
    double v = -1;
    if (sqlite3_open_v2(DatabaseFile(language).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            v = sqlite3_column_double(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return v;
}

void ExpectWithin(double value, double low, double high, const char* what)
{
    EXPECT_TRUE(value >= low && value <= high) << what << " = " << value << ", not in [" << low << ", " << high << "]";
}

}  // namespace

TEST(Catalogue, EveryLanguageHasTheSameRowsAndNumbersWithNamesOfItsOwn)
{
    for (int extended : {0, 1}) {
        std::string reference = DumpWithoutNames(*Load("pl", extended));
        for (const char* lang : {"en", "ru"})
            EXPECT_EQ(DumpWithoutNames(*Load(lang, extended)), reference) << lang << " extended " << extended;
    }

    // Names are there, distinct within each table, and translated.
    std::map<std::string, std::vector<std::string>> soilNames;
    for (const char* lang : kLanguages) {
        auto app = Load(lang, 1);
        const std::vector<std::string> categories = Names(app->tables.pipeCategories);
        soilNames[lang] = Names(app->tables.soils);
        const std::pair<const char*, std::vector<std::string>> tables[] = {
            {"soils", soilNames[lang]},           {"categories", categories}, {"types", Names(app->tables.pipeTypes)},
            {"manholes", Names(app->tables.manholeTypes)}, {"tanks", Names(app->tables.tankTypes)}};
        for (const auto& [table, names] : tables) {
            std::set<std::string> seen;
            for (const auto& n : names) {
                EXPECT_FALSE(n.empty()) << lang << " " << table;
                EXPECT_TRUE(seen.insert(n).second) << lang << " " << table << " repeats \"" << n << "\"";
            }
        }
        // The welded-joint hints name the makers of categories 3 and 1 to 2.
        ASSERT_GE(categories.size(), 3u);
        EXPECT_NE(categories[0].find("Mervo"), std::string::npos) << lang;
        EXPECT_NE(categories[1].find("Mervo"), std::string::npos) << lang;
        EXPECT_NE(categories[2].find("Karsto"), std::string::npos) << lang;
    }
    for (std::size_t i = 0; i < soilNames["pl"].size(); ++i) {
        EXPECT_NE(soilNames["pl"][i], soilNames["en"][i]);
        EXPECT_NE(soilNames["en"][i], soilNames["ru"][i]);
    }
    // Polish and Russian letters came through intact.
    EXPECT_EQ(FromFixed(Load("pl", 0)->tables.soils[0].name), u"Żwir i pospółka");
    EXPECT_EQ(FromFixed(Load("ru", 0)->tables.soils[7].name), u"Глина");
}

TEST(Catalogue, CategoryIdsTypesAndSizesReferToRowsOfTheSameMode)
{
    for (int extended : {0, 1}) {
        SCOPED_TRACE(extended ? "extended" : "plain");
        auto app = Load("en", extended);
        // Category ids are position + 1, and both pages find something:
        // gravity (0 or 2) and pressure (1 or 2).
        EXPECT_GE(RowCount(app->tables.pipeCategories), 3);
        EXPECT_LE(RowCount(app->tables.pipeCategories), 5);
        std::set<int> applicabilities;
        for (int i = 0; i < RowCount(app->tables.pipeCategories); ++i) {
            EXPECT_EQ(app->tables.pipeCategories[i].id, i + 1);
            applicabilities.insert(app->tables.pipeCategories[i].applicability);
        }
        EXPECT_TRUE(applicabilities.count(0) || applicabilities.count(2));
        EXPECT_TRUE(applicabilities.count(1) || applicabilities.count(2));

        std::map<int, int> typeCategory, typeApplicability, sizesPerType;
        std::set<int> categoriesWithTypes;
        for (const auto& t : app->tables.pipeTypes) {
            EXPECT_TRUE(typeCategory.emplace(t.id, t.categoryId).second) << "type id " << t.id << " repeats";
            typeApplicability[t.id] = t.applicability;
            categoriesWithTypes.insert(t.categoryId);
            EXPECT_TRUE(t.categoryId >= 1 && t.categoryId <= RowCount(app->tables.pipeCategories)) << "type " << t.id;
            EXPECT_TRUE(t.applicability >= 0 && t.applicability <= 2) << "type " << t.id;
        }
        for (const auto& c : app->tables.pipeCategories)
            EXPECT_EQ(categoriesWithTypes.count(c.id), 1u) << "category " << c.id << " has no type";
        std::set<int> ids;
        for (const auto& s : app->tables.nominalSizes) {
            SCOPED_TRACE("size " + std::to_string(s.id));
            EXPECT_TRUE(ids.insert(s.id).second) << "repeats";
            auto t = typeCategory.find(s.typeId);
            ASSERT_NE(t, typeCategory.end());
            EXPECT_EQ(t->second, s.categoryId);
            ++sizesPerType[s.typeId];
            EXPECT_TRUE(s.nominalSize > 0 && s.innerDiameter > 0 && s.outerDiameter > s.innerDiameter);
            EXPECT_TRUE(s.ringStiffness > 0 && s.roughness > 0 && s.roughness < 0.1);
            EXPECT_TRUE(s.allowedDeflection > 0 && s.allowedDeflection <= s.enlargedAllowedDeflection + 1e-9);
            EXPECT_TRUE(s.classCode >= 0 && s.classCode <= 9);
            if (typeApplicability[s.typeId] == 1 || typeApplicability[s.typeId] == 2) {
                EXPECT_GT(s.ratingValue, 0) << "a pressure size has no rating";
            }
        }
        for (const auto& t : app->tables.pipeTypes) {
            EXPECT_GT(sizesPerType[t.id], 0) << "type " << t.id << " has no size";
            EXPECT_LE(sizesPerType[t.id], typeApplicability[t.id] == 0 ? 521 : 256);
        }
        EXPECT_GE(RowCount(app->tables.nominalSizes), 150);
    }
}

TEST(Catalogue, EverySpecialEncodingOccurs)
{
    auto on = Load("pl", 1);
    auto off = Load("pl", 0);
    int madeToOrder = 0, reduced = 0, reducedMadeToOrder = 0, enlarged = 0, whole = 0, fractionalRating = 0;
    bool sixToEight = false;
    for (const auto& s : on->tables.nominalSizes) {
        madeToOrder += s.madeToOrder;
        reduced += s.reducedLoadCapacity;
        reducedMadeToOrder += s.madeToOrder && s.reducedLoadCapacity;
        enlarged += s.enlargedDeflectionAvailable;
        whole += !s.enlargedDeflectionAvailable;
        double bar = s.ratingValue / double(0.1f);
        fractionalRating += std::fabs(bar - std::round(bar)) > 0.05;
        // The welded-joint deflection lists: allowed 6 with enlarged 8 among them.
        sixToEight |= s.enlargedDeflectionAvailable && std::floor(s.allowedDeflection + 0.5) == 6 &&
                      s.enlargedAllowedDeflection == 8;
    }
    int tankMadeToOrder = 0;
    for (const auto& t : on->tables.tankTypes)
        tankMadeToOrder += t.madeToOrder;
    for (int count : {madeToOrder, reduced, reducedMadeToOrder, enlarged, whole, fractionalRating, tankMadeToOrder})
        EXPECT_GT(count, 0);
    EXPECT_TRUE(sixToEight);

    // Extended rows in every table that has them.
    EXPECT_GT(RowCount(on->tables.pipeCategories), RowCount(off->tables.pipeCategories));
    EXPECT_GT(RowCount(on->tables.pipeTypes), RowCount(off->tables.pipeTypes));
    EXPECT_GT(RowCount(on->tables.nominalSizes), RowCount(off->tables.nominalSizes));
    EXPECT_GT(RowCount(on->tables.tankTypes), RowCount(off->tables.tankTypes));
    EXPECT_EQ(RowCount(on->tables.soils), RowCount(off->tables.soils));
    EXPECT_EQ(RowCount(on->tables.manholeTypes), RowCount(off->tables.manholeTypes));

    // Raw encodings as stored: +1000 sizes, fractional and +1000 tank codes.
    for (const char* where : {"nominal_sizes WHERE class_code > 999",
                              "nominal_sizes WHERE class_code % 100 BETWEEN 10 AND 19",
                              "tank_types WHERE class_code <> CAST(class_code AS INTEGER)",
                              "tank_types WHERE class_code >= 1000", "manhole_types WHERE name LIKE '%*E'",
                              "manhole_types WHERE name LIKE '%*D'"})
        EXPECT_GT(RawQuery("pl", std::string("SELECT COUNT(*) FROM ") + where), 0) << where;
}

TEST(Catalogue, SoilsGiveSensibleCurves)
{
    auto app = Load("en", 0);
    ASSERT_GE(RowCount(app->tables.soils), 8);
    std::set<int> groups;
    for (const auto& s : app->tables.soils) {
        groups.insert(s.soilGroup);
        const double* c = s.soilCoefficient;
        SCOPED_TRACE(Utf8(s.name));
        ExpectWithin(c[0], 0.0, 1.0, "c0");
        ExpectWithin(c[1], 14.0, 23.0, "c1");
        ExpectWithin(c[8], 0.0, 50.0, "c8");  // the pages clamp porosity to 50 %
        EXPECT_GT(c[9], 0.0);
        EXPECT_TRUE(c[14] > 0.0 && c[14] <= 1.0) << c[14];  // Ee is at least Et
        EXPECT_TRUE(c[15] > 0.0 && c[15] < 0.5) << c[15];
        // Friction angle, cohesion and modulus at the state degree x.
        auto curves = [c](double x) {
            return std::array{x * c[3] + c[4], c[6] * std::exp(x * c[7]),
                              c[10] * x * x * x + c[11] * x * x + c[12] * x + c[13]};
        };
        for (int step = 0; step <= 20; ++step) {
            SCOPED_TRACE(step / 20.0);
            const auto [phi, coh, et] = curves(step / 20.0);
            ExpectWithin(phi, 5.0, 45.0, "friction angle");
            ExpectWithin(coh, 0.0, 100.0, "cohesion");
            EXPECT_GT(et, 0.0);
            if (step > 0) {
                // Denser granular soil is stronger and stiffer, with no
                // cohesion; softer cohesive soil is weaker and less stiff.
                const auto [previousPhi, previousC, previousE] = curves((step - 1) / 20.0);
                const double sense = s.soilGroup == 0 ? 1.0 : -1.0;
                EXPECT_GE(sense * (phi - previousPhi), 0.0);
                EXPECT_GE(sense * (et - previousE), 0.0);
                EXPECT_TRUE(s.soilGroup == 0 ? coh == 0.0 : coh <= previousC) << coh;
            }
        }
    }
    EXPECT_EQ(groups, (std::set<int>{0, 1, 2}));
    // Row 2, the default backfill, gives the records' soil defaults.
    const double* c = app->tables.soils[2].soilCoefficient;
    ExpectFields({FIELD(app->tables.soils[2].soilGroup, 0), FIELD(c[1], 17.5), FIELD(c[8], 15), FIELD(c[6], 0),
                  FIELD(c[0], 0.35)});
    EXPECT_EQ(FormatC("%.0f", double(0.35f) * c[3] + c[4]), "30");
}

TEST(Catalogue, ManholeTypes)
{
    auto app = Load("en", 0);
    ASSERT_GE(RowCount(app->tables.manholeTypes), 5);
    ASSERT_LE(RowCount(app->tables.manholeTypes), 10);
    int outside = 0, eccentric = 0, madeToOrder = 0;
    for (const auto& m : app->tables.manholeTypes) {
        SCOPED_TRACE(Utf8(m.name));
        outside += !InBallastTable(m.nominalDiameter);
        eccentric += m.eccentric;
        madeToOrder += m.madeToOrder;
        EXPECT_GT(m.outerDiameter, m.nominalDiameter);
        EXPECT_TRUE(m.maxPipeDiameter > 0 && m.weightPerMetre > 0 && m.crownAllowance > 0 && m.minDepth > 0);
        EXPECT_LT(m.minDepth, m.maxDepth);
        // The collector fits under the least depth.
        EXPECT_LE(m.crownAllowance + m.maxPipeDiameter * 0.001, m.maxDepth);
        if (!m.eccentric) {
            EXPECT_LT(m.maxPipeDiameter, m.nominalDiameter);
        }
        EXPECT_EQ(Utf8(m.name).find('*'), std::string::npos);
    }
    EXPECT_EQ(outside, 1);
    EXPECT_GT(eccentric, 0);
    EXPECT_GT(madeToOrder, 0);

    // Row 0 is the start-up default: a plain concentric manhole that takes the
    // default collector (250 mm) at the default depth of 4 m.
    const ManholeTypeEntry& m0 = app->tables.manholeTypes[0];
    EXPECT_TRUE(m0.eccentric == 0 && m0.madeToOrder == 0 && InBallastTable(m0.nominalDiameter));
    EXPECT_GE(m0.maxPipeDiameter, 250.0);
    EXPECT_TRUE(m0.minDepth <= 4.0 && m0.maxDepth >= 4.0);
}

TEST(Catalogue, TankTypes)
{
    for (int extended : {0, 1}) {
        auto app = Load("en", extended);
        if (extended) {
            ASSERT_GE(RowCount(app->tables.tankTypes), 10);
            ASSERT_LE(RowCount(app->tables.tankTypes), 20);
        }
        for (const auto& t : app->tables.tankTypes) {
            SCOPED_TRACE(Utf8(t.name));
            EXPECT_TRUE(t.innerDiameter > 0 && t.outerDiameter > t.innerDiameter);
            EXPECT_TRUE(t.weightPerMetre > 0 && t.endWeight > 0 && t.endAllowance > 0 && t.stiffnessClass > 0);
            EXPECT_TRUE(t.minAnchorSpacing > 0 && t.minAnchorSpacing <= t.maxAnchorSpacing);
        }
        // Row 0, the start-up default, is a plain row in both modes; the
        // default 5 m3 tank is a few metres long.
        const TankTypeEntry& t0 = app->tables.tankTypes[0];
        EXPECT_EQ(t0.madeToOrder, 0);
        const double length = 6365000.0 / (t0.innerDiameter * t0.innerDiameter);
        EXPECT_TRUE(length > 2.0 && length < 10.0) << length;
        EXPECT_EQ(Utf8(t0.name), "Tank DN 1200 SN 4");

        // The tank page's SN list merges neighbours of equal SN and code; no
        // SN may come out twice.
        std::vector<std::pair<double, int>> entries;
        for (const auto& t : app->tables.tankTypes)
            if (entries.empty() || entries.back() != std::make_pair(t.stiffnessClass, t.classCode))
                entries.emplace_back(t.stiffnessClass, t.classCode);
        std::set<double> sn;
        for (const auto& e : entries)
            EXPECT_TRUE(sn.insert(e.first).second) << "SN" << e.first << " listed twice";
    }
}

TEST(Catalogue, WallsFollowTheProductStandardsTables)
{
    struct Row {
        int type;
        int dn;
        double wall, inside, rating;
    };
    // Rows whose walls once came from a rounding rule rather than the tables,
    // and the 90 mm PVC-U pressure pipes rated by their smaller design factor.
    const Row rows[] = {
        {1, 75, 6.8, 61.4, 16},    {1, 355, 32.2, 290.6, 16},  {2, 125, 7.4, 110.2, 10},
        {3, 1000, 38.2, 923.6, 6.3}, {4, 180, 5.5, 169.0, 5},  {5, 63, 8.6, 45.8, 25},
        {6, 200, 3.9, 192.2, 0},   {7, 900, 22.0, 856.0, 0},   {8, 200, 5.9, 188.2, 0},
        {8, 630, 18.4, 593.2, 0},  {9, 90, 3.5, 83.0, 8},      {10, 90, 5.4, 79.2, 12.5},
    };
    for (const char* language : kLanguages) {
        for (const Row& r : rows) {
            const std::string where = " FROM nominal_sizes WHERE type_id = " + std::to_string(r.type) +
                                      " AND dn = " + std::to_string(r.dn);
            SCOPED_TRACE(std::string(language) + where);
            EXPECT_EQ(RawQuery(language, "SELECT section_a" + where), r.wall);
            EXPECT_EQ(RawQuery(language, "SELECT dw" + where), r.inside);
            EXPECT_EQ(RawQuery(language, "SELECT rating" + where), r.rating);
            EXPECT_NEAR(RawQuery(language, "SELECT section_b" + where), r.wall * r.wall * r.wall / 12, 0.05);
        }
    }
}
