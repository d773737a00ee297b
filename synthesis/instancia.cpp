#include "instancia.h"

#include <unsupported/Eigen/NonLinearOptimization>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "core/chyby.h"
#include "zxz.h"

// The fit. Every one-qubit gate is G = L(x) G0: a base G0 (a unitary kept
// outside the optimiser) times rotations about two or three axes whose
// angles the optimiser moves. Angles start at 0 and the base is reset to
// G0 := L(x) G0 whenever they grow, so no angle nears a singularity of the
// rotations' composition. A gate followed on its qubit by a CNOT that
// uses the qubit as control leaves out the rotation about Z applied last
// (it commutes through the control into the next gate on that qubit), one
// followed by a CNOT that targets the qubit leaves out X; the last gate on
// each qubit keeps all three. With the global phase this is 3n + 4k + 1
// parameters for n qubits and k CNOTs, the count of the lower bound, and
// the Jacobian has no gauge directions of its own.
//
// The residual is the real and imaginary parts of V - U, V the circuit's
// unitary (times the diagonal when fitting up to one). The Jacobian column
// of an angle of gate g is S_g dG P_g: P_g the product of everything before
// the gate (computed in one pass forward, each gate applied to the rows of
// the running product) and S_g of everything after it (in one pass
// backward, applied to the columns).

