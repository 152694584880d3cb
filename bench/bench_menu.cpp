// Drawing figures of the program shell: the language screen and the menu
// drawn into the headless canvas, and the flood fill of the introduction box.
#include <benchmark/benchmark.h>

#include <memory>

#include "canvas.h"
#include "morvelan.h"
#include "support.h"

namespace {

// Start-up, the language screen and one main-menu pass, headless.
void BM_LanguageScreenAndMenu(benchmark::State& state) {
    for (auto _ : state) {
        auto run = ts::Execute(ts::Keys({"Enter"}), MORVELAN, false);
        benchmark::DoNotOptimize(run.frames.size());
    }
}
BENCHMARK(BM_LanguageScreenAndMenu)->Unit(benchmark::kMicrosecond);

// One more main-menu pass on top of the above: the cost of a full menu redraw.
void BM_MenuRedraw(benchmark::State& state) {
    for (auto _ : state) {
        auto run = ts::Execute(ts::Keys({"Enter", "Down", "Down", "Enter", "x"}), MORVELAN, false);
        benchmark::DoNotOptimize(run.frames.size());
    }
}
BENCHMARK(BM_MenuRedraw)->Unit(benchmark::kMicrosecond);

// The fill of the introduction box (70, 80)-(580, 370) over its text.
void BM_FloodFillIntroductionBox(benchmark::State& state) {
    auto c = std::make_unique<dk::Canvas>();
    for (auto _ : state) {
        state.PauseTiming();
        c->Reset();
        c->SetColor(dk::Yellow);
        c->Rectangle(70, 80, 580, 370);
        c->SetFillStyle(dk::SolidFill, dk::Red);
        state.ResumeTiming();
        c->FloodFill(72, 82, dk::Yellow);
    }
}
BENCHMARK(BM_FloodFillIntroductionBox)->Unit(benchmark::kMicrosecond);

}  // namespace
