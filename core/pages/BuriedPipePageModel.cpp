#include "core/pages/BuriedPipePageModel.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "core/base/Text.h"
#include "core/base/TrafficClass.h"
#include "core/base/Millimetres.h"
#include "core/calc/BuriedPipeCalc.h"
#include "core/pages/CatalogPicker.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

using namespace FieldFlags;

namespace {

namespace Id = BuriedPipeIds;

constexpr double kMm = 0.001f;
constexpr double kCoverTolerance = 0.01f;
constexpr double kMinCoverNoTrafficFloor = 0.2;
constexpr double kMinCoverTrafficFloor = 0.5;
constexpr double kRailwayCover = 1.5;
constexpr double kAircraftCover = 1.0;
constexpr double kMinCompaction = 0.75;
constexpr double kMaxUnitWeight = 100.0;
constexpr double kMaxPorosity = 50.0;
constexpr double kMaxFrictionAngle = 45.0;
constexpr double kMaxCohesion = 100.0;
constexpr double kHeavyTrafficCover = 1.5;
// The enlarged-deflection list never offers more whole numbers than this
// (catalogue rows hold a few).
constexpr int kMaxDeflectionItems = 100;

constexpr int kSoilNameUnits = 255;

constexpr int kTextCoverEnlarged = 20256;
constexpr int kTextMetre = 20013;
constexpr int kTextMadeToOrder = 20295;
constexpr int kTextConfirmDelivery = 20296;

std::u16string U(const std::string& s)
{
    return Utf8ToUtf16(s);
}

std::u16string F(const char* format, double v)
{
    return U(FormatC(format, v));
}

bool IsHeavyTrafficForced(const BuriedPipeRecord& r)
{
    // Only a class that loads the pipe forces it, as the installation's
    // defaults have it (a class a damaged record holds does not).
    return r.trafficClass > 0 && r.trafficClass < kTrafficClassCount &&
           CBuriedPipePageModel::CoverFromLevels(r) <= kHeavyTrafficCover;
}

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

int FindListedText(const ListState& list, const std::u16string& text)
{
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        const std::u16string& t = list.items[i].text;
        // "160" is not "1600", nor "SN2" the start of "SN256 ...".
        if (t.size() < text.size() || (t.size() > text.size() && t[text.size()] != u' '))
            continue;
        bool same = true;
        for (std::size_t k = 0; k < text.size() && same; ++k)
            same = Lower(t[k]) == Lower(text[k]);
        if (same)
            return static_cast<int>(i);
    }
    return -1;
}

CBuriedPipePageModel::CBuriedPipePageModel(CDalvorApp& a)
    : CPageModel(a, KindBuriedPipe),
      pipeLists(a, *this, CCatalogPicker::kAll, Id::CategoryList, Id::TypeList, Id::SizeList,
                {.lastOfSameId = true})
{
}

BuriedPipeRecord& CBuriedPipePageModel::Record() const
{
    return app.working.buriedPipe;
}

bool CBuriedPipePageModel::ExtendedMode() const
{
    return app.extendedCatalogue == 1;
}

// ---- rules ---------------------------------------------------------------------

double CBuriedPipePageModel::CoverFromLevels(const BuriedPipeRecord& r)
{
    return r.groundLevel - r.foundationLevel - r.outerDiameter * kMm;
}

void CBuriedPipePageModel::DeriveLevels(BuriedPipeRecord& r)
{
    r.foundationLevel = r.invertLevel - (r.outerDiameter - r.innerDiameter) * kHalfMmToM;
    r.cover = r.groundLevel - r.foundationLevel - r.outerDiameter * kMm;
}

double CBuriedPipePageModel::RequiredCover(const BuriedPipeRecord& r, bool extended)
{
    if (r.trafficClass == 0)
        return r.minCoverNoTraffic;
    if (!extended) {
        if (r.trafficClass == 13 || r.trafficClass == 14)
            return std::max(r.nominalSize * kMm, kRailwayCover);
        if (r.trafficClass >= 17 && r.trafficClass <= 21)
            return kAircraftCover;
    }
    return r.minCoverTraffic;
}

