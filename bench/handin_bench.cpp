// The handed-in book of 100 piles as PDF: laid out, painted and written, with the process's peak
// resident memory after each run (getrusage), the figure the export must keep under 300 MB.

#include "charts/capacityfigure.h"
#include "gui/handin/samplebook.h"
#include "handin/bookrenderer.h"
#include "module2/module2session.h"
#include "project/pileinputs.h"
#include "report/handinassembly.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>

namespace {

constexpr int kPiles = 100;

double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void LayOutBook(benchmark::State& state) {
    const sp::handin::HandInBook book = sp::test::sampleBook(kPiles);
    const sp::handin::Typesetter typesetter;
    std::size_t pages = 0;
    for (auto _ : state) {
        const sp::handin::LaidOutBook laidOut = sp::handin::layOutBook(book, typesetter);
        pages = laidOut.pages.size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(LayOutBook)->Unit(benchmark::kMillisecond);

void PdfInMemory(benchmark::State& state) {
    const sp::handin::HandInBook book = sp::test::sampleBook(kPiles);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = sp::handin::pdfOf(book);
        bytes = pdf.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(PdfInMemory)->Unit(benchmark::kMillisecond);

// What the engineer waits for: the book built, drawn and written through the synced temporary file.
void WritePdfFile(benchmark::State& state) {
    const sp::handin::HandInBook book = sp::test::sampleBook(kPiles);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "socketpile-handin-bench.pdf";
    for (auto _ : state) {
        const sp::core::WriteResult written = sp::handin::writePdf(book, path);
        if (!written.ok)
            state.SkipWithError(written.reason.c_str());
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(WritePdfFile)->Unit(benchmark::kMillisecond);

// The same with the modules' own content: 100 module 2 piles of three rock layers each, computed by
// the session as the window computes them, their book built from its documents and drawn.
void ModuleTwoPilesPdf(benchmark::State& state) {
    sp::module2::Session session;
    sp::module2::LayerTexts layer = sp::module2::defaultLayer();
    session.enterLayers({layer, layer, layer});
    for (int k = 0; k < kPiles; ++k)
        session.compute(sp::core::Moment{2026, 12, 10, 9, 30, 0});
    if (session.documents().pileRegister().count() != kPiles)
        state.SkipWithError("the default layers did not compute");
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf =
            sp::handin::pdfOf(sp::report::bookOf(session.documents(), {}, sp::report::programLine("bench")));
        bytes = pdf.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(ModuleTwoPilesPdf)->Unit(benchmark::kMillisecond);

// 100 module 1 piles with their capacity figures: each figure's curve rebuilt from the pile's
// recorded inputs (some 400 calculations), laid out and drawn as vectors.
void ModuleOnePilesWithFiguresPdf(benchmark::State& state) {
    sp::module1::Session session;
    for (int k = 0; k < kPiles; ++k)
        sp::project::computePile(session, sp::core::Moment{2026, 12, 10, 9, 30, 0});
    if (session.documents().pileRegister().count() != kPiles)
        state.SkipWithError("the default pile did not compute");
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = sp::handin::pdfOf(
            sp::charts::bookWithFigures(session.documents(), {}, sp::report::programLine("bench")));
        bytes = pdf.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(ModuleOnePilesWithFiguresPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The fonts come through a QGuiApplication; offscreen, as socketpile-cli makes it.
    char name[] = "handin_bench";
    char option[] = "-platform";
    char platform[] = "offscreen";
    char* qtArgv[] = {name, option, platform, nullptr};
    int qtArgc = 3;
    QGuiApplication application(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
