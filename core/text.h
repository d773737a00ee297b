#pragma once
// Text forms of complex numbers: reading (nakomplex), the short screen form
// with d decimals (komplexnatext) and the full-precision file form
// (komplexnaretazec).
#include <complex>
#include <string>

#include "komplex.h"

namespace qlc {

// Reads "re", "re + im i" and the like; throws ChybaKonverzie with the text
// "reason [read<?>rest]" on text it cannot read.
TKOMPLEX nakomplex(const std::string& t);
// The same reading with the parts as written, before the zero snapping.
std::complex<double> nakomplexpresne(const std::string& t);
// Fixed notation with d decimals, parts of magnitude at most 10^-d left out.
std::string komplexnatext(TKOMPLEX z, int d);
// "re + imi" / "re - imi" with 15 significant digits, "." as the decimal point
// and three-digit exponents ("1E-006").
std::string komplexnaretazec(TKOMPLEX z);
// The same text appended to out, for writers of long listings.
void pridajkomplexnaretazec(std::string& out, TKOMPLEX z);

}  // namespace qlc
