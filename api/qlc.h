#pragma once
// The decomposition as a library call: a matrix and options in; the circuit,
// the log, the message boxes and the figures of the run out. For programs
// that have no window: the Python module qlc and the command-line tool qlc.
//
// Conventions of the whole program hold here too: qubits are numbered 1..n
// and qubit 1 is the most significant bit of the basis state's index (state
// s = 1 + sum_k bit_k 2^(n-k)); a gate applies its 2x2 matrix U to the target
// qubit when every control qubit is 1; gates are listed in the order of
// application, the first acts first. Matrix indices start at 1.
//
// Every routine below is synchronous and keeps no state between calls except
// the PNG painter registered by nastavpng; separate calls may run on
// separate threads at the same time.
#include <complex>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/brany.h"
#include "core/chyby.h"
#include "core/matica.h"
#include "core/presna.h"

namespace qlc {
class Platno;
}

namespace qlc::api {

// Input refused before anything runs: a matrix of the wrong shape or with
// an entry that is not finite, unknown options, a malformed gate. The text is
// the message shown to the user.
struct ChybaVstupu : ChybaBehu {
    using ChybaBehu::ChybaBehu;
};

// The drawing refused the view as the window refuses it: a first gate the
// circuit does not have (every gate of an empty circuit), or a zoom at which
// no band fits the canvas. The text is the window's log line.
struct ChybaKreslenia : ChybaVstupu {
    using ChybaVstupu::ChybaVstupu;
};

// An entry of the matrix refused (not finite): riadok, stlpec in 1..rozmer.
struct ChybaPrvku : ChybaVstupu {
    ChybaPrvku(const std::string& sprava, int r, int s) : ChybaVstupu(sprava), riadok(r), stlpec(s) {}
    int riadok;
    int stlpec;
};

// ---- input -------------------------------------------------------------------

// A square matrix of 2 to 5 qubits: entries A(1..rozmer, 1..rozmer),
// rozmer = 2^pocetq. Every entry is a complex number of the program (parts
// of magnitude at most 1e-12 are exactly 0); presna keeps the entries as
// they were given, before that snapping, and is what the minimal-CNOT
// synthesis starts from and every deviation figure is measured against.
// When presna is empty or no longer snaps to A, A's entries are the input.
struct TMatica {
    int pocetq = 0;
    int rozmer = 0;
    TMATICA1 A;
    TPRESNA presna{};
};

// The matrix of riadky x stlpce entries given row by row:
// entry (i, j) is prvky[(i - 1) * stlpce + (j - 1)]. ChybaVstupu for a shape
// other than 2^n x 2^n with 2 <= n <= 5, for prvky of another length and for
// an entry that is not finite.
TMatica matica(int riadky, int stlpce, std::span<const std::complex<double>> prvky);

// The number of qubits of a matrix of that shape; ChybaVstupu, with the
// message matica gives, for a shape other than 2^n x 2^n, 2 <= n <= 5.
int qubitytvaru(long long riadky, long long stlpce);

// ---- options -------------------------------------------------------------------

// The method: the two-level decomposition of the program, the minimal-CNOT
// synthesis, the shortest circuit of every method, or the numerical search
// for the fewest CNOTs.
enum class TMetoda { dvojurovnova, qsd, najlepsia, hladanie };
// How far the two-level decomposition goes: elementary gates (one-qubit
// gates and CNOTs), gates with at most one control, multi-controlled gates.
enum class THlbka { element, l1, toffoli };

struct TVolby {
    TMetoda metoda = TMetoda::dvojurovnova;
    THlbka hlbka = THlbka::element;
    bool optimalizuj = true;      // "Vykonať optimalizáciu"
    bool kontrolakrokov = false;  // "Kontrola po jednotlivých optim. krokoch"
    // Measure TSuhrn::odchylka, which composes the whole circuit once more
    // (a tenth of a second at 70,000 gates); without it the figure is NaN.
    bool odchylka = true;
    // Time limit of the numerical search in seconds; 0 = its default.
    double casovylimit = 0.0;
};

// The names qlc and the Python module use: "twolevel", "qsd", "best",
// "search" and "element", "l1", "toffoli"; ChybaVstupu for any other text.
TMetoda metoda(const std::string& meno);
THlbka hlbka(const std::string& meno);
std::string meno(TMetoda m);
std::string meno(THlbka h);

// The item of the depth drop-down that runs these options: 0, 1, 2 for the
// two-level decomposition to element, l1, toffoli; 3 for qsd, 4 for best and
// 5 for search, which go to elementary gates only (ChybaVstupu at another
// depth).
int polozka(const TVolby& v);

// ---- the run -------------------------------------------------------------------

// What a caller sees while a run goes on; every member may be empty. A
// callback may throw to end the run (a cancel button, Ctrl-C): rozloz then
// throws that exception to its caller and returns nothing.
struct TSledovanie {
    std::function<void(const std::string&)> log;    // a log line, as it is written
    std::function<void(const std::string&)> box;    // a message box (answered OK)
    std::function<void(const std::string&)> chyba;  // the error that ended the run
    // The progress bar changed: its position, its maximum, and whether it is shown.
    std::function<void(int pozicia, int maximum, bool viditelny)> priebeh;
};

// Figures of the circuit.
struct TSuhrn {
    int pocetbran = 0;
    // Gates with one control whose matrix is NOT within the run's eps.
    int pocetcnot = 0;
    // podlak[k]: gates with k controls, k = 0..4.
    Pole<int, 0, 4> podlak{};
    // Layers when every gate goes as early as the gates sharing a qubit allow.
    int hlbka = 0;
    // Largest modulus of an entry of the circuit's product minus the input as
    // given, the product taken in double without snapping (the gate entries
    // are as the store holds them); NaN when not measured
    // (TVolby::odchylka) or when an entry is NaN.
    double odchylka = 0.0;
};

struct TVysledok {
    int pocetq = 0;
    int rozmer = 0;
    TVolby volby;
    // The circuit in the order of application: brany[0] acts first. Qubit 1
    // is the most significant bit.
    std::vector<TGATE1> brany;
    std::vector<std::string> logy;   // the log, line by line
    std::vector<std::string> boxy;   // texts of the message boxes, in order
    std::vector<std::string> chyby;  // the error that ended the run, if one did
    // The run went to its end (the circuit was drawn), and every check it
    // made passed.
    bool dokoncena = false;
    bool kontrolyok = false;
    // The run refused its input at the first step: the matrix is not
    // unitary within the program's tolerance (the log says so).
    bool neunitarna = false;
    // The circuit came from the minimal-CNOT synthesis: the report has no
    // two-level matrices and no phases.
    bool zosyntezy = false;
    bool ok() const { return dokoncena && kontrolyok && chyby.empty(); }
    // Why the run is not ok: the log line or box text after which its
    // checks first failed, or for a run that ended early its last log line;
    // empty for a run that is ok.
    std::string zlyhanie;
    // The figures of the circuit, for a run that went to its end.
    TSuhrn suhrn;
    // The tolerance the run's last checks used: the composed circuit equals
    // the input within it, entry by entry.
    double eps = 0.0;
    // The input as the run took it, and the matrix the program holds after
    // the run (the one "Uložit" saves with the report).
    TMATICA1 vstup;
    TMATICA1 A;
    // The input's entries as given, before the zero snapping.
    TPRESNA presna{};
    // The two-level matrices and the phases of the reduction, for the report.
    std::vector<TTPQ> tpq;
    std::vector<double> fazy;
};

// The text of the log line with which a run refuses a matrix that is not
// unitary.
extern const char* const NEUNITARNA;

// Decomposes U with the options, as "Dekompozícia" does in the window.
// ChybaVstupu for options that do not go together and for a matrix that
// matica would refuse; the exception of a callback of sledovanie that
// threw; everything that happens
// in the run itself is in the result (a run-time error that ends it is in
// chyby and reported to sledovanie.chyba).
TVysledok rozloz(const TMatica& U, const TVolby& volby, const TSledovanie& sledovanie = {});

// The summary lines of the run in the form of `qlc decompose --summary`:
// qubits, gates, CNOTs, gates by controls, depth, and the deviation of the
// composed circuit from the input vstup. (Not from A: after a run to the
// multi-controlled gates A is the matrix rebuilt from the reduction, which
// may be closer to the circuit than the input is.)
std::vector<std::string> suhrnriadky(const TVysledok& v);

// ---- the circuit -------------------------------------------------------------------

// The matrix of the circuit brany (brany[0] acts first) on pocetq qubits:
// G(last) . ... . G(first). ChybaVstupu for pocetq outside 2..5, more than
// 400,000 gates, or a gate whose target or controls are outside 1..pocetq
// or repeat.
TMatica maticasiete(const std::vector<TGATE1>& brany, int pocetq);

// The circuit as an OpenQASM program of verzia 3 or 2 (see app/qasm.h:
// qubit k is q[n - k]). ChybaVstupu as maticasiete; ChybaBehu for another
// version, and for version 2 a gate with more than one control.
// eps: the tolerance within which the circuit equals its input, stated in
// the header (TVysledok::eps of the run).
std::string qasm(const std::vector<TGATE1>& brany, int pocetq, int verzia, double eps = EPS_ZAKLAD);

// Figures of the circuit brany against the matrix vstup, with eps deciding
// what a CNOT is.
TSuhrn suhrn(const std::vector<TGATE1>& brany, int pocetq, const TMATICA1& vstup, double eps);
// The same against the entries as given.
TSuhrn suhrn(const std::vector<TGATE1>& brany, int pocetq, const TPRESNA& vstup, double eps);

// ---- files -------------------------------------------------------------------------

// A matrix file, or a NumPy .npy file (told by its magic string), read and
// checked completely; ChybaSuboru naming the file and what is wrong.
TMatica citaj(const std::string& meno);

// Writes M to the file meno, replacing it safely: a name ending in ".npy"
// gets a NumPy file (complex128, C order); any other name a matrix file
// with the report of rozklad (the two-level matrices, the phases, the gate
// list) or, without one, the empty report. The log line of the writer goes
// to sledovanie.log. ChybaSuboru when it cannot be written.
void zapis(const std::string& meno, const TMatica& M, const TVysledok* rozklad = nullptr,
           const TSledovanie& sledovanie = {});
// The same as a matrix file with its report whatever the name ends in, as
// "Uložit" writes it.
void zapismaticu(const std::string& meno, const TMatica& M, const TVysledok* rozklad = nullptr,
                 const TSledovanie& sledovanie = {});

// The text of the matrix file zapis writes for M (lines ended by CR LF),
// and the bytes of the .npy file.
std::string textsuboru(const TMatica& M, const TVysledok* rozklad = nullptr);
std::string npytext(const TMatica& M);

// Writes the circuit as an OpenQASM program (qasm) to the file meno,
// replacing it safely; ChybaSuboru when it cannot.
void zapisqasm(const std::string& meno, const std::vector<TGATE1>& brany, int pocetq, int verzia,
               double eps = EPS_ZAKLAD);

// A random unitary matrix of pocetq qubits made as "Generuj" makes it; with
// a seed the same matrix every time (as qlc random --seed), otherwise
// seeded from the clock. Its log line goes to sledovanie.log. ChybaVstupu
// for pocetq outside 2..5.
TMatica nahodna(int pocetq, std::optional<std::uint32_t> seed = std::nullopt,
                const TSledovanie& sledovanie = {});

// ---- pictures ------------------------------------------------------------------------

// The view of the drawing: zoom 0.45..2.00 (rounded to hundredths, as the
// slider sets it) and the first gate drawn.
struct TPohlad {
    double zoom = 1.25;
    // The first-gate slider moved to gate od: od is drawn first and becomes
    // the current gate. Without it the drawing starts at gate 1 with no
    // current gate, as right after the decomposition.
    std::optional<int> od;
    // Every band of the circuit from the first gate drawn, one below the
    // other on a canvas as tall as they need (the window's width), instead
    // of the bands that fit the window.
    bool cely = false;
};

// The size of the canvas the drawing with pohlad needs: the window's, or
// for TPohlad::cely as tall as every band. ChybaVstupu as kresli.
struct TRozmer {
    int sirka = 0;
    int vyska = 0;
};
TRozmer rozmerobrazka(const TVysledok& v, const TPohlad& pohlad = {});

// Draws the circuit of a run that went to its end as the window shows it,
// on a canvas of the window's size (of rozmerobrazka for TPohlad::cely). ChybaBehu for a run that did not
// end, ChybaVstupu for a zoom outside the range above, and ChybaKreslenia when the drawing refuses the view;
// its log line goes to sledovanie.log first, as the window writes it.
void kresli(const TVysledok& v, Platno& platno, const TPohlad& pohlad = {},
            const TSledovanie& sledovanie = {});
// The drawing as an SVG document.
std::string svg(const TVysledok& v, const TPohlad& pohlad = {}, const TSledovanie& sledovanie = {});
// Saves the drawing as SVG or PNG, by the name's ending (".svg", ".png");
// PNG only when a painter is registered (ChybaBehu otherwise); the whole
// drawing as PNG only with the painter of nastavpngvelkosti and up to
// PNG_NAJVYSSI pixels tall (ChybaVstupu otherwise). Calls of the
// painter run one at a time. Nothing is written when the drawing fails.
void ulozobrazok(const TVysledok& v, const std::string& meno, const TPohlad& pohlad = {},
                 const TSledovanie& sledovanie = {});

// A painter of PNG pictures: runs kresli on a raster canvas of the window's
// size and returns the bytes of the PNG file, which ulozobrazok writes
// safely. The desktop toolkit's build registers one; without it there is no
// PNG.
using TPngKreslic = std::function<std::string(const std::function<void(Platno&)>& kresli)>;
void nastavpng(TPngKreslic kreslic);
// A painter on a canvas of the size given, for the whole drawing
// (TPohlad::cely) as PNG; without it such a PNG is refused.
using TPngKreslicVelkosti =
    std::function<std::string(const std::function<void(Platno&)>& kresli, int sirka, int vyska)>;
void nastavpngvelkosti(TPngKreslicVelkosti kreslic);
// The tallest whole drawing written as PNG, in pixels.
inline constexpr int PNG_NAJVYSSI = 32000;
bool mapng();

}  // namespace qlc::api
