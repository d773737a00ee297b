// Commands of the main window: the matrix grid, the qubit count field,
// "Generuj", "Otvorit" and "Uložit".
#include <charconv>
#include <string_view>
#include <system_error>

#include "core/form1.h"
#include "core/text.h"

namespace qlc {

namespace {

// ---- texts of the commands -------------------------------------------------

constexpr const char* ZLY_POCET = "Pocet Qubitov musi byt prirodzene cislo > 1";
constexpr const char* VELA_QUBITOV = "Pocet Qubitov musi byt mensi ako  ";
constexpr int MAXQUBITOV = 5;

constexpr const char* OTVOR_TITUL = "Otvorit súbor s maticou";
constexpr const char* OTVOR_FILTER =
    "Subory matíc|*.mat|Textové súbory|*.txt|Všetky súbory|*.*|Súbory NumPy|*.npy";
constexpr const char* ULOZ_TITUL = "Uloženie matice A";
constexpr const char* ULOZ_MENO = "matica1.mat";
constexpr const char* ULOZ_FILTER = "Súbory matíc|*.mat|Textové súbory|*.txt|Všetky súbory|*.*";

// How the text of the qubit field reads as an integer.
enum class Pocet { ZLY, MALY, VELKY, DOBRY };

// An integer, optionally signed, with optional blanks around it. Values
// beyond the range of long long still count as integers that are too large
// (or too small).
Pocet citajpocet(std::string_view t, int& n) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    if (t.empty() || t.front() == '+') return Pocet::ZLY;
    long long v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ptr != t.data() + t.size()) return Pocet::ZLY;
    if (r.ec == std::errc::result_out_of_range) return t.front() == '-' ? Pocet::MALY : Pocet::VELKY;
    if (r.ec != std::errc()) return Pocet::ZLY;
    if (v < 2) return Pocet::MALY;
    if (v > MAXQUBITOV) return Pocet::VELKY;
    n = static_cast<int>(v);
    return Pocet::DOBRY;
}

}  // namespace

void TForm1::zobrazmaticu(const TMATICA1& M) {
    for (int i = 1; i <= rozmer; ++i)
        for (int j = 1; j <= rozmer; ++j) StringGrid1.bunka(j, i) = komplexnatext(M(i, j), 2);
    for (int i = 1; i <= rozmer; ++i) {
        const TBSTAV b = tobin(i);
        std::string popis;
        for (int k = 1; k <= pocetq; ++k) popis += static_cast<char>('0' + b[k]);
        StringGrid1.bunka(0, i) = popis;
        StringGrid1.bunka(i, 0) = popis;
    }
    zmena(Ovladac::StringGrid1);
}

void TForm1::Button1Click() {
    StringGrid1.visible = !StringGrid1.visible;
    zmena(Ovladac::StringGrid1);
    zobrazmaticu(A);
}

void TForm1::Edit1Change() {
    int t = 0;
    switch (citajpocet(Edit1, t)) {
        case Pocet::ZLY:
        case Pocet::MALY:
            info(ZLY_POCET);
            return;
        case Pocet::VELKY:
            info(VELA_QUBITOV + std::to_string(MAXQUBITOV) + ".");
            return;
        case Pocet::DOBRY:
            break;
    }
    pocetq = t;
    rozmer = 1 << t;
    pocetb1 = 0;  // the circuit belongs to the old count
    vycistisiet();
    StringGrid1.nastavrozmer(rozmer + 1, rozmer + 1);
    zmena(Ovladac::StringGrid1);
    generuj(A, 100);
    StringGrid1.visible = true;
    zmena(Ovladac::StringGrid1);
    zobrazmaticu(A);
}

void TForm1::nastavEdit1(const std::string& text) {
    if (text == Edit1) return;
    Edit1 = text;
    zmena(Ovladac::Edit1);
    Edit1Change();
}

void TForm1::Button5Click() {
    StringGrid1.visible = true;
    zmena(Ovladac::StringGrid1);
    generuj(A, 100);
    zobrazmaticu(A);
}

void TForm1::Otvori1Click() {
    const auto meno = platforma.otvordialog(OTVOR_TITUL, OTVOR_FILTER);
    if (!meno) return;
    if (nacitajmaticu(*meno) == 1) zobrazmaticu(A);
}

void TForm1::Uloi1Click() {
    const auto meno = platforma.ulozdialog(ULOZ_TITUL, ULOZ_MENO, ULOZ_FILTER);
    if (!meno) return;
    zapismaticu(A, *meno);
}

}  // namespace qlc
