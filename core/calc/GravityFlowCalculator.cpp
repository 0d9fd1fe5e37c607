#include "core/calc/GravityFlowCalculator.h"

#include "core/calc/CalcSupport.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace {

// Single-precision constants, used as their double widenings.
constexpr double kAreaFactor = 0.7854f;      // pi/4 in A = D x 0.7854 x D
constexpr double kEightG = 78.48f;           // 8 g
constexpr double kInvEightG = 0.01274f;      // about 1 / (8 g)
constexpr double kRatioPi = 3.1415f;         // partial-flow curve
constexpr double kRatioTwoPi = 6.283f;
constexpr double kRatioBase = 0.46f;
constexpr double kRatioSecond = 0.04f;
constexpr double kGeomPi = 3.1416f;          // circular segment
constexpr double kGeomTwoPi = 6.2832f;
constexpr double kRowStep = 1.0f / 30.0f;    // filling step of the table rows
constexpr double kTopFilling = 0.9999f;      // filling of the last row
constexpr double kOverloadFilling = 0.999f;  // filling reported for a slight overload
constexpr double kOverloadShare = 0.01f;     // a slight overload is below 1 %
constexpr double kSecantStart = 0.1f;
constexpr double kMinReynolds = 0.001f;
constexpr double kColebrookRough = 3.71f;
constexpr double kColebrookRe = 2.51f;
constexpr double kToleranceTable = 1e-4f;    // velocity iteration of the table and filling search
constexpr double kToleranceFlow = 1e-5f;     // velocity iteration of the flow at a filling
constexpr double kSecantTolerance = 1e-5f;
constexpr double kScanStep = 1e-5f;          // filling grid step

// Exact constants.
constexpr double kLaminarLimit = CGravityFlowCalculator::kLaminarLimit;
constexpr double kStartReynolds = 200000.0;
constexpr int kVelocityIterations = 500;
constexpr int kSecantIterations = 100;

}  // namespace

CGravityFlowCalculator::CGravityFlowCalculator()
{
    rowCount = kRows;
    table[0][ColFilling] = 0.0;
    table[0][ColRelArea] = 0.0;
    table[0][ColRelRadius] = 0.0;
    table[0][ColPerimeter] = 10000.0;
    for (int i = 1; i < kRows; ++i) {
        double h = i * kRowStep;
        if (h > kTopFilling)
            h = kTopFilling;
        const double c = 2.0 * h - 1.0;
        const double t = std::acos(c);
        const double relArea = (2.0 * c * std::sqrt(1.0 - c * c) + (kGeomTwoPi - 2.0 * t)) * 0.125;
        const double relRadius = relArea / (kGeomPi - t);
        table[i][ColFilling] = h;
        table[i][ColRelArea] = relArea;
        table[i][ColRelRadius] = relRadius;
        table[i][ColPerimeter] = relRadius * 4.0 / relArea;
    }
}

int CGravityFlowCalculator::Rows() const
{
    return std::clamp(rowCount, 0, kRows);
}

double CGravityFlowCalculator::FlowRatio(double h)
{
    return kRatioBase - 0.5 * std::cos(kRatioPi * h) + kRatioSecond * std::cos(kRatioTwoPi * h);
}

double CGravityFlowCalculator::FrictionFactor(double reynolds, double relativeRoughness)
{
    // max(Re, 0.001), letting a NaN through so that the caller sees it.
    const double re = reynolds < kMinReynolds ? kMinReynolds : reynolds;
    if (re < kLaminarLimit)
        return 64.0 / re;

    // Colebrook-White for x = 1/sqrt(lambda), solved by the secant method.
    const double rough = (relativeRoughness < 0.0 ? 0.0 : relativeRoughness) / kColebrookRough;
    auto f = [&](double x) { return x + 2.0 * std::log10(kColebrookRe * x / re + rough); };
    double x0 = kSecantStart;
    double x1 = 1.0;
    double f0 = f(x0);
    double f1 = f(x1);
    double x2 = x1;
    for (int i = 0; i < kSecantIterations; ++i) {
        ++colebrookSteps;
        x2 = x0 - (x1 - x0) * f0 / (f1 - f0);
        x0 = x1;
        x1 = x2;
        // Once not a number, every later step is not a number either.
        if (std::fabs(x0 - x2) <= kSecantTolerance || std::isnan(x2))
            break;
        f0 = f1;
        f1 = f(x1);
    }
    return 1.0 / (x2 * x2);
}