std::u16string CBuriedPipePageModel::CoverNote(const std::u16string& caption, const std::u16string& unit,
                                               int trafficClass, double minCoverNoTraffic, bool languageRoutine)
{
    const std::string c = Utf16ToUtf8(caption);
    const std::string m = Utf16ToUtf8(unit);
    if (trafficClass == 13 || trafficClass == 14)
        return U(FormatC("%s (Dn | %.1f %s)", c.c_str(), kRailwayCover, m.c_str()));
    if (trafficClass >= 17 && trafficClass <= 21)
        return U(FormatC("%s %.1f %s", c.c_str(), kAircraftCover, m.c_str()));
    const char* blank = languageRoutine ? " " : "";
    if (trafficClass == 0)
        return U(FormatC("%s%s%.2f %s", c.c_str(), blank, minCoverNoTraffic, m.c_str()));
    return U(FormatC("%s%s%.1f %s", c.c_str(), blank, kMinCoverTrafficFloor, m.c_str()));
}

int CBuriedPipePageModel::RoadSurfaceRule(int trafficClass)
{
    if (trafficClass == 0 || trafficClass == 1)
        return -1;
    if (trafficClass >= 13 && trafficClass <= 23)
        return 1;
    return 0;
}

double CBuriedPipePageModel::CompactionIndexFor(int soilKind, double x, double current)
{
    switch (soilKind) {
    case 0: return static_cast<double>(0.153f) * x + static_cast<double>(0.795f);
    case 1: return x < static_cast<double>(0.51f) ? static_cast<double>(0.8f) : 0.75;
    case 2: return 0.75;
    default: return current;
    }
}

std::vector<std::u16string> CBuriedPipePageModel::DeflectionItems(const BuriedPipeRecord& r, bool& enabled)
{
    std::vector<std::u16string> items;
    enabled = r.enlargedDeflectionAvailable == 1;
    if (enabled) {
        const double first = std::floor(r.allowedDeflection + 0.5);
        const double last = std::floor(r.enlargedAllowedDeflection + 0.5);
        if (std::isfinite(first) && std::isfinite(last) && std::fabs(first) < 1e6)
            for (double v = first; v <= last && static_cast<int>(items.size()) < kMaxDeflectionItems; v += 1.0)
                items.push_back(U(FormatC("%d", static_cast<int>(v))));
    }
    if (items.empty())
        items.push_back(F("%.0f", r.allowedDeflection));
    return items;
}


// ---- the field table -----------------------------------------------------------

