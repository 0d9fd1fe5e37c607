// The local-losses dialog: the total local-loss coefficient of a pressure
// pipe from its fittings, the counts of segmented bends of 30, 45, 60 and 90
// degrees with a fixed coefficient each, plus one coefficient for all other
// local losses. The caller presets bendCounts and otherLossCoefficient and,
// after OK, takes back the counts, the other losses and the total, none of
// them below 0.
#pragma once

#include "sheet/InputDialog.h"

class QLineEdit;

class CLocalLossDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CLocalLossDlg(CDalvorApp& app, QWidget* parent = nullptr);

    // Coefficient of one segmented bend of 30, 45, 60 and 90 degrees.
    static constexpr float kBendCoefficient[4] = {0.1f, 0.15f, 0.2f, 0.25f};

    int bendCounts[4] = {0, 0, 0, 0};   // 30, 45, 60, 90 degrees: preset, returned
    double otherLossCoefficient = 0.0;  // preset, returned
    double bendsCoefficient = 0.0;      // the bends' share of the total
    double totalLossCoefficient = 0.0;  // bends + other losses: returned

    // The bends' share: each count times its coefficient, summed in single
    // precision and widened.
    static double BendsCoefficient(const int counts[4]);
    // A count as typed: the whole number at the start of the text (blanks and
    // a sign allowed), 0 when there is none, held to the range of int.
    static int ReadCount(const QString& text);

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    void OnChangeBendCount();
    void OnChangeOtherLosses();

    QLineEdit* CountEdit(int k) const { return k >= 0 && k < 4 ? countEdits[k] : nullptr; }
    QLineEdit* BendsEdit() const { return bendsEdit; }
    QLineEdit* OtherEdit() const { return otherEdit; }
    QLineEdit* TotalEdit() const { return totalEdit; }

private:
    void Recompute();

    QLineEdit* countEdits[4];
    QLineEdit* bendsEdit;
    QLineEdit* otherEdit;
    QLineEdit* totalEdit;
};
