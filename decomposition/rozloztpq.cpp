// Two-level matrices and the diagonal of phases into multi-controlled gates.
//
// A two-level matrix on states q < p is realised along a Gray-code path of
// basis states from q to p: controlled NOT gates move q step by step next to
// p, one gate with all other qubits as controls applies the 2x2 block to the
// last pair, and the same NOT gates in reverse order move the states back.
// A control that must be 0 is a NOT gate on that qubit before and after.
#include <cmath>

#include "core/form1.h"

namespace qlc {

namespace {

// One row of the transition table: the bits of a state on the path and the
// qubit that flips on the way to the next row (0 in the last row).
struct TPRECHOD {
    TBSTAV bstav{};
    int qubit = 0;
};
// At most n + 1 <= 6 states on the path.
using TTABULKA = Pole<TPRECHOD, 1, 6>;

// NOT gates on every qubit other than t that is 0 in b, ascending.
void pridajnegacie(TForm1& f, const TBSTAV& b, int t) {
    for (int i = 1; i <= f.pocetq; ++i) {
        if (i == t || b[i] != 0) continue;
        f.novabrana();
        TGATE1& g = f.brany[f.pocetb1];
        g.pocetk = 0;
        g.ciel = static_cast<std::uint8_t>(i);
        g.U = f.matnot;
    }
}

// The gate of transition a of the table with matrix M: target the
// transition qubit, every other qubit a control, those that must be 0
// wrapped in NOT gates.
void pridajprechod(TForm1& f, const TTABULKA& tab, int a, const TMATICA2& M) {
    const int n = f.pocetq;
    const TBSTAV& b = tab[a].bstav;
    const int t = tab[a].qubit;
    pridajnegacie(f, b, t);
    f.novabrana();
    TGATE1& g = f.brany[f.pocetb1];
    g.pocetk = static_cast<std::uint8_t>(n - 1);
    g.ciel = static_cast<std::uint8_t>(t);
    int j = 0;
    for (int i = 1; i <= n; ++i)
        if (i != t) g.kontroly[++j] = static_cast<std::uint8_t>(i);
    g.U = M;
    pridajnegacie(f, b, t);
}

}  // namespace

void TForm1::RozlozTpq(int u) {
    const TTPQ r = tpq[u];
    const int n = pocetq;
    if (!(1 <= r.q && r.q < r.p && r.p <= rozmer)) {
        // Such a row stands for the identity (vyrobTpqinv makes it so in the
        // reconstruction), so it gets no gates.
        log("Ziadas rozklad Tpq, ktory je nezmyselny. p= " + std::to_string(r.p) + " , q= " +
            std::to_string(r.q) + " ,preto nebola pridana ziadna brana.");
        zlakontrola();
        return;
    }

    // Gray-code path from q to p, flipping bits in ascending qubit order.
    TTABULKA tab;
    tab[1].bstav = tobin(r.q);
    int c = 1;
    const TBSTAV P = tobin(r.p);
    for (int i = 1; i <= n; ++i) {
        if (tab[c].bstav[i] == P[i]) continue;
        tab[c].qubit = i;
        ++c;
        tab[c].bstav = tab[c - 1].bstav;
        tab[c].bstav[i] = P[i];
    }
    bool dobre = true;
    for (int i = 1; i <= n; ++i)
        if (tab[c].bstav[i] != P[i]) dobre = false;
    if (!dobre) {
        info("!!! Rozklad Tpq: Tabulka prechodu od q k p neni dobre vygenerovana!!!");
        zlakontrola();
    }

    Pole<int, 1, 10> s{};
    for (int i = 1; i <= c; ++i) s[i] = todec(tab[i].bstav);

    // The NOT transitions move q to s[c-1] and leave p in place. Each time
    // a step crosses p, the moved state changes the side of p it lies on;
    // k odd means s[c-1] > p, so target value 0 of the last gate belongs to
    // p and the block is taken with rows and columns exchanged.
    int k = 0;
    for (int i = 1; i <= c - 2; ++i)
        if ((s[i] < r.p && r.p < s[i + 1]) || (s[i] > r.p && r.p > s[i + 1])) ++k;

    const double sn = std::sin(r.omega), cs = std::cos(r.omega);
    TMATICA2 V;
    if (k % 2 == 0)
        V = {polar(sn, -r.fi), TKOMPLEX(cs), polar(cs, -r.fi), TKOMPLEX(-sn)};
    else
        V = {TKOMPLEX(-sn), polar(cs, -r.fi), TKOMPLEX(cs), polar(sn, -r.fi)};

    if (c == 2) {
        pridajprechod(*this, tab, 1, V);
    } else {
        for (int a = 1; a <= c - 2; ++a) pridajprechod(*this, tab, a, matnot);
        pridajprechod(*this, tab, c - 1, V);
        for (int a = c - 2; a >= 1; --a) pridajprechod(*this, tab, a, matnot);
    }
}

// D = diag(e^(-i fazy[1]), ..., e^(-i fazy[rozmer])) as one diagonal gate
// on qubit n per pair of states 2i - 1, 2i, controlled by qubits 1..n-1
// (NOT gates where those are 0). The gates act on disjoint pairs, so their
// order does not matter.
void TForm1::RozlozFazy() {
    const int n = pocetq;
    const int pary = 1 << (n - 1);
    for (int i = 1; i <= pary; ++i) {
        const int k1 = 2 * i - 1, k2 = 2 * i;
        // Exact comparison: -0.0 counts as 0 as well.
        if (fazy[k1] == 0.0 && fazy[k2] == 0.0) continue;
        const TBSTAV b = tobin(k1);
        pridajnegacie(*this, b, n);
        novabrana();
        TGATE1& g = brany[pocetb1];
        g.pocetk = static_cast<std::uint8_t>(n - 1);
        g.ciel = static_cast<std::uint8_t>(n);
        for (int j = 1; j <= n - 1; ++j) g.kontroly[j] = static_cast<std::uint8_t>(j);
        g.U = {polar(1.0, -fazy[k1]), TKOMPLEX(), TKOMPLEX(), polar(1.0, -fazy[k2])};
        pridajnegacie(*this, b, n);
    }
}

}  // namespace qlc
