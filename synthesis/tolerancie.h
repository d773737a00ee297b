#pragma once
// Tolerances of the minimal-CNOT synthesis: structure found only when it
// holds to rounding, so that every shortcut stays exact.
#include "core/tolerancie.h"

namespace qlc::synteza {

// A rotation angle of magnitude at most this is dropped: the rotation
// differs from the identity by at most half of it in every entry, and the
// 2^k angles of one multiplexed rotation by at most 2^(k-1) times it.
inline constexpr double UHOL_NULA = 2e-15;

// A one-qubit gate each of whose entries' parts differs from the identity by
// at most this is dropped (a scalar phase e^{it} with t above it never is).
inline constexpr double JEDNOTKA_NULA = 2e-15;

// A factorisation (Kronecker split, scalar, diagonal) is taken only when the
// recomposed matrix agrees with the input within this in every entry,
// relative to the largest entry of the input.
inline constexpr double ROZKLAD_PRESNOST = 5e-15;

// An input farther than this from its nearest unitary matrix in some entry
// (but within the border of syntetizovatelna) is replaced by that matrix
// before the synthesis, so that every step works on an exact unitary. An
// input given as exactly unitary lies at a few 1e-16 to 1e-15 from it.
inline constexpr double UNITARNA_PRESNOST = 1e-13;

}  // namespace qlc::synteza
