// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
void TForm1::kreslenie(TZoznamBran, int, int) { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
