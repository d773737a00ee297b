#pragma once
// One-qubit rotations of the elementary gates, with these sign conventions:
//   rotz(x) = [[e^(ix/2), 0], [0, e^(-ix/2)]]
//   roty(x) = [[cos(x/2), sin(x/2)], [-sin(x/2), cos(x/2)]]
// so rotz(a) rotz(b) = rotz(a + b), roty(a) roty(b) = roty(a + b), and with
// X = [[0, 1], [1, 0]]: X rotz(x) X = rotz(-x), X roty(x) X = roty(-x).
#include "core/matica.h"

namespace qlc {

TMATICA2 rotz(double x);
TMATICA2 roty(double x);

}  // namespace qlc
