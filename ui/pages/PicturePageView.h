// ui/pages: the five calculation pages and how a page hosts its picture. They
// include ui/sheet, ui/dialogs, ui/controls, ui/base, pictures/, reports/ and
// the core.
//
// How a page built on the kit hosts its picture: the flow pages through a
// chart link that follows the chart's drag, the section pages (trench,
// manhole, tank) as the picture's host themselves.
#pragma once

#include "core/pages/PageModel.h"
#include "pictures/PictureWidget.h"
#include "ui/dialogs/SelectSoilDlg.h"
#include "ui/sheet/PageView.h"

#include <functional>
#include <utility>

// What a flow page's chart sees of the page: the operating point it draws and
// drags (a copy of the model's, taken after every step of the page), and the
// page's results, shown again at every step of a drag once follow has taken
// the dragged point into the model; the record and its results stay as they
// are.
class CChartLink final : public PictureHost {
public:
    CChartLink(CPageView& owner, std::function<void(const PictureView&)> follow)
        : page(owner), followDrag(std::move(follow))
    {
    }
    CDalvorApp& PictureApp() override { return page.App(); }
    PictureView& PictureViewState() override { return view; }
    void FollowDrag() override
    {
        followDrag(view);
        page.CPageView::ShowResults();
    }
    PictureView view;

private:
    CPageView& page;
    std::function<void(const PictureView&)> followDrag;
};

// A page whose section picture is worked through the page: the page is the
// picture's host, and its view state lives with the page.
class CPicturePageView : public CPageView, public PictureHost {
public:
    using CPageView::CPageView;

    // ---- the picture's host ----------------------------------------------------
    CDalvorApp& PictureApp() override { return app; }
    PictureView& PictureViewState() override { return view; }
    // A drag step: the moved value shown, and with a valid result the page
    // worked out again.
    void FollowDrag() override
    {
        CPageView::ShowInputs(0);
        if (CPageView::Model().ResultValid())
            CPageView::Recalculate();
    }

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
