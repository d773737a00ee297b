// The library call of the decomposition against qlc on the same matrix
// (log, summary, saved file, OpenQASM, picture: byte for byte), its options
// and refusals, the methods of the synthesis, and concurrent runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "api/qlc.h"
#include "tests/api/spolocne.h"
#include "view/svgplatno.h"

namespace {

using namespace qlc;
using C = std::complex<double>;
namespace fs = std::filesystem;

using test::Beh;
using test::obsah;
using test::spusti;
using Api = test::SPriecinkom;

// Haar-distributed unitary of 2^n: Gram-Schmidt on a complex Gaussian matrix.
api::TMatica haar(int n, unsigned seed) {
    const int d = 1 << n;
    std::mt19937_64 g(seed);
    std::normal_distribution<double> nd;
    std::vector<C> m(static_cast<std::size_t>(d * d));
    auto at = [&](int r, int c) -> C& { return m.at(static_cast<std::size_t>(r * d + c)); };
    for (auto& x : m) x = C(nd(g), nd(g));
    for (int c = 0; c < d; ++c) {
        for (int k = 0; k < c; ++k) {
            C dot = 0;
            for (int r = 0; r < d; ++r) dot += std::conj(at(r, k)) * at(r, c);
            for (int r = 0; r < d; ++r) at(r, c) -= dot * at(r, k);
        }
        double nn = 0;
        for (int r = 0; r < d; ++r) nn += std::norm(at(r, c));
        for (int r = 0; r < d; ++r) at(r, c) /= std::sqrt(nn);
    }
    return api::matica(d, d, m);
}

api::TVolby volby(api::TMetoda m, api::THlbka h, bool optimalizuj = true) {
    api::TVolby v;
    v.metoda = m;
    v.hlbka = h;
    v.optimalizuj = optimalizuj;
    return v;
}

// Two significant digits in scientific notation, as the summary writes them.
std::string vedecky(double x) {
    char b[40];
    const auto r = std::to_chars(b, b + sizeof b, x, std::chars_format::scientific, 1);
    return std::string(b, r.ptr);
}

// The number after "pred" in the summary line that starts with it.
int cisloza(const std::vector<std::string>& riadky, const std::string& pred) {
    for (const auto& r : riadky)
        if (r.rfind(pred, 0) == 0) return std::stoi(r.substr(pred.size()));
    ADD_FAILURE() << "no line " << pred;
    return -1;
}

// qlc decompose on the saved matrix file and the library call on the matrix
// read from it: the same log lines in the same order, the same summary, the
// same saved file with its report, the same OpenQASM 3 program, and
// figures that agree with the summary.
TEST_F(Api, RovnakoAkoQlcDecompose) {
    struct Pripad {
        int n;
        api::THlbka h;
        bool optimalizuj;
    };
    const std::vector<Pripad> pripady = {
        {2, api::THlbka::element, true},  {2, api::THlbka::l1, true},       {2, api::THlbka::toffoli, true},
        {3, api::THlbka::element, true},  {3, api::THlbka::element, false}, {3, api::THlbka::l1, false},
        {3, api::THlbka::toffoli, false}, {4, api::THlbka::element, true},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(std::to_string(p.n) + " " + api::meno(p.h) + (p.optimalizuj ? "" : " --no-optimise"));
        const std::string vstup = cesta("vstup.mat"), cli = cesta("cli.mat"), qasm = cesta("cli.qasm");
        api::zapis(vstup, api::nahodna(p.n, 40u + static_cast<unsigned>(p.n)));
        std::vector<std::string> a = {"decompose", "--depth", api::meno(p.h), "--summary",
                                      "-o",        cli,       "--qasm",       qasm};
        if (!p.optimalizuj) a.push_back("--no-optimise");
        a.push_back(vstup);
        const Beh b = spusti(a);
        ASSERT_EQ(b.kod, 0) << b.err;

        std::vector<std::string> zive;
        api::TSledovanie s;
        s.log = [&](const std::string& r) { zive.push_back(r); };
        const api::TVysledok v =
            api::rozloz(api::citaj(vstup), volby(api::TMetoda::dvojurovnova, p.h, p.optimalizuj), s);
        ASSERT_TRUE(v.ok());
        EXPECT_EQ(zive, v.logy);
        const std::vector<std::string> suhrn = api::suhrnriadky(v);
        api::zapis(cesta("api.mat"), {v.pocetq, v.rozmer, v.A}, &v, s);
        // the log of the run, the summary, then the writer's line
        EXPECT_EQ(zive.back(), "Matica bola zapisana do suboru.");
        std::vector<std::string> ocakavane = v.logy;
        ocakavane.insert(ocakavane.end(), suhrn.begin(), suhrn.end());
        ocakavane.push_back("Matica bola zapisana do suboru.");
        std::vector<std::string> vypis;
        std::istringstream t(b.out);
        for (std::string r; std::getline(t, r);) vypis.push_back(r);
        ASSERT_EQ(vypis.size(), ocakavane.size());
        for (std::size_t i = 0; i < vypis.size(); ++i) {
            // qlc compares a circuit of multi-controlled gates with the
            // rebuilt matrix, not with the input
            if (p.h == api::THlbka::toffoli && vypis[i].rfind("Max. odchylka: ", 0) == 0) continue;
            EXPECT_EQ(vypis[i], ocakavane[i]);
        }
        EXPECT_EQ(suhrn.back(), "Max. odchylka: " + vedecky(v.suhrn.odchylka));
        EXPECT_EQ(obsah(cesta("api.mat")), obsah(cli));
        EXPECT_EQ(api::qasm(v.brany, v.pocetq, 3, v.eps), obsah(qasm));
        api::zapisqasm(cesta("api.qasm"), v.brany, v.pocetq, 3, v.eps);
        EXPECT_EQ(obsah(cesta("api.qasm")), obsah(qasm));
        EXPECT_TRUE(v.boxy.empty());

        EXPECT_EQ(v.suhrn.pocetbran, cisloza(suhrn, "Brany: "));
        EXPECT_EQ(v.suhrn.pocetcnot, cisloza(suhrn, "CNOT: "));
        EXPECT_EQ(v.suhrn.hlbka, cisloza(suhrn, "Hlbka: "));
        std::string l = "Brany podla poctu kontrol:";
        for (int k = 0; k < p.n; ++k) l += " L" + std::to_string(k) + "=" + std::to_string(v.suhrn.podlak[k]);
        EXPECT_NE(std::find(suhrn.begin(), suhrn.end(), l), suhrn.end()) << l;
        EXPECT_LE(v.suhrn.odchylka, v.eps);
    }
}

// qlc draw and the library's drawing of the same run give the same SVG.
TEST_F(Api, ObrazokAkoQlcDraw) {
    const std::string vstup = cesta("vstup.mat"), cli = cesta("cli.svg");
    api::zapis(vstup, api::nahodna(3, 5));
    const Beh b = spusti({"draw", "--depth", "l1", "--zoom", "0.8", "--from", "7", vstup, cli});
    ASSERT_EQ(b.kod, 0) << b.err;
    const api::TVysledok v =
        api::rozloz(api::citaj(vstup), volby(api::TMetoda::dvojurovnova, api::THlbka::l1));
    EXPECT_EQ(api::svg(v, {0.8, 7}), obsah(cli));
    api::ulozobrazok(v, cesta("api.svg"), {0.8, 7});
    EXPECT_EQ(obsah(cesta("api.svg")), obsah(cli));
    // a different view is a different picture
    EXPECT_NE(api::svg(v, {0.8, 1}), obsah(cli));

    EXPECT_THROW(api::svg(v, {2.5, 1}), api::ChybaVstupu);
    EXPECT_THROW(api::ulozobrazok(v, cesta("x.gif")), api::ChybaVstupu);
}

// A view the window refuses to draw is an error with the window's log
// line, which the caller also gets as a log line; no picture is written.
TEST_F(Api, OdmietnutePohlady) {
    const std::string NEEXISTUJUCA = "Ziadas vykreslenie brany s neexistujucim cislom, preto nezobrazujem";
    const api::TVysledok v = api::rozloz(api::nahodna(2, 6), {});
    ASSERT_TRUE(v.ok());
    const int za = static_cast<int>(v.brany.size()) + 1;
    for (const int od : {0, -3, za}) {
        SCOPED_TRACE(od);
        std::vector<std::string> logy;
        api::TSledovanie s;
        s.log = [&](const std::string& r) { logy.push_back(r); };
        try {
            api::ulozobrazok(v, cesta("x.svg"), {1.0, od}, s);
            ADD_FAILURE() << "drawn";
        } catch (const api::ChybaKreslenia& e) {
            EXPECT_EQ(e.what(), NEEXISTUJUCA);
        }
        EXPECT_EQ(logy, std::vector<std::string>{NEEXISTUJUCA});
        EXPECT_FALSE(fs::exists(cesta("x.svg")));
    }
    // the last gate is still drawn
    EXPECT_NE(api::svg(v, {1.0, za - 1}).find("<svg"), std::string::npos);

    // the circuit of the identity has no gate to draw
    std::vector<C> e(16);
    for (int i = 0; i < 4; ++i) e.at(static_cast<std::size_t>(i * 5)) = 1.0;
    const api::TVysledok id = api::rozloz(api::matica(4, 4, e), {});
    ASSERT_TRUE(id.ok());
    EXPECT_TRUE(id.brany.empty());
    EXPECT_THROW(api::svg(id), api::ChybaKreslenia);
    // and qlc says so with status 1
    api::zapis(cesta("id.mat"), api::matica(4, 4, e));
    const Beh b = spusti({"draw", cesta("id.mat"), cesta("id.svg")});
    EXPECT_EQ(b.kod, 1);
    EXPECT_NE(b.err.find(NEEXISTUJUCA + "; "), std::string::npos) << b.err;
    EXPECT_FALSE(fs::exists(cesta("id.svg")));
}

// PNG goes through the registered painter, with the window's drawing; no
// painter, no PNG.
TEST_F(Api, PngLenSKreslicom) {
    const api::TVysledok v = api::rozloz(api::nahodna(2, 1), {});
    api::nastavpng({});
    EXPECT_FALSE(api::mapng());
    EXPECT_THROW(api::ulozobrazok(v, cesta("a.png")), ChybaBehu);

    std::string kresba;
    api::nastavpng([&](const std::function<void(Platno&)>& kresli) {
        SvgPlatno p;
        kresli(p);
        kresba = p.svg();
        return std::string("PNG:") + kresba;
    });
    EXPECT_TRUE(api::mapng());
    api::ulozobrazok(v, cesta("a.png"), {1.5, 2});
    EXPECT_EQ(kresba, api::svg(v, {1.5, 2}));
    std::ifstream s(cesta("a.png"), std::ios::binary);
    const std::string zapisane((std::istreambuf_iterator<char>(s)), std::istreambuf_iterator<char>());
    EXPECT_EQ(zapisane, "PNG:" + kresba);
    api::nastavpng({});
}

// A run that does not end draws nothing.
TEST_F(Api, NeunitarnaMaticaSaOdmietne) {
    std::vector<C> m(16);
    for (int i = 0; i < 4; ++i) m.at(static_cast<std::size_t>(i * 5)) = 1.0;
    m.at(1) = 0.5;
    const api::TVysledok v = api::rozloz(api::matica(4, 4, m), {});
    EXPECT_TRUE(v.neunitarna);
    EXPECT_FALSE(v.dokoncena);
    EXPECT_FALSE(v.ok());
    EXPECT_TRUE(v.brany.empty());
    // the driver's own line, which the flag is read from
    EXPECT_EQ(v.logy, (std::vector<std::string>{"Zacala sa dekompozicia.", api::NEUNITARNA}));
    EXPECT_THROW(api::svg(v), ChybaBehu);
    // what qlc says of the same matrix
    api::zapis(cesta("zla.mat"), api::matica(4, 4, m));
    const Beh b = spusti({"decompose", cesta("zla.mat")});
    EXPECT_EQ(b.kod, 1);
    EXPECT_EQ(b.out, v.logy.at(0) + "\n" + v.logy.at(1) + "\n");

    // a unitary matrix is not refused
    const api::TVysledok u = api::rozloz(api::nahodna(2, 3), {});
    EXPECT_FALSE(u.neunitarna);
    EXPECT_TRUE(u.ok());
}

// The progress bar as the caller sees it: it is shown, moves and is hidden
// when the run ends; every box goes to the caller too.
TEST_F(Api, Sledovanie) {
    std::vector<std::tuple<int, int, bool>> priebeh;
    std::vector<std::string> boxy;
    api::TSledovanie s;
    s.priebeh = [&](int p, int m, bool vid) { priebeh.emplace_back(p, m, vid); };
    s.box = [&](const std::string& t) { boxy.push_back(t); };
    const api::TVysledok v = api::rozloz(api::nahodna(3, 8), {}, s);
    ASSERT_TRUE(v.ok());
    ASSERT_FALSE(priebeh.empty());
    EXPECT_TRUE(std::get<2>(priebeh.front()));
    EXPECT_FALSE(std::get<2>(priebeh.back()));
    // the reduction's bar: one step per dimension down to 2
    EXPECT_NE(std::find(priebeh.begin(), priebeh.end(), std::tuple<int, int, bool>{7, 8, true}),
              priebeh.end());
    EXPECT_EQ(boxy, v.boxy);
}

// A callback that throws ends the run: rozloz throws that exception itself,
// not an error box of the run; the next run is unaffected.
TEST_F(Api, VynimkaZoSledovaniaUkonciBeh) {
    struct Stoj {};
    int volania = 0;
    api::TSledovanie s;
    s.priebeh = [&](int, int, bool) {
        if (++volania == 5) throw Stoj{};
    };
    EXPECT_THROW(api::rozloz(haar(4, 2), {}, s), Stoj);
    EXPECT_EQ(volania, 5);
    api::TSledovanie l;
    l.log = [](const std::string& r) {
        if (r.rfind("Zacal sa rozklad", 0) == 0) throw std::runtime_error("dost");
    };
    try {
        api::rozloz(haar(3, 2), {}, l);
        ADD_FAILURE() << "the run went on";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "dost");
    }
    EXPECT_TRUE(api::rozloz(haar(3, 2), {}).ok());
}

