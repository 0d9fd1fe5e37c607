#include "core/pages/GravityFlowPageModel.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "core/base/Text.h"
#include "core/calc/CandidateSize.h"

#include <algorithm>
#include <cmath>
#include <iterator>

using namespace GravityIds;
using namespace FieldFlags;
using M = CGravityFlowPageModel;
using R = GravityFlowRecord;

namespace {

constexpr double kNone = FieldSpec::kNone;

// The page's fields, in the order they are read and laid out.
const FieldSpec kFields[] = {
    // id, caption, unit, "?", group, record member, format, low, high, flags
    {CategoryList, CategoryLabel, 0, 0, PipeGroup, KIT_NO_FIELD, nullptr, kNone, kNone,
     FieldSpec::Combo | FieldSpec::Wide | Hook},
    {TypeList, TypeLabel, 0, 0, PipeGroup, KIT_NO_FIELD, nullptr, kNone, kNone, FieldSpec::Combo | FieldSpec::Wide | Hook},
    {SizeList, SizeLabel, SizeUnit, 0, PipeGroup, KIT_NO_FIELD, nullptr, kNone, kNone, FieldSpec::Combo | Hook},
    {InnerDiameter, InnerDiameterLabel, 1419, 0, PipeGroup, KIT_FIELD(R, innerDiameter), "%.1f", kNone, kNone, In},
    {Roughness, RoughnessLabel, 1421, RoughnessButton, PipeGroup, KIT_FIELD(R, roughness), "%.3f", M::kMinRoughness,
     kNone, In | Hook},
    {Length, LengthLabel, 1423, 0, PipeGroup, KIT_FIELD(R, length), "%.2f", M::kMinLength, kLongestLength, In},
    {StartLevel, StartLevelLabel, 1425, 0, PipeGroup, KIT_FIELD(R, startLevel), "%.2f", kLowestLevel, kHighestLevel,
     In},
    {LocalLossShare, ShareLabel, 1427, 0, PipeGroup, KIT_FIELD(R, localLossShare), "%.0f", M::kMinShare, kNone, In},
    {Density, DensityLabel, 1430, 0, FluidGroup, KIT_FIELD(R, density), "%.1f", M::kMinDensity, M::kMaxDensity, In},
    {Viscosity, ViscosityLabel, 1432, FluidButton, FluidGroup, KIT_FIELD(R, viscosity), "%4.2e", M::kMinViscosity,
     M::kMaxViscosity, In},
    {SlopeInput, SlopeInputLabel, 1434, 0, SoughtRows, KIT_FIELD(R, slopeInput), "%.2f", M::kMinSlope, M::kMaxSlope,
     In},
    {FillingInput, FillingInputLabel, 1436, 0, SoughtRows, KIT_FIELD(R, fillingInput), "%.2f", M::kMinFilling,
     M::kMaxFilling, In},
    {FlowInput, FlowInputLabel, 1438, FlowUnitsButton, SoughtRows, KIT_FIELD(R, flowInput), "%.3f", M::kMinFlow,
     kNone, In},
    // results
    {NominalSize, NominalSizeLabel, 1454, 0, ResultRows, KIT_FIELD(R, nominalSize), "%.0f", kNone, kNone,
     Out | FieldSpec::Always},
    {Slope, SlopeLabel, 1456, 0, ResultRows, KIT_FIELD(R, slope), "%.2f", kNone, kNone, Out | Hook},
    {Flow, FlowLabel, 1458, 0, ResultRows, KIT_FIELD(R, flow), "%.3f", kNone, kNone, Out},
    {Filling, FillingLabel, 1460, 0, ResultRows, KIT_FIELD(R, filling), "%.2f", kNone, kNone, Out},
    {Velocity, VelocityLabel, 1462, 0, ResultRows, KIT_FIELD(R, velocity), "%.2f", kNone, kNone, Out},
    {Reynolds, ReynoldsLabel, 1464, 0, ResultRows, KIT_FIELD(R, reynolds), "%5.2e", kNone, kNone, Out},
    {FrictionFactor, FrictionFactorLabel, 1466, 0, ResultRows, KIT_FIELD(R, frictionFactor), "%5.2e", kNone, kNone,
     Out},
    {TotalLoss, TotalLossLabel, 1468, 0, ResultRows, KIT_NO_FIELD, "%.2f", kNone, kNone, Out | Hook},
    {FrictionLoss, FrictionLossLabel, 1470, 0, ResultRows, KIT_FIELD(R, frictionLossHead), "%.2f", kNone, kNone, Out},
    {LocalLoss, LocalLossLabel, 1472, 0, ResultRows, KIT_FIELD(R, localLossHead), "%.2f", kNone, kNone, Out},
    {EndLevel, EndLevelLabel, 1474, 0, ResultRows, KIT_FIELD(R, endLevel), "%.2f", kNone, kNone, Out},
    // the minimum slopes: read back unlimited, and overwritten by the calculation
    {MinSlopeSanitary, SanitaryLabel, 1441, 0, MinSlopeGroup, KIT_FIELD(R, minSlopeSanitary), "%.2f", kNone, kNone,
     In | Out},
    {MinSlopeStorm, StormLabel, 1443, 0, MinSlopeGroup, KIT_FIELD(R, minSlopeStorm), "%.2f", kNone, kNone, In | Out},
    // the diagram's operating point
    {OpFilling, OpFillingLabel, 1447, 0, DiagramGroup, KIT_NO_FIELD, "%.2f", kNone, kNone, Out | Hook},
    {OpVelocity, OpVelocityLabel, 1449, 0, DiagramGroup, KIT_NO_FIELD, "%.2f", kNone, kNone, Out | Hook},
    {OpFlow, OpFlowLabel, 1451, 0, DiagramGroup, KIT_NO_FIELD, "%.3f", kNone, kNone, Out | Hook},
    // number and name
    {Number, NumberLabel, 0, 0, EntryRows, KIT_NO_FIELD, nullptr, kNone, kNone,
     FieldSpec::ReadOnly | FieldSpec::NoUnit | Hook},
    {Name, NameLabel, 0, 0, EntryRows, KIT_NO_FIELD, nullptr, kNone, kNone, FieldSpec::Wide | FieldSpec::NoUnit | Hook},
};

// Which inputs each mode leaves open: slope, filling, flow, the size list and
// the flow units' "?" (the inner diameter never).
struct ModeStates {
    bool slope, filling, flow, size, flowUnits;
};
constexpr ModeStates kModeStates[4] = {
    {true, true, true, false, true},   // diameter sought
    {false, true, true, true, true},   // slope sought
    {true, true, false, true, false},  // flow sought
    {true, false, true, true, true},   // filling sought
};

constexpr int kMaxCandidates = static_cast<int>(std::size(GravityFlowRecord{}.candidates));
constexpr int kTextUnits = 127;

}  // namespace

