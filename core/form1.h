#pragma once
// TForm1: the main window as a plain C++ model. It owns all program state
// for the whole run (the input matrix, the circuit store, the table of
// two-level matrices, the phases, eps, the view state) and the values of
// its controls; every routine of the system is one of its methods. It
// reaches the user only through the Platforma interface.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "core/brany.h"
#include "core/matica.h"
#include "core/platforma.h"
#include "core/presna.h"

namespace qlc {

// ---- controls as plain values ----------------------------------------------

struct TTrackBar {
    int min = 1, max = 50, position = 1, frequency = 2;
};

// Horizontal up-down control; its position is a 16-bit signed value.
struct TUpDown {
    int min = 0, max = 0, position = 0;
};

struct TProgressBar {
    int max = 100, position = 0, step = 1;
    bool visible = false;
};

struct TStringGrid {
    int colcount = 5, rowcount = 5;
    bool visible = true;
    std::vector<std::string> bunky = std::vector<std::string>(25);  // row by row
    void nastavrozmer(int stlpce, int riadky);
    // Cell in column c, row r (0-based, row 0 and column 0 are the captions).
    std::string& bunka(int c, int r);
    const std::string& bunka(int c, int r) const;
};

// Fields of the gate matrix dialog Form5; they keep their texts between uses.
struct TForm5 {
    std::string Edit1 = "0", Edit2 = "1", Edit3 = "2";
    std::string Edit4 = "0+0i", Edit5 = "1+0i", Edit6 = "1+0i", Edit7 = "0+0i";
};

struct TRAMEC {
    int left = 10, top = 10, right = 1000, bottom = 750;
};

// The layout of one drawing: its frame and zoom, the band height H in
// pixels, the number of bands B and of columns per band C, and whether gates
// slide left into free columns ("Zuzenie zobrazenia").
struct TROZLOZENIE {
    TRAMEC ramec;
    double zoom = 1.25;
    int H = 0, B = 0, C = 0;
    bool zuzenie = true;
};

// What the canvas shows: gates start..pocet of the store laid out as
// rozlozenie says (siet), or no gates of the store (nothing, the step
// display's copy, the gate dialog's gate).
struct TKRESBA {
    bool siet = false;
    TROZLOZENIE rozlozenie;
    int pocet = 0, start = 0;
};

// The 32-bit linear congruential generator of the random matrices.
struct TGENERATOR {
    std::uint32_t seed = 0;
    std::uint32_t krok() { return seed = seed * 134775813u + 1u; }
    int cele(int n) { return static_cast<int>((static_cast<std::uint64_t>(krok()) * static_cast<std::uint64_t>(n)) >> 32); }
    double realne() { return static_cast<double>(krok()) * (1.0 / 4294967296.0); }
};

// A product of a few gate matrices, made by the optimiser's step checks:
// the full matrix M and, unless plna, for every row i the columns where
// M(i, j) may be nonzero (bit j - 1 of stlpce[i - 1]); all other entries of
// the leading block are exactly 0.
struct TSUCIN {
    TMATICA1 M;
    std::array<std::uint64_t, MAXROZMER> stlpce{};
    bool plna = true;
};

// Working state of one run of the optimiser.
struct TOPTIMSTAV {
    int tahana = 0;
    int pos = 0;
    Pole<TMATICA2, 0, MAXZALOH> zaloha;
    Pole<int, 1, MAXZALOH> zalohapos;
    int pocetzaloh = 0;
    bool vloz = false;
    int vlozpri = 0;
    TGATE1 vlozbrana;
    bool koniec = false;
    bool zlucena = false;
    int pocetpred = 0;
    // lavy[i] < i, and every gate strictly between lavy[i] and i is marked
    // removed: the left neighbour search of a pass jumps over runs of
    // removed gates instead of walking them again for every moving gate.
    // Valid only inside a pass of optimalizacia; index 0 stands for "none".
    std::vector<int> lavy;
    // Scratch products of the step checks, made on their first use.
    std::vector<TSUCIN> kontrolne;
};

// Items of ComboBox1, by index.
inline constexpr int HLBKA_ELEMENT = 0;   // "element. bran"
inline constexpr int HLBKA_L1 = 1;        // "L1(U) bran"
inline constexpr int HLBKA_TOFFOLI = 2;   // "zovseob.Toffoli bran"
// Items after the three depths: the minimal-CNOT synthesis, the shortest
// of the circuits of every method, and the numerical search for the fewest
// CNOTs.
inline constexpr int METODA_QSD = 3;        // "min. CNOT bran"
inline constexpr int METODA_NAJLEPSIA = 4;  // "najkratsia siet"
inline constexpr int METODA_HLADANIE = 5;   // "numericke hladanie"

// A circuit the shortest-circuit method may keep: whether it was made with
// every check passed, its counts, and the deviation of its product from the
// input as given (odchylkasiete; NaN when not measured).
struct TKANDIDAT {
    bool ok = false;
    int cnot = 0;
    int brany = 0;
    double odchylka = 0.0;
};

// The candidate deviates from the input by at most PRESNA_SIET.
bool presnasiet(const TKANDIDAT& k);
// The rule of "najkratsia siet": a wins over b. A circuit made with its
// checks passed wins over one that was not; then an exact one (presnasiet)
// over an inexact one; then fewer CNOTs, and on a tie fewer gates. Equal
// candidates: a does not win, so the one held first is kept.
bool lepsiasiet(const TKANDIDAT& a, const TKANDIDAT& b);

class TForm1 {
public:
    explicit TForm1(Platforma& platforma);  // FormCreate
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    Platforma& platforma;

