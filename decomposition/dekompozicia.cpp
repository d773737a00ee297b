// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
void TForm1::Button3Click() { throw ChybaBehu("nie je hotove"); }
void TForm1::dekompozicia() { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
