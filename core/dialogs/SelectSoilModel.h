// The soil-parameters dialog without its window: a typical soil picked from
// the soil table and its state degree set on a slider (0 to 1 in steps of
// 0.05); the soil's parameters derived from the row's coefficients and the
// degree, and what OK hands back to the tank, manhole and buried-pipe pages
// (the soil's index, name, degree, unit weight, porosity, friction angle and
// cohesion), written into their records.
#pragma once

#include <string>

struct BuriedPipeRecord;
struct CatalogueTables;
struct ManholeRecord;
struct SoilEntry;
struct TankRecord;

// What OK hands back to a page.
struct SoilChoice {
    int soilIndex = -1;
    double stateDegree = 0.0;
    std::u16string soilName;
    double unitWeight = 0.0;     // kN/m3
    double porosity = 0.0;       // %
    double frictionAngle = 0.0;  // degrees
    double cohesion = 0.0;       // kPa
};

class CSelectSoilModel {
public:
    // The soils come from tables, the texts in the language of languageOffset.
    CSelectSoilModel(const CatalogueTables& tables, int languageOffset);

    static constexpr int kLastPosition = 20;  // the slider runs 0..20 for degrees 0..1
    // A record's soil name holds at most this many characters.
    static constexpr int kMaxSoilName = 254;
    // The fields the dialog shows, top to bottom: the soil's type and state
    // (texts), then the degree and the parameters (numbers).
    static constexpr int kSoilTypeField = 1529;
    static constexpr int kStateField = 1304;
    static constexpr int kDegreeField = 1311;
    static constexpr int kUnitWeightField = 1275;
    static constexpr int kFrictionAngleField = 1533;
    static constexpr int kCohesionField = 1536;
    static constexpr int kPorosityField = 1539;
    static constexpr int kMoistureField = 1542;
    static constexpr int kOverallModulusField = 1545;
    static constexpr int kElasticModulusField = 1548;
    static constexpr int kPoissonRatioField = 1551;

    int soilIndex = -1;          // row of the soil table; -1 none. Preset, returned
    double stateDegree = 0.0;    // x, 0 to 1. Preset, returned
    int position = 0;            // the slider's
    std::u16string soilName;     // returned
    std::u16string stateName;    // the state's name for x
    double unitWeight = 0.0;     // kN/m3
    double frictionAngle = 0.0;  // degrees
    double cohesion = 0.0;       // kPa
    double porosity = 0.0;       // %
    double moisture = 0.0;       // natural moisture content, %
    double overallModulus = 0.0; // MPa
    double elasticModulus = 0.0; // MPa
    double poissonRatio = 0.0;

    // The slider position of a degree: the grid point at or below it (a
    // degree within 1e-6 under a grid point, as single-precision degrees
    // are, counts as that point), held to 0..20.
    static int SliderPosition(double stateDegree);
    // The state's text key for a soil group and degree; 0 when the degree is
    // outside the group's ranges (the state's name then stays as it was).
    static int StateKey(int soilGroup, double stateDegree);

    // The soils of the list, in the table's order.
    int RowCount() const;
    std::u16string RowName(int row) const;

    // The dialog opens on the preset soil (one outside the table is none),
    // with the degree on the slider's grid.
    void Open();
    // A soil picked from the list (-1: none) at its own default degree, on
    // the slider's grid.
    void ChooseRow(int row);
    // The slider at a position: the degree of that grid point.
    void SetPosition(int position);

    // What the dialog shows: a field's text by its id, the key of the
    // degree's caption (0: the caption stays as it is), and whether OK may
    // be pressed (only with a soil).
    std::u16string FieldText(int id) const;
    int DegreeCaptionKey() const;
    bool HasSoil() const { return ChosenRow() != nullptr; }

    SoilChoice Choice() const;
    // The chosen soil into a record's soil fields (the name cut to
    // kMaxSoilName characters, never inside a surrogate pair).
    static void CopyChoice(const SoilChoice& choice, BuriedPipeRecord& r);
    static void CopyChoice(const SoilChoice& choice, ManholeRecord& r);
    static void CopyChoice(const SoilChoice& choice, TankRecord& r);

private:
    const SoilEntry* ChosenRow() const;
    // The parameters, the state's and the soil's names for the soil and
    // degree; with a soil the slider goes to the degree's grid point.
    void Update();

    const CatalogueTables& tables;
    int languageOffset;
};
