// socketpile-cli calc over many piles of module 1 (40,000 as a large survey's piles): the lines
// alone, with the two pages written into a folder (--out), and with the pile table as CSV beside
// them. The peak memory of the same runs is measured on the built CLI with /usr/bin/time -v.

#include "calccommand.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <unistd.h>

namespace {

// The four piles of examples/module1.json over and over.
std::string manyPiles(int count) {
    static const char* const piles[] = {
        R"({"section": "圆桩", "d": "1000", "hr": "1.0d", "grade": "C30", "process": "泥浆护壁成桩", "frk": "25", "integrity": "较完整"})",
        R"({"section": "椭圆桩", "d": "1000", "c": "500", "hr": "2.0d", "frk": "10", "integrity": "完整"})",
        R"({"section": "矩形桩", "d": "1000", "c": "1200", "hr": "1.5b", "frk": "40", "integrity": "0.45"})",
        R"({"d": "", "frk": "25"})",
    };
    std::string json = R"({"module": 1, "piles": [)";
    for (int k = 0; k < count; ++k)
        json += std::string(k ? "," : "") + piles[k % 4];
    return json + "]}";
}

// The lines go nowhere, as to a file the benchmark does not read.
class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

enum Files { None, Pages, PagesAndCsv };

void Calc(benchmark::State& state, Files files) {
    const int count = static_cast<int>(state.range(0));
    const std::string document = manyPiles(count);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("socketpile-calc-bench-" + std::to_string(::getpid()));
    sp::cli::CalcOptions options;
    options.now = sp::core::parseMoment("2026-12-10 09:30:00");
    if (files != None)
        options.outDir = folder.string();
    if (files == PagesAndCsv)
        options.csvPath = (folder / "桩表.csv").string();
    std::filesystem::create_directories(folder);
    Discard discard;
    std::ostream out(&discard);
    std::ostringstream err;
    for (auto _ : state) {
        const int status = sp::cli::runCalc(document, options, out, err);
        if (status != 0)
            state.SkipWithError(err.str().c_str());
    }
    std::filesystem::remove_all(folder);
    state.counters["piles/s"] = benchmark::Counter(static_cast<double>(count) * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK_CAPTURE(Calc, lines, None)->Arg(1000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Calc, pages, Pages)->Arg(1000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Calc, pagesAndCsv, PagesAndCsv)->Arg(40000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
