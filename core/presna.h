#pragma once
// The input matrix as the user gave it: its entries before the store's zero
// snapping, kept beside the program's TMATICA1 so that the minimal-CNOT
// synthesis starts from them and every deviation figure is measured against
// them. The two-level method works on the snapped matrix, as it always has.
#include <complex>
#include <vector>

#include "brany.h"
#include "matica.h"

namespace qlc {

struct TPRESNA {
    int rozmer = 0;  // 0: no entries held
    std::vector<std::complex<double>> a;  // row by row

    TPRESNA() = default;
    explicit TPRESNA(int rozmer);
    // Checked access, rows and columns 1..rozmer.
    std::complex<double>& operator()(int i, int j);
    const std::complex<double>& operator()(int i, int j) const;
    bool prazdna() const { return rozmer == 0; }
};

// The entries of M's leading rozmer x rozmer block as they are stored.
TPRESNA presnazmatice(const TMATICA1& M, int rozmer);

// M's leading block as the store keeps p (every part snapped).
TMATICA1 zaokruhli(const TPRESNA& p);

// p holds the entries of M: same size, and every entry of p snaps to M's
// entry bit for bit. A copy made before M was changed fails this.
bool zodpoveda(const TPRESNA& p, const TMATICA1& M, int rozmer);

// p when it holds the entries of M, otherwise M's own entries.
TPRESNA presnaalebo(const TPRESNA& p, const TMATICA1& M, int rozmer);

// Largest modulus of an entry of C - V, where C is the product of the gates
// brany[1..pocet] (the first acts first) on pocetq qubits, V.rozmer = 2^pocetq,
// computed in plain double arithmetic without snapping: the circuit's entries
// are the gate entries as the store holds them, and nothing else rounds them.
// NaN when an entry is NaN. ChybaBehu for a gate that is not well formed.
double odchylkasiete(TZoznamBran brany, int pocet, int pocetq, const TPRESNA& V);

}  // namespace qlc
