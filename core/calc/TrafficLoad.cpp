// Traffic load on a buried pipe: wheel loads, empirical depth laws, the
// vehicle method with its soil-pipe reduction, and uniformly loaded areas
// evaluated with the corner stress factor.
//
// Constants written with an f suffix are the program's single-precision
// values; they are used widened to double, never as the decimal double.

#include "core/base/Millimetres.h"
#include "core/calc/BuriedPipeCalc.h"
#include "core/calc/Calculations.h"

#include <cmath>
#include <initializer_list>
#include <iterator>

namespace {

// max(v, floor) that keeps an undefined v undefined.
double AtLeast(double v, double floor)
{
    return v < floor ? floor : v;
}

// Cover over the crown taken from the levels, never less than 0.5 m: the depth
// of the wheel-load, empirical and vehicle classes and of the paving cap.
double LevelCover(const BuriedPipeRecord& r)
{
    constexpr double kMmToM = 0.001f;
    double hc = r.groundLevel - r.foundationLevel - r.outerDiameter * kMmToM;
    if (hc < 0.5)
        hc = 0.5;
    return hc;
}

double RoadImpactFactor(double hp)
{
    constexpr double kShallow = 1.01f;
    constexpr double kSlope = 0.65f;
    constexpr double kMax = 1.325f;
    if (!(hp < kShallow))
        return 1.0;
    double f = 1 + kSlope * (1 - hp);
    if (f < 1.0)
        f = 1.0;
    if (f > kMax)
        f = kMax;
    return f;
}

double TramImpactFactor(double hp)
{
    constexpr double kShallow = 1.01f;
    constexpr double kSlope = 0.1f;
    constexpr double kMax = 1.1f;
    if (!(hp < kShallow))
        return 1.0;
    double f = 1 + kSlope * (1 - hp);
    if (f < 1.0)
        f = 1.0;
    if (f > kMax)
        f = kMax;
    return f;
}

// Share of the load that a stiff paving carries past the pipe, by depth.
double PavingReduction(double hc)
{
    constexpr double kB = 0.3239f;
    constexpr double kC = 0.0455f;
    const double hc2 = hc * hc;
    const double hc3 = hc2 * hc;
    return 1 - 0.8657 * hc + kB * hc2 - kC * hc3;
}

struct Wheel {
    double load;      // kN
    double distance;  // m, horizontal, from the point above the pipe
};

// Wheel sets of the road vehicles (classes 4 to 8); a distance listed twice
// counts twice.
constexpr Wheel kWheels4[] = {{40, 2.6f}, {40, 2.6f}, {40, 1.5f}, {40, 1.5f}, {40, 2.2f},
                              {40, 0.4f}, {50, 7.0},  {50, 6.6f}, {40, 10.0}, {40, 9.8f}};
constexpr Wheel kWheels5[] = {{50, 2.0},  {50, 3.0},  {50, 2.2f}, {50, 0.4f},
                              {70, 5.6f}, {70, 5.2f}, {50, 8.7f}, {50, 8.4f}};
constexpr Wheel kWheels6[] = {{40, 1.5f}, {40, 2.6f}, {40, 2.2f},
                              {40, 0.4f}, {40, 4.7f}, {40, 4.2f}};
constexpr Wheel kWheels7[] = {{50, 0.4f}, {50, 2.2f}, {30, 5.0}, {30, 4.5f}};
constexpr Wheel kWheels8[] = {{30, 0.4f}, {30, 2.2f}, {20, 4.6f}, {20, 4.0}};

template <std::size_t N>
double WheelLoad(const Wheel (&wheels)[N], double hc, double impact)
{
    constexpr double kBoussinesq = 0.955f;  // 3 / pi, twice the point-load coefficient
    double sum = 0.0;
    for (const Wheel& w : wheels) {
        const double root = std::sqrt(hc * hc + w.distance * w.distance);
        const double fifth = root * root * root * root * root;
        sum += w.load / fifth;
    }
    const double hc3 = hc * hc * hc;
    return kBoussinesq * hc3 * sum * impact * 1.5;
}

// Vehicle method: the other wheels as one point load W at r, the wheel under
// the pipe as a loaded circle of radius a carrying Q, a soil-pipe reduction
// and the class's impact factor.
double VehicleLoad(double z, double a, double r, double w, double q, double factor, double meanDiameter)
{
    constexpr double kTwoPi = 6.283f;
    constexpr double kPi = 3.1415f;
    constexpr double kSoil = 0.9f;
    constexpr double kPipe = 1.1f;
    constexpr double kExponent = 0.6667f;
    const double p1 = std::pow(1 / (std::pow(r, 2) / std::pow(z, 2) + 1), 2.5) * w /
                      (std::pow(z, 2) * kTwoPi);
    const double p2 =
        (1 - std::pow(1 / (std::pow(a, 2) / std::pow(z, 2) + 1), 1.5)) * q / (std::pow(a, 2) * kPi);
    double reduction = 1.0;
    if (meanDiameter > 0.0) {
        reduction = 1 - kSoil / ((std::pow(z, 6) + 4 * std::pow(z, 2)) /
                                     (kPipe * std::pow(meanDiameter, kExponent)) +
                                 kSoil);
    }
    return (p1 + p2) * reduction * factor;
}

// Aircraft: four loaded squares of width B round the point and two strips
// between the lengths m2 x B and m1 x B.
double AircraftLoad(double hp, double width, double m1, double m2)
{
    constexpr double kMinDepth = 0.001f;
    const double x = AtLeast(hp, kMinDepth) / width;
    return 150 * (4 * TrafficCornerFactor(x, 1) +
                  2 * (TrafficCornerFactor(x, m1) - TrafficCornerFactor(x, m2)));
}

}  // namespace

