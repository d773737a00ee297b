// Benchmarks on seeded random unitary matrices of 2 to 5 qubits: the
// reduction, a composition of 100,000 gates, the optimiser on the circuit
// of multi-controlled gates, and the whole decomposition at each depth and
// by each method.
// Run with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// for medians.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "core/form1.h"
#include "core/platforma.h"

namespace {

using namespace qlc;

// A platform that shows nothing.
class Ticho : public Platforma {
    PrazdnePlatno nic_;

public:
    std::uint32_t seed = 1;
    void memo(const std::string&) override {}
    void infobox(const std::string&) override {}
    void chybabox(const std::string&) override {}
    bool okcancelbox(const std::string&) override { return true; }
    Platno& platno() override { return nic_; }
    std::optional<std::string> otvordialog(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ulozdialog(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    bool form5() override { return false; }
    std::uint32_t semienko() override { return seed; }
};

struct Prostredie {
    Ticho p;
    std::unique_ptr<TForm1> f;
    explicit Prostredie(int qubity, std::uint32_t seed = 2026) {
        f = std::make_unique<TForm1>(p);
        p.seed = seed;
        f->nastavEdit1(std::to_string(qubity));
        if (qubity == 2) f->generuj(f->A, 100);  // the field already held "2"
    }
};

void BM_Redukcia(benchmark::State& s) {
    Prostredie e(static_cast<int>(s.range(0)));
    TForm1& f = *e.f;
    for (auto _ : s) {
        TMATICA1 M = f.A;
        f.pocettpq = 0;
        for (int m = f.rozmer; m >= 2; --m) f.Redukcia(M, m);
        benchmark::DoNotOptimize(M);
    }
}
BENCHMARK(BM_Redukcia)->DenseRange(2, 5)->Unit(benchmark::kMillisecond);

// 100,000 random well-formed gates with 0..n-1 controls.
void BM_Kompozicia(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    Prostredie e(n);
    TForm1& f = *e.f;
    TGENERATOR g;
    g.seed = 77;
    constexpr int POCET = 100000;
    for (int i = 1; i <= POCET; ++i) {
        TGATE1& b = f.brany[i];
        const double w = 6.283185307179586 * g.realne(), fi = 6.283185307179586 * g.realne();
        b.U = {polar(std::sin(w), fi), TKOMPLEX(std::cos(w)), polar(std::cos(w), fi), TKOMPLEX(-std::sin(w))};
        b.ciel = static_cast<std::uint8_t>(1 + g.cele(n));
        b.pocetk = static_cast<std::uint8_t>(g.cele(n));
        int k = 0;
        for (int q = 1; q <= n && k < b.pocetk; ++q)
            if (q != b.ciel) b.kontroly[++k] = static_cast<std::uint8_t>(q);
        b.vyradena = false;
    }
    f.pocetb1 = POCET;
    for (auto _ : s) benchmark::DoNotOptimize(f.kompozicia(f.brany, f.pocetb1, 1, f.pocetb1));
    s.SetItemsProcessed(s.iterations() * POCET);
}
BENCHMARK(BM_Kompozicia)->DenseRange(2, 5)->Unit(benchmark::kMillisecond);

// The optimiser on the unoptimised circuit of multi-controlled gates.
void BM_Optimalizacia(benchmark::State& s) {
    Prostredie e(static_cast<int>(s.range(0)));
    TForm1& f = *e.f;
    f.ComboBox1 = HLBKA_TOFFOLI;
    f.roboptim = false;
    f.Button3Click();
    f.roboptim = true;
    const int pocet = f.pocetb1;
    std::vector<TGATE1> zaloha(f.brany.data(), f.brany.data() + pocet + 1);
    for (auto _ : s) {
        s.PauseTiming();
        std::copy(zaloha.begin(), zaloha.end(), f.brany.data());
        f.pocetb1 = pocet;
        s.ResumeTiming();
        f.optimalizacia();
    }
    s.counters["gates_in"] = pocet;
    s.counters["gates_out"] = f.pocetb1;
}
BENCHMARK(BM_Optimalizacia)->DenseRange(2, 5)->Unit(benchmark::kMillisecond);

// The whole decomposition with the default settings (optimisation on,
// every check of the driver) at depth element / l1 / toffoli.
void BM_Dekompozicia(benchmark::State& s) {
    Prostredie e(static_cast<int>(s.range(0)));
    TForm1& f = *e.f;
    f.ComboBox1 = static_cast<int>(s.range(1));
    const TMATICA1 vstup = f.A;
    for (auto _ : s) {
        f.A = vstup;
        f.Button3Click();
    }
    s.counters["gates"] = f.pocetb1;
    int cnot = 0;
    for (int i = 1; i <= f.pocetb1; ++i) cnot += f.brany[i].pocetk > 0;
    s.counters["cnot"] = cnot;
    s.counters["ok"] = f.beh.dokoncena && f.beh.kontrolyok;
}
// The two-level method at each depth, then the minimal-CNOT synthesis and
// the shorter of both (elementary gates).
BENCHMARK(BM_Dekompozicia)
    ->ArgsProduct({{2, 3, 4, 5}, {HLBKA_ELEMENT, HLBKA_L1, HLBKA_TOFFOLI, METODA_QSD, METODA_NAJLEPSIA}})
    ->Unit(benchmark::kMillisecond);

// Where the time of a decomposition to elementary gates goes: the driver's
// stages one by one, each timed on its own (seconds per run in the counters).
void BM_Etapy(benchmark::State& s) {
    Prostredie e(static_cast<int>(s.range(0)));
    TForm1& f = *e.f;
    const TMATICA1 vstup = f.A;
    double t[8] = {};
    auto cas = [&](int k, auto&& krok) {
        const auto a = std::chrono::steady_clock::now();
        krok();
        t[k] += std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count();
    };
    for (auto _ : s) {
        f.eps = EPS_ZAKLAD;
        f.A = vstup;
        f.pocettpq = 0;
        cas(0, [&] {
            for (int m = f.rozmer; m >= 2; --m) f.Redukcia(f.A, m);
        });
        cas(1, [&] {
            f.pocetb1 = 0;
            for (int u = 1; u <= f.pocettpq; ++u) f.RozlozTpq(u);
            for (int i = 1; i <= f.rozmer; ++i) f.fazy[i] = -arg(f.A(i, i));
            f.RozlozFazy();
        });
        cas(2, [&] { f.optimalizacia(); });
        cas(3, [&] { f.DoL1(); });
        cas(4, [&] { f.optimalizacia(); });
        cas(5, [&] { f.Doelementarnych(); });
        cas(6, [&] { f.optimalizacia(); });
        cas(7, [&] { benchmark::DoNotOptimize(f.kompozicia(f.brany, f.pocetb1, 1, f.pocetb1)); });
    }
    const char* mena[8] = {"reduction", "to_gates", "opt1", "to_L1", "opt2", "to_elem", "opt3", "compose"};
    for (int k = 0; k < 8; ++k) s.counters[mena[k]] = benchmark::Counter(t[k], benchmark::Counter::kAvgIterations);
    s.counters["gates"] = f.pocetb1;
}
BENCHMARK(BM_Etapy)->DenseRange(3, 5)->Unit(benchmark::kMillisecond);

}  // namespace
