// Speed of the hydraulic calculations: the gravity calculation in each mode
// (the diameter mode over a full list of 521 sizes too), the filling search
// next to the plain filling scan it replaces, and the pressure calculation in
// each mode.

#include "core/app/DalvorApp.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <iterator>
#include <memory>

namespace {

using Calc = CGravityFlowCalculator;

constexpr double kNu = 1.31e-6f;

std::unique_ptr<CDalvorApp> GravityApp(int mode, int candidates)
{
    auto app = std::make_unique<CDalvorApp>();
    app->languageOffset = LangEnglish;
    app->ResetGravityFlowRecord();
    GravityFlowRecord& r = app->working.gravityFlow;
    r.mode = mode;
    r.innerDiameter = 300.0;
    r.roughness = 0.01;
    r.flowInput = 0.03;
    r.candidateCount = candidates;
    const double step = candidates > 12 ? 5.0 : 50.0;  // up to 650 mm, or 2,700 mm
    for (int i = 0; i < candidates; ++i) {
        r.candidates[i].innerDiameter = 100.0 + step * i;
        r.candidates[i].roughness = 0.01;
    }
    return app;
}

void BM_CalcGravityFlow(benchmark::State& state)
{
    auto app = GravityApp(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const GravityFlowRecord inputs = app->working.gravityFlow;
    for (auto _ : state) {
        app->working.gravityFlow = inputs;
        app->CalcGravityFlow();
        benchmark::DoNotOptimize(app->working.gravityFlow.flow);
    }
    if (app->working.gravityFlow.head.resultValid != 1)
        state.SkipWithError("no result");
}
// Modes: 0 diameter (a list of 12 sizes, then the full list of 521), 1 slope,
// 2 flow, 3 filling.
BENCHMARK(BM_CalcGravityFlow)
    ->ArgNames({"mode", "sizes"})
    ->Args({0, 12})
    ->Args({0, 521})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({3, 0});

// The filling of the plain scan: every accumulated 1e-5 step from 1e-5 on.
double PlainScanFilling(double Q, double D, double k, double nu, double J, double s)
{
    const double fullFlow = Calc::FullPipeFlow(D, k, nu, J, s, 1e-4f);
    constexpr double step = 1e-5f;
    double h = step;
    while (h < 1.0) {
        if (Q <= Calc::FlowRatio(h) * fullFlow)
            return h;
        h += step;
    }
    if (Q - Calc::FlowRatio(h) * fullFlow < static_cast<double>(0.01f) * Q)
        return 0.999f;
    return h;
}

// Flow as a share of the reference pipe's capacity: 0.72 is about filling
// 0.69, 2.0 runs through the whole grid.
double FlowForShare(int percent)
{
    return Calc::FullPipeFlow(0.3, 1e-5, kNu, 0.001, 0.0, 1e-4f) * percent / 100.0;
}

void BM_FillingForFlowSearch(benchmark::State& state)
{
    const Calc calc;
    const double Q = FlowForShare(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(calc.FillingForFlow(Q, 0.3, 1e-5, kNu, 0.001, 0.0));
}
BENCHMARK(BM_FillingForFlowSearch)->ArgName("percentOfCapacity")->Arg(10)->Arg(72)->Arg(200);

void BM_FillingForFlowPlainScan(benchmark::State& state)
{
    const double Q = FlowForShare(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(PlainScanFilling(Q, 0.3, 1e-5, kNu, 0.001, 0.0));
}
BENCHMARK(BM_FillingForFlowPlainScan)->ArgName("percentOfCapacity")->Arg(10)->Arg(72)->Arg(200);

void BM_CalcPressureFlow(benchmark::State& state)
{
    auto app = std::make_unique<CDalvorApp>();
    app->languageOffset = LangEnglish;
    app->ResetPressureFlowRecord();
    PressureFlowRecord& r = app->working.pressureFlow;
    r.mode = static_cast<int>(state.range(0));
    r.innerDiameter = 200.0;
    r.nominalPressure = 1.0;
    r.flowInput = 0.05;
    r.candidateCount = 20;
    for (int i = 0; i < 20; ++i)
        r.candidates[i].innerDiameter = 50.0 + 25.0 * i;
    const PressureFlowRecord inputs = r;
    for (auto _ : state) {
        app->working.pressureFlow = inputs;
        app->CalcPressureFlow();
        benchmark::DoNotOptimize(app->working.pressureFlow.flow);
    }
    if (app->working.pressureFlow.head.resultValid != 1)
        state.SkipWithError("no result");
}
// Modes: 0 diameter (20 sizes), 1 losses, 2 flow.
BENCHMARK(BM_CalcPressureFlow)->ArgName("mode")->Arg(0)->Arg(1)->Arg(2);

// The worst stored records found so far: the diameter mode over a full list
// of sizes with no bore (or a bore and a viscosity that give no number), in
// each hydraulic calculation. Each must recalculate in well under 5 ms.
void BM_WorstGravityRecord(benchmark::State& state)
{
    auto app = GravityApp(0, 521);
    GravityFlowRecord& r = app->working.gravityFlow;
    for (DiameterCandidate& c : r.candidates)
        c.innerDiameter = state.range(0) == 0 ? 0.0 : 1e-300;
    if (state.range(0) == 2)
        r.viscosity = std::nan("");
    const GravityFlowRecord inputs = r;
    for (auto _ : state) {
        app->working.gravityFlow = inputs;
        app->CalcGravityFlow();
        benchmark::DoNotOptimize(app->working.gravityFlow.flow);
    }
}
// 0: bores of 0; 1: bores of 1e-300 mm; 2: those bores and a viscosity that
// is not a number.
BENCHMARK(BM_WorstGravityRecord)->ArgName("case")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_WorstPressureRecord(benchmark::State& state)
{
    auto app = std::make_unique<CDalvorApp>();
    app->languageOffset = LangEnglish;
    app->ResetPressureFlowRecord();
    PressureFlowRecord& r = app->working.pressureFlow;
    r.mode = 0;
    r.flowInput = 0.05;
    r.candidateCount = static_cast<int32_t>(std::size(r.candidates));
    for (auto& c : r.candidates)
        c.innerDiameter = 0.0;
    const PressureFlowRecord inputs = r;
    for (auto _ : state) {
        app->working.pressureFlow = inputs;
        app->CalcPressureFlow();
        benchmark::DoNotOptimize(app->working.pressureFlow.flow);
    }
}
BENCHMARK(BM_WorstPressureRecord)->Unit(benchmark::kMillisecond);

}  // namespace
