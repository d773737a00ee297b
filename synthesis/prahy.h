#pragma once
// Thresholds of the two-qubit blocks and of the block-ZXZ recursion. A
// shortcut (fewer CNOTs, a skipped step) is taken only when it changes the
// circuit's unitary by no more than rounding of this order.
#include "core/tolerancie.h"

namespace qlc::synteza {

// A Cartan coordinate of a two-qubit block within this of 0 (mod pi/2) or
// of pi/4 is taken as exactly that, so the block gets fewer CNOTs; the
// circuit then differs from the block by about this much in an entry.
inline constexpr double KAK_NULA = 2e-13;

// A two-qubit circuit with fewer CNOTs is kept only when its local factor
// left over at the end is a Kronecker product within this in every entry;
// otherwise the block gets the general three-CNOT circuit.
inline constexpr double KAK_OVERENIE = 1e-12;

// The general circuit's left-over factor must be a Kronecker product to
// this; above it the two-qubit decomposition has failed.
inline constexpr double KAK_ZLYHANIE = 1e-9;

// An off-diagonal (or diagonal) half of a matrix split on one qubit whose
// entries are all at most this is zero: the matrix is a multiplexor on
// that qubit (or one times a NOT) and the cosine-sine step is skipped.
inline constexpr double BLOK_NULA = 1e-13;

}  // namespace qlc::synteza