namespace {

constexpr double kNone = FieldSpec::kNone;

// The plain numbers are read and shown through the table, the results with
// "-" while there is none; the page reads and shows the rest itself (the
// soil's name, the lists, the installation and bedding deflection that is
// the sum of two factors, and the verdict colours). The derived levels and
// the secant modulus (the soil choice's and the calculation's) are shown,
// never read.
const FieldSpec kFields[] = {
    {Id::CategoryList, 1213, 0, 0, Id::PipeGroup, KIT_NO_FIELD, nullptr, kNone, kNone, List | FieldSpec::Wide},
    {Id::TypeList, 1215, 0, 0, Id::PipeGroup, KIT_NO_FIELD, nullptr, kNone, kNone, List | FieldSpec::Wide},
    {Id::SizeList, 1217, 0, 0, Id::PipeGroup, KIT_NO_FIELD, nullptr, kNone, kNone, List},
    {Id::InnerDiameter, 1219, 1221, 0, Id::PipeGroup, KIT_FIELD(BuriedPipeRecord, innerDiameter), "%.1f", 0.0,
     kLongestMillimetres, In},
    {Id::OuterDiameter, 1222, 1224, 0, Id::PipeGroup, KIT_FIELD(BuriedPipeRecord, outerDiameter), "%.1f", 0.0,
     kLongestMillimetres, In},
    {Id::RingStiffness, 1225, 1227, 0, Id::PipeGroup, KIT_FIELD(BuriedPipeRecord, ringStiffness), "%.2f", kNone,
     kNone, In},
    {Id::GroundLevel, 1228, 1230, 0, Id::LevelsGroup, KIT_FIELD(BuriedPipeRecord, groundLevel), "%.2f", kLowestLevel,
     kHighestLevel, In},
    {Id::InvertLevel, 1231, 1233, 0, Id::LevelsGroup, KIT_FIELD(BuriedPipeRecord, invertLevel), "%.2f", kLowestLevel,
     kHighestLevel, In},
    {Id::Cover, 1234, 1236, 0, Id::LevelsGroup, KIT_FIELD(BuriedPipeRecord, cover), "%.2f", kNone, kNone, Shown},
    {Id::FoundationLevel, 1237, 1239, 0, Id::LevelsGroup, KIT_FIELD(BuriedPipeRecord, foundationLevel), "%.2f",
     kNone, kNone, Shown},
    {Id::WaterLevel, 1240, 1242, 0, Id::LevelsGroup, KIT_FIELD(BuriedPipeRecord, waterLevel), "%.2f", kLowestLevel,
     kHighestLevel, In},
    {Id::SoilName, 0, 0, 0, Id::SoilGroup, KIT_NO_FIELD, "%s", kNone, kNone, In | Hook | FieldSpec::Wide},
    {Id::CompactionIndex, 1245, 1247, 0, Id::SoilGroup, KIT_FIELD(BuriedPipeRecord, compactionIndex), "%.2f", kNone,
     kNone, In},
    {Id::UnitWeight, 1248, 1250, 0, Id::SoilGroup, KIT_FIELD(BuriedPipeRecord, unitWeight), "%.2f", 0.0,
     kMaxUnitWeight, In},
    {Id::Porosity, 1251, 1252, 0, Id::SoilGroup, KIT_FIELD(BuriedPipeRecord, porosity), "%.0f", 0.0, kMaxPorosity,
     In},
    {Id::SecantModulus, 1253, 1254, 0, Id::SoilGroup, KIT_FIELD(BuriedPipeRecord, secantModulus), "%.2f", kNone,
     kNone, Shown},
    {Id::TrafficList, 1257, 0, 0, Id::LoadGroup, KIT_NO_FIELD, nullptr, kNone, kNone, List | FieldSpec::Wide},
    {Id::InstallationFactor, 1263, 1264, 0, Id::FactorRows, KIT_FIELD(BuriedPipeRecord, installationFactor), "%.1f",
     kNone, kNone, In},
    {Id::BeddingFactor, 1265, 1266, 0, Id::FactorRows, KIT_FIELD(BuriedPipeRecord, beddingFactor), "%.1f", kNone,
     kNone, In},
    {Id::DeflectionList, Id::DeflectionCaption, Id::DeflectionUnit, 0, Id::FactorRows, KIT_NO_FIELD, nullptr, kNone,
     kNone, List},
    {Id::SoilLoad, 1268, 1270, 0, Id::ResultsGroup, KIT_FIELD(BuriedPipeRecord, soilLoad), "%.2f", kNone, kNone,
     Out},
    {Id::TrafficLoad, 1272, 1274, 0, Id::ResultsGroup, KIT_FIELD(BuriedPipeRecord, trafficLoad), "%.2f", kNone,
     kNone, Out},
    {Id::TotalLoad, 1277, 1279, 0, Id::ResultsGroup, KIT_FIELD(BuriedPipeRecord, totalLoad), "%.2f", kNone, kNone,
     Out},
    {Id::AdmissibleLoad, 1280, 1281, 0, Id::ResultsGroup, KIT_FIELD(BuriedPipeRecord, admissibleLoad), "%.2f",
     kNone, kNone, Out},
    {Id::LoadDeflection, 1282, 1284, 0, Id::ResultsGroup, KIT_FIELD(BuriedPipeRecord, loadDeflection), "%.1f",
     kNone, kNone, Out},
    {Id::InstallationDeflection, 1285, 1289, 0, Id::ResultsGroup, KIT_NO_FIELD, "%.1f", kNone, kNone, Out | Hook},
    {Id::TotalDeflection, 1291, 1296, 0, Id::ResultsGroup, KIT_FIELD(BuriedPipeRecord, totalDeflection), "%.1f",
     kNone, kNone, Out},
    {Id::DeflectionLimit, 1297, 1299, 0, Id::ResultsGroup, KIT_FIELD(BuriedPipeRecord, deflectionLimit), "%.1f",
     kNone, kNone, Out},
    {Id::UpliftForce, 1300, 1302, 0, Id::ResultsGroup, KIT_FIELD(BuriedPipeRecord, upliftForce), "%.2f", kNone,
     kNone, Out},
    {Id::AnchoringForce, 1303, 1306, 0, Id::ResultsGroup, KIT_FIELD(BuriedPipeRecord, anchoringForce), "%.2f",
     kNone, kNone, Out},
    {Id::Number, 1624, 0, 0, 0, KIT_NO_FIELD, "%d", kNone, kNone, Shown | FieldSpec::NoUnit},
    {Id::Name, 1625, 0, 0, 0, KIT_NO_FIELD, "%s", kNone, kNone, In | Hook | FieldSpec::Wide},
};

constexpr int kVerdictFields[] = {Id::TotalLoad, Id::AdmissibleLoad, Id::TotalDeflection,
                                  Id::DeflectionLimit, Id::UpliftForce, Id::AnchoringForce};

}  // namespace

