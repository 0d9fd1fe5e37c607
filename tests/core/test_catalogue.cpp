// The catalogue databases built from resources/catalogue, checked against what
// the program relies on: the same rows and numbers in every language,
// category ids equal to position + 1, sensible soil curves, sensible start-up
// rows and at least one row of every special encoding.

#include "DalvorApp.h"
#include "ReferenceDump.h"
#include "Text.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kLanguages[] = {"pl", "en", "ru"};

std::string DatabaseFile(const char* language)
{
    const char* home = std::getenv("DALVOR_HOME");
    return std::string(home ? home : ".") + "/db/" + language + "/quorlindata.mdb";
}

std::unique_ptr<CDalvorApp> Load(const char* language, int extended)
{
    auto app = std::make_unique<CDalvorApp>();
    app->extendedCatalogue = extended;
    ReferenceLoadStatus status = app->LoadReferenceData(DatabaseFile(language));
    EXPECT_EQ(status.error, ReferenceLoadStatus::Ok) << DatabaseFile(language) << " " << status.table;
    return app;
}

std::string Name(const char16_t* text, std::size_t cap) { return Utf16ToUtf8(FromFixed(text, cap)); }
template <std::size_t N>
std::string Name(const char16_t (&text)[N])
{
    return Name(text, N);
}

// The dump of a database with the name field of every line left out.
std::string DumpWithoutNames(const CDalvorApp& app)
{
    static const std::map<std::string, int> nameColumn = {
        {"# soils", 0},        {"# pipeCategories", 1}, {"# pipeTypes", 2},
        {"# nominalSizes", -1}, {"# manholeTypes", 0},   {"# tankTypes", 0}};
    std::istringstream in(DumpReferenceTables(app));
    std::string line, out;
    int skip = -1;
    while (std::getline(in, line)) {
        if (line.rfind("# ", 0) == 0) {
            skip = nameColumn.at(line);
            out += line + "\n";
            continue;
        }
        std::istringstream fields(line);
        std::string field;
        int column = 0;
        while (std::getline(fields, field, '\t')) {
            if (column++ != skip)
                out += field + "\t";
        }
        out += "\n";
    }
    return out;
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

}  // namespace

TEST(Catalogue, EveryLanguageLoadsTheSameRowsAndNumbers)
{
    for (int extended : {0, 1}) {
        std::string reference = DumpWithoutNames(*Load("pl", extended));
        for (const char* lang : {"en", "ru"})
            EXPECT_EQ(DumpWithoutNames(*Load(lang, extended)), reference) << lang << " extended " << extended;
    }
}