// Why a run is not ok: the line of the first failed check. The input is the
// QFT of 3 qubits times (I + e J)^(1/2), J the matrix of ones, e just below
// the unitarity test's tolerance: taken, but the reduction sees the
// deviation.
TEST_F(Api, Zlyhanie) {
    const int d = 8;
    const double e = 0.99e-7, pi = std::acos(-1.0);
    std::vector<C> f(d * d), m(d * d);
    for (int j = 0; j < d; ++j)
        for (int k = 0; k < d; ++k)
            f.at(static_cast<std::size_t>(j * d + k)) = std::polar(1.0 / std::sqrt(8.0), 2 * pi * j * k / d);
    const double c = (std::sqrt(1 + e * d) - 1) / d;
    for (int j = 0; j < d; ++j)
        for (int k = 0; k < d; ++k) {
            C sucet = 0;
            for (int i = 0; i < d; ++i) sucet += f.at(static_cast<std::size_t>(j * d + i));
            m.at(static_cast<std::size_t>(j * d + k)) = f.at(static_cast<std::size_t>(j * d + k)) + c * sucet;
        }
    const api::TVysledok v = api::rozloz(api::matica(d, d, m), {});
    EXPECT_FALSE(v.neunitarna);
    EXPECT_FALSE(v.ok());
    ASSERT_FALSE(v.zlyhanie.empty());
    const bool zlog = std::find(v.logy.begin(), v.logy.end(), v.zlyhanie) != v.logy.end();
    const bool zboxu = std::find(v.boxy.begin(), v.boxy.end(), v.zlyhanie) != v.boxy.end();
    EXPECT_TRUE(zlog || zboxu) << v.zlyhanie;
    EXPECT_TRUE(api::rozloz(haar(3, 1), {}).zlyhanie.empty());
    // an entry that is not finite: its position
    std::vector<C> n(16);
    n.at(9) = std::nan("");
    try {
        api::matica(4, 4, n);
        ADD_FAILURE() << "NaN taken";
    } catch (const api::ChybaPrvku& ch) {
        EXPECT_EQ(ch.riadok, 3);
        EXPECT_EQ(ch.stlpec, 2);
    }
}

