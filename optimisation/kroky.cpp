// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
void TForm1::tahvlavo(const std::string&) { throw ChybaBehu("nie je hotove"); }
void TForm1::tahvpravo(const std::string&) { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
