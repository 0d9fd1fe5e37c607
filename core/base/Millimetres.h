// Half of a length given in millimetres, in metres: half a wall thickness
// (Dz - Dw), a radius from a diameter. The formulas that use it work it out in
// four ways that round differently in the last digit; each keeps its own, so
// that every result stays what it has always been.
#pragma once

// The single-precision factor, widened.
constexpr double kHalfMmToM = 0.0005f;
// The double factor.
constexpr double kHalfMmToMDouble = 0.0005;

// Divided by 2000, rounded once (the same as halved, then divided by 1000).
constexpr double HalfMmInM(double mm)
{
    return mm / 2000;
}

// Times 5, then divided by 10000: rounded twice.
constexpr double HalfMmInMByTenThousandths(double mm)
{
    return mm * 5 / 10000;
}
