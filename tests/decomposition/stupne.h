#pragma once
// Helpers shared by the tests of the roots and of the L1(U) and elementary
// stages: random 2x2 unitaries, gate records, bit-for-bit comparisons and
// the circuit of a store.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include "core/form1.h"
#include "tests/model.h"

namespace qlc::test {

inline constexpr double PI = std::numbers::pi;

inline TKOMPLEX z(double re, double im = 0.0) { return {re, im}; }

// A random element of U(2): e^(ia) [[e^(ib) cos t, e^(ic) sin t], [-e^(-ic) sin t, e^(-ib) cos t]].
inline TMATICA2 nahodnaunitarna(std::mt19937& gen) {
    std::uniform_real_distribution<double> u(-PI, PI);
    const double a = u(gen), b = u(gen), c = u(gen), t = u(gen);
    const TKOMPLEX f = polar(1.0, a);
    return {f * polar(std::cos(t), b), f * polar(std::sin(t), c), f * polar(-std::sin(t), -c),
            f * polar(std::cos(t), -b)};
}

inline bool rovnakabrana(const TGATE1& a, const TGATE1& b) {
    if (!rovnakebity(a.U, b.U) || a.pocetk != b.pocetk || a.vyradena != b.vyradena || a.ciel != b.ciel)
        return false;
    for (int j = 1; j <= 4; ++j)
        if (a.kontroly[j] != b.kontroly[j]) return false;
    return true;
}

inline void nastavqubity(TForm1& f, int n) {
    f.pocetq = n;
    f.rozmer = 1 << n;
}

inline void vloz(TForm1& f, const std::vector<TGATE1>& obvod) {
    f.pocetb1 = 0;
    for (const TGATE1& g : obvod) f.brany[++f.pocetb1] = g;
}

inline TMATICA1 celok(TForm1& f) { return f.kompozicia(f.brany, f.pocetb1, 1, f.pocetb1); }

// A store filled near the limit, and whether a stage left it as it was.
class PlnyTest : public ::testing::Test {
protected:
    ZaznamPlatforma p;
    TForm1 f{p};
    std::vector<TGATE1> povodne;
    void SetUp() override { p.vycisti(); }

    // N gates without control on qubit 1 (each with its own phase, so the
    // records differ), then the given gates at their positions.
    void napln(int N, const std::vector<std::pair<int, TGATE1>>& brany) {
        for (int i = 1; i <= N; ++i) f.brany[i] = brana(diag2(z(1), polar(1.0, i * 1e-5)), 1, {});
        for (const auto& [i, g] : brany) f.brany[i] = g;
        f.pocetb1 = N;
        povodne.assign(f.brany.data() + 1, f.brany.data() + N + 1);
    }
    bool nezmeneny() const {
        if (f.pocetb1 != static_cast<int>(povodne.size())) return false;
        for (int i = 1; i <= f.pocetb1; ++i)
            if (!rovnakabrana(f.brany[i], povodne[static_cast<std::size_t>(i - 1)])) return false;
        return true;
    }
};

}  // namespace qlc::test
