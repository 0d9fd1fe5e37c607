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
enum ManholeControl : int {
    MhDataGroup = 1148,
    MhPicture = 1149,
    MhTypeList = 1151,
    MhNominalDiameter = 1153,  // Dns, mm, read-only
    MhPipeDiameter = 1156,     // Dk, mm
    MhOuterDiameter = 1159,    // De, m, hidden
    MhGroundLevel = 1162,
    MhWaterLevel = 1165,
    MhPipeBottom = 1168,
    MhSoilButton = 1171,
    MhSoilName = 1172,
    MhUnitWeight = 1174,
    MhPorosity = 1177,
    MhFrictionAngle = 1180,
    MhCohesion = 1183,
    MhResultGroup = 1185,
    MhHeight = 1187,
    MhDeadWeight = 1190,
    MhFriction = 1193,
    MhUplift = 1196,
    MhAnchoring = 1199,
    MhTotalHeight = 1202,
    MhBallastHeight = 1205,
    MhBallastVolume = 1208,
    MhConclusion = 1211,
    MhAdd = 1555,
    MhUpdate = 1556,
    MhMadeToOrder = 1595,
    MhReinforced = 1600,
    MhProject = 1610,
    MhName = 1623,
    MhNumber = 1629,
    MhSandTrap = 1645,
    MhSandTrapDepth = 1647,
    // Rows laid out apart from the data group's first rows.
    MhSandTrapRows = -1,
    MhSoilRows = -2,
};

class CManholePageModel : public CUpliftPageModel {
public:
    explicit CManholePageModel(CDalvorApp& app);

    ManholeRecord& Record() const;

    // The manhole types' names in table order (the type list).
    std::vector<std::u16string> TypeNames() const;
    // The type list's selection.
    int typeSelection = 0;

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
