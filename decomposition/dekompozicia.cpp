// The decomposition driver: reduction, check and reconstruction, two-level
// matrices and phases into gates, the deeper stages chosen in ComboBox1, the
// composition checks and the display of the circuit.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/form1.h"
#include "synthesis/hladanie.h"
#include "synthesis/synteza.h"

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

// Gates with a control: in an elementary circuit these are its CNOTs.
int pocetkontrolovanych(const TForm1& f) {
    int c = 0;
    for (int i = 1; i <= f.pocetb1; ++i)
        if (f.brany[i].pocetk > 0) ++c;
    return c;
}

std::string siet(int cnot, int brany) {
    return std::to_string(cnot) + " CNOT, " + std::to_string(brany) + " bran";
}

std::string cislo(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1e", x);
    return buf;
}

// The circuit in the store as a candidate of the shortest-circuit method.
TKANDIDAT kandidat(const TForm1& f, bool ok) {
    TKANDIDAT k;
    k.ok = ok;
    k.cnot = pocetkontrolovanych(f);
    k.brany = f.pocetb1;
    k.odchylka = ok ? odchylkasiete(f.brany, f.pocetb1, f.pocetq, f.Apresna)
                    : std::numeric_limits<double>::quiet_NaN();
    return k;
}

}  // namespace

bool presnasiet(const TKANDIDAT& k) { return vtolerancii(k.odchylka, PRESNA_SIET); }

bool lepsiasiet(const TKANDIDAT& a, const TKANDIDAT& b) {
    if (a.ok != b.ok) return a.ok;
    const bool pa = presnasiet(a), pb = presnasiet(b);
    if (pa != pb) return pa;
    if (a.cnot != b.cnot) return a.cnot < b.cnot;
    return a.brany < b.brany;
}

void TForm1::dekompozicia() {
    beh.dokoncena = false;
    beh.kontrolyok = true;

    log("Zacala sa dekompozicia.");
    // The entries as given, or A's own when the copy no longer matches A.
    Apresna = presnaalebo(Apresna, A, rozmer);
    // The synthesis takes a matrix only when its nearest unitary lies within
    // the run's tolerance; for that method its test is part of the first one,
    // so that the two cannot disagree.
    bool unitarnavstup = unitarna(A, rozmer, eps);
    if (unitarnavstup && (ComboBox1 == METODA_QSD || ComboBox1 == METODA_HLADANIE))
        unitarnavstup = synteza::syntetizovatelna(synteza::odunitarnej(Apresna, pocetq), EPS_ZAKLAD);
    if (!unitarnavstup) {
        log("Matica na dekomp. nie je unitárna. S takou sa neda ďalej pracovať!!!");
        zlakontrola();
        return;
    }
    eps = EPS_ZAKLAD;
    const TMATICA1 povodna = A;

    bool dokoncena = false;
    if (ComboBox1 == METODA_QSD)
        dokoncena = dekompoziciaqsd(povodna);
    else if (ComboBox1 == METODA_NAJLEPSIA)
        dokoncena = dekompozicianajkratsia(povodna);
    else if (ComboBox1 == METODA_HLADANIE)
        dokoncena = dekompoziciahladanie(povodna);
    else
        dokoncena = dekompoziciatpq(povodna, ComboBox1);
    if (!dokoncena) return;

    for (int i = 1; i <= pocetb1; ++i) {
        if (!unitarna2(brany[i].U, eps)) {
            info("V brane cislo:" + std::to_string(i) + " nie je unitarna matica");
            zlakontrola();
            return;
        }
    }

    // An empty circuit (the identity, say) leaves no picture of the old one.
    if (pocetb1 == 0)
        vycistisiet();
    else
        nastavnavigaciu();
    StringGrid1.visible = false;
    zmena(Ovladac::StringGrid1);
    Image1visible = true;
    zmena(Ovladac::Image1);
    progresskry();
    kreslenie(brany, pocetb1, 1);
    beh.dokoncena = true;
}

