// The circuit summary on hand-built circuits.
#include "app/suhrn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/form1.h"
#include "tests/zaznam.h"

using namespace qlc;

namespace {

TGATE1 brana(const TMATICA2& U, int ciel, std::vector<int> ktr) {
    TGATE1 b;
    b.U = U;
    b.ciel = static_cast<std::uint8_t>(ciel);
    b.pocetk = static_cast<std::uint8_t>(ktr.size());
    for (std::size_t j = 0; j < ktr.size(); ++j)
        b.kontroly[static_cast<long long>(j) + 1] = static_cast<std::uint8_t>(ktr[j]);
    return b;
}

void pridaj(TForm1& f, const TGATE1& g) {
    f.novabrana();
    f.brany[f.pocetb1] = g;
}

// The model with n qubits and an empty store.
void nastav(TForm1& f, int n) {
    f.pocetq = n;
    f.rozmer = 1 << n;
    f.pocetb1 = 0;
}

const double S = 1.0 / std::sqrt(2.0);
const TMATICA2 H{S, S, S, -S};

}  // namespace

TEST(Suhrn, HandBuiltCircuitOfThreeQubits) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    nastav(f, 3);
    pridaj(f, brana(H, 1, {}));             // layer 1 on {1}
    pridaj(f, brana(f.matnot, 2, {1}));     // layer 2 on {1,2}, a CNOT
    pridaj(f, brana(f.matnot, 3, {}));      // layer 1 on {3}: disjoint from both
    pridaj(f, brana(f.matnot, 3, {1, 2}));  // layer 3, a Toffoli: not a CNOT
    // a NOT within eps of the NOT matrix, controlled once: a CNOT, layer 4 on {3,1}
    pridaj(f, brana({TKOMPLEX(1e-9), 1.0, 1.0, 0.0}, 1, {3}));
    pridaj(f, brana(f.matz, 3, {2}));  // layer 5 on {2,3}: one control, not a NOT
    const TMATICA1 M = f.kompozicia(f.brany, f.pocetb1, 1, f.pocetb1);
    const std::vector<std::string> ocakavane = {
        "Qubity: 3", "Brany: 6",
        "CNOT: 2",   "Brany podla poctu kontrol: L0=2 L1=3 L2=1",
        "Hlbka: 5",  "Max. odchylka: 0.0e+00",
    };
    EXPECT_EQ(suhrn(f, M), ocakavane);

    // One entry of the input off by 3e-4, another by 2e-5: the largest counts.
    TMATICA1 V = M;
    V(2, 7) = V(2, 7) + TKOMPLEX(0, 3e-4);
    V(8, 8) = V(8, 8) - TKOMPLEX(2e-5);
    EXPECT_EQ(suhrn(f, V).back(), "Max. odchylka: 3.0e-04");

    // A NOT just outside eps is no CNOT.
    f.brany[5].U(1, 1) = TKOMPLEX(1e-6);
    EXPECT_EQ(suhrn(f, M)[2], "CNOT: 1");
    EXPECT_TRUE(p.infoboxy.empty());
}

TEST(Suhrn, EmptyCircuitIsTheIdentity) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    nastav(f, 2);
    // The start matrix has zeros on the diagonal and entries of modulus 1 off
    // it, so it differs from the identity by 1.
    const std::vector<std::string> ocakavane = {
        "Qubity: 2", "Brany: 0",
        "CNOT: 0",   "Brany podla poctu kontrol: L0=0 L1=0",
        "Hlbka: 0",  "Max. odchylka: 1.0e+00",
    };
    EXPECT_EQ(suhrn(f, f.A), ocakavane);
    EXPECT_EQ(suhrn(f, jednotkova(4)).back(), "Max. odchylka: 0.0e+00");
    // Deviations far below the zero snapping of complex values still show.
    TMATICA1 I = jednotkova(4);
    I(1, 2).re = 3.1e-15;
    I(4, 3).im = -2e-16;
    EXPECT_EQ(suhrn(f, I).back(), "Max. odchylka: 3.1e-15");
    EXPECT_TRUE(p.infoboxy.empty());
}

