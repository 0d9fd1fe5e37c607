// The manhole page (kind 2): a sewer manhole of a catalogue type checked
// against uplift in saturated backfill, with the heavy bottom or the anchoring
// it needs, worked out on every Enter, Tab or click in the page.
#pragma once

#include "ManholePageModel.h"
#include "PictureWidget.h"
#include "UpliftPageView.h"

#include <memory>

class CManholePage : public CUpliftPageView, public PictureHost {
    Q_OBJECT
public:
    explicit CManholePage(CDalvorApp& app, QWidget* parent = nullptr);
    ~CManholePage() override;
    static const CalcPageInfo kInfo;

    // ---- the page contract ------------------------------------------------
    void Recalculate() override;
    void ReadInputs() override;
    void ShowInputs(int resetNumber) override;
    void ShowResults() override;
    void ApplyLanguage(int offset) override;
    void Print() override;
    bool CanPrint() const override { return true; }

    // ---- the picture's host -------------------------------------------------
    CDalvorApp& PictureApp() override { return app; }
    PictureView& PictureViewState() override { return view; }
    void ShowInputs() override { ShowInputs(0); }
    CPictureManhole* Picture() const { return picture; }
    void FillLists() override;
    void ResetListsToFirst() override;
    void ResetNumberAndName() override;

    // ---- handlers -----------------------------------------------------------
    void OnTypeChanged(int selection);
    void OnOptionChanged();
    void OnChooseSoil();

    CManholePageModel& Model() const { return *model; }
    // Every recalculation of the page, whatever started it (for tests).
    int Recalculations() const { return recalculations; }

protected:
    void OnInitDialog() override;
    // The type names follow the catalogue of the language.
    void ReferenceReloaded() override { FillLists(); }

private:
    std::unique_ptr<CManholePageModel> model;
    // Ends the picture's drag when the reading moved a value, and lays the
    // picture out again.
    void FollowModel();
    CPictureManhole* picture = nullptr;
    PictureView view;
    int dragEnds = 0;
    int recalculations = 0;
};