bool TForm1::dekompoziciatpq(const TMATICA1& povodna, int k) {
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
        return false;
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
    sietzosyntezy = false;
    epsoptimalizacie = EPS_ZAKLAD;
    try {
        for (int u = 1; u <= pocettpq; ++u) {
            progreskrok();
            RozlozTpq(u);
        }
        RozlozFazy();
        if (roboptim) optimalizacia();
        statistika();

        if (k < HLBKA_TOFFOLI) {
            DoL1();
            if (roboptim) optimalizacia();
            statistika();
        }
        if (k == HLBKA_L1)
            kontrolakompozicie(*this, povodna, "Kompozicia siete z L1(U) bran dala povodnu unitarnu maticu.",
                               "!!!!! Kompozicia siete z L1(U) bran nedala povodnu unit. mat.");
        if (k < HLBKA_L1) {
            Doelementarnych();
            optimalizacia();
            statistika();
        }
        if (k == HLBKA_ELEMENT)
            kontrolakompozicie(*this, povodna,
                               "Kompozicia siete z elementarnych bran dala povodnu unitarnu maticu.",
                               "!!!!! Kompozicia siete s elementarnych bran nedala povodnu unit. mat.");
    } catch (const PlnyZasobnik&) {
        // novabrana refused record 400,001 before writing it: every record
        // up to pocetb1 is complete, so the store stays a valid (partial)
        // circuit.
        log(":(( Bol dosiahnuty maximalny pocet bran, preto sa prerusuje dekompozicia.");
        progresskry();
        return false;
    }
    return true;
}

namespace {

// The circuit of a synthesis (its log lines first) into the store, through
// the optimiser, the statistics and the composition check; false when the
// store cannot hold it.
bool ulozsyntezu(TForm1& f, const synteza::TSYNTEZA& s, const TMATICA1& povodna) {
    for (const std::string& r : s.sprava) f.log(r);

    f.pocetb1 = 0;
    f.sietzosyntezy = true;
    try {
        for (const TGATE1& g : s.brany) {
            f.novabrana();
            f.brany[f.pocetb1] = g;
        }
    } catch (const PlnyZasobnik&) {
        f.log(":(( Bol dosiahnuty maximalny pocet bran, preto sa prerusuje dekompozicia.");
        return false;
    }

    // The optimiser runs as after the elementary stage, but it may only
    // exchange and merge what commutes and cancels to rounding.
    f.epsoptimalizacie = EPS_SYNTEZA;
    try {
        f.optimalizacia();
    } catch (...) {
        f.epsoptimalizacie = EPS_ZAKLAD;
        f.eps = EPS_ZAKLAD;
        throw;
    }
    f.epsoptimalizacie = EPS_ZAKLAD;
    f.eps = EPS_ZAKLAD;
    // The optimiser's shape tests work to 1e-12; where its merges cost more
    // than rounding against the input as given, the synthesis's own circuit
    // is kept.
    std::vector<TGATE1> syntezy(1);  // record 0 unused, as in the store
    syntezy.insert(syntezy.end(), s.brany.begin(), s.brany.end());
    const int pocetsyntezy = static_cast<int>(s.brany.size());
    const double pred =
        odchylkasiete(TZoznamBran(syntezy.data(), pocetsyntezy), pocetsyntezy, f.pocetq, f.Apresna);
    const double po = odchylkasiete(f.brany, f.pocetb1, f.pocetq, f.Apresna);
    if (!vtolerancii(po, pred + ZAOKRUHLENIE)) {
        f.log("Optimalizacia by odchylila siet od matice o " + cislo(po) + " (synteza " + cislo(pred) +
              "), ponechana je siet zo syntezy bez optimalizacie.");
        std::copy(s.brany.begin(), s.brany.end(), f.brany.data() + 1);
        f.pocetb1 = pocetsyntezy;
    }
    f.statistika();
    kontrolakompozicie(f, povodna, "Kompozicia siete z elementarnych bran dala povodnu unitarnu maticu.",
                       "!!!!! Kompozicia siete s elementarnych bran nedala povodnu unit. mat.");
    return true;
}

// A circuit of a synthesis holds no two-level matrices and no phases.
void bezdvojurovnovych(TForm1& f) {
    f.tpq.vypln(TTPQ{});
    f.fazy.vypln(0.0);
    f.pocettpq = 0;
}

}  // namespace

