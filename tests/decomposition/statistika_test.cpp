#include <gtest/gtest.h>

#include "app/form1.h"
#include "tests/decomposition/pomocne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

namespace {

void pridaj(TForm1& f, int pocetk) {
    f.novabrana();
    TGATE1& g = f.brany[f.pocetb1];
    g.pocetk = static_cast<std::uint8_t>(pocetk);
    g.ciel = static_cast<std::uint8_t>(pocetk + 1);
    for (int j = 1; j <= pocetk; ++j) g.kontroly[j] = static_cast<std::uint8_t>(j);
    g.U = f.matnot;
}

}  // namespace

TEST(Statistika, CountsGatesByNumberOfControls) {
    ZaznamPlatforma p;
    TForm1 f(p);
    nastavqubity(f, 3);
    f.pocetb1 = 0;
    for (int k : {0, 1, 0, 0, 1, 0}) pridaj(f, k);
    // Records beyond pocetb1 are not counted.
    f.brany[7].pocetk = 2;
    p.vycisti();
    f.statistika();
    EXPECT_EQ(p.logy, (std::vector<std::string>{"Statistika zobrazenej siete:--------", "Celkovy pocet bran: 6",
                                                "Bran L0(U) je 4", "Bran L1(U) je 2", "Bran L2(U) je 0",
                                                "------------------------------------"}));
}

// The lines stop at pocetq - 1 controls: five qubits give L0..L4.
TEST(Statistika, EmptyStoreAndFiveQubits) {
    ZaznamPlatforma p;
    TForm1 f(p);
    nastavqubity(f, 2);
    f.pocetb1 = 0;
    p.vycisti();
    f.statistika();
    EXPECT_EQ(p.logy, (std::vector<std::string>{"Statistika zobrazenej siete:--------", "Celkovy pocet bran: 0",
                                                "Bran L0(U) je 0", "Bran L1(U) je 0",
                                                "------------------------------------"}));

    nastavqubity(f, 5);
    for (int k : {4, 4, 3, 0, 2, 4}) pridaj(f, k);
    p.vycisti();
    f.statistika();
    EXPECT_EQ(p.logy, (std::vector<std::string>{"Statistika zobrazenej siete:--------", "Celkovy pocet bran: 6",
                                                "Bran L0(U) je 1", "Bran L1(U) je 0", "Bran L2(U) je 1",
                                                "Bran L3(U) je 1", "Bran L4(U) je 3",
                                                "------------------------------------"}));
}