// The whole drawing: a canvas as tall as every band, the window's width;
// the window's view keeps the window's size.
TEST_F(Api, CelyObrazok) {
    const api::TVysledok v = api::rozloz(haar(3, 5), {});
    ASSERT_TRUE(v.ok());
    const api::TRozmer okno = api::rozmerobrazka(v);
    EXPECT_EQ(okno.sirka, SVG_SIRKA);
    EXPECT_EQ(okno.vyska, SVG_VYSKA);
    api::TPohlad p;
    p.cely = true;
    const api::TRozmer cely = api::rozmerobrazka(v, p);
    EXPECT_EQ(cely.sirka, SVG_SIRKA);
    EXPECT_GT(cely.vyska, 4 * SVG_VYSKA);
    const std::string svg = api::svg(v, p);
    EXPECT_NE(svg.find("height=\"" + std::to_string(cely.vyska) + "\""), std::string::npos);
    // from the last gate: one band
    p.od = static_cast<int>(v.brany.size());
    EXPECT_EQ(api::rozmerobrazka(v, p).vyska, 10 + 10 + static_cast<int>(std::nearbyint(5 * 40 * 1.25)));
}

// Options: the names, the drop-down items they choose, and the
// combinations that are refused.
TEST_F(Api, Volby) {
    using api::THlbka;
    using api::TMetoda;
    EXPECT_EQ(api::polozka(volby(TMetoda::dvojurovnova, THlbka::element)), 0);
    EXPECT_EQ(api::polozka(volby(TMetoda::dvojurovnova, THlbka::l1)), 1);
    EXPECT_EQ(api::polozka(volby(TMetoda::dvojurovnova, THlbka::toffoli)), 2);
    EXPECT_EQ(api::polozka(volby(TMetoda::qsd, THlbka::element)), 3);
    EXPECT_EQ(api::polozka(volby(TMetoda::najlepsia, THlbka::element)), 4);
    EXPECT_EQ(api::polozka(volby(TMetoda::hladanie, THlbka::element)), 5);
    for (TMetoda m : {TMetoda::qsd, TMetoda::najlepsia, TMetoda::hladanie})
        for (THlbka h : {THlbka::l1, THlbka::toffoli}) {
            EXPECT_THROW(api::polozka(volby(m, h)), api::ChybaVstupu);
            EXPECT_THROW(api::rozloz(api::nahodna(2, 1), volby(m, h)), api::ChybaVstupu);
        }
    for (const char* m : {"twolevel", "qsd", "best", "search"}) EXPECT_EQ(api::meno(api::metoda(m)), m);
    // the time limit of the search: a number of seconds, 0 for its default
    for (double t : {-1.0, std::nan(""), HUGE_VAL}) {
        api::TVolby v = volby(TMetoda::hladanie, THlbka::element);
        v.casovylimit = t;
        EXPECT_THROW(api::rozloz(api::nahodna(2, 1), v), api::ChybaVstupu) << t;
    }
    for (const char* h : {"element", "l1", "toffoli"}) EXPECT_EQ(api::meno(api::hlbka(h)), h);
    EXPECT_THROW(api::metoda("QSD"), api::ChybaVstupu);
    EXPECT_THROW(api::hlbka(""), api::ChybaVstupu);

    // --check-steps checks every step and changes nothing of the circuit
    api::TVolby k;
    k.kontrolakrokov = true;
    const api::TMatica U = api::nahodna(2, 11);
    const api::TVysledok a = api::rozloz(U, k), b = api::rozloz(U, {});
    ASSERT_TRUE(a.ok());
    ASSERT_EQ(a.brany.size(), b.brany.size());
    EXPECT_EQ(api::qasm(a.brany, 2, 3), api::qasm(b.brany, 2, 3));

    // without the deviation the figure is NaN, the rest is the same, and
    // the summary lines measure it then
    api::TVolby bez;
    bez.odchylka = false;
    const api::TVysledok c = api::rozloz(U, bez);
    ASSERT_TRUE(c.ok());
    EXPECT_TRUE(std::isnan(c.suhrn.odchylka));
    EXPECT_FALSE(std::isnan(b.suhrn.odchylka));
    EXPECT_EQ(c.suhrn.pocetcnot, b.suhrn.pocetcnot);
    EXPECT_EQ(c.suhrn.hlbka, b.suhrn.hlbka);
    EXPECT_EQ(api::suhrnriadky(c), api::suhrnriadky(b));
}

