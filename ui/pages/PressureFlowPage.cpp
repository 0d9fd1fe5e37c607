#include "ui/pages/PressureFlowPage.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "reports/PrintDrivers.h"
#include "ui/controls/ColorControls.h"
#include "ui/dialogs/FlowUnitsDlg.h"
#include "ui/dialogs/FluidPropertiesDlg.h"
#include "ui/dialogs/LocalLossDlg.h"
#include "ui/dialogs/LossCalcDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

using namespace PressureIds;

const CalcPageInfo CPressureFlowPage::kInfo = {KindPressureFlow, 111, AddButton, UpdateButton, ProjectButton,
                                               "pressureflow"};

CPressureFlowPage::CPressureFlowPage(CDalvorApp& a, QWidget* parent)
    : CPageView(a, kInfo, pageModel, parent),
      pageModel(a),
      chartLink(*this, [this](const PictureView& v) {
          const PressureOperatingPoint& p = v.pressure;
          pageModel.op = {p.head, p.gradient, p.velocity, p.flow, p.headDifference};
      })
{
    // ---- data ----------------------------------------------------------------
    QGroupBox* dataBox = MakeGroup(DataGroup);
    QVBoxLayout* dataLayout = MakeColumn(dataBox);
    dataLayout->setContentsMargins(2, 4, 2, 4);

    QGroupBox* object = MakeGroup(ObjectGroup);
    auto* objectLayout = new QHBoxLayout(object);
    objectLayout->setContentsMargins(6, 2, 6, 2);
    AddRadioGroup(ModeGroup, {ModeDiameter, ModeLosses, ModeFlow});
    for (int radio : kModeRadios)
        objectLayout->addWidget(Control(radio));
    dataLayout->addWidget(object);

    // The pipe, then the two ways of giving local losses, then the levels.
    QGroupBox* pipe = MakeGroup(PipeGroup);
    QGridLayout* pipeGrid = MakeGrid(pipe);
    int row = AddFieldRows(pipeGrid, PipeGroup);
    AddRadioGroup(LossGroup, {LossByCoefficient, LossByShare});
    pipeGrid->addWidget(Control(LossByCoefficient), row, 0);
    pipeGrid->addWidget(Control(LossByShare), row + 1, 0);
    row = AddFieldRows(pipeGrid, LossRows, row);
    AddFieldRows(pipeGrid, LevelRows, row);
    dataLayout->addWidget(pipe);

    QGroupBox* fluid = MakeGroup(FluidGroup);
    AddFieldRows(MakeGrid(fluid), FluidGroup);
    dataLayout->addWidget(fluid);
    auto* design = new QWidget(this);
    AddFieldRows(MakeGrid(design), DesignRows);
    dataLayout->addWidget(design);
    dataLayout->addStretch(1);

    // Grids with no "?" buttons keep no room for them; results keep only
    // the room their units take.
    // ---- results -------------------------------------------------------------
    QGroupBox* results = MakeGroup(ResultsGroup);
    QVBoxLayout* resultsLayout = MakeColumn(results);
    resultsLayout->setContentsMargins(2, 4, 2, 4);
    auto* values = new QWidget(this);
    QGridLayout* valuesGrid = WithoutButtons(MakeGrid(values));
    valuesGrid->setColumnMinimumWidth(2, 0);
    AddFieldRows(valuesGrid, ResultRows);
    resultsLayout->addWidget(values);

    resultsLayout->addLayout(MakeVerdict(ConclusionLabel, Conclusion, Warning, MakeColorText(Hint)));
    resultsLayout->addStretch(1);

    // ---- diagram, number and name, store buttons --------------------------
    QGroupBox* diagram = MakeGroup(DiagramGroup);
    QVBoxLayout* diagramLayout = MakeColumn(diagram);
    diagramLayout->setContentsMargins(2, 4, 2, 4);
    // The chart at the size the pictures give it; its printout is the
    // drawing at ten times that size.
    picture = new CPicturePressureFlow(chartLink, this);
    const PictureSize size = PictureControlSize(KindPressureFlow);
    picture->setFixedSize(size.width, size.height);
    RegisterControl(Picture, picture, false);
    diagramLayout->addWidget(picture, 0, Qt::AlignHCenter);
    AddRadioGroup(ChartGroup, {ChartCharacteristic, ChartPressureRange});
    auto* charts = new QHBoxLayout;
    charts->addWidget(Control(ChartCharacteristic));
    charts->addWidget(Control(ChartPressureRange));
    charts->addStretch(1);
    diagramLayout->addLayout(charts);
    auto* point = new QWidget(this);
    AddFieldRows(WithoutButtons(MakeGrid(point)), DiagramGroup);
    diagramLayout->addWidget(point);

    auto* entry = new QWidget(this);
    AddFieldRows(WithoutButtons(MakeGrid(entry)), EntryRows);

    auto* side = new QVBoxLayout;
    side->setSpacing(4);
    side->addWidget(diagram, 1);
    side->addWidget(entry);
    side->addLayout(MakeStoreButtons());

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(4, 6, 4, 6);
    page->setSpacing(4);
    page->addWidget(dataBox, 0);
    page->addWidget(results, 1);
    page->addLayout(side, 0);

    Control(InnerDiameter)->setEnabled(false);
    const auto button = [this](int id) { return qobject_cast<QPushButton*>(Control(id)); };
    connect(button(FluidButton), &QPushButton::clicked, this, &CPressureFlowPage::OnFluidParameters);
    connect(button(LossCalcButton), &QPushButton::clicked, this, &CPressureFlowPage::OnLossCalculator);
    connect(button(FlowUnitsButton), &QPushButton::clicked, this, &CPressureFlowPage::OnFlowUnits);
    connect(button(LocalLossButton), &QPushButton::clicked, this, &CPressureFlowPage::OnLocalLossList);
}

