#pragma once
// Clifford unitaries (circuits of H, S and CNOT: encoders of codes, graph
// states, changes of Bell bases) as circuits of CNOTs and one-qubit
// Clifford gates, one qubit at a time.
#include "obvod.h"

namespace qlc::synteza {

// A circuit for U on m = 1..6 qubits when U is a Clifford unitary, with at
// most 2 (m - q) + 1 CNOTs for qubit q, m^2 - 1 in all. Qubit by qubit,
// gates applied to U after it carry U X_q U^dagger and U Z_q U^dagger to
// X_q and Z_q: one-qubit Cliffords turn every factor of the Pauli string
// into Z, CNOTs onto q gather it there; then U acts on q as the identity
// and the next qubit follows. Every order of the qubits is tried and the
// circuit with the fewest CNOTs kept: U's inverse of those gates, with U's
// global phase, and only when it reproduces U within 1e-12 in every entry.
// False (o untouched) when some image is not a Pauli string to rounding.
bool cliffordovobvod(const TMAT& U, int m, TOBVOD& o);

}  // namespace qlc::synteza
