// The soil-parameters dialog's model on the program's soil table: the slider
// grid, the soil states, the parameters shown for a soil and degree, no soil,
// and the choice written into a record.
#include "core/dialogs/SelectSoilModel.h"
#include "core/project/Records.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

using S = CSelectSoilModel;

std::string Shown(const S& m, int id)
{
    return Utf16ToUtf8(m.FieldText(id));
}

// Row 2 is the medium sand of the defaults; row 4 a cohesive soil.
S Opened(const CDalvorApp& app, int index, double degree)
{
    S m(app.tables, app.languageOffset);
    m.soilIndex = index;
    m.stateDegree = degree;
    m.Open();
    return m;
}

}  // namespace

TEST(SelectSoilModel, OpensOnThePresetSoilAndGrid)
{
    auto app = StartedCore();
    const struct { int index; double degree; int position; const char* state; const char* shownDegree; double x; } cases[] = {
        {2, 0.35f, 7, "medium", "0.35", 0.35}, {2, 0.4, 8, "medium", "0.40", 0.4},  {2, 0.33, 6, "loose", "0.30", 0.3},
        {2, 0.45f, 9, "medium", "0.45", 0.45}, {2, 1.7, 20, "dense", "1.00", 1.0},  {2, -0.2, 0, "loose", "0.00", 0.0},
        {4, 0.0, 0, "semisolid", "0.00", 0.0},
    };
    for (const auto& c : cases) {
        const S m = Opened(*app, c.index, c.degree);
        EXPECT_EQ(m.soilIndex, c.index);
        EXPECT_EQ(m.position, c.position) << c.degree;
        EXPECT_EQ(Shown(m, S::kStateField), c.state);
        EXPECT_EQ(Shown(m, S::kDegreeField), c.shownDegree);
        EXPECT_EQ(m.stateDegree, c.x);
        EXPECT_TRUE(m.HasSoil());
    }
    // The backfill sand at 0.35: phi' = 0.35 x 8 + 27.2, Et = 50 x^2 + 80 x + 30, Ee = Et / 0.8.
    const S m = Opened(*app, 2, 0.35f);
    const struct { int id; const char* text; } fields[] = {
        {S::kSoilTypeField, "granular"}, {S::kUnitWeightField, "17.50"},   {S::kFrictionAngleField, "30"},
        {S::kCohesionField, "0.00"},     {S::kPorosityField, "15"},        {S::kMoistureField, "10"},
        {S::kOverallModulusField, "64"}, {S::kElasticModulusField, "80"},  {S::kPoissonRatioField, "0.28"},
    };
    for (const auto& f : fields)
        EXPECT_EQ(Shown(m, f.id), f.text) << f.id;
    EXPECT_EQ(Utf16ToUtf8(app->LoadLangString(m.DegreeCaptionKey())), "Density index Id:");
    EXPECT_EQ(Utf16ToUtf8(m.soilName), "Medium sand (backfill)");
}

TEST(SelectSoilModel, StatesAlongTheSlider)
{
    auto app = StartedCore();
    const struct { int index; int position; const char* state; } cases[] = {
        {2, 0, "loose"},      {2, 6, "loose"},        {2, 7, "medium"},       {2, 13, "medium"},
        {2, 14, "dense"},     {2, 20, "dense"},       {4, 0, "semisolid"},    {4, 1, "semiplastic"},
        {4, 5, "semiplastic"}, {4, 6, "plastic"},     {4, 10, "plastic"},     {4, 11, "soft-plastic"},
        {4, 20, "soft-plastic"},
    };
    for (const auto& c : cases) {
        S m = Opened(*app, c.index, 0.5);
        m.SetPosition(c.position);
        EXPECT_EQ(Shown(m, S::kStateField), c.state) << c.index << " " << c.position;
    }
}

TEST(SelectSoilModel, ChoosingASoilTakesItsDefaultDegree)
{
    auto app = StartedCore();
    // Row 4, sandy clay, stands at its default 0.25: c' = 38 exp(-1.3 x 0.25);
    // gravel at 0.60.
    S m = Opened(*app, 2, 0.9);
    m.ChooseRow(4);
    EXPECT_EQ(m.position, 5);
    EXPECT_EQ(Shown(m, S::kSoilTypeField), "cohesive");
    EXPECT_EQ(Shown(m, S::kStateField), "semiplastic");
    EXPECT_EQ(Shown(m, S::kCohesionField), "27.46");
    EXPECT_EQ(Utf16ToUtf8(app->LoadLangString(m.DegreeCaptionKey())), "Liquidity index Il:");
    m.ChooseRow(0);
    EXPECT_EQ(m.position, 12);
    EXPECT_EQ(Utf16ToUtf8(app->LoadLangString(m.DegreeCaptionKey())), "Density index Id:");
}

TEST(SelectSoilModel, WithoutARow)
{
    auto app = StartedCore();
    // No soil, one outside the table, an empty table.
    for (int index : {-1, 99, 2}) {
        const int count = RowCount(app->tables.soils);
        std::vector<SoilEntry> held;
        if (index == 2)
            held.swap(app->tables.soils);
        const S m = Opened(*app, index, 0.5);
        EXPECT_EQ(m.RowCount(), index == 2 ? 0 : count);
        if (index == 2)
            held.swap(app->tables.soils);
        EXPECT_EQ(m.soilIndex, -1);
        EXPECT_EQ(Shown(m, S::kSoilTypeField), "---");
        EXPECT_EQ(Shown(m, S::kOverallModulusField), "-");
        EXPECT_EQ(Utf16ToUtf8(m.soilName), "nieokreślony");
        EXPECT_EQ(m.DegreeCaptionKey(), 0);
        EXPECT_FALSE(m.HasSoil());
    }
    // A table whose modulus ratio is 0 shows no elastic modulus.
    app->tables.soils[2].soilCoefficient[14] = 0.0;
    const S m = Opened(*app, 2, 0.35f);
    EXPECT_EQ(Shown(m, S::kElasticModulusField), "-");
    EXPECT_EQ(Shown(m, S::kOverallModulusField), "64");
}

TEST(SelectSoilModel, ChoiceIntoARecord)
{
    auto app = StartedCore();
    S m = Opened(*app, 2, 0.35f);
    m.SetPosition(16);
    ManholeRecord r{};
    S::CopyChoice(m.Choice(), r);
    EXPECT_EQ(r.soilIndex, 2);
    EXPECT_EQ(r.soilStateDegree, 0.8);
    EXPECT_EQ(r.frictionAngle, 33.6);
    EXPECT_EQ(r.porosity, 15.0);
    EXPECT_EQ(Utf8(r.soilName), "Medium sand (backfill)");
    // A long name is cut to 254 characters, never inside a surrogate pair.
    SoilChoice c;
    c.soilName = std::u16string(253, u'a') + u"\U0001F600" + u"b";
    TankRecord t{};
    std::fill(std::begin(t.soilName), std::end(t.soilName), u'z');
    S::CopyChoice(c, t);
    EXPECT_EQ(FromFixed(t.soilName), std::u16string(253, u'a'));
}