std::span<const FieldSpec> CBuriedPipePageModel::Fields() const
{
    return kFields;
}

// ---- lists ---------------------------------------------------------------------

void CBuriedPipePageModel::FillCategoryAndTypeLists()
{
    BuriedPipeRecord& r = Record();
    pipeLists.FillCategories(r.categoryId);
    pipeLists.FillTypes(r.categoryId, r.typeId);
}

void CBuriedPipePageModel::FillSizeList()
{
    BuriedPipeRecord& r = Record();
    // Every size of the category and type; the record's own is the last
    // that matches, else the first.
    const std::vector<int> rows = pipeLists.FillSizes(r.categoryId, r.typeId, std::numeric_limits<int>::max());
    int selected = -1;
    for (std::size_t j = 0; j < rows.size(); ++j)
        if (CCatalogPicker::SameSize(pipeLists.SizeRow(rows[j])->nominalSize, r.nominalSize))
            selected = static_cast<int>(j);
    sizeMatched = selected >= 0;
    if (selected < 0 && !rows.empty())
        selected = 0;
    Select(Id::SizeList, selected);
    if (selected < 0) {
        SetText(Id::InnerDiameter, u"-");
        SetText(Id::OuterDiameter, u"-");
        return;
    }
    TakeSizeRow(*pipeLists.SizeRow(rows[static_cast<std::size_t>(selected)]), false);
    ShowSizeFields();
}

void CBuriedPipePageModel::ShowSizeFields()
{
    const BuriedPipeRecord& r = Record();
    for (int id : {Id::InnerDiameter, Id::OuterDiameter, Id::RingStiffness})
        ShowField(&r, id);
}

void CBuriedPipePageModel::TakeSizeRow(const NominalSizeEntry& s, bool onChoice)
{
    BuriedPipeRecord& r = Record();
    r.nominalSize = s.nominalSize;
    r.innerDiameter = s.innerDiameter;
    r.outerDiameter = s.outerDiameter;
    r.ringStiffness = s.ringStiffness;
    r.sizeRowValueA = s.sectionValueA;
    r.sizeRowValueB = s.sectionValueB;
    r.allowedDeflection = s.allowedDeflection;
    r.enlargedAllowedDeflection = s.enlargedAllowedDeflection;
    r.madeToOrder = s.madeToOrder;
    r.reducedLoadCapacity = s.reducedLoadCapacity;
    r.minCoverNoTraffic = std::max(s.minCover, kMinCoverNoTrafficFloor);
    r.minCoverTraffic = std::max(s.minCover, kMinCoverTrafficFloor);
    r.sizeRowValueC = s.sizeValueC;
    DeriveLevels(r);
    if (onChoice) {
        r.deflectionLimit = s.allowedDeflection;
        r.enlargedDeflectionAvailable = s.enlargedDeflectionAvailable;
    } else if (r.deflectionLimit < s.allowedDeflection) {
        // A stored limit at or above the row's allowable one stays.
        r.deflectionLimit = s.allowedDeflection;
        r.enlargedDeflectionAvailable = s.enlargedDeflectionAvailable;
    }
}

void CBuriedPipePageModel::FillDeflectionList()
{
    bool enabled = false;
    std::vector<ListItem> items;
    for (std::u16string& t : DeflectionItems(Record(), enabled))
        items.push_back({std::move(t), -1, -1});
    SetListItems(Id::DeflectionList, std::move(items), 0);
    Enable(Id::DeflectionList, enabled);
}

