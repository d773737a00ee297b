// Structure detection: Kronecker factors under any order of the qubits,
// scalars, diagonals and their circuits, against dense products in the test.
#include "synthesis/struktura.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "core/chyby.h"
#include "husty.h"
#include "ucebnicove.h"

namespace qlc::synteza {
namespace {

using test::TCAST;
using test::THUSTA;

std::vector<TCAST> nafaktory(const std::vector<TFAKTOR>& f) {
    std::vector<TCAST> c;
    for (const TFAKTOR& x : f) c.push_back({x.qubity, x.U});
    return c;
}

// The factors found are unitary, cover each qubit once, come ordered by
// their first qubit, and their product is U with its global phase.
void overfaktory(const std::vector<TFAKTOR>& f, const THUSTA& U, int n) {
    std::vector<int> vsetky;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const int k = static_cast<int>(f[i].qubity.size());
        ASSERT_EQ(f[i].U.rows(), 1 << k);
        EXPECT_LT((f[i].U.adjoint() * f[i].U - THUSTA::Identity(1 << k, 1 << k)).cwiseAbs().maxCoeff(),
                  1e-13);
        EXPECT_TRUE(std::is_sorted(f[i].qubity.begin(), f[i].qubity.end()));
        if (i > 0) {
            EXPECT_LT(f[i - 1].qubity.front(), f[i].qubity.front());
        }
        vsetky.insert(vsetky.end(), f[i].qubity.begin(), f[i].qubity.end());
    }
    std::sort(vsetky.begin(), vsetky.end());
    std::vector<int> ocak(static_cast<std::size_t>(n));
    std::iota(ocak.begin(), ocak.end(), 1);
    EXPECT_EQ(vsetky, ocak);
    EXPECT_LT(test::maxodchylka(test::kronecker(nafaktory(f), n), U), 1e-13);
}

std::vector<int> rozmery(const std::vector<TFAKTOR>& f) {
    std::vector<int> r;
    for (const TFAKTOR& x : f) r.push_back(static_cast<int>(x.qubity.size()));
    std::sort(r.begin(), r.end());
    return r;
}

TEST(Struktura, KroneckerJednoqubitovychFaktorov) {
    std::mt19937 gen(11);
    for (int n = 2; n <= 5; ++n)
        for (int opak = 0; opak < 4; ++opak) {
            std::vector<TCAST> c;
            for (int q = 1; q <= n; ++q) c.push_back({{q}, test::haar(2, gen) * std::polar(1.0, 0.7 * q)});
            const THUSTA U = test::kronecker(c, n);
            std::vector<int> qubity(static_cast<std::size_t>(n));
            std::iota(qubity.begin(), qubity.end(), 1);
            const std::vector<TFAKTOR> f = kroneckerfaktory(U, qubity);
            EXPECT_EQ(f.size(), static_cast<std::size_t>(n));
            overfaktory(f, U, n);
        }
}

// Two-qubit and larger factors on qubits that are not neighbours, and a
// register whose qubits are named in another order.
TEST(Struktura, KroneckerViacqubitovychFaktorovVLubovolnomPoradi) {
    std::mt19937 gen(12);
    struct TP {
        int n;
        std::vector<std::vector<int>> casti;
    };
    const std::vector<TP> pripady = {
        {3, {{1, 3}, {2}}},       {5, {{2, 5}, {1}, {3}, {4}}}, {4, {{1, 3}, {2, 4}}},
        {4, {{1, 4}, {2, 3}}},    {5, {{1, 4}, {2, 3, 5}}},     {5, {{3}, {1, 2, 4, 5}}},
        {5, {{2, 4}, {1, 3, 5}}}, {4, {{2, 3, 4}, {1}}},        {2, {{1, 2}}},
    };
    for (const TP& p : pripady) {
        std::vector<TCAST> c;
        std::vector<int> ocak;
        for (const auto& q : p.casti) {
            c.push_back({q, test::haar(1 << q.size(), gen)});
            ocak.push_back(static_cast<int>(q.size()));
        }
        std::sort(ocak.begin(), ocak.end());
        const THUSTA U = test::kronecker(c, p.n);
        std::vector<int> qubity(static_cast<std::size_t>(p.n));
        std::iota(qubity.begin(), qubity.end(), 1);
        const std::vector<TFAKTOR> f = kroneckerfaktory(U, qubity);
        EXPECT_EQ(rozmery(f), ocak) << "n=" << p.n;
        overfaktory(f, U, p.n);
    }
    // the same product read with the register's qubits named 4,1,3,2: the
    // factors carry those names in that order
    const THUSTA A = test::haar(4, gen), B = test::haar(4, gen);
    const THUSTA U = test::kronecker({{{1, 3}, A}, {{2, 4}, B}}, 4);
    const std::vector<TFAKTOR> f = kroneckerfaktory(U, {4, 1, 3, 2});
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].qubity, (std::vector<int>{4, 3}));
    EXPECT_EQ(f[1].qubity, (std::vector<int>{1, 2}));
    // on the register in the order 1,2,3,4 the factors act where A and B do
    std::vector<TCAST> c = {{{1, 3}, f[0].U}, {{2, 4}, f[1].U}};
    EXPECT_LT(test::maxodchylka(test::kronecker(c, 4), U), 1e-13);
}

