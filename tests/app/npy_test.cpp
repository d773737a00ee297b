// Reading .npy matrices: files are written byte by byte here, the good ones
// and the malformed ones.
#include "app/npy.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <string>

using namespace qlc;

namespace {

std::string cesta(const std::string& meno) { return ::testing::TempDir() + "qlc_npy_" + meno; }

void zapis(const std::string& meno, const std::string& bajty) {
    std::ofstream o(meno, std::ios::binary | std::ios::trunc);
    o.write(bajty.data(), static_cast<std::streamsize>(bajty.size()));
}

void lecislo(std::string& s, std::uint64_t v, int bajtov) {
    for (int k = 0; k < bajtov; ++k) s += static_cast<char>((v >> (8 * k)) & 0xff);
}

// Magic, version, length and the dictionary padded as NumPy pads it: blanks
// and a line end up to a multiple of 64 bytes.
std::string hlavicka(const std::string& slovnik, int major = 1, int minor = 0) {
    std::string s = "\x93NUMPY";
    s += static_cast<char>(major);
    s += static_cast<char>(minor);
    const int pole = major == 1 ? 2 : 4;
    std::string h = slovnik;
    while ((6 + 2 + pole + h.size() + 1) % 64 != 0) h += ' ';
    h += '\n';
    lecislo(s, h.size(), pole);
    return s + h;
}

std::string slovnik(const std::string& descr, bool fortran, int r, int c) {
    return "{'descr': '" + descr + "', 'fortran_order': " + (fortran ? "True" : "False") + ", 'shape': (" +
           std::to_string(r) + ", " + std::to_string(c) + "), }";
}

void ledouble(std::string& s, double x) { lecislo(s, std::bit_cast<std::uint64_t>(x), 8); }

// Entry (i, j) of the test matrices, all different.
double re(int i, int j) { return i + 0.01 * j; }
double im(int i, int j) { return -0.5 * i * j; }

// The data of a d x d matrix in the given order and type.
std::string data(int d, bool fortran, bool komplex) {
    std::string s;
    for (int a = 1; a <= d; ++a)
        for (int b = 1; b <= d; ++b) {
            const int i = fortran ? b : a, j = fortran ? a : b;
            ledouble(s, re(i, j));
            if (komplex) ledouble(s, im(i, j));
        }
    return s;
}

void skontroluj(const TNacitanaMatica& m, int d, bool komplex) {
    ASSERT_EQ(m.rozmer, d);
    ASSERT_EQ(1 << m.pocetq, d);
    for (int i = 1; i <= d; ++i)
        for (int j = 1; j <= d; ++j) {
            ASSERT_EQ(m.A(i, j).re, re(i, j)) << i << "," << j;
            ASSERT_EQ(m.A(i, j).im, komplex ? im(i, j) : 0.0) << i << "," << j;
        }
}

// The message of the refusal of reading the file with these bytes.
std::string odmietnutie(const std::string& meno, const std::string& bajty) {
    const std::string c = cesta(meno);
    zapis(c, bajty);
    std::string m = "(read without error)";
    try {
        citajnpy(c);
    } catch (const ChybaSuboru& e) {
        m = e.what();
    }
    std::remove(c.c_str());
    EXPECT_EQ(m.rfind(c + ": ", 0), 0u) << "the message names the file: " << m;
    return m;
}

}  // namespace

TEST(Npy, ReadsComplexAndRealInBothOrders) {
    struct Pripad {
        const char* descr;
        bool komplex, fortran;
        int d, verzia;
    };
    for (const Pripad& p : {Pripad{"<c16", true, false, 4, 1}, Pripad{"<c16", true, true, 8, 1},
                            Pripad{"<f8", false, false, 16, 1}, Pripad{"<f8", false, true, 32, 2},
                            Pripad{"<c16", true, true, 32, 2}}) {
        const std::string c = cesta("dobry.npy");
        zapis(c, hlavicka(slovnik(p.descr, p.fortran, p.d, p.d), p.verzia) + data(p.d, p.fortran, p.komplex));
        SCOPED_TRACE(std::string(p.descr) + (p.fortran ? " F " : " C ") + std::to_string(p.d));
        skontroluj(citajnpy(c), p.d, p.komplex);
        std::remove(c.c_str());
    }
}

