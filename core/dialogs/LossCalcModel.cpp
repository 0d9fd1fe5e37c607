#include "core/dialogs/LossCalcModel.h"

#include "core/dialogs/DialogText.h"

#include <cmath>

void CLossCalcModel::Open()
{
    // A length that is no length (0, negative or not a number) is taken as
    // the shortest one, so the gradient stays finite.
    if (!(pipeLength >= kMinLength))
        pipeLength = kMinLength;
    gradient = totalLoss * 1000.0 / pipeLength;
    // A head loss too large for its gradient to be written reads as 0, as a
    // number that is no number does.
    if (!std::isfinite(gradient) || !std::isfinite(totalLoss))
        gradient = totalLoss = 0.0;
    okEnabled = false;
}

bool CLossCalcModel::Calculate(double typedGradient)
{
    gradient = typedGradient;
    totalLoss = gradient * kPerMille * pipeLength;
    const bool taken = std::isfinite(totalLoss);
    if (!taken)
        gradient = totalLoss = 0.0;
    okEnabled = true;
    return taken;
}

std::u16string CLossCalcModel::GradientText() const
{
    return NumberText("%.2f", gradient);
}

std::u16string CLossCalcModel::LengthText() const
{
    return NumberText("%.2f", pipeLength);
}

std::u16string CLossCalcModel::LossText() const
{
    return NumberText("%.2f", totalLoss);
}