// A run that went to its end, whose circuit rebuilds U within the run's
// own tolerance.
void overbeh(const api::TMatica& U, const api::TVysledok& r) {
    ASSERT_TRUE(r.ok());
    const api::TMatica M = api::maticasiete(r.brany, U.pocetq);
    EXPECT_TRUE(rovnake(M.A, U.A, r.rozmer, r.eps));
    EXPECT_LE(r.suhrn.odchylka, r.eps);
    EXPECT_EQ(r.suhrn.pocetbran, static_cast<int>(r.brany.size()));
}

// The minimal-CNOT synthesis gives one-qubit gates and CNOTs only, within
// the published CNOT counts for generic unitaries; "best" (its search held
// to a second) is no longer than either circuit.
TEST_F(Api, SyntezaANajlepsia) {
    const int bar[6] = {0, 0, 3, 19, 95, 423};
    for (int n = 2; n <= 5; ++n) {
        SCOPED_TRACE(n);
        const api::TMatica U = haar(n, 200u + static_cast<unsigned>(n));
        const api::TVysledok qsd = api::rozloz(U, volby(api::TMetoda::qsd, api::THlbka::element));
        api::TVolby vn = volby(api::TMetoda::najlepsia, api::THlbka::element);
        vn.casovylimit = 1.0;
        const api::TVysledok naj = api::rozloz(U, vn);
        for (const api::TVysledok* r : {&qsd, &naj}) {
            overbeh(U, *r);
            int inych = 0;  // gates other than one-qubit gates and CNOTs
            for (const TGATE1& g : r->brany)
                inych +=
                    g.pocetk > 1 || (g.pocetk == 1 && !rovnake2(g.U, TMATICA2(0.0, 1.0, 1.0, 0.0), r->eps));
            EXPECT_EQ(inych, 0);
        }
        EXPECT_LE(qsd.suhrn.pocetcnot, bar[n]);
        if (n <= 4) {
            const api::TVysledok dvoj = api::rozloz(U, {});
            EXPECT_LT(qsd.suhrn.pocetcnot, dvoj.suhrn.pocetcnot);
        }
        EXPECT_LE(naj.suhrn.pocetcnot, qsd.suhrn.pocetcnot);
    }
}

