// The decomposition as a library call: the window's model on the recording
// platform, set as the user would set the window, and the command
// "Dekompozícia" run on it.
#include "api/qlc.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "api/zaznamnik.h"
#include "core/form1.h"
#include "app/qasm.h"
#include "app/suhrn.h"

namespace qlc::api {

const char* const NEUNITARNA = "Matica na dekomp. nie je unitárna. S takou sa neda ďalej pracovať!!!";

namespace {

std::string tvartext(long long riadky, long long stlpce) {
    return "(" + std::to_string(riadky) + ", " + std::to_string(stlpce) + ")";
}

// Figures of the circuit in the store of f against vstup; the deviation
// only when odchylka, NaN otherwise.
TSuhrn suhrnmodelu(TForm1& f, const TPRESNA& vstup, double eps, bool odchylka = true) {
    TSuhrn s;
    s.pocetbran = f.pocetb1;
    s.hlbka = hlbkaobvodu(f.brany, f.pocetb1, f.pocetq);
    for (int i = 1; i <= f.pocetb1; ++i) {
        const TGATE1& g = f.brany[i];
        ++s.podlak[g.pocetk];
        if (g.pocetk == 1 && rovnake2(g.U, f.matnot, eps)) ++s.pocetcnot;
    }
    s.odchylka = odchylka ? odchylkasiete(f.brany, f.pocetb1, f.pocetq, vstup)
                          : std::numeric_limits<double>::quiet_NaN();
    return s;
}

}  // namespace

int qubitytvaru(long long riadky, long long stlpce) {
    for (int n = 2; n <= 5; ++n)
        if (riadky == stlpce && riadky == (1LL << n)) return n;
    throw ChybaVstupu("tvar " + tvartext(riadky, stlpce) + " nie je matica 2^n x 2^n s 2 <= n <= 5");
}

TMatica matica(int riadky, int stlpce, std::span<const std::complex<double>> prvky) {
    TMatica M;
    M.pocetq = qubitytvaru(riadky, stlpce);
    M.rozmer = 1 << M.pocetq;
    const auto pocet = static_cast<std::size_t>(M.rozmer) * static_cast<std::size_t>(M.rozmer);
    if (prvky.size() != pocet)
        throw ChybaVstupu("matica " + tvartext(riadky, stlpce) + " ma " + std::to_string(prvky.size()) +
                          " prvkov namiesto " + std::to_string(pocet));
    auto prvok = [&](int i, int j) {
        const auto k = static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(M.rozmer) +
                       static_cast<std::size_t>(j - 1);
        if (k >= prvky.size())
            zlyindex(static_cast<long long>(k), 0, static_cast<long long>(prvky.size()) - 1);
        return prvky[k];
    };
    M.presna = TPRESNA(M.rozmer);
    for (int i = 1; i <= M.rozmer; ++i)
        for (int j = 1; j <= M.rozmer; ++j) {
            const std::complex<double> z = prvok(i, j);
            M.A(i, j) = TKOMPLEX(z.real(), z.imag());
            M.presna(i, j) = z;
        }
    overmaticu(M);
    return M;
}

void overmaticu(const TMatica& M) {
    if (M.pocetq < 2 || M.pocetq > 5 || M.rozmer != (1 << M.pocetq))
        throw ChybaVstupu("matica s rozmerom " + std::to_string(M.rozmer) + " a " + std::to_string(M.pocetq) +
                          " qubitmi nie je matica 2^n x 2^n s 2 <= n <= 5");
    // Comparisons with a NaN are false, so a NaN would pass every test
    // within eps: such an entry never reaches the model.
    for (int i = 1; i <= M.rozmer; ++i)
        for (int j = 1; j <= M.rozmer; ++j)
            if (!std::isfinite(M.A(i, j).re) || !std::isfinite(M.A(i, j).im))
                throw ChybaPrvku(
                    "prvok (" + std::to_string(i) + ", " + std::to_string(j) + ") nie je konecne cislo", i,
                    j);
}

TMetoda metoda(const std::string& meno) {
    if (meno == "twolevel") return TMetoda::dvojurovnova;
    if (meno == "qsd") return TMetoda::qsd;
    if (meno == "best") return TMetoda::najlepsia;
    if (meno == "search") return TMetoda::hladanie;
    throw ChybaVstupu("metoda '" + meno + "' nie je twolevel, qsd, best ani search");
}

THlbka hlbka(const std::string& meno) {
    if (meno == "element") return THlbka::element;
    if (meno == "l1") return THlbka::l1;
    if (meno == "toffoli") return THlbka::toffoli;
    throw ChybaVstupu("hlbka '" + meno + "' nie je element, l1 ani toffoli");
}

std::string meno(TMetoda m) {
    switch (m) {
        case TMetoda::dvojurovnova:
            return "twolevel";
        case TMetoda::qsd:
            return "qsd";
        case TMetoda::najlepsia:
            return "best";
        case TMetoda::hladanie:
            return "search";
    }
    throw ChybaVstupu("neznama metoda");
}

std::string meno(THlbka h) {
    switch (h) {
        case THlbka::element:
            return "element";
        case THlbka::l1:
            return "l1";
        case THlbka::toffoli:
            return "toffoli";
    }
    throw ChybaVstupu("neznama hlbka");
}

int polozka(const TVolby& v) {
    int hlbka = 0;
    switch (v.hlbka) {
        case THlbka::element:
            hlbka = HLBKA_ELEMENT;
            break;
        case THlbka::l1:
            hlbka = HLBKA_L1;
            break;
        case THlbka::toffoli:
            hlbka = HLBKA_TOFFOLI;
            break;
        default:
            throw ChybaVstupu("neznama hlbka");
    }
    switch (v.metoda) {
        case TMetoda::dvojurovnova:
            return hlbka;
        case TMetoda::qsd:
        case TMetoda::najlepsia:
        case TMetoda::hladanie:
            if (v.hlbka != THlbka::element)
                throw ChybaVstupu("metoda " + meno(v.metoda) +
                                  " vedie len po elementarne brany (hlbka element), nie " + meno(v.hlbka));
            return v.metoda == TMetoda::qsd         ? METODA_QSD
                   : v.metoda == TMetoda::najlepsia ? METODA_NAJLEPSIA
                                                    : METODA_HLADANIE;
    }
    throw ChybaVstupu("neznama metoda");
}

namespace {

// The result of the run on f; prebehla: the command ended without an error.
TVysledok vysledok(TForm1& f, Zaznamnik& z, const TMatica& U, const TVolby& volby, bool prebehla) {
    TVysledok v;
    v.pocetq = f.pocetq;
    v.rozmer = f.rozmer;
    v.volby = volby;
    v.vstup = U.A;
    v.presna = f.Apresna;
    v.dokoncena = prebehla && f.beh.dokoncena;
    v.kontrolyok = prebehla && f.beh.kontrolyok;
    v.zosyntezy = f.sietzosyntezy;
    v.neunitarna = !f.beh.dokoncena && std::find(z.logy.begin(), z.logy.end(), NEUNITARNA) != z.logy.end();
    v.eps = f.eps;
    v.A = f.A;
    v.brany.assign(f.brany.data() + 1, f.brany.data() + 1 + f.pocetb1);
    v.tpq.assign(f.tpq.data(), f.tpq.data() + f.pocettpq);
    v.fazy.assign(f.fazy.data(), f.fazy.data() + f.rozmer);
    if (v.dokoncena) f.prikaz([&] { v.suhrn = suhrnmodelu(f, v.presna, v.eps, volby.odchylka); });
    if (!v.ok()) {
        if (!z.chyby.empty())
            v.zlyhanie = z.chyby.front();
        else if (!v.kontrolyok && !z.zlyhanie.empty())
            v.zlyhanie = z.zlyhanie;
        else
            v.zlyhanie = z.posledny;
    }
    v.logy = std::move(z.logy);
    v.boxy = std::move(z.boxy);
    v.chyby = std::move(z.chyby);
    return v;
}

}  // namespace

TVysledok rozloz(const TMatica& U, const TVolby& volby, const TSledovanie& sledovanie) {
    const int k = polozka(volby);
    if (!(volby.casovylimit >= 0.0) || !std::isfinite(volby.casovylimit))
        throw ChybaVstupu("casovy limit hladania musi byt nezaporne konecne cislo sekund");
    overmaticu(U);
    Zaznamnik z(sledovanie);
    const auto f = novymodel(z);
    nastavqubity(*f, U.pocetq);
    f->A = U.A;
    f->Apresna = presnaalebo(U.presna, U.A, U.rozmer);
    f->ComboBox1 = k;
    f->roboptim = volby.optimalizuj;
    f->Kontrolptimkrok1 = volby.kontrolakrokov;
    f->casovylimit = volby.casovylimit;
    try {
        return vysledok(*f, z, U, volby, f->prikaz([&] { f->Button3Click(); }));
    } catch (const Prerusenie&) {
        std::rethrow_exception(z.prerusenie);
    }
}

std::vector<std::string> suhrnriadky(const TVysledok& v) {
    // A run that went to its end has its figures already; the composition of
    // a long circuit is not made twice.
    const TSuhrn s =
        v.dokoncena && v.volby.odchylka ? v.suhrn
                                        : suhrn(v.brany, v.pocetq, presnaalebo(v.presna, v.vstup, v.rozmer), v.eps);
    return riadkysuhrnu(v.pocetq, s.pocetbran, s.pocetcnot, s.podlak, s.hlbka, s.odchylka);
}

TSuhrn suhrn(const std::vector<TGATE1>& brany, int pocetq, const TPRESNA& vstup, double eps) {
    Zaznamnik z;
    const auto f = novymodel(z);
    nastavbrany(*f, brany, pocetq);
    return suhrnmodelu(*f, vstup, eps);
}

TSuhrn suhrn(const std::vector<TGATE1>& brany, int pocetq, const TMATICA1& vstup, double eps) {
    if (pocetq < 2 || pocetq > 5) throw ChybaVstupu("pocet qubitov " + std::to_string(pocetq) + " je mimo 2..5");
    return suhrn(brany, pocetq, presnazmatice(vstup, 1 << pocetq), eps);
}

TMatica maticasiete(const std::vector<TGATE1>& brany, int pocetq) {
    Zaznamnik z;
    const auto f = novymodel(z);
    nastavbrany(*f, brany, pocetq);
    return {f->pocetq, f->rozmer, f->kompozicia(f->brany, f->pocetb1, 1, f->pocetb1)};
}

std::string qasm(const std::vector<TGATE1>& brany, int pocetq, int verzia, double eps) {
    Zaznamnik z;
    const auto f = novymodel(z);
    nastavbrany(*f, brany, pocetq);
    f->eps = eps;
    return qasmtext(*f, verzia);
}

void zapisqasm(const std::string& meno, const std::vector<TGATE1>& brany, int pocetq, int verzia,
               double eps) {
    Zaznamnik z;
    const auto f = novymodel(z);
    nastavbrany(*f, brany, pocetq);
    f->eps = eps;
    const std::lock_guard<std::mutex> zamok(zapisovyzamok());
    qlc::zapisqasm(*f, verzia, meno);
}

}  // namespace qlc::api
