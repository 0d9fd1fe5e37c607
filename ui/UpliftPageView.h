// The window side the manhole and tank pages share: it builds their controls,
// hands the texts the user typed to the page's model and shows the model's
// texts, checks, enables and colours in the controls, and shows the messages
// the model asks for.
#pragma once

#include "CalcPage.h"

#include <QHash>
#include <QSet>

class CUpliftPageModel;
class QAbstractButton;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

class CUpliftPageView : public CCalcPage {
    Q_OBJECT
public:
    CUpliftPageView(CDalvorApp& app, const CalcPageInfo& info, QWidget* parent = nullptr);
    ~CUpliftPageView() override;

    void DataToControls() override;
    void DataFromControls() override;
    // The sheet copied imported texts into the edits: the page takes them.
    void AfterImport(const CImportDlg& dlg) override;

    QLineEdit* Edit(int id) const;
    QComboBox* List(int id) const { return lists.value(id); }

protected:
    void SetModel(CUpliftPageModel* m) { model = m; }
    // The catalogue was loaded again (another language): the lists follow.
    virtual void ReferenceReloaded() {}
    // Shows the messages the model asked for, one box each.
    void ShowModelMessages();
    // Fills a list with texts and selects an item, running no handler.
    static void FillList(QComboBox* combo, const QStringList& items, int selection);
    static void SelectItem(QComboBox* combo, int index);
    // The user's choice of another item in a list runs the handler with it.
    void ConnectList(QComboBox* combo, std::function<void(int)> handler);

    // ---- building -----------------------------------------------------------
    static constexpr int kFieldWidth = 70;
    QLabel* MakeLabel(int id, bool wrap = false);
    QLineEdit* MakeEdit(int id, int width = kFieldWidth);
    // A read-only result field, coloured by the model when colour is set.
    QLineEdit* MakeResult(int id, bool colour = false);
    // An input field whose colours the model sets.
    QLineEdit* MakeColourEdit(int id);
    QLabel* MakeColourStatic(int id, bool caption);
    QGroupBox* MakeGroup(int id);
    QComboBox* MakeList(int id);
    QAbstractButton* MakeCheck(int id);
    QAbstractButton* MakeRadio(int id);
    // One row of a grid: label, field and unit.
    void AddRow(QGridLayout* grid, int row, int labelId, QWidget* field, int unitId);
    static QGridLayout* MakeGrid(QWidget* owner);

private:
    CUpliftPageModel* model = nullptr;
    QHash<int, QLineEdit*> edits;
    QHash<int, QAbstractButton*> checks;
    QHash<int, QComboBox*> lists;
    // Controls whose colours the model sets.
    QHash<int, QWidget*> coloured;
    // Controls whose enabled state follows the model.
    QSet<int> followsEnable;
    int reloadToken = 0;
};
