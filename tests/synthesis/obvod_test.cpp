// The circuit builder: gate records as the store and the driver expect them.
#include "synthesis/obvod.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/chyby.h"

namespace qlc::synteza {
namespace {

TEST(Obvod, ZaznamyBranACnot) {
    TOBVOD o(3);
    o.jednoq(2, ry(0.5));
    o.cnot(1, 3);
    ASSERT_EQ(o.brany.size(), 2u);
    EXPECT_EQ(o.brany[0].pocetk, 0);
    EXPECT_EQ(o.brany[0].ciel, 2);
    EXPECT_DOUBLE_EQ(o.brany[0].U.u21().re, std::sin(0.25));
    EXPECT_EQ(o.brany[1].pocetk, 1);
    EXPECT_EQ(o.brany[1].kontroly[1], 1);
    EXPECT_EQ(o.brany[1].ciel, 3);
    EXPECT_EQ(o.pocetcnot, 1);
    EXPECT_THROW(o.cnot(2, 2), ChybaBehu);
    EXPECT_THROW(o.jednoq(4, rz(0.1)), ChybaBehu);
}

}  // namespace
}  // namespace qlc::synteza
