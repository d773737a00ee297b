#pragma once
// Structure of a unitary that a generic synthesis would waste CNOTs on:
// a scalar, a Kronecker product under any order of the qubits, a diagonal.
// Every test accepts a structure only when the matrix rebuilt from it equals
// the input to rounding (ROZKLAD_PRESNOST), so a circuit built on it is as
// exact as the generic one.
#include <complex>
#include <vector>

#include "obvod.h"

namespace qlc::synteza {

// One Kronecker factor: the unitary U on the circuit's qubits qubity
// (qubity[0] the most significant bit of U's index).
struct TFAKTOR {
    std::vector<int> qubity;
    TMAT U;
};

// U on m qubits realigned across the cut of the qubit positions pozicie
// (0 the most significant bit of the index) from the rest:
// R(a da + a', b db + b') = U(index(a, b), index(a', b')), a over the
// positions, b over the rest. Its rank is U's operator Schmidt rank across
// the cut.
TMAT prerovnana(const TMAT& U, int m, const std::vector<int>& pozicie);

// Largest modulus of an entry.
double maxprvok(const TMAT& U);

// U = c I to rounding; c is returned with |c| = 1.
bool skalarna(const TMAT& U, std::complex<double>& c);

// Every off-diagonal entry of U is 0 to rounding.
bool diagonalna(const TMAT& U);

// U on qubity (qubity[0] the most significant bit) as a Kronecker product
// of factors on disjoint sets of qubits, each factor on one qubit or not
// split further. One qubit at a time is split off while the matrix
// realigned for it (4 x 4^(m-1): rows the 2x2 entries of that qubit, columns
// those of the rest) has operator-Schmidt rank 1; then pairs of qubits
// (16 x 4^(m-2)) on four or more qubits. The factor on the split qubits is
// the leading singular vector made an exact unitary; the rest is the partial
// trace of (A^dagger x I) U, which makes the product of the factors U with
// its global phase. Each factor names its qubits in the order they have in
// qubity, and the factors come in the order of their first qubit there; a
// single factor (U itself) when nothing splits.
std::vector<TFAKTOR> kroneckerfaktory(const TMAT& U, const std::vector<int>& qubity);

// A diagonal between two layers of one-qubit gates:
// U = (po[0] x ... x po[m-1]) D (pred[0] x ... x pred[m-1]), index 0 the
// most significant qubit. Multi-controlled gates (a Toffoli, C3X, a
// controlled Hadamard) are such diagonals of phases in a rotated basis.
struct TLOKALNADIAG {
    std::vector<TMAT2> pred, po;
    TMAT D;
};

// U on m qubits (1..6) in that form, D diagonal to rounding. For each qubit
// it asks for Pauli directions n and m with U (n.sigma) U^dagger = m.sigma
// on that qubit, a linear condition on (n, m) whose null vector the SVD
// gives; then D = K1^dagger U K2^dagger commutes with every Z and is
// diagonal. False when some qubit has no such pair.
bool lokalnediagonalna(const TMAT& U, int m, TLOKALNADIAG& r);

// Appends a circuit for the diagonal unitary U on qubity (two or more):
// the multiplexed Rz on the last qubit selected by the others splits
// diag(e^{i f(s,0)}, e^{i f(s,1)}) = e^{i (f(s,0)+f(s,1))/2} Rz(f(s,1)-f(s,0)),
// the remaining phases are a diagonal on one qubit fewer, and the last
// qubit's diagonal is one gate with the global phase. At most 2^m - 2
// CNOTs, fewer when the phases repeat.
void diagonalnyobvod(const TMAT& U, const std::vector<int>& qubity, TOBVOD& obvod);

}  // namespace qlc::synteza
