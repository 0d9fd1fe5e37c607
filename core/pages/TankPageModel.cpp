#include "core/pages/TankPageModel.h"

#include "core/app/DalvorApp.h"
#include "core/base/Millimetres.h"
#include "core/base/Text.h"
#include "core/calc/Calculations.h"
#include "core/calc/TankCover.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>

using namespace TankIds;
using namespace FieldFlags;

namespace {

constexpr double kMinCapacity = 0.1f;
constexpr double kMinSlab = 0.2f;
constexpr double kMaxSlabHeight = 0.6f;
constexpr double kCoverTolerance = 0.01f;
constexpr double kNoteAnchoring = 0.01;
constexpr double kAnchoringNeeded = 0.1;
// Inner diameters are whole millimetres in the catalogue; a diameter that
// went through a text with one decimal still finds its tank.
constexpr double kDiameterMatch = 0.05;
constexpr std::size_t kListTextUnits = 63;


std::u16string F2(double v)
{
    return CPageModel::Format("%.2f", v);
}

constexpr double kNone = FieldSpec::kNone;
using Soil = CUpliftPageModel;

// The plain numbers are read and shown through the table, the results with
// "-" while there is none; the page reads and shows the rest itself (the
// slab width held to the tank's diameter, the anchor list, and the
// anchoring's results, which show "-" while the tank needs no anchoring).
// The catalogue's values and the levels worked out are shown, never read.
// The lists of product and SN, the fixed parameter, volume and length stand
// above the table's rows, laid out by the page.
const FieldSpec kFields[] = {
    // id, caption, unit, "?", group, record member, format, low, high, flags
    {OuterDiameter, 1072, 1076, 0, 1049, KIT_FIELD(TankRecord, outerDiameter), "%.0f", kNone, kNone, Shown},
    {InnerDiameter, 1078, 1081, 0, 1049, KIT_FIELD(TankRecord, innerDiameter), "%.0f", kNone, kNone, Shown},
    {OwnWeight, 1082, 1084, 0, 1049, KIT_FIELD(TankRecord, ownWeight), "%.2f", kNone, kNone, Shown},
    {GroundLevel, 1085, 1087, 0, 1049, KIT_FIELD(TankRecord, groundLevel), "%.2f", kLowestLevel, kHighestLevel, In},
    {WaterLevel, 1088, 1090, 0, 1049, KIT_FIELD(TankRecord, waterLevel), "%.2f", kLowestLevel, kHighestLevel, In},
    {TankBottom, 1635, 1636, 0, 1049, KIT_FIELD(TankRecord, tankBottomLevel), "%.2f", kLowestLevel, kHighestLevel,
     In},
    {FoundationLevel, 1091, 1093, 0, 1049, KIT_FIELD(TankRecord, foundationLevel), "%.2f", kNone, kNone, Shown},
    {CoverDepth, 1094, 1096, 0, 1049, KIT_FIELD(TankRecord, coverDepth), "%.2f", kNone, kNone, Shown},
    {FillLevel, 1643, 1644, 0, 1049, KIT_FIELD(TankRecord, fillLevel), "%.2f", kLowestLevel, kHighestLevel, In},
    {ActiveCapacity, 1639, 1641, 0, 1049, KIT_FIELD(TankRecord, activeCapacity), "%.2f", kNone, kNone, Shown},
    {UnitWeight, 1101, 1103, 0, SoilRows, KIT_FIELD(TankRecord, unitWeight), "%.2f", 0.0, Soil::kMaxUnitWeight, In},
    {Porosity, 1104, 1106, 0, SoilRows, KIT_FIELD(TankRecord, porosity), "%.0f", 0.0, Soil::kMaxPorosity, In},
    {FrictionAngle, 1107, 1109, 0, SoilRows, KIT_FIELD(TankRecord, frictionAngle), "%.0f", 0.0,
     Soil::kMaxFrictionAngle, In},
    {Cohesion, 1110, 1112, 0, SoilRows, KIT_FIELD(TankRecord, cohesion), "%.2f", 0.0, Soil::kMaxCohesion, In},
    {SlabWidth, 1113, 1114, 0, SoilRows, KIT_FIELD(TankRecord, slabWidth), "%.2f", kNone, kNone, Hook},
    {SlabHeight, 1115, 1116, 0, SoilRows, KIT_FIELD(TankRecord, slabHeight), "%.2f", kMinSlab, kMaxSlabHeight, In},
    {AnchorList, 1117, 1118, 0, SoilRows, KIT_NO_FIELD, nullptr, kNone, kNone, FieldSpec::Combo | Hook},
    {Uplift, 1120, 1122, 0, 1119, KIT_FIELD(TankRecord, upliftForce), "%.2f", kNone, kNone, Out},
    {SoilWeight, 1123, 1124, 0, 1119, KIT_FIELD(TankRecord, soilWeight), "%.2f", kNone, kNone, Out},
    {MinSlabLength, 1125, 1127, 0, 1119, KIT_FIELD(TankRecord, minSlabLength), "%.2f", kNone, kNone, Out | Hook},
    {SlabLength, 1128, 1130, 0, 1119, KIT_FIELD(TankRecord, slabLength), "%.2f", kNone, kNone, Out | Hook},
    {SlabWeight, 1131, 1133, 0, 1119, KIT_FIELD(TankRecord, slabWeight), "%.2f", kNone, kNone, Out | Hook},
    {SlabVolume, 1134, 1136, 0, 1119, KIT_FIELD(TankRecord, slabVolume), "%.2f", kNone, kNone, Out | Hook},
    {Anchoring, 1137, 1139, 0, 1119, KIT_FIELD(TankRecord, anchoringForce), "%.2f", kNone, kNone, Out | Hook},
    {TieForce, 1140, 1142, 0, 1119, KIT_FIELD(TankRecord, tieForce), "%.2f", kNone, kNone, Out | Hook},
    {TieAngle, 1143, 1145, 0, 1119, KIT_FIELD(TankRecord, tieAngle), "%.0f", kNone, kNone, Out | Hook},
};

// The anchoring's results, shown only while the tank needs anchoring.
constexpr int kAnchoringFields[] = {MinSlabLength, SlabLength, SlabWeight, SlabVolume, Anchoring, TieForce, TieAngle};

}  // namespace

