// Hydraulics of a full-flowing circular pressure pipe.
//
// Lengths in m, flows in m3/s, velocities in m/s, viscosity in m2/s; D is the
// inner diameter and k the roughness in m; p is the local-loss share in per
// cent of the friction loss and zeta the total local-loss coefficient.
#pragma once

#include <span>

class CPressureFlowCalculator {
public:
    static constexpr int kPoints = 31;

    // Quantities of a characteristic point.
    enum Quantity : int {
        PtHead = 0,      // head loss h, m
        PtReynolds = 1,  // Reynolds number
        PtFriction = 2,  // friction factor including the local-loss share
        PtVelocity = 3,  // mean velocity, m/s
        PtFlow = 4,      // flow, m3/s
        PtLength = 5,    // section length of the build, m
    };

    CPressureFlowCalculator() = default;

    // Head loss of the section for flow Q (L used as given).
    static double HeadFromFlow(double L, double Q, double D, double k, double nu, double p, double zeta);
    // Flow that head loss h drives through the section (L at least 0.01 m).
    static double FlowFromHead(double L, double D, double k, double nu, double h, double p, double zeta);
    // Whether no flow gives head h, the friction factor jumping at Re 2320 across
    // it, so that the flow from the head is the one where the factor switches.
    static bool FlowAtSwitch(double L, double D, double k, double nu, double h, double p, double zeta);

    // Head-flow characteristic from 0 up to 1.5 times the scale head.
    void BuildCharacteristic(double L, double D, double k, double nu, double scaleHead, double p,
                             double zeta);
    // Flow and velocity interpolated at head h; 0 at or below 0 and above the
    // last point.
    double FlowAtHead(double h) const { return QuantityAtHead(PtFlow, h); }
    double VelocityAtHead(double h) const { return QuantityAtHead(PtVelocity, h); }
    // Energy-line drop in per mille over the length of the last build.
    double GradientPerMille(double h) const;

    // Zero until the first build.
    double points[kPoints][6]{};
    int pointCount = kPoints;

private:
    double QuantityAtHead(int quantity, double h) const;
    int Points() const;
};

// Diameter choice of the pressure calculation: with the capacities at the
// recommended velocity in list order, the index of the size for the flow, or
// -1. A flow equal to a capacity takes the next larger size. Capacities that
// are not finite take no part in the choice.
int ChoosePressureCandidate(std::span<const double> capacities, double flow);