namespace qlc::synteza {

namespace {

using TKOMP = std::complex<double>;
using TVEKTOR = Eigen::VectorXd;
using TJAKOBIAN = Eigen::MatrixXd;
const TKOMP JI(0.0, 1.0);
constexpr int MAXQ = 5;

enum : int { OSX = 0, OSY = 1, OSZ = 2 };

TMAT2 pauli(int os) {
    TMAT2 m;
    if (os == OSX)
        m << 0.0, 1.0, 1.0, 0.0;
    else if (os == OSY)
        m << 0.0, -JI, JI, 0.0;
    else
        m << 1.0, 0.0, 0.0, -1.0;
    return m;
}

// exp(-i t sigma / 2)
TMAT2 rotacia(int os, double t) {
    return std::cos(t / 2) * TMAT2::Identity() - JI * std::sin(t / 2) * pauli(os);
}

// A one-qubit gate of the structure: its qubit, its axes (applied right to
// left: L = R(osi[0]) R(osi[1]) [R(osi[2])]) and the index of its first
// angle among the parameters.
struct TBRANAFITU {
    int q = 0;
    int pocet = 3;
    std::array<int, 3> osi{OSX, OSY, OSZ};
    int parameter = 0;
};

// One step of the circuit in order of application: a CNOT (kontrola >= 1)
// or the gate brana of the list.
struct TKROKPLANU {
    int kontrola = 0;
    int ciel = 0;
    int brana = -1;
};

struct TPLAN {
    int n = 0;
    int d = 0;
    std::vector<TBRANAFITU> brany;
    std::vector<TKROKPLANU> kroky;
    int pocetuhlov = 0;   // angles of the one-qubit gates
    int pocetfaz = 1;     // the global phase, or the diagonal's phases
    int pocetcnot = 0;
};

void overstrukturu(const TSTRUKTURA& s) {
    if (s.pocetq < 1 || s.pocetq > MAXQ)
        throw ChybaBehu("instanciuj: pocet qubitov " + std::to_string(s.pocetq) + " mimo rozsahu 1..5");
    for (const auto& c : s.cnoty) {
        if (c[0] < 1 || c[0] > s.pocetq) zlyindex(c[0], 1, s.pocetq);
        if (c[1] < 1 || c[1] > s.pocetq) zlyindex(c[1], 1, s.pocetq);
        if (c[0] == c[1]) throw ChybaBehu("instanciuj: CNOT s kontrolou na cielovom qubite " + std::to_string(c[0]));
    }
}

TPLAN zostavplan(const TSTRUKTURA& s, bool azpodiagonalu) {
    TPLAN p;
    p.n = s.pocetq;
    p.d = 1 << p.n;
    std::vector<int> posledna(static_cast<std::size_t>(p.n) + 1, -1);
    auto pridajbranu = [&](int q) {
        TBRANAFITU b;
        b.q = q;
        posledna[static_cast<std::size_t>(q)] = static_cast<int>(p.brany.size());
        TKROKPLANU k;
        k.brana = static_cast<int>(p.brany.size());
        p.brany.push_back(b);
        p.kroky.push_back(k);
    };
    for (int q = 1; q <= p.n; ++q) pridajbranu(q);
    for (const auto& c : s.cnoty) {
        // The gate before the CNOT loses the rotation that passes through it.
        TBRANAFITU& bk = p.brany[static_cast<std::size_t>(posledna[static_cast<std::size_t>(c[0])])];
        bk.pocet = 2;
        bk.osi = {OSX, OSY, OSZ};  // Z (would be first, applied last) left out
        TBRANAFITU& bc = p.brany[static_cast<std::size_t>(posledna[static_cast<std::size_t>(c[1])])];
        bc.pocet = 2;
        bc.osi = {OSZ, OSY, OSX};  // X left out
        TKROKPLANU k;
        k.kontrola = c[0];
        k.ciel = c[1];
        p.kroky.push_back(k);
        ++p.pocetcnot;
        pridajbranu(c[0]);
        pridajbranu(c[1]);
    }
    int i = 0;
    for (TBRANAFITU& b : p.brany) {
        b.parameter = i;
        i += b.pocet;
    }
    p.pocetuhlov = i;
    p.pocetfaz = azpodiagonalu ? p.d : 1;
    return p;
}

// L(x) for the angles of gate b starting at x[b.parameter], and its
// derivatives by each angle.
void rotacie(const TBRANAFITU& b, const double* x, TMAT2& L, std::array<TMAT2, 3>& dL) {
    std::array<TMAT2, 3> r;
    for (int k = 0; k < b.pocet; ++k) r[static_cast<std::size_t>(k)] = rotacia(b.osi[static_cast<std::size_t>(k)], x[k]);
    L = r[0];
    for (int k = 1; k < b.pocet; ++k) L = (L * r[static_cast<std::size_t>(k)]).eval();
    for (int j = 0; j < b.pocet; ++j) {
        TMAT2 m = TMAT2::Identity();
        for (int k = 0; k < b.pocet; ++k) {
            m = (m * r[static_cast<std::size_t>(k)]).eval();
            if (k == j) m = (m * (-0.5 * JI) * pauli(b.osi[static_cast<std::size_t>(k)])).eval();
        }
        dL[static_cast<std::size_t>(j)] = m;
    }
}

// a*u + b*v in real arithmetic: the same values as std::complex's products
// of finite numbers, without their checks for infinities in the hot loops.
inline TKOMP kombinacia(const TKOMP& a, const TKOMP& u, const TKOMP& b, const TKOMP& v) {
    const double re = (a.real() * u.real() - a.imag() * u.imag()) + (b.real() * v.real() - b.imag() * v.imag());
    const double im = (a.real() * u.imag() + a.imag() * u.real()) + (b.real() * v.imag() + b.imag() * v.real());
    return {re, im};
}

// M := G M for the one-qubit gate G on qubit q (rows of M).
void riadky(TMAT& M, const TMAT2& G, int q, int n) {
    const int b = 1 << (n - q);
    const int d = 1 << n;
    const TKOMP g00 = G(0, 0), g01 = G(0, 1), g10 = G(1, 0), g11 = G(1, 1);
    for (Eigen::Index j = 0; j < M.cols(); ++j) {
        TKOMP* s = &M(0, j);
        // x runs over the states with the bit b clear, y = x | b
        for (int h = 0; h < d; h += 2 * b)
            for (int x = h; x < h + b; ++x) {
                const int y = x + b;
                const TKOMP a = s[x], e = s[y];
                s[x] = kombinacia(g00, a, g01, e);
                s[y] = kombinacia(g10, a, g11, e);
            }
    }
}

// M := M G for the one-qubit gate G on qubit q (columns of M).
void stlpce(TMAT& M, const TMAT2& G, int q, int n) {
    const int b = 1 << (n - q);
    const int d = 1 << n;
    const TKOMP g00 = G(0, 0), g01 = G(0, 1), g10 = G(1, 0), g11 = G(1, 1);
    for (int x = 0; x < d; ++x) {
        if (x & b) continue;
        const int y = x | b;
        TKOMP* sx = &M(0, x);
        TKOMP* sy = &M(0, y);
        for (Eigen::Index i = 0; i < M.rows(); ++i) {
            const TKOMP a = sx[i], e = sy[i];
            sx[i] = kombinacia(a, g00, e, g10);
            sy[i] = kombinacia(a, g01, e, g11);
        }
    }
}

// The CNOT's pairs of basis states: x with the control 1 and the target 0,
// and x with the target 1.
template <class F>
void parycnot(int kontrola, int ciel, int n, F f) {
    const int bk = 1 << (n - kontrola), bc = 1 << (n - ciel);
    for (int x = 0; x < (1 << n); ++x)
        if ((x & bk) && !(x & bc)) f(x, x | bc);
}

// The residual and the Jacobian in the form Eigen's Levenberg-Marquardt
// takes. Buffers are allocated once per fit.
//
// Without a diagonal the residual is the upper triangle (diagonal included)
// of W - I, W = U^dagger V: for a unitary W it vanishes only at W = I
// (column by column, a unit column whose top entries are those of I is a
// column of I), and it has d(d + 1) real entries instead of 2d^2, which
// halves the factorisation of every step. The Jacobian's columns are then
// the same triangle of U^dagger S_g dG P_g; the backward pass starts from
// U^dagger instead of I. Rows beyond the residual's (a structure with more
// parameters than it) stay zero.
class TFUNKCIA {
public:
    TFUNKCIA(const TPLAN& p, const TMAT& U, std::vector<TMAT2>& baza, const std::function<void()>& priebeh,
             bool plnyrezidual)
        : p_(p), U_(U), Uh_(U.adjoint()), baza_(baza), priebeh_(priebeh), horny_(p.pocetfaz == 1 && !plnyrezidual),
          G_(p.brany.size()), dG_(p.brany.size()), pred_(p.brany.size(), TMAT(p.d, p.d)), P_(p.d, p.d),
          S_(p.d, p.d), T_(p.d, p.d), M_(p.d, p.d) {
        zvysky_ = horny_ ? p.d * (p.d + 1) : 2 * p.d * p.d;
        riadkov_ = std::max(zvysky_, inputs());
    }

