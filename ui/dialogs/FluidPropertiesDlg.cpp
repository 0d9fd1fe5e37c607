#include "ui/dialogs/FluidPropertiesDlg.h"

#include "ui/controls/ColorControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int kCaption = 115;
constexpr int kSlider = 1489;
constexpr int kSliderLow = 1490;
constexpr int kSliderHigh = 1491;
constexpr int kConcentrationLabel = 1492;
constexpr int kConcentrationEdit = 1493;
constexpr int kConcentrationUnit = 1494;
constexpr int kViscosityLabel = 1495;
constexpr int kViscosityEdit = 1496;
constexpr int kViscosityUnit = 1497;
constexpr int kLastPosition = CFluidPropertiesModel::kLastPosition;

}  // namespace

CFluidParmsDlg::CFluidParmsDlg(CDalvorApp& a, QWidget* parent) : CInputDialog(a, kCaption, parent)
{
    slider = new QSlider(Qt::Horizontal, this);
    Register(kSlider, slider, false);
    slider->setRange(0, kLastPosition);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setMinimumWidth(240);
    connect(slider, &QSlider::valueChanged, this, &CFluidParmsDlg::OnCustomdrawSlider);

    auto readOnly = [this](int id) {
        auto* e = new QLineEdit(this);
        Register(id, e, false);
        MarkReadOnlyField(e);
        e->setFixedWidth(90);
        return e;
    };
    concentrationEdit = readOnly(kConcentrationEdit);
    viscosityEdit = readOnly(kViscosityEdit);

    auto* scale = new QHBoxLayout;
    scale->addWidget(MakeLabel(kSliderLow));
    scale->addWidget(slider, 1);
    scale->addWidget(MakeLabel(kSliderHigh));

    auto* values = new QGridLayout;
    values->addWidget(MakeLabel(kConcentrationLabel), 0, 0);
    values->addWidget(concentrationEdit, 0, 1);
    values->addWidget(MakeLabel(kConcentrationUnit), 0, 2);
    values->addWidget(MakeLabel(kViscosityLabel), 1, 0);
    values->addWidget(viscosityEdit, 1, 1);
    values->addWidget(MakeLabel(kViscosityUnit), 1, 2);

    auto* left = new QVBoxLayout;
    left->addLayout(scale);
    left->addLayout(values);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(MakeButtonColumn());
}

void CFluidParmsDlg::OnInitDialog()
{
    CInputDialog::OnInitDialog();
    model.Open();
    {
        QSignalBlocker block(slider);
        slider->setRange(0, kLastPosition);
        slider->setValue(model.position);
    }
    ShowValues();
}

void CFluidParmsDlg::OnCustomdrawSlider()
{
    model.SetPosition(slider->value());
    ShowValues();
}

void CFluidParmsDlg::ShowValues()
{
    viscosityEdit->setText(QString::fromStdU16String(model.ViscosityText()));
    concentrationEdit->setText(QString::fromStdU16String(model.ConcentrationText()));
}
