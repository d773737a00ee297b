// Matrices in and out of the library calls: the checks of a matrix given in
// memory, the composed matrix of a circuit, matrix files and .npy files,
// and the random matrices against qlc random.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "api/qlc.h"
#include "tests/api/spolocne.h"

namespace {

using namespace qlc;
using C = std::complex<double>;
namespace fs = std::filesystem;

using test::obsah;
using test::spusti;
using ApiSubory = test::SPriecinkom;

std::string sprava(const std::function<void()>& f) {
    try {
        f();
    } catch (const api::ChybaVstupu& e) {
        return e.what();
    }
    return "(no refusal)";
}

TEST_F(ApiSubory, MaticaOdmietaZlyTvarAPrvky) {
    auto m = [](int r, int s) { return std::vector<C>(static_cast<std::size_t>(r * s)); };
    EXPECT_EQ(sprava([&] { api::matica(3, 3, m(3, 3)); }),
              "tvar (3, 3) nie je matica 2^n x 2^n s 2 <= n <= 5");
    EXPECT_EQ(sprava([&] { api::matica(64, 64, m(64, 64)); }),
              "tvar (64, 64) nie je matica 2^n x 2^n s 2 <= n <= 5");
    EXPECT_EQ(sprava([&] { api::matica(2, 2, m(2, 2)); }),
              "tvar (2, 2) nie je matica 2^n x 2^n s 2 <= n <= 5");
    EXPECT_EQ(sprava([&] { api::matica(4, 8, m(4, 8)); }),
              "tvar (4, 8) nie je matica 2^n x 2^n s 2 <= n <= 5");
    EXPECT_EQ(sprava([&] { api::matica(4, 4, m(4, 3)); }), "matica (4, 4) ma 12 prvkov namiesto 16");
    for (const double zly : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        std::vector<C> x = m(8, 8);
        x.at(2 * 8 + 5) = C(0.0, zly);
        EXPECT_EQ(sprava([&] { api::matica(8, 8, x); }), "prvok (3, 6) nie je konecne cislo");
    }
    // a matrix made by hand is checked by every call that takes one
    api::TMatica R = api::nahodna(2, 4);
    R.A(2, 3) = TKOMPLEX(std::nan(""), 0.0);
    EXPECT_EQ(sprava([&] { api::rozloz(R, {}); }), "prvok (2, 3) nie je konecne cislo");
    EXPECT_EQ(sprava([&] { api::npytext(R); }), "prvok (2, 3) nie je konecne cislo");
    R = api::nahodna(2, 4);
    R.pocetq = 3;
    EXPECT_THROW(api::rozloz(R, {}), api::ChybaVstupu);
    EXPECT_THROW(api::textsuboru(R), api::ChybaVstupu);

    // row by row, 1-based, parts of at most 1e-12 exactly 0
    std::vector<C> x = m(4, 4);
    x.at(1) = C(0.25, -1e-13);
    x.at(4) = C(-0.5, 2.0);
    const api::TMatica M = api::matica(4, 4, x);
    EXPECT_EQ(M.pocetq, 2);
    EXPECT_EQ(M.rozmer, 4);
    EXPECT_EQ(M.A(1, 2).re, 0.25);
    EXPECT_EQ(M.A(1, 2).im, 0.0);
    EXPECT_EQ(M.A(2, 1).im, 2.0);
}

TGATE1 brana(const TMATICA2& U, int ciel, std::vector<int> kontroly = {}) {
    TGATE1 g;
    g.U = U;
    g.ciel = static_cast<std::uint8_t>(ciel);
    for (int k : kontroly) g.kontroly[++g.pocetk] = static_cast<std::uint8_t>(k);
    return g;
}

// Qubit 1 is the most significant bit and the first gate acts first.
TEST_F(ApiSubory, MaticaSiete) {
    const TMATICA2 X(0.0, 1.0, 1.0, 0.0), Z(1.0, 0.0, 0.0, -1.0);
    // CNOT with control 1 on target 2 exchanges the states 10 and 11
    api::TMatica M = api::maticasiete({brana(X, 2, {1})}, 2);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j) {
            const double e = (i == j && i <= 2) || (i == 3 && j == 4) || (i == 4 && j == 3) ? 1.0 : 0.0;
            EXPECT_EQ(M.A(i, j).re, e) << i << " " << j;
        }
    // X on qubit 1, then Z on qubit 1: Z X takes state 00 to -(state 10)
    M = api::maticasiete({brana(X, 1), brana(Z, 1)}, 2);
    EXPECT_EQ(M.A(3, 1).re, -1.0);
    EXPECT_EQ(M.A(1, 3).re, 1.0);
    // the empty circuit is the identity
    M = api::maticasiete({}, 3);
    EXPECT_EQ(M.rozmer, 8);
    EXPECT_TRUE(rovnake(M.A, jednotkova(8), 8, 0.0));

