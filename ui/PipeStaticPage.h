// The buried-pipe page (kind 3): a pipe of the catalogue laid in a trench
// under soil and traffic, checked for deflection, load and uplift on every
// Enter, Tab or click in the page. What it does lives in
// CBuriedPipePageModel; this class is its widgets and its trench picture.
#pragma once

#include "BuriedPipePageModel.h"
#include "PageView.h"
#include "PictureWidget.h"

#include <QColor>
#include <QHash>

class QCheckBox;

class CPipeStaticPage : public CPageView, public PictureHost {
    Q_OBJECT
public:
    explicit CPipeStaticPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;

    CBuriedPipePageModel& PageModel() { return pageModel; }

    // ---- the page contract (also what the picture calls) -------------------
    void Recalculate() override { CPageView::Recalculate(); }
    void ReadInputs() override { CPageView::ReadInputs(); }
    void ShowResults() override { CPageView::ShowResults(); }
    void ShowInputs(int resetNumber) override { CPageView::ShowInputs(resetNumber); }
    void ShowInputs() override { CPageView::ShowInputs(0); }
    void BeforeImport(const CImportDlg& dlg) override;
    void AfterImport(const CImportDlg& dlg) override;
    // The trench picture records itself, then the printout runs.
    void Print() override;
    bool CanPrint() const override { return true; }

    // ---- the trench picture's host ------------------------------------------
    CDalvorApp& PictureApp() override { return app; }
    PictureView& PictureViewState() override { return view; }
    CPicturePipe* Picture() const { return picture; }

    void OnSoilButton();

protected:
    void OnInitDialog() override;
    void ModelChanged() override;

private:
    CBuriedPipePageModel pageModel;
    QHash<int, QCheckBox*> checkBoxes;
    CPicturePipe* picture = nullptr;
    PictureView view;
};
