#include "clifford.h"

#include <algorithm>
#include <array>
#include <limits>
#include <cmath>
#include <string>
#include <vector>

#include "core/chyby.h"

namespace qlc::synteza {

namespace {

using TKOMP = std::complex<double>;

// Entries of a Pauli string's image and of the circuit against U: rounding
// of a product of a few dozen exact gates.
constexpr double PAULI_PRESNOST = 1e-12;

// A Pauli string on m qubits with a sign: znak * (x) paulimat(typ[q-1]).
struct TPAULI {
    std::vector<int> typ;
    double znak = 1.0;
};

// M as a signed Pauli string, when it is one within PAULI_PRESNOST. The
// string's X part is where row 0 has its entry; each Z part of the 2^m is
// then tried.
bool pauli(const TMAT& M, int m, TPAULI& p) {
    const Eigen::Index d = M.rows();
    Eigen::Index x = 0;
    M.row(0).cwiseAbs().maxCoeff(&x);
    for (Eigen::Index z = 0; z < d; ++z) {
        TMAT P = TMAT::Identity(d, d);
        std::vector<int> typ(static_cast<std::size_t>(m));
        for (int q = 1; q <= m; ++q) {
            const int bx = static_cast<int>((x >> (m - q)) & 1), bz = static_cast<int>((z >> (m - q)) & 1);
            const int t = bx ? (bz ? 2 : 1) : (bz ? 3 : 0);
            typ[static_cast<std::size_t>(q - 1)] = t;
            if (t != 0) P = jednoqzlava(paulimat(t), q, m, P);
        }
        const TKOMP s = (P.adjoint() * M).trace() / static_cast<double>(d);
        if (!(std::abs(std::abs(s.real()) - 1.0) <= PAULI_PRESNOST)) continue;
        const double znak = s.real() > 0 ? 1.0 : -1.0;
        if ((M - znak * P).cwiseAbs().maxCoeff() <= PAULI_PRESNOST) {
            p.typ = std::move(typ);
            p.znak = znak;
            return true;
        }
    }
    return false;
}

// A gate of the reduction: one-qubit G on q, or a CNOT (kontrola, q).
struct TKROK {
    int q = 0;
    int kontrola = 0;
    TMAT2 G = TMAT2::Identity();
};

struct TREDUKCIA {
    int m;
    TMAT W;  // the gates so far times U
    std::vector<TKROK> kroky;
    int cnoty = 0;

