// The gravity-flow page (kind 4) without its widgets: the inputs read with
// their limits and the user's roughness, the pipe lists and the candidate
// sizes from the catalogue, the calculation with the page's second run in
// the diameter mode and its three "flow rate too large" verdicts, and the
// texts, enables and colours of every field.
#pragma once

#include "core/pages/PipeListPageModel.h"

struct DiameterCandidate;
struct GravityFlowRecord;

// Control ids of the gravity-flow page.
namespace GravityIds {
enum : int {
    // lists
    CategoryList = 1002,
    TypeList = 1004,
    SizeList = 1006,
    // the sought quantity: radios, by mode; the group is known by its first
    ModeDiameter = 1008,
    ModeSlope = 1032,
    ModeFlow = 1010,
    ModeFilling = 1045,
    ModeGroup = ModeDiameter,
    // inputs
    InnerDiameter = 1011,
    Roughness = 1012,
    Length = 1013,
    Density = 1014,
    StartLevel = 1017,
    Viscosity = 1019,
    SlopeInput = 1020,
    FillingInput = 1021,
    FlowInput = 1022,
    LocalLossShare = 1030,
    Number = 1631,
    Name = 1633,
    // results
    NominalSize = 1058,
    Slope = 1060,
    Flow = 1062,
    Filling = 1064,
    Velocity = 1066,
    Reynolds = 1069,
    FrictionFactor = 1071,
    TotalLoss = 1073,
    FrictionLoss = 1075,
    LocalLoss = 1077,
    EndLevel = 1079,
    MinSlopeSanitary = 1043,
    MinSlopeStorm = 1056,
    OpFilling = 1038,
    OpVelocity = 1054,
    OpFlow = 1057,
    Conclusion = 1476,
    Warning = 1478,
    Hint = 1597,
    // buttons, picture
    RoughnessButton = 1040,
    FluidButton = 1051,
    FlowUnitsButton = 1053,
    AddButton = 1557,
    UpdateButton = 1558,
    ProjectButton = 1607,
    Picture = 1445,
    // groups
    DataGroup = 1410,
    ObjectGroup = 1412,
    PipeGroup = 1413,
    FluidGroup = 1428,
    MinSlopeGroup = 1439,
    DiagramGroup = 1444,
    ResultsGroup = 1452,
    // groups of rows with no box of their own
    SoughtRows = -1,
    ResultRows = -2,
    EntryRows = -3,
    // labels
    CategoryLabel = 1414,
    TypeLabel = 1415,
    SizeLabel = 1416,
    SizeUnit = 1417,
    InnerDiameterLabel = 1418,
    RoughnessLabel = 1420,
    LengthLabel = 1422,
    StartLevelLabel = 1424,
    ShareLabel = 1426,
    DensityLabel = 1429,
    ViscosityLabel = 1431,
    SlopeInputLabel = 1433,
    FillingInputLabel = 1435,
    FlowInputLabel = 1437,
    SanitaryLabel = 1440,
    StormLabel = 1442,
    OpFillingLabel = 1446,
    OpVelocityLabel = 1448,
    OpFlowLabel = 1450,
    NominalSizeLabel = 1453,
    SlopeLabel = 1455,
    FlowLabel = 1457,
    FillingLabel = 1459,
    VelocityLabel = 1461,
    ReynoldsLabel = 1463,
    FrictionFactorLabel = 1465,
    TotalLossLabel = 1467,
    FrictionLossLabel = 1469,
    LocalLossLabel = 1471,
    EndLevelLabel = 1473,
    ConclusionLabel = 1475,
    NumberLabel = 1630,
    NameLabel = 1632,
};
// By mode (0 diameter, 1 slope, 2 flow, 3 filling): the radio, and the
// label and field of the sought quantity.
constexpr int kModeRadios[4] = {ModeDiameter, ModeSlope, ModeFlow, ModeFilling};
constexpr int kSoughtLabels[4] = {NominalSizeLabel, SlopeLabel, FlowLabel, FillingLabel};
constexpr int kSoughtFields[4] = {NominalSize, Slope, Flow, Filling};
}  // namespace GravityIds

class CGravityFlowPageModel : public CPipeListPageModel {
public:
    explicit CGravityFlowPageModel(CDalvorApp& app);

    GravityFlowRecord& Record() const;
    std::span<const FieldSpec> Fields() const override;

    void ReadInputs() override;
    void ShowInputs(int resetNumber) override;
    void ShowResults() override;
    void Recalculate() override;
    void OnChoiceClicked(int group, int index) override;

    // The sought quantity's radio was clicked: the inputs are read in the
    // new mode, which then shows its fields and highlight, and worked out.
    void OnTarget(int mode);

    // The mode shown: the record's, or 0 when it is none of the four.
    int ShownMode() const;
    // Every recalculation, whatever started it.
    int Recalculations() const { return recalculations; }

    // The operating point the diagram shows (filling h/D, velocity in m/s,
    // flow in m3/s), set from the results by each recalculation.
    double opFilling = 0.0;
    double opVelocity = 0.0;
    double opFlow = 0.0;

    // Limits of the inputs.
    static constexpr double kMinDensity = 1.0;
    static constexpr double kMaxDensity = 10000.0;
    static constexpr double kMinViscosity = 1e-8f;
    static constexpr double kMaxViscosity = 1e-4f;
    static constexpr double kMinLength = 1.0;
    static constexpr double kMinShare = 0.0;
    static constexpr double kMinSlope = 0.01f;
    static constexpr double kMaxSlope = 999.0;
    static constexpr double kMinFilling = 0.01f;
    static constexpr double kMaxFilling = 0.996f;
    static constexpr double kMinFlow = 0.001f;
    // The filling mode's flow may differ from the design flow by this share.
    static constexpr double kFlowTolerance = 0.1f;
    // A slope below this shows as " < 0.01".
    static constexpr double kSlopeShownAtLeast = 0.01f;
    // The largest slope (per mille) the slope mode accepts.
    static constexpr double kMaxSlopeFound = 100.0;

    static constexpr int kTextFlowTooLarge = 20261;

private:
    void TakeSize(const DiameterCandidate& size) override;
    void ApplyModeStates(int mode);
    RecordPipe Pipe() const override;

    int recalculations = 0;
};
