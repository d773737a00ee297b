#pragma once
// Permutations of basis states (reversible classical circuits: increments,
// adders, controlled swaps), up to a phase on each basis state, as circuits
// of multi-controlled NOTs. Each NOT with c controls is a diagonal between
// two Hadamards: 0, 1, 6, 14 and 30 CNOTs for c = 0..4.
#include <vector>

#include "obvod.h"

namespace qlc::synteza {

// A NOT on ciel controlled by kontroly (all 1), qubits 1..m.
struct TMCT {
    std::vector<int> kontroly;
    int ciel = 0;
};

// U = P diag(D) with P a permutation matrix: U(f[x], x) = D(x). False when
// some column of U has not exactly one entry of modulus 1 (to rounding) or
// two columns share it.
bool permutacia(const TMAT& U, std::vector<int>& f, Eigen::VectorXcd& D);

// Multi-controlled NOTs in order of application whose product maps each
// basis state x of m qubits (qubit 1 the most significant bit) to f[x].
// Transformation-based: the basis states are put in place in increasing
// order, each by NOTs applied either after the circuit (controlled by the
// ones of its current image) or before it (controlled by the ones of its
// current preimage), whichever needs fewer controls in all; a state in
// place is never moved again. Throws ChybaBehu when f is no permutation
// of 0..2^m-1.
std::vector<TMCT> mctobvod(const std::vector<int>& f, int m);

// The CNOTs of one multi-controlled NOT's circuit.
int cenamct(const TMCT& g);

// Appends the circuit of g: X, CNOT, or H, a diagonal with -1 where every
// qubit is 1, H.
void pridajmct(const TMCT& g, TOBVOD& o);

}  // namespace qlc::synteza
