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
void multiplexrot(TOS os, const std::vector<double>& uhly, int ciel, const std::vector<int>& vybery,
                  TOBVOD& obvod);

}  // namespace qlc::synteza
