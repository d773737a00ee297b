#include "presna.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "chyby.h"

namespace qlc {

namespace {

void overrozmer(int rozmer) {
    if (rozmer < 1 || rozmer > MAXROZMER) zlyindex(rozmer, 1, MAXROZMER);
}

}  // namespace

TPRESNA::TPRESNA(int r) : rozmer(r) {
    overrozmer(r);
    a.assign(static_cast<std::size_t>(r) * static_cast<std::size_t>(r), {});
}

std::complex<double>& TPRESNA::operator()(int i, int j) {
    if (i < 1 || i > rozmer) zlyindex(i, 1, rozmer);
    if (j < 1 || j > rozmer) zlyindex(j, 1, rozmer);
    return a[static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(rozmer) + static_cast<std::size_t>(j - 1)];
}

const std::complex<double>& TPRESNA::operator()(int i, int j) const {
    if (i < 1 || i > rozmer) zlyindex(i, 1, rozmer);
    if (j < 1 || j > rozmer) zlyindex(j, 1, rozmer);
    return a[static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(rozmer) + static_cast<std::size_t>(j - 1)];
}

TPRESNA presnazmatice(const TMATICA1& M, int rozmer) {
    TPRESNA p(rozmer);
    for (int i = 1; i <= rozmer; ++i)
        for (int j = 1; j <= rozmer; ++j) p(i, j) = {M(i, j).re, M(i, j).im};
    return p;
}

TMATICA1 zaokruhli(const TPRESNA& p) {
    TMATICA1 M;
    for (int i = 1; i <= p.rozmer; ++i)
        for (int j = 1; j <= p.rozmer; ++j) M(i, j) = TKOMPLEX(p(i, j).real(), p(i, j).imag());
    return M;
}

bool zodpoveda(const TPRESNA& p, const TMATICA1& M, int rozmer) {
    if (p.rozmer != rozmer || p.prazdna()) return false;
    for (int i = 1; i <= rozmer; ++i)
        for (int j = 1; j <= rozmer; ++j) {
            const TKOMPLEX z(p(i, j).real(), p(i, j).imag());
            // NaN never matches, as it should not
            if (!(z.re == M(i, j).re && z.im == M(i, j).im)) return false;
        }
    return true;
}

TPRESNA presnaalebo(const TPRESNA& p, const TMATICA1& M, int rozmer) {
    return zodpoveda(p, M, rozmer) ? p : presnazmatice(M, rozmer);
}

double odchylkasiete(TZoznamBran brany, int pocet, int pocetq, const TPRESNA& V) {
    if (pocetq < 1 || pocetq > 6) zlyindex(pocetq, 1, 6);
    const int d = 1 << pocetq;
    if (V.rozmer != d)
        throw ChybaBehu("odchylkasiete: matica " + std::to_string(V.rozmer) + " pre " + std::to_string(pocetq) +
                        " qubitov");
    using K = std::complex<double>;
    // C, row by row; a gate mixes pairs of rows
    std::vector<K> C(static_cast<std::size_t>(d) * static_cast<std::size_t>(d));
    for (int i = 0; i < d; ++i) C[static_cast<std::size_t>(i) * static_cast<std::size_t>(d + 1)] = 1.0;
    for (int k = 1; k <= pocet; ++k) {
        const TGATE1& g = brany[k];
        if (!spravnabrana(g, pocetq))
            throw ChybaBehu("odchylkasiete: brana " + std::to_string(k) + " nema spravny ciel a kontroly");
        const unsigned t = 1u << (pocetq - g.ciel);
        unsigned c = 0;
        for (int j = 1; j <= g.pocetk; ++j) c |= 1u << (pocetq - g.kontroly[j]);
        const K u11(g.U.u11().re, g.U.u11().im), u12(g.U.u12().re, g.U.u12().im);
        const K u21(g.U.u21().re, g.U.u21().im), u22(g.U.u22().re, g.U.u22().im);
        for (unsigned s = 0; s < static_cast<unsigned>(d); ++s) {
            if ((s & t) || (s & c) != c) continue;
            K* ri = &C[static_cast<std::size_t>(s) * static_cast<std::size_t>(d)];
            K* re = &C[static_cast<std::size_t>(s | t) * static_cast<std::size_t>(d)];
            for (int j = 0; j < d; ++j) {
                const K x = ri[j], y = re[j];
                ri[j] = u11 * x + u12 * y;
                re[j] = u21 * x + u22 * y;
            }
        }
    }
    double m = 0.0;
    for (int i = 1; i <= d; ++i)
        for (int j = 1; j <= d; ++j) {
            const double r = std::abs(C[static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(d) +
                                        static_cast<std::size_t>(j - 1)] -
                                      V(i, j));
            if (std::isnan(r)) return r;
            m = std::max(m, r);
        }
    return m;
}

}  // namespace qlc
