// Files and random matrices of the library calls: the program's readers and
// writers, and the .npy writer.
#include "app/subory.h"

#include <bit>
#include <cstdint>

#include "api/qlc.h"
#include "api/zaznamnik.h"
#include "core/form1.h"

namespace qlc::api {

namespace {

bool konci(const std::string& s, const std::string& pripona) {
    if (s.size() < pripona.size()) return false;
    for (std::size_t i = 0; i < pripona.size(); ++i) {
        char c = s.at(s.size() - pripona.size() + i);
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != pripona.at(i)) return false;
    }
    return true;
}

void pridajdouble(std::string& s, double x) {
    auto b = std::bit_cast<std::uint64_t>(x);
    for (int k = 0; k < 8; ++k) {
        s += static_cast<char>(b & 0xffu);
        b >>= 8;
    }
}

}  // namespace

TMatica citaj(const std::string& meno) {
    const TNacitanaMatica m = citajmaticu(meno);
    return {m.pocetq, m.rozmer, m.A, m.presna};
}

// Version 1.0: magic, version, 2-byte header length, the dictionary padded
// with blanks and ended by a line end so that the data start at a multiple
// of 64 bytes, then re and im of every entry, row by row, little-endian.
std::string npytext(const TMatica& M) {
    overmaticu(M);
    const std::string d = std::to_string(M.rozmer);
    std::string hlavicka = "{'descr': '<c16', 'fortran_order': False, 'shape': (" + d + ", " + d + "), }";
    constexpr std::size_t ZAROVNANIE = 64, PRED = 10;  // magic 6, version 2, length 2
    while ((PRED + hlavicka.size() + 1) % ZAROVNANIE != 0) hlavicka += ' ';
    hlavicka += '\n';
    std::string s = "\x93NUMPY";
    s += '\x01';
    s += '\x00';
    s += static_cast<char>(hlavicka.size() & 0xffu);
    s += static_cast<char>((hlavicka.size() >> 8) & 0xffu);
    s += hlavicka;
    // the entries as given when they are still M's
    const TPRESNA p = presnaalebo(M.presna, M.A, M.rozmer);
    for (int i = 1; i <= M.rozmer; ++i)
        for (int j = 1; j <= M.rozmer; ++j) {
            pridajdouble(s, p(i, j).real());
            pridajdouble(s, p(i, j).imag());
        }
    return s;
}

namespace {

// A model holding M's size and the report of rozklad (or the empty report
// of a window that has decomposed nothing).
std::unique_ptr<TForm1> modelsuboru(Zaznamnik& z, const TMatica& M, const TVysledok* rozklad) {
    overmaticu(M);
    auto f = novymodel(z);
    if (rozklad == nullptr) {
        nastavqubity(*f, M.pocetq);
    } else {
        if (rozklad->rozmer != M.rozmer)
            throw ChybaVstupu("matica ma rozmer " + std::to_string(M.rozmer) + ", rozklad rozmer " +
                              std::to_string(rozklad->rozmer));
        nastavbrany(*f, rozklad->brany, rozklad->pocetq);
        f->sietzosyntezy = rozklad->zosyntezy;
        if (rozklad->tpq.size() > static_cast<std::size_t>(MAXTPQ) ||
            rozklad->fazy.size() > static_cast<std::size_t>(MAXROZMER))
            throw ChybaVstupu("rozklad ma privela matic Tpq alebo faz");
        for (std::size_t r = 0; r < rozklad->tpq.size(); ++r)
            f->tpq[static_cast<long long>(r) + 1] = rozklad->tpq.at(r);
        f->pocettpq = static_cast<int>(rozklad->tpq.size());
        for (std::size_t i = 0; i < rozklad->fazy.size(); ++i)
            f->fazy[static_cast<long long>(i) + 1] = rozklad->fazy.at(i);
    }
    return f;
}

}  // namespace

std::string textsuboru(const TMatica& M, const TVysledok* rozklad) {
    Zaznamnik z;
    const auto f = modelsuboru(z, M, rozklad);
    return qlc::textsuboru(*f, M.A);
}

void zapis(const std::string& meno, const TMatica& M, const TVysledok* rozklad,
           const TSledovanie& sledovanie) {
    if (konci(meno, ".npy")) {
        const std::string obsah = npytext(M);
        const std::lock_guard<std::mutex> z(zapisovyzamok());
        zapissubor(meno, obsah);
        return;
    }
    zapismaticu(meno, M, rozklad, sledovanie);
}

void zapismaticu(const std::string& meno, const TMatica& M, const TVysledok* rozklad,
                 const TSledovanie& sledovanie) {
    Zaznamnik z(sledovanie);
    const auto f = modelsuboru(z, M, rozklad);
    const std::lock_guard<std::mutex> zamok(zapisovyzamok());
    f->zapismaticu(M.A, meno);
}

TMatica nahodna(int pocetq, std::optional<std::uint32_t> seed, const TSledovanie& sledovanie) {
    Zaznamnik z(sledovanie);
    z.seed = seed;
    const auto f = novymodel(z);
    nastavqubity(*f, pocetq);
    f->generuj(f->A, 100);
    return {f->pocetq, f->rozmer, f->A};
}

}  // namespace qlc::api