double CGravityFlowCalculator::SwitchFactorBound(double relativeRoughness)
{
    // Colebrook's factor at Re 2320 grows with the relative roughness: up to
    // each roughness here, it stays below the factor beside it (rounded up in
    // the fourth digit, far above the solver's error).
    static constexpr double kBounds[][2] = {
        {0.0, 0.04716},  {1e-5, 0.04717}, {1e-4, 0.04724}, {3e-4, 0.04740}, {1e-3, 0.04796}, {2e-3, 0.04876},
        {5e-3, 0.05109}, {1e-2, 0.05482}, {2e-2, 0.06180}, {5e-2, 0.08051}, {0.1, 0.1083},
    };
    for (const auto& [roughness, bound] : kBounds)
        if (relativeRoughness <= roughness)
            return bound;
    return std::numeric_limits<double>::infinity();
}

double CGravityFlowCalculator::FullPipeFlow(double D, double k, double nu, double J, double s,
                                            double tolerance)
{
    const double r0 = (k * 0.25) / (D * 0.25);
    const double q = 1.0 + s / 100.0;
    const auto slopeNeeded = [&](double lambda, double v) { return lambda * q * kInvEightG * (v * v) / (D * 0.25); };
    // A slope that no velocity gives: the velocity where the friction factor
    // switches, rather than the iteration swinging across the jump.
    if (const double vSwitch = SwitchBand(D, nu, r0, slopeNeeded).VelocityFor(J); vSwitch > 0.0)
        return vSwitch * (D * kAreaFactor * D);
    double v = std::sqrt(J * kEightG * (D * 0.25) / (FrictionFactor(kStartReynolds, r0) * q));
    for (int i = 0; i < kVelocityIterations; ++i) {
        const double re = v * D / nu;
        const double needed = slopeNeeded(FrictionFactor(re, r0), v);
        const double e = (J - needed) * 0.5 / J;
        if (std::isnan(e)) {
            // The velocity would become not a number and stay so: stop at once
            // with that result rather than run to the limit.
            v = std::numeric_limits<double>::quiet_NaN();
            break;
        }
        if (1.0 + e <= 0.0) {
            // The damped step would stop or reverse the flow (the start lies far
            // on the fast side, as for laminar flow): scale by the square root
            // of the slope ratio instead, which is always positive.
            v = v * std::sqrt(J / needed);
        } else {
            v = v * (1.0 + e);
        }
        if (std::fabs(e) <= tolerance)
            break;
    }
    return v * (D * kAreaFactor * D);
}

std::span<const double> CGravityFlowCalculator::FillingGrid()
{
    static const std::vector<double> grid = [] {
        std::vector<double> g;
        g.reserve(100002);
        double h = kScanStep;
        while (h < 1.0) {
            g.push_back(h);
            h += kScanStep;
        }
        g.push_back(h);
        return g;
    }();
    return grid;
}

void CGravityFlowCalculator::BuildTable(double D, double k, double nu, double J, double s)
{
    const int rows = Rows();
    for (int i = 0; i < rows; ++i) {
        table[i][ColReynolds] = 0.0;
        table[i][ColFriction] = 0.0;
        table[i][ColVelocity] = 0.0;
        table[i][ColFlow] = 0.0;
        table[i][ColArea] = D * D * table[i][ColRelArea];
        table[i][ColRadius] = D * table[i][ColRelRadius];
    }
    const double fullFlow = FullPipeFlow(D, k, nu, J, s, kToleranceTable);
    for (int i = 1; i < rows; ++i) {
        const double area = table[i][ColArea];
        const double radius = table[i][ColRadius];
        const double flow = FlowRatio(table[i][ColFilling]) * fullFlow;
        const double velocity = flow / area;
        const double re = velocity * 4.0 * radius / nu;
        table[i][ColFlow] = flow;
        table[i][ColVelocity] = velocity;
        table[i][ColReynolds] = re;
        table[i][ColFriction] = FrictionFactor(re, (k * 0.25) / radius);
    }
}

