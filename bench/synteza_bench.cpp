// The generic synthesis (block-ZXZ with two-qubit KAK blocks) on seeded
// Haar-random unitaries of 2 to 5 qubits: time per matrix, CNOTs in the
// counters. Medians with --benchmark_repetitions=5.
#include <benchmark/benchmark.h>

#include <Eigen/Dense>
#include <numeric>
#include <random>
#include <vector>

#include "synthesis/zxz.h"
#include "tests/synthesis/husty.h"

namespace {

using namespace qlc::synteza;
using qlc::test::haar;

void BM_Synteza(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    std::mt19937 gen(2026);
    std::vector<TMAT> matice;
    for (int i = 0; i < 16; ++i) matice.push_back(haar(1 << n, gen));
    std::vector<int> q(static_cast<std::size_t>(n));
    std::iota(q.begin(), q.end(), 1);
    std::size_t i = 0;
    int cnot = 0;
    for (auto _ : s) {
        TOBVOD o(n);
        syntetizujvseob(matice[i++ % matice.size()], q, o);
        cnot = o.pocetcnot;
        benchmark::DoNotOptimize(o.brany.data());
    }
    s.counters["cnot"] = cnot;
}
BENCHMARK(BM_Synteza)->DenseRange(2, 5)->Unit(benchmark::kMillisecond);

}  // namespace
