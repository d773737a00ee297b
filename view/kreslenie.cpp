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
void kreslibranu(const TForm1& f, Platno& pl, int x, int y, const TGATE1& g, bool aktualna) {
    const double zoom = f.zoom;
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

    TOBSADENE obsadene;
    // The number of a band's first gate, below its last qubit line.
    auto znackapasu = [&](int pas, int cislo) {
        pl.pismo(rnd(20 * zoom), CIERNA);
        pl.text(ramec.left, ramec.top + (pas - 1) * H + rnd((pocetq + 0.8) * 40 * zoom),
                std::to_string(cislo));
    };

    int pas = 1, g = start, col = 0;
    vycisti(obsadene);
    znackapasu(pas, start);
    do {
        int c = col + 1;
        if (Zuzeniezobrazenia1)
            while (volnevlavo(b[g], c, obsadene)) --c;
        kreslibranu(*this, pl, ramec.left + rnd(36 * c * zoom), ramec.top + (pas - 1) * H, b[g],
                    g == aktualna);
        ++g;
        if (c == col + 1) ++col;
        if (col == C) {
            // Written even for a band below the last one: it names the
            // first gate that did not fit.
            ++pas;
            vycisti(obsadene);
            znackapasu(pas, g);
            col = 0;
        }
    } while (g <= pocet && pas <= B);

    Label7 = textzoomu(zoom);
    zmena(Ovladac::Label7);
    Label3 = std::to_string(start);
    zmena(Ovladac::Label3);
    Label5 = std::to_string(g - 1);
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

}  // namespace qlc