TEST(Suhrn, FiveQubitsListEveryNumberOfControls) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    nastav(f, 5);
    pridaj(f, brana(H, 5, {1, 2, 3, 4}));
    pridaj(f, brana(H, 1, {}));
    pridaj(f, brana(H, 2, {}));
    const std::vector<std::string> s = suhrn(f, f.kompozicia(f.brany, f.pocetb1, 1, f.pocetb1));
    EXPECT_EQ(s[3], "Brany podla poctu kontrol: L0=2 L1=0 L2=0 L3=0 L4=1");
    EXPECT_EQ(s[4], "Hlbka: 2");  // the two single gates share the second layer
}

TEST(Hlbka, GatesOnDisjointQubitsShareALayer) {
    std::vector<TGATE1> g(1);
    const TMATICA2 I{1.0, 0.0, 0.0, 1.0};
    const auto hlbka = [&] {
        return hlbkaobvodu(TZoznamBran(g.data(), static_cast<int>(g.size()) - 1),
                           static_cast<int>(g.size()) - 1, 4);
    };
    EXPECT_EQ(hlbka(), 0);
    g.push_back(brana(I, 2, {1}));
    g.push_back(brana(I, 4, {3}));
    EXPECT_EQ(hlbka(), 1);
    g.push_back(brana(I, 3, {2}));  // touches both earlier gates
    EXPECT_EQ(hlbka(), 2);
    g.push_back(brana(I, 1, {}));  // qubit 1 was last used in layer 1
    EXPECT_EQ(hlbka(), 2);
    g.push_back(brana(I, 4, {}));  // qubit 4 too
    EXPECT_EQ(hlbka(), 2);
    g.push_back(brana(I, 1, {}));  // after the gate on qubit 1 in layer 2
    EXPECT_EQ(hlbka(), 3);
    // Qubits strictly between a control and the target are not touched.
    std::vector<TGATE1> h(1);
    h.push_back(brana(I, 4, {1}));
    h.push_back(brana(I, 2, {}));
    EXPECT_EQ(hlbkaobvodu(TZoznamBran(h.data(), 2), 2, 4), 1);
}

TEST(Suhrn, RefusesAMalformedGate) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    nastav(f, 3);
    pridaj(f, brana(H, 1, {}));
    pridaj(f, brana(H, 2, {2}));  // its own control
    try {
        suhrn(f, f.A);
        ADD_FAILURE() << "a malformed gate was summarised";
    } catch (const ChybaBehu& e) {
        EXPECT_NE(std::string(e.what()).find("Brana 2 nie je spravna"), std::string::npos) << e.what();
    }
}

TEST(SuhrnEndToEnd, DecomposedRandomUnitaryIsSummarised) {
    test::ZaznamPlatforma p;
    p.seed = 4242;
    TForm1 f(p);
    f.nastavEdit1("3");
    const TMATICA1 vstup = f.A;
    f.ComboBox1 = HLBKA_ELEMENT;
    f.dekompozicia();
    ASSERT_TRUE(f.beh.dokoncena);
    const std::vector<std::string> s = suhrn(f, vstup);
    ASSERT_EQ(s.size(), 6u);
    EXPECT_EQ(s[0], "Qubity: 3");
    EXPECT_EQ(s[1], "Brany: " + std::to_string(f.pocetb1));
    // Elementary gates only: no gate with two controls.
    EXPECT_NE(s[3].find(" L2=0"), std::string::npos) << s[3];
    const std::string z = "Max. odchylka: ";
    ASSERT_EQ(s[5].rfind(z, 0), 0u);
    const double d = std::stod(s[5].substr(z.size()));
    EXPECT_LT(d, 1e-6);
    // Changing one entry of the input by 0.25 shows as that deviation.
    TMATICA1 v = vstup;
    v(3, 5).re += 0.25;
    EXPECT_NE(suhrn(f, v)[5].find("2.5e-01"), std::string::npos);
}
