// Speed of the structural and uplift calculations on typical records: a
// buried pipe under an SLW 60 vehicle, a manhole of each mode, a tank with
// its anchoring.

#include "core/app/DalvorApp.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<CDalvorApp> TypicalApp()
{
    auto app = std::make_unique<CDalvorApp>();
    app->languageOffset = LangEnglish;

    BuriedPipeRecord& p = app->working.buriedPipe;
    p.outerDiameter = 500;
    p.innerDiameter = 456;
    p.ringStiffness = 8;
    p.compactionIndex = 0.85f;
    p.unitWeight = 17.5;
    p.porosity = 15;
    p.beddingFactor = 2;
    p.allowedDeflection = 6;
    p.deflectionLimit = 6;
    p.trafficClass = 10;
    p.groundLevel = 3;
    p.waterLevel = 2;
    p.invertLevel = 0;
    p.foundationLevel = -(p.outerDiameter - p.innerDiameter) * static_cast<double>(0.0005f);
    p.cover = p.groundLevel - p.foundationLevel - p.outerDiameter * static_cast<double>(0.001f);

    ManholeTypeEntry manholeType{};
    manholeType.nominalDiameter = 1000;
    manholeType.outerDiameter = 1200;
    manholeType.weightPerMetre = 8;
    app->tables.manholeTypes.push_back(manholeType);
    ManholeRecord& m = app->working.manhole;
    m.unitWeight = 17.5;
    m.porosity = 15;
    m.frictionAngle = 30;
    m.groundLevel = 4;
    m.waterLevel = 2;
    m.nominalDiameter = 1.0;
    m.outerDiameter = 1.2;
    m.pipeDiameter = 0.3;

    TankTypeEntry tankType{};
    tankType.innerDiameter = 1900;
    tankType.outerDiameter = 2000;
    tankType.weightPerMetre = 1;
    tankType.endWeight = 2;
    app->tables.tankTypes.push_back(tankType);
    TankRecord& t = app->working.tank;
    t.capacity = 20;
    t.outerDiameter = 2000;
    t.innerDiameter = 1900;
    t.endAllowance = 100;
    t.groundLevel = 4;
    t.waterLevel = 4;
    t.tankBottomLevel = 1.5;
    t.fillLevel = 1.5;
    t.unitWeight = 17.5;
    t.porosity = 15;
    t.frictionAngle = 30;
    t.slabWidth = 0.6f;
    t.slabHeight = 0.3f;
    t.minAnchorSpacing = 0.5;
    t.maxAnchorSpacing = 2.0;
    t.anchorCount = 4;
    t.tieDesignStrength = 320;
    t.tieAngle = 90;
    return app;
}

void BM_BuriedPipe(benchmark::State& state)
{
    auto app = TypicalApp();
    for (auto _ : state) {
        app->CalcBuriedPipe();
        benchmark::DoNotOptimize(app->working.buriedPipe.totalDeflection);
    }
}
BENCHMARK(BM_BuriedPipe);

void BM_TrafficLoadAllClasses(benchmark::State& state)
{
    auto app = TypicalApp();
    for (auto _ : state) {
        for (int c = 0; c < 28; ++c) {
            app->working.buriedPipe.trafficClass = c;
            app->CalcTrafficLoad();
            benchmark::DoNotOptimize(app->working.buriedPipe.trafficLoad);
        }
    }
}
BENCHMARK(BM_TrafficLoadAllClasses);

void BM_ManholeBase(benchmark::State& state)
{
    auto app = TypicalApp();
    app->working.manhole.eccentric = 0;
    for (auto _ : state) {
        app->CalcManholeBuoyancy();
        benchmark::DoNotOptimize(app->working.manhole.ballastHeight);
    }
}
BENCHMARK(BM_ManholeBase);

void BM_ManholeEccentric(benchmark::State& state)
{
    auto app = TypicalApp();
    app->working.manhole.eccentric = 1;
    for (auto _ : state) {
        app->CalcManholeBuoyancy();
        benchmark::DoNotOptimize(app->working.manhole.anchoringForce);
    }
}
BENCHMARK(BM_ManholeEccentric);

void BM_TankWithAnchoring(benchmark::State& state)
{
    auto app = TypicalApp();
    for (auto _ : state) {
        app->CalcTankBuoyancy();
        app->CalcTankAnchoring();
        benchmark::DoNotOptimize(app->working.tank.tieSection);
    }
}
BENCHMARK(BM_TankWithAnchoring);

}  // namespace
