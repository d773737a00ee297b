// Basis states, the full matrix of one gate and the composition of a range
// of gates.
#include "brany.h"

#include "core/form1.h"

namespace qlc {

TBSTAV TForm1::tobin(int s) {
    TBSTAV b;
    if (s > (1 << pocetq) || s < 1) info("Do tobin bolo dodane nezmyselne cislo stavu :" + std::to_string(s));
    if (s < 1) return b;  // all bits 0
    int x = s - 1;
    for (int k = pocetq; k >= 1; --k) {
        b[k] = static_cast<std::uint8_t>(x % 2);
        x /= 2;
    }
    return b;
}

int TForm1::todec(const TBSTAV& bstav) {
    int vysledok = 0, vaha = 1;
    for (int k = pocetq; k >= 1; --k) {
        if (bstav[k] == 1)
            vysledok += vaha;
        else if (bstav[k] != 0)
            info("Do todec bolo dodane nezmyselne bitove pole bstav[" + std::to_string(k) +
                 "]=" + std::to_string(bstav[k]));
        vaha *= 2;
    }
    return vysledok + 1;
}

TMATICA1 TForm1::maticabrany(const TGATE1& g) {
    TMATICA1 M = jednotkova(rozmer);
    int pocet = 0;
    for (int i = 1; i <= rozmer; ++i) {
        TBSTAV b = tobin(i);
        if (b[g.ciel] == 1) continue;
        bool preskoc = false;
        for (int j = 1; j <= g.pocetk; ++j)
            if (b[g.kontroly[j]] == 0) preskoc = true;
        if (preskoc) continue;
        ++pocet;
        b[g.ciel] = 1;
        const int e = todec(b);
        M(i, i) = g.U(1, 1);
        M(i, e) = g.U(1, 2);
        M(e, i) = g.U(2, 1);
        M(e, e) = g.U(2, 2);
    }
    const int ocakavany = pocetq - g.pocetk - 1 >= 0 ? 1 << (pocetq - g.pocetk - 1) : 0;
    if (pocet != ocakavany) info("Moja metoda zapisu U pre branu ma chybu!!!");
    return M;
}

bool spravnabrana(const TGATE1& g, int pocetq) {
    if (g.ciel < 1 || g.ciel > pocetq || g.pocetk > 4 || g.pocetk > pocetq - 1) return false;
    unsigned maska = 1u << g.ciel;
    for (int j = 1; j <= g.pocetk; ++j) {
        const int q = g.kontroly[j];
        if (q < 1 || q > pocetq || (maska & (1u << q))) return false;
        maska |= 1u << q;
    }
    return true;
}

void aplikujbranu(const TGATE1& g, int pocetq, TMATICA1& M) {
    const int rozmer = 1 << pocetq;
    // Qubit k is bit (pocetq - k) of the state number minus one.
    const unsigned t = 1u << (pocetq - g.ciel);
    unsigned c = 0;
    for (int j = 1; j <= g.pocetk; ++j) c |= 1u << (pocetq - g.kontroly[j]);
    const TKOMPLEX u11 = g.U.u11(), u12 = g.U.u12(), u21 = g.U.u21(), u22 = g.U.u22();
    // A product with an exact 0 is +0 after snapping, and w + 0 = w for a
    // snapped w, so a diagonal or anti-diagonal U needs one product per
    // entry, with the same bits as the full sum.
    const bool diagonalna = u12.nula() && u21.nula();
    const bool antidiagonalna = u11.nula() && u22.nula();
    for (unsigned s = 0; s < static_cast<unsigned>(rozmer); ++s) {
        if ((s & t) || (s & c) != c) continue;
        TKOMPLEX* ri = M.riadok(static_cast<int>(s) + 1);
        TKOMPLEX* re = M.riadok(static_cast<int>(s | t) + 1);
        if (diagonalna) {
            for (int j = 0; j < rozmer; ++j) {
                ri[j] = u11 * ri[j];
                re[j] = u22 * re[j];
            }
        } else if (antidiagonalna) {
            for (int j = 0; j < rozmer; ++j) {
                const TKOMPLEX x = ri[j];
                ri[j] = u12 * re[j];
                re[j] = u21 * x;
            }
        } else {
            for (int j = 0; j < rozmer; ++j) {
                const TKOMPLEX x = ri[j], y = re[j];
                ri[j] = u11 * x + u12 * y;
                re[j] = u21 * x + u22 * y;
            }
        }
    }
}

TMATICA1 TForm1::kompozicia(TZoznamBran b, int pocet, int pzac, int pkon) {
    // An empty circuit implements the identity.
    if (pocet <= 0) return jednotkova(rozmer);
    if (pzac < 1) {
        info("Do kompozicie prislo pzac<1 !!!");
        pzac = 1;
    }
    if (pzac > pocet) {
        info("Do kompozicie prislo pzac>pocetb1 !!!");
        pzac = pocet;
    }
    if (pkon < 1) {
        info("Do kompozicie prislo pkon<1 !!!");
        pkon = 1;
    }
    if (pkon > pocet) {
        info("Do kompozicie prislo pkon>pocetb1 !!!");
        pkon = pocet;
    }
    if (pzac > pkon) {
        info("Do kompozicie prislo pzac>pkon !!!");
        std::swap(pzac, pkon);
    }
    TMATICA1 M = maticabrany(b[pzac]);
    // A long composition reports the progress bar as it stands every few
    // milliseconds, so that a caller may end the run meanwhile.
    constexpr int HLASENIE = 2048;
    for (int i = pzac + 1; i <= pkon; ++i) {
        if ((i - pzac) % HLASENIE == 0) zmena(Ovladac::ProgressBar1);
        const TGATE1& g = b[i];
        if (spravnabrana(g, pocetq))
            aplikujbranu(g, pocetq, M);
        else
            M = nasob(maticabrany(g), M, rozmer);
    }
    return M;
}

void TForm1::novabrana() {
    if (pocetb1 >= MAXBRAN) {
        info("Prave sa dosiahol maximalny povoleny pocet bran!!!!");
        throw PlnyZasobnik();
    }
    ++pocetb1;
    brany[pocetb1].vyradena = false;
    if (pocetb1 == MAXBRAN) info("Prave sa dosiahol maximalny povoleny pocet bran!!!!");
}

}  // namespace qlc
