// Gates that explain themselves: the gate under a point of the drawing, a
// gate chosen by a click, and the text shown on hovering over a gate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/text.h"
#include "tests/view/pomocne.h"

using namespace qlc;
using namespace qlc::test;

namespace {

constexpr double PI = std::numbers::pi;

struct Vyber : Okno {
    // The rectangle of the blue highlight in the last drawing: left, top,
    // right, bottom.
    std::array<int, 4> zvyraznenie() const {
        std::array<int, 4> r{1 << 30, 1 << 30, -1, -1};
        bool modre = false;
        for (const auto& x : p.kresba.p) {
            if (x.druh == "pero") modre = x.farba == MODRA;
            if (!modre || x.druh != "ciara") continue;
            r[0] = std::min({r[0], x.cisla[0], x.cisla[2]});
            r[1] = std::min({r[1], x.cisla[1], x.cisla[3]});
            r[2] = std::max({r[2], x.cisla[0], x.cisla[2]});
            r[3] = std::max({r[3], x.cisla[1], x.cisla[3]});
        }
        return r;
    }
    // Gates of every shape on 3 qubits: spans of one, two and three lines,
    // so that the narrowed display puts some of them into shared columns.
    void obvod(int n) {
        qubity(3);
        for (int k = 1; k <= n; ++k) {
            switch (k % 5) {
                case 0: pridaj(brana(maticanot(), 3, {1})); break;
                case 1: pridaj(brana(faza(0.1 * k), 1)); break;
                case 2: pridaj(brana(faza(0.1 * k), 3)); break;
                case 3: pridaj(brana(maticaz(), 2, {1})); break;
                default: pridaj(brana(faza(0.1 * k), 2, {1, 3})); break;
            }
        }
        f->nastavnavigaciu();
    }
    TGATE1 jedna(const TMATICA2& U, std::vector<int> kontroly = {}) {
        pridaj(brana(U, 1, kontroly));
        return f->brany[f->pocetb1];
    }
};

TMATICA2 matica(TKOMPLEX a, TKOMPLEX b, TKOMPLEX c, TKOMPLEX d) { return {a, b, c, d}; }

// ---- the gate under a point --------------------------------------------------------------

TEST_F(Vyber, BranaPodBodomJeTaKtorejZvyraznenieHoObsahuje) {
    for (bool zuzenie : {true, false}) {
        SCOPED_TRACE(zuzenie ? "narrowed" : "one column per gate");
        f->pocetb1 = 0;
        f->Zuzeniezobrazenia1 = zuzenie;
        obvod(90);
        f->nastavTrackBar2(100);  // zoom 1.00: 3 bands of 26 columns
        int nakreslene = 0;
        for (int g = 1; g <= f->pocetb1; ++g) {
            f->aktualna = g;
            p.vycisti();
            f->kreslenie(f->brany, f->pocetb1, 1);
            const auto r = zvyraznenie();
            if (r[2] < 0) continue;  // not drawn: beyond the last band
            ++nakreslene;
            const int x = (r[0] + r[2]) / 2, y = (r[1] + r[3]) / 2;
            EXPECT_EQ(f->branana(x, y), g) << "centre of gate " << g;
            EXPECT_EQ(f->branana(r[0] + 1, r[1] + 1), g) << "top left of gate " << g;
            EXPECT_EQ(f->branana(r[2] - 1, r[3] - 1), g) << "bottom right of gate " << g;
            // just above and below the rectangle lies another gate or none
            EXPECT_NE(f->branana(x, r[1] - 2), g) << g;
            EXPECT_NE(f->branana(x, r[3] + 2), g) << g;
        }
        // without narrowing 3 bands of 26 columns; narrowed, more gates fit
        if (zuzenie) {
            EXPECT_GT(nakreslene, 3 * 26);
        } else {
            EXPECT_EQ(nakreslene, 3 * 26);
        }
    }
}

TEST_F(Vyber, MimoBranNieJeZiadna) {
    obvod(10);
    f->kreslenie(f->brany, f->pocetb1, 1);
    // left of the first column, the frame's margin, a point outside the frame
    EXPECT_EQ(f->branana(12, 10 + 3 * 40 + 10), 0);
    EXPECT_EQ(f->branana(5, 5), 0);
    EXPECT_EQ(f->branana(1005, 60), 0);
    // a drawing from gate 4: the first column holds gate 4
    f->nastavTrackBar1(4);
    const int x = 10 + static_cast<int>(std::nearbyint(36 * 1.25)), y = 10 + 50;
    EXPECT_EQ(f->branana(x, y), 4);
    // the step display's copy and the gate dialog's gate are no gates of the store
    f->kopia[1] = f->brany[1];
    f->kreslenie(TZoznamBran(f->kopia.data(), f->kopia.hi), 1, 1);
    EXPECT_EQ(f->branana(x, y), 0);
    // nor is a discarded circuit
    f->kreslenie(f->brany, f->pocetb1, 1);
    EXPECT_EQ(f->branana(x, y), 1);
    f->pocetb1 = 0;
    f->vycistisiet();
    EXPECT_EQ(f->branana(x, y), 0);
}

// ---- a click on a gate ---------------------------------------------------------------------

TEST_F(Vyber, KliknutaBranaJeAktualna) {
    f->Zuzeniezobrazenia1 = false;
    obvod(12);
    f->nastavTrackBar1(3);
    ASSERT_EQ(f->aktualna, 3);
    p.vycisti();
    f->vyberbranu(7);
    EXPECT_EQ(f->aktualna, 7);
    EXPECT_EQ(f->UpDown1.position, 7);
    EXPECT_EQ(f->Label8, "7");
    EXPECT_EQ(f->zobrazod, 3);  // the first gate drawn stays
    EXPECT_EQ(f->Label12, "1.0000");
    EXPECT_EQ(f->Label15, komplexnatext(f->brany[7].U.u22(), 4));
    EXPECT_EQ(zvyraznenie()[0], 10 + static_cast<int>(std::nearbyint(36 * 5 * 1.25)) -
                                    static_cast<int>(std::nearbyint(18 * 1.25)))
        << "gate 7 is the fifth of the drawing from gate 3";
    EXPECT_THROW(f->vyberbranu(0), ChybaRozsahu);
    EXPECT_THROW(f->vyberbranu(13), ChybaRozsahu);
    EXPECT_EQ(f->aktualna, 7);
}

// ---- the text on hovering ------------------------------------------------------------------

TEST_F(Vyber, PopisZnamychBran) {
    qubity(3);
    const double h = 1.0 / std::numbers::sqrt2;
    const TKOMPLEX e8(std::cos(PI / 8), std::sin(PI / 8));
    jedna(diag2(conj(e8), e8));                          // 1: Rz(π/4)
    pridaj(brana(maticanot(), 3, {1}));                   // 2: CNOT
    jedna(matica(h, h, h, -h));                           // 3: H
    jedna(matica(std::cos(0.3), TKOMPLEX(0, -std::sin(0.3)), TKOMPLEX(0, -std::sin(0.3)), std::cos(0.3)));
    jedna(matica(std::cos(PI / 3), -std::sin(PI / 3), std::sin(PI / 3), std::cos(PI / 3)));  // 5: Ry(2π/3)
    jedna(faza(-3 * PI / 4));                             // 6: phase(-3π/4)
    jedna(matica(0.6, 0.8, -0.8, 0.6));                   // 7: Ry(-2 atan(4/3)), no multiple of π
    jedna(matica(0.6, 0.8, 0.8, -0.6));                   // 8: no known gate
    pridaj(brana(faza(0.5), 2, {3, 1}, true));            // 9: removed, two controls
    jedna(diag2(1.0, TKOMPLEX(0, 1)));                    // 10: S

    EXPECT_EQ(f->popisbrany(1),
              "Brána 1\ncieľový qubit: 1, bez kontrol\nRz(θ), θ = 0.785398 rad = π/4\n"
              "U = [ 0.9239-0.3827i               0 ]\n    [              0  0.9239+0.3827i ]");
    EXPECT_EQ(f->popisbrany(2),
              "Brána 2\ncieľový qubit: 3, kontrolujúci qubit: 1\nCNOT (X)\n"
              "U = [      0  1.0000 ]\n    [ 1.0000       0 ]");
    EXPECT_EQ(f->popisbrany(3),
              "Brána 3\ncieľový qubit: 1, bez kontrol\nH (Hadamard)\n"
              "U = [ 0.7071   0.7071 ]\n    [ 0.7071  -0.7071 ]");
    const auto riadok = [this](int g, int i) {
        std::string s = f->popisbrany(g);
        for (int k = 0; k < i; ++k) s.erase(0, s.find('\n') + 1);
        return s.substr(0, s.find('\n'));
    };
    EXPECT_EQ(riadok(4, 2), "Rx(θ), θ = 0.600000 rad");
    EXPECT_EQ(riadok(5, 2), "Ry(θ), θ = 2.094395 rad = 2π/3");
    EXPECT_EQ(riadok(6, 2), "phase(φ), φ = -2.356194 rad = -3π/4");
    EXPECT_EQ(riadok(7, 2), "Ry(θ), θ = -1.854590 rad");
    EXPECT_EQ(riadok(8, 2), "U = [ 0.6000   0.8000 ]");  // no name line
    EXPECT_EQ(riadok(9, 0), "Brána 9 (vyradená)");
    EXPECT_EQ(riadok(9, 1), "cieľový qubit: 2, kontrolujúce qubity: 3, 1");
    EXPECT_EQ(riadok(10, 2), "S");
    // a gate near a known one but not within 1e-9 has no name
    jedna(diag2(conj(e8), TKOMPLEX(e8.re + 1e-6, e8.im)));
    EXPECT_EQ(riadok(11, 2).substr(0, 3), "U =");
    EXPECT_EQ(f->popisbrany(0), "");
    EXPECT_EQ(f->popisbrany(12), "");
}

// ---- the frame follows the picture control ------------------------------------------------

TEST_F(Vyber, RamecRastieSObrazkom) {
    // the described frame up to a control of its size with margins, larger beyond
    for (const auto& [w, h] : {std::pair{995, 594}, {1010, 760}, {400, 300}}) {
        const TRAMEC r = TForm1::ramecpre(w, h);
        EXPECT_EQ(r.left, 10);
        EXPECT_EQ(r.top, 10);
        EXPECT_EQ(r.right, 1000);
        EXPECT_EQ(r.bottom, 750);
    }
    const TRAMEC v = TForm1::ramecpre(1400, 900);
    EXPECT_EQ(v.right, 1390);
    EXPECT_EQ(v.bottom, 890);
    EXPECT_EQ(TForm1::ramecpre(100000, 100000).right, TForm1::MAXRAMEC);

    // a drawing of the store is redrawn in the wider frame: more columns
    f->Zuzeniezobrazenia1 = false;
    obvod(90);
    f->kreslenie(f->brany, f->pocetb1, 1);
    ASSERT_EQ(f->Label5, "42");  // 2 bands of 21 columns at zoom 1.25
    p.vycisti();
    f->nastavramec(v);
    EXPECT_EQ(f->Label5, "87");  // 3 bands of int(1380 / 45) - 1 = 29 columns
    EXPECT_EQ(ciaryqubitov(p.kresba).size(), 0u);  // the lines now end at 1390
    int dlhe = 0;
    for (const auto& x : p.kresba.druhu("ciara"))
        if (x.cisla[0] == 10 && x.cisla[2] == 1390) ++dlhe;
    EXPECT_EQ(dlhe, 3 * 3);  // three bands of 880 / 250 with 3 qubit lines
    // the hit test follows the new layout: gate 50 in column 21 of the second band
    EXPECT_EQ(f->branana(10 + static_cast<int>(std::nearbyint(36 * 21 * 1.25)), 10 + 250 + 50), 50);
    // frames the control cannot have are refused
    TRAMEC zly = v;
    zly.right = 900;
    EXPECT_THROW(f->nastavramec(zly), ChybaBehu);
    zly = v;
    zly.left = 0;
    EXPECT_THROW(f->nastavramec(zly), ChybaBehu);
    EXPECT_EQ(f->ramec.right, 1390);
}

// ---- the legend ------------------------------------------------------------------------------

TEST_F(Vyber, LegendaMaKazduZnackuKresby) {
    ZaznamPlatno pl;
    const auto [sirka, vyska] = f->kreslilegendu(pl);
    EXPECT_GT(sirka, 300);
    EXPECT_GT(vyska, 400);
    // every letter of a box once, and the red and blue pens
    std::vector<std::string> pismena;
    for (const auto& x : pl.druhu("text"))
        if (x.text.size() == 1) pismena.push_back(x.text);
    std::sort(pismena.begin(), pismena.end());
    EXPECT_EQ(pismena, (std::vector<std::string>{"A", "D", "E", "F", "P", "U", "U", "U"}));
    bool cervene = false, modre = false;
    for (const auto& x : pl.druhu("pero")) {
        cervene = cervene || x.farba == CERVENA;
        modre = modre || x.farba == MODRA;
    }
    EXPECT_TRUE(cervene);
    EXPECT_TRUE(modre);
    // nothing is drawn outside the size it reports
    for (const auto& x : pl.p)
        if (x.druh == "ciara" || x.druh == "elipsa" || x.druh == "obdlznik" || x.druh == "vypln") {
            EXPECT_LE(std::max(x.cisla[0], x.cisla[2]), sirka) << popis(x);
            EXPECT_LE(std::max(x.cisla[1], x.cisla[3]), vyska) << popis(x);
        }
}

}  // namespace
