#pragma once
// The complex scalar. Every stored value passes through zero snapping: a
// part of magnitude at most 1e-12 becomes exactly +0.0. Results of the
// operations below depend on that rule, so it is applied after every
// operation, never skipped.
#include <cmath>

#include "chyby.h"
#include "tolerancie.h"

namespace qlc {

inline double snap(double x) { return std::fabs(x) <= NULA ? 0.0 : x; }

struct TKOMPLEX {
    double re = 0.0;
    double im = 0.0;

    TKOMPLEX() = default;
    TKOMPLEX(double r) : re(snap(r)), im(0.0) {}  // NOLINT: a real converts to (x, 0)
    TKOMPLEX(double r, double i) : re(snap(r)), im(snap(i)) {}

    // Both parts exactly zero (after snapping there is no -0).
    bool nula() const { return re == 0.0 && im == 0.0; }
    bool operator==(const TKOMPLEX&) const = delete;  // use rovnasa() or an explicit test
};

inline TKOMPLEX operator+(TKOMPLEX z, TKOMPLEX w) { return {z.re + w.re, z.im + w.im}; }
inline TKOMPLEX operator-(TKOMPLEX z, TKOMPLEX w) { return {z.re - w.re, z.im - w.im}; }
inline TKOMPLEX operator-(TKOMPLEX z) { return {-z.re, -z.im}; }
inline TKOMPLEX operator*(TKOMPLEX z, TKOMPLEX w) {
    return {z.re * w.re - z.im * w.im, z.im * w.re + z.re * w.im};
}
// x . z for a real x
inline TKOMPLEX operator*(double x, TKOMPLEX z) { return {x * z.re, x * z.im}; }
// Division; fails as a division by zero when |w|^2 <= 1e-12.
inline TKOMPLEX operator/(TKOMPLEX z, TKOMPLEX w) {
    const double e = w.re * w.re + w.im * w.im;
    if (e <= NULA) throw DelenieNulou();
    return {(z.re * w.re + z.im * w.im) / e, (z.im * w.re - z.re * w.im) / e};
}

inline TKOMPLEX conj(TKOMPLEX z) { return {z.re, -z.im}; }
inline double sqrmod(TKOMPLEX z) { return z.re * z.re + z.im * z.im; }
inline double modul(TKOMPLEX z) { return std::sqrt(z.re * z.re + z.im * z.im); }
// Angle in (-pi, pi]; arg 0 = 0. Imaginary parts are never -0, so arg(-1) = pi.
inline double arg(TKOMPLEX z) { return std::atan2(z.im, z.re); }
inline TKOMPLEX sqr(TKOMPLEX z) { return {z.re * z.re - z.im * z.im, 2.0 * z.re * z.im}; }
inline TKOMPLEX polar(double r, double theta) { return {r * std::cos(theta), r * std::sin(theta)}; }
// Absolute imaginary part.
inline double absim(TKOMPLEX z) { return std::fabs(z.im); }

// Principal square root. For a > 0 with m = |z| + a: (sqrt(m/2), b/sqrt(2m));
// otherwise with m = |z| - a: (|b|/sqrt(2m), +-sqrt(m/2)) by the sign of b.
TKOMPLEX odmocnina(TKOMPLEX z);

// Complex equality: each part equal within max(1e-12, 1e-12 * min(|x|, |y|))
// of the two parts x, y compared. It does not use eps.
bool rovnasa(TKOMPLEX z, TKOMPLEX w);

}  // namespace qlc
