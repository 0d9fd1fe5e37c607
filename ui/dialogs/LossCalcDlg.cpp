#include "ui/dialogs/LossCalcDlg.h"

#include "ui/controls/ColorControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

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
    const int rows = static_cast<int>(std::size(labels));
    for (int row = 0; row < rows; ++row) {
        grid->addWidget(MakeLabel(labels[row]), row, 0);
        grid->addWidget(edits[row], row, 1);
        grid->addWidget(MakeLabel(units[row]), row, 2);
    }
    grid->addWidget(calculateButton, rows, 1);
    grid->setColumnStretch(0, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(MakeButtonColumn());
    setTabOrder(gradientEdit, calculateButton);
}

void CLossCalcDlg::OnInitDialog()
{
    CInputDialog::OnInitDialog();
    model.Open();
    lengthEdit->setText(QString::fromStdU16String(model.LengthText()));
    lossEdit->setText(QString::fromStdU16String(model.LossText()));
    gradientEdit->setText(QString::fromStdU16String(model.GradientText()));
    OkButton()->setEnabled(model.okEnabled);
}

void CLossCalcDlg::OnRecompute()
{
    // The comma turned into a point is the program's own change: OK stays.
    if (!model.Calculate(ReadDecimalField(gradientEdit)))
        gradientEdit->setText(QString::fromStdU16String(model.GradientText()));
    lossEdit->setText(QString::fromStdU16String(model.LossText()));
    OkButton()->setEnabled(model.okEnabled);
}

void CLossCalcDlg::OnChangeGradient()
{
    model.EditGradient();
    OkButton()->setEnabled(model.okEnabled);
}
