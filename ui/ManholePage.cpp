#include "ManholePage.h"

#include "CalcKind.h"
#include "DalvorApp.h"
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

const CalcPageInfo CManholePage::kInfo = {KindManhole, 108, 1555, 1556, 1610, "manhole"};

CManholePage::CManholePage(CDalvorApp& a, QWidget* parent)
    : CUpliftPageView(a, kInfo, parent), model(std::make_unique<CManholePageModel>(a))
{
    SetModel(model.get());

    // ---- data ------------------------------------------------------------------
    QGroupBox* dataGroup = MakeGroup(MhDataGroup);
    QGridLayout* g = MakeGrid(dataGroup);
    int row = 0;
    g->addWidget(MakeLabel(1150), row++, 0, 1, 3);
    QComboBox* types = MakeList(MhTypeList);
    g->addWidget(types, row++, 0, 1, 3);
    QLineEdit* dns = MakeEdit(MhNominalDiameter);
    dns->setReadOnly(true);
    dns->setEnabled(false);
    model->SetEnabled(MhNominalDiameter, false);
    AddRow(g, row++, 1152, dns, 1154);
    AddRow(g, row++, 1155, MakeEdit(MhPipeDiameter), 1157);
    // The outer diameter is kept but not shown.
    QLineEdit* de = MakeEdit(MhOuterDiameter);
    de->setReadOnly(true);
    AddRow(g, row++, 1158, de, 1160);
    for (int id : {1158, int(MhOuterDiameter), 1160})
        Control(id)->setVisible(false);
    AddRow(g, row++, 1161, MakeEdit(MhGroundLevel), 1163);
    AddRow(g, row++, 1164, MakeEdit(MhWaterLevel), 1166);
    AddRow(g, row++, 1167, MakeEdit(MhPipeBottom), 1169);
    QAbstractButton* sandTrap = MakeCheck(MhSandTrap);
    g->addWidget(sandTrap, row++, 0, 1, 3);
    AddRow(g, row++, 1646, MakeEdit(MhSandTrapDepth), 1648);
    QAbstractButton* reinforced = MakeCheck(MhReinforced);
    g->addWidget(reinforced, row++, 0, 1, 3);
    g->addWidget(MakeLabel(1170), row++, 0, 1, 3);
    auto* soilRow = new QHBoxLayout;
    QLineEdit* soilName = MakeEdit(MhSoilName, 150);
    soilName->setMinimumWidth(120);
    soilName->setMaximumWidth(QWIDGETSIZE_MAX);
    soilRow->addWidget(soilName, 1);
    auto* soilButton = new QPushButton(this);
    RegisterControl(MhSoilButton, soilButton);
    soilRow->addWidget(soilButton);
    g->addLayout(soilRow, row++, 0, 1, 3);
    AddRow(g, row++, 1173, MakeEdit(MhUnitWeight), 1175);
    AddRow(g, row++, 1176, MakeEdit(MhPorosity), 1178);
    AddRow(g, row++, 1179, MakeEdit(MhFrictionAngle), 1181);
    AddRow(g, row++, 1182, MakeEdit(MhCohesion), 1184);
    g->setRowStretch(row, 1);

    // ---- results -----------------------------------------------------------------
    QGroupBox* results = MakeGroup(MhResultGroup);
    QGridLayout* r = MakeGrid(results);
    row = 0;
    AddRow(r, row++, 1186, MakeResult(MhHeight), 1188);
    AddRow(r, row++, 1189, MakeResult(MhDeadWeight, true), 1191);
    AddRow(r, row++, 1192, MakeResult(MhFriction), 1194);
    AddRow(r, row++, 1195, MakeResult(MhUplift, true), 1197);
    AddRow(r, row++, 1198, MakeResult(MhAnchoring, true), 1200);
    AddRow(r, row++, 1201, MakeResult(MhTotalHeight), 1203);
    AddRow(r, row++, 1204, MakeResult(MhBallastHeight, true), 1206);
    AddRow(r, row++, 1207, MakeResult(MhBallastVolume), 1209);
    r->addWidget(MakeLabel(1210), row++, 0, 1, 3);
    QLabel* conclusion = MakeColourStatic(MhConclusion, false);
    conclusion->setMinimumHeight(40);
    r->addWidget(conclusion, row++, 0, 1, 3);
    QLabel* hint = MakeColourStatic(MhMadeToOrder, false);
    r->addWidget(hint, row++, 0, 1, 3);
    r->setRowStretch(row, 1);

    // ---- picture, number and name, store buttons -------------------------------
    picture = new CPictureManhole(*this, this);
    picture->setMinimumSize(220, 240);
    RegisterControl(MhPicture, picture, false);

    auto* entry = new QGridLayout;
    entry->setContentsMargins(6, 2, 6, 2);
    QLineEdit* number = MakeEdit(MhNumber, 60);
    number->setReadOnly(true);
    number->setFocusPolicy(Qt::NoFocus);
    entry->addWidget(MakeLabel(1627), 0, 0);
    entry->addWidget(number, 0, 1, Qt::AlignLeft);
    entry->addWidget(MakeLabel(1628), 1, 0);
    QLineEdit* name = MakeEdit(MhName, 160);
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

    auto* side = new QVBoxLayout;
    side->addWidget(picture, 1);
    side->addLayout(entry);
    side->addLayout(buttons);

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(6);
    page->addWidget(dataGroup, 5);
    page->addWidget(results, 5);
    page->addLayout(side, 4);

    ConnectList(types, [this](int index) { OnTypeChanged(index); });
    connect(sandTrap, &QAbstractButton::clicked, this, &CManholePage::OnOptionChanged);
    connect(reinforced, &QAbstractButton::clicked, this, &CManholePage::OnOptionChanged);
    connect(soilButton, &QPushButton::clicked, this, &CManholePage::OnChooseSoil);
}