    void jednoq(int q, const TMAT2& G) {
        W = jednoqzlava(G, q, m, W);
        kroky.push_back({q, 0, G});
    }
    void cnot(int k, int t) {
        TOBVOD o(m);
        o.cnot(k, t);
        aplikujbranu(o.brany.front(), m, W);
        kroky.push_back({t, k, TMAT2::Identity()});
        ++cnoty;
    }
    bool obraz(int q, int t, TPAULI& p) const { return pauli(jednoqzprava(W, paulimat(t), q, m) * W.adjoint(), m, p); }
};

// A one-qubit Clifford gate G with G paulimat(t) G^dagger = +-Z.
TMAT2 naz(int t) {
    const double s = 1.0 / std::sqrt(2.0);
    TMAT2 g;
    if (t == 1)
        g << s, s, s, -s;  // H
    else if (t == 2)
        g << s, TKOMP(0.0, -s), TKOMP(0.0, -s), s;  // Rx(pi/2): Y -> Z
    else
        g = TMAT2::Identity();
    return g;
}

// The image of paulimat(t) on qubit q made +-Z_q by gates on q and the
// qubits dalsie, those not yet reduced: every factor made Z by a one-qubit
// gate; when q is outside the support, a CNOT from q onto the support's
// first qubit brings it in (Z_k -> Z_q Z_k); then a CNOT from each other
// qubit k of the support onto q takes Z_k away (Z_q Z_k -> Z_q). The
// qubits already reduced, on which the gates so far and U act as the
// identity, are not touched.
bool nazq(TREDUKCIA& r, int q, const std::vector<int>& dalsie, int t, TPAULI& p) {
    auto typ = [&](int k) { return p.typ[static_cast<std::size_t>(k - 1)]; };
    if (!r.obraz(q, t, p)) return false;
    if (typ(q) == 1 || typ(q) == 2) r.jednoq(q, naz(typ(q)));
    for (int k : dalsie)
        if (typ(k) == 1 || typ(k) == 2) r.jednoq(k, naz(typ(k)));
    if (!r.obraz(q, t, p)) return false;
    if (typ(q) == 0) {
        int prvy = 0;
        for (int k : dalsie)
            if (prvy == 0 && typ(k) != 0) prvy = k;
        if (prvy == 0) return false;
        r.cnot(q, prvy);
        if (!r.obraz(q, t, p)) return false;
    }
    for (int k : dalsie)
        if (typ(k) != 0) r.cnot(k, q);
    return r.obraz(q, t, p);
}

enum class TVYSLEDOK { neclifford, nadstrop, hotovo };

// The reduction of U with the qubits taken in the order poradie, given up
// once it has more than strop CNOTs.
TVYSLEDOK redukuj(const TMAT& U, int m, const std::vector<int>& poradie, int strop, TREDUKCIA& r) {
    r = TREDUKCIA{m, U, {}, 0};
    const TMAT2 h = naz(1);
    const TMAT2 x = paulimat(1), z = paulimat(3);
    for (std::size_t i = 0; i < poradie.size(); ++i) {
        const int q = poradie[i];
        const std::vector<int> dalsie(poradie.begin() + static_cast<std::ptrdiff_t>(i) + 1, poradie.end());
        auto typ = [&](const TPAULI& p, int k) { return p.typ[static_cast<std::size_t>(k - 1)]; };
        // the image of X_q to X_q
        TPAULI p;
        if (!nazq(r, q, dalsie, 1, p)) return TVYSLEDOK::neclifford;
        r.jednoq(q, h);  // Z_q -> X_q
        if (!r.obraz(q, 1, p)) return TVYSLEDOK::neclifford;
        if (p.znak < 0) r.jednoq(q, z);
        // the image of Z_q, which anticommutes with X_q, to Z_q; the CNOTs
        // onto q keep X_q (X on a target passes)
        if (!r.obraz(q, 3, p)) return TVYSLEDOK::neclifford;
        for (int k : dalsie)
            if (typ(p, k) == 1 || typ(p, k) == 2) r.jednoq(k, naz(typ(p, k)));
        if (!r.obraz(q, 3, p)) return TVYSLEDOK::neclifford;
        for (int k : dalsie)
            if (typ(p, k) != 0) r.cnot(k, q);  // Z_k Z_q or Z_k Y_q: Z_k leaves
        if (!r.obraz(q, 3, p)) return TVYSLEDOK::neclifford;
        if (typ(p, q) == 2) r.jednoq(q, naz(2));  // Y_q -> Z_q, X_q kept
        if (!r.obraz(q, 3, p)) return TVYSLEDOK::neclifford;
        if (p.znak < 0) r.jednoq(q, x);
        if (r.cnoty > strop) return TVYSLEDOK::nadstrop;
    }
    return TVYSLEDOK::hotovo;
}

}  // namespace

bool cliffordovobvod(const TMAT& U, int m, TOBVOD& o) {
    if (m < 1 || m > 6 || U.rows() != (Eigen::Index{1} << m) || U.cols() != U.rows())
        throw ChybaBehu("cliffordovobvod: matica " + std::to_string(U.rows()) + " x " +
                        std::to_string(U.cols()) + " pre " + std::to_string(m) + " qubitov");
    // every order of the qubits (120 on five, 17 ms each), the fewest CNOTs
    // kept: on 5-qubit stabilizer circuits of 60 CNOTs the best order needs
    // 10 and 13 where the order 1..5 needs 20 and 18
    std::vector<int> poradie(static_cast<std::size_t>(m));
    for (int q = 1; q <= m; ++q) poradie[static_cast<std::size_t>(q - 1)] = q;
    TREDUKCIA r{m, U, {}, 0}, najlepsia{m, U, {}, 0};
    int strop = std::numeric_limits<int>::max();
    do {
        const TVYSLEDOK v = redukuj(U, m, poradie, strop, r);
        if (v == TVYSLEDOK::neclifford) return false;
        if (v == TVYSLEDOK::hotovo && r.cnoty < strop) {
            strop = r.cnoty;
            najlepsia = std::move(r);
        }
        // a unitary that joins every qubit needs m - 1 CNOTs at least
    } while (strop > m - 1 && std::next_permutation(poradie.begin(), poradie.end()));
    r = std::move(najlepsia);
    // r.W = e^{i fi} I: U = (the gates)^dagger e^{i fi}, the gates in reverse
    TOBVOD c(m);
    for (auto it = r.kroky.rbegin(); it != r.kroky.rend(); ++it) {
        if (it->kontrola != 0)
            c.cnot(it->kontrola, it->q);
        else
            c.jednoq(it->q, it->G.adjoint());
    }
    const TKOMP faza = r.W(0, 0);
    c.jednoq(1, faza * TMAT2::Identity());
    const TMAT V = zlozenie(c.brany, m) * std::polar(1.0, -c.faza);
    if (!((V - U).cwiseAbs().maxCoeff() <= PAULI_PRESNOST)) return false;
    o = std::move(c);
    return true;
}

}  // namespace qlc::synteza
