// Uplift check of a sewer manhole in saturated backfill: a shaft on its own
// base with a heavy bottom (ballast chamber), or an eccentric riser standing on
// a stub of the collector.
//
// Constants written with an f suffix are the program's single-precision
// values; they are used widened to double, never as the decimal double.

#include "core/base/LangTables.h"
#include "core/base/Text.h"
#include "core/calc/CalcSupport.h"
#include "core/calc/Calculations.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr double kPorosityShare = 0.1f;
constexpr double kDegToRad = 0.0175f;       // degrees to radians in the earth-pressure terms
constexpr double kPressureFreeTop = 0.35f;  // m below the ground without earth pressure
constexpr double kSliceShare = 0.01f;       // 100 slices
constexpr double kPi = 3.1415f;
constexpr double kUplift = 1.1f;            // safety factor on the uplift
constexpr double kResist = 0.9f;            // safety factor on the resisting forces
constexpr double kQuarterSection = 7.854f;  // 10 x pi / 4

// Active earth pressure (Rankine, with cohesion) on a vertical wall of height
// wallHeight whose top is the ground, summed over 100 slices; the top 0.35 m
// carries none and the first slice is never counted. kN per metre of wall.
double WallEarthPressure(double wallHeight, double ground, double water, double gamma,
                         double gammaSub, double frictionAngle, double cohesion)
{
    const double dz = wallHeight * kSliceShare;
    const double t = std::tan((45.0 - frictionAngle * 0.5) * kDegToRad);
    double z = ground - dz * 0.5;
    double sigma = dz * 0.5 * (z > water ? gamma : gammaSub);
    double sum = 0.0;
    for (int k = 2; k <= 100; ++k) {
        z = z - dz;
        sigma = sigma + dz * (z > water ? gamma : gammaSub);
        double e = sigma * t * t - 2 * cohesion * t;
        if (e < 0.0)
            e = 0.0;
        if (ground - z < kPressureFreeTop)
            e = 0.0;
        sum += dz * e;
    }
    return sum;
}

// No result: the page then shows "-" for every result. The ballast fields
// belong to the base mode only.
void GiveNoResult(ManholeRecord& r, bool baseMode)
{
    r.head.resultValid = 0;
    CopyBounded(r.head.conclusion, u"", kResultTextUnits);
    CopyBounded(r.head.warning, u"", kResultTextUnits);
    r.frictionForce = 0.0;
    r.upliftForce = 0.0;
    r.deadWeight = 0.0;
    r.anchoringForce = 0.0;
    if (baseMode) {
        r.ballastHeight = 0.0;
        r.ballastWeight = 0.0;
        r.ballastVolume = 0.0;
    }
}

}  // namespace

double CalcMinBallastHeight(double dns, double depth, int water, int sandTrap)
{
    // Whole millimetres; anything that is no catalogue size has no minimum.
    const double mm = dns * 1000.0;
    if (!(mm >= 0.0 && mm < 100000.0) || std::isnan(depth))
        return 0.0;
    const int size = static_cast<int>(mm);

    static constexpr int kRowWet[6][5] = {
        {300, 300, 300, 300, 300},  // 600, 800
        {300, 300, 300, 450, 450},  // 1000
        {300, 300, 450, 450, 450},  // 1200, 1400, 1500, 1600
        {300, 350, 500, 500, 500},  // 1800, 2000
        {350, 400, 500, 500, 500},  // 2200, 2400, 2600
        {350, 400, 500, 500, 500},  // 3000
    };
    static constexpr int kRowDry[6][5] = {
        {0, 0, 0, 300, 300},
        {0, 0, 0, 300, 300},
        {0, 0, 350, 350, 400},
        {0, 0, 350, 350, 450},
        {0, 300, 350, 350, 450},
        {0, 300, 400, 400, 450},
    };

    int group;
    switch (size) {
    case 600: case 800: group = 0; break;
    case 1000: group = 1; break;
    case 1200: case 1400: case 1500: case 1600: group = 2; break;
    case 1800: case 2000: group = 3; break;
    case 2200: case 2400: case 2600: group = 4; break;
    case 3000: group = 5; break;
    default: return 0.0;
    }
    int band;
    if (depth <= 4.0)
        band = 0;
    else if (depth <= 5.0)
        band = 1;
    else if (depth <= 6.0)
        band = 2;
    else if (depth <= 8.0)
        band = 3;
    else
        band = 4;

    int value;
    if (water)
        value = kRowWet[group][band];
    else if (sandTrap)
        value = 0;  // the dry rows do not apply to a sand-trap manhole
    else
        value = kRowDry[group][band];
    constexpr double kMmToM = 0.001f;
    return value * kMmToM;
}

