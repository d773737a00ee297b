// Two-qubit blocks: CNOT counts by class, exactness of every circuit by the
// dense product of the tests, the two-CNOT form up to a diagonal.
#include "synthesis/kak.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "husty.h"

namespace qlc::synteza {
namespace {

using test::THUSTA;
using TKOMP = std::complex<double>;

constexpr double PI = 3.14159265358979323846;
const TKOMP JI(0.0, 1.0);

// The circuit as gate records on qubits 1 (local 0) and 2 (local 1).
std::vector<TGATE1> zaznamy(const TDVOJQ& c) {
    TOBVOD o(2);
    for (int i = 0; i < c.pocet; ++i) {
        const TKROK& k = c.kroky[static_cast<std::size_t>(i)];
        if (k.kontrola >= 0)
            o.cnot(k.kontrola + 1, k.ciel + 1);
        else
            o.jednoq(k.ciel + 1, k.U);
    }
    return o.brany;
}

// The block's circuit rebuilt by the reference product; every gate checked.
double odchylka(const TDVOJQ& c, const TMAT4& U) {
    const std::vector<TGATE1> b = zaznamy(c);
    EXPECT_EQ(test::overbrany(b, 2, 1e-12), c.pocetcnot);
    return test::maxodchylka(test::unitarobvodu(b, 2), THUSTA(U));
}

TMAT2 pauli(int k) {
    TMAT2 p;
    if (k == 0) p << 0, 1, 1, 0;
    if (k == 1) p << 0, -JI, JI, 0;
    if (k == 2) p << 1, 0, 0, -1;
    return p;
}

TMAT4 kr(const TMAT2& A, const TMAT2& B) {
    TMAT4 K;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) K(i, j) = A(i / 2, j / 2) * B(i % 2, j % 2);
    return K;
}

// exp(i(a XX + b YY + c ZZ)) = prod (cos t I + i sin t PP), the three commute.
TMAT4 kanonicka(double a, double b, double c) {
    TMAT4 N = TMAT4::Identity();
    const double t[3] = {a, b, c};
    for (int k = 0; k < 3; ++k) {
        const TMAT4 PP = kr(pauli(k), pauli(k));
        N = N * (std::cos(t[k]) * TMAT4::Identity() + JI * std::sin(t[k]) * PP);
    }
    return N;
}

TMAT2 hadamard2() {
    TMAT2 h;
    h << 1, 1, 1, -1;
    return h / std::sqrt(2.0);
}

TMAT2 haar2(std::mt19937& g) { return test::haar(2, g); }
TMAT4 haar4(std::mt19937& g) { return test::haar(4, g); }
TMAT4 lokalna(std::mt19937& g) { return kr(haar2(g), haar2(g)); }

TMAT4 cnot01() {
    TMAT4 c = TMAT4::Zero();
    c(0, 0) = c(1, 1) = c(2, 3) = c(3, 2) = 1.0;
    return c;
}

TEST(Kak, HaarovskeBlokyTriCnotPresne) {
    std::mt19937 g(11);
    double naj = 0;
    for (int i = 0; i < 300; ++i) {
        const TMAT4 U = haar4(g);
        const TDVOJQ c = kak(U);
        EXPECT_EQ(c.pocetcnot, 3);
        naj = std::max(naj, odchylka(c, U));
    }
    EXPECT_LT(naj, 1e-13);
}

TEST(Kak, PocetCnotPodlaTriedy) {
    std::mt19937 g(5);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int i = 0; i < 40; ++i) {
        const TKOMP faza = std::polar(1.0, u(g));
        struct {
            TMAT4 U;
            int cnot;
        } pripady[] = {
            {faza * lokalna(g), 0},
            {lokalna(g) * cnot01() * lokalna(g), 1},
            {lokalna(g) * kanonicka(0, 0, PI / 4) * lokalna(g), 1},
            {lokalna(g) * kanonicka(-PI / 4, 0, 0) * lokalna(g), 1},
            {lokalna(g) * kanonicka(u(g), u(g), 0) * lokalna(g), 2},
            {lokalna(g) * kanonicka(0, u(g), u(g)) * lokalna(g), 2},
            {lokalna(g) * kanonicka(u(g), 0, u(g)) * lokalna(g), 2},
            {lokalna(g) * kanonicka(0, u(g), 0) * lokalna(g), 2},
            // a Cartan coordinate at pi/2 is a local factor
            {lokalna(g) * kanonicka(PI / 2, u(g), 0.3) * lokalna(g), 2},
            {faza * kanonicka(PI / 4, PI / 4, PI / 4), 3},  // SWAP up to phase
            {lokalna(g) * kanonicka(u(g), u(g), u(g)) * lokalna(g), 3},
        };
        for (const auto& p : pripady) {
            const TDVOJQ c = kak(p.U);
            EXPECT_EQ(c.pocetcnot, p.cnot) << i;
            EXPECT_LT(odchylka(c, p.U), 1e-12) << i << " " << p.cnot;
        }
    }
}

