// Traffic load on a buried pipe: the 28 classes against independent closed
// forms (Boussinesq's point load, Newmark's corner factor, the loaded circle),
// the impact factors, the depth floors and the paving cap.

#include "core/calc/BuriedPipeCalc.h"
#include "tests/core/CalcTestSupport.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using namespace calc_support;

constexpr double kMm = 0.001f;  // the program's mm-to-m factor

// A record whose levels give the cover hc over the crown (Dz 500, Dw 456) and
// whose stored cover is hp.
BuriedPipeRecord Pipe(int trafficClass, double hc, double hp, int roadSurface = 0)
{
    BuriedPipeRecord r{};
    r.trafficClass = trafficClass;
    r.outerDiameter = 500;
    r.innerDiameter = 456;
    r.foundationLevel = 0.0;
    r.groundLevel = hc + r.outerDiameter * kMm;
    r.cover = hp;
    r.roadSurface = roadSurface;
    return r;
}

// Newmark's corner factor for a rectangle B x L at depth z, m = B/z, n = L/z.
LD Newmark(LD m, LD n)
{
    const LD m2 = m * m, n2 = n * n;
    const LD v = m2 + n2 + 1;
    const LD root = std::sqrt(v);
    const LD first = 2 * m * n * root / (v + m2 * n2) * (v + 1) / v;
    const LD second = std::atan2(2 * m * n * root, v - m2 * n2);
    return (first + second) / (4 * kPi);
}

// The same rectangle in the program's variables: depth x B, length m B.
LD Corner(LD x, LD m)
{
    return Newmark(1 / x, m / x);
}

// Boussinesq's vertical stress under a point load P at horizontal distance r.
LD Boussinesq(LD p, LD r, LD z)
{
    const LD big = std::sqrt(r * r + z * z);
    return 3 * p * z * z * z / (2 * kPi * std::pow(big, 5));
}

// Vertical stress under the centre of a circle of radius a carrying q in all.
LD Circle(LD q, LD a, LD z)
{
    const LD p = q / (kPi * a * a);
    return p * (1 - std::pow(1 / (1 + (a / z) * (a / z)), 1.5L));
}

// Impact factor of a road (slope 0.65, cap 1.325) or a tramway (0.1, 1.1).
LD Impact(LD hp, LD slope, LD cap)
{
    return hp >= 1.01L ? 1 : std::clamp(1 + slope * (1 - hp), 1.0L, cap);
}

struct W {
    LD p, r;
};
const std::vector<std::vector<W>> kWheels = {
    {{40, 2.6}, {40, 2.6}, {40, 1.5}, {40, 1.5}, {40, 2.2}, {40, 0.4}, {50, 7.0}, {50, 6.6}, {40, 10.0}, {40, 9.8}},
    {{50, 2.0}, {50, 3.0}, {50, 2.2}, {50, 0.4}, {70, 5.6}, {70, 5.2}, {50, 8.7}, {50, 8.4}},
    {{40, 1.5}, {40, 2.6}, {40, 2.2}, {40, 0.4}, {40, 4.7}, {40, 4.2}},
    {{50, 0.4}, {50, 2.2}, {30, 5.0}, {30, 4.5}},
    {{30, 0.4}, {30, 2.2}, {20, 4.6}, {20, 4.0}},
};

// Twice Boussinesq's sum over a vehicle's wheels (the program takes 3 / pi).
LD WheelStress(int trafficClass, LD z)
{
    LD sum = 0;
    for (const W& w : kWheels[trafficClass - 4])
        sum += Boussinesq(w.p, w.r, z);
    return 2 * sum;
}

