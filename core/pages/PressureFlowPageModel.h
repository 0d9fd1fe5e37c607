// The pressure-flow page (kind 5) without its widgets: the inputs read with
// their limits and the user's roughness, the pipe lists and the candidate
// sizes from the catalogue, local losses as coefficients or as a share, the
// calculation with the diameter mode's second run through the size handler,
// the operating point of the diagram, and the texts, enables and colours of
// every field.
#pragma once

#include "core/pages/PipeListPageModel.h"

struct DiameterCandidate;
struct PressureFlowRecord;

// Control ids of the pressure-flow page.
namespace PressureIds {
enum : int {
    // lists
    CategoryList = 1320,
    TypeList = 1322,
    SizeList = 1324,
    // the sought quantity: radios, by mode; a group is known by its first
    ModeDiameter = 1315,
    ModeLosses = 1317,
    ModeFlow = 1316,
    ModeGroup = ModeDiameter,
    // local losses as coefficients or as a share of the friction loss
    LossByCoefficient = 1047,
    LossByShare = 1048,
    LossGroup = LossByCoefficient,
    // the chart of the picture: characteristic or pressure range
    ChartCharacteristic = 1024,
    ChartPressureRange = 1026,
    ChartGroup = ChartCharacteristic,
    // inputs
    InnerDiameter = 1327,
    Roughness = 1330,
    Length = 1334,
    LossCoefficient = 1015,
    LossShare = 1016,
    StartLevel = 1339,
    EndLevel = 1342,
    Density = 1346,
    Viscosity = 1349,
    HeadLossInput = 1353,
    FlowInput = 1356,
    VelocityInput = 1360,
    Number = 1622,
    Name = 1623,
    // results
    NominalSize = 1379,
    Flow = 1382,
    Velocity = 1385,
    Reynolds = 1388,
    FrictionFactor = 1391,
    HeadLoss = 1394,
    FrictionLoss = 1397,
    LocalLoss = 1400,
    Gradient = 1403,
    HeadDifference = 1406,
    // the diagram's operating point
    PointHead = 1036,
    PointGradient = 1037,
    PointVelocity = 1369,
    PointFlow = 1372,
    PointHeadDifference = 1375,
    Conclusion = 1409,
    Warning = 1411,
    Hint = 1599,
    // buttons, picture
    RoughnessButton = 1332,  // carries the bitmap, has no command
    FluidButton = 1351,
    LossCalcButton = 1055,
    FlowUnitsButton = 1358,
    LocalLossButton = 1042,
    AddButton = 1561,
    UpdateButton = 1562,
    ProjectButton = 1608,
    Picture = 1363,
    // groups
    DataGroup = 1312,
    ObjectGroup = 1314,
    PipeGroup = 1318,
    FluidGroup = 1344,
    DiagramGroup = 1362,
    ResultsGroup = 1377,
    // rows with no box of their own
    DesignRows = -1,
    ResultRows = -2,
    EntryRows = -3,
    LossRows = -4,
    LevelRows = -5,
    // labels
    CategoryLabel = 1319,
    TypeLabel = 1321,
    SizeLabel = 1323,
    InnerDiameterLabel = 1326,
    RoughnessLabel = 1329,
    LengthLabel = 1333,
    StartLevelLabel = 1338,
    EndLevelLabel = 1341,
    DensityLabel = 1345,
    ViscosityLabel = 1348,
    HeadLossInputLabel = 1352,
    FlowInputLabel = 1355,
    VelocityInputLabel = 1359,
    PointHeadLabel = 1364,
    PointGradientLabel = 1366,
    PointVelocityLabel = 1368,
    PointFlowLabel = 1371,
    PointHeadDifferenceLabel = 1374,
    NominalSizeLabel = 1378,
    FlowLabel = 1381,
    VelocityLabel = 1384,
    ReynoldsLabel = 1387,
    FrictionFactorLabel = 1390,
    HeadLossLabel = 1393,
    FrictionLossLabel = 1396,
    LocalLossLabel = 1399,
    GradientLabel = 1402,
    HeadDifferenceLabel = 1405,
    ConclusionLabel = 1408,
    NumberLabel = 1620,
    NameLabel = 1621,
};
// By mode (0 diameter, 1 energy losses, 2 flow): the radio, and the label
// and field of the sought quantity.
constexpr int kModeRadios[3] = {ModeDiameter, ModeLosses, ModeFlow};
constexpr int kSoughtLabels[3] = {NominalSizeLabel, HeadLossLabel, FlowLabel};
constexpr int kSoughtFields[3] = {NominalSize, HeadLoss, Flow};
}  // namespace PressureIds

class CPressureFlowPageModel : public CPipeListPageModel {
public:
    explicit CPressureFlowPageModel(CDalvorApp& app);

    PressureFlowRecord& Record() const;
    std::span<const FieldSpec> Fields() const override;

    void FillLists() override;
    void ReadInputs() override;
    void ShowInputs(int resetNumber) override;
    void ShowResults() override;
    void Recalculate() override;
    void OnChoiceClicked(int group, int index) override;

    // The sought quantity's radio was clicked.
    void OnTarget(int mode);
    // The local-loss radios.
    void OnLocalLossCoefficient();
    void OnLocalLossShare();
    // The chart radios: 0 characteristic, 1 pressure range.
    void OnChart(int chart);
    // After the loss calculator's or the local-loss dialog's OK (the fluid
    // and flow units: SetViscosity, SetFlowInput).
    void SetHeadLossInput(double headLoss);
    void SetLocalLosses(const int counts[4], double otherLosses, double total);

    // The mode shown: the record's, or 0 when it is none of the three.
    int ShownMode() const;
    int ChartChoice() const { return Choice(PressureIds::ChartGroup) == 1 ? 1 : 0; }
    // Every recalculation, whatever started it.
    int Recalculations() const { return recalculations; }

    // The operating point the characteristic shows and drags, set from the
    // results by each recalculation.
    struct OperatingPoint {
        double head = 0.0;            // m
        double gradient = 0.0;        // per mille
        double velocity = 0.0;        // m/s
        double flow = 0.0;            // m3/s
        double headDifference = 0.0;  // m
    } op;

    // Limits of the inputs.
    static constexpr double kMinLength = 1.0;
    static constexpr double kMinShare = 0.0;
    static constexpr double kMinDensity = 1.0;
    static constexpr double kMaxDensity = 10000.0;
    static constexpr double kMinViscosity = 1e-8f;
    static constexpr double kMaxViscosity = 1e-4f;
    static constexpr double kMinHeadLoss = 0.01f;
    static constexpr double kMinFlow = 0.001f;
    static constexpr double kMinVelocity = 0.01f;
    // The share of local losses (%) the share radio starts from.
    static constexpr double kStartShare = 5.0;

    static constexpr int kTextFlowTooLarge = 20255;

private:
    // The stored pipe is not in the catalogue: no result until one is chosen.
    bool pipeMissing = false;
    void TakeSize(const DiameterCandidate& size) override;
    void PipeChosen() override;
    void ApplyModeStates(int mode);
    RecordPipe Pipe() const override;

    int recalculations = 0;
};
