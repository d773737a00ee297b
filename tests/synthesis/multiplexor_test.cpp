// Multiplexed rotations against the block-diagonal matrix they must equal,
// built entry by entry in the test.
#include "synthesis/multiplexor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "core/chyby.h"
#include "husty.h"

namespace qlc::synteza {
namespace {

using test::THUSTA;

// The wanted unitary: on every basis state whose select qubits read s, the
// rotation R(uhly[s]) on the target, written from the rotation's formula.
THUSTA ocakavana(TOS os, const std::vector<double>& uhly, int ciel, const std::vector<int>& vybery, int n) {
    const int d = 1 << n;
    THUSTA M = THUSTA::Zero(d, d);
    const int bt = n - ciel;
    for (int x = 0; x < d; ++x) {
        int s = 0;
        for (int q : vybery) s = 2 * s + ((x >> (n - q)) & 1);
        const double t = uhly[static_cast<std::size_t>(s)];
        const int b = (x >> bt) & 1;
        const int x0 = x & ~(1 << bt), x1 = x | (1 << bt);
        if (os == TOS::Z) {
            M(x, x) = std::polar(1.0, b ? t / 2 : -t / 2);
        } else {
            // column b of [[c, -s], [s, c]]
            M(x0, x) = b ? -std::sin(t / 2) : std::cos(t / 2);
            M(x1, x) = b ? std::cos(t / 2) : std::sin(t / 2);
        }
    }
    return M;
}

struct TPRIPAD {
    int n, ciel;
    std::vector<int> vybery;
};

// Random target and select qubits in random order, k select qubits on n.
TPRIPAD nahodnypripad(int k, int n, std::mt19937& gen) {
    std::vector<int> q(static_cast<std::size_t>(n));
    std::iota(q.begin(), q.end(), 1);
    std::shuffle(q.begin(), q.end(), gen);
    return {n, q[0], std::vector<int>(q.begin() + 1, q.begin() + 1 + k)};
}

TEST(Multiplexor, NahodneUhlyVsetkyPoctyAPoradia) {
    std::mt19937 gen(2024);
    std::uniform_real_distribution<double> ud(-7.0, 7.0);
    for (TOS os : {TOS::Y, TOS::Z})
        for (int k = 0; k <= 4; ++k)
            for (int n = std::max(k + 1, 2); n <= 5; ++n)
                for (int opak = 0; opak < 3; ++opak)
                    for (bool zrk : {false, true}) {
                        const TPRIPAD p = nahodnypripad(k, n, gen);
                        std::vector<double> uhly(std::size_t{1} << k);
                        for (double& t : uhly) t = ud(gen);
                        TOBVOD o(n);
                        (zrk ? multiplexrotzrkadlo : multiplexrot)(os, uhly, p.ciel, p.vybery, o);
                        const THUSTA M = test::unitarobvodu(o.brany, n);
                        EXPECT_LT(test::maxodchylka(M, ocakavana(os, uhly, p.ciel, p.vybery, n)), 1e-12)
                            << "k=" << k << " n=" << n << " zrkadlo=" << zrk;
                        const int cnot = test::overbrany(o.brany, n, 1e-14);
                        EXPECT_EQ(cnot, k == 0 ? 0 : 1 << k);
                        EXPECT_EQ(o.pocetcnot, cnot);
                        EXPECT_EQ(static_cast<int>(o.brany.size()) - cnot, 1 << k);
                        for (const TGATE1& g : o.brany) EXPECT_EQ(g.ciel, p.ciel);
                        if (k > 0) {
                            // the ladder's CNOT on the top select qubit ends the
                            // circuit, or begins it when mirrored
                            const TGATE1& krajna = zrk ? o.brany.front() : o.brany.back();
                            EXPECT_EQ(krajna.pocetk, 1);
                            EXPECT_EQ(krajna.kontroly[1], p.vybery[0]);
                        }
                    }
}

// Angles that ignore a select qubit, repeat, or vanish cost fewer gates,
// and the circuit stays the same unitary.
TEST(Multiplexor, OpakovaneANuloveUhly) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> ud(-3.0, 3.0);
    for (int k = 1; k <= 4; ++k)
        for (int volny = 0; volny < k; ++volny)
            for (bool zrk : {false, true}) {
                const TPRIPAD p = nahodnypripad(k, 5, gen);
                // uhly[s] does not depend on bit (k-1-volny) of s
                std::vector<double> uhly(std::size_t{1} << k);
                const int bit = k - 1 - volny;
                for (std::size_t s = 0; s < uhly.size(); ++s)
                    uhly[s] = (s >> bit) & 1 ? uhly[s ^ (std::size_t{1} << bit)] : ud(gen);
                for (TOS os : {TOS::Y, TOS::Z}) {
                    TOBVOD o(5);
                    (zrk ? multiplexrotzrkadlo : multiplexrot)(os, uhly, p.ciel, p.vybery, o);
                    EXPECT_LT(test::maxodchylka(test::unitarobvodu(o.brany, 5),
                                                ocakavana(os, uhly, p.ciel, p.vybery, 5)),
                              1e-12);
                    EXPECT_EQ(o.pocetcnot, k == 1 ? 0 : 1 << (k - 1)) << "k=" << k << " volny=" << volny;
                    for (const TGATE1& g : o.brany) {
                        if (g.pocetk == 1) {
                            EXPECT_NE(g.kontroly[1], p.vybery[static_cast<std::size_t>(volny)]);
                        }
                    }
                }
            }
    // one angle everywhere: one rotation; zero everywhere: nothing
    TOBVOD o(4);
    multiplexrot(TOS::Z, std::vector<double>(8, 0.3), 2, {4, 1, 3}, o);
    ASSERT_EQ(o.brany.size(), 1u);
    EXPECT_EQ(o.pocetcnot, 0);
    EXPECT_LT(test::maxodchylka(test::unitarobvodu(o.brany, 4),
                                ocakavana(TOS::Z, std::vector<double>(8, 0.3), 2, {4, 1, 3}, 4)),
              1e-15);
    TOBVOD nic(4);
    multiplexrot(TOS::Y, std::vector<double>(8, 0.0), 2, {4, 1, 3}, nic);
    multiplexrot(TOS::Y, {0.0}, 3, {}, nic);
    EXPECT_TRUE(nic.brany.empty());
    // 2 pi is -I on the target, not the identity: kept
    TOBVOD fazy(2);
    multiplexrot(TOS::Z, {2 * M_PI, 2 * M_PI}, 1, {2}, fazy);
    EXPECT_LT(test::maxodchylka(test::unitarobvodu(fazy.brany, 2), -THUSTA::Identity(4, 4)), 1e-15);
}

TEST(Multiplexor, UhlyWalshHadamard) {
    // uhly[s] = sum_i (-1)^{popcount(s & g(i))} f_i, written out for k = 2
    const std::vector<double> chcene = {1.0, 2.0, 4.0, 8.0};
    const std::vector<double> f = multiplexuhly(chcene);
    ASSERT_EQ(f.size(), 4u);
    const int g[4] = {0, 1, 3, 2};
    for (int s = 0; s < 4; ++s) {
        double t = 0;
        for (int i = 0; i < 4; ++i)
            t += (__builtin_popcount(s & g[i]) % 2 ? -1.0 : 1.0) * f[static_cast<std::size_t>(i)];
        EXPECT_NEAR(t, chcene[static_cast<std::size_t>(s)], 1e-15);
    }
    EXPECT_THROW(multiplexuhly({}), ChybaBehu);
    EXPECT_THROW(multiplexuhly({1.0, 2.0, 3.0}), ChybaBehu);
}

TEST(Multiplexor, ZleVstupy) {
    TOBVOD o(3);
    EXPECT_THROW(multiplexrot(TOS::Z, {0.1, 0.2, 0.3}, 1, {2, 3}, o), ChybaBehu);  // 3 angles for 2 qubits
    EXPECT_THROW(multiplexrot(TOS::Z, {0.1, 0.2}, 1, {1}, o), ChybaBehu);          // target among selects
    EXPECT_THROW(multiplexrot(TOS::Z, {0.1, 0.2, 0.3, 0.4}, 1, {2, 2}, o), ChybaBehu);
    EXPECT_THROW(multiplexrot(TOS::Y, {0.1, 0.2}, 4, {1}, o), ChybaBehu);
    EXPECT_THROW(multiplexrot(TOS::Y, {0.1, 0.2}, 1, {0}, o), ChybaBehu);
    EXPECT_TRUE(o.brany.empty());
}

}  // namespace
}  // namespace qlc::synteza
