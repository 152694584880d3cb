// The catch-loss pass over the whole sample file, frame and marks included,
// on the headless canvas, for each chart variant; beside it the bare reading
// and splitting of the same file (open, read every record, convert its eight
// gauge amounts), the floor any pass over the file stands on.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "UNTPROGDELEN.h"
#include "UNTREGM0.h"
#include "UNTREGM3.h"
#include "sample.h"
#include "support.h"

namespace {

// The working directory with the sample file, made once for the whole run.
const std::string& SampleDir() {
    static const ts::TempDir dir;
    static const std::string path = [] {
        std::string bytes = SampleObservations();
        if (bytes.empty()) {
            std::fprintf(stderr, "bench_catchloss: no sample file; using synthetic records\n");
            bytes = ts::Days(1941, 6, 1, 11171, [](ts::Day& d) {
                for (int g = 0; g < 8; ++g) d.amounts[g] = (d.day * 7 + d.month * 13 + g * 5) % 60;
                if (d.day == 13) d.flags[3] = '9';
            });
        }
        dir.Write("MORVELAN.VSs", bytes);
        return dir.path();
    }();
    return path;
}

void BM_CatchLossPass(benchmark::State& state) {
    SampleDir();
    const auto kk3 = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state) {
        auto run = ts::ExecuteScreen(ts::Keys({"Enter"}), [kk3] { TOONVANGVERLIES(1, kk3); }, false);
        if (run.status != 0) state.SkipWithError("the pass failed");
        benchmark::DoNotOptimize(run.frames.back()->data());
    }
    state.SetItemsProcessed(state.iterations() * AANTALVS());
}
BENCHMARK(BM_CatchLossPass)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void BM_ReadAndSplit(benchmark::State& state) {
    SampleDir();
    for (auto _ : state) {
        OPENVS();
        double total = 0;
        while (!EINDEVS()) {
            LEESVS();
            for (int PP = 0; PP <= 7; ++PP) total += REEELGETAL(SREC.DEEL(62 + 5 * PP, 4));
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * AANTALVS());
}
BENCHMARK(BM_ReadAndSplit)->Unit(benchmark::kMillisecond);

}  // namespace
