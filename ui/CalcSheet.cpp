#include "CalcSheet.h"

#include "CalcPage.h"
#include "CalcKinds.h"
#include "DalvorApp.h"
#include "GravityFlowPage.h"
#include "ImportDlg.h"
#include "ManholePage.h"
#include "PipeStaticPage.h"
#include "PressureFlowPage.h"
#include "ReservoirPage.h"
#include "TabCtrlEx.h"
#include "UiText.h"

#include <QLineEdit>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

CCalcSheet::CCalcSheet(CDalvorApp& a, QWidget* parent) : QWidget(parent), app(a)
{
    setObjectName(QStringLiteral("CalcSheet"));
    stack = new QStackedWidget(this);
    stack->setFrameShape(QFrame::StyledPanel);
    tabCtrl = new CTabCtrlEx(this);

    pages = {new CReservoirPage(app), new CManholePage(app), new CPipeStaticPage(app),
             new CPressureFlowPage(app), new CGravityFlowPage(app)};
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

void CCalcSheet::ResetWorkingRecord(int kind)
{
    ForKindRecords(kind, [&](const auto& e) { (app.*e.reset)(); });
}

void CCalcSheet::ManageProject()
{
    const int kind = app.activeCalcKind;
    app.Host().RunManageProjectDlg(kind);
    // Whatever the manager's result: the kind's record from its defaults and
    // the current stored record, then the page shows it.
    ResetWorkingRecord(kind);
    app.LoadCurrentStoredCalc(kind);
    ShowWorkingRecord(PageOfKind(kind));
}

bool CCalcSheet::TakesImport(int kind)
{
    return kind == KindTank || kind == KindManhole || kind == KindBuriedPipe;
}

const std::vector<CCalcSheet::ImportCopy>& CCalcSheet::ImportCopies()
{
    using D = CImportDlg;
    static const std::vector<ImportCopy> copies = {
        {KindTank, D::kGroundLevelBox, D::kGroundLevelText, 1086},
        {KindTank, D::kWaterLevelBox, D::kWaterLevelText, 1089},
        {KindTank, D::kFoundationLevelBox, D::kFoundationLevelText, 1092},
        // The tank's bottom wins over a pipe's bottom.
        {KindTank, D::kPipeBottomBox, D::kPipeBottomText, 1634},
        {KindTank, D::kTankBottomBox, D::kTankBottomText, 1634},
        {KindTank, D::kSoilBox, D::kSoilNameText, 1100},
        {KindTank, D::kSoilBox, D::kUnitWeightText, 1102},
        {KindTank, D::kSoilBox, D::kPorosityText, 1105},
        {KindTank, D::kSoilBox, D::kFrictionAngleText, 1108},
        {KindTank, D::kSoilBox, D::kCohesionText, 1111},

        {KindManhole, D::kGroundLevelBox, D::kGroundLevelText, 1162},
        {KindManhole, D::kWaterLevelBox, D::kWaterLevelText, 1165},
        {KindManhole, D::kFoundationLevelBox, D::kFoundationLevelText, 1168},
        {KindManhole, D::kDiameterBox, D::kDiameterText, 1156},
        // The soil's name goes into the name edit beside the soil button.
        {KindManhole, D::kSoilBox, D::kSoilNameText, 1172},
        {KindManhole, D::kSoilBox, D::kUnitWeightText, 1174},
        {KindManhole, D::kSoilBox, D::kPorosityText, 1177},
        {KindManhole, D::kSoilBox, D::kFrictionAngleText, 1180},
        {KindManhole, D::kSoilBox, D::kCohesionText, 1183},

        {KindBuriedPipe, D::kGroundLevelBox, D::kGroundLevelText, 1229},
        {KindBuriedPipe, D::kWaterLevelBox, D::kWaterLevelText, 1241},
        {KindBuriedPipe, D::kFoundationLevelBox, D::kFoundationLevelText, 1238},
        // A pipe's bottom wins over a tank's bottom.
        {KindBuriedPipe, D::kTankBottomBox, D::kTankBottomText, 1232},
        {KindBuriedPipe, D::kPipeBottomBox, D::kPipeBottomText, 1232},
        {KindBuriedPipe, D::kSoilBox, D::kSoilNameText, 1244},
        {KindBuriedPipe, D::kSoilBox, D::kCompactionText, 1246},
        {KindBuriedPipe, D::kSoilBox, D::kUnitWeightText, 1249},
        {KindBuriedPipe, D::kSoilBox, D::kPorosityText, 1023},
    };
    return copies;
}

void CCalcSheet::ImportInto(CCalcPage* page, const CImportDlg& dlg)
{
    if (!page || !TakesImport(page->Kind()))
        return;
    page->BeforeImport(dlg);
    for (const ImportCopy& c : ImportCopies())
        if (c.kind == page->Kind() && dlg.Ticked(c.box))
            if (auto* edit = qobject_cast<QLineEdit*>(page->Control(c.target)))
                edit->setText(dlg.ValueText(c.field));
    page->AfterImport(dlg);
    page->DataToControls();
    page->Recalculate();
}

void CCalcSheet::ImportIntoActivePage()
{
    // The gravity-flow and pressure-flow pages take nothing: the dialog
    // would have nothing to do there.
    CCalcPage* page = ActivePage();
    if (!page || !TakesImport(page->Kind()))
        return;
    CImportDlg dlg(app, window());
    if (dlg.exec() != QDialog::Accepted)
        return;
    ImportInto(page, dlg);
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
