// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
void TForm1::optimalizacia() { throw ChybaBehu("nie je hotove"); }
void TForm1::obnov() { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
