#include "core/pages/PressureFlowPageModel.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "core/base/Text.h"
#include "core/calc/CandidateSize.h"

#include <algorithm>
#include <cmath>
#include <iterator>

using namespace PressureIds;
using namespace FieldFlags;
using M = CPressureFlowPageModel;
using R = PressureFlowRecord;

namespace {

constexpr double kNone = FieldSpec::kNone;

// The page's fields, in the order they are read and laid out.
const FieldSpec kFields[] = {
    // id, caption, unit, "?", group, record member, format, low, high, flags
    {CategoryList, CategoryLabel, 0, 0, PipeGroup, KIT_NO_FIELD, nullptr, kNone, kNone,
     FieldSpec::Combo | FieldSpec::Wide | Hook},
    {TypeList, TypeLabel, 0, 0, PipeGroup, KIT_NO_FIELD, nullptr, kNone, kNone, FieldSpec::Combo | FieldSpec::Wide | Hook},
    {SizeList, SizeLabel, 1325, 0, PipeGroup, KIT_NO_FIELD, nullptr, kNone, kNone, FieldSpec::Combo | Hook},
    {InnerDiameter, InnerDiameterLabel, 1328, 0, PipeGroup, KIT_FIELD(R, innerDiameter), "%.1f", kNone, kNone, In},
    {Roughness, RoughnessLabel, 1331, RoughnessButton, PipeGroup, KIT_FIELD(R, roughness), "%.3f", M::kMinRoughness,
     kNone, In | Hook},
    {Length, LengthLabel, 1335, 0, PipeGroup, KIT_FIELD(R, length), "%.2f", M::kMinLength, kLongestLength, In},
    // beside the two local-loss radios
    {LossCoefficient, 0, 1336, LocalLossButton, LossRows, KIT_FIELD(R, lossCoefficient), "%.2f", 0.0, kNone, In},
    {LossShare, 0, 1337, 0, LossRows, KIT_FIELD(R, localLossShare), "%.0f", M::kMinShare, kNone, In},
    {StartLevel, StartLevelLabel, 1340, 0, LevelRows, KIT_FIELD(R, startLevel), "%.2f", kLowestLevel, kHighestLevel,
     In},
    {EndLevel, EndLevelLabel, 1343, 0, LevelRows, KIT_FIELD(R, endLevel), "%.2f", kLowestLevel, kHighestLevel, In},
    {Density, DensityLabel, 1347, 0, FluidGroup, KIT_FIELD(R, density), "%.1f", M::kMinDensity, M::kMaxDensity, In},
    {Viscosity, ViscosityLabel, 1350, FluidButton, FluidGroup, KIT_FIELD(R, viscosity), "%4.2e", M::kMinViscosity,
     M::kMaxViscosity, In},
    {HeadLossInput, HeadLossInputLabel, 1354, LossCalcButton, DesignRows, KIT_FIELD(R, headLossInput), "%.2f",
     M::kMinHeadLoss, kNone, In},
    {FlowInput, FlowInputLabel, 1357, FlowUnitsButton, DesignRows, KIT_FIELD(R, flowInput), "%.3f", M::kMinFlow,
     kNone, In},
    {VelocityInput, VelocityInputLabel, 1361, 0, DesignRows, KIT_FIELD(R, velocityInput), "%.2f", M::kMinVelocity,
     kNone, In},
    // results
    {NominalSize, NominalSizeLabel, 1380, 0, ResultRows, KIT_FIELD(R, nominalSize), "%.0f", kNone, kNone,
     Out | FieldSpec::Always},
    {Flow, FlowLabel, 1383, 0, ResultRows, KIT_FIELD(R, flow), "%.3f", kNone, kNone, Out},
    {Velocity, VelocityLabel, 1386, 0, ResultRows, KIT_FIELD(R, velocity), "%.2f", kNone, kNone, Out},
    {Reynolds, ReynoldsLabel, 1389, 0, ResultRows, KIT_FIELD(R, reynolds), "%5.2e", kNone, kNone, Out},
    {FrictionFactor, FrictionFactorLabel, 1392, 0, ResultRows, KIT_FIELD(R, frictionFactor), "%5.2e", kNone, kNone,
     Out},
    {HeadLoss, HeadLossLabel, 1395, 0, ResultRows, KIT_FIELD(R, headLoss), "%.2f", kNone, kNone, Out},
    {FrictionLoss, FrictionLossLabel, 1398, 0, ResultRows, KIT_FIELD(R, frictionLossHead), "%.2f", kNone, kNone, Out},
    {LocalLoss, LocalLossLabel, 1401, 0, ResultRows, KIT_FIELD(R, localLossHead), "%.2f", kNone, kNone, Out},
    {Gradient, GradientLabel, 1404, 0, ResultRows, KIT_FIELD(R, energyGradient), "%.2f", kNone, kNone, Out},
    {HeadDifference, HeadDifferenceLabel, 1407, 0, ResultRows, KIT_FIELD(R, energyHeadDifference), "%.2f", kNone,
     kNone, Out},
    // the diagram's operating point
    {PointHead, PointHeadLabel, 1365, 0, DiagramGroup, KIT_NO_FIELD, "%.2f", kNone, kNone, Out | Hook},
    {PointGradient, PointGradientLabel, 1367, 0, DiagramGroup, KIT_NO_FIELD, "%.2f", kNone, kNone, Out | Hook},
    {PointVelocity, PointVelocityLabel, 1370, 0, DiagramGroup, KIT_NO_FIELD, "%.2f", kNone, kNone, Out | Hook},
    {PointFlow, PointFlowLabel, 1373, 0, DiagramGroup, KIT_NO_FIELD, "%.3f", kNone, kNone, Out | Hook},
    {PointHeadDifference, PointHeadDifferenceLabel, 1376, 0, DiagramGroup, KIT_NO_FIELD, "%.2f", kNone, kNone,
     Out | Hook},
    // number and name
    {Number, NumberLabel, 0, 0, EntryRows, KIT_NO_FIELD, nullptr, kNone, kNone,
     FieldSpec::ReadOnly | FieldSpec::NoUnit | Hook},
    {Name, NameLabel, 0, 0, EntryRows, KIT_NO_FIELD, nullptr, kNone, kNone, FieldSpec::Wide | FieldSpec::NoUnit | Hook},
};

// What each sought quantity leaves open: the design head loss, velocity and
// flow, the size list, and the "?" of the loss calculator and flow units
// (the inner diameter never).
struct ModeStates {
    bool headLoss, velocity, flow, size, lossCalc, flowUnits;
};
constexpr ModeStates kModeStates[3] = {
    {false, true, true, false, false, true},  // diameter sought
    {false, false, true, true, false, true},  // energy losses sought
    {true, false, false, true, true, false},  // flow sought
};

constexpr int kMaxCandidates = static_cast<int>(std::size(PressureFlowRecord{}.candidates));
constexpr int kTextUnits = 127;

}  // namespace

