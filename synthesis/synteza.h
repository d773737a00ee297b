#pragma once
// Minimal-CNOT synthesis: a unitary of 2 to 5 qubits into a circuit of
// one-qubit gates and CNOTs, as short as the best published exact method on
// generic matrices and shorter on structured ones.
//
// Values in, values out: the library knows nothing of the main window or the
// platform; the driver puts its circuit into the store and checks it there.
#include <string>
#include <vector>

#include "core/brany.h"
#include "core/chyby.h"
#include "core/matica.h"
#include "core/presna.h"
#include "core/tolerancie.h"

namespace qlc::synteza {

struct TSYNTEZA {
    // The circuit in order of application (gate 0 acts first). A CNOT is
    // pocetk = 1, kontroly[1] = control, U = NOT; every other gate is a
    // one-qubit gate with pocetk = 0. Qubit 1 is the most significant bit.
    std::vector<TGATE1> brany;
    // What was found and done, one line each, in the program's style
    // (Slovak without diacritics), for the log.
    std::vector<std::string> sprava;
    int pocetcnot = 0;
};

// The refusal of an input whose nearest unitary lies too far from it, made
// before any gate; odchylka is that distance.
struct NeunitarnaMatica : ChybaBehu {
    NeunitarnaMatica(const std::string& text, double x) : ChybaBehu(text), odchylka(x) {}
    double odchylka;
};

// Room left below the run's tolerance for the circuit's own deviation and
// the store's rounding of the input and of the gates, so that an input taken
// ends with every composition check passed.
inline constexpr double UNITARNA_REZERVA = 1e-9;

// The largest modulus of an entry of U - W, W the nearest unitary matrix to
// U (its polar factor); U of size 2^pocetq, pocetq in 2..5. NaN for an entry
// that is not finite.
double odunitarnej(const TPRESNA& U, int pocetq);

// The one border of unitarity of the synthesis: U is synthesised exactly
// when its nearest unitary lies within tolerancia - UNITARNA_REZERVA of it
// in every entry.
bool syntetizovatelna(double odunitarnej, double tolerancia);

// U: the input as given, 2^pocetq x 2^pocetq, pocetq in 2..5. Throws
// ChybaBehu for any other pocetq or an entry that is not finite, and
// NeunitarnaMatica when syntetizovatelna refuses U (tolerancia: the run's
// tolerance); an input off unitarity by more than rounding is replaced by
// its nearest unitary first, which the log says.
TSYNTEZA syntetizuj(const TPRESNA& U, int pocetq, double tolerancia = EPS_ZAKLAD);
// The same from the store's matrix (its leading block).
TSYNTEZA syntetizuj(const TMATICA1& U, int pocetq, double tolerancia = EPS_ZAKLAD);

}  // namespace qlc::synteza
