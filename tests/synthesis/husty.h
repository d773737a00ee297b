#pragma once
// Dense reference for the synthesis tests: the unitary of a gate list built
// entry by entry from the gate records, independent of the library's
// products. Gate 0 acts first; qubit 1 is the most significant bit of the
// basis state's index.
#include <Eigen/Dense>
#include <complex>
#include <random>
#include <vector>

#include "core/brany.h"
#include "core/matica.h"

namespace qlc::test {

using THUSTA = Eigen::MatrixXcd;

// Sanitizer builds run the heavy cases smaller or not at all.
#ifdef QLC_SANITIZE
inline constexpr bool SANITIZER = true;
#else
inline constexpr bool SANITIZER = false;
#endif

inline std::complex<double> zkomplex(const TKOMPLEX& z) { return {z.re, z.im}; }

inline Eigen::Matrix2cd matica2(const TGATE1& g) {
    Eigen::Matrix2cd m;
    m << zkomplex(g.U.u11()), zkomplex(g.U.u12()), zkomplex(g.U.u21()), zkomplex(g.U.u22());
    return m;
}

// M := G . M for one gate on n qubits (controls must all be 1).
inline void aplikuj(const TGATE1& g, int n, THUSTA& M) {
    const int d = 1 << n;
    const Eigen::Matrix2cd u = matica2(g);
    const int bt = n - g.ciel;
    int maska = 0;
    for (int c = 1; c <= g.pocetk; ++c) maska |= 1 << (n - g.kontroly[c]);
    for (int x = 0; x < d; ++x) {
        if ((x >> bt) & 1) continue;
        if ((x & maska) != maska) continue;
        const int y = x | (1 << bt);
        for (int j = 0; j < d; ++j) {
            const std::complex<double> a = M(x, j), b = M(y, j);
            M(x, j) = u(0, 0) * a + u(0, 1) * b;
            M(y, j) = u(1, 0) * a + u(1, 1) * b;
        }
    }
}

inline THUSTA unitarobvodu(const std::vector<TGATE1>& brany, int n) {
    THUSTA M = THUSTA::Identity(1 << n, 1 << n);
    for (const TGATE1& g : brany) aplikuj(g, n, M);
    return M;
}

// Largest modulus of an entry of A - B.
inline double maxodchylka(const THUSTA& A, const THUSTA& B) { return (A - B).cwiseAbs().maxCoeff(); }

// Every one-qubit gate is unitary within tol, every CNOT a proper record;
// returns the number of CNOTs (or -1 for a malformed gate).
inline int overbrany(const std::vector<TGATE1>& brany, int n, double tol) {
    int cnot = 0;
    for (const TGATE1& g : brany) {
        if (g.ciel < 1 || g.ciel > n || g.vyradena) return -1;
        const Eigen::Matrix2cd u = matica2(g);
        if (g.pocetk == 1) {
            if (g.kontroly[1] < 1 || g.kontroly[1] > n || g.kontroly[1] == g.ciel) return -1;
            if (std::abs(u(0, 1) - 1.0) > 0 || std::abs(u(1, 0) - 1.0) > 0 || std::abs(u(0, 0)) > 0 ||
                std::abs(u(1, 1)) > 0)
                return -1;
            ++cnot;
        } else if (g.pocetk == 0) {
            if ((u.adjoint() * u - Eigen::Matrix2cd::Identity()).cwiseAbs().maxCoeff() > tol) return -1;
        } else {
            return -1;
        }
    }
    return cnot;
}

// Haar-random unitary: QR of a complex Gaussian matrix with the phases of
// R's diagonal moved into Q.
inline THUSTA haar(int d, std::mt19937& gen) {
    std::normal_distribution<double> nd;
    THUSTA Z(d, d);
    for (int i = 0; i < d; ++i)
        for (int j = 0; j < d; ++j) Z(i, j) = {nd(gen), nd(gen)};
    Eigen::HouseholderQR<THUSTA> qr(Z);
    THUSTA Q = qr.householderQ();
    const THUSTA R = qr.matrixQR();
    for (int j = 0; j < d; ++j) {
        const double a = std::abs(R(j, j));
        if (a > 0) Q.col(j) *= R(j, j) / a;
    }
    return Q;
}

// Bits of x on the qubits q (q[0] the most significant bit of the result).
inline int bity(int x, const std::vector<int>& q, int n) {
    int s = 0;
    for (int k : q) s = 2 * s + ((x >> (n - k)) & 1);
    return s;
}

// Kronecker product of factors on disjoint sets of qubits of an n-qubit
// register, entry by entry: M(x, y) = prod_f U_f(x on q_f, y on q_f), the
// entry of the identity on qubits no factor names.
struct TCAST {
    std::vector<int> qubity;
    THUSTA U;
};
inline THUSTA kronecker(const std::vector<TCAST>& faktory, int n) {
    const int d = 1 << n;
    int pokryte = 0;
    for (const TCAST& f : faktory)
        for (int q : f.qubity) pokryte |= 1 << (n - q);
    THUSTA M(d, d);
    for (int x = 0; x < d; ++x)
        for (int y = 0; y < d; ++y) {
            std::complex<double> v = ((x ^ y) & ~pokryte) ? 0.0 : 1.0;
            for (const TCAST& f : faktory) v *= f.U(bity(x, f.qubity, n), bity(y, f.qubity, n));
            M(x, y) = v;
        }
    return M;
}

// The matrix as the program holds it, and back: parts of magnitude at most
// 1e-12 become 0 on the way in.
inline TMATICA1 natmatica(const THUSTA& A) {
    TMATICA1 M;
    for (int i = 0; i < A.rows(); ++i)
        for (int j = 0; j < A.cols(); ++j) M(i + 1, j + 1) = TKOMPLEX(A(i, j).real(), A(i, j).imag());
    return M;
}

inline THUSTA zmatice(const TMATICA1& M, int d) {
    THUSTA A(d, d);
    for (int i = 0; i < d; ++i)
        for (int j = 0; j < d; ++j) A(i, j) = zkomplex(M(i + 1, j + 1));
    return A;
}

}  // namespace qlc::test
