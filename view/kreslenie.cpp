// The circuit drawing: a range of gates drawn as qubit lines in bands on
// the canvas of Image1, the shown range and the zoom written into labels,
// and the matrix of the current gate shown below the drawing.
//
// Geometry in unscaled units: qubit q lies 40 q below the top of its band,
// a band is 40 (pocetq + 2) high, column c lies 36 c right of the frame's
// left edge. Every length is scaled as rnd(length * zoom) of the whole
// unscaled expression, so that neighbouring shapes meet on the same pixel
// however the zoom rounds.
#include <charconv>
#include <cmath>
#include <string>

#include "core/form1.h"
#include "core/text.h"

namespace qlc {
namespace {

// Columns of one band the occupancy table can hold; the smallest zoom 0.45
// gives int(990 / 16.2) - 1 = 60 columns.
constexpr int MAXSTLPCOV = 500;
constexpr int MAXQUBITOV = 5;
// Font height of the qubit numbers at the left of the lines, unscaled.
constexpr int VYSKAZNACKYQUBITU = 12;

// obsadene[q][c]: column c of the current band is taken on qubit line q.
using TOBSADENE = Pole<Pole<bool, 1, MAXSTLPCOV>, 1, MAXQUBITOV>;

// Nearest integer, a half going to the even neighbour (the default
// rounding mode of the floating-point environment).
int rnd(double v) { return static_cast<int>(std::nearbyint(v)); }

void vycisti(TOBSADENE& obsadene) {
    for (int q = 1; q <= MAXQUBITOV; ++q) obsadene[q].vypln(false);
}

// The smallest and the largest qubit the gate touches (target and controls).
void rozpatie(const TGATE1& g, int& lo, int& hi) {
    lo = hi = g.ciel;
    for (int k = 1; k <= g.pocetk; ++k) {
        const int q = g.kontroly[k];
        if (q < lo) lo = q;
        if (q > hi) hi = q;
    }
}

// Narrowed display: may gate g, about to stand in column c, move one column
// to the left? It may when c is not the first column and column c - 1 is
// free on every line of the gate's span, the lines between its qubits
// included (the connector crosses them). When it may not, the gate stays in
// column c, which it then takes on its whole span.
bool volnevlavo(const TGATE1& g, int c, TOBSADENE& obsadene) {
    int lo = 0, hi = 0;
    rozpatie(g, lo, hi);
    bool volne = c != 1;
    if (volne)
        for (int q = lo; q <= hi; ++q)
            if (obsadene[q][c - 1]) volne = false;
    if (!volne)
        for (int q = lo; q <= hi; ++q) obsadene[q][c] = true;
    return volne;
}

// The letter of a boxed gate: later tests that hold replace earlier ones.
// The comparisons are exact complex equality, not eps: a gate that is only
// nearly the identity still shows which entries differ.
const char* pismenobrany(const TMATICA2& U) {
    const bool diag = diagonalna2(U);
    const char* p = "U";
    if (diag) p = "D";
    if (diag && rovnasa(U.u11(), U.u22())) p = "P";
    if (diag && rovnasa(U.u11(), 1.0)) p = "E";
    if (diag && rovnasa(U.u22(), 1.0)) p = "F";
    if (rovnasa(U.u11(), 0.0) && rovnasa(U.u22(), 0.0)) p = "A";
    return p;
}

// One gate with its column centre x and its band's top y: control dots and
// connector, the highlight of the current gate, then the target glyph over
// them (a NOT as a circle with a cross, a Z as an open square, anything else
// as a box with a letter).
void kreslibranu(const TForm1& f, double zoom, Platno& pl, int x, int y, const TGATE1& g, bool aktualna) {
    auto r = [zoom](double v) { return rnd(v * zoom); };
    const TFarba farba = g.vyradena ? CERVENA : CIERNA;
    const int t = g.ciel;
    int lo = t, hi = t;

    if (g.pocetk > 0) {
        pl.stetec(farba);
        pl.pero(farba, 1);
        for (int k = 1; k <= g.pocetk; ++k) {
            const int q = g.kontroly[k];
            if (q < lo) lo = q;
            if (q > hi) hi = q;
            pl.elipsa(x - r(6), y + r(40 * q - 6), x + r(6), y + r(40 * q + 6));
        }
        pl.ciara(x, y + r(40 * lo), x, y + r(40 * hi));
    }

    if (aktualna) {
        pl.pero(MODRA, 2);
        const int l = x - r(18), p = x + r(18);
        const int h = y + r(40 * lo - 18), d = y + r(40 * hi + 18);
        pl.ciara(l, h, p, h);
        pl.ciara(p, h, p, d);
        pl.ciara(p, d, l, d);
        pl.ciara(l, d, l, h);
    }

    pl.pero(farba, 1);
    pl.stetec(BIELA);
    if (rovnake2(g.U, f.matnot, f.eps)) {
        pl.elipsa(x - r(10), y + r(40 * t - 10), x + r(10), y + r(40 * t + 10));
        pl.ciara(x, y + r(40 * t - 10), x, y + r(40 * t + 10));
        pl.ciara(x - r(10), y + r(40 * t), x + r(10), y + r(40 * t));
    } else if (rovnake2(g.U, f.matz, f.eps)) {
        // A controlled Z is symmetric in its two qubits; the square on the
        // control covers its dot.
        pl.obdlznik(x - r(6), y + r(40 * t - 6), x + r(6), y + r(40 * t + 6));
        if (g.pocetk == 1) {
            const int q = g.kontroly[1];
            pl.obdlznik(x - r(6), y + r(40 * q - 6), x + r(6), y + r(40 * q + 6));
        }
    } else {
        pl.pismo(r(20), farba);
        pl.obdlznik(x - r(12), y + r(40 * t - 12), x + r(12), y + r(40 * t + 12));
        pl.text(x - r(6), y + r(40 * t - 10), pismenobrany(g.U));
    }
}

// The number of every qubit line of the band whose top is y, small and just
// above the line at its left end, 1 at the top (the most significant bit).
// The first column's centre lies 36 zoom right of the frame and no glyph
// reaches more than 18 zoom to its left, so the numbers (at most 12 zoom
// high, one digit of about 8 zoom) stay clear of every gate.
void znackyqubitov(Platno& pl, int x, int y, int pocetq, double zoom) {
    pl.pismo(rnd(VYSKAZNACKYQUBITU * zoom), CIERNA);
    for (int q = 1; q <= pocetq; ++q)
        pl.text(x + rnd(2 * zoom), y + rnd((40 * q - VYSKAZNACKYQUBITU - 3) * zoom), std::to_string(q));
}

// The zoom with two decimals and a point, at least 4 characters wide.
// to_chars is independent of the C locale, which a desktop toolkit may set
// to one with a decimal comma.
std::string textzoomu(double z) {
    char buf[64];
    const auto v = std::to_chars(buf, buf + sizeof buf, z, std::chars_format::fixed, 2);
    std::string s(buf, v.ptr);
    if (s.size() < 4) s.insert(0, 4 - s.size(), ' ');
    return s;
}

// The layout of one drawing, shared by the drawing and by the search of a
// gate under a point: gates start..pocet column by column and band by band.
// For every gate it calls brana(x, y, g) with the column's centre x and the
// band's top y (brana returns true to stop), and for every band after the
// first pas(band, its first gate), also for a band below the last one.
// Returns the last gate laid out.
template <typename Pas, typename Brana>
int rozloz(const TROZLOZENIE& r, TZoznamBran b, int pocet, int start, Pas&& pas, Brana&& brana) {
    TOBSADENE obsadene;
    int p = 1, g = start, col = 0;
    vycisti(obsadene);
    pas(p, start);
    do {
        int c = col + 1;
        if (r.zuzenie)
            while (volnevlavo(b[g], c, obsadene)) --c;
        if (brana(r.ramec.left + rnd(36 * c * r.zoom), r.ramec.top + (p - 1) * r.H, g)) return g;
        ++g;
        if (c == col + 1) ++col;
        if (col == r.C) {
            // Written even for a band below the last one: it names the
            // first gate that did not fit.
            ++p;
            vycisti(obsadene);
            pas(p, g);
            col = 0;
        }
    } while (g <= pocet && p <= r.B);
    return g - 1;
}

}  // namespace

void TForm1::kreslenie(TZoznamBran b, int pocet, int start) {
    // A zoom that is not positive would give bands of no height and a
    // division by zero below; only the zoom slider (0.45..2.00) sets it.
    if (!(zoom > 0.0) || !std::isfinite(zoom)) throw ChybaBehu("kreslenie: neplatny zoom");
    const int vyska = ramec.bottom - ramec.top;
    const int sirka = ramec.right - ramec.left;
    const double hpas = std::nearbyint((pocetq + 2) * 40 * zoom);
    // Compared as a double first, so that no huge value is turned into int.
    if (vyska < hpas || sirka / (36 * zoom) < 2.0) {
        log("Pri tomto ZOOMe sa do okna nezmesti ani jeden pas, preto nezobrazujem");
        return;
    }
    const int H = static_cast<int>(hpas);
    if (H < 1) throw ChybaBehu("kreslenie: neplatny zoom");
    // There is no gate 0: a start below 1 is as nonexistent as one past the end.
    if (start > pocet || start < 1) {
        log("Ziadas vykreslenie brany s neexistujucim cislom, preto nezobrazujem");
        return;
    }
    // The loop reads gates start..pocet; refuse before touching the canvas.
    if (pocet > b.high()) zlyindex(pocet, 0, b.high());

    const int B = vyska / H;
    const int C = static_cast<int>(sirka / (36 * zoom)) - 1;
    Platno& pl = platforma.platno();

    pl.stetec(BIELA);
    pl.pero(CIERNA, 1);
    pl.vypln(ramec.left, ramec.top, ramec.right, ramec.bottom);
    nakreslene = true;
    for (int pas = 1; pas <= B; ++pas)
        for (int q = 1; q <= pocetq; ++q) {
            const int Y = ramec.top + (pas - 1) * H + rnd(40 * q * zoom);
            pl.ciara(ramec.left, Y, ramec.right, Y);
        }
    for (int pas = 1; pas <= B; ++pas) znackyqubitov(pl, ramec.left, ramec.top + (pas - 1) * H, pocetq, zoom);

    // The number of a band's first gate, below its last qubit line.
    auto znackapasu = [&](int pas, int cislo) {
        pl.pismo(rnd(20 * zoom), CIERNA);
        pl.text(ramec.left, ramec.top + (pas - 1) * H + rnd((pocetq + 0.8) * 40 * zoom),
                std::to_string(cislo));
    };
    const TROZLOZENIE roz{ramec, zoom, H, B, C, Zuzeniezobrazenia1};
    const int posledna = rozloz(roz, b, pocet, start, znackapasu, [&](int x, int y, int g) {
        kreslibranu(*this, zoom, pl, x, y, b[g], g == aktualna);
        return false;
    });
    // What the canvas now shows, for finding a gate under the mouse: a
    // drawing of the store's gates, or of another list.
    kresba.siet = &b[0] == brany.data();
    kresba.rozlozenie = roz;
    kresba.pocet = pocet;
    kresba.start = start;

    Label7 = textzoomu(zoom);
    zmena(Ovladac::Label7);
    Label3 = std::to_string(start);
    zmena(Ovladac::Label3);
    Label5 = std::to_string(posledna);
    zmena(Ovladac::Label5);

    // The current gate's matrix, whether or not it lies in the drawn range.
    // A current gate outside the given array (the one-gate list of the gate
    // dialog, say) is no gate of this drawing and counts as none.
    if (aktualna >= 1 && aktualna <= b.high()) {
        const TMATICA2& U = b[aktualna].U;
        Label12 = komplexnatext(U.u11(), 4);
        Label13 = komplexnatext(U.u12(), 4);
        Label14 = komplexnatext(U.u21(), 4);
        Label15 = komplexnatext(U.u22(), 4);
    } else {
        Label12.clear();
        Label13.clear();
        Label14.clear();
        Label15.clear();
    }
    zmena(Ovladac::Label12);
    zmena(Ovladac::Label13);
    zmena(Ovladac::Label14);
    zmena(Ovladac::Label15);
}


int TForm1::branana(int x, int y) const {
    if (!kresba.siet || kresba.pocet > pocetb1 || kresba.start < 1 || kresba.start > kresba.pocet) return 0;
    const TROZLOZENIE& r = kresba.rozlozenie;
    if (x < r.ramec.left || x >= r.ramec.right || y < r.ramec.top || y >= r.ramec.bottom) return 0;
    auto d = [&r](double v) { return rnd(v * r.zoom); };
    int najdena = 0;
    rozloz(r, brany, kresba.pocet, kresba.start, [](int, int) {}, [&](int xs, int ys, int g) {
        // the gate's highlight rectangle: its column, and its span of
        // qubit lines with half a line above and below
        int lo = 0, hi = 0;
        rozpatie(brany[g], lo, hi);
        if (x >= xs - d(18) && x <= xs + d(18) && y >= ys + d(40 * lo - 18) && y <= ys + d(40 * hi + 18)) {
            najdena = g;
            return true;
        }
        return false;
    });
    return najdena;
}

}  // namespace qlc

