#include "core/pages/ManholePageModel.h"

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"

#include <algorithm>

using namespace ManholeIds;
using namespace FieldFlags;

namespace {

constexpr double kMmToM = 0.001f;
constexpr double kInvertTolerance = 0.01f;
constexpr double kMinPipeDiameter = 0.05f;
constexpr double kMaxPipeDiameter = 3.0;
constexpr double kFailingBallast = 0.009f;
constexpr double kFailingAnchoring = 0.5;

constexpr double kNone = FieldSpec::kNone;
using Soil = CUpliftPageModel;

// The plain numbers are read and shown through the table, the results with
// "-" while there is none; the page reads and shows the rest itself (the
// diameters in mm, the pipe bottom held below the ground, the type's values,
// the verdict colours, and the results that show "-" while the manhole needs
// no ballast or anchoring, or that add two values).
const FieldSpec kFields[] = {
    // id, caption, unit, "?", group, record member, format, low, high, flags
    {TypeList, 1150, 0, 0, DataGroup, KIT_NO_FIELD, nullptr, kNone, kNone,
     FieldSpec::Combo | FieldSpec::Wide | Hook},
    {NominalDiameter, 1152, 1154, 0, DataGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Shown},
    {PipeDiameter, 1155, 1157, 0, DataGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Hook},
    {OuterDiameter, 1158, 1160, 0, DataGroup, KIT_FIELD(ManholeRecord, outerDiameter), "%.3f", kNone, kNone, Shown},
    {GroundLevel, 1161, 1163, 0, DataGroup, KIT_FIELD(ManholeRecord, groundLevel), "%.2f", kLowestLevel,
     kHighestLevel, In},
    {WaterLevel, 1164, 1166, 0, DataGroup, KIT_FIELD(ManholeRecord, waterLevel), "%.2f", kLowestLevel,
     kHighestLevel, In},
    {PipeBottom, 1167, 1169, 0, DataGroup, KIT_FIELD(ManholeRecord, pipeBottomLevel), "%.2f", kNone, kNone, Hook},
    // The sand-trap depth is in millimetres.
    {SandTrapDepth, 1646, 1648, 0, SandTrapRows, KIT_FIELD(ManholeRecord, sandTrapDepth), "%.0f", 0.0,
     kLongestMillimetres, In},
    {UnitWeight, 1173, 1175, 0, SoilRows, KIT_FIELD(ManholeRecord, unitWeight), "%.2f", 0.0, Soil::kMaxUnitWeight,
     In},
    {Porosity, 1176, 1178, 0, SoilRows, KIT_FIELD(ManholeRecord, porosity), "%.0f", 0.0, Soil::kMaxPorosity, In},
    {FrictionAngle, 1179, 1181, 0, SoilRows, KIT_FIELD(ManholeRecord, frictionAngle), "%.0f", 0.0,
     Soil::kMaxFrictionAngle, In},
    {Cohesion, 1182, 1184, 0, SoilRows, KIT_FIELD(ManholeRecord, cohesion), "%.2f", 0.0, Soil::kMaxCohesion, In},
    {Height, 1186, 1188, 0, ResultGroup, KIT_FIELD(ManholeRecord, height), "%.2f", kNone, kNone, Out},
    {DeadWeight, 1189, 1191, 0, ResultGroup, KIT_FIELD(ManholeRecord, deadWeight), "%.2f", kNone, kNone, Out},
    {Friction, 1192, 1194, 0, ResultGroup, KIT_FIELD(ManholeRecord, frictionForce), "%.2f", kNone, kNone, Out},
    {Uplift, 1195, 1197, 0, ResultGroup, KIT_FIELD(ManholeRecord, upliftForce), "%.2f", kNone, kNone, Out},
    {Anchoring, 1198, 1200, 0, ResultGroup, KIT_FIELD(ManholeRecord, anchoringForce), "%.2f", kNone, kNone,
     Out | Hook},
    {TotalHeight, 1201, 1203, 0, ResultGroup, KIT_NO_FIELD, "%.2f", kNone, kNone, Out | Hook},
    {BallastHeight, 1204, 1206, 0, ResultGroup, KIT_FIELD(ManholeRecord, ballastHeight), "%.2f", kNone, kNone,
     Out | Hook},
    {BallastVolume, 1207, 1209, 0, ResultGroup, KIT_FIELD(ManholeRecord, ballastVolume), "%.2f", kNone, kNone,
     Out | Hook},
};

}  // namespace

CManholePageModel::CManholePageModel(CDalvorApp& a) : CUpliftPageModel(a, KindManhole)
{
    ApplyLanguage(a.languageOffset);
    // The outer diameter is kept but not shown.
    for (int id : {1158, int(OuterDiameter), 1160})
        Show(id, false);
}

std::span<const FieldSpec> CManholePageModel::Fields() const
{
    return kFields;
}

void CManholePageModel::FillLists()
{
    std::vector<ListItem> items;
    const std::vector<std::u16string> names = TypeNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        items.push_back({names[i], static_cast<int>(i), static_cast<int>(i)});
    SetListItems(TypeList, std::move(items), Record().typeIndex);
}