    // ---- program state --------------------------------------------------------
    TGATES1 brany;
    int pocetb1 = 0;
    TMATICA1 A;
    // The input as the user gave it (file, NumPy, the library's call): A's
    // entries before the zero snapping. Taken only while it still snaps to
    // A entry by entry; a matrix made otherwise has A's entries as its own.
    TPRESNA Apresna;
    Pole<TTPQ, 1, MAXTPQ> tpq;
    int pocettpq = 0;
    Pole<double, 1, MAXROZMER> fazy;
    int rozmer = 4;
    int pocetq = 2;
    double eps = EPS_ZAKLAD;
    TMATICA2 matnot, matz, jednotka;

    // ---- view state -----------------------------------------------------------
    double zoom = 1.25;
    int zobrazod = 1;
    int aktualna = 0;
    TRAMEC ramec;
    bool nakreslene = false;  // the canvas holds a drawing (vycistisiet clears it)
    TKRESBA kresba;           // set by kreslenie, cleared by vycistisiet

    // ---- controls -------------------------------------------------------------
    std::string Edit1 = "2";
    bool Button3enabled = true;
    int ComboBox1 = HLBKA_ELEMENT;
    TTrackBar TrackBar1{1, 50, 1, 2};
    TTrackBar TrackBar2{45, 200, 50, 10};
    TUpDown UpDown1;
    TProgressBar ProgressBar1;
    TStringGrid StringGrid1;
    bool Image1visible = false;
    std::string Label3 = "1", Label5 = "200", Label7 = "1,00", Label8 = "0", Label11 = "0";
    std::string Label12, Label13, Label14, Label15;
    bool roboptim = true;
    bool Kontrolptimkrok1 = false;
    bool Zobroptimkroky = false;
    bool Zuzeniezobrazenia1 = true;
    TForm5 Form5;

    // ---- small helpers of the model ---------------------------------------------
    void log(const std::string& riadok) { platforma.memo(riadok); }
    void info(const std::string& text) { platforma.infobox(text); }
    void zmena(Ovladac o) { platforma.zmena(o); }
    // Progress bar: maximum, position 0, step 1, visible.
    void progresstart(int maximum);
    void progreskrok();
    void progresskry();
    // Runs one command; a run-time error ends it with the error box.
    // Returns false when the command ended with an error.
    bool prikaz(const std::function<void()>& f);

    // ---- two-level matrices ------------------------------------------------------
    TMATICA1 vyrobTpq(int p, int q, double omega, double fi);
    TMATICA1 vyrobTpqinv(int p, int q, double omega, double fi);

    // ---- roots of 2x2 unitary matrices ---------------------------------------------
    void Odmocnina(TMATICA2& A2, int k);

