#pragma once
// Multiplexed (uniformly controlled) rotations in Gray-code order.
#include <vector>

#include "obvod.h"

namespace qlc::synteza {

enum class TOS { Y, Z };

// Appends the multiplexed rotation R_os(uhly[s]) on qubit ciel, where s is
// the value of the select qubits vybery (vybery[0] the most significant bit
// of s): 2^k rotations and 2^k CNOTs for k = vybery.size() >= 1, fewer when
// angles repeat. With k = 0 a single rotation.
//
// The circuit is R(f_0) CNOT(c_0) R(f_1) CNOT(c_1) ... R(f_{N-1}) CNOT(c_{N-1}),
// N = 2^k, every CNOT with target ciel; c_i is the select qubit of the bit
// in which the Gray codes g(i) and g(i+1 mod N) differ, so the last CNOT is
// always controlled by vybery[0]. Rotations whose angle is 0 to rounding are
// dropped, and the CNOTs between two kept rotations (they commute: same
// target, different controls) are reduced to those of odd multiplicity; an
// angle list that does not depend on a select qubit therefore costs half.
// Throws ChybaBehu when uhly.size() != 2^k, a qubit is outside the circuit,
// repeats, or ciel is among vybery.
void multiplexrot(TOS os, const std::vector<double>& uhly, int ciel, const std::vector<int>& vybery,
                  TOBVOD& obvod);

// The same multiplexed rotation with the circuit mirrored in time: the CNOT
// on vybery[0] comes first, the rotation R(f_0) last. Its unitary is the same
// (the time reversal of the circuit is its transpose up to the signs of the
// Ry angles, which the transposition undoes), so a caller can place the CNOT
// ladder next to a neighbour whose CNOTs it cancels.
void multiplexrotzrkadlo(TOS os, const std::vector<double>& uhly, int ciel, const std::vector<int>& vybery,
                         TOBVOD& obvod);

// The angles f_i of the circuit above for the wanted angles uhly[s]:
// f_i = 2^-k sum_s (-1)^{popcount(s & g(i))} uhly[s], the inverse of
// uhly[s] = sum_i (-1)^{popcount(s & g(i))} f_i (a Walsh-Hadamard transform
// with its columns in Gray-code order). uhly.size() must be a power of 2.
std::vector<double> multiplexuhly(const std::vector<double>& uhly);

}  // namespace qlc::synteza
