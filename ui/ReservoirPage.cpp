#include "ReservoirPage.h"

#include "CalcKind.h"
#include "DalvorApp.h"
#include "ImportDlg.h"
#include "PrintDrivers.h"
#include "SelectSoilDlg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

const CalcPageInfo CReservoirPage::kInfo = {KindTank, 109, 1553, 1554, 1609, "tank"};

namespace {

QStringList ToList(const std::vector<std::u16string>& items)
{
    QStringList out;
    for (const std::u16string& s : items)
        out << QString::fromStdU16String(s);
    return out;
}

}  // namespace

CReservoirPage::CReservoirPage(CDalvorApp& a, QWidget* parent)
    : CUpliftPageView(a, kInfo, parent), model(std::make_unique<CTankPageModel>(a))
{
    SetModel(model.get());
    auto readOnly = [this](int id) {
        QLineEdit* e = MakeEdit(id);
        e->setReadOnly(true);
        model->SetEnabled(id, false);
        return e;
    };

    // ---- data ------------------------------------------------------------------
    QGroupBox* dataGroup = MakeGroup(1049);
    QGridLayout* g = MakeGrid(dataGroup);
    int row = 0;
    g->addWidget(MakeLabel(1059), row++, 0, 1, 3);
    QComboBox* types = MakeList(TkTypeList);
    g->addWidget(types, row++, 0, 1, 3);
    auto* snLabel = new QLabel(QStringLiteral("SN:"), this);
    g->addWidget(snLabel, row, 0);
    QComboBox* stiffness = MakeList(TkStiffnessList);
    stiffness->setMinimumContentsLength(5);
    g->addWidget(stiffness, row++, 1, 1, 2);
    g->addWidget(MakeLabel(1063), row, 0);
    auto* modes = new QHBoxLayout;
    QAbstractButton* byVolume = MakeRadio(TkModeVolume);
    QAbstractButton* byLength = MakeRadio(TkModeLength);
    modes->addWidget(byVolume);
    modes->addWidget(byLength);
    g->addLayout(modes, row++, 1, 1, 2);
    g->addWidget(MakeColourStatic(TkCapacityLabel, true), row, 0);
    g->addWidget(MakeColourEdit(TkCapacity), row, 1);
    g->addWidget(MakeLabel(1067), row++, 2);
    g->addWidget(MakeColourStatic(TkLengthLabel, true), row, 0);
    g->addWidget(MakeColourEdit(TkLength), row, 1);
    g->addWidget(MakeLabel(1070), row++, 2);
    AddRow(g, row++, 1072, readOnly(TkOuterDiameter), 1076);
    AddRow(g, row++, 1078, readOnly(TkInnerDiameter), 1081);
    AddRow(g, row++, 1082, readOnly(TkOwnWeight), 1084);
    AddRow(g, row++, 1085, MakeEdit(TkGroundLevel), 1087);
    AddRow(g, row++, 1088, MakeEdit(TkWaterLevel), 1090);
    AddRow(g, row++, 1635, MakeEdit(TkTankBottom), 1636);
    AddRow(g, row++, 1091, MakeResult(TkFoundationLevel), 1093);
    AddRow(g, row++, 1094, readOnly(TkCoverDepth), 1096);
    AddRow(g, row++, 1643, MakeEdit(TkFillLevel), 1644);
    AddRow(g, row++, 1639, MakeResult(TkActiveCapacity), 1641);
    g->setRowStretch(row, 1);

    auto* soil = new QWidget(this);
    QGridLayout* s = MakeGrid(soil);
    row = 0;
    s->addWidget(MakeLabel(1098), row++, 0, 1, 3);
    auto* soilRow = new QHBoxLayout;
    QLineEdit* soilName = MakeEdit(TkSoilName, 150);
    soilName->setMinimumWidth(120);
    soilName->setMaximumWidth(QWIDGETSIZE_MAX);
    soilRow->addWidget(soilName, 1);
    auto* soilButton = new QPushButton(this);
    RegisterControl(TkSoilButton, soilButton);
    soilRow->addWidget(soilButton);
    s->addLayout(soilRow, row++, 0, 1, 3);
    AddRow(s, row++, 1101, MakeEdit(TkUnitWeight), 1103);
    AddRow(s, row++, 1104, MakeEdit(TkPorosity), 1106);
    AddRow(s, row++, 1107, MakeEdit(TkFrictionAngle), 1109);
    AddRow(s, row++, 1110, MakeEdit(TkCohesion), 1112);
    AddRow(s, row++, 1113, MakeEdit(TkSlabWidth), 1114);
    AddRow(s, row++, 1115, MakeEdit(TkSlabHeight), 1116);
    QComboBox* anchors = MakeList(TkAnchorList);
    anchors->setMinimumContentsLength(3);
    anchors->setFixedWidth(kFieldWidth);
    AddRow(s, row++, 1117, anchors, 1118);

    // ---- results -----------------------------------------------------------------
    QGroupBox* results = MakeGroup(1119);
    QGridLayout* r = MakeGrid(results);
    row = 0;
    AddRow(r, row++, 1120, MakeResult(TkUplift, true), 1122);
    AddRow(r, row++, 1123, MakeResult(TkSoilWeight, true), 1124);
    AddRow(r, row++, 1125, MakeResult(TkMinSlabLength, true), 1127);
    AddRow(r, row++, 1128, MakeResult(TkSlabLength, true), 1130);
    AddRow(r, row++, 1131, MakeResult(TkSlabWeight), 1133);
    AddRow(r, row++, 1134, MakeResult(TkSlabVolume), 1136);
    AddRow(r, row++, 1137, MakeResult(TkAnchoring, true), 1139);
    AddRow(r, row++, 1140, MakeResult(TkTieForce), 1142);
    AddRow(r, row++, 1143, MakeResult(TkTieAngle), 1145);
    r->addWidget(MakeLabel(1146), row++, 0, 1, 3);
    QLabel* conclusion = MakeColourStatic(TkConclusion, false);
    conclusion->setMinimumHeight(40);
    r->addWidget(conclusion, row++, 0, 1, 3);
    r->setRowStretch(row, 1);

    // ---- picture, number and name, store buttons -------------------------------
    picture = new CPictureReservoir(*this, this);
    picture->setMinimumSize(220, 240);
    RegisterControl(TkPicture, picture, false);

    auto* entry = new QGridLayout;
    entry->setContentsMargins(6, 2, 6, 2);
    QLineEdit* number = MakeEdit(TkNumber, 60);
    number->setReadOnly(true);
    number->setFocusPolicy(Qt::NoFocus);
    entry->addWidget(MakeLabel(1616), 0, 0);
    entry->addWidget(number, 0, 1, Qt::AlignLeft);
    entry->addWidget(MakeLabel(1617), 1, 0);
    QLineEdit* name = MakeEdit(TkName, 160);
    name->setMaximumWidth(QWIDGETSIZE_MAX);
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
    // The note on the anchoring stands under the picture, where its three
    // lines have room.
    QLabel* note = MakeColourStatic(TkNote, false);
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

    ConnectList(types, [this](int index) { OnProductChanged(index); });
    ConnectList(stiffness, [this](int index) { OnSelchangeStiffness(index); });
    ConnectList(anchors, [this](int index) { OnSelchangeAnchorCount(index); });
    connect(byVolume, &QAbstractButton::clicked, this, [this] { OnSelectionMode(0); });
    connect(byLength, &QAbstractButton::clicked, this, [this] { OnSelectionMode(1); });
    connect(soilButton, &QPushButton::clicked, this, &CReservoirPage::OnChooseSoil);
}

