#include "ui/pages/GravityFlowPage.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "pictures/scene/PictureScene.h"
#include "reports/PrintDrivers.h"
#include "ui/controls/ColorControls.h"
#include "ui/dialogs/FlowUnitsDlg.h"
#include "ui/dialogs/FluidPropertiesDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

using namespace GravityIds;

const CalcPageInfo CGravityFlowPage::kInfo = {KindGravityFlow, 110, AddButton, UpdateButton, ProjectButton,
                                              "gravityflow"};
const QColor CGravityFlowPage::kSoughtColor = CPageView::ToColor(::kSoughtColor);
const QColor CGravityFlowPage::kMetColor = CPageView::ToColor(kMetTextColor);
const QColor CGravityFlowPage::kFailedColor = CPageView::ToColor(kFailedTextColor);

CGravityFlowPage::CGravityFlowPage(CDalvorApp& a, QWidget* parent)
    : CPageView(a, kInfo, pageModel, parent),
      opFilling(pageModel.opFilling),
      opVelocity(pageModel.opVelocity),
      opFlow(pageModel.opFlow),
      pageModel(a),
      chartLink(*this, [this](const PictureView& v) {
          pageModel.opFilling = v.opFilling;
          pageModel.opVelocity = v.opVelocity;
          pageModel.opFlow = v.opFlow;
      })
{
    // ---- data ----------------------------------------------------------------
    QGroupBox* dataBox = MakeGroup(DataGroup);
    QVBoxLayout* dataLayout = MakeColumn(dataBox);

    QGroupBox* object = MakeGroup(ObjectGroup);
    auto* objectLayout = new QGridLayout(object);
    objectLayout->setContentsMargins(6, 2, 6, 2);
    objectLayout->setVerticalSpacing(2);
    AddRadioGroup(ModeGroup, {ModeDiameter, ModeSlope, ModeFlow, ModeFilling});
    for (int m = 0; m < static_cast<int>(std::size(kModeRadios)); ++m)
        objectLayout->addWidget(Control(kModeRadios[m]), m / 2, m % 2);
    dataLayout->addWidget(object);

    for (int id : {PipeGroup, FluidGroup}) {
        QGroupBox* g = MakeGroup(id);
        AddFieldRows(MakeGrid(g), id);
        dataLayout->addWidget(g);
    }
    auto* sought = new QWidget(this);
    AddFieldRows(MakeGrid(sought), SoughtRows);
    dataLayout->addWidget(sought);
    dataLayout->addStretch(1);

    // The results and the diagram have no "?" buttons: their grids give that
    // column's width to the chart.
    // ---- results -------------------------------------------------------------
    QGroupBox* results = MakeGroup(ResultsGroup);
    QVBoxLayout* resultsLayout = MakeColumn(results);
    auto* values = new QWidget(this);
    AddFieldRows(WithoutButtons(MakeGrid(values)), ResultRows);
    resultsLayout->addWidget(values);
    QGroupBox* minimum = MakeGroup(MinSlopeGroup);
    AddFieldRows(WithoutButtons(MakeGrid(minimum)), MinSlopeGroup);
    resultsLayout->addWidget(minimum);

    auto* hint = new QLabel(this);
    hint->setTextFormat(Qt::PlainText);
    hint->setWordWrap(true);
    RegisterControl(Hint, hint, false);
    resultsLayout->addLayout(MakeVerdict(ConclusionLabel, Conclusion, Warning, hint));
    resultsLayout->addStretch(1);

    // ---- diagram, number and name, store buttons --------------------------
    QGroupBox* diagram = MakeGroup(DiagramGroup);
    QVBoxLayout* diagramLayout = MakeColumn(diagram);
    diagramLayout->setContentsMargins(2, 4, 2, 4);
    // The filling chart at the size the pictures give it: its printout is
    // the screen drawing at ten times that size.
    picture = new CPictureGravityFlow(chartLink, this);
    const PictureSize size = PictureControlSize(KindGravityFlow);
    picture->setFixedSize(size.width, size.height);
    RegisterControl(Picture, picture, false);
    diagramLayout->addWidget(picture, 0, Qt::AlignHCenter);
    auto* point = new QWidget(this);
    AddFieldRows(WithoutButtons(MakeGrid(point)), DiagramGroup);
    diagramLayout->addWidget(point);
    diagramLayout->addStretch(1);

    auto* entry = new QWidget(this);
    AddFieldRows(WithoutButtons(MakeGrid(entry)), EntryRows);

    auto* side = new QVBoxLayout;
    side->setSpacing(4);
    side->addWidget(diagram, 1);
    side->addWidget(entry);
    side->addLayout(MakeStoreButtons());

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(6);
    page->addWidget(dataBox, 5);
    page->addWidget(results, 5);
    page->addLayout(side, 3);

    Control(InnerDiameter)->setEnabled(false);
    connect(qobject_cast<QPushButton*>(Control(FluidButton)), &QPushButton::clicked, this,
            &CGravityFlowPage::OnFluidParameters);
    connect(qobject_cast<QPushButton*>(Control(FlowUnitsButton)), &QPushButton::clicked, this,
            &CGravityFlowPage::OnFlowUnits);
}

void CGravityFlowPage::OnInitDialog()
{
    CCalcPage::OnInitDialog();
    Recalculate();
}

void CGravityFlowPage::ModelChanged()
{
    if (!picture)
        return;
    PictureView& view = chartLink.view;
    view.opFilling = pageModel.opFilling;
    view.opVelocity = pageModel.opVelocity;
    view.opFlow = pageModel.opFlow;
    picture->SetLayoutDirty();
}

void CGravityFlowPage::Print()
{
    picture->BuildPrintMetafile();
    PrintGravityFlow(app, this);
}

void CGravityFlowPage::OnTarget(int mode)
{
    Run([this, mode] { pageModel.OnTarget(mode); });
}

void CGravityFlowPage::OnFluidParameters()
{
    CFluidParmsDlg dlg(app, this);
    dlg.Model().viscosity = pageModel.Record().viscosity;
    if (dlg.exec() != QDialog::Accepted)
        return;
    Run([this, v = dlg.Model().viscosity] { pageModel.SetViscosity(v); });
}

void CGravityFlowPage::OnFlowUnits()
{
    CFlowUnitsCalcDlg dlg(app, this);
    dlg.Model().flowRate = pageModel.Record().flowInput;
    if (dlg.exec() != QDialog::Accepted)
        return;
    Run([this, f = dlg.Model().flowRate] { pageModel.SetFlowInput(f); });
}
