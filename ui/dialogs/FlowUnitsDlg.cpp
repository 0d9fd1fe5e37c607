#include "ui/dialogs/FlowUnitsDlg.h"

#include "ui/controls/ColorControls.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kCaption = 114;
constexpr int kUnitsGroup = 1485;
constexpr int kFlowGroup = 1486;
constexpr int kRadioIds[CFlowUnitsModel::kUnitCount] = {1477, 1479, 1480, 1481};
constexpr int kValueEdit = 1482;
constexpr int kResultEdit = 1483;
constexpr int kCalculate = 1484;
constexpr int kUnitLabel = 1487;
constexpr int kResultUnit = 1488;

}  // namespace

CFlowUnitsCalcDlg::CFlowUnitsCalcDlg(CDalvorApp& a, QWidget* parent) : CInputDialog(a, kCaption, parent)
{
    auto* units = new QGroupBox(this);
    Register(kUnitsGroup, units);
    auto* unitsLayout = new QVBoxLayout(units);
    unitGroup = new QButtonGroup(this);
    for (int k = 0; k < CFlowUnitsModel::kUnitCount; ++k) {
        radios[k] = new QRadioButton(units);
        Register(kRadioIds[k], radios[k]);
        unitGroup->addButton(radios[k], k);
        unitsLayout->addWidget(radios[k]);
    }
    connect(unitGroup, &QButtonGroup::idClicked, this, &CFlowUnitsCalcDlg::OnUnit);

    auto* flow = new QGroupBox(this);
    Register(kFlowGroup, flow);
    auto* flowLayout = new QGridLayout(flow);
    valueEdit = new QLineEdit(flow);
    Register(kValueEdit, valueEdit, false);
    valueEdit->setMinimumWidth(110);
    valueEdit->installEventFilter(this);
    unitLabel = new QLabel(flow);
    Register(kUnitLabel, unitLabel);
    unitLabel->setTextFormat(Qt::PlainText);
    resultEdit = new QLineEdit(flow);
    Register(kResultEdit, resultEdit, false);
    MarkReadOnlyField(resultEdit);
    resultEdit->setMinimumWidth(90);
    auto* resultUnit = new QLabel(flow);
    Register(kResultUnit, resultUnit);
    resultUnit->setTextFormat(Qt::PlainText);
    calculateButton = new QPushButton(flow);
    Register(kCalculate, calculateButton);
    calculateButton->setAutoDefault(false);
    connect(calculateButton, &QPushButton::clicked, this, &CFlowUnitsCalcDlg::OnConvert);
    flowLayout->addWidget(valueEdit, 0, 0);
    flowLayout->addWidget(unitLabel, 0, 1);
    flowLayout->addWidget(resultEdit, 0, 2);
    flowLayout->addWidget(resultUnit, 0, 3);
    flowLayout->addWidget(calculateButton, 1, 0, 1, 4, Qt::AlignRight);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(units);
    layout->addWidget(flow, 1);
    layout->addLayout(MakeButtonColumn());
    setTabOrder(valueEdit, calculateButton);
}

void CFlowUnitsCalcDlg::OnInitDialog()
{
    CInputDialog::OnInitDialog();
    model.Open();
    radios[model.unit]->setChecked(true);
    ShowValue();
    resultEdit->setText(QString::fromStdU16String(model.ResultText()));
}

void CFlowUnitsCalcDlg::OnUnit(int k)
{
    if (!model.ChooseUnit(k))
        return;
    // The unit beside the value is the radio's own text.
    unitLabel->setText(Text(kRadioIds[k]));
    radios[k]->setChecked(true);
    ShowValue();
}

void CFlowUnitsCalcDlg::OnConvert()
{
    if (!model.Convert(ReadDecimalField(valueEdit)))
        valueEdit->setText(QString::fromStdU16String(model.ValueText()));
    resultEdit->setText(QString::fromStdU16String(model.ResultText()));
    OkButton()->setEnabled(model.okEnabled);
}

void CFlowUnitsCalcDlg::ShowValue()
{
    valueEdit->setText(QString::fromStdU16String(model.ValueText()));
    OkButton()->setEnabled(model.okEnabled);
}

void CFlowUnitsCalcDlg::OnSetfocusValue()
{
    // A value being edited has to be converted again before it can be taken.
    model.EditValue();
    OkButton()->setEnabled(model.okEnabled);
}

bool CFlowUnitsCalcDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == valueEdit && event->type() == QEvent::FocusIn)
        OnSetfocusValue();
    return CInputDialog::eventFilter(watched, event);
}
