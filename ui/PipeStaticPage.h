// The buried-pipe page (kind 3): a pipe of the catalogue laid in a trench
// under soil and traffic, checked for deflection, load and uplift on every
// Enter, Tab or click in the page. The rules live in CBuriedPipePageModel;
// the page copies the model's texts, lists and colours into its widgets and
// the widgets' texts back around every operation.
#pragma once

#include "BuriedPipePageModel.h"
#include "CalcPage.h"
#include "PictureWidget.h"

#include <QColor>
#include <QHash>

class CColorEdit;
class CColorStatic;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CPipeStaticPage : public CCalcPage, public PictureHost {
    Q_OBJECT
public:
    explicit CPipeStaticPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;

    CBuriedPipePageModel& Model() { return model; }

    // ---- the page contract ------------------------------------------------
    void Recalculate() override;
    void ReadInputs() override;
    void ShowInputs(int resetNumber) override;
    void ShowResults() override;
    void ApplyLanguage(int offset) override;
    void FillLists() override;
    void ResetListsToFirst() override;
    void ResetNumberAndName() override;
    void DataToControls() override;
    void DataFromControls() override;
    void BeforeImport(const CImportDlg& dlg) override;
    void AfterImport(const CImportDlg& dlg) override;
    // The trench picture records itself, then the printout runs.
    void Print() override;
    bool CanPrint() const override { return true; }

    // ---- the trench picture's host: a dragged level shows in the fields,
    // then the page recalculates with it ---------------------------------------
    CDalvorApp& PictureApp() override { return app; }
    PictureView& PictureViewState() override { return view; }
    void ShowInputs() override { ShowInputs(0); }
    CPicturePipe* Picture() const { return picture; }

    // ---- handlers -----------------------------------------------------------
    void OnSoilButton();

    // Every recalculation of the page, whatever started it (for tests).
    int Recalculations() const { return recalculations; }

    static const QColor kMetText;
    static const QColor kFailedText;
    static const QColor kMetBack;
    static const QColor kFailedBack;

protected:
    void OnInitDialog() override;

private:
    // Runs a model operation between reading the widgets and showing the
    // result, then shows the messages it raised.
    template <typename F>
    void Run(F&& operation);
    void ShowMessages();
    void PushList(QComboBox* combo, const PageList& list);
    void ConnectList(QComboBox* combo, void (CBuriedPipePageModel::*handler)(int));
    void RelabelLists();

    CBuriedPipePageModel model;
    QHash<int, QLineEdit*> edits;        // inputs and plain results
    QHash<int, CColorEdit*> verdictFields;
    QHash<int, QCheckBox*> checkBoxes;
    QRadioButton* normal = nullptr;
    QRadioButton* meticulous = nullptr;
    QComboBox* categoryCombo = nullptr;
    QComboBox* typeCombo = nullptr;
    QComboBox* sizeCombo = nullptr;
    QComboBox* trafficCombo = nullptr;
    QComboBox* deflectionCombo = nullptr;
    QLabel* deflectionCaption = nullptr;
    QLabel* deflectionUnit = nullptr;
    QLabel* coverNote = nullptr;
    QLabel* madeToOrderNote = nullptr;
    CColorStatic* conclusion = nullptr;
    CColorStatic* reasons = nullptr;
    CPicturePipe* picture = nullptr;
    PictureView view;
    int recalculations = 0;
};
