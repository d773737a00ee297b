// Exchange of two neighbouring gates, the jump over an anti-diagonal gate,
// the check of an exchange, and the neighbour searches.
#include <numbers>

#include "tests/optimisation/pomocky.h"

using namespace qlc;
using namespace qlc::test;

namespace {

// Runs prehodbrany(1, 2, mode) on the pair and checks what every answer
// promises: with codes 1..3 the pair read in swapped order acts as before,
// with code 4 the jump's three gates do, with code 0 nothing changed.
struct Dvojica : Obvod {
    explicit Dvojica(int n = 2) : Obvod(n) {}
    TGATE1 a, b;
    std::uint8_t prehod(const TGATE1& b1, const TGATE1& b2, int mode) {
        a = b1;
        b = b2;
        f->pocetb1 = 0;
        f->optim.vloz = false;
        obvod({b1, b2});
        const TMATICA1 P = nasob(M(b2), M(b1), f->rozmer);
        const std::uint8_t kod = f->prehodbrany(1, 2, mode);
        const TMATICA1 N1 = M((*this)[1]), N2 = M((*this)[2]);
        switch (kod) {
            case 0:
                EXPECT_TRUE(rovnakabrana((*this)[1], b1));
                EXPECT_TRUE(rovnakabrana((*this)[2], b2));
                EXPECT_FALSE(f->optim.vloz);
                break;
            case 4: {
                EXPECT_TRUE(f->optim.vloz);
                const TMATICA1 V = M(f->optim.vlozbrana);
                const TMATICA1 R = mode == 1 ? nasob(V, nasob(N1, N2, f->rozmer), f->rozmer)
                                             : nasob(N1, nasob(N2, V, f->rozmer), f->rozmer);
                EXPECT_LE(rozdiel(P, R), 1e-12);
                break;
            }
            default:
                EXPECT_LE(rozdiel(P, nasob(N1, N2, f->rozmer)), 1e-12);
                EXPECT_FALSE(f->optim.vloz);
                // At most one matrix changes, and only where the code says.
                if (kod != 1) {
                    EXPECT_TRUE(rovnakabrana((*this)[1], b1));
                }
                if (kod != 2) {
                    EXPECT_TRUE(rovnakabrana((*this)[2], b2));
                }
        }
        return kod;
    }
};

const TMATICA2 G1 = vseob(0.3, 0.5, -0.4, 0.7);
const TMATICA2 G2 = vseob(-0.8, 0.2, 0.6, 1.1);

TEST(Prehod, GatesThatDoNotReadEachOthersTargetCommute) {
    Dvojica o(3);
    for (int mode : {1, 2}) {
        EXPECT_EQ(o.prehod(brana(G1, 1, {3}), brana(G2, 2, {3}), mode), 3);
        EXPECT_EQ(o.prehod(brana(G1, 1), brana(G2, 2), mode), 3);
        EXPECT_EQ(o.prehod(brana(o.f->matnot, 1, {2}), brana(G2, 3), mode), 3);
    }
}

TEST(Prehod, TargetReadAsAControlByTheLaterGate) {
    Dvojica o(3);
    // A diagonal gate does not change the qubit the other gate reads.
    EXPECT_EQ(o.prehod(brana(diag2(ei(0.4), ei(1.2)), 1), brana(o.f->matnot, 2, {1}), 1), 3);
    // A phase z.I on qubit 2 controlled by 1, passed by a Hadamard on 1:
    // the Hadamard's off-diagonal entries take conj(z) and z.
    const TKOMPLEX z = ei(0.6);
    EXPECT_EQ(o.prehod(brana(hadamard(), 1), brana(skalar(z), 2, {1}), 1), 1);
    EXPECT_TRUE(rovnakebity(
        o[1].U, mat(hadamard().u11(), hadamard().u12() * conj(z), hadamard().u21() * z, hadamard().u22())));
    EXPECT_EQ(o.prehod(brana(hadamard(), 1), brana(skalar(z), 2, {1}), 2), 1);
    // The same with a CNOT on 1 controlled by 3: a CNOT is never changed,
    // and its control is not one of the other gate's, so no jump either.
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 1, {3}), brana(skalar(z), 2, {1}), 1), 0);
    // The scalar's controls must lie within the first gate's qubits.
    EXPECT_EQ(o.prehod(brana(hadamard(), 1), brana(skalar(z), 2, {1, 3}), 1), 0);
    EXPECT_EQ(o.prehod(brana(hadamard(), 1), brana(faza(0.6), 2, {1}), 1), 0);
}

