// The soil-parameters dialog's window over its model (the soil's parameters
// from the table's coefficients and the state degree, their texts, and what
// OK hands back): the soil list, the degree's slider (0 to 1 in steps of
// 0.05) and the read-only fields. The tank, manhole and buried-pipe pages
// open it through ChooseSoil, which presets the record's soil and degree
// and, after OK, takes the chosen soil into the record.
#pragma once

#include "core/dialogs/SelectSoilModel.h"
#include "ui/sheet/InputDialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QSlider;

class CSelectSoilDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CSelectSoilDlg(CDalvorApp& app, QWidget* parent = nullptr);

    CSelectSoilModel& Model() { return model; }
    const CSelectSoilModel& Model() const { return model; }

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    void OnSelchangeSoilList();
    // The slider is drawn: the degree of its position, and the parameters.
    void OnCustomdrawStateSlider();

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
    void ShowParameters();

    CSelectSoilModel model;
    QListWidget* soilList;
    QSlider* slider;
    QLabel* degreeLabel;
    QList<QPair<int, QLineEdit*>> fields;
    bool filling = false;
};