// An independent statement of each class from the standard forms, with the
// decimal constants as the tables give them (no single-precision values).
LD Reference(int c, LD hc, LD hp, LD dz = 500, LD dw = 456)
{
    hc = std::max(hc, 0.5L);
    const LD road = Impact(hp, 0.65L, 1.325L), tram = Impact(hp, 0.1L, 1.1L);
    const LD zArea = std::max(hp, 0.001L);
    const LD zRail = std::max(hp - 0.5L, 0.001L);
    auto aircraft = [&](LD b, LD m1, LD m2) {
        const LD x = zArea / b;
        return 150 * (4 * Corner(x, 1) + 2 * (Corner(x, m1) - Corner(x, m2)));
    };
    auto vehicle = [&](LD a, LD r, LD others, LD wheel, LD factor) {
        const LD dm = (dz + dw) / 2000;
        LD reduction = 1;
        if (dm > 0)
            reduction = 1 - 0.9L / (0.9L + (4 * hc * hc + std::pow(hc, 6)) / (1.1L * std::pow(dm, 2.0L / 3)));
        return (Boussinesq(others, r, hc) + Circle(wheel, a, hc)) * reduction * factor;
    };
    switch (c) {
    case 1: return 16 * 1.5L * Corner(zArea / 1.5L, 40.0L / 3);
    case 2: return road * 43.75L / std::pow(hc, 0.9015L);
    case 3: return road * 32.81L / std::pow(hc, 0.9015L);
    case 4: case 5: case 6: case 7: case 8: return WheelStress(c, hc) * road * 1.5L;
    case 9: return std::max(0.0L, 60 / std::pow(hc, 0.912L) - 12.57L);
    case 10: return vehicle(0.25L, 1.82L, 500, 100, 1.2L);
    case 11: return vehicle(0.18L, 1.82L, 250, 50, 1.4L);
    case 12: return vehicle(0.18L, 2.26L, 80, 40, 1.5L);
    case 13: return 208 * Corner(zRail / 1.5L, 32.0L / 15) * road * 1.5L;
    case 14: return 208 * Corner(zRail / 3, 16.0L / 15);
    case 15: return 27.6L * Corner(zArea / 1.5L, 40.0L / 3) * tram * 1.5L;
    case 16: return 27.6L * Corner(zArea / 3, 20.0L / 3) * tram * 1.5L;
    case 17: return aircraft(0.9L, 6.7L / 0.9L, 4.9L / 0.9L);
    case 18: return aircraft(1.25L, 6.2L, 4.2L);
    case 19: return aircraft(1.75L, 37.0L / 7, 23.0L / 7);
    case 20: return aircraft(2.15L, 10.45L / 2.15L, 6.15L / 2.15L);
    case 21: return aircraft(2.5L, 4.6L, 2.6L);
    default: {
        static const LD yard[] = {22, 33, 44, 55, 88, 110};
        return 4 * yard[c - 22] * Corner(zArea / 10, 3);
    }
    }
}

double Load(BuriedPipeRecord r)
{
    r.trafficLoad = -123.0;
    CalcTrafficLoad(r);
    return r.trafficLoad;
}

}  // namespace

TEST(TrafficLoad, OnlyTheTrafficLoadIsWrittenAndNoneWithoutAClassOrLevels)
{
    BuriedPipeRecord pipe = Pipe(10, 1.0, 1.0), before = pipe;
    CalcTrafficLoad(pipe);
    EXPECT_GT(pipe.trafficLoad, 0.0);
    before.trafficLoad = pipe.trafficLoad;
    EXPECT_EQ(std::memcmp(&before, &pipe, sizeof before), 0);

    for (int c : {0, -1, 28, 1000, std::numeric_limits<int>::min()})
        EXPECT_EQ(Load(Pipe(c, 1.0, 1.0)), 0.0) << "class " << c;
    const struct {
        int trafficClass;
        double BuriedPipeRecord::*field;
        double value;
    } undefined[] = {{4, &BuriedPipeRecord::groundLevel, kNaN},
                     {22, &BuriedPipeRecord::cover, kNaN},
                     {2, &BuriedPipeRecord::groundLevel, kInf},
                     {10, &BuriedPipeRecord::innerDiameter, -kInf}};
    for (const auto& u : undefined) {
        BuriedPipeRecord r = Pipe(u.trafficClass, 1.0, 1.0);
        r.*u.field = u.value;
        EXPECT_EQ(Load(r), 0.0) << "class " << u.trafficClass;
    }
}

// Every class at several depths against the standard forms written afresh in
// long double. The program's single-precision constants (6.283, 3.1415, 0.955,
// 0.6667 ...) stay within 1e-4 of the exact ones.
TEST(TrafficLoad, EveryClassAtSeveralDepthsMatchesTheClosedForms)
{
    for (int c = 1; c < 28; ++c) {
        for (double depth : {0.6, 0.8, 1.0, 1.5, 2.0, 3.5, 6.0}) {
            const double gk = Load(Pipe(c, depth, depth));
            const LD ref = Reference(c, depth, depth);
            if (ref == 0) {
                EXPECT_EQ(gk, 0.0) << "class " << c << " depth " << depth;
                continue;
            }
            EXPECT_NEAR(gk / ref, 1.0, 1e-4) << "class " << c << " depth " << depth;
            EXPECT_GT(gk, 0.0);
        }
    }
}

