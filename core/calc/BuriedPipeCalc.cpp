// Structural check of a buried flexible pipe (the Scandinavian deflection
// method): soil load, traffic load, deflection, admissible load, uplift and
// hold-down of the backfill, and the verdict.
//
// Constants written with an f suffix are the program's single-precision
// values; they are used widened to double, never as the decimal double.

#include "core/calc/BuriedPipeCalc.h"
#include "core/calc/CalcSupport.h"
#include "core/calc/Calculations.h"

#include "core/base/LangTables.h"
#include "core/base/Text.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr double kMmToM = 0.001f;

// The cover over the pipe crown from the levels (not floored; may be negative).
double CoverFromLevels(const BuriedPipeRecord& r)
{
    return r.groundLevel - r.foundationLevel - r.outerDiameter * kMmToM;
}

}  // namespace

// The check cannot be judged: no result, empty texts and the results at 0, so
// nothing infinite or undefined is left behind and the page shows "-".
void GiveNoResult(BuriedPipeRecord& r)
{
    r.head.resultValid = 0;
    CopyBounded(r.head.conclusion, u"", kResultTextUnits);
    CopyBounded(r.head.warning, u"", kResultTextUnits);
    CopyBounded(r.secondReason, u"", kResultTextUnits);
    CopyBounded(r.thirdReason, u"", kResultTextUnits);
    r.soilLoad = 0.0;
    r.trafficLoad = 0.0;
    r.totalLoad = 0.0;
    r.admissibleLoad = 0.0;
    r.upliftForce = 0.0;
    r.anchoringForce = 0.0;
    r.loadDeflection = 0.0;
    r.totalDeflection = 0.0;
}

double CalcStaticsCoefficient(double depth, double compactionIndex, double submergedShare)
{
    const double hc = depth > 6.0 ? 6.0 : depth;
    const double m = compactionIndex;
    const double s = submergedShare;
    constexpr double a1 = 1.241f, b1 = 7.341f, c1 = 0.83f, d1 = 5.194f;
    constexpr double b2 = 6.506f, c2 = 0.512f, d2 = 4.482f;
    const double e1 = a1 * hc * m + b1 * (m * m) - c1 * hc - d1 * m;  // backfill above the water
    const double e2 = 0.75 * hc * m + b2 * (m * m) - c2 * hc - d2 * m;  // backfill below the water
    return e1 - (e1 - e2) * s;
}

void ApplyInstallationDefaults(BuriedPipeRecord& r, int userHeavyConstructionTraffic)
{
    constexpr double kVeryShallow = 0.81f;
    constexpr double kShallow = 1.21f;
    constexpr double kModerate = 1.51f;
    const double h = CoverFromLevels(r);
    const bool supervised = r.permanentSupervision != 0;
    const bool meticulous = r.workmanshipQuality != 0;

    if (!supervised && !meticulous)
        r.beddingFactor = 4.0;
    else if (supervised && meticulous)
        r.beddingFactor = 1.0;
    else
        r.beddingFactor = 2.0;

    r.installationFactor = (r.multiPipeTrench == 1 && r.permanentSupervision == 0) ? 2.0 : 0.0;

    if (!userHeavyConstructionTraffic)
        r.heavyConstructionTraffic = 0;

    // Only a class that loads the pipe forces the heavy work conditions.
    if (r.trafficClass > 0 && r.trafficClass < kTrafficClassCount) {
        if (h < kVeryShallow)
            r.heavyCompaction = 1;
        if (h < kModerate)
            r.heavyConstructionTraffic = 1;
    }

    if (r.heavyConstructionTraffic == 1) {
        if (h < kModerate)
            r.installationFactor += 1.0;
        if (h < kShallow)
            r.installationFactor += 0.5;
        if (h < kVeryShallow)
            r.installationFactor += 0.5;
    }
    if (r.heavyCompaction == 1)
        r.installationFactor += 1.0;
}

