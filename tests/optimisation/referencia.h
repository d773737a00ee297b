#pragma once
// A straightforward version of the optimiser for the tests: every rule
// written out as the rules read, qubit sets tested by walking the control
// lists, every flag computed before it is used, the working state in its
// own record. It works on the model's store, settings and log, so its
// result can be compared gate for gate with the model's optimiser.
#include <cstdint>
#include <vector>

#include "core/form1.h"

namespace qlc::test::ref {

struct Stav {
    int tahana = 0;
    int pos = 0;
    std::vector<TMATICA2> zaloha = std::vector<TMATICA2>(MAXZALOH + 1);
    std::vector<int> zalohapos = std::vector<int>(MAXZALOH + 1);
    int pocetzaloh = 0;
    bool vloz = false;
    int vlozpri = 0;
    TGATE1 vlozbrana;
    bool koniec = false;
    bool zlucena = false;
    int pocetpred = 0;
};

bool najblvlavo(TForm1& f, int& pos);
bool najblvpravo(TForm1& f, int& pos);
std::uint8_t prehodbrany(TForm1& f, Stav& s, int pos1, int pos2, int mode);
std::uint8_t spravid(TForm1& f, int pos1, int pos2);
void optimalizacia(TForm1& f);

}  // namespace qlc::test::ref
