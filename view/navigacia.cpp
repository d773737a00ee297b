// Navigation of the circuit view: the first-gate slider, the zoom slider
// and the current-gate up-down. Each handler updates the view state and
// redraws the circuit in the store. The ranges of the controls follow the
// circuit whenever it changes (nastavnavigaciu, vycistisiet).
#include <algorithm>
#include <string>

#include "core/form1.h"

namespace qlc {
namespace {

// The up-down control of the window holds any gate number of the store,
// so it follows the first gate slider over the whole circuit: a 16-bit
// position would stop at 32767 and the next click would jump back there.
constexpr int UPDOWN_MIN = 0;
constexpr int UPDOWN_MAX = MAXBRAN;

// v kept within lo..hi; a range whose hi is below lo keeps lo, as a slider
// whose maximum fell below its minimum does.
int dorozsahu(int v, int lo, int hi) {
    if (v > hi) v = hi;
    if (v < lo) v = lo;
    return v;
}

}  // namespace

void TForm1::TrackBar2Change() {
    zoom = TrackBar2.position / 100.0;
    kreslenie(brany, pocetb1, zobrazod);
}

void TForm1::TrackBar1Change() {
    const int v = TrackBar1.position;
    aktualna = v;
    UpDown1.position = dorozsahu(v, UPDOWN_MIN, UPDOWN_MAX);
    zmena(Ovladac::UpDown1);
    Label8 = std::to_string(v);
    zmena(Ovladac::Label8);
    zobrazod = v;
    kreslenie(brany, pocetb1, zobrazod);
}

void TForm1::UpDown1Changing() {
    const int v = UpDown1.position;
    Label8 = std::to_string(v);
    zmena(Ovladac::Label8);
    aktualna = v;
    kreslenie(brany, pocetb1, zobrazod);
}

void TForm1::nastavnavigaciu() {
    TrackBar1.frequency = pocetb1 / 50;
    TrackBar1.max = pocetb1;
    // The controls clamp their position to the new range, as a toolkit does;
    // an empty range (no gates) leaves the slider at its minimum.
    TrackBar1.position = TrackBar1.max >= TrackBar1.min ? std::min(TrackBar1.position, TrackBar1.max)
                                                        : TrackBar1.min;
    zmena(Ovladac::TrackBar1);
    // A first or current gate beyond the circuit is one of an earlier
    // circuit (or of the step display's virtual one): the view starts where
    // the slider stands, and no gate is current.
    if (zobrazod < 1 || zobrazod > pocetb1) zobrazod = pocetb1 >= 1 ? TrackBar1.position : 1;
    if (aktualna < 0 || aktualna > pocetb1) aktualna = 0;
    UpDown1.min = 0;
    UpDown1.max = dorozsahu(pocetb1, UPDOWN_MIN, UPDOWN_MAX);
    UpDown1.position = aktualna;
    zmena(Ovladac::UpDown1);
    Label8 = std::to_string(aktualna);
    zmena(Ovladac::Label8);
    Label11 = std::to_string(pocetb1);
    zmena(Ovladac::Label11);
}

void TForm1::vycistisiet() {
    aktualna = 0;
    kresba.siet = false;
    zobrazod = 1;
    // The whole picture, with the margins around the frame: the qubit lines
    // end on its right edge and a band label may stand below it. A canvas
    // that was never drawn on is white already.
    if (nakreslene) {
        Platno& pl = platforma.platno();
        pl.stetec(BIELA);
        pl.vypln(0, 0, ramec.right + ramec.left, ramec.bottom + ramec.top);
        nakreslene = false;
    }
    Label3 = "0";
    zmena(Ovladac::Label3);
    Label5 = "0";
    zmena(Ovladac::Label5);
    for (std::string* l : {&Label12, &Label13, &Label14, &Label15}) l->clear();
    zmena(Ovladac::Label12);
    zmena(Ovladac::Label13);
    zmena(Ovladac::Label14);
    zmena(Ovladac::Label15);
    nastavnavigaciu();
}

void TForm1::nastavTrackBar1(int pozicia) {
    const int p = dorozsahu(pozicia, TrackBar1.min, TrackBar1.max);
    if (p == TrackBar1.position) return;
    TrackBar1.position = p;
    zmena(Ovladac::TrackBar1);
    TrackBar1Change();
}

void TForm1::nastavTrackBar2(int pozicia) {
    const int p = dorozsahu(pozicia, TrackBar2.min, TrackBar2.max);
    if (p == TrackBar2.position) return;
    TrackBar2.position = p;
    zmena(Ovladac::TrackBar2);
    TrackBar2Change();
}

// The handler sees the position the user moved to, so the gate shown is
// the one the control shows.
void TForm1::nastavUpDown1(int pozicia) {
    const int p = dorozsahu(dorozsahu(pozicia, UpDown1.min, UpDown1.max), UPDOWN_MIN, UPDOWN_MAX);
    if (p == UpDown1.position) return;
    UpDown1.position = p;
    zmena(Ovladac::UpDown1);
    UpDown1Changing();
}

TRAMEC TForm1::ramecpre(int sirka, int vyska) {
    const TRAMEC povodny;
    TRAMEC r = povodny;
    // the margin right and below as left and above
    r.right = std::clamp(sirka - povodny.left, povodny.right, MAXRAMEC);
    r.bottom = std::clamp(vyska - povodny.top, povodny.bottom, MAXRAMEC);
    return r;
}

void TForm1::nastavramec(const TRAMEC& r) {
    const TRAMEC povodny;
    if (r.left != povodny.left || r.top != povodny.top || r.right < povodny.right || r.bottom < povodny.bottom ||
        r.right > MAXRAMEC || r.bottom > MAXRAMEC)
        throw ChybaBehu("nastavramec: neplatny ramec");
    if (r.right == ramec.right && r.bottom == ramec.bottom) return;
    ramec = r;
    if (kresba.siet && pocetb1 >= 1) kreslenie(brany, pocetb1, std::clamp(zobrazod, 1, pocetb1));
}

void TForm1::vyberbranu(int g) {
    if (g < 1 || g > pocetb1) zlyindex(g, 1, pocetb1);
    nastavUpDown1(g);
}

}  // namespace qlc
