#include "ui/sheet/CalcSheet.h"

#include "core/app/DalvorApp.h"
#include "core/project/CalcKinds.h"
#include "ui/base/UiText.h"
#include "ui/controls/TabCtrlEx.h"
#include "ui/sheet/CalcPage.h"

#include <QLineEdit>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

CCalcSheet::CCalcSheet(CDalvorApp& a, const std::array<CCalcPage*, kPageCount>& sheetPages, QWidget* parent)
    : QWidget(parent), app(a), pages(sheetPages)
{
    setObjectName(QStringLiteral("CalcSheet"));
    stack = new QStackedWidget(this);
    stack->setFrameShape(QFrame::StyledPanel);
    tabCtrl = new CTabCtrlEx(this);

    for (CCalcPage* page : pages) {
        page->SetSheet(this);
        stack->addWidget(page);
        tabCtrl->addTab(QString());
    }
    // The tabs run below the pages.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(stack, 1);
    layout->addWidget(tabCtrl);
    // Adding the first tab selects it; the pages are activated from here on.
    connect(tabCtrl, &CTabCtrlEx::currentChanged, this, &CCalcSheet::OnCurrentChanged);

    // Ctrl+Tab and Ctrl+Page Down go to the next page, with Shift or Page Up
    // to the previous one, as in any tabbed dialog.
    auto step = [this](int by) {
        if (activeTab >= 0)
            tabCtrl->setCurrentIndex((activeTab + by + kPageCount) % kPageCount);
    };
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}) {
        auto* next = new QShortcut(keys, this);
        next->setContext(Qt::WidgetWithChildrenShortcut);
        connect(next, &QShortcut::activated, this, [step] { step(1); });
    }
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::Key_PageUp)}) {
        auto* previous = new QShortcut(keys, this);
        previous->setContext(Qt::WidgetWithChildrenShortcut);
        connect(previous, &QShortcut::activated, this, [step] { step(-1); });
    }
}

void CCalcSheet::setCurrentIndex(int index)
{
    tabCtrl->setCurrentIndex(index);
}

QString CCalcSheet::tabText(int index) const
{
    return tabCtrl->tabText(index);
}

CCalcPage* CCalcSheet::Page(int tab) const
{
    return tab >= 0 && tab < kPageCount ? pages[static_cast<std::size_t>(tab)] : nullptr;
}

CCalcPage* CCalcSheet::ActivePage() const
{
    return Page(activeTab);
}

CCalcPage* CCalcSheet::PageOfKind(int kind) const
{
    for (CCalcPage* page : pages)
        if (page->Kind() == kind)
            return page;
    return nullptr;
}

void CCalcSheet::OnInitDialog()
{
    tabCtrl->setCurrentIndex(0);
    OnCurrentChanged(0);
    SetLanguage(app.languageOffset);
}

void CCalcSheet::OnCurrentChanged(int index)
{
    if (index == activeTab && ActivePage() && ActivePage()->IsActivePage())
        return;
    if (CCalcPage* old = ActivePage())
        old->Deactivate();
    activeTab = index;
    if (CCalcPage* page = ActivePage()) {
        stack->setCurrentWidget(page);
        page->Activate();
        emit activePageChanged(page->Kind());
    }
}

void CCalcSheet::SetLanguage(int offset)
{
    if (CCalcPage* page = ActivePage()) {
        page->Recalculate();
        page->ApplyLanguage(offset);
    }
    // The tab captions follow the application's language.
    for (int i = 0; i < kPageCount; ++i)
        tabCtrl->setTabText(i, LangText(app, pages[static_cast<std::size_t>(i)]->Info().dialogId));
}

void CCalcSheet::ShowWorkingRecord(CCalcPage* page)
{
    if (!page)
        return;
    // The lists follow the record before the page shows and recalculates it;
    // the store buttons follow the stored calculations.
    page->FillLists();
    page->ShowInputs(0);
    page->DataToControls();
    page->Recalculate();
    page->UpdateStoreButtons();
}

void CCalcSheet::RefreshActivePage()
{
    // The new project reset the working record: the page shows it as after
    // the project manager.
    ShowWorkingRecord(ActivePage());
}

void CCalcSheet::NewProject()
{
    // A page's lists would otherwise go on showing the pipe of its previous
    // record, and an opened project's stored records keep its activation from
    // filling them again. The charts start from nothing, as at start-up, not
    // from the last pipe that had a result.
    app.gravityCalculator = CGravityFlowCalculator();
    app.pressureCalculator = CPressureFlowCalculator();
    for (CCalcPage* page : pages)
        if (page->IsInitialised())
            ShowWorkingRecord(page);
}

void CCalcSheet::ResetWorkingRecord(int kind)
{
    ForKindRecords(kind, [&](const auto& e) { e.reset(app.working.*e.working, app.tables); });
}

bool CCalcSheet::ManageProject(bool reload)
{
    const int kind = app.activeCalcKind;
    // A manager only looked at leaves the page's inputs as they were typed.
    if (!app.Host().RunManageProjectDlg(kind) && !reload)
        return false;
    // The kind's record from its defaults and the current stored record,
    // then the page shows it.
    ResetWorkingRecord(kind);
    app.LoadCurrentStoredCalc(kind);
    ShowWorkingRecord(PageOfKind(kind));
    return true;
}

void CCalcSheet::ProjectReplaced()
{
    // No record of the new project is current: every page shown so far drops
    // the previous project's number and name (its record is a new one now).
    for (CCalcPage* page : pages) {
        if (page->IsInitialised()) {
            page->ShowInputs(1);
            page->ShowResults();
            page->DataToControls();
        }
        page->UpdateStoreButtons();
    }
}
