// Random unitary matrices: a product of random two-level matrices, their
// inverses and diagonal phase matrices, drawn from the 32-bit linear
// congruential generator TGENERATOR.
#include <algorithm>
#include <numbers>

#include "core/form1.h"
#include "core/text.h"

namespace qlc {

namespace {

constexpr const char* UNITARNA = "Nahodne bola vygenerovana unitarna matica.";
constexpr const char* NEUNITARNA = "Nahodne vygenerovana matica nie je unitarna!!!!";

// M := M . S for a two-level S (identity outside rows and columns q < p).
// Columns other than p and q keep their values: their sum is 0 + M(i,j) . 1,
// and with snapped finite entries both steps are exact. Columns q and p are
// the sums over k = q, then k = p, of M(i,k) . S(k,j); the other terms have
// an exact zero factor. This is the full nasob bit for bit.
void nasobdvojurovnovou(TMATICA1& M, const TMATICA1& S, int p, int q, int rozmer) {
    const TKOMPLEX sqq = S(q, q), sqp = S(q, p), spq = S(p, q), spp = S(p, p);
    for (int i = 1; i <= rozmer; ++i) {
        const TKOMPLEX mq = M(i, q), mp = M(i, p);
        M(i, q) = TKOMPLEX() + mq * sqq + mp * spq;
        M(i, p) = TKOMPLEX() + mq * sqp + mp * spp;
    }
}

}  // namespace

void TForm1::generuj(TMATICA1& M, int pocet) { generujseed(M, pocet, platforma.semienko()); }

void TForm1::generujseed(TMATICA1& M, int pocet, std::uint32_t seed) {
    const int N = rozmer;
    generator.seed = seed;
    const TKOMPLEX jedna = nakomplex("1"), nula = nakomplex("0");
    for (int i = 1; i <= N; ++i)
        for (int j = 1; j <= N; ++j) M(i, j) = i == j ? jedna : nula;
    progresstart(pocet);
    for (int krok = 1; krok <= pocet; ++krok) {
        progreskrok();
        const int d = generator.cele(N);
        const int e = generator.cele(N);
        int f = d + 1, g = e + 1;
        if (d == e) {
            if (f > 1)
                g = f - 1;
            else
                f = 2;  // then g = 1
        }
        const int h = generator.cele(3);
        if (h == 1 || h == 2) {
            const int p = std::max(f, g), q = std::min(f, g);
            const double u1 = generator.realne();
            const double u2 = generator.realne();
            const double omega = 2.0 * std::numbers::pi * u1, fi = 2.0 * std::numbers::pi * u2;
            const TMATICA1 S = h == 1 ? vyrobTpq(p, q, omega, fi) : vyrobTpqinv(p, q, omega, fi);
            nasobdvojurovnovou(M, S, p, q, N);
        } else {
            // M . diag(e^(i theta_j)) scales column j; the full product's sum
            // for (i, j) is 0 + M(i,j) . S(j,j), the same value.
            for (int j = 1; j <= N; ++j) {
                const double theta = (2.0 * generator.realne() - 1.0) * std::numbers::pi;
                const TKOMPLEX s = polar(1.0, theta);
                for (int i = 1; i <= N; ++i) M(i, j) = TKOMPLEX() + M(i, j) * s;
            }
        }
    }
    if (unitarna(M, N, eps))
        log(UNITARNA);
    else
        log(NEUNITARNA);
    zobrazmaticu(M);
    progresskry();
}

}  // namespace qlc
