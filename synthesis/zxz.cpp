#include "zxz.h"

#include <Eigen/Eigenvalues>
#include <array>
#include <bit>
#include <cmath>
#include <complex>
#include <string>

#define lapack_complex_float std::complex<float>
#define lapack_complex_double std::complex<double>
#include <lapacke.h>

#include "core/chyby.h"
#include "kak.h"
#include "multiplexor.h"
#include "prahy.h"

// The block-ZXZ recursion. A unitary on k >= 3 qubits, split on its first
// qubit s into halves of size m = 2^(k-1), is written as
//   U = (A1 (+) A2) (H (x) I) (I (+) B) (H (x) I) (C (+) I)
// (Krol and Al-Ars, 2024), every factor a multiplexor on s. Each is
// demultiplexed,
//   U0 (+) U1 = (I (x) V) (D (+) D^dagger) (I (x) W),
// into two unitaries on the other k - 1 qubits around a multiplexed Rz on
// s. The H on s commutes with everything on the other qubits, so V of one
// factor merges with the next factor, and the CNOTs that end the Rz ladders
// of C and B turn, through the H that follows them, into CZs: diagonal,
// I (+) Z_c as a multiplexor, they merge into B and into A. Four unitaries
// on k - 1 qubits and three ladders of 2^(k-1) CNOTs less two remain.
//
// Two-qubit blocks at the bottom other than the last one are built up to
// a diagonal with two CNOTs; the diagonal, on the two bottom qubits,
// commutes with every ladder between two blocks (its qubits only select
// there) and with the H, and is taken into the next block.

