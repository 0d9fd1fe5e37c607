// Uplift check of a horizontal cylindrical tank below the ground-water table,
// and the layout of its anchoring: ties from the tank to concrete slabs laid
// along it.
//
// Constants written with an f suffix are the program's single-precision
// values; they are used widened to double, never as the decimal double.

#include "core/base/LangTables.h"
#include "core/base/Text.h"
#include "core/base/Millimetres.h"
#include "core/calc/CalcSupport.h"
#include "core/calc/Calculations.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr double kTieRad = 0.0174f;     // degrees to radians for the ties
// Anchor counts are held to this many: a spacing of almost nothing in the
// catalogue or an absurd length cannot make the counts, or the page's list of
// counts, run away.
constexpr int kMaxAnchorCount = 1000;
// A slab longer than this (m) holds nothing in practice: no slab suffices.
constexpr double kMaxSlabLength = 1.0e6;

// Anchors that fit a length at a spacing: trunc(length / spacing) + 1, held to
// 1 to kMaxAnchorCount before it becomes a count (a negative quotient gives 1,
// which the callers raise to 2 as they would any count below it).
int AnchorsAlong(double length, double spacing)
{
    double q = std::trunc(length / spacing);
    if (!(q >= 0.0))
        q = 0.0;
    if (q > kMaxAnchorCount - 1)
        q = kMaxAnchorCount - 1;
    return static_cast<int>(q) + 1;
}

// The tank's axis lies above the water table: half the anchors suffice and
// their spacing may double.
bool AxisAboveWater(const TankRecord& r)
{
    return r.foundationLevel + r.outerDiameter * kHalfMmToM > r.waterLevel;
}

// Whether every level lies where levels are held (an inside bottom or a
// foundation kilometres deep is no tank's).
bool LevelsHeld(std::initializer_list<double> levels)
{
    for (double v : levels)
        if (!(v >= kLowestLevel && v <= kHighestLevel))
            return false;
    return true;
}

// No result: the page then shows "-" for every result. Lengths and levels that
// the run would have completed are left as they were.
void GiveNoResult(TankRecord& r)
{
    r.head.resultValid = 0;
    CopyBounded(r.head.conclusion, u"", kResultTextUnits);
    CopyBounded(r.head.warning, u"", kResultTextUnits);
    r.activeCapacity = 0.0;
    r.ownWeight = 0.0;
    r.upliftForce = 0.0;
    r.soilWeight = 0.0;
    r.anchoringForce = 0.0;
    r.minSlabLength = 0.0;
    r.anchorSpacing = 0.0;
    r.slabLength = 0.0;
    r.slabVolume = 0.0;
    r.slabWeight = 0.0;
    r.tieForce = 0.0;
    r.tieSection = 0.0;
}

constexpr double kEnds = 0.002f;  // both end allowances, mm to m
constexpr double kLengthToVolume = 7.85375e-7f;

}  // namespace

double TankCapacityOfLength(const TankRecord& r, double length)
{
    return (length - r.endAllowance * kEnds) * kLengthToVolume * r.innerDiameter * r.innerDiameter;
}

