// The fluid-properties dialog: the kinematic viscosity of sewage from its
// suspended solids, chosen on a slider from 0 to 1000 mg/l in steps of
// 50 mg/l (nu = 1.31e-6 + 2e-10 c). The caller presets viscosity and takes it
// back after OK; the slider's position always decides the value returned.
#pragma once

#include "sheet/InputDialog.h"

class QLineEdit;
class QSlider;

class CFluidParmsDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CFluidParmsDlg(CDalvorApp& app, QWidget* parent = nullptr);

    double viscosity = 0.0;      // m2/s: preset by the caller, returned after OK
    double concentration = 0.0;  // suspended solids, mg/l

    // The slider position of a concentration: 0 for one outside 0..1000 mg/l.
    static int SliderPosition(double concentration);

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    // The slider is drawn: the concentration and viscosity of its position.
    void OnCustomdrawSlider();

    QSlider* Slider() const { return slider; }
    QLineEdit* ConcentrationEdit() const { return concentrationEdit; }
    QLineEdit* ViscosityEdit() const { return viscosityEdit; }

private:
    void ShowValues();

    QSlider* slider;
    QLineEdit* concentrationEdit;
    QLineEdit* viscosityEdit;
};