CTankPageModel::CTankPageModel(CDalvorApp& a) : CUpliftPageModel(a, KindTank) {}

std::span<const FieldSpec> CTankPageModel::Fields() const
{
    return kFields;
}

bool CTankPageModel::ReferenceReloaded()
{
    return SyncCatalogue();
}

void CTankPageModel::OnListChosen(int id, int index)
{
    switch (id) {
    case TypeList:
        Select(TypeList, index);
        OnProductChanged();
        break;
    case StiffnessList: OnSelchangeStiffness(index); break;
    case AnchorList: OnSelchangeAnchorCount(index); break;
    default: break;
    }
}

void CTankPageModel::OnChoiceClicked(int group, int index)
{
    if (group == ModeVolume)
        OnSelectionMode(index);
}

TankRecord& CTankPageModel::Record() const
{
    return app.working.tank;
}

// ---- lists -------------------------------------------------------------------

void CTankPageModel::BuildLocalLists()
{
    stiffnessEntries.clear();
    tankEntries.clear();
    catalogueRows.clear();
    const int rows = RowCount(app.tables.tankTypes);
    for (int i = 0; i < rows; ++i) {
        const TankTypeEntry& t = app.tables.tankTypes[static_cast<std::size_t>(i)];
        // Only neighbours with the same SN and code share a class.
        if (stiffnessEntries.empty() || stiffnessEntries.back().stiffness != t.stiffnessClass ||
            stiffnessEntries.back().code != t.classCode) {
            StiffnessEntry s;
            s.index = static_cast<int>(stiffnessEntries.size());
            s.stiffness = t.stiffnessClass;
            s.code = t.classCode;
            s.text = CutText(Format("SN%.0f", t.stiffnessClass), kListTextUnits);
            stiffnessEntries.push_back(std::move(s));
        }
        TankEntry e;
        e.index = i;
        e.stiffness = t.stiffnessClass;
        e.innerDiameter = t.innerDiameter;
        e.code = t.classCode;
        e.name = CutText(FromFixed(t.name), kListTextUnits);
        tankEntries.push_back(e);
        catalogueRows.push_back({FromFixed(t.name), t.stiffnessClass, t.innerDiameter});
    }
}

