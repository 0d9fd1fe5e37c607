// The pressure-flow page (kind 5): a pressure pipe of a chosen catalogue
// size, its section, local losses and fluid; it works out the diameter for a
// design flow, the head loss of a flow or the flow of a head loss, with the
// admissible pressure range, on every Enter, Tab or click in the page. What
// it does lives in CPressureFlowPageModel; this class is its widgets, its
// four input dialogs and its picture.
#pragma once

#include "core/pages/PressureFlowPageModel.h"
#include "ui/pages/PicturePageView.h"

class CPressureFlowPage : public CPageView {
    Q_OBJECT
public:
    explicit CPressureFlowPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;

    CPressureFlowPageModel& Model() { return pageModel; }
    CPicturePressureFlow* ChartPicture() const { return picture; }
    // The chart the picture shows: 0 characteristic, 1 pressure range.
    int ChartChoice() const { return pageModel.ChartChoice(); }

    // File Print: the characteristic records the print picture, then the
    // pressure-flow printout runs (title, print dialog, one page).
    void Print() override;
    bool CanPrint() const override { return true; }

    // ---- handlers of the input dialogs --------------------------------------
    void OnFluidParameters();
    void OnLossCalculator();
    void OnFlowUnits();
    void OnLocalLossList();

protected:
    void OnInitDialog() override;
    void ModelChanged() override;

private:
    CPressureFlowPageModel pageModel;
    // The picture's operating point and the chart chosen.
    CChartLink chartLink;
    CPicturePressureFlow* picture = nullptr;
};
