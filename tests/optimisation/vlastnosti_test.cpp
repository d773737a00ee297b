// Properties of the optimiser on random circuits: the circuit's matrix is
// kept, the step checks find nothing wrong, and the result is gate for gate
// that of the straightforward version of the rules.
#include "tests/optimisation/pomocky.h"
#include "tests/optimisation/referencia.h"

using namespace qlc;
using namespace qlc::test;

namespace {

struct Nastavenie {
    bool roboptim;
    bool kontrola;
};

// The model's optimiser and the reference on the same circuit and
// settings give the same store, the same log and the same eps.
::testing::AssertionResult rovnakovysledok(Obvod& a, Obvod& b) {
    if (a.f->pocetb1 != b.f->pocetb1)
        return ::testing::AssertionFailure() << "pocetb1 " << a.f->pocetb1 << " vs " << b.f->pocetb1;
    for (int i = 1; i <= a.f->pocetb1; ++i) {
        auto r = rovnakabrana(a[i], b[i]);
        if (!r) return r << " at gate " << i;
    }
    if (a.p.logy != b.p.logy) return ::testing::AssertionFailure() << "logs differ";
    if (a.p.infoboxy != b.p.infoboxy) return ::testing::AssertionFailure() << "boxes differ";
    if (a.f->eps != b.f->eps) return ::testing::AssertionFailure() << "eps differs";
    return ::testing::AssertionSuccess();
}

struct Porovnanie : ::testing::Test {
    Obvod a, b;
    void porovnaj(unsigned seed, int n, int pocet, Nastavenie s);
};

void Porovnanie::porovnaj(unsigned seed, int n, int pocet, Nastavenie s) {
    a.znova(n);
    b.znova(n);
    Generator ga(seed), gb(seed);
    ga.obvod(a, n, pocet);
    gb.obvod(b, n, pocet);
    for (Obvod* o : {&a, &b}) {
        o->f->roboptim = s.roboptim;
        o->f->Kontrolptimkrok1 = s.kontrola;
    }
    a.f->optimalizacia();
    ref::optimalizacia(*b.f);
    EXPECT_TRUE(rovnakovysledok(a, b)) << "seed " << seed << ", " << n << " qubits, " << pocet << " gates";
}

TEST(Vlastnosti, CircuitMatrixIsKeptAndChecksFindNothing) {
    int skratene = 0;
    Obvod o;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        const int n = 2 + static_cast<int>(seed % 3);
        o.znova(n);
        Generator g(seed);
        g.obvod(o, n, 10 + static_cast<int>(seed % 50));
        o.f->Kontrolptimkrok1 = true;
        o.f->roboptim = seed % 4 != 0;
        const int pred = o.f->pocetb1;
        const TMATICA1 M = o.matica();
        o.f->optimalizacia();
        EXPECT_LE(o.rozdiel(M, o.matica()), 1e-7) << "seed " << seed;
        EXPECT_FALSE(o.malog("Rozdielne vysledky pre prehod bran:")) << "seed " << seed;
        EXPECT_FALSE(o.malog("Vyhodil si")) << "seed " << seed;
        EXPECT_TRUE(o.f->beh.kontrolyok) << "seed " << seed;
        EXPECT_TRUE(o.p.infoboxy.empty()) << "seed " << seed;
        if (o.f->pocetb1 < pred) ++skratene;
        // No gate is left marked, and every gate is well formed.
        for (int i = 1; i <= o.f->pocetb1; ++i) {
            EXPECT_FALSE(o[i].vyradena);
            EXPECT_TRUE(spravnabrana(o[i], n)) << "seed " << seed << " gate " << i;
        }
    }
    EXPECT_GT(skratene, 100);
}

TEST_F(Porovnanie, SameCircuitAsTheReference) {
    for (unsigned seed = 1; seed <= 150; ++seed)
        porovnaj(seed, 2 + static_cast<int>(seed % 3), 5 + static_cast<int>(seed % 70), {true, false});
}

TEST_F(Porovnanie, SameCircuitAsTheReferenceWithChecksAndWithoutRoboptim) {
    for (unsigned seed = 300; seed < 360; ++seed) {
        porovnaj(seed, 2 + static_cast<int>(seed % 3), 30, {true, true});
        porovnaj(seed, 2 + static_cast<int>(seed % 3), 30, {false, false});
    }
}

TEST_F(Porovnanie, NestedInversesCancelAcrossGrowingRunsOfRemovedGates) {
    // g1 .. gk gk^-1 .. g1^-1 with neighbours that block each other: the
    // middle pair cancels first, then every later gate finds its inverse
    // behind all the gates removed so far. A few gates that move too
    // (phases, a jump over an X) keep the search links honest.
    for (int k : {1, 2, 3, 50, 1200}) {
        a.znova(2);
        b.znova(2);
        Generator g(static_cast<unsigned>(k));
        std::vector<TGATE1> prva;
        for (int i = 0; i < k; ++i) {
            const TMATICA2 U = vseob(g.uhol(), g.uhol(), g.uhol(), 0.3 + 0.1 * (i % 7));
            prva.push_back(i % 2 ? brana(U, 2, {1}) : brana(U, 1, {2}));
            if (i % 97 == 5) prva.push_back(brana(faza(0.5), 1));
            if (i % 131 == 7) prva.push_back(brana(a.f->matnot, 1));
        }
        for (Obvod* o : {&a, &b}) {
            for (const auto& x : prva) o->pridaj(x);
            for (auto it = prva.rbegin(); it != prva.rend(); ++it) {
                TGATE1 x = *it;
                x.U = hermit2(x.U);
                o->pridaj(x);
            }
        }
        a.f->optimalizacia();
        ref::optimalizacia(*b.f);
        EXPECT_TRUE(rovnakovysledok(a, b)) << k;
        EXPECT_EQ(a.f->pocetb1, 0) << k;
    }
}

TEST_F(Porovnanie, SameCircuitAsTheReferenceOnLongCircuits) {
    for (unsigned seed = 500; seed < 506; ++seed)
        porovnaj(seed, 3 + static_cast<int>(seed % 3), 1500, {true, false});
}

}  // namespace
