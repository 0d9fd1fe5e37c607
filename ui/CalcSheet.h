// The calculation sheet: five pages on tabs below them (tank, manhole, buried
// pipe, pressure flow, gravity flow), the relabelling on a language change and
// the document's commands on the active page: refresh after a new project,
// load back after the project manager, import.
#pragma once

#include <QWidget>

#include <array>

class CDalvorApp;
class CCalcPage;
class CTabCtrlEx;
class QStackedWidget;

class CCalcSheet : public QWidget {
    Q_OBJECT
public:
    explicit CCalcSheet(CDalvorApp& app, QWidget* parent = nullptr);

    static constexpr int kPageCount = 5;
    CCalcPage* Page(int tab) const;
    CCalcPage* ActivePage() const;
    CCalcPage* PageOfKind(int kind) const;
    CTabCtrlEx* TabCtrl() const { return tabCtrl; }
    int count() const { return kPageCount; }
    int currentIndex() const { return activeTab; }
    // Selects a tab as a click on it does.
    void setCurrentIndex(int index);
    QString tabText(int index) const;

    // The sheet's initialisation once its pages are in: page 0 activated,
    // then the texts of the current language.
    void OnInitDialog();
    // Relabels the active page (after a recalculation) and the five tabs.
    void SetLanguage(int offset);
    // After a new project: the active page's lists, inputs and results.
    void RefreshActivePage();
    // The project manager on the active page's kind, then the kind's working
    // record from its defaults and the current stored record, shown and
    // recalculated; however the manager was closed.
    void ManageProject();
    // The import of values from another stored calculation. It is offered
    // only when the import dialog exists (see ImportAvailable).
    void ImportIntoActivePage();
    bool ImportAvailable() const { return false; }
    // After a project was opened or replaced: the pages' store buttons follow
    // the stored counts.
    void ProjectReplaced();

signals:
    // A page became active (its kind).
    void activePageChanged(int kind);

private:
    void OnCurrentChanged(int index);
    void ResetWorkingRecord(int kind);
    // A page shows its kind's working record again: lists, inputs, controls,
    // a recalculation and the store buttons.
    void ShowWorkingRecord(CCalcPage* page);

    CDalvorApp& app;
    QStackedWidget* stack;
    CTabCtrlEx* tabCtrl;
    std::array<CCalcPage*, kPageCount> pages{};
    int activeTab = -1;
};
