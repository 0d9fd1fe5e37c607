// The tank page (kind 1, first tab): a horizontal underground tank of a
// catalogue type checked against uplift, with the anchoring to concrete slabs
// it needs, worked out on every Enter, Tab or click in the page.
#pragma once

#include "core/pages/TankPageModel.h"
#include "ui/pages/PicturePageView.h"

class CReservoirPage : public CPicturePageView {
    Q_OBJECT
public:
    explicit CReservoirPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;

    CTankPageModel& Model() { return pageModel; }
    CPictureReservoir* Picture() const { return picture; }

    void Print() override;
    bool CanPrint() const override { return true; }
    // An imported diameter chooses the tank of that inner diameter and SN.
    void BeforeImport(const CImportDlg& dlg) override;
    // The imported texts are the page's; the fill level takes the ground
    // level's text.
    void AfterImport(const CImportDlg& dlg) override;
    void OnChooseSoil();

protected:
    void OnInitDialog() override;
    void OnSetActive() override;
    void ModelChanged() override;

private:
    CTankPageModel pageModel;
    CPictureReservoir* picture = nullptr;
};