void CalcTankBuoyancy(TankRecord& r, const CatalogueTables& tables, int languageOffset)
{

    // Input the check cannot judge gives no result: a type that is not in the
    // loaded table, a diameter, slab dimension or anchor spacing that is not
    // positive, an inner diameter not below the outer one (no wall), a level
    // beyond the range levels are held to, any number that is not finite.
    const int typeIndex = r.tankTypeIndex;
    const TankTypeEntry* type = nullptr;
    if (typeIndex >= 0 && typeIndex < RowCount(tables.tankTypes))
        type = &tables.tankTypes[static_cast<std::size_t>(typeIndex)];
    const bool lengthGiven = r.selectionMode == 1;
    if (!type ||
        !AllFinite({lengthGiven ? r.length : r.capacity, r.outerDiameter, r.innerDiameter,
                    r.endAllowance, r.groundLevel, r.waterLevel, r.tankBottomLevel, r.fillLevel,
                    r.unitWeight, r.porosity, r.frictionAngle, r.cohesion, r.slabWidth,
                    r.slabHeight, r.minAnchorSpacing, r.maxAnchorSpacing, type->weightPerMetre,
                    type->endWeight}) ||
        !(r.outerDiameter > 0.0) || !(r.innerDiameter > 0.0) || !(r.innerDiameter < r.outerDiameter) ||
        !LevelsHeld({r.groundLevel, r.waterLevel, r.tankBottomLevel, r.fillLevel}) || !(r.slabWidth > 0.0) ||
        !(r.slabHeight > 0.0) || !(r.minAnchorSpacing > 0.0) || !(r.maxAnchorSpacing > 0.0)) {
        GiveNoResult(r);
        return;
    }

    constexpr double kVolumeToLength = 1273277.125;
    constexpr double kPi = 3.1415f;
    constexpr double kCircleArc = 3.1416f;
    constexpr double kMinSection = 0.01f;
    constexpr double kMmToM = 0.001f;
    constexpr double kQuarterSection = 7.854f;  // 10 x pi / 4
    constexpr double kSoilCredit = 1.099f;
    constexpr double kSoilPrism = 0.8927f;  // 1 - pi / 8
    constexpr double kPorosityShare = 0.1f;
    constexpr double kUplift = 1.1f;
    constexpr double kResist = 0.9f;
    constexpr double kMinAnchoring = 0.01f;
    constexpr double kFrictionRad = 0.0087f;  // half the degree factor
    constexpr double kQuarterPi = 0.785f;
    constexpr double kTenth = 0.1f;
    constexpr double kDegrees = 57.3f;

    const double dw = r.innerDiameter;
    const double dz = r.outerDiameter;

    // 1. Length from the capacity, or the capacity from the length.
    const double a = r.endAllowance * kEnds;
    double length = r.length;
    double capacity = r.capacity;
    if (lengthGiven) {
        if (length < a)
            length = a;
        capacity = TankCapacityOfLength(r, length);
    } else {
        length = capacity * kVolumeToLength / (dw * dw) + a;
    }

    // 2. Active capacity: the share of the section below the fill level.
    const double rin = dw * kHalfMmToM;
    double hFill = (r.fillLevel - r.tankBottomLevel) - rin;
    if (hFill < -rin)
        hFill = -rin;
    if (hFill > rin)
        hFill = rin;
    double section = rin * kPi * rin;
    if (section < kMinSection)
        section = kMinSection;
    const double absH = std::fabs(hFill);
    const double segment =
        std::acos(absH / rin) * section / kPi - std::sqrt(rin * rin - hFill * hFill) * absH;
    double share = segment / section;
    if (hFill > 0)
        share = 1 - share;
    if (share < 0.0)
        share = 0.0;
    if (share > 1.0)
        share = 1.0;
    const double activeCapacity = share * capacity;

    // 3. Outer bottom and own weight.
    const double pp = r.tankBottomLevel - (dz - dw) * kHalfMmToM;
    const double d = dz * kMmToM;
    const double rad = d * 0.5;
    const double ownWeight = length * type->weightPerMetre + type->endWeight;

    // 4. Uplift of the wetted part of the tank.
    const double pt = r.groundLevel;
    const double zwg = r.waterLevel;
    const double hw = zwg - pp;
    double uplift = 0.0;
    if (hw >= d) {
        uplift = d * kQuarterSection * d * length;
    } else if (hw > rad) {
        const double t = 2 * hw / d - 1;
        uplift = (std::sqrt(1 - t * t) * ((hw - rad) * rad) +
                  (kCircleArc - std::acos(t)) * (d * 0.25 * d)) * length * 10;
    } else if (hw > 0) {
        const double t = 2 * hw / d;
        uplift = (std::sqrt(1 - (t - 1) * (t - 1)) * ((hw - rad) * rad) +
                  std::acos(1 - t) * (d * 0.25 * d)) * length * 10;
    }

    // 5. Backfill in a strip of the tank's width above its axis, credited only
    // under a full cover.
    const double gamma = r.unitWeight;
    const double gammaSub = gamma + r.porosity * kPorosityShare - 10;
    const double h = pt - pp;
    double soil = 0.0;
    if (h >= d * kSoilCredit) {
        if (hw >= d) {
            soil = ((hw - d * kSoilPrism) * gammaSub + (pt - zwg) * gamma) * d * length;
        } else if (hw > rad) {
            const double b = hw - rad;
            const double dryPart =
                std::acos(2 * b / d) * (d * 0.25 * d) - std::sqrt(d * d - 4 * b * b) * (b * 0.5);
            soil = ((b * d - (d * 0.3927 * d - dryPart)) * gammaSub + ((pt - zwg) * d - dryPart) * gamma) *
                   length;
        } else {
            soil = (h - d * kSoilPrism) * gamma * d * length;
        }
    }

    // 6. Design anchoring force.
    double fk = uplift * kUplift - (soil + ownWeight) * kResist;
    if (fk < kMinAnchoring)
        fk = 0.0;

    // 7. Minimum slab length: the slab's buoyant weight, the soil over it and
    // the friction along its sides must take the anchoring force.
    const double phi = r.frictionAngle;
    const double phiR = phi * kTieRad;
    const double theta = phi * kFrictionRad + kQuarterPi;
    const double sinPhi = std::sin(phiR);
    const double cosPhi = std::cos(phiR);
    const double k = std::sin(theta) * sinPhi -
                     std::sqrt(1 - std::cos(phiR + kQuarterPi) * (std::cos(theta) * (sinPhi * sinPhi)));
    const double sigma = gammaSub * hw + (pt - zwg) * gamma;
    const double friction =
        (std::tan(phiR) * (k * k / ((1 - sinPhi) * cosPhi * cosPhi) * r.cohesion) + sigma * 0.5) *
        (sinPhi * 0.5 * h);
    const double bf = r.slabWidth;
    const double hf = r.slabHeight;
    double minSlab = 0.0;
    bool noSlab = false;
    double resistance = 0.0;
    if (fk > 0.0) {
        resistance = bf * sigma + 2 * friction + bf * hf * 12;
        if (!(resistance > 0.0)) {
            noSlab = !std::isnan(resistance);
        } else {
            const double tenths = fk * 10 / resistance;
            if (!(tenths <= kMaxSlabLength * 10)) {
                noSlab = true;
            } else {
                minSlab = std::ceil(tenths) * kTenth;
                if (minSlab > 0 && minSlab < 1.0)
                    minSlab = 1.0;
            }
        }
        if (noSlab)
            minSlab = kNoSlabLength;
    }

    // 8. Cover and tie angle.
    const double coverDepth = h - d;
    const double tieAngle = std::atan(d / bf) * kDegrees;

    if (!AllFinite({length, capacity, activeCapacity, pp, ownWeight, uplift, soil, fk, k, sigma,
                    friction, resistance, minSlab, coverDepth, tieAngle}) ||
        !LevelsHeld({pp})) {
        GiveNoResult(r);
        return;
    }

    // 9. Admissible anchor counts.
    int nmin = AnchorsAlong(length - 1, r.maxAnchorSpacing);
    int nmax = AnchorsAlong(length - 1, r.minAnchorSpacing);
    if (pp + dz * kHalfMmToM > zwg)
        nmin = nmin / 2;
    if (nmin < 2)
        nmin = 2;
    if (nmax < 2)
        nmax = 2;

    r.length = length;
    r.capacity = capacity;
    r.activeCapacity = activeCapacity;
    r.foundationLevel = pp;
    r.ownWeight = ownWeight;
    r.upliftForce = uplift;
    r.soilWeight = soil;
    r.anchoringForce = fk;
    r.minSlabLength = minSlab;
    r.coverDepth = coverDepth;
    r.tieAngle = tieAngle;
    r.minAnchorCount = nmin;
    r.maxAnchorCount = nmax;
    if (r.anchorCount < nmin)
        r.anchorCount = nmin;
    if (r.anchorCount > nmax)
        r.anchorCount = nmax;

    // 10. Verdict.
    r.head.resultValid = 1;
    CopyBounded(r.head.warning, u"", kResultTextUnits);
    if (fk > kMinAnchoring) {
        CopyBounded(r.head.conclusion, LangString(20233, languageOffset), kResultTextUnits);
        if (noSlab || minSlab > length)
            CopyBounded(r.head.warning, LangString(20234, languageOffset), kResultTextUnits);
        if (d > length)
            CopyBounded(r.head.warning, LangString(20235, languageOffset), kResultTextUnits);
    } else {
        CopyBounded(r.head.conclusion, LangString(20236, languageOffset), kResultTextUnits);
    }
}

