// The optimisation driver: every gate in turn is dragged to the left and
// then to the right past the gates it can be exchanged with, until it
// merges with one or meets one it can neither pass nor merge with (the
// move is then undone). Removed gates are squeezed out after each pass;
// passes repeat while they shorten the circuit.
#include <string>

#include "core/form1.h"

namespace qlc {
namespace {

// Circuits above this size are optimised without the step display.
constexpr int MAXKROKYZOBRAZ = 1000;
// Partners changed in one move that can be remembered; the next change
// is undone from the last slot of zaloha, then the whole move.
constexpr int MAXZMIEN = MAXZALOH - 1;
// The progress bar shows the moving gate; the front end is told about a
// new position only when it has moved by this fraction of the maximum,
// so a pass over 400,000 gates does not redraw the bar for every gate.
constexpr int PROGRES_KROKOV = 500;

}  // namespace

void TForm1::obnov() {
    TOPTIMSTAV& o = optim;
    o.koniec = true;
    brany[o.tahana].U = o.zaloha[0];
    for (int j = 1; j <= o.pocetzaloh; ++j) brany[o.zalohapos[j]].U = o.zaloha[j];
}

void TForm1::optimalizacia() {
    if (pocetb1 == 0) return;
    if (pocetb1 > MAXKROKYZOBRAZ) {
        Zobroptimkroky = false;
        zmena(Ovladac::Zobroptimkroky);
        log("Vypinam zobrazovanie krokov optimalizacie, kvoli poctu bran QLC");
    }
    eps = epsoptimalizacie;
    log("Zacala sa prvotna optimalizacia.");
    // The working state starts empty; zaloha and zalohapos are written
    // before they are read.
    TOPTIMSTAV& o = optim;
    // The links of the left search belong to this run only, also when a
    // bad index ends it.
    struct Upratanie {
        std::vector<int>& lavy;
        ~Upratanie() { lavy.clear(); }
    } upratanie{o.lavy};
    o.tahana = o.pos = o.pocetzaloh = o.vlozpri = o.pocetpred = 0;
    o.vloz = o.zlucena = false;
    o.koniec = true;
    o.vlozbrana = TGATE1{};
    for (;;) {
        o.pocetpred = pocetb1;
        for (int i = 1; i <= pocetb1; ++i) brany[i].vyradena = false;
        o.lavy.resize(static_cast<std::size_t>(pocetb1) + 1);
        for (int i = 0; i <= pocetb1; ++i) o.lavy[static_cast<std::size_t>(i)] = i - 1;
        ProgressBar1.max = pocetb1;
        ProgressBar1.position = 0;
        ProgressBar1.step = 1;
        ProgressBar1.visible = !Zobroptimkroky;
        zmena(Ovladac::ProgressBar1);
        const int progreskrok = pocetb1 / PROGRES_KROKOV > 0 ? pocetb1 / PROGRES_KROKOV : 1;
        int ukazane = 0;
        o.tahana = 1;
        // A pass that follows one which removed every gate has no gate 1 to
        // move; the walk would start beyond the circuit.
        if (pocetb1 > 0) {
            do {
                ProgressBar1.position = o.tahana;
                if (o.tahana - ukazane >= progreskrok) {
                    ukazane = o.tahana;
                    zmena(Ovladac::ProgressBar1);
                }
                try {
                    tah();
                } catch (...) {
                    // A bad index (a gate on a qubit that does not exist)
                    // ends the run; a move under way is undone first, so
                    // the partners it changed do not stay changed.
                    if (!o.koniec) obnov();
                    throw;
                }
            } while (najblvpravo(o.tahana));
        }
        // Compaction: unmarked records move down in order.
        int j = 0;
        for (int i = 1; i <= pocetb1; ++i) {
            if (brany[i].vyradena) continue;
            ++j;
            if (j != i) brany[j] = brany[i];
        }
        pocetb1 = j;
        if (!roboptim || pocetb1 == o.pocetpred) break;
    }
    progresskry();
}

void TForm1::tah() {
    TOPTIMSTAV& o = optim;
    o.pos = o.tahana;
    o.zaloha[0] = brany[o.tahana].U;
    o.pocetzaloh = 0;
    o.vloz = false;
    o.zlucena = false;

    // Left phase: the moving gate stands just right of its partner pos.
    if (najblvlavoskratka(o.pos)) {
        o.koniec = false;
        while (!o.koniec) {
            if (Zobroptimkroky) tahvlavo("Snaha zlucit ");
            const std::uint8_t e = spravid(o.pos, o.tahana);
            if (e != 0) {
                o.koniec = true;
                o.zlucena = true;
                if (e == 1) presunzlucenu();
                if (o.vloz) {
                    vlozvlavo();
                    o.vloz = false;
                }
                if (Zobroptimkroky) tahvlavo("Boli zlucene do ");
                continue;
            }
            if (Zobroptimkroky) tahvlavo("Snaha vymenit brany ");
            o.zaloha[o.pocetzaloh + 1] = brany[o.pos].U;
            const std::uint8_t v = prehodbrany(o.pos, o.tahana, 1);
            if (v == 0) {
                obnov();
                continue;
            }
            if (v == 1) zapamatajpartnera();
            if (!najblvlavoskratka(o.pos)) obnov();
        }
    }

    // Right phase, unless the left phase merged. The moving gate's matrix
    // is as at the start of the move: the left phase did not run or was
    // undone.
    if (o.zlucena) return;
    o.pos = o.tahana;
    o.pocetzaloh = 0;
    if (!najblvpravo(o.pos)) return;
    o.koniec = false;
    o.vloz = false;
    while (!o.koniec) {
        if (Zobroptimkroky) tahvpravo("Snaha zlucit ");
        const std::uint8_t e = spravid(o.tahana, o.pos);
        if (e != 0) {
            o.koniec = true;
            if (e == 2) presunzlucenu();
            if (o.vloz) {
                vlozvpravo();
                o.vloz = false;
            }
            if (Zobroptimkroky) tahvpravo("Boli zlucene do ");
            continue;
        }
        if (Zobroptimkroky) tahvpravo("Snaha vymenit brany ");
        o.zaloha[o.pocetzaloh + 1] = brany[o.pos].U;
        const std::uint8_t v = prehodbrany(o.tahana, o.pos, 2);
        if (v == 0) {
            obnov();
            continue;
        }
        if (v == 2) zapamatajpartnera();
        if (!najblvpravo(o.pos)) obnov();
    }
}

// spravid left the merged gate in the moving gate's record: it takes the
// partner's place, and the moving gate's record is marked removed.
void TForm1::presunzlucenu() {
    TOPTIMSTAV& o = optim;
    brany[o.pos] = brany[o.tahana];
    brany[o.pos].vyradena = false;
    brany[o.tahana].vyradena = true;
}

// The partner pos was changed by the exchange; its matrix from before is
// in zaloha[pocetzaloh + 1]. Past the last slot the change is undone at
// once, and the whole move with it.
void TForm1::zapamatajpartnera() {
    TOPTIMSTAV& o = optim;
    if (o.pocetzaloh != MAXZMIEN) {
        ++o.pocetzaloh;
        o.zalohapos[o.pocetzaloh] = o.pos;
    } else {
        brany[o.pos].U = o.zaloha[MAXZALOH];
        obnov();
    }
}

// The waiting gate goes right after its anchor vlozpri, left of the moving
// gate's old place: the records between move one place to the right over
// the moving gate's old record.
void TForm1::vlozvlavo() {
    TOPTIMSTAV& o = optim;
    for (int k = o.tahana; k >= o.vlozpri + 2; --k) brany[k] = brany[k - 1];
    brany[o.vlozpri + 1] = o.vlozbrana;
    // The shifted records carry other marks now: their links start afresh.
    if (!o.lavy.empty())
        for (int k = o.vlozpri + 1; k <= o.tahana; ++k) o.lavy.at(static_cast<std::size_t>(k)) = k - 1;
}

// The mirror: the anchor lies right of the moving gate's old place; the
// records after that place up to the anchor move one place to the left and
// the waiting gate takes the anchor's old index, right after the anchor.
void TForm1::vlozvpravo() {
    TOPTIMSTAV& o = optim;
    for (int k = o.tahana; k <= o.vlozpri - 1; ++k) brany[k] = brany[k + 1];
    brany[o.vlozpri] = o.vlozbrana;
    if (!o.lavy.empty())
        for (int k = o.tahana; k <= o.vlozpri; ++k) o.lavy.at(static_cast<std::size_t>(k)) = k - 1;
}

}  // namespace qlc
