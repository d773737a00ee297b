// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
void TForm1::zobrazmaticu(const TMATICA1&) { throw ChybaBehu("nie je hotove"); }
void TForm1::Button1Click() { throw ChybaBehu("nie je hotove"); }
void TForm1::Edit1Change() { throw ChybaBehu("nie je hotove"); }
void TForm1::nastavEdit1(const std::string&) { throw ChybaBehu("nie je hotove"); }
void TForm1::Button5Click() { throw ChybaBehu("nie je hotove"); }
void TForm1::Otvori1Click() { throw ChybaBehu("nie je hotove"); }
void TForm1::Uloi1Click() { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
