// The bound from the cuts of a unitary's legs: it never rejects the
// placement a circuit was built on, it rejects every shorter placement of a
// shallow 4-qubit circuit, and the circuit's own placement exceeds none of
// the matrix's ranks.
#include "synthesis/rezy.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "core/chyby.h"
#include "husty.h"

namespace qlc::synteza {
namespace {

using TPAR = std::array<int, 2>;

// The circuit on the placement s with Haar-random one-qubit gates on every
// qubit first and on both qubits after each CNOT.
test::THUSTA obvodnaumiestneni(int n, const std::vector<TPAR>& s, std::mt19937& gen) {
    TOBVOD o(n);
    for (int q = 1; q <= n; ++q) o.jednoq(q, test::haar(2, gen));
    for (const TPAR& p : s) {
        o.cnot(p[0], p[1]);
        o.jednoq(p[0], test::haar(2, gen));
        o.jednoq(p[1], test::haar(2, gen));
    }
    return test::unitarobvodu(o.brany, n);
}

TEST(RezyNoh, VlastneUmiestnenieVyhovuje) {
    std::mt19937 gen(77);
    for (int n = 2; n <= 4; ++n)
        for (int pokus = 0; pokus < 4; ++pokus) {
            std::uniform_int_distribution<int> qd(1, n);
            std::vector<TPAR> s;
            for (int i = 0; i < 2 + pokus * 2; ++i) {
                const int a = qd(gen);
                int b = qd(gen);
                while (b == a) b = qd(gen);
                s.push_back({a, b});
            }
            const TREZYNOH r = rezynoh(obvodnaumiestneni(n, s, gen), n);
            EXPECT_EQ(r.maska.size(), (1u << (2 * n - 1)) - 1) << n;
            EXPECT_EQ(nedostatoknoh(r, s, {}), 0) << n << " " << pokus;
            // split anywhere, the same network
            EXPECT_EQ(nedostatoknoh(r, {s.begin(), s.begin() + 1}, {s.begin() + 1, s.end()}), 0);
            // generic gates give every rank the network allows
            EXPECT_EQ(prebytoknoh(r, s), 0) << n << " " << pokus;
        }
}

// A 4-qubit circuit of 6 CNOTs: no placement of 5 meets every cut, while
// the cuts of qubits alone leave hundreds of them.
TEST(RezyNoh, PlytkyObvodNaStyrochQubitoch) {
    const std::vector<TPAR> s = {{2, 3}, {2, 3}, {1, 3}, {1, 3}, {3, 4}, {2, 4}};
    std::mt19937 gen(406);
    const TREZYNOH r = rezynoh(obvodnaumiestneni(4, s, gen), 4);
    const std::vector<TPAR> pary = {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};
    int vyhovuje = 0, pat = 0;
    std::vector<TPAR> u;
    std::function<void()> dalej = [&] {
        if (u.size() == 5) {
            ++pat;
            if (nedostatoknoh(r, u, {}) == 0) ++vyhovuje;
            // with a strop the answer is only whether it is exceeded
            EXPECT_EQ(nedostatoknoh(r, u, {}, 0) > 0, nedostatoknoh(r, u, {}) > 0);
            return;
        }
        for (const TPAR& p : pary) {
            u.push_back(p);
            dalej();
            u.pop_back();
        }
    };
    dalej();
    EXPECT_EQ(pat, 7776);
    EXPECT_EQ(vyhovuje, 0);
    EXPECT_FALSE(r.plne);
    // a Haar-random matrix has every rank at its largest
    EXPECT_TRUE(rezynoh(test::haar(16, gen), 4).plne);
    EXPECT_EQ(nedostatoknoh(r, s, {}), 0);
    // one CNOT less anywhere falls short of some cut
    for (std::size_t i = 0; i < s.size(); ++i) {
        std::vector<TPAR> bez = s;
        bez.erase(bez.begin() + static_cast<std::ptrdiff_t>(i));
        EXPECT_GT(nedostatoknoh(r, bez, {}), 0) << i;
    }
}

// The swap of two qubits: its inputs and outputs cross, two bonds across
// the cut of qubits and across the cut of inputs from outputs.
TEST(RezyNoh, Vymena) {
    test::THUSTA swap = test::THUSTA::Zero(4, 4);
    swap(0, 0) = swap(1, 2) = swap(2, 1) = swap(3, 3) = 1.0;
    const TREZYNOH r = rezynoh(swap, 2);
    EXPECT_EQ(nedostatoknoh(r, {}, {}), 2);
    EXPECT_EQ(nedostatoknoh(r, {{1, 2}}, {}), 1);
    EXPECT_EQ(nedostatoknoh(r, {{1, 2}, {2, 1}}, {}), 0);
    // the swap's three CNOTs: the input of qubit 1 with the output of qubit
    // 2 against the rest is a cut of rank 1 (the swap carries one straight
    // to the other), and the network has two wires across it
    EXPECT_EQ(prebytoknoh(r, {{1, 2}, {2, 1}, {1, 2}}), 2);
}

TEST(RezyNoh, ZlyVstup) {
    EXPECT_THROW(rezynoh(test::THUSTA::Identity(4, 4), 3), ChybaBehu);
    EXPECT_THROW(rezynoh(test::THUSTA::Identity(64, 64), 6), ChybaBehu);
    const TREZYNOH r = rezynoh(test::THUSTA::Identity(8, 8), 3);
    EXPECT_THROW(nedostatoknoh(r, {{1, 4}}, {}), ChybaRozsahu);
    EXPECT_THROW(nedostatoknoh(r, {{1, 2}}, {{2, 2}}), ChybaBehu);
    EXPECT_THROW(prebytoknoh(r, {{3, 3}}), ChybaBehu);
    EXPECT_EQ(nedostatoknoh(r, {{1, 2}}, {}), 0);
}

}  // namespace
}  // namespace qlc::synteza