TEST(Prehod, TargetOfTheEarlierGateReadByTheLaterAndViceVersa) {
    Dvojica o(3);
    const TKOMPLEX mu = ei(0.9), nu = ei(-0.5);
    // A diagonal gate that is the identity when its target is 1 never acts
    // when the other gate does.
    EXPECT_EQ(o.prehod(brana(diag2(ei(0.3), 1.0), 1, {2}), brana(G2, 2, {1}), 1), 3);
    EXPECT_EQ(o.prehod(brana(faza(0.3), 1, {2}), brana(G2, 2, {1}), 1), 2);
    EXPECT_EQ(o.prehod(brana(diag2(ei(0.1), ei(0.2)), 1, {2}), brana(diag2(ei(0.3), ei(0.4)), 2, {1}), 1), 3);
    EXPECT_EQ(o.prehod(brana(diag2(ei(0.1), mu), 1, {2}), brana(G2, 2, {1}), 2), 2);
    EXPECT_TRUE(rovnakebity(o[2].U, mat(G2.u11(), G2.u12() * mu, G2.u21() * conj(mu), G2.u22())));
    EXPECT_EQ(o.prehod(brana(diag2(ei(0.1), mu), 1, {2}), brana(o.f->matnot, 2, {1}), 1), 0);
    EXPECT_EQ(o.prehod(brana(diag2(ei(0.1), mu), 1, {2, 3}), brana(G2, 2, {1}), 1), 0);  // c1 fails
    EXPECT_EQ(o.prehod(brana(G1, 1, {2}), brana(diag2(ei(0.8), 1.0), 2, {1}), 1), 3);
    EXPECT_EQ(o.prehod(brana(G1, 1, {2}), brana(diag2(ei(0.2), nu), 2, {1}), 1), 1);
    EXPECT_TRUE(rovnakebity(o[1].U, mat(G1.u11(), G1.u12() * conj(nu), G1.u21() * nu, G1.u22())));
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 1, {2}), brana(diag2(ei(0.2), nu), 2, {1}), 1), 0);
    EXPECT_EQ(o.prehod(brana(G1, 1, {2}), brana(G2, 2, {1}), 1), 0);
}

TEST(Prehod, TargetOfTheLaterGateReadByTheEarlier) {
    Dvojica o(3);
    const TKOMPLEX kappa = ei(1.3);
    EXPECT_EQ(o.prehod(brana(G1, 1, {2}), brana(diag2(ei(0.5), ei(0.7)), 2), 2), 3);
    EXPECT_EQ(o.prehod(brana(skalar(kappa), 1, {2}), brana(G2, 2), 1), 2);
    EXPECT_TRUE(rovnakebity(o[2].U, mat(G2.u11(), G2.u12() * kappa, G2.u21() * conj(kappa), G2.u22())));
    EXPECT_EQ(o.prehod(brana(skalar(kappa), 1, {2}), brana(o.f->matnot, 2, {3}), 1), 0);
    EXPECT_EQ(o.prehod(brana(skalar(kappa), 1, {2, 3}), brana(G2, 2), 1), 0);
    EXPECT_EQ(o.prehod(brana(G1, 1, {2}), brana(G2, 2), 2), 0);
}