void CBuriedPipePageModel::FillLists()
{
    // A pipe whose size the catalogue no longer lists keeps its values and
    // has no result until the user chooses a size.
    FillCategoryAndTypeLists();
    const BuriedPipeRecord saved = Record();
    FillSizeList();
    // A record without a pipe yet takes the first size listed.
    sizeMissing = !sizeMatched && saved.outerDiameter != 0.0;
    if (sizeMissing) {
        // The list shows no size rather than a neighbouring one it lists.
        Record() = saved;
        Select(Id::SizeList, -1);
    }
    FillDeflectionList();
    // The heavy-traffic box is the loaded record's own choice wherever the
    // class and cover leave it to the user, not the previous record's click.
    userHeavyTraffic = IsHeavyTrafficForced(Record()) ? 0 : (Record().heavyConstructionTraffic == 1 ? 1 : 0);
}

void CBuriedPipePageModel::FillTrafficList()
{
    std::vector<ListItem> items;
    for (int c = 0; c < kTrafficClassCount; ++c)
        items.push_back({app.LoadLangString(TrafficClassTextKey(c)), -1, -1});
    const int cls = Record().trafficClass;
    SetListItems(Id::TrafficList, std::move(items), cls >= 0 && cls < kTrafficClassCount ? cls : -1);
}

bool CBuriedPipePageModel::ReferenceReloaded()
{
    // The names follow the language of the tables; the record keeps its pipe.
    FillCategoryAndTypeLists();
    return false;
}

const NominalSizeEntry* CBuriedPipePageModel::SizeRowOf(int index) const
{
    const BuriedPipeRecord& r = Record();
    const ListState& sizes = List(Id::SizeList);
    if (index < 0 || index >= static_cast<int>(sizes.items.size()))
        return nullptr;
    const int row = sizes.items[static_cast<std::size_t>(index)].row;
    if (row < 0 || row >= RowCount(app.tables.nominalSizes))
        return nullptr;
    const NominalSizeEntry& s = app.tables.nominalSizes[static_cast<std::size_t>(row)];
    if (s.categoryId != r.categoryId || s.typeId != r.typeId)
        return nullptr;
    return &s;
}

// ---- handlers ------------------------------------------------------------------

void CBuriedPipePageModel::OnListChosen(int id, int index)
{
    switch (id) {
    case Id::CategoryList: OnSelchangePipeKind(index); break;
    case Id::TypeList: OnSelchangePipeType(index); break;
    case Id::SizeList: OnSelchangeDiameter(index); break;
    case Id::TrafficList: OnSelchangeTraffic(index); break;
    case Id::DeflectionList: OnSelchangeDeflection(index); break;
    default: break;
    }
}

void CBuriedPipePageModel::OnChoiceClicked(int group, int index)
{
    (void)index;
    if (group == Id::RoadSurface)
        OnRoadSurface();
    else if (group == Id::HeavyTraffic)
        OnHeavyTraffic();
    else
        OnWorkCondition();
}

void CBuriedPipePageModel::OnSelchangePipeKind(int index)
{
    BuriedPipeRecord& r = Record();
    const ListState& l = List(Id::CategoryList);
    if (index >= 0 && index < static_cast<int>(l.items.size())) {
        Select(Id::CategoryList, index);
        const int row = l.items[static_cast<std::size_t>(index)].row;
        if (row >= 0 && row < RowCount(app.tables.pipeCategories))
            r.categoryId = app.tables.pipeCategories[static_cast<std::size_t>(row)].id;
    }
    r.typeId = -1;
    pipeLists.FillTypes(r.categoryId, r.typeId);
    ChooseListedSize();
}

void CBuriedPipePageModel::OnSelchangePipeType(int index)
{
    BuriedPipeRecord& r = Record();
    const ListState& l = List(Id::TypeList);
    if (index >= 0 && index < static_cast<int>(l.items.size())) {
        Select(Id::TypeList, index);
        const int row = l.items[static_cast<std::size_t>(index)].row;
        if (row >= 0 && row < RowCount(app.tables.pipeTypes) &&
            app.tables.pipeTypes[static_cast<std::size_t>(row)].categoryId == r.categoryId)
            r.typeId = app.tables.pipeTypes[static_cast<std::size_t>(row)].id;
    }
    ChooseListedSize();
}

