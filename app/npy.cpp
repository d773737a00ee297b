// Reading a matrix from a NumPy .npy file.
//
// Layout: the six bytes "\x93NUMPY", the version (major, minor byte), the
// header length (2 bytes little-endian in version 1.0, 4 bytes in 2.0), the
// header: a Python dictionary literal
//   {'descr': '<c16', 'fortran_order': False, 'shape': (4, 4), }
// padded with blanks and a line end, and then the entries, row by row
// (C order) or column by column (Fortran order).
#include "npy.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string_view>
#include <vector>

#include "app/ukazka.h"

namespace qlc {
namespace {

[[noreturn]] void odmietni(const std::string& meno, const std::string& dovod) {
    throw ChybaSuboru(bezriadiacich(meno) + ": " + dovod);
}

// A reader of the header dictionary. It knows exactly the literals a .npy
// header may hold: strings in single or double quotes, True and False,
// and tuples of non-negative integers.
class THlavicka {
  public:
    THlavicka(std::string_view t, const std::string& meno) : t_(t), meno_(meno) {}

    std::string descr;
    bool fortran = false;
    std::vector<long long> tvar;

    void citaj() {
        bool mad = false, maf = false, mas = false;
        medzery();
        ocakavaj('{');
        for (;;) {
            medzery();
            if (dalsi() == '}') break;
            const std::string kluc = retazec();
            medzery();
            ocakavaj(':');
            medzery();
            if (kluc == "descr" && !mad) {
                descr = retazec();
                mad = true;
            } else if (kluc == "fortran_order" && !maf) {
                fortran = logicka();
                maf = true;
            } else if (kluc == "shape" && !mas) {
                ntica();
                mas = true;
            } else if (kluc == "descr" || kluc == "fortran_order" || kluc == "shape") {
                zle("kluc '" + ukazka(kluc) + "' je tam dvakrat");
            } else {
                zle("neznamy kluc '" + ukazka(kluc) + "'");
            }
            medzery();
            if (dalsi() == ',') {
                ++i_;
                continue;
            }
            if (dalsi() != '}') zle("za hodnotou klucu '" + ukazka(kluc) + "' chyba ',' alebo '}'");
        }
        ++i_;  // '}'
        medzery();
        if (i_ != t_.size()) zle("za slovnikom su dalsie znaky");
        if (!mad) zle("chyba kluc 'descr'");
        if (!maf) zle("chyba kluc 'fortran_order'");
        if (!mas) zle("chyba kluc 'shape'");
    }

  private:
    std::string_view t_;
    const std::string& meno_;
    std::size_t i_ = 0;

