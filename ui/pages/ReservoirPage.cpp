#include "ui/pages/ReservoirPage.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "pictures/scene/PictureScene.h"
#include "reports/PrintDrivers.h"
#include "ui/controls/ColorControls.h"
#include "ui/dialogs/ImportDlg.h"

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
    : CPicturePageView(a, kInfo, pageModel, parent), pageModel(a)
{
    // ---- data ------------------------------------------------------------------
    QGroupBox* dataGroup = MakeGroup(1049);
    QGridLayout* g = MakeGrid(dataGroup);
    int row = 0;
    // The product list, its SN filter and the fixed parameter come first.
    g->addWidget(MakeLabel(1059), row++, 0, 1, 4);
    g->addWidget(MakeCombo(TankIds::TypeList), row++, 0, 1, 4);
    g->addWidget(new QLabel(QStringLiteral("SN:"), this), row, 0);
    QComboBox* stiffness = MakeCombo(TankIds::StiffnessList);
    stiffness->setMinimumContentsLength(5);
    g->addWidget(stiffness, row++, 1, 1, 2);
    // The two radios stand under their caption: beside it they would widen
    // the data at the cost of the results' captions.
    g->addWidget(MakeLabel(1063), row++, 0, 1, 4);
    auto* modes = new QHBoxLayout;
    modes->setContentsMargins(12, 0, 0, 0);
    AddRadioGroup(TankIds::ModeVolume, {TankIds::ModeVolume, TankIds::ModeLength});
    modes->addWidget(Control(TankIds::ModeVolume));
    modes->addWidget(Control(TankIds::ModeLength));
    modes->addStretch(1);
    g->addLayout(modes, row++, 0, 1, 4);
    // Volume and length: the fixed one is highlighted.
    for (const auto& [label, field, unit] : {std::tuple{TankIds::CapacityLabel, TankIds::Capacity, 1067},
                                             std::tuple{TankIds::LengthLabel, TankIds::Length, 1070}}) {
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
    s->addLayout(MakeSoilRow(TankIds::SoilName, TankIds::SoilButton, [this] { OnChooseSoil(); }), row++, 0, 1, 4);
    AddFieldRows(s, TankIds::SoilRows, row);

    // ---- results -----------------------------------------------------------------
    QGroupBox* results = MakeGroup(1119);
    QGridLayout* r = MakeGrid(results);
    row = AddFieldRows(r, 1119);
    r->setRowStretch(row, 1);
    // The conclusion stands under the soil, beside the results.
    CColorStatic* conclusion = MakeColorText(TankIds::Conclusion);
    conclusion->setMinimumHeight(34);
    conclusion->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* verdict = new QVBoxLayout;
    verdict->setContentsMargins(6, 0, 6, 0);
    verdict->setSpacing(2);
    verdict->addWidget(MakeLabel(1146));
    verdict->addWidget(conclusion);
    // No field of this page has a "?" button: the grids give that column to
    // the captions.
    for (QGridLayout* grid : {g, s, r})
        grid->setColumnMinimumWidth(3, 0);
    // The units of the data and the results are short.
    for (QGridLayout* grid : {g, r})
        grid->setColumnMinimumWidth(2, 0);

    // ---- picture, note, number and name, store buttons -------------------------
    // The picture at the size its scene is drawn for: the long view with its
    // break and the cross-section side by side need the width of the form.
    // Its printout is the screen drawing at ten times that size.
    picture = new CPictureReservoir(*this, this);
    const PictureSize size = PictureControlSize(KindTank);
    picture->setFixedSize(size.width, size.height);
    RegisterControl(TankIds::Picture, picture, false);
    // The note on the anchoring stands under the data, where its three lines
    // have room.
    CColorStatic* note = MakeColorText(TankIds::Note);

    // Number, name and the store buttons stand in a column beside the picture.
    auto* entry = new QVBoxLayout;
    entry->setContentsMargins(0, 0, 0, 0);
    entry->setSpacing(3);
    auto* number = new QLineEdit(this);
    MarkNotTyped(number);
    number->setFixedWidth(60);
    RegisterControl(TankIds::Number, number, false);
    entry->addWidget(MakeLabel(1616));
    entry->addWidget(number, 0, Qt::AlignLeft);
    entry->addWidget(MakeLabel(1617));
    auto* name = new QLineEdit(this);
    RegisterControl(TankIds::Name, name, false);
    AddPulled(TankIds::Name);
    entry->addWidget(name);
    entry->addSpacing(6);
    entry->addWidget(MakeStoreButton(info.addId));
    entry->addWidget(MakeStoreButton(info.updateId));
    QPushButton* project = MakeStoreButton(info.projectId);
    project->setFixedSize(28, 24);
    entry->addWidget(project, 0, Qt::AlignLeft);
    entry->addStretch(1);

    auto* anchoring = new QVBoxLayout;
    anchoring->addWidget(soil);
    anchoring->addLayout(verdict);
    anchoring->addStretch(1);
    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    top->addLayout(anchoring, 0);
    top->addWidget(results, 1);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    bottom->addWidget(picture, 0, Qt::AlignTop);
    bottom->addLayout(entry, 1);
    auto* side = new QVBoxLayout;
    side->setSpacing(6);
    side->addLayout(top, 1);
    side->addLayout(bottom);

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(6);
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(dataGroup, 1);
    left->addWidget(note);
    page->addLayout(left, 0);
    page->addLayout(side, 1);
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
    const CImportModel& import = dlg.Model();
    if (import.Ticked(CImportModel::kDiameterBox))
        Run([this, &import] { pageModel.SelectImportedProduct(import.sourceInnerDiameter, import.sourceStiffness); });
}

void CReservoirPage::AfterImport(const CImportDlg&)
{
    Pull();
    pageModel.SetText(TankIds::FillLevel, pageModel.Text(TankIds::GroundLevel));
}

void CReservoirPage::Print()
{
    picture->BuildPrintMetafile();
    PrintTank(app, this);
}

void CReservoirPage::OnChooseSoil()
{
    ChooseSoil(app.working.tank);
}
