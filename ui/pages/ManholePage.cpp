#include "ui/pages/ManholePage.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "reports/PrintDrivers.h"
#include "ui/controls/ColorControls.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

const CalcPageInfo CManholePage::kInfo = {KindManhole, 108, 1555, 1556, 1610, "manhole"};

CManholePage::CManholePage(CDalvorApp& a, QWidget* parent)
    : CPicturePageView(a, kInfo, pageModel, parent), pageModel(a)
{
    // ---- data ------------------------------------------------------------------
    QGroupBox* dataGroup = MakeGroup(ManholeIds::DataGroup);
    QGridLayout* g = MakeGrid(dataGroup);
    int row = AddFieldRows(g, ManholeIds::DataGroup);
    g->addWidget(MakeCheckBox(ManholeIds::SandTrap), row++, 0, 1, 4);
    row = AddFieldRows(g, ManholeIds::SandTrapRows, row);
    g->addWidget(MakeCheckBox(ManholeIds::Reinforced), row++, 0, 1, 4);
    g->addWidget(MakeLabel(1170), row++, 0, 1, 4);
    g->addLayout(MakeSoilRow(ManholeIds::SoilName, ManholeIds::SoilButton, [this] { OnChooseSoil(); }), row++, 0, 1, 4);
    row = AddFieldRows(g, ManholeIds::SoilRows, row);
    g->setRowStretch(row, 1);

    // ---- results -----------------------------------------------------------------
    QGroupBox* results = MakeGroup(ManholeIds::ResultGroup);
    QGridLayout* r = MakeGrid(results);
    row = AddFieldRows(r, ManholeIds::ResultGroup);
    r->addWidget(MakeLabel(1210), row++, 0, 1, 4);
    CColorStatic* conclusion = MakeColorText(ManholeIds::Conclusion);
    conclusion->setMinimumHeight(40);
    r->addWidget(conclusion, row++, 0, 1, 4);
    r->addWidget(MakeColorText(ManholeIds::MadeToOrder), row++, 0, 1, 4);
    r->setRowStretch(row, 1);

    // ---- picture, number and name, store buttons -------------------------------
    picture = new CPictureManhole(*this, this);
    picture->setMinimumSize(220, 240);
    RegisterControl(ManholeIds::Picture, picture, false);

    auto* entry = new QGridLayout;
    entry->setContentsMargins(6, 2, 6, 2);
    auto* number = new QLineEdit(this);
    MarkNotTyped(number);
    number->setFixedWidth(60);
    RegisterControl(ManholeIds::Number, number, false);
    entry->addWidget(MakeLabel(1627), 0, 0);
    entry->addWidget(number, 0, 1, Qt::AlignLeft);
    entry->addWidget(MakeLabel(1628), 1, 0);
    auto* name = new QLineEdit(this);
    name->setMinimumWidth(160);
    RegisterControl(ManholeIds::Name, name, false);
    AddPulled(ManholeIds::Name);
    entry->addWidget(name, 1, 1);
    entry->setColumnStretch(1, 1);

    auto* side = new QVBoxLayout;
    side->addWidget(picture, 1);
    side->addLayout(entry);
    side->addLayout(MakeStoreButtons());

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(6);
    page->addWidget(dataGroup, 5);
    page->addWidget(results, 5);
    page->addLayout(side, 4);
}

void CManholePage::OnInitDialog()
{
    CCalcPage::OnInitDialog();
    Run([this] { pageModel.OnInitDialog(); });
}

void CManholePage::ModelChanged()
{
    // A reading that moved a value ends the picture's drag.
    if (pageModel.DragEnds() != dragEnds) {
        dragEnds = pageModel.DragEnds();
        picture->CancelDrag();
    }
    picture->SetLayoutDirty();
}

void CManholePage::AfterImport(const CImportDlg&)
{
    Pull();
}

void CManholePage::Print()
{
    picture->BuildPrintMetafile();
    PrintManhole(app, this);
}

void CManholePage::OnChooseSoil()
{
    ChooseSoil(app.working.manhole);
}

void CManholePage::FollowDrag()
{
    CPageView::ShowInputs(0);
    if (pageModel.ResultValid()) {
        CPageView::ReadInputs();
        app.CalcManholeBuoyancy();
        CPageView::ShowResults();
    }
}
