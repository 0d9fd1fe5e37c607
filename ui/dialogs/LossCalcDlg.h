// The loss calculator: a hydraulic gradient in per mille over the section's
// length turned into its head loss, h = J x 0.001 x L. The caller presets
// pipeLength and totalLoss; after OK it takes totalLoss back, which is always
// the head loss of the last calculation.
#pragma once

#include "sheet/InputDialog.h"

class QLineEdit;
class QPushButton;

class CLossCalcDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CLossCalcDlg(CDalvorApp& app, QWidget* parent = nullptr);

    // The shortest length the gradient is worked out over (m).
    static constexpr double kMinLength = 0.001f;
    static constexpr double kPerMille = 0.001f;

    double totalLoss = 0.0;   // head loss in m: preset, returned after OK
    double gradient = 0.0;    // J in per mille
    double pipeLength = 0.0;  // L in m: preset

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    // The Calculate button.
    void OnRecompute();
    // The user changed the gradient: OK waits for a calculation.
    void OnChangeGradient();

    QLineEdit* GradientEdit() const { return gradientEdit; }
    QLineEdit* LengthEdit() const { return lengthEdit; }
    QLineEdit* LossEdit() const { return lossEdit; }
    QPushButton* CalculateButton() const { return calculateButton; }

private:
    QLineEdit* gradientEdit;
    QLineEdit* lengthEdit;
    QLineEdit* lossEdit;
    QPushButton* calculateButton;
};
