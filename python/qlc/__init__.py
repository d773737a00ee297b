"""Unitary matrices of 2 to 5 qubits into quantum logic circuits.

The package's calls are those of the extension module qlc._qlc; see
help(qlc) for the conventions (qubit 1 is the most significant bit) and the
errors.
"""
from ._qlc import (CheckFailed, Circuit, Gate, InputError, __doc__, __version__, decompose, has_png,
                   random_unitary, read_matrix, write_matrix)

__all__ = [
    "CheckFailed",
    "Circuit",
    "Gate",
    "InputError",
    "decompose",
    "has_png",
    "random_unitary",
    "read_matrix",
    "write_matrix",
]
