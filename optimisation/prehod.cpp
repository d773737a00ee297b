// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
bool TForm1::najblvlavo(int&) { throw ChybaBehu("nie je hotove"); }
bool TForm1::najblvpravo(int&) { throw ChybaBehu("nie je hotove"); }
std::uint8_t TForm1::prehodbrany(int, int, int) { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
