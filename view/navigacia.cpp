// Navigation of the circuit view: the first-gate slider, the zoom slider
// and the current-gate up-down. Each handler updates the view state and
// redraws the circuit in the store.
#include <string>

#include "app/form1.h"

namespace qlc {
namespace {

// The up-down control keeps its position in a 16-bit signed value.
constexpr int UPDOWN_MIN = -32768;
constexpr int UPDOWN_MAX = 32767;

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
    // The slider reaches pocetb1, which may pass 32767; the up-down then
    // stops at its largest position while the view follows the slider.
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

}  // namespace qlc
