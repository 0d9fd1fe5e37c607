// ui/dialogs: the input dialogs (flow units, fluid, local losses, the loss
// calculator, soil, import), windows over their models in core/dialogs, and
// the About box. They include ui/sheet (their base), ui/controls, ui/base and
// the core.
//
// The import dialog's window over its model (the stored calculations of a
// kind, the values of the chosen one as texts, the rows that apply and the
// ticks): levels, the pipe size and the backfill soil of a calculation stored
// in the project (a buried pipe, a tank or a manhole), ticked one by one,
// then copied into the sheet's active page after OK. The dialog itself
// changes no record.
#pragma once

#include "core/dialogs/ImportModel.h"
#include "ui/sheet/InputDialog.h"

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

    CImportModel& Model() { return model; }
    const CImportModel& Model() const { return model; }

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

    // Runs when the dialog is first shown.
    void OnInitDialog() override;
    void ApplyLanguage(int offset) override;
    void OnSelchangeProblem();
    void OnSelchangeTask();

    QComboBox* ProblemCombo() const { return problemCombo; }
    QComboBox* TaskCombo() const { return taskCombo; }
    QCheckBox* CheckBox(int id) const;
    QLineEdit* ValueField(int id) const;
    QLabel* RowLabel(int id) const;

protected:
    void done(int result) override;

private:
    // The task list as the model lists it, its first item chosen.
    void ShowTasks();
    // The rows' states, ticks and values as the model holds them.
    void ShowValues();

    CImportModel model;
    QComboBox* problemCombo;
    QComboBox* taskCombo;
    QHash<int, QCheckBox*> boxes;
    QHash<int, QLabel*> rowLabels;
    QHash<int, QLineEdit*> fields;
    // Controls whose caption is the text of another key than their id.
    QList<QPair<int, QWidget*>> keyedCaptions;
};
