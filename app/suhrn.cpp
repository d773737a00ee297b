// The summary of the circuit in the store.
#include "suhrn.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/form1.h"

namespace qlc {
namespace {

void over(TZoznamBran b, int pocet, int pocetq) {
    if (pocetq < 2 || pocetq > 5)
        throw ChybaBehu("Pocet qubitov " + std::to_string(pocetq) + " je mimo 2..5");
    if (pocet < 0 || pocet > b.high()) zlyindex(pocet, 0, b.high());
    for (int i = 1; i <= pocet; ++i)
        if (!spravnabrana(b[i], pocetq))
            throw ChybaBehu("Brana " + std::to_string(i) + " nie je spravna (ciel alebo kontroly mimo 1.." +
                            std::to_string(pocetq) + " alebo sa opakuju)");
}

// Two significant digits in scientific notation, "." whatever the locale.
std::string vedecky(double x) {
    std::array<char, 40> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::scientific, 1);
    return std::string(buf.data(), r.ptr);
}

}  // namespace

// From the raw parts: the small deviations are exactly what the summary
// line is meant to show.
double maxodchylka(const TMATICA1& X, const TMATICA1& Y, int rozmer) {
    double m = 0.0;
    for (int i = 1; i <= rozmer; ++i)
        for (int j = 1; j <= rozmer; ++j) {
            const TKOMPLEX x = X(i, j), y = Y(i, j);
            const double d = std::hypot(x.re - y.re, x.im - y.im);
            // std::max(m, NaN) keeps m; a NaN deviation must not read as none
            if (std::isnan(d)) return d;
            m = std::max(m, d);
        }
    return m;
}

int hlbkaobvodu(TZoznamBran b, int pocet, int pocetq) {
    over(b, pocet, pocetq);
    // vrstva[q]: the last layer holding a gate on qubit q (0: none yet).
    Pole<int, 1, 5> vrstva{};
    int hlbka = 0;
    for (int i = 1; i <= pocet; ++i) {
        const TGATE1& g = b[i];
        int v = vrstva[g.ciel];
        for (int j = 1; j <= g.pocetk; ++j)
            if (vrstva[g.kontroly[j]] > v) v = vrstva[g.kontroly[j]];
        ++v;
        vrstva[g.ciel] = v;
        for (int j = 1; j <= g.pocetk; ++j) vrstva[g.kontroly[j]] = v;
        if (v > hlbka) hlbka = v;
    }
    return hlbka;
}

std::vector<std::string> suhrn(TForm1& f, const TMATICA1& vstup) {
    const int hlbka = hlbkaobvodu(f.brany, f.pocetb1, f.pocetq);  // also checks every gate
    Pole<int, 0, 4> podlak{};
    int cnot = 0;
    for (int i = 1; i <= f.pocetb1; ++i) {
        const TGATE1& g = f.brany[i];
        ++podlak[g.pocetk];
        if (g.pocetk == 1 && rovnake2(g.U, f.matnot, f.eps)) ++cnot;
    }
    const TMATICA1 M = f.kompozicia(f.brany, f.pocetb1, 1, f.pocetb1);
    return riadkysuhrnu(f.pocetq, f.pocetb1, cnot, podlak, hlbka, maxodchylka(M, vstup, f.rozmer));
}

std::vector<std::string> riadkysuhrnu(int pocetq, int pocetbran, int cnot, const Pole<int, 0, 4>& podlak,
                                      int hlbka, double odchylka) {
    std::string l = "Brany podla poctu kontrol:";
    for (int k = 0; k <= pocetq - 1; ++k) l += " L" + std::to_string(k) + "=" + std::to_string(podlak[k]);
    return {
        "Qubity: " + std::to_string(pocetq), "Brany: " + std::to_string(pocetbran),
        "CNOT: " + std::to_string(cnot),     l,
        "Hlbka: " + std::to_string(hlbka),   "Max. odchylka: " + vedecky(odchylka),
    };
}

}  // namespace qlc
