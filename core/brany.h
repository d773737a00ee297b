#pragma once
// The gate record, the circuit store and the small arrays of the model.
#include <cstdint>
#include <memory>
#include <span>

#include "matica.h"
#include "pole.h"

namespace qlc {

// One gate: the 2x2 unitary U on the target qubit ciel, applied when every
// control qubit kontroly[1..pocetk] is 1.
struct TGATE1 {
    TMATICA2 U;
    std::uint8_t pocetk = 0;
    bool vyradena = false;
    std::uint8_t ciel = 1;
    Pole<std::uint8_t, 1, 4> kontroly{};
};

// Read-only view of a gate array with indices 0..high, as the drawing and
// the composition take it; every access is checked.
class TZoznamBran {
public:
    TZoznamBran(const TGATE1* data, int high) : data_(data), high_(high) {}
    const TGATE1& operator[](long long i) const {
        if (i < 0 || i > high_) zlyindex(i, 0, high_);
        return data_[i];
    }
    int high() const { return high_; }

private:
    const TGATE1* data_;
    int high_;
};

// The circuit store: records 0..400000, record 0 never used.
class TGATES1 {
public:
    TGATES1() : d_(std::make_unique<TGATE1[]>(MAXBRAN + 1)) {}
    TGATES1(const TGATES1& o) : TGATES1() { std::copy(o.d_.get(), o.d_.get() + MAXBRAN + 1, d_.get()); }
    TGATES1& operator=(const TGATES1& o) {
        std::copy(o.d_.get(), o.d_.get() + MAXBRAN + 1, d_.get());
        return *this;
    }
    TGATE1& operator[](long long i) {
        if (i < 0 || i > MAXBRAN) zlyindex(i, 0, MAXBRAN);
        return d_[i];
    }
    const TGATE1& operator[](long long i) const {
        if (i < 0 || i > MAXBRAN) zlyindex(i, 0, MAXBRAN);
        return d_[i];
    }
    operator TZoznamBran() const { return {d_.get(), MAXBRAN}; }  // NOLINT
    TGATE1* data() { return d_.get(); }
    const TGATE1* data() const { return d_.get(); }

private:
    std::unique_ptr<TGATE1[]> d_;
};

// One row of the table of two-level matrices.
struct TTPQ {
    double omega = 0.0;
    double fi = 0.0;
    std::int32_t p = 0;
    std::int32_t q = 0;
};

// Bits of a basis state: bstav[k] is the value of qubit k (1..5).
using TBSTAV = Pole<std::uint8_t, 1, 5>;

// The gate is well formed on n qubits: target and controls in 1..n,
// pairwise different, at most n - 1 controls. Only such gates take the
// fast paths below; maticabrany handles every other gate.
bool spravnabrana(const TGATE1& g, int pocetq);

// M := G . M for the full matrix G of a well-formed gate g on pocetq qubits,
// touching only the pairs of rows the gate acts on. The result is the same
// bit for bit as nasob(maticabrany(g), M): every skipped term is an exact 0.
void aplikujbranu(const TGATE1& g, int pocetq, TMATICA1& M);

}  // namespace qlc
