// The SVG canvas. Coordinates are written in tenths of a pixel with integer
// arithmetic, so the document does not depend on the locale or on how a
// floating-point value would be printed: a pixel edge x is "x", a pixel
// centre "x.5".
#include "svgplatno.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace qlc {
namespace {

// The baseline of a text lies this many tenths of the font height below the
// top of its cell (the ascent of common sans-serif faces).
constexpr long long UPATIE_DESATINY = 8;

// v / 10 as "12", "12.5", "-0.5".
void desatiny(std::string& s, long long v) {
    if (v < 0) {
        s += '-';
        v = -v;
    }
    s += std::to_string(v / 10);
    if (v % 10 != 0) {
        s += '.';
        s += static_cast<char>('0' + v % 10);
    }
}

void atribut(std::string& s, const char* meno, long long vdesatinach) {
    s += ' ';
    s += meno;
    s += "=\"";
    desatiny(s, vdesatinach);
    s += '"';
}

void farba(std::string& s, const char* meno, TFarba f) {
    static constexpr char HEX[] = "0123456789abcdef";
    s += ' ';
    s += meno;
    s += "=\"#";
    for (std::uint8_t z : {f.r, f.g, f.b}) {
        s += HEX[z >> 4];
        s += HEX[z & 15];
    }
    s += '"';
}

// Length of the well-formed UTF-8 sequence at t[i] that is an XML character,
// or 0.
std::size_t dlzkautf8(const std::string& t, std::size_t i) {
    const auto b = [&](std::size_t k) {
        return i + k < t.size() ? static_cast<unsigned char>(t[i + k]) : 0u;
    };
    const auto pokr = [&](std::size_t k) { return (b(k) & 0xC0u) == 0x80u; };
    const unsigned c = b(0);
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return pokr(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const unsigned lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
        if (b(1) < lo || b(1) > hi || !pokr(2)) return 0;
        if (c == 0xEF && b(1) == 0xBF && (b(2) == 0xBE || b(2) == 0xBF)) return 0;  // U+FFFE, U+FFFF
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
        return b(1) >= lo && b(1) <= hi && pokr(2) && pokr(3) ? 4 : 0;
    }
    return 0;
}

// Text as XML character data: markup characters escaped, control characters
// as blanks, bytes that are not UTF-8 as U+FFFD.
void xmltext(std::string& s, const std::string& t) {
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t n = dlzkautf8(t, i);
        if (n == 0) {
            s += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (n == 1) {
            const char c = t[i];
            switch (c) {
                case '&':
                    s += "&amp;";
                    break;
                case '<':
                    s += "&lt;";
                    break;
                case '>':
                    s += "&gt;";
                    break;
                case '"':
                    s += "&quot;";
                    break;
                case '\'':
                    s += "&apos;";
                    break;
                default:
                    s += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? ' ' : c;
            }
        } else {
            s.append(t, i, n);
        }
        i += n;
    }
}

// Left, top, right, bottom as a rectangle with left <= right, top <= bottom.
void normalizuj(long long& l, long long& t, long long& r, long long& b) {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
}

}  // namespace

SvgPlatno::SvgPlatno(int sirka, int vyska) : sirka_(sirka), vyska_(vyska) {
    if (sirka < 1 || vyska < 1) throw ChybaBehu("Rozmer platna musi byt kladny");
}

void SvgPlatno::pero(TFarba farba, int hrubka) {
    pero_ = farba;
    hrubka_ = hrubka < 1 ? 1 : hrubka;  // width 0 is the thinnest line, one pixel
}

void SvgPlatno::stetec(TFarba farba) { stetec_ = farba; }

void SvgPlatno::pismo(int vyska, TFarba farba) {
    // A negative height names the character height, 0 the default size.
    vyskapisma_ = vyska == 0 ? 11 : std::abs(vyska);
    farbapisma_ = farba;
}

void SvgPlatno::vypln(int l, int t, int r, int b) {
    // An empty or inverted rectangle fills nothing.
    if (r <= l || b <= t) return;
    std::string& s = telo_;
    s += "<rect";
    atribut(s, "x", 10LL * l);
    atribut(s, "y", 10LL * t);
    atribut(s, "width", 10LL * (static_cast<long long>(r) - l));
    atribut(s, "height", 10LL * (static_cast<long long>(b) - t));
    farba(s, "fill", stetec_);
    s += "/>\n";
}

void SvgPlatno::ciara(int x1, int y1, int x2, int y2) {
    std::string& s = telo_;
    s += "<line";
    atribut(s, "x1", 10LL * x1 + 5);
    atribut(s, "y1", 10LL * y1 + 5);
    atribut(s, "x2", 10LL * x2 + 5);
    atribut(s, "y2", 10LL * y2 + 5);
    farba(s, "stroke", pero_);
    atribut(s, "stroke-width", 10LL * hrubka_);
    s += "/>\n";
}

void SvgPlatno::elipsa(int l0, int t0, int r0, int b0) {
    long long l = l0, t = t0, r = r0, b = b0;
    normalizuj(l, t, r, b);
    std::string& s = telo_;
    s += "<ellipse";
    atribut(s, "cx", 5 * (l + r));
    atribut(s, "cy", 5 * (t + b));
    atribut(s, "rx", r - l >= 1 ? 5 * (r - l - 1) : 0);
    atribut(s, "ry", b - t >= 1 ? 5 * (b - t - 1) : 0);
    farba(s, "fill", stetec_);
    farba(s, "stroke", pero_);
    atribut(s, "stroke-width", 10LL * hrubka_);
    s += "/>\n";
}

void SvgPlatno::obdlznik(int l0, int t0, int r0, int b0) {
    long long l = l0, t = t0, r = r0, b = b0;
    normalizuj(l, t, r, b);
    std::string& s = telo_;
    s += "<rect";
    atribut(s, "x", 10 * l + 5);
    atribut(s, "y", 10 * t + 5);
    atribut(s, "width", r - l >= 1 ? 10 * (r - l - 1) : 0);
    atribut(s, "height", b - t >= 1 ? 10 * (b - t - 1) : 0);
    farba(s, "fill", stetec_);
    farba(s, "stroke", pero_);
    atribut(s, "stroke-width", 10LL * hrubka_);
    s += "/>\n";
}

void SvgPlatno::text(int x, int y, const std::string& t) {
    std::string& s = telo_;
    s += "<text";
    atribut(s, "x", 10LL * x);
    atribut(s, "y", 10LL * y + UPATIE_DESATINY * vyskapisma_);
    s += " font-family=\"Arial, Helvetica, sans-serif\"";
    atribut(s, "font-size", 10LL * vyskapisma_);
    farba(s, "fill", farbapisma_);
    s += '>';
    xmltext(s, t);
    s += "</text>\n";
}

std::string SvgPlatno::svg() const {
    const std::string w = std::to_string(sirka_), h = std::to_string(vyska_);
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " +
         w + " " + h + "\">\n";
    s += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    s += "<g stroke-linecap=\"butt\" stroke-linejoin=\"miter\">\n";
    s += telo_;
    s += "</g>\n</svg>\n";
    return s;
}


void SvgPlatno::vymaz() { telo_.clear(); }

}  // namespace qlc