TEST(Npy, AcceptsTheDictionaryInAnyOrderAndQuoting) {
    // Keys reordered, double quotes, no trailing comma, long-integer suffixes
    // of older writers, and no padding at all.
    const std::string c = cesta("slovnik.npy");
    const std::string s = "{\"shape\": (4L, 4L), \"fortran_order\": False, \"descr\": \"<c16\"}";
    std::string b = "\x93NUMPY\x01";
    b += '\0';
    lecislo(b, s.size(), 2);
    zapis(c, b + s + data(4, false, true));
    skontroluj(citajnpy(c), 4, true);
    std::remove(c.c_str());
}

TEST(Npy, TinyPartsAreSnappedToZero) {
    const std::string c = cesta("maly.npy");
    std::string d;
    for (int k = 0; k < 16; ++k) {
        ledouble(d, k == 5 ? 1e-13 : 1.0);
        ledouble(d, k == 5 ? -2e-13 : 0.0);
    }
    zapis(c, hlavicka(slovnik("<c16", false, 4, 4)) + d);
    const TNacitanaMatica m = citajnpy(c);
    EXPECT_EQ(m.A(2, 2).re, 0.0);
    EXPECT_EQ(m.A(2, 2).im, 0.0);
    EXPECT_FALSE(std::signbit(m.A(2, 2).im));
    EXPECT_EQ(m.A(1, 1).re, 1.0);
    std::remove(c.c_str());
}

