// The manhole page without its window: the manhole type from the catalogue,
// the reading rules and clamps of the inputs (the collector diameter held to
// the type's largest, the collector invert held below the ground by the
// type's least depth), the uplift check, and what each field shows with its
// verdict colours.
#pragma once

#include "core/pages/UpliftPageModel.h"

#include <string>
#include <vector>

// Control ids of the manhole page, shared by the window and its tests.
namespace ManholeIds {
enum : int {
    DataGroup = 1148,
    Picture = 1149,
    TypeList = 1151,
    NominalDiameter = 1153,  // Dns, mm, read-only
    PipeDiameter = 1156,     // Dk, mm
    OuterDiameter = 1159,    // De, m, hidden
    GroundLevel = 1162,
    WaterLevel = 1165,
    PipeBottom = 1168,
    SoilButton = 1171,
    SoilName = 1172,
    UnitWeight = 1174,
    Porosity = 1177,
    FrictionAngle = 1180,
    Cohesion = 1183,
    ResultGroup = 1185,
    Height = 1187,
    DeadWeight = 1190,
    Friction = 1193,
    Uplift = 1196,
    Anchoring = 1199,
    TotalHeight = 1202,
    BallastHeight = 1205,
    BallastVolume = 1208,
    Conclusion = 1211,
    AddButton = 1555,
    UpdateButton = 1556,
    MadeToOrder = 1595,
    Reinforced = 1600,
    ProjectButton = 1610,
    Name = 1623,
    Number = 1629,
    SandTrap = 1645,
    SandTrapDepth = 1647,
    // Rows laid out apart from the data group's first rows.
    SandTrapRows = -1,
    SoilRows = -2,
};
}  // namespace ManholeIds

class CManholePageModel : public CUpliftPageModel {
public:
    explicit CManholePageModel(CDalvorApp& app);

    ManholeRecord& Record() const;

    // The manhole types' names in table order (the type list).
    std::vector<std::u16string> TypeNames() const;

    // The type list from the catalogue, at the record's type.
    void FillLists() override;
    // The type names follow a catalogue loaded again.
    bool ReferenceReloaded() override
    {
        FillLists();
        return false;
    }
    void OnListChosen(int id, int index) override;
    void OnChoiceClicked(int id, int state) override;
    std::span<const FieldSpec> Fields() const override;
    // Reads every input into the record with its rules and clamps; a
    // collector diameter above the type's largest asks for a message.
    void ReadInputs() override;
    // Shows the record's inputs; clearName shows "-" as number and name.
    void ShowInputs(int clearName) override;
    void ShowResults() override;
    // Reads, calculates and shows.
    void Recalculate() override;
    // The user chose a type in the list.
    void OnTypeChanged(int selection);
    // The sand-trap or strengthened-joints option was clicked.
    void OnOptionChanged();
    // The page's first showing: inputs with "-" as number and name, results,
    // then a full recalculation.
    void OnInitDialog();
    // The page is shown with no stored manhole: the first type.
    void ResetListsToFirst() override;
    // "-" as number and name.
    void ResetNumberAndName() override;
    // Loads the hint texts of the language.
    void ApplyLanguage(int offset) override;

    // The type the record names, or nullptr when its index is not in the
    // catalogue.
    const ManholeTypeEntry* Type() const;

private:
    void ShowCollectorMessage(double largestMm);
    std::u16string hintOnDemand;
    std::u16string hintConfirmation;
};