CGravityFlowPageModel::CGravityFlowPageModel(CDalvorApp& a)
    : CPipeListPageModel(a, KindGravityFlow, CCatalogPicker::kGravity,
                         {CategoryList, TypeList, SizeList, Number, Name, Hint, Roughness, InnerDiameter},
                         // The candidates keep whatever rating bytes the record
                         // held (the gravity calculation has no rating); a
                         // stored pipe whose type lists no sizes shows its own
                         // bore, so lists made again do not lose it.
                         {NominalSize, false, true, true})
{
}

GravityFlowRecord& CGravityFlowPageModel::Record() const
{
    return app.working.gravityFlow;
}

CPipeListPageModel::RecordPipe CGravityFlowPageModel::Pipe() const
{
    GravityFlowRecord& r = Record();
    return {r.categoryId, r.typeId, r.userRoughness, r.madeToOrder, r.roughness, r.viscosity,
            r.flowInput, &r, r.candidates, r.candidateCount, r.nominalSize, r.mode};
}

std::span<const FieldSpec> CGravityFlowPageModel::Fields() const
{
    return kFields;
}

int CGravityFlowPageModel::ShownMode() const
{
    const int m = Record().mode;
    return m >= 0 && m < 4 ? m : 0;
}

// ---- handlers ------------------------------------------------------------------

void CGravityFlowPageModel::OnChoiceClicked(int group, int index)
{
    if (group == ModeGroup)
        OnTarget(index);
}

void CGravityFlowPageModel::TakeSize(const DiameterCandidate& size)
{
    GravityFlowRecord& r = Record();
    TakeCandidateSize(r, size);
    r.madeToOrder = size.madeToOrder;
}

void CGravityFlowPageModel::OnTarget(int mode)
{
    // The radio is checked already; the inputs are read with it.
    if (mode >= 0 && mode < 4)
        SetChoice(ModeGroup, mode);
    ReadInputs();
    Recalculate();
}

// ---- inputs, calculation, results ----------------------------------------------