TEST(Npy, RefusesWhatIsNotAMatrixItCanUse) {
    const std::string ok = data(4, false, true);
    struct Pripad {
        const char* meno;
        std::string bajty;
        const char* dovod;
    };
    std::string v3 = hlavicka(slovnik("<c16", false, 4, 4), 3) + ok;
    std::string v11 = hlavicka(slovnik("<c16", false, 4, 4), 1, 1) + ok;
    std::string nan = hlavicka(slovnik("<f8", false, 4, 4));
    for (int k = 0; k < 16; ++k) ledouble(nan, k == 6 ? std::numeric_limits<double>::quiet_NaN() : 0.5);
    std::string inf = hlavicka(slovnik("<c16", false, 4, 4)) + data(4, false, true);
    inf.replace(inf.size() - 8, 8,
                std::string("\0\0\0\0\0\0\xf0\x7f", 8));  // +inf as the last imaginary part
    std::string dlha = "\x93NUMPY\x02";
    dlha += '\0';
    lecislo(dlha, 20000, 4);
    dlha += std::string(20000, ' ');
    std::string kratka = "\x93NUMPY\x01";
    kratka += '\0';
    lecislo(kratka, 118, 2);
    kratka += "{'descr': '<c16',";

    const Pripad pripady[] = {
        {"prazdny", "", "nie je vo formate NumPy .npy"},
        {"znacka", "\x93NUMPX\x01" + ok, "nie je vo formate NumPy .npy"},
        {"text", "4\n{{1,0,0,0},\n", "nie je vo formate NumPy .npy"},
        {"verzia3", v3, "verziu formatu .npy 3.0 necitam"},
        {"verzia11", v11, "verziu formatu .npy 1.1 necitam"},
        {"bezdlzky", std::string("\x93NUMPY\x01\x00\x05", 9), "hlavicka je neuplna"},
        {"kratka", kratka, "hlavicka je neuplna"},
        {"dlha", dlha, "hlavicka ma 20000 bajtov, viac ako 10000"},
        {"bigendian", hlavicka(slovnik(">c16", false, 4, 4)) + ok, "typ prvkov '>c16' je big-endian"},
        {"bigendianf8", hlavicka(slovnik(">f8", false, 4, 4)) + ok, "typ prvkov '>f8' je big-endian"},
        {"c8", hlavicka(slovnik("<c8", false, 4, 4)) + ok, "typ prvkov '<c8' necitam"},
        {"i8", hlavicka(slovnik("<i8", false, 4, 4)) + ok, "typ prvkov '<i8' necitam"},
        {"obdlznik", hlavicka(slovnik("<c16", false, 4, 8)) + ok + ok, "tvar (4, 8) nie je matica 2^n x 2^n"},
        {"tri", hlavicka(slovnik("<f8", false, 3, 3)) + std::string(72, '\0'), "tvar (3, 3) nie je"},
        {"jedenqubit", hlavicka(slovnik("<f8", false, 2, 2)) + std::string(32, '\0'), "tvar (2, 2) nie je"},
        {"sestqubitov", hlavicka(slovnik("<f8", false, 64, 64)), "tvar (64, 64) nie je"},
        {"vektor", hlavicka("{'descr': '<c16', 'fortran_order': False, 'shape': (16,), }") + ok,
         "tvar (16,) nie je"},
        {"kocka", hlavicka("{'descr': '<c16', 'fortran_order': False, 'shape': (4, 4, 4), }") + ok,
         "tvar (4, 4, 4) nie je"},
        {"skalar", hlavicka("{'descr': '<c16', 'fortran_order': False, 'shape': (), }") + ok,
         "tvar () nie je"},
        {"zaporny", hlavicka("{'descr': '<c16', 'fortran_order': False, 'shape': (-4, -4), }") + ok,
         "nie je cele nezaporne cislo"},
        {"obrovsky", hlavicka("{'descr': '<c16', 'fortran_order': False, 'shape': (99999999999, 4), }") + ok,
         "je privelky"},
        {"useknute", hlavicka(slovnik("<c16", false, 4, 4)) + ok.substr(0, ok.size() - 1),
         "data su neuplne (ocakavam 256 bajtov, je ich 255)"},
        {"bezdat", hlavicka(slovnik("<f8", false, 8, 8)), "data su neuplne (ocakavam 512 bajtov, je ich 0)"},
        {"navyse", hlavicka(slovnik("<c16", false, 4, 4)) + ok + "x", "za datami matice su dalsie bajty"},
        {"bezshape", hlavicka("{'descr': '<c16', 'fortran_order': False}") + ok, "chyba kluc 'shape'"},
        {"bezdescr", hlavicka("{'fortran_order': False, 'shape': (4, 4)}") + ok, "chyba kluc 'descr'"},
        {"neznamy", hlavicka("{'descr': '<c16', 'fortran_order': False, 'shape': (4, 4), 'x': 1}") + ok,
         "neznamy kluc 'x'"},
        {"dvakrat",
         hlavicka("{'descr': '<c16', 'descr': '<f8', 'fortran_order': False, 'shape': (4, 4)}") + ok,
         "kluc 'descr' je tam dvakrat"},
        {"fortran", hlavicka("{'descr': '<c16', 'fortran_order': 0, 'shape': (4, 4)}") + ok,
         "fortran_order nie je True ani False"},
        {"neukonceny", hlavicka("{'descr': '<c16, 'fortran_order': False, 'shape': (4, 4)}") + ok,
         "hlavicka nie je spravny slovnik .npy"},
        {"bezzatvorky", hlavicka("{'descr': '<c16', 'fortran_order': False, 'shape': (4, 4)") + ok,
         "hlavicka nie je spravny slovnik .npy"},
        {"zaslovnikom", hlavicka("{'descr': '<c16', 'fortran_order': False, 'shape': (4, 4)} x") + ok,
         "za slovnikom su dalsie znaky"},
        {"nan", nan, "prvok (2, 3) nie je konecne cislo"},
        {"inf", inf, "prvok (4, 4) nie je konecne cislo"},
    };
    for (const Pripad& p : pripady) {
        const std::string m = odmietnutie(std::string(p.meno) + ".npy", p.bajty);
        EXPECT_NE(m.find(p.dovod), std::string::npos) << p.meno << ": " << m;
    }
}

TEST(Npy, MissingFileIsRefused) {
    const std::string c = cesta("neexistuje.npy");
    std::remove(c.c_str());
    try {
        citajnpy(c);
        ADD_FAILURE() << "a missing file was read";
    } catch (const ChybaSuboru& e) {
        EXPECT_EQ(std::string(e.what()).rfind(c + ": subor sa neda otvorit na citanie (", 0), 0u) << e.what();
    }
    // A folder is no file either.
    EXPECT_THROW(citajnpy(::testing::TempDir()), ChybaSuboru);
}