// The numerical search through the whole run: the store, the optimiser,
// the checks and the figures; the log says what it tried and kept, the
// progress bar moves; "best" is never longer than any method alone.
TEST_F(Api, HladanieANajlepsia) {
    // GHZ preparation on three qubits: H on qubit 1, CNOT(1,2), CNOT(2,3)
    const double r = 1 / std::sqrt(2.0);
    std::vector<std::complex<double>> p(64, 0.0);
    auto prvok = [&](int i, int j, double x) { p[static_cast<std::size_t>(i * 8 + j)] = x; };
    for (int x = 0; x < 8; ++x) {
        // qubit 1 in |0> or |1> after H, the others copy it by the chain
        const int b1 = x >> 2, b2 = (x >> 1) & 1, b3 = x & 1;
        for (int h = 0; h < 2; ++h) {
            const int y2 = b2 ^ h, y3 = b3 ^ y2;
            prvok((h << 2) | (y2 << 1) | y3, x, (b1 == 1 && h == 1) ? -r : r);
        }
    }
    const api::TMatica G = api::matica(8, 8, p);
    std::vector<std::tuple<int, int, bool>> priebeh;
    api::TSledovanie sl;
    sl.priebeh = [&](int a, int b, bool c) { priebeh.emplace_back(a, b, c); };
    const api::TVysledok h = api::rozloz(G, volby(api::TMetoda::hladanie, api::THlbka::element), sl);
    overbeh(G, h);
    EXPECT_TRUE(h.zosyntezy);
    EXPECT_EQ(h.suhrn.pocetcnot, 2);
    auto ma = [&](const api::TVysledok& v, const std::string& t) {
        return std::any_of(v.logy.begin(), v.logy.end(), [&](const std::string& l) { return l.find(t) == 0; });
    };
    EXPECT_TRUE(ma(h, "Zacalo sa numericke hladanie siete s najmensim poctom CNOT."));
    EXPECT_TRUE(ma(h, "Hladanie: faktor na qubitoch 1,2,3 je Cliffordova brana (z H, S a CNOT), obvod z 2 CNOT"));
    EXPECT_TRUE(ma(h, "Hladanie: ponechany analyticky rozklad s 2 CNOT."));
    EXPECT_TRUE(ma(h, "Kompozicia siete z elementarnych bran dala povodnu unitarnu maticu."));
    ASSERT_GE(priebeh.size(), 2u);
    EXPECT_EQ(std::get<1>(priebeh.front()), 1000);
    EXPECT_FALSE(std::get<2>(priebeh.back()));

    // best against every method alone, on GHZ and on a two-qubit matrix
    for (const api::TMatica& U : {G, api::nahodna(2, 5)}) {
        const api::TVysledok naj = api::rozloz(U, volby(api::TMetoda::najlepsia, api::THlbka::element));
        overbeh(U, naj);
        for (api::TMetoda m : {api::TMetoda::dvojurovnova, api::TMetoda::qsd, api::TMetoda::hladanie}) {
            const api::TVysledok r = api::rozloz(U, volby(m, api::THlbka::element));
            EXPECT_LE(naj.suhrn.pocetcnot, r.suhrn.pocetcnot) << api::meno(m);
        }
        EXPECT_TRUE(ma(naj, "Najkratsia siet: numericke hladanie"));
    }

    // a progress callback that throws in the middle of the search cancels
    // it: its exception reaches the caller, and no circuit comes back
    api::TSledovanie zrus;
    int volania = 0;
    zrus.priebeh = [&](int, int, bool) {
        if (++volania == 3) throw std::runtime_error("zrusene");
    };
    try {
        (void)api::rozloz(G, volby(api::TMetoda::hladanie, api::THlbka::element), zrus);
        ADD_FAILURE() << "the cancelled search returned";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "zrusene");
    }
    EXPECT_EQ(volania, 3);
}

// Runs in several threads at once give what they give one after another.
TEST_F(Api, SubezneBehy) {
    const api::TMatica U = api::nahodna(3, 77);
    const api::TVysledok sam = api::rozloz(U, {});
    std::vector<api::TVysledok> v(2);
    std::vector<std::thread> t;
    for (std::size_t i = 0; i < v.size(); ++i) t.emplace_back([&, i] { v[i] = api::rozloz(U, {}); });
    for (auto& x : t) x.join();
    for (const auto& r : v) {
        EXPECT_EQ(r.logy, sam.logy);
        EXPECT_EQ(api::qasm(r.brany, 3, 3), api::qasm(sam.brany, 3, 3));
    }
}

}  // namespace