bool CTankPageModel::SameCatalogue() const
{
    // Compared as they are held, bit for bit: the check runs before every
    // recalculation.
    const auto same = [](double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); };
    const int rows = RowCount(app.tables.tankTypes);
    if (static_cast<int>(catalogueRows.size()) != rows)
        return false;
    for (int i = 0; i < rows; ++i) {
        const TankTypeEntry& t = app.tables.tankTypes[static_cast<std::size_t>(i)];
        const CatalogueRow& c = catalogueRows[static_cast<std::size_t>(i)];
        if (c.name != std::u16string_view(t.name, BoundedLength(t.name, std::size(t.name))) ||
            !same(c.stiffness, t.stiffnessClass) || !same(c.innerDiameter, t.innerDiameter))
            return false;
    }
    return true;
}

bool CTankPageModel::SyncCatalogue()
{
    if (SameCatalogue())
        return false;
    // Another language's catalogue: the lists take its names. The product
    // list keeps the SN it was filtered by while the record's tank is of
    // that SN; the SN list shows "all", as after every relabelling.
    const double filter = chosenStiffness;
    BuildLocalLists();
    FillStiffnessList();
    ShowStoredType();
    const int row = Record().tankTypeIndex;
    if (filter != 0.0 && row >= 0 && row < static_cast<int>(tankEntries.size()) &&
        tankEntries[static_cast<std::size_t>(row)].stiffness == filter) {
        FillTypeList(filter);
        Select(TypeList, TypeItemOf(row));
    }
    return true;
}

void CTankPageModel::FillTypeList(double stiffness)
{
    std::vector<ListItem> items;
    for (const TankEntry& e : tankEntries)
        if (stiffness == 0.0 || e.stiffness == stiffness)
            items.push_back({e.name, e.index, -1});
    UpdateListItems(TypeList, std::move(items), Selected(TypeList));
    chosenStiffness = stiffness;
}

int CTankPageModel::TypeItemOf(int row) const
{
    const std::vector<ListItem>& items = List(TypeList).items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].row == row)
            return static_cast<int>(i);
    return -1;
}

void CTankPageModel::FillStiffnessList()
{
    std::vector<ListItem> items{{app.LoadLangString(20341), -1, -1}};
    for (const StiffnessEntry& s : stiffnessEntries)
        items.push_back({s.text, s.index, -1});
    UpdateListItems(StiffnessList, std::move(items), 0);
}

int CTankPageModel::FindTableRow(double innerDiameter, double stiffness) const
{
    int found = -1;
    for (const TankEntry& e : tankEntries)
        if (e.stiffness == stiffness && std::fabs(e.innerDiameter - innerDiameter) < kDiameterMatch)
            found = e.index;
    return found;
}

void CTankPageModel::ShowStoredType()
{
    // "all", and the record's own type, with no handler on the way: a stored
    // tank is shown as it was stored.
    FillTypeList(0.0);
    Select(StiffnessList, 0);
    const int i = Record().tankTypeIndex;
    Select(TypeList, i >= 0 && i < static_cast<int>(List(TypeList).items.size()) ? i : 0);
    reloadFlag = false;
    reloadPending = true;
}

std::vector<int> CTankPageModel::AnchorCounts() const
{
    const TankRecord& r = Record();
    std::vector<int> counts;
    const double f = r.foundationLevel + r.outerDiameter * kHalfMmToMDouble > r.waterLevel ? 2 : 1;
    const double length = r.length;
    for (int k = std::max(2, r.minAnchorCount); k <= r.maxAnchorCount; ++k) {
        double s = std::trunc(2 * (length - 1) / (k - 1)) * 0.5;
        s = std::max(r.minAnchorSpacing, std::min(f * r.maxAnchorSpacing, s));
        if ((k - 1) * s > length - 3 * r.maxAnchorSpacing)
            counts.push_back(k);
    }
    return counts;
}