namespace qlc::synteza {

namespace {

using TKOMP = std::complex<double>;
using TSTLPEC = Eigen::VectorXcd;

const TKOMP JEDNOTKAI(0.0, 1.0);
constexpr int MAXQUBITOV = 5;

// A diagonal left over by a block built up to one: diag(d) on the
// circuit's qubits q (q[0] the most significant bit of its index), to be
// applied before the next block.
struct TDIAG {
    TSTLPEC d;
    std::vector<int> q;
    bool je = false;
};

struct TSTAV {
    explicit TSTAV(int n) : mux(n) {}
    std::vector<TKROK> kroky;
    TOBVOD mux;  // reused for every ladder
    TDIAG cakajuca;
    const TNUMBLOKY* num = nullptr;  // blocks fitted numerically, if any
};

int pozicia(const std::vector<int>& q, int fyz) {
    for (std::size_t i = 0; i < q.size(); ++i)
        if (q[i] == fyz) return static_cast<int>(i);
    return -1;
}

// Bit of the index x that belongs to position p of k qubits.
inline int bit(int x, int p, int k) { return (x >> (k - 1 - p)) & 1; }

void pridajjednoq(TSTAV& s, int q, const TMAT2& U) {
    TKROK k;
    k.ciel = q;
    k.U = U;
    s.kroky.push_back(k);
}

void pridajcnot(TSTAV& s, int kontrola, int ciel) {
    TKROK k;
    k.ciel = ciel;
    k.kontrola = kontrola;
    s.kroky.push_back(k);
}

TMAT2 hadamard() {
    const double r = std::sqrt(0.5);
    TMAT2 h;
    h << r, r, r, -r;
    return h;
}

// U := U diag on the qubits of the waiting diagonal (it acts first).
void absorbuj(TMAT& U, const std::vector<int>& q, TSTAV& s) {
    if (!s.cakajuca.je) return;
    const int k = static_cast<int>(q.size());
    const int m = static_cast<int>(s.cakajuca.q.size());
    std::array<int, MAXQUBITOV> p{};
    if (m > k || (1 << m) != s.cakajuca.d.size())
        throw ChybaBehu("!!!syntetizujvseob: diagonala vacsia ako blok");
    for (int i = 0; i < m; ++i) {
        p[static_cast<std::size_t>(i)] = pozicia(q, s.cakajuca.q[static_cast<std::size_t>(i)]);
        if (p[static_cast<std::size_t>(i)] < 0) throw ChybaBehu("!!!syntetizujvseob: diagonala na qubitoch mimo bloku");
    }
    for (int j = 0; j < U.cols(); ++j) {
        int x = 0;
        for (int i = 0; i < m; ++i) x = 2 * x + bit(j, p[static_cast<std::size_t>(i)], k);
        U.col(j) *= s.cakajuca.d(x);
    }
    s.cakajuca.je = false;
}

// U0 (+) U1 = (I (x) V) (D (+) D^dagger) (I (x) W): U0 U1^dagger = V D^2 V^dagger
// from the complex Schur form (V unitary by construction, T diagonal to
// rounding for the normal U0 U1^dagger, however its eigenvalues cluster),
// W = D V^dagger U1. D (+) D^dagger is the multiplexed Rz(-arg T_jj).
void demux(const TMAT& U0, const TMAT& U1, TMAT& V, std::vector<double>& uhly, TMAT& W) {
    const Eigen::ComplexSchur<TMAT> cs(U0 * U1.adjoint());
    V = cs.matrixU();
    const TMAT& T = cs.matrixT();
    const int m = static_cast<int>(U0.rows());
    uhly.resize(static_cast<std::size_t>(m));
    TSTLPEC D(m);
    for (int j = 0; j < m; ++j) {
        const double a = std::arg(T(j, j));
        D(j) = std::polar(1.0, a / 2);
        uhly[static_cast<std::size_t>(j)] = -a;
    }
    W = D.asDiagonal() * V.adjoint() * U1;
}

// Appends the multiplexed Rz(uhly[s]) on q[0] selected by q[1..]. With
// odober the CNOTs onto q[0] that end the ladder are left out; their
// controls come back as a mask over the positions of q[1..] (position p
// is the bit 2^(k-2-p)).
int mux(const std::vector<double>& uhly, const std::vector<int>& q, bool odober, TSTAV& s) {
    const std::vector<int> vybery(q.begin() + 1, q.end());
    const int m = static_cast<int>(vybery.size());
    s.mux.brany.clear();
    s.mux.pocetcnot = 0;
    s.mux.faza = 0.0;
    multiplexrot(TOS::Z, uhly, q[0], vybery, s.mux);
    // the phase the gates got to keep their parts in the store goes back on
    // the first of them
    TKOMP spat = std::polar(1.0, -s.mux.faza);
    int maska = 0;
    if (odober)
        while (!s.mux.brany.empty() && s.mux.brany.back().pocetk == 1 && s.mux.brany.back().ciel == q[0]) {
            const int p = pozicia(vybery, s.mux.brany.back().kontroly[1]);
            if (p < 0) throw ChybaBehu("!!!syntetizujvseob: CNOT z qubitu mimo multiplexora");
            maska ^= 1 << (m - 1 - p);
            s.mux.brany.pop_back();
        }
    for (const TGATE1& g : s.mux.brany) {
        if (g.pocetk == 1) {
            pridajcnot(s, g.kontroly[1], g.ciel);
        } else {
            pridajjednoq(s, g.ciel, spat * matica2(g));
            spat = 1.0;
        }
    }
    return maska;
}

// The product of Z on the qubits of the mask, a diagonal of +-1.
TSTLPEC zmaska(int maska, int m) {
    TSTLPEC z(m);
    for (int i = 0; i < m; ++i) z(i) = (std::popcount(static_cast<unsigned>(i & maska)) & 1) ? -1.0 : 1.0;
    return z;
}

// Cosine-sine decomposition U = (L0 (+) L1) [[C, -S], [S, C]] (R0 (+) R1)
// with C = diag(cos theta), S = diag(sin theta), by LAPACK (zuncsd also
// handles rank-deficient halves, cosines or sines at 0).
struct TCSD {
    TMAT L0, L1, R0, R1;
    Eigen::VectorXd theta;
};

TCSD csd(const TMAT& U) {
    const int n = static_cast<int>(U.rows()), m = n / 2;
    TMAT X = U;
    TCSD v;
    v.L0.resize(m, m);
    v.L1.resize(m, m);
    v.R0.resize(m, m);
    v.R1.resize(m, m);
    v.theta.resize(m);
    TKOMP* x = X.data();
    const std::ptrdiff_t stlpec = static_cast<std::ptrdiff_t>(m) * n;
    const lapack_int info =
        LAPACKE_zuncsd(LAPACK_COL_MAJOR, 'Y', 'Y', 'Y', 'Y', 'N', 'D', n, m, m, x, n, x + stlpec, n, x + m, n,
                       x + stlpec + m, n, v.theta.data(), v.L0.data(), m, v.L1.data(), m, v.R0.data(), m,
                       v.R1.data(), m);
    if (info != 0) throw ChybaBehu("!!!syntetizujvseob: rozklad CS zlyhal (info " + std::to_string(info) + ")");
    return v;
}

// The matrix with the qubit at position j moved to the front (the others
// keep their order).
TMAT presun(const TMAT& U, int j, int k) {
    const int d = 1 << k;
    auto novy = [&](int x) {
        const int b = bit(x, j, k);
        const int nizke = x & ((1 << (k - 1 - j)) - 1);
        const int vysoke = x >> (k - j);
        return (b << (k - 1)) | (vysoke << (k - 1 - j)) | nizke;
    };
    TMAT P(d, d);
    for (int r = 0; r < d; ++r)
        for (int c = 0; c < d; ++c) P(novy(r), novy(c)) = U(r, c);
    return P;
}

enum class TTVAR { VSEOBECNA, BLOKOVA, PROTIBLOKOVA };

// U is block-diagonal on the qubit at position j (every entry between
// states that differ in that bit vanishes), or anti-block-diagonal (every
// entry between states that agree in it vanishes).
TTVAR tvar(const TMAT& U, int j, int k) {
    bool blok = true, proti = true;
    const int d = 1 << k;
    for (int r = 0; r < d && (blok || proti); ++r)
        for (int c = 0; c < d; ++c) {
            if (std::abs(U(r, c)) <= BLOK_NULA) continue;
            if (bit(r, j, k) != bit(c, j, k))
                blok = false;
            else
                proti = false;
        }
    return blok ? TTVAR::BLOKOVA : proti ? TTVAR::PROTIBLOKOVA : TTVAR::VSEOBECNA;
}

void rozloz(const TMAT& Uvstup, const std::vector<int>& qvstup, bool posledny, TSTAV& s);

void dvojqblok(const TMAT& Uvstup, const std::vector<int>& q, bool posledny, TSTAV& s) {
    TMAT X = Uvstup;
    absorbuj(X, q, s);
    const TMAT4 X4 = X;
    TDVOJQ c;
    if (posledny) {
        c = kak(X4);
    } else {
        TVEKTOR4 delta;
        c = kakdiag(X4, delta);
        if ((delta - TVEKTOR4::Ones()).cwiseAbs().maxCoeff() > 0) {
            s.cakajuca.d = delta;
            s.cakajuca.q = {q[0], q[1]};
            s.cakajuca.je = true;
        }
    }
    for (int i = 0; i < c.pocet; ++i) {
        const TKROK& k = c.kroky[static_cast<std::size_t>(i)];
        if (k.kontrola >= 0)
            pridajcnot(s, q[static_cast<std::size_t>(k.kontrola)], q[static_cast<std::size_t>(k.ciel)]);
        else
            pridajjednoq(s, q[static_cast<std::size_t>(k.ciel)], k.U);
    }
}

// CNOTs of the numerically fitted block of k qubits built up to a diagonal.
// The lower bound up to a diagonal is 12 for 3 qubits and 57 for 4; 13 fit
// on the first start for every 3-qubit matrix tried, 59 on the first start
// for every 4-qubit one. On 4 qubits 58 is tried first (from the same two
// starts): it fits on about half the matrices (3 of 6 Haar seeds), and a
// block that does not takes one to two seconds more.
int cnotpodiagonalu(int k) { return k == 3 ? 13 : 59; }
constexpr int CNOT_PODIAGONALU_SKOR4 = 58;

// Fits the general block U on the qubits q numerically: the lower bound of
// CNOTs for the last block, otherwise up to a diagonal that the next block
// takes. False when the fit is not exact (or the deadline has passed); the
// caller then builds the block analytically.
bool numblok(const TMAT& U, const std::vector<int>& q, bool posledny, TSTAV& s) {
    const int k = static_cast<int>(q.size());
    TVOLBYFITU v;
    v.termin = s.num->termin;
    v.priebeh = s.num->priebeh;
    v.starty = k == 3 ? 4 : 2;
    v.zametania = ZAMETANIA_SABLONY;
    if (posledny) {
        const TFIT f = instanciuj(U, cyklicka(k, dolnahranica(k)), v);
        if (!f.presny) return false;
        for (const TGATE1& g : f.obvod.brany) {
            if (g.pocetk == 1)
                pridajcnot(s, q[static_cast<std::size_t>(g.kontroly[1] - 1)], q[static_cast<std::size_t>(g.ciel - 1)]);
            else
                pridajjednoq(s, q[static_cast<std::size_t>(g.ciel - 1)], matica2(g));
        }
        return true;
    }
    // U = diag(D) C with C the structure's circuit: U^T = C^T diag(D), where
    // C^T is the reversed structure with every one-qubit gate transposed.
    v.azpodiagonalu = true;
    const TMAT Ut = U.transpose();
    TFIT f;
    if (k == 4) f = instanciuj(Ut, obratena(cyklicka(k, CNOT_PODIAGONALU_SKOR4)), v);
    if (!f.presny) f = instanciuj(Ut, obratena(cyklicka(k, cnotpodiagonalu(k))), v);
    if (!f.presny) return false;
    for (auto g = f.obvod.brany.rbegin(); g != f.obvod.brany.rend(); ++g) {
        if (g->pocetk == 1)
            pridajcnot(s, q[static_cast<std::size_t>(g->kontroly[1] - 1)], q[static_cast<std::size_t>(g->ciel - 1)]);
        else
            pridajjednoq(s, q[static_cast<std::size_t>(g->ciel - 1)], matica2(*g).transpose());
    }
    s.cakajuca.d = f.diagonala;
    s.cakajuca.q = q;
    s.cakajuca.je = true;
    return true;
}

void rozloz(const TMAT& Uvstup, const std::vector<int>& qvstup, bool posledny, TSTAV& s) {
    const int k = static_cast<int>(qvstup.size());
    if (k == 2) {
        dvojqblok(Uvstup, qvstup, posledny, s);
        return;
    }
    TMAT U = Uvstup;
    absorbuj(U, qvstup, s);
    std::vector<int> q = qvstup;

    // A multiplexor on some qubit needs no cosine-sine step: split there.
    TTVAR t = TTVAR::VSEOBECNA;
    for (int j = 0; j < k; ++j) {
        t = tvar(U, j, k);
        if (t == TTVAR::VSEOBECNA) continue;
        if (j > 0) {
            U = presun(U, j, k);
            q.erase(q.begin() + j);
            q.insert(q.begin(), qvstup[static_cast<std::size_t>(j)]);
        }
        break;
    }
    if (t == TTVAR::VSEOBECNA && s.num && k >= 3 && k <= s.num->najvacsi && numblok(U, q, posledny, s)) return;
    const int m = 1 << (k - 1);
    const std::vector<int> zvysok(q.begin() + 1, q.end());
    TMAT V, W;
    std::vector<double> uhly;

    if (t != TTVAR::VSEOBECNA) {
        // U0 (+) U1, or [[0, U1], [U0, 0]] = (X (x) I)(U0 (+) U1)
        const bool proti = t == TTVAR::PROTIBLOKOVA;
        const TMAT U0 = proti ? U.bottomLeftCorner(m, m) : U.topLeftCorner(m, m);
        const TMAT U1 = proti ? U.topRightCorner(m, m) : U.bottomRightCorner(m, m);
        demux(U0, U1, V, uhly, W);
        rozloz(W, zvysok, false, s);
        mux(uhly, q, false, s);
        rozloz(V, zvysok, posledny, s);
        if (proti) {
            TMAT2 x;
            x << 0.0, 1.0, 1.0, 0.0;
            pridajjednoq(s, q[0], x);
        }
        return;
    }

    // From the cosine-sine form, with B0 = diag(e^{2i theta}),
    // Lam = -i diag(e^{-i theta}): the scalar identity
    //   [[c, -s], [s, c]] = (1 (+) i) (-i e^{-i theta}) H (1 (+) e^{2i theta}) H (i (+) 1)
    // gives [[C, -S], [S, C]] = (I (+) iI)(I (x) Lam) H (I (+) B0) H (iI (+) I), and
    // (iR0 (+) R1) = (I (x) R1)(i R1^dagger R0 (+) I), where I (x) R1 passes H
    // and turns I (+) B0 into I (+) R1^dagger B0 R1. Hence
    //   A1 = L0 Lam R1, A2 = i L1 Lam R1, B = R1^dagger B0 R1, C = i R1^dagger R0.
    const TCSD c = csd(U);
    TSTLPEC lam(m), e2(m);
    for (int j = 0; j < m; ++j) {
        lam(j) = -JEDNOTKAI * std::polar(1.0, -c.theta(j));
        e2(j) = std::polar(1.0, 2 * c.theta(j));
    }
    const TMAT A1 = c.L0 * lam.asDiagonal() * c.R1;
    const TMAT A2 = JEDNOTKAI * c.L1 * lam.asDiagonal() * c.R1;
    const TMAT B = c.R1.adjoint() * e2.asDiagonal() * c.R1;
    const TMAT C = JEDNOTKAI * c.R1.adjoint() * c.R0;
    const TMAT I = TMAT::Identity(m, m);
    const TMAT2 h = hadamard();

    // C (+) I = (I (x) Vc) CX Mc' (I (x) Wc), CX the CNOTs that end the ladder;
    // H (I (x) Vc) CX = (I (x) Vc) CZ H, and (I (+) B)(I (x) Vc) CZ =
    // (I (x) Vc)(I (+) Vc^dagger B Vc Z).
    demux(C, I, V, uhly, W);
    rozloz(W, zvysok, false, s);
    const int mc = mux(uhly, q, true, s);
    pridajjednoq(s, q[0], h);
    const TMAT B2 = V.adjoint() * B * V * zmaska(mc, m).asDiagonal();
    const TMAT Vc = V;

    // I (+) B2 the same way; its CZ and Vc Vb go into A.
    demux(I, B2, V, uhly, W);
    rozloz(W, zvysok, false, s);
    const int mb = mux(uhly, q, true, s);
    pridajjednoq(s, q[0], h);
    const TMAT VcVb = Vc * V;

    const TMAT A1v = A1 * VcVb;
    const TMAT A2v = A2 * VcVb * zmaska(mb, m).asDiagonal();
    demux(A1v, A2v, V, uhly, W);
    rozloz(W, zvysok, false, s);
    mux(uhly, q, false, s);
    rozloz(V, zvysok, posledny, s);
}

// One-qubit gates that follow each other on a qubit (nothing between them
// on that qubit) become their product, in place of the first.
void zluc(std::vector<TKROK>& kroky, int pocetq) {
    std::vector<int> posledna(static_cast<std::size_t>(pocetq) + 1, -1);
    std::size_t n = 0;
    for (std::size_t i = 0; i < kroky.size(); ++i) {
        const TKROK k = kroky[i];
        if (k.kontrola >= 0) {
            posledna.at(static_cast<std::size_t>(k.ciel)) = -1;
            posledna.at(static_cast<std::size_t>(k.kontrola)) = -1;
            kroky[n++] = k;
        } else if (posledna.at(static_cast<std::size_t>(k.ciel)) >= 0) {
            TKROK& p = kroky[static_cast<std::size_t>(posledna[static_cast<std::size_t>(k.ciel)])];
            p.U = (k.U * p.U).eval();
        } else {
            posledna[static_cast<std::size_t>(k.ciel)] = static_cast<int>(n);
            kroky[n++] = k;
        }
    }
    kroky.resize(n);
}

}  // namespace

namespace {

void vseob(const TMAT& U, const std::vector<int>& qubity, TOBVOD& obvod, const TNUMBLOKY* num) {
    const int k = static_cast<int>(qubity.size());
    if (k < 1 || k > MAXQUBITOV)
        throw ChybaBehu("syntetizujvseob: pocet qubitov " + std::to_string(k) + " mimo rozsahu 1.." +
                        std::to_string(MAXQUBITOV));
    const int d = 1 << k;
    if (U.rows() != d || U.cols() != d)
        throw ChybaBehu("syntetizujvseob: matica " + std::to_string(U.rows()) + "x" + std::to_string(U.cols()) +
                        " pre " + std::to_string(k) + " qubity");
    for (int i = 0; i < k; ++i) {
        const int q = qubity[static_cast<std::size_t>(i)];
        if (q < 1 || q > obvod.pocetq) zlyindex(q, 1, obvod.pocetq);
        for (int j = 0; j < i; ++j)
            if (qubity[static_cast<std::size_t>(j)] == q)
                throw ChybaBehu("syntetizujvseob: qubit " + std::to_string(q) + " sa opakuje");
    }
    if (!U.allFinite()) throw ChybaBehu("syntetizujvseob: matica obsahuje nekonecne cislo");

    if (k == 1) {
        obvod.jednoq(qubity[0], U);
        return;
    }
    TSTAV s(obvod.pocetq);
    s.num = num;
    s.kroky.reserve(static_cast<std::size_t>(2 * d * d));
    rozloz(U, qubity, true, s);
    if (s.cakajuca.je) throw ChybaBehu("!!!syntetizujvseob: diagonala po poslednom bloku");
    zluc(s.kroky, obvod.pocetq);
    obvod.brany.reserve(obvod.brany.size() + s.kroky.size());
    const double faza = obvod.faza;
    for (const TKROK& g : s.kroky) {
        if (g.kontrola >= 0)
            obvod.cnot(g.kontrola, g.ciel);
        else
            obvod.jednoq(g.ciel, g.U);
    }
    // the phase the store needed goes back here: these gates are U itself
    vyrovnajfazu(obvod.brany, obvod.faza - faza);
    obvod.faza = faza;
}

}  // namespace

void syntetizujvseob(const TMAT& U, const std::vector<int>& qubity, TOBVOD& obvod) {
    vseob(U, qubity, obvod, nullptr);
}

void syntetizujvseobnum(const TMAT& U, const std::vector<int>& qubity, TOBVOD& obvod, const TNUMBLOKY& num) {
    if (num.najvacsi < 3 || num.najvacsi > 4) zlyindex(num.najvacsi, 3, 4);
    vseob(U, qubity, obvod, &num);
}

}  // namespace qlc::synteza
