#pragma once
// The command-line tool: `qlc decompose`, `qlc random`, `qlc --help`, ...
#include <iosfwd>

namespace qlc::cli {

// Exit codes.
inline constexpr int OK = 0;        // the run went to its end and every check passed
inline constexpr int ZLYHANIE = 1;  // the run ended early or a check failed
inline constexpr int POUZITIE = 2;  // usage error, or a file that cannot be read or is refused

int hlavny(int argc, char** argv);
// The same with the streams given, for the tests; terminal: stderr is a terminal.
int hlavny(int argc, char** argv, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace qlc::cli
