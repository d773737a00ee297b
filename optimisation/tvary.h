#pragma once
// Qubit sets and matrix shapes of gates, as the exchange and merge rules
// read them. Everything here is recomputed from the gate record on every
// call: the shapes depend on U, which exchanges change during a move, and
// on eps, so nothing of it is cached between steps.
//
// The optimiser asks these questions millions of times, so the tests are
// written inline here. Each gives exactly the answer of the matrix core's
// routine it stands for (rovnasa, diagonalna2, rovnake2, nasob2); the
// comments say why.
#include <bit>
#include <cmath>
#include <cstdint>

#include "core/form1.h"
#include "core/brany.h"
#include "core/matica.h"

namespace qlc {

// Bit q of a qubit set. A qubit number outside the bit array of a basis
// state (1..5) is a bad index, as it is for the full matrix of the gate.
inline std::uint32_t bitqubitu(int q) {
    if (q < TBSTAV::lo || q > TBSTAV::hi) zlyindex(q, TBSTAV::lo, TBSTAV::hi);
    return 1u << q;
}

// C(x), the controls kontroly[1..pocetk], and Q(x) = {ciel} + C(x), as bit
// sets. A pocetk above 4 reads kontroly[5] and fails as a bad index.
struct TQUBITY {
    std::uint32_t c = 0;
    std::uint32_t q = 0;
};

inline TQUBITY qubity(const TGATE1& g) {
    std::uint32_t c = 0;
    for (int j = 1; j <= g.pocetk; ++j) c |= bitqubitu(g.kontroly[j]);
    return {c, c | bitqubitu(g.ciel)};
}

// X within Y.
inline bool podmnozina(std::uint32_t x, std::uint32_t y) { return (x & ~y) == 0; }

// Complex equality with 0 and with 1. The tolerance of a part is
// max(1e-12, 1e-12 * min(|x|, |y|)); against 0, and against 1 for a part
// whose counterpart is 1, min(|x|, |y|) is at most 1, so the tolerance is
// 1e-12 itself (also for a NaN part, which fails the comparison either way).
inline bool jenula(const TKOMPLEX& z) { return std::fabs(z.re) <= NULA && std::fabs(z.im) <= NULA; }
inline bool jejedna(const TKOMPLEX& z) { return std::fabs(z.re - 1.0) <= NULA && std::fabs(z.im) <= NULA; }

// D(x): both off-diagonal entries zero (diagonalna2).
inline bool diagonalna(const TGATE1& g) { return jenula(g.U.u12()) && jenula(g.U.u21()); }
// U(1,1) = 0 and U(2,2) = 0.
inline bool antidiagonalna(const TGATE1& g) { return jenula(g.U.u11()) && jenula(g.U.u22()); }
// Diagonal with U(1,1) = 1: a phase U(2,2) on the states in which every
// qubit of Q(x) is 1, so any qubit of Q(x) can be read as its target.
inline bool riadenafaza(const TGATE1& g) { return diagonalna(g) && jejedna(g.U.u11()); }
// Diagonal with U(1,1) = U(2,2): a phase U(1,1) on the states in which every
// control is 1, whatever the target.
inline bool skalarna(const TGATE1& g) { return diagonalna(g) && rovnasa(g.U.u11(), g.U.u22()); }

// rovnake2(X, Y, eps): no entry of X - Y has modulus above eps. The answer
// is decided by the first such entry, so the walk may stop there.
inline bool rovnake2eps(const TMATICA2& X, const TMATICA2& Y, double eps) {
    for (int k = 0; k < 4; ++k)
        if (!vtolerancii(modul(X.a[k] - Y.a[k]), eps)) return false;
    return true;
}

// The tolerance within which two gates on the same target are taken to
// commute, or a merged pair to cancel. Either decision leaves the pair's
// difference from the truth in the circuit: a tiny phase gate taken to
// commute with the CNOT that reads it as a target, or a product a few
// 1e-8 off the identity that is dropped, costs exactly that much, and one
// moving gate may pass many such partners. So both are decided to
// rounding, as the shapes are (never looser than the run's eps); pairs that
// only nearly commute are still exchanged exactly by conjugation where
// their controls allow it.
inline double epszaokruhlenia(double eps) { return eps < TVAR ? eps : TVAR; }

// One control and U equal to NOT within eps.
inline bool cnot(const TGATE1& g, const TMATICA2& matnot, double eps) {
    return g.pocetk == 1 && rovnake2eps(g.U, matnot, eps);
}

// Entry (i, j) of nasob2(X, Y), with the same operations in the same order:
// the sum starts at 0 and adds the products for k = 1, 2, each snapped.
inline TKOMPLEX sucin2(const TMATICA2& X, const TMATICA2& Y, int i, int j) {
    TKOMPLEX s;
    s = s + X.a[2 * i] * Y.a[j];
    s = s + X.a[2 * i + 1] * Y.a[2 + j];
    return s;
}

// rovnake2(nasob2(X, Y), nasob2(Y, X), eps): X and Y commute within eps.
inline bool komutuju2(const TMATICA2& X, const TMATICA2& Y, double eps) {
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            if (!vtolerancii(modul(sucin2(X, Y, i, j) - sucin2(Y, X, i, j)), eps)) return false;
    return true;
}

// rovnake(X.M, Y.M, rozmer, eps) for two products of the step checks:
// every entry of the difference within eps. Finite entries equal bit for
// bit differ by an exact 0, which passes for any eps >= 0, so only the
// others are measured, and of a product with known nonzero columns only
// those. Two equal infinite parts are measured as well: their difference is
// NaN, which rovnake never takes for equality.
inline bool rovnakesucin(const TSUCIN& X, const TSUCIN& Y, int rozmer, double eps) {
    if (!(eps >= 0.0) || rozmer < 1 || rozmer > MAXROZMER) return rovnake(X.M, Y.M, rozmer, eps);
    const std::uint64_t vsetky = rozmer == 64 ? ~0ull : (1ull << rozmer) - 1;
    for (int i = 1; i <= rozmer; ++i) {
        const TKOMPLEX* x = X.M.riadok(i);
        const TKOMPLEX* y = Y.M.riadok(i);
        const std::uint64_t m = X.plna || Y.plna ? vsetky
                                                 : X.stlpce.at(static_cast<std::size_t>(i - 1)) |
                                                       Y.stlpce.at(static_cast<std::size_t>(i - 1));
        for (std::uint64_t b = m; b != 0; b &= b - 1) {
            const int j = std::countr_zero(b);
            const bool zhodne = x[j].re == y[j].re && x[j].im == y[j].im && std::isfinite(x[j].re) &&
                                std::isfinite(x[j].im);
            if (!zhodne && !vtolerancii(modul(x[j] - y[j]), eps)) return false;
        }
    }
    return true;
}

}  // namespace qlc
