// Speed of the optimisation page's engine at the sizes it must handle without making anyone wait:
// the default table, and a table of a million candidates run, sorted, filtered and saved, for
// each module.
// Run one benchmark per process (--benchmark_filter) to read its peak memory from peak_rss_MB.

#include "milliontable.h"
#include "optimise/optimisepage.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>

using namespace sp;
using namespace sp::optimise;

namespace {

void editMillion(OptimisePage& page) {
    switch (page.module()) {
    case ModuleKind::Module2:
        editModule2MillionTable(page);
        break;
    case ModuleKind::Module3:
        editModule3MillionTable(page);
        break;
    case ModuleKind::Module1:
        editMillionTable(page);
        break;
    }
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A page after the million run, shared by the benchmarks that work on its tables.
OptimisePage& millionPage(ModuleKind module = ModuleKind::Module1) {
    static OptimisePage pages[3] = {OptimisePage(ModuleKind::Module1), OptimisePage(ModuleKind::Module2),
                                    OptimisePage(ModuleKind::Module3)};
    static bool run[3] = {};
    const auto at = static_cast<std::size_t>(module) - 1;
    if (!run[at]) {
        editMillion(pages[at]);
        pages[at].run(core::kDefaultPrecision);
        run[at] = true;
    }
    return pages[at];
}

void formatAllCells(const ResultTable& table, benchmark::State& state) {
    const CandidateStore& store = *table.store();
    std::string cell;
    for (std::size_t i = 0; i < table.rowCount(); ++i) {
        const CandidateStore::Row row = store.row(table.rowId(i));
        for (int column = 0; column < kResultColumns; ++column) {
            cell.clear();
            store.appendCell(cell, row, column);
            benchmark::DoNotOptimize(cell.data());
        }
    }
    state.counters["rows"] = static_cast<double>(table.rowCount());
}

} // namespace

// The default table computed, and every cell of its 3456 rows made.
static void BM_DefaultRunAndRows(benchmark::State& state) {
    for (auto _ : state) {
        OptimisePage page;
        page.run(core::kDefaultPrecision);
        formatAllCells(page.candidates(), state);
    }
}
BENCHMARK(BM_DefaultRunAndRows)->Unit(benchmark::kMillisecond);

static void BM_MillionRun(benchmark::State& state) {
    for (auto _ : state) {
        OptimisePage page;
        editMillionTable(page);
        page.run(core::kDefaultPrecision);
        state.counters["rows"] = static_cast<double>(page.candidates().rowCount());
    }
    state.counters["peak_rss_MB"] = peakMegabytes();
}
BENCHMARK(BM_MillionRun)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_MillionSort(benchmark::State& state) {
    const auto key = static_cast<SortKey>(state.range(0));
    const ResultTable unsorted = millionPage().candidates();
    for (auto _ : state) {
        state.PauseTiming();
        ResultTable table = unsorted;
        state.ResumeTiming();
        table.sortAscending(key);
        benchmark::DoNotOptimize(table.rowId(0));
    }
    state.counters["peak_rss_MB"] = peakMegabytes();
}
BENCHMARK(BM_MillionSort)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_MillionFilter(benchmark::State& state) {
    const ResultTable& candidates = millionPage().candidates();
    const FilterBounds bounds{windowOf(10000, 20000), windowOf(6000, 12000)};
    for (auto _ : state) {
        const FilterResult result = filterRows(candidates, bounds);
        state.counters["passed"] = static_cast<double>(result.rows.size());
    }
}
BENCHMARK(BM_MillionFilter)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_MillionFileWrite(benchmark::State& state) {
    const ResultTable& candidates = millionPage().candidates();
    const auto folder = std::filesystem::temp_directory_path() / "socketpile_optimise_bench";
    std::filesystem::create_directories(folder);
    for (auto _ : state) {
        const core::WriteResult result =
            writeResultFile(folder, candidates, ResultFileKind::Raw, core::Moment{2026, 12, 10, 9, 30, 0});
        if (!result.ok)
            state.SkipWithError(result.reason.c_str());
    }
    state.counters["MB"] =
        static_cast<double>(std::filesystem::file_size(folder / resultFileName(ResultFileKind::Raw))) /
        1048576.0;
    state.counters["peak_rss_MB"] = peakMegabytes();
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_MillionFileWrite)->Unit(benchmark::kMillisecond)->Iterations(2);

// Modules 2 and 3: the default table with every cell made, and the million table run, sorted by
// Ra, filtered and saved.
static void BM_ModuleDefaultRunAndRows(benchmark::State& state) {
    const auto module = static_cast<ModuleKind>(state.range(0));
    for (auto _ : state) {
        OptimisePage page(module);
        page.run(core::kDefaultPrecision);
        formatAllCells(page.candidates(), state);
    }
}
BENCHMARK(BM_ModuleDefaultRunAndRows)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

static void BM_ModuleMillionRun(benchmark::State& state) {
    const auto module = static_cast<ModuleKind>(state.range(0));
    for (auto _ : state) {
        OptimisePage page(module);
        editMillion(page);
        page.run(core::kDefaultPrecision);
        state.counters["rows"] = static_cast<double>(page.candidates().rowCount());
    }
    state.counters["peak_rss_MB"] = peakMegabytes();
}
BENCHMARK(BM_ModuleMillionRun)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(2);

static void BM_ModuleMillionSortRa(benchmark::State& state) {
    const ResultTable unsorted = millionPage(static_cast<ModuleKind>(state.range(0))).candidates();
    for (auto _ : state) {
        state.PauseTiming();
        ResultTable table = unsorted;
        state.ResumeTiming();
        table.sortAscending(SortKey::Ra);
        benchmark::DoNotOptimize(table.rowId(0));
    }
}
BENCHMARK(BM_ModuleMillionSortRa)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(2);

static void BM_ModuleMillionFilter(benchmark::State& state) {
    const ResultTable& candidates = millionPage(static_cast<ModuleKind>(state.range(0))).candidates();
    const FilterBounds bounds{windowOf(10000, 20000), windowOf(0, 0)};
    for (auto _ : state) {
        const FilterResult result = filterRows(candidates, bounds);
        state.counters["passed"] = static_cast<double>(result.rows.size());
    }
}
BENCHMARK(BM_ModuleMillionFilter)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(2);

static void BM_ModuleMillionFileWrite(benchmark::State& state) {
    const ResultTable& candidates = millionPage(static_cast<ModuleKind>(state.range(0))).candidates();
    const auto folder = std::filesystem::temp_directory_path() / "socketpile_optimise_bench";
    std::filesystem::create_directories(folder);
    for (auto _ : state) {
        const core::WriteResult result =
            writeResultFile(folder, candidates, ResultFileKind::Raw, core::Moment{2026, 12, 10, 9, 30, 0});
        if (!result.ok)
            state.SkipWithError(result.reason.c_str());
    }
    state.counters["rows"] = static_cast<double>(candidates.rowCount());
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ModuleMillionFileWrite)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
