// The buried-pipe page without its widgets: the lists the page shows (pipe
// category, type and size from the catalogue, the traffic classes, the
// enlarged deflection limits), the text of every field, the rules that read
// the fields back into the working record, the cover check with its message,
// the handlers' effects, and the verdict colours. The page's widgets copy the
// texts and states in and out around each operation; the test tool runs
// stored records through the same model.
#pragma once

#include "core/catalogue/ReferenceTables.h"
#include "core/pages/CatalogPicker.h"
#include "core/pages/PageModel.h"
#include "core/project/Records.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class CDalvorApp;

// Control ids of the buried-pipe page, shared by the page, its model and the
// tests.
namespace BuriedPipeIds {
enum : int {
    CategoryList = 1214,
    TypeList = 1216,
    SizeList = 1218,
    InnerDiameter = 1220,
    OuterDiameter = 1223,
    RingStiffness = 1226,
    GroundLevel = 1229,
    InvertLevel = 1232,
    Cover = 1235,
    FoundationLevel = 1238,
    WaterLevel = 1241,
    SoilName = 1244,
    CompactionIndex = 1246,
    UnitWeight = 1249,
    Porosity = 1023,
    SecantModulus = 1025,
    InstallationFactor = 1031,
    BeddingFactor = 1033,
    TrafficList = 1035,
    RoadSurface = 1039,
    MultiPipeTrench = 1041,
    HeavyTraffic = 1050,
    HeavyCompaction = 1044,
    Supervision = 1046,
    WorkmanshipNormal = 1261,
    WorkmanshipMeticulous = 1262,
    DeflectionList = 1602,
    DeflectionCaption = 1601,
    DeflectionUnit = 1603,
    Number = 1626,
    Name = 1623,
    SoilButton = 1018,
    Picture = 1255,
    // results
    SoilLoad = 1269,
    TrafficLoad = 1273,
    TotalLoad = 1278,
    AdmissibleLoad = 1052,
    LoadDeflection = 1283,
    InstallationDeflection = 1287,
    TotalDeflection = 1293,
    DeflectionLimit = 1298,
    UpliftForce = 1301,
    AnchoringForce = 1305,
    Conclusion = 1309,
    Reasons = 1313,
    MadeToOrderNote = 1598,
    CoverNote = 1258,
    // groups
    PipeGroup = 1211,
    LevelsGroup = 1212,
    SoilGroup = 1256,
    LoadGroup = 1259,
    ResultsGroup = 1267,
    // the installation and bedding factors and the deflection limit, laid out
    // under the work conditions (a layout group, no control)
    FactorRows = 1,
    ConclusionLabel = 1307,
    // store buttons
    Add = 1559,
    Update = 1560,
    Project = 1606,
};
}

// The first item of a list whose text is text, or begins with it and a blank
// (ASCII letters in either case), or -1.
int FindListedText(const ListState& list, const std::u16string& text);

class CBuriedPipePageModel : public CPageModel {
public:
    explicit CBuriedPipePageModel(CDalvorApp& app);

    BuriedPipeRecord& Record() const;
    std::span<const FieldSpec> Fields() const override;

    // Check boxes (1039, 1041, 1050, 1044, 1046) are choices 0 and 1 of a
    // group with the box's id; the workmanship radios are group 1260.
    static constexpr int kWorkmanshipGroup = 1260;
    int Checked(int box) const { return Choice(box) == 1 ? 1 : 0; }
    void SetChecked(int box, int on) { SetChoice(box, on ? 1 : 0); }
    // The user's own choice of the heavy-construction-traffic box.
    int userHeavyTraffic = 0;
    // The texts of the cover and made-to-order notes as the language routine
    // loaded them.
    std::u16string coverCaption, metreUnit, madeToOrderFirst, madeToOrderSecond;

    // Whether the enlarged-deflection controls are shown (extended mode).
    bool ExtendedMode() const;

    // ---- lists ----------------------------------------------------------------
    // The category and type lists, showing the record's category and type
    // (the last item of each id; the first item when its own is not listed).
    void FillCategoryAndTypeLists();
    // Lists the sizes of the record's category and type and takes the
    // matching one (or the first) into the record, raising the deflection
    // limit to the row's allowable deflection when it is below it.
    void FillSizeList();
    void FillDeflectionList();
    // Category, type, size and deflection lists, in this order, from the
    // record (after a load-back or a language switch). A size the catalogue
    // no longer lists leaves the record as it was, and the page shows no
    // result until a size is chosen.
    void FillLists() override;
    void FillTrafficList();