CReservoirPage::~CReservoirPage() = default;

void CReservoirPage::Show()
{
    auto sync = [](QComboBox* combo, const QStringList& items, int selection) {
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        if (shown != items)
            FillList(combo, items, selection);
        else
            SelectItem(combo, selection);
    };
    sync(List(TkTypeList), ToList(model->typeItems), model->typeSelection);
    sync(List(TkStiffnessList), ToList(model->stiffnessItems), model->stiffnessSelection);
    QStringList counts;
    for (int k : model->anchorItems)
        counts << QString::number(k);
    sync(List(TkAnchorList), counts, model->anchorSelection);
    DataToControls();
    ShowModelMessages();
    picture->SetLayoutDirty();
}

int CReservoirPage::FindTableRow(double innerDiameter, double stiffness) const
{
    return model->FindTableRow(innerDiameter, stiffness);
}

void CReservoirPage::OnInitDialog()
{
    CCalcPage::ApplyLanguage(app.languageOffset);
    model->OnInitDialog();
    Show();
    UpdateStoreButtons();
    ++recalculations;
}

void CReservoirPage::OnSetActive()
{
    CUpliftPageView::OnSetActive();
    Recalculate();
}

void CReservoirPage::Recalculate()
{
    ++recalculations;
    DataFromControls();
    model->Recalculate();
    Show();
}

