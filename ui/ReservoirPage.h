// The tank page (kind 1, first tab): a horizontal underground tank of a
// catalogue type checked against uplift, with the anchoring to concrete slabs
// it needs, worked out on every Enter, Tab or click in the page.
#pragma once

#include "PictureWidget.h"
#include "TankPageModel.h"
#include "UpliftPageView.h"

#include <memory>

class CReservoirPage : public CUpliftPageView, public PictureHost {
    Q_OBJECT
public:
    explicit CReservoirPage(CDalvorApp& app, QWidget* parent = nullptr);
    ~CReservoirPage() override;
    static const CalcPageInfo kInfo;

    // ---- the page contract ------------------------------------------------
    void Recalculate() override;
    void ReadInputs() override;
    void ShowInputs(int resetNumber) override;
    void ShowResults() override;
    void ApplyLanguage(int offset) override;
    void Print() override;
    bool CanPrint() const override { return true; }
    // Shows the working record's own type in the lists, running no handler.
    void FillLists() override;
    void ResetListsToFirst() override;
    void ResetNumberAndName() override;
    // An imported diameter chooses the tank of that inner diameter and SN.
    void BeforeImport(const CImportDlg& dlg) override;
    // The fill level takes the ground level's text.
    void AfterImport(const CImportDlg& dlg) override;

    // Index of the last tank type of that inner diameter (mm) and SN, or -1.
    int FindTableRow(double innerDiameter, double stiffness) const;

    // ---- handlers -----------------------------------------------------------
    void OnProductChanged(int selection);
    void OnSelchangeStiffness(int selection);
    void OnSelchangeAnchorCount(int selection);
    void OnSelectionMode(int mode);
    void OnChooseSoil();

    // ---- the picture's host -------------------------------------------------
    CDalvorApp& PictureApp() override { return app; }
    PictureView& PictureViewState() override { return view; }
    void ShowInputs() override { ShowInputs(0); }
    CPictureReservoir* Picture() const { return picture; }

    CTankPageModel& Model() const { return *model; }
    int Recalculations() const { return recalculations; }

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    // The model's lists into the three list controls, then everything else.
    void Show();
    void ReferenceReloaded() override;

    std::unique_ptr<CTankPageModel> model;
    CPictureReservoir* picture = nullptr;
    PictureView view;
    int recalculations = 0;
};
