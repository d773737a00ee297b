// The main window model: creation (FormCreate), the controls' small
// helpers, and the wrapper that turns a run-time error into an error box.
#include "core/form1.h"

#include "core/text.h"

namespace qlc {

void TStringGrid::nastavrozmer(int stlpce, int riadky) {
    if (stlpce < 1 || riadky < 1) zlyindex(std::min(stlpce, riadky), 1, MAXROZMER + 1);
    colcount = stlpce;
    rowcount = riadky;
    bunky.assign(static_cast<std::size_t>(stlpce * riadky), std::string());
}

std::string& TStringGrid::bunka(int c, int r) {
    if (c < 0 || c >= colcount) zlyindex(c, 0, colcount - 1);
    if (r < 0 || r >= rowcount) zlyindex(r, 0, rowcount - 1);
    return bunky[static_cast<std::size_t>(r * colcount + c)];
}

const std::string& TStringGrid::bunka(int c, int r) const {
    if (c < 0 || c >= colcount) zlyindex(c, 0, colcount - 1);
    if (r < 0 || r >= rowcount) zlyindex(r, 0, rowcount - 1);
    return bunky[static_cast<std::size_t>(r * colcount + c)];
}

TForm1::TForm1(Platforma& p) : platforma(p) {
    // FormCreate
    matnot = {nakomplex("0+0i"), nakomplex("1+0i"), nakomplex("1+0i"), nakomplex("0+0i")};
    matz = {nakomplex("1+0i"), nakomplex("0+0i"), nakomplex("0+0i"), nakomplex("-1+0i")};
    jednotka = {nakomplex("1+0i"), nakomplex("0+0i"), nakomplex("0+0i"), nakomplex("1+0i")};
    eps = EPS_ZAKLAD;
    pocetq = 2;
    Edit1 = "2";
    rozmer = 4;
    zoom = 1.25;
    zobrazod = 1;
    aktualna = 0;
    pocetb1 = 0;
    ramec = TRAMEC{};
    Zobroptimkroky = false;
    for (int i = 1; i <= rozmer; ++i)
        for (int j = 1; j <= rozmer; ++j) A(i, j) = nakomplex("0+0i");
    A(1, 4) = nakomplex("0-1i");
    A(2, 3) = nakomplex("0-1i");
    A(3, 2) = nakomplex("0+1i");
    A(4, 1) = nakomplex("0+1i");
    StringGrid1.nastavrozmer(rozmer + 1, rozmer + 1);
    nastavTrackBar2(125);
    Image1visible = false;
    StringGrid1.visible = true;
    zobrazmaticu(A);
}

void TForm1::progresstart(int maximum) {
    ProgressBar1.max = maximum;
    ProgressBar1.position = 0;
    ProgressBar1.step = 1;
    ProgressBar1.visible = true;
    zmena(Ovladac::ProgressBar1);
}

void TForm1::progreskrok() {
    ProgressBar1.position += ProgressBar1.step;
    if (ProgressBar1.position > ProgressBar1.max) ProgressBar1.position = ProgressBar1.max;
    zmena(Ovladac::ProgressBar1);
}

void TForm1::progresskry() {
    ProgressBar1.position = 0;
    ProgressBar1.visible = false;
    zmena(Ovladac::ProgressBar1);
}

bool TForm1::prikaz(const std::function<void()>& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        platforma.chybabox(e.what());
        return false;
    }
}

}  // namespace qlc
