#include "dialogs/LossCalcDlg.h"

#include "app/DalvorApp.h"
#include "base/Text.h"
#include "controls/ColorControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kCaption = 117;
constexpr int kCalculate = 1513;
constexpr int kGradientLabel = 1514;
constexpr int kGradientEdit = 1515;
constexpr int kGradientUnit = 1516;
constexpr int kLengthLabel = 1517;
constexpr int kLengthEdit = 1518;
constexpr int kLengthUnit = 1519;
constexpr int kLossLabel = 1520;
constexpr int kLossEdit = 1521;
constexpr int kLossUnit = 1522;

QString F2(double v)
{
    return QString::fromStdString(FormatC("%.2f", v));
}

}  // namespace

CLossCalcDlg::CLossCalcDlg(CDalvorApp& a, QWidget* parent) : CInputDialog(a, kCaption, parent)
{
    auto edit = [this](int id, bool readOnly) {
        auto* e = new QLineEdit(this);
        Register(id, e, false);
        if (readOnly)
            MarkReadOnlyField(e);
        e->setFixedWidth(90);
        return e;
    };
    gradientEdit = edit(kGradientEdit, false);
    connect(gradientEdit, &QLineEdit::textEdited, this, &CLossCalcDlg::OnChangeGradient);
    lengthEdit = edit(kLengthEdit, true);
    lossEdit = edit(kLossEdit, true);
    calculateButton = new QPushButton(this);
    Register(kCalculate, calculateButton);
    calculateButton->setAutoDefault(false);
    connect(calculateButton, &QPushButton::clicked, this, &CLossCalcDlg::OnRecompute);

    auto* grid = new QGridLayout;
    const int labels[3] = {kGradientLabel, kLengthLabel, kLossLabel};
    QLineEdit* edits[3] = {gradientEdit, lengthEdit, lossEdit};
    const int units[3] = {kGradientUnit, kLengthUnit, kLossUnit};
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(MakeLabel(labels[row]), row, 0);
        grid->addWidget(edits[row], row, 1);
        grid->addWidget(MakeLabel(units[row]), row, 2);
    }
    grid->addWidget(calculateButton, 3, 1);
    grid->setColumnStretch(0, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(MakeButtonColumn());
    setTabOrder(gradientEdit, calculateButton);
}

void CLossCalcDlg::OnInitDialog()
{
    CInputDialog::OnInitDialog();
    // A length that is no length (0, negative or not a number) is taken as
    // the shortest one, so the gradient stays finite.
    if (!(pipeLength >= kMinLength))
        pipeLength = kMinLength;
    gradient = totalLoss * 1000.0 / pipeLength;
    // A head loss too large for its gradient to be written reads as 0, as a
    // number that is no number does.
    if (!std::isfinite(gradient) || !std::isfinite(totalLoss))
        gradient = totalLoss = 0.0;
    lengthEdit->setText(F2(pipeLength));
    lossEdit->setText(F2(totalLoss));
    gradientEdit->setText(F2(gradient));
    OkButton()->setEnabled(false);
}

void CLossCalcDlg::OnRecompute()
{
    // The comma turned into a point is the program's own change: OK stays.
    gradient = ReadDecimalField(gradientEdit);
    totalLoss = gradient * kPerMille * pipeLength;
    if (!std::isfinite(totalLoss)) {
        gradient = totalLoss = 0.0;
        gradientEdit->setText(F2(gradient));
    }
    lossEdit->setText(F2(totalLoss));
    OkButton()->setEnabled(true);
}

void CLossCalcDlg::OnChangeGradient()
{
    OkButton()->setEnabled(false);
}
