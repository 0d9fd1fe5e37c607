#include "BuriedPipePageModel.h"

#include "BuriedPipeCalc.h"
#include "CalcKind.h"
#include "DalvorApp.h"
#include "Text.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

namespace Id = BuriedPipeIds;

constexpr double kMm = 0.001f;
constexpr double kHalfMm = 0.0005f;
constexpr double kSizeMatch = 0.1f;
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

constexpr int kNameUnits = 63;
constexpr int kSoilNameUnits = 255;

constexpr int kTextCoverEnlarged = 20256;
constexpr int kTextMetre = 20013;
constexpr int kTextMadeToOrder = 20295;
constexpr int kTextConfirmDelivery = 20296;

// The traffic classes' texts in class order.
int TrafficTextKey(int trafficClass)
{
    return trafficClass <= 11 ? 20000 + trafficClass : 20279 + (trafficClass - 12);
}

template <typename T>
int TableRows(const std::vector<T>& table, int count)
{
    return std::clamp(count, 0, static_cast<int>(table.size()));
}

std::u16string U(const std::string& s)
{
    return Utf8ToUtf16(s);
}

std::u16string F(const char* format, double v)
{
    return U(FormatC(format, v));
}

// A typed text cut to at most units code units, never inside a surrogate pair.
std::u16string Bounded(std::u16string s, std::size_t units)
{
    if (s.size() > units) {
        std::size_t n = units;
        if (n > 0 && s[n - 1] >= 0xD800 && s[n - 1] <= 0xDBFF)
            --n;
        s.resize(n);
    }
    return s;
}

bool IsHeavyTrafficForced(const BuriedPipeRecord& r)
{
    return r.trafficClass > 0 && CBuriedPipePageModel::CoverFromLevels(r) <= kHeavyTrafficCover;
}

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

int PageList::FindPrefix(const std::u16string& prefix) const
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::u16string& t = items[i].text;
        if (t.size() < prefix.size())
            continue;
        bool same = true;
        for (std::size_t k = 0; k < prefix.size() && same; ++k)
            same = Lower(t[k]) == Lower(prefix[k]);
        if (same)
            return static_cast<int>(i);
    }
    return -1;
}

CBuriedPipePageModel::CBuriedPipePageModel(CDalvorApp& a) : app(a) {}

BuriedPipeRecord& CBuriedPipePageModel::Record() const
{
    return app.buriedPipe;
}

bool CBuriedPipePageModel::ExtendedMode() const
{
    return app.extendedCatalogue == 1;
}

std::vector<PageMessage> CBuriedPipePageModel::TakeMessages()
{
    std::vector<PageMessage> out;
    out.swap(messages);
    return out;
}

void CBuriedPipePageModel::Raise(int key, std::u16string text)
{
    messages.push_back({key, std::move(text)});
}

// ---- rules ---------------------------------------------------------------------

double CBuriedPipePageModel::CoverFromLevels(const BuriedPipeRecord& r)
{
    return r.groundLevel - r.foundationLevel - r.outerDiameter * kMm;
}

