#include "core/calc/PressureFlowCalculator.h"

#include "core/calc/CalcSupport.h"

#include "core/calc/GravityFlowCalculator.h"

#include <algorithm>
#include <cmath>

namespace {

// Single-precision constants, used as their double widenings.
constexpr double kAreaFactor = 0.7854f;      // pi/4 in A = D x 0.7854 x D
constexpr double kTwoG = 19.62f;             // 2 g, first velocity estimate
constexpr double kInvTwoG = 0.051f;          // 1 / (2 g) in the velocity head
constexpr double kFourOverPiPoint = 1.273f;  // 4/pi of the characteristic
constexpr double kFourOverPiHead = 1.2732f;  // 4/pi of the head from a flow
constexpr double kShortestLength = 0.01f;
constexpr double kTolerance = 1e-4f;

// Exact constants.
constexpr double kStartReynolds = 200000.0;
constexpr int kCorrections = 500;

double Friction(double re, double relativeRoughness)
{
    return CGravityFlowCalculator::FrictionFactor(re, relativeRoughness);
}

double HeadOf(double lambda, double v, double D, double f, double length, double zeta)
{
    return (f * lambda * length / D + zeta) * kInvTwoG * (v * v);
}

// The band of heads that no flow gives through the section.
auto HeadBand(double D, double k, double nu, double f, double length, double zeta)
{
    return CGravityFlowCalculator::SwitchBand(
        D, nu, k / D, [=](double lambda, double v) { return HeadOf(lambda, v, D, f, length, zeta); });
}

// The damped flow iteration shared by the flow from a head and the
// characteristic: Q := Q (1 + c) until |c| is not above the tolerance, at most
// 500 corrections, the last one applied. A head in the section's band gives
// the flow where the friction factor switches, rather than the iteration
// swinging across the jump.
double IterateFlow(double Q, double A, double D, double k, double nu, double h, double f,
                   double length, double zeta, auto& band)
{
    if (const double vSwitch = band.VelocityFor(h); vSwitch > 0.0)
        return vSwitch * A;
    for (int i = 0; i < kCorrections; ++i) {
        const double v = Q / A;
        const double lambda = Friction(v * D / nu, k / D);
        const double headNeeded = HeadOf(lambda, v, D, f, length, zeta);
        const double c = (h - headNeeded) * 0.5 / h;
        if (1.0 + c <= 0.0) {
            // The damped step would stop or reverse the flow (the start lies
            // far on the fast side, as for laminar flow): scale by the square
            // root of the head ratio instead, which is always positive.
            Q = Q * std::sqrt(h / headNeeded);
        } else {
            Q = Q * (1.0 + c);
        }
        if (std::fabs(c) <= kTolerance)
            break;
    }
    return Q;
}

}  // namespace

double CPressureFlowCalculator::HeadFromFlow(double L, double Q, double D, double k, double nu,
                                             double p, double zeta)
{
    const double v = Q * kFourOverPiHead / (D * D);
    const double lambda = Friction(v * D / nu, k / D);
    return v * ((lambda * (1.0 + p / 100.0) * L / D + zeta) * kInvTwoG * v);
}

double CPressureFlowCalculator::FlowFromHead(double L, double D, double k, double nu, double h,
                                             double p, double zeta)
{
    const double length = std::max(L, kShortestLength);
    const double f = 1.0 + p / 100.0;
    const double lambda0 = Friction(kStartReynolds, k / D);
    const double u = std::sqrt(h * kTwoG / (lambda0 * f * length / D + zeta));
    const double A = D * kAreaFactor * D;
    auto band = HeadBand(D, k, nu, f, length, zeta);
    return IterateFlow(u * A, A, D, k, nu, h, f, length, zeta, band);
}

bool CPressureFlowCalculator::FlowAtSwitch(double L, double D, double k, double nu, double h, double p,
                                           double zeta)
{
    return HeadBand(D, k, nu, 1.0 + p / 100.0, std::max(L, kShortestLength), zeta).VelocityFor(h) > 0.0;
}

int CPressureFlowCalculator::Points() const
{
    return std::clamp(pointCount, 0, kPoints);
}

void CPressureFlowCalculator::BuildCharacteristic(double L, double D, double k, double nu,
                                                  double scaleHead, double p, double zeta)
{
    const int n = Points();
    for (int i = 0; i < n; ++i) {
        points[i][PtHead] = 0.0;
        points[i][PtReynolds] = 0.0;
        points[i][PtFriction] = 0.0;
        points[i][PtVelocity] = 0.0;
        points[i][PtFlow] = 0.0;
        points[i][PtLength] = L;
    }
    const double topHead = 1.5 * scaleHead;
    if (n < 2)
        return;

    const double length = std::max(L, kShortestLength);
    const double f = 1.0 + p / 100.0;
    const double A = D * kAreaFactor * D;
    const double lambda0 = Friction(kStartReynolds, k / D);
    const double k0 = lambda0 * f * length / D + zeta;
    auto band = HeadBand(D, k, nu, f, length, zeta);
    for (int i = 1; i < n; ++i) {
        const double h = i * topHead / (n - 1);
        points[i][PtHead] = h;
        const double Q = IterateFlow(std::sqrt(h * kTwoG / k0) * A, A, D, k, nu, h, f, length, zeta, band);
        const double v = Q * kFourOverPiPoint / (D * D);
        const double re = v * D / nu;
        points[i][PtFlow] = Q;
        points[i][PtVelocity] = v;
        points[i][PtReynolds] = re;
        points[i][PtFriction] = Friction(re, k / D) * (1.0 + p / 100.0);
    }
}

double CPressureFlowCalculator::QuantityAtHead(int quantity, double h) const
{
    const int n = Points();
    if (n - 1 < 1)
        return 0.0;
    double result = 0.0;
    for (int i = 0; i + 1 < n; ++i) {
        const double h0 = points[i][PtHead];
        const double h1 = points[i + 1][PtHead];
        if (h0 < h && h <= h1) {
            const double x0 = points[i][quantity];
            const double x1 = points[i + 1][quantity];
            result = (h - h0) / (h1 - h0) * (x1 - x0) + x0;
        }
    }
    return result;
}

double CPressureFlowCalculator::GradientPerMille(double h) const
{
    return h * 1000.0 / points[0][PtLength];
}

int ChoosePressureCandidate(std::span<const double> capacities, double flow)
{
    return ChooseCandidate(capacities, flow, CapacityBound::Inclusive);
}
