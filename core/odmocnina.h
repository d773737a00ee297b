#pragma once
// Roots of a complex quadratic; Odmocnina takes the eigenvalues of a 2x2
// matrix from its characteristic polynomial with it.
#include "komplex.h"

namespace qlc {

struct TKORENE {
    TKOMPLEX x1, x2;
};

// The two roots of a x^2 + b x + c = 0 (a nonzero), in the form that avoids
// cancellation: Q = -(b + s sqrt(b^2 - 4ac)) / 2 with the sign s that makes
// |b + s sqrt(...)| the larger of the two choices; x1 = Q / a, x2 = c / Q.
// When Q is 0 (b and the discriminant both 0) the equation is a x^2 = c with
// c = 0 up to the zero snapping, and both roots are 0.
TKORENE korene(TKOMPLEX a, TKOMPLEX b, TKOMPLEX c);

}  // namespace qlc
