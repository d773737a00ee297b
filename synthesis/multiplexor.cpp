#include "multiplexor.h"

#include <cmath>
#include <string>

#include "core/chyby.h"
#include "tolerancie.h"

namespace qlc::synteza {

namespace {

// Largest number of select qubits: more than the 5 qubits of the program
// ever need, small enough that 2^k angles fit any list.
constexpr int MAXVYBER = 20;

int pocetvyber(std::size_t pocetuhlov, int ciel, const std::vector<int>& vybery, const TOBVOD& obvod) {
    const int k = static_cast<int>(vybery.size());
    if (k > MAXVYBER)
        throw ChybaBehu("multiplexrot: prilis vela vyberovych qubitov (" + std::to_string(k) + ")");
    if (pocetuhlov != (std::size_t{1} << k))
        throw ChybaBehu("multiplexrot: " + std::to_string(pocetuhlov) + " uhlov pre " + std::to_string(k) +
                        " vyberovych qubitov");
    auto overqubit = [&](int q) {
        if (q < 1 || q > obvod.pocetq) zlyindex(q, 1, obvod.pocetq);
    };
    overqubit(ciel);
    for (int i = 0; i < k; ++i) {
        overqubit(vybery[static_cast<std::size_t>(i)]);
        if (vybery[static_cast<std::size_t>(i)] == ciel)
            throw ChybaBehu("multiplexrot: cielovy qubit " + std::to_string(ciel) + " je aj vyberovy");
        for (int j = 0; j < i; ++j)
            if (vybery[static_cast<std::size_t>(j)] == vybery[static_cast<std::size_t>(i)])
                throw ChybaBehu("multiplexrot: vyberovy qubit " +
                                std::to_string(vybery[static_cast<std::size_t>(i)]) + " sa opakuje");
    }
    return k;
}

// Index into vybery of the bit in which g(i) and g(i+1 mod 2^k) differ:
// bit b of s belongs to vybery[k-1-b]. For i < 2^k - 1 it is the lowest set
// bit of i + 1; from g(2^k - 1) = 2^(k-1) back to g(0) = 0 it is the top bit.
int kontrolagray(std::size_t i, int k) {
    const std::size_t n = std::size_t{1} << k;
    int b = k - 1;
    if (i + 1 < n) {
        b = 0;
        while ((((i + 1) >> b) & 1u) == 0) ++b;
    }
    return k - 1 - b;
}

void vyrob(TOS os, const std::vector<double>& uhly, int ciel, const std::vector<int>& vybery, TOBVOD& obvod,
           bool zrkadlo) {
    const int k = pocetvyber(uhly.size(), ciel, vybery, obvod);
    const std::vector<double> f = multiplexuhly(uhly);
    const std::size_t n = f.size();

    // CNOTs waiting between two kept rotations, as the parity of each
    // select qubit; they commute, so only the odd ones are emitted.
    std::vector<char> cakajuce(static_cast<std::size_t>(k), 0);
    auto vyprazdni = [&] {
        for (int j = 0; j < k; ++j)
            if (cakajuce[static_cast<std::size_t>(j)]) {
                obvod.cnot(vybery[static_cast<std::size_t>(j)], ciel);
                cakajuce[static_cast<std::size_t>(j)] = 0;
            }
    };
    auto rotacia = [&](double t) {
        if (std::fabs(t) <= UHOL_NULA) return;
        vyprazdni();
        obvod.jednoq(ciel, os == TOS::Y ? ry(t) : rz(t));
    };
    auto prepni = [&](std::size_t i) {
        if (k == 0) return;
        cakajuce[static_cast<std::size_t>(kontrolagray(i, k))] ^= 1;
    };

    if (!zrkadlo) {
        for (std::size_t i = 0; i < n; ++i) {
            rotacia(f[i]);
            prepni(i);
        }
    } else {
        for (std::size_t i = n; i-- > 0;) {
            prepni(i);
            rotacia(f[i]);
        }
    }
    vyprazdni();
}

}  // namespace

std::vector<double> multiplexuhly(const std::vector<double>& uhly) {
    const std::size_t n = uhly.size();
    if (n == 0 || (n & (n - 1)) != 0)
        throw ChybaBehu("multiplexuhly: pocet uhlov " + std::to_string(n) + " nie je mocnina 2");
    // Fast Walsh-Hadamard transform in natural order, h[t] = sum_s
    // (-1)^{popcount(s & t)} uhly[s], then column g(i) for rotation i.
    std::vector<double> h = uhly;
    for (std::size_t d = 1; d < n; d <<= 1)
        for (std::size_t i = 0; i < n; i += 2 * d)
            for (std::size_t j = i; j < i + d; ++j) {
                const double a = h[j], b = h[j + d];
                h[j] = a + b;
                h[j + d] = a - b;
            }
    std::vector<double> f(n);
    for (std::size_t i = 0; i < n; ++i) f[i] = h[i ^ (i >> 1)] / static_cast<double>(n);
    return f;
}

void multiplexrot(TOS os, const std::vector<double>& uhly, int ciel, const std::vector<int>& vybery,
                  TOBVOD& obvod) {
    vyrob(os, uhly, ciel, vybery, obvod, false);
}

void multiplexrotzrkadlo(TOS os, const std::vector<double>& uhly, int ciel, const std::vector<int>& vybery,
                         TOBVOD& obvod) {
    vyrob(os, uhly, ciel, vybery, obvod, true);
}

}  // namespace qlc::synteza
