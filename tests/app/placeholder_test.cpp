#include <gtest/gtest.h>
// PLACEHOLDER: replaced by the real tests of this folder.
TEST(Placeholder, Builds) { SUCCEED(); }