    int inputs() const { return p_.pocetuhlov + p_.pocetfaz; }
    int values() const { return riadkov_; }

    int operator()(const TVEKTOR& x, TVEKTOR& f) {
        if (priebeh_) priebeh_();
        brany(x);
        dopredu(x, false);
        if (horny_) {
            M_.noalias() = Uh_ * P_;
            M_.diagonal().array() -= 1.0;
        } else {
            M_ = P_ - U_;
        }
        zapis(M_, f.data());
        f.tail(riadkov_ - zvysky_).setZero();
        return 0;
    }

    int df(const TVEKTOR& x, TJAKOBIAN& J) {
        if (priebeh_) priebeh_();
        brany(x);
        dopredu(x, true);
        J.bottomRows(riadkov_ - zvysky_).setZero();
        // phases: V carries e^{i phi} in every column (or column j)
        if (horny_) {
            M_.noalias() = Uh_ * P_;
            M_ *= JI;
            zapis(M_, J.col(p_.pocetuhlov).data());
        } else {
            for (int k = 0; k < p_.pocetfaz; ++k) {
                M_.setZero();
                if (p_.pocetfaz > 1)
                    M_.col(k) = JI * P_.col(k);
                else
                    M_ = JI * P_;
                zapis(M_, J.col(p_.pocetuhlov + k).data());
            }
        }
        if (horny_)
            S_ = Uh_;
        else
            S_.setIdentity();
        for (auto it = p_.kroky.rbegin(); it != p_.kroky.rend(); ++it) {
            if (it->brana < 0) {
                parycnot(it->kontrola, it->ciel, p_.n, [&](int a, int b) { S_.col(a).swap(S_.col(b)); });
                continue;
            }
            const std::size_t g = static_cast<std::size_t>(it->brana);
            const TBRANAFITU& b = p_.brany[g];
            for (int k = 0; k < b.pocet; ++k) {
                T_ = pred_[g];
                riadky(T_, dG_[g][static_cast<std::size_t>(k)], b.q, p_.n);
                // up to 16 x 16 the plain product is faster than the blocked one
                if (p_.d <= 16)
                    M_.noalias() = S_.lazyProduct(T_);
                else
                    M_.noalias() = S_ * T_;
                zapis(M_, J.col(b.parameter + k).data());
            }
            stlpce(S_, G_[g], b.q, p_.n);
        }
        return 0;
    }