void CManholePageModel::OnListChosen(int id, int index)
{
    if (id == TypeList)
        OnTypeChanged(index);
}

void CManholePageModel::OnChoiceClicked(int id, int)
{
    if (id == SandTrap || id == Reinforced)
        OnOptionChanged();
}

ManholeRecord& CManholePageModel::Record() const
{
    return app.working.manhole;
}

const ManholeTypeEntry* CManholePageModel::Type() const
{
    const int i = Record().typeIndex;
    const int rows = RowCount(app.tables.manholeTypes);
    return i >= 0 && i < rows ? &app.tables.manholeTypes[static_cast<std::size_t>(i)] : nullptr;
}

std::vector<std::u16string> CManholePageModel::TypeNames() const
{
    std::vector<std::u16string> names;
    const int rows = RowCount(app.tables.manholeTypes);
    for (int i = 0; i < rows; ++i)
        names.push_back(FromFixed(app.tables.manholeTypes[static_cast<std::size_t>(i)].name));
    return names;
}

void CManholePageModel::ApplyLanguage(int offset)
{
    hintOnDemand = app.LoadLangString(20295, offset);
    hintConfirmation = app.LoadLangString(20296, offset);
}

void CManholePageModel::ShowCollectorMessage(double largestMm)
{
    const ManholeRecord& r = Record();
    Raise({20258, 20257, {Format("%.0f", largestMm)}, {Format("%.0f", r.nominalDiameter * 1000.0)}});
}

void CManholePageModel::ReadInputs()
{
    ManholeRecord& r = Record();
    const ManholeTypeEntry* type = Type();

    r.reinforcedVersion = Checked(Reinforced);
    r.sandTrap = Checked(SandTrap);
    Enable(SandTrapDepth, r.sandTrap == 1);

    ReadFields(&r);
    r.nominalDiameter = Value(NominalDiameter) * kMmToM;

    // The collector: at most the type's largest; a larger entry goes back to
    // the diameter the record holds, and the user is told the largest.
    const double dkMm = Value(PipeDiameter);
    if (!type || dkMm <= type->maxPipeDiameter) {
        r.pipeDiameter = dkMm * kMmToM;
    } else {
        EndDrag();
        SetText(PipeDiameter, Format("%.0f", r.pipeDiameter * 1000.0));
        ShowCollectorMessage(type->maxPipeDiameter);
    }

    ReadSoilName(r, SoilName);

    const double candidate = LimitLevel(Value(PipeBottom));
    CopyName(r.head.name, Text(Name));

    // The invert lies at least the type's allowance above the collector plus
    // the collector, and at least the type's least depth, below the ground.
    const double allowance = type ? type->crownAllowance : 0.0;
    const double leastDepth = std::max(allowance + r.pipeDiameter, r.minDepth);
    const double highest = r.groundLevel - leastDepth;
    if (candidate > highest + kInvertTolerance) {
        EndDrag();
        r.pipeBottomLevel = highest;
        ShowField(&r, PipeBottom);
    } else {
        r.pipeBottomLevel = candidate;
    }

    const double read = r.pipeDiameter;
    r.pipeDiameter = Limit(r.pipeDiameter, kMinPipeDiameter, kMaxPipeDiameter);
    if (r.pipeDiameter != read)
        r.pipeDiameter = Limit(ParseNumber(Format("%.0f", r.pipeDiameter * 1000.0)) * kMmToM, kMinPipeDiameter,
                               kMaxPipeDiameter);
    const auto deepest = [&] {
        if (r.groundLevel - r.pipeBottomLevel > r.maxDepth)
            r.pipeBottomLevel = r.groundLevel - r.maxDepth;
    };
    deepest();
    if (r.pipeBottomLevel != candidate) {
        r.pipeBottomLevel = AsShown(r.pipeBottomLevel, "%.2f", kLowestLevel, kHighestLevel);
        deepest();
    }
    if (r.waterLevel > r.groundLevel)
        r.waterLevel = r.groundLevel;
}

void CManholePageModel::ShowInputs(int clearName)
{
    ManholeRecord& r = Record();
    Select(TypeList, r.typeIndex);
    SetText(MadeToOrder, u"");
    ShowFields(&r, FieldSpec::Input, true);
    ShowField(&r, PipeBottom);
    SetText(NominalDiameter, Format("%.0f", r.nominalDiameter * 1000.0));
    ShowField(&r, OuterDiameter);
    SetText(PipeDiameter, Format("%.0f", r.pipeDiameter * 1000.0));
    SetText(SoilName, FromFixed(r.soilName));
    SetChecked(Reinforced, r.reinforcedVersion == 1);
    SetChecked(SandTrap, r.sandTrap == 1);
    Enable(SandTrapDepth, false);
    if (r.eccentric == 1) {
        // An eccentric manhole stands on the collector: no sand trap.
        r.sandTrap = 0;
        SetChecked(SandTrap, 0);
        Enable(SandTrap, false);
        Enable(PipeDiameter, false);
        Enable(Reinforced, true);
    } else {
        Enable(PipeDiameter, true);
        Enable(SandTrapDepth, r.sandTrap == 1);
        Enable(Reinforced, false);
        Enable(SandTrap, true);
    }
    ShowNumberAndName(Number, Name, r.head, clearName);
    ShowStoreButtons(UpdateButton, ProjectButton);
}

