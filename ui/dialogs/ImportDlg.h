// ui/dialogs: the input dialogs (flow units, fluid, local losses, the loss
// calculator, soil, import) and the About box. They include ui/sheet (their
// base), ui/controls, ui/base and the core.
//
// The import dialog: levels, the pipe size and the backfill soil of a
// calculation stored in the project (a buried pipe, a tank or a manhole),
// shown as texts and ticked one by one, then copied into the sheet's active
// page after OK. The dialog itself changes no record.
#pragma once

#include "sheet/InputDialog.h"

#include <QHash>

#include <vector>

class CCalcPage;
class CCalcSheet;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class CImportDlg : public CInputDialog {
    Q_OBJECT
public:
    explicit CImportDlg(CDalvorApp& app, QWidget* parent = nullptr);

    // Source kinds of the problem list, in its order.
    enum Problem { ProblemBuriedPipe = 0, ProblemTank = 1, ProblemManhole = 2 };
    // The check boxes.
    static constexpr int kGroundLevelBox = 1655;
    static constexpr int kWaterLevelBox = 1656;
    static constexpr int kTankBottomBox = 1657;
    static constexpr int kPipeBottomBox = 1659;
    static constexpr int kSoilBox = 1660;
    static constexpr int kFoundationLevelBox = 1665;
    static constexpr int kDiameterBox = 1667;
    // The value fields.
    static constexpr int kGroundLevelText = 1682;
    static constexpr int kWaterLevelText = 1683;
    static constexpr int kTankBottomText = 1684;
    static constexpr int kPipeBottomText = 1685;
    static constexpr int kFoundationLevelText = 1686;
    static constexpr int kDiameterText = 1687;
    static constexpr int kSoilNameText = 1669;
    static constexpr int kCompactionText = 1688;
    static constexpr int kUnitWeightText = 1689;
    static constexpr int kPorosityText = 1690;
    static constexpr int kFrictionAngleText = 1692;
    static constexpr int kCohesionText = 1693;

    // 1 = take this value.
    int importGroundLevel = 0;
    int importWaterLevel = 0;
    int importFoundationLevel = 0;
    int importDiameter = 0;
    int importTankBottom = 0;
    int importPipeBottom = 0;
    int importSoil = 0;
    int problemIndex = -1;  // 0 buried pipe, 1 tank, 2 manhole; -1 until initialised
    int taskIndex = -1;     // the chosen stored calculation of that kind; -1 until initialised
    // Pipe data of the chosen calculation for the page's size lists; 0 when not set.
    double sourceNominalSize = 0.0;
    double sourceInnerDiameter = 0.0;
    double sourceOuterDiameter = 0.0;
    double sourceStiffness = 0.0;

    // The import of values from another stored calculation: the import
    // dialog, then on OK the ticked values into the sheet's active page. Only
    // the tank, manhole and buried-pipe pages take values; on any other page
    // nothing happens.
    static void ImportIntoActivePage(CDalvorApp& app, CCalcSheet& sheet);
    static bool TakesImport(int kind);
    // The copy after OK: the page's steps before, each ticked value's text
    // into the page's edit of its quantity, the page's steps after, data to
    // the controls and a recalculation.
    static void ImportInto(CCalcPage* page, const CImportDlg& dlg);
    // Where a ticked value goes on the page of a kind: the check box, the
    // dialog's value field and the page's edit, in the order of copying (of
    // two values for one edit the later wins). Diameters going to a product
    // or size list are the pages' own steps and are not listed.
    struct ImportCopy {
        int kind;
        int box;
        int field;
        int target;
    };
    static const std::vector<ImportCopy>& ImportCopies();

    // The text of a value field as shown ("-" for none).
    QString ValueText(int fieldId) const { return valueTexts.value(fieldId, QStringLiteral("-")); }
    // The tick of a check box (0 or 1), by its id.
    int Ticked(int boxId) const;

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    void ApplyLanguage(int offset) override;
    void OnSelchangeProblem();
    void OnSelchangeTask();
    void FillProblemCombo();
    void FillTaskCombo();
    void ShowTaskValues();

    QComboBox* ProblemCombo() const { return problemCombo; }
    QComboBox* TaskCombo() const { return taskCombo; }
    QCheckBox* CheckBox(int id) const;
    QLineEdit* ValueField(int id) const;
    QLabel* RowLabel(int id) const;

protected:
    void done(int result) override;

private:
    int* Flag(int boxId);
    // The stored calculations of the chosen kind.
    int StoredCount() const;
    void TransferToControls();

    QComboBox* problemCombo;
    QComboBox* taskCombo;
    QHash<int, QCheckBox*> boxes;
    QHash<int, QLabel*> rowLabels;
    QHash<int, QLineEdit*> fields;
    QHash<int, QString> valueTexts;
    // Controls whose caption is the text of another key than their id.
    QList<QPair<int, QWidget*>> keyedCaptions;
};
