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
#include "core/matica.h"

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

// U: the leading 2^pocetq x 2^pocetq block, pocetq in 2..5, unitary to
// the program's tolerance. Throws ChybaBehu for any other pocetq.
TSYNTEZA syntetizuj(const TMATICA1& U, int pocetq);

}  // namespace qlc::synteza