TEST(Catalogue, NamesAreNonEmptyDistinctAndTranslated)
{
    std::map<std::string, std::vector<std::string>> soilNames;
    for (const char* lang : kLanguages) {
        auto app = Load(lang, 1);
        auto check = [&](const char* table, const std::vector<std::string>& names) {
            std::set<std::string> seen;
            for (const auto& n : names) {
                EXPECT_FALSE(n.empty()) << lang << " " << table;
                EXPECT_TRUE(seen.insert(n).second) << lang << " " << table << " repeats \"" << n << "\"";
            }
        };
        std::vector<std::string> soils, categories, types, manholes, tanks;
        for (const auto& e : app->soils)
            soils.push_back(Name(e.name));
        for (const auto& e : app->pipeCategories)
            categories.push_back(Name(e.name));
        for (const auto& e : app->pipeTypes)
            types.push_back(Name(e.name));
        for (const auto& e : app->manholeTypes)
            manholes.push_back(Name(e.name));
        for (const auto& e : app->tankTypes)
            tanks.push_back(Name(e.name));
        check("soils", soils);
        check("categories", categories);
        check("types", types);
        check("manholes", manholes);
        check("tanks", tanks);
        soilNames[lang] = soils;
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
    auto pl = Load("pl", 0);
    EXPECT_EQ(FromFixed(pl->soils[0].name), u"Żwir i pospółka");
    auto ru = Load("ru", 0);
    EXPECT_EQ(FromFixed(ru->soils[7].name), u"Глина");
}

TEST(Catalogue, CategoryIdsArePositionPlusOneInBothModes)
{
    auto off = Load("en", 0);
    auto on = Load("en", 1);
    for (const CDalvorApp* app : {off.get(), on.get()}) {
        EXPECT_GE(app->pipeCategoryCount, 3);
        EXPECT_LE(app->pipeCategoryCount, 5);
        for (int i = 0; i < app->pipeCategoryCount; ++i)
            EXPECT_EQ(app->pipeCategories[i].id, i + 1);
        std::set<int> applicabilities;
        for (const auto& c : app->pipeCategories)
            applicabilities.insert(c.applicability);
        // Both pages find something: gravity (0 or 2) and pressure (1 or 2).
        EXPECT_TRUE(applicabilities.count(0) || applicabilities.count(2));
        EXPECT_TRUE(applicabilities.count(1) || applicabilities.count(2));
    }
    EXPECT_GT(on->pipeCategoryCount, off->pipeCategoryCount);
}

TEST(Catalogue, TypesAndSizesReferToRowsOfTheSameMode)
{
    for (int extended : {0, 1}) {
        auto app = Load("en", extended);
        std::map<int, int> typeCategory;
        std::map<int, int> typeApplicability;
        for (const auto& t : app->pipeTypes) {
            EXPECT_TRUE(typeCategory.emplace(t.id, t.categoryId).second) << "type id " << t.id << " repeats";
            typeApplicability[t.id] = t.applicability;
            EXPECT_GE(t.categoryId, 1);
            EXPECT_LE(t.categoryId, app->pipeCategoryCount) << "type " << t.id;
            EXPECT_GE(t.applicability, 0);
            EXPECT_LE(t.applicability, 2);
        }
        for (const auto& c : app->pipeCategories) {
            int types = 0;
            for (const auto& t : app->pipeTypes)
                types += t.categoryId == c.id;
            EXPECT_GT(types, 0) << "category " << c.id << " has no type";
        }
        std::map<int, int> sizesPerType;
        std::set<int> ids;
        for (const auto& s : app->nominalSizes) {
            EXPECT_TRUE(ids.insert(s.id).second) << "size id " << s.id << " repeats";
            auto t = typeCategory.find(s.typeId);
            ASSERT_NE(t, typeCategory.end()) << "size " << s.id;
            EXPECT_EQ(t->second, s.categoryId) << "size " << s.id;
            ++sizesPerType[s.typeId];
            EXPECT_GT(s.nominalSize, 0);
            EXPECT_GT(s.innerDiameter, 0);
            EXPECT_LE(s.innerDiameter, s.outerDiameter) << "size " << s.id;
            EXPECT_GT(s.outerDiameter - s.innerDiameter, 0) << "size " << s.id;
            EXPECT_GT(s.ringStiffness, 0);
            EXPECT_GT(s.roughness, 0);
            EXPECT_LT(s.roughness, 0.1);
            EXPECT_GT(s.allowedDeflection, 0);
            EXPECT_LE(s.allowedDeflection, s.enlargedAllowedDeflection + 1e-9);
            EXPECT_GE(s.classCode, 0);
            EXPECT_LE(s.classCode, 9);
            int appl = typeApplicability[s.typeId];
            if (appl == 1 || appl == 2) {
                EXPECT_GT(s.ratingValue, 0) << "pressure size " << s.id << " has no rating";
            }
        }
        for (const auto& t : app->pipeTypes) {
            EXPECT_GT(sizesPerType[t.id], 0) << "type " << t.id << " has no size";
            int cap = typeApplicability[t.id] == 0 ? 521 : 256;
            EXPECT_LE(sizesPerType[t.id], cap);
        }
        EXPECT_GE(app->nominalSizeCount, 150);
    }
}

TEST(Catalogue, EverySpecialEncodingOccurs)
{
    auto on = Load("pl", 1);
    auto off = Load("pl", 0);
    int madeToOrder = 0, reduced = 0, reducedMadeToOrder = 0, enlarged = 0, whole = 0, fractionalRating = 0;
    for (const auto& s : on->nominalSizes) {
        madeToOrder += s.madeToOrder;
        reduced += s.reducedLoadCapacity;
        reducedMadeToOrder += s.madeToOrder && s.reducedLoadCapacity;
        enlarged += s.enlargedDeflectionAvailable;
        whole += !s.enlargedDeflectionAvailable;
        double bar = s.ratingValue / double(0.1f);
        fractionalRating += std::fabs(bar - std::round(bar)) > 0.05;
    }
    EXPECT_GT(madeToOrder, 0);
    EXPECT_GT(reduced, 0);
    EXPECT_GT(reducedMadeToOrder, 0);
    EXPECT_GT(enlarged, 0);
    EXPECT_GT(whole, 0);
    EXPECT_GT(fractionalRating, 0);
    // The welded-joint deflection lists: allowed 6 with enlarged 8 among them.
    bool sixToEight = false;
    for (const auto& s : on->nominalSizes)
        sixToEight |= s.enlargedDeflectionAvailable && std::floor(s.allowedDeflection + 0.5) == 6 &&
                      s.enlargedAllowedDeflection == 8;
    EXPECT_TRUE(sixToEight);

    // Extended rows in every table that has them.
    EXPECT_GT(on->pipeCategoryCount, off->pipeCategoryCount);
    EXPECT_GT(on->pipeTypeCount, off->pipeTypeCount);
    EXPECT_GT(on->nominalSizeCount, off->nominalSizeCount);
    EXPECT_GT(on->tankTypeCount, off->tankTypeCount);
    EXPECT_EQ(on->soilCount, off->soilCount);
    EXPECT_EQ(on->manholeTypeCount, off->manholeTypeCount);

    // Raw encodings as stored: +1000 sizes, fractional and +1000 tank codes.
    EXPECT_GT(RawQuery("pl", "SELECT COUNT(*) FROM nominal_sizes WHERE class_code > 999"), 0);
    EXPECT_GT(RawQuery("pl", "SELECT COUNT(*) FROM nominal_sizes WHERE class_code % 100 BETWEEN 10 AND 19"), 0);
    EXPECT_GT(RawQuery("pl", "SELECT COUNT(*) FROM tank_types WHERE class_code <> CAST(class_code AS INTEGER)"), 0);
    EXPECT_GT(RawQuery("pl", "SELECT COUNT(*) FROM tank_types WHERE class_code >= 1000"), 0);
    EXPECT_GT(RawQuery("pl", "SELECT COUNT(*) FROM manhole_types WHERE name LIKE '%*E'"), 0);
    EXPECT_GT(RawQuery("pl", "SELECT COUNT(*) FROM manhole_types WHERE name LIKE '%*D'"), 0);

    int tankMadeToOrder = 0;
    for (const auto& t : on->tankTypes)
        tankMadeToOrder += t.madeToOrder;
    EXPECT_GT(tankMadeToOrder, 0);
}

TEST(Catalogue, SoilsGiveSensibleCurves)
{
    auto app = Load("en", 0);
    ASSERT_GE(app->soilCount, 8);
    std::set<int> groups;
    for (const auto& s : app->soils)
        groups.insert(s.soilGroup);
    EXPECT_EQ(groups, (std::set<int>{0, 1, 2}));

    for (const auto& s : app->soils) {
        const double* c = s.soilCoefficient;
        SCOPED_TRACE(Name(s.name));
        EXPECT_GE(c[0], 0.0);
        EXPECT_LE(c[0], 1.0);
        EXPECT_GE(c[1], 14.0);
        EXPECT_LE(c[1], 23.0);
        EXPECT_GE(c[8], 0.0);
        EXPECT_LE(c[8], 50.0);  // the pages clamp porosity to 50 %
        EXPECT_GT(c[9], 0.0);
        EXPECT_GT(c[14], 0.0);
        EXPECT_LE(c[14], 1.0);  // Ee is at least Et
        EXPECT_GT(c[15], 0.0);
        EXPECT_LT(c[15], 0.5);
        double previousPhi = 0, previousC = 0, previousE = 0;
        for (int step = 0; step <= 20; ++step) {
            double x = step / 20.0;
            double phi = x * c[3] + c[4];
            double coh = c[6] * std::exp(x * c[7]);
            double et = c[10] * x * x * x + c[11] * x * x + c[12] * x + c[13];
            EXPECT_GE(phi, 5.0) << x;
            EXPECT_LE(phi, 45.0) << x;
            EXPECT_GE(coh, 0.0) << x;
            EXPECT_LE(coh, 100.0) << x;
            EXPECT_GT(et, 0.0) << x;
            if (step > 0) {
                if (s.soilGroup == 0) {
                    // Denser granular soil: stronger and stiffer.
                    EXPECT_GE(phi, previousPhi) << x;
                    EXPECT_GE(et, previousE) << x;
                    EXPECT_EQ(coh, 0.0);
                } else {
                    // Softer cohesive soil: weaker and less stiff.
                    EXPECT_LE(phi, previousPhi) << x;
                    EXPECT_LE(coh, previousC) << x;
                    EXPECT_LE(et, previousE) << x;
                }
            }
            previousPhi = phi;
            previousC = coh;
            previousE = et;
        }
    }
    // Row 2, the default backfill, gives the records' soil defaults.
    const double* c = app->soils[2].soilCoefficient;
    EXPECT_EQ(app->soils[2].soilGroup, 0);
    EXPECT_EQ(c[1], 17.5);
    EXPECT_EQ(c[8], 15.0);
    EXPECT_EQ(FormatC("%.0f", double(0.35f) * c[3] + c[4]), "30");
    EXPECT_EQ(c[6], 0.0);
    EXPECT_EQ(c[0], 0.35);
}

TEST(Catalogue, ManholeTypes)
{
    auto app = Load("en", 0);
    ASSERT_GE(app->manholeTypeCount, 5);
    ASSERT_LE(app->manholeTypeCount, 10);
    int outside = 0, eccentric = 0, madeToOrder = 0;
    for (const auto& m : app->manholeTypes) {
        SCOPED_TRACE(Name(m.name));
        outside += !InBallastTable(m.nominalDiameter);
        eccentric += m.eccentric;
        madeToOrder += m.madeToOrder;
        EXPECT_GT(m.outerDiameter, m.nominalDiameter);
        EXPECT_GT(m.maxPipeDiameter, 0);
        EXPECT_GT(m.weightPerMetre, 0);
        EXPECT_GT(m.crownAllowance, 0);
        EXPECT_GT(m.minDepth, 0);
        EXPECT_LT(m.minDepth, m.maxDepth);
        // The collector fits under the least depth.
        EXPECT_LE(m.crownAllowance + m.maxPipeDiameter * 0.001, m.maxDepth);
        if (!m.eccentric) {
            EXPECT_LT(m.maxPipeDiameter, m.nominalDiameter);
        }
        EXPECT_EQ(Name(m.name).find('*'), std::string::npos);
    }
    EXPECT_EQ(outside, 1);
    EXPECT_GT(eccentric, 0);
    EXPECT_GT(madeToOrder, 0);

    // Row 0 is the start-up default: a plain concentric manhole that takes the
    // default collector (250 mm) at the default depth of 4 m.
    const ManholeTypeEntry& m0 = app->manholeTypes[0];
    EXPECT_EQ(m0.eccentric, 0);
    EXPECT_EQ(m0.madeToOrder, 0);
    EXPECT_TRUE(InBallastTable(m0.nominalDiameter));
    EXPECT_GE(m0.maxPipeDiameter, 250.0);
    EXPECT_LE(m0.minDepth, 4.0);
    EXPECT_GE(m0.maxDepth, 4.0);
}

TEST(Catalogue, TankTypes)
{
    auto on = Load("en", 1);
    ASSERT_GE(on->tankTypeCount, 10);
    ASSERT_LE(on->tankTypeCount, 20);
    for (int extended : {0, 1}) {
        auto app = Load("en", extended);
        for (const auto& t : app->tankTypes) {
            SCOPED_TRACE(Name(t.name));
            EXPECT_GT(t.innerDiameter, 0);
            EXPECT_GT(t.outerDiameter, t.innerDiameter);
            EXPECT_GT(t.weightPerMetre, 0);
            EXPECT_GT(t.endWeight, 0);
            EXPECT_GT(t.endAllowance, 0);
            EXPECT_GT(t.stiffnessClass, 0);
            EXPECT_GT(t.minAnchorSpacing, 0);
            EXPECT_LE(t.minAnchorSpacing, t.maxAnchorSpacing);
        }
        // Row 0, the start-up default, is a plain row in both modes; the
        // default 5 m3 tank is a few metres long.
        const TankTypeEntry& t0 = app->tankTypes[0];
        EXPECT_EQ(t0.madeToOrder, 0);
        double length = 6365000.0 / (t0.innerDiameter * t0.innerDiameter);
        EXPECT_GT(length, 2.0);
        EXPECT_LT(length, 10.0);
        EXPECT_EQ(Name(t0.name), "Tank DN 1200 SN 4");

        // The tank page's SN list merges neighbours of equal SN and code; no
        // SN may come out twice.
        std::vector<std::pair<double, int>> entries;
        for (const auto& t : app->tankTypes)
            if (entries.empty() || entries.back() != std::make_pair(t.stiffnessClass, t.classCode))
                entries.emplace_back(t.stiffnessClass, t.classCode);
        std::set<double> sn;
        for (const auto& e : entries)
            EXPECT_TRUE(sn.insert(e.first).second) << "SN" << e.first << " listed twice";
    }
}
