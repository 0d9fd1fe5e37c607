#include "ReservoirPage.h"

#include "CalcKind.h"
#include "ColorControls.h"
#include "DalvorApp.h"
#include "ImportDlg.h"
#include "PrintDrivers.h"
#include "SelectSoilDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

const CalcPageInfo CReservoirPage::kInfo = {KindTank, 109, 1553, 1554, 1609, "tank"};

CReservoirPage::CReservoirPage(CDalvorApp& a, QWidget* parent)
    : CPageView(a, kInfo, pageModel, parent), pageModel(a)
{
    // ---- data ------------------------------------------------------------------
    QGroupBox* dataGroup = MakeGroup(1049);
    QGridLayout* g = MakeGrid(dataGroup);
    int row = 0;
    // The product list, its SN filter and the fixed parameter come first.
    g->addWidget(MakeLabel(1059), row++, 0, 1, 4);
    g->addWidget(MakeCombo(TkTypeList), row++, 0, 1, 4);
    g->addWidget(new QLabel(QStringLiteral("SN:"), this), row, 0);
    QComboBox* stiffness = MakeCombo(TkStiffnessList);
    stiffness->setMinimumContentsLength(5);
    g->addWidget(stiffness, row++, 1, 1, 2);
    g->addWidget(MakeLabel(1063), row, 0);
    auto* modes = new QHBoxLayout;
    AddRadioGroup(TkModeVolume, {TkModeVolume, TkModeLength});
    modes->addWidget(Control(TkModeVolume));
    modes->addWidget(Control(TkModeLength));
    g->addLayout(modes, row++, 1, 1, 3);
    // Volume and length: the fixed one is highlighted.
    for (const auto& [label, field, unit] : {std::tuple{TkCapacityLabel, TkCapacity, 1067},
                                             std::tuple{TkLengthLabel, TkLength, 1070}}) {
        auto* caption = new CColorStatic(this);
        RegisterControl(label, caption);
        auto* edit = new CColorEdit(this);
        edit->setFixedWidth(kFieldWidth);
        RegisterControl(field, edit, false);
        AddPulled(field);
        g->addWidget(caption, row, 0);
        g->addWidget(edit, row, 1);
        g->addWidget(MakeLabel(unit), row++, 2);
    }
    row = AddFieldRows(g, 1049, row);
    g->setRowStretch(row, 1);

    auto* soil = new QWidget(this);
    QGridLayout* s = MakeGrid(soil);
    row = 0;
    s->addWidget(MakeLabel(1098), row++, 0, 1, 4);
    auto* soilRow = new QHBoxLayout;
    auto* soilName = new QLineEdit(this);
    soilName->setMinimumWidth(120);
    RegisterControl(TkSoilName, soilName, false);
    AddPulled(TkSoilName);
    soilRow->addWidget(soilName, 1);
    auto* soilButton = new QPushButton(this);
    RegisterControl(TkSoilButton, soilButton);
    soilRow->addWidget(soilButton);
    s->addLayout(soilRow, row++, 0, 1, 4);
    AddFieldRows(s, TkSoilRows, row);

    // ---- results -----------------------------------------------------------------
    QGroupBox* results = MakeGroup(1119);
    QGridLayout* r = MakeGrid(results);
    row = AddFieldRows(r, 1119);
    r->addWidget(MakeLabel(1146), row++, 0, 1, 4);
    auto* conclusion = new CColorStatic(this);
    conclusion->setWordWrap(true);
    conclusion->setMinimumHeight(40);
    RegisterControl(TkConclusion, conclusion, false);
    r->addWidget(conclusion, row++, 0, 1, 4);
    r->setRowStretch(row, 1);

    // ---- picture, note, number and name, store buttons -------------------------
    picture = new CPictureReservoir(*this, this);
    picture->setMinimumSize(220, 240);
    RegisterControl(TkPicture, picture, false);
    // The note on the anchoring stands under the picture, where its three
    // lines have room.
    auto* note = new CColorStatic(this);
    note->setWordWrap(true);
    RegisterControl(TkNote, note, false);

    auto* entry = new QGridLayout;
    entry->setContentsMargins(6, 2, 6, 2);
    auto* number = new QLineEdit(this);
    number->setReadOnly(true);
    number->setFocusPolicy(Qt::NoFocus);
    number->setFixedWidth(60);
    RegisterControl(TkNumber, number, false);
    entry->addWidget(MakeLabel(1616), 0, 0);
    entry->addWidget(number, 0, 1, Qt::AlignLeft);
    entry->addWidget(MakeLabel(1617), 1, 0);
    auto* name = new QLineEdit(this);
    name->setMinimumWidth(160);
    RegisterControl(TkName, name, false);
    AddPulled(TkName);
    entry->addWidget(name, 1, 1);
    entry->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 2, 6, 2);
    buttons->addWidget(MakeStoreButton(info.addId));
    buttons->addWidget(MakeStoreButton(info.updateId));
    QPushButton* project = MakeStoreButton(info.projectId);
    project->setFixedSize(28, 24);
    buttons->addWidget(project);

    auto* middle = new QVBoxLayout;
    middle->addWidget(soil);
    middle->addWidget(results, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(picture, 1);
    side->addWidget(note);
    side->addLayout(entry);
    side->addLayout(buttons);

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(6);
    page->addWidget(dataGroup, 5);
    page->addLayout(middle, 5);
    page->addLayout(side, 4);

    connect(soilButton, &QPushButton::clicked, this, &CReservoirPage::OnChooseSoil);
}

int CReservoirPage::FindTableRow(double innerDiameter, double stiffness) const
{
    return pageModel.FindTableRow(innerDiameter, stiffness);
}

void CReservoirPage::OnInitDialog()
{
    CCalcPage::OnInitDialog();
    Run([this] { pageModel.OnInitDialog(); });
}

void CReservoirPage::OnSetActive()
{
    CPageView::OnSetActive();
    Recalculate();
}

void CReservoirPage::ModelChanged()
{
    picture->SetLayoutDirty();
}

void CReservoirPage::BeforeImport(const CImportDlg& dlg)
{
    if (dlg.Ticked(CImportDlg::kDiameterBox))
        Run([this, &dlg] { pageModel.SelectImportedProduct(dlg.sourceInnerDiameter, dlg.sourceStiffness); });
}

void CReservoirPage::AfterImport(const CImportDlg&)
{
    Pull();
    pageModel.SetText(TkFillLevel, pageModel.Text(TkGroundLevel));
}

void CReservoirPage::Print()
{
    picture->BuildPrintMetafile();
    PrintTank(app, this);
}

void CReservoirPage::OnChooseSoil()
{
    CPageView::ReadInputs();
    // Cancel keeps the soil; the page is shown and worked out either way.
    CSelectSoilDlg::ChooseSoil(app, app.tank, this);
    CPageView::ShowInputs(0);
    Recalculate();
}
