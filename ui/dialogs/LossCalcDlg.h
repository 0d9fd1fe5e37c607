// The loss calculator's window over its model (a gradient in per mille over
// the section's length turned into its head loss, when OK may be pressed, the
// texts of the three numbers). The caller presets the model's pipeLength and
// totalLoss; after OK it takes totalLoss back.
#pragma once

#include "core/dialogs/LossCalcModel.h"
#include "ui/sheet/InputDialog.h"

class QLineEdit;
class QPushButton;

class CLossCalcDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CLossCalcDlg(CDalvorApp& app, QWidget* parent = nullptr);

    CLossCalcModel& Model() { return model; }
    const CLossCalcModel& Model() const { return model; }

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
    CLossCalcModel model;
    QLineEdit* gradientEdit;
    QLineEdit* lengthEdit;
    QLineEdit* lossEdit;
    QPushButton* calculateButton;
};
