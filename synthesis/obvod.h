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

    // Appends the one-qubit gate U on qubit ciel (1..pocetq).
    void jednoq(int ciel, const TMAT2& U);
    // Appends a CNOT with control kontrola and target ciel (different, 1..pocetq).
    void cnot(int kontrola, int ciel);
};

TMAT2 rz(double t);
TMAT2 ry(double t);

}  // namespace qlc::synteza
