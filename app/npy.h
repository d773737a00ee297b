#pragma once
// Matrices in NumPy's .npy format.
#include <string>

#include "app/subory.h"

namespace qlc {

// Largest header (the dictionary after the length field) accepted; a valid
// header of a 2-D matrix needs well under a hundred bytes.
inline constexpr long long NPY_MAXHLAVICKA = 10000;

// Reads a square matrix of 2^n x 2^n entries, 2 <= n <= 5, from a .npy file
// of version 1.0 or 2.0: dtype '<c16' (complex128) or '<f8' (float64), C or
// Fortran order. Everything else (bad magic, other versions, big-endian or
// other dtypes, other shapes, a header that is too long or malformed, data
// that is truncated, followed by extra bytes or not finite) is refused with
// ChybaSuboru naming the file and what is wrong.
TNacitanaMatica citajnpy(const std::string& meno);

}  // namespace qlc
