// Reduction of a unitary matrix into two-level matrices and phases.
//
// One step Redukcia(M, n) multiplies M from the right by
//   T = Tpq(n, n-1) . Tpq(n, n-2) . ... . Tpq(n, 1)
// whose column n is e^(i theta) times the conjugate of row n of M, so row n
// (and, by unitarity, column n) of M . T becomes (0, ..., 0, e^(i theta)).
// The driver runs the steps for n = rozmer down to 2; what is left is the
// diagonal matrix of the phases.
#include <charconv>
#include <cmath>
#include <numbers>

#include "core/form1.h"

namespace qlc {

namespace {

constexpr double PI = std::numbers::pi;

// The 2x2 block of vyrobTpq in rows and columns ordered (q, p), built with
// the very same expressions, so that a product with it is bit for bit the
// product with the full matrix:
//   (q,q) = sin w e^(i fi), (q,p) = cos w e^(i fi), (p,q) = cos w, (p,p) = -sin w.
TMATICA2 bloktpq(double omega, double fi) {
    return {polar(std::sin(omega), fi), polar(std::cos(omega), fi), TKOMPLEX(std::cos(omega)),
            TKOMPLEX(-std::sin(omega))};
}

// The block of vyrobTpqinv, the conjugate transpose of the one above:
//   (q,q) = sin w e^(-i fi), (q,p) = cos w, (p,q) = cos w e^(-i fi), (p,p) = -sin w.
TMATICA2 bloktpqinv(double omega, double fi) {
    return {polar(std::sin(omega), -fi), TKOMPLEX(std::cos(omega)), polar(std::cos(omega), -fi),
            TKOMPLEX(-std::sin(omega))};
}

bool platnyriadok(const TTPQ& r, int rozmer) { return 1 <= r.q && r.q < r.p && r.p <= rozmer; }

// M := M . Y for a two-level Y whose block in rows and columns (q, p) is B.
//
// Why this equals nasob(M, Y) bit for bit: nasob forms every entry as
// s = 0; s := s + M(i,k) . Y(k,j) for k ascending, snapping every product
// and sum, and skips a term with an exactly zero factor. A snapped value w
// satisfies 0 + w = w exactly, and a product with an exact 0 factor would be
// +0 anyway, so only the non-zero terms matter:
// - a column j outside {q, p} of Y is the unit vector e_j, so Z(i,j) =
//   M(i,j) . 1 = M(i,j) (re.1 - im.0 = re, im.1 + re.0 = im, a -0 being
//   snapped to +0): the column is unchanged;
// - columns q and p of Y are zero outside rows q < p, so
//   Z(i,j) = M(i,q) . Y(q,j) + M(i,p) . Y(p,j), the terms in this order.
void nasobblok(TMATICA1& M, int rozmer, int p, int q, const TMATICA2& B) {
    for (int i = 1; i <= rozmer; ++i) {
        TKOMPLEX* riadok = M.riadok(i);
        const TKOMPLEX mq = riadok[q - 1], mp = riadok[p - 1];
        riadok[q - 1] = mq * B.u11() + mp * B.u21();
        riadok[p - 1] = mq * B.u12() + mp * B.u22();
    }
}

// Row n and column n of M are zero within eps outside M(n,n).
bool riadokstlpecnulovy(const TMATICA1& M, int n, double eps) {
    bool ok = true;
    for (int k = 1; k <= n - 1; ++k) {
        if (!vtolerancii(modul(M(n, k)), eps)) ok = false;
        if (!vtolerancii(modul(M(k, n)), eps)) ok = false;
    }
    return ok;
}

bool modul1(TKOMPLEX z, double eps) { return vtolerancii(std::fabs(modul(z) - 1.0), eps); }

}  // namespace

void TForm1::nasobtpq(TMATICA1& M, const TTPQ& r) {
    if (!platnyriadok(r, rozmer)) {
        vyrobTpq(r.p, r.q, r.omega, r.fi);  // reports the row; its matrix is the identity
        return;
    }
    nasobblok(M, rozmer, r.p, r.q, bloktpq(r.omega, r.fi));
}

void TForm1::nasobtpqinv(TMATICA1& M, const TTPQ& r) {
    if (!platnyriadok(r, rozmer)) {
        vyrobTpqinv(r.p, r.q, r.omega, r.fi);
        return;
    }
    nasobblok(M, rozmer, r.p, r.q, bloktpqinv(r.omega, r.fi));
}

void TForm1::Redukcia(TMATICA1& M, int n) {
    if (n < 2 || n > rozmer) zlyindex(n, 2, rozmer);
    bool nedokoncene = false;

    if (riadokstlpecnulovy(M, n, eps)) {
        if (!modul1(M(n, n), eps)) {
            log("Pri redukcii matici o rozmere " + std::to_string(n) + " boli vsade v a[n,.] a a[.,n]" +
                " nuly, okrem a[n,n] ktore nema modul 1 => matica nemoze byt unitarna => PRIEKAK");
            zlakontrola();
        }
        return;
    }

    // Appends the n - 1 rows of this step: row c + 1 - i is (p, q) = (n, i).
    //
    // With R_k = sum_{i >= k} |M(n,i)|^2 (R_1 = 1 for a unit row) the angles
    // satisfy sin^2 w_j = R_(j+1) / R_j, so the product P of step k is R_k and
    // x = (|M(n,k)|^2 - R_(k+1)) / R_k = cos 2 w_k, giving
    // cos w_k . prod_{j<k} sin w_j = |M(n,k)|, the modulus of entry k of
    // column n of T; the phases fi make that column e^(i theta) conj(row n).
    auto omegy = [&]() {
        if (pocettpq + n - 1 > MAXTPQ) zlyindex(pocettpq + n - 1, 0, MAXTPQ);
        pocettpq += n - 1;
        const int c = pocettpq;
        const double theta = arg(M(n, n)) + static_cast<double>(n - 1) * PI;
        for (int i = 1; i <= n - 1; ++i) {
            TTPQ& r = tpq[c + 1 - i];
            r.fi = static_cast<double>(i - 1) * PI + theta - arg(M(n, i));
            r.p = n;
            r.q = i;
        }
        for (int k = 1; k <= n - 1; ++k) {
            double S = 0.0;
            for (int i = k + 1; i <= n; ++i) S = S + sqrmod(M(n, i));
            double x = sqrmod(M(n, k)) - S;
            if (k >= 2) {
                double P = 1.0;
                for (int j = 1; j <= k - 1; ++j) {
                    const double s = std::sin(tpq[c + 1 - j].omega);
                    P = P * (s * s);
                }
                // P is the squared norm of row n left in columns k..n; the
                // early stop below keeps every factor non-zero, but their
                // product can still underflow.
                if (P == 0.0) throw DelenieNulou();
                x = x / P;
            }
            // Outside [-1, 1], NaN included (a row whose squares overflow).
            if (!(x >= -1.0 && x <= 1.0)) {
                const double d = std::fabs(std::fabs(x) - 1.0);
                if (!vtolerancii(d, eps)) {
                    // d in fixed notation, 25 decimals, right-aligned in 30
                    // characters; "." whatever the locale.
                    char text[512];
                    const auto v = std::to_chars(text, text + sizeof text, d, std::chars_format::fixed, 25);
                    std::string cislo(text, v.ptr);
                    if (cislo.size() < 30) cislo.insert(0, 30 - cislo.size(), ' ');
                    log("Redukcia n=" + std::to_string(n) + ". Pri vypocte omegy " + std::to_string(k) +
                        " je hodnota dodana do arccos mimo <-1,1> o d=" + cislo + " => PRIEKAK");
                    zlakontrola();
                }
                x = x / std::fabs(x);
            }
            TTPQ& r = tpq[c + 1 - k];
            // x = cos 2w only serves the report above. The angle itself is
            // taken as w = atan2(sqrt(S), |M(n,k)|), the same value, since
            // tan w_k = sqrt(R_(k+1)) / |M(n,k)|; acos(x)/2 loses half the
            // digits when x is near -1 (an entry small against the rest of
            // the row), and on 32 x 32 matrices those lost digits add up to
            // more than eps in the reduced row.
            r.omega = std::atan2(std::sqrt(S), modul(M(n, k)));
            if (std::sin(r.omega) == 0.0) {
                // x = 1: row n has no norm left beyond column k. The factors
                // for q = 1..k, the rightmost of T, already make entries
                // k + 1..n of column n of T zero; the rows for q = k + 1..n - 1
                // keep omega = 0, and their factors, which mix only entries q
                // and n of that column, leave it unchanged. The phase theta is
                // dropped, so the new M(n,n) becomes 1.
                for (int m = 1; m <= k; ++m)
                    tpq[c + 1 - m].fi = static_cast<double>(m - 1) * PI - arg(M(n, m));
                nedokoncene = true;
                break;
            }
        }
    };

    const int b = pocettpq;
    omegy();

    TMATICA1 T = vyrobTpq(tpq[b + 1].p, tpq[b + 1].q, tpq[b + 1].omega, tpq[b + 1].fi);
    for (int r = b + 2; r <= b + n - 1; ++r) nasobtpq(T, tpq[r]);
    if (!unitarna(T, rozmer, eps)) {
        log("T=T*T... nie je unitarna mat. ");
        zlakontrola();
    }
    M = nasob(M, T, rozmer);
    if (!unitarna(M, rozmer, eps)) {
        log("U*T uz nie je unitarna mat. ");
        zlakontrola();
    }

    if (!riadokstlpecnulovy(M, n, eps) || !modul1(M(n, n), eps)) {
        log("!!!! Po redukcii mat. o rozmere " + std::to_string(n) +
            " neboli vsade v a[n,.] a a[.,n] nuly, alebo a[n,n] nema modul 1");
        if (nedokoncene) log("!!!!! Neboli dokoncene vsetky omegy!!!!!!!!!!");
        zlakontrola();
        zobrazmaticu(M);
        info("!!!! Redukcia: Problem!!");
    }
}

}  // namespace qlc
