// The manhole page (kind 2): a sewer manhole of a catalogue type checked
// against uplift in saturated backfill, with the heavy bottom or the anchoring
// it needs, worked out on every Enter, Tab or click in the page.
#pragma once

#include "core/pages/ManholePageModel.h"
#include "ui/pages/PicturePageView.h"

class CManholePage : public CPicturePageView {
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
    // A drag step: the moved value shown; with a valid result the fields read
    // back, the buoyancy worked out on them and the results shown.
    void FollowDrag() override;

protected:
    void OnInitDialog() override;
    void ModelChanged() override;

private:
    CManholePageModel pageModel;
    CPictureManhole* picture = nullptr;
    int dragEnds = 0;
};