void CTankPageModel::FillAnchorList(const std::vector<int>& counts, int selected)
{
    std::vector<ListItem> items;
    for (int k : counts)
        items.push_back({Format("%.0f", k), -1, k});
    UpdateListItems(AnchorList, std::move(items), selected);
}

void CTankPageModel::SelectAnchorItem(int count)
{
    const std::vector<ListItem>& items = List(AnchorList).items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].id == count) {
            Select(AnchorList, static_cast<int>(i));
            return;
        }
}

// ---- reading and checking ----------------------------------------------------

void CTankPageModel::ReadInputs()
{
    TankRecord& r = Record();
    // The fixed one of volume and length is read; the other, with the
    // diameters, the own weight and the active capacity, is the
    // calculation's or the catalogue's and is not taken back from its
    // rounded text.
    const int mode = Choice(ModeVolume) == 1 ? 1 : 0;
    // The diameters are the catalogue's and are not read, but a damaged
    // stored tank is held as a typed pipe is, so that no level is infinite.
    for (double* d : {&r.innerDiameter, &r.outerDiameter})
        *d = std::isfinite(*d) ? Limit(*d, 0.0, kLongestMillimetres) : 0.0;
    ReadFields(&r);
    // The one of volume and length that the calculation works out shows no
    // infinity a damaged record left in it.
    for (double* worked : {&r.capacity, &r.length})
        if (!std::isfinite(*worked))
            *worked = 0.0;
    if (mode == 0)  // no larger than a tank of the longest length holds
        r.capacity = ReadLimited(Capacity, "%.2f", FieldSpec::kNone,
                                 TankCapacityOfLength(r, kLongestLength));
    else
        r.length = ReadLimited(Length, "%.2f", FieldSpec::kNone, kLongestLength);
    ReadSoilName(r, SoilName);
    r.slabWidth = ReadLimited(SlabWidth, "%.2f", kMinSlab, r.outerDiameter / 1000);
    if (const ListItem* count = SelectedItem(AnchorList))
        r.anchorCount = count->id;
    r.selectionMode = mode;
    CopyName(r.head.name, Text(Name));

    if (r.selectionMode != 0 && r.selectionMode != 1)
        r.selectionMode = 0;
    // 0.1 m3 shows as "0.10", which reads back below the limit: it stays.
    if (r.capacity < kMinCapacity)
        r.capacity = kMinCapacity;
}

bool CTankPageModel::ValidateLevels()
{
    TankRecord& r = Record();
    ReadInputs();
    if (!(r.waterLevel < r.groundLevel))
        r.waterLevel = r.groundLevel;
    const double t = HalfMmInMByTenThousandths(r.outerDiameter - r.innerDiameter);
    const double q = TankLeastCover(r.outerDiameter);
    const bool moved = TankCoverShort(r.groundLevel - r.tankBottomLevel + t, r.outerDiameter, kCoverTolerance);
    if (moved) {
        // Lowered to the bottom level its field shows; the foundation follows.
        r.tankBottomLevel = AsShown(r.groundLevel - q + t, "%.2f", kLowestLevel, kHighestLevel);
        r.foundationLevel = r.tankBottomLevel - t;
    }
    if (reloadFlag) {
        const double top = r.tankBottomLevel + r.innerDiameter / 1000;
        if (const double held = Limit(r.fillLevel, r.tankBottomLevel, top); held != r.fillLevel)
            r.fillLevel = Limit(AsShown(held, "%.2f", kLowestLevel, kHighestLevel), r.tankBottomLevel, top);
    }
    ShowInputs(false);
    // The text holds a literal percent sign: it is shown as it stands.
    if (moved)
        Raise({20260, 0, {}, {}});
    return moved;
}

void CTankPageModel::Recalculate()
{
    SyncCatalogue();
    ValidateLevels();
    app.CalcTankBuoyancy();
    app.CalcTankAnchoring();
    ShowResults();
    ShowInputs(false);
    if (reloadPending) {
        reloadPending = false;
        reloadFlag = true;
    }
}

