// Speed of a page's recalculation of a stored record, kind by kind, as the
// program runs it when a record is loaded back from the project (and as the
// recalculation tool runs every record): the lists filled from the catalogue,
// the inputs shown, read back and held to their limits, the calculation and
// the results shown. Each iteration loads back the next record of a project
// of that many records of the kind, spread over the catalogue; the two
// project sizes show whether a record's cost grows with the project.

#include "bench/BenchSupport.h"
#include "core/app/DalvorApp.h"
#include "core/calc/BuriedPipeCalc.h"
#include "core/pages/BuriedPipePageModel.h"
#include "core/pages/GravityFlowPageModel.h"
#include "core/pages/ManholePageModel.h"
#include "core/pages/PressureFlowPageModel.h"
#include "core/pages/TankPageModel.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace {

// Inputs drawn the same way on every run.
struct Draw {
    std::mt19937 random{28};
    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); }
    int Index(int count) { return count > 0 ? static_cast<int>(random() % static_cast<unsigned>(count)) : 0; }
};

// A pipe type whose applicability suits the page (bits as the pickers take
// them), with one of its sizes as the record's.
template <typename Record>
bool TakePipe(const CDalvorApp& app, Draw& d, unsigned applicable, Record& r)
{
    std::vector<const NominalSizeEntry*> sizes;
    for (int i = 0; i < RowCount(app.tables.nominalSizes); ++i)
        for (const PipeTypeEntry& t : app.tables.pipeTypes)
            if (t.id == app.tables.nominalSizes[i].typeId && t.categoryId == app.tables.nominalSizes[i].categoryId &&
                t.applicability >= 0 && t.applicability < 32 && (applicable & (1u << t.applicability)))
                sizes.push_back(&app.tables.nominalSizes[i]);
    if (sizes.empty())
        return false;
    const NominalSizeEntry& s = *sizes[static_cast<std::size_t>(d.Index(static_cast<int>(sizes.size())))];
    r.categoryId = s.categoryId;
    r.typeId = s.typeId;
    r.nominalSize = s.nominalSize;
    return true;
}

// The kinds: how a record is made up, and the page's working record.
struct Tank {
    using Page = CTankPageModel;
    static TankRecord& Working(CDalvorApp& app) { return app.working.tank; }
    static std::vector<TankRecord>& Stored(CDalvorApp& app) { return app.project.tank; }
    static bool Make(CDalvorApp& app, Draw& d)
    {
        app.ResetTankRecord();
        if (RowCount(app.tables.tankTypes) <= 0)
            return false;
        TankRecord& t = app.working.tank;
        const TankTypeEntry& row = app.tables.tankTypes[static_cast<std::size_t>(t.tankTypeIndex = d.Index(RowCount(app.tables.tankTypes)))];
        t.innerDiameter = row.innerDiameter, t.outerDiameter = row.outerDiameter, t.endAllowance = row.endAllowance;
        t.minAnchorSpacing = row.minAnchorSpacing, t.maxAnchorSpacing = row.maxAnchorSpacing;
        t.stiffnessClass = row.stiffnessClass, t.capacity = d.Uniform(5, 120), t.tankBottomLevel = d.Uniform(0, 1);
        t.groundLevel = d.Uniform(3, 8), t.waterLevel = t.groundLevel - d.Uniform(0, 1);
        t.anchorCount = 2 + d.Index(6);
        return true;
    }
};

struct Manhole {
    using Page = CManholePageModel;
    static ManholeRecord& Working(CDalvorApp& app) { return app.working.manhole; }
    static std::vector<ManholeRecord>& Stored(CDalvorApp& app) { return app.project.manhole; }
    static bool Make(CDalvorApp& app, Draw& d)
    {
        app.ResetManholeRecord();
        app.working.manhole.typeIndex = d.Index(RowCount(app.tables.manholeTypes));
        app.working.manhole.waterLevel = d.Uniform(0, 6);
        return RowCount(app.tables.manholeTypes) > 0;
    }
};

