// The decomposition driver: reduction, check and reconstruction, two-level
// matrices and phases into gates, the deeper stages chosen in ComboBox1, the
// composition checks and the display of the circuit.
#include <algorithm>
#include <cmath>

#include "app/form1.h"

namespace qlc {

void TForm1::Button3Click() {
    Button3enabled = false;
    zmena(Ovladac::Button3);
    try {
        dekompozicia();
    } catch (...) {
        Button3enabled = true;
        zmena(Ovladac::Button3);
        throw;
    }
    Button3enabled = true;
    zmena(Ovladac::Button3);
}

namespace {

// The reduced matrix is diagonal with entries of modulus 1, within eps; one
// log line per offending entry.
bool diagonalnaunitarna(TForm1& f) {
    bool ok = true;
    for (int i = 1; i <= f.rozmer; ++i)
        for (int j = 1; j <= f.rozmer; ++j) {
            if (i != j && !vtolerancii(modul(f.A(i, j)), f.eps)) {
                f.log("!! Po redukcii existuje nediagonalny clen rozny od nuly.");
                ok = false;
            }
            if (i == j && !vtolerancii(std::fabs(modul(f.A(i, i)) - 1.0), f.eps)) {
                f.log("!! Po redukcii existuje diagonalny clen s modulom roznym od 1.");
                ok = false;
            }
        }
    return ok;
}

// Composition of the whole circuit compared with the input; A gets the
// input back in either case.
void kontrolakompozicie(TForm1& f, const TMATICA1& povodna, const std::string& dobre,
                        const std::string& zle) {
    f.A = f.kompozicia(f.brany, f.pocetb1, 1, f.pocetb1);
    if (rovnake(f.A, povodna, f.rozmer, f.eps)) {
        f.log(dobre);
    } else {
        f.info(zle);
        f.zlakontrola();
    }
    f.A = povodna;
}

}  // namespace

void TForm1::dekompozicia() {
    beh.dokoncena = false;
    beh.kontrolyok = true;

    log("Zacala sa dekompozicia.");
    if (!unitarna(A, rozmer, eps)) {
        log("Matica na dekomp. nie je unitárna. S takou sa neda ďalej pracovať!!!");
        zlakontrola();
        return;
    }
    eps = EPS_ZAKLAD;
    const TMATICA1 povodna = A;

    tpq.vypln(TTPQ{});
    fazy.vypln(0.0);
    pocettpq = 0;

    progresstart(rozmer);
    for (int m = rozmer; m >= 2; --m) {
        progreskrok();
        Redukcia(A, m);
    }

    if (!diagonalnaunitarna(*this)) {
        log(":(( redukcia neprebehla spravne, preto sa prerusuje dekompozicia.");
        zlakontrola();
        return;
    }

    // A = D: the phases, then the exact diagonal matrix of them.
    for (int i = 1; i <= rozmer; ++i) fazy[i] = -arg(A(i, i));
    for (int i = 1; i <= rozmer; ++i)
        for (int j = 1; j <= rozmer; ++j) A(i, j) = i == j ? polar(1.0, -fazy[i]) : TKOMPLEX();

    // A_input . T_1 . ... . T_last = D, so A_input = D . T_last^dagger . ... . T_1^dagger.
    for (int r = pocettpq; r >= 1; --r) nasobtpqinv(A, tpq[r]);
    if (!unitarna(A, rozmer, eps)) {
        log("Rekonstrukcia ma v sebe chybu, lebo nasob unit. mat dalo neunitarnu maticu.");
        zlakontrola();
    }
    if (rovnake(A, povodna, rozmer, eps)) {
        log("Dekompozicia matice prebehla uspesne (zrekonstr.mat.=povodnej).");
    } else {
        log(":(( Dekompozicia matice bola chybna. Zrekonstruovana mat. sa od povodnej lisi.");
        zlakontrola();
    }

    log("Zacal sa rozklad Tpq do QLS.");
    progresstart(pocettpq);
    pocetb1 = 0;
    try {
        for (int u = 1; u <= pocettpq; ++u) {
            progreskrok();
            RozlozTpq(u);
        }
        RozlozFazy();
        if (roboptim) optimalizacia();
        statistika();

        if (ComboBox1 < HLBKA_TOFFOLI) {
            DoL1();
            if (roboptim) optimalizacia();
            statistika();
        }
        if (ComboBox1 == HLBKA_L1)
            kontrolakompozicie(*this, povodna, "Kompozicia siete z L1(U) bran dala povodnu unitarnu maticu.",
                               "!!!!! Kompozicia siete z L1(U) bran nedala povodnu unit. mat.");
        if (ComboBox1 < HLBKA_L1) {
            Doelementarnych();
            optimalizacia();
            statistika();
        }
        if (ComboBox1 == HLBKA_ELEMENT)
            kontrolakompozicie(*this, povodna,
                               "Kompozicia siete z elementarnych bran dala povodnu unitarnu maticu.",
                               "!!!!! Kompozicia siete s elementarnych bran nedala povodnu unit. mat.");
    } catch (const PlnyZasobnik&) {
        // novabrana refused record 400,001 before writing it: every record
        // up to pocetb1 is complete, so the store stays a valid (partial)
        // circuit.
        log(":(( Bol dosiahnuty maximalny pocet bran, preto sa prerusuje dekompozicia.");
        progresskry();
        return;
    }

    for (int i = 1; i <= pocetb1; ++i) {
        if (!unitarna2(brany[i].U, eps)) {
            info("V brane cislo:" + std::to_string(i) + " nie je unitarna matica");
            zlakontrola();
            return;
        }
    }

    TrackBar1.frequency = pocetb1 / 50;
    TrackBar1.max = pocetb1;
    // The controls clamp their position to the new range, as a toolkit does.
    if (TrackBar1.max >= TrackBar1.min) TrackBar1.position = std::min(TrackBar1.position, TrackBar1.max);
    zmena(Ovladac::TrackBar1);
    if (pocetb1 < 5000) {
        UpDown1.max = pocetb1;
        UpDown1.position = std::min(UpDown1.position, UpDown1.max);
        zmena(Ovladac::UpDown1);
    }
    Label11 = std::to_string(pocetb1);
    zmena(Ovladac::Label11);
    StringGrid1.visible = false;
    zmena(Ovladac::StringGrid1);
    Image1visible = true;
    zmena(Ovladac::Image1);
    progresskry();
    kreslenie(brany, pocetb1, 1);
    beh.dokoncena = true;
}

}  // namespace qlc
