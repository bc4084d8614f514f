// Speed of drawing the design-space chart of a million candidates: what the optimisation page's
// "图表" does after a run, a sort or a filter — the points, band and cheapest row of the visible
// table, the chart's series of the thinned points, and one paint of the whole chart into an image
// of a usual window's size. Runs on the offscreen platform, so it needs no display.

#include "charts/designspace.h"
#include "charts/designspacechartview.h"
#include "milliontable.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace sp;
using namespace sp::optimise;

// From the page's table to a painted chart. Argument: module.
static void BM_DrawDesignSpace(benchmark::State& state) {
    const OptimisePage& page = millionPage(static_cast<ModuleKind>(state.range(0)), false);
    gui::DesignSpaceChartView view;
    view.resize(760, 480);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.setSpace(charts::designSpace(page), &page.visibleTable());
        QPainter painter(&image);
        view.render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
        state.counters["rows"] = static_cast<double>(view.space().points.size());
        state.counters["drawn"] = static_cast<double>(view.drawnRows().size());
    }
}
BENCHMARK(BM_DrawDesignSpace)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
