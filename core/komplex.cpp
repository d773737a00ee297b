#include "komplex.h"

#include <algorithm>

namespace qlc {

TKOMPLEX odmocnina(TKOMPLEX z) {
    if (z.nula()) return {};
    const double a = z.re, b = z.im;
    if (a > 0) {
        const double m = modul(z) + a;
        return {std::sqrt(m / 2.0), b / std::sqrt(2.0 * m)};
    }
    const double m = modul(z) - a;
    const double im = std::sqrt(m / 2.0);
    return {std::fabs(b) / std::sqrt(2.0 * m), b >= 0 ? im : -im};
}

static bool rovnacast(double x, double y) {
    const double tol = std::max(NULA, NULA * std::min(std::fabs(x), std::fabs(y)));
    return std::fabs(x - y) <= tol;
}

bool rovnasa(TKOMPLEX z, TKOMPLEX w) { return rovnacast(z.re, w.re) && rovnacast(z.im, w.im); }

}  // namespace qlc