    [[noreturn]] void zle(const std::string& co) {
        odmietni(meno_, "hlavicka nie je spravny slovnik .npy (" + co + ")");
    }
    char dalsi() const { return i_ < t_.size() ? t_[i_] : '\0'; }
    void medzery() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t' || t_[i_] == '\n' || t_[i_] == '\r')) ++i_;
    }
    void ocakavaj(char c) {
        if (dalsi() != c) zle(std::string("ocakavam '") + c + "'");
        ++i_;
    }
    std::string retazec() {
        const char q = dalsi();
        if (q != '\'' && q != '"') zle("ocakavam retazec v uvodzovkach");
        ++i_;
        const std::size_t z = i_;
        while (i_ < t_.size() && t_[i_] != q) {
            if (t_[i_] == '\\' || static_cast<unsigned char>(t_[i_]) < 0x20 ||
                static_cast<unsigned char>(t_[i_]) > 0x7e)
                zle("retazec obsahuje nedovoleny znak");
            ++i_;
        }
        if (i_ >= t_.size()) zle("neukonceny retazec");
        std::string s(t_.substr(z, i_ - z));
        ++i_;
        return s;
    }
    bool logicka() {
        if (t_.substr(i_, 4) == "True") {
            i_ += 4;
            return true;
        }
        if (t_.substr(i_, 5) == "False") {
            i_ += 5;
            return false;
        }
        zle("fortran_order nie je True ani False");
    }
    void ntica() {
        ocakavaj('(');
        for (;;) {
            medzery();
            if (dalsi() == ')') break;
            if (dalsi() < '0' || dalsi() > '9') zle("rozmer v 'shape' nie je cele nezaporne cislo");
            long long v = 0;
            while (dalsi() >= '0' && dalsi() <= '9') {
                v = v * 10 + (dalsi() - '0');
                if (v > 1'000'000'000LL) zle("rozmer v 'shape' je privelky");
                ++i_;
            }
            if (dalsi() == 'L') ++i_;  // long literals of older writers
            tvar.push_back(v);
            medzery();
            if (dalsi() == ',') {
                ++i_;
                continue;
            }
            if (dalsi() != ')') zle("v 'shape' chyba ',' alebo ')'");
        }
        ++i_;
    }
};

std::string tvartext(const std::vector<long long>& tvar) {
    std::string s = "(";
    for (std::size_t k = 0; k < tvar.size(); ++k) {
        if (k > 0) s += ", ";
        s += std::to_string(tvar[k]);
    }
    if (tvar.size() == 1) s += ',';
    return s + ")";
}

double citajdouble(const unsigned char* p) {
    std::uint64_t v = 0;
    for (int k = 7; k >= 0; --k) v = (v << 8) | p[k];
    return std::bit_cast<double>(v);
}

}  // namespace

TNacitanaMatica citajnpy(const std::string& meno) {
    std::ifstream in(meno, std::ios::binary);
    if (!in) odmietni(meno, std::string("subor sa neda otvorit na citanie (") + std::strerror(errno) + ")");

    unsigned char uvod[8] = {};
    in.read(reinterpret_cast<char*>(uvod), 8);
    if (in.bad()) odmietni(meno, "chyba pri citani suboru");
    static constexpr unsigned char ZNACKA[6] = {0x93, 'N', 'U', 'M', 'P', 'Y'};
    if (in.gcount() < 6 || !std::equal(ZNACKA, ZNACKA + 6, uvod))
        odmietni(meno, "nie je vo formate NumPy .npy (na zaciatku chyba znacka \\x93NUMPY)");
    if (in.gcount() < 8) odmietni(meno, "hlavicka je neuplna");
    const int major = uvod[6], minor = uvod[7];
    if ((major != 1 && major != 2) || minor != 0)
        odmietni(meno, "verziu formatu .npy " + std::to_string(major) + "." + std::to_string(minor) +
                           " necitam (len 1.0 a 2.0)");

    const int dlzkapola = major == 1 ? 2 : 4;
    unsigned char d[4] = {};
    in.read(reinterpret_cast<char*>(d), dlzkapola);
    if (in.gcount() < dlzkapola) odmietni(meno, "hlavicka je neuplna");
    long long dlzka = 0;
    for (int k = dlzkapola - 1; k >= 0; --k) dlzka = (dlzka << 8) | d[k];
    if (dlzka > NPY_MAXHLAVICKA)
        odmietni(meno, "hlavicka ma " + std::to_string(dlzka) + " bajtov, viac ako " +
                           std::to_string(NPY_MAXHLAVICKA));
    std::string text(static_cast<std::size_t>(dlzka), '\0');
    in.read(text.data(), static_cast<std::streamsize>(dlzka));
    if (in.gcount() < dlzka) odmietni(meno, "hlavicka je neuplna");

    THlavicka h(text, meno);
    h.citaj();

    int velkost = 0;  // bytes of one entry
    if (h.descr == "<c16")
        velkost = 16;
    else if (h.descr == "<f8")
        velkost = 8;
    else if (h.descr == ">c16" || h.descr == ">f8")
        odmietni(meno, "typ prvkov '" + ukazka(h.descr) + "' je big-endian; citam len '<c16' a '<f8'");
    else
        odmietni(meno,
                 "typ prvkov '" + ukazka(h.descr) + "' necitam; citam len '<c16' (complex128) a '<f8' (float64)");

    int pocetq = 0;
    if (h.tvar.size() == 2 && h.tvar[0] == h.tvar[1])
        for (int n = 2; n <= 5; ++n)
            if (h.tvar[0] == (1LL << n)) pocetq = n;
    if (pocetq == 0) odmietni(meno, "tvar " + tvartext(h.tvar) + " nie je matica 2^n x 2^n s 2 <= n <= 5");
    const int rozmer = 1 << pocetq;

    const std::size_t bajtov = static_cast<std::size_t>(rozmer) * static_cast<std::size_t>(rozmer) *
                               static_cast<std::size_t>(velkost);
    std::vector<unsigned char> data(bajtov);
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(bajtov));
    const auto precitane = static_cast<std::size_t>(in.gcount());
    if (precitane < bajtov)
        odmietni(meno, "data su neuplne (ocakavam " + std::to_string(bajtov) + " bajtov, je ich " +
                           std::to_string(precitane) + ")");
    if (in.peek() != std::char_traits<char>::eof()) odmietni(meno, "za datami matice su dalsie bajty");
    if (in.bad()) odmietni(meno, "chyba pri citani suboru");

    TNacitanaMatica v{rozmer, pocetq, TMATICA1{}, TPRESNA(rozmer)};
    for (int i = 1; i <= rozmer; ++i)
        for (int j = 1; j <= rozmer; ++j) {
            // Position of entry (i, j) in the data, in entries.
            const std::size_t poradie = h.fortran ? static_cast<std::size_t>((j - 1) * rozmer + (i - 1))
                                                  : static_cast<std::size_t>((i - 1) * rozmer + (j - 1));
            const unsigned char* p = &data.at(poradie * static_cast<std::size_t>(velkost));
            const double re = citajdouble(p);
            const double im = velkost == 16 ? citajdouble(p + 8) : 0.0;
            if (!std::isfinite(re) || !std::isfinite(im))
                odmietni(meno,
                         "prvok (" + std::to_string(i) + ", " + std::to_string(j) + ") nie je konecne cislo");
            v.A(i, j) = TKOMPLEX(re, im);
            v.presna(i, j) = {re, im};
        }
    return v;
}

}  // namespace qlc
