// Random unitary matrices: the fast factor products against a literal
// reference (full factor matrices and a naive product), the pairs of states
// the factors touch, unitarity, the log lines and the progress bar.
#include <gtest/gtest.h>

#include <cstdint>
#include <numbers>

#include "core/form1.h"
#include "core/text.h"
#include "tests/naivny.h"
#include "tests/zaznam.h"

using namespace qlc;

namespace {

const std::string UNITARNA = "Nahodne bola vygenerovana unitarna matica.";
const std::string NEUNITARNA = "Nahodne vygenerovana matica nie je unitarna!!!!";

// The generator as a plain recurrence, independent of TGENERATOR.
struct Lcg {
    std::uint32_t s;
    std::uint32_t dalsi() { return s = static_cast<std::uint32_t>(s * 134775813ull + 1ull); }
    int cele(int n) {
        return static_cast<int>(static_cast<std::uint64_t>(dalsi()) * static_cast<std::uint64_t>(n) /
                                4294967296ull);
    }
    double realne() { return dalsi() / 4294967296.0; }
};


// The random matrix built step by step as described: full factor matrices
// multiplied from the right.
TMATICA1 referencia(TForm1& f, int pocet, std::uint32_t seed) {
    const int N = f.rozmer;
    Lcg g{seed};
    TMATICA1 M = jednotkova(N);
    for (int k = 0; k < pocet; ++k) {
        const int d = g.cele(N), e = g.cele(N);
        int ff = d + 1, gg = e + 1;
        if (d == e) {
            if (ff > 1)
                gg = ff - 1;
            else
                ff = 2;
        }
        const int h = g.cele(3);
        TMATICA1 S;
        if (h == 0) {
            for (int j = 1; j <= N; ++j) S(j, j) = polar(1.0, (2.0 * g.realne() - 1.0) * std::numbers::pi);
        } else {
            const int p = ff > gg ? ff : gg, q = ff > gg ? gg : ff;
            const double u1 = g.realne(), u2 = g.realne();
            S = h == 1 ? f.vyrobTpq(p, q, 2 * std::numbers::pi * u1, 2 * std::numbers::pi * u2)
                       : f.vyrobTpqinv(p, q, 2 * std::numbers::pi * u1, 2 * std::numbers::pi * u2);
        }
        M = test::naivnysucin(M, S, N);
    }
    return M;
}

void nastavqubity(TForm1& f, int n) {
    f.pocetq = n;
    f.rozmer = 1 << n;
    f.StringGrid1.nastavrozmer(f.rozmer + 1, f.rozmer + 1);
}

// A seed whose first draws for N = 4 are d, e and a two-level factor.
std::uint32_t seedpre(int d, int e) {
    for (std::uint32_t s = 0;; ++s) {
        Lcg g{s};
        if (g.cele(4) == d && g.cele(4) == e && g.cele(3) != 0) return s;
    }
}

}  // namespace

TEST(Generuj, BitForBitTheFullProductOfFactors) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    for (int n = 2; n <= 5; ++n) {
        nastavqubity(f, n);
        for (std::uint32_t seed : {0u, 12345u, 0xFFFFFFFFu}) {
            TMATICA1 M;
            f.generujseed(M, 60, seed);
            const TMATICA1 R = referencia(f, 60, seed);
            for (int i = 1; i <= f.rozmer; ++i)
                for (int j = 1; j <= f.rozmer; ++j) {
                    ASSERT_EQ(M(i, j).re, R(i, j).re) << n << " " << seed << " (" << i << "," << j << ")";
                    ASSERT_EQ(M(i, j).im, R(i, j).im) << n << " " << seed << " (" << i << "," << j << ")";
                }
        }
    }
}

TEST(Generuj, EqualDrawsGiveTheNeighbouringPair) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    // (d, e) -> the pair (p, q) of the one factor
    const int pripady[][4] = {{0, 0, 2, 1}, {2, 2, 3, 2}, {3, 0, 4, 1}, {1, 3, 4, 2}};
    for (const auto& c : pripady) {
        const std::uint32_t seed = seedpre(c[0], c[1]);
        Lcg g{seed};
        g.cele(4);
        g.cele(4);
        const int h = g.cele(3);
        const double omega = 2 * std::numbers::pi * g.realne(), fi = 2 * std::numbers::pi * g.realne();
        const TMATICA1 T = h == 1 ? f.vyrobTpq(c[2], c[3], omega, fi) : f.vyrobTpqinv(c[2], c[3], omega, fi);
        TMATICA1 M;
        f.generujseed(M, 1, seed);
        SCOPED_TRACE(std::to_string(c[0]) + "," + std::to_string(c[1]));
        // T is the identity outside rows and columns p, q
        for (int i = 1; i <= 4; ++i)
            for (int j = 1; j <= 4; ++j) {
                EXPECT_EQ(M(i, j).re, T(i, j).re);
                EXPECT_EQ(M(i, j).im, T(i, j).im);
            }
        // the factor really mixes the two states
        EXPECT_GT(modul(M(c[2], c[3])), 0.0);
    }
}

TEST(Generuj, EveryMatrixIsUnitaryAndLoggedSo) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    for (int n = 2; n <= 5; ++n) {
        nastavqubity(f, n);
        for (int k = 0; k < 3; ++k) {
            p.vycisti();
            p.progresy = 0;
            const std::uint32_t pred = p.seed;
            f.generuj(f.A, 100);
            EXPECT_EQ(p.seed, pred + 1) << "one seed per call";
            EXPECT_TRUE(unitarna(f.A, f.rozmer, 1e-7));
            EXPECT_EQ(p.logy, std::vector<std::string>{UNITARNA});
            // start, one step per factor, hide
            EXPECT_EQ(p.progresy, 102);
            EXPECT_FALSE(f.ProgressBar1.visible);
            EXPECT_EQ(f.ProgressBar1.position, 0);
            EXPECT_EQ(f.ProgressBar1.max, 100);
            EXPECT_TRUE(p.infoboxy.empty());
            // the matrix is shown in the grid
            for (int i = 1; i <= f.rozmer; ++i)
                for (int j = 1; j <= f.rozmer; ++j)
                    ASSERT_EQ(f.StringGrid1.bunka(j, i), komplexnatext(f.A(i, j), 2));
        }
    }
}

TEST(Generuj, NewSeedEachCallAndTheFailedTestReported) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    nastavqubity(f, 3);
    TMATICA1 X, Y;
    f.generuj(X, 100);
    f.generuj(Y, 100);
    EXPECT_GT(odchylka(X, Y, 8), 1e-3);
    // no factors: the identity, and nothing outside the leading block is touched
    TMATICA1 M;
    M(1, 2) = TKOMPLEX(5, 5);
    M(9, 9) = TKOMPLEX(7);
    f.generujseed(M, 0, 1);
    EXPECT_EQ(odchylka(M, jednotkova(8), 8), 0.0);
    EXPECT_EQ(M(9, 9).re, 7.0);
    f.eps = -1.0;  // no matrix passes a negative tolerance
    p.vycisti();
    f.generuj(f.A, 10);
    EXPECT_EQ(p.logy, std::vector<std::string>{NEUNITARNA});
}