struct BuriedPipe {
    using Page = CBuriedPipePageModel;
    static BuriedPipeRecord& Working(CDalvorApp& app) { return app.working.buriedPipe; }
    static std::vector<BuriedPipeRecord>& Stored(CDalvorApp& app) { return app.project.buriedPipe; }
    static bool Make(CDalvorApp& app, Draw& d)
    {
        app.ResetBuriedPipeRecord();
        BuriedPipeRecord& r = app.working.buriedPipe;
        if (!TakePipe(app, d, CCatalogPicker::kAll, r))
            return false;
        r.trafficClass = d.Index(kTrafficClassCount);
        r.invertLevel = r.groundLevel - d.Uniform(1, 4);
        ApplyInstallationDefaults(r, 0);
        return true;
    }
};

struct GravityFlow {
    using Page = CGravityFlowPageModel;
    static GravityFlowRecord& Working(CDalvorApp& app) { return app.working.gravityFlow; }
    static std::vector<GravityFlowRecord>& Stored(CDalvorApp& app) { return app.project.gravityFlow; }
    static bool Make(CDalvorApp& app, Draw& d)
    {
        app.ResetGravityFlowRecord();
        GravityFlowRecord& r = app.working.gravityFlow;
        r.mode = d.Index(4);
        r.length = d.Uniform(10, 500);
        r.slopeInput = d.Uniform(2, 20);
        r.flowInput = d.Uniform(0.005, 0.2);
        return TakePipe(app, d, CCatalogPicker::kGravity, r);
    }
};

struct PressureFlow {
    using Page = CPressureFlowPageModel;
    static PressureFlowRecord& Working(CDalvorApp& app) { return app.working.pressureFlow; }
    static std::vector<PressureFlowRecord>& Stored(CDalvorApp& app) { return app.project.pressureFlow; }
    static bool Make(CDalvorApp& app, Draw& d)
    {
        app.ResetPressureFlowRecord();
        PressureFlowRecord& r = app.working.pressureFlow;
        r.mode = d.Index(3);
        r.endLevel = d.Uniform(-5, 50);
        r.flowInput = d.Uniform(0.002, 0.1);
        return TakePipe(app, d, CCatalogPicker::kPressure, r);
    }
};

// Loads back the next stored record of a project of state.range(0) records,
// as the recalculation tool does: the stored record copied over the working
// one, then the page's load-back sequence.
template <typename Kind>
void BM_LoadBack(benchmark::State& state)
{
    auto app = CatalogueApp(LangPolish);
    typename Kind::Page page(*app);
    page.ApplyLanguage(app->languageOffset);
    auto& working = Kind::Working(*app);
    auto& stored = Kind::Stored(*app);
    Draw draw;
    // Stored as the page leaves them: run through the page once.
    for (int i = 0; i < state.range(0); ++i) {
        if (!Kind::Make(*app, draw)) {
            state.SkipWithError("the catalogue has no rows for this kind");
            return;
        }
        page.LoadBack();
        page.TakeMessages();
        stored.push_back(working);
    }
    std::size_t next = 0;
    for (auto _ : state) {
        working = stored[next];
        page.LoadBack();
        benchmark::DoNotOptimize(working.head.resultValid);
        page.TakeMessages();
        next = next + 1 == stored.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
    int valid = 0;
    for (const auto& r : stored)
        valid += r.head.resultValid == 1;
    state.counters["valid"] = static_cast<double>(valid) / static_cast<double>(stored.size());
}

BENCHMARK_TEMPLATE(BM_LoadBack, Tank)->ArgName("records")->Arg(10)->Arg(1000);
BENCHMARK_TEMPLATE(BM_LoadBack, Manhole)->ArgName("records")->Arg(10)->Arg(1000);
BENCHMARK_TEMPLATE(BM_LoadBack, BuriedPipe)->ArgName("records")->Arg(10)->Arg(1000);
BENCHMARK_TEMPLATE(BM_LoadBack, GravityFlow)->ArgName("records")->Arg(10)->Arg(1000);
BENCHMARK_TEMPLATE(BM_LoadBack, PressureFlow)->ArgName("records")->Arg(10)->Arg(1000);

}  // namespace