// Controlled unitaries (either qubit the control), a CNOT reversed, iSWAP
// and the diagonal blocks that the recursion meets.
TEST(Kak, RiadeneAOsobitneBloky) {
    std::mt19937 g(8);
    for (int i = 0; i < 30; ++i) {
        const TMAT2 V = haar2(g);
        TMAT4 cu = TMAT4::Identity();
        cu.bottomRightCorner(2, 2) = V;
        const TMAT4 swap = kanonicka(PI / 4, PI / 4, PI / 4) * std::polar(1.0, -PI / 4);
        const TMAT4 cu2 = swap * cu * swap;  // control on local qubit 1
        TMAT4 diag = TMAT4::Zero();
        for (int k = 0; k < 4; ++k) diag(k, k) = std::polar(1.0, 6.0 * std::uniform_real_distribution<double>()(g));
        for (const TMAT4& U : {cu, cu2, diag}) {
            const TDVOJQ c = kak(U);
            EXPECT_LE(c.pocetcnot, 2);
            EXPECT_LT(odchylka(c, U), 1e-12);
        }
        const TDVOJQ s = kak(swap);
        EXPECT_EQ(s.pocetcnot, 3);
        EXPECT_LT(odchylka(s, swap), 1e-12);
    }
    TMAT4 iswap = TMAT4::Zero();
    iswap(0, 0) = iswap(3, 3) = 1.0;
    iswap(1, 2) = iswap(2, 1) = JI;
    const TDVOJQ c = kak(iswap);
    EXPECT_EQ(c.pocetcnot, 2);
    EXPECT_LT(odchylka(c, iswap), 1e-12);
    const TMAT4 cnot10 = kr(hadamard2(), hadamard2()) * cnot01() * kr(hadamard2(), hadamard2());
    EXPECT_EQ(kak(cnot10).pocetcnot, 1);
    EXPECT_LT(odchylka(kak(cnot10), cnot10), 1e-12);
}

// A coordinate off 0 by rounding still saves the CNOT; off by 1e-6 it does
// not (the circuit would be wrong by that much). Identity, -identity and a
// block at rounding distance from the identity need none.
TEST(Kak, HraniceSkratky) {
    std::mt19937 g(3);
    const TMAT4 L = lokalna(g), R = lokalna(g);
    const TMAT4 blizko = L * kanonicka(0.4, -0.2, 3e-15) * R;
    EXPECT_EQ(kak(blizko).pocetcnot, 2);
    EXPECT_LT(odchylka(kak(blizko), blizko), 1e-12);
    const TMAT4 daleko = L * kanonicka(0.4, -0.2, 1e-6) * R;
    EXPECT_EQ(kak(daleko).pocetcnot, 3);
    EXPECT_LT(odchylka(kak(daleko), daleko), 1e-12);
    const TMAT4 skoro = L * kanonicka(PI / 4 - 2e-15, 1e-15, 0) * R;
    EXPECT_EQ(kak(skoro).pocetcnot, 1);
    EXPECT_LT(odchylka(kak(skoro), skoro), 1e-12);
    for (const TMAT4& U : {TMAT4(TMAT4::Identity()), TMAT4(-TMAT4::Identity()), TMAT4(JI * TMAT4::Identity())}) {
        EXPECT_EQ(kak(U).pocetcnot, 0);
        EXPECT_LT(odchylka(kak(U), U), 1e-14);
    }
    // I + 1e-9 H made unitary: three tiny coordinates, three CNOTs, exact
    const TMAT4 H = haar4(g) + haar4(g).adjoint();
    const Eigen::JacobiSVD<TMAT4> svd(TMAT4(TMAT4::Identity() + 1e-9 * H), Eigen::ComputeFullU | Eigen::ComputeFullV);
    const TMAT4 N = svd.matrixU() * svd.matrixV().adjoint();
    EXPECT_LT(odchylka(kak(N), N), 1e-13);
}

