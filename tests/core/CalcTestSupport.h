// Shared pieces of the calculation tests: special values, independent
// references (Colebrook-White, the circular segment, the soil over a buried
// circle) and the record texts.
#pragma once

#include "core/base/CalcKind.h"
#include "core/base/LangTables.h"
#include "core/base/Text.h"
#include "core/calc/Calculations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace calc_support {

using LD = long double;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const LD kPi = std::acos(-1.0L);

inline uint64_t Bits(double x)
{
    return std::bit_cast<uint64_t>(x);
}

// Friction factor: 64/Re below 2320, else Colebrook-White
// x + 2 log10(c251 x / Re + r / c371) = 0 for x = 1/sqrt(lambda) by Newton's
// method in long double. The defaults are the calculator's widened constants.
inline LD Colebrook(LD re, LD r, LD c251 = 2.51f, LD c371 = 3.71f)
{
    if (re < 2320.0L)
        return 64.0L / re;
    const LD a = c251 / re, b = r / c371;
    LD x = 8.0L;
    for (int i = 0; i < 100; ++i) {
        const LD u = a * x + b;
        const LD dx = (x + 2.0L * std::log10(u)) / (1.0L + 2.0L * a / (u * std::log(10.0L)));
        x -= dx;
        if (std::fabs(dx) < 1e-18L * x)
            break;
    }
    return 1.0L / (x * x);
}

// Area of a circle of diameter d below a line h above its bottom.
inline LD SegmentBelow(LD d, LD h)
{
    const LD r = d / 2, y = r - h;
    if (h <= 0)
        return 0;
    if (h >= d)
        return kPi * r * r;
    return r * r * std::acos(y / r) - y * std::sqrt(r * r - y * y);
}

// Weight of the soil in a strip of width d from a pipe's or tank's mid-plane
// up to the ground (height above), less the upper half of the circle, wet (unit
// weight gs) up to `wet` above the mid-plane and dry (g) over it.
inline LD HoldDown(LD d, LD above, LD wet, LD g, LD gs)
{
    const LD r = d / 2;
    auto halfDiscBelow = [&](LD y) {  // upper half-disc between 0 and y
        if (y <= 0)
            return 0.0L;
        if (y >= r)
            return kPi * r * r / 2;
        return y * std::sqrt(r * r - y * y) + r * r * std::asin(y / r);
    };
    const LD w = std::clamp(wet, 0.0L, above);
    const LD wetArea = d * w - halfDiscBelow(w);
    const LD dryArea = d * (above - w) - (kPi * r * r / 2 - halfDiscBelow(w));
    return gs * wetArea + g * dryArea;
}

inline std::u16string Text(int key)
{
    return LangString(key, LangEnglish);
}

template <class Record>
std::u16string Conclusion(const Record& r)
{
    return FromFixed(r.head.conclusion);
}

template <class Record>
std::u16string Warning(const Record& r)
{
    return FromFixed(r.head.warning);
}

// Text comparisons mean something only when each key has a text of its own.
inline void ExpectTextsOfTheirOwn(std::initializer_list<int> keys)
{
    const std::u16string missing = Text(99999);
    std::vector<std::u16string> seen;
    for (int key : keys) {
        const std::u16string text = Text(key);
        EXPECT_NE(text, missing) << key;
        EXPECT_FALSE(text.empty()) << key;
        for (const std::u16string& other : seen)
            EXPECT_NE(text, other) << key;
        seen.push_back(text);
    }
}

}  // namespace calc_support
