// Display of optimisation steps: the virtual circuit of the moment of a
// move (the moving gate beside its partner, removed gates left out, the
// waiting gate of a jump after its anchor) is copied into kopia, drawn with
// the moving gate or the merged result as the current gate, and named in an
// OK/Cancel box. The texts name gates by their positions in the copy.
#include <string>

#include "core/form1.h"

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

// Appends gates od..po of the store to the display copy after entry j:
// every unmarked gate (but the moving gate when bezTahanej), and, with
// sVlozenou, the waiting gate of a jump right after its anchor.
void kopiruj(TForm1& f, int& j, int od, int po, bool bezTahanej, bool sVlozenou) {
    for (int k = od; k <= po; ++k) {
        if (!f.brany[k].vyradena && !(bezTahanej && k == f.optim.tahana)) f.kopia[++j] = f.brany[k];
        if (sVlozenou && f.optim.vloz && k == f.optim.vlozpri) f.kopia[++j] = f.optim.vlozbrana;
    }
}

// Draws the display copy of j entries: on the canvas, shown in place of the
// grid so the step can be seen, from the first gate of the view when the
// copy has it and from its first gate otherwise (a first gate left over
// from a longer circuit would draw nothing). "Aktualna brana:" names the
// highlighted gate.
void kreslikrok(TForm1& f, int j) {
    if (f.StringGrid1.visible) {
        f.StringGrid1.visible = false;
        f.zmena(Ovladac::StringGrid1);
    }
    if (!f.Image1visible) {
        f.Image1visible = true;
        f.zmena(Ovladac::Image1);
    }
    f.Label8 = std::to_string(f.aktualna);
    f.zmena(Ovladac::Label8);
    const int start = f.zobrazod >= 1 && f.zobrazod <= j ? f.zobrazod : 1;
    f.kreslenie(TZoznamBran(f.kopia.data(), f.kopia.hi), j, start);
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
    kopiruj(*this, j, 1, pos, false, false);
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
    kopiruj(*this, j, pos + 1, pocetb1, true, true);

    kreslikrok(*this, j);

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
    kopiruj(*this, j, 1, pos - 1, true, true);
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
    kopiruj(*this, j, pos, pocetb1, false, false);

    kreslikrok(*this, j);

    std::string krok =
        aktualna != 0 ? prefix + "brany " + std::to_string(tahvyradena ? npos : nm) : prefix + "identity";
    if (!posvyradena) krok += " s branou " + std::to_string(npos) + ".";
    krokbox(*this, "Optim.: Tah pravo:", krok);
}

}  // namespace qlc
