// Display of optimisation steps: the virtual circuit of the moment of a
// move (the moving gate beside its partner, removed gates left out, the
// waiting gate of a jump after its anchor) is copied into kopia, drawn with
// the moving gate or the merged result as the current gate, and named in an
// OK/Cancel box. The texts name gates by their positions in the copy.
#include <string>

#include "app/form1.h"

namespace qlc {
namespace {

// Cancel switches the step display off for the rest of this run and for
// later runs; the optimiser reads the setting before every step.
void krokbox(TForm1& f, const std::string& nadpis, const std::string& krok) {
    const std::string text = nadpis + "\r\r" + krok + "\r\r" + " Chces pokracovat vo vypisovani?";
    if (!f.platforma.okcancelbox(text)) {
        f.Zobroptimkroky = false;
        f.zmena(Ovladac::Zobroptimkroky);
    }
}

}  // namespace

// Left phase: the moving gate tahana stands right of its partner pos and is
// shown directly after it.
void TForm1::tahvlavo(const std::string& prefix) {
    const int tahana = optim.tahana;
    const int pos = optim.pos;
    const bool tahvyradena = brany[tahana].vyradena;
    const bool posvyradena = brany[pos].vyradena;

    int j = 0;
    for (int k = 1; k <= pos; ++k)
        if (!brany[k].vyradena) {
            ++j;
            kopia[j] = brany[k];
        }
    const int npos = j;
    int nm = 0;
    if (!tahvyradena) {
        ++j;
        kopia[j] = brany[tahana];
        nm = j;
        aktualna = j;
    } else {
        // After a merge into the partner the result stands at npos.
        aktualna = posvyradena ? 0 : npos;
    }
    for (int k = pos + 1; k <= pocetb1; ++k) {
        if (!brany[k].vyradena && k != tahana) {
            ++j;
            kopia[j] = brany[k];
        }
        if (optim.vloz && k == optim.vlozpri) {
            ++j;
            kopia[j] = optim.vlozbrana;
        }
    }

    kreslenie(TZoznamBran(kopia.data(), kopia.hi), j, zobrazod);

    std::string krok = aktualna != 0 ? prefix + "brany " + std::to_string(npos) : prefix + "identity";
    if (!tahvyradena) krok += " s branou " + std::to_string(nm) + ".";
    krokbox(*this, "Optim.: Tah vlavo:", krok);
}

// Right phase: the moving gate tahana stands left of its partner pos and is
// shown directly before it.
void TForm1::tahvpravo(const std::string& prefix) {
    const int tahana = optim.tahana;
    const int pos = optim.pos;
    const bool tahvyradena = brany[tahana].vyradena;
    const bool posvyradena = brany[pos].vyradena;

    int j = 0;
    for (int k = 1; k <= pos - 1; ++k) {
        if (!brany[k].vyradena && k != tahana) {
            ++j;
            kopia[j] = brany[k];
        }
        if (optim.vloz && k == optim.vlozpri) {
            ++j;
            kopia[j] = optim.vlozbrana;
        }
    }
    int nm = 0;
    if (!tahvyradena) {
        ++j;
        kopia[j] = brany[tahana];
        nm = j;
        aktualna = j;
    } else {
        // After a merge into the partner the result stands right here.
        aktualna = posvyradena ? 0 : j + 1;
    }
    const int npos = j + 1;
    for (int k = pos; k <= pocetb1; ++k)
        if (!brany[k].vyradena) {
            ++j;
            kopia[j] = brany[k];
        }

    kreslenie(TZoznamBran(kopia.data(), kopia.hi), j, zobrazod);

    std::string krok =
        aktualna != 0 ? prefix + "brany " + std::to_string(tahvyradena ? npos : nm) : prefix + "identity";
    if (!posvyradena) krok += " s branou " + std::to_string(npos) + ".";
    krokbox(*this, "Optim.: Tah pravo:", krok);
}

}  // namespace qlc
