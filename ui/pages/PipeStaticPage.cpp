#include "ui/pages/PipeStaticPage.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "core/base/Text.h"
#include "reports/PrintDrivers.h"
#include "ui/controls/ColorControls.h"
#include "ui/dialogs/ImportDlg.h"
#include "ui/dialogs/SelectSoilDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

const CalcPageInfo CPipeStaticPage::kInfo = {KindBuriedPipe, 112, 1559, 1560, 1606, "pipe"};

namespace {

namespace Id = BuriedPipeIds;

constexpr int kCheckIds[] = {Id::RoadSurface, Id::MultiPipeTrench, Id::HeavyTraffic, Id::HeavyCompaction,
                             Id::Supervision};

}  // namespace

CPipeStaticPage::CPipeStaticPage(CDalvorApp& a, QWidget* parent)
    : CPicturePageView(a, kInfo, pageModel, parent), pageModel(a)
{
    auto note = [this](int id) {
        auto* l = new QLabel(this);
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        RegisterControl(id, l, false);
        return l;
    };

    // ---- pipe, levels, soil ------------------------------------------------------
    QGroupBox* pipe = MakeGroup(Id::PipeGroup);
    AddFieldRows(MakeGrid(pipe), Id::PipeGroup);
    QGroupBox* levels = MakeGroup(Id::LevelsGroup);
    AddFieldRows(MakeGrid(levels), Id::LevelsGroup);
    QGroupBox* soil = MakeGroup(Id::SoilGroup);
    QGridLayout* soilGrid = MakeGrid(soil);
    auto* soilButton = new QPushButton(this);
    RegisterControl(Id::SoilButton, soilButton);
    soilGrid->addWidget(MakeLabel(1243), 0, 0);
    soilGrid->addWidget(soilButton, 0, 1, 1, 3);
    AddFieldRows(soilGrid, Id::SoilGroup, 1);
    // The soil's name takes the whole width of its box.
    QWidget* soilName = Control(Id::SoilName);
    soilGrid->removeWidget(soilName);
    soilGrid->addWidget(soilName, 1, 0, 1, 4);
    // Long captions take a second line rather than widen the page.
    for (int id : {1245, 1253, 1240, 1237, 1263, 1265, int(Id::DeflectionCaption)})
        if (auto* l = qobject_cast<QLabel*>(Control(id)))
            l->setWordWrap(true);
    connect(soilButton, &QPushButton::clicked, this, &CPipeStaticPage::OnSoilButton);

    auto* dataColumn = new QVBoxLayout;
    dataColumn->setSpacing(4);
    dataColumn->addWidget(pipe);
    dataColumn->addWidget(levels);
    dataColumn->addWidget(soil);
    dataColumn->addStretch(1);

    // ---- traffic and work conditions -------------------------------------------
    QGroupBox* load = MakeGroup(Id::LoadGroup);
    QGridLayout* loadGrid = MakeGrid(load);
    int row = AddFieldRows(loadGrid, Id::LoadGroup);
    loadGrid->addWidget(note(Id::CoverNote), row++, 0, 1, 4);
    for (int id : kCheckIds) {
        auto* box = new QCheckBox(this);
        RegisterControl(id, box);
        checkBoxes.insert(id, box);
        loadGrid->addWidget(box, row++, 0, 1, 4);
        connect(box, &QCheckBox::clicked, this, [this, id, box] {
            Run([this, id, box] {
                pageModel.SetChecked(id, box->isChecked());
                pageModel.OnChoiceClicked(id, box->isChecked() ? 1 : 0);
            });
        });
    }
    loadGrid->addWidget(MakeLabel(CBuriedPipePageModel::kWorkmanshipGroup), row++, 0, 1, 4);
    AddRadioGroup(CBuriedPipePageModel::kWorkmanshipGroup, {Id::WorkmanshipNormal, Id::WorkmanshipMeticulous});
    auto* radios = new QHBoxLayout;
    radios->addWidget(Control(Id::WorkmanshipNormal));
    radios->addWidget(Control(Id::WorkmanshipMeticulous));
    radios->addStretch(1);
    loadGrid->addLayout(radios, row++, 0, 1, 4);
    AddFieldRows(loadGrid, Id::FactorRows, row);

    // ---- results -------------------------------------------------------------------
    QGroupBox* results = MakeGroup(Id::ResultsGroup);
    QGridLayout* resultsGrid = MakeGrid(results);
    resultsGrid->setRowStretch(AddFieldRows(resultsGrid, Id::ResultsGroup), 1);

    auto* middle = new QVBoxLayout;
    middle->setSpacing(4);
    middle->addWidget(load);
    middle->addWidget(results, 1);

    // ---- picture, verdict, number and name, store buttons ------------------------
    picture = new CPicturePipe(*this, this);
    picture->setMinimumSize(200, 200);
    RegisterControl(Id::Picture, picture, false);

    auto* verdict = new QVBoxLayout;
    verdict->setContentsMargins(6, 2, 6, 2);
    verdict->setSpacing(3);
    verdict->addWidget(MakeLabel(Id::ConclusionLabel));
    for (int id : {Id::Conclusion, Id::Reasons}) {
        CColorStatic* l = MakeColorText(id);
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignTop | Qt::AlignLeft);
        verdict->addWidget(l);
    }
    Control(Id::Reasons)->setMinimumHeight(48);
    // The made-to-order note keeps its two lines when empty, so that the
    // picture above does not change size as the note comes and goes.
    QLabel* madeToOrder = note(Id::MadeToOrderNote);
    madeToOrder->setMinimumHeight(2 * madeToOrder->fontMetrics().lineSpacing());
    madeToOrder->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    verdict->addWidget(madeToOrder);

    auto* entry = new QWidget(this);
    AddFieldRows(MakeGrid(entry), 0);

    auto* side = new QVBoxLayout;
    side->setSpacing(4);
    side->addWidget(picture, 1);
    side->addLayout(verdict);
    side->addWidget(entry);
    side->addLayout(MakeStoreButtons());

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(3, 6, 3, 6);
    page->setSpacing(4);
    page->addLayout(dataColumn, 5);
    page->addLayout(middle, 5);
    page->addLayout(side, 4);
}

