// The optimisation driver on hand-built circuits: what each circuit
// becomes, the passes, the settings it reads and writes, and its log.
#include <numbers>

#include "tests/optimisation/pomocky.h"

using namespace qlc;
using namespace qlc::test;

namespace {

const TMATICA2 U1 = vseob(0.3, 0.5, -0.4, 0.7);
const TMATICA2 U2 = vseob(-0.8, 0.2, 0.6, 1.1);
const TMATICA2 U3 = vseob(1.2, -0.3, 0.1, 0.4);

struct Optim : Obvod {
    explicit Optim(int n = 2) : Obvod(n) {}
    TMATICA1 pred;
    std::vector<TGATE1> povodne;
    void spusti() {
        pred = matica();
        povodne.assign(&f->brany[1], &f->brany[1] + f->pocetb1);
        f->optimalizacia();
    }
    // The circuit is as it was before the run, gate for gate.
    ::testing::AssertionResult nezmeneny() {
        if (f->pocetb1 != static_cast<int>(povodne.size()))
            return ::testing::AssertionFailure() << "pocetb1 " << f->pocetb1 << " of " << povodne.size();
        for (int i = 1; i <= f->pocetb1; ++i) {
            auto r = rovnakabrana(f->brany[i], povodne[static_cast<std::size_t>(i - 1)]);
            if (!r) return r << " at gate " << i;
        }
        return ::testing::AssertionSuccess();
    }
    double odchylkaobvodu() { return rozdiel(pred, matica()); }
};

TEST(Optimalizacia, EmptyStoreIsLeftAtOnce) {
    Optim o;
    o.f->eps = 1e-5;
    o.f->Zobroptimkroky = true;
    o.f->optimalizacia();
    EXPECT_EQ(o.f->pocetb1, 0);
    EXPECT_EQ(o.f->eps, 1e-5);
    EXPECT_TRUE(o.p.logy.empty());
    EXPECT_TRUE(o.p.stavy.empty());
    EXPECT_TRUE(o.f->Zobroptimkroky);
}

TEST(Optimalizacia, SetsEpsLogsItsStartAndHidesTheBarAtTheEnd) {
    Optim o;
    o.obvod({brana(U1, 1), brana(U2, 2)});
    o.f->eps = 1e-5;
    o.spusti();
    EXPECT_EQ(o.f->eps, 1e-7);
    EXPECT_EQ(o.p.logy, std::vector<std::string>{"Zacala sa prvotna optimalizacia."});
    ASSERT_FALSE(o.p.stavy.empty());
    EXPECT_EQ(o.p.pasy(), std::vector<int>{2});
    EXPECT_EQ(o.p.stavy.back().position, 0);
    EXPECT_FALSE(o.p.stavy.back().visible);
    EXPECT_FALSE(o.f->ProgressBar1.visible);
    EXPECT_EQ(o.f->ProgressBar1.position, 0);
    // The bar showed the moving gates.
    EXPECT_EQ(o.p.stavy[1].position, 1);
    EXPECT_EQ(o.p.stavy[2].position, 2);
}

TEST(Optimalizacia, InversePairVanishesAndAnotherPassRuns) {
    Optim o;
    o.obvod({brana(o.f->matnot, 1), brana(o.f->matnot, 1), brana(hadamard(), 2)});
    o.spusti();
    ASSERT_EQ(o.f->pocetb1, 1);
    EXPECT_TRUE(rovnakabrana(o[1], brana(hadamard(), 2)));
    EXPECT_EQ(o.p.pasy(), (std::vector<int>{3, 1}));
}

TEST(Optimalizacia, MarksLeftOnTheInputAreCleared) {
    // A removal mark that came with the circuit hides no gate from the pass
    // and drops none at the compaction.
    Optim o;
    o.obvod({brana(o.f->matnot, 1), brana(o.f->matnot, 1), brana(hadamard(), 2), brana(U1, 1)});
    o[2].vyradena = true;
    o[4].vyradena = true;
    o.spusti();
    ASSERT_EQ(o.f->pocetb1, 2);
    EXPECT_TRUE(rovnakabrana(o[1], brana(hadamard(), 2)));
    EXPECT_TRUE(rovnakabrana(o[2], brana(U1, 1)));
}

TEST(Optimalizacia, WithoutRoboptimOnePassAndControlledGatesStay) {
    Optim o(3);
    o.f->roboptim = false;
    o.obvod({brana(o.f->matnot, 1), brana(o.f->matnot, 1), brana(hadamard(), 2)});
    o.spusti();
    EXPECT_EQ(o.f->pocetb1, 1);
    EXPECT_EQ(o.p.pasy(), std::vector<int>{3});

    // An X pair around a CNOT on other qubits, and two equal CNOTs: with
    // roboptim the X gates pass the CNOT and cancel, and the CNOTs cancel.
    const std::initializer_list<TGATE1> obvod = {brana(o.f->matnot, 1), brana(o.f->matnot, 3, {2}),
                                                 brana(o.f->matnot, 1), brana(o.f->matnot, 2, {3}),
                                                 brana(o.f->matnot, 2, {3})};
    Optim bez(3), s(3);
    bez.f->roboptim = false;
    bez.obvod(obvod);
    s.obvod(obvod);
    bez.spusti();
    s.spusti();
    EXPECT_TRUE(bez.nezmeneny());
    ASSERT_EQ(s.f->pocetb1, 1);
    EXPECT_TRUE(rovnakabrana(s[1], brana(s.f->matnot, 3, {2})));
}

TEST(Optimalizacia, CircuitThatVanishesEndsWithoutReadingPastIt) {
    // The pass after the one that removed every gate has no gate to move.
    Optim o;
    o.obvod({brana(o.f->matnot, 2, {1}), brana(o.f->matnot, 2, {1})});
    o.spusti();
    EXPECT_EQ(o.f->pocetb1, 0);
    EXPECT_EQ(o.p.logy, std::vector<std::string>{"Zacala sa prvotna optimalizacia."});
    EXPECT_EQ(o.p.pasy(), (std::vector<int>{2, 0}));
}

TEST(Optimalizacia, NotGatesAroundConsecutiveControlledGatesCancel) {
    // Two gates of the two-level stage, each between the NOT gates of its
    // zero controls: the inner NOT gates cancel and the two controlled
    // gates, now neighbours, merge.
    Optim o(3);
    const TGATE1 x1 = brana(o.f->matnot, 1), x2 = brana(o.f->matnot, 2);
    o.obvod({x1, x2, brana(U1, 3, {1, 2}), x2, x1, x1, x2, brana(U2, 3, {1, 2}), x2, x1});
    o.spusti();
    ASSERT_EQ(o.f->pocetb1, 5);
    EXPECT_TRUE(rovnakabrana(o[1], x1));
    EXPECT_TRUE(rovnakabrana(o[2], x2));
    EXPECT_TRUE(rovnakabrana(o[3], brana(nasob2(U2, U1), 3, {1, 2})));
    EXPECT_TRUE(rovnakabrana(o[4], x2));
    EXPECT_TRUE(rovnakabrana(o[5], x1));
    EXPECT_LE(o.odchylkaobvodu(), 1e-12);
}

TEST(Optimalizacia, MoveThatChangedPartnersAndIsBlockedRestoresEverything) {
    Optim o(3);
    o.obvod({brana(o.f->matnot, 2, {3}), brana(U1, 2, {1}), brana(U2, 2)});
    {
        // Gate 3 passes gate 2 to the left only by changing it ...
        Optim kopia(3);
        kopia.obvod({brana(o.f->matnot, 2, {3}), brana(U1, 2, {1}), brana(U2, 2)});
        EXPECT_EQ(kopia.f->prehodbrany(2, 3, 1), 1);
        EXPECT_FALSE(rovnakebity(kopia[2].U, U1));
        // ... and cannot pass the CNOT after that.
        EXPECT_EQ(kopia.f->spravid(1, 3), 0);
        EXPECT_EQ(kopia.f->prehodbrany(1, 3, 1), 0);
    }
    o.f->Kontrolptimkrok1 = true;
    o.spusti();
    EXPECT_TRUE(o.nezmeneny());
    EXPECT_EQ(o.p.logy, std::vector<std::string>{"Zacala sa prvotna optimalizacia."});
}

TEST(Optimalizacia, JumpInsertsTheWaitingGateAfterTheAnchorWhenTheMoveMerges) {
    // Mode 1: gate 3 jumps left over the X gate, then merges with the
    // controlled phase (read on its own target). The waiting gate, U1 on
    // qubit 2 without controls, takes the place right after the X gate.
    Optim o;
    const TKOMPLEX z = ei(0.7);
    o.obvod({brana(diag2(1.0, z), 1, {2}), brana(o.f->matnot, 1), brana(U1, 2, {1})});
    o.spusti();
    ASSERT_EQ(o.f->pocetb1, 3);
    EXPECT_TRUE(rovnakabrana(o[1], brana(nasob2(hermit2(U1), diag2(1.0, z)), 2, {1})));
    EXPECT_TRUE(rovnakabrana(o[2], brana(o.f->matnot, 1)));
    EXPECT_TRUE(rovnakabrana(o[3], brana(U1, 2)));
    EXPECT_LE(o.odchylkaobvodu(), 1e-12);
    EXPECT_EQ(o.p.pasy(), std::vector<int>{3});  // the number of gates did not change
}

TEST(Optimalizacia, JumpToTheRightInsertsTheWaitingGateAfterTheAnchor) {
    // Mode 2: gate 1 jumps right over the X gate and merges with gate 3;
    // the gates after its old place move down and the waiting gate, U1 on
    // qubit 2, follows the X gate.
    Optim o;
    o.obvod({brana(U1, 2, {1}), brana(o.f->matnot, 1), brana(U2, 2, {1})});
    o.spusti();
    ASSERT_EQ(o.f->pocetb1, 3);
    EXPECT_TRUE(rovnakabrana(o[1], brana(o.f->matnot, 1)));
    EXPECT_TRUE(rovnakabrana(o[2], brana(U1, 2)));
    EXPECT_TRUE(rovnakabrana(o[3], brana(nasob2(U2, hermit2(U1)), 2, {1})));
    EXPECT_LE(o.odchylkaobvodu(), 1e-12);
}

TEST(Optimalizacia, JumpWithoutMergeLeavesNoWaitingGate) {
    Optim o;
    o.obvod({brana(U2, 2), brana(o.f->matnot, 1), brana(U1, 2, {1})});
    {
        Optim kopia;
        kopia.obvod({brana(U2, 2), brana(o.f->matnot, 1), brana(U1, 2, {1})});
        EXPECT_EQ(kopia.f->prehodbrany(2, 3, 1), 4);  // the jump does happen
    }
    o.spusti();
    EXPECT_TRUE(o.nezmeneny());
}

TEST(Optimalizacia, LeftPhaseMergeStandsAtThePartnersIndex) {
    // The controlled phase (gate 1) cannot move right past the CNOT; gate
    // 5 moves left past H, over the cancelled CNOTs, and the phase merges
    // into it. The result takes gate 1's place, before the H it passed.
    Optim o(3);
    const TKOMPLEX z = ei(-0.4);
    o.obvod({brana(diag2(1.0, z), 1, {2}), brana(o.f->matnot, 1, {3}), brana(o.f->matnot, 1, {3}),
             brana(hadamard(), 3), brana(U1, 2, {1})});
    o.spusti();
    ASSERT_EQ(o.f->pocetb1, 2);
    EXPECT_TRUE(rovnakabrana(o[1], brana(nasob2(U1, diag2(1.0, z)), 2, {1})));
    EXPECT_TRUE(rovnakabrana(o[2], brana(hadamard(), 3)));
    EXPECT_LE(o.odchylkaobvodu(), 1e-12);
}

// Partners that block each other (same target, controls outside each
// other's qubits) and that a single-qubit gate on their target passes only
// by changing them.
void partneri(Optim& o, int pocet) {
    for (int i = 0; i < pocet; ++i) o.pridaj(brana(i % 2 ? U2 : U3, 2, {i % 2 ? 3 : 1}));
}

TEST(Optimalizacia, AMoveRemembersAtMost4999ChangedPartners) {
    Optim o(3);
    o.pridaj(brana(U1, 2));
    partneri(o, 4999);
    o.pridaj(brana(hadamard(), 2));
    o.spusti();
    // Gate 1 passed all of them and merged with the last gate.
    ASSERT_EQ(o.f->pocetb1, 5000);
    EXPECT_TRUE(rovnakabrana(o[5000], brana(nasob2(hadamard(), U1), 2)));
    EXPECT_FALSE(rovnakebity(o[1].U, U3));
    EXPECT_LE(o.odchylkaobvodu(), 1e-9);

    Optim p(3);
    p.pridaj(brana(U1, 2));
    partneri(p, 5000);
    p.pridaj(brana(hadamard(), 2));
    p.spusti();
    EXPECT_TRUE(p.nezmeneny());
}

TEST(Optimalizacia, EachPhaseOfAMoveCountsItsOwnChangedPartners) {
    // The moving gate changes 2500 partners to the left before a CNOT stops
    // it, and 2600 to the right before it merges: neither phase reaches
    // the limit on its own.
    Optim o(3);
    o.pridaj(brana(o.f->matnot, 2, {3}));
    partneri(o, 2500);
    const int tahana = o.pridaj(brana(U1, 2));
    partneri(o, 2600);
    o.pridaj(brana(hadamard(), 2));
    o.spusti();
    ASSERT_EQ(o.f->pocetb1, 5102);
    EXPECT_TRUE(rovnakabrana(o[5102], brana(nasob2(hadamard(), U1), 2)));
    EXPECT_TRUE(rovnakabrana(o[tahana - 1], o.povodne[static_cast<std::size_t>(tahana - 2)]));
    EXPECT_FALSE(rovnakebity(o[tahana].U, o.povodne[static_cast<std::size_t>(tahana)].U));
    EXPECT_LE(o.odchylkaobvodu(), 1e-9);
}

TEST(Optimalizacia, BadQubitEndsTheRunWithTheMoveUndone) {
    // Gate 1 passes gate 2 by changing it, then meets a gate on qubit 7.
    Optim o(3);
    o.obvod({brana(U1, 2), brana(U2, 2, {1}), brana(U3, 7)});
    const TGATE1 druha = o[2];
    {
        Optim kopia(3);
        kopia.obvod({brana(U1, 2), brana(U2, 2, {1})});
        EXPECT_EQ(kopia.f->prehodbrany(1, 2, 2), 2);
    }
    EXPECT_THROW(o.f->optimalizacia(), ChybaRozsahu);
    EXPECT_TRUE(rovnakabrana(o[1], brana(U1, 2)));
    EXPECT_TRUE(rovnakabrana(o[2], druha));
    EXPECT_EQ(o.f->pocetb1, 3);
    // The command ends with the error box; the next run starts afresh.
    EXPECT_FALSE(o.f->prikaz([&] { o.f->optimalizacia(); }));
    EXPECT_EQ(o.p.chyby.size(), 1u);
}

TEST(Optimalizacia, StepDisplayIsSwitchedOffAbove1000Gates) {
    Optim o;
    for (int i = 0; i < 1001; ++i) o.pridaj(brana(hadamard(), 1 + i % 2));
    o.f->Zobroptimkroky = true;
    o.spusti();
    EXPECT_FALSE(o.f->Zobroptimkroky);
    ASSERT_GE(o.p.logy.size(), 2u);
    EXPECT_EQ(o.p.logy[0], "Vypinam zobrazovanie krokov optimalizacie, kvoli poctu bran QLC");
    EXPECT_EQ(o.p.logy[1], "Zacala sa prvotna optimalizacia.");
    EXPECT_TRUE(o.p.infoboxy.empty());
    EXPECT_NE(std::find(o.p.zmeny.begin(), o.p.zmeny.end(), Ovladac::Zobroptimkroky), o.p.zmeny.end());
    EXPECT_EQ(o.f->pocetb1, 1);
}

TEST(Optimalizacia, StepDisplayStaysOnFor1000Gates) {
    Optim o;
    for (int i = 0; i < 1000; ++i) o.pridaj(brana(hadamard(), 1 + i % 2));
    o.f->Zobroptimkroky = true;
    o.p.odpovede = {false};  // Cancel in the first step's box
    o.spusti();
    EXPECT_EQ(o.p.logy.front(), "Zacala sa prvotna optimalizacia.");
    EXPECT_FALSE(o.malog("Vypinam"));
    ASSERT_EQ(o.p.infoboxy.size(), 1u);
    EXPECT_EQ(o.p.infoboxy[0].rfind("Optim.: Tah pravo:", 0), 0u);
    EXPECT_FALSE(o.f->Zobroptimkroky);  // by the Cancel
    EXPECT_EQ(o.f->pocetb1, 0);
}

TEST(Optimalizacia, StepDisplayIsAskedAtEveryStep) {
    // Gate 2 is blocked by gate 1 and merges nowhere: one merge attempt
    // and one exchange attempt to the left, then the right phase of gate 1
    // first (attempt to merge, attempt to exchange).
    Optim o(3);
    o.obvod({brana(o.f->matnot, 2, {3}), brana(U1, 2)});
    o.f->Zobroptimkroky = true;
    o.spusti();
    EXPECT_TRUE(o.nezmeneny());
    ASSERT_EQ(o.p.infoboxy.size(), 4u);
    EXPECT_EQ(o.p.infoboxy[0].rfind("Optim.: Tah pravo:\r\rSnaha zlucit ", 0), 0u);
    EXPECT_EQ(o.p.infoboxy[1].rfind("Optim.: Tah pravo:\r\rSnaha vymenit brany ", 0), 0u);
    EXPECT_EQ(o.p.infoboxy[2].rfind("Optim.: Tah vlavo:\r\rSnaha zlucit ", 0), 0u);
    EXPECT_EQ(o.p.infoboxy[3].rfind("Optim.: Tah vlavo:\r\rSnaha vymenit brany ", 0), 0u);
    EXPECT_TRUE(o.f->Zobroptimkroky);
    EXPECT_TRUE(o.p.pasy().empty());  // the bar stays hidden while steps are shown
}

}  // namespace
