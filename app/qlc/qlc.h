#pragma once
// The command-line tool: `qlc decompose`, `qlc random`, `qlc --help`, ...
#include <iosfwd>

namespace qlc::cli {

// Exit codes.
inline constexpr int OK = 0;        // the run went to its end and every check passed
inline constexpr int ZLYHANIE = 1;  // the run ended early or a check failed
inline constexpr int POUZITIE = 2;  // usage error, or a file that cannot be read, written or is refused

// The tool on the process's streams; a write error on stdout, found when it
// is flushed and closed at the end, is status 2 with one line on stderr.
// PNG pictures are written only when a painter is registered with
// api::nastavpng (the build with Qt 6 does so in main).
int hlavny(int argc, char** argv);

// The same with the streams given, for the tests; terminal: stderr is a
// terminal. A stream out that failed is status 2 with one line on err.
int hlavny(int argc, char** argv, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace qlc::cli
