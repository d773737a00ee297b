#pragma once
// Every tolerance and fixed threshold of the system, in one place.

namespace qlc {

// A real or imaginary part of magnitude at most this is stored as exactly 0;
// the same bound decides complex equality and division by zero.
inline constexpr double NULA = 1e-12;

// A deviation x (the modulus of a difference, or the distance of a modulus
// from 1) lies within the tolerance tol. Written as x <= tol on purpose: an
// overflow leaves NaN behind (inf - inf, 0 * inf), and NaN is within no
// tolerance, while a test written as "x > tol" would take it for equality.
// Every "within eps" test goes through here.
inline constexpr bool vtolerancii(double x, double tol) { return x <= tol; }

// Values of eps, the tolerance of every comparison of complex values.
inline constexpr double EPS_ZAKLAD = 1e-7;   // window creation, decomposition, optimiser run
inline constexpr double EPS_L1 = 1e-5;       // stage of multi-controlled gates into L1(U)
inline constexpr double EPS_ELEMENT = 1e-6;  // stage of L1(U) gates into elementary gates

// Shapes of a singly-controlled gate's matrix that select a shorter
// elementary construction (real diagonal, real off-diagonal, scalar,
// determinant +-1). A construction is exact only for its own shape, so a
// matrix off that shape by up to eps would leave an error of that size in
// the circuit; shapes are therefore decided to rounding, and every other
// matrix takes the general construction, which is exact for all of them.
inline constexpr double TVAR = 1e-11;

// Two products of unit-modulus matrices that agree to rounding: each part
// of every entry within this, measured on the raw doubles (zero snapping
// would hide anything below 1e-12).
inline constexpr double ZAOKRUHLENIE = 1e-14;

// An angle of magnitude below this is rounding noise (a few units in the
// last place of pi or of an arg near 0) and is written as 0 in OpenQASM.
inline constexpr double SUMUHLA = 1e-15;

// The optimiser's comparisons on a circuit of the minimal-CNOT synthesis.
// That circuit is exact to rounding, and an exchange or removal allowed
// within 1e-7 would leave an error of that size in it: the optimiser
// works there only with gates that commute or cancel to rounding.
inline constexpr double EPS_SYNTEZA = 1e-13;

// A circuit whose product deviates from the input as given by more than this
// in some entry never wins the shortest-circuit method over one that does
// not, whatever their counts.
inline constexpr double PRESNA_SIET = 1e-10;

// Limits of the stores.
inline constexpr int MAXBRAN = 400000;   // records 1..400000 of the circuit store
inline constexpr int MAXTPQ = 2080;      // rows of the table of two-level matrices
inline constexpr int MAXROZMER = 64;     // TMATICA1 is 64 x 64
inline constexpr int MAXZALOH = 5000;    // saved matrices of one optimiser move
inline constexpr int MAXKOPIA = 1001;    // display copy of the optimisation steps

}  // namespace qlc