    // ---- circuit model -------------------------------------------------------------
    TBSTAV tobin(int s);
    int todec(const TBSTAV& bstav);
    TMATICA1 maticabrany(const TGATE1& g);
    TMATICA1 kompozicia(TZoznamBran b, int pocet, int pzac, int pkon);
    // Opens a new record at the end of the store; throws PlnyZasobnik when
    // the store already holds 400,000 gates.
    void novabrana();

    // ---- decomposition ---------------------------------------------------------------
    // Outcome of the last decomposition, for the command-line tool: whether
    // the run went to its end, and whether every check it made passed.
    // Any routine whose check fails (a log line or box reporting a mismatch)
    // calls zlakontrola().
    struct TBeh {
        bool dokoncena = false;
        bool kontrolyok = true;
    } beh;
    void zlakontrola() { beh.kontrolyok = false; }
    void Button3Click();
    void dekompozicia();
    // The two-level method (steps after the input check), to depth k; false
    // when the run ended early.
    bool dekompoziciatpq(const TMATICA1& povodna, int k);
    // The minimal-CNOT synthesis into the store, optimised and checked
    // against povodna; false when the run ended early.
    bool dekompoziciaqsd(const TMATICA1& povodna);
    // The numerical search for the fewest CNOTs into the store, optimised
    // and checked against povodna as dekompoziciaqsd; false when the run
    // ended early.
    bool dekompoziciahladanie(const TMATICA1& povodna);
    // Time limit of the numerical search in seconds; 0 = its default.
    double casovylimit = 0.0;
    // Every method; the store keeps the circuit with fewer CNOTs (on a tie,
    // fewer gates). False when no circuit was made.
    bool dekompozicianajkratsia(const TMATICA1& povodna);
    // The circuit in the store came from the minimal-CNOT synthesis: the
    // table of two-level matrices and the phases belong to no circuit.
    bool sietzosyntezy = false;
    // eps of the optimiser's comparisons, set at the start of its run.
    double epsoptimalizacie = EPS_ZAKLAD;
    void Redukcia(TMATICA1& M, int n);
    // M := M . vyrobTpq (resp. M . vyrobTpqinv) of one row of tpq, done on
    // columns p and q only; bit for bit the full nasob. A row with invalid
    // indices is reported as vyrobTpq reports it and acts as the identity.
    void nasobtpq(TMATICA1& M, const TTPQ& r);
    void nasobtpqinv(TMATICA1& M, const TTPQ& r);
    void RozlozTpq(int u);
    void RozlozFazy();
    void DoL1();
    void Doelementarnych();
    // Helpers of DoL1 (dol1.cpp) and Doelementarnych (doelementarnych.cpp);
    // the replacement of one gate goes to rozpis[1..c].
    static constexpr int ROZPISLM = 228;  // usable records of rozpis; one Lm(U) gate needs at most 29
    using TROZPISLM = Pole<TGATE1, 0, ROZPISLM>;
    using TROZPIS1U = Pole<TGATE1, 1, 6>;
    int rozpisLm(TGATE1 g, TROZPISLM& rozpis, int kapacita);
    int easytoffoli(TMATICA2 U, int m, TROZPISLM& rozpis, int kapacita);
    // Elementary replacement of the L1(U) gate G in rozpis[1..pocet]; false
    // (nothing to use) when G is left as it is.
    bool Rozloz1U(TGATE1 G, TROZPIS1U& rozpis, int& pocet);

