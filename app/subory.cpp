// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
void TForm1::zapismaticu(const TMATICA1&, const std::string&) { throw ChybaBehu("nie je hotove"); }
int TForm1::nacitajmaticu(const std::string&) { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
