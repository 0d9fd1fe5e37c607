// The pressure-flow page (kind 5): a pressure pipe of a chosen catalogue
// size, its section, local losses and fluid; it works out the diameter for a
// design flow, the head loss of a flow or the flow of a head loss, with the
// admissible pressure range, on every Enter, Tab or click in the page. What
// it does lives in CPressureFlowPageModel; this class is its widgets, its
// four input dialogs and its picture.
#pragma once

#include "PageView.h"
#include "PictureWidget.h"
#include "PressureFlowPageModel.h"

class CPressureFlowPage : public CPageView, public PictureHost {
    Q_OBJECT
public:
    explicit CPressureFlowPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;

    CPressureFlowPageModel& PageModel() { return pageModel; }
    CPicturePressureFlow* ChartPicture() const { return picture; }
    // The chart the picture shows: 0 characteristic, 1 pressure range.
    int ChartChoice() const { return pageModel.ChartChoice(); }

    void Print() override;
    bool CanPrint() const override { return true; }
    // The results, with the operating point as the picture left it.
    void ShowResults() override;

    // ---- handlers of the input dialogs --------------------------------------
    void OnFluidParameters();
    void OnLossCalculator();
    void OnFlowUnits();
    void OnLocalLossList();

    // ---- the picture's host: a drag moves the operating point -------------
    CDalvorApp& PictureApp() override { return app; }
    PictureView& PictureViewState() override { return view; }

protected:
    void OnInitDialog() override;
    void ModelChanged() override;

private:
    CPressureFlowPageModel pageModel;
    PictureView view;
    CPicturePressureFlow* picture = nullptr;
};
