#include "FlowUnitsDlg.h"

#include "DalvorApp.h"
#include "Text.h"
#include "UiText.h"

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
constexpr int kRadioIds[4] = {1477, 1479, 1480, 1481};
constexpr int kValueEdit = 1482;
constexpr int kResultEdit = 1483;
constexpr int kCalculate = 1484;
constexpr int kUnitLabel = 1487;
constexpr int kResultUnit = 1488;
constexpr int kCancelText = 1591;
constexpr int kOkText = 1592;

QString F3(double v)
{
    return QString::fromStdString(FormatC("%.3f", v));
}

}  // namespace

CFlowUnitsCalcDlg::CFlowUnitsCalcDlg(CDalvorApp& a, QWidget* parent) : QDialog(parent), app(a)
{
    setObjectName(QString::number(kCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* units = new QGroupBox(this);
    units->setObjectName(QString::number(kUnitsGroup));
    auto* unitsLayout = new QVBoxLayout(units);
    unitGroup = new QButtonGroup(this);
    for (int k = 0; k < 4; ++k) {
        radios[k] = new QRadioButton(units);
        radios[k]->setObjectName(QString::number(kRadioIds[k]));
        unitGroup->addButton(radios[k], k);
        unitsLayout->addWidget(radios[k]);
    }
    connect(unitGroup, &QButtonGroup::idClicked, this, &CFlowUnitsCalcDlg::OnUnit);

    auto* flow = new QGroupBox(this);
    flow->setObjectName(QString::number(kFlowGroup));
    auto* flowLayout = new QGridLayout(flow);
    valueEdit = new QLineEdit(flow);
    valueEdit->setObjectName(QString::number(kValueEdit));
    valueEdit->setMinimumWidth(110);
    valueEdit->installEventFilter(this);
    unitLabel = new QLabel(flow);
    unitLabel->setObjectName(QString::number(kUnitLabel));
    unitLabel->setTextFormat(Qt::PlainText);
    resultEdit = new QLineEdit(flow);
    resultEdit->setObjectName(QString::number(kResultEdit));
    resultEdit->setReadOnly(true);
    resultEdit->setMinimumWidth(90);
    auto* resultUnit = new QLabel(flow);
    resultUnit->setObjectName(QString::number(kResultUnit));
    resultUnit->setTextFormat(Qt::PlainText);
    calculateButton = new QPushButton(flow);
    calculateButton->setObjectName(QString::number(kCalculate));
    calculateButton->setAutoDefault(false);
    connect(calculateButton, &QPushButton::clicked, this, &CFlowUnitsCalcDlg::OnConvert);
    flowLayout->addWidget(valueEdit, 0, 0);
    flowLayout->addWidget(unitLabel, 0, 1);
    flowLayout->addWidget(resultEdit, 0, 2);
    flowLayout->addWidget(resultUnit, 0, 3);
    flowLayout->addWidget(calculateButton, 1, 0, 1, 4, Qt::AlignRight);

    okButton = new QPushButton(this);
    okButton->setObjectName(QStringLiteral("1"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    cancelButton = new QPushButton(this);
    cancelButton->setObjectName(QStringLiteral("2"));
    cancelButton->setAutoDefault(false);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(units);
    layout->addWidget(flow, 1);
    layout->addLayout(buttons);
    setTabOrder(valueEdit, calculateButton);
}

void CFlowUnitsCalcDlg::ApplyLanguage(int offset)
{
    auto text = [&](int key) { return LangText(app, key, offset); };
    setWindowTitle(text(kCaption));
    findChild<QGroupBox*>(QString::number(kUnitsGroup))->setTitle(text(kUnitsGroup));
    findChild<QGroupBox*>(QString::number(kFlowGroup))->setTitle(text(kFlowGroup));
    for (int k = 0; k < 4; ++k)
        radios[k]->setText(text(kRadioIds[k]));
    unitLabel->setText(text(kUnitLabel));
    findChild<QLabel*>(QString::number(kResultUnit))->setText(text(kResultUnit));
    calculateButton->setText(text(kCalculate));
    cancelButton->setText(text(kCancelText));
    okButton->setText(text(kOkText));
}

void CFlowUnitsCalcDlg::showEvent(QShowEvent* event)
{
    if (!initialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CFlowUnitsCalcDlg::OnInitDialog()
{
    initialised = true;
    ApplyLanguage(app.languageOffset);
    unit = 0;
    radios[0]->setChecked(true);
    for (int k = 0; k < 4; ++k)
        perUnitFlow[k] = flowRate * kUnitsPerCubicMetrePerSecond[k];
    enteredFlow = perUnitFlow[0];
    valueEdit->setText(F3(enteredFlow));
    resultEdit->setText(F3(flowRate));
    okButton->setEnabled(false);
}

void CFlowUnitsCalcDlg::OnUnit(int k)
{
    if (k < 0 || k >= 4)
        return;
    // The unit beside the value is the radio's own text.
    unitLabel->setText(LangText(app, kRadioIds[k]));
    unit = k;
    radios[k]->setChecked(true);
    enteredFlow = perUnitFlow[k];
    // A number typed but not converted gives way to the flow in the new unit.
    valueEdit->setText(F3(enteredFlow));
    okButton->setEnabled(false);
}

void CFlowUnitsCalcDlg::OnConvert()
{
    enteredFlow = ParseNumber(valueEdit->text().toStdU16String());
    flowRate = enteredFlow / kUnitsPerCubicMetrePerSecond[unit];
    resultEdit->setText(F3(flowRate));
    for (int k = 0; k < 4; ++k)
        perUnitFlow[k] = flowRate * kUnitsPerCubicMetrePerSecond[k];
    okButton->setEnabled(true);
}

void CFlowUnitsCalcDlg::OnSetfocusValue()
{
    // A value being edited has to be converted again before it can be taken.
    okButton->setEnabled(false);
}

bool CFlowUnitsCalcDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == valueEdit && event->type() == QEvent::FocusIn)
        OnSetfocusValue();
    return QDialog::eventFilter(watched, event);
}
