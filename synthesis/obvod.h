#pragma once
// The circuit under construction and the conventions every piece of the
// synthesis shares.
//
// Qubits are numbered 1..n, qubit 1 the most significant bit of the basis
// state's index (as everywhere in the program). A circuit is a list of gates
// in order of application: its unitary is G_last ... G_2 G_1.
//   Rz(t) = diag(e^{-it/2}, e^{it/2}),
//   Ry(t) = [[cos t/2, -sin t/2], [sin t/2, cos t/2]].
// A matrix on a list of qubits q[0..k-1] takes q[0] as its most significant
// bit.
#include <Eigen/Dense>
#include <vector>

#include "core/brany.h"

namespace qlc::synteza {

using TMAT = Eigen::MatrixXcd;
using TMAT2 = Eigen::Matrix2cd;
using TMAT4 = Eigen::Matrix4cd;

struct TOBVOD {
    explicit TOBVOD(int n) : pocetq(n) {}
    int pocetq;
    std::vector<TGATE1> brany;
    int pocetcnot = 0;
    // The store keeps a part of magnitude at most 1e-12 as 0, which would
    // turn a rotation by a few 1e-12 rad into no gate at all. jednoq stores
    // such a gate times a phase e^{it} that moves its parts away from 0 and
    // adds t here: the circuit's unitary is e^{i faza} times the intended one
    // until vyrovnajfazu takes the phase back.
    double faza = 0.0;

    // Appends the one-qubit gate U on qubit ciel (1..pocetq).
    void jednoq(int ciel, const TMAT2& U);
    // Appends a CNOT with control kontrola and target ciel (different, 1..pocetq).
    void cnot(int kontrola, int ciel);
};

// The 2x2 matrix of a stored gate (its controls aside).
TMAT2 matica2(const TGATE1& g);

// Parts of the entries of U that the store would snap to 0 although they are
// above rounding noise (1e-15 < |part| <= 1e-12).
int stratene(const TMAT2& U);

// Takes the phase e^{i faza} of the gates brany back: the last one-qubit gate
// that can carry e^{-i faza} without a part lost to the store's snapping gets
// it, otherwise a phase gate on qubit 1 is appended.
void vyrovnajfazu(std::vector<TGATE1>& brany, double faza);

// M := G M for the gate g (a one-qubit gate or a gate with one control) on
// m qubits, qubit 1 the most significant bit. Throws ChybaBehu for a gate
// off the m qubits or with more controls.
void aplikujbranu(const TGATE1& g, int m, TMAT& M);

// The product of the gates in order of application on m qubits (the store's
// phase faza not taken back).
TMAT zlozenie(const std::vector<TGATE1>& brany, int m);

// G M and M G for the one-qubit gate G on qubit q of m (qubit 1 the most
// significant bit of M's indices).
TMAT jednoqzlava(const TMAT2& G, int q, int m, const TMAT& M);
TMAT jednoqzprava(const TMAT& M, const TMAT2& G, int q, int m);

// A Pauli matrix: 0 I, 1 X, 2 Y, 3 Z.
TMAT2 paulimat(int t);

TMAT2 rz(double t);
TMAT2 ry(double t);

}  // namespace qlc::synteza