double TrafficCornerFactor(double x, double m)
{
    constexpr double kInvTwoPi = 0.15915963053703308;  // single-precision 1 / 6.283
    static_assert(kInvTwoPi == static_cast<double>(static_cast<float>(1.0 / 6.283)));
    const double mm = m * m;
    const double mm1 = mm + 1;
    const double xx = x * x;
    const double root = std::sqrt(xx + mm1);
    return kInvTwoPi * (std::atan(m / (x * root)) + (m * x / root) * (1 / (xx + 1) + 1 / (xx + mm)));
}

double TrafficLoadOf(const BuriedPipeRecord& r)
{
    const int trafficClass = r.trafficClass;
    if (trafficClass < 1 || trafficClass >= kTrafficClassCount)
        return 0.0;

    constexpr double kMinDepth = 0.001f;
    constexpr double kCapEmpirical = 86.7f;
    const double hc = LevelCover(r);
    const double hp = r.cover;
    const double road = RoadImpactFactor(hp);
    const double tram = TramImpactFactor(hp);

    double gk = 0.0;
    double cap = -1.0;  // paving cap of the class, below 0 for none
    switch (trafficClass) {
    case 1: {
        const double z = AtLeast(hp, kMinDepth);
        gk = 16 * 1.5 * TrafficCornerFactor(z / 1.5, 40.0 / 3.0);
        break;
    }
    case 2:
        gk = road * 43.75 / std::pow(hc, static_cast<double>(0.9015f));
        cap = kCapEmpirical;
        break;
    case 3:
        gk = road * static_cast<double>(32.81f) / std::pow(hc, static_cast<double>(0.9015f));
        cap = kCapEmpirical;
        break;
    case 4:
        gk = WheelLoad(kWheels4, hc, road);
        cap = 40;
        break;
    case 5:
        gk = WheelLoad(kWheels5, hc, road);
        cap = 33.3f;
        break;
    case 6:
        gk = WheelLoad(kWheels6, hc, road);
        cap = 26.7f;
        break;
    case 7:
        gk = WheelLoad(kWheels7, hc, road);
        cap = 33.3f;
        break;
    case 8:
        gk = WheelLoad(kWheels8, hc, road);
        cap = 20;
        break;
    case 9:
        gk = 60 / std::pow(hc, static_cast<double>(0.912f)) - static_cast<double>(12.57f);
        cap = kCapEmpirical;
        break;
    case 10:
    case 11:
    case 12: {
        const double dm = (r.outerDiameter + r.innerDiameter) * kHalfMmToM;
        if (trafficClass == 10) {
            gk = VehicleLoad(hc, 0.25, 1.82f, 1500, 100, 1.2f, dm);
            cap = 66.7f;
        } else if (trafficClass == 11) {
            gk = VehicleLoad(hc, 0.18f, 1.82f, 750, 50, 1.4f, dm);
            cap = 33.3f;
        } else {
            gk = VehicleLoad(hc, 0.18f, 2.26f, 240, 40, 1.5, dm);
            cap = 26.7f;
        }
        break;
    }
    case 13: {
        const double z = AtLeast(hp - 0.5, kMinDepth);
        gk = 208 * TrafficCornerFactor(z / 1.5, 32.0 / 15.0) * road * 1.5;
        break;
    }
    case 14: {
        const double z = AtLeast(hp - 0.5, kMinDepth);
        gk = 208 * TrafficCornerFactor(z / 3.0, 16.0 / 15.0);
        break;
    }
    case 15: {
        const double z = AtLeast(hp, kMinDepth);
        gk = 27.6 * TrafficCornerFactor(z / 1.5, 40.0 / 3.0) * tram * 1.5;
        break;
    }
    case 16: {
        const double z = AtLeast(hp, kMinDepth);
        gk = static_cast<double>(27.6f) * TrafficCornerFactor(z / 3.0, 20.0 / 3.0) * tram * 1.5;
        break;
    }
    case 17: {
        constexpr double b = 0.9f;
        gk = AircraftLoad(hp, b, static_cast<double>(6.7f) / b, static_cast<double>(4.9f) / b);
        break;
    }
    case 18:
        gk = AircraftLoad(hp, 1.25, 6.2, 4.2);
        break;
    case 19:
        gk = AircraftLoad(hp, 1.75, 37.0 / 7.0, 23.0 / 7.0);
        break;
    case 20: {
        constexpr double b = 2.15f;
        gk = AircraftLoad(hp, b, static_cast<double>(10.45f) / b, static_cast<double>(6.15f) / b);
        break;
    }
    case 21:
        gk = AircraftLoad(hp, 2.5, 4.6, 2.6);
        break;
    default: {  // storage yards, classes 22 to 27
        constexpr double kYardLoad[] = {22, 33, 44, 55, 88, 110};
        static_assert(std::size(kYardLoad) == kTrafficClassCount - 22);
        const double z = AtLeast(hp, kMinDepth);
        gk = 4 * kYardLoad[trafficClass - 22] * TrafficCornerFactor(z / 10, 3);
        break;
    }
    }

    if (gk < 0.0)
        gk = 0.0;
    if (cap >= 0.0 && r.roadSurface == 1 && hc < 3.0) {
        const double capped = PavingReduction(hc) * cap;
        if (gk > capped)
            gk = capped;
    }
    return gk;
}

void CalcTrafficLoad(BuriedPipeRecord& r)
{
    r.trafficLoad = 0.0;
    // A load from levels or diameters that are not numbers would be no load
    // at all; only a finite load is stored.
    for (double v : {r.groundLevel, r.foundationLevel, r.outerDiameter, r.innerDiameter, r.cover})
        if (!std::isfinite(v))
            return;
    const double gk = TrafficLoadOf(r);
    r.trafficLoad = std::isfinite(gk) ? gk : 0.0;
}
