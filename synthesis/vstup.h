#pragma once
// The entry of every synthesis: the input checked and made an Eigen matrix.
#include <string>
#include <vector>

#include "core/matica.h"
#include "obvod.h"

namespace qlc::synteza {

// The leading block of U as an Eigen matrix, checked (ChybaBehu for pocetq
// outside 2..5, an entry that is not finite, a matrix that is not unitary
// to the program's tolerance) and replaced by its nearest unitary matrix
// when it is unitary only to that tolerance (a line in sprava says so).
TMAT vstupsyntezy(const TMATICA1& U, int pocetq, std::vector<std::string>& sprava);

}  // namespace qlc::synteza
