// The local-losses dialog's window over its model (the sums of the fittings'
// coefficients and their texts). The caller presets the model's bendCounts
// and otherLossCoefficient and, after OK, takes back the counts, the other
// losses and the total.
#pragma once

#include "core/dialogs/LocalLossModel.h"
#include "ui/sheet/InputDialog.h"

class QLineEdit;

class CLocalLossDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CLocalLossDlg(CDalvorApp& app, QWidget* parent = nullptr);

    CLocalLossModel& Model() { return model; }
    const CLocalLossModel& Model() const { return model; }

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    void OnChangeBendCount();
    void OnChangeOtherLosses();

    QLineEdit* CountEdit(int k) const { return k >= 0 && k < CLocalLossModel::kBendKinds ? countEdits[k] : nullptr; }
    QLineEdit* BendsEdit() const { return bendsEdit; }
    QLineEdit* OtherEdit() const { return otherEdit; }
    QLineEdit* TotalEdit() const { return totalEdit; }

private:
    void Recompute();

    CLocalLossModel model;
    QLineEdit* countEdits[CLocalLossModel::kBendKinds];
    QLineEdit* bendsEdit;
    QLineEdit* otherEdit;
    QLineEdit* totalEdit;
};