    // ---- handlers ---------------------------------------------------------
    void OnListChosen(int id, int index) override;
    void OnChoiceClicked(int group, int index) override;
    void OnSelchangePipeKind(int index);
    void OnSelchangePipeType(int index);
    void OnSelchangeDiameter(int index);
    void OnSelchangeTraffic(int index);
    void OnSelchangeDeflection(int index);
    void OnRoadSurface();
    // Multi-pipe trench, heavy compaction, supervision and the two radios.
    void OnWorkCondition();
    void OnHeavyTraffic();
    // After the soil-parameters dialog's OK has put the soil into the record:
    // the compaction index from the soil's kind, the secant modulus, then a
    // recalculation.
    void OnSoilChosen();

    // ---- import of another stored calculation ------------------------------
    // The size ticked in the import dialog, before the values are copied:
    // from a tank, the type whose name begins with "SN" and the tank's ring
    // stiffness class as a word; then the size whose text is the diameter
    // text. A type or size that is not listed leaves the pipe as it is.
    void ImportSize(bool fromTank, double sourceStiffness, const std::u16string& diameterText);
    // From a manhole, after the copy: the pipe's invert from the manhole's
    // pipe bottom and the wall of the pipe the page shows.
    void ImportPipeBottomFromManhole(double pipeBottom);

    // ---- the page contract --------------------------------------------------
    void ReadInputs() override;
    // Reads the inputs, caps the water level, enforces the minimum cover
    // (lowering the pipe) and raises the compaction index; the message is
    // raised when one is due.
    void Validate();
    void Recalculate() override;
    void ShowInputs(int resetNumber) override;
    void ShowResults() override;
    void ApplyLanguage(int offset) override;
    // The tables were loaded again: the lists take the names of the new ones.
    bool ReferenceReloaded() override;
    // With no stored record of the kind: each list to its first item, with
    // its handler.
    void ResetListsToFirst() override;
    // The number and name show "-".
    void ResetNumberAndName() override;

    // ---- rules (free of state, for the tests) ------------------------------
    // The minimum cover over the crown for the record's class and size.
    static double RequiredCover(const BuriedPipeRecord& r, bool extended);
    // The text of the minimum-cover note for a class; languageRoutine gives
    // the spacing the language routine uses.
    static std::u16string CoverNote(const std::u16string& caption, const std::u16string& unit, int trafficClass,
                                    double minCoverNoTraffic, bool languageRoutine);
    // What a traffic class does to the road-surface box: -1 clears and
    // disables it, 1 checks and disables it, 0 leaves it to the user.
    static int RoadSurfaceRule(int trafficClass);
    // The compaction index after a soil of a kind and state degree is chosen.
    static double CompactionIndexFor(int soilKind, double stateDegree, double current);
    // The items of the enlarged-deflection list and whether it is enabled.
    static std::vector<std::u16string> DeflectionItems(const BuriedPipeRecord& r, bool& enabled);
    // Derives foundation level and cover from the invert and ground levels.
    static void DeriveLevels(BuriedPipeRecord& r);
    // The cover from the levels, less the outer diameter.
    static double CoverFromLevels(const BuriedPipeRecord& r);

private:
    // The size row's values into the record: as filling the size list takes
    // them (onChoice false), or as the user's choice of a size does.
    void TakeSizeRow(const NominalSizeEntry& s, bool onChoice);
    // The row of the size table an item stands for, when it still is a size
    // of the record's category and type.
    const NominalSizeEntry* SizeRowOf(int index) const;
    // The diameters and ring stiffness of the size the record holds.
    void ShowSizeFields();
    // After a category or type change: the size list filled anew and its
    // selected size taken as a choice of the user's, then a recalculation.
    void ChooseListedSize();

    bool sizeMatched = false;
    bool sizeMissing = false;
    // The category, type and size lists, filled from the catalogue as the
    // flow pages' are, of every applicability.
    CCatalogPicker pipeLists;
};