    EXPECT_THROW(api::maticasiete({brana(X, 3)}, 2), api::ChybaVstupu);
    EXPECT_THROW(api::maticasiete({brana(X, 1, {2, 2})}, 3), api::ChybaVstupu);
    EXPECT_THROW(api::maticasiete({brana(X, 1, {1})}, 3), api::ChybaVstupu);
    EXPECT_THROW(api::maticasiete({}, 6), api::ChybaVstupu);
    EXPECT_THROW(api::qasm({brana(X, 3, {1, 2})}, 3, 2), ChybaBehu);
    EXPECT_THROW(api::qasm({}, 3, 4), ChybaBehu);
}

// .npy keeps every bit; the matrix file 15 significant digits.
TEST_F(ApiSubory, ZapisACitanie) {
    const api::TMatica U = api::nahodna(3, 21);
    api::zapis(cesta("u.npy"), U);
    const std::string npy = obsah(cesta("u.npy"));
    EXPECT_EQ(npy, api::npytext(U));
    ASSERT_GE(npy.size(), 10u);
    EXPECT_EQ(npy.compare(0, 6, "\x93NUMPY"), 0);
    const std::size_t hlavicka =
        static_cast<unsigned char>(npy[8]) + 256u * static_cast<unsigned char>(npy[9]);
    EXPECT_EQ((10 + hlavicka) % 64, 0u);
    EXPECT_EQ(npy.size(), 10 + hlavicka + 64 * 16);
    EXPECT_EQ(npy[10 + hlavicka - 1], '\n');

    const api::TMatica N = api::citaj(cesta("u.npy"));
    ASSERT_EQ(N.rozmer, 8);
    for (int i = 1; i <= 8; ++i)
        for (int j = 1; j <= 8; ++j) {
            EXPECT_EQ(N.A(i, j).re, U.A(i, j).re);
            EXPECT_EQ(N.A(i, j).im, U.A(i, j).im);
        }

    std::vector<std::string> logy;
    api::TSledovanie s;
    s.log = [&](const std::string& r) { logy.push_back(r); };
    api::zapis(cesta("u.mat"), U, nullptr, s);
    EXPECT_EQ(logy, std::vector<std::string>{"Matica bola zapisana do suboru."});
    const api::TMatica T = api::citaj(cesta("u.mat"));
    EXPECT_LE(odchylka(T.A, U.A, 8), 1e-14);
    // without a decomposition the report is empty: no gates
    EXPECT_NE(obsah(cesta("u.mat")).find("Celkovy pocet bran: 0\r\n"), std::string::npos);

    // a report of another size does not go with the matrix
    const api::TVysledok v = api::rozloz(api::nahodna(2, 1), {});
    EXPECT_THROW(api::zapis(cesta("v.mat"), U, &v), api::ChybaVstupu);
    EXPECT_FALSE(fs::exists(cesta("v.mat")));

    // zapismaticu writes the matrix file whatever the name ends in
    api::zapismaticu(cesta("t.npy"), U);
    EXPECT_EQ(obsah(cesta("t.npy")), api::textsuboru(U));
    EXPECT_LE(odchylka(api::citaj(cesta("t.npy")).A, U.A, 8), 1e-14);

    EXPECT_THROW(api::citaj(cesta("nie.mat")), ChybaSuboru);
    EXPECT_THROW(api::zapis(cesta("nie/u.mat"), U), ChybaSuboru);
    EXPECT_THROW(api::zapis(cesta("nie/u.npy"), U), ChybaSuboru);
    std::ofstream(cesta("zly.mat"), std::ios::binary) << "3\r\n{{1,0,0},\r\n";
    EXPECT_THROW(api::citaj(cesta("zly.mat")), ChybaSuboru);
}

