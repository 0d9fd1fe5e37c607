// The soil-parameters dialog: a typical soil picked from the soil table and
// its state degree set on a slider (0 to 1 in steps of 0.05); the dialog
// derives the soil's parameters from the row's coefficients and the degree.
// The tank, manhole and buried-pipe pages preset soilIndex and stateDegree
// and, after OK, take the soil (index, name, degree, unit weight, porosity,
// friction angle and cohesion) into their record; ChooseSoil does all of it.
#pragma once

#include "sheet/InputDialog.h"

#include <string>

struct BuriedPipeRecord;
struct ManholeRecord;
struct SoilEntry;
struct TankRecord;
class QLabel;
class QLineEdit;
class QListWidget;
class QSlider;

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

class CSelectSoilDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CSelectSoilDlg(CDalvorApp& app, QWidget* parent = nullptr);

    static constexpr int kLastPosition = 20;  // the slider runs 0..20 for degrees 0..1
    // A record's soil name holds at most this many characters.
    static constexpr int kMaxSoilName = 254;

    int soilIndex = -1;          // row of the soil table; -1 none. Preset, returned
    double stateDegree = 0.0;    // x, 0 to 1. Preset, returned
    QString soilName;            // returned
    QString stateName;           // the state's name for x
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

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    void OnSelchangeSoilList();
    // The slider is drawn: the degree of its position, and the parameters.
    void OnCustomdrawStateSlider();

    SoilChoice Choice() const;
    // The chosen soil into a record's soil fields (the name cut to
    // kMaxSoilName characters, never inside a surrogate pair).
    static void CopyChoice(const SoilChoice& choice, BuriedPipeRecord& r);
    static void CopyChoice(const SoilChoice& choice, ManholeRecord& r);
    static void CopyChoice(const SoilChoice& choice, TankRecord& r);
    // Opens the dialog on the record's soil and degree; on OK the record
    // takes the chosen soil and the result is true. Cancel changes nothing.
    static bool ChooseSoil(CDalvorApp& app, BuriedPipeRecord& r, QWidget* parent);
    static bool ChooseSoil(CDalvorApp& app, ManholeRecord& r, QWidget* parent);
    static bool ChooseSoil(CDalvorApp& app, TankRecord& r, QWidget* parent);

    QListWidget* SoilList() const { return soilList; }
    QSlider* Slider() const { return slider; }
    // A read-only field by its control id (1529, 1304, 1311, 1275, ...).
    QLineEdit* Field(int id) const;
    QLabel* DegreeLabel() const { return degreeLabel; }

private:
    const SoilEntry* ChosenRow() const;
    void ComputeSoilParameters();
    void ShowParameters();

    QListWidget* soilList;
    QSlider* slider;
    QLabel* degreeLabel;
    QList<QPair<int, QLineEdit*>> fields;
    bool filling = false;
};
