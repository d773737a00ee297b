"""The quantum Fourier transform of 3 qubits as a circuit of one-qubit gates
and CNOTs, written as OpenQASM 3 and checked with NumPy.

Run from the top of the source tree after building:

    PYTHONPATH=build/python python3 examples/qft.py [twolevel|qsd|best]

Qubit 1 is the most significant bit of the basis state's index, as
everywhere in qlc; OpenQASM names qubit k as q[n - k], so a reader that takes
q[0] as the least significant bit sees the same matrix.
"""
import sys

import numpy as np

import qlc

N = 3
D = 2 ** N

# QFT: F[j, k] = w^(j k) / sqrt(D) with w = e^(2 pi i / D).
j, k = np.meshgrid(np.arange(D), np.arange(D), indexing="ij")
F = np.exp(2j * np.pi * j * k / D) / np.sqrt(D)

method = sys.argv[1] if len(sys.argv) > 1 else "twolevel"
circuit = qlc.decompose(F, method=method)  # down to one-qubit gates and CNOTs, optimised
print(repr(circuit))
print(f"{circuit.gate_count} gates, {circuit.cnot_count} CNOTs, depth {circuit.depth}, {circuit.count_ops()}")
print(circuit.text(width=100).split("\n\n")[0])  # the first band of the text drawing

qasm = circuit.to_qasm(version=3).splitlines()
print("\n".join(qasm[:14]))
print(f"... ({len(qasm)} lines of OpenQASM 3)")


def matrix_of(gates, n):
    """The matrix of a gate list, the first gate acting first: each gate
    (target, controls, U) mixes the rows of the basis states whose target
    bit is 0 and every control bit 1 with their partners whose target bit
    is 1. Qubit q is bit n - q of the index (qubit 1 the most significant)."""
    m = np.eye(2 ** n, dtype=complex)
    states = np.arange(2 ** n)
    for target, controls, u in gates:
        t = 1 << (n - target)
        c = sum(1 << (n - q) for q in controls)
        s = states[((states & t) == 0) & ((states & c) == c)]
        r0, r1 = m[s].copy(), m[s | t].copy()
        m[s] = u[0, 0] * r0 + u[0, 1] * r1
        m[s | t] = u[1, 0] * r0 + u[1, 1] * r1
    return m


deviation = np.max(np.abs(matrix_of(circuit.gates, N) - F))
print(f"largest deviation of the circuit from the QFT: {deviation:.1e} "
      f"(the run's tolerance {circuit.tolerance:.0e})")
sys.exit(0 if circuit.ok and deviation <= circuit.tolerance else 1)
