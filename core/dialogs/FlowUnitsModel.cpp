#include "core/dialogs/FlowUnitsModel.h"

#include "core/dialogs/DialogText.h"

#include <cmath>

namespace {

std::u16string F3(double v)
{
    return NumberText("%.3f", std::isfinite(v) ? v : 0.0);
}

}  // namespace

void CFlowUnitsModel::Open()
{
    unit = 0;
    SetFlow(flowRate);
    enteredFlow = perUnitFlow[0];
    okEnabled = false;
}

bool CFlowUnitsModel::ChooseUnit(int k)
{
    if (k < 0 || k >= kUnitCount)
        return false;
    unit = k;
    // A number typed but not converted gives way to the flow in the new unit.
    enteredFlow = perUnitFlow[k];
    okEnabled = false;
    return true;
}

bool CFlowUnitsModel::Convert(double typed)
{
    enteredFlow = typed;
    const bool taken = SetFlow(enteredFlow / kUnitsPerCubicMetrePerSecond[unit]);
    if (!taken)
        enteredFlow = 0.0;
    okEnabled = true;
    return taken;
}

bool CFlowUnitsModel::SetFlow(double cubicMetresPerSecond)
{
    // A flow too large to be written in every unit reads as 0, as a number
    // that is no number does.
    bool finite = std::isfinite(cubicMetresPerSecond);
    for (int k = 0; k < kUnitCount && finite; ++k)
        finite = std::isfinite(cubicMetresPerSecond * kUnitsPerCubicMetrePerSecond[k]);
    flowRate = finite ? cubicMetresPerSecond : 0.0;
    for (int k = 0; k < kUnitCount; ++k)
        perUnitFlow[k] = flowRate * kUnitsPerCubicMetrePerSecond[k];
    return finite;
}

std::u16string CFlowUnitsModel::ValueText() const
{
    return F3(enteredFlow);
}

std::u16string CFlowUnitsModel::ResultText() const
{
    return F3(flowRate);
}
