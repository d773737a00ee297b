// The gate matrix dialog: the typed gate's full matrix in the grid, its
// drawing, the refusal of every gate the fields cannot describe, and that A
// and the circuit stay as they were.
#include <gtest/gtest.h>

#include "tests/view/pomocne.h"

using namespace qlc;
using namespace qlc::test;

namespace {

using V = std::vector<std::string>;
const std::string ZLA = "Chyba pri vyrabani zadanej brany = zle zadane parametre!!!";

struct MaticaBrany : Okno {
    void nastav(const std::string& typ, const std::string& ciel, const std::string& kontroly) {
        f->Form5.Edit1 = typ;
        f->Form5.Edit2 = ciel;
        f->Form5.Edit3 = kontroly;
    }
    void qubity(int n) {
        Okno::qubity(n);
        f->StringGrid1.nastavrozmer(f->rozmer + 1, f->rozmer + 1);
    }
    // Entries of the grid that read "1.00", as (row, column); every other
    // entry must be empty.
    std::vector<std::pair<int, int>> jednotky() const {
        std::vector<std::pair<int, int>> v;
        for (int i = 1; i <= f->rozmer; ++i)
            for (int j = 1; j <= f->rozmer; ++j) {
                const std::string& s = f->StringGrid1.bunka(j, i);
                if (s == "1.00")
                    v.emplace_back(i, j);
                else
                    EXPECT_EQ(s, "") << "(" << i << "," << j << ")";
            }
        return v;
    }
};

TEST_F(MaticaBrany, PredvolenaJeNotNaPrvomQubite) {
    const TMATICA1 A = f->A;
    pridaj(brana(faza(0.3), 2, {1}));
    const TGATE1 g1 = f->brany[1];

    f->Optimalizova1Click();

    EXPECT_TRUE(p.chyby.empty());
    EXPECT_EQ(p.infoboxy, V{"Ziadas maticu tejto brany."});
    // States 1 and 3, 2 and 4 exchanged; A's own entries are gone.
    EXPECT_EQ(jednotky(), (std::vector<std::pair<int, int>>{{1, 3}, {2, 4}, {3, 1}, {4, 2}}));
    EXPECT_EQ(f->StringGrid1.bunka(0, 3), "10");
    EXPECT_TRUE(f->StringGrid1.visible);
    EXPECT_FALSE(f->Image1visible);
    // The gate alone, a NOT on qubit 1 in column 1 at zoom 1.25.
    EXPECT_EQ(p.kresba.druhu("elipsa").size(), 1u);
    EXPECT_EQ(popis(p.kresba.druhu("elipsa")[0]), "elipsa 43 48 67 72");
    EXPECT_EQ(f->Label5, "1");

    // Neither A nor the circuit changed.
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j) {
            EXPECT_EQ(f->A(i, j).re, A(i, j).re);
            EXPECT_EQ(f->A(i, j).im, A(i, j).im);
        }
    EXPECT_EQ(f->pocetb1, 1);
    EXPECT_TRUE(rovnakebity(f->brany[1].U, g1.U));
    EXPECT_EQ(f->brany[1].ciel, 2);
    EXPECT_EQ(f->brany[1].kontroly[1], 1);
}

TEST_F(MaticaBrany, KontrolovanyNotVymeniStavy3A4) {
    nastav("1", "2", "1");
    f->Optimalizova1Click();
    EXPECT_TRUE(p.chyby.empty());
    EXPECT_EQ(jednotky(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {3, 4}, {4, 3}}));
    // Dot on qubit 1, circle on qubit 2.
    EXPECT_EQ(p.kresba.druhu("elipsa").size(), 2u);

    // Leading blanks and trailing text are read past.
    p.vycisti();
    nastav("  1", " 2abc", "1");
    f->Optimalizova1Click();
    EXPECT_TRUE(p.chyby.empty());
    EXPECT_EQ(jednotky(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {3, 4}, {4, 3}}));
}

TEST_F(MaticaBrany, DveKontrolyOddeleneMedzerou) {
    qubity(3);
    nastav("2", "2", "1 3");
    f->Optimalizova1Click();
    EXPECT_TRUE(p.chyby.empty());
    // Qubits 1 and 3 set: states 6 (101) and 8 (111) exchanged.
    EXPECT_EQ(jednotky(), (std::vector<std::pair<int, int>>{
                              {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 8}, {7, 7}, {8, 6}}));
}

TEST_F(MaticaBrany, NajvyssiTypNaPatichQubitoch) {
    qubity(5);
    nastav("4", "1", "2 3 4 5");
    f->Optimalizova1Click();
    EXPECT_TRUE(p.chyby.empty());
    std::vector<std::pair<int, int>> ocakavane;
    for (int s = 1; s <= 32; ++s)
        if (s != 16 && s != 32) ocakavane.emplace_back(s, s);
    ocakavane.insert(ocakavane.begin() + 15, {16, 32});
    ocakavane.emplace_back(32, 16);
    EXPECT_EQ(jednotky(), ocakavane);
}