namespace qlc {

std::pair<int, int> TForm1::kreslilegendu(Platno& pl) const {
    // One row per symbol: a short qubit line (two for the controlled
    // gates) with the glyph on it as the drawing makes it at zoom 1, and
    // the meaning to the right.
    struct TRiadok {
        TGATE1 g;
        bool aktualna;
        const char* text;
    };
    const auto brana = [](const TMATICA2& U, int ciel, int kontrola, bool vyradena) {
        TGATE1 g;
        g.U = U;
        g.ciel = static_cast<std::uint8_t>(ciel);
        if (kontrola > 0) g.kontroly[++g.pocetk] = static_cast<std::uint8_t>(kontrola);
        g.vyradena = vyradena;
        return g;
    };
    const TKOMPLEX z(0.6, 0.8);
    const TMATICA2 vseobecna(0.6, 0.8, -0.8, 0.6);
    const TRiadok riadky[] = {
        {brana(matnot, 2, 1, false), false, "CNOT: plná bodka je kontrolujúci qubit, kruh s krížikom NOT"},
        {brana(matz, 2, 1, false), false, "riadené Z: štvorček na oboch qubitoch (bez kontroly len Z)"},
        {brana(vseobecna, 1, 0, false), false, "U – všeobecná brána"},
        {brana(diag2(z, TKOMPLEX(0.8, 0.6)), 1, 0, false), false, "D – diagonálna brána"},
        {brana(diag2(z, z), 1, 0, false), false, "P – z·I, obe čísla na diagonále rovnaké"},
        {brana(diag2(1.0, z), 1, 0, false), false, "E – diag(1, z)"},
        {brana(diag2(z, 1.0), 1, 0, false), false, "F – diag(z, 1), aj jednotková matica"},
        {brana(TMATICA2(0.0, z, z, 0.0), 1, 0, false), false, "A – antidiagonálna brána (iná ako NOT)"},
        {brana(vseobecna, 1, 0, true), false, "červená brána je vyradená"},
        {brana(vseobecna, 1, 0, false), true, "modrý rámček je aktuálna brána"},
    };
    constexpr int X = 36, TEXT = 72, SIRKA = 480;
    pl.stetec(BIELA);
    int vyska = 8;
    for (const TRiadok& r : riadky) vyska += 40 * (r.g.pocetk + 1) + 4;
    pl.vypln(0, 0, SIRKA, vyska);
    int y = 8;
    for (const TRiadok& r : riadky) {
        const int ciary = r.g.pocetk + 1;
        // the glyph's qubit lines lie 40 q below y - 20
        const int hore = y - 20;
        pl.pero(CIERNA, 1);
        for (int q = 1; q <= ciary; ++q) pl.ciara(X - 26, hore + 40 * q, X + 26, hore + 40 * q);
        kreslibranu(*this, 1.0, pl, X, hore, r.g, r.aktualna);
        pl.pismo(14, CIERNA);
        pl.text(TEXT, hore + 20 * (ciary + 1) - 8, r.text);
        y += 40 * ciary + 4;
    }
    return {SIRKA, vyska};
}

}  // namespace qlc
