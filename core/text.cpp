// Text forms of complex numbers. Every number is read and written with "."
// as the decimal point whatever the locale: reading goes through
// std::from_chars and writing through std::to_chars, neither of which
// looks at LC_NUMERIC.
#include "text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "pole.h"

namespace qlc {

namespace {

// Reasons of nakomplex, kept together.
constexpr const char* ZLA_REALNA = "Could not parse real portion";
constexpr const char* ZLE_ZNAMIENKO = "Could not parse required '+' (or '-') symbol";
constexpr const char* ZLA_IMAGINARNA = "Could not parse imaginary portion";
constexpr const char* ZLE_I = "Could not parse required 'i' symbol";
constexpr const char* ZLY_KONIEC = "Unexpected characters";

[[noreturn]] void chybakonverzie(const char* dovod, const std::string& t, std::size_t pos) {
    throw ChybaKonverzie(std::string(dovod) + " [" + t.substr(0, pos) + "<?>" + t.substr(pos) + "]");
}

bool cislica(char c) { return c >= '0' && c <= '9'; }

void preskocmedzery(const std::string& t, std::size_t& pos) {
    while (pos < t.size() && t[pos] == ' ') ++pos;
}

// Value of an unsigned decimal number that std::from_chars refused as out of
// range: an overflow when its decimal order of magnitude is positive, an
// underflow (value 0, which zero snapping would give anyway) otherwise.
// mantisa holds the digits and the point, exponent the decimal exponent.
bool jepretecenie(std::string_view mantisa, long long exponent) {
    bool zaciatok = false;
    long long celych = 0;
    bool zabodkou = false;
    long long nulzabodkou = 0;
    for (char c : mantisa) {
        if (c == '.') {
            zabodkou = true;
            continue;
        }
        if (!zaciatok && c == '0') {
            if (zabodkou) ++nulzabodkou;
            continue;
        }
        zaciatok = true;
        if (!zabodkou) ++celych;
    }
    if (!zaciatok) return false;
    // decimal order of the first non-zero digit: 10^(rad-1) <= value < 10^rad
    const long long rad = celych > 0 ? celych : -nulzabodkou;
    return rad + exponent > 0;
}

// Reads a number at pos: blanks, an optional sign, a mantissa with at least
// one digit and an optional point, an optional exponent with at least one
// digit. On success pos is moved past it; on failure pos is left where the
// number (after its blanks) began and false is returned.
bool citajcislo(const std::string& t, std::size_t& pos, double& hodnota) {
    std::size_t p = pos;
    preskocmedzery(t, p);
    const std::size_t zaciatok = p;
    bool zaporne = false;
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) {
        zaporne = t[p] == '-';
        ++p;
    }
    const std::size_t mantisazac = p;
    std::size_t cislic = 0;
    while (p < t.size() && cislica(t[p])) ++p, ++cislic;
    if (p < t.size() && t[p] == '.') {
        ++p;
        while (p < t.size() && cislica(t[p])) ++p, ++cislic;
    }
    if (cislic == 0) {
        pos = zaciatok;
        return false;
    }
    const std::size_t mantisakon = p;
    long long exponent = 0;
    if (p < t.size() && (t[p] == 'E' || t[p] == 'e')) {
        ++p;
        bool zapexp = false;
        if (p < t.size() && (t[p] == '+' || t[p] == '-')) {
            zapexp = t[p] == '-';
            ++p;
        }
        if (p >= t.size() || !cislica(t[p])) {
            // "E" (and a sign) without a digit: not a complete number
            pos = zaciatok;
            return false;
        }
        while (p < t.size() && cislica(t[p])) {
            // saturate: any exponent beyond this range over- or underflows
            if (exponent < 100000000) exponent = exponent * 10 + (t[p] - '0');
            ++p;
        }
        if (zapexp) exponent = -exponent;
    }
    // std::from_chars takes no leading "+", so the magnitude is read without
    // the sign and the sign applied afterwards.
    const char* prvy = t.data() + mantisazac;
    const char* posledny = t.data() + p;
    double v = 0.0;
    const auto r = std::from_chars(prvy, posledny, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        if (jepretecenie(std::string_view(prvy, mantisakon - mantisazac), exponent)) {
            pos = zaciatok;
            return false;  // no finite double holds it
        }
        v = 0.0;
    } else if (r.ec != std::errc() || r.ptr != posledny) {
        pos = zaciatok;
        return false;
    }
    hodnota = zaporne ? -v : v;
    pos = p;
    return true;
}

// Appends the decimal digits of an integer.
void pridajcele(std::string& out, long long n) {
    std::array<char, 24> b;
    const auto r = std::to_chars(b.data(), b.data() + b.size(), n);
    out.append(b.data(), r.ptr);
}

// Magnitudes written in fixed notation: [1e-4, 1e15). The double nearest
// to 1e-4 lies above 10^-4 and the one below it lies below, and 1e15 is
// exact, so comparing with these doubles is comparing with the powers of ten.
constexpr double FIXNEOD = 1e-4;
constexpr double FIXNEDO = 1e15;

// Appends x in the general form: 15 significant digits, trailing zeros
// removed, fixed notation for 0 and for magnitudes in [1e-4, 1e15),
// otherwise scientific with an exponent of at least three digits. The
// notation is chosen by the value itself, the digits are those of the
// value rounded to 15 digits: 9.999999999999995e-05 is 1E-004 and
// 999999999999999.9 is 1000000000000000.
void pridajrealne(std::string& out, double x) {
    if (x == 0.0) {
        out += '0';
        return;
    }
    if (std::isnan(x)) {
        out += "NAN";
        return;
    }
    if (std::isinf(x)) {
        out += x < 0 ? "-INF" : "INF";
        return;
    }
    if (x < 0) out += '-';
    // d.dddddddddddddde[+-]x: 15 significant digits, correctly rounded
    std::array<char, 40> b;
    const auto r =
        std::to_chars(b.data(), b.data() + b.size(), std::fabs(x), std::chars_format::scientific, 14);
    const char* e = b.data();
    while (e < r.ptr && *e != 'e') ++e;
    std::array<char, 15> cif;
    int pocet = 0;
    for (const char* c = b.data(); c < e; ++c)
        if (cislica(*c)) cif[static_cast<std::size_t>(pocet++)] = *c;
    while (pocet > 1 && cif[static_cast<std::size_t>(pocet - 1)] == '0') --pocet;
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), r.ptr, exponent);
    // The largest doubles, from 1.797693134862315e308 up, round to
    // 1.79769313486232E308, above the largest double, and no reader takes
    // that text: they are written rounded towards zero in the last digit,
    // still within 15 digits of the value.
    constexpr std::string_view NAJVACSIE = "179769313486231";
    if (exponent == 308) {
        std::array<char, 15> c;
        for (std::size_t k = 0; k < c.size(); ++k) c[k] = k < static_cast<std::size_t>(pocet) ? cif[k] : '0';
        if (std::string_view(c.data(), c.size()) > NAJVACSIE) {
            std::copy(NAJVACSIE.begin(), NAJVACSIE.end(), cif.begin());
            pocet = static_cast<int>(NAJVACSIE.size());
        }
    }
    auto cifra = [&](int k) { return k < pocet ? cif[static_cast<std::size_t>(k)] : '0'; };
    if (std::fabs(x) >= FIXNEOD && std::fabs(x) < FIXNEDO) {
        // rounding only raises the exponent, so here it is at least -4
        if (exponent >= 0) {
            for (int k = 0; k <= exponent; ++k) out += cifra(k);
            if (pocet > exponent + 1) {
                out += '.';
                for (int k = exponent + 1; k < pocet; ++k) out += cifra(k);
            }
        } else {
            out += "0.";
            for (int k = 0; k < -exponent - 1; ++k) out += '0';
            for (int k = 0; k < pocet; ++k) out += cifra(k);
        }
        return;
    }
    out += cif[0];
    if (pocet > 1) {
        out += '.';
        out.append(cif.data() + 1, static_cast<std::size_t>(pocet - 1));
    }
    out += 'E';
    if (exponent < 0) out += '-';
    const int a = exponent < 0 ? -exponent : exponent;
    if (a < 100) out += '0';
    if (a < 10) out += '0';
    pridajcele(out, a);
}

