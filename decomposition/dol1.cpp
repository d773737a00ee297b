// Multi-controlled gates Lm(U), m >= 2, into gates with one control: with
// V^(2^(m-1)) = U, the controlled roots V and V^dagger run over the non-zero
// Gray codes of the m controls and the CNOTs between the controls keep the
// parity of the code in one of them; the total power of V is 2^(m-1)
// exactly when all controls are 1 and 0 otherwise.
#include <algorithm>

#include "core/form1.h"

namespace qlc {

namespace {

// Number of gates that replace a gate with m controls: 1 for m < 2,
// 1 + sum over levels t = 2..m of 2 * 2^(t-1) = 2^(m+1) - 3 otherwise.
// A record with more than the four controls a gate can hold is refused
// before the store is touched.
int pocetLm(int m) {
    if (m > 4) zlyindex(m, 0, 4);
    return m < 2 ? 1 : (1 << (m + 1)) - 3;
}

int pocetjednotiek(int x) {
    int n = 0;
    for (; x != 0; x >>= 1) n += x & 1;
    return n;
}

}  // namespace

int TForm1::easytoffoli(TMATICA2 U, int m, TROZPISLM& rozpis, int kapacita) {
    if (m < 2) {
        info("easytoffoli: Ziadas rozklad brany, ktora sa da rozlozit jednoduchsimi metodami!!!");
        return 0;
    }
    const int potrebne = pocetLm(m);
    if (kapacita < potrebne || kapacita > ROZPISLM) zlyindex(potrebne, 1, std::min(kapacita, ROZPISLM));

    // Gray codes G(g) = g xor (g >> 1) of g = 0..2^m - 1 and their weights.
    Pole<int, 0, 15> gray;
    Pole<int, 0, 15> jednotky;
    for (int g = 0; g <= (1 << m) - 1; ++g) {
        gray[g] = g ^ (g >> 1);
        jednotky[g] = pocetjednotiek(gray[g]);
    }

    TMATICA2 V = U;
    Odmocnina(V, 1 << (m - 1));
    const TMATICA2 W = hermit2(V);

    // Labels: j = 1..m for the controls (label j is bit m - j of a code),
    // m + 1 for the target.
    int c = 0;
    auto pridaj = [&](const TMATICA2& X, int ciel, int kontrola) {
        ++c;
        TGATE1& b = rozpis[c];
        b = TGATE1{};
        b.U = X;
        b.pocetk = 1;
        b.vyradena = false;
        b.ciel = static_cast<std::uint8_t>(ciel);
        b.kontroly[1] = static_cast<std::uint8_t>(kontrola);
    };

    // Code 1 has only label m set.
    pridaj(V, m + 1, m);
    int zaklad = 1;
    for (int t = 2; t <= m; ++t) {
        // Codes 2^(t-1)..2^t - 1 all have label a set; control a carries their
        // parity. The first code of the level also has label a + 1 set and the
        // last one only label a, so the level starts and ends with a holding
        // its own value.
        const int a = m - t + 1;
        for (int h = 1; h <= 1 << (t - 1); ++h) {
            const int g = zaklad + h;
            int b = a + 1;
            if (h != 1) {
                const int rozdiel = gray[g - 1] ^ gray[g];
                int bit = 0;
                while ((rozdiel >> bit) != 1) ++bit;
                b = m - bit;
            }
            pridaj(matnot, a, b);
            pridaj(jednotky[g] % 2 == 1 ? V : W, m + 1, a);
        }
        zaklad += 1 << (t - 1);
    }
    return c;
}

int TForm1::rozpisLm(TGATE1 g, TROZPISLM& rozpis, int kapacita) {
    const int m = g.pocetk;
    const int c = easytoffoli(g.U, m, rozpis, kapacita);
    for (int i = 1; i <= c; ++i) {
        TGATE1& r = rozpis[i];
        r.ciel = r.ciel == m + 1 ? g.ciel : g.kontroly[r.ciel];
        for (int j = 1; j <= r.pocetk; ++j) r.kontroly[j] = g.kontroly[r.kontroly[j]];
    }
    return c;
}

// The circuit is rewritten in place: moved to records 400000 - N + 1..400000
// and written from record 1 up, so the write position stays below the read
// position as long as the result fits. The growth (out - read) never
// decreases, so the result fits exactly when its final size, known from the
// control counts alone, is at most 400,000. When it does not, the same walk
// runs without moving or writing anything: its messages come in the same
// order, and the store keeps the circuit as it was before the stage.
void TForm1::DoL1() {
    eps = EPS_L1;
    const int N = pocetb1;
    if (N < 0 || N > MAXBRAN) zlyindex(N, 0, MAXBRAN);
    long long velkost = 0;
    for (int n = 1; n <= N; ++n) velkost += pocetLm(brany[n].pocetk);
    const bool nasucho = velkost > MAXBRAN;

    const int zaklad = MAXBRAN - N;
    if (!nasucho)
        for (int s = N; s >= 1; --s) brany[zaklad + s] = brany[s];

    int k = 0;
    progresstart(N);
    TROZPISLM rozpis;
    for (int i = zaklad + 1; i <= MAXBRAN; ++i) {
        progreskrok();
        const TGATE1& g = brany[nasucho ? i - zaklad : i];
        if (g.pocetk < 2) {
            ++k;
            if (!nasucho) brany[k] = g;
            continue;
        }
        const int c = rozpisLm(g, rozpis, ROZPISLM);
        if (k + c > i) {
            info("!!!!DoL1(U): V rozsahu pola n1 sa neda vykonat rozpis Lm(U) bran");
            zlakontrola();
            if (!nasucho) {
                // Not reached while the size above is right: keep a consistent
                // circuit, the gates written so far and then the unread ones.
                int n = k;
                for (int s = i; s <= MAXBRAN; ++s) brany[++n] = brany[s];
                pocetb1 = n;
            }
            return;
        }
        if (!nasucho)
            for (int j = 1; j <= c; ++j) brany[k + j] = rozpis[j];
        k += c;
    }
    if (nasucho) return;
    pocetb1 = k;
    progresskry();
}

}  // namespace qlc