TEST_F(MaticaBrany, ZleParametreOdmietneChybovymBoxom) {
    struct Pripad {
        int n;
        const char *typ, *ciel, *kontroly;
    };
    const std::string T = "Pole typ (pocet kontrolujucich qubitov) musi byt 0 az ";
    const std::string K = "Pole kontrolujuce qubity: ";
    const std::string O = " (cisla oddelene 1 medzerou).";
    const std::string CH = " chyba, cisel musi byt tolko, kolko udava typ" + O;
    const std::string Q = "Pole kontrolovany qubit musi byt 1 az ";
    const Pripad pripady[] = {
        {2, "0", "0", "2"},          // target 0
        {2, "0", "x", "2"},          // no digit in the target
        {2, "0", "3", ""},           // target above the qubit count
        {2, "0", "-1", ""},          // negative target
        {2, "0", "257", ""},         // would be 1 as a byte
        {5, "5", "1", "2 3 4 5 1"},  // more than 4 controls
        {2, "2", "1", "2 3"},        // more controls than the other qubits
        {2, "-1", "1", "2"},         // negative type
        {2, "256", "1", "2"},        // would be type 0 as a byte
        {3, "2", "1", "2"},          // a control missing
        {3, "2", "1", "23"},         // second control would stand at position 3
        {2, "1", "1", "3"},          // control above the qubit count
        {2, "1", "1", "1"},          // control equal to the target
        {3, "2", "1", "2 2"},        // control repeated
        {2, "1", "1", "x"},          // not a digit
        {2, "1", "2", "0"},          // control 0
    };
    // the line after the described text, case by case
    const std::string dovody[] = {
        Q + "2.", Q + "2.", Q + "2.", Q + "2.", Q + "2.", T + "4.", T + "1.", T + "1.", T + "1.",
        K + "2. qubit" + CH, K + "2. qubit" + CH, K + "1. qubit musi byt cislo 1 az 2" + O,
        K + "1. qubit je zaroven kontrolovany qubit.", K + "qubit 2 sa opakuje.",
        K + "1. qubit musi byt cislo 1 az 2" + O, K + "1. qubit musi byt cislo 1 az 2" + O,
    };
    int i = 0;
    for (const auto& c : pripady) {
        SCOPED_TRACE(std::string(c.typ) + " | " + c.ciel + " | " + c.kontroly);
        qubity(c.n);
        const std::vector<std::string> mriezka = f->StringGrid1.bunky;
        p.vycisti();
        nastav(c.typ, c.ciel, c.kontroly);
        f->Optimalizova1Click();
        // the described text, then the field that is wrong
        EXPECT_EQ(p.chyby, V{ZLA + "\r" + dovody[i++]});
        EXPECT_TRUE(p.infoboxy.empty());
        EXPECT_TRUE(p.kresba.p.empty());
        EXPECT_TRUE(p.zmeny.empty());
        EXPECT_EQ(f->StringGrid1.bunky, mriezka);
    }
}

TEST_F(MaticaBrany, ZrusenyDialogNerobiNic) {
    const std::vector<std::string> mriezka = f->StringGrid1.bunky;
    p.form5odpovede = {false};
    nastav("0", "0", "");  // would be refused if read
    f->Optimalizova1Click();
    EXPECT_TRUE(p.chyby.empty());
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_TRUE(p.kresba.p.empty());
    EXPECT_EQ(f->StringGrid1.bunky, mriezka);
}

TEST_F(MaticaBrany, NecitatelnaMaticaUkonciPrikazPredKreslenim) {
    const std::vector<std::string> mriezka = f->StringGrid1.bunky;
    f->Form5.Edit6 = "jedna";
    try {
        f->Optimalizova1Click();
        ADD_FAILURE() << "no error";
    } catch (const ChybaKonverzie& e) {
        // nakomplex's reason, then the field
        EXPECT_EQ(std::string(e.what()), "Could not parse real portion [<?>jedna]\rPole U(2,1) matice U nie je komplexne cislo.");
    }
    EXPECT_TRUE(p.kresba.p.empty());
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_EQ(f->StringGrid1.bunky, mriezka);
    // Through the command wrapper it becomes the error box.
    EXPECT_FALSE(f->prikaz([&] { f->Optimalizova1Click(); }));
    EXPECT_EQ(p.chyby.size(), 1u);
}

TEST_F(MaticaBrany, AktualnaBranaObvoduNeprekazi) {
    // The current gate of the circuit view is no gate of the one-gate
    // drawing: nothing is highlighted and the matrix labels are emptied.
    f->aktualna = 5;
    f->Label12 = "x";
    EXPECT_NO_THROW(f->Optimalizova1Click());
    EXPECT_EQ(f->aktualna, 5);
    EXPECT_EQ(f->Label12, "");
    for (const auto& x : p.kresba.druhu("pero")) EXPECT_FALSE(x.farba == MODRA);
    EXPECT_EQ(p.infoboxy, V{"Ziadas maticu tejto brany."});

    // Current gate 1 is the typed gate itself.
    p.vycisti();
    f->aktualna = 1;
    f->Optimalizova1Click();
    EXPECT_FALSE(f->Label13.empty());
    EXPECT_EQ(f->Label13, f->Label14);  // NOT: both off-diagonal entries 1
    EXPECT_NE(f->Label12, f->Label13);
}

}  // namespace
