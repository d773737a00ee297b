// Two-level matrices: the identity except for the block where rows p and q
// meet columns p and q (q < p), fixed by the rotation angle omega and the
// phase angle fi.
#include "core/form1.h"

namespace qlc {

namespace {
bool platnetpq(int p, int q, int rozmer) { return 1 <= q && q < p && p <= rozmer; }
}  // namespace

static void nezmyselna(TForm1& f, int p, int q) {
    f.log("Ziadas vyrobu Tpq, ktora je nezmyselna. p= " + std::to_string(p) + " , q= " + std::to_string(q) +
          " ,preto bola namiesto toho vyrobena jednotkova matica.");
}

// Block in rows and columns (q, p): [[sin w e^(i fi), cos w e^(i fi)], [cos w, -sin w]];
// its determinant is -e^(i fi).
TMATICA1 TForm1::vyrobTpq(int p, int q, double omega, double fi) {
    TMATICA1 T = jednotkova(rozmer);
    if (!platnetpq(p, q, rozmer)) {
        nezmyselna(*this, p, q);
        return T;
    }
    T(p, p) = TKOMPLEX(-std::sin(omega));
    T(p, q) = TKOMPLEX(std::cos(omega));
    T(q, q) = polar(std::sin(omega), fi);
    T(q, p) = polar(std::cos(omega), fi);
    return T;
}

// The conjugate transpose of vyrobTpq, which is also its inverse.
TMATICA1 TForm1::vyrobTpqinv(int p, int q, double omega, double fi) {
    TMATICA1 T = jednotkova(rozmer);
    if (!platnetpq(p, q, rozmer)) {
        nezmyselna(*this, p, q);
        return T;
    }
    T(p, p) = TKOMPLEX(-std::sin(omega));
    T(q, p) = TKOMPLEX(std::cos(omega));
    T(q, q) = polar(std::sin(omega), -fi);
    T(p, q) = polar(std::cos(omega), -fi);
    return T;
}

}  // namespace qlc
