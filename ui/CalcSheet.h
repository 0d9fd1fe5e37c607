// The calculation sheet: five pages on tabs below them (tank, manhole, buried
// pipe, pressure flow, gravity flow), the relabelling on a language change and
// the document's commands on the active page: refresh after a new project,
// load back after the project manager, import.
#pragma once

#include <QWidget>

#include <array>
#include <vector>

class CDalvorApp;
class CCalcPage;
class CImportDlg;
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
    // The import of values from another stored calculation: the import
    // dialog, then on OK the ticked values into the active page. Only the
    // tank, manhole and buried-pipe pages take values; on any other page
    // nothing happens.
    void ImportIntoActivePage();
    bool ImportAvailable() const { return true; }
    static bool TakesImport(int kind);
    // The copy after OK: the page's steps before, each ticked value's text
    // into the page's edit of its quantity, the page's steps after, data to
    // the controls and a recalculation.
    static void ImportInto(CCalcPage* page, const CImportDlg& dlg);
    // Where a ticked value goes on the page of a kind: the check box, the
    // dialog's value field and the page's edit, in the order of copying (of
    // two values for one edit the later wins). Diameters going to a product
    // or size list are the pages' own steps and are not listed.
    struct ImportCopy {
        int kind;
        int box;
        int field;
        int target;
    };
    static const std::vector<ImportCopy>& ImportCopies();
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
