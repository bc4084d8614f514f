// Speed and memory of exporting the largest table the optimisation page makes: a million
// candidates as an Excel workbook and as CSV, and the cost of making the rows alone, which the
// writers share. Run one benchmark per process (--benchmark_filter) to read its own peak memory
// from peak_rss_MB; the million run itself is part of every process.

#include "export/sheetfiles.h"
#include "milliontable.h"
#include "optimise/results/resultsheet.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>

using namespace sp;
using namespace sp::optimise;

namespace {

const ResultTable& millionCandidates() {
    static OptimisePage page = [] {
        OptimisePage p;
        editMillionTable(p);
        p.run(core::kDefaultPrecision);
        return p;
    }();
    return page.candidates();
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A folder of the benchmark's own on the disk the files would go to, removed at the end.
struct BenchFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "socketpile_export_bench";
    BenchFolder() { std::filesystem::create_directories(path); }
    ~BenchFolder() { std::filesystem::remove_all(path); }
};

template <class Write> void writeMillion(benchmark::State& state, const char* fileName, Write write) {
    const ResultSheet sheet(millionCandidates(), kCandidateSheetName);
    const BenchFolder folder;
    const std::filesystem::path file = folder.path / fileName;
    for (auto _ : state) {
        const core::WriteResult result = write(sheet, file);
        if (!result.ok)
            state.SkipWithError(result.reason.c_str());
    }
    state.counters["rows"] = static_cast<double>(sheet.rowCount());
    if (std::filesystem::exists(file))
        state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1048576.0;
    state.counters["peak_rss_MB"] = peakMegabytes();
}

} // namespace

// Every row of the million made as the writers see it: texts and numbers.
static void BM_MillionSheetRows(benchmark::State& state) {
    const ResultSheet sheet(millionCandidates(), kCandidateSheetName);
    handin::SheetRow row;
    for (auto _ : state) {
        for (std::size_t i = 0; i < sheet.rowCount(); ++i) {
            sheet.row(i, row);
            benchmark::DoNotOptimize(row.data());
        }
    }
    state.counters["rows"] = static_cast<double>(sheet.rowCount());
    state.counters["peak_rss_MB"] = peakMegabytes();
}
BENCHMARK(BM_MillionSheetRows)->Unit(benchmark::kMillisecond)->Iterations(2);

static void BM_MillionXlsx(benchmark::State& state) {
    writeMillion(state, "candidates.xlsx", [](const ResultSheet& sheet, const std::filesystem::path& file) {
        return sheets::writeXlsx({&sheet}, file);
    });
}
BENCHMARK(BM_MillionXlsx)->Unit(benchmark::kMillisecond)->Iterations(2);

static void BM_MillionCsv(benchmark::State& state) {
    writeMillion(state, "candidates.csv", [](const ResultSheet& sheet, const std::filesystem::path& file) {
        return sheets::writeCsv(sheet, file);
    });
}
BENCHMARK(BM_MillionCsv)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
