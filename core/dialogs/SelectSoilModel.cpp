#include "core/dialogs/SelectSoilModel.h"

#include "core/base/LangTables.h"
#include "core/catalogue/ReferenceTables.h"
#include "core/dialogs/DialogText.h"
#include "core/project/Records.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace {

constexpr int kTextCohesive = 20268;
constexpr int kTextGranular = 20269;
constexpr int kTextLoose = 20270;
constexpr int kTextMedium = 20271;
constexpr int kTextDense = 20272;
constexpr int kTextSoftPlastic = 20273;
constexpr int kTextPlastic = 20274;
constexpr int kTextSemiplastic = 20275;
constexpr int kTextSemisolid = 20276;
constexpr int kTextDensityIndex = 20277;
constexpr int kTextLiquidityIndex = 20278;

// Density-index bounds of a granular soil's states.
constexpr double kLooseUpTo = 0.33f;
constexpr double kMediumUpTo = 0.67f;
// How far below a grid point a degree still counts as on it.
constexpr double kGridTolerance = 1e-6;

// The numbers shown, in the dialog's order.
struct NumberField {
    int id;
    const char* format;
    double CSelectSoilModel::*value;
};
constexpr NumberField kNumbers[] = {
    {CSelectSoilModel::kDegreeField, "%.2f", &CSelectSoilModel::stateDegree},
    {CSelectSoilModel::kUnitWeightField, "%.2f", &CSelectSoilModel::unitWeight},
    {CSelectSoilModel::kFrictionAngleField, "%.0f", &CSelectSoilModel::frictionAngle},
    {CSelectSoilModel::kCohesionField, "%.2f", &CSelectSoilModel::cohesion},
    {CSelectSoilModel::kPorosityField, "%.0f", &CSelectSoilModel::porosity},
    {CSelectSoilModel::kMoistureField, "%.0f", &CSelectSoilModel::moisture},
    {CSelectSoilModel::kOverallModulusField, "%.0f", &CSelectSoilModel::overallModulus},
    {CSelectSoilModel::kElasticModulusField, "%.0f", &CSelectSoilModel::elasticModulus},
    {CSelectSoilModel::kPoissonRatioField, "%.2f", &CSelectSoilModel::poissonRatio},
};

// The name shown for no soil, in every language.
constexpr char16_t kNoSoilName[] = u"nieokreślony";

template <typename Record>
void CopySoilFields(const SoilChoice& c, Record& r, double& degree)
{
    static_assert(std::extent_v<decltype(r.soilName)> > CSelectSoilModel::kMaxSoilName);
    r.soilIndex = c.soilIndex;
    CopyBounded(r.soilName, CutTextView(c.soilName, CSelectSoilModel::kMaxSoilName));
    r.frictionAngle = c.frictionAngle;
    r.cohesion = c.cohesion;
    degree = c.stateDegree;
    r.unitWeight = c.unitWeight;
    r.porosity = c.porosity;
}

}  // namespace

CSelectSoilModel::CSelectSoilModel(const CatalogueTables& t, int offset) : tables(t), languageOffset(offset) {}

int CSelectSoilModel::SliderPosition(double x)
{
    const double p = std::floor(kLastPosition * (x - 0.0) / (1.0 - 0.0) + 0 + kGridTolerance);
    if (!(p >= 0.0))
        return 0;
    return p > kLastPosition ? kLastPosition : static_cast<int>(p);
}

int CSelectSoilModel::StateKey(int group, double x)
{
    if (group == 0) {
        if (x > kMediumUpTo && x <= 1.0)
            return kTextDense;
        if (x > kLooseUpTo && x <= kMediumUpTo)
            return kTextMedium;
        if (x <= kLooseUpTo)
            return kTextLoose;
    } else if (group > 0) {
        if (x > 0.5 && x <= 1.0)
            return kTextSoftPlastic;
        if (x > 0.25 && x <= 0.5)
            return kTextPlastic;
        if (x > 0.0 && x <= 0.25)
            return kTextSemiplastic;
        if (x <= 0.0)
            return kTextSemisolid;
    }
    return 0;
}