void CReservoirPage::ReadInputs()
{
    DataFromControls();
    model->ReadInputs();
    Show();
}

void CReservoirPage::ShowInputs(int resetNumber)
{
    model->ShowInputs(resetNumber);
    DataToControls();
}

void CReservoirPage::ShowResults()
{
    model->ShowResults();
    Show();
}

void CReservoirPage::Print()
{
    picture->BuildPrintMetafile();
    PrintTank(app, this);
}

void CReservoirPage::ApplyLanguage(int offset)
{
    CCalcPage::ApplyLanguage(offset);
    if (!IsInitialised())
        return;
    model->ApplyLanguage(offset);
    Show();
}

void CReservoirPage::ReferenceReloaded()
{
    // Lists of another catalogue: the page works its tank out again.
    if (model->SyncCatalogue() && IsActivePage())
        Recalculate();
    else
        Show();
}

void CReservoirPage::FillLists()
{
    if (!IsInitialised())
        return;
    model->FillLists();
    Show();
}

void CReservoirPage::ResetListsToFirst()
{
    DataFromControls();
    model->ResetListsToFirst();
    Show();
}

void CReservoirPage::ResetNumberAndName()
{
    model->ResetNumberAndName();
}

void CReservoirPage::BeforeImport(const CImportDlg& dlg)
{
    if (!dlg.Ticked(CImportDlg::kDiameterBox))
        return;
    DataFromControls();
    model->SelectImportedProduct(dlg.sourceInnerDiameter, dlg.sourceStiffness);
    Show();
}

void CReservoirPage::AfterImport(const CImportDlg& dlg)
{
    CUpliftPageView::AfterImport(dlg);
    model->SetText(TkFillLevel, model->Text(TkGroundLevel));
}

void CReservoirPage::OnProductChanged(int selection)
{
    DataFromControls();
    model->typeSelection = selection;
    model->OnProductChanged();
    Show();
}

void CReservoirPage::OnSelchangeStiffness(int selection)
{
    DataFromControls();
    model->OnSelchangeStiffness(selection);
    Show();
}

void CReservoirPage::OnSelchangeAnchorCount(int selection)
{
    DataFromControls();
    model->OnSelchangeAnchorCount(selection);
    Show();
}

void CReservoirPage::OnSelectionMode(int mode)
{
    DataFromControls();
    model->OnSelectionMode(mode);
    Show();
}

void CReservoirPage::OnChooseSoil()
{
    ReadInputs();
    // Cancel keeps the soil; the page is shown and worked out either way.
    CSelectSoilDlg::ChooseSoil(app, app.tank, this);
    model->ShowInputs(0);
    DataToControls();
    Recalculate();
}
