#include "core/pages/ManholePageModel.h"

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"

#include <algorithm>

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

// The plain numbers are read and shown through the table; the page reads and
// shows the rest itself (the diameters in mm, the pipe bottom held below the
// ground, the type's values and the results with their verdict colours).
const FieldSpec kFields[] = {
    // id, caption, unit, "?", group, record member, format, low, high, flags
    {MhTypeList, 1150, 0, 0, MhDataGroup, KIT_NO_FIELD, nullptr, kNone, kNone,
     FieldSpec::Combo | FieldSpec::Wide | Hook},
    {MhNominalDiameter, 1152, 1154, 0, MhDataGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Shown},
    {MhPipeDiameter, 1155, 1157, 0, MhDataGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Hook},
    {MhOuterDiameter, 1158, 1160, 0, MhDataGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Shown},
    {MhGroundLevel, 1161, 1163, 0, MhDataGroup, KIT_FIELD(ManholeRecord, groundLevel), "%.2f", kLowestLevel,
     kHighestLevel, In},
    {MhWaterLevel, 1164, 1166, 0, MhDataGroup, KIT_FIELD(ManholeRecord, waterLevel), "%.2f", kLowestLevel,
     kHighestLevel, In},
    {MhPipeBottom, 1167, 1169, 0, MhDataGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Hook},
    // The sand-trap depth is in millimetres.
    {MhSandTrapDepth, 1646, 1648, 0, MhSandTrapRows, KIT_FIELD(ManholeRecord, sandTrapDepth), "%.0f", 0.0,
     kLongestMillimetres, In},
    {MhUnitWeight, 1173, 1175, 0, MhSoilRows, KIT_FIELD(ManholeRecord, unitWeight), "%.2f", 0.0, Soil::kMaxUnitWeight,
     In},
    {MhPorosity, 1176, 1178, 0, MhSoilRows, KIT_FIELD(ManholeRecord, porosity), "%.0f", 0.0, Soil::kMaxPorosity, In},
    {MhFrictionAngle, 1179, 1181, 0, MhSoilRows, KIT_FIELD(ManholeRecord, frictionAngle), "%.0f", 0.0,
     Soil::kMaxFrictionAngle, In},
    {MhCohesion, 1182, 1184, 0, MhSoilRows, KIT_FIELD(ManholeRecord, cohesion), "%.2f", 0.0, Soil::kMaxCohesion, In},
    {MhHeight, 1186, 1188, 0, MhResultGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Out | Hook},
    {MhDeadWeight, 1189, 1191, 0, MhResultGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Out | Hook},
    {MhFriction, 1192, 1194, 0, MhResultGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Out | Hook},
    {MhUplift, 1195, 1197, 0, MhResultGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Out | Hook},
    {MhAnchoring, 1198, 1200, 0, MhResultGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Out | Hook},
    {MhTotalHeight, 1201, 1203, 0, MhResultGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Out | Hook},
    {MhBallastHeight, 1204, 1206, 0, MhResultGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Out | Hook},
    {MhBallastVolume, 1207, 1209, 0, MhResultGroup, KIT_NO_FIELD, nullptr, kNone, kNone, Out | Hook},
};

}  // namespace

CManholePageModel::CManholePageModel(CDalvorApp& a) : CUpliftPageModel(a, KindManhole)
{
    ApplyLanguage(a.languageOffset);
    // The outer diameter is kept but not shown.
    for (int id : {1158, int(MhOuterDiameter), 1160})
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
    typeSelection = Record().typeIndex;
    SetListItems(MhTypeList, std::move(items), typeSelection);
}

void CManholePageModel::OnListChosen(int id, int index)
{
    if (id == MhTypeList)
        OnTypeChanged(index);
}

