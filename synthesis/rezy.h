#pragma once
// Lower bounds on the CNOTs of a circuit from the ranks of its unitary across
// cuts of its legs.
//
// A unitary on m qubits is a tensor with 2m legs: the input and the output of
// each qubit. A circuit of one-qubit gates and CNOTs is a network of such
// tensors: each qubit's wire runs from its input leg through the CNOTs on it
// to its output leg, and a CNOT splits into a node on each of its two wires
// joined by a bond of dimension 2 (|0><0| (x) 1 + |1><1| (x) X). Cut the legs
// into two sets in any way, inputs and outputs of different qubits mixed:
// the rank of the unitary reshaped across that cut is at most 2^c, c the
// smallest number of wire segments and bonds whose removal separates the two
// sets in the network. Where the inputs and outputs of the same qubits stay
// together this is the operator Schmidt rank across a cut of qubits; the
// mixed cuts see the order of the CNOTs too, and on four and five qubits
// they leave a few hundred placements of a shallow circuit where the
// qubit cuts leave thousands.
//
// Placing one more CNOT anywhere in a placement raises every such minimum by
// at most one, so a placement short of a cut by h needs at least h CNOTs more.
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "obvod.h"

namespace qlc::synteza {

struct TREZYNOH {
    int m = 0;
    // The legs on one side of each cut: bit q-1 for the input of qubit q,
    // bit m+q-1 for its output (the input of qubit 1 always on this side).
    std::vector<std::uint16_t> maska;
    // The bonds a circuit of the unitary needs across it: ceil(log2 rank).
    std::vector<int> potreba;
    // Every rank the largest the cut allows (2 to the legs on its smaller
    // side), as a generic unitary has them: the cuts then tell nothing of
    // the order of CNOTs.
    bool plne = true;
};

// ceil(log2 rank) of a matrix reshaped across a cut: the bonds of
// dimension 2 any network of it needs across the cut.
int potrebavazieb(const TMAT& R);

// Every cut of the 2m legs of U (2^m square, m = 1..5), those that need
// the most bonds first.
TREZYNOH rezynoh(const TMAT& U, int m);

// The largest shortfall over the cuts of r of the network of the CNOTs a
// followed by b (pairs of qubits 1..m in order of application): potreba
// less the smallest cut. With a strop the result is above strop exactly
// when that shortfall is, and at most strop otherwise (not necessarily the
// shortfall): the search stops at the first cut short by more, and looks
// no further into a cut than whether it is. A qubit outside 1..m throws
// ChybaRozsahu, a pair on one qubit ChybaBehu (as in prebytoknoh).
int nedostatoknoh(const TREZYNOH& r, const std::vector<std::array<int, 2>>& a,
                  const std::vector<std::array<int, 2>>& b, int strop = std::numeric_limits<int>::max());

// The sum over the cuts of r of how far the smallest cut of the placement's
// network exceeds potreba: 0 when the unitary has across every cut the
// largest rank the placement allows, as the circuit of a placement with
// generic one-qubit gates has. Among the placements of a shallow circuit's
// count on four qubits that meet every cut, its own is one of the few (1 to
// 20 of 55 to 6,500) with the least sum. More CNOTs never lower a smallest
// cut, so a placement's sum is at least its prefix's. With a strop the
// result is above strop exactly when the sum is (counted no further).
int prebytoknoh(const TREZYNOH& r, const std::vector<std::array<int, 2>>& s,
                int strop = std::numeric_limits<int>::max());

}  // namespace qlc::synteza
