// PLACEHOLDER: to be written.
#include "app/form1.h"
namespace qlc {
void TForm1::statistika() { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
