// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
void TForm1::Odmocnina(TMATICA2&, int) { throw ChybaBehu("nie je hotove"); }
void TForm1::vlvektor(TMATICA2&) { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
