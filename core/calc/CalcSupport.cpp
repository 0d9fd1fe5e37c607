#include "core/calc/CalcSupport.h"

int ChooseCandidate(std::span<const double> capacities, double flow, CapacityBound bound)
{
    constexpr double kNoCapacity = 999999.9f;
    const auto below = [bound](double a, double b) { return bound == CapacityBound::Inclusive ? a <= b : a < b; };
    double smallest = kNoCapacity;
    int smallestIndex = -1;
    int chosen = -1;
    int previous = -1;
    const int count = static_cast<int>(capacities.size());
    for (int j = 0; j < count; ++j) {
        const double c = capacities[j];
        if (!std::isfinite(c))
            continue;
        if (c < smallest) {
            smallest = c;
            smallestIndex = j;
        }
        if (previous >= 0) {
            const double p = capacities[previous];
            if (p <= flow && below(flow, c))
                chosen = j;
            if (c <= flow && below(flow, p))
                chosen = previous;
        }
        previous = j;
    }
    if (chosen < 0 && smallestIndex >= 0 && smallest > flow)
        chosen = smallestIndex;
    return chosen;
}
