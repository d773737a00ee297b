// Summary of the circuit in the store: the number of gates and how many of
// them have 0, 1, ... controls.
#include "core/form1.h"

namespace qlc {

void TForm1::statistika() {
    // Indexed by pocetk; a gate has at most 4 controls.
    Pole<int, 0, 5> pocty{};
    for (int i = 1; i <= pocetb1; ++i) pocty[brany[i].pocetk] += 1;
    log("Statistika zobrazenej siete:--------");
    log("Celkovy pocet bran: " + std::to_string(pocetb1));
    for (int m = 0; m <= pocetq - 1; ++m)
        log("Bran L" + std::to_string(m) + "(U) je " + std::to_string(pocty[m]));
    log("------------------------------------");
}

}  // namespace qlc