    // The gates at x: G = L(x) G0 and dG = dL G0.
    void brany(const TVEKTOR& x) {
        for (std::size_t g = 0; g < p_.brany.size(); ++g) {
            const TBRANAFITU& b = p_.brany[g];
            TMAT2 L;
            std::array<TMAT2, 3> dL;
            rotacie(b, x.data() + b.parameter, L, dL);
            G_[g] = L * baza_[g];
            for (int k = 0; k < b.pocet; ++k)
                dG_[g][static_cast<std::size_t>(k)] = dL[static_cast<std::size_t>(k)] * baza_[g];
        }
    }

    const TMAT2& brana(std::size_t g) const { return G_[g]; }

private:
    // P := circuit * diag(phases), storing the product before each gate.
    void dopredu(const TVEKTOR& x, bool uloz) {
        P_.setZero();
        for (int j = 0; j < p_.d; ++j)
            P_(j, j) = std::polar(1.0, x(p_.pocetuhlov + (p_.pocetfaz > 1 ? j : 0)));
        for (const TKROKPLANU& k : p_.kroky) {
            if (k.brana < 0) {
                parycnot(k.kontrola, k.ciel, p_.n, [&](int a, int b) { P_.row(a).swap(P_.row(b)); });
                continue;
            }
            const std::size_t g = static_cast<std::size_t>(k.brana);
            if (uloz) pred_[g] = P_;
            riadky(P_, G_[g], p_.brany[g].q, p_.n);
        }
    }

    // The entries of M that make the residual, real and imaginary parts:
    // the upper triangle column by column, or every entry (all real parts,
    // then all imaginary parts).
    void zapis(const TMAT& M, double* von) const {
        const int d = p_.d;
        if (horny_) {
            int k = 0;
            for (int j = 0; j < d; ++j)
                for (int i = 0; i <= j; ++i) {
                    von[k++] = M(i, j).real();
                    von[k++] = M(i, j).imag();
                }
            return;
        }
        const int dd = d * d;
        for (int j = 0; j < d; ++j)
            for (int i = 0; i < d; ++i) {
                von[j * d + i] = M(i, j).real();
                von[dd + j * d + i] = M(i, j).imag();
            }
    }

    const TPLAN& p_;
    const TMAT& U_;
    const TMAT Uh_;
    std::vector<TMAT2>& baza_;
    const std::function<void()>& priebeh_;
    const bool horny_;
    int zvysky_ = 0, riadkov_ = 0;
    std::vector<TMAT2> G_;
    std::vector<std::array<TMAT2, 3>> dG_;
    std::vector<TMAT> pred_;
    TMAT P_, S_, T_, M_;
};

// The sweeps before Levenberg-Marquardt. With V = A K B, K the gate of a
// step, B the product of the steps before it and A of those after it,
// tr(U^dagger V) = tr(B Q K) with Q = U^dagger A, and for a one-qubit K on
// qubit q this is tr(E K) with the 2x2 environment E(a, b) = sum over the
// other qubits' states r of (B Q)((a, r), (b, r)). With E = W S X^dagger
// (SVD) the unitary K = X W^dagger makes it tr(S), the largest modulus any
// unitary reaches; for 2x2 it has a closed form (below), and a zero
// environment leaves the gate as it is. One backward pass stores Q for
// every gate (as Q^T, so that the environment runs down columns of both
// factors), the forward pass replaces gate after gate and carries B along.
class TZAMETANIE {
public:
    TZAMETANIE(const TPLAN& p, const TMAT& U)
        : p_(p), Ut_(U.conjugate()), Q_(p.brany.size(), TMAT(p.d, p.d)), S_(p.d, p.d), B_(p.d, p.d) {}

