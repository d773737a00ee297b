#include "obvod.h"

#include <cmath>
#include <complex>

#include "core/chyby.h"
#include "core/tolerancie.h"

namespace qlc::synteza {

namespace {
void overqubit(int q, int n) {
    if (q < 1 || q > n) zlyindex(q, 1, n);
}

TMATICA2 dostore(const TMAT2& U) {
    return TMATICA2(TKOMPLEX(U(0, 0).real(), U(0, 0).imag()), TKOMPLEX(U(0, 1).real(), U(0, 1).imag()),
                    TKOMPLEX(U(1, 0).real(), U(1, 0).imag()), TKOMPLEX(U(1, 1).real(), U(1, 1).imag()));
}

TMAT2 zostore(const TMATICA2& u) {
    TMAT2 m;
    m << std::complex<double>(u.u11().re, u.u11().im), std::complex<double>(u.u12().re, u.u12().im),
        std::complex<double>(u.u21().re, u.u21().im), std::complex<double>(u.u22().re, u.u22().im);
    return m;
}

// Phases tried for a gate that would lose parts; none is near a multiple
// of pi/2, nor are their small sums.
constexpr double FAZY[] = {0.5, 1.1, 0.8, 1.3};

}  // namespace

int stratene(const TMAT2& U) {
    int n = 0;
    for (int k = 0; k < 4; ++k) {
        const std::complex<double> z = U(k / 2, k % 2);
        for (const double p : {z.real(), z.imag()})
            if (std::fabs(p) > SUMUHLA && std::fabs(p) <= NULA) ++n;
    }
    return n;
}

TMAT2 matica2(const TGATE1& g) {
    TMAT2 u;
    u << std::complex<double>(g.U.u11().re, g.U.u11().im), std::complex<double>(g.U.u12().re, g.U.u12().im),
        std::complex<double>(g.U.u21().re, g.U.u21().im), std::complex<double>(g.U.u22().re, g.U.u22().im);
    return u;
}

void TOBVOD::jednoq(int ciel, const TMAT2& U) {
    overqubit(ciel, pocetq);
    TGATE1 g;
    g.ciel = static_cast<std::uint8_t>(ciel);
    g.pocetk = 0;
    int najmenej = stratene(U);
    double t = 0.0;
    for (const double f : FAZY) {
        if (najmenej == 0) break;
        const int n = stratene(std::polar(1.0, f) * U);
        if (n < najmenej) {
            najmenej = n;
            t = f;
        }
    }
    g.U = dostore(t == 0.0 ? U : TMAT2(std::polar(1.0, t) * U));
    faza += t;
    brany.push_back(g);
}

void vyrovnajfazu(std::vector<TGATE1>& brany, double faza) {
    const double pi2 = 6.283185307179586;
    const double f = std::remainder(faza, pi2);
    if (f == 0.0) return;
    const std::complex<double> c = std::polar(1.0, -f);
    for (auto g = brany.rbegin(); g != brany.rend(); ++g) {
        if (g->pocetk != 0) continue;
        const TMAT2 W = c * zostore(g->U);
        if (stratene(W) == 0) {
            g->U = dostore(W);
            return;
        }
    }
    TGATE1 g;
    g.ciel = 1;
    g.pocetk = 0;
    g.U = dostore(c * TMAT2::Identity());
    brany.push_back(g);
}


void TOBVOD::cnot(int kontrola, int ciel) {
    overqubit(kontrola, pocetq);
    overqubit(ciel, pocetq);
    if (kontrola == ciel) throw ChybaBehu("CNOT s kontrolou na cielovom qubite " + std::to_string(ciel));
    TGATE1 g;
    g.ciel = static_cast<std::uint8_t>(ciel);
    g.pocetk = 1;
    g.kontroly[1] = static_cast<std::uint8_t>(kontrola);
    g.U = TMATICA2(TKOMPLEX(0.0), TKOMPLEX(1.0), TKOMPLEX(1.0), TKOMPLEX(0.0));
    brany.push_back(g);
    ++pocetcnot;
}

TMAT2 rz(double t) {
    TMAT2 m = TMAT2::Zero();
    m(0, 0) = std::polar(1.0, -t / 2);
    m(1, 1) = std::polar(1.0, t / 2);
    return m;
}

TMAT2 ry(double t) {
    const double c = std::cos(t / 2), s = std::sin(t / 2);
    TMAT2 m;
    m << c, -s, s, c;
    return m;
}

// M := G M for the gate g (one-qubit gate or gate with one control) on m
// qubits, qubit 1 the most significant bit.
void aplikujbranu(const TGATE1& g, int m, TMAT& M) {
    if (g.ciel < 1 || g.ciel > m || g.pocetk > 1) throw ChybaBehu("zlozenie: brana mimo siete");
    const int bc = m - g.ciel;
    int maska = 0;
    if (g.pocetk == 1) {
        const int k = g.kontroly[1];
        if (k < 1 || k > m || k == g.ciel) throw ChybaBehu("zlozenie: brana mimo siete");
        maska = 1 << (m - k);
    }
    const TMAT2 u = matica2(g);
    const Eigen::Index d = M.rows();
    for (Eigen::Index r = 0; r < d; ++r) {
        if ((r >> bc) & 1) continue;
        if ((r & maska) != maska) continue;
        const Eigen::Index r1 = r | (Eigen::Index{1} << bc);
        for (Eigen::Index c = 0; c < M.cols(); ++c) {
            const std::complex<double> x = M(r, c), y = M(r1, c);
            M(r, c) = u(0, 0) * x + u(0, 1) * y;
            M(r1, c) = u(1, 0) * x + u(1, 1) * y;
        }
    }
}

TMAT zlozenie(const std::vector<TGATE1>& brany, int m) {
    TMAT M = TMAT::Identity(Eigen::Index{1} << m, Eigen::Index{1} << m);
    for (const TGATE1& g : brany) aplikujbranu(g, m, M);
    return M;
}

TMAT2 paulimat(int t) {
    TMAT2 s;
    if (t == 0)
        s = TMAT2::Identity();
    else if (t == 1)
        s << 0.0, 1.0, 1.0, 0.0;
    else if (t == 2)
        s << 0.0, std::complex<double>(0.0, -1.0), std::complex<double>(0.0, 1.0), 0.0;
    else
        s << 1.0, 0.0, 0.0, -1.0;
    return s;
}

TMAT jednoqzlava(const TMAT2& G, int q, int m, const TMAT& M) {
    const Eigen::Index b = Eigen::Index{1} << (m - q);
    TMAT R(M.rows(), M.cols());
    for (Eigen::Index i = 0; i < M.rows(); ++i) {
        const Eigen::Index i0 = i & ~b, i1 = i | b;
        const int r = (i & b) ? 1 : 0;
        R.row(i) = G(r, 0) * M.row(i0) + G(r, 1) * M.row(i1);
    }
    return R;
}

TMAT jednoqzprava(const TMAT& M, const TMAT2& G, int q, int m) {
    const Eigen::Index b = Eigen::Index{1} << (m - q);
    TMAT R(M.rows(), M.cols());
    for (Eigen::Index j = 0; j < M.cols(); ++j) {
        const Eigen::Index j0 = j & ~b, j1 = j | b;
        const int c = (j & b) ? 1 : 0;
        R.col(j) = M.col(j0) * G(0, c) + M.col(j1) * G(1, c);
    }
    return R;
}

}  // namespace qlc::synteza