TEST(Prehod, SameTargetConjugatesTheMovingGateWhenItsControlsAllow) {
    Dvojica o(3);
    // Single-qubit gates that do not commute.
    EXPECT_EQ(o.prehod(brana(G1, 1), brana(G2, 1), 1), 2);
    EXPECT_TRUE(rovnakebity(o[2].U, nasob2(nasob2(hermit2(G1), G2), G1)));
    EXPECT_EQ(o.prehod(brana(G1, 1), brana(G2, 1), 2), 1);
    EXPECT_TRUE(rovnakebity(o[1].U, nasob2(nasob2(G2, G1), hermit2(G2))));
    // Mode 2 prefers b1, but b2's second control is not among b1's qubits.
    EXPECT_EQ(o.prehod(brana(G1, 3, {1}), brana(G2, 3, {1, 2}), 2), 2);
    // Mode 1 prefers b2, but b1's control is not among b2's qubits.
    EXPECT_EQ(o.prehod(brana(G1, 3, {1, 2}), brana(G2, 3, {1}), 1), 1);
    EXPECT_EQ(o.prehod(brana(G1, 3, {1}), brana(G2, 3, {2}), 1), 0);
    // Matrices that commute make the gates commute, whatever the controls.
    EXPECT_EQ(o.prehod(brana(G1, 3, {1}), brana(nasob2(G1, G1), 3, {2}), 1), 3);
    EXPECT_EQ(o.prehod(brana(faza(0.4), 2, {1}), brana(diag2(ei(1.0), ei(2.0)), 2, {3}), 2), 3);
    // Matrices that commute only within eps do not commute as gates: a
    // phase of 6e-8 on the target of a CNOT stays where it is (exchanging
    // them would leave that error in the circuit), and beside a NOT without
    // controls it is exchanged exactly, by conjugation.
    EXPECT_EQ(o.prehod(brana(faza(6e-8), 2), brana(o.f->matnot, 2, {1}), 1), 0);
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 2, {1}), brana(faza(6e-8), 2), 2), 0);
    EXPECT_EQ(o.prehod(brana(faza(6e-8), 1), brana(o.f->matnot, 1), 1), 2);
    // A CNOT is never the one changed.
    EXPECT_EQ(o.prehod(brana(G1, 2), brana(o.f->matnot, 2, {1}), 1), 0);
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 2, {1}), brana(G1, 2), 1), 0);
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 2, {1}), brana(G1, 2), 2), 0);
}

TEST(Prehod, JumpOverAnAntiDiagonalGate) {
    Dvojica o(2);
    // X on qubit 1, then a gate on qubit 2 controlled by 1, dragged left.
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 1), brana(G2, 2, {1}), 1), 4);
    EXPECT_TRUE(rovnakebity(o[2].U, hermit2(G2)));
    EXPECT_EQ(o[2].ciel, 2);
    EXPECT_EQ(o[2].pocetk, 1);
    EXPECT_TRUE(rovnakabrana(o[1], o.a));
    EXPECT_EQ(o.f->optim.vlozpri, 1);
    EXPECT_TRUE(rovnakabrana(o.f->optim.vlozbrana, brana(G2, 2)));
    // The mirror: the controlled gate dragged right over the X.
    EXPECT_EQ(o.prehod(brana(G2, 2, {1}), brana(mat(0.0, ei(0.3), ei(-0.9), 0.0), 1), 2), 4);
    EXPECT_TRUE(rovnakebity(o[1].U, hermit2(G2)));
    EXPECT_EQ(o.f->optim.vlozpri, 2);
    EXPECT_TRUE(rovnakabrana(o.f->optim.vlozbrana, brana(G2, 2)));
    EXPECT_TRUE(o.p.logy.empty());
}

TEST(Prehod, JumpKeepsTheOtherControlsOfTheMovingGate) {
    Dvojica o(4);
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 2, {4}), brana(G1, 3, {4, 2, 1}), 1), 4);
    EXPECT_TRUE(rovnakabrana(o.f->optim.vlozbrana, brana(G1, 3, {4, 1})));
    // The anti-diagonal gate's controls must be among the moving gate's.
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 2, {4}), brana(G1, 3, {2, 1}), 1), 0);
    // A jump needs the anti-diagonal gate on the side the gate moves to.
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 2, {4}), brana(G1, 3, {4, 2, 1}), 2), 0);
}

TEST(Prehod, OnlyOneJumpWaitsAtATime) {
    Dvojica o(2);
    o.obvod({brana(o.f->matnot, 1), brana(G2, 2, {1})});
    o.f->optim.vloz = true;
    o.f->optim.vlozpri = 7;
    EXPECT_EQ(o.f->prehodbrany(1, 2, 1), 0);
    EXPECT_TRUE(rovnakebity(o[2].U, G2));
    EXPECT_EQ(o.f->optim.vlozpri, 7);
}

