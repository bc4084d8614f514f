// The least socket depth: one solve per iteration, for modules 1 and 3 (goal: under 5 ms) and for
// a module 2 pile of nine layers (goal: under 20 ms). The step is the argument, in mm.

#include "solve/depthsolver.h"

#include "module2/rocklayergrid.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

using namespace sp;

// Soft rock is read furthest, to 6·deq.
module1::Inputs softRoundPile() {
    module1::Inputs in;
    in.d = "1500";
    in.frk = "12";
    in.integrity = "完整";
    return in;
}

void check(const solve::DepthSolution& s, solve::SolveKind kind) {
    if (s.kind != kind)
        throw std::logic_error("unexpected solution: " + s.message);
}

void SolveModule1(benchmark::State& state) {
    const module1::Inputs in = softRoundPile();
    const solve::Target target{0.97 * 1.63 * 12.0 * 1767145.87 / 1000.0 / 2.0, 8000.0};
    for (auto _ : state) {
        const solve::DepthSolution s = solve::solveDepth(in, target, state.range(0));
        check(s, solve::SolveKind::Found);
        benchmark::DoNotOptimize(s.ra);
    }
}
BENCHMARK(SolveModule1)->Arg(50)->Arg(1)->Unit(benchmark::kMicrosecond);

// Beyond the table: the largest Ra and the least depth that gives it.
void SolveModule1Unreachable(benchmark::State& state) {
    const module1::Inputs in = softRoundPile();
    for (auto _ : state) {
        const solve::DepthSolution s = solve::solveDepth(in, solve::Target{1e6, std::nullopt}, state.range(0));
        check(s, solve::SolveKind::Unreachable);
        benchmark::DoNotOptimize(s.ra);
    }
}
BENCHMARK(SolveModule1Unreachable)->Arg(50)->Arg(1)->Unit(benchmark::kMicrosecond);

// An oblong pile in broken rock by the largest radius of gyration: the 1·d rule and the hint.
void SolveModule3(benchmark::State& state) {
    module3::Inputs in;
    in.section = core::SectionType::Oblong;
    in.d = "1200";
    in.c = "600";
    in.frk = "20";
    in.integrity = "0.45";
    in.method = module3::DeqMethod::GyrationMax;
    for (auto _ : state) {
        const solve::DepthSolution s = solve::solveDepth(in, solve::Target{9000.0, std::nullopt}, state.range(0));
        check(s, solve::SolveKind::Found);
        benchmark::DoNotOptimize(s.ra);
    }
}
BENCHMARK(SolveModule3)->Arg(50)->Arg(1)->Unit(benchmark::kMicrosecond);

// Nine layers under the rock-strength basis with automatic coefficients; the bottom layer's length
// is searched up to the limit of 1000 m.
void SolveModule2NineLayers(benchmark::State& state) {
    module2::Inputs in;
    in.grid.setLayerCount(9);
    const char* weathering[] = {"中风化", "微风化"};
    const char* integrity[] = {"完整", "较完整", "较破碎"};
    for (int i = 1; i <= 9; ++i) {
        in.grid.setCell(i, module2::kColLr, i < 9 ? "0.6" : "");
        in.grid.setCell(i, module2::kColWeathering, weathering[i % 2]);
        in.grid.setCell(i, module2::kColIntegrity, integrity[i % 3]);
        in.grid.setCell(i, module2::kColFrk, std::to_string(10 + 7 * i));
    }
    for (auto _ : state) {
        const solve::DepthSolution s = solve::solveDepth(in, solve::Target{30000.0, std::nullopt}, state.range(0));
        check(s, solve::SolveKind::Found);
        benchmark::DoNotOptimize(s.ra);
    }
}
BENCHMARK(SolveModule2NineLayers)->Arg(50)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
