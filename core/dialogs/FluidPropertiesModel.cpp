#include "core/dialogs/FluidPropertiesModel.h"

#include "core/dialogs/DialogText.h"

#include <algorithm>
#include <cmath>

namespace {

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

int CFluidPropertiesModel::SliderPosition(double c)
{
    if (!(c >= -kConcentrationTolerance && c <= kMaxConcentration + kConcentrationTolerance))
        return 0;
    const double p = std::trunc(c * kPositionPerConcentration);
    return p < 0.0 ? 0 : (p > kLastPosition ? kLastPosition : static_cast<int>(p));
}

void CFluidPropertiesModel::Open()
{
    concentration = (viscosity - kClearWater) * kConcentrationPerViscosity;
    SetPosition(SliderPosition(concentration));
}

void CFluidPropertiesModel::SetPosition(int p)
{
    position = std::clamp(p, 0, kLastPosition);
    concentration = static_cast<double>(static_cast<float>(position) * kConcentrationStep);
    viscosity = concentration * kPerConcentration + kClearWater;
}

std::u16string CFluidPropertiesModel::ConcentrationText() const
{
    return NumberText("%.0f", concentration);
}

std::u16string CFluidPropertiesModel::ViscosityText() const
{
    return NumberText("%4.2e", viscosity);
}