TEST(Prehod, WithoutRoboptimEveryGateWithControlsStays) {
    Dvojica o(3);
    o.f->roboptim = false;
    o.f->Kontrolptimkrok1 = true;
    // This pair commutes though no rule says so; unchecked, nothing is tried.
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 1), brana(o.f->jednotka, 3, {1, 2}), 1), 0);
    EXPECT_EQ(o.prehod(brana(G1, 1, {3}), brana(G2, 2, {3}), 1), 0);
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 1), brana(G2, 2, {1}), 1), 0);
    EXPECT_EQ(o.prehod(brana(G1, 1), brana(G2, 2), 1), 3);
    EXPECT_EQ(o.prehod(brana(G1, 1), brana(G2, 1), 1), 2);
    EXPECT_TRUE(o.p.logy.empty());
}

TEST(Prehod, ArgumentsOutOfOrderAreLogged) {
    Dvojica o(2);
    o.obvod({brana(G1, 1), brana(G2, 1)});
    EXPECT_EQ(o.f->prehodbrany(2, 1, 1), 0);
    EXPECT_EQ(o.f->prehodbrany(2, 2, 2), 0);
    EXPECT_EQ(o.p.logy, std::vector<std::string>(2, "Do prehodbrany si poslal pos1>=pos2"));
    EXPECT_TRUE(rovnakebity(o[1].U, G1));
    EXPECT_TRUE(rovnakebity(o[2].U, G2));
}

TEST(Prehod, CheckLogsAPairThatCommutesThoughTheRulesSayNo) {
    Dvojica o(3);
    o.f->Kontrolptimkrok1 = true;
    // An identity gate on 3 controlled by 1 and 2 commutes with everything;
    // the rules refuse because control 2 is not a qubit of the X gate.
    EXPECT_EQ(o.prehod(brana(o.f->matnot, 1), brana(o.f->jednotka, 3, {1, 2}), 2), 0);
    EXPECT_EQ(o.p.logy,
              std::vector<std::string>{"Rozdielne vysledky pre prehod bran:1,2. mojalg:FALSEMatice:TRUE"});
    // a missed exchange leaves the circuit right: no failed check
    EXPECT_TRUE(o.f->beh.kontrolyok);
}

TEST(Prehod, CheckIgnoresPairsThatCommuteOnlyWithinEps) {
    Dvojica o(2);
    o.f->Kontrolptimkrok1 = true;
    // Diagonal but for 3e-12 left by rounding, on the control of the other
    // gate: the rules do not see a diagonal gate, and exchanging it would
    // move that error into the circuit; the products agree within eps, not
    // to rounding.
    const TMATICA2 skoro = {polar(1.0, 0.3), TKOMPLEX(3e-12), TKOMPLEX(-3e-12), polar(1.0, -0.9)};
    const TMATICA2 H = {TKOMPLEX(M_SQRT1_2), TKOMPLEX(M_SQRT1_2), TKOMPLEX(M_SQRT1_2), TKOMPLEX(-M_SQRT1_2)};
    EXPECT_EQ(o.prehod(brana(skoro, 1), brana(H, 2, {1}), 2), 0);
    EXPECT_TRUE(o.p.logy.empty());
    EXPECT_TRUE(o.f->beh.kontrolyok);
}

