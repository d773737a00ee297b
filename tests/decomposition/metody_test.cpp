// The minimal-CNOT synthesis and the choice of the shorter circuit, run by
// the driver: the store, the optimiser, the checks and the report.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/subory.h"
#include "synthesis/synteza.h"
#include "tests/decomposition/pomocne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

namespace {

const std::string SYNTEZA = "Zacala sa synteza siete s minimalnym poctom CNOT.";
const std::string KOMPOZICIA = "Kompozicia siete z elementarnych bran dala povodnu unitarnu maticu.";
// The bar of the synthesis against the input, by the tests' own product.
constexpr double PRESNOST = 1e-10;

struct Beh {
    ZaznamPlatforma p;
    TForm1 f{p};
    Beh(const Husta& U, int metoda, bool optim = true) {
        nastavqubity(f, static_cast<int>(std::log2(U.n)));
        f.A = naTMATICA1(U);
        f.ComboBox1 = metoda;
        f.roboptim = optim;
        // the numerical search of best within a few seconds (the sanitizers' build is slow)
        f.casovylimit = 5.0;
        p.vycisti();
        EXPECT_TRUE(f.prikaz([&] { f.Button3Click(); }));
    }
    int cnot() const {
        int c = 0;
        for (int i = 1; i <= f.pocetb1; ++i) c += f.brany[i].pocetk > 0;
        return c;
    }
    bool lognaplni(const std::string& zaciatok) const {
        for (const std::string& r : p.logy)
            if (r.rfind(zaciatok, 0) == 0) return true;
        return false;
    }
};

// A finished synthesis run: checks passed, elementary gates only, exact
// against the input, no two-level matrices left for the report.
void overqsd(const Beh& b, const Husta& U) {
    EXPECT_TRUE(b.f.beh.dokoncena && b.f.beh.kontrolyok);
    EXPECT_TRUE(b.p.malog(KOMPOZICIA));
    EXPECT_TRUE(b.p.chyby.empty() && b.p.infoboxy.empty());
    EXPECT_TRUE(b.f.sietzosyntezy);
    EXPECT_EQ(b.f.pocettpq, 0);
    for (int i = 1; i <= b.f.pocetb1; ++i) {
        const TGATE1& g = b.f.brany[i];
        ASSERT_LE(g.pocetk, 1) << i;
        if (g.pocetk == 1) {
            EXPECT_TRUE(bitovorovnake(g.U, b.f.matnot)) << i;
        }
    }
    EXPECT_LE(rozdiel(obvod(b.f), U), PRESNOST);
    EXPECT_EQ(b.f.Label11, std::to_string(b.f.pocetb1));
    EXPECT_TRUE(b.f.Image1visible);
}

Husta hadamardy(int n) {
    Husta H(1, true);
    const double s = 1.0 / std::sqrt(2.0);
    for (int k = 0; k < n; ++k) {
        Husta N(H.n * 2);
        for (int i = 1; i <= H.n; ++i)
            for (int j = 1; j <= H.n; ++j)
                for (int a = 0; a < 2; ++a)
                    for (int c = 0; c < 2; ++c)
                        N(2 * (i - 1) + a + 1, 2 * (j - 1) + c + 1) = H(i, j) * (a == 1 && c == 1 ? -s : s);
        H = N;
    }
    return H;
}

Husta toffoli() {
    return permutacia({1, 2, 3, 4, 5, 6, 8, 7});
}

TEST(Metody, SyntezaRandomMaticeCezOvladac) {
    const int hranica[] = {0, 0, 3, 19, 95, 423};
    for (int n = 2; n <= 5; ++n) {
        const Husta U = nahodnaunitarna(1 << n, 40u + static_cast<unsigned>(n));
        Beh b(U, METODA_QSD);
        ASSERT_FALSE(b.p.logy.empty());
        EXPECT_EQ(b.p.logy[0], "Zacala sa dekompozicia.");
        EXPECT_TRUE(b.p.malog(SYNTEZA));
        overqsd(b, U);
        EXPECT_LE(b.cnot(), hranica[n]) << n;
        // The optimiser only shortens what the synthesis gave.
        const synteza::TSYNTEZA s = synteza::syntetizuj(naTMATICA1(U), n);
        EXPECT_LE(b.f.pocetb1, static_cast<int>(s.brany.size()));
        EXPECT_LE(b.cnot(), s.pocetcnot);
    }
}

TEST(Metody, SyntezaStrukturyAPrazdnaSiet) {
    {
        Beh b(hadamardy(4), METODA_QSD);
        overqsd(b, hadamardy(4));
        EXPECT_EQ(b.cnot(), 0);
    }
    {
        // The identity gives no gate; the composition of an empty store is
        // the identity and the run ends as usual.
        Beh b(Husta(8, true), METODA_QSD);
        overqsd(b, Husta(8, true));
        EXPECT_EQ(b.f.pocetb1, 0);
    }
}

TEST(Metody, SpravaBezTpqAFaz) {
    const Husta U = nahodnaunitarna(8, 7u);
    Beh b(U, METODA_QSD);
    const std::string t = textsuboru(b.f, b.f.A);
    EXPECT_NE(t.find("Siet je zo syntezy s minimalnym poctom CNOT: nema matice Tpq ani fazy matice D.\r\n"),
              std::string::npos);
    // The phase header is followed straight by the empty line before the gates.
    EXPECT_NE(t.find("komplexnych jednotiek v matici D: \r\n\r\nZapis QLC"), std::string::npos);
    // A two-level run afterwards writes its table and phases again.
    Beh d(U, HLBKA_ELEMENT);
    const std::string t2 = textsuboru(d.f, d.f.A);
    EXPECT_EQ(t2.find("Siet je zo syntezy"), std::string::npos);
    EXPECT_EQ(t2.find("komplexnych jednotiek v matici D: \r\n\r\n"), std::string::npos);
}

TEST(Metody, NajkratsiaNikdyDlhsia) {
    const Husta vstupy[] = {toffoli(), nahodnaunitarna(8, 3u), hadamardy(3), permutacia({2, 1, 3, 4}),
                            nahodnaunitarna(4, 9u)};
    for (const Husta& U : vstupy) {
        Beh tpq(U, HLBKA_ELEMENT), qsd(U, METODA_QSD), naj(U, METODA_NAJLEPSIA);
        EXPECT_TRUE(naj.f.beh.dokoncena && naj.f.beh.kontrolyok);
        EXPECT_LE(naj.cnot(), tpq.cnot());
        EXPECT_LE(naj.cnot(), qsd.cnot());
        EXPECT_LE(rozdiel(obvod(naj.f), U), 1e-7);
        const bool zosyntezy = qsd.cnot() < tpq.cnot() || (qsd.cnot() == tpq.cnot() && qsd.f.pocetb1 <= tpq.f.pocetb1);
        EXPECT_TRUE(naj.lognaplni(zosyntezy ? "Najkratsia siet: ponechana siet zo syntezy ("
                                            : "Najkratsia siet: ponechana siet z dvojurovnovych matic ("));
        // the search, the last candidate, replaces that circuit only with
        // fewer CNOTs (on a tie, fewer gates)
        const int drzane = zosyntezy ? qsd.cnot() : tpq.cnot();
        const int drzanebrany = zosyntezy ? qsd.f.pocetb1 : tpq.f.pocetb1;
        const bool hladanie = naj.lognaplni("Najkratsia siet: ponechana siet z numerickeho hladania (");
        EXPECT_TRUE(hladanie || naj.lognaplni("Najkratsia siet: numericke hladanie dalo "));
        EXPECT_EQ(naj.f.sietzosyntezy, zosyntezy || hladanie);
        if (hladanie)
            EXPECT_TRUE(naj.cnot() < drzane || (naj.cnot() == drzane && naj.f.pocetb1 < drzanebrany));
        else
            EXPECT_EQ(naj.f.pocetb1, drzanebrany);
        // The kept two-level circuit brings its table of two-level matrices along.
        if (!zosyntezy && !hladanie) {
            EXPECT_EQ(naj.f.pocettpq, tpq.f.pocettpq);
        }
    }
    Beh t(toffoli(), METODA_NAJLEPSIA);
    EXPECT_LE(t.cnot(), 8);
}

TEST(Metody, NeunitarnyVstupOdmietnuty) {
    Husta U(4, true);
    U(1, 1) = 2.0;
    Beh b(U, METODA_QSD);
    EXPECT_TRUE(b.p.malog("Matica na dekomp. nie je unitárna. S takou sa neda ďalej pracovať!!!"));
    EXPECT_FALSE(b.p.malog(SYNTEZA));
    EXPECT_FALSE(b.f.beh.dokoncena);
}

}  // namespace
