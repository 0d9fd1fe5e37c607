// The fluid-properties dialog's window over its model (the viscosity of a
// sewage from its suspended solids on a slider's grid, and their texts). The
// caller presets Model().viscosity and takes it back after OK.
#pragma once

#include "core/dialogs/FluidPropertiesModel.h"
#include "ui/sheet/InputDialog.h"

class QLineEdit;
class QSlider;

class CFluidParmsDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CFluidParmsDlg(CDalvorApp& app, QWidget* parent = nullptr);

    CFluidPropertiesModel& Model() { return model; }
    const CFluidPropertiesModel& Model() const { return model; }

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    // The slider is drawn: the concentration and viscosity of its position.
    void OnCustomdrawSlider();

    QSlider* Slider() const { return slider; }
    QLineEdit* ConcentrationEdit() const { return concentrationEdit; }
    QLineEdit* ViscosityEdit() const { return viscosityEdit; }

private:
    void ShowValues();

    CFluidPropertiesModel model;
    QSlider* slider;
    QLineEdit* concentrationEdit;
    QLineEdit* viscosityEdit;
};
