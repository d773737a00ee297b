#pragma once
// Matrices that users bring from circuits and algorithms, for the tests,
// the benchmarks and the measurement of the numerical search: GHZ
// preparation, Toffoli, CCZ, Grover diffusion, increment, QFT, and the
// unitaries of random circuits with a given number of CNOTs. Each is built
// entry by entry or by the dense product of husty.h, not by the library.
#include <cmath>
#include <complex>
#include <random>
#include <string>
#include <vector>

#include "husty.h"
#include "synthesis/obvod.h"

namespace qlc::test {

struct TUCEBNICOVA {
    std::string meno;
    int n = 0;
    THUSTA U;
    int najviac = 0;  // the count the search must reach at most
};

// H on qubit 1, then CNOT(1,2), CNOT(2,3), ..., CNOT(n-1,n): n - 1 CNOTs.
inline THUSTA ghz(int n) {
    synteza::TOBVOD o(n);
    Eigen::Matrix2cd h;
    h << 1, 1, 1, -1;
    o.jednoq(1, h / std::sqrt(2.0));
    for (int q = 1; q < n; ++q) o.cnot(q, q + 1);
    return unitarobvodu(o.brany, n);
}

// NOT on the last of n qubits when all the others are 1 (C3X on four).
inline THUSTA viacriadenyx(int n) {
    const int d = 1 << n;
    THUSTA U = THUSTA::Identity(d, d);
    U(d - 2, d - 2) = U(d - 1, d - 1) = 0;
    U(d - 2, d - 1) = U(d - 1, d - 2) = 1;
    return U;
}

inline THUSTA toffoli() { return viacriadenyx(3); }

// Qubits 2 and 3 exchanged when qubit 1 is 1 (Fredkin): |101> <-> |110>.
inline THUSTA fredkin() {
    THUSTA U = THUSTA::Identity(8, 8);
    U(5, 5) = U(6, 6) = 0;
    U(5, 6) = U(6, 5) = 1;
    return U;
}

inline THUSTA ccz() {
    THUSTA U = THUSTA::Identity(8, 8);
    U(7, 7) = -1;
    return U;
}

// 2|s><s| - I with |s> the uniform superposition of n qubits.
inline THUSTA grover(int n) {
    const int d = 1 << n;
    return THUSTA::Constant(d, d, 2.0 / d) - THUSTA::Identity(d, d);
}

// |x> -> |x + 1 mod 2^n>.
inline THUSTA inkrement(int n) {
    const int d = 1 << n;
    THUSTA U = THUSTA::Zero(d, d);
    for (int x = 0; x < d; ++x) U((x + 1) % d, x) = 1;
    return U;
}

// F(j, k) = e^{2 pi i j k / 2^n} / sqrt(2^n), the basis index as the integer.
inline THUSTA qft(int n) {
    const int d = 1 << n;
    THUSTA U(d, d);
    for (int j = 0; j < d; ++j)
        for (int k = 0; k < d; ++k) U(j, k) = std::polar(1.0 / std::sqrt(double(d)), 2 * M_PI * double(j * k % d) / d);
    return U;
}

// A one-qubit gate brana() on every qubit, then k times a CNOT on a random
// pair (random orientation) followed by gates brana() on both of its qubits.
template <class B>
THUSTA obvodzbran(int n, int k, std::mt19937& gen, B brana) {
    synteza::TOBVOD o(n);
    for (int q = 1; q <= n; ++q) o.jednoq(q, brana());
    std::uniform_int_distribution<int> qd(1, n);
    for (int i = 0; i < k; ++i) {
        const int a = qd(gen);
        int b = qd(gen);
        while (b == a) b = qd(gen);
        o.cnot(a, b);
        o.jednoq(a, brana());
        o.jednoq(b, brana());
    }
    return unitarobvodu(o.brany, n);
}

// Random circuits of k CNOTs with Haar-random one-qubit gates.
inline THUSTA nahodnyobvod(int n, int k, std::mt19937& gen) {
    return obvodzbran(n, k, gen, [&gen] { return haar(2, gen); });
}

// B Haar-random two-qubit gates on random pairs of n qubits, no pair twice
// in a row: a circuit written in general two-qubit gates, at most 3B CNOTs.
inline THUSTA dvojqubitove(int n, int B, std::mt19937& gen) {
    const int d = 1 << n;
    THUSTA U = THUSTA::Identity(d, d);
    std::uniform_int_distribution<int> qd(1, n);
    std::vector<int> pred;
    for (int i = 0; i < B; ++i) {
        std::vector<int> par;
        do {
            const int a = qd(gen), b = qd(gen);
            par = {std::min(a, b), std::max(a, b)};
        } while (par[0] == par[1] || par == pred);
        pred = par;
        const THUSTA G = haar(4, gen);
        U = kronecker({TCAST{par, G}}, n) * U;
    }
    return U;
}

// exp(-i t H) of the Heisenberg chain H = sum over neighbours (q, q+1) of
// XX + YY + ZZ on n qubits, exactly (by the eigenvectors of H), as a
// simulation of its dynamics asks for it.
inline THUSTA heisenberg(int n, double t) {
    const int d = 1 << n;
    Eigen::Matrix2cd p[3];
    p[0] << 0, 1, 1, 0;
    p[1] << 0, std::complex<double>(0, -1), std::complex<double>(0, 1), 0;
    p[2] << 1, 0, 0, -1;
    THUSTA H = THUSTA::Zero(d, d);
    for (int q = 1; q < n; ++q)
        for (const Eigen::Matrix2cd& s : p) H += kronecker({TCAST{{q}, s}, TCAST{{q + 1}, s}}, n);
    const Eigen::SelfAdjointEigenSolver<THUSTA> e(H);
    const Eigen::VectorXcd f = (std::complex<double>(0, -t) * e.eigenvalues().cast<std::complex<double>>()).array().exp();
    return e.eigenvectors() * f.asDiagonal() * e.eigenvectors().adjoint();
}

// The same with the one-qubit gates drawn from H, S, T and their products,
// as a circuit written by hand has them.
inline THUSTA nahodnycliffordt(int n, int k, std::mt19937& gen) {
    const double r = 1 / std::sqrt(2.0);
    Eigen::Matrix2cd h, s, t;
    h << r, r, r, -r;
    s << 1, 0, 0, std::complex<double>(0, 1);
    t << 1, 0, 0, std::polar(1.0, M_PI / 4);
    const Eigen::Matrix2cd i = Eigen::Matrix2cd::Identity();
    const std::vector<Eigen::Matrix2cd> g = {i, h, s, t, h * t, t * h, h * s, s * h, t.adjoint(), h * t.adjoint(),
                                             s * h * t};
    std::uniform_int_distribution<int> gd(0, static_cast<int>(g.size()) - 1);
    return obvodzbran(n, k, gen, [&] { return Eigen::Matrix2cd(g[static_cast<std::size_t>(gd(gen))]); });
}

// The same with one-qubit Clifford gates (products of H and S): the
// matrix of a stabilizer circuit, such as a code's encoder.
inline THUSTA nahodnyclifford(int n, int k, std::mt19937& gen) {
    const double r = 1 / std::sqrt(2.0);
    Eigen::Matrix2cd h, s;
    h << r, r, r, -r;
    s << 1, 0, 0, std::complex<double>(0, 1);
    const Eigen::Matrix2cd i = Eigen::Matrix2cd::Identity();
    const std::vector<Eigen::Matrix2cd> g = {i, h, s, h * s, s * h, h * s * h, s * s};
    std::uniform_int_distribution<int> gd(0, static_cast<int>(g.size()) - 1);
    return obvodzbran(n, k, gen, [&] { return Eigen::Matrix2cd(g[static_cast<std::size_t>(gd(gen))]); });
}

// The textbook cases with the counts the search must reach.
inline std::vector<TUCEBNICOVA> ucebnicove() {
    return {
        {"GHZ 3", 3, ghz(3), 2},           {"GHZ 4", 4, ghz(4), 3},           {"GHZ 5", 5, ghz(5), 4},
        {"Toffoli", 3, toffoli(), 6},      {"CCZ", 3, ccz(), 6},              {"Grover 3", 3, grover(3), 6},
        {"inkrement 8", 3, inkrement(3), 7}, {"QFT 3", 3, qft(3), 9},         {"QFT 4", 4, qft(4), 18},
        {"QFT 5", 5, qft(5), 26},           {"Fredkin", 3, fredkin(), 7},      {"C3X", 4, viacriadenyx(4), 14},
        {"inkrement 16", 4, inkrement(4), 14},
    };
}

}  // namespace qlc::test
