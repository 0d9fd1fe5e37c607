// The fluid-properties dialog: the kinematic viscosity of sewage from its
// suspended solids, chosen on a slider from 0 to 1000 mg/l in steps of
// 50 mg/l (nu = 1.31e-6 + 2e-10 c). The caller presets viscosity and takes it
// back after OK; the slider's position always decides the value returned.
#pragma once

#include <QDialog>

class CDalvorApp;
class QLineEdit;
class QPushButton;
class QSlider;

class CFluidParmsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFluidParmsDlg(CDalvorApp& app, QWidget* parent = nullptr);

    double viscosity = 0.0;      // m2/s: preset by the caller, returned after OK
    double concentration = 0.0;  // suspended solids, mg/l

    // The slider position of a concentration: 0 for one outside 0..1000 mg/l.
    static int SliderPosition(double concentration);

    // Runs when the dialog is first shown.
    void OnInitDialog();
    void ApplyLanguage(int offset);
    // The slider is drawn: the concentration and viscosity of its position.
    void OnCustomdrawSlider();

    QSlider* Slider() const { return slider; }
    QLineEdit* ConcentrationEdit() const { return concentrationEdit; }
    QLineEdit* ViscosityEdit() const { return viscosityEdit; }
    QPushButton* OkButton() const { return okButton; }
    QPushButton* CancelButton() const { return cancelButton; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    CDalvorApp& app;
    bool initialised = false;
    QSlider* slider;
    QLineEdit* concentrationEdit;
    QLineEdit* viscosityEdit;
    QPushButton* okButton;
    QPushButton* cancelButton;
};