// The report of a synthesised circuit says where it comes from and has no
// two-level matrices or phases; its gate list is the circuit's.
TEST_F(ApiSubory, SpravaSyntezy) {
    const std::string ZO_SYNTEZY =
        "Siet je zo syntezy s minimalnym poctom CNOT: nema matice Tpq ani fazy matice D.\r\n";
    const api::TMatica U = api::nahodna(3, 4);
    api::TVolby q;
    q.metoda = api::TMetoda::qsd;
    const api::TVysledok s = api::rozloz(U, q), d = api::rozloz(U, {});
    ASSERT_TRUE(s.ok());
    ASSERT_TRUE(d.ok());
    EXPECT_TRUE(s.zosyntezy);
    EXPECT_FALSE(d.zosyntezy);
    const std::string ts = api::textsuboru({s.pocetq, s.rozmer, s.A}, &s);
    const std::string td = api::textsuboru({d.pocetq, d.rozmer, d.A}, &d);
    EXPECT_NE(ts.find(ZO_SYNTEZY), std::string::npos);
    EXPECT_EQ(td.find(ZO_SYNTEZY), std::string::npos);
    // no phase rows: the header of the phases is followed by the empty line
    EXPECT_NE(ts.find("matici D: \r\n\r\nZapis QLC"), std::string::npos);
    EXPECT_EQ(td.find("matici D: \r\n\r\nZapis QLC"), std::string::npos);
    EXPECT_NE(ts.find("Celkovy pocet bran: " + std::to_string(s.brany.size()) + "\r\n"), std::string::npos);
    api::zapis(cesta("s.mat"), {s.pocetq, s.rozmer, s.A}, &s);
    EXPECT_EQ(obsah(cesta("s.mat")), ts);
    // and what qlc saves for the same run
    api::zapis(cesta("u.mat"), U);
    const test::Beh b = spusti({"decompose", "--method", "qsd", "-o", cesta("cli.mat"), cesta("u.mat")});
    ASSERT_EQ(b.kod, 0) << b.err;
    EXPECT_NE(obsah(cesta("cli.mat")).find(ZO_SYNTEZY), std::string::npos);
}

// The generator of "Generuj": the seed gives the matrix qlc random writes.
TEST_F(ApiSubory, NahodnaAkoQlcRandom) {
    for (int n = 2; n <= 5; ++n) {
        const std::string cli = cesta("cli.mat");
        const test::Beh b = spusti({"random", "--qubits", std::to_string(n), "--seed", "123", "-o", cli});
        ASSERT_EQ(b.kod, 0) << b.err;
        std::vector<std::string> logy;
        api::TSledovanie s;
        s.log = [&](const std::string& r) { logy.push_back(r); };
        const api::TMatica U = api::nahodna(n, 123, s);
        EXPECT_EQ(logy, std::vector<std::string>{"Nahodne bola vygenerovana unitarna matica."});
        EXPECT_EQ(b.err, logy.at(0) + "\nMatica bola zapisana do suboru.\n");
        EXPECT_EQ(U.pocetq, n);
        api::zapis(cesta("api.mat"), U);
        EXPECT_EQ(obsah(cesta("api.mat")), obsah(cli));
        EXPECT_EQ(api::textsuboru(U), obsah(cli));
        EXPECT_TRUE(unitarna(U.A, U.rozmer, EPS_ZAKLAD));
    }
    EXPECT_FALSE(rovnake(api::nahodna(3, 1).A, api::nahodna(3, 2).A, 8, 1e-3));
    EXPECT_THROW(api::nahodna(1), api::ChybaVstupu);
    EXPECT_THROW(api::nahodna(6), api::ChybaVstupu);
}

}  // namespace
