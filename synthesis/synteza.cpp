#include "synteza.h"

#include <cmath>
#include <complex>
#include <cstdio>
#include <string>

#include "core/chyby.h"
#include "obvod.h"
#include "spravy.h"
#include "struktura.h"
#include "tolerancie.h"
#include "vstup.h"
#include "zjednodus.h"
#include "zxz.h"

namespace qlc::synteza {

namespace {

using TKOMP = std::complex<double>;

// Every line the synthesis writes to the log; %q stands for the factor's
// qubits ("2,3,4"), %x for a number, %n and %c for counts.
namespace texty {
constexpr const char* ZLYPOCET = "Synteza: pocet qubitov %n mimo rozsahu 2..5.";
constexpr const char* NEKONECNY = "Synteza: prvok (%n,%c) matice nie je konecne cislo.";
constexpr const char* NEUNITARNA = "Synteza: matica nie je unitarna (odchylka %x).";
constexpr const char* NAJBLIZSIA =
    "Synteza: matica je unitarna len s odchylkou %x, syntetizuje sa najblizsia unitarna matica.";
constexpr const char* JEDNOTKOVA = "Synteza: matica je jednotkova, ziadna brana.";
constexpr const char* SKALARNA = "Synteza: matica je skalarna (globalna faza), jedna brana.";
constexpr const char* KRONECKER = "Synteza: Kroneckerov rozklad na faktory na qubitoch%q.";
constexpr const char* DIAG = "Synteza: diagonalna matica, multiplexovane Rz.";
constexpr const char* DIAGFAKTOR = "Synteza: diagonalny faktor na qubitoch %q, multiplexovane Rz.";
constexpr const char* DIAGKAK = "Synteza: diagonalna matica, rozklad KAK (menej CNOT ako multiplexovane Rz).";
constexpr const char* DIAGKAKFAKTOR =
    "Synteza: diagonalny faktor na qubitoch %q, rozklad KAK (menej CNOT ako multiplexovane Rz).";
constexpr const char* KAK = "Synteza: vseobecna matica, rozklad KAK.";
constexpr const char* KAKFAKTOR = "Synteza: vseobecny faktor na qubitoch %q, rozklad KAK.";
constexpr const char* ZXZ = "Synteza: vseobecna matica, blokovy ZXZ rozklad.";
constexpr const char* ZXZFAKTOR = "Synteza: vseobecny faktor na qubitoch %q, blokovy ZXZ rozklad.";
constexpr const char* ZJEDNODUSENIE = "Synteza: zjednodusenie odstranilo %n bran.";
constexpr const char* VYSLEDOK = "Synteza: %n bran, z toho %c CNOT.";
}  // namespace texty

// The polar factor W = P Q^dagger of A = P S Q^dagger, the unitary nearest to
// A; vzdialenost gets the largest modulus of an entry of A - W.
TMAT najblizsia(const TMAT& A, double& vzdialenost) {
    Eigen::JacobiSVD<TMAT> svd(A, Eigen::ComputeFullU | Eigen::ComputeFullV);
    TMAT W = svd.matrixU() * svd.matrixV().adjoint();
    vzdialenost = (A - W).cwiseAbs().maxCoeff();
    return W;
}

bool jednotkovafaza(TKOMP c) {
    return std::fabs(c.real() - 1.0) <= JEDNOTKA_NULA && std::fabs(c.imag()) <= JEDNOTKA_NULA;
}

// One factor on two or more qubits. cely: the factor is the whole matrix.
void syntetizujfaktor(const TFAKTOR& f, bool cely, TOBVOD& obvod, std::vector<std::string>& sprava) {
    const std::string kde = zoznam(f.qubity);
    const bool dva = f.qubity.size() == 2;
    if (diagonalna(f.U)) {
        TOBVOD d(obvod.pocetq);
        diagonalnyobvod(f.U, f.qubity, d);
        const char* text = cely ? texty::DIAG : texty::DIAGFAKTOR;
        if (dva) {
            // on two qubits the KAK form may need fewer CNOTs (a CZ needs one)
            TOBVOD g(obvod.pocetq);
            syntetizujvseob(f.U, f.qubity, g);
            if (g.pocetcnot < d.pocetcnot) {
                text = cely ? texty::DIAGKAK : texty::DIAGKAKFAKTOR;
                d = std::move(g);
            }
        }
        sprava.push_back(vypln(text, "%q", kde));
        obvod.brany.insert(obvod.brany.end(), d.brany.begin(), d.brany.end());
        obvod.pocetcnot += d.pocetcnot;
        obvod.faza += d.faza;
        return;
    }
    const char* text = dva ? (cely ? texty::KAK : texty::KAKFAKTOR) : (cely ? texty::ZXZ : texty::ZXZFAKTOR);
    sprava.push_back(vypln(text, "%q", kde));
    syntetizujvseob(f.U, f.qubity, obvod);
}

// The input as given as an Eigen matrix, its size checked; false with the
// place (i, j) of the first entry that is not finite.
bool naeigen(const TPRESNA& U, int pocetq, TMAT& A, int& i, int& j) {
    if (pocetq < 2 || pocetq > 5) throw ChybaBehu(vypln(texty::ZLYPOCET, "%n", std::to_string(pocetq)));
    const int d = 1 << pocetq;
    if (U.rozmer != d)
        throw ChybaBehu("Synteza: matica " + std::to_string(U.rozmer) + " x " + std::to_string(U.rozmer) +
                        " pre " + std::to_string(pocetq) + " qubitov.");
    A.resize(d, d);
    for (i = 1; i <= d; ++i)
        for (j = 1; j <= d; ++j) {
            const TKOMP z = U(i, j);
            if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return false;
            A(i - 1, j - 1) = z;
        }
    return true;
}

}  // namespace

double odunitarnej(const TPRESNA& U, int pocetq) {
    TMAT A;
    int i = 0, j = 0;
    if (!naeigen(U, pocetq, A, i, j)) return std::nan("");
    double x = 0.0;
    najblizsia(A, x);
    return x;
}

bool syntetizovatelna(double odunitarnej, double tolerancia) {
    return vtolerancii(odunitarnej, tolerancia - UNITARNA_REZERVA);
}

TMAT vstupsyntezy(const TPRESNA& U, int pocetq, double tolerancia, std::vector<std::string>& sprava) {
    TMAT A;
    int i = 0, j = 0;
    if (!naeigen(U, pocetq, A, i, j))
        throw ChybaBehu(vypln(vypln(texty::NEKONECNY, "%n", std::to_string(i)), "%c", std::to_string(j)));

    double odchylka = 0.0;
    const TMAT W = najblizsia(A, odchylka);
    if (!syntetizovatelna(odchylka, tolerancia))
        throw NeunitarnaMatica(vypln(texty::NEUNITARNA, "%x", cislo(odchylka)), odchylka);
    if (odchylka > UNITARNA_PRESNOST) {
        A = W;
        sprava.push_back(vypln(texty::NAJBLIZSIA, "%x", cislo(odchylka)));
    }
    return A;
}

TSYNTEZA syntetizuj(const TMATICA1& U, int pocetq, double tolerancia) {
    if (pocetq < 2 || pocetq > 5) throw ChybaBehu(vypln(texty::ZLYPOCET, "%n", std::to_string(pocetq)));
    return syntetizuj(presnazmatice(U, 1 << pocetq), pocetq, tolerancia);
}

TSYNTEZA syntetizuj(const TPRESNA& U, int pocetq, double tolerancia) {
    TSYNTEZA vysledok;
    TMAT A = vstupsyntezy(U, pocetq, tolerancia, vysledok.sprava);

    TOBVOD obvod(pocetq);
    std::vector<int> qubity;
    for (int q = 1; q <= pocetq; ++q) qubity.push_back(q);
    TKOMP c;
    if (skalarna(A, c)) {
        if (jednotkovafaza(c)) {
            vysledok.sprava.push_back(texty::JEDNOTKOVA);
        } else {
            vysledok.sprava.push_back(texty::SKALARNA);
            obvod.jednoq(1, c * TMAT2::Identity());
        }
    } else {
        const std::vector<TFAKTOR> faktory = kroneckerfaktory(A, qubity);
        if (faktory.size() > 1) {
            std::string s;
            for (const TFAKTOR& f : faktory) s += " {" + zoznam(f.qubity) + "}";
            vysledok.sprava.push_back(vypln(texty::KRONECKER, "%q", s));
        }
        for (const TFAKTOR& f : faktory) {
            if (f.qubity.size() == 1)
                obvod.jednoq(f.qubity[0], f.U);
            else
                syntetizujfaktor(f, faktory.size() == 1, obvod, vysledok.sprava);
        }
    }

    const std::size_t pred = obvod.brany.size();
    vysledok.pocetcnot = zjednodus(obvod.brany, pocetq);
    if (obvod.brany.size() < pred)
        vysledok.sprava.push_back(
            vypln(texty::ZJEDNODUSENIE, "%n", std::to_string(pred - obvod.brany.size())));
    vyrovnajfazu(obvod.brany, obvod.faza);
    vysledok.sprava.push_back(vypln(vypln(texty::VYSLEDOK, "%n", std::to_string(obvod.brany.size())), "%c",
                                    std::to_string(vysledok.pocetcnot)));
    vysledok.brany = std::move(obvod.brany);
    return vysledok;
}

}  // namespace qlc::synteza
