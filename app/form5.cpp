// The gate matrix dialog: one gate typed into Form5 is drawn alone and its
// full matrix shown in the grid. A viewing tool: neither A nor the circuit
// changes.
#include <string>

#include "core/form1.h"
#include "core/text.h"

namespace qlc {
namespace {

const std::string ZLA_BRANA = "Chyba pri vyrabani zadanej brany = zle zadane parametre!!!";

// Far above any qubit number; reading stops growing here, so no digit
// string can overflow.
constexpr long long STROP = 1000000;

// An integer read as far as it can be read: leading blanks skipped, an
// optional sign, then the digits that follow; 0 when no digit can be read.
long long citajcislo(const std::string& t) {
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    bool minus = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        minus = t[i] == '-';
        ++i;
    }
    long long v = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        v = v * 10 + (t[i] - '0');
        if (v > STROP) v = STROP;
        ++i;
    }
    return minus ? -v : v;
}

// Gate g from the dialog's type, target and control texts on n qubits, or
// false when they describe no gate: a type outside 0..min(4, n - 1), a
// target outside 1..n, a control that is missing (the text ends before its
// position), not a digit, outside 1..n, equal to the target or repeated.
// Control j is the single character at position 2j - 1 of the text.
bool citajbranu(const TForm5& d, int n, TGATE1& g) {
    const long long typ = citajcislo(d.Edit1);
    const long long ciel = citajcislo(d.Edit2);
    if (typ < 0 || typ > 4 || typ > n - 1) return false;
    if (ciel < 1 || ciel > n) return false;
    g.pocetk = static_cast<std::uint8_t>(typ);
    g.ciel = static_cast<std::uint8_t>(ciel);
    for (int j = 1; j <= g.pocetk; ++j) {
        const std::size_t miesto = static_cast<std::size_t>(2 * j - 2);
        if (miesto >= d.Edit3.size()) return false;
        const char ch = d.Edit3[miesto];
        const int q = ch >= '0' && ch <= '9' ? ch - '0' : 0;
        if (q < 1 || q > n || q == ciel) return false;
        for (int i = 1; i < j; ++i)
            if (g.kontroly[i] == q) return false;
        g.kontroly[j] = static_cast<std::uint8_t>(q);
    }
    return true;
}

}  // namespace

void TForm1::Optimalizova1Click() {
    if (!platforma.form5()) return;

    TGATE1 g;
    if (!citajbranu(Form5, pocetq, g)) {
        platforma.chybabox(ZLA_BRANA);
        return;
    }
    g.vyradena = false;
    g.U.u11() = nakomplex(Form5.Edit4);
    g.U.u12() = nakomplex(Form5.Edit5);
    g.U.u21() = nakomplex(Form5.Edit6);
    g.U.u22() = nakomplex(Form5.Edit7);

    const TMATICA1 M = maticabrany(g);

    // The gate alone as a circuit of one gate: entry 1 of a two-entry list.
    Pole<TGATE1, 0, 1> jedna;
    jedna[1] = g;
    kreslenie(TZoznamBran(jedna.data(), jedna.hi), 1, 1);

    StringGrid1.visible = false;
    zmena(Ovladac::StringGrid1);
    Image1visible = true;
    zmena(Ovladac::Image1);
    info("Ziadas maticu tejto brany.");

    Image1visible = false;
    zmena(Ovladac::Image1);
    StringGrid1.visible = true;
    zmena(Ovladac::StringGrid1);
    zobrazmaticu(M);
}

}  // namespace qlc