TEST(Prehod, CheckReportsAWrongAnswerWithItsText) {
    Dvojica o(2);
    o.obvod({brana(G1, 1), brana(G2, 2, {1})});
    const int n = o.f->rozmer;
    const TMATICA1 I = jednotkova(n);
    const TMATICA1 M1 = o.M(o[1]), M2 = o.M(o[2]);
    o.f->optim.vlozbrana = brana(G2, 2);
    // A product before the call that the pair after it does not reproduce.
    for (int kod : {3, 1, 2, 4}) o.f->kontrolaprehodu(1, 2, 1, static_cast<std::uint8_t>(kod), I);
    EXPECT_EQ(o.p.logy,
              (std::vector<std::string>{
                  "Rozdielne vysledky pre prehod bran:1,2. mojalg:TRUEMatice:FALSE",
                  "Rozdielne vysledky pre prehod bran:1,2. mojalg:Za cenu zmeny b1Matice:FALSE",
                  "Rozdielne vysledky pre prehod bran:1,2. mojalg:Za cenu zmeny b2Matice:FALSE",
                  "Rozdielne vysledky pre prehod bran:1,2. mojalg:\"Skok cez Lm(.) branu\"Matice:FALSE"}));
    // Code 0 with gates that do not commute is right.
    o.p.vycisti();
    o.f->kontrolaprehodu(1, 2, 1, 0, nasob(M2, M1, n));
    EXPECT_TRUE(o.p.logy.empty());
    // Mode 1 reads V . M1 . M2 and mode 2 M1 . M2 . V: with a V that does
    // not commute with gate 3, each order passes only in its own mode.
    o.obvod({brana(G1, 1), brana(G2, 2)});
    const TGATE1 V = brana(hadamard(), 1);
    o.f->optim.vlozbrana = V;
    const TMATICA1 N1 = o.M(o[3]), N2 = o.M(o[4]), M3 = o.M(V);
    const TMATICA1 N12 = nasob(N1, N2, n);
    o.f->kontrolaprehodu(3, 4, 1, 4, nasob(M3, N12, n));
    o.f->kontrolaprehodu(3, 4, 2, 4, nasob(N12, M3, n));
    EXPECT_TRUE(o.p.logy.empty());
    o.f->kontrolaprehodu(3, 4, 2, 4, nasob(M3, N12, n));
    o.f->kontrolaprehodu(3, 4, 1, 4, nasob(N12, M3, n));
    EXPECT_EQ(o.p.logy.size(), 2u);
}

TEST(Prehod, CheckOfGatesOnQubitsOutsideTheCircuitUsesTheirFullMatrices) {
    // Gate 2 is controlled by qubit 3 of a two-qubit model: its full matrix
    // (built with the gate matrix's own report, before and after the call)
    // is the identity, which commutes with gate 1 although the rules, which
    // see a CNOT on gate 1's target, say no.
    Dvojica o(2);
    o.f->Kontrolptimkrok1 = true;
    o.obvod({brana(hadamard(), 1), brana(o.f->matnot, 1, {3})});
    EXPECT_EQ(o.f->prehodbrany(1, 2, 1), 0);
    EXPECT_EQ(o.p.logy,
              std::vector<std::string>{"Rozdielne vysledky pre prehod bran:1,2. mojalg:FALSEMatice:TRUE"});
    EXPECT_EQ(o.p.infoboxy, std::vector<std::string>(2, "Moja metoda zapisu U pre branu ma chybu!!!"));
}

TEST(Prehod, CheckProductsAreThoseOfTheFullMatrices) {
    // The checks multiply gates into a matrix row pair by row pair; the
    // result must be the product of the gates' full matrices bit for bit,
    // or the verdicts could differ at the edge of eps.
    for (int n = 2; n <= 5; ++n) {
        Obvod o(n);
        Generator g(700 + static_cast<unsigned>(n));
        TSUCIN& S = o.f->kontrolny(0);
        const TMATICA1& M = S.M;
        for (int i = 0; i < 60; ++i) {
            const TGATE1 a = g.brana(n, o.f->matnot), b = g.brana(n, o.f->matnot),
                         c = g.brana(n, o.f->matnot);
            // The scratch product may hold an earlier product, whole or not.
            if (i % 5 == 0) {
                S.M = nasob(o.M(c), o.M(a), o.f->rozmer);
                S.plna = true;
            }
            ASSERT_TRUE(o.f->sucinbran(S, {&a, &b, &c}));
            const TMATICA1 P = nasob(o.M(c), nasob(o.M(b), o.M(a), o.f->rozmer), o.f->rozmer);
            for (int r = 1; r <= o.f->rozmer; ++r)
                for (int s = 1; s <= o.f->rozmer; ++s)
                    ASSERT_TRUE(M(r, s).re == P(r, s).re && M(r, s).im == P(r, s).im)
                        << n << " " << r << "," << s;
        }
        ASSERT_TRUE(o.f->sucinbran(S, {}));
        EXPECT_EQ(o.rozdiel(M, jednotkova(o.f->rozmer)), 0.0);
        // Gates that are not well formed are left to their full matrices.
        const TGATE1 zle[] = {brana(G1, n + 1), brana(G1, 1, {1}), brana(G1, 2, {1, 1}),
                              brana(G1, 1, {n + 1})};
        for (const TGATE1& z : zle) EXPECT_FALSE(o.f->sucinbran(S, {&z}));
        EXPECT_TRUE(o.p.infoboxy.empty());
    }
}

