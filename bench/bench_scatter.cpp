// Plotting figures of the scatter comparison over the sample file, headless.
// Every visit plots R15 on entry; the R4N runs then plot the longest period
// (1 July 1953 to 31 December 1971, 6757 days) `n` times, so the cost of one
// R4N plot is the difference between n = 11 and n = 1, divided by 10.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "UNTREGM4.h"
#include "sample.h"
#include "support.h"

namespace {

// The sample file; while its generator is missing, 11 171 days of zeros.
const std::string& File(bool& sample) {
    static const std::string made = SampleObservations();
    static const std::string fallback = ts::Days(1941, 6, 1, 11171);
    sample = !made.empty();
    return sample ? made : fallback;
}

void Visit(benchmark::State& state, std::vector<ts::ScriptKey> keys) {
    bool sample = false;
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", File(sample));
    state.SetLabel(sample ? "sample file" : "fallback: 11171 days of zeros");
    for (auto _ : state) {
        auto run = ts::ExecuteScreen(keys, [] { PUNTENWOLKEN(1); }, false);
        if (run.status != 0) state.SkipWithError(run.errorText.c_str());
        benchmark::DoNotOptimize(run.frames.size());
    }
}

// Entry and the R15 plot (1941-1957, 6057 days) only.
void BM_ScatterEntryR15(benchmark::State& state) { Visit(state, {}); }
BENCHMARK(BM_ScatterEntryR15)->Unit(benchmark::kMillisecond);

// Entry, then the cursor to R4N and n plots of it.
void BM_ScatterR4N(benchmark::State& state) {
    std::vector<ts::ScriptKey> keys = ts::Keys({"Left"});
    for (int i = 0; i < state.range(0); ++i) keys.push_back(ts::Keys({"Enter"})[0]);
    Visit(state, keys);
}
BENCHMARK(BM_ScatterR4N)->Arg(1)->Arg(11)->Unit(benchmark::kMillisecond);

}  // namespace
