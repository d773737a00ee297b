// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
TKOMPLEX nakomplex(const std::string& t) { throw ChybaBehu("nie je hotove"); }
std::string komplexnatext(TKOMPLEX, int) { throw ChybaBehu("nie je hotove"); }
std::string komplexnaretazec(TKOMPLEX) { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