void CBuriedPipePageModel::ChooseListedSize()
{
    // The size the list then shows is chosen as the user would choose it: the
    // deflection limit and the enlarged deflection are the new pipe's, never
    // the previous pipe's.
    FillSizeList();
    const int size = Selected(Id::SizeList);
    if (size >= 0 && SizeRowOf(size)) {
        OnSelchangeDiameter(size);
        return;
    }
    sizeMissing = false;
    FillDeflectionList();
    Recalculate();
}

void CBuriedPipePageModel::OnSelchangeDiameter(int index)
{
    if (const NominalSizeEntry* s = SizeRowOf(index)) {
        Select(Id::SizeList, index);
        TakeSizeRow(*s, true);
        ShowSizeFields();
        sizeMissing = false;
        FillDeflectionList();
        Recalculate();
        return;
    }
    // A size the catalogue no longer holds: the record stays as it was and
    // has no result.
    sizeMissing = true;
    Recalculate();
}

void CBuriedPipePageModel::OnSelchangeTraffic(int index)
{
    BuriedPipeRecord& r = Record();
    if (index < 0 || index >= kTrafficClassCount)
        return;
    Select(Id::TrafficList, index);
    r.trafficClass = index;
    Enable(Id::RoadSurface, true);
    SetText(Id::CoverNote, CoverNote(coverCaption, metreUnit, index, r.minCoverNoTraffic, false));
    const int rule = RoadSurfaceRule(index);
    if (rule != 0) {
        SetChecked(Id::RoadSurface, rule > 0);
        Enable(Id::RoadSurface, false);
    }
    r.roadSurface = Checked(Id::RoadSurface);
    Recalculate();
    Recalculate();
}

void CBuriedPipePageModel::OnSelchangeDeflection(int index)
{
    const ListState& l = List(Id::DeflectionList);
    if (index < 0 || index >= static_cast<int>(l.items.size()))
        return;
    Select(Id::DeflectionList, index);
    Record().deflectionLimit = ParseNumber(l.items[static_cast<std::size_t>(index)].text);
    Recalculate();
}

void CBuriedPipePageModel::OnRoadSurface()
{
    Record().roadSurface = Checked(Id::RoadSurface);
    Recalculate();
}

void CBuriedPipePageModel::OnWorkCondition()
{
    ReadInputs();
    ApplyInstallationDefaults(Record(), userHeavyTraffic);
    ShowInputs(0);
    Recalculate();
}

void CBuriedPipePageModel::OnHeavyTraffic()
{
    // Under traffic over a shallow pipe the box is forced on; a click there
    // leaves the user's own choice as it was.
    if (!IsHeavyTrafficForced(Record()))
        userHeavyTraffic = userHeavyTraffic ? 0 : 1;
    OnWorkCondition();
}

void CBuriedPipePageModel::OnSoilChosen()
{
    BuriedPipeRecord& r = Record();
    const int rows = RowCount(app.tables.soils);
    if (r.soilIndex >= 0 && r.soilIndex < rows)
        r.compactionIndex = CompactionIndexFor(app.tables.soils[static_cast<std::size_t>(r.soilIndex)].soilGroup,
                                               r.stateDegree, r.compactionIndex);
    r.frictionAngle = std::clamp(r.frictionAngle, 0.0, kMaxFrictionAngle);
    r.cohesion = std::clamp(r.cohesion, 0.0, kMaxCohesion);
    const double d = r.outerDiameter * kMm;
    double share = d > 0.0 ? (r.waterLevel - r.foundationLevel) / d : 0.0;
    share = std::isfinite(share) ? std::clamp(share, 0.0, 1.0) : 0.0;
    const double es = CalcStaticsCoefficient(CoverFromLevels(r), r.compactionIndex, share);
    if (std::isfinite(es))
        r.secantModulus = es;
    ShowInputs(0);
    Recalculate();
}

// ---- import --------------------------------------------------------------------

void CBuriedPipePageModel::ImportSize(bool fromTank, double sourceStiffness, const std::u16string& diameterText)
{
    // A type or size the lists do not hold leaves the pipe as it is, and the
    // lists go on showing it.
    if (fromTank) {
        const int type = FindListedText(List(Id::TypeList), U(FormatC("SN%.0f", sourceStiffness)));
        if (type >= 0)
            OnSelchangePipeType(type);
    }
    const int size = FindListedText(List(Id::SizeList), diameterText);
    if (size >= 0)
        OnSelchangeDiameter(size);
}

