// core/calc: the hydraulic and static calculations and their calculators,
// each calculation a function over its record. It includes core/base, the
// records of core/project and the catalogue rows of core/catalogue.
//
// Helpers the calculations share: the range of levels, finite checks on what
// they read and write, the bounded result texts, and the choice of a size
// from a list of capacities.
#pragma once

#include "core/base/Text.h"
#include "core/project/Records.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

// Levels (metres) are held within these, where the arithmetic keeps the
// digits shown; a level a calculation meets beyond them gives no result.
inline constexpr double kLowestLevel = -10000.0;
inline constexpr double kHighestLevel = 10000.0;

// Whether every value is finite.
inline bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// A field a calculation writes never holds an infinity or a NaN: such a value
// becomes 0. Returns whether the value was finite.
inline bool KeepFinite(double& field)
{
    if (std::isfinite(field))
        return true;
    field = 0.0;
    return false;
}

// Conclusions, warnings and reasons are written as at most 127 units.
inline constexpr std::size_t kResultTextUnits = 127;

template <std::size_t N>
void SetResultText(char16_t (&field)[N], std::u16string_view text)
{
    CopyBounded(field, text, kResultTextUnits < N ? kResultTextUnits : N - 1);
}

// Whether a flow equal to a capacity is carried by that size (Inclusive) or
// needs the next one (Strict).
enum class CapacityBound { Strict, Inclusive };

// The index of the size for the flow among capacities in list order, or -1:
// the first size whose capacity reaches the flow from a neighbour that does
// not, scanning the whole list (the last such step wins); failing that, the
// smallest size when even it exceeds the flow. Capacities that are not finite
// take no part in the choice.
int ChooseCandidate(std::span<const double> capacities, double flow, CapacityBound bound);

// A candidate's diameters are in millimetres.
inline constexpr double kCandidateScale = 0.001f;  // mm -> m

// Gives each size of the list its capacity, capacityOf(d) for its bore d in
// metres, and returns the size choose picks for the flow. A size without a
// bore carries nothing: it takes no part in the choice and keeps 0.
template <class CapacityOf>
int ChooseByCapacity(std::span<DiameterCandidate> candidates, double flow,
                     int (*choose)(std::span<const double>, double), CapacityOf capacityOf)
{
    std::vector<double> capacities(candidates.size());
    for (std::size_t j = 0; j < candidates.size(); ++j) {
        DiameterCandidate& candidate = candidates[j];
        const double d = candidate.innerDiameter * kCandidateScale;
        const double capacity = d > 0.0 ? capacityOf(d) : std::numeric_limits<double>::quiet_NaN();
        capacities[j] = capacity;
        candidate.capacity = capacity;
        KeepFinite(candidate.capacity);
    }
    return choose(capacities, flow);
}
