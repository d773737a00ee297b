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

// Gate g from the dialog's type, target and control texts on n qubits.
// Returns the reason why they describe no gate, naming the field, or ""
// for a gate: a type outside 0..min(4, n - 1), a target outside 1..n, a
// control that is missing (the text ends before its position), not a digit,
// outside 1..n, equal to the target or repeated. Control j is the single
// character at position 2j - 1 of the text.
std::string citajbranu(const TForm5& d, int n, TGATE1& g) {
    const long long typ = citajcislo(d.Edit1);
    const long long ciel = citajcislo(d.Edit2);
    const int maxtyp = n - 1 < 4 ? n - 1 : 4;
    if (typ < 0 || typ > maxtyp)
        return "Pole typ (pocet kontrolujucich qubitov) musi byt 0 az " + std::to_string(maxtyp) + ".";
    if (ciel < 1 || ciel > n) return "Pole kontrolovany qubit musi byt 1 az " + std::to_string(n) + ".";
    g.pocetk = static_cast<std::uint8_t>(typ);
    g.ciel = static_cast<std::uint8_t>(ciel);
    const std::string pole = "Pole kontrolujuce qubity: ";
    for (int j = 1; j <= g.pocetk; ++j) {
        const std::string kolky = std::to_string(j) + ". qubit";
        const std::size_t miesto = static_cast<std::size_t>(2 * j - 2);
        if (miesto >= d.Edit3.size())
            return pole + kolky + " chyba, cisel musi byt tolko, kolko udava typ (cisla oddelene 1 medzerou).";
        const char ch = d.Edit3[miesto];
        const int q = ch >= '0' && ch <= '9' ? ch - '0' : 0;
        if (q < 1 || q > n)
            return pole + kolky + " musi byt cislo 1 az " + std::to_string(n) + " (cisla oddelene 1 medzerou).";
        if (q == ciel) return pole + kolky + " je zaroven kontrolovany qubit.";
        for (int i = 1; i < j; ++i)
            if (g.kontroly[i] == q) return pole + "qubit " + std::to_string(q) + " sa opakuje.";
        g.kontroly[j] = static_cast<std::uint8_t>(q);
    }
    return {};
}

// An entry of U read from its field; a text nakomplex refuses ends the
// command with nakomplex's error, followed by the field's name.
TKOMPLEX citajprvok(const std::string& t, const char* pole) {
    try {
        return nakomplex(t);
    } catch (const ChybaKonverzie& e) {
        throw ChybaKonverzie(std::string(e.what()) + "\rPole " + pole + " matice U nie je komplexne cislo.");
    }
}

}  // namespace

void TForm1::Optimalizova1Click() {
    if (!platforma.form5()) return;

    TGATE1 g;
    // The described text first, then the field that is wrong.
    if (const std::string dovod = citajbranu(Form5, pocetq, g); !dovod.empty()) {
        platforma.chybabox(ZLA_BRANA + "\r" + dovod);
        return;
    }
    g.vyradena = false;
    g.U.u11() = citajprvok(Form5.Edit4, "U(1,1)");
    g.U.u12() = citajprvok(Form5.Edit5, "U(1,2)");
    g.U.u21() = citajprvok(Form5.Edit6, "U(2,1)");
    g.U.u22() = citajprvok(Form5.Edit7, "U(2,2)");

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