// Random groupings of randomly ordered qubits into factors of one to three
// qubits: every grouping is found.
TEST(Struktura, KroneckerNahodneRozdelenia) {
    std::mt19937 gen(15);
    std::uniform_int_distribution<int> velkost(1, 3);
    for (int n = 3; n <= 5; ++n)
        for (int opak = 0; opak < 6; ++opak) {
            std::vector<int> q(static_cast<std::size_t>(n));
            std::iota(q.begin(), q.end(), 1);
            std::shuffle(q.begin(), q.end(), gen);
            std::vector<TCAST> c;
            std::vector<int> ocak;
            for (std::size_t i = 0; i < q.size();) {
                const std::size_t k = std::min(q.size() - i, static_cast<std::size_t>(velkost(gen)));
                c.push_back(
                    {std::vector<int>(q.begin() + static_cast<long>(i), q.begin() + static_cast<long>(i + k)),
                     test::haar(1 << k, gen)});
                ocak.push_back(static_cast<int>(k));
                i += k;
            }
            std::sort(ocak.begin(), ocak.end());
            const THUSTA U = test::kronecker(c, n);
            std::vector<int> qubity(static_cast<std::size_t>(n));
            std::iota(qubity.begin(), qubity.end(), 1);
            const std::vector<TFAKTOR> f = kroneckerfaktory(U, qubity);
            EXPECT_EQ(rozmery(f), ocak) << "n=" << n;
            overfaktory(f, U, n);
        }
}

// Generic matrices and products spoilt beyond rounding stay whole.
TEST(Struktura, KroneckerOdmietaNeuplnySucin) {
    std::mt19937 gen(13);
    for (int n = 2; n <= 5; ++n) {
        std::vector<int> qubity(static_cast<std::size_t>(n));
        std::iota(qubity.begin(), qubity.end(), 1);
        EXPECT_EQ(kroneckerfaktory(test::haar(1 << n, gen), qubity).size(), 1u);
        std::vector<TCAST> c;
        for (int q = 1; q <= n; ++q) c.push_back({{q}, test::haar(2, gen)});
        THUSTA U = test::kronecker(c, n);
        // a rotation by 1e-9 between |10..0> and |01..0> couples qubits 1 and 2
        THUSTA E = THUSTA::Identity(1 << n, 1 << n);
        const int a = 1 << (n - 1), b = 1 << (n - 2);
        E(a, a) = E(b, b) = std::cos(1e-9);
        E(a, b) = -std::sin(1e-9);
        E(b, a) = std::sin(1e-9);
        const THUSTA V = E * U;
        const std::vector<TFAKTOR> f = kroneckerfaktory(V, qubity);
        EXPECT_LT(f.size(), static_cast<std::size_t>(n));
        overfaktory(f, V, n);
    }
    EXPECT_THROW(kroneckerfaktory(THUSTA::Identity(8, 8), {1, 2}), ChybaBehu);
}

TEST(Struktura, SkalarnaADiagonalna) {
    std::complex<double> c;
    EXPECT_TRUE(skalarna(THUSTA::Identity(8, 8), c));
    EXPECT_EQ(c, std::complex<double>(1.0));
    EXPECT_TRUE(skalarna(std::polar(1.0, 2.5) * THUSTA::Identity(16, 16), c));
    EXPECT_NEAR(std::arg(c), 2.5, 1e-15);
    THUSTA D = THUSTA::Identity(4, 4);
    D(3, 3) = -1;
    EXPECT_FALSE(skalarna(D, c));
    EXPECT_TRUE(diagonalna(D));
    D(2, 1) = 1e-10;
    EXPECT_FALSE(diagonalna(D));
    EXPECT_FALSE(skalarna(D, c));
    D(2, 1) = 1e-17;
    EXPECT_TRUE(diagonalna(D));
}

// A layer of one-qubit gates as one matrix.
THUSTA vrstva(const std::vector<TMAT2>& g) {
    std::vector<TCAST> c;
    for (std::size_t i = 0; i < g.size(); ++i) c.push_back({{static_cast<int>(i) + 1}, g[i]});
    return test::kronecker(c, static_cast<int>(g.size()));
}

