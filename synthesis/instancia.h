#pragma once
// Numerical instantiation: a fixed placement of CNOTs, with general
// one-qubit gates around them, fitted to a target unitary by
// Levenberg-Marquardt (Eigen's MINPACK port) with an analytic Jacobian.
// A fit counts only when the circuit, composed independently gate by gate,
// reproduces the target (global phase included) to rounding.
//
// On top of it: the circuits of generic unitaries at the lower bound of
// CNOTs (cyclic templates) and block-ZXZ with numerically fitted blocks.
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "obvod.h"

namespace qlc::synteza {

using THODINY = std::chrono::steady_clock;
using TTERMIN = THODINY::time_point;

// No deadline.
inline constexpr TTERMIN BEZTERMINU = TTERMIN::max();

// A circuit structure: the CNOTs in order of application, each
// {control, target} with qubits 1..pocetq. Around them: a general one-qubit
// gate on every qubit at the start and on both qubits of each CNOT after
// it, and a global phase.
struct TSTRUKTURA {
    int pocetq = 0;
    std::vector<std::array<int, 2>> cnoty;
};

struct TVOLBYFITU {
    // Starts from seeded random one-qubit gates; the fit stops at the first
    // exact one.
    int starty = 4;
    // Mixed with a hash of the target's bits: the starts are the same on
    // every run and machine.
    std::uint64_t seed = 0;
    // Fit the target only up to a diagonal acting first:
    // target = circuit * diag(diagonala); the caller absorbs the diagonal
    // into what comes before.
    bool azpodiagonalu = false;
    // Called between evaluations (well within every ~50 ms of work on up to
    // 4 qubits); may throw to cancel, the exception then propagates and
    // nothing of the fit is returned.
    std::function<void()> priebeh;
    // After this no new start begins and a running start stops at its next
    // step; the best fit so far is returned.
    TTERMIN termin = BEZTERMINU;
    // Limit of evaluations of the residual per start; 0 = the default,
    // which grows with the number of parameters.
    int maxvyhodnoteni = 0;
    // Without a diagonal the residual is by default the upper triangle of
    // U^dagger V - I, half the rows of V - U; plnyrezidual fits every entry
    // of V - U instead, whose landscape lets a short structure reach an exact
    // fit from fewer starts.
    bool plnyrezidual = false;
    // The one-qubit gates the first start begins from, in the order of
    // application (those of a fitted circuit, or of a shorter structure's
    // fit followed by more); gates beyond it start at random. Empty: every
    // start random.
    std::vector<TMAT2> zaciatok;
    // A start still farther than vzdatnad from the target after vzdatpo
    // evaluations of the residual (its norm over sqrt(d): the distance with
    // plnyrezidual) sits on the plateau of a local minimum and is given up;
    // 0 = never.
    int vzdatpo = 0;
    double vzdatnad = 0.0;
    // > 0: the random gates of a start are rotations by angles of about this
    // (a Gaussian vector of rotation with this deviation per axis) instead
    // of Haar-random gates; circuits of structured matrices (transforms,
    // arithmetic) have one-qubit gates a start near the identity reaches.
    double blizkojednotky = 0.0;
    // > 0: each start first goes through up to this many sweeps before
    // Levenberg-Marquardt takes over: gate by gate through the circuit, each
    // one-qubit gate becomes the unitary that, all others fixed, brings the
    // trace of U^dagger V closest to d. A sweep costs about what one
    // evaluation of the residual does without its Jacobian, and from a
    // random start the sweeps reach the basin of an exact fit of a large
    // template where Levenberg-Marquardt alone often stops short; near the
    // fit they slow down, and Levenberg-Marquardt finishes in a few dozen
    // steps. With azpodiagonalu the sweeps move the diagonal too.
    int zametania = 0;
    // > 0: a start whose sweeps leave it still farther than
    // zametanivzdatnad from the target after this many of them (the norm of
    // V - U over sqrt(d), V at the phase that makes tr(U^dagger V) real) is
    // given up without Levenberg-Marquardt; the starts that go on to fit
    // exactly are nearer by then.
    int zametanivzdatpo = 0;
    double zametanivzdatnad = 0.0;
};

struct TFIT {
    // The independently composed circuit (times diag(diagonala) with
    // azpodiagonalu) is within PRESNOST_FITU of the target in every entry.
    bool presny = false;
    // That largest entry deviation (infinity when no start ran).
    double odchylka = 0;
    // The fitted cost: the residual's Euclidean norm over the
    // Frobenius norm of the target, sqrt(sum |V - U|^2) / sqrt(d). It is
    // what a search is guided by.
    double vzdialenost = 0;
    // The gates in order of application: one-qubit 2x2 gates and CNOTs on
    // qubits 1..pocetq; the global phase is folded into a one-qubit gate.
    // CNOTs with no gate between them are kept (the count is the
    // structure's).
    TOBVOD obvod{0};
    // With azpodiagonalu: unit-modulus diagonal D, target = circuit * diag(D)
    // (D(x) for the basis state x, qubit 1 its most significant bit).
    // Empty otherwise.
    Eigen::VectorXcd diagonala;
    // Starts begun and evaluations of the residual made over all of them.
    int starty = 0;
    int vyhodnotenia = 0;
};

// splitmix64: the next number of a portable generator whose state is s, the
// same sequence on every machine.
std::uint64_t splitmix(std::uint64_t& s);

// Sweeps before each start of a fit of a generic template (at or near the
// lower bound): on 4-qubit Haar-random matrices the 61-CNOT template then
// fits from one start in 0.15 s where Levenberg-Marquardt alone took 0.2 to
// 1.3 s, and a block of 59 CNOTs up to a diagonal in half the time.
inline constexpr int ZAMETANIA_SABLONY = 300;

// Largest entry deviation of a composed fit that counts as exact.
inline constexpr double PRESNOST_FITU = 1e-12;

// Fits the structure s to U (2^s.pocetq square, unitary), s.pocetq in 1..5.
// Throws ChybaBehu for a malformed structure or matrix.
TFIT instanciuj(const TMAT& U, const TSTRUKTURA& s, const TVOLBYFITU& v);

// The lower bound of CNOTs for a generic unitary, ceil((4^n - 3n - 1)/4):
// 0, 3, 14, 61, 252 for n = 1..5.
int dolnahranica(int pocetq);

// Every pair (a, b), a < b, of pocetq qubits in the order (1,2), (1,3),
// ..., (1,n), (2,3), ..., (n-1,n).
std::vector<std::array<int, 2>> vsetkypary(int pocetq);

// pocetcnot CNOTs cycling over the pairs (a, b), a < b, in the order
// (1,2), (1,3), ..., (1,n), (2,3), ..., (n-1,n), control a, target b.
TSTRUKTURA cyklicka(int pocetq, int pocetcnot);

// The structure of the circuit of U^T from a structure of U: the CNOTs in
// reverse order (a CNOT is its own transpose; the one-qubit gates of the
// reversed structure cover the same segments of every qubit line).
TSTRUKTURA obratena(const TSTRUKTURA& s);

// An exact circuit of the unitary U on pocetq = 1..5 qubits (qubits 1..n)
// with as few CNOTs as a generic unitary allows within the deadline:
// 2 qubits analytically (3), 3 qubits the 14-CNOT template, 4 qubits the
// 61-CNOT template (either with one CNOT more where the matrix lies beyond
// its reach), 5 qubits the 252-CNOT template when the deadline leaves
// a minute or more, else block-ZXZ with numerically fitted 4-qubit
// blocks. Every piece whose fit is not exact, or is not reached before
// the deadline, is built analytically instead (block-ZXZ). priebeh as in
// TVOLBYFITU.
TOBVOD generickynumericky(const TMAT& U, int pocetq, TTERMIN termin = BEZTERMINU,
                          const std::function<void()>& priebeh = {});

}  // namespace qlc::synteza
