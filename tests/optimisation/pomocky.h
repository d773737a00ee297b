#pragma once
// Helpers of the optimiser's tests: a model with a small circuit, gate
// builders, the matrices the tests use, random circuits, and comparisons
// of whole circuits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <random>
#include <string>

#include "core/form1.h"
#include "tests/model.h"
#include "tests/zaznam.h"

namespace qlc::test {

inline TKOMPLEX ei(double a) { return polar(1.0, a); }
inline TMATICA2 mat(TKOMPLEX a, TKOMPLEX b, TKOMPLEX c, TKOMPLEX d) { return {a, b, c, d}; }
inline TMATICA2 hadamard() {
    const double h = 1.0 / std::sqrt(2.0);
    return mat(h, h, h, -h);
}
inline TMATICA2 faza(double a) { return diag2(1.0, ei(a)); }  // diag(1, e^ia)
inline TMATICA2 skalar(TKOMPLEX z) { return diag2(z, z); }
// A unitary without zero entries and without any of the shapes.
inline TMATICA2 vseob(double a, double b, double c, double t) {
    return mat(ei(a + b) * TKOMPLEX(std::cos(t)), ei(a + c) * TKOMPLEX(std::sin(t)),
               ei(a - c) * TKOMPLEX(-std::sin(t)), ei(a - b) * TKOMPLEX(std::cos(t)));
}

// The meaningful fields of two gates are equal, U bit for bit.
inline ::testing::AssertionResult rovnakabrana(const TGATE1& x, const TGATE1& y) {
    if (!rovnakebity(x.U, y.U)) return ::testing::AssertionFailure() << "U differs";
    if (x.pocetk != y.pocetk || x.ciel != y.ciel || x.vyradena != y.vyradena)
        return ::testing::AssertionFailure()
               << "ciel/pocetk/vyradena " << int(x.ciel) << "/" << int(x.pocetk) << "/" << x.vyradena
               << " vs " << int(y.ciel) << "/" << int(y.pocetk) << "/" << y.vyradena;
    for (int j = 1; j <= x.pocetk && j <= 4; ++j)
        if (x.kontroly[j] != y.kontroly[j])
            return ::testing::AssertionFailure() << "kontroly[" << j << "] differs";
    return ::testing::AssertionSuccess();
}

// The recording platform that also keeps the progress bar's state at
// every change the model announces.
struct PasyPlatforma : ZaznamPlatforma {
    const TForm1* f = nullptr;
    std::vector<TProgressBar> stavy;
    void zmena(Ovladac o) override {
        if (o == Ovladac::ProgressBar1 && f != nullptr) stavy.push_back(f->ProgressBar1);
        ZaznamPlatforma::zmena(o);
    }
    // The maximum of the bar at the start of each optimiser pass (position
    // 0 and visible; the bar is hidden at the end).
    std::vector<int> pasy() const {
        std::vector<int> v;
        for (const auto& s : stavy)
            if (s.position == 0 && s.visible) v.push_back(s.max);
        return v;
    }
};

// A model on n qubits holding a circuit, with every setting that the
// optimiser reads set to a known value.
struct Obvod {
    PasyPlatforma p;
    std::unique_ptr<TForm1> f = std::make_unique<TForm1>(p);

    explicit Obvod(int n = 2) {
        p.f = f.get();
        znova(n);
    }
    // An empty circuit on n qubits and the settings as at the start; the
    // store (400,000 records) is reused rather than built again.
    void znova(int n) {
        qubity(n);
        f->pocetb1 = 0;
        f->eps = EPS_ZAKLAD;
        f->beh = {};
        f->roboptim = true;
        f->Kontrolptimkrok1 = false;
        f->Zobroptimkroky = false;
        p.vycisti();
        p.stavy.clear();
    }
    void qubity(int n) {
        f->pocetq = n;
        f->rozmer = 1 << n;
    }
    int pridaj(const TGATE1& g) {
        f->novabrana();
        const bool v = f->brany[f->pocetb1].vyradena;
        f->brany[f->pocetb1] = g;
        f->brany[f->pocetb1].vyradena = v;
        return f->pocetb1;
    }
    void obvod(std::initializer_list<TGATE1> brany) {
        for (const auto& g : brany) pridaj(g);
    }
    TGATE1& operator[](int i) { return f->brany[i]; }
    TMATICA1 matica() { return f->kompozicia(f->brany, f->pocetb1, 1, f->pocetb1); }
    TMATICA1 M(const TGATE1& g) { return f->maticabrany(g); }
    // Largest deviation of two full matrices of this model's size.
    double rozdiel(const TMATICA1& X, const TMATICA1& Y) { return odchylka(X, Y, f->rozmer); }
    bool malog(const std::string& prefix) const {
        for (const auto& l : p.logy)
            if (l.rfind(prefix, 0) == 0) return true;
        return false;
    }
};

// Random circuits whose gates often meet: few qubits, matrices from small
// families (NOT, phases by multiples of pi/4, scalars, diagonal and
// anti-diagonal gates, general unitaries, never the identity), and copies
// and adjoints of earlier gates.
struct Generator {
    std::mt19937 rng;
    explicit Generator(unsigned seed) : rng(seed) {}

    int cele(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    double uhol() { return std::uniform_real_distribution<double>(-std::numbers::pi, std::numbers::pi)(rng); }
    // A nonzero multiple of pi/4: an identity gate commutes with everything,
    // which the rules do not see, and the step check would report it.
    double osmina() {
        const int k = cele(-3, 3);
        return (k == 0 ? 4 : k) * std::numbers::pi / 4;
    }

    TMATICA2 matica(const TMATICA2& matnot) {
        switch (cele(0, 8)) {
            case 0:
                return matnot;
            case 1:
                return faza(osmina());
            case 2:
                return skalar(ei(osmina()));
            case 3:
                return diag2(ei(uhol()), ei(uhol()));
            case 4:
                return mat(0.0, ei(uhol()), ei(uhol()), 0.0);
            case 5:
                return hadamard();
            case 6:
                return diag2(1.0, -1.0);
            default:
                return vseob(uhol(), uhol(), uhol(), uhol());
        }
    }
    TGATE1 brana(int n, const TMATICA2& matnot) {
        TGATE1 g;
        g.ciel = static_cast<std::uint8_t>(cele(1, n));
        const bool cnot = cele(0, 5) == 0;
        g.U = cnot ? matnot : matica(matnot);
        const int k = cnot ? 1 : cele(0, n - 1) == 0 ? 0 : cele(0, n - 1);
        while (g.pocetk < k) {
            const int q = cele(1, n);
            bool je = q == g.ciel;
            for (int j = 1; j <= g.pocetk; ++j) je = je || g.kontroly[j] == q;
            if (!je) g.kontroly[++g.pocetk] = static_cast<std::uint8_t>(q);
        }
        return g;
    }
    // n qubits, pocet gates; a quarter of the gates repeat an earlier gate
    // or its adjoint on the same qubits.
    void obvod(Obvod& o, int n, int pocet) {
        o.qubity(n);
        const int zac = o.f->pocetb1;
        for (int i = 0; i < pocet; ++i) {
            const int stare = o.f->pocetb1 - zac;
            if (stare > 0 && cele(0, 3) == 0) {
                TGATE1 g = o.f->brany[zac + cele(1, stare)];
                if (cele(0, 1) == 0) g.U = hermit2(g.U);
                o.pridaj(g);
            } else {
                o.pridaj(brana(n, o.f->matnot));
            }
        }
    }
};

}  // namespace qlc::test