void CGravityFlowPageModel::ReadInputs()
{
    GravityFlowRecord& r = Record();
    const int checked = Choice(ModeGroup);
    if (checked >= 0 && checked < 4)
        r.mode = checked;
    ReadFields(&r);
    ReadRoughness();
    CopyName(r.head.name, Text(Name));
    ShowInputs(0);
}

void CGravityFlowPageModel::ShowInputs(int resetNumber)
{
    GravityFlowRecord& r = Record();
    const int mode = ShownMode();
    SetChoice(ModeGroup, mode);
    ShowFields(&r, FieldSpec::Input, true);
    ShowField(&r, Roughness);
    ShowField(&r, NominalSize);

    for (std::size_t m = 0; m < std::size(kSoughtLabels); ++m) {
        SetBackground(kSoughtLabels[m], kFaceColor);
        SetBackground(kSoughtFields[m], kFaceColor);
    }
    SetBackground(Conclusion, kFaceColor);
    SetBackground(Warning, kFaceColor);

    ShowNumberAndName(Number, Name, r.head, resetNumber);
    ApplyModeStates(mode);
}

void CGravityFlowPageModel::ApplyModeStates(int mode)
{
    const ModeStates& s = kModeStates[mode];
    Enable(SlopeInput, s.slope);
    Enable(FillingInput, s.filling);
    Enable(FlowInput, s.flow);
    Enable(SizeList, s.size);
    Enable(InnerDiameter, false);
    Enable(FlowUnitsButton, s.flowUnits);
    SetBackground(kSoughtLabels[mode], kSoughtColor);
    SetBackground(kSoughtFields[mode], kSoughtColor);
}

void CGravityFlowPageModel::Recalculate()
{
    ++recalculations;
    GravityFlowRecord& r = Record();
    ReadInputs();
    app.CalcGravityFlow();

    const auto flowTooLarge = [&] {
        r.head.resultValid = 0;
        CopyBounded(r.head.conclusion, app.LoadLangString(kTextFlowTooLarge), kTextUnits);
    };
    if (r.mode == 0) {
        const int count = std::clamp(r.candidateCount, 0, kMaxCandidates);
        if (count == 0) {
            // No size to choose from: no verdict, the flow is not to blame.
            r.head.resultValid = 0;
            CopyBounded(r.head.conclusion, u"");
            CopyBounded(r.head.warning, u"");
        } else if (r.chosenCandidate < 0 || r.chosenCandidate >= count) {
            flowTooLarge();
        } else {
            // The list follows the size chosen, and the minimum slopes are
            // worked out again for it. Whether the pipe is made to order is
            // the size's own, as for a size picked from the list.
            Select(SizeList, r.chosenCandidate);
            r.madeToOrder = r.candidates[r.chosenCandidate].madeToOrder;
            ShowInputs(0);
            app.CalcGravityFlow();
            if (r.chosenCandidate >= 0 && r.chosenCandidate < count)
                r.madeToOrder = r.candidates[r.chosenCandidate].madeToOrder;
        }
    } else if (r.mode == 3) {
        if (std::fabs(r.flowInput - r.flow) > kFlowTolerance * r.flowInput) {
            flowTooLarge();
            ShowInputs(0);
        }
    } else if (r.mode == 1) {
        if (r.slope > kMaxSlopeFound) {
            flowTooLarge();
            ShowInputs(0);
        }
    }
    opFlow = r.flow;
    opVelocity = r.velocity;
    opFilling = r.filling;
    ShowResults();
}

void CGravityFlowPageModel::ShowResults()
{
    const GravityFlowRecord& r = Record();
    ShowHint();
    const bool valid = r.head.resultValid == 1;
    ShowFields(&r, FieldSpec::Result, valid);
    const auto show = [&](int id, double v, const char* format) { SetText(id, valid ? Format(format, v) : u"-"); };
    if (!valid)
        SetText(Slope, u"-");
    else if (r.slope < kSlopeShownAtLeast)
        SetText(Slope, u" < 0.01");
    else
        SetText(Slope, r.slope, "%.2f");
    show(TotalLoss, r.localLossHead + r.frictionLossHead, "%.2f");
    show(OpFilling, opFilling, "%.2f");
    show(OpVelocity, opVelocity, "%.2f");
    show(OpFlow, opFlow, "%.3f");

    SetTextColor(Warning, kFailedTextColor);
    SetTextColor(Conclusion, valid ? kMetTextColor : kFailedTextColor);
    SetText(Conclusion, FromFixed(r.head.conclusion));
    SetText(Warning, FromFixed(r.head.warning));
}
