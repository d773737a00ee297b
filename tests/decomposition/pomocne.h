#pragma once
// Independent references for the decomposition tests: dense std::complex
// matrices, the full matrix of a gate from the bit numbering alone (qubit 1
// the most significant bit of the state number minus one), the circuit as a
// plain product (gate 1 acting first), and seeded unitary test matrices.
#include <complex>
#include <cstring>
#include <random>
#include <vector>

#include "core/form1.h"

namespace qlc::test {

using cd = std::complex<double>;

struct Husta {
    int n;
    std::vector<cd> a;
    explicit Husta(int rozmer, bool jednotka = false) : n(rozmer), a(static_cast<std::size_t>(rozmer * rozmer)) {
        for (int i = 1; jednotka && i <= n; ++i) (*this)(i, i) = 1.0;
    }
    cd& operator()(int i, int j) { return a.at(static_cast<std::size_t>((i - 1) * n + (j - 1))); }
    cd operator()(int i, int j) const { return a.at(static_cast<std::size_t>((i - 1) * n + (j - 1))); }
};

inline Husta sucin(const Husta& X, const Husta& Y) {
    Husta Z(X.n);
    for (int i = 1; i <= X.n; ++i)
        for (int k = 1; k <= X.n; ++k)
            if (X(i, k) != 0.0)
                for (int j = 1; j <= X.n; ++j) Z(i, j) += X(i, k) * Y(k, j);
    return Z;
}

inline TMATICA1 naTMATICA1(const Husta& H) {
    TMATICA1 M;
    for (int i = 1; i <= H.n; ++i)
        for (int j = 1; j <= H.n; ++j) M(i, j) = TKOMPLEX(H(i, j).real(), H(i, j).imag());
    return M;
}

inline double rozdiel(const Husta& X, const Husta& Y) {
    double m = 0.0;
    for (std::size_t k = 0; k < X.a.size(); ++k) m = std::max(m, std::abs(X.a[k] - Y.a[k]));
    return m;
}

// The operator of gates 1..pocetb1: each gate's dense matrix acts on the
// pairs of 0-based states s (target bit 0) and s | target bit whose
// controls are all 1.
inline Husta obvod(const TForm1& f) {
    const int n = f.pocetq, rozmer = 1 << n;
    const auto bit = [n](int s, int k) { return (s >> (n - k)) & 1; };
    Husta M(rozmer, true);
    for (int i = 1; i <= f.pocetb1; ++i) {
        const TGATE1& g = f.brany[i];
        Husta G(rozmer, true);
        for (int s = 0; s < rozmer; ++s) {
            bool aktivna = bit(s, g.ciel) == 0;
            for (int j = 1; j <= g.pocetk; ++j) aktivna = aktivna && bit(s, g.kontroly[j]) == 1;
            if (!aktivna) continue;
            const int e = s | (1 << (n - g.ciel));
            const auto U = [&](int r, int c) { return cd(g.U(r, c).re, g.U(r, c).im); };
            G(s + 1, s + 1) = U(1, 1), G(s + 1, e + 1) = U(1, 2), G(e + 1, s + 1) = U(2, 1), G(e + 1, e + 1) = U(2, 2);
        }
        M = sucin(G, M);
    }
    return M;
}

// Random phases on the diagonal, then many random 2x2 unitary rotations of
// random pairs of rows.
inline Husta nahodnaunitarna(int rozmer, std::uint32_t semienko) {
    std::mt19937 gen(semienko);
    std::uniform_real_distribution<double> uhol(0.0, 2.0 * M_PI);
    std::uniform_int_distribution<int> stav(1, rozmer);
    Husta U(rozmer);
    for (int i = 1; i <= rozmer; ++i) U(i, i) = std::polar(1.0, uhol(gen));
    for (int r = 0; r < 4 * rozmer * rozmer; ++r) {
        const int i = stav(gen), j = stav(gen);
        const double t = uhol(gen), f1 = uhol(gen), f2 = uhol(gen);
        if (i == j) continue;
        const cd a = std::cos(t) * std::polar(1.0, f1), b = -std::sin(t) * std::polar(1.0, -f2);
        const cd c = std::sin(t) * std::polar(1.0, f2), d = std::cos(t) * std::polar(1.0, -f1);
        for (int k = 1; k <= rozmer; ++k) {
            const cd x = U(i, k), y = U(j, k);
            U(i, k) = a * x + b * y;
            U(j, k) = c * x + d * y;
        }
    }
    return U;
}

// Permutation matrix whose column j has its 1 in row obraz[j - 1].
inline Husta permutacia(const std::vector<int>& obraz) {
    Husta P(static_cast<int>(obraz.size()));
    for (int j = 1; j <= P.n; ++j) P(obraz[static_cast<std::size_t>(j - 1)], j) = 1.0;
    return P;
}

// Bitwise equality of the whole 64 x 64 array, entries beyond rozmer too.
inline bool bitovorovnake(const TMATICA1& X, const TMATICA1& Y) {
    return std::memcmp(X.a.data(), Y.a.data(), sizeof X.a) == 0;
}
inline bool bitovorovnake(const TMATICA2& X, const TMATICA2& Y) {
    return std::memcmp(X.a.data(), Y.a.data(), sizeof X.a) == 0;
}

inline void nastavqubity(TForm1& f, int n) {
    f.pocetq = n;
    f.rozmer = 1 << n;
}

}  // namespace qlc::test