namespace {

// A synthesis from the entries as given into the store. An input it refuses
// as not unitary is refused before any gate: the log says so and the store
// stays as it was.
bool zosyntezy(TForm1& f, const TMATICA1& povodna, const std::function<synteza::TSYNTEZA()>& syntetizuj) {
    synteza::TSYNTEZA s;
    try {
        s = syntetizuj();
    } catch (const synteza::NeunitarnaMatica& e) {
        f.log(e.what());
        f.zlakontrola();
        return false;
    }
    bezdvojurovnovych(f);
    return ulozsyntezu(f, s, povodna);
}

}  // namespace

bool TForm1::dekompoziciaqsd(const TMATICA1& povodna) {
    log("Zacala sa synteza siete s minimalnym poctom CNOT.");
    // from the entries as given; povodna is their snapped copy
    return zosyntezy(*this, povodna, [this] { return synteza::syntetizuj(Apresna, pocetq, EPS_ZAKLAD); });
}

bool TForm1::dekompoziciahladanie(const TMATICA1& povodna) {
    log("Zacalo sa numericke hladanie siete s najmensim poctom CNOT.");
    // The progress bar in thousandths of the search; the platform may throw
    // from zmena to cancel, which leaves the store as it was.
    constexpr int DIELIKY = 1000;
    progresstart(DIELIKY);
    synteza::TVOLBYHLADANIA v;
    v.casovylimit = casovylimit;
    v.tolerancia = EPS_ZAKLAD;
    v.priebeh = [this](double podiel) {
        ProgressBar1.position = static_cast<int>(std::lround(std::clamp(podiel, 0.0, 1.0) * DIELIKY));
        zmena(Ovladac::ProgressBar1);
    };
    return zosyntezy(*this, povodna, [&] { return synteza::hladaj(Apresna, pocetq, v); });
}

