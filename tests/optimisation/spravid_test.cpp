// Merging two neighbouring gates: which pairs merge, where the product
// goes, which gates are marked removed, and the check against full
// matrices.
#include <numbers>

#include "tests/optimisation/pomocky.h"

using namespace qlc;
using namespace qlc::test;

namespace {

constexpr double PI = std::numbers::pi;

// Runs spravid(1, 2) on the pair and checks the identity every merge must
// keep: the survivor's full matrix equals M(B) . M(A), and a pair removed
// together is the identity.
struct Par : Obvod {
    explicit Par(int n = 2) : Obvod(n) {}
    std::uint8_t zluc(const TGATE1& a, const TGATE1& b) {
        f->pocetb1 = 0;
        obvod({a, b});
        const TMATICA1 P = nasob(M((*this)[2]), M((*this)[1]), f->rozmer);
        const std::uint8_t kod = f->spravid(1, 2);
        switch (kod) {
            case 1:
                EXPECT_TRUE((*this)[1].vyradena && !(*this)[2].vyradena);
                EXPECT_LE(rozdiel(P, M((*this)[2])), 1e-12);
                break;
            case 2:
                EXPECT_TRUE(!(*this)[1].vyradena && (*this)[2].vyradena);
                EXPECT_LE(rozdiel(P, M((*this)[1])), 1e-12);
                break;
            case 3:
                EXPECT_TRUE((*this)[1].vyradena && (*this)[2].vyradena);
                EXPECT_LE(rozdiel(P, jednotkova(f->rozmer)), 1e-11);
                break;
            default:
                EXPECT_TRUE(rovnakabrana((*this)[1], a));
                EXPECT_TRUE(rovnakabrana((*this)[2], b));
        }
        return kod;
    }
};

TEST(Spravid, SingleQubitGatesOnOneQubitMergeIntoTheEarlierOne) {
    Par o;
    const TMATICA2 a = vseob(0.3, 0.2, -0.7, 0.4), b = hadamard();
    EXPECT_EQ(o.zluc(brana(a, 1), brana(b, 1)), 2);
    EXPECT_TRUE(rovnakebity(o[1].U, nasob2(b, a)));  // the later gate multiplies from the left
    // A product equal to the identity removes both.
    EXPECT_EQ(o.zluc(brana(hadamard(), 2), brana(hadamard(), 2)), 3);
    EXPECT_EQ(o.zluc(brana(a, 2), brana(hermit2(a), 2)), 3);
    // The identity to rounding removes both. A product off it by more, even
    // within eps, stays as one gate: removing it would cost that much.
    EXPECT_EQ(o.zluc(brana(faza(5e-12), 1), brana(o.f->jednotka, 1)), 3);
    EXPECT_EQ(o.zluc(brana(faza(5e-8), 1), brana(o.f->jednotka, 1)), 2);
    EXPECT_TRUE(rovnakebity(o[1].U, faza(5e-8)));
    EXPECT_EQ(o.zluc(brana(faza(5e-6), 1), brana(o.f->jednotka, 1)), 2);
}

TEST(Spravid, EqualControlledGatesMergeAndEqualCnotsCancel) {
    Par o(3);
    EXPECT_EQ(o.zluc(brana(o.f->matnot, 2, {1}), brana(o.f->matnot, 2, {1})), 3);
    const TMATICA2 a = vseob(0.1, 0.5, 0.2, 1.0), b = vseob(-0.4, 0.3, 0.9, 0.2);
    EXPECT_EQ(o.zluc(brana(a, 3, {1, 2}), brana(b, 3, {2, 1})), 2);  // control order does not matter
    EXPECT_TRUE(rovnakebity(o[1].U, nasob2(b, a)));
    // Different control sets never merge, and nothing changes.
    EXPECT_EQ(o.zluc(brana(a, 2, {1}), brana(a, 2, {3})), 0);
    EXPECT_EQ(o.zluc(brana(a, 2, {1}), brana(hermit2(a), 2, {1, 3})), 0);
    // Reversed CNOTs share their qubits but neither is a phase.
    EXPECT_EQ(o.zluc(brana(o.f->matnot, 2, {1}), brana(o.f->matnot, 1, {2})), 0);
}

TEST(Spravid, ControlledPhasesWithSwappedTargets) {
    Par o;
    const TKOMPLEX i(0.0, 1.0);
    EXPECT_EQ(o.zluc(brana(diag2(1.0, i), 2, {1}), brana(diag2(1.0, -i), 1, {2})), 3);
    // Only A a phase: B takes A's matrix from the right.
    const TMATICA2 b = vseob(0.2, 0.1, 0.3, 0.5);
    EXPECT_EQ(o.zluc(brana(faza(0.7), 2, {1}), brana(b, 1, {2})), 1);
    EXPECT_TRUE(rovnakebity(o[2].U, nasob2(b, faza(0.7))));
    // Only B a phase: A takes it from the left.
    EXPECT_EQ(o.zluc(brana(b, 1, {2}), brana(faza(0.7), 2, {1})), 2);
    EXPECT_TRUE(rovnakebity(o[1].U, nasob2(faza(0.7), b)));
    // Two phases whose product is not 1 merge into one.
    EXPECT_EQ(o.zluc(brana(faza(0.7), 2, {1}), brana(faza(0.2), 1, {2})), 1);
    EXPECT_EQ(o.zluc(brana(b, 1, {2}), brana(hermit2(b), 2, {1})), 0);
}

TEST(Spravid, PhaseOnTheControlsOfTheOtherGate) {
    Par o(3);
    const TKOMPLEX z = ei(0.9);
    const TMATICA2 b = vseob(0.2, -0.6, 0.3, 0.8);
    // A single-qubit phase on qubit 1, B on qubit 2 controlled by 1: the
    // phase is the scalar z on B's target.
    EXPECT_EQ(o.zluc(brana(diag2(1.0, z), 1), brana(b, 2, {1})), 1);
    EXPECT_TRUE(rovnakebity(o[2].U, nasob2(b, diag2(z, z))));
    // A CNOT does not absorb it.
    EXPECT_EQ(o.zluc(brana(diag2(1.0, z), 1), brana(o.f->matnot, 2, {1})), 0);
    // The phase and a diagonal B that together give 1 on every state vanish.
    EXPECT_EQ(o.zluc(brana(diag2(1.0, z), 1), brana(skalar(conj(z)), 2, {1})), 3);
    // B a scalar on A's qubits: the phase b on A's target, from the left.
    EXPECT_EQ(o.zluc(brana(b, 1), brana(skalar(z), 3, {1})), 2);
    EXPECT_TRUE(rovnakebity(o[1].U, nasob2(diag2(1.0, z), b)));
    EXPECT_EQ(o.zluc(brana(b, 1), brana(faza(0.4), 3, {1})), 0);
    // Two controls: A's phase on qubits {1, 2}, B controlled by both.
    EXPECT_EQ(o.zluc(brana(diag2(1.0, z), 2, {1}), brana(b, 3, {1, 2})), 1);
    // B's controls are not all among A's qubits.
    EXPECT_EQ(o.zluc(brana(diag2(1.0, z), 1), brana(b, 3, {1, 2})), 0);
}

TEST(Spravid, MirrorGroupWhenTheLaterGateIsTheSmallerOne) {
    Par o(3);
    const TKOMPLEX z = ei(-1.1);
    const TMATICA2 a = vseob(0.5, 0.1, -0.2, 0.6);
    EXPECT_EQ(o.zluc(brana(a, 2, {1}), brana(diag2(1.0, z), 1)), 2);
    EXPECT_TRUE(rovnakebity(o[1].U, nasob2(diag2(z, z), a)));
    EXPECT_EQ(o.zluc(brana(o.f->matnot, 2, {1}), brana(diag2(1.0, z), 1)), 0);
    EXPECT_EQ(o.zluc(brana(skalar(conj(z)), 2, {1}), brana(diag2(1.0, z), 1)), 3);
    EXPECT_EQ(o.zluc(brana(skalar(z), 3, {1}), brana(a, 1)), 1);
    EXPECT_TRUE(rovnakebity(o[2].U, nasob2(a, diag2(1.0, z))));
    EXPECT_EQ(o.zluc(brana(faza(0.3), 3, {1}), brana(a, 1)), 0);
}

TEST(Spravid, ScalarsUnderEqualControlsOnDifferentTargets) {
    Par o(3);
    const TKOMPLEX z = ei(PI / 3);
    const TMATICA2 b = vseob(0.2, 0.4, 0.6, 0.8);
    EXPECT_EQ(o.zluc(brana(skalar(z), 1, {3}), brana(skalar(conj(z)), 2, {3})), 3);
    EXPECT_EQ(o.zluc(brana(skalar(z), 1, {3}), brana(b, 2, {3})), 1);
    EXPECT_TRUE(rovnakebity(o[2].U, nasob2(b, skalar(z))));
    EXPECT_EQ(o.zluc(brana(b, 2), brana(skalar(z), 1)), 2);
    EXPECT_TRUE(rovnakebity(o[1].U, nasob2(skalar(z), b)));
    EXPECT_EQ(o.zluc(brana(b, 2, {3}), brana(hermit2(b), 1, {3})), 0);
    EXPECT_EQ(o.zluc(brana(faza(0.5), 2), brana(faza(0.5), 1)), 0);
}

TEST(Spravid, WithoutRoboptimOnlyGatesWithoutControlsMerge) {
    Par o(2);
    o.f->roboptim = false;
    o.f->Kontrolptimkrok1 = true;
    EXPECT_EQ(o.zluc(brana(o.f->matnot, 2, {1}), brana(o.f->matnot, 2, {1})), 0);
    EXPECT_EQ(o.zluc(brana(faza(0.3), 1), brana(skalar(ei(0.2)), 2, {1})), 0);
    EXPECT_EQ(o.zluc(brana(hadamard(), 1), brana(hadamard(), 1)), 3);
    EXPECT_TRUE(o.p.logy.empty());
}

TEST(Spravid, ArgumentsOutOfOrderAreReportedInABox) {
    Par o(2);
    o.obvod({brana(hadamard(), 1), brana(hadamard(), 1)});
    EXPECT_EQ(o.f->spravid(2, 2), 0);
    EXPECT_EQ(o.f->spravid(2, 1), 0);
    ASSERT_EQ(o.p.infoboxy.size(), 2u);
    EXPECT_EQ(o.p.infoboxy[0], "Do spravid si poslal pos1=2>=2pos2!!!!");
    EXPECT_EQ(o.p.infoboxy[1], "Do spravid si poslal pos1=2>=1pos2!!!!");
    EXPECT_FALSE(o[1].vyradena || o[2].vyradena);
}

TEST(Spravid, CheckedMergesOfWellFormedGatesLogNothing) {
    Par o(3);
    o.f->Kontrolptimkrok1 = true;
    const TMATICA2 b = vseob(0.2, -0.6, 0.3, 0.8);
    EXPECT_EQ(o.zluc(brana(b, 3, {1, 2}), brana(hermit2(b), 3, {1, 2})), 3);
    EXPECT_EQ(o.zluc(brana(faza(0.2), 1), brana(b, 2, {1})), 1);
    EXPECT_EQ(o.zluc(brana(b, 1), brana(skalar(ei(0.3)), 3, {1})), 2);
    EXPECT_TRUE(o.p.logy.empty());
    EXPECT_TRUE(o.f->beh.kontrolyok);
}

// The check compares with the product taken before the merge; each kind
// of wrong merge has its own line, and every such line marks the run's
// checks as failed.
TEST(Spravid, CheckReportsEachWrongMerge) {
    Par o(2);
    const TMATICA1 I = jednotkova(o.f->rozmer);
    o.obvod({brana(hadamard(), 1), brana(hadamard(), 2)});
    // Code 3 compares with the identity, code 1 with gate pos2, code 2
    // with gate pos1; code 0 checks nothing.
    o.f->kontrolazlucenia(1, 2, 3, o.M(o[1]));
    o.f->kontrolazlucenia(1, 2, 1, o.M(o[1]));
    o.f->kontrolazlucenia(1, 2, 2, o.M(o[2]));
    o.f->kontrolazlucenia(1, 2, 0, o.M(o[1]));
    ASSERT_EQ(o.p.logy.size(), 3u);
    EXPECT_EQ(o.p.logy[0], "Vyhodil si dve brany netvoriace id. cisla:1 , 2");
    EXPECT_EQ(o.p.logy[1], "Vyhodil si branu 1 neekvivalentne cisla:1 , 2");
    EXPECT_EQ(o.p.logy[2], "Vyhodil si branu 2 neekvivalentne cisla:1 , 2");
    EXPECT_FALSE(o.f->beh.kontrolyok);
    o.p.vycisti();
    o.f->beh.kontrolyok = true;
    o.f->kontrolazlucenia(1, 2, 3, I);
    o.f->kontrolazlucenia(1, 2, 1, o.M(o[2]));
    o.f->kontrolazlucenia(1, 2, 2, o.M(o[1]));
    EXPECT_TRUE(o.p.logy.empty());
    EXPECT_TRUE(o.f->beh.kontrolyok);
}

TEST(Spravid, CheckCatchesAMergeOfGatesOnAQubitOutsideTheCircuit) {
    // Gates on qubit 3 of a two-qubit model: the rules merge them as on any
    // qubit, but their full matrices (with the gate matrix's own box) are
    // not what the rules assume.
    Par o(2);
    o.f->Kontrolptimkrok1 = true;
    o.obvod({brana(hadamard(), 3), brana(hadamard(), 3)});
    EXPECT_EQ(o.f->spravid(1, 2), 3);
    EXPECT_EQ(o.p.logy, std::vector<std::string>{"Vyhodil si dve brany netvoriace id. cisla:1 , 2"});
    EXPECT_FALSE(o.p.infoboxy.empty());
    EXPECT_FALSE(o.f->beh.kontrolyok);
}

TEST(Spravid, QubitNumbersBeyondTheStateBitsAreBadIndices) {
    Par o(2);
    o.obvod({brana(hadamard(), 6), brana(hadamard(), 1)});
    EXPECT_THROW(o.f->spravid(1, 2), ChybaRozsahu);
    o[1].ciel = 0;
    EXPECT_THROW(o.f->spravid(1, 2), ChybaRozsahu);
    o[1].ciel = 1;
    o[1].pocetk = 5;  // reads kontroly[5]
    EXPECT_THROW(o.f->spravid(1, 2), ChybaRozsahu);
}

}  // namespace
