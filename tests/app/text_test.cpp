// Text forms of complex numbers: the reading rule with every refusal and its
// message layout, the screen form with d decimals and the file form with 15
// significant digits.
#include "core/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

using namespace qlc;

namespace {

// The message nakomplex refuses t with, or "" when it reads it.
std::string odmietnutie(const std::string& t) {
    try {
        nakomplex(t);
    } catch (const ChybaKonverzie& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(Nakomplex, ReadsTheAcceptedForms) {
    const struct {
        const char* t;
        double re, im;
    } pripady[] = {{"1+0i", 1, 0},
                   {"1 + 0i", 1, 0},
                   {"   5   ", 5, 0},
                   {"1+-2i", 1, -2},
                   {"1 - -2i", 1, 2},
                   {"+3 +4I", 3, 4},
                   {"0-1i", 0, -1},
                   {"-1+0i", -1, 0},
                   {".5", 0.5, 0},
                   {"5.", 5, 0},
                   {"1E+2-1e-1i", 100, -0.1},
                   {"-0.5 - 2.5E-3i", -0.5, -0.0025},
                   {"1+1e-13i", 1, 0},
                   {"-1e-13-2e-12i", 0, -2e-12},
                   {"1e-400", 0, 0},
                   {"0.0000001e-330", 0, 0}};
    for (const auto& c : pripady) {
        const TKOMPLEX z = nakomplex(c.t);
        EXPECT_EQ(z.re, c.re) << c.t;
        EXPECT_EQ(z.im, c.im) << c.t;
        // snapped and underflowed parts are +0, never -0
        EXPECT_FALSE(z.re == 0 && std::signbit(z.re)) << c.t;
        EXPECT_FALSE(z.im == 0 && std::signbit(z.im)) << c.t;
    }
}

TEST(Nakomplex, RefusesWithReasonAndSplitText) {
    const char* pripady[][2] = {
        {"i", "Could not parse real portion [<?>i]"},
        {"2i", "Could not parse required '+' (or '-') symbol [2<?>i]"},
        {"1+i", "Could not parse imaginary portion [1+<?>i]"},
        {"1 - ", "Could not parse imaginary portion [1 - <?>]"},
        {"1+2", "Could not parse required 'i' symbol [1+2<?>]"},
        {"1+2j", "Could not parse required 'i' symbol [1+2<?>j]"},
        {"0,5", "Could not parse required '+' (or '-') symbol [0<?>,5]"},
        {"1+2i x", "Unexpected characters [1+2i <?>x]"},
        {"", "Could not parse real portion [<?>]"},
        {".", "Could not parse real portion [<?>.]"},
        // an exponent mark needs a digit after it
        {"1E+ + 2i", "Could not parse real portion [<?>1E+ + 2i]"},
        {"1+2e-i", "Could not parse imaginary portion [1+<?>2e-i]"},
        // no double holds it; words a general number reader would take
        {"1e400", "Could not parse real portion [<?>1e400]"},
        {"1+1e999999999999i", "Could not parse imaginary portion [1+<?>1e999999999999i]"},
        {"inf", "Could not parse real portion [<?>inf]"},
        // a tab, CR or LF is no blank
        {"\t1", "Could not parse real portion [<?>\t1]"},
        {"1\t+0i", "Could not parse required '+' (or '-') symbol [1<?>\t+0i]"},
        {"1+0i\r", "Unexpected characters [1+0i<?>\r]"},
        {"1+\n0i", "Could not parse imaginary portion [1+<?>\n0i]"},
    };
    for (const auto& c : pripady) EXPECT_EQ(odmietnutie(c[0]), c[1]) << c[0];
}

TEST(Komplexnatext, FixedDecimalsAndStrictThreshold) {
    const struct {
        double re, im;
        int d;
        const char* t;
    } pripady[] = {{0.7071, 0.7071, 2, "0.71+0.71i"},
                   {0.5, -0.25, 2, "0.50-0.25i"},
                   {0, -1, 2, "-1.00i"},
                   {1, 0, 2, "1.00"},
                   {0.005, 0.02, 2, "0.02i"},
                   {-0.02, 0.02, 2, "-0.02+0.02i"},
                   {0.01, -0.01, 2, ""},
                   {0.0101, 0, 2, "0.01"},
                   {0, 0.0101, 2, "0.01i"},
                   {12345.678, -0.999, 2, "12345.68-1.00i"},
                   {0.70710678, -0.5, 4, "0.7071-0.5000i"},
                   {0.0001, 0.5, 4, "0.5000i"}};
    for (const auto& c : pripady) EXPECT_EQ(komplexnatext(TKOMPLEX(c.re, c.im), c.d), c.t) << c.t;
    EXPECT_THROW(komplexnatext(TKOMPLEX(1), 0), ChybaRozsahu);
    EXPECT_THROW(komplexnatext(TKOMPLEX(1), 23), ChybaRozsahu);
}

TEST(Komplexnaretazec, GeneralFormWithFifteenDigits) {
    const struct {
        double re, im;
        const char* t;
    } pripady[] = {
        {1, 0, "1 + 0i"},
        {0.5, -0.25, "0.5 - 0.25i"},
        {-0.5, 0, "-0.5 + 0i"},
        {1.0 / 3.0, -3, "0.333333333333333 - 3i"},
        {2.0 / 3.0, 1234.5, "0.666666666666667 + 1234.5i"},
        {0, 3e-6, "0 + 3E-006i"},
        {2.5e20, -1.5e-11, "2.5E020 - 1.5E-011i"},
        {1e100, 0.00012345, "1E100 + 0.00012345i"},
        // fixed from 1e-4 up to 1e15, judged by the value itself; the
        // digits are those of the value rounded to 15 digits
        {1e-4, 9.99e-5, "0.0001 + 9.99E-005i"},
        {999999999999999.0, 1e15, "999999999999999 + 1E015i"},
        {999999999999999.9, 0.000099999999999999999, "1000000000000000 + 0.0001i"},
        {9.999999999999995e-05, -999999999999999.9, "1E-004 - 1000000000000000i"},
        {-1e15, -9.9999999999999995e-05, "-1E015 - 1E-004i"},
        {123456789012345678.0, 0, "1.23456789012346E017 + 0i"},
    };
    for (const auto& c : pripady) EXPECT_EQ(komplexnaretazec(TKOMPLEX(c.re, c.im)), c.t);
    TKOMPLEX z;  // parts set past the snapping on purpose
    z.re = -0.0;
    z.im = -1.25e-300;
    EXPECT_EQ(komplexnaretazec(z), "0 - 1.25E-300i");
}

TEST(Komplexnaretazec, ReadsBackWithinFifteenDigits) {
    std::uint32_t s = 987654321u;
    auto nahodne = [&s]() {
        s = s * 1664525u + 1013904223u;
        return static_cast<double>(s) / 4294967296.0;
    };
    for (int k = 0; k < 3000; ++k) {
        // magnitudes from just above the snapping bound to 1e30
        const double mag = std::pow(10.0, std::floor(nahodne() * 42.0) - 11.0);
        const TKOMPLEX z((nahodne() * 2 - 1) * mag, (nahodne() * 2 - 1) * mag);
        const std::string t = komplexnaretazec(z);
        const TKOMPLEX w = nakomplex(t);
        EXPECT_LE(std::fabs(w.re - z.re), 6e-15 * std::fabs(z.re)) << t;
        EXPECT_LE(std::fabs(w.im - z.im), 6e-15 * std::fabs(z.im)) << t;
    }
}

// The largest doubles round to 15 digits above the largest double, which
// the reader refuses as an overflow: they are written rounded towards zero
// in the last digit instead, still within 15 digits, and read back.
TEST(Komplexnaretazec, LargestDoublesReadBack) {
    const double m = std::numeric_limits<double>::max();
    EXPECT_EQ(komplexnaretazec(TKOMPLEX(m, -m)), "1.79769313486231E308 - 1.79769313486231E308i");
    for (double x : {m, -m, std::nextafter(m, 0.0), 1.797693134862315e308, -1.797693134862315e308,
                     1.7976931348623149e308, 1.79769313486231e308}) {
        const TKOMPLEX z(x, x / 2);
        const std::string t = komplexnaretazec(z);
        TKOMPLEX w;
        ASSERT_NO_THROW(w = nakomplex(t)) << t;
        EXPECT_LE(std::fabs(w.re - z.re), 6e-15 * std::fabs(z.re)) << t;
        EXPECT_LE(std::fabs(w.im - z.im), 6e-15 * std::fabs(z.im)) << t;
    }
    EXPECT_EQ(komplexnaretazec(TKOMPLEX(1.7976931348623149e308)), "1.79769313486231E308 + 0i");
}

TEST(Komplexnaretazec, DecimalPointIgnoresTheLocale) {
    const char* s = nullptr;
    for (const char* l : {"de_DE.UTF-8", "de_DE.utf8", "sk_SK.UTF-8", "sk_SK.utf8", "fr_FR.UTF-8"})
        if ((s = std::setlocale(LC_NUMERIC, l)) != nullptr) break;
    if (s == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string a = komplexnaretazec(TKOMPLEX(0.5, -0.25));
    const std::string b = komplexnatext(TKOMPLEX(0.5, -0.25), 2);
    const TKOMPLEX c = nakomplex("1.5+2.5i");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(a, "0.5 - 0.25i");
    EXPECT_EQ(b, "0.50-0.25i");
    EXPECT_EQ(c.re, 1.5);
    EXPECT_EQ(c.im, 2.5);
}
