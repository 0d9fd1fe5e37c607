// The tank page without its window: the lists of ring-stiffness classes and
// tank products built from the tank-type table, the level checks
// with the minimum cover, the reading rules and clamps, the uplift check and
// the anchoring with the list of anchor counts that fit the tank, and what
// each field shows with its verdict colours.
#pragma once

#include "core/pages/UpliftPageModel.h"

#include <string>
#include <vector>

// Control ids of the tank page, shared by the window and its tests.
namespace TankIds {
enum : int {
    ModeVolume = 1003,
    ModeLength = 1005,
    Capacity = 1007,
    Length = 1009,
    SlabWidth = 1027,
    SlabHeight = 1028,
    AnchorList = 1029,
    SoilWeight = 1034,
    TypeList = 1061,
    StiffnessList = 1062,
    CapacityLabel = 1065,
    LengthLabel = 1068,
    OuterDiameter = 1074,
    InnerDiameter = 1080,
    OwnWeight = 1083,
    GroundLevel = 1086,
    WaterLevel = 1089,
    FoundationLevel = 1092,
    CoverDepth = 1095,
    Picture = 1097,
    SoilButton = 1099,
    SoilName = 1100,
    UnitWeight = 1102,
    Porosity = 1105,
    FrictionAngle = 1108,
    Cohesion = 1111,
    Uplift = 1121,
    MinSlabLength = 1126,
    SlabLength = 1129,
    SlabWeight = 1132,
    SlabVolume = 1135,
    Anchoring = 1138,
    TieForce = 1141,
    TieAngle = 1144,
    Conclusion = 1147,
    AddButton = 1553,
    UpdateButton = 1554,
    Note = 1596,
    ProjectButton = 1609,
    Number = 1618,
    Name = 1619,
    TankBottom = 1634,
    ActiveCapacity = 1638,
    FillLevel = 1642,
    // Rows laid out apart from the data group: soil and anchoring.
    SoilRows = -1,
};
}  // namespace TankIds

// One ring-stiffness class of the stiffness list: a run of neighbouring tank
// types with the same SN and catalogue code.
struct StiffnessEntry {
    int index = 0;
    double stiffness = 0.0;
    int code = 0;
    std::u16string text;  // "SN%.0f"
};

// One tank type as the product list knows it (an item of the list has the
// entry's index as its row).
struct TankEntry {
    int index = 0;
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
    // The SN list shows "all", then each class; the product list the tank
    // types of the SN chosen, each item's row being its type's; the anchor
    // list the counts offered, each item's id being its count.
    const std::vector<StiffnessEntry>& StiffnessEntries() const { return stiffnessEntries; }
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
    // The product list for an SN (0: all); the caller selects its item.
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
    // The radios of the fixed parameter are the choice of group TankIds::ModeVolume.
    void OnChoiceClicked(int group, int index) override;
    std::span<const FieldSpec> Fields() const override;
    // The import chose a product by the source's inner diameter and SN; a
    // product that is not in the catalogue leaves the record as it is.
    bool SelectImportedProduct(double innerDiameter, double stiffness);

    // The anchor counts the list offers for the record (from its smallest to
    // its largest count, those whose anchors reach along the tank).
    std::vector<int> AnchorCounts() const;

private:
    void SetModeLook(int mode);
    void FillAnchorList(const std::vector<int>& counts, int selected);
    void SelectAnchorItem(int count);
    // The product list's item of a tank type, or -1.
    int TypeItemOf(int row) const;
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
    bool reloadPending = false;
};