// Appends x in fixed notation with d decimals.
void pridajfixne(std::string& out, double x, int d) {
    // 309 integer digits at most, a sign, a point and d decimals
    std::array<char, 400> b;
    const auto r = std::to_chars(b.data(), b.data() + b.size(), x, std::chars_format::fixed, d);
    out.append(b.data(), r.ptr);
}

}  // namespace

std::complex<double> nakomplexpresne(const std::string& t) {
    std::size_t pos = 0;
    double re = 0.0;
    if (!citajcislo(t, pos, re)) chybakonverzie(ZLA_REALNA, t, pos);
    preskocmedzery(t, pos);
    if (pos == t.size()) return {re, 0.0};
    double s = 1.0;
    if (t[pos] == '+')
        s = 1.0;
    else if (t[pos] == '-')
        s = -1.0;
    else
        chybakonverzie(ZLE_ZNAMIENKO, t, pos);
    ++pos;
    preskocmedzery(t, pos);
    double m = 0.0;
    if (!citajcislo(t, pos, m)) chybakonverzie(ZLA_IMAGINARNA, t, pos);
    preskocmedzery(t, pos);
    if (pos == t.size() || (t[pos] != 'i' && t[pos] != 'I')) chybakonverzie(ZLE_I, t, pos);
    ++pos;
    preskocmedzery(t, pos);
    if (pos != t.size()) chybakonverzie(ZLY_KONIEC, t, pos);
    return {re, s * m};
}

TKOMPLEX nakomplex(const std::string& t) {
    const std::complex<double> z = nakomplexpresne(t);
    return TKOMPLEX(z.real(), z.imag());
}

std::string komplexnatext(TKOMPLEX z, int d) {
    // 10^d is exact in double for d <= 22, so h is the double nearest to
    // 10^-d and a part equal to the literal 0.01 is not shown for d = 2.
    constexpr int MAXDESATIN = 22;
    if (d < 1 || d > MAXDESATIN) zlyindex(d, 1, MAXDESATIN);
    double p = 1.0;
    for (int k = 0; k < d; ++k) p *= 10.0;
    const double h = 1.0 / p;
    std::string s;
    if (std::fabs(z.re) > h) pridajfixne(s, z.re, d);
    if (std::fabs(z.im) > h) {
        if (!s.empty() && z.im > 0) s += '+';
        pridajfixne(s, z.im, d);
        s += 'i';
    }
    return s;
}

void pridajkomplexnaretazec(std::string& out, TKOMPLEX z) {
    pridajrealne(out, z.re);
    // -0 cannot come out of zero snapping, but a part set by hand might
    // carry it; it is written as "+ 0".
    out += z.im >= 0 || std::isnan(z.im) ? " + " : " - ";
    pridajrealne(out, std::isnan(z.im) ? z.im : std::fabs(z.im));
    out += 'i';
}

std::string komplexnaretazec(TKOMPLEX z) {
    std::string s;
    pridajkomplexnaretazec(s, z);
    return s;
}

}  // namespace qlc
