// Pictures of the library calls: the window's drawing of the circuit on the
// SVG canvas, or on the raster canvas of a registered PNG painter.
#include <algorithm>
#include <cmath>
#include <limits>
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

TPngKreslicVelkosti& pngkreslicvelkosti() {
    static TPngKreslicVelkosti k;
    return k;
}

constexpr double ZOOM_MIN = 0.45;
constexpr double ZOOM_MAX = 2.0;

bool konci(const std::string& s, const std::string& pripona) {
    return s.size() > pripona.size() && s.compare(s.size() - pripona.size(), pripona.size(), pripona) == 0;
}

}  // namespace

namespace {

// Records how far down the gates of a drawing reach: the lower ends of
// vertical lines and of ellipses. The wires and the band numbers, which
// every band has, are not counted.
class Hlbkomer : public PrazdnePlatno {
  public:
    int dole = 0;
    void ciara(int x1, int y1, int x2, int y2) override {
        if (x1 == x2) dole = std::max({dole, y1, y2});
    }
    void elipsa(int, int, int, int b) override { dole = std::max(dole, b); }
};

// Draws v on platno as the window does, its frame reaching down to
// dole (the window's frame when 0).
void nakresli(const TVysledok& v, Platno& platno, const TPohlad& pohlad, const TSledovanie& sledovanie,
              int dole) {
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
    if (dole > 0) f->ramec.bottom = dole;
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

// The lower edge of the frame that holds every band of the drawing: a
// drawing on a frame with room for one gate a band shows how far down the
// gates reach, and the frame ends with the band of the lowest.
int dolnyokraj(const TVysledok& v, const TPohlad& pohlad) {
    const TRAMEC r;
    const double zoom = static_cast<int>(pohlad.zoom * 100.0 + 0.5) / 100.0;
    const int H = static_cast<int>(std::nearbyint((v.pocetq + 2) * 40 * zoom));
    const long long gates = static_cast<long long>(v.brany.size()) - std::max(pohlad.od.value_or(1), 1) + 1;
    const long long C = std::max(1LL, static_cast<long long>((r.right - r.left) / (36 * zoom)) - 1);
    const long long pasov = std::max(1LL, (gates + C - 1) / C);
    if (H < 1 || r.top + (pasov + 1) * H > std::numeric_limits<int>::max() / 2)
        throw ChybaVstupu("siet sa pri zoome " + std::to_string(zoom) + " neda nakreslit celu");
    Hlbkomer h;
    nakresli(v, h, pohlad, {}, r.top + static_cast<int>(pasov + 1) * H);
    const int pouzite = std::max(0, h.dole - r.top) / H + 1;
    return r.top + pouzite * H;
}

}  // namespace

TRozmer rozmerobrazka(const TVysledok& v, const TPohlad& pohlad) {
    if (!pohlad.cely) return {SVG_SIRKA, SVG_VYSKA};
    const int dole = dolnyokraj(v, pohlad);
    return {SVG_SIRKA, dole + TRAMEC{}.top};
}

void kresli(const TVysledok& v, Platno& platno, const TPohlad& pohlad, const TSledovanie& sledovanie) {
    nakresli(v, platno, pohlad, sledovanie, pohlad.cely ? dolnyokraj(v, pohlad) : 0);
}

std::string svg(const TVysledok& v, const TPohlad& pohlad, const TSledovanie& sledovanie) {
    if (!pohlad.cely) {
        SvgPlatno p;
        kresli(v, p, pohlad, sledovanie);
        return p.svg();
    }
    const int dole = dolnyokraj(v, pohlad);
    SvgPlatno p(SVG_SIRKA, dole + TRAMEC{}.top);
    nakresli(v, p, pohlad, sledovanie, dole);
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
    std::string png;
    if (pohlad.cely) {
        const TPngKreslicVelkosti& kv = pngkreslicvelkosti();
        if (!kv) throw ChybaVstupu("celu siet do PNG tato kniznica nekresli; zapis .svg");
        const int dole = dolnyokraj(v, pohlad);
        const int vyska = dole + TRAMEC{}.top;
        if (vyska > PNG_NAJVYSSI)
            throw ChybaVstupu("obrazok celej siete by mal " + std::to_string(vyska) +
                              " pixelov na vysku, PNG najviac " + std::to_string(PNG_NAJVYSSI) +
                              "; zapis .svg");
        png = kv([&](Platno& p) { nakresli(v, p, pohlad, sledovanie, dole); }, SVG_SIRKA, vyska);
    } else {
        png = k([&](Platno& p) { kresli(v, p, pohlad, sledovanie); });
    }
    const std::lock_guard<std::mutex> zz(zapisovyzamok());
    zapissubor(meno, png);
}

void nastavpng(TPngKreslic kreslic) {
    const std::lock_guard<std::mutex> z(pngzamok());
    pngkreslic() = std::move(kreslic);
}

void nastavpngvelkosti(TPngKreslicVelkosti kreslic) {
    const std::lock_guard<std::mutex> z(pngzamok());
    pngkreslicvelkosti() = std::move(kreslic);
}

bool mapng() {
    const std::lock_guard<std::mutex> z(pngzamok());
    return static_cast<bool>(pngkreslic());
}

}  // namespace qlc::api
