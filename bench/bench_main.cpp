// PLACEHOLDER: benchmarks to be written.
#include <benchmark/benchmark.h>
static void BM_Nic(benchmark::State& s) { for (auto _ : s) benchmark::DoNotOptimize(0); }
BENCHMARK(BM_Nic);
