#pragma once
// Tolerances of the minimal-CNOT synthesis: structure found only when it
// holds to rounding, so that every shortcut stays exact.
#include "core/tolerancie.h"

namespace qlc::synteza {

// A rotation angle of magnitude at most this is dropped: the rotation
// differs from the identity by at most half of it in every entry.
inline constexpr double UHOL_NULA = ZAOKRUHLENIE;

// A one-qubit gate each of whose entries' parts differs from the identity by
// at most this is dropped (a scalar phase e^{it} with t above it never is).
inline constexpr double JEDNOTKA_NULA = ZAOKRUHLENIE;

// A factorisation (Kronecker split, scalar, diagonal) is taken only when the
// recomposed matrix agrees with the input within this in every entry,
// relative to the largest entry of the input.
inline constexpr double ROZKLAD_PRESNOST = 1e-13;

// An input whose U^dagger U differs from the identity by more than this in
// some entry (but within the program's eps) is replaced by its nearest
// unitary matrix before the synthesis, so that every step works on an exact
// unitary.
inline constexpr double UNITARNA_PRESNOST = 1e-13;

}  // namespace qlc::synteza