void CalcManholeBuoyancy(ManholeRecord& r, const CatalogueTables& tables, int languageOffset)
{
    const bool baseMode = r.eccentric != 1;

    // Input the check cannot judge gives no result: a type that is not in the
    // loaded table, a diameter that is not positive, any number that is not
    // finite.
    const int typeIndex = r.typeIndex;
    const ManholeTypeEntry* type = nullptr;
    if (typeIndex >= 0 && typeIndex < RowCount(tables.manholeTypes))
        type = &tables.manholeTypes[static_cast<std::size_t>(typeIndex)];
    if (!type ||
        !AllFinite({r.unitWeight, r.porosity, r.frictionAngle, r.cohesion, r.groundLevel,
                    r.waterLevel, r.pipeBottomLevel, r.nominalDiameter, r.outerDiameter,
                    type->weightPerMetre}) ||
        !(r.nominalDiameter > 0.0) || !(r.outerDiameter > 0.0)) {
        GiveNoResult(r, baseMode);
        return;
    }

    const double gamma = r.unitWeight;
    const double gammaSub = r.porosity * kPorosityShare + gamma - 10.0;
    const double phi = r.frictionAngle;
    const double c = r.cohesion;
    const double pt = r.groundLevel;
    const double zwg = r.waterLevel;
    const double pp = r.pipeBottomLevel;
    const double dns = r.nominalDiameter;
    const double de = r.outerDiameter;
    const double w = type->weightPerMetre;

    if (baseMode) {
        // Shaft on its own base, held by the shaft friction, its own weight and
        // a heavy bottom of 12 kN/m3 over the outer section.
        if (r.sandTrap == 1 && !std::isfinite(r.sandTrapDepth)) {
            GiveNoResult(r, true);
            return;
        }
        constexpr double kBaseBelowInvert = 0.15f;
        constexpr double kSection = 0.7854f;  // pi / 4
        constexpr double kMinHeavyBottom = 0.009f;
        const double base = r.sandTrap == 1 ? pp - r.sandTrapDepth * 0.001 : pp - kBaseBelowInvert;
        const double h = pt - base;
        const double s = WallEarthPressure(h, pt, zwg, gamma, gammaSub, phi, c);
        const double t = std::tan(phi * kDegToRad) * (s * kPi * de);
        const double hw = zwg - base;
        const int water = hw > 0 ? 1 : 0;
        const double hbMin = CalcMinBallastHeight(dns, h, water, r.sandTrap == 1 ? 1 : 0);
        double uplift = de * kQuarterSection * de * hw;
        if (uplift < 0.0)
            uplift = 0.0;
        const double gs = (h - kPressureFreeTop) * w;
        double fk = uplift * kUplift - (t + gs) * kResist;
        if (fk < 0.0)
            fk = 0.0;
        double hb = fk / (de * kSection * de * 12.0);
        if (hbMin > hb && hbMin > 0.0)
            hb = hbMin;
        const double vb = dns * kSection * dns * hb;
        const double ballastWeight = vb * 22.0;

        if (!AllFinite({base, h, s, t, uplift, gs, fk, hb, vb, ballastWeight})) {
            GiveNoResult(r, true);
            return;
        }
        r.baseLevel = base;
        r.height = h;
        r.frictionForce = t;
        r.upliftForce = uplift;
        r.deadWeight = gs;
        r.anchoringForce = fk;
        r.ballastHeight = hb;
        r.ballastVolume = vb;
        r.ballastWeight = ballastWeight;
        r.head.resultValid = 1;
        CopyBounded(r.head.conclusion, LangString(hb > kMinHeavyBottom ? 20237 : 20238, languageOffset),
                    kResultTextUnits);
        CopyBounded(r.head.warning, u"", kResultTextUnits);
        return;
    }

    // Eccentric manhole: the riser stands on a stub of the collector.
    const double dk = r.pipeDiameter;
    if (!std::isfinite(dk) || !(dk > 0.0)) {
        GiveNoResult(r, false);
        return;
    }
    constexpr double kCircleArc = 3.1416f;
    constexpr double kSoilPrism = 0.8927f;  // 1/2 + pi/8: from the axis up, less the upper half of the pipe
    constexpr double kRiserSection = 0.785375f;
    constexpr double kSubmergedRiser = 0.7f;
    constexpr double kStubShare = 0.3f;
    constexpr double kStubLoad = 0.9f;
    constexpr double kMinAnchoring = 0.5;
    const double rad = dk * 0.5;
    const double hz = zwg - pp;  // water above the collector invert

    // 1. Buoyancy of the collector per metre.
    double aw = 0.0;
    if (hz <= 0.0) {
        aw = 0.0;
    } else if (hz >= dk) {
        aw = dk * kQuarterSection * dk;
    } else if (hz > rad) {
        const double x = 2 * hz / dk - 1;
        aw = (std::sqrt(1 - x * x) * ((hz - rad) * rad) +
              (kCircleArc - std::acos(x)) * (dk * 0.25 * dk)) * 10.0;
    } else {
        const double y = 2 * hz / dk;
        aw = (std::sqrt(1 - (y - 1) * (y - 1)) * ((hz - rad) * rad) +
              std::acos(1 - y) * (dk * 0.25 * dk)) * 10.0;
    }

    // 2. Soil prism of the collector's width over it, per metre.
    double ws;
    if (hz >= dk) {
        ws = ((hz - dk * kSoilPrism) * gammaSub + (pt - zwg) * gamma) * dk;
    } else if (hz > rad) {
        const double u = hz - rad;
        const double dryPart =
            std::acos(2 * u / dk) * (dk * 0.25 * dk) - std::sqrt(dk * dk - 4 * u * u) * (u * 0.5);
        ws = (u * dk - (dk * 0.3927 * dk - dryPart)) * gammaSub + ((pt - zwg) * dk - dryPart) * gamma;
    } else {
        ws = (pt - pp - dk * kSoilPrism) * gamma * dk;
    }
    const double ws9 = ws * kResist;

    // 3-5. Stub, height and dead weight.
    const double b = r.reinforcedVersion == 1 ? 1.5 * dk : 0.5;
    const double stub = de + 2 * b;
    const double h = pt - pp;
    const double gs = (h - dk * kSubmergedRiser - kPressureFreeTop) * w + stub * dk * w / dns;

    // 6, 7. Uplift of the stub and of the riser above 0.7 Dk.
    const double area = de * kRiserSection * de;
    const double d2 = de - dns + dk;
    double riser = (hz - dk * kSubmergedRiser) * area - area * kStubShare * d2 * 0.25;
    if (riser < 0.0)
        riser = 0.0;
    double uplift = (d2 * kRiserSection * d2 * stub + riser) * 10.0;
    if (hz < dk * kSubmergedRiser)
        uplift = 0.0;

    // 8. Soil over the stub.
    const double p = d2 * stub - area * 0.5;
    const double loadHeight = hz > dk ? (hz - d2 * kStubLoad) * gammaSub + (pt - zwg) * gamma
                                      : (h - d2 * kStubLoad) * gamma;
    double soilOverStub = p * loadHeight;
    if (soilOverStub < 0.0)
        soilOverStub = 0.0;

    // 9. Side friction of the stub (at-rest pressure).
    const double k0 = 1 - std::sin(phi * kPi / 180.0);
    const double mu0 = std::tan(phi * kPi / 180.0);
    double ts = ((gammaSub * 0.5 * k0 * mu0 + c) * (h - rad) +
                 (pt - zwg) * (gamma - gammaSub) * 0.5 * k0 * mu0) *
                (2 * (d2 + 2 * b) + de);
    if (ts < 0.0)
        ts = 0.0;

    // 10, 11. Friction on the riser and the whole resistance.
    const double s = WallEarthPressure(h - dk * kSubmergedRiser, pt, zwg, gamma, gammaSub, phi, c);
    const double tr = std::tan(phi * kDegToRad) * (s * kPi * de * 0.5);
    const double t = ts + soilOverStub + tr;

    // 12. Anchoring force; a shortfall up to 0.5 kN is none.
    double fk = uplift * kUplift - (t + gs) * kResist;
    if (fk <= kMinAnchoring)
        fk = 0.0;

    if (!AllFinite({aw, ws, ws9, h, gs, uplift, soilOverStub, ts, s, tr, t, fk})) {
        GiveNoResult(r, false);
        return;
    }
    r.height = h;
    r.deadWeight = gs;
    r.upliftForce = uplift;
    r.frictionForce = t;
    r.anchoringForce = fk;
    r.head.resultValid = 1;
    int key;
    if (!(ws9 >= aw))
        key = 20297;  // the collector itself floats
    else
        key = fk > kMinAnchoring ? 20237 : 20238;
    CopyBounded(r.head.conclusion, LangString(key, languageOffset), kResultTextUnits);
    CopyBounded(r.head.warning, u"", kResultTextUnits);
}
