#include "matica.h"

#include <algorithm>
#include <cmath>

namespace qlc {

void zlyindex(long long i, long long lo, long long hi) {
    throw ChybaRozsahu("Index " + std::to_string(i) + " mimo rozsahu " + std::to_string(lo) + ".." +
                       std::to_string(hi));
}

static void skontrolujrozmer(int rozmer) {
    if (rozmer < 1 || rozmer > MAXROZMER) zlyindex(rozmer, 1, MAXROZMER);
}

TMATICA1 jednotkova(int rozmer) {
    skontrolujrozmer(rozmer);
    TMATICA1 I;
    for (int i = 1; i <= rozmer; ++i) I(i, i) = TKOMPLEX(1.0);
    return I;
}

TMATICA1 nasob(const TMATICA1& X, const TMATICA1& Y, int rozmer) {
    skontrolujrozmer(rozmer);
    TMATICA1 Z = X;
    // Y transposed into a compact buffer, so the inner loop walks memory in order.
    std::array<TKOMPLEX, MAXROZMER * MAXROZMER> yt;
    for (int k = 0; k < rozmer; ++k)
        for (int j = 0; j < rozmer; ++j) yt[j * MAXROZMER + k] = Y.a[k * MAXROZMER + j];
    for (int i = 0; i < rozmer; ++i) {
        const TKOMPLEX* xr = &X.a[i * MAXROZMER];
        // Indices of the non-zero entries of row i of X.
        int nz[MAXROZMER];
        int pocet = 0;
        for (int k = 0; k < rozmer; ++k)
            if (!xr[k].nula()) nz[pocet++] = k;
        for (int j = 0; j < rozmer; ++j) {
            const TKOMPLEX* yc = &yt[j * MAXROZMER];
            TKOMPLEX s;
            for (int t = 0; t < pocet; ++t) {
                const int k = nz[t];
                if (yc[k].nula()) continue;
                s = s + xr[k] * yc[k];
            }
            Z.a[i * MAXROZMER + j] = s;
        }
    }
    return Z;
}

void hermit(TMATICA1& M, int rozmer) {
    skontrolujrozmer(rozmer);
    for (int i = 1; i <= rozmer; ++i)
        for (int j = i; j <= rozmer; ++j) {
            const TKOMPLEX t = M(i, j);
            M(i, j) = conj(M(j, i));
            M(j, i) = conj(t);
        }
}

bool rovnake(const TMATICA1& X, const TMATICA1& Y, int rozmer, double eps) {
    skontrolujrozmer(rozmer);
    bool vysledok = true;
    for (int i = 0; i < rozmer; ++i)
        for (int j = 0; j < rozmer; ++j)
            if (!vtolerancii(modul(X.a[i * MAXROZMER + j] - Y.a[i * MAXROZMER + j]), eps)) vysledok = false;
    return vysledok;
}

bool unitarna(const TMATICA1& X, int rozmer, double eps) {
    TMATICA1 B = X;
    hermit(B, rozmer);
    B = nasob(B, X, rozmer);
    return rovnake(B, jednotkova(rozmer), rozmer, eps);
}

double odchylka(const TMATICA1& X, const TMATICA1& Y, int rozmer) {
    skontrolujrozmer(rozmer);
    double m = 0.0;
    for (int i = 0; i < rozmer; ++i)
        for (int j = 0; j < rozmer; ++j) {
            const double d = modul(X.a[i * MAXROZMER + j] - Y.a[i * MAXROZMER + j]);
            // std::max(m, NaN) would keep m: a NaN entry is the largest deviation there is
            if (std::isnan(d)) return d;
            m = std::max(m, d);
        }
    return m;
}

TMATICA2 nasob2(const TMATICA2& X, const TMATICA2& Y) {
    TMATICA2 Z;
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 2; ++j) {
            TKOMPLEX s;
            for (int k = 1; k <= 2; ++k) s = s + X(i, k) * Y(k, j);
            Z(i, j) = s;
        }
    return Z;
}

TMATICA2 hermit2(const TMATICA2& X) {
    return {conj(X.u11()), conj(X.u21()), conj(X.u12()), conj(X.u22())};
}

bool rovnake2(const TMATICA2& X, const TMATICA2& Y, double eps) {
    bool vysledok = true;
    for (int k = 0; k < 4; ++k)
        if (!vtolerancii(modul(X.a[k] - Y.a[k]), eps)) vysledok = false;
    return vysledok;
}

bool unitarna2(const TMATICA2& X, double eps) {
    const TMATICA2 W = nasob2(hermit2(X), X);
    return rovnake2(W, diag2(1.0, 1.0), eps);
}

bool diagonalna2(const TMATICA2& X) { return rovnasa(X.u12(), 0.0) && rovnasa(X.u21(), 0.0); }

TMATICA2 diag2(TKOMPLEX x, TKOMPLEX y) { return {x, TKOMPLEX(), TKOMPLEX(), y}; }

}  // namespace qlc