    // One sweep over the gates G (in the plan's order of gates) and, when
    // it is not empty, the diagonal D acting first (V = C diag(D)): each
    // D(j) then takes the phase that makes (U^dagger V)(j, j) real and
    // positive. Returns 1 - |tr(U^dagger V)| / d after the sweep.
    double zametaj(std::vector<TMAT2>& G, Eigen::VectorXcd& D) {
        const int d = p_.d;
        S_ = Ut_;  // (U^dagger A)^T with A = I
        for (auto it = p_.kroky.rbegin(); it != p_.kroky.rend(); ++it) {
            if (it->brana < 0) {
                // a CNOT is its own transpose
                parycnot(it->kontrola, it->ciel, p_.n, [&](int a, int b) { S_.row(a).swap(S_.row(b)); });
                continue;
            }
            const std::size_t g = static_cast<std::size_t>(it->brana);
            Q_[g] = S_;
            riadky(S_, G[g].transpose(), p_.brany[g].q, p_.n);
        }
        B_.setIdentity();
        if (D.size() > 0) B_.diagonal() = D;
        double stopa = 0;
        for (const TKROKPLANU& k : p_.kroky) {
            if (k.brana < 0) {
                parycnot(k.kontrola, k.ciel, p_.n, [&](int a, int b) { B_.row(a).swap(B_.row(b)); });
                continue;
            }
            const std::size_t g = static_cast<std::size_t>(k.brana);
            const int q = p_.brany[g].q;
            const int bit = 1 << (p_.n - q);
            // s += u v in real arithmetic, as kombinacia
            auto pricitaj = [](double* s, const TKOMP& u, const TKOMP& v) {
                s[0] += u.real() * v.real() - u.imag() * v.imag();
                s[1] += u.real() * v.imag() + u.imag() * v.real();
            };
            double s00[2] = {}, s01[2] = {}, s10[2] = {}, s11[2] = {};
            for (int z = 0; z < d; ++z) {
                const TKOMP* b = &B_(0, z);
                const TKOMP* t = &Q_[g](0, z);
                for (int h = 0; h < d; h += 2 * bit)
                    for (int x = h; x < h + bit; ++x) {
                        const int y = x + bit;
                        pricitaj(s00, b[x], t[x]);
                        pricitaj(s01, b[x], t[y]);
                        pricitaj(s10, b[y], t[x]);
                        pricitaj(s11, b[y], t[y]);
                    }
            }
            const TKOMP e00(s00[0], s00[1]), e01(s01[0], s01[1]), e10(s10[0], s10[1]), e11(s11[0], s11[1]);
            // W X^dagger = (E + delta adj(E)^dagger) / (s1 + s2) with delta =
            // det(W X^dagger), the phase of det E (any unit number when E is
            // singular); s1 + s2 is the norm of a column of the sum
            const TKOMP det = e00 * e11 - e01 * e10;
            const double absdet = std::abs(det);
            const TKOMP delta = absdet > 0 ? det / absdet : TKOMP(1.0);
            const TKOMP p00 = e00 + delta * std::conj(e11), p01 = e01 - delta * std::conj(e10),
                        p10 = e10 - delta * std::conj(e01), p11 = e11 + delta * std::conj(e00);
            const double sigma = std::sqrt(std::norm(p00) + std::norm(p10));
            if (sigma > 0)
                G[g] << std::conj(p00) / sigma, std::conj(p10) / sigma, std::conj(p01) / sigma, std::conj(p11) / sigma;
            stopa = sigma;
            riadky(B_, G[g], q, p_.n);
        }
        if (D.size() > 0) {
            stopa = 0;
            for (int j = 0; j < d; ++j) {
                const TKOMP w = Ut_.col(j).transpose() * B_.col(j);  // (U^dagger V)(j, j)
                const double a = std::abs(w);
                if (a > 0) D(j) *= std::conj(w) / a;
                stopa += a;
            }
        }
        return 1.0 - stopa / d;
    }

private:
    const TPLAN& p_;
    const TMAT Ut_;
    std::vector<TMAT> Q_;
    TMAT S_, B_;
};

// The sweeps stop when the trace is this close to d: Levenberg-Marquardt
// then converges within a few dozen steps.
constexpr double ZAMETANIE_DOST = 1e-6;

struct TGENERATOR {
    std::uint64_t s;
    std::uint64_t dalsi() { return splitmix(s); }
    // uniform in (0, 1)
    double rovnomerne() { return (static_cast<double>(dalsi() >> 11) + 0.5) * 0x1.0p-53; }
    double normalne() {
        const double u = rovnomerne(), v = rovnomerne();
        return std::sqrt(-2 * std::log(u)) * std::cos(6.283185307179586 * v);
    }
    // A Haar-random element of SU(2), from a uniform unit quaternion.
    TMAT2 su2() {
        double a[4], r = 0;
        for (double& t : a) {
            t = normalne();
            r += t * t;
        }
        r = std::sqrt(r);
        const TKOMP alfa(a[0] / r, a[1] / r), beta(a[2] / r, a[3] / r);
        TMAT2 m;
        m << alfa, -std::conj(beta), beta, std::conj(alfa);
        return m;
    }
    // exp(-i v.sigma / 2) for a Gaussian vector v of deviation sigma per axis.
    TMAT2 blizko(double sigma) {
        double v[3], t = 0;
        for (double& a : v) {
            a = sigma * normalne();
            t += a * a;
        }
        t = std::sqrt(t);
        if (t == 0.0) return TMAT2::Identity();
        const double s = std::sin(t / 2) / t;
        TMAT2 m;
        m << TKOMP(std::cos(t / 2), -s * v[2]), TKOMP(-s * v[1], -s * v[0]), TKOMP(s * v[1], -s * v[0]),
            TKOMP(std::cos(t / 2), s * v[2]);
        return m;
    }
};

// FNV-1a over the bits of the matrix's entries.
std::uint64_t odtlacok(const TMAT& U) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (Eigen::Index j = 0; j < U.cols(); ++j)
        for (Eigen::Index i = 0; i < U.rows(); ++i)
            for (double t : {U(i, j).real(), U(i, j).imag()}) {
                std::uint64_t b = 0;
                if (t != 0.0) std::memcpy(&b, &t, sizeof b);  // +0 and -0 alike
                for (int k = 0; k < 8; ++k) {
                    h ^= (b >> (8 * k)) & 0xffU;
                    h *= 0x100000001b3ULL;
                }
            }
    return h;
}

// Five qubits at the lower bound when this much time is left (a start of
// the 252-CNOT template takes 25 to 40 s, and one in two to five starts
// fits), keeping the reserve for block-ZXZ (its fitted 4-qubit blocks take
// two to five seconds).
constexpr std::chrono::seconds PRIAMA5_AKO{60};
constexpr std::chrono::seconds PRIAMA5_REZERVA{10};
constexpr int PRIAMA5_STARTY = 16;
// Starts of the template one CNOT above the lower bound on 3 and 4 qubits.
constexpr int SABLONA_NAVYSE_STARTY = 2;

// Angles beyond this send the gate's rotations into its base.
constexpr double UHOL_ZAKLAD = 0.7;
// Residual norm at which a start stops: rounding of the products.
constexpr double KONIEC_NORMA = 1e-14;

}  // namespace