void CManholePageModel::ShowResults()
{
    const ManholeRecord& r = Record();
    SetText(MadeToOrder, u"");
    if (r.madeToOrder == 1)
        SetText(MadeToOrder, hintOnDemand + u" " + hintConfirmation);

    const bool valid = r.head.resultValid == 1;
    ShowFields(&r, FieldSpec::Result, valid);
    const int colourFields[] = {DeadWeight, Uplift, Anchoring, BallastHeight};
    if (!valid) {
        SetColors(Conclusion, kFaceColor, kBlackColor);
        for (int id : colourFields)
            SetColors(id, kFaceColor, kBlackColor);
        for (int id : {BallastVolume, Anchoring, BallastHeight, TotalHeight, Conclusion})
            SetText(id, u"-");
        return;
    }

    // A manhole on its own base fails on the ballast it needs, an eccentric
    // one on its anchoring; only the first has a ballast to show.
    const bool ownBase = r.eccentric != 1;
    const bool fails = ownBase ? r.ballastHeight > kFailingBallast : r.anchoringForce > kFailingAnchoring;
    SetColors(Conclusion, kFaceColor, fails ? kFailedTextColor : kMetTextColor);
    for (int id : colourFields)
        SetColors(id, id == BallastHeight && !ownBase ? kFaceColor : fails ? kFailedBackColor : kMetBackColor,
                  kBlackColor);
    const auto showIf = [&](int id, bool shown) {
        if (shown)
            ShowField(&r, id);
        else
            SetText(id, u"-");
    };
    showIf(Anchoring, fails);
    showIf(BallastVolume, fails && ownBase);
    showIf(BallastHeight, fails && ownBase);
    SetText(TotalHeight, Format("%.2f", fails ? r.height + r.ballastHeight : r.height));
    SetText(Conclusion, FromFixed(r.head.conclusion));
}

void CManholePageModel::Recalculate()
{
    ReadInputs();
    app.CalcManholeBuoyancy();
    ShowInputs(0);
    ShowResults();
}

void CManholePageModel::OnTypeChanged(int selection)
{
    ManholeRecord& r = Record();
    const int rows = static_cast<int>(TypeNames().size());
    if (selection < 0 || selection >= rows)
        return;  // no type to take: the record stays as it is
    r.typeIndex = selection;
    Select(TypeList, selection);
    const ManholeTypeEntry& t = app.tables.manholeTypes[static_cast<std::size_t>(selection)];
    r.nominalDiameter = t.nominalDiameter / 1000.0;
    r.outerDiameter = t.outerDiameter / 1000.0;
    r.deadWeight = r.height * t.weightPerMetre;
    r.minDepth = t.minDepth;
    r.maxDepth = t.maxDepth;
    r.eccentric = t.eccentric;
    r.madeToOrder = t.madeToOrder;
    r.reinforcedVersion = t.reinforced;
    r.sandTrapDepth = t.sandTrapDepth;
    r.sandTrap = 0;
    SetChecked(SandTrap, 0);
    SetChecked(Reinforced, r.reinforcedVersion == 1);
    SetText(NominalDiameter, Format("%.0f", r.nominalDiameter * 1000.0));
    ShowField(&r, OuterDiameter);
    ShowField(&r, SandTrapDepth);

    if (r.eccentric != 1) {
        Enable(PipeDiameter, true);
        Enable(Reinforced, false);
        Enable(SandTrap, true);
        if (Value(PipeDiameter) > t.maxPipeDiameter) {
            EndDrag();
            r.pipeDiameter = t.maxPipeDiameter * kMmToM;
            SetText(PipeDiameter, Format("%.0f", t.maxPipeDiameter));
            ShowCollectorMessage(t.maxPipeDiameter);
        }
    } else {
        r.ballastHeight = 0.0;
        r.sandTrap = 0;
        r.pipeDiameter = t.maxPipeDiameter * kMmToM;
        SetText(PipeDiameter, Format("%.0f", r.pipeDiameter * 1000.0));
        Enable(PipeDiameter, false);
        Enable(SandTrap, false);
        Enable(SandTrapDepth, false);
        Enable(Reinforced, true);
    }
    ReadInputs();
    if (r.head.resultValid == 1) {
        app.CalcManholeBuoyancy();
        ShowResults();
    }
}

void CManholePageModel::OnOptionChanged()
{
    ReadInputs();
    if (Record().head.resultValid == 1) {
        app.CalcManholeBuoyancy();
        ShowResults();
    }
}

void CManholePageModel::OnInitDialog()
{
    Enable(Reinforced, false);
    Enable(SandTrap, false);
    ShowInputs(1);
    ShowResults();
    Recalculate();
}

void CManholePageModel::ResetListsToFirst()
{
    OnTypeChanged(0);
}

void CManholePageModel::ResetNumberAndName()
{
    SetText(Number, u"-");
    SetText(Name, u"-");
}
