// The flow-units calculator's window over its model (the conversion, when OK
// may be pressed, the texts of the two numbers): a flow given in m3/d, m3/h,
// l/s or l/h turned into m3/s. The caller presets Model().flowRate (m3/s)
// and takes it back after OK.
#pragma once

#include "core/dialogs/FlowUnitsModel.h"
#include "ui/sheet/InputDialog.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CFlowUnitsCalcDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CFlowUnitsCalcDlg(CDalvorApp& app, QWidget* parent = nullptr);

    CFlowUnitsModel& Model() { return model; }
    const CFlowUnitsModel& Model() const { return model; }

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    void OnConvert();
    void OnSetfocusValue();

    QLineEdit* ValueEdit() const { return valueEdit; }
    QLineEdit* ResultEdit() const { return resultEdit; }
    QLabel* UnitLabel() const { return unitLabel; }
    QPushButton* CalculateButton() const { return calculateButton; }
    QRadioButton* UnitRadio(int k) const { return k >= 0 && k < CFlowUnitsModel::kUnitCount ? radios[k] : nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnUnit(int k);
    void ShowValue();

    CFlowUnitsModel model;
    QButtonGroup* unitGroup;
    QRadioButton* radios[CFlowUnitsModel::kUnitCount];
    QLineEdit* valueEdit;
    QLineEdit* resultEdit;
    QLabel* unitLabel;
    QPushButton* calculateButton;
};