int CSelectSoilModel::RowCount() const
{
    return ::RowCount(tables.soils);
}

std::u16string CSelectSoilModel::RowName(int row) const
{
    return row >= 0 && row < RowCount() ? FromFixed(tables.soils[static_cast<std::size_t>(row)].name) : std::u16string();
}

const SoilEntry* CSelectSoilModel::ChosenRow() const
{
    return soilIndex >= 0 && soilIndex < RowCount() ? &tables.soils[static_cast<std::size_t>(soilIndex)] : nullptr;
}

void CSelectSoilModel::Open()
{
    // A preset row outside the table is no soil.
    if (!ChosenRow())
        soilIndex = -1;
    Update();
    // The degree stands on the slider's grid.
    SetPosition(position);
}

void CSelectSoilModel::ChooseRow(int row)
{
    soilIndex = row;
    if (const SoilEntry* r = ChosenRow())
        stateDegree = r->soilCoefficient[0];
    else
        soilIndex = -1;
    Update();
    SetPosition(position);
}

void CSelectSoilModel::SetPosition(int p)
{
    position = std::clamp(p, 0, kLastPosition);
    stateDegree = (position - 0) * (1.0 - 0.0) / (kLastPosition - 0) + 0.0;
    Update();
}

void CSelectSoilModel::Update()
{
    overallModulus = 0.0;
    elasticModulus = 0.0;
    const SoilEntry* row = ChosenRow();
    if (!row) {
        soilName = kNoSoilName;
        return;
    }
    const double* c = row->soilCoefficient;
    const double x = stateDegree;
    unitWeight = c[1];
    frictionAngle = x * c[3] + c[4];
    cohesion = c[6] * std::exp(x * c[7]);
    porosity = c[8];
    moisture = c[9];
    poissonRatio = c[15];
    overallModulus = c[10] * x * x * x + c[11] * x * x + c[12] * x + c[13];
    elasticModulus = overallModulus / c[14];
    if (const int key = StateKey(row->soilGroup, x))
        stateName = LangString(key, languageOffset);
    soilName = FromFixed(row->name);
    position = SliderPosition(stateDegree);
}

std::u16string CSelectSoilModel::FieldText(int id) const
{
    const SoilEntry* row = ChosenRow();
    if (!row)
        return id == kSoilTypeField || id == kStateField ? u"---" : u"-";
    if (id == kSoilTypeField)
        return row->soilGroup == 0 ? LangString(kTextGranular, languageOffset)
               : row->soilGroup > 0 ? LangString(kTextCohesive, languageOffset)
                                    : u"-";
    if (id == kStateField)
        return stateName;
    for (const NumberField& f : kNumbers)
        if (f.id == id) {
            // A value the table's coefficients cannot give (a zero modulus
            // ratio) shows as no value.
            const double v = this->*f.value;
            return std::isfinite(v) ? NumberText(f.format, v) : u"-";
        }
    return {};
}

int CSelectSoilModel::DegreeCaptionKey() const
{
    const SoilEntry* row = ChosenRow();
    if (!row || row->soilGroup < 0)
        return 0;
    return row->soilGroup == 0 ? kTextDensityIndex : kTextLiquidityIndex;
}

SoilChoice CSelectSoilModel::Choice() const
{
    SoilChoice c;
    c.soilIndex = soilIndex;
    c.stateDegree = stateDegree;
    c.soilName = soilName;
    c.unitWeight = unitWeight;
    c.porosity = porosity;
    c.frictionAngle = frictionAngle;
    c.cohesion = cohesion;
    return c;
}

void CSelectSoilModel::CopyChoice(const SoilChoice& c, BuriedPipeRecord& r)
{
    CopySoilFields(c, r, r.stateDegree);
}

void CSelectSoilModel::CopyChoice(const SoilChoice& c, ManholeRecord& r)
{
    CopySoilFields(c, r, r.soilStateDegree);
}

void CSelectSoilModel::CopyChoice(const SoilChoice& c, TankRecord& r)
{
    CopySoilFields(c, r, r.soilStateDegree);
}
