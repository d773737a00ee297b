#include "reverzibilny.h"

#include <cmath>
#include <string>

#include "core/chyby.h"
#include "struktura.h"
#include "tolerancie.h"

namespace qlc::synteza {

namespace {

// The NOTs that carry the basis state z to ciel without moving any state
// below ciel (z >= ciel, every state below ciel in place): first each bit
// of ciel missing in z is set, controlled by the ones of z so far, then
// each bit of z not in ciel is cleared, controlled by the ones of ciel. A
// state j below ciel holds neither control set whole (it would then be at
// least z or ciel), so no NOT fires on it. Bits as indices: bit 0 the least
// significant.
struct TKROK {
    int kontroly = 0;  // a mask of bits
    int ciel = 0;      // a bit
};

std::vector<TKROK> kroky(int z, int ciel) {
    std::vector<TKROK> k;
    for (int b = 0; (ciel >> b) != 0; ++b)
        if (((ciel >> b) & 1) && !((z >> b) & 1)) {
            k.push_back({z, b});
            z |= 1 << b;
        }
    for (int b = 0; (z >> b) != 0; ++b)
        if (((z >> b) & 1) && !((ciel >> b) & 1)) {
            k.push_back({ciel, b});
            z &= ~(1 << b);
        }
    return k;
}

int pocetjednotiek(int x) {
    int p = 0;
    for (; x != 0; x &= x - 1) ++p;
    return p;
}

// CNOTs of a NOT with c controls
int cenakontrol(int c) { return c <= 1 ? c : (1 << (c + 1)) - 2; }

int cena(const std::vector<TKROK>& k) {
    int c = 0;
    for (const TKROK& x : k) c += cenakontrol(pocetjednotiek(x.kontroly));
    return c;
}

// x with the step's NOT applied
int aplikuj(const TKROK& k, int x) { return (x & k.kontroly) == k.kontroly ? x ^ (1 << k.ciel) : x; }

TMCT namct(const TKROK& k, int m) {
    TMCT g;
    for (int b = m - 1; b >= 0; --b)
        if ((k.kontroly >> b) & 1) g.kontroly.push_back(m - b);
    g.ciel = m - k.ciel;
    return g;
}

}  // namespace

bool permutacia(const TMAT& U, std::vector<int>& f, Eigen::VectorXcd& D) {
    const Eigen::Index d = U.rows();
    if (d == 0 || U.cols() != d) return false;
    f.assign(static_cast<std::size_t>(d), -1);
    D.resize(d);
    std::vector<char> obsadene(static_cast<std::size_t>(d), 0);
    for (Eigen::Index x = 0; x < d; ++x) {
        Eigen::Index r = 0;
        U.col(x).cwiseAbs().maxCoeff(&r);
        if (!(std::abs(std::abs(U(r, x)) - 1.0) <= JEDNOTKA_NULA) || obsadene[static_cast<std::size_t>(r)]) return false;
        for (Eigen::Index i = 0; i < d; ++i)
            if (i != r && !(std::abs(U(i, x)) <= ROZKLAD_PRESNOST)) return false;
        obsadene[static_cast<std::size_t>(r)] = 1;
        f[static_cast<std::size_t>(x)] = static_cast<int>(r);
        D(x) = U(r, x);
    }
    return true;
}

std::vector<TMCT> mctobvod(const std::vector<int>& f, int m) {
    if (m < 1 || m > 6 || f.size() != (std::size_t{1} << m))
        throw ChybaBehu("mctobvod: permutacia " + std::to_string(f.size()) + " stavov pre " + std::to_string(m) +
                        " qubitov");
    const int d = 1 << m;
    std::vector<int> g = f, inv(static_cast<std::size_t>(d), -1);
    for (int x = 0; x < d; ++x) {
        const int y = g[static_cast<std::size_t>(x)];
        if (y < 0 || y >= d || inv[static_cast<std::size_t>(y)] >= 0)
            throw ChybaBehu("mctobvod: zobrazenie nie je permutacia");
        inv[static_cast<std::size_t>(y)] = x;
    }
    // g = O_1 ... O_k g' I_1 ... I_l with g' becoming the identity: the
    // output side's NOTs after, the input side's before
    std::vector<TKROK> vystup, vstup;
    for (int i = 0; i < d; ++i) {
        const int obraz = g[static_cast<std::size_t>(i)];
        if (obraz == i) continue;
        const int vzor = inv[static_cast<std::size_t>(i)];
        const std::vector<TKROK> kv = kroky(obraz, i), ki = kroky(vzor, i);
        if (cena(kv) <= cena(ki)) {
            // g := N g for each NOT N: the images move
            for (const TKROK& k : kv) {
                for (int x = 0; x < d; ++x) g[static_cast<std::size_t>(x)] = aplikuj(k, g[static_cast<std::size_t>(x)]);
                vystup.push_back(k);
            }
        } else {
            // g := g N: the preimages move
            for (const TKROK& k : ki) {
                std::vector<int> h(static_cast<std::size_t>(d));
                for (int x = 0; x < d; ++x) h[static_cast<std::size_t>(x)] = g[static_cast<std::size_t>(aplikuj(k, x))];
                g = std::move(h);
                vstup.push_back(k);
            }
        }
        for (int x = 0; x < d; ++x) inv[static_cast<std::size_t>(g[static_cast<std::size_t>(x)])] = x;
    }
    std::vector<TMCT> obvod;
    for (const TKROK& k : vstup) obvod.push_back(namct(k, m));
    for (auto it = vystup.rbegin(); it != vystup.rend(); ++it) obvod.push_back(namct(*it, m));
    return obvod;
}

int cenamct(const TMCT& g) { return cenakontrol(static_cast<int>(g.kontroly.size())); }

void pridajmct(const TMCT& g, TOBVOD& o) {
    const int c = static_cast<int>(g.kontroly.size());
    if (c == 1) {
        o.cnot(g.kontroly.front(), g.ciel);
        return;
    }
    if (c == 0) {
        o.jednoq(g.ciel, paulimat(1));
        return;
    }
    const double s = 1.0 / std::sqrt(2.0);
    TMAT2 h;
    h << s, s, s, -s;
    o.jednoq(g.ciel, h);
    std::vector<int> q = g.kontroly;
    q.push_back(g.ciel);
    const Eigen::Index d = Eigen::Index{1} << (c + 1);
    TMAT Z = TMAT::Identity(d, d);
    Z(d - 1, d - 1) = -1.0;
    diagonalnyobvod(Z, q, o);
    o.jednoq(g.ciel, h);
}

}  // namespace qlc::synteza
