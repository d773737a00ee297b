// The block-ZXZ recursion: CNOT counts on Haar-random unitaries against the
// published counts, exactness (by the dense product of the tests) on the
// inputs that break careless decompositions, multiplexors and controlled
// unitaries split on their own qubit, qubits in any order, refused input.
#include "synthesis/zxz.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <string>

#include "core/chyby.h"
#include "husty.h"

namespace qlc::synteza {
namespace {

using test::TCAST;
using test::THUSTA;
using TKOMP = std::complex<double>;

constexpr double PI = 3.14159265358979323846;
const TKOMP JI(0.0, 1.0);

// Block-ZXZ counts with both diagonal merges: 3, 19, 95, 423.
int hranica(int k) {
    static const int h[] = {0, 0, 3, 19, 95, 423};
    return h[k];
}

// U on all n qubits in order; every gate checked; returns the CNOT count
// and stores the largest deviation of the rebuilt circuit.
int synteza(const THUSTA& U, int n, double& odch) {
    std::vector<int> q(static_cast<std::size_t>(n));
    std::iota(q.begin(), q.end(), 1);
    TOBVOD o(n);
    EXPECT_NO_THROW(syntetizujvseob(U, q, o));
    EXPECT_EQ(test::overbrany(o.brany, n, 1e-12), o.pocetcnot);
    odch = test::maxodchylka(test::unitarobvodu(o.brany, n), U);
    return o.pocetcnot;
}

THUSTA hadamard() {
    THUSTA h(2, 2);
    h << 1, 1, 1, -1;
    return h / std::sqrt(2.0);
}

THUSTA polarna(const THUSTA& A) {
    const Eigen::JacobiSVD<THUSTA> svd(A, Eigen::ComputeFullU | Eigen::ComputeFullV);
    return svd.matrixU() * svd.matrixV().adjoint();
}

THUSTA qft(int n, double faza) {
    const int d = 1 << n;
    THUSTA F(d, d);
    for (int i = 0; i < d; ++i)
        for (int j = 0; j < d; ++j) F(i, j) = std::polar(1.0 / std::sqrt(double(d)), 2 * PI * i * j / d + faza);
    return F;
}

// V diag(l) V^dagger for a Haar V.
THUSTA spektrum(const std::vector<TKOMP>& l, std::mt19937& g) {
    const int d = static_cast<int>(l.size());
    const THUSTA V = test::haar(d, g);
    Eigen::VectorXcd v(d);
    for (int i = 0; i < d; ++i) v(i) = l[static_cast<std::size_t>(i)];
    return V * v.asDiagonal() * V.adjoint();
}

// U0 (+) U1 (+) ... on the qubit at position j of n: the blocks selected by
// that qubit, each acting on the others.
THUSTA multiplexor(const std::vector<THUSTA>& bloky, int j, int n) {
    const int d = 1 << n;
    THUSTA M = THUSTA::Zero(d, d);
    auto bez = [&](int x) {
        const int nizke = x & ((1 << (n - 1 - j)) - 1);
        return ((x >> (n - j)) << (n - 1 - j)) | nizke;
    };
    for (int r = 0; r < d; ++r)
        for (int c = 0; c < d; ++c) {
            const int br = (r >> (n - 1 - j)) & 1, bc = (c >> (n - 1 - j)) & 1;
            if (br == bc) M(r, c) = bloky[static_cast<std::size_t>(br)](bez(r), bez(c));
        }
    return M;
}

TEST(Zxz, HaarovskeUnitarnePocetCnotAPresnost) {
    std::mt19937 g(2024);
    const int pocet[] = {0, 0, 100, 40, 12, 4};
    for (int k = 2; k <= 5; ++k) {
        int najviac = 0;
        double naj = 0;
        for (int i = 0; i < pocet[k]; ++i) {
            double o = 0;
            najviac = std::max(najviac, synteza(test::haar(1 << k, g), k, o));
            naj = std::max(naj, o);
        }
        EXPECT_EQ(najviac, hranica(k)) << k;
        EXPECT_LT(naj, 1e-12) << k;
    }
}

TEST(Zxz, JedenQubit) {
    std::mt19937 g(1);
    for (int i = 0; i < 10; ++i) {
        const THUSTA U = test::haar(2, g);
        TOBVOD o(3);
        syntetizujvseob(U, {2}, o);
        ASSERT_EQ(o.brany.size(), 1u);
        EXPECT_EQ(o.brany[0].ciel, 2);
        EXPECT_LT(test::maxodchylka(test::matica2(o.brany[0]), U), 1e-12);
    }
}

// Degenerate spectra, rank-one reflections, phases, permutations: inputs
// whose eigenvectors or cosine-sine halves are not unique.
TEST(Zxz, Nastrahy) {
    std::mt19937 g(7);
    std::uniform_real_distribution<double> u(-PI, PI);
    for (int k = 2; k <= 5; ++k) {
        const int d = 1 << k;
        std::vector<std::pair<std::string, THUSTA>> m;
        m.push_back({"qft", qft(k, u(g))});
        std::vector<TKOMP> pm(static_cast<std::size_t>(d), 1.0);
        for (int i = 0; i < d / 2; ++i) pm[static_cast<std::size_t>(i)] = -1.0;
        m.push_back({"hermitovska +-1", spektrum(pm, g)});
        Eigen::VectorXcd v = test::haar(d, g).col(0);
        m.push_back({"odraz", THUSTA(THUSTA::Identity(d, d) - 2.0 * v * v.adjoint())});
        std::vector<TKOMP> jedna(static_cast<std::size_t>(d), std::polar(1.0, 0.7));
        jedna[0] = std::polar(1.0, -2.1);
        m.push_back({"jedna vlastna hodnota inde", spektrum(jedna, g)});
        m.push_back({"jednotkova", THUSTA::Identity(d, d)});
        m.push_back({"-jednotkova", THUSTA(-THUSTA::Identity(d, d))});
        const THUSTA H = test::haar(d, g) + test::haar(d, g).adjoint();
        m.push_back({"skoro jednotkova", polarna(THUSTA::Identity(d, d) + 1e-9 * H)});
        std::vector<int> p(static_cast<std::size_t>(d));
        std::iota(p.begin(), p.end(), 0);
        std::shuffle(p.begin(), p.end(), g);
        THUSTA P = THUSTA::Zero(d, d);
        for (int i = 0; i < d; ++i) P(p[static_cast<std::size_t>(i)], i) = std::polar(1.0, u(g));
        m.push_back({"permutacia s fazami", P});
        THUSTA Pc = THUSTA::Zero(d, d);
        for (int i = 0; i < d; ++i) Pc(p[static_cast<std::size_t>(i)], i) = 1.0;
        m.push_back({"permutacia", Pc});
        // GHZ preparation: H on qubit 1, then CNOTs 1 -> 2 -> ... -> k
        std::vector<TGATE1> ghz;
        {
            TOBVOD o(k);
            o.jednoq(1, hadamard());
            for (int q = 1; q < k; ++q) o.cnot(q, q + 1);
            ghz = o.brany;
        }
        m.push_back({"GHZ", test::unitarobvodu(ghz, k)});
        // NOT on qubit 1, CNOT 1 -> k, both as whole matrices
        THUSTA x(2, 2);
        x << 0, 1, 1, 0;
        m.push_back({"NOT", test::kronecker({TCAST{{1}, x}}, k)});
        {
            TOBVOD o(k);
            o.cnot(1, k);
            m.push_back({"CNOT", test::unitarobvodu(o.brany, k)});
        }
        for (const auto& [meno, U] : m) {
            double o = 0;
            const int c = synteza(U, k, o);
            EXPECT_LE(c, hranica(k)) << meno << " " << k;
            EXPECT_LT(o, 1e-12) << meno << " " << k;
        }
    }
}

// A multiplexor on any qubit, a controlled unitary I (+) V, a Kronecker
// product I (x) V: the split goes to that qubit and costs less than a
// generic unitary.
TEST(Zxz, MultiplexoryARiadeneUnitarne) {
    std::mt19937 g(13);
    for (int k = 3; k <= 5; ++k) {
        const int m = 1 << (k - 1);
        // on five qubits the first, a middle and the last qubit
        for (int j = 0; j < k; j += k == 5 ? 2 : 1) {
            const THUSTA V0 = test::haar(m, g), V1 = test::haar(m, g);
            const THUSTA I = THUSTA::Identity(m, m);
            const std::pair<const char*, THUSTA> pripady[] = {
                {"multiplexor", multiplexor({V0, V1}, j, k)},
                {"riadena", multiplexor({I, V1}, j, k)},
                {"antiriadena", multiplexor({V0, I}, j, k)},
                {"bez qubitu", multiplexor({V0, V0}, j, k)},
            };
            for (const auto& [meno, U] : pripady) {
                double o = 0;
                const int c = synteza(U, k, o);
                // two blocks on k - 1 qubits and one ladder
                EXPECT_LE(c, 2 * hranica(k - 1) + m) << meno << " k=" << k << " j=" << j;
                EXPECT_LT(c, hranica(k)) << meno;
                EXPECT_LT(o, 1e-12) << meno << " k=" << k << " j=" << j;
            }
            // times a NOT on that qubit
            THUSTA x(2, 2);
            x << 0, 1, 1, 0;
            const THUSTA X = test::kronecker({TCAST{{j + 1}, x}}, k);
            double o = 0;
            EXPECT_LT(synteza(X * multiplexor({V0, V1}, j, k), k, o), hranica(k));
            EXPECT_LT(o, 1e-12);
        }
    }
}

// qubity in any order inside a larger circuit: the matrix acts on
// qubity[0] as its most significant bit.
TEST(Zxz, QubityVLubovolnomPoradi) {
    std::mt19937 g(17);
    const std::vector<std::vector<int>> poradia = {{3, 1, 2}, {4, 2}, {2, 4, 1, 3}, {5, 1, 4}, {3, 5, 1, 2, 4}};
    for (const std::vector<int>& q : poradia) {
        const int n = *std::max_element(q.begin(), q.end());
        const int k = static_cast<int>(q.size());
        const THUSTA U = test::haar(1 << k, g);
        TOBVOD o(n);
        syntetizujvseob(U, q, o);
        EXPECT_LE(o.pocetcnot, hranica(k));
        EXPECT_EQ(test::overbrany(o.brany, n, 1e-12), o.pocetcnot);
        const THUSTA ocakavana = test::kronecker({TCAST{q, U}}, n);
        EXPECT_LT(test::maxodchylka(test::unitarobvodu(o.brany, n), ocakavana), 1e-12);
        for (const TGATE1& b : o.brany) {
            EXPECT_NE(std::find(q.begin(), q.end(), b.ciel), q.end());
            if (b.pocetk == 1) {
                EXPECT_NE(std::find(q.begin(), q.end(), b.kontroly[1]), q.end());
            }
        }
    }
    // appends after gates already there
    TOBVOD o(3);
    o.cnot(1, 2);
    const THUSTA U = test::haar(8, g);
    syntetizujvseob(U, {1, 2, 3}, o);
    TOBVOD c(3);
    c.cnot(1, 2);
    EXPECT_LT(test::maxodchylka(test::unitarobvodu(o.brany, 3), U * test::unitarobvodu(c.brany, 3)), 1e-12);
}

TEST(Zxz, OdmietnutyVstup) {
    TOBVOD o(4);
    const THUSTA U8 = THUSTA::Identity(8, 8);
    EXPECT_THROW(syntetizujvseob(U8, {1, 2}, o), ChybaBehu);
    EXPECT_THROW(syntetizujvseob(U8, {1, 2, 2}, o), ChybaBehu);
    EXPECT_THROW(syntetizujvseob(U8, {1, 2, 5}, o), ChybaBehu);
    EXPECT_THROW(syntetizujvseob(U8, {0, 1, 2}, o), ChybaBehu);
    EXPECT_THROW(syntetizujvseob(THUSTA::Identity(1, 1), {}, o), ChybaBehu);
    EXPECT_THROW(syntetizujvseob(THUSTA::Identity(64, 64), {1, 2, 3, 4, 5, 6}, o), ChybaBehu);
    THUSTA N = U8;
    N(3, 4) = std::nan("");
    EXPECT_THROW(syntetizujvseob(N, {1, 2, 3}, o), ChybaBehu);
    EXPECT_TRUE(o.brany.empty());
}

}  // namespace
}  // namespace qlc::synteza
