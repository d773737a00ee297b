// The display of optimisation steps: the order of the display copy, the
// current gate, the step texts of both phases and the OK/Cancel box.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/text.h"
#include "tests/view/pomocne.h"

using namespace qlc;
using namespace qlc::test;

namespace {

using V = std::vector<std::string>;
constexpr int CAKAJUCA = 100;  // the waiting gate in the display order

const std::string VLAVO = "Optim.: Tah vlavo:\r\r";
const std::string VPRAVO = "Optim.: Tah pravo:\r\r";
const std::string OTAZKA = "\r\r Chces pokracovat vo vypisovani?";

struct Kroky : Okno {
    void SetUp() override {
        Okno::SetUp();
        f->Zobroptimkroky = true;
        for (int k = 1; k <= 7; ++k) pridaj(brana(faza(0.1 * k), 1 + k % 2));
        f->optim.vlozbrana = brana(faza(5.0), 1);
    }
    void tah(int tahana, int pos) {
        f->optim.tahana = tahana;
        f->optim.pos = pos;
    }
    void cakajuca(int kotva) {
        f->optim.vloz = true;
        f->optim.vlozpri = kotva;
    }
    // The display copy's entries 1..n by the store index of the gate each
    // holds (CAKAJUCA for the waiting gate, 0 for none).
    std::vector<int> poradie(int n) const {
        std::vector<int> v;
        for (int j = 1; j <= n; ++j) {
            int kto = 0;
            if (rovnakebity(f->kopia[j].U, f->optim.vlozbrana.U)) kto = CAKAJUCA;
            for (int k = 1; k <= f->pocetb1; ++k)
                if (rovnakebity(f->kopia[j].U, f->brany[k].U)) kto = k;
            v.push_back(kto);
        }
        return v;
    }
    // Entries drawn: one box per gate, all in one band.
    std::size_t nakreslene() const { return p.kresba.druhu("obdlznik").size(); }
};

TEST_F(Kroky, VlavoJeTahanaHnedZaPartnerom) {
    tah(6, 3);
    f->tahvlavo("Snaha zlucit ");
    EXPECT_EQ(poradie(7), (std::vector<int>{1, 2, 3, 6, 4, 5, 7}));
    EXPECT_EQ(nakreslene(), 7u);
    EXPECT_EQ(f->aktualna, 4);
    EXPECT_EQ(p.infoboxy, V{VLAVO + "Snaha zlucit brany 3 s branou 4." + OTAZKA});
    // The drawing shows the moving gate as the current one.
    EXPECT_EQ(f->Label15, komplexnatext(f->brany[6].U.u22(), 4));
    EXPECT_TRUE(f->Zobroptimkroky);
    // The store is only read.
    EXPECT_TRUE(rovnakebity(f->brany[4].U, faza(0.4)));
}

TEST_F(Kroky, VyradenaBranaPosuvaCisla) {
    f->brany[2].vyradena = true;
    tah(6, 3);
    f->tahvlavo("Snaha zlucit ");
    EXPECT_EQ(poradie(6), (std::vector<int>{1, 3, 6, 4, 5, 7}));
    EXPECT_EQ(nakreslene(), 6u);
    EXPECT_EQ(f->aktualna, 3);
    EXPECT_EQ(p.infoboxy, V{VLAVO + "Snaha zlucit brany 2 s branou 3." + OTAZKA});
}

TEST_F(Kroky, CakajucaBranaIdeZaSvojouKotvou) {
    cakajuca(4);
    tah(6, 3);
    f->tahvlavo("Snaha vymenit brany ");
    EXPECT_EQ(poradie(8), (std::vector<int>{1, 2, 3, 6, 4, CAKAJUCA, 5, 7}));
    EXPECT_EQ(p.infoboxy, V{VLAVO + "Snaha vymenit brany brany 3 s branou 4." + OTAZKA});

    // The waiting gate follows its anchor even when the anchor is marked.
    p.vycisti();
    f->brany[4].vyradena = true;
    f->tahvlavo("Snaha vymenit brany ");
    EXPECT_EQ(poradie(7), (std::vector<int>{1, 2, 3, 6, CAKAJUCA, 5, 7}));

    // Right phase: the anchor before the moving gate.
    p.vycisti();
    f->brany[4].vyradena = false;
    cakajuca(1);
    tah(2, 5);
    f->tahvpravo("Snaha vymenit brany ");
    EXPECT_EQ(poradie(8), (std::vector<int>{1, CAKAJUCA, 3, 4, 2, 5, 6, 7}));
    EXPECT_EQ(f->aktualna, 5);
    EXPECT_EQ(p.infoboxy, V{VPRAVO + "Snaha vymenit brany brany 5 s branou 6." + OTAZKA});
}

TEST_F(Kroky, VlavoPoZluceni) {
    // The moving gate merged into its partner.
    f->brany[6].vyradena = true;
    tah(6, 3);
    f->tahvlavo("Boli zlucene do ");
    EXPECT_EQ(poradie(6), (std::vector<int>{1, 2, 3, 4, 5, 7}));
    EXPECT_EQ(f->aktualna, 3);
    EXPECT_EQ(p.infoboxy, V{VLAVO + "Boli zlucene do brany 3" + OTAZKA});

    // Both cancelled: nothing is current and the matrix labels are emptied.
    p.vycisti();
    f->brany[3].vyradena = true;
    f->Label12 = "x";
    f->tahvlavo("Boli zlucene do ");
    EXPECT_EQ(poradie(5), (std::vector<int>{1, 2, 4, 5, 7}));
    EXPECT_EQ(f->aktualna, 0);
    EXPECT_EQ(f->Label12 + f->Label13 + f->Label14 + f->Label15, "");
    EXPECT_EQ(p.infoboxy, V{VLAVO + "Boli zlucene do identity" + OTAZKA});
}

TEST_F(Kroky, VpravoJeTahanaHnedPredPartnerom) {
    tah(2, 5);
    f->tahvpravo("Snaha vymenit brany ");
    EXPECT_EQ(poradie(7), (std::vector<int>{1, 3, 4, 2, 5, 6, 7}));
    EXPECT_EQ(f->aktualna, 4);
    EXPECT_EQ(p.infoboxy, V{VPRAVO + "Snaha vymenit brany brany 4 s branou 5." + OTAZKA});

    // The partner marked: no second gate to name.
    p.vycisti();
    f->brany[5].vyradena = true;
    f->tahvpravo("Snaha zlucit ");
    EXPECT_EQ(poradie(6), (std::vector<int>{1, 3, 4, 2, 6, 7}));
    EXPECT_EQ(f->aktualna, 4);
    EXPECT_EQ(p.infoboxy, V{VPRAVO + "Snaha zlucit brany 4" + OTAZKA});
}

TEST_F(Kroky, VpravoPoZluceni) {
    f->brany[2].vyradena = true;
    tah(2, 5);
    f->tahvpravo("Boli zlucene do ");
    EXPECT_EQ(poradie(6), (std::vector<int>{1, 3, 4, 5, 6, 7}));
    EXPECT_EQ(f->aktualna, 4);
    EXPECT_EQ(p.infoboxy, V{VPRAVO + "Boli zlucene do brany 4 s branou 4." + OTAZKA});

    p.vycisti();
    f->brany[5].vyradena = true;
    f->tahvpravo("Boli zlucene do ");
    EXPECT_EQ(poradie(5), (std::vector<int>{1, 3, 4, 6, 7}));
    EXPECT_EQ(f->aktualna, 0);
    EXPECT_EQ(p.infoboxy, V{VPRAVO + "Boli zlucene do identity" + OTAZKA});
}

TEST_F(Kroky, ZrusenieVypneZobrazovanieKrokov) {
    tah(6, 3);
    p.odpovede = {true, false};
    f->tahvlavo("Snaha zlucit ");
    EXPECT_TRUE(f->Zobroptimkroky);
    EXPECT_TRUE(std::find(p.zmeny.begin(), p.zmeny.end(), Ovladac::Zobroptimkroky) == p.zmeny.end());
    f->tahvpravo("Snaha zlucit ");
    EXPECT_FALSE(f->Zobroptimkroky);
    EXPECT_TRUE(std::find(p.zmeny.begin(), p.zmeny.end(), Ovladac::Zobroptimkroky) != p.zmeny.end());
    EXPECT_EQ(p.infoboxy.size(), 2u);
}

TEST_F(Kroky, ZrusenieZastaviDalsieBoxyBehuOptimalizacie) {
    // Phases on qubit 1 around one on qubit 2: the optimiser drags and
    // merges, showing several steps when every box is answered OK.
    f->pocetb1 = 0;
    pridaj(brana(faza(0.1), 1));
    pridaj(brana(faza(0.2), 2));
    pridaj(brana(faza(0.3), 1));
    pridaj(brana(faza(0.4), 2));
    f->optimalizacia();
    const std::size_t vsetky = p.infoboxy.size();
    ASSERT_GE(vsetky, 2u);
    EXPECT_TRUE(f->Zobroptimkroky);

    p.vycisti();
    f->pocetb1 = 0;
    pridaj(brana(faza(0.1), 1));
    pridaj(brana(faza(0.2), 2));
    pridaj(brana(faza(0.3), 1));
    pridaj(brana(faza(0.4), 2));
    p.odpovede = {false};
    f->optimalizacia();
    EXPECT_EQ(p.infoboxy.size(), 1u);
    EXPECT_FALSE(f->Zobroptimkroky);

    // The item stays unchecked for the next run.
    p.vycisti();
    pridaj(brana(faza(0.5), 1));
    f->optimalizacia();
    EXPECT_TRUE(p.infoboxy.empty());
}

// A first gate of the view beyond the display copy (left over from a longer
// circuit) does not hide the step: the copy is drawn from its first gate,
// on the canvas in place of the grid, and "Aktualna brana:" names the
// highlighted gate.
TEST_F(Kroky, PrvaBranaMimoKopieKresliKrokOdZaciatkuNaViditelnomPlatne) {
    f->zobrazod = 10;
    f->StringGrid1.visible = true;
    f->Image1visible = false;
    tah(6, 3);
    f->tahvlavo("Snaha zlucit ");
    EXPECT_TRUE(p.logy.empty());
    EXPECT_FALSE(p.kresba.p.empty());
    EXPECT_EQ(f->Label3, "1");
    EXPECT_EQ(p.infoboxy.size(), 1u);
    EXPECT_EQ(f->aktualna, 4);
    EXPECT_EQ(f->Label8, "4");
    EXPECT_FALSE(f->StringGrid1.visible);
    EXPECT_TRUE(f->Image1visible);
    EXPECT_EQ(f->zobrazod, 10);  // the view of the stored circuit keeps its first gate
}

TEST_F(Kroky, TisicBranSCakajucouSaZmestiDoKopie) {
    f->pocetb1 = 0;
    for (int k = 1; k <= 1000; ++k) pridaj(brana(faza(0.001 * k), 1));
    cakajuca(1000);
    tah(1000, 999);
    EXPECT_NO_THROW(f->tahvlavo("Snaha zlucit "));
    // 999 gates, the moving gate, then the waiting gate after its anchor.
    EXPECT_TRUE(rovnakebity(f->kopia[1000].U, f->brany[1000].U));
    EXPECT_TRUE(rovnakebity(f->kopia[1001].U, f->optim.vlozbrana.U));
    EXPECT_EQ(p.infoboxy, V{VLAVO + "Snaha zlucit brany 999 s branou 1000." + OTAZKA});

    // One more gate does not fit: a range error, never a write past the copy.
    pridaj(brana(faza(2.0), 1));
    tah(1001, 999);
    EXPECT_THROW(f->tahvlavo("Snaha zlucit "), ChybaRozsahu);
}

}  // namespace
