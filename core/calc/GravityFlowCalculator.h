// Hydraulics of a partly filled circular pipe under gravity.
//
// Units: diameters and roughness in metres, kinematic viscosity in m2/s,
// slopes as fractions (not per mille), the local-loss share in per cent of the
// friction loss, flows in m3/s.
#pragma once

#include "core/calc/CandidateSize.h"

#include <limits>
#include <span>

class CGravityFlowCalculator {
public:
    static constexpr int kRows = 31;
    static constexpr int kColumns = 10;

    // Columns of the filling table.
    enum Column : int {
        ColFilling = 0,       // filling degree h/D
        ColRelArea = 1,       // A / D^2
        ColRelRadius = 2,     // R / D
        ColPerimeter = 3,     // 4 D / P (10,000 in the empty row)
        ColArea = 4,          // wetted area A, m2
        ColRadius = 5,        // hydraulic radius R, m
        ColReynolds = 6,      // Reynolds number
        ColFriction = 7,      // Darcy friction factor
        ColVelocity = 8,      // mean velocity, m/s
        ColFlow = 9,          // flow, m3/s
    };

    // Fills the geometric columns 0 to 3; columns 4 to 9 start at zero.
    CGravityFlowCalculator();

    // Fills columns 4 to 9 for a pipe of inner diameter D, roughness k,
    // viscosity nu, slope J and local-loss share s.
    void BuildTable(double D, double k, double nu, double J, double s);

    // The first filling of the 1e-5 grid (accumulated from 1e-5 up to 1.0) at
    // which the pipe carries Q; 0.999 when Q lies above the full-pipe capacity
    // by less than 1 % of Q, otherwise the grid's last value (just above 1.0).
    // Found by bisection over the grid, which gives exactly the filling a plain
    // scan of the grid gives.
    double FillingForFlow(double Q, double D, double k, double nu, double J, double s) const;

    // Flow at filling h.
    static double FlowAtFilling(double D, double k, double nu, double h, double J, double s);

    // Slope (fraction) at which the pipe carries Q at filling h.
    static double SlopeForFlow(double Q, double D, double k, double nu, double h, double s);

    // Columns 4 to 9 interpolated at filling h; 0 outside (0, row 30's filling].
    double AreaAt(double h) const { return ColumnAt(ColArea, h); }
    double HydraulicRadiusAt(double h) const { return ColumnAt(ColRadius, h); }
    double ReynoldsAt(double h) const { return ColumnAt(ColReynolds, h); }
    double FrictionFactorAt(double h) const { return ColumnAt(ColFriction, h); }
    double VelocityAt(double h) const { return ColumnAt(ColVelocity, h); }
    double FlowAt(double h) const { return ColumnAt(ColFlow, h); }

    // Filling interpolated from the flow column; 0.999 for a flow up to 1 %
    // above row 30's flow, 0 for a larger one and for a flow of 0 or less.
    double FillingAtFlow(double Q) const;

    // Darcy friction factor: 64/Re below Re 2320, else Colebrook-White.
    static double FrictionFactor(double reynolds, double relativeRoughness);
    static constexpr double kLaminarLimit = 2320.0;
    // The friction factor jumps at Re 2320, so a band of losses is met by no
    // velocity: from the loss with 64/2320 at the switch velocity
    // v* = 2320 nu / D up to (not including) the loss with Colebrook's factor
    // there. A pipe's band serves any number of targets, and Colebrook's factor
    // is solved for only when a cheap bound of it leaves a target unsettled.
    // loss(lambda, v) is the loss the velocity v gives with the friction factor
    // lambda, worked out from lambda by products, quotients and sums with fixed
    // operands (so that it never turns back as lambda grows, rounding included).
    template <typename Loss>
    class SwitchBand {
    public:
        SwitchBand(double D, double nu, double relativeRoughnessOfPipe, Loss lossOf);
        // v* for a target loss in the band, otherwise 0.
        double VelocityFor(double target);

    private:
        Loss loss;
        double relativeRoughness;
        double velocity;
        double laminarLoss = std::numeric_limits<double>::quiet_NaN();
        double boundLoss = std::numeric_limits<double>::quiet_NaN();
        double turbulentLoss = 0.0;
        bool turbulentKnown = false;
    };
    // A factor at least Colebrook's at Re 2320 for this relative roughness,
    // found without a logarithm: that factor at the next of a few relative
    // roughnesses, rounded up; infinite above the last of them.
    static double SwitchFactorBound(double relativeRoughness);

    // ---- building blocks, public for the tests and the benchmarks ----------
    // Flow at filling h as a share of the full-pipe flow (an empirical curve
    // that rises from about 0 at h = 0 to 1 at h = 1).
    static double FlowRatio(double h);
    // Full-pipe flow by the damped velocity iteration, stopping when the
    // relative correction is not above the tolerance, or at once when the
    // correction is not a number (the result then is not a number either).
    static double FullPipeFlow(double D, double k, double nu, double J, double s, double tolerance);
    // Steps taken by the Colebrook-White solver on this thread: a count of
    // work for the tests that keep the iterations from running to their limits.
    static inline thread_local long colebrookSteps = 0;
    // The filling grid as the scan walks it: values accumulated from 1e-5 by
    // adding 1e-5, every value below 1.0, then the first value at or above
    // 1.0 as the last entry. Built once.
    static std::span<const double> FillingGrid();

    double table[kRows][kColumns]{};
    int rowCount = kRows;

private:
    double ColumnAt(int column, double h) const;
    // Rows actually used: rowCount bounded to the table.
    int Rows() const;
};

template <typename Loss>
CGravityFlowCalculator::SwitchBand<Loss>::SwitchBand(double D, double nu, double relativeRoughnessOfPipe, Loss lossOf)
    : loss(lossOf), relativeRoughness(relativeRoughnessOfPipe), velocity(kLaminarLimit * nu / D)
{
    if (!(velocity > 0.0 && velocity < std::numeric_limits<double>::infinity()))
        return;  // no band: the losses stay not a number
    laminarLoss = loss(64.0 / kLaminarLimit, velocity);
    // The loss with the bound lies at or above the band's top when the loss
    // rises with the factor, as it does here from 64/2320 to the bound
    // (otherwise it is flat, or the bound is no use).
    const double withBound = loss(SwitchFactorBound(relativeRoughness), velocity);
    if (laminarLoss <= withBound)
        boundLoss = withBound;
}

template <typename Loss>
double CGravityFlowCalculator::SwitchBand<Loss>::VelocityFor(double target)
{
    // Most targets lie far above the band, above the loss with the bound too.
    if (!(laminarLoss <= target) || boundLoss <= target)
        return 0.0;
    if (!turbulentKnown) {
        turbulentLoss = loss(FrictionFactor(kLaminarLimit, relativeRoughness), velocity);
        turbulentKnown = true;
    }
    return target < turbulentLoss ? velocity : 0.0;
}

// Diameter choice of the gravity calculation: with the capacities at filling
// 0.85 in list order, the index of the size for the flow, or -1. Capacities
// that are not finite take no part in the choice.
int ChooseGravityCandidate(std::span<const double> capacities, double flow);
