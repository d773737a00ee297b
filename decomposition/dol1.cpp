// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
void TForm1::DoL1() { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