void CalcTankAnchoring(TankRecord& r)
{

    // Without an uplift result there is nothing to lay out. Input the layout
    // cannot use gives no result either: a count outside 2 to the largest
    // count, a spacing or tie strength that is not positive, a force or
    // minimum slab length below 0, any number that is not finite.
    const int n = r.anchorCount;
    if (r.head.resultValid != 1 || n < 2 || n > kMaxAnchorCount ||
        !AllFinite({r.length, r.outerDiameter, r.foundationLevel, r.waterLevel, r.minAnchorSpacing,
                    r.maxAnchorSpacing, r.minSlabLength, r.slabWidth, r.slabHeight,
                    r.anchoringForce, r.tieAngle, r.tieDesignStrength}) ||
        !(r.minAnchorSpacing > 0.0) || !(r.maxAnchorSpacing > 0.0) ||
        !(r.tieDesignStrength > 0.0) || r.anchoringForce < 0.0 || r.minSlabLength < 0.0) {
        GiveNoResult(r);
        return;
    }

    constexpr double kSlabOverhang = 0.5;  // a quarter metre beyond each end anchor
    const double length = r.length;
    const double count = n;

    // 1, 2. Spacing in half-metre steps, within the type's spacings (which may
    // double with the axis above the water table).
    const double f = AxisAboveWater(r) ? 2 : 1;
    double steps = std::trunc(2 * (length - 1) / (count - 1));
    if (steps < 1)
        steps = 1;
    double s = steps * 0.5;
    if (s < r.minAnchorSpacing)
        s = r.minAnchorSpacing;
    if (s > f * r.maxAnchorSpacing)
        s = f * r.maxAnchorSpacing;

    // 3. Designed slab length, at least the minimum one rounded to half metres.
    double slab = (count - 1) * s + kSlabOverhang;
    if (!NoSlabLengthSuffices(r.minSlabLength) && slab < r.minSlabLength) {
        const long m = std::lround(2 * (r.minSlabLength + 0.5));
        slab = static_cast<double>(m) / 2;
    }

    // 4. One slab.
    const double volume = r.slabHeight * r.slabWidth * slab;
    const double weight = volume * 22.0;

    // 5, 6. Force in one tie and the section it needs.
    double tie = 0.0;
    if (r.anchoringForce > 0.0) {
        const double lever = std::sin(r.tieAngle * kTieRad) * count;
        if (!(lever > 0.0)) {
            GiveNoResult(r);
            return;
        }
        tie = r.anchoringForce * 0.5 / lever;
    }
    const double section = tie * 1000 / r.tieDesignStrength;

    if (!AllFinite({s, slab, volume, weight, tie, section})) {
        GiveNoResult(r);
        return;
    }
    r.anchorSpacing = s;
    r.slabLength = slab;
    r.slabVolume = volume;
    r.slabWeight = weight;
    r.tieForce = tie;
    r.tieSection = section;
}
