// k-th roots of 2x2 unitary matrices: A = P diag(l1, l2) P^dagger with a
// unitary P of eigenvectors, so R = P diag(e^(i arg l1 / k), e^(i arg l2 / k)) P^dagger
// is unitary and R^k = A whenever the eigenvalues lie on the unit circle.
#include "odmocnina.h"

#include <cmath>

#include "core/form1.h"

namespace qlc {

TKORENE korene(TKOMPLEX a, TKOMPLEX b, TKOMPLEX c) {
    const TKOMPLEX d = sqr(b) - 4.0 * (a * c);
    const TKOMPLEX r = odmocnina(d);
    // conj(b) r + its conjugate is twice Re(conj(b) r); with s of that sign
    // |b + s r|^2 = |b|^2 + |r|^2 + 2 |Re(conj(b) r)|, so nothing cancels.
    const TKOMPLEX br = conj(b) * r;
    const double s = (br + conj(br)).re >= 0.0 ? 1.0 : -1.0;
    const TKOMPLEX Q = -0.5 * (b + s * r);
    const TKOMPLEX x1 = Q / a;
    // Q = 0 needs b = 0 and r = 0: a double root at 0.
    if (Q.nula()) return {x1, x1};
    return {x1, c / Q};
}

void TForm1::vlvektor(TMATICA2& M) {
    // The row with the larger entries gives the better conditioned quotient.
    if (modul(M(1, 1)) + modul(M(1, 2)) < modul(M(2, 1)) + modul(M(2, 2))) {
        M(1, 1) = M(2, 1);
        M(1, 2) = M(2, 2);
    }
    if (modul(M(1, 1)) + modul(M(1, 2)) == 0.0) {
        log("!!!Odmocnina: Pri vyrobe vl. vektora dve nuly v riadku!!!");
        return;
    }
    // Lift a small row well above the zero snapping before it is divided.
    // Non-zero stored parts exceed 1e-12, so a few steps suffice.
    while (modul(M(1, 1)) + modul(M(1, 2)) < VLVEKTOR_MALE) {
        M(1, 1) = VLVEKTOR_KRAT * M(1, 1);
        M(1, 2) = VLVEKTOR_KRAT * M(1, 2);
    }
}

namespace {

// Unit eigenvector (x, y) of A for the eigenvalue lambda, from the row
// (m1, m2) of A - lambda I that vlvektor chose: m1 x + m2 y = 0. Dividing by
// the entry of larger modulus keeps the quotient at most 1. False when both
// rows of A - lambda I are zero, where no direction is determined.
bool vlastnyvektor(TForm1& f, const TMATICA2& A, TKOMPLEX lambda, TKOMPLEX& x, TKOMPLEX& y) {
    TMATICA2 M = A;
    M(1, 1) = M(1, 1) - lambda;
    M(2, 2) = M(2, 2) - lambda;
    f.vlvektor(M);
    if (M(1, 1).nula() && M(1, 2).nula()) return false;
    if (modul(M(1, 2)) >= modul(M(1, 1))) {
        x = TKOMPLEX(1.0);
        y = -M(1, 1) / M(1, 2);
    } else {
        x = -M(1, 2) / M(1, 1);
        y = TKOMPLEX(1.0);
    }
    const double u = 1.0 / std::sqrt(sqrmod(x) + sqrmod(y));
    y = u * y;
    x = u * x;
    return true;
}

}  // namespace

void TForm1::Odmocnina(TMATICA2& A2, int k) {
    if (k < 2) {
        log("!!!Odmocnina: Poziadal si o (k<2)-odmocninu!");
        zlakontrola();
        return;
    }
    // Characteristic polynomial x^2 - tr(A) x + det(A).
    const TKOMPLEX a(1.0);
    const TKOMPLEX b = -A2(1, 1) - A2(2, 2);
    const TKOMPLEX c = A2(1, 1) * A2(2, 2) - A2(1, 2) * A2(2, 1);
    const TKORENE l = korene(a, b, c);

    // A diagonal matrix is its own eigendecomposition. Equal eigenvalues of
    // a unitary (normal) matrix mean a multiple of the identity, so the
    // off-diagonal entries there are rounding and are dropped.
    if ((rovnasa(A2(1, 2), 0.0) && rovnasa(A2(2, 1), 0.0)) || rovnasa(l.x1, l.x2)) {
        if (!vtolerancii(std::fabs(modul(A2(1, 1)) - 1.0), eps) ||
            !vtolerancii(std::fabs(modul(A2(2, 2)) - 1.0), eps)) {
            log("!!!Odmocnina: mat A mala podivne vl. hodnoty");
            zlakontrola();
        }
        A2(1, 1) = polar(1.0, arg(A2(1, 1)) / k);
        A2(2, 2) = polar(1.0, arg(A2(2, 2)) / k);
        A2(1, 2) = TKOMPLEX();
        A2(2, 1) = TKOMPLEX();
        return;
    }

    const double fi1 = arg(l.x1) / k;
    const double fi2 = arg(l.x2) / k;
    TMATICA2 P;
    if (!vlastnyvektor(*this, A2, l.x1, P(1, 1), P(2, 1)) || !vlastnyvektor(*this, A2, l.x2, P(1, 2), P(2, 2))) {
        // The log line is written; no root can be built from a zero row.
        zlakontrola();
        return;
    }

    // P^dagger A P must be diag(l1, l2): this also confirms that P is
    // unitary, which the root below relies on (P^dagger standing for P^-1).
    TMATICA2 L = diag2(l.x1, l.x2);
    const TMATICA2 W = nasob2(nasob2(hermit2(P), A2), P);
    if (!rovnake2(L, W, eps)) {
        log("!!!Odmocnina: Diagonalizacia nefunguje!");
        zlakontrola();
        return;
    }

    L(1, 1) = polar(1.0, fi1);
    L(2, 2) = polar(1.0, fi2);
    TMATICA2 R = nasob2(P, L);
    R = nasob2(R, hermit2(P));

    // Only an eigenvalue off the unit circle can make R^k differ from A.
    TMATICA2 X = R;
    for (int i = 1; i <= k - 1; ++i) X = nasob2(R, X);
    if (rovnake2(A2, X, eps)) {
        A2 = R;
    } else {
        log("!!!Odmocnina: Nasledne umocnenie vysledku nedalo povodnu maticu!");
        zlakontrola();
    }
}

}  // namespace qlc
