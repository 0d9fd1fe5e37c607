// A page built on the kit whose section picture is worked through the page:
// the picture's host operations are the page's own, and its view state lives
// with the page.
#pragma once

#include "PageView.h"
#include "PictureWidget.h"
#include "SelectSoilDlg.h"

class CPicturePageView : public CPageView, public PictureHost {
public:
    using CPageView::CPageView;

    // ---- the page contract, also what the picture calls ----------------------
    void Recalculate() override { CPageView::Recalculate(); }
    void ReadInputs() override { CPageView::ReadInputs(); }
    void ShowResults() override { CPageView::ShowResults(); }
    void ShowInputs(int resetNumber) override { CPageView::ShowInputs(resetNumber); }
    void ShowInputs() override { CPageView::ShowInputs(0); }

    // ---- the picture's host ----------------------------------------------------
    CDalvorApp& PictureApp() override { return app; }
    PictureView& PictureViewState() override { return view; }

protected:
    // The soil list for the record's backfill. Cancel keeps the soil; the
    // page is shown and worked out either way.
    template <typename Record>
    void ChooseSoil(Record& record)
    {
        CPageView::ReadInputs();
        CSelectSoilDlg::ChooseSoil(app, record, this);
        CPageView::ShowInputs(0);
        Recalculate();
    }

    PictureView view;
};
