// Pictures of the library calls: the window's drawing of the circuit on the
// SVG canvas, or on the raster canvas of a registered PNG painter.
#include <cmath>
#include <mutex>

#include "api/qlc.h"
#include "api/zaznamnik.h"
#include "core/form1.h"
#include "app/zapis.h"
#include "view/svgplatno.h"

namespace qlc::api {

namespace {

std::mutex& pngzamok() {
    static std::mutex m;
    return m;
}

TPngKreslic& pngkreslic() {
    static TPngKreslic k;
    return k;
}

constexpr double ZOOM_MIN = 0.45;
constexpr double ZOOM_MAX = 2.0;

bool konci(const std::string& s, const std::string& pripona) {
    return s.size() > pripona.size() && s.compare(s.size() - pripona.size(), pripona.size(), pripona) == 0;
}

}  // namespace

void kresli(const TVysledok& v, Platno& platno, const TPohlad& pohlad, const TSledovanie& sledovanie) {
    if (!v.dokoncena) throw ChybaBehu("dekompozicia neprebehla do konca, siet sa nekresli");
    if (!(pohlad.zoom >= ZOOM_MIN && pohlad.zoom <= ZOOM_MAX))
        throw ChybaVstupu("zoom " + std::to_string(pohlad.zoom) + " je mimo 0.45..2.00");
    Zaznamnik z(sledovanie);
    const auto f = novymodel(z);
    nastavbrany(*f, v.brany, v.pocetq);
    // The window after the decomposition, with the zoom slider and the
    // first-gate slider moved as the user would move them. A gate the
    // slider cannot reach goes to the drawing, which refuses it.
    f->eps = v.eps;
    f->zoom = static_cast<int>(pohlad.zoom * 100.0 + 0.5) / 100.0;
    z.kresba = &platno;
    if (pohlad.od && *pohlad.od >= 1 && *pohlad.od <= f->pocetb1) {
        f->TrackBar1.max = f->pocetb1;
        f->TrackBar1.position = *pohlad.od;
        f->TrackBar1Change();
    } else {
        f->kreslenie(f->brany, f->pocetb1, pohlad.od.value_or(f->zobrazod));
    }
    // The drawing writes a log line only when it refuses to draw.
    if (!z.logy.empty()) throw ChybaKreslenia(z.logy.back());
}

std::string svg(const TVysledok& v, const TPohlad& pohlad, const TSledovanie& sledovanie) {
    SvgPlatno p;
    kresli(v, p, pohlad, sledovanie);
    return p.svg();
}

void ulozobrazok(const TVysledok& v, const std::string& meno, const TPohlad& pohlad,
                 const TSledovanie& sledovanie) {
    if (konci(meno, ".svg")) {
        const std::string obsah = svg(v, pohlad, sledovanie);
        const std::lock_guard<std::mutex> z(zapisovyzamok());
        zapissubor(meno, obsah);
        return;
    }
    if (!konci(meno, ".png"))
        throw ChybaVstupu("obrazok sa zapisuje ako .svg alebo .png, nie '" + meno + "'");
    // The painter may start a toolkit application: one call at a time.
    const std::lock_guard<std::mutex> z(pngzamok());
    const TPngKreslic& k = pngkreslic();
    if (!k) throw ChybaBehu("tato kniznica nema kreslenie PNG (zostavena bez Qt 6); zapis .svg");
    const std::string png = k([&](Platno& p) { kresli(v, p, pohlad, sledovanie); });
    const std::lock_guard<std::mutex> zz(zapisovyzamok());
    zapissubor(meno, png);
}

void nastavpng(TPngKreslic kreslic) {
    const std::lock_guard<std::mutex> z(pngzamok());
    pngkreslic() = std::move(kreslic);
}

bool mapng() {
    const std::lock_guard<std::mutex> z(pngzamok());
    return static_cast<bool>(pngkreslic());
}

}  // namespace qlc::api
