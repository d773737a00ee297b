// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
std::uint8_t TForm1::spravid(int, int) { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