TEST(Prehod, RandomPairsKeepTheProductAndPassTheCheck) {
    for (int n = 2; n <= 4; ++n) {
        Dvojica o(n);
        o.f->Kontrolptimkrok1 = true;
        Generator g(100 + static_cast<unsigned>(n));
        int kody[5] = {0, 0, 0, 0, 0};
        for (int i = 0; i < 1500; ++i) {
            const TGATE1 b1 = g.brana(n, o.f->matnot), b2 = g.brana(n, o.f->matnot);
            ++kody[o.prehod(b1, b2, 1 + i % 2)];
        }
        EXPECT_TRUE(o.p.logy.empty()) << o.p.logy.front();
        for (int k = 0; k < 5; ++k) EXPECT_GT(kody[k], 5) << "code " << k << " on " << n << " qubits";
    }
}

TEST(Najblizsia, SkipsRemovedGates) {
    Obvod o(2);
    for (int i = 0; i < 6; ++i) o.pridaj(brana(G1, 1));
    for (int i = 2; i <= 4; ++i) o[i].vyradena = true;
    int pos = 5;
    EXPECT_TRUE(o.f->najblvlavo(pos));
    EXPECT_EQ(pos, 1);
    o[1].vyradena = true;
    pos = 5;
    EXPECT_FALSE(o.f->najblvlavo(pos));
    EXPECT_EQ(pos, 1);
    pos = 1;
    EXPECT_FALSE(o.f->najblvlavo(pos));
    EXPECT_EQ(pos, 1);
    pos = 2;
    EXPECT_FALSE(o.f->najblvlavo(pos));
    EXPECT_EQ(pos, 1);
    o[1].vyradena = false;
    pos = 2;
    EXPECT_TRUE(o.f->najblvlavo(pos));
    EXPECT_EQ(pos, 1);
    o[1].vyradena = true;
    // To the right: from 1 over 2..4 to 5; from 5 the last gate 6.
    pos = 1;
    EXPECT_TRUE(o.f->najblvpravo(pos));
    EXPECT_EQ(pos, 5);
    EXPECT_TRUE(o.f->najblvpravo(pos));
    EXPECT_EQ(pos, 6);
    EXPECT_FALSE(o.f->najblvpravo(pos));
    EXPECT_EQ(pos, 6);
    o[6].vyradena = true;
    pos = 5;
    EXPECT_FALSE(o.f->najblvpravo(pos));
    EXPECT_EQ(pos, 6);
    EXPECT_TRUE(o.p.logy.empty());
}

TEST(Najblizsia, StartOutsideTheCircuitIsReportedAndClamped) {
    Obvod o(2);
    for (int i = 0; i < 4; ++i) o.pridaj(brana(G1, 1));
    o[4].vyradena = true;
    // Records beyond the circuit hold old gates; they must not be found.
    o.f->brany[5] = brana(G2, 2);
    o.f->brany[6] = brana(G2, 2);
    int pos = 7;
    EXPECT_TRUE(o.f->najblvlavo(pos));
    EXPECT_EQ(pos, 3);
    pos = -3;
    EXPECT_FALSE(o.f->najblvlavo(pos));
    EXPECT_EQ(pos, 1);
    pos = 0;
    EXPECT_TRUE(o.f->najblvpravo(pos));
    EXPECT_EQ(pos, 1);
    pos = 400001;
    EXPECT_FALSE(o.f->najblvpravo(pos));
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(o.p.logy, (std::vector<std::string>{
                            "Do najblvlavo si poslal pos>pocetb1", "Do najblvlavo si poslal pos<1",
                            "Do najblvpravo si poslal pos<1", "Do najblvpravo si poslal pos>pocetb1"}));
    // From beyond the end there is nothing to the right, even when the last
    // gate is not removed.
    o[4].vyradena = false;
    pos = 9;
    EXPECT_FALSE(o.f->najblvpravo(pos));
    EXPECT_EQ(pos, 4);
    // An empty circuit has no neighbour in either direction.
    o.f->pocetb1 = 0;
    pos = 1;
    EXPECT_FALSE(o.f->najblvlavo(pos));
    pos = 1;
    EXPECT_FALSE(o.f->najblvpravo(pos));
}

}  // namespace
