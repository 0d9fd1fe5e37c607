// ui/sheet: the calculation sheet and what every page and input dialog is
// built on (the page base, the page view over a page model, the input-dialog
// base). It includes ui/base, ui/controls and the core; it knows none of the
// pages or dialogs built on it.
//
// The calculation sheet: five pages on tabs below them (tank, manhole, buried
// pipe, pressure flow, gravity flow), the relabelling on a language change and
// the document's commands on the active page: refresh after a new project,
// load back after the project manager.
#pragma once

#include <QWidget>

#include <array>
#include <vector>

class CDalvorApp;
class CCalcPage;
class CTabCtrlEx;
class QStackedWidget;

class CCalcSheet : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPageCount = 5;
    // The sheet takes the five pages in tab order (tank, manhole, buried pipe,
    // pressure flow, gravity flow) and becomes their parent.
    CCalcSheet(CDalvorApp& app, const std::array<CCalcPage*, kPageCount>& pages, QWidget* parent = nullptr);

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
    // At start-up: the active page's lists, inputs and results.
    void RefreshActivePage();
    // After a new project, whose working records are all new: every page
    // shown so far shows its own again, lists, inputs, results and picture
    // (a page not shown yet does so when it is first shown).
    void NewProject();
    // The project manager on the active page's kind, then, when something was
    // done in it (or with reload, after a store), the kind's working record
    // from its defaults and the current stored record, shown and
    // recalculated; true when the page was so reloaded. A manager only looked
    // at leaves the page's inputs as they stand.
    bool ManageProject(bool reload = false);
    // The import command is offered on every page; only the tank, manhole and
    // buried-pipe pages take values.
    bool ImportAvailable() const { return true; }
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