CManholePage::~CManholePage() = default;

void CManholePage::OnInitDialog()
{
    ApplyLanguage(app.languageOffset);
    FillLists();
    model->OnInitDialog();
    DataToControls();
    UpdateStoreButtons();
    ShowModelMessages();
    FollowModel();
    ++recalculations;
}

void CManholePage::Recalculate()
{
    ++recalculations;
    DataFromControls();
    model->Recalculate();
    DataToControls();
    ShowModelMessages();
    FollowModel();
}

void CManholePage::ReadInputs()
{
    DataFromControls();
    model->ReadInputs();
    DataToControls();
    ShowModelMessages();
    if (model->DragEnds() != dragEnds) {
        dragEnds = model->DragEnds();
        picture->CancelDrag();
    }
}

void CManholePage::ShowInputs(int resetNumber)
{
    model->ShowInputs(resetNumber);
    SelectItem(List(MhTypeList), model->typeSelection);
    DataToControls();
}

void CManholePage::ShowResults()
{
    model->ShowResults();
    DataToControls();
}

void CManholePage::FollowModel()
{
    if (model->DragEnds() != dragEnds) {
        dragEnds = model->DragEnds();
        picture->CancelDrag();
    }
    picture->SetLayoutDirty();
}

void CManholePage::Print()
{
    picture->BuildPrintMetafile();
    PrintManhole(app, this);
}

void CManholePage::ApplyLanguage(int offset)
{
    CCalcPage::ApplyLanguage(offset);
    model->ApplyLanguage(offset);
    FillLists();
}

void CManholePage::FillLists()
{
    QStringList names;
    for (const std::u16string& n : model->TypeNames())
        names << QString::fromStdU16String(n);
    FillList(List(MhTypeList), names, app.manhole.typeIndex);
}

void CManholePage::ResetListsToFirst()
{
    SelectItem(List(MhTypeList), 0);
    OnTypeChanged(0);
}

void CManholePage::ResetNumberAndName()
{
    model->ResetNumberAndName();
}

void CManholePage::OnTypeChanged(int selection)
{
    DataFromControls();
    model->OnTypeChanged(selection);
    SelectItem(List(MhTypeList), model->typeSelection);
    DataToControls();
    ShowModelMessages();
    FollowModel();
}

void CManholePage::OnOptionChanged()
{
    DataFromControls();
    model->OnOptionChanged();
    DataToControls();
    ShowModelMessages();
    FollowModel();
}

void CManholePage::OnChooseSoil()
{
    ReadInputs();
    // Cancel keeps the soil; the page is shown and worked out either way.
    CSelectSoilDlg::ChooseSoil(app, app.manhole, this);
    model->ShowInputs(0);
    DataToControls();
    Recalculate();
}
