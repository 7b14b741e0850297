// How fast the headless game runs: simulated seconds per wall-clock second, with the mixed
// player defending from wave 1, 10 (the first boss) and 30. Each run plays 60 game seconds from
// the start of that wave (less if the base falls first). Run from anywhere:
// build/bench/sim_bench.

#include "app/Headless.h"
#include "sim/Simulator.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ostream>
#include <streambuf>
#include <unistd.h>

namespace {

class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
};

void BM_SimulatedSecondsPerSecond(benchmark::State& state) {
    NullBuffer nothing;
    std::ostream out(&nothing);
    SimOptions options;
    options.strategy = "mixed";
    options.startWave = static_cast<int>(state.range(0));
    options.timeLimit = 60.0;
    double simulated = 0.0;
    long long frames = 0;
    for (auto _ : state) {
        SimResult result;
        runSimulation(options, out, &result);
        simulated += result.time;
        frames += result.frames;
        ++options.seed;
    }
    state.counters["sim_s_per_s"] = benchmark::Counter(simulated, benchmark::Counter::kIsRate);
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimulatedSecondsPerSecond)
    ->Arg(1)
    ->Arg(10)
    ->Arg(30)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (chdir(GROUNDLINE_SOURCE_DIR) != 0 || startHeadless("sim_bench") != 0) {
        std::fprintf(stderr, "sim_bench: cannot load the data set from %s\n",
                     GROUNDLINE_SOURCE_DIR);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
