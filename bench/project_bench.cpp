// A project of 1,000 piles (400 in module 1, 300 in module 2 with three layers, 300 in module 3):
// opened — read, checked and its books rebuilt in the windows' sessions — and saved.

#include "project/project.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using sp::project::PileInputs;

PileInputs oneLayerPile(int k) {
    PileInputs pile;
    pile.section = static_cast<sp::core::SectionType>(1 + k % 3);
    pile.texts = {{"cbe_dd", std::to_string(800 + 50 * (k % 10))},
                  {"cbe_tyzd", k % 3 == 0 ? "0" : "600"},
                  {"cbe_hr", std::to_string(1000 + 500 * (k % 4))},
                  {"edt_frk", std::to_string(10 + k % 30)},
                  {"cbe_yswzcd", k % 2 ? "较完整" : "完整"}};
    pile.grade = 3;
    pile.process = 0;
    pile.precision = sp::core::Precision::Units;
    return pile;
}

PileInputs layeredPile(int k) {
    PileInputs pile;
    pile.texts = {{"cbe_dd", std::to_string(1000 + 50 * (k % 6))}, {"cbe_tyzd", "0"}};
    pile.layers = std::vector<sp::module2::LayerTexts>{
        {"1.5", "中风化", "较破碎", "", "12", "", "", "", ""},
        {"2.0", "中风化", "较完整", "", std::to_string(20 + k % 10), "", "", "", ""},
        {"1.2", "微风化", "完整", "", "45", "", "", "", ""}};
    pile.precision = sp::core::Precision::Units;
    return pile;
}

sp::project::Project thousandPiles() {
    sp::project::Project project;
    const int counts[] = {400, 300, 300};
    for (int module = 1; module <= 3; ++module) {
        sp::project::ModuleState state;
        for (int k = 0; k < counts[module - 1]; ++k) {
            sp::project::PileRecord pile;
            pile.calculatedAt = "2026-12-10 09:30:00";
            pile.inputs = module == 2 ? layeredPile(k) : oneLayerPile(k);
            if (module == 3)
                pile.inputs.method = k % 8;
            state.piles.push_back(pile);
        }
        state.window = state.piles.back().inputs;
        project.module(module) = state;
    }
    return project;
}

// What opening does: the file read and checked, then each module's window rebuilt.
void OpenThousandPiles(benchmark::State& state) {
    const std::string text = sp::project::writeProject(thousandPiles());
    std::size_t piles = 0;
    for (auto _ : state) {
        const sp::project::ReadResult read = sp::project::readProject(text, "bench.sppile");
        if (!read.project) {
            state.SkipWithError(read.error.c_str());
            return;
        }
        sp::module1::Session one;
        sp::module2::Session two;
        sp::module3::Session three;
        sp::project::restore(one, *read.project->module(1));
        sp::project::restore(two, *read.project->module(2));
        sp::project::restore(three, *read.project->module(3));
        piles = static_cast<std::size_t>(one.documents().pileRegister().count() + two.documents().pileRegister().count() +
                                         three.documents().pileRegister().count());
        benchmark::DoNotOptimize(piles);
    }
    state.counters["piles"] = static_cast<double>(piles);
    state.counters["file_kB"] = static_cast<double>(text.size()) / 1024.0;
}
BENCHMARK(OpenThousandPiles)->Unit(benchmark::kMillisecond);

// What saving does: the windows' sessions captured, the text made and written whole.
void SaveThousandPiles(benchmark::State& state) {
    const sp::project::Project source = thousandPiles();
    sp::module1::Session one;
    sp::module2::Session two;
    sp::module3::Session three;
    sp::project::restore(one, *source.module(1));
    sp::project::restore(two, *source.module(2));
    sp::project::restore(three, *source.module(3));
    const auto file = std::filesystem::temp_directory_path() / "socketpile_bench.sppile";
    for (auto _ : state) {
        sp::project::Project project;
        project.module(1) = sp::project::capture(one);
        project.module(2) = sp::project::capture(two);
        project.module(3) = sp::project::capture(three);
        const sp::core::WriteResult written = sp::project::saveProject(project, file);
        if (!written.ok) {
            state.SkipWithError(written.reason.c_str());
            return;
        }
    }
    std::filesystem::remove(file);
}
BENCHMARK(SaveThousandPiles)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