CPressureFlowPageModel::CPressureFlowPageModel(CDalvorApp& a)
    : CPipeListPageModel(a, KindPressureFlow, CCatalogPicker::kPressure,
                         {CategoryList, TypeList, SizeList, Number, Name, Hint, Roughness, InnerDiameter},
                         // The nominal size shows with the results; a size
                         // taken brings its nominal pressure; the diameter
                         // mode's own run takes the size it chose through the
                         // size handler and then calculates again itself.
                         {0, true, true, false})
{
}

PressureFlowRecord& CPressureFlowPageModel::Record() const
{
    return app.working.pressureFlow;
}

CPipeListPageModel::RecordPipe CPressureFlowPageModel::Pipe() const
{
    PressureFlowRecord& r = Record();
    return {r.categoryId, r.typeId, r.userRoughness, r.madeToOrder, r.roughness, r.viscosity,
            r.flowInput, &r, r.candidates, r.candidateCount, r.nominalSize, r.mode};
}

std::span<const FieldSpec> CPressureFlowPageModel::Fields() const
{
    return kFields;
}

int CPressureFlowPageModel::ShownMode() const
{
    const int m = Record().mode;
    return m >= 0 && m < 3 ? m : 0;
}

// ---- lists ---------------------------------------------------------------------

void CPressureFlowPageModel::FillLists()
{
    PressureFlowRecord& r = Record();
    const bool named = r.categoryId >= 0 && r.typeId >= 0;
    const SizeFill sizes = FillPipeLists();
    // A stored pipe that the catalogue no longer lists stays as it was, with
    // no result until the user chooses a pipe (the diameter mode chooses a
    // listed size itself).
    const bool listed = picker.ChosenCategory() == r.categoryId && picker.ChosenType(r.categoryId) == r.typeId;
    const bool sized = sizes == SizeFill::Taken || (sizes == SizeFill::Unlisted && r.mode == 0);
    pipeMissing = named && (!sized || !listed);
}

