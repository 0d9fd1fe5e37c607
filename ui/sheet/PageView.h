// The window half of a calculation page; the other half, its model, is
// described in core/pages/PageModel.h. Every page derives from it. Its widgets
// are made from the model's field table (AddFieldRows) or laid out by the page
// with the Make... helpers, each under the control id the model uses. Every
// step of the page runs the same way (Run): the texts typed into the edits and
// the radios' and check boxes' states go to the model (Pull), the model works,
// its texts, lists, choices, states and colours go to the widgets (Push), the
// store buttons follow the project, the messages the model raised are shown,
// and the page's picture is told (ModelChanged). The operations of the page
// contract, a list's item chosen, a radio or check box clicked and a reload of
// the catalogue tables are such steps; DataToControls is the Push alone.
#pragma once

#include "ui/sheet/CalcPage.h"

#include <QColor>
#include <functional>

class CPageModel;
class CColorStatic;
class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;
struct FieldSpec;

class CPageView : public CCalcPage {
    Q_OBJECT
public:
    CPageView(CDalvorApp& app, const CalcPageInfo& info, CPageModel& model, QWidget* parent = nullptr);
    ~CPageView() override;

    CPageModel& Model() const { return model; }

    // ---- the page contract, on the model ------------------------------------
    void Recalculate() override;
    void ReadInputs() override;
    void ShowInputs(int resetNumber) override;
    void ShowResults() override;
    void ApplyLanguage(int offset) override;
    void FillLists() override;
    void ResetListsToFirst() override;
    void ResetNumberAndName() override;
    void DataToControls() override { Push(); }

    // Runs a step of the model as every user action does: Pull, the step,
    // Push, then the messages raised, then ModelChanged.
    void Run(const std::function<void()>& step);
    void Pull();
    void Push();

    // The colours the kit's colour values stand for.
    static QColor ToColor(unsigned rgb);

protected:
    // After each step: the page's picture redraws from the record.
    virtual void ModelChanged() {}

    // ---- building the page --------------------------------------------------
    // A field the user never types into (a number, a value the page works
    // out): read-only, passed by Tab, and drawn as a disabled field is drawn,
    // so every field that takes no typing looks alike; its text can be
    // selected and copied.
    static void MarkNotTyped(QLineEdit* e);
    // A group box with its caption id.
    QGroupBox* MakeGroup(int id);
    // A caption label (no wrapping: a long caption widens the page).
    QLabel* MakeLabel(int id);
    // A coloured text the model fills, its lines wrapped.
    CColorStatic* MakeColorText(int id);
    // A column inside a box of the page.
    QVBoxLayout* MakeColumn(QWidget* owner);
    // The verdict under the results: the caption with the conclusion beside
    // it, then the warning and the hint across.
    QGridLayout* MakeVerdict(int captionId, int conclusionId, int warningId, QWidget* hint);
    // A "?" button with the input dialogs' bitmap.
    QPushButton* MakeQueryButton(int id);
    // A grid of rows: caption | field | unit | "?" button, the fields of
    // every grid at the same distance from the right edge.
    QGridLayout* MakeGrid(QWidget* owner);
    // A grid with no "?" buttons keeps no room for them.
    static QGridLayout* WithoutButtons(QGridLayout* grid);
    // The rows of the field table that sit in the group, from grid row
    // `row` on; returns the next free row.
    int AddFieldRows(QGridLayout* grid, int group, int row = 0);
    // A radio group: radio i has control id ids[i] and stands for choice i
    // of the model's group; a click (also on the radio already chosen)
    // runs the model's OnChoiceClicked.
    QButtonGroup* AddRadioGroup(int group, std::initializer_list<int> ids);
    // A list bound to the model's list of the same id: a user's choice of
    // another item runs the model's OnListChosen.
    QComboBox* MakeCombo(int id);
    // A check box bound to the model's choice of its id (1 ticked, 0 not);
    // a click runs the model's OnChoiceClicked(id, state).
    QAbstractButton* MakeCheckBox(int id);
    // The Add, Update and project buttons in a row, the project button small.
    QHBoxLayout* MakeStoreButtons();
    // The soil's name, an edit the model reads, with the button beside it
    // that opens the soil list; a click on the button runs onChoose.
    QHBoxLayout* MakeSoilRow(int nameId, int buttonId, const std::function<void()>& onChoose);
    // An edit the page lays out itself whose text the model reads.
    void AddPulled(int id) { pulled.append(id); }

    static constexpr int kFieldWidth = 66;
    static constexpr int kUnitWidth = 52;
    static constexpr int kButtonWidth = 24;

private:
    void OnReferenceReloaded();

    CPageModel& model;
    QHash<int, QButtonGroup*> radioGroups;
    QHash<int, QAbstractButton*> checkBoxes;
    QList<int> pulled;
    int reloadToken = 0;
    int running = 0;
};
