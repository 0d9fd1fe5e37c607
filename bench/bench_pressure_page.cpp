// Speed of the pressure-flow page's recalculation, as a key press runs it:
// inputs read from their texts, the calculation, the diameter mode's second
// run with the chosen size, and the results formatted. The pipe is the
// catalogue's type with the most sizes, so the diameter mode goes over the
// longest list the page can hold.

#include "bench/BenchSupport.h"
#include "core/app/DalvorApp.h"
#include "core/pages/PressureFlowPageModel.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <utility>

namespace {

// The pressure pipe type with the most sizes: its category and type ids.
std::pair<int, int> LongestSizeList(const CDalvorApp& app)
{
    std::map<std::pair<int, int>, int> counts;
    for (int i = 0; i < RowCount(app.tables.nominalSizes); ++i)
        ++counts[{app.tables.nominalSizes[i].categoryId, app.tables.nominalSizes[i].typeId}];
    std::pair<int, int> best{-1, -1};
    int most = 0;
    for (const PipeTypeEntry& t : app.tables.pipeTypes) {
        const int n = counts[{t.categoryId, t.id}];
        if ((t.applicability == 1 || t.applicability == 2) && n > most) {
            most = n;
            best = {t.categoryId, t.id};
        }
    }
    return best;
}

void BM_PressurePageRecalculate(benchmark::State& state)
{
    auto app = CatalogueApp(LangEnglish);
    const auto [category, type] = LongestSizeList(*app);
    if (category < 0) {
        state.SkipWithError("no pressure pipe in the catalogue");
        return;
    }
    PressureFlowRecord& r = app->working.pressureFlow;
    r.categoryId = category;
    r.typeId = type;
    r.mode = static_cast<int>(state.range(0));
    CPressureFlowPageModel page(*app);
    page.FillLists();
    // A design flow that the middle size carries at the recommended velocity.
    const DiameterCandidate& middle = r.candidates[r.candidateCount / 2];
    r.flowInput = 0.785 * middle.innerDiameter * middle.innerDiameter * 1e-6 * 0.95;
    page.ShowInputs(0);
    page.Recalculate();
    for (auto _ : state) {
        page.Recalculate();
        benchmark::DoNotOptimize(r.headLoss);
    }
    state.counters["sizes"] = r.candidateCount;
    state.counters["valid"] = r.head.resultValid;
}
BENCHMARK(BM_PressurePageRecalculate)->ArgName("mode")->Arg(0)->Arg(1)->Arg(2);

}  // namespace