// ---- showing -------------------------------------------------------------------

void CTankPageModel::ShowInputs(int asNew)
{
    TankRecord& r = Record();
    // The radios, and with them which of volume and length is typed and
    // highlighted, follow the record (a stored tank loaded back, a new
    // project), not the mode the page was last left in.
    SetChoice(ModeVolume, r.selectionMode == 1 ? 1 : 0);
    SetModeLook(r.selectionMode == 1 ? 1 : 0);
    SetText(Capacity, F2(r.capacity));
    SetText(Length, F2(r.length));
    ShowFields(&r, FieldSpec::Input, true);
    for (int id : {OuterDiameter, InnerDiameter, OwnWeight, FoundationLevel, CoverDepth, ActiveCapacity, SlabWidth})
        ShowField(&r, id);
    SetText(SoilName, FromFixed(r.soilName));
    SelectAnchorItem(r.anchorCount);
    SetText(Note, r.anchoringForce > kNoteAnchoring ? app.LoadLangString(20343) : std::u16string());
    ShowNumberAndName(Number, Name, r.head, asNew);
    ShowStoreButtons(UpdateButton, ProjectButton);
}

void CTankPageModel::ShowResults()
{
    TankRecord& r = Record();
    const bool valid = r.head.resultValid == 1;

    // The anchoring controls and the list of counts come first, so that the
    // results shown belong to the count the list shows.
    if (!valid || r.minSlabLength <= kAnchoringNeeded) {
        for (int id : {SlabWidth, SlabHeight, AnchorList})
            Enable(id, false);
    } else {
        for (int id : {SlabWidth, SlabHeight, AnchorList})
            Enable(id, true);
        const std::vector<ListItem>& offered = List(AnchorList).items;
        if (offered.empty() || offered.front().id != r.minAnchorCount || offered.back().id != r.maxAnchorCount) {
            const std::vector<int> counts = AnchorCounts();
            auto it = std::find(counts.begin(), counts.end(), r.anchorCount);
            const bool first = !counts.empty() && (it == counts.end() || it == counts.begin());
            FillAnchorList(counts, first ? 0 : it != counts.end() ? static_cast<int>(it - counts.begin()) : -1);
            if (first) {
                r.anchorCount = counts.front();
                app.CalcTankAnchoring();
            }
        }
    }

    SetText(Length, F2(r.length));
    ShowFields(&r, FieldSpec::Result, valid);
    const int verdictFields[] = {Uplift, SoilWeight, MinSlabLength, SlabLength, Anchoring};
    if (!valid) {
        for (int id : verdictFields)
            SetColors(id, kFaceColor, kBlackColor);
        SetColors(Conclusion, kFaceColor, kBlackColor);
        for (int id : kAnchoringFields)
            SetText(id, u"-");
        SetText(Conclusion, u"-");
        return;
    }
    const bool anchoring = r.anchoringForce > kNoteAnchoring;
    const RgbColor back = anchoring ? kFailedBackColor : kMetBackColor;
    for (int id : verdictFields)
        SetColors(id, back, kBlackColor);
    SetColors(Conclusion, kFaceColor, anchoring ? kFailedTextColor : kMetTextColor);
    ShowField(&r, TankBottom);
    ShowField(&r, ActiveCapacity);
    for (int id : kAnchoringFields) {
        if (anchoring && !(id == MinSlabLength && NoSlabLengthSuffices(r.minSlabLength)))
            ShowField(&r, id);
        else
            SetText(id, u"-");
    }
    SetText(Conclusion, FromFixed(r.head.conclusion) + u" " + FromFixed(r.head.warning));
}

void CTankPageModel::SetModeLook(int mode)
{
    for (int id : {CapacityLabel, Capacity, LengthLabel, Length})
        SetColors(id, kFaceColor, kBlackColor);
    Enable(Capacity, mode == 0);
    Enable(Length, mode == 1);
    const int label = mode == 0 ? CapacityLabel : LengthLabel;
    const int field = mode == 0 ? Capacity : Length;
    SetColors(label, kSoughtColor, kBlackColor);
    SetColors(field, kSoughtColor, kBlackColor);
}