// Every class from two independent transcriptions of the class table: at
// Hc = Hp = 1.0 to four decimals; and at 0.7 (both impact factors at work) and
// 2.0, and the road classes under paving at 0.7, with each single-precision
// constant widened as the table marks it. A constant taken at the wrong
// precision (27.6 for 27.6 single, 0.955 for 0.955 single ...) moves a class
// by 1e-8 or more, which the closed forms above cannot see.
TEST(TrafficLoad, EveryClassMatchesASecondTranscription)
{
    struct Row {
        int trafficClass;
        double atOne, shallow, deep, paved;  // paved below 0 for the classes without a cap
    };
    const Row rows[] = {
        {1, 5.5171, 5.796129430277329, 4.291373833635386, -1},
        {2, 43.75, 72.10909996260895, 23.42068107787764, 46.56782613997775},
        {3, 32.81, 54.07770671542809, 17.564173218938883, 46.56782613997775},
        {4, 46.9449, 73.42411126710685, 26.835569547967346, 21.484580290251966},
        {5, 51.8427, 87.44676071734037, 23.08517185888356, 17.885912681848914},
        {6, 43.6441, 71.39026050534596, 21.203318229900752, 14.340957753529036},
        {7, 50.3241, 86.6492758107186, 18.89464893769055, 17.885912681848914},
        {8, 30.2110, 51.99696784171739, 11.420319899279034, 10.742290145125983},
        {9, 47.43, 70.49572109868203, 19.31687052539318, 46.56782613997775},
        {10, 54.0072, 80.69446768327028, 29.67569981199612, 35.82553599485176},
        {11, 32.5113, 50.345716651641595, 17.386715944174227, 17.885912681848914},
        {12, 25.1126, 42.00919700583873, 8.854474641453145, 14.340957753529036},
        {13, 76.8648, 93.1163999009832, 62.654548372433766, -1},
        {14, 51.8421, 51.991036064774995, 48.623105017990014, -1},
        {15, 9.5170, 10.298272969714844, 7.402619863021041, -1},
        {16, 10.2069, 10.606850760728586, 9.516286115590571, -1},
        {17, 97.1489, 121.5973170355469, 43.52279961088416, -1},
        {18, 120.0037, 136.17371568882697, 67.66620497177075, -1},
        {19, 135.5264, 144.07930720398636, 95.18683292761749, -1},
        {20, 141.2690, 146.61036256583125, 110.59604944546331, -1},
        {21, 144.1037, 147.77772737781586, 120.24517544318334, -1},
        {22, 21.9913, 21.997422044355098, 21.928415449201903, -1},
        {23, 32.9869, 32.99613306653264, 32.89262317380285, -1},
        {24, 43.9826, 43.994844088710195, 43.85683089840381, -1},
        {25, 54.9782, 54.99355511088774, 54.82103862300476, -1},
        {26, 87.9652, 87.98968817742039, 87.71366179680761, -1},
        {27, 109.9565, 109.98711022177548, 109.64207724600952, -1},
    };
    for (const Row& row : rows) {
        const int c = row.trafficClass;
        EXPECT_NEAR(Load(Pipe(c, 1.0, 1.0)), row.atOne, 5.1e-5) << "class " << c;
        EXPECT_NEAR(Load(Pipe(c, 0.7, 0.7)) / row.shallow, 1.0, 1e-12) << "class " << c;
        EXPECT_NEAR(Load(Pipe(c, 2.0, 2.0)) / row.deep, 1.0, 1e-12) << "class " << c;
        if (row.paved > 0) {
            EXPECT_NEAR(Load(Pipe(c, 0.7, 0.7, 1)) / row.paved, 1.0, 1e-12) << "class " << c;
        }
    }
}