void CBuriedPipePageModel::ImportPipeBottomFromManhole(double pipeBottom)
{
    SetText(Id::InvertLevel, F("% .2f", pipeBottom + HalfMmInM(Value(Id::OuterDiameter) - Value(Id::InnerDiameter))));
}

// ---- the page contract -----------------------------------------------------------

void CBuriedPipePageModel::ReadInputs()
{
    BuriedPipeRecord& r = Record();
    ReadFields(&r);
    CopyBounded(r.soilName, CutTextView(Text(Id::SoilName), kSoilNameUnits), kSoilNameUnits);
    r.frictionAngle = std::isfinite(r.frictionAngle) ? std::clamp(r.frictionAngle, 0.0, kMaxFrictionAngle) : 0.0;
    r.cohesion = std::isfinite(r.cohesion) ? std::clamp(r.cohesion, 0.0, kMaxCohesion) : 0.0;
    r.roadSurface = Checked(Id::RoadSurface);
    r.multiPipeTrench = Checked(Id::MultiPipeTrench);
    r.heavyConstructionTraffic = Checked(Id::HeavyTraffic);
    r.heavyCompaction = Checked(Id::HeavyCompaction);
    r.permanentSupervision = Checked(Id::Supervision);
    r.workmanshipQuality = Choice(kWorkmanshipGroup) == 1 ? 1 : 0;
    CopyName(r.head.name, Text(Id::Name));
    DeriveLevels(r);
}

void CBuriedPipePageModel::Validate()
{
    BuriedPipeRecord& r = Record();
    ReadInputs();
    if (!(r.waterLevel < r.groundLevel))
        r.waterLevel = r.groundLevel;

    const bool extended = ExtendedMode();
    const double c = RequiredCover(r, extended);
    bool message = false;
    if (c > r.groundLevel - r.invertLevel - (r.outerDiameter + r.innerDiameter) * kHalfMmToM + kCoverTolerance) {
        // Lowered to the invert the field shows, so that the levels stored
        // are the levels printed and read back.
        r.invertLevel = AsShown(
            r.groundLevel - c - r.outerDiameter * kMm + (r.outerDiameter - r.innerDiameter) * kHalfMmToM, "%.2f",
            kLowestLevel, kHighestLevel);
        DeriveLevels(r);
        message = !extended || r.trafficClass == 0;
    }
    if (r.compactionIndex < kMinCompaction)
        r.compactionIndex = kMinCompaction;
    ShowInputs(0);
    if (message)
        Raise({kTextCoverEnlarged, 0, {F("%.2f", c)}, {}});
}

void CBuriedPipePageModel::Recalculate()
{
    if (sizeMissing) {
        ReadInputs();
        // Without a result there is no verdict: a stored one would be shown,
        // listed, copied and printed as this pipe's.
        GiveNoResult(Record());
        ShowInputs(0);
        ShowResults();
        return;
    }
    Validate();
    ApplyInstallationDefaults(Record(), userHeavyTraffic);
    app.CalcBuriedPipe();
    ShowInputs(0);
    ShowResults();
}

void CBuriedPipePageModel::ShowInputs(int resetNumber)
{
    BuriedPipeRecord& r = Record();
    Select(Id::TrafficList, r.trafficClass >= 0 && r.trafficClass < kTrafficClassCount ? r.trafficClass : -1);
    SetText(Id::MadeToOrderNote, u"");
    ShowFields(&r, FieldSpec::Input, true);
    for (int id : {Id::Cover, Id::FoundationLevel, Id::SecantModulus})
        ShowField(&r, id);
    SetText(Id::SoilName, FromFixed(r.soilName));

    const int found = FindListedText(List(Id::DeflectionList), F("%.0f", r.deflectionLimit));
    if (found >= 0)
        Select(Id::DeflectionList, found);
    Enable(Id::DeflectionList, r.enlargedDeflectionAvailable == 1);
    const bool extended = ExtendedMode();
    for (int id : {Id::DeflectionList, Id::DeflectionCaption, Id::DeflectionUnit})
        Show(id, extended);

    SetChecked(Id::RoadSurface, r.roadSurface);
    // The road-surface box is the user's only where the traffic class leaves
    // it to the user, whichever class the page showed before.
    Enable(Id::RoadSurface, RoadSurfaceRule(r.trafficClass) == 0);
    SetChecked(Id::MultiPipeTrench, r.multiPipeTrench);
    SetChecked(Id::HeavyTraffic, r.heavyConstructionTraffic);
    SetChecked(Id::HeavyCompaction, r.heavyCompaction);
    SetChecked(Id::Supervision, r.permanentSupervision);
    SetChoice(kWorkmanshipGroup, r.workmanshipQuality == 1 ? 1 : 0);

    ShowNumberAndName(Id::Number, Id::Name, r.head, resetNumber);
}

