// Permutations of basis states as circuits of multi-controlled NOTs, every
// circuit multiplied out by the tests' own dense product.
#include "synthesis/reverzibilny.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "core/chyby.h"
#include "husty.h"

namespace qlc::synteza {
namespace {

using test::THUSTA;

THUSTA maticapermutacie(const std::vector<int>& f) {
    const int d = static_cast<int>(f.size());
    THUSTA P = THUSTA::Zero(d, d);
    for (int x = 0; x < d; ++x) P(f[static_cast<std::size_t>(x)], x) = 1.0;
    return P;
}

// The circuit of the NOTs and its CNOTs, each NOT's count as priced.
TOBVOD obvodmct(const std::vector<TMCT>& g, int m) {
    TOBVOD o(m);
    int cena = 0;
    for (const TMCT& x : g) {
        pridajmct(x, o);
        cena += cenamct(x);
    }
    EXPECT_EQ(o.pocetcnot, cena);
    EXPECT_EQ(test::overbrany(o.brany, m, 1e-12), cena);
    return o;
}

TEST(Reverzibilny, NahodnePermutacie) {
    std::mt19937 gen(8);
    for (int m = 1; m <= 5; ++m)
        for (int opak = 0; opak < 4; ++opak) {
            std::vector<int> f(std::size_t{1} << m);
            std::iota(f.begin(), f.end(), 0);
            std::shuffle(f.begin(), f.end(), gen);
            const std::vector<TMCT> g = mctobvod(f, m);
            for (const TMCT& x : g) {
                EXPECT_GE(x.ciel, 1);
                EXPECT_LE(x.ciel, m);
                EXPECT_EQ(std::count(x.kontroly.begin(), x.kontroly.end(), x.ciel), 0);
            }
            const TOBVOD o = obvodmct(g, m);
            EXPECT_LT(test::maxodchylka(test::unitarobvodu(o.brany, m), maticapermutacie(f)), 1e-13) << m;
        }
}

TEST(Reverzibilny, InkrementAIdentita) {
    // x -> x + 1 mod 16: the textbook cascade of a NOT with 3, 2, 1 and no
    // controls, 14 + 6 + 1 CNOTs
    std::vector<int> f(16);
    for (int x = 0; x < 16; ++x) f[static_cast<std::size_t>(x)] = (x + 1) % 16;
    const std::vector<TMCT> g = mctobvod(f, 4);
    std::vector<std::size_t> kontrol;
    for (const TMCT& x : g) kontrol.push_back(x.kontroly.size());
    std::sort(kontrol.begin(), kontrol.end());
    EXPECT_EQ(kontrol, (std::vector<std::size_t>{0, 1, 2, 3}));
    EXPECT_EQ(obvodmct(g, 4).pocetcnot, 21);
    std::vector<int> id(8);
    std::iota(id.begin(), id.end(), 0);
    EXPECT_TRUE(mctobvod(id, 3).empty());
    EXPECT_THROW(mctobvod({0, 1, 1, 3}, 2), ChybaBehu);
    EXPECT_THROW(mctobvod({0, 1, 2}, 2), ChybaBehu);
    EXPECT_THROW(mctobvod({0, 1, 2, 4}, 2), ChybaBehu);
}

// A permutation after phases is found with both; an entry off by 1e-10, or
// a row taken twice, is no permutation.
TEST(Reverzibilny, PermutaciaSFazami) {
    std::mt19937 gen(3);
    std::vector<int> f(8);
    std::iota(f.begin(), f.end(), 0);
    std::shuffle(f.begin(), f.end(), gen);
    std::uniform_real_distribution<double> ud(-M_PI, M_PI);
    Eigen::VectorXcd fazy(8);
    for (int x = 0; x < 8; ++x) fazy(x) = std::polar(1.0, ud(gen));
    const THUSTA U = maticapermutacie(f) * fazy.asDiagonal();
    std::vector<int> g;
    Eigen::VectorXcd D;
    ASSERT_TRUE(permutacia(U, g, D));
    EXPECT_EQ(g, f);
    EXPECT_LT((D - fazy).cwiseAbs().maxCoeff(), 1e-15);
    THUSTA V = U;
    V(f[0] == 0 ? 1 : 0, 0) = 1e-10;
    EXPECT_FALSE(permutacia(V, g, D));
    V = U;
    V.col(1) = U.col(0);
    EXPECT_FALSE(permutacia(V, g, D));
    EXPECT_FALSE(permutacia(test::haar(8, gen), g, D));
}

}  // namespace
}  // namespace qlc::synteza
