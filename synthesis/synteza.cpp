#include "synteza.h"

#include <cmath>
#include <complex>
#include <cstdio>
#include <string>

#include "core/chyby.h"
#include "obvod.h"
#include "struktura.h"
#include "tolerancie.h"
#include "zjednodus.h"
#include "zxz.h"

namespace qlc::synteza {

namespace {

using TKOMP = std::complex<double>;

std::string cislo(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1e", x);
    return buf;
}

// "2,3,4"
std::string zoznam(const std::vector<int>& qubity) {
    std::string s;
    for (std::size_t i = 0; i < qubity.size(); ++i) s += (i ? "," : "") + std::to_string(qubity[i]);
    return s;
}

bool jednotkovafaza(TKOMP c) {
    return std::fabs(c.real() - 1.0) <= JEDNOTKA_NULA && std::fabs(c.imag()) <= JEDNOTKA_NULA;
}

// One factor on two or more qubits. cely: the factor is the whole matrix.
void syntetizujfaktor(const TFAKTOR& f, bool cely, TOBVOD& obvod, std::vector<std::string>& sprava) {
    const std::string kde = cely ? "" : " na qubitoch " + zoznam(f.qubity);
    const bool dva = f.qubity.size() == 2;
    if (diagonalna(f.U)) {
        TOBVOD d(obvod.pocetq);
        diagonalnyobvod(f.U, f.qubity, d);
        if (dva) {
            // on two qubits the KAK form may need fewer CNOTs (a CZ needs one)
            TOBVOD g(obvod.pocetq);
            syntetizujvseob(f.U, f.qubity, g);
            if (g.pocetcnot < d.pocetcnot) {
                sprava.push_back("Synteza: diagonaln" + std::string(cely ? "a matica" : "y faktor") + kde +
                                 ", rozklad KAK (menej CNOT ako multiplexovane Rz).");
                d = std::move(g);
            } else {
                sprava.push_back("Synteza: diagonaln" + std::string(cely ? "a matica" : "y faktor") + kde +
                                 ", multiplexovane Rz.");
            }
        } else {
            sprava.push_back("Synteza: diagonaln" + std::string(cely ? "a matica" : "y faktor") + kde +
                             ", multiplexovane Rz.");
        }
        obvod.brany.insert(obvod.brany.end(), d.brany.begin(), d.brany.end());
        obvod.pocetcnot += d.pocetcnot;
        return;
    }
    sprava.push_back("Synteza: vseobecn" + std::string(cely ? "a matica" : "y faktor") + kde +
                     (dva ? ", rozklad KAK." : ", blokovy ZXZ rozklad."));
    syntetizujvseob(f.U, f.qubity, obvod);
}

}  // namespace

TSYNTEZA syntetizuj(const TMATICA1& U, int pocetq) {
    if (pocetq < 2 || pocetq > 5)
        throw ChybaBehu("Synteza: pocet qubitov " + std::to_string(pocetq) + " mimo rozsahu 2..5.");
    const int d = 1 << pocetq;
    TMAT A(d, d);
    for (int i = 0; i < d; ++i)
        for (int j = 0; j < d; ++j) {
            const TKOMPLEX& z = U(i + 1, j + 1);
            if (!std::isfinite(z.re) || !std::isfinite(z.im))
                throw ChybaBehu("Synteza: prvok (" + std::to_string(i + 1) + "," + std::to_string(j + 1) +
                                ") matice nie je konecne cislo.");
            A(i, j) = TKOMP(z.re, z.im);
        }

    TSYNTEZA vysledok;
    const double odchylka = (A.adjoint() * A - TMAT::Identity(d, d)).cwiseAbs().maxCoeff();
    if (!(odchylka <= EPS_ZAKLAD))
        throw ChybaBehu("Synteza: matica nie je unitarna (odchylka " + cislo(odchylka) + ").");
    if (odchylka > UNITARNA_PRESNOST) {
        Eigen::JacobiSVD<TMAT> svd(A, Eigen::ComputeFullU | Eigen::ComputeFullV);
        A = svd.matrixU() * svd.matrixV().adjoint();
        vysledok.sprava.push_back("Synteza: matica je unitarna len s odchylkou " + cislo(odchylka) +
                                  ", syntetizuje sa najblizsia unitarna matica.");
    }

    TOBVOD obvod(pocetq);
    std::vector<int> qubity;
    for (int q = 1; q <= pocetq; ++q) qubity.push_back(q);
    TKOMP c;
    if (skalarna(A, c)) {
        if (jednotkovafaza(c)) {
            vysledok.sprava.push_back("Synteza: matica je jednotkova, ziadna brana.");
        } else {
            vysledok.sprava.push_back("Synteza: matica je skalarna (globalna faza), jedna brana.");
            obvod.jednoq(1, c * TMAT2::Identity());
        }
    } else {
        const std::vector<TFAKTOR> faktory = kroneckerfaktory(A, qubity);
        if (faktory.size() > 1) {
            std::string s = "Synteza: Kroneckerov rozklad na faktory na qubitoch";
            for (const TFAKTOR& f : faktory) s += " {" + zoznam(f.qubity) + "}";
            vysledok.sprava.push_back(s + ".");
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
        vysledok.sprava.push_back("Synteza: zjednodusenie odstranilo " +
                                  std::to_string(pred - obvod.brany.size()) + " bran.");
    vysledok.sprava.push_back("Synteza: " + std::to_string(obvod.brany.size()) + " bran, z toho " +
                              std::to_string(vysledok.pocetcnot) + " CNOT.");
    vysledok.brany = std::move(obvod.brany);
    return vysledok;
}

}  // namespace qlc::synteza
