// The flow-units calculator: a flow given in m3/d, m3/h, l/s or l/h turned
// into m3/s, the unit the pipe calculations hold their flows in. The caller
// presets flowRate (m3/s) and takes it back after OK; OK returns the flow of
// the last conversion only.
#pragma once

#include "sheet/InputDialog.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CFlowUnitsCalcDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CFlowUnitsCalcDlg(CDalvorApp& app, QWidget* parent = nullptr);

    // Units per m3/s of m3/d, m3/h, l/s and l/h.
    static constexpr double kUnitsPerCubicMetrePerSecond[4] = {86400.0, 3600.0, 1000.0, 3600000.0};

    int unit = 0;                  // 0 m3/d, 1 m3/h, 2 l/s, 3 l/h
    double perUnitFlow[4] = {};    // the flow in each of the four units
    double enteredFlow = 0.0;      // the number last taken from, or shown in, the value field
    double flowRate = 0.0;         // m3/s: preset by the caller, returned after OK

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    void OnConvert();
    void OnSetfocusValue();

    QLineEdit* ValueEdit() const { return valueEdit; }
    QLineEdit* ResultEdit() const { return resultEdit; }
    QLabel* UnitLabel() const { return unitLabel; }
    QPushButton* CalculateButton() const { return calculateButton; }
    QRadioButton* UnitRadio(int k) const { return k >= 0 && k < 4 ? radios[k] : nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnUnit(int k);
    // Takes a flow in m3/s and its value in each unit; a flow that is not
    // finite in every unit is taken as 0 and false returned.
    bool SetFlow(double cubicMetresPerSecond);

    QButtonGroup* unitGroup;
    QRadioButton* radios[4];
    QLineEdit* valueEdit;
    QLineEdit* resultEdit;
    QLabel* unitLabel;
    QPushButton* calculateButton;
};
