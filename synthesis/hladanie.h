#pragma once
// The numerical search for the fewest CNOTs: structure of the matrix first
// (scalar, Kronecker factors, diagonal), then for every factor of three or
// more qubits a search over CNOT placements that grows the circuit one CNOT
// at a time and stops at the first placement whose fitted circuit is exact.
// What the search does not find within its budget comes from the generic
// numerical circuit and, last of all, from the analytic block-ZXZ circuit:
// the result is always exact.
//
// Values in, values out, as syntetizuj: the driver gets its progress through
// a plain function.
#include <functional>

#include "synteza.h"

namespace qlc::synteza {

// Default time limit of a whole call in seconds: a 5-qubit matrix ends
// within a minute with its fallbacks.
inline constexpr double HLADANIE_LIMIT = 40.0;

struct TVOLBYHLADANIA {
    // Seconds for the whole call; 0 = HLADANIE_LIMIT. When the time is up
    // the shortest exact circuit found so far is kept. A limit beyond
    // HLADANIE_LIMIT also raises the default budget of fits of 3- and
    // 4-qubit factors by a fixed number for each second beyond it; on three
    // qubits the fits beyond the default go to a local search over
    // placements of a fixed count, which comes down one CNOT at a time.
    double casovylimit = 0.0;
    // Budget of fits per factor; 0 = the default of its size and limit.
    // The budget, not the clock, ends a search that the time limit does not
    // reach, so that the same matrix gives the same circuit on every run
    // and machine.
    long long maxfitov = 0;
    // Called at least every ~50 ms of work with the part done, 0..1; may
    // throw to cancel the call (nothing is then returned).
    std::function<void(double)> priebeh;
    // The run's tolerance, at which the input's unitarity is decided as
    // syntetizuj decides it.
    double tolerancia = EPS_ZAKLAD;
    // Threads for the fits of three and four qubits, the caller's included;
    // 0 = the processors of the machine, at most 8. The result does not
    // depend on it, only the time.
    int vlakna = 0;
};

// U: the input as given, 2^pocetq x 2^pocetq, pocetq in 2..5. ChybaBehu for
// any other pocetq and for an entry that is not finite, NeunitarnaMatica for
// a matrix that is not unitary to volby.tolerancia, as syntetizuj.
TSYNTEZA hladaj(const TPRESNA& U, int pocetq, const TVOLBYHLADANIA& volby = {});
// The same from the store's matrix (its leading block).
TSYNTEZA hladaj(const TMATICA1& U, int pocetq, const TVOLBYHLADANIA& volby = {});

}  // namespace qlc::synteza
