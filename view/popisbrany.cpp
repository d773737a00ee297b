// The text the window shows on hovering over a gate of the drawing: the
// gate's number, its target and controls, the name of its 2 x 2 matrix where
// that is a known gate, and the matrix itself.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

#include "core/form1.h"
#include "core/text.h"

namespace qlc {
namespace {

// Entries closer than this to those of a known gate name it. The gates of a
// decomposition carry rounding of the order of 1e-15; a looser tolerance
// would name gates that are merely near a known one.
constexpr double PRESNOST = 1e-9;
// Largest denominator of an angle written as a fraction of pi.
constexpr int MAXMENOVATEL = 64;
constexpr double PI = std::numbers::pi;

bool blizko(TKOMPLEX z, double re, double im) {
    return std::fabs(z.re - re) <= PRESNOST && std::fabs(z.im - im) <= PRESNOST;
}

bool rovnaka(const TMATICA2& U, std::array<double, 8> m) {
    return blizko(U.u11(), m[0], m[1]) && blizko(U.u12(), m[2], m[3]) && blizko(U.u21(), m[4], m[5]) &&
           blizko(U.u22(), m[6], m[7]);
}

bool jednotkova(TKOMPLEX z) { return std::fabs(modul(z) - 1.0) <= PRESNOST; }

std::string cislo(double x, int desatin) {
    char buf[64];
    const auto v = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, desatin);
    std::string s(buf, v.ptr);
    if (s == "-0.000000") s = "0.000000";
    return s;
}

// "π", "-π/2", "3π/4", "0" where x is a multiple p/q of pi with q <= 64 in
// lowest terms; empty otherwise.
std::string nasobokpi(double x) {
    for (int q = 1; q <= MAXMENOVATEL; ++q) {
        const double p = std::nearbyint(x / PI * q);
        if (std::fabs(p * PI / q - x) > PRESNOST) continue;
        if (p == 0.0) return "0";
        const long long c = static_cast<long long>(std::fabs(p));
        std::string s = p < 0 ? "-" : "";
        if (c != 1) s += std::to_string(c);
        s += "π";
        if (q != 1) s += "/" + std::to_string(q);
        return s;
    }
    return {};
}

// "θ = 0.785398 rad = π/4"
std::string uhol(const char* meno, double x) {
    std::string s = std::string(meno) + " = " + cislo(x, 6) + " rad";
    const std::string p = nasobokpi(x);
    if (!p.empty() && p != "0") s += " = " + p;
    return s;
}

// The name of the matrix of a gate with k controls, with its angle, or
// empty. The rotations are those of the usual convention:
//   Rx(θ) = [[cos θ/2, -i sin θ/2], [-i sin θ/2, cos θ/2]]
//   Ry(θ) = [[cos θ/2, -sin θ/2], [sin θ/2, cos θ/2]]
//   Rz(θ) = diag(e^(-iθ/2), e^(iθ/2)),  phase(φ) = diag(1, e^(iφ)).
std::string menomatice(const TMATICA2& U, int k) {
    const double h = 1.0 / std::numbers::sqrt2;
    if (rovnaka(U, {1, 0, 0, 0, 0, 0, 1, 0})) return "I (identita)";
    if (rovnaka(U, {0, 0, 1, 0, 1, 0, 0, 0})) {
        if (k == 1) return "CNOT (X)";
        if (k == 2) return "Toffoli (X)";
        return "X (NOT)";
    }
    if (rovnaka(U, {0, 0, 0, -1, 0, 1, 0, 0})) return "Y";
    if (rovnaka(U, {1, 0, 0, 0, 0, 0, -1, 0})) return k == 1 ? "CZ (Z)" : "Z";
    if (rovnaka(U, {h, 0, h, 0, h, 0, -h, 0})) return "H (Hadamard)";
    if (rovnaka(U, {1, 0, 0, 0, 0, 0, 0, 1})) return "S";
    if (rovnaka(U, {1, 0, 0, 0, 0, 0, 0, -1})) return "S† (S inverzná)";
    if (rovnaka(U, {1, 0, 0, 0, 0, 0, h, h})) return "T";
    if (rovnaka(U, {1, 0, 0, 0, 0, 0, h, -h})) return "T† (T inverzná)";
    const bool diagonalna = blizko(U.u12(), 0, 0) && blizko(U.u21(), 0, 0);
    if (diagonalna && blizko(U.u11(), 1, 0) && jednotkova(U.u22()))
        return "phase(φ), " + uhol("φ", std::atan2(U.u22().im, U.u22().re));
    if (diagonalna && jednotkova(U.u22()) && blizko(U.u11(), U.u22().re, -U.u22().im))
        return "Rz(θ), " + uhol("θ", 2.0 * std::atan2(U.u22().im, U.u22().re));
    // cos θ/2 on the diagonal, real
    const TKOMPLEX c = U.u11();
    if (std::fabs(c.im) <= PRESNOST && blizko(U.u22(), c.re, 0)) {
        const TKOMPLEX s = U.u21();
        if (std::fabs(s.re) <= PRESNOST && blizko(U.u12(), 0, s.im) &&
            std::fabs(c.re * c.re + s.im * s.im - 1.0) <= PRESNOST)
            return "Rx(θ), " + uhol("θ", 2.0 * std::atan2(-s.im, c.re));
        if (std::fabs(s.im) <= PRESNOST && blizko(U.u12(), -s.re, 0) &&
            std::fabs(c.re * c.re + s.re * s.re - 1.0) <= PRESNOST)
            return "Ry(θ), " + uhol("θ", 2.0 * std::atan2(s.re, c.re));
    }
    return {};
}

std::string prvok(TKOMPLEX z) {
    const std::string s = komplexnatext(z, 4);
    return s.empty() ? "0" : s;
}

}  // namespace

std::string TForm1::popisbrany(int g) const {
    if (g < 1 || g > pocetb1) return {};
    const TGATE1& b = brany[g];
    std::string s = "Brána " + std::to_string(g);
    if (b.vyradena) s += " (vyradená)";
    s += "\ncieľový qubit: " + std::to_string(b.ciel);
    if (b.pocetk == 0) {
        s += ", bez kontrol";
    } else {
        s += b.pocetk == 1 ? ", kontrolujúci qubit: " : ", kontrolujúce qubity: ";
        for (int k = 1; k <= b.pocetk; ++k) s += (k > 1 ? ", " : "") + std::to_string(b.kontroly[k]);
    }
    const std::string meno = menomatice(b.U, b.pocetk);
    if (!meno.empty()) s += "\n" + meno;
    // the matrix in two rows, its entries right-aligned in their columns
    // (in a font of fixed width they stand one under another)
    const std::string a = prvok(b.U.u11()), c = prvok(b.U.u12());
    const std::string d = prvok(b.U.u21()), e = prvok(b.U.u22());
    const std::size_t s1 = std::max(a.size(), d.size()), s2 = std::max(c.size(), e.size());
    const auto vpravo = [](const std::string& x, std::size_t n) { return std::string(n - x.size(), ' ') + x; };
    s += "\nU = [ " + vpravo(a, s1) + "  " + vpravo(c, s2) + " ]";
    s += "\n    [ " + vpravo(d, s1) + "  " + vpravo(e, s2) + " ]";
    return s;
}

}  // namespace qlc