void CBuriedPipePageModel::ShowResults()
{
    const BuriedPipeRecord& r = Record();
    SetText(Id::MadeToOrderNote,
            r.madeToOrder == 1 ? madeToOrderFirst + u" " + madeToOrderSecond : std::u16string());
    SetColors(Id::Conclusion, kFaceColor, kBlackColor);
    SetColors(Id::Reasons, kFaceColor, kBlackColor);
    const bool valid = r.head.resultValid == 1;
    ShowFields(&r, FieldSpec::Result, valid);
    SetText(Id::InstallationDeflection, valid ? F("%.1f", r.beddingFactor + r.installationFactor) : u"-");
    if (!valid) {
        SetText(Id::Conclusion, u"-");
        SetText(Id::Reasons, u"");
        for (int id : kVerdictFields)
            SetColors(id, kFaceColor, kBlackColor);
        return;
    }
    for (int id : kVerdictFields)
        SetColors(id, kMetBackColor, kBlackColor);
    ShowField(&r, Id::SecantModulus);

    constexpr double kDeflectionTolerance = 0.049f;
    // Each check holds only when its comparison does.
    const bool deflectionFails = !(r.totalDeflection <= r.deflectionLimit + kDeflectionTolerance);
    const bool loadFails = !(r.totalLoad <= r.admissibleLoad);
    const bool anchoringFails = !(r.upliftForce <= r.anchoringForce);
    const RgbColor text = deflectionFails || loadFails || anchoringFails ? kFailedTextColor : kMetTextColor;
    SetColors(Id::Conclusion, kFaceColor, text);
    SetColors(Id::Reasons, kFaceColor, text);
    const std::pair<bool, std::pair<int, int>> pairs[] = {
        {deflectionFails, {Id::TotalDeflection, Id::DeflectionLimit}},
        {loadFails, {Id::TotalLoad, Id::AdmissibleLoad}},
        {anchoringFails, {Id::UpliftForce, Id::AnchoringForce}},
    };
    for (const auto& [fails, ids] : pairs)
        if (fails) {
            SetBackground(ids.first, kFailedBackColor);
            SetBackground(ids.second, kFailedBackColor);
        }
    SetText(Id::Conclusion, FromFixed(r.head.conclusion));
    SetText(Id::Reasons, FromFixed(r.head.warning) + u"\n" + FromFixed(r.secondReason) + u"\n" +
                             FromFixed(r.thirdReason));
}

void CBuriedPipePageModel::ApplyLanguage(int offset)
{
    const BuriedPipeRecord& r = Record();
    coverCaption = app.LoadLangString(Id::CoverNote, offset);
    metreUnit = app.LoadLangString(kTextMetre, offset);
    madeToOrderFirst = app.LoadLangString(kTextMadeToOrder, offset);
    madeToOrderSecond = app.LoadLangString(kTextConfirmDelivery, offset);
    SetText(Id::CoverNote, CoverNote(coverCaption, metreUnit, r.trafficClass, r.minCoverNoTraffic, true));
    FillTrafficList();
    SetText(Id::MadeToOrderNote,
            r.madeToOrder == 1 ? madeToOrderFirst + u" " + madeToOrderSecond : std::u16string());
}

void CBuriedPipePageModel::ResetListsToFirst()
{
    pipeLists.FillCategories(Record().categoryId);
    OnSelchangePipeKind(List(Id::CategoryList).items.empty() ? -1 : 0);
    OnSelchangePipeType(List(Id::TypeList).items.empty() ? -1 : 0);
    OnSelchangeDiameter(List(Id::SizeList).items.empty() ? -1 : 0);
}

void CBuriedPipePageModel::ResetNumberAndName()
{
    SetText(Id::Number, u"-");
    SetText(Id::Name, u"-");
}
