// The gravity-flow page (kind 4): a sewer section of a chosen pipe, its fluid
// and two of slope, filling and flow; it works out the pipe diameter, the
// slope, the flow or the filling, with the losses, the end level, the
// minimum slopes and a verdict, on every Enter, Tab or click in the page.
// What it does lives in CGravityFlowPageModel; this class is its widgets.
#pragma once

#include "core/pages/GravityFlowPageModel.h"
#include "ui/pages/PicturePageView.h"

#include <QColor>

class CGravityFlowPage : public CPageView {
    Q_OBJECT
public:
    explicit CGravityFlowPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;

    CGravityFlowPageModel& Model() { return pageModel; }

    // ---- handlers -----------------------------------------------------------
    // The radios of the sought quantity: 0 diameter, 1 slope, 2 flow, 3 filling.
    void OnTarget(int mode);
    void OnFluidParameters();
    void OnFlowUnits();

    // File Print: the filling chart records the print picture, then the
    // gravity-flow printout runs (title, print dialog, one page).
    void Print() override;
    bool CanPrint() const override { return true; }

    // The filling chart, in the "Diagram" group.
    CPictureGravityFlow* FillingChart() const { return picture; }

    // Every recalculation of the page, whatever started it (for tests).
    int Recalculations() const { return pageModel.Recalculations(); }

    // The operating point the diagram shows: filling h/D, velocity in m/s and
    // flow in m3/s. The recalculation sets it from the results.
    const double& opFilling;
    const double& opVelocity;
    const double& opFlow;

    // The highlight of the sought quantity and the verdict colours.
    static const QColor kSoughtColor;
    static const QColor kMetColor;
    static const QColor kFailedColor;

protected:
    void OnInitDialog() override;
    void ModelChanged() override;

private:
    CGravityFlowPageModel pageModel;
    CChartLink chartLink;
    CPictureGravityFlow* picture = nullptr;
};