void CPipeStaticPage::OnInitDialog()
{
    CCalcPage::OnInitDialog();
    Recalculate();
}

void CPipeStaticPage::ModelChanged()
{
    for (auto it = checkBoxes.begin(); it != checkBoxes.end(); ++it) {
        const QSignalBlocker block(it.value());
        it.value()->setChecked(pageModel.Checked(it.key()) != 0);
    }
    picture->SetLayoutDirty();
}

void CPipeStaticPage::OnSoilButton()
{
    Run([this] { pageModel.ReadInputs(); });
    if (CSelectSoilDlg::ChooseSoil(app, app.working.buriedPipe, this))
        Run([this] { pageModel.OnSoilChosen(); });
}

void CPipeStaticPage::BeforeImport(const CImportDlg& dlg)
{
    const CImportModel& import = dlg.Model();
    if (!import.Ticked(CImportModel::kDiameterBox))
        return;
    Run([&] {
        pageModel.ImportSize(import.problemIndex == CImportModel::ProblemTank, import.sourceStiffness,
                             import.ValueText(CImportModel::kDiameterText));
    });
}

void CPipeStaticPage::AfterImport(const CImportDlg& dlg)
{
    // The copied texts are the page's from now on.
    Pull();
    const CImportModel& import = dlg.Model();
    if (import.Ticked(CImportModel::kFoundationLevelBox) && import.problemIndex == CImportModel::ProblemManhole)
        pageModel.ImportPipeBottomFromManhole(ParseNumber(import.ValueText(CImportModel::kFoundationLevelText)));
}

void CPipeStaticPage::Print()
{
    picture->BuildPrintMetafile();
    PrintBuriedPipe(app, this);
}