TEST(Struktura, DiagonalaMedziVrstvami) {
    std::mt19937 gen(21);
    std::uniform_real_distribution<double> ud(-M_PI, M_PI);
    for (int m = 1; m <= 5; ++m)
        for (int opak = 0; opak < 2; ++opak) {
            std::vector<TMAT2> a, b;
            for (int i = 0; i < m; ++i) {
                a.push_back(test::haar(2, gen));
                b.push_back(test::haar(2, gen));
            }
            THUSTA D = THUSTA::Zero(1 << m, 1 << m);
            for (int j = 0; j < (1 << m); ++j) D(j, j) = std::polar(1.0, ud(gen));
            const THUSTA U = vrstva(b) * D * vrstva(a);
            TLOKALNADIAG r;
            ASSERT_TRUE(lokalnediagonalna(U, m, r)) << m;
            ASSERT_EQ(r.pred.size(), static_cast<std::size_t>(m));
            ASSERT_EQ(r.po.size(), static_cast<std::size_t>(m));
            EXPECT_TRUE(diagonalna(r.D));
            EXPECT_LT(test::maxodchylka(vrstva(r.po) * r.D * vrstva(r.pred), U), 1e-13) << m;
        }
    // multi-controlled gates: C3X, a doubly controlled Hadamard
    TLOKALNADIAG r;
    const THUSTA X3 = test::viacriadenyx(4);
    ASSERT_TRUE(lokalnediagonalna(X3, 4, r));
    EXPECT_LT(test::maxodchylka(vrstva(r.po) * r.D * vrstva(r.pred), X3), 1e-13);
    THUSTA H2 = THUSTA::Identity(8, 8);
    const double s = 1 / std::sqrt(2.0);
    H2(6, 6) = H2(6, 7) = H2(7, 6) = s;
    H2(7, 7) = -s;
    ASSERT_TRUE(lokalnediagonalna(H2, 3, r));
    EXPECT_LT(test::maxodchylka(vrstva(r.po) * r.D * vrstva(r.pred), H2), 1e-13);
    // a controlled swap moves qubit 2's Paulis onto qubit 3; a Haar matrix
    // keeps no Pauli of any qubit on it
    EXPECT_FALSE(lokalnediagonalna(test::fredkin(), 3, r));
    EXPECT_FALSE(lokalnediagonalna(test::haar(8, gen), 3, r));
    EXPECT_THROW(lokalnediagonalna(X3, 3, r), ChybaBehu);
}

TEST(Struktura, DiagonalnyObvod) {
    std::mt19937 gen(14);
    std::uniform_real_distribution<double> ud(-M_PI, M_PI);
    for (int m = 2; m <= 5; ++m)
        for (int opak = 0; opak < 3; ++opak) {
            // m qubits of a 5-qubit register in random order
            std::vector<int> q = {1, 2, 3, 4, 5};
            std::shuffle(q.begin(), q.end(), gen);
            q.resize(static_cast<std::size_t>(m));
            THUSTA D = THUSTA::Zero(1 << m, 1 << m);
            for (int j = 0; j < (1 << m); ++j) D(j, j) = std::polar(1.0, ud(gen));
            TOBVOD o(5);
            diagonalnyobvod(D, q, o);
            EXPECT_LT(test::maxodchylka(test::unitarobvodu(o.brany, 5), test::kronecker({{q, D}}, 5)), 1e-13);
            EXPECT_EQ(test::overbrany(o.brany, 5, 1e-14), (1 << m) - 2);
            EXPECT_EQ(o.pocetcnot, (1 << m) - 2);
        }
    // phases that repeat: nothing depends on the last qubit, so only the
    // diagonal of the first two costs CNOTs
    THUSTA D = THUSTA::Zero(8, 8);
    const std::complex<double> f[4] = {std::polar(1.0, 0.3), std::polar(1.0, -1.1), std::polar(1.0, 2.0),
                                       -1.0};
    for (int j = 0; j < 8; ++j) D(j, j) = f[j / 2];
    TOBVOD o(3);
    diagonalnyobvod(D, {3, 1, 2}, o);
    EXPECT_EQ(o.pocetcnot, 2);
    EXPECT_LT(test::maxodchylka(test::unitarobvodu(o.brany, 3), test::kronecker({{{3, 1, 2}, D}}, 3)), 1e-13);
    EXPECT_THROW(diagonalnyobvod(D, {1, 2}, o), ChybaBehu);
}

}  // namespace
}  // namespace qlc::synteza
