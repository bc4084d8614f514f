// Speed of the chart data: the design space of a million candidates (the points, the band and the
// cheapest row, the thinned points for a plot and the pointer lookup), and one capacity curve.
// The million rows come from a real run of the optimisation page.

#include "charts/capacitycurve.h"
#include "charts/designspace.h"
#include "milliontable.h"

#include <benchmark/benchmark.h>


using namespace sp;
using namespace sp::charts;
using namespace sp::optimise;

namespace {

// A plot of a window's chart, and the points it may draw.
constexpr int kPlotWidth = 1000;
constexpr int kPlotHeight = 600;
constexpr std::size_t kMaxDrawn = 50000;

void countRows(benchmark::State& state, const DesignSpace& space) {
    state.counters["rows"] = static_cast<double>(space.points.size());
    state.counters["cheapest"] = space.cheapest ? static_cast<double>(*space.cheapest) : -1.0;
}

} // namespace

// Points, band and cheapest row of the visible table. Arguments: module, sorted by Ra.
static void BM_DesignSpacePoints(benchmark::State& state) {
    const OptimisePage& page = millionPage(static_cast<ModuleKind>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        const DesignSpace space = designSpace(page);
        benchmark::DoNotOptimize(space.points.data());
        countRows(state, space);
    }
}
BENCHMARK(BM_DesignSpacePoints)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Args({3, 0})
    ->Args({3, 1})
    ->Unit(benchmark::kMillisecond);

// The points to draw on a 1000 × 600 plot, at most 50,000.
static void BM_DesignSpaceThinning(benchmark::State& state) {
    const DesignSpace space = designSpace(millionPage(ModuleKind::Module1, state.range(0) != 0));
    const PlotFrame frame = frameAround(space, kPlotWidth, kPlotHeight);
    for (auto _ : state) {
        const std::vector<std::uint32_t> drawn = thinnedPoints(space, frame, kMaxDrawn);
        state.counters["drawn"] = static_cast<double>(drawn.size());
    }
}
BENCHMARK(BM_DesignSpaceThinning)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The pointer lookup: made once per plot, asked on every move of the mouse.
static void BM_DesignSpaceLocatorBuild(benchmark::State& state) {
    const DesignSpace space = designSpace(millionPage(ModuleKind::Module1, false));
    const PlotFrame frame = frameAround(space, kPlotWidth, kPlotHeight);
    for (auto _ : state) {
        const PointLocator locator(space, frame);
        benchmark::DoNotOptimize(&locator);
    }
}
BENCHMARK(BM_DesignSpaceLocatorBuild)->Unit(benchmark::kMillisecond);

static void BM_DesignSpaceHover(benchmark::State& state) {
    const DesignSpace space = designSpace(millionPage(ModuleKind::Module1, false));
    const PlotFrame frame = frameAround(space, kPlotWidth, kPlotHeight);
    const PointLocator locator(space, frame);
    std::size_t i = 0;
    for (auto _ : state) {
        const CandidatePoint& p = space.points[(i++ * 7919) % space.points.size()];
        benchmark::DoNotOptimize(locator.rowAt(p.volume, p.ra, 6.0));
    }
}
BENCHMARK(BM_DesignSpaceHover)->Unit(benchmark::kMicrosecond);

// Everything the chart needs after a run, a sort or a filter: points, band, cheapest row, frame,
// thinned points and the pointer lookup. Arguments: module, sorted by Ra.
static void BM_DesignSpaceAll(benchmark::State& state) {
    const OptimisePage& page = millionPage(static_cast<ModuleKind>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        const DesignSpace space = designSpace(page);
        const PlotFrame frame = frameAround(space, kPlotWidth, kPlotHeight);
        const std::vector<std::uint32_t> drawn = thinnedPoints(space, frame, kMaxDrawn);
        const PointLocator locator(space, frame);
        benchmark::DoNotOptimize(&locator);
        countRows(state, space);
        state.counters["drawn"] = static_cast<double>(drawn.size());
    }
}
BENCHMARK(BM_DesignSpaceAll)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Args({3, 1})
    ->Unit(benchmark::kMillisecond);

// One capacity curve: a broken-rock pile, so that its gaps are found too.
static void BM_CapacityCurve(benchmark::State& state) {
    module1::Inputs in;
    in.d = "1500";
    in.hr = "2.0d";
    in.frk = "40";
    in.integrity = "较破碎";
    for (auto _ : state) {
        const CapacityCurve curve = capacityCurve(in);
        state.counters["points"] = static_cast<double>(curve.points.size());
    }
}
BENCHMARK(BM_CapacityCurve)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
