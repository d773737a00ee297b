// PLACEHOLDER: to be written.
#include "app/form1.h"
#include "core/text.h"
namespace qlc {
void TForm1::TrackBar1Change() { throw ChybaBehu("nie je hotove"); }
void TForm1::TrackBar2Change() { throw ChybaBehu("nie je hotove"); }
void TForm1::UpDown1Changing() { throw ChybaBehu("nie je hotove"); }
void TForm1::nastavTrackBar1(int) { throw ChybaBehu("nie je hotove"); }
void TForm1::nastavTrackBar2(int) { throw ChybaBehu("nie je hotove"); }
void TForm1::nastavUpDown1(int) { throw ChybaBehu("nie je hotove"); }
}  // namespace qlc