bool TForm1::dekompozicianajkratsia(const TMATICA1& povodna) {
    log("Najkratsia siet: rozklad cez dvojurovnove matice do element. bran.");
    const bool tpqdokoncena = dekompoziciatpq(povodna, HLBKA_ELEMENT);
    const bool tpqok = tpqdokoncena && beh.kontrolyok;
    // After a reduction that failed A holds the reduced matrix.
    A = povodna;
    std::vector<TGATE1> tpqsiet;
    if (tpqok) tpqsiet.assign(brany.data() + 1, brany.data() + 1 + pocetb1);
    const TKANDIDAT tpqk = kandidat(*this, tpqok);
    const int tpqcnot = tpqk.cnot;
    const auto tpqtabulka = tpq;
    const int tpqpocet = pocettpq;
    const auto tpqfazy = fazy;

    log("Najkratsia siet: synteza s minimalnym poctom CNOT.");
    beh.kontrolyok = true;
    // false also when the synthesis refused the matrix before any gate
    const bool qsddokoncena = dekompoziciaqsd(povodna);
    const bool qsdok = qsddokoncena && beh.kontrolyok;
    const TKANDIDAT qsdk = kandidat(*this, qsdok);
    const int qsdcnot = qsdk.cnot;
    const int qsdbran = qsdk.brany;
    const int tpqbran = static_cast<int>(tpqsiet.size());

    const bool tpqlepsia = lepsiasiet(tpqk, qsdk);
    if (!tpqok && !qsdok) {
        log(qsddokoncena ? "Najkratsia siet: ani jedna siet nepresla kontrolami, ponechana je siet zo syntezy."
                         : "Najkratsia siet: ani jedna siet nepresla kontrolami, ponechana je siet z "
                           "dvojurovnovych matic.");
        beh.kontrolyok = false;
        return true;
    }
    if (tpqok && qsdok && presnasiet(tpqk) != presnasiet(qsdk)) {
        const TKANDIDAT& nepresna = presnasiet(tpqk) ? qsdk : tpqk;
        log("Najkratsia siet: siet " + std::string(presnasiet(tpqk) ? "zo syntezy" : "z dvojurovnovych matic") +
            " sa od matice odchyluje o " + cislo(nepresna.odchylka) + ", viac ako " + cislo(PRESNA_SIET) +
            "; vyhrat moze len presna siet.");
    }
    if (tpqlepsia) {
        std::copy(tpqsiet.begin(), tpqsiet.end(), brany.data() + 1);
        pocetb1 = tpqbran;
        tpq = tpqtabulka;
        pocettpq = tpqpocet;
        fazy = tpqfazy;
        sietzosyntezy = false;
        log("Najkratsia siet: ponechana siet z dvojurovnovych matic (" + siet(tpqcnot, tpqbran) + "), " +
            (qsddokoncena ? "synteza dala " + siet(qsdcnot, qsdbran) : std::string("synteza maticu odmietla")) +
            ".");
    } else {
        log("Najkratsia siet: ponechana siet zo syntezy (" + siet(qsdcnot, qsdbran) +
            "), dvojurovnove matice daly " + (tpqok ? siet(tpqcnot, tpqbran) : std::string("siet s chybou")) +
            ".");
    }
    // The search is one more candidate, compared with the circuit kept so
    // far by the same rule.
    const std::vector<TGATE1> drzana(brany.data() + 1, brany.data() + 1 + pocetb1);
    const TKANDIDAT drzanak = tpqlepsia ? tpqk : qsdk;
    const int drzanacnot = drzanak.cnot;
    const bool drzanazosyntezy = sietzosyntezy;
    log("Najkratsia siet: numericke hladanie.");
    beh.kontrolyok = true;
    const bool hladaniedokoncene = dekompoziciahladanie(povodna);
    const bool hladanieok = hladaniedokoncene && beh.kontrolyok;
    const TKANDIDAT hladaniek = kandidat(*this, hladanieok);
    const int hladaniecnot = hladaniek.cnot;
    const int hladaniebran = hladaniek.brany;
    const int drzanabran = static_cast<int>(drzana.size());
    if (hladanieok && presnasiet(drzanak) && !presnasiet(hladaniek))
        log("Najkratsia siet: siet z numerickeho hladania sa od matice odchyluje o " + cislo(hladaniek.odchylka) +
            ", viac ako " + cislo(PRESNA_SIET) + "; vyhrat moze len presna siet.");
    if (lepsiasiet(hladaniek, drzanak)) {
        bezdvojurovnovych(*this);
        log("Najkratsia siet: ponechana siet z numerickeho hladania (" + siet(hladaniecnot, hladaniebran) +
            "), predtym " + siet(drzanacnot, drzanabran) + ".");
    } else {
        std::copy(drzana.begin(), drzana.end(), brany.data() + 1);
        pocetb1 = drzanabran;
        sietzosyntezy = drzanazosyntezy;
        if (!drzanazosyntezy) {
            tpq = tpqtabulka;
            pocettpq = tpqpocet;
            fazy = tpqfazy;
        }
        log("Najkratsia siet: numericke hladanie dalo " +
            (hladanieok ? siet(hladaniecnot, hladaniebran) : std::string("siet s chybou")) +
            ", ponechana je " + siet(drzanacnot, drzanabran) + ".");
    }
    beh.kontrolyok = true;
    return true;
}

}  // namespace qlc