TEST(TrafficLoad, CornerFactorAgreesWithNewmark)
{
    // The program's 1/6.283 in single precision against 1/(2 pi): a fixed ratio.
    const LD ratio = 2 * kPi * static_cast<LD>(0.15915963053703308);
    const double cases[][2] = {{1, 1}, {0.5, 1}, {1, 2}, {0.1, 13.333}, {2, 3}, {0.001, 1}, {10, 1}, {0.3, 40.0 / 3}};
    for (const auto& c : cases) {
        const double x = c[0], m = c[1];
        const LD newmark = Corner(x, m);
        const double got = TrafficCornerFactor(x, m);
        EXPECT_NEAR(got / newmark, 1.0L, 1e-4) << x << " " << m;
        EXPECT_NEAR(got / newmark, ratio, 1e-12) << x << " " << m;
    }
    // Newmark's table: m = n = 1 gives 0.1752, m = n = 2 gives 0.2325,
    // m = 1, n = 2 gives 0.1999; a rectangle at the surface gives 1/4.
    EXPECT_NEAR(TrafficCornerFactor(1.0, 1.0), 0.1752, 1e-4);
    EXPECT_NEAR(TrafficCornerFactor(0.5, 1.0), 0.2325, 1e-4);
    EXPECT_NEAR(TrafficCornerFactor(1.0, 2.0), 0.1999, 1e-4);
    EXPECT_NEAR(TrafficCornerFactor(1e-6, 1.0), 0.25, 1e-4);
}

TEST(TrafficLoad, WheelLoadsAreTwiceBoussinesq)
{
    for (int c = 4; c <= 8; ++c) {
        for (double z : {0.5, 0.75, 1.0, 2.0, 4.0, 9.0}) {
            // Stored cover deep enough for no impact factor.
            const double gk = Load(Pipe(c, z, 1.5));
            const LD twice = WheelStress(c, z);
            EXPECT_NEAR(gk / 1.5 / twice, 1.0L, 1e-4) << "class " << c << " depth " << z;
        }
    }
}

TEST(TrafficLoad, ImpactFactorsFollowTheStoredCover)
{
    // Class 2 at a level cover of exactly 1 m is 43.75 x the road factor. At
    // 0.5 m the single-precision slope leaves the factor a hair below its
    // single-precision cap; a little shallower the cap holds it.
    auto road = [](double hp) { return Load(Pipe(2, 1.0, hp)) / 43.75; };
    const double slope = 0.65f, cap = 1.325f;
    for (auto [hp, factor] : {std::pair{static_cast<double>(1.01f), 1.0}, {1.0, 1.0}, {5.0, 1.0},
                              {0.8, 1 + slope * (1 - 0.8)}, {0.5, 1 + slope * 0.5}, {0.4, cap}, {-2.0, cap}})
        EXPECT_DOUBLE_EQ(road(hp), factor) << hp;
    EXPECT_LT(road(0.5), cap);
    // Just below 1.01 in single precision the factor is still 1 + a hair.
    EXPECT_GT(road(1.0 - 1e-3), 1.0);

    // Class 15 divided by its area term gives the tram factor. At a cover of 0
    // the factor is 1 + 0.1 (single) and still below its cap 1.1 (single);
    // only a negative cover reaches the cap.
    auto tram = [](double hp) {
        const double z = hp > 0.001f ? hp : static_cast<double>(0.001f);
        return Load(Pipe(15, 1.0, hp)) / (27.6 * TrafficCornerFactor(z / 1.5, 40.0 / 3.0) * 1.5);
    };
    const double tenth = 0.1f, tramCap = 1.1f;
    for (auto [hp, factor] : {std::pair{static_cast<double>(1.01f), 1.0}, {0.5, 1 + tenth * 0.5}, {0.0, 1 + tenth},
                              {-1.0, tramCap}})
        EXPECT_DOUBLE_EQ(tram(hp), factor) << hp;
    EXPECT_LT(tram(0.0), tramCap);
}