TEST(Kak, KartanoveSuradnice) {
    std::mt19937 g(4);
    const Eigen::Vector3d c = kartankoord(lokalna(g) * cnot01() * lokalna(g));
    Eigen::Vector3d a = c.cwiseAbs();
    std::sort(a.data(), a.data() + 3);
    EXPECT_NEAR(a(0), 0.0, 1e-13);
    EXPECT_NEAR(a(1), 0.0, 1e-13);
    EXPECT_NEAR(a(2), PI / 4, 1e-13);
    const Eigen::Vector3d v = kartankoord(lokalna(g) * kanonicka(0.3, -0.1, 0.2) * lokalna(g));
    Eigen::Vector3d b = v.cwiseAbs();
    std::sort(b.data(), b.data() + 3);
    EXPECT_NEAR(b(0), 0.1, 1e-12);
    EXPECT_NEAR(b(1), 0.2, 1e-12);
    EXPECT_NEAR(b(2), 0.3, 1e-12);
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(v(i), -PI / 4);
        EXPECT_LE(v(i), PI / 4 + 1e-12);
    }
}

TEST(Kak, DvaCnotAzNaDiagonalu) {
    std::mt19937 g(21);
    for (int i = 0; i < 200; ++i) {
        const TMAT4 U = haar4(g);
        TVEKTOR4 delta;
        const TDVOJQ c = kakdiag(U, delta);
        EXPECT_LE(c.pocetcnot, 2);
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(std::abs(delta(k)), 1.0, 1e-14);
        const std::vector<TGATE1> b = zaznamy(c);
        EXPECT_EQ(test::overbrany(b, 2, 1e-12), c.pocetcnot);
        const THUSTA K = test::unitarobvodu(b, 2);
        EXPECT_LT(test::maxodchylka(delta.asDiagonal() * K, THUSTA(U)), 1e-12) << i;
    }
    // blocks whose Cartan coordinates are all tiny (near a Kronecker
    // product): psi comes from the coordinates, so two CNOTs still do
    for (double e : {1e-3, 1e-6, 1e-9}) {
        const TMAT4 N = lokalna(g) * kanonicka(0.7 * e, -0.4 * e, 0.9 * e) * lokalna(g);
        EXPECT_EQ(kak(N).pocetcnot, 3) << e;
        TVEKTOR4 dn;
        const TDVOJQ c = kakdiag(N, dn);
        EXPECT_EQ(c.pocetcnot, 2) << e;
        const THUSTA K = test::unitarobvodu(zaznamy(c), 2);
        EXPECT_LT(test::maxodchylka(dn.asDiagonal() * K, THUSTA(N)), 1e-12) << e;
    }
    // a block that needs two CNOTs keeps delta = 1
    const TMAT4 U = lokalna(g) * kanonicka(0.2, 0.5, 0) * lokalna(g);
    TVEKTOR4 delta;
    const TDVOJQ c = kakdiag(U, delta);
    EXPECT_EQ(c.pocetcnot, 2);
    EXPECT_LT((delta - TVEKTOR4::Ones()).cwiseAbs().maxCoeff(), 1e-15);
    EXPECT_LT(odchylka(c, U), 1e-12);
}

TEST(Kak, KroneckerovRozklad) {
    std::mt19937 g(9);
    for (int i = 0; i < 20; ++i) {
        const TMAT2 A = haar2(g), B = haar2(g);
        TMAT2 a, b;
        const TMAT4 K = kr(A, B);
        EXPECT_LT(rozlozkron(K, a, b), 1e-14);
        EXPECT_LT((kr(a, b) - K).cwiseAbs().maxCoeff(), 1e-14);
        EXPECT_LT((a.adjoint() * a - TMAT2::Identity()).cwiseAbs().maxCoeff(), 1e-14);
        EXPECT_LT((b.adjoint() * b - TMAT2::Identity()).cwiseAbs().maxCoeff(), 1e-14);
        // not a product: the remainder says so
        EXPECT_GT(rozlozkron(cnot01(), a, b), 0.1);
    }
}

}  // namespace
}  // namespace qlc::synteza
