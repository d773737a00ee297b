#pragma once
// Thresholds of the two-qubit blocks and of the block-ZXZ recursion. A
// shortcut (fewer CNOTs, a skipped step) is taken only when it changes the
// circuit's unitary by no more than rounding of this order.
#include "core/tolerancie.h"

namespace qlc::synteza {

// A Cartan coordinate of a two-qubit block within this of 0 (mod pi/2) or
// of pi/4 makes the block a candidate for fewer CNOTs. Such a circuit
// differs from the block by up to about three times the coordinate in an
// entry, so KAK_OVERENIE decides whether it is kept.
inline constexpr double KAK_NULA = 2e-13;

// A two-qubit circuit with fewer CNOTs is kept only when its local factor
// left over at the end is a Kronecker product within this in every entry
// (the circuit then matches the block to about this); otherwise the block
// gets the general three-CNOT circuit, exact to rounding: fewer CNOTs never
// cost more than rounding.
inline constexpr double KAK_OVERENIE = 2e-14;

// The general circuit's left-over factor must be a Kronecker product to
// this; above it the two-qubit decomposition has failed.
inline constexpr double KAK_ZLYHANIE = 1e-9;

// An off-diagonal (or diagonal) half of a matrix split on one qubit whose
// entries are all at most this is zero: the matrix is a multiplexor on
// that qubit (or one times a NOT) and the cosine-sine step is skipped. The
// circuit then misses those entries, so the bound is at rounding.
inline constexpr double BLOK_NULA = 5e-15;

}  // namespace qlc::synteza