TEST(TrafficLoad, DepthFloorsAndTheSwedishClassDeep)
{
    // Wheel and vehicle classes never see less than half a metre, a negative
    // cover from the levels included.
    for (int c = 2; c <= 12; ++c)
        EXPECT_EQ(Load(Pipe(c, 0.3, 1.5)), Load(Pipe(c, 0.5, 1.5))) << "class " << c;
    EXPECT_EQ(Load(Pipe(4, -2.0, 1.5)), Load(Pipe(4, 0.5, 1.5)));

    // Area classes take the stored cover with a millimetre floor; railway
    // 0.5 m below it, so a cover of 0.4 gives the floor.
    const double z = 0.001f;
    EXPECT_DOUBLE_EQ(Load(Pipe(13, 3.0, 0.4)),
                     208 * TrafficCornerFactor(z / 1.5, 32.0 / 15.0) * static_cast<double>(1.325f) * 1.5);
    // The level cover plays no part in an area class.
    EXPECT_EQ(Load(Pipe(22, 0.7, 2.0)), Load(Pipe(22, 5.0, 2.0)));
    EXPECT_DOUBLE_EQ(Load(Pipe(22, 1.0, -3.0)), 4 * 22 * TrafficCornerFactor(z / 10, 3));
    // Double railway has neither the impact factor nor the 1.5.
    EXPECT_DOUBLE_EQ(Load(Pipe(14, 1.0, 0.7)), 208 * TrafficCornerFactor(0.2 / 3.0, 16.0 / 15.0));

    // The Swedish class vanishes between 5.5 and 5.6 m.
    EXPECT_GT(Load(Pipe(9, 5.5, 5.5)), 0.0);
    EXPECT_EQ(Load(Pipe(9, 5.6, 5.6)), 0.0);
    EXPECT_EQ(Load(Pipe(9, 50.0, 50.0)), 0.0);
}

TEST(TrafficLoad, PavingCapOfTheRoadClasses)
{
    auto pr = [](double hc) {
        return 1 - 0.8657 * hc + static_cast<double>(0.3239f) * (hc * hc) -
               static_cast<double>(0.0455f) * (hc * hc * hc);
    };
    // Levels giving 0.3 m: Hc is 0.5 and the cap binds (second transcription).
    for (auto [c, load] : {std::pair{2, 55.6993}, {3, 55.6993}, {9, 55.6993}, {4, 25.6975}, {10, 42.8506}})
        EXPECT_NEAR(Load(Pipe(c, 0.3, 0.3, 1)), load, 1e-4) << "class " << c;
    EXPECT_DOUBLE_EQ(Load(Pipe(2, 1.0, 1.0, 1)), std::min(43.75, pr(1.0) * static_cast<double>(86.7f)));

    // A load below the cap stays.
    const double low = Load(Pipe(3, 1.5, 1.5, 0));
    ASSERT_LT(low, pr(1.5) * static_cast<double>(86.7f));
    EXPECT_EQ(Load(Pipe(3, 1.5, 1.5, 1)), low);

    // At 3 m or deeper, or without the flag, no cap.
    EXPECT_EQ(Load(Pipe(2, 3.0, 3.0, 1)), Load(Pipe(2, 3.0, 3.0, 0)));
    EXPECT_GT(Load(Pipe(2, 0.5, 0.5, 0)), Load(Pipe(2, 0.5, 0.5, 1)));
    // Just below 3 m the cap applies (and binds for class 2).
    EXPECT_DOUBLE_EQ(Load(Pipe(2, 2.999, 2.999, 1)), pr(2.999) * static_cast<double>(86.7f));
    // The area classes ignore the flag.
    for (int c : {1, 13, 14, 15, 16, 17, 20, 22, 27})
        EXPECT_EQ(Load(Pipe(c, 0.5, 0.5, 1)), Load(Pipe(c, 0.5, 0.5, 0))) << "class " << c;
    // The cap factor stays positive over the capped depths.
    for (double hc = 0.5; hc < 3.0; hc += 0.01)
        EXPECT_GT(pr(hc), 0.0);
}

TEST(TrafficLoad, VehicleClassesWithoutAPipeTakeNoReduction)
{
    for (int c = 10; c <= 12; ++c) {
        BuriedPipeRecord r = Pipe(c, 1.0, 1.0);
        r.outerDiameter = 0;
        r.innerDiameter = 0;
        r.groundLevel = 1.0;
        const LD ref = Reference(c, 1.0, 1.0, 0, 0);
        EXPECT_NEAR(Load(r) / ref, 1.0L, 1e-4) << "class " << c;
        // A reduction makes a real pipe's load smaller.
        EXPECT_LT(Load(Pipe(c, 1.0, 1.0)), Load(r));
    }
}
