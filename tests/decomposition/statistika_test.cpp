#include <gtest/gtest.h>

#include "tests/decomposition/pomocne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

// Gates counted by pocetk up to pocetb1 only; one line per possible number
// of controls, 0..pocetq - 1.
TEST(Statistika, CountsGatesByNumberOfControls) {
    ZaznamPlatforma p;
    TForm1 f(p);
    const auto spusti = [&](int n, std::vector<int> pocetk) {
        nastavqubity(f, n);
        f.pocetb1 = static_cast<int>(pocetk.size());
        for (int i = 1; i <= f.pocetb1; ++i) f.brany[i].pocetk = static_cast<std::uint8_t>(pocetk[i - 1]);
        f.brany[f.pocetb1 + 1].pocetk = 2;
        p.vycisti();
        f.statistika();
        return p.logy;
    };
    const std::string HLAVA = "Statistika zobrazenej siete:--------", KONIEC = "------------------------------------";
    EXPECT_EQ(spusti(3, {0, 1, 0, 0, 1, 0}), (std::vector<std::string>{HLAVA, "Celkovy pocet bran: 6", "Bran L0(U) je 4",
                                                                      "Bran L1(U) je 2", "Bran L2(U) je 0", KONIEC}));
    EXPECT_EQ(spusti(2, {}), (std::vector<std::string>{HLAVA, "Celkovy pocet bran: 0", "Bran L0(U) je 0",
                                                       "Bran L1(U) je 0", KONIEC}));
    EXPECT_EQ(spusti(5, {4, 4, 3, 0, 2, 4}),
              (std::vector<std::string>{HLAVA, "Celkovy pocet bran: 6", "Bran L0(U) je 1", "Bran L1(U) je 0",
                                        "Bran L2(U) je 1", "Bran L3(U) je 1", "Bran L4(U) je 3", KONIEC}));
}