std::uint64_t splitmix(std::uint64_t& s) {
    std::uint64_t z = (s += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

TFIT instanciuj(const TMAT& U, const TSTRUKTURA& s, const TVOLBYFITU& v) {
    overstrukturu(s);
    const int d = 1 << s.pocetq;
    if (U.rows() != d || U.cols() != d)
        throw ChybaBehu("instanciuj: matica " + std::to_string(U.rows()) + "x" + std::to_string(U.cols()) + " pre " +
                        std::to_string(s.pocetq) + " qubity");
    if (!U.allFinite()) throw ChybaBehu("instanciuj: matica obsahuje nekonecne cislo");
    if (v.starty < 0) throw ChybaBehu("instanciuj: zaporny pocet startov");
    if (!(v.blizkojednotky >= 0.0) || !std::isfinite(v.blizkojednotky))
        throw ChybaBehu("instanciuj: odchylka startu pri jednotke nie je nezaporne cislo");

    const TPLAN p = zostavplan(s, v.azpodiagonalu);
    const int pocetpar = p.pocetuhlov + p.pocetfaz;
    const int maxvyh = v.maxvyhodnoteni > 0 ? v.maxvyhodnoteni : 150 + pocetpar / 4;
    const std::uint64_t zaklad = odtlacok(U) ^ (v.seed * 0x9e3779b97f4a7c15ULL);

    TFIT vysledok;
    vysledok.odchylka = std::numeric_limits<double>::infinity();
    vysledok.vzdialenost = std::numeric_limits<double>::infinity();
    vysledok.obvod = TOBVOD(s.pocetq);

    const double odmocninad = std::sqrt(static_cast<double>(d));
    std::vector<TMAT2> baza(p.brany.size());
    TVEKTOR x(pocetpar);
    std::unique_ptr<TZAMETANIE> zametanie;  // its buffers, made at the first start that sweeps
    for (int start = 0; start < v.starty; ++start) {
        if (THODINY::now() >= v.termin) break;
        ++vysledok.starty;
        TGENERATOR gen{zaklad + static_cast<std::uint64_t>(start) * 0xd1b54a32d192ed03ULL};
        for (std::size_t g = 0; g < baza.size(); ++g) {
            baza[g] = v.blizkojednotky > 0.0 ? gen.blizko(v.blizkojednotky) : gen.su2();
            if (start == 0 && g < v.zaciatok.size()) baza[g] = v.zaciatok[g];
        }
        x.setZero();
        bool bezlm = false;  // the start is given up after its sweeps
        if (v.zametania > 0) {
            if (!zametanie) zametanie = std::make_unique<TZAMETANIE>(p, U);
            Eigen::VectorXcd D;
            if (v.azpodiagonalu) D = Eigen::VectorXcd::Ones(d);
            // 1 - |tr| / d above this is a distance above zametanivzdatnad
            const double vzdatcenu = v.zametanivzdatnad * v.zametanivzdatnad / 2;
            for (int z = 0; z < v.zametania && THODINY::now() < v.termin; ++z) {
                if (v.priebeh) v.priebeh();
                const double cena = zametanie->zametaj(baza, D);
                if (cena <= ZAMETANIE_DOST) break;
                if (z + 1 == v.zametanivzdatpo && cena > vzdatcenu) {
                    bezlm = true;
                    break;
                }
            }
            for (Eigen::Index j = 0; j < D.size(); ++j) x(p.pocetuhlov + j) = std::arg(D(j));
        }

        int vyhodnotenia = 0;
        if (!bezlm) {
            TFUNKCIA f(p, U, baza, v.priebeh, v.plnyrezidual);
            bool koniec = false;
            while (!koniec) {
                x.head(p.pocetuhlov).setZero();
                Eigen::LevenbergMarquardt<TFUNKCIA> lm(f);
                lm.parameters.ftol = 1e-12;
                lm.parameters.xtol = 1e-15;
                lm.parameters.gtol = 0.0;
                lm.parameters.maxfev = std::max(1, maxvyh - vyhodnotenia);
                auto stav = lm.minimizeInit(x);
                bool zaklad_znova = false;
                double predtym = lm.fnorm;
                int krokov = 0;
                while (true) {
                    if (lm.fnorm <= KONIEC_NORMA || THODINY::now() >= v.termin) {
                        koniec = true;
                        break;
                    }
                    stav = lm.minimizeOneStep(x);
                    if (stav != Eigen::LevenbergMarquardtSpace::Running) {
                        koniec = true;
                        break;
                    }
                    if (v.vzdatpo > 0 && vyhodnotenia + lm.nfev >= v.vzdatpo && lm.fnorm > v.vzdatnad * odmocninad) {
                        koniec = true;
                        break;
                    }
                    if (x.head(p.pocetuhlov).cwiseAbs().maxCoeff() > UHOL_ZAKLAD) {
                        zaklad_znova = true;
                        break;
                    }
                    // Stuck in a local minimum: no real progress over many steps.
                    if (++krokov % 25 == 0) {
                        if (lm.fnorm > 1e-6 && lm.fnorm > 0.99 * predtym) {
                            koniec = true;
                            break;
                        }
                        predtym = lm.fnorm;
                    }
                }
                vyhodnotenia += static_cast<int>(lm.nfev);
                // the base takes the rotations at the last accepted point
                f.brany(x);
                for (std::size_t g = 0; g < baza.size(); ++g) baza[g] = f.brana(g);
                if (vyhodnotenia >= maxvyh) koniec = true;
                if (!zaklad_znova) koniec = true;
            }
        }
        vysledok.vyhodnotenia += vyhodnotenia;

        // The circuit, the global phase in the first gate on qubit 1.
        TOBVOD o(s.pocetq);
        o.brany.reserve(p.kroky.size());
        for (const TKROKPLANU& k : p.kroky) {
            if (k.brana < 0) {
                o.cnot(k.kontrola, k.ciel);
                continue;
            }
            const std::size_t g = static_cast<std::size_t>(k.brana);
            TMAT2 G = baza[g];
            if (g == 0 && p.pocetfaz == 1) G *= std::polar(1.0, x(p.pocetuhlov));
            o.jednoq(p.brany[g].q, G);
        }
        // a phase the store needed to keep a gate's small parts goes back
        vyrovnajfazu(o.brany, o.faza);
        o.faza = 0.0;
        Eigen::VectorXcd diag;
        TMAT V = zlozenie(o.brany, o.pocetq);
        if (v.azpodiagonalu) {
            diag.resize(d);
            for (int j = 0; j < d; ++j) diag(j) = std::polar(1.0, x(p.pocetuhlov + j));
            V = V * diag.asDiagonal();
        }
        const double odch = (V - U).cwiseAbs().maxCoeff();
        if (odch < vysledok.odchylka || !std::isfinite(vysledok.odchylka)) {
            vysledok.odchylka = odch;
            vysledok.vzdialenost = (V - U).norm() / std::sqrt(static_cast<double>(d));
            vysledok.obvod = std::move(o);
            vysledok.diagonala = diag;
            vysledok.presny = odch <= PRESNOST_FITU;
        }
        if (vysledok.presny) break;
    }
    return vysledok;
}

int dolnahranica(int pocetq) {
    if (pocetq < 1 || pocetq > MAXQ) zlyindex(pocetq, 1, MAXQ);
    const int styri = 1 << (2 * pocetq);
    return (styri - 3 * pocetq - 1 + 3) / 4;
}

std::vector<std::array<int, 2>> vsetkypary(int pocetq) {
    std::vector<std::array<int, 2>> pary;
    for (int a = 1; a <= pocetq; ++a)
        for (int b = a + 1; b <= pocetq; ++b) pary.push_back({a, b});
    return pary;
}

TSTRUKTURA cyklicka(int pocetq, int pocetcnot) {
    if (pocetq < 1 || pocetq > MAXQ) zlyindex(pocetq, 1, MAXQ);
    if (pocetcnot < 0) throw ChybaBehu("cyklicka: zaporny pocet CNOT");
    if (pocetq == 1 && pocetcnot > 0) throw ChybaBehu("cyklicka: CNOT na jednom qubite");
    const std::vector<std::array<int, 2>> pary = vsetkypary(pocetq);
    TSTRUKTURA s;
    s.pocetq = pocetq;
    s.cnoty.reserve(static_cast<std::size_t>(pocetcnot));
    for (int i = 0; i < pocetcnot; ++i) s.cnoty.push_back(pary[static_cast<std::size_t>(i) % pary.size()]);
    return s;
}

TSTRUKTURA obratena(const TSTRUKTURA& s) {
    TSTRUKTURA r = s;
    std::reverse(r.cnoty.begin(), r.cnoty.end());
    return r;
}

TOBVOD generickynumericky(const TMAT& U, int pocetq, TTERMIN termin, const std::function<void()>& priebeh) {
    if (pocetq < 1 || pocetq > MAXQ) zlyindex(pocetq, 1, MAXQ);
    const int d = 1 << pocetq;
    if (U.rows() != d || U.cols() != d)
        throw ChybaBehu("generickynumericky: matica " + std::to_string(U.rows()) + "x" + std::to_string(U.cols()) +
                        " pre " + std::to_string(pocetq) + " qubity");
    std::vector<int> q(static_cast<std::size_t>(pocetq));
    for (int i = 0; i < pocetq; ++i) q[static_cast<std::size_t>(i)] = i + 1;
    TOBVOD o(pocetq);
    if (pocetq <= 2) {
        syntetizujvseob(U, q, o);
        return o;
    }
    if (pocetq <= 4) {
        // A matrix with a symmetry (the dynamics of a Heisenberg chain,
        // which commutes with the total spin) can lie where the template at
        // the lower bound stops short (2e-3 on three starts); one CNOT more
        // fits it from the first start, where block-ZXZ would take 75 on
        // four qubits.
        for (int navyse = 0; navyse <= 1; ++navyse) {
            TVOLBYFITU v;
            v.termin = termin;
            v.priebeh = priebeh;
            v.starty = navyse > 0 ? SABLONA_NAVYSE_STARTY : pocetq == 3 ? 4 : 3;
            v.zametania = ZAMETANIA_SABLONY;
            TFIT f = instanciuj(U, cyklicka(pocetq, dolnahranica(pocetq) + navyse), v);
            if (f.presny) return std::move(f.obvod);
        }
        if (pocetq == 3) {
            syntetizujvseob(U, q, o);
            return o;
        }
    }
    if (pocetq == 5 && termin != BEZTERMINU && termin - THODINY::now() >= PRIAMA5_AKO) {
        // block-ZXZ keeps its time behind the 252-CNOT template
        TVOLBYFITU v;
        v.termin = termin - PRIAMA5_REZERVA;
        v.priebeh = priebeh;
        v.starty = PRIAMA5_STARTY;
        v.zametania = ZAMETANIA_SABLONY;
        TFIT f = instanciuj(U, cyklicka(5, dolnahranica(5)), v);
        if (f.presny) return std::move(f.obvod);
    }
    TNUMBLOKY num;
    num.najvacsi = pocetq == 5 ? 4 : 3;
    num.termin = termin;
    num.priebeh = priebeh;
    syntetizujvseobnum(U, q, o, num);
    return o;
}

}  // namespace qlc::synteza
