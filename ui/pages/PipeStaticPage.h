// The buried-pipe page (kind 3): a pipe of the catalogue laid in a trench
// under soil and traffic, checked for deflection, load and uplift on every
// Enter, Tab or click in the page. What it does lives in
// CBuriedPipePageModel; this class is its widgets and its trench picture.
#pragma once

#include "core/pages/BuriedPipePageModel.h"
#include "ui/pages/PicturePageView.h"

#include <QColor>
#include <QHash>

class QCheckBox;

class CPipeStaticPage : public CPicturePageView {
    Q_OBJECT
public:
    explicit CPipeStaticPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;

    CBuriedPipePageModel& Model() { return pageModel; }

    void BeforeImport(const CImportDlg& dlg) override;
    void AfterImport(const CImportDlg& dlg) override;
    // The trench picture records itself, then the printout runs.
    void Print() override;
    bool CanPrint() const override { return true; }

    CPicturePipe* Picture() const { return picture; }

    void OnSoilButton();

protected:
    void OnInitDialog() override;
    void ModelChanged() override;

private:
    CBuriedPipePageModel pageModel;
    QHash<int, QCheckBox*> checkBoxes;
    CPicturePipe* picture = nullptr;
};
