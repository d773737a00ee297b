#pragma once
// The entry of every synthesis: the input checked and made an Eigen matrix.
#include <string>
#include <vector>

#include "core/presna.h"
#include "obvod.h"

namespace qlc::synteza {

// The input as given as an Eigen matrix, checked (ChybaBehu for pocetq
// outside 2..5, a size other than 2^pocetq or an entry that is not finite;
// NeunitarnaMatica when syntetizovatelna refuses it at tolerancia) and
// replaced by its nearest unitary matrix when it is unitary only to that
// tolerance (a line in sprava says so).
TMAT vstupsyntezy(const TPRESNA& U, int pocetq, double tolerancia, std::vector<std::string>& sprava);

}  // namespace qlc::synteza