// ---- handlers ------------------------------------------------------------------

void CPressureFlowPageModel::OnChoiceClicked(int group, int index)
{
    if (group == ModeGroup)
        OnTarget(index);
    else if (group == LossGroup && index == 0)
        OnLocalLossCoefficient();
    else if (group == LossGroup && index == 1)
        OnLocalLossShare();
    else if (group == ChartGroup)
        OnChart(index);
}

void CPressureFlowPageModel::PipeChosen()
{
    // A pipe the user chose is in the catalogue.
    pipeMissing = false;
}

void CPressureFlowPageModel::TakeSize(const DiameterCandidate& size)
{
    PressureFlowRecord& r = Record();
    TakeCandidateSize(r, size);
    r.nominalPressure = size.ratingValue;
    r.madeToOrder = size.madeToOrder;
}

void CPressureFlowPageModel::OnTarget(int mode)
{
    // The radio is checked already; the inputs are read with it.
    if (mode >= 0 && mode < 3)
        SetChoice(ModeGroup, mode);
    ReadInputs();
    Recalculate();
}

void CPressureFlowPageModel::OnLocalLossCoefficient()
{
    PressureFlowRecord& r = Record();
    r.localLossMode = 0;
    r.localLossShare = 0.0;
    ShowInputs(0);
    Recalculate();
}

void CPressureFlowPageModel::OnLocalLossShare()
{
    PressureFlowRecord& r = Record();
    r.localLossMode = 1;
    r.otherLossCoefficient = 0.0;
    r.lossCoefficient = 0.0;
    std::fill(std::begin(r.bendCounts), std::end(r.bendCounts), 0);
    r.localLossShare = kStartShare;
    ShowInputs(0);
    Recalculate();
}

void CPressureFlowPageModel::OnChart(int chart)
{
    SetChoice(ChartGroup, chart == 1 ? 1 : 0);
}

void CPressureFlowPageModel::SetHeadLossInput(double headLoss)
{
    Record().headLossInput = headLoss;
    ShowInputs(0);
    Recalculate();
}

void CPressureFlowPageModel::SetLocalLosses(const int counts[4], double otherLosses, double total)
{
    PressureFlowRecord& r = Record();
    std::copy(counts, counts + 4, r.bendCounts);
    r.otherLossCoefficient = otherLosses;
    r.lossCoefficient = total;
    ShowInputs(0);
    Recalculate();
}

// ---- inputs, calculation, results ----------------------------------------------

void CPressureFlowPageModel::ReadInputs()
{
    PressureFlowRecord& r = Record();
    const int checked = Choice(ModeGroup);
    if (checked >= 0 && checked < 3)
        r.mode = checked;
    ReadFields(&r);
    ReadRoughness();
    CopyName(r.head.name, Text(Name));
    ShowInputs(0);
}