// ---- handlers -------------------------------------------------------------------

void CTankPageModel::OnSelectionMode(int mode)
{
    TankRecord& r = Record();
    r.selectionMode = mode == 1 ? 1 : 0;
    SetChoice(ModeVolume, r.selectionMode);
    SetModeLook(r.selectionMode);
}

void CTankPageModel::OnProductChanged()
{
    // The tank type of the item selected; with none, no product is taken
    // and the record stays as it is.
    const ListItem* chosen = SelectedItem(TypeList);
    if (!chosen || chosen->row < 0 || chosen->row >= RowCount(app.tables.tankTypes))
        return;
    TankRecord& r = Record();
    const TankTypeEntry& t = app.tables.tankTypes[static_cast<std::size_t>(chosen->row)];
    r.outerDiameter = t.outerDiameter;
    r.innerDiameter = t.innerDiameter;
    r.endAllowance = t.endAllowance;
    r.stiffnessClass = t.stiffnessClass;
    r.minAnchorSpacing = t.minAnchorSpacing;
    r.maxAnchorSpacing = t.maxAnchorSpacing;
    r.tankTypeIndex = chosen->row;
    ShowInputs(false);
    Recalculate();
}

void CTankPageModel::OnSelchangeStiffness(int selection)
{
    double sn = 0.0;
    if (selection >= 1 && selection <= static_cast<int>(stiffnessEntries.size()))
        sn = stiffnessEntries[static_cast<std::size_t>(selection - 1)].stiffness;
    else
        selection = 0;
    Select(StiffnessList, selection);
    FillTypeList(sn);
    Select(TypeList, 0);
    OnProductChanged();
}

void CTankPageModel::OnSelchangeAnchorCount(int selection)
{
    Select(AnchorList, selection);
    ReadInputs();
    app.CalcTankAnchoring();
    ShowResults();
    ShowInputs(false);
}

bool CTankPageModel::SelectImportedProduct(double innerDiameter, double stiffness)
{
    const int row = FindTableRow(innerDiameter, stiffness);
    if (row < 0)
        return false;
    FillStiffnessList();
    FillTypeList(0.0);
    Select(TypeList, TypeItemOf(row));
    OnProductChanged();
    return true;
}

void CTankPageModel::OnInitDialog()
{
    BuildLocalLists();
    reloadFlag = true;
    FillAnchorList({2, 3, 4, 5, 6, 7, 8, 9, 10}, 0);
    FillTypeList(0.0);
    const int i = Record().tankTypeIndex;
    Select(TypeList, i >= 0 && i < static_cast<int>(List(TypeList).items.size()) ? i : 0);
    FillStiffnessList();
    SetColors(Conclusion, kFaceColor, kBlackColor);
    SetChoice(ModeVolume, Record().selectionMode == 1 ? 1 : 0);
    SetModeLook(Record().selectionMode == 1 ? 1 : 0);
    ShowInputs(true);
    ShowResults();
    ValidateLevels();
    app.CalcTankBuoyancy();
    app.CalcTankAnchoring();
    ShowResults();
    ShowInputs(false);
}

void CTankPageModel::ResetListsToFirst()
{
    Select(TypeList, 0);
    OnProductChanged();
    Select(StiffnessList, 0);
    OnSelchangeStiffness(0);
}

void CTankPageModel::ResetNumberAndName()
{
    SetText(Number, u"-");
    SetText(Name, u"-");
}

void CTankPageModel::ApplyLanguage(int)
{
    if (!SyncCatalogue())
        FillStiffnessList();
}

void CTankPageModel::FillLists()
{
    if (!SyncCatalogue() && List(StiffnessList).items.empty())
        FillStiffnessList();
    ShowStoredType();
    // The anchor counts offered are the loaded tank's own, built again by the
    // recalculation: the previous tank's list and selection would otherwise
    // be read as this tank's count.
    FillAnchorList({}, -1);
}
