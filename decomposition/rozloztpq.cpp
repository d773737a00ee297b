// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
void TForm1::RozlozTpq(int) { throw ChybaBehu("nie je hotove"); }
void TForm1::RozlozFazy() { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
