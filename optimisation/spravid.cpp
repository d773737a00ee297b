// Merging two neighbouring gates of the optimiser's virtual order into one
// gate, or removing both when together they are the identity, and the
// check of a merge against full matrices.
#include <string>

#include "core/form1.h"
#include "optimisation/tvary.h"

namespace qlc {
namespace {

// The merge rules for A (acting first) and B. The pair acts as
// M(B) . M(A); the survivor takes the later gate's matrix, or the phase it
// stands for, from the left and the earlier one's from the right, read on
// the survivor's target. Returns the code 0..3, writes the survivor's U
// and the removal marks.
std::uint8_t pravidlazlucenia(TGATE1& A, TGATE1& B, double eps, const TMATICA2& matnot,
                              const TMATICA2& jednotka) {
    const TQUBITY qa = qubity(A), qb = qubity(B);
    // Merging needs each gate's controls among the other's qubits.
    if (!podmnozina(qa.c, qb.q) || !podmnozina(qb.c, qa.q)) return 0;
    const bool f = (qb.c & bitqubitu(A.ciel)) != 0;
    const bool g = (qa.c & bitqubitu(B.ciel)) != 0;
    const TKOMPLEX jedna(1.0);
    if (f && g) {
        // Same qubits, targets swapped: a controlled phase can be read on
        // the other's target.
        const bool fa = riadenafaza(A), fb = riadenafaza(B);
        if (fa && fb && jejedna(A.U.u22() * B.U.u22())) {
            A.vyradena = B.vyradena = true;
            return 3;
        }
        if (fa) {
            B.U = nasob2(B.U, A.U);
            A.vyradena = true;
            return 1;
        }
        if (fb) {
            A.U = nasob2(B.U, A.U);
            B.vyradena = true;
            return 2;
        }
        return 0;
    }
    if (f) {
        // C(B) = Q(A): A's phase a is the scalar a on B's target, and a
        // scalar B is the phase b on A's target.
        if (riadenafaza(A)) {
            const TKOMPLEX a = A.U.u22();
            if (diagonalna(B) && jejedna(a * B.U.u11()) && jejedna(a * B.U.u22())) {
                A.vyradena = B.vyradena = true;
                return 3;
            }
            if (cnot(B, matnot, eps)) return 0;
            B.U = nasob2(B.U, diag2(a, a));
            A.vyradena = true;
            return 1;
        }
        if (skalarna(B)) {
            A.U = nasob2(diag2(jedna, B.U.u11()), A.U);
            B.vyradena = true;
            return 2;
        }
        return 0;
    }
    if (g) {
        // C(A) = Q(B): the mirror.
        if (riadenafaza(B)) {
            const TKOMPLEX b = B.U.u22();
            if (diagonalna(A) && jejedna(b * A.U.u11()) && jejedna(b * A.U.u22())) {
                A.vyradena = B.vyradena = true;
                return 3;
            }
            if (cnot(A, matnot, eps)) return 0;
            A.U = nasob2(diag2(b, b), A.U);
            B.vyradena = true;
            return 2;
        }
        if (skalarna(A)) {
            B.U = nasob2(B.U, diag2(jedna, A.U.u11()));
            A.vyradena = true;
            return 1;
        }
        return 0;
    }
    if (A.ciel != B.ciel) {
        // Equal controls, different targets: a scalar gate is a phase on
        // the common controls.
        const bool sa = skalarna(A), sb = skalarna(B);
        if (sa && sb && jejedna(A.U.u11() * B.U.u11())) {
            A.vyradena = B.vyradena = true;
            return 3;
        }
        if (sa) {
            B.U = nasob2(B.U, A.U);
            A.vyradena = true;
            return 1;
        }
        if (sb) {
            A.U = nasob2(B.U, A.U);
            B.vyradena = true;
            return 2;
        }
        return 0;
    }
    // Same target and the same controls: the pair cancels when its product
    // is the identity to rounding, and is one gate otherwise.
    const TMATICA2 T = nasob2(B.U, A.U);
    if (rovnake2eps(T, jednotka, epszaokruhlenia(eps))) {
        A.vyradena = B.vyradena = true;
        return 3;
    }
    A.U = T;
    B.vyradena = true;
    return 2;
}

}  // namespace

std::uint8_t TForm1::spravid(int pos1, int pos2) {
    if (pos1 >= pos2) {
        info("Do spravid si poslal pos1=" + std::to_string(pos1) + ">=" + std::to_string(pos2) + "pos2!!!!");
        return 0;
    }
    TGATE1& A = brany[pos1];
    TGATE1& B = brany[pos2];
    if (!roboptim && (A.pocetk != 0 || B.pocetk != 0)) return 0;
    if (Kontrolptimkrok1) {
        // The pair's product, taken before any change.
        TSUCIN& P = kontrolny(0);
        if (!sucinbran(P, {&A, &B})) {
            P.M = nasob(maticabrany(B), maticabrany(A), rozmer);
            P.plna = true;
        }
        const std::uint8_t kod = pravidlazlucenia(A, B, eps, matnot, jednotka);
        overzlucenia(pos1, pos2, kod);
        return kod;
    }
    return pravidlazlucenia(A, B, eps, matnot, jednotka);
}

void TForm1::kontrolazlucenia(int pos1, int pos2, std::uint8_t kod, const TMATICA1& P) {
    TSUCIN& S = kontrolny(0);
    S.M = P;
    S.plna = true;
    overzlucenia(pos1, pos2, kod);
}

void TForm1::overzlucenia(int pos1, int pos2, std::uint8_t kod) {
    if (kod == 0) return;
    // What the pair must equal: the identity, or the survivor's new gate.
    TSUCIN& R = kontrolny(1);
    if (kod == 3) {
        if (!sucinbran(R, {})) {
            R.M = jednotkova(rozmer);
            R.plna = true;
        }
    } else {
        const TGATE1& g = brany[kod == 1 ? pos2 : pos1];
        if (!sucinbran(R, {&g})) {
            R.M = maticabrany(g);
            R.plna = true;
        }
    }
    if (rovnakesucin(kontrolny(0), R, rozmer, eps)) return;
    const std::string cisla = std::to_string(pos1) + " , " + std::to_string(pos2);
    if (kod == 3)
        log("Vyhodil si dve brany netvoriace id. cisla:" + cisla);
    else if (kod == 1)
        log("Vyhodil si branu 1 neekvivalentne cisla:" + cisla);
    else
        log("Vyhodil si branu 2 neekvivalentne cisla:" + cisla);
    zlakontrola();
}

}  // namespace qlc