void CManholePageModel::OnChoiceClicked(int id, int)
{
    if (id == MhSandTrap || id == MhReinforced)
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

    r.reinforcedVersion = Checked(MhReinforced);
    r.sandTrap = Checked(MhSandTrap);
    Enable(MhSandTrapDepth, r.sandTrap == 1);

    ReadFields(&r);
    r.nominalDiameter = Value(MhNominalDiameter) * kMmToM;

    // The collector: at most the type's largest; a larger entry goes back to
    // the diameter the record holds, and the user is told the largest.
    const double dkMm = Value(MhPipeDiameter);
    if (!type || dkMm <= type->maxPipeDiameter) {
        r.pipeDiameter = dkMm * kMmToM;
    } else {
        EndDrag();
        SetText(MhPipeDiameter, Format("%.0f", r.pipeDiameter * 1000.0));
        ShowCollectorMessage(type->maxPipeDiameter);
    }

    ReadSoilName(r, MhSoilName);

    const double candidate = LimitLevel(Value(MhPipeBottom));
    CopyName(r.head.name, Text(MhName));

    // The invert lies at least the type's allowance above the collector plus
    // the collector, and at least the type's least depth, below the ground.
    const double allowance = type ? type->crownAllowance : 0.0;
    const double leastDepth = std::max(allowance + r.pipeDiameter, r.minDepth);
    const double highest = r.groundLevel - leastDepth;
    if (candidate > highest + kInvertTolerance) {
        EndDrag();
        r.pipeBottomLevel = highest;
        SetText(MhPipeBottom, Format("%.2f", highest));
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
    typeSelection = r.typeIndex;
    Select(MhTypeList, typeSelection);
    SetText(MhMadeToOrder, u"");
    ShowFields(&r, FieldSpec::Input, true);
    SetText(MhPipeBottom, Format("%.2f", r.pipeBottomLevel));
    SetText(MhNominalDiameter, Format("%.0f", r.nominalDiameter * 1000.0));
    SetText(MhOuterDiameter, Format("%.3f", r.outerDiameter));
    SetText(MhPipeDiameter, Format("%.0f", r.pipeDiameter * 1000.0));
    SetText(MhSoilName, FromFixed(r.soilName));
    SetChecked(MhReinforced, r.reinforcedVersion == 1);
    SetChecked(MhSandTrap, r.sandTrap == 1);
    Enable(MhSandTrapDepth, false);
    if (r.eccentric == 1) {
        // An eccentric manhole stands on the collector: no sand trap.
        r.sandTrap = 0;
        SetChecked(MhSandTrap, 0);
        Enable(MhSandTrap, false);
        Enable(MhPipeDiameter, false);
        Enable(MhReinforced, true);
    } else {
        Enable(MhPipeDiameter, true);
        Enable(MhSandTrapDepth, r.sandTrap == 1);
        Enable(MhReinforced, false);
        Enable(MhSandTrap, true);
    }
    ShowNumberAndName(MhNumber, MhName, r.head, clearName);
    ShowStoreButtons(MhUpdate, MhProject);
}

void CManholePageModel::ShowResults()
{
    const ManholeRecord& r = Record();
    SetText(MhMadeToOrder, u"");
    if (r.madeToOrder == 1)
        SetText(MhMadeToOrder, hintOnDemand + u" " + hintConfirmation);

    const int colourFields[] = {MhDeadWeight, MhUplift, MhAnchoring, MhBallastHeight};
    if (r.head.resultValid != 1) {
        SetColors(MhConclusion, kFaceColor, kBlackColor);
        for (int id : colourFields)
            SetColors(id, kFaceColor, kBlackColor);
        for (int id : {MhFriction, MhHeight, MhBallastVolume, MhDeadWeight, MhUplift, MhAnchoring,
                       MhBallastHeight, MhTotalHeight, MhConclusion})
            SetText(id, u"-");
        return;
    }

    const auto f2 = [](double v) { return Format("%.2f", v); };
    auto paint = [&](RgbColor text, RgbColor back, bool ballastToo) {
        SetColors(MhConclusion, kFaceColor, text);
        for (int id : colourFields)
            SetColors(id, id == MhBallastHeight && !ballastToo ? kFaceColor : back, kBlackColor);
    };
    auto showPassing = [&] {
        SetText(MhBallastVolume, u"-");
        SetText(MhBallastHeight, u"-");
        SetText(MhAnchoring, u"-");
        SetText(MhHeight, f2(r.height));
        SetText(MhTotalHeight, f2(r.height));
    };
    if (r.eccentric != 1) {
        if (r.ballastHeight > kFailingBallast) {
            paint(kFailedTextColor, kFailedBackColor, true);
            SetText(MhHeight, f2(r.height));
            SetText(MhBallastVolume, f2(r.ballastVolume));
            SetText(MhTotalHeight, f2(r.height + r.ballastHeight));
            SetText(MhBallastHeight, f2(r.ballastHeight));
            SetText(MhAnchoring, f2(r.anchoringForce));
        } else {
            paint(kMetTextColor, kMetBackColor, true);
            showPassing();
        }
    } else if (r.anchoringForce > kFailingAnchoring) {
        paint(kFailedTextColor, kFailedBackColor, false);
        SetText(MhHeight, f2(r.height));
        SetText(MhBallastVolume, u"-");
        SetText(MhTotalHeight, f2(r.height + r.ballastHeight));
        SetText(MhBallastHeight, u"-");
        SetText(MhAnchoring, f2(r.anchoringForce));
    } else {
        paint(kMetTextColor, kMetBackColor, false);
        showPassing();
    }
    SetText(MhDeadWeight, f2(r.deadWeight));
    SetText(MhUplift, f2(r.upliftForce));
    SetText(MhFriction, f2(r.frictionForce));
    SetText(MhConclusion, FromFixed(r.head.conclusion));
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
    typeSelection = selection;
    Select(MhTypeList, selection);
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
    SetChecked(MhSandTrap, 0);
    SetChecked(MhReinforced, r.reinforcedVersion == 1);
    SetText(MhNominalDiameter, Format("%.0f", r.nominalDiameter * 1000.0));
    SetText(MhOuterDiameter, Format("%.3f", r.outerDiameter));
    SetText(MhSandTrapDepth, Format("%.0f", r.sandTrapDepth));

    if (r.eccentric != 1) {
        Enable(MhPipeDiameter, true);
        Enable(MhReinforced, false);
        Enable(MhSandTrap, true);
        if (Value(MhPipeDiameter) > t.maxPipeDiameter) {
            EndDrag();
            r.pipeDiameter = t.maxPipeDiameter * kMmToM;
            SetText(MhPipeDiameter, Format("%.0f", t.maxPipeDiameter));
            ShowCollectorMessage(t.maxPipeDiameter);
        }
    } else {
        r.ballastHeight = 0.0;
        r.sandTrap = 0;
        r.pipeDiameter = t.maxPipeDiameter * kMmToM;
        SetText(MhPipeDiameter, Format("%.0f", r.pipeDiameter * 1000.0));
        Enable(MhPipeDiameter, false);
        Enable(MhSandTrap, false);
        Enable(MhSandTrapDepth, false);
        Enable(MhReinforced, true);
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
    Enable(MhReinforced, false);
    Enable(MhSandTrap, false);
    ShowInputs(1);
    ShowResults();
    Recalculate();
}

void CManholePageModel::ResetListsToFirst()
{
    typeSelection = 0;
    OnTypeChanged(0);
}

void CManholePageModel::ResetNumberAndName()
{
    SetText(MhNumber, u"-");
    SetText(MhName, u"-");
}