void CalcBuriedPipe(BuriedPipeRecord& r, int languageOffset)
{
    // Input the check cannot judge gives no result: a pipe without a size, a
    // pipe without a bore or with a bore not inside its wall, a negative ring
    // stiffness, or any number that is not finite.
    if (!AllFinite({r.groundLevel, r.waterLevel, r.foundationLevel, r.cover, r.outerDiameter,
                    r.innerDiameter, r.ringStiffness, r.unitWeight, r.porosity,
                    r.compactionIndex, r.installationFactor, r.beddingFactor,
                    r.allowedDeflection, r.deflectionLimit}) ||
        !(r.outerDiameter > 0.0) || !(r.innerDiameter > 0.0) ||
        !(r.innerDiameter < r.outerDiameter) || r.ringStiffness < 0.0) {
        GiveNoResult(r);
        return;
    }

    constexpr double kWaterWeight = 10.0;  // kN/m3
    constexpr double kPorosityShare = 0.1f;
    const double d = r.outerDiameter * kMmToM;
    const double half = d / 2;
    const double h = r.groundLevel - r.foundationLevel;  // ground above the outer bottom
    const double hw = r.waterLevel - r.foundationLevel;  // water above the outer bottom
    const double cover = h - d;
    const double dry = r.groundLevel - r.waterLevel;
    const double g = r.unitWeight;
    const double gs = g + kPorosityShare * r.porosity - 10;  // submerged unit weight

    // 1. Secant modulus of the backfill.
    double share = hw / d;
    if (share < 0.0)
        share = 0.0;
    if (share > 1.0)
        share = 1.0;
    const double es = CalcStaticsCoefficient(cover, r.compactionIndex, share);

    // 2. Soil load, with the water pressure above the pipe's mid-plane.
    double gz = hw > d ? gs * (hw - d) + g * dry : g * cover;
    if (hw > half)
        gz += kWaterWeight * (hw - half);

    // 3. Uplift: 10 kN/m3 times the wetted part of the pipe's section.
    constexpr double kQuarterSection = 7.854f;  // 10 x pi / 4
    constexpr double kPi = 3.1416f;
    double wmax = 0.0;
    if (hw >= d) {
        wmax = kQuarterSection * (d * d);
    } else if (hw > half) {
        const double x = 2 * hw / d - 1;
        wmax = kWaterWeight *
               ((hw - half) * half * std::sqrt(1 - x * x) + (kPi - std::acos(x)) * (d * d) / 4);
    } else if (hw > 0.0) {
        const double y = 2 * hw / d;
        wmax = kWaterWeight * ((hw - half) * half * std::sqrt(1 - (y - 1) * (y - 1)) +
                               std::acos(1 - y) * (d * d) / 4);
    }

    // 4. Hold-down: the backfill within the pipe's width above its mid-plane,
    // less the upper half of the pipe.
    constexpr double kSoilPrism = 0.8927f;  // 1 - pi / 8
    constexpr double kHoldDownShare = 0.9f;
    double hold;
    if (hw >= d) {
        hold = d * (gs * (hw - kSoilPrism * d) + g * dry);
    } else if (hw > half) {
        const double t = hw - half;
        const double dryPart = std::acos(2 * t / d) * (d * d) / 4 - (t / 2) * std::sqrt(d * d - 4 * t * t);
        hold = gs * (t * d - (0.3927 * (d * d) - dryPart)) + g * (dry * d - dryPart);
    } else {
        hold = (h - kSoilPrism * d) * g * d;
    }
    const double gzmin = kHoldDownShare * hold;

    // 5. Traffic load (only a finite load is ever stored).
    const double gk = TrafficLoadOf(r);

    // 6, 7. Total load and deflection.
    const double gt = gz + gk;
    const double stiffness = 8 * r.ringStiffness + 61 * es;
    const double dq = 4.15 * gt / stiffness;
    const double dtot = (r.beddingFactor + r.installationFactor) + dq;

    // 8. Admissible load.
    constexpr double kGa = 2.815f;
    constexpr double kGaSlope = 0.03f;
    constexpr double kGbSlope = 0.035f;
    constexpr double kReduced = 0.9f;
    const double ga = kGa * (1 - kGaSlope * dtot) * std::sqrt(500 * es * r.ringStiffness);
    const double gbBase = 1 + kGbSlope * dtot;
    const double gb = 64 * r.ringStiffness / (gbBase * gbBase * gbBase);
    double gdop = ga;
    if (cover < 1.5 && ga > gb)
        gdop = gb;
    if (r.reducedLoadCapacity == 1)
        gdop = gdop * kReduced;

    // A soil far too weak for the ring (no positive stiffness left in the
    // deflection formula) or any result that is not finite: no result.
    if (!(stiffness > 0.0) || !AllFinite({es, gz, wmax, gzmin, gk, gt, dq, dtot, ga, gb, gdop})) {
        GiveNoResult(r);
        return;
    }

    r.secantModulus = es;
    r.soilLoad = gz;
    r.upliftForce = wmax;
    r.anchoringForce = gzmin;
    r.trafficLoad = gk;
    r.totalLoad = gt;
    r.loadDeflection = dq;
    r.totalDeflection = dtot;
    r.admissibleLoad = gdop;

    // 9, 10. Verdict; each check passes only when its comparison holds.
    r.head.resultValid = 1;
    CopyBounded(r.head.conclusion, u"", kResultTextUnits);
    CopyBounded(r.head.warning, u"", kResultTextUnits);
    CopyBounded(r.secondReason, u"", kResultTextUnits);
    CopyBounded(r.thirdReason, u"", kResultTextUnits);

    constexpr double kDeflectionTolerance = 0.049f;
    constexpr double kEnlargedMargin = 0.1f;
    const bool deflectionOk = dtot <= r.deflectionLimit + kDeflectionTolerance;
    const bool loadOk = gt <= gdop;
    const bool anchoringOk = wmax <= gzmin;

    if (deflectionOk && loadOk && anchoringOk) {
        CopyBounded(r.head.conclusion, LangString(20243, languageOffset), kResultTextUnits);
        if (r.deflectionLimit > r.allowedDeflection + kEnlargedMargin) {
            if (r.categoryId == 3)
                CopyBounded(r.thirdReason, LangString(20298, languageOffset), kResultTextUnits);
            else if (r.categoryId < 3)
                CopyBounded(r.thirdReason, LangString(20299, languageOffset), kResultTextUnits);
        }
        return;
    }

    CopyBounded(r.head.conclusion, LangString(20239, languageOffset), kResultTextUnits);
    char16_t* slots[3] = {r.head.warning, r.secondReason, r.thirdReason};
    int used = 0;
    if (!deflectionOk)
        CopyBounded(slots[used++], 129, LangString(20340, languageOffset), kResultTextUnits);
    if (!loadOk)
        CopyBounded(slots[used++], 129, LangString(20241, languageOffset), kResultTextUnits);
    if (!anchoringOk)
        CopyBounded(slots[used++], 129, LangString(20242, languageOffset), kResultTextUnits);
}
