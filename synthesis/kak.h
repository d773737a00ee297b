#pragma once
// Two-qubit blocks: the Cartan (KAK) decomposition in the magic basis with
// the fewest CNOTs the block needs, and the two-CNOT form of a block up to
// a diagonal that the recursion pushes into the next block.
//
// A block acts on two local qubits 0 (the most significant bit of its 4x4
// index) and 1; the caller maps them onto the circuit's qubits.
#include <Eigen/Dense>
#include <array>

#include "obvod.h"

namespace qlc::synteza {

using TVEKTOR4 = Eigen::Vector4cd;

// One gate of a circuit under construction, at full precision: a CNOT when
// kontrola >= 0 (U is then unused), otherwise the one-qubit gate U on ciel.
struct TKROK {
    int ciel = 0;
    int kontrola = -1;
    TMAT2 U = TMAT2::Identity();
};

// A circuit on the two local qubits, gate 0 applied first.
struct TDVOJQ {
    static constexpr int MAXKROKOV = 16;
    std::array<TKROK, MAXKROKOV> kroky{};
    int pocet = 0;
    int pocetcnot = 0;

    void jednoq(int ciel, const TMAT2& U);
    void cnot(int kontrola, int ciel);
    // The 4x4 unitary of the circuit.
    TMAT4 matica() const;
};

// A circuit whose unitary is U (4x4 unitary, global phase included) with the
// fewest CNOTs that U needs: 0 for a Kronecker product, 1 for a block
// locally equivalent to a CNOT, 2 when a Cartan coordinate vanishes, 3
// otherwise. One-qubit gates on each qubit frame the CNOT core; gates that
// follow each other on a qubit are left for the caller to merge.
TDVOJQ kak(const TMAT4& U);

// A circuit K with at most two CNOTs and a diagonal delta such that
// U = diag(delta) K. delta is 1 when U needs at most two CNOTs itself; when
// no diagonal brings U to two CNOTs to rounding (a block within rounding of
// a Kronecker product in every coordinate), K = U with three CNOTs and
// delta = 1.
TDVOJQ kakdiag(const TMAT4& U, TVEKTOR4& delta);

// U = A (x) B to rounding: A, B unitary, A carrying the global phase.
// Returns the largest modulus of an entry of U - A (x) B.
double rozlozkron(const TMAT4& U, TMAT2& A, TMAT2& B);

// The Cartan coordinates (a, b, c) of U, U = K1 exp(i(a XX + b YY + c ZZ)) K2
// with K1, K2 local, each reduced into (-pi/4, pi/4].
Eigen::Vector3d kartankoord(const TMAT4& U);

}  // namespace qlc::synteza
