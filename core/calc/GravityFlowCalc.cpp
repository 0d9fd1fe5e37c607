// The gravity-flow calculation on the working record.
#include "core/base/LangTables.h"
#include "core/base/Text.h"
#include "core/calc/CalcSupport.h"
#include "core/calc/Calculations.h"
#include "core/calc/CandidateSize.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr int kMaxCandidates = static_cast<int>(std::size(GravityFlowRecord{}.candidates));
constexpr double kCapacityFilling = 0.85f;   // filling at which a candidate's capacity is taken
constexpr double kLengthScale = 0.001f;      // length x slope in per mille -> m

}  // namespace

void CalcGravityFlow(GravityFlowRecord& r, CGravityFlowCalculator& gravityCalculator, int languageOffset)
{
    SetResultText(r.head.conclusion, u"");
    SetResultText(r.head.warning, u"");
    r.head.resultValid = 0;

    double D = r.innerDiameter / 1000.0;
    double k = r.roughness / 1000.0;
    double J = r.slopeInput / 1000.0;
    const double h = r.fillingInput;
    double Q = r.flowInput;
    const double nu = r.viscosity;
    const double s = r.localLossShare;

    // Minimum slopes with the diameter the record holds now (in diameter mode
    // the one chosen before; the page's second run brings them up to date).
    r.minSlopeSanitary = 897.0 / (D * r.density);
    r.minSlopeStorm = 539.0 / (D * r.density);
    KeepFinite(r.minSlopeSanitary);
    KeepFinite(r.minSlopeStorm);

    r.filling = h;
    r.slope = r.slopeInput;
    r.flow = Q;
    KeepFinite(r.filling);
    KeepFinite(r.slope);
    KeepFinite(r.flow);

    // Inputs that are not numbers, and a pipe without a diameter in the modes
    // that work on the record's own diameter, give no result.
    bool usable = std::isfinite(k) && std::isfinite(J) && std::isfinite(Q) && std::isfinite(nu) &&
                  std::isfinite(s) && std::isfinite(r.length) && std::isfinite(r.startLevel);
    if (r.mode != 0)
        usable = usable && std::isfinite(D) && D > 0.0;
    if (r.mode == 1 || r.mode == 2)
        usable = usable && std::isfinite(h);
    // The diameter mode always says which size it chose: none for such inputs,
    // so that no earlier choice is taken up again by the page.
    if (r.mode == 0 && !usable)
        r.chosenCandidate = -1;

    if (usable) {
        switch (r.mode) {
        case 1: {
            const double slopeFound = CGravityFlowCalculator::SlopeForFlow(Q, D, k, nu, h, s);
            if (slopeFound > 0.0) {
                r.head.resultValid = 1;
                r.slope = slopeFound * 1000.0;
                J = slopeFound;
            }
            break;
        }
        case 3: {
            const double fillingFound = gravityCalculator.FillingForFlow(Q, D, k, nu, J, s);
            if (fillingFound > 0.0) {
                r.filling = fillingFound;
                r.head.resultValid = 1;
            }
            break;
        }
        case 2: {
            const double flowFound = CGravityFlowCalculator::FlowAtFilling(D, k, nu, h, J, s);
            if (flowFound > 0.0) {
                Q = flowFound;
                r.flow = flowFound;
                r.head.resultValid = 1;
            }
            break;
        }
        case 0: {
            const int count = std::clamp(r.candidateCount, 0, kMaxCandidates);
            const int chosen = ChooseByCapacity(
                {r.candidates, static_cast<std::size_t>(count)}, Q, ChooseGravityCandidate,
                [&](double d) { return CGravityFlowCalculator::FlowAtFilling(d, k, nu, kCapacityFilling, J, s); });
            r.chosenCandidate = chosen;
            if (chosen < 0)
                break;
            TakeCandidateSize(r, r.candidates[chosen]);
            D = r.innerDiameter / 1000.0;
            k = r.roughness / 1000.0;  // a roughness that is no number spoils the result below
            KeepFinite(r.outerDiameter);
            KeepFinite(r.nominalSize);
            KeepFinite(r.roughness);
            const double fillingFound = gravityCalculator.FillingForFlow(Q, D, k, nu, J, s);
            if (fillingFound > 0.0) {
                r.filling = fillingFound;
                r.head.resultValid = 1;
            }
            break;
        }
        default:
            break;
        }
    }
    if (r.head.resultValid != 1) {
        KeepFinite(r.slope);
        KeepFinite(r.flow);
        return;
    }

    // The table is built aside and kept only when the whole result is sound,
    // so that the picture never reads a table made from numbers that are not.
    CGravityFlowCalculator calc = gravityCalculator;
    calc.BuildTable(D, k, nu, J, s);

    const double filling = calc.FillingAtFlow(Q);
    r.filling = filling;
    r.flow = calc.FlowAt(filling);
    r.flowArea = calc.AreaAt(filling);
    r.hydraulicRadius = calc.HydraulicRadiusAt(filling);
    r.reynolds = calc.ReynoldsAt(filling);
    r.velocity = calc.VelocityAt(filling);
    const double lambda = calc.FrictionFactorAt(filling);
    // A flow well above the full-pipe capacity has no filling: every quantity
    // at it reads 0, the relative roughness too.
    r.relativeRoughness = r.hydraulicRadius == 0.0 ? 0.0 : (k * 0.25) / r.hydraulicRadius;
    r.frictionFactor = lambda;

    const double totalLoss = r.length * kLengthScale * r.slope;
    r.frictionLossHead = totalLoss / (1.0 + s / 100.0);
    r.localLossHead = totalLoss - r.frictionLossHead;
    r.endLevel = r.startLevel - (r.localLossHead + r.frictionLossHead);

    bool finite = true;
    for (double* field : {&r.flow, &r.slope, &r.filling, &r.flowArea, &r.hydraulicRadius, &r.reynolds,
                          &r.velocity, &r.relativeRoughness, &r.frictionFactor, &r.frictionLossHead,
                          &r.localLossHead, &r.endLevel})
        finite = KeepFinite(*field) && finite;
    for (const auto& row : calc.table)
        for (double value : row)
            finite = finite && std::isfinite(value);
    if (!finite) {
        r.head.resultValid = 0;
        return;
    }
    gravityCalculator = calc;

    static constexpr int kConclusion[4] = {20244, 20246, 20245, 20247};  // by mode
    SetResultText(r.head.conclusion, LangString(kConclusion[r.mode], languageOffset));
    if (r.minSlopeSanitary > r.slope)
        SetResultText(r.head.warning, LangString(20248, languageOffset));
    if (r.minSlopeStorm > r.slope)
        SetResultText(r.head.warning, LangString(20249, languageOffset));
}
