// The pressure-flow calculation on the working record.
#include "core/base/LangTables.h"
#include "core/base/Text.h"
#include "core/calc/CalcSupport.h"
#include "core/calc/Calculations.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr int kMaxCandidates = static_cast<int>(std::size(PressureFlowRecord{}.candidates));
constexpr double kQuarterPi = 0.785f;        // capacity = v x 0.785 x d x d
constexpr double kFourOverPi = 1.273f;       // velocity = Q x 1.273 / D^2
constexpr double kInvTwoG = 0.051f;          // velocity head = v x 0.051 x v
constexpr double kPercent = 0.01f;           // local-loss share in per cent
constexpr double kWaterDensity = 999.7f;     // density of the water column
constexpr double kNoRange = 0.01f;           // a range narrower than this is none
constexpr double kNarrowRange = 10.0;        // m of water column

// The smallest value of the chart's scale series above the head.
double ScaleHead(double h)
{
    static constexpr double kSeries[] = {0.1f, 0.2f, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0,
                                         100.0, 200.0, 500.0, 1000.0};
    for (double value : kSeries)
        if (value > h)
            return value;
    return 10000.0;
}

}  // namespace

void CalcPressureFlow(PressureFlowRecord& r, CPressureFlowCalculator& pressureCalculator, int languageOffset)
{
    double D = r.innerDiameter / 1000.0;
    const double k = r.roughness / 1000.0;
    const double L = r.length;
    const double nu = r.viscosity;
    const double p = r.localLossShare;
    const double zeta = r.lossCoefficient;
    r.head.resultValid = 0;
    r.headLoss = r.headLossInput;
    r.flow = r.flowInput;
    KeepFinite(r.headLoss);
    KeepFinite(r.flow);
    double h = r.headLossInput;
    bool flowAtSwitch = false;

    // Inputs that are not numbers, and a pipe without a diameter, give no
    // result.
    bool usable = std::isfinite(k) && std::isfinite(L) && std::isfinite(nu) && std::isfinite(p) &&
                  std::isfinite(zeta) && std::isfinite(r.density) && std::isfinite(r.startLevel) &&
                  std::isfinite(r.endLevel) && std::isfinite(r.nominalPressure);
    if (r.mode == 1 || r.mode == 2)
        usable = usable && std::isfinite(D) && D > 0.0;
    // The diameter mode always says which size it chose: none for such inputs,
    // so that no earlier choice is taken up again by the page.
    if (r.mode == 0 && !usable)
        r.chosenCandidate = -1;

    if (usable) {
        switch (r.mode) {
        case 1: {
            const double headFound = CPressureFlowCalculator::HeadFromFlow(L, r.flowInput, D, k, nu, p, zeta);
            if (headFound > 0.0) {
                h = headFound;
                r.headLoss = headFound;
                r.head.resultValid = 1;
            }
            break;
        }
        case 2: {
            const double flowFound = CPressureFlowCalculator::FlowFromHead(L, D, k, nu, r.headLossInput, p, zeta);
            if (flowFound > 0.0) {
                r.flow = flowFound;
                r.head.resultValid = 1;
                flowAtSwitch = CPressureFlowCalculator::FlowAtSwitch(L, D, k, nu, h, p, zeta);
            }
            break;
        }
        case 0: {
            const int count = std::clamp(r.candidateCount, 0, kMaxCandidates);
            const int chosen =
                ChooseByCapacity({r.candidates, static_cast<std::size_t>(count)}, r.flowInput, ChoosePressureCandidate,
                                 [&](double d) { return r.velocityInput * kQuarterPi * d * d; });
            r.chosenCandidate = chosen;
            if (chosen > -1) {
                const DiameterCandidate& candidate = r.candidates[chosen];
                D = candidate.innerDiameter * kCandidateScale;
                const double capacityFlow = candidate.capacity;
                h = CPressureFlowCalculator::HeadFromFlow(L, capacityFlow, D, k, nu, p, zeta);
                r.flow = capacityFlow;
                r.headLoss = h;
                r.head.resultValid = 1;
            }
            break;
        }
        default:
            break;
        }
    }

    if (r.head.resultValid == 1) {
        r.energyGradient = h * 1000.0 / L;
        r.velocity = r.flow * kFourOverPi / (D * D);
        r.relativeRoughness = k / D;
        r.reynolds = r.velocity * D / nu;
        const double velocityHead = r.velocity * kInvTwoG * r.velocity;
        if (flowAtSwitch) {
            // No flow makes up this head with the friction factor of its own
            // Reynolds number: the factor reported is the one with which the
            // losses at the reported velocity make up the head.
            r.frictionFactor = (h - velocityHead * zeta) * D / (velocityHead * L * (1.0 + p * kPercent));
        } else {
            r.frictionFactor = CGravityFlowCalculator::FrictionFactor(r.reynolds, k / D);
        }
        r.frictionLossHead = velocityHead * r.frictionFactor * L / D;
        r.localLossHead = p * kPercent * r.frictionLossHead + velocityHead * zeta;

        // Admissible pressure heads at both ends, in m of water column.
        r.startPressureMin = 0.0;
        r.startPressureMax = 0.0;
        r.endPressureMin = 0.0;
        r.endPressureMax = 0.0;
        const double rise = (r.endLevel - r.startLevel) * r.density / kWaterDensity;
        r.energyHeadDifference = rise + h;
        const double P = r.nominalPressure * 100.0;
        if (P > h) {
            r.startPressureMax = P;
            if (r.endLevel >= r.startLevel) {
                if (P > rise) {
                    double a = rise + h;
                    if (a * r.density / kWaterDensity > P)
                        a = P * kWaterDensity / r.density;
                    r.startPressureMin = a;
                    double e = a - rise - h;
                    if (e < 0.0)
                        e = 0.0;
                    r.endPressureMin = e;
                    r.endPressureMax = std::max(e, P + e - a);
                } else {
                    r.startPressureMax = 0.0;
                }
            } else {
                const double fall = (r.startLevel - r.endLevel) * r.density / kWaterDensity;
                if (P > fall) {
                    double e = fall - h;
                    if (e < 0.0)
                        e = 0.0;
                    r.endPressureMin = e;
                    const double a = e - fall + h;
                    r.startPressureMin = a;
                    if (a < 0.0) {
                        r.startPressureMin = 0.0;
                        r.endPressureMin = e - a;
                    }
                    r.endPressureMax = std::max(r.endPressureMin, P - h);
                    const double b = r.endPressureMax - fall + h;
                    r.startPressureMax = b;
                    if (b < 0.0) {
                        r.endPressureMax = r.endPressureMax - b;
                        r.startPressureMax = 0.0;
                    }
                } else {
                    r.startPressureMax = 0.0;
                }
            }
        }
    }

    // A result needs a diameter and finite numbers throughout; the
    // characteristic is built aside and kept only with a sound result.
    CPressureFlowCalculator calc = pressureCalculator;
    if (r.head.resultValid == 1) {
        bool finite = std::isfinite(D) && D > 0.0;
        for (double* field : {&r.flow, &r.headLoss, &r.energyGradient, &r.velocity, &r.relativeRoughness,
                              &r.reynolds, &r.frictionFactor, &r.frictionLossHead, &r.localLossHead,
                              &r.energyHeadDifference, &r.startPressureMin, &r.startPressureMax,
                              &r.endPressureMin, &r.endPressureMax})
            finite = KeepFinite(*field) && finite;
        if (finite) {
            calc.BuildCharacteristic(L, D, k, nu, ScaleHead(h), p, zeta);
            for (const auto& point : calc.points)
                for (double value : point)
                    finite = finite && std::isfinite(value);
        }
        if (!finite)
            r.head.resultValid = 0;
    }
    if (r.head.resultValid != 1) {
        SetResultText(r.head.conclusion, LangString(20255, languageOffset));
        SetResultText(r.head.warning, u"");
        return;
    }
    pressureCalculator = calc;

    SetResultText(r.head.warning, u"");
    static constexpr int kConclusion[3] = {20250, 20252, 20251};  // by mode
    SetResultText(r.head.conclusion, LangString(kConclusion[r.mode], languageOffset));
    const double startRange = std::fabs(r.startPressureMin - r.startPressureMax);
    const double endRange = std::fabs(r.endPressureMin - r.endPressureMax);
    if (startRange < kNarrowRange || endRange < kNarrowRange)
        SetResultText(r.head.warning, LangString(20253, languageOffset));
    if (startRange < kNoRange || endRange < kNoRange)
        SetResultText(r.head.warning, LangString(20254, languageOffset));
}
