// Numerical instantiation on seeded Haar-random unitaries: the 14-CNOT
// template on 3 qubits, the 61-CNOT template on 4, and the whole generic
// numerical circuit of 5 qubits (block-ZXZ with fitted 4-qubit blocks).
// Time per matrix; CNOTs and the share of exact fits in the counters.
// Medians with --benchmark_repetitions=5.
#include <benchmark/benchmark.h>

#include <Eigen/Dense>
#include <random>
#include <vector>

#include "synthesis/instancia.h"
#include "tests/synthesis/husty.h"

namespace {

using namespace qlc::synteza;
using qlc::test::haar;

std::vector<TMAT> matice(int n, int pocet) {
    std::mt19937 gen(2026);
    std::vector<TMAT> m;
    for (int i = 0; i < pocet; ++i) m.push_back(haar(1 << n, gen));
    return m;
}

// The cyclic template at the lower bound, fitted with the default starts.
void BM_FitSablony(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    const std::vector<TMAT> m = matice(n, 8);
    const TSTRUKTURA sablona = cyklicka(n, dolnahranica(n));
    static std::size_t i = 0;  // repetitions go on to the next matrices
    int presne = 0;
    for (auto _ : s) {
        const TFIT f = instanciuj(m[i++ % m.size()], sablona, {});
        presne += f.presny;
        benchmark::DoNotOptimize(f.odchylka);
    }
    s.counters["cnot"] = static_cast<double>(sablona.cnoty.size());
    s.counters["presne"] = static_cast<double>(presne) / static_cast<double>(s.iterations());
}
BENCHMARK(BM_FitSablony)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

// The generic numerical circuit, no deadline.
void BM_Genericky(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    const std::vector<TMAT> m = matice(n, 8);
    static std::size_t i = 0;  // repetitions go on to the next matrices
    int cnot = 0;
    for (auto _ : s) {
        const TOBVOD o = generickynumericky(m[i++ % m.size()], n);
        cnot = o.pocetcnot;
        benchmark::DoNotOptimize(o.brany.data());
    }
    s.counters["cnot"] = cnot;
}
BENCHMARK(BM_Genericky)->Arg(5)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
