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
inline constexpr int POUZITIE = 2;  // usage error, or a file that cannot be read, written or is refused

// The tool on the process's streams; a write error on stdout, found when it
// is flushed and closed at the end, is status 2 with one line on stderr.
int hlavny(int argc, char** argv);

// Draws a picture with kresli and returns it as the bytes of a PNG file,
// which the tool writes as it writes every file. The tool writes PNG only
// when a front end with a raster canvas registers one.
using TPngKreslic = std::function<std::string(const std::function<void(Platno&)>& kresli)>;
void nastavpng(TPngKreslic kreslic);
// The same with the streams given, for the tests; terminal: stderr is a
// terminal. A stream out that failed is status 2 with one line on err.
int hlavny(int argc, char** argv, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace qlc::cli
