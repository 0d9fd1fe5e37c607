#include "dialogs/FlowUnitsDlg.h"

#include "app/DalvorApp.h"
#include "base/Text.h"
#include "controls/ColorControls.h"

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

#include <cmath>

namespace {

constexpr int kCaption = 114;
constexpr int kUnitsGroup = 1485;
constexpr int kFlowGroup = 1486;
constexpr int kRadioIds[4] = {1477, 1479, 1480, 1481};
constexpr int kValueEdit = 1482;
constexpr int kResultEdit = 1483;
constexpr int kCalculate = 1484;
constexpr int kUnitLabel = 1487;
constexpr int kResultUnit = 1488;

QString F3(double v)
{
    return QString::fromStdString(FormatC("%.3f", std::isfinite(v) ? v : 0.0));
}

}  // namespace

CFlowUnitsCalcDlg::CFlowUnitsCalcDlg(CDalvorApp& a, QWidget* parent) : CInputDialog(a, kCaption, parent)
{
    auto* units = new QGroupBox(this);
    Register(kUnitsGroup, units);
    auto* unitsLayout = new QVBoxLayout(units);
    unitGroup = new QButtonGroup(this);
    for (int k = 0; k < 4; ++k) {
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
    unit = 0;
    radios[0]->setChecked(true);
    SetFlow(flowRate);
    enteredFlow = perUnitFlow[0];
    valueEdit->setText(F3(enteredFlow));
    resultEdit->setText(F3(flowRate));
    OkButton()->setEnabled(false);
}

void CFlowUnitsCalcDlg::OnUnit(int k)
{
    if (k < 0 || k >= 4)
        return;
    // The unit beside the value is the radio's own text.
    unitLabel->setText(Text(kRadioIds[k]));
    unit = k;
    radios[k]->setChecked(true);
    enteredFlow = perUnitFlow[k];
    // A number typed but not converted gives way to the flow in the new unit.
    valueEdit->setText(F3(enteredFlow));
    OkButton()->setEnabled(false);
}

void CFlowUnitsCalcDlg::OnConvert()
{
    enteredFlow = ReadDecimalField(valueEdit);
    if (!SetFlow(enteredFlow / kUnitsPerCubicMetrePerSecond[unit])) {
        enteredFlow = 0.0;
        valueEdit->setText(F3(enteredFlow));
    }
    resultEdit->setText(F3(flowRate));
    OkButton()->setEnabled(true);
}

bool CFlowUnitsCalcDlg::SetFlow(double cubicMetresPerSecond)
{
    // A flow too large to be written in every unit reads as 0, as a number
    // that is no number does.
    bool finite = std::isfinite(cubicMetresPerSecond);
    for (int k = 0; k < 4 && finite; ++k)
        finite = std::isfinite(cubicMetresPerSecond * kUnitsPerCubicMetrePerSecond[k]);
    flowRate = finite ? cubicMetresPerSecond : 0.0;
    for (int k = 0; k < 4; ++k)
        perUnitFlow[k] = flowRate * kUnitsPerCubicMetrePerSecond[k];
    return finite;
}

void CFlowUnitsCalcDlg::OnSetfocusValue()
{
    // A value being edited has to be converted again before it can be taken.
    OkButton()->setEnabled(false);
}

bool CFlowUnitsCalcDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == valueEdit && event->type() == QEvent::FocusIn)
        OnSetfocusValue();
    return CInputDialog::eventFilter(watched, event);
}
