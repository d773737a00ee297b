#pragma once
// A short summary of the circuit in the store: size, CNOTs, gates by
// number of controls, depth and how far the circuit is from its input.
#include <string>
#include <vector>

#include "core/brany.h"

namespace qlc {

class TForm1;

// Depth of gates 1..pocet of b: gates are placed greedily as early as
// possible into layers, a gate going into the first layer after the last
// one that holds a gate sharing a qubit (target or control) with it. So
// gates on disjoint sets of qubits share a layer; an empty circuit has
// depth 0. Refuses (ChybaBehu) a malformed gate.
int hlbkaobvodu(TZoznamBran b, int pocet, int pocetq);

// The lines
//   "Qubity: 3"
//   "Brany: 42"
//   "CNOT: 10"                    (one control and U equal to NOT within eps)
//   "Brany podla poctu kontrol: L0=20 L1=22 L2=0"   (L0 .. L(pocetq-1))
//   "Hlbka: 30"
//   "Max. odchylka: 3.1e-15"      (largest modulus of an entry of the
//                                  composed circuit minus vstup)
// for the store brany 1..pocetb1 of f. Refuses (ChybaBehu) a malformed gate.
std::vector<std::string> suhrn(TForm1& f, const TMATICA1& vstup);

// The same lines from the figures themselves; podlak[k] gates with k
// controls, k = 0..pocetq - 1.
std::vector<std::string> riadkysuhrnu(int pocetq, int pocetbran, int cnot, const Pole<int, 0, 4>& podlak,
                                      int hlbka, double odchylka);

// Largest modulus of an entry of X - Y over 1..rozmer, from the raw parts
// (a difference of complex values would snap parts of at most 1e-12 to
// zero); NaN when an entry of the difference is NaN.
double maxodchylka(const TMATICA1& X, const TMATICA1& Y, int rozmer);

}  // namespace qlc
