#pragma once
// Qubit sets and matrix shapes of gates, as the exchange and merge rules
// read them. Everything here is recomputed from the gate record on every
// call: the shapes depend on U, which exchanges change during a move, and
// on eps, so nothing of it is cached between steps.
#include <cstdint>

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

// Entry tests by complex equality (1e-12 per part, not eps).
inline bool jenula(const TKOMPLEX& z) { return rovnasa(z, TKOMPLEX()); }
inline bool jejedna(const TKOMPLEX& z) { return rovnasa(z, TKOMPLEX(1.0)); }

// D(x): both off-diagonal entries zero.
inline bool diagonalna(const TGATE1& g) { return diagonalna2(g.U); }
// U(1,1) = 0 and U(2,2) = 0.
inline bool antidiagonalna(const TGATE1& g) { return jenula(g.U.u11()) && jenula(g.U.u22()); }
// Diagonal with U(1,1) = 1: a phase U(2,2) on the states in which every
// qubit of Q(x) is 1, so any qubit of Q(x) can be read as its target.
inline bool riadenafaza(const TGATE1& g) { return diagonalna(g) && jejedna(g.U.u11()); }
// Diagonal with U(1,1) = U(2,2): a phase U(1,1) on the states in which every
// control is 1, whatever the target.
inline bool skalarna(const TGATE1& g) { return diagonalna(g) && rovnasa(g.U.u11(), g.U.u22()); }
// One control and U equal to NOT within eps.
inline bool cnot(const TGATE1& g, const TMATICA2& matnot, double eps) {
    return g.pocetk == 1 && rovnake2(g.U, matnot, eps);
}

}  // namespace qlc
