#pragma once
// The command-line tool: `qlc decompose`, `qlc random`, `qlc --help`, ...
#include <functional>
#include <iosfwd>
#include <string>

#include "core/platforma.h"

namespace qlc::cli {

// Exit codes.
inline constexpr int OK = 0;        // the run went to its end and every check passed
inline constexpr int ZLYHANIE = 1;  // the run ended early or a check failed
inline constexpr int POUZITIE = 2;  // usage error, or a file that cannot be read or is refused

int hlavny(int argc, char** argv);

// Draws a picture with kresli and saves it as PNG. The tool writes PNG only
// when a front end with a raster canvas registers one.
using TPngKreslic = std::function<void(const std::function<void(Platno&)>& kresli, const std::string& meno)>;
void nastavpng(TPngKreslic kreslic);
// The same with the streams given, for the tests; terminal: stderr is a terminal.
int hlavny(int argc, char** argv, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace qlc::cli