void CPressureFlowPage::OnInitDialog()
{
    pageModel.OnChart(0);
    CCalcPage::OnInitDialog();
    Recalculate();
}

void CPressureFlowPage::ModelChanged()
{
    if (!picture)
        return;
    // The picture follows the model's operating point and chart, laid out
    // again from the record.
    const auto& op = pageModel.op;
    chartLink.view.pressure = {op.head, op.gradient, op.velocity, op.flow, op.headDifference};
    if (chartLink.view.chartChoice != pageModel.ChartChoice())
        picture->SetChartChoice(pageModel.ChartChoice());
    picture->SetLayoutDirty();
}

void CPressureFlowPage::Print()
{
    // The printout always shows the characteristic.
    Run([this] { pageModel.OnChart(0); });
    picture->BuildPrintMetafile();
    PrintPressureFlow(app, this);
    Push();
}

// ---- input dialogs ---------------------------------------------------------------

void CPressureFlowPage::OnFluidParameters()
{
    ReadInputs();
    CFluidParmsDlg dlg(app, this);
    dlg.Model().viscosity = pageModel.Record().viscosity;
    if (dlg.exec() != QDialog::Accepted)
        return;
    Run([this, v = dlg.Model().viscosity] { pageModel.SetViscosity(v); });
}

void CPressureFlowPage::OnLossCalculator()
{
    Pull();
    CLossCalcDlg dlg(app, this);
    dlg.Model().pipeLength = pageModel.Record().length;
    dlg.Model().totalLoss = pageModel.Record().headLossInput;
    if (dlg.exec() != QDialog::Accepted)
        return;
    Run([this, h = dlg.Model().totalLoss] { pageModel.SetHeadLossInput(h); });
}

void CPressureFlowPage::OnFlowUnits()
{
    Pull();
    CFlowUnitsCalcDlg dlg(app, this);
    dlg.Model().flowRate = pageModel.Record().flowInput;
    if (dlg.exec() != QDialog::Accepted)
        return;
    Run([this, f = dlg.Model().flowRate] { pageModel.SetFlowInput(f); });
}

void CPressureFlowPage::OnLocalLossList()
{
    Pull();
    const PressureFlowRecord& r = pageModel.Record();
    CLocalLossDlg dlg(app, this);
    CLocalLossModel& losses = dlg.Model();
    std::copy(std::begin(r.bendCounts), std::end(r.bendCounts), losses.bendCounts);
    losses.otherLossCoefficient = r.otherLossCoefficient;
    if (dlg.exec() != QDialog::Accepted)
        return;
    Run([this, &losses] {
        pageModel.SetLocalLosses(losses.bendCounts, losses.otherLossCoefficient, losses.totalLossCoefficient);
    });
}