void CBuriedPipePageModel::DeriveLevels(BuriedPipeRecord& r)
{
    r.foundationLevel = r.invertLevel - (r.outerDiameter - r.innerDiameter) * kHalfMm;
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

// ---- lists ---------------------------------------------------------------------

void CBuriedPipePageModel::FillCategoryList()
{
    BuriedPipeRecord& r = Record();
    categoryList.items.clear();
    categoryList.selected = -1;
    const int rows = TableRows(app.pipeCategories, app.pipeCategoryCount);
    if (rows > 0 && r.categoryId < 0)
        r.categoryId = app.pipeCategories[0].id;
    for (int i = 0; i < rows; ++i) {
        const PipeCategoryEntry& c = app.pipeCategories[static_cast<std::size_t>(i)];
        categoryList.items.push_back({Bounded(FromFixed(c.name), 255), i});
        if (c.id == r.categoryId)
            categoryList.selected = i;
    }
    if (categoryList.selected < 0 && rows > 0)
        categoryList.selected = 0;
}

void CBuriedPipePageModel::FillTypeList()
{
    BuriedPipeRecord& r = Record();
    typeList.items.clear();
    typeList.selected = -1;
    const int rows = TableRows(app.pipeTypes, app.pipeTypeCount);
    for (int i = 0; i < rows; ++i) {
        const PipeTypeEntry& t = app.pipeTypes[static_cast<std::size_t>(i)];
        if (t.categoryId != r.categoryId)
            continue;
        if (r.typeId < 0)
            r.typeId = t.id;
        if (t.id == r.typeId)
            typeList.selected = static_cast<int>(typeList.items.size());
        typeList.items.push_back({Bounded(FromFixed(t.name), 255), i});
    }
    if (typeList.selected < 0 && !typeList.items.empty())
        typeList.selected = 0;
}

void CBuriedPipePageModel::FillSizeList()
{
    BuriedPipeRecord& r = Record();
    sizeList.items.clear();
    sizeList.selected = -1;
    sizeMatched = false;
    const int rows = TableRows(app.nominalSizes, app.nominalSizeCount);
    for (int i = 0; i < rows; ++i) {
        const NominalSizeEntry& s = app.nominalSizes[static_cast<std::size_t>(i)];
        if (s.categoryId != r.categoryId || s.typeId != r.typeId)
            continue;
        if (std::fabs(s.nominalSize - r.nominalSize) < kSizeMatch)
            sizeList.selected = static_cast<int>(sizeList.items.size());
        sizeList.items.push_back({F("%.0f", s.nominalSize), i});
    }
    if (sizeList.items.empty()) {
        SetText(Id::InnerDiameter, u"-");
        SetText(Id::OuterDiameter, u"-");
        return;
    }
    sizeMatched = sizeList.selected >= 0;
    if (sizeList.selected < 0)
        sizeList.selected = 0;
    TakeSizeRow(app.nominalSizes[static_cast<std::size_t>(sizeList.items[sizeList.selected].row)], false);
    SetText(Id::InnerDiameter, F("%.1f", r.innerDiameter));
    SetText(Id::OuterDiameter, F("%.1f", r.outerDiameter));
    SetText(Id::RingStiffness, F("%.2f", r.ringStiffness));
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
    deflectionList.items.clear();
    for (std::u16string& t : DeflectionItems(Record(), enabled))
        deflectionList.items.push_back({std::move(t), -1});
    deflectionList.selected = 0;
    deflectionList.enabled = enabled;
}

void CBuriedPipePageModel::FillLists()
{
    // A pipe whose size the catalogue no longer lists keeps its values and
    // has no result until the user chooses a size.
    FillCategoryList();
    FillTypeList();
    const BuriedPipeRecord saved = Record();
    FillSizeList();
    // A record without a pipe yet takes the first size listed.
    sizeMissing = !sizeMatched && saved.outerDiameter != 0.0;
    if (sizeMissing)
        Record() = saved;
    FillDeflectionList();
}

void CBuriedPipePageModel::FillTrafficList()
{
    trafficList.items.clear();
    for (int c = 0; c < kTrafficClassCount; ++c)
        trafficList.items.push_back({app.LoadLangString(TrafficTextKey(c)), -1});
    const int cls = Record().trafficClass;
    trafficList.selected = cls >= 0 && cls < kTrafficClassCount ? cls : -1;
}

const NominalSizeEntry* CBuriedPipePageModel::SizeRowOf(int index) const
{
    const BuriedPipeRecord& r = Record();
    if (index < 0 || index >= static_cast<int>(sizeList.items.size()))
        return nullptr;
    const int row = sizeList.items[static_cast<std::size_t>(index)].row;
    if (row < 0 || row >= TableRows(app.nominalSizes, app.nominalSizeCount))
        return nullptr;
    const NominalSizeEntry& s = app.nominalSizes[static_cast<std::size_t>(row)];
    if (s.categoryId != r.categoryId || s.typeId != r.typeId)
        return nullptr;
    return &s;
}

// ---- handlers ------------------------------------------------------------------

void CBuriedPipePageModel::OnCategoryChanged(int index)
{
    BuriedPipeRecord& r = Record();
    if (index >= 0 && index < static_cast<int>(categoryList.items.size())) {
        categoryList.selected = index;
        const int row = categoryList.items[static_cast<std::size_t>(index)].row;
        if (row >= 0 && row < TableRows(app.pipeCategories, app.pipeCategoryCount))
            r.categoryId = app.pipeCategories[static_cast<std::size_t>(row)].id;
    }
    r.typeId = -1;
    FillTypeList();
    FillSizeList();
    sizeMissing = false;
    FillDeflectionList();
    Recalculate();
}

void CBuriedPipePageModel::OnTypeChanged(int index)
{
    BuriedPipeRecord& r = Record();
    if (index >= 0 && index < static_cast<int>(typeList.items.size())) {
        typeList.selected = index;
        const int row = typeList.items[static_cast<std::size_t>(index)].row;
        if (row >= 0 && row < TableRows(app.pipeTypes, app.pipeTypeCount) &&
            app.pipeTypes[static_cast<std::size_t>(row)].categoryId == r.categoryId)
            r.typeId = app.pipeTypes[static_cast<std::size_t>(row)].id;
    }
    FillSizeList();
    sizeMissing = false;
    FillDeflectionList();
    Recalculate();
}

void CBuriedPipePageModel::OnSizeChanged(int index)
{
    const NominalSizeEntry* s = SizeRowOf(index);
    if (s) {
        sizeList.selected = index;
        TakeSizeRow(*s, true);
        BuriedPipeRecord& r = Record();
        SetText(Id::InnerDiameter, F("%.1f", r.innerDiameter));
        SetText(Id::OuterDiameter, F("%.1f", r.outerDiameter));
        SetText(Id::RingStiffness, F("%.2f", r.ringStiffness));
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

void CBuriedPipePageModel::OnTrafficChanged(int index)
{
    BuriedPipeRecord& r = Record();
    if (index < 0 || index >= kTrafficClassCount)
        return;
    trafficList.selected = index;
    r.trafficClass = index;
    roadSurfaceEnabled = true;
    SetText(Id::CoverNote, CoverNote(coverCaption, metreUnit, index, r.minCoverNoTraffic, false));
    const int rule = RoadSurfaceRule(index);
    if (rule != 0) {
        checks[Id::RoadSurface] = rule > 0 ? 1 : 0;
        roadSurfaceEnabled = false;
    }
    r.roadSurface = checks[Id::RoadSurface] ? 1 : 0;
    Recalculate();
    Recalculate();
}

void CBuriedPipePageModel::OnDeflectionChanged(int index)
{
    if (index < 0 || index >= static_cast<int>(deflectionList.items.size()))
        return;
    deflectionList.selected = index;
    Record().deflectionLimit = ParseNumber(deflectionList.items[static_cast<std::size_t>(index)].text);
    Recalculate();
}

void CBuriedPipePageModel::OnRoadSurfaceClicked()
{
    Record().roadSurface = checks[Id::RoadSurface] ? 1 : 0;
    Recalculate();
}

void CBuriedPipePageModel::OnWorkConditionClicked()
{
    ReadInputs();
    ApplyInstallationDefaults(Record(), userHeavyTraffic);
    ShowInputs(0);
    Recalculate();
}

void CBuriedPipePageModel::OnHeavyTrafficClicked()
{
    // Under traffic over a shallow pipe the box is forced on; a click there
    // leaves the user's own choice as it was.
    if (!IsHeavyTrafficForced(Record()))
        userHeavyTraffic = userHeavyTraffic ? 0 : 1;
    OnWorkConditionClicked();
}

void CBuriedPipePageModel::OnSoilChosen()
{
    BuriedPipeRecord& r = Record();
    const int rows = TableRows(app.soils, app.soilCount);
    if (r.soilIndex >= 0 && r.soilIndex < rows)
        r.compactionIndex = CompactionIndexFor(app.soils[static_cast<std::size_t>(r.soilIndex)].soilGroup,
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

// ---- import --------------------------------------------------------------------------

void CBuriedPipePageModel::ImportSize(bool fromTank, double sourceStiffness, const std::u16string& diameterText)
{
    // A type or size the lists do not hold leaves the pipe as it is, and the
    // lists go on showing it.
    if (fromTank) {
        const int type = typeList.FindPrefix(U(FormatC("SN%.0f", sourceStiffness)));
        if (type >= 0)
            OnTypeChanged(type);
    }
    const int size = sizeList.FindPrefix(diameterText);
    if (size >= 0)
        OnSizeChanged(size);
}

void CBuriedPipePageModel::ImportPipeBottomFromManhole(double pipeBottom)
{
    auto value = [&](int id) {
        auto it = texts.find(id);
        return it == texts.end() ? 0.0 : ParseNumber(it->second);
    };
    SetText(Id::InvertLevel,
            F("% .2f", pipeBottom + (value(Id::OuterDiameter) - value(Id::InnerDiameter)) / 2000));
}

// ---- the page contract -----------------------------------------------------------

void CBuriedPipePageModel::ReadInputs()
{
    BuriedPipeRecord& r = Record();
    auto value = [&](int id) {
        auto it = texts.find(id);
        return it == texts.end() ? 0.0 : ParseNumber(it->second);
    };
    r.innerDiameter = value(Id::InnerDiameter);
    r.outerDiameter = value(Id::OuterDiameter);
    r.ringStiffness = value(Id::RingStiffness);
    r.groundLevel = value(Id::GroundLevel);
    r.invertLevel = value(Id::InvertLevel);
    r.waterLevel = value(Id::WaterLevel);
    CopyBounded(r.soilName, Bounded(texts[Id::SoilName], kSoilNameUnits), kSoilNameUnits);
    r.compactionIndex = value(Id::CompactionIndex);
    r.unitWeight = std::clamp(value(Id::UnitWeight), 0.0, kMaxUnitWeight);
    r.porosity = std::clamp(value(Id::Porosity), 0.0, kMaxPorosity);
    r.secantModulus = value(Id::SecantModulus);
    r.installationFactor = value(Id::InstallationFactor);
    r.beddingFactor = value(Id::BeddingFactor);
    r.frictionAngle = std::isfinite(r.frictionAngle) ? std::clamp(r.frictionAngle, 0.0, kMaxFrictionAngle) : 0.0;
    r.cohesion = std::isfinite(r.cohesion) ? std::clamp(r.cohesion, 0.0, kMaxCohesion) : 0.0;
    r.roadSurface = checks[Id::RoadSurface] ? 1 : 0;
    r.multiPipeTrench = checks[Id::MultiPipeTrench] ? 1 : 0;
    r.heavyConstructionTraffic = checks[Id::HeavyTraffic] ? 1 : 0;
    r.heavyCompaction = checks[Id::HeavyCompaction] ? 1 : 0;
    r.permanentSupervision = checks[Id::Supervision] ? 1 : 0;
    r.workmanshipQuality = checks[Id::WorkmanshipMeticulous] ? 1 : 0;
    CopyBounded(r.head.name, Bounded(texts[Id::Name], kNameUnits), kNameUnits);
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
    if (c > r.groundLevel - r.invertLevel - (r.outerDiameter + r.innerDiameter) * kHalfMm + kCoverTolerance) {
        r.invertLevel = r.groundLevel - c - r.outerDiameter * kMm + (r.outerDiameter - r.innerDiameter) * kHalfMm;
        DeriveLevels(r);
        message = !extended || r.trafficClass == 0;
    }
    if (r.compactionIndex < kMinCompaction)
        r.compactionIndex = kMinCompaction;
    ShowInputs(0);
    if (message)
        Raise(kTextCoverEnlarged, FormatU16(app.LoadLangString(kTextCoverEnlarged), c));
}

void CBuriedPipePageModel::Recalculate()
{
    if (sizeMissing) {
        ReadInputs();
        Record().head.resultValid = 0;
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
    trafficList.selected = r.trafficClass >= 0 && r.trafficClass < kTrafficClassCount ? r.trafficClass : -1;
    SetText(Id::MadeToOrderNote, u"");
    SetText(Id::InnerDiameter, F("%.1f", r.innerDiameter));
    SetText(Id::OuterDiameter, F("%.1f", r.outerDiameter));
    SetText(Id::RingStiffness, F("%.2f", r.ringStiffness));
    SetText(Id::GroundLevel, F("%.2f", r.groundLevel));
    SetText(Id::InvertLevel, F("%.2f", r.invertLevel));
    SetText(Id::Cover, F("%.2f", r.cover));
    SetText(Id::FoundationLevel, F("%.2f", r.foundationLevel));
    SetText(Id::WaterLevel, F("%.2f", r.waterLevel));
    SetText(Id::SoilName, FromFixed(r.soilName));
    SetText(Id::CompactionIndex, F("%.2f", r.compactionIndex));
    SetText(Id::UnitWeight, F("%.2f", r.unitWeight));
    SetText(Id::Porosity, F("%.0f", r.porosity));
    SetText(Id::SecantModulus, F("%.2f", r.secantModulus));
    SetText(Id::InstallationFactor, F("%.1f", r.installationFactor));
    SetText(Id::BeddingFactor, F("%.1f", r.beddingFactor));

    const int found = deflectionList.FindPrefix(F("%.0f", r.deflectionLimit));
    if (found >= 0)
        deflectionList.selected = found;
    deflectionList.enabled = r.enlargedDeflectionAvailable == 1;

    checks[Id::RoadSurface] = r.roadSurface ? 1 : 0;
    checks[Id::MultiPipeTrench] = r.multiPipeTrench ? 1 : 0;
    checks[Id::HeavyTraffic] = r.heavyConstructionTraffic ? 1 : 0;
    checks[Id::HeavyCompaction] = r.heavyCompaction ? 1 : 0;
    checks[Id::Supervision] = r.permanentSupervision ? 1 : 0;
    checks[Id::WorkmanshipNormal] = r.workmanshipQuality == 0 ? 1 : 0;
    checks[Id::WorkmanshipMeticulous] = r.workmanshipQuality == 1 ? 1 : 0;

    const int a = ArrayBuriedPipe;
    if (resetNumber == 1) {
        SetText(Id::Number, u"-");
        CopyBounded(r.head.name, u"-");
    } else if (app.currentIndex[a] >= 0 && app.currentIndex[a] < app.storedCount[a]) {
        SetText(Id::Number, U(FormatC("%d", app.currentIndex[a] + 1)));
    }
    SetText(Id::Name, FromFixed(r.head.name));
}

void CBuriedPipePageModel::ShowResults()
{
    const BuriedPipeRecord& r = Record();
    const int verdictFields[] = {Id::TotalLoad, Id::AdmissibleLoad, Id::TotalDeflection,
                                 Id::DeflectionLimit, Id::UpliftForce, Id::AnchoringForce};
    SetText(Id::MadeToOrderNote,
            r.madeToOrder == 1 ? madeToOrderFirst + u" " + madeToOrderSecond : std::u16string());
    if (r.head.resultValid != 1) {
        for (int id : {Id::SoilLoad, Id::TrafficLoad, Id::TotalLoad, Id::AdmissibleLoad, Id::LoadDeflection,
                       Id::InstallationDeflection, Id::TotalDeflection, Id::DeflectionLimit, Id::UpliftForce,
                       Id::AnchoringForce, Id::Conclusion})
            SetText(id, u"-");
        SetText(Id::Reasons, u"");
        verdictText = PageColour::Black;
        for (int id : verdictFields)
            background[id] = PageColour::Face;
        return;
    }
    verdictText = PageColour::Met;
    for (int id : verdictFields)
        background[id] = PageColour::Met;
    SetText(Id::SoilLoad, F("%.2f", r.soilLoad));
    SetText(Id::TrafficLoad, F("%.2f", r.trafficLoad));
    SetText(Id::TotalLoad, F("%.2f", r.totalLoad));
    SetText(Id::AdmissibleLoad, F("%.2f", r.admissibleLoad));
    SetText(Id::LoadDeflection, F("%.1f", r.loadDeflection));
    SetText(Id::InstallationDeflection, F("%.1f", r.beddingFactor + r.installationFactor));
    SetText(Id::TotalDeflection, F("%.1f", r.totalDeflection));
    SetText(Id::DeflectionLimit, F("%.1f", r.deflectionLimit));
    SetText(Id::UpliftForce, F("%.2f", r.upliftForce));
    SetText(Id::AnchoringForce, F("%.2f", r.anchoringForce));
    SetText(Id::SecantModulus, F("%.2f", r.secantModulus));

    constexpr double kDeflectionTolerance = 0.049f;
    // Each check holds only when its comparison does.
    const bool deflectionFails = !(r.totalDeflection <= r.deflectionLimit + kDeflectionTolerance);
    const bool loadFails = !(r.totalLoad <= r.admissibleLoad);
    const bool anchoringFails = !(r.upliftForce <= r.anchoringForce);
    if (deflectionFails || loadFails || anchoringFails)
        verdictText = PageColour::Failed;
    if (deflectionFails)
        background[Id::TotalDeflection] = background[Id::DeflectionLimit] = PageColour::Failed;
    if (loadFails)
        background[Id::TotalLoad] = background[Id::AdmissibleLoad] = PageColour::Failed;
    if (anchoringFails)
        background[Id::UpliftForce] = background[Id::AnchoringForce] = PageColour::Failed;
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
    FillCategoryList();
    OnCategoryChanged(categoryList.items.empty() ? -1 : 0);
    OnTypeChanged(typeList.items.empty() ? -1 : 0);
    OnSizeChanged(sizeList.items.empty() ? -1 : 0);
}

void CBuriedPipePageModel::ResetNumberAndName()
{
    SetText(Id::Number, u"-");
    SetText(Id::Name, u"-");
}

void CBuriedPipePageModel::Reload()
{
    FillLists();
    ShowInputs(0);
    Recalculate();
}
