#include "kak.h"

#include <Eigen/Eigenvalues>
#include <cmath>
#include <complex>
#include <string>

#include "core/chyby.h"
#include "prahy.h"

namespace qlc::synteza {

namespace {

using TKOMP = std::complex<double>;
using TREAL4 = Eigen::Matrix4d;

constexpr double PI = 3.14159265358979323846;
const TKOMP JEDNOTKAI(0.0, 1.0);

// The magic basis: its columns are Bell states with phases chosen so that
// M^dagger (A (x) B) M is real orthogonal for A, B in SU(2), and every
// exp(i(a XX + b YY + c ZZ)) is diagonal in it. Column k is an eigenvector
// of XX, YY, ZZ with the signs
//   k = 0: (+, -, +),  1: (+, +, -),  2: (-, -, -),  3: (-, +, +).
TMAT4 magicka() {
    const double r = std::sqrt(0.5);
    const TKOMP i = JEDNOTKAI * r;
    TMAT4 M;
    M << r, 0, 0, i,  //
        0, i, r, 0,   //
        0, i, -r, 0,  //
        r, 0, 0, -i;
    return M;
}

const TMAT4& mb() {
    static const TMAT4 m = magicka();
    return m;
}

TMAT4 kron(const TMAT2& A, const TMAT2& B) {
    TMAT4 K;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            for (int k = 0; k < 2; ++k)
                for (int l = 0; l < 2; ++l) K(2 * i + k, 2 * j + l) = A(i, j) * B(k, l);
    return K;
}

TMAT2 hadamard() {
    const double r = std::sqrt(0.5);
    TMAT2 h;
    h << r, r, r, -r;
    return h;
}

// Rx(t) = exp(-i t X / 2).
TMAT2 rx(double t) {
    const double c = std::cos(t / 2), s = std::sin(t / 2);
    TMAT2 m;
    m << c, -JEDNOTKAI * s, -JEDNOTKAI * s, c;
    return m;
}

// S^dagger = diag(1, -i).
TMAT2 sdag() {
    TMAT2 m = TMAT2::Zero();
    m(0, 0) = 1.0;
    m(1, 1) = -JEDNOTKAI;
    return m;
}

// M / sqrt(det M) made exactly special unitary: [[p, -q*], [q, p*]] with
// p, q the averages of the entries that should agree.
TMAT2 su2(const TMAT2& M) {
    const TKOMP det = M.determinant();
    if (std::abs(det) == 0.0) return TMAT2::Identity();
    const TMAT2 V = M / std::sqrt(det);
    TKOMP p = 0.5 * (V(0, 0) + std::conj(V(1, 1)));
    TKOMP q = 0.5 * (V(1, 0) - std::conj(V(0, 1)));
    const double n = std::sqrt(std::norm(p) + std::norm(q));
    if (n == 0.0) return TMAT2::Identity();
    p /= n;
    q /= n;
    TMAT2 R;
    R << p, -std::conj(q), q, std::conj(p);
    return R;
}

// Real orthogonal P, det P = +1, with P^T M2 P diagonal, for a complex
// symmetric unitary M2. Its real and imaginary parts are commuting real
// symmetric matrices (M2 M2^dagger = I with M2 = M2^T gives Re Im = Im Re),
// so the eigenvectors of Re + r Im diagonalise both unless r makes two
// different eigenvalues e^{i alpha}, e^{i beta} of M2 meet (cos alpha +
// r sin alpha = cos beta + r sin beta); a few fixed r are tried and the one
// with the smallest off-diagonal remainder is kept. Within a cluster of
// close eigenvalues the vectors may mix, but only by as much as the
// eigenvalues differ, so the remainder stays at rounding.
TREAL4 diagonalizuj(const TMAT4& M2) {
    static constexpr double SKLON[] = {0.0,  0.6180339887498949, -1.4142135623730951, 2.718281828459045,
                                       -0.3819660112501051, 1.7320508075688772, -3.141592653589793,
                                       0.5772156649015329};
    const TREAL4 re = M2.real(), im = M2.imag();
    TREAL4 najlepsia = TREAL4::Identity();
    double najmensi = -1.0;
    for (double r : SKLON) {
        TREAL4 S = re + r * im;
        S = 0.5 * (S + S.transpose()).eval();
        Eigen::SelfAdjointEigenSolver<TREAL4> es(S);
        const TREAL4 P = es.eigenvectors();
        const TMAT4 Pc = P.cast<TKOMP>();
        TMAT4 D = Pc.transpose() * M2 * Pc;
        D.diagonal().setZero();
        const double zvysok = D.cwiseAbs().maxCoeff();
        if (najmensi < 0 || zvysok < najmensi) {
            najmensi = zvysok;
            najlepsia = P;
        }
        if (najmensi <= ZAOKRUHLENIE) break;
    }
    if (najlepsia.determinant() < 0) najlepsia.col(0) *= -1.0;
    return najlepsia;
}

// x - k pi/2 in (-pi/4 + KAK_NULA, pi/4 + KAK_NULA]: a coordinate within
// KAK_NULA below -pi/4 is taken as pi/4 (they differ by a local factor).
double redukuj(double x) {
    const double k = std::ceil((x - PI / 4 - KAK_NULA) / (PI / 2));
    return x - k * (PI / 2);
}

// The magic-basis form U_B = M^dagger U M = O1 D P^T with O1, P real
// orthogonal of determinant 1 and D diagonal: U_B^T U_B = P D^2 P^T, D the
// square roots of its eigenvalues with the sign of one fixed so that
// O1 = U_B P D^{-1} has determinant +1. Then U = K1 (M D M^dagger) K2 with
// the local K1 = M O1 M^dagger, K2 = M P^T M^dagger, and by the signs of the
// magic columns the phases t_k = arg d_k are
//   t0 = f + a - b + c, t1 = f + a + b - c, t2 = f - a - b - c, t3 = f - a + b + c.
struct TKARTAN {
    TREAL4 P;
    TMAT4 O1;
    Eigen::Vector3d surove;  // (a, b, c) before the reduction
    Eigen::Vector3d abc;
};

TKARTAN kartan(const TMAT4& U) {
    const TMAT4 UB = mb().adjoint() * U * mb();
    const TMAT4 M2 = UB.transpose() * UB;
    TKARTAN k;
    k.P = diagonalizuj(M2);
    const TMAT4 Pc = k.P.cast<TKOMP>();
    const TVEKTOR4 lam = (Pc.transpose() * M2 * Pc).diagonal();
    TVEKTOR4 d;
    for (int i = 0; i < 4; ++i) d(i) = std::polar(1.0, std::arg(lam(i)) / 2);
    k.O1 = UB * Pc * d.cwiseInverse().asDiagonal();
    if (k.O1.determinant().real() < 0) {
        d(0) = -d(0);
        k.O1.col(0) *= -1.0;
    }
    double t[4];
    for (int i = 0; i < 4; ++i) t[i] = std::arg(d(i));
    k.surove(0) = (t[0] + t[1] - t[2] - t[3]) / 4;
    k.surove(1) = (-t[0] + t[1] - t[2] + t[3]) / 4;
    k.surove(2) = (t[0] - t[1] - t[2] + t[3]) / 4;
    for (int i = 0; i < 3; ++i) k.abc(i) = redukuj(k.surove(i));
    return k;
}

// The CNOT core of N(a, b, c) = exp(i(a XX + b YY + c ZZ)): a circuit C and
// local La, Lb with C = L N(a, b, c) (La (x) Lb) for some local L (which the
// caller recovers from U itself). With skratka, coordinates within KAK_NULA
// of 0 or pi/4 count as such and the core has fewer CNOTs.
//
// Three CNOTs, with Q = CNOT(1 -> 0), X = CNOT(0 -> 1):
//   C = Q (Rz(t1) (x) Ry(t2)) X (I (x) Ry(t3)) Q
//     = exp(-i/2 (t1 ZZ + t2 XY + t3 YX)) SWAP,
// since X Ry_1(t3) = exp(-i t3/2 Z Y) X, Q X Q = SWAP and conjugation by Q
// takes ZI, IY, ZY to ZZ, XY, YX. With S X S^dagger = Y on qubit 1 and
// SWAP = e^{-i pi/4} exp(i pi/4 (XX + YY + ZZ)):
//   C = e^{-i pi/4} (I (x) S) N(pi/4 - t2/2, pi/4 + t3/2, pi/4 - t1/2) (S^dagger (x) I).
// Two CNOTs: X (Rx(-2a) (x) Rz(-2c)) X = N(a, 0, c) (conjugation by X takes
// XI to XX and IZ to ZZ); the other vanishing coordinate is moved into the
// YY slot by G (x) G, G = Rx(pi/2) (Z to Y) or Rz(pi/2) (X to Y).
// One CNOT: (I (x) H) X (I (x) H) = CZ = e^{-i pi/4} (S (x) S) N(0, 0, pi/4),
// with H (x) H or Rx(pi/2) (x) Rx(pi/2) bringing pi/4 from XX or YY to ZZ.
TDVOJQ jadro(const Eigen::Vector3d& abc, bool skratka, TMAT2& La, TMAT2& Lb) {
    TDVOJQ c;
    La = TMAT2::Identity();
    Lb = TMAT2::Identity();
    const double a = abc(0), b = abc(1), cc = abc(2);
    int nenulove = 0;
    bool nula[3];
    for (int i = 0; i < 3; ++i) {
        nula[i] = std::fabs(abc(i)) <= KAK_NULA;
        if (!nula[i]) ++nenulove;
    }
    if (!skratka || nenulove == 3) {
        const double t1 = PI / 2 - 2 * cc, t2 = PI / 2 - 2 * a, t3 = 2 * b - PI / 2;
        c.cnot(1, 0);
        c.jednoq(1, ry(t3));
        c.cnot(0, 1);
        c.jednoq(0, rz(t1));
        c.jednoq(1, ry(t2));
        c.cnot(1, 0);
        La = sdag();
        return c;
    }
    if (nenulove == 0) return c;
    if (nenulove == 1) {
        int i = 0;
        while (nula[i]) ++i;
        if (std::fabs(abc(i) - PI / 4) <= KAK_NULA) {
            const TMAT2 h = hadamard();
            c.jednoq(1, h);
            c.cnot(0, 1);
            c.jednoq(1, h);
            if (i == 0) La = Lb = hadamard();
            if (i == 1) La = Lb = rx(PI / 2);
            return c;
        }
    }
    // two CNOTs: the slots (p, q) go to XX and ZZ
    double p = a, q = cc;
    if (!nula[1]) {
        if (nula[2]) {
            q = b;
            La = Lb = rx(PI / 2);
        } else {
            p = b;
            La = Lb = rz(PI / 2);
        }
    }
    c.cnot(0, 1);
    c.jednoq(0, rx(-2 * p));
    c.jednoq(1, rz(-2 * q));
    c.cnot(0, 1);
    return c;
}

// U = K1 C F as a circuit: F = (La^dagger A2) (x) (Lb^dagger B2) from
// K2 = A2 (x) B2, the core C, and the local remainder K1 = U F^dagger
// C^dagger split into A1 (x) B1; zvysok is how far K1 is from that product.
TDVOJQ zostav(const TMAT4& U, const TKARTAN& k, bool skratka, double& zvysok) {
    TMAT2 La, Lb;
    const TDVOJQ c = jadro(k.abc, skratka, La, Lb);
    const TMAT4 K2 = mb() * k.P.transpose().cast<TKOMP>() * mb().adjoint();
    TMAT2 A2, B2;
    rozlozkron(K2, A2, B2);
    const TMAT2 Fa = La.adjoint() * A2, Fb = Lb.adjoint() * B2;
    const TMAT4 K1 = U * kron(Fa, Fb).adjoint() * c.matica().adjoint();
    TMAT2 A1, B1;
    zvysok = rozlozkron(K1, A1, B1);
    TDVOJQ v;
    v.jednoq(0, Fa);
    v.jednoq(1, Fb);
    for (int i = 0; i < c.pocet; ++i) {
        const TKROK& s = c.kroky[static_cast<std::size_t>(i)];
        if (s.kontrola >= 0)
            v.cnot(s.kontrola, s.ciel);
        else
            v.jednoq(s.ciel, s.U);
    }
    v.jednoq(0, A1);
    v.jednoq(1, B1);
    return v;
}

}  // namespace

void TDVOJQ::jednoq(int ciel, const TMAT2& U) {
    if (ciel < 0 || ciel > 1) zlyindex(ciel, 0, 1);
    if (pocet >= MAXKROKOV) zlyindex(pocet, 0, MAXKROKOV - 1);
    TKROK& k = kroky[static_cast<std::size_t>(pocet++)];
    k.ciel = ciel;
    k.kontrola = -1;
    k.U = U;
}

void TDVOJQ::cnot(int kontrola, int ciel) {
    if (ciel < 0 || ciel > 1) zlyindex(ciel, 0, 1);
    if (kontrola != 1 - ciel) throw ChybaBehu("TDVOJQ::cnot: kontrola " + std::to_string(kontrola));
    if (pocet >= MAXKROKOV) zlyindex(pocet, 0, MAXKROKOV - 1);
    TKROK& k = kroky[static_cast<std::size_t>(pocet++)];
    k.ciel = ciel;
    k.kontrola = kontrola;
    ++pocetcnot;
}

TMAT4 TDVOJQ::matica() const {
    TMAT4 M = TMAT4::Identity();
    for (int i = 0; i < pocet; ++i) {
        const TKROK& k = kroky[static_cast<std::size_t>(i)];
        if (k.kontrola < 0) {
            M = (k.ciel == 0 ? kron(k.U, TMAT2::Identity()) : kron(TMAT2::Identity(), k.U)) * M;
        } else if (k.kontrola == 0) {
            M.row(2).swap(M.row(3));
        } else {
            M.row(1).swap(M.row(3));
        }
    }
    return M;
}

double rozlozkron(const TMAT4& U, TMAT2& A, TMAT2& B) {
    int i = 0, j = 0;
    U.cwiseAbs().maxCoeff(&i, &j);
    const int i1 = i >> 1, i2 = i & 1, j1 = j >> 1, j2 = j & 1;
    // U = A (x) B gives U(2 i1 + a, 2 j1 + b) = A(i1, j1) B(a, b) and
    // U(2 c + i2, 2 d + j2) = A(c, d) B(i2, j2).
    TMAT2 Ap, Bp;
    for (int r = 0; r < 2; ++r)
        for (int s = 0; s < 2; ++s) {
            Bp(r, s) = U(2 * i1 + r, 2 * j1 + s);
            Ap(r, s) = U(2 * r + i2, 2 * s + j2);
        }
    A = su2(Ap);
    B = su2(Bp);
    TKOMP lam = U(i, j) / (A(i1, j1) * B(i2, j2));
    const double m = std::abs(lam);
    lam = m > 0 ? lam / m : TKOMP(1.0);
    A *= lam;
    return (U - kron(A, B)).cwiseAbs().maxCoeff();
}

Eigen::Vector3d kartankoord(const TMAT4& U) { return kartan(U).abc; }

TDVOJQ kak(const TMAT4& U) {
    const TKARTAN k = kartan(U);
    double zvysok = 0.0;
    TDVOJQ v = zostav(U, k, true, zvysok);
    if (v.pocetcnot < 3 && zvysok > KAK_OVERENIE) v = zostav(U, k, false, zvysok);
    return v;
}

// With Delta = exp(i psi ZZ) (diagonal, det 1, commuting with YY), V = Delta U
// needs two CNOTs iff tr(V YY V^T YY) / sqrt(det V) is real. For
// U = K1 N K2 (K local, N = e^{i f} exp(i(a XX + b YY + c ZZ))) the local
// factors drop out, U YY U^T YY = K1 N^2 K1^dagger, and
//   tr(Delta^2 K1 N^2 K1^dagger) = tr((cos 2psi I + i sin 2psi (u.s) (x) (v.s)) N^2)
// with u.s = A^dagger Z A, v.s = B^dagger Z B for K1 = A (x) B. Expanding N^2
// (XX YY = -ZZ, XX YY ZZ = -I) with ca = cos 2a, sa = sin 2a, ..., the
// imaginary part (after e^{-2if}) is
//   cos 2psi sa sb sc + sin 2psi (ux vx ca sb sc + uy vy sa cb sc + uz vz sa sb cc),
// zero for (cos 2psi, sin 2psi) along (second bracket, -sa sb sc). Taken from
// the coordinates, each accurate to rounding by itself, psi stays right
// even when all three are tiny (a trace of U would lose it to rounding).
TDVOJQ kakdiag(const TMAT4& U, TVEKTOR4& delta) {
    delta.setOnes();
    TDVOJQ v = kak(U);
    if (v.pocetcnot <= 2) return v;
    const TKARTAN k = kartan(U);
    TMAT2 A, B;
    rozlozkron(mb() * k.O1 * mb().adjoint(), A, B);
    const TMAT2 za = A.adjoint() * rz(PI) * A, zb = B.adjoint() * rz(PI) * B;  // -i Z conjugated
    double u[3], w[3], c[3], s[3];
    for (int i = 0; i < 3; ++i) {
        // tr(P (-i A^dagger Z A)) / (-2i) is the P component of A^dagger Z A
        TMAT2 p;
        if (i == 0) p << 0, 1, 1, 0;
        if (i == 1) p << 0, -JEDNOTKAI, JEDNOTKAI, 0;
        if (i == 2) p << 1, 0, 0, -1;
        u[i] = ((p * za).trace() / (-2.0 * JEDNOTKAI)).real();
        w[i] = ((p * zb).trace() / (-2.0 * JEDNOTKAI)).real();
        c[i] = std::cos(2 * k.surove(i));
        s[i] = std::sin(2 * k.surove(i));
    }
    const double sss = s[0] * s[1] * s[2];
    const double zmes = u[0] * w[0] * c[0] * s[1] * s[2] + u[1] * w[1] * s[0] * c[1] * s[2] +
                        u[2] * w[2] * s[0] * s[1] * c[2];
    const double psi = 0.5 * std::atan2(-sss, zmes);
    const TVEKTOR4 zz(1.0, -1.0, -1.0, 1.0);
    TVEKTOR4 d;
    for (int i = 0; i < 4; ++i) d(i) = std::polar(1.0, psi * zz(i).real());
    const TDVOJQ w2 = kak(d.asDiagonal() * U);
    if (w2.pocetcnot > 2) return v;
    delta = d.conjugate();
    return w2;
}

}  // namespace qlc::synteza
