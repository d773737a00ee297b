#pragma once
// The circuit as an OpenQASM program.
//
// Version 3 (stdgates.inc) writes every gate with its exact 2x2 matrix, so
// the program's unitary is the composed circuit, global phase included. The
// circuit equals the decomposed matrix only within the eps of the run's
// checks, which the header states.
// Version 2.0 (qelib1.inc) knows gates with at most one control only; the
// global phase, which it cannot express, is stated in a comment.
//
// Qubit k of the circuit is written as q[n - k]: qubit n, the least
// significant bit of the state number minus one, becomes q[0], so a reader
// taking q[0] as the least significant bit sees the circuit's matrix itself.
#include <string>

#include "core/brany.h"

namespace qlc {

class TForm1;

// U = e^(i alfa) . U3(theta, phi, lambda) with
//   U3(theta, phi, lambda) = [[cos(theta/2),            -e^(i lambda) sin(theta/2)],
//                             [e^(i phi) sin(theta/2),  e^(i (phi + lambda)) cos(theta/2)]],
// the matrix of OpenQASM 3's U gate. All angles in radians; theta in [0, pi],
// the others in [-pi, pi].
struct TUHLYU3 {
    double theta = 0.0, phi = 0.0, lambda = 0.0, alfa = 0.0;
};

// Angles of a 2x2 unitary. For a matrix that is only nearly unitary the
// phases of the four entries are reconciled by the smallest weighted change
// (see qasm.cpp), so an entry of small modulus never spoils a large one.
TUHLYU3 uhlyu3(const TMATICA2& U);

// The program text of gates 1..pocet of b on pocetq qubits, verzia 2 or 3;
// eps, the tolerance within which the circuit was checked against its
// matrix, goes into the header. Angles below SUMUHLA are written as 0.
// Refuses (ChybaBehu) a malformed gate, pocetq outside 2..5, an unknown
// version, and for version 2 a gate with more than one control.
std::string qasmtext(TZoznamBran b, int pocet, int pocetq, int verzia, double eps = EPS_ZAKLAD);
// The circuit in the store: brany 1..pocetb1 on pocetq qubits, with the
// store's eps (the tolerance of the last check of the run).
std::string qasmtext(const TForm1& f, int verzia);
// Writes qasmtext(f, verzia) to the file meno; ChybaSuboru when it cannot.
void zapisqasm(const TForm1& f, int verzia, const std::string& meno);

}  // namespace qlc
