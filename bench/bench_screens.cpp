// Each screen's full draw on the headless canvas, over the sample file: from
// entering the screen to its first wait for a key.
#include <benchmark/benchmark.h>

#include <memory>

#include "UNTREGM1.h"
#include "UNTREGM2.h"
#include "UNTREGM3.h"
#include "UNTREGM4.h"
#include "sample.h"
#include "support.h"

namespace {

ts::TempDir& Folder() {
    static auto dir = [] {
        auto d = std::make_unique<ts::TempDir>();
        d->Write("MORVELAN.VSs", SampleObservations());
        return d;
    }();
    return *dir;
}

template <void (*Screen)()>
void BM_Screen(benchmark::State& state) {
    Folder();
    for (auto _ : state) {
        auto run = ts::ExecuteScreen({}, Screen, false);  // ends at the first wait for a key
        benchmark::DoNotOptimize(run.frames.size());
    }
}

void Listing() { SCHERMLISTING(2); }
void SetUps() { OPSTELLINGEN(2); }
void Programme() { MEETPROGRAMMA(); }
void Stations() { KNMISTATIONS(); }
void Scatter() { PUNTENWOLKEN(2); }  // plots R15, 1941-1957
template <int V>
void Losses() { TOONVANGVERLIES(2, V); }

BENCHMARK(BM_Screen<Listing>)->Name("listing, first page")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Screen<SetUps>)->Name("gauge set-ups")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Screen<Programme>)->Name("measurement programme")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Screen<Stations>)->Name("station history")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Screen<Losses<1>>)->Name("catch-loss entry 5 (variant 1), whole pass")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Screen<Scatter>)->Name("scatter, R15 plotted")->Unit(benchmark::kMillisecond);

}  // namespace
