#pragma once
// The generic synthesis: block-ZXZ decomposition down to two-qubit blocks.
#include <functional>
#include <vector>

#include "instancia.h"
#include "obvod.h"

namespace qlc::synteza {

// Appends to obvod a circuit of one-qubit gates and CNOTs whose unitary is
// exactly U (global phase included). U is 2^k x 2^k with k = qubity.size()
// in 1..5 and acts on the circuit's qubits qubity (qubity[0] the most
// significant bit of U's index).
void syntetizujvseob(const TMAT& U, const std::vector<int>& qubity, TOBVOD& obvod);

// The recursion with general blocks of 3..najvacsi qubits (najvacsi 3 or
// 4, the larger tried first) fitted numerically: the last block at the
// lower bound (14 or 61 CNOTs), every other one up to a diagonal (13 or 59)
// that the next block takes, as the two-qubit blocks do. A block whose fit
// is not exact, or comes after the deadline, is built analytically.
struct TNUMBLOKY {
    int najvacsi = 3;
    TTERMIN termin = BEZTERMINU;
    std::function<void()> priebeh;
};
void syntetizujvseobnum(const TMAT& U, const std::vector<int>& qubity, TOBVOD& obvod, const TNUMBLOKY& num);

}  // namespace qlc::synteza