double CGravityFlowCalculator::FillingForFlow(double Q, double D, double k, double nu, double J,
                                              double s) const
{
    const double fullFlow = FullPipeFlow(D, k, nu, J, s, kToleranceTable);
    const std::span<const double> grid = FillingGrid();
    const std::size_t scanned = grid.size() - 1;  // the values below 1.0
    auto carries = [&](double h) { return Q <= FlowRatio(h) * fullFlow; };

    std::size_t hit = scanned;
    if (fullFlow > 0.0) {
        // The flow at a filling never falls as the filling rises, so the
        // fillings that carry Q form the tail of the grid: bisect for its start.
        if (carries(grid[scanned - 1])) {
            std::size_t lo = 0;
            std::size_t hi = scanned - 1;
            while (lo < hi) {
                const std::size_t mid = lo + (hi - lo) / 2;
                if (carries(grid[mid]))
                    hi = mid;
                else
                    lo = mid + 1;
            }
            hit = lo;
        }
    } else if (carries(grid[0])) {
        // A full-pipe flow of zero, below zero or not a number: the flows at the
        // fillings are constant, falling or never comparable, so if any filling
        // carries Q, the first one does.
        hit = 0;
    }
    if (hit < scanned)
        return grid[hit];

    const double last = grid[scanned];
    if (Q - FlowRatio(last) * fullFlow < kOverloadShare * Q)
        return kOverloadFilling;
    return last;
}

double CGravityFlowCalculator::FlowAtFilling(double D, double k, double nu, double h, double J,
                                             double s)
{
    return FlowRatio(h) * FullPipeFlow(D, k, nu, J, s, kToleranceFlow);
}

double CGravityFlowCalculator::SlopeForFlow(double Q, double D, double k, double nu, double h,
                                            double s)
{
    const double fullVelocity = Q / FlowRatio(h) / (D * kAreaFactor * D);
    const double lambda = FrictionFactor(fullVelocity * D / nu, k / D);
    return lambda * (1.0 + s / 100.0) * (fullVelocity * fullVelocity) / (D * 0.25 * kEightG);
}

double CGravityFlowCalculator::ColumnAt(int column, double h) const
{
    const int rows = Rows();
    for (int i = 1; i < rows; ++i) {
        const double h0 = table[i - 1][ColFilling];
        const double h1 = table[i][ColFilling];
        if (h0 < h && h <= h1) {
            const double v0 = table[i - 1][column];
            const double v1 = table[i][column];
            return (h - h0) / (h1 - h0) * (v1 - v0) + v0;
        }
    }
    return 0.0;
}

double CGravityFlowCalculator::FillingAtFlow(double Q) const
{
    const int rows = Rows();
    for (int i = 1; i < rows; ++i) {
        const double q0 = table[i - 1][ColFlow];
        const double q1 = table[i][ColFlow];
        if (q0 < Q && Q <= q1) {
            const double h0 = table[i - 1][ColFilling];
            const double h1 = table[i][ColFilling];
            return (Q - q0) / (q1 - q0) * (h1 - h0) + h0;
        }
    }
    if (rows > 0) {
        const double top = table[rows - 1][ColFlow];
        if (Q > top)
            return Q - top < kOverloadShare * top ? kOverloadFilling : 0.0;
    }
    return 0.0;
}

int ChooseGravityCandidate(std::span<const double> capacities, double flow)
{
    return ChooseCandidate(capacities, flow, CapacityBound::Strict);
}
