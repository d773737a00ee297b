#pragma once
// The full matrix TMATICA1 (64 x 64, indices 1..64, of which 1..rozmer are
// used) and the 2x2 matrix TMATICA2 of one gate, with their operations.
// Every operation works on the leading rozmer x rozmer block only and
// leaves the other entries as they are.
#include <array>
#include <cstddef>

#include "komplex.h"
#include "pole.h"

namespace qlc {

struct TMATICA1 {
    // Checked access, rows and columns 1..64.
    TKOMPLEX& operator()(int i, int j) {
        if (i < 1 || i > MAXROZMER) zlyindex(i, 1, MAXROZMER);
        if (j < 1 || j > MAXROZMER) zlyindex(j, 1, MAXROZMER);
        return a[static_cast<std::size_t>((i - 1) * MAXROZMER + (j - 1))];
    }
    const TKOMPLEX& operator()(int i, int j) const {
        if (i < 1 || i > MAXROZMER) zlyindex(i, 1, MAXROZMER);
        if (j < 1 || j > MAXROZMER) zlyindex(j, 1, MAXROZMER);
        return a[static_cast<std::size_t>((i - 1) * MAXROZMER + (j - 1))];
    }
    // Row i (1-based) as a pointer to its 64 entries; for kernels that
    // checked their range once.
    TKOMPLEX* riadok(int i) { return &(*this)(i, 1); }
    const TKOMPLEX* riadok(int i) const { return &(*this)(i, 1); }

    std::array<TKOMPLEX, MAXROZMER * MAXROZMER> a{};
};

struct TMATICA2 {
    TMATICA2() = default;
    TMATICA2(TKOMPLEX u11, TKOMPLEX u12, TKOMPLEX u21, TKOMPLEX u22) : a{u11, u12, u21, u22} {}

    // Checked access, entries (1,1), (1,2), (2,1), (2,2).
    TKOMPLEX& operator()(int i, int j) {
        if (i < 1 || i > 2) zlyindex(i, 1, 2);
        if (j < 1 || j > 2) zlyindex(j, 1, 2);
        return a[static_cast<std::size_t>((i - 1) * 2 + (j - 1))];
    }
    const TKOMPLEX& operator()(int i, int j) const {
        if (i < 1 || i > 2) zlyindex(i, 1, 2);
        if (j < 1 || j > 2) zlyindex(j, 1, 2);
        return a[static_cast<std::size_t>((i - 1) * 2 + (j - 1))];
    }
    // Unchecked names of the four entries, row by row.
    TKOMPLEX& u11() { return a[0]; }
    TKOMPLEX& u12() { return a[1]; }
    TKOMPLEX& u21() { return a[2]; }
    TKOMPLEX& u22() { return a[3]; }
    const TKOMPLEX& u11() const { return a[0]; }
    const TKOMPLEX& u12() const { return a[1]; }
    const TKOMPLEX& u21() const { return a[2]; }
    const TKOMPLEX& u22() const { return a[3]; }

    std::array<TKOMPLEX, 4> a{};
};

// Identity of size rozmer in the leading block; other entries zero.
TMATICA1 jednotkova(int rozmer);

// Z := X . Y over 1..rozmer: for every (i, j) the sum over k in increasing
// order with zero snapping after every product and every sum. Terms with an
// exactly zero factor are skipped: such a term is +0 after snapping and
// adding it changes nothing, so the result is the same bit for bit.
// Entries outside the leading block are taken from X.
TMATICA1 nasob(const TMATICA1& X, const TMATICA1& Y, int rozmer);
// M := M^dagger in place.
void hermit(TMATICA1& M, int rozmer);
// Every entry of X - Y has modulus at most eps (no early exit); an entry
// that is NaN or infinite, or whose difference overflows, is never within eps.
bool rovnake(const TMATICA1& X, const TMATICA1& Y, int rozmer, double eps);
// X^dagger . X equal to the identity within eps.
bool unitarna(const TMATICA1& X, int rozmer, double eps);
// Largest modulus of an entry of X - Y; NaN when an entry's difference is NaN.
double odchylka(const TMATICA1& X, const TMATICA1& Y, int rozmer);

TMATICA2 nasob2(const TMATICA2& X, const TMATICA2& Y);
TMATICA2 hermit2(const TMATICA2& X);
bool rovnake2(const TMATICA2& X, const TMATICA2& Y, double eps);
bool unitarna2(const TMATICA2& X, double eps);
// Both off-diagonal entries zero by complex equality (not eps).
bool diagonalna2(const TMATICA2& X);
TMATICA2 diag2(TKOMPLEX x, TKOMPLEX y);

}  // namespace qlc
