// k-th roots of 2x2 unitary matrices: A = P diag(l1, l2) P^dagger with a
// unitary P, so R = P diag(e^(i arg l1 / k), e^(i arg l2 / k)) P^dagger is
// unitary and R^k = A whenever the eigenvalues lie on the unit circle.
//
// P and the eigenvalues come from the complex Schur form A = P T P^dagger.
// Its P is unitary by construction and T is A's triangular form to
// rounding, however close the two eigenvalues lie; for a normal (unitary)
// A, T is diagonal to rounding as well. Eigenvectors taken from rows of
// A - lambda I instead lose their orthogonality as the eigenvalues
// approach each other, and eigenvalues taken from the characteristic
// polynomial lose half their digits there (tr^2 - 4 det cancels). The
// Schur form and the root are computed on unsnapped doubles: entries of
// the size of the eigenvalues' gap must not drop to 0 on the way.
#include <Eigen/Eigenvalues>
#include <cmath>
#include <complex>
#include <numbers>

#include "core/form1.h"

namespace qlc {

namespace {

using K = std::complex<double>;

K doeigen(TKOMPLEX z) { return {z.re, z.im}; }

// The angle of an eigenvalue in (-pi, pi] as arg of its snapped value
// reads it, but from the unsnapped parts: an eigenvalue on the negative
// real axis up to an imaginary part below the snapping bound keeps the
// angle near +pi (arg -1 = pi), and its root stays an exact root of it.
double uhol(K z) {
    const double fi = std::atan2(z.imag(), z.real());
    if (fi < 0.0 && snap(z.imag()) == 0.0 && z.real() < 0.0) return fi + 2.0 * std::numbers::pi;
    return fi;
}

}  // namespace

void TForm1::Odmocnina(TMATICA2& A2, int k) {
    if (k < 2) {
        log("!!!Odmocnina: Poziadal si o (k<2)-odmocninu!");
        zlakontrola();
        return;
    }
    const bool diagonalna = rovnasa(A2(1, 2), 0.0) && rovnasa(A2(2, 1), 0.0);
    Eigen::Matrix2cd A;
    A << doeigen(A2(1, 1)), doeigen(A2(1, 2)), doeigen(A2(2, 1)), doeigen(A2(2, 2));
    Eigen::ComplexSchur<Eigen::Matrix2cd> schur;
    K l1 = A(0, 0), l2 = A(1, 1);
    if (!diagonalna) {
        schur.compute(A);
        l1 = schur.matrixT()(0, 0);
        l2 = schur.matrixT()(1, 1);
    }

    // A diagonal matrix is its own eigendecomposition. Equal eigenvalues of
    // a unitary (normal) matrix mean a multiple of the identity, so the
    // off-diagonal entries there are rounding and are dropped.
    if (diagonalna || rovnasa(TKOMPLEX(l1.real(), l1.imag()), TKOMPLEX(l2.real(), l2.imag()))) {
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

    // P^dagger A P must be diag(l1, l2): T's corner above the diagonal is
    // what keeps a non-normal A from being diagonalised by a unitary P.
    // A Schur form that did not converge (NaN or an overflow in A) leaves
    // no P to check.
    const Eigen::Matrix2cd& P = schur.matrixU();
    const Eigen::Matrix2cd W = P.adjoint() * A * P;
    bool diagonalizovana = schur.info() == Eigen::Success;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            diagonalizovana = diagonalizovana && vtolerancii(std::abs(W(i, j) - (i != j ? K() : i == 0 ? l1 : l2)), eps);
    if (!diagonalizovana) {
        log("!!!Odmocnina: Diagonalizacia nefunguje!");
        zlakontrola();
        return;
    }

    const Eigen::Vector2cd mu(std::polar(1.0, uhol(l1) / k), std::polar(1.0, uhol(l2) / k));
    const Eigen::Matrix2cd Rk = P * mu.asDiagonal() * P.adjoint();
    const TMATICA2 R(TKOMPLEX(Rk(0, 0).real(), Rk(0, 0).imag()), TKOMPLEX(Rk(0, 1).real(), Rk(0, 1).imag()),
                     TKOMPLEX(Rk(1, 0).real(), Rk(1, 0).imag()), TKOMPLEX(Rk(1, 1).real(), Rk(1, 1).imag()));

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
