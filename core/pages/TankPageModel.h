// The tank page without its window: the page's own lists of ring-stiffness
// classes and tank products built from the tank-type table, the level checks
// with the minimum cover, the reading rules and clamps, the uplift check and
// the anchoring with the list of anchor counts that fit the tank, and what
// each field shows with its verdict colours.
#pragma once

#include "core/pages/UpliftPageModel.h"

#include <string>
#include <vector>

// Control ids of the tank page, shared by the window and its tests.
enum TankControl : int {
    TkModeVolume = 1003,
    TkModeLength = 1005,
    TkCapacity = 1007,
    TkLength = 1009,
    TkSlabWidth = 1027,
    TkSlabHeight = 1028,
    TkAnchorList = 1029,
    TkSoilWeight = 1034,
    TkTypeList = 1061,
    TkStiffnessList = 1062,
    TkCapacityLabel = 1065,
    TkLengthLabel = 1068,
    TkOuterDiameter = 1074,
    TkInnerDiameter = 1080,
    TkOwnWeight = 1083,
    TkGroundLevel = 1086,
    TkWaterLevel = 1089,
    TkFoundationLevel = 1092,
    TkCoverDepth = 1095,
    TkPicture = 1097,
    TkSoilButton = 1099,
    TkSoilName = 1100,
    TkUnitWeight = 1102,
    TkPorosity = 1105,
    TkFrictionAngle = 1108,
    TkCohesion = 1111,
    TkUplift = 1121,
    TkMinSlabLength = 1126,
    TkSlabLength = 1129,
    TkSlabWeight = 1132,
    TkSlabVolume = 1135,
    TkAnchoring = 1138,
    TkTieForce = 1141,
    TkTieAngle = 1144,
    TkConclusion = 1147,
    TkAdd = 1553,
    TkUpdate = 1554,
    TkNote = 1596,
    TkProject = 1609,
    TkNumber = 1618,
    TkName = 1619,
    TkTankBottom = 1634,
    TkActiveCapacity = 1638,
    TkFillLevel = 1642,
    // Rows laid out apart from the data group: soil and anchoring.
    TkSoilRows = -1,
};

// One ring-stiffness class of the stiffness list: a run of neighbouring tank
// types with the same SN and catalogue code.
struct StiffnessEntry {
    int index = 0;
    double stiffness = 0.0;
    int code = 0;
    std::u16string text;  // "SN%.0f"
};

// One tank type as the product list knows it.
struct TankEntry {
    int index = 0;
    int comboIndex = -1;  // its item in the product list as last filled; -1 not listed
    double stiffness = 0.0;
    double innerDiameter = 0.0;  // mm
    int code = 0;
    std::u16string name;
};

class CTankPageModel : public CUpliftPageModel {
public:
    explicit CTankPageModel(CDalvorApp& app);

    TankRecord& Record() const;

    // ---- the page's lists -------------------------------------------------
    const std::vector<StiffnessEntry>& StiffnessEntries() const { return stiffnessEntries; }
    // Items and selections of the three lists.
    std::vector<std::u16string> stiffnessItems;  // "all", then each class
    int stiffnessSelection = 0;
    std::vector<std::u16string> typeItems;
    int typeSelection = 0;
    std::vector<int> anchorItems;
    int anchorSelection = 0;
    // The SN the product list is filtered by (0: all).
    double chosenStiffness = 0.0;
    // Set from the page's first showing on; cleared while a stored tank is
    // being loaded back, when the fill level is taken as stored.
    bool reloadFlag = false;

    // Builds both lists from the tank-type table as it stands.
    void BuildLocalLists();
    // Rebuilds the lists when the tank-type table is no longer the one they
    // were built from (another language's catalogue); true when it did.
    bool SyncCatalogue();
    void FillTypeList(double stiffness);
    void FillStiffnessList();
    // Index of the last tank type of that inner diameter (mm) and SN, or -1.
    int FindTableRow(double innerDiameter, double stiffness) const;

    // ---- the page's operations --------------------------------------------
    void ReadInputs() override;
    // Reads the inputs and holds the levels to the rules: the water table at
    // most the ground, the tank lowered until its cover is 1.1 Dz, the fill
    // level within the tank. True when the tank was lowered (the user is
    // then told).
    bool ValidateLevels();
    void Recalculate() override;
    // 1 shows "-" as number and name, and the record's name becomes "-".
    void ShowInputs(int asNew) override;
    void ShowResults() override;
    void OnSelectionMode(int mode);
    void OnProductChanged();
    void OnSelchangeStiffness(int selection);
    void OnSelchangeAnchorCount(int selection);
    void OnInitDialog();
    // Shown with no stored tank: the first product and "all".
    void ResetListsToFirst() override;
    void ResetNumberAndName() override;
    // A stored tank is shown again: the lists show its type without any
    // handler running, and the next recalculation takes its fill level as
    // stored.
    void ShowStoredType();
    // The lists show the working record's type (after the project manager,
    // and before the recalculation tool runs a stored tank).
    void FillLists() override;
    // Relabels what the language gives: the SN list goes back to "all", the
    // product list keeps its filter.
    void ApplyLanguage(int offset) override;
    bool ReferenceReloaded() override;
    void OnListChosen(int id, int index) override;
    // The radios of the fixed parameter are the choice of group TkModeVolume.
    void OnChoiceClicked(int group, int index) override;
    std::span<const FieldSpec> Fields() const override;
    // The import chose a product by the source's inner diameter and SN; a
    // product that is not in the catalogue leaves the record as it is.
    bool SelectImportedProduct(double innerDiameter, double stiffness);

    // The anchor counts the list offers for the record (from its smallest to
    // its largest count, those whose anchors reach along the tank).
    std::vector<int> AnchorCounts() const;

private:
    // The three lists to the kit's lists the window shows.
    void PublishLists();
    void ShowResultFields();
    void SetModeLook(int mode);
    void SelectAnchorItem(int count);
    // Whether the tank-type table still has the rows the lists were built
    // from: the name, SN and inner diameter of each row.
    bool SameCatalogue() const;
    struct CatalogueRow {
        std::u16string name;
        double stiffness = 0.0;
        double innerDiameter = 0.0;
    };
    std::vector<StiffnessEntry> stiffnessEntries;
    std::vector<TankEntry> tankEntries;
    std::vector<CatalogueRow> catalogueRows;
    // The anchor counts' texts, formatted when the counts offered change.
    std::vector<int> anchorTextCounts;
    std::vector<std::u16string> anchorTexts;
    bool reloadPending = false;
};