void CPressureFlowPageModel::ShowInputs(int resetNumber)
{
    PressureFlowRecord& r = Record();
    SetText(Hint, u"");
    const int mode = ShownMode();
    SetChoice(ModeGroup, mode);
    const bool byCoefficient = r.localLossMode != 1;
    SetChoice(LossGroup, byCoefficient ? 0 : 1);
    ShowFields(&r, FieldSpec::Input, true);
    ShowField(&r, Roughness);

    for (std::size_t m = 0; m < std::size(kSoughtLabels); ++m) {
        SetBackground(kSoughtLabels[m], kFaceColor);
        SetBackground(kSoughtFields[m], kFaceColor);
    }
    SetBackground(Conclusion, kFaceColor);
    SetBackground(Warning, kFaceColor);

    ShowNumberAndName(Number, Name, r.head, resetNumber);
    ShowStoreButtons(UpdateButton, ProjectButton);
    Enable(LossCoefficient, byCoefficient);
    Enable(LocalLossButton, byCoefficient);
    Enable(LossShare, !byCoefficient);
    ApplyModeStates(mode);
}

void CPressureFlowPageModel::ApplyModeStates(int mode)
{
    const ModeStates& s = kModeStates[mode];
    Enable(HeadLossInput, s.headLoss);
    Enable(VelocityInput, s.velocity);
    Enable(FlowInput, s.flow);
    Enable(SizeList, s.size);
    Enable(InnerDiameter, false);
    Enable(LossCalcButton, s.lossCalc);
    Enable(FlowUnitsButton, s.flowUnits);
    SetBackground(kSoughtLabels[mode], kSoughtColor);
    SetBackground(kSoughtFields[mode], kSoughtColor);
}

void CPressureFlowPageModel::Recalculate()
{
    ++recalculations;
    PressureFlowRecord& r = Record();
    ReadInputs();
    app.CalcPressureFlow();
    if (r.mode == 0) {
        const int count = std::clamp(r.candidateCount, 0, kMaxCandidates);
        const int listed = static_cast<int>(List(SizeList).items.size());
        if (r.chosenCandidate >= 0 && r.chosenCandidate < count && r.chosenCandidate < listed) {
            // The list follows the size chosen, whose roughness and nominal
            // pressure the second run works with.
            Select(SizeList, r.chosenCandidate);
            OnSelchangeDiameter();
            app.CalcPressureFlow();
        } else {
            r.head.resultValid = 0;
            if (r.chosenCandidate >= 0) {
                // Candidates that are not the listed sizes: none is taken up.
                CopyBounded(r.head.conclusion, app.LoadLangString(kTextFlowTooLarge), kTextUnits);
                CopyBounded(r.head.warning, u"");
            }
        }
    }
    if (pipeMissing) {
        r.head.resultValid = 0;
        CopyBounded(r.head.conclusion, u"");
        CopyBounded(r.head.warning, u"");
    }
    op.head = r.headLoss;
    op.gradient = r.energyGradient;
    op.velocity = r.velocity;
    op.flow = r.flow;
    op.headDifference = r.energyHeadDifference;
    ShowResults();
}

void CPressureFlowPageModel::ShowResults()
{
    const PressureFlowRecord& r = Record();
    SetTextColor(Conclusion, kBlackColor);
    SetTextColor(Warning, kBlackColor);
    ShowHint();
    const bool valid = r.head.resultValid == 1;
    ShowFields(&r, FieldSpec::Result, valid);
    const auto show = [&](int id, double v, const char* format) { SetText(id, valid ? Format(format, v) : u"-"); };
    show(PointHead, op.head, "%.2f");
    show(PointGradient, op.gradient, "%.2f");
    show(PointVelocity, op.velocity, "%.2f");
    show(PointFlow, op.flow, "%.3f");
    show(PointHeadDifference, op.headDifference, "%.2f");
    if (valid) {
        SetTextColor(Conclusion, kMetTextColor);
        SetTextColor(Warning, kFailedTextColor);
    } else {
        SetTextColor(Conclusion, kFailedTextColor);
    }
    SetText(Conclusion, FromFixed(r.head.conclusion));
    SetText(Warning, FromFixed(r.head.warning));
}
