// The threads of independent pieces of work: every piece runs once in
// every round, on however many threads, and a piece's exception reaches
// the caller after all have ended.
#include "synthesis/vlakna.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace qlc::synteza {
namespace {

TEST(Vlakna, KazdyKusRazVKazdomKole) {
    for (const int pocet : {0, 1, 2, 4}) {
        TVLAKNA v(pocet);
        EXPECT_EQ(v.pocet(), std::max(pocet, 1));
        for (const std::size_t n : {0, 1, 3, 17, 200}) {
            std::vector<std::atomic<int>> kolko(n);
            v.vsetky(n, [&](std::size_t i) { ++kolko.at(i); });
            for (std::size_t i = 0; i < n; ++i)
                EXPECT_EQ(kolko[i].load(), 1) << pocet << " " << n << " " << i;
        }
    }
}

TEST(Vlakna, JedinyBeziNaVolajucom) {
    TVLAKNA v(1);
    const std::thread::id ja = std::this_thread::get_id();
    bool vsetkynamne = true;
    v.vsetky(5, [&](std::size_t) { vsetkynamne = vsetkynamne && std::this_thread::get_id() == ja; });
    EXPECT_TRUE(vsetkynamne);
}

TEST(Vlakna, ChybaNajnizsiehoKusu) {
    TVLAKNA v(3);
    std::atomic<int> skoncene{0};
    try {
        v.vsetky(40, [&](std::size_t i) {
            ++skoncene;
            if (i == 7 || i == 31) throw std::runtime_error(std::to_string(i));
        });
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "7");
    }
    EXPECT_EQ(skoncene.load(), 40);
    // the threads go on with the next round
    std::atomic<int> dalsie{0};
    v.vsetky(10, [&](std::size_t) { ++dalsie; });
    EXPECT_EQ(dalsie.load(), 10);
}

}  // namespace
}  // namespace qlc::synteza
