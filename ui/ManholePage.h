// The manhole page (kind 2): a sewer manhole of a catalogue type checked
// against uplift in saturated backfill, with the heavy bottom or the anchoring
// it needs, worked out on every Enter, Tab or click in the page.
#pragma once

#include "ManholePageModel.h"
#include "PageView.h"
#include "PictureWidget.h"

class CManholePage : public CPageView, public PictureHost {
    Q_OBJECT
public:
    explicit CManholePage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;

    CManholePageModel& Model() { return pageModel; }
    CPictureManhole* Picture() const { return picture; }

    void Print() override;
    bool CanPrint() const override { return true; }
    // The imported texts are the page's.
    void AfterImport(const CImportDlg& dlg) override;
    void OnChooseSoil();

    // ---- the picture's host (the page's own operations) ---------------------
    CDalvorApp& PictureApp() override { return app; }
    PictureView& PictureViewState() override { return view; }
    void ShowInputs() override { CPageView::ShowInputs(0); }
    void ReadInputs() override { CPageView::ReadInputs(); }
    void Recalculate() override;
    void ShowResults() override { CPageView::ShowResults(); }

protected:
    void OnInitDialog() override;
    void ModelChanged() override;

private:
    CManholePageModel pageModel;
    CPictureManhole* picture = nullptr;
    PictureView view;
    int dragEnds = 0;
};
