#pragma once
// Exact local simplification of a gate list of one-qubit gates and CNOTs.
#include <vector>

#include "core/brany.h"

namespace qlc::synteza {

// One pass with a stack of gates per qubit, so that every removal lets the
// gates around it meet: two equal CNOTs with no gate between them on either
// of their qubits cancel; a one-qubit gate following another on the same
// qubit with no gate between them merges into their product; a one-qubit
// gate that equals the identity within JEDNOTKA_NULA in every part is
// dropped (a phase e^{it} I with t above it stays). pocetq bounds the
// qubits (1..pocetq); the gates must have at most one control (a controlled
// gate other than a CNOT is kept as it is). Returns the number of CNOTs left.
int zjednodus(std::vector<TGATE1>& brany, int pocetq);

}  // namespace qlc::synteza
