#pragma once
// The generic synthesis: block-ZXZ decomposition down to two-qubit blocks.
#include <vector>

#include "obvod.h"

namespace qlc::synteza {

// Appends to obvod a circuit of one-qubit gates and CNOTs whose unitary is
// exactly U (global phase included). U is 2^k x 2^k with k = qubity.size()
// in 1..5 and acts on the circuit's qubits qubity (qubity[0] the most
// significant bit of U's index).
void syntetizujvseob(const TMAT& U, const std::vector<int>& qubity, TOBVOD& obvod);

}  // namespace qlc::synteza