    // ---- optimisation ------------------------------------------------------------------
    TOPTIMSTAV optim;
    Pole<TGATE1, 0, MAXKOPIA> kopia;  // display copy of the optimisation steps
    void optimalizacia();
    void obnov();
    bool najblvlavo(int& pos);
    bool najblvpravo(int& pos);
    std::uint8_t prehodbrany(int pos1, int pos2, int mode);
    std::uint8_t spravid(int pos1, int pos2);
    // Internal steps of optimalizacia (one move of the moving gate and its
    // pieces), of prehodbrany and of spravid.
    void tah();
    void presunzlucenu();
    void zapamatajpartnera();
    void vlozvlavo();
    void vlozvpravo();
    bool najblvlavoskratka(int& pos);
    std::uint8_t prehodskontrolou(int pos1, int pos2, int mode);
    std::uint8_t skok(int pos1, int pos2, int mode);
    // The checks compare the pair's product P before the call, given here
    // or (overprehodu, overzlucenia) left in kontrolny(0), with the pair
    // after it.
    void kontrolaprehodu(int pos1, int pos2, int mode, std::uint8_t kod, const TMATICA1& P);
    void kontrolazlucenia(int pos1, int pos2, std::uint8_t kod, const TMATICA1& P);
    void overprehodu(int pos1, int pos2, int mode, std::uint8_t kod);
    void overzlucenia(int pos1, int pos2, std::uint8_t kod);
    // Scratch products k = 0, 1 of the checks, and S := the product of the
    // gates g (the first acts first); false, S untouched, when a gate is not
    // well formed: its full matrix is then maticabrany's, with its reports.
    TSUCIN& kontrolny(int k);
    bool sucinbran(TSUCIN& S, std::initializer_list<const TGATE1*> g);
    void tahvlavo(const std::string& prefix);
    void tahvpravo(const std::string& prefix);

    // ---- view ------------------------------------------------------------------------
    void kreslenie(TZoznamBran b, int pocet, int start);
    void statistika();
    void TrackBar1Change();
    void TrackBar2Change();
    void UpDown1Changing();
    // Moves a slider or the up-down as the user would, running its handler.
    void nastavTrackBar1(int pozicia);
    void nastavTrackBar2(int pozicia);
    void nastavUpDown1(int pozicia);
    // Sets the navigation controls to the circuit in the store: the first
    // gate slider and the up-down range over its gates, "z:" its count, and
    // the first and current gates kept among them ("Aktualna brana:" shows
    // the current gate).
    void nastavnavigaciu();
    // After the store was emptied: the picture, the current gate's entries
    // and the navigation controls no longer name any gate.
    void vycistisiet();
    // The gate of the store whose glyph stands at canvas point (x, y) in the
    // drawing the canvas shows: the point lies within the gate's highlight
    // rectangle. 0 where there is none, or when the canvas shows no gates
    // of the store.
    int branana(int x, int y) const;
    // The drawing frame for a picture control of sirka x vyska pixels: the
    // frame set at creation, widened and heightened to fill a larger
    // control (with the same margin right and below as left and above), at
    // most MAXRAMEC. nastavramec sets it; a drawing of the store is redrawn
    // in the new frame.
    static constexpr int MAXRAMEC = 4000;
    static TRAMEC ramecpre(int sirka, int vyska);
    void nastavramec(const TRAMEC& r);
    // The legend of the drawing's symbols: every glyph beside its meaning,
    // drawn at zoom 1 from the top left corner of the canvas; returns the
    // width and height it took.
    std::pair<int, int> kreslilegendu(Platno& pl) const;
    // The text shown on hovering over gate g of the store: its number, its
    // target and controls, the name of its matrix where it is a known gate
    // (with its angle), and the matrix. Empty for a number outside the store.
    std::string popisbrany(int g) const;
    // Makes gate g of the store the current one, as the up-down control
    // moved to g would: "Aktualna brana:", the highlight and the printed
    // matrix follow, the first gate drawn stays.
    void vyberbranu(int g);

    // ---- application shell --------------------------------------------------------------
    void zobrazmaticu(const TMATICA1& M);
    void Button1Click();
    void Edit1Change();
    // Sets the text of the qubit field; its change handler runs when the text changes.
    void nastavEdit1(const std::string& text);
    void Button5Click();
    void Otvori1Click();
    void Uloi1Click();
    void Optimalizova1Click();
    void zapismaticu(const TMATICA1& M, const std::string& meno);
    int nacitajmaticu(const std::string& meno);
    TGENERATOR generator;
    void generuj(TMATICA1& M, int pocet);
    // generuj with the generator started from the given seed instead of the
    // platform's, for a repeatable matrix (qlc random --seed).
    void generujseed(TMATICA1& M, int pocet, std::uint32_t seed);
    // Saves the circuit in the store as an OpenQASM program (verzia 2 or 3)
    // to a file chosen in the save dialog.
    void UlozQasmClick(int verzia);
};

}  // namespace qlc
