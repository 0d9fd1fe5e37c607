// The manhole page (kind 2): a sewer manhole of a catalogue type checked
// against uplift in saturated backfill, with the heavy bottom or the anchoring
// it needs, worked out on every Enter, Tab or click in the page.
#pragma once

#include "ManholePageModel.h"
#include "UpliftPageView.h"

#include <memory>

class QFrame;

class CManholePage : public CUpliftPageView {
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

private:
    std::unique_ptr<CManholePageModel> model;
    QFrame* picture = nullptr;
    int recalculations = 0;
};
