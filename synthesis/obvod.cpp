#include "obvod.h"

#include <cmath>

#include "core/chyby.h"

namespace qlc::synteza {

namespace {
void overqubit(int q, int n) {
    if (q < 1 || q > n) zlyindex(q, 1, n);
}
}  // namespace

void TOBVOD::jednoq(int ciel, const TMAT2& U) {
    overqubit(ciel, pocetq);
    TGATE1 g;
    g.ciel = static_cast<std::uint8_t>(ciel);
    g.pocetk = 0;
    g.U = TMATICA2(TKOMPLEX(U(0, 0).real(), U(0, 0).imag()), TKOMPLEX(U(0, 1).real(), U(0, 1).imag()),
                   TKOMPLEX(U(1, 0).real(), U(1, 0).imag()), TKOMPLEX(U(1, 1).real(), U(1, 1).imag()));
    brany.push_back(g);
}

void TOBVOD::cnot(int kontrola, int ciel) {
    overqubit(kontrola, pocetq);
    overqubit(ciel, pocetq);
    if (kontrola == ciel) throw ChybaBehu("CNOT s kontrolou na cielovom qubite " + std::to_string(ciel));
    TGATE1 g;
    g.ciel = static_cast<std::uint8_t>(ciel);
    g.pocetk = 1;
    g.kontroly[1] = static_cast<std::uint8_t>(kontrola);
    g.U = TMATICA2(TKOMPLEX(0.0), TKOMPLEX(1.0), TKOMPLEX(1.0), TKOMPLEX(0.0));
    brany.push_back(g);
    ++pocetcnot;
}

TMAT2 rz(double t) {
    TMAT2 m = TMAT2::Zero();
    m(0, 0) = std::polar(1.0, -t / 2);
    m(1, 1) = std::polar(1.0, t / 2);
    return m;
}

TMAT2 ry(double t) {
    const double c = std::cos(t / 2), s = std::sin(t / 2);
    TMAT2 m;
    m << c, -s, s, c;
    return m;
}

}  // namespace qlc::synteza
