#include "dialogs/FluidPropertiesDlg.h"

#include "app/DalvorApp.h"
#include "base/Text.h"
#include "controls/ColorControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

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

constexpr int kLastPosition = 20;
// nu = kClearWater + kPerConcentration x c, with c in mg/l.
constexpr double kClearWater = 1.31e-6f;
constexpr double kPerConcentration = 2e-10f;
constexpr double kConcentrationPerViscosity = 5e9;
constexpr double kPositionPerConcentration = 0.021f;
constexpr float kConcentrationStep = 50.0f;
constexpr double kMaxConcentration = 1000.0;
// The viscosity of the last position, taken back through the law, lands a
// hair above 1000 mg/l: a concentration that close still belongs on the scale.
constexpr double kConcentrationTolerance = 1e-3;

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

int CFluidParmsDlg::SliderPosition(double c)
{
    if (!(c >= -kConcentrationTolerance && c <= kMaxConcentration + kConcentrationTolerance))
        return 0;
    const double position = std::trunc(c * kPositionPerConcentration);
    return position < 0.0 ? 0 : (position > kLastPosition ? kLastPosition : static_cast<int>(position));
}

void CFluidParmsDlg::OnInitDialog()
{
    CInputDialog::OnInitDialog();
    {
        QSignalBlocker block(slider);
        slider->setRange(0, kLastPosition);
        concentration = (viscosity - kClearWater) * kConcentrationPerViscosity;
        slider->setValue(SliderPosition(concentration));
    }
    ShowValues();
    // The slider draws itself at its position, which sets the values of the
    // grid it stands on.
    OnCustomdrawSlider();
}

void CFluidParmsDlg::OnCustomdrawSlider()
{
    concentration = static_cast<double>(static_cast<float>(slider->value()) * kConcentrationStep);
    viscosity = concentration * kPerConcentration + kClearWater;
    ShowValues();
}

void CFluidParmsDlg::ShowValues()
{
    viscosityEdit->setText(QString::fromStdString(FormatC("%4.2e", viscosity)));
    concentrationEdit->setText(QString::fromStdString(FormatC("%.0f", concentration)));
}
