// qlc: the command-line front end over the main window's model. Each
// command parses its arguments, sets the model's controls as the user would
// and runs the same commands as the desktop application.
#include "qlc.h"

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/qlc/konzola.h"
#include "app/qasm.h"
#include "app/subory.h"
#include "app/suhrn.h"
#include "view/svgplatno.h"

namespace qlc::cli {

namespace {

constexpr const char* VERZIA = "qlc 1.0.0";

TPngKreslic& pngkreslic() {
    static TPngKreslic k;
    return k;
}

constexpr const char* POMOC =
    "Usage:\n"
    "  qlc decompose [--depth element|l1|toffoli] [--no-optimise] [--check-steps] [-o OUT]\n"
    "                [--qasm OUT.qasm] [--qasm2 OUT.qasm] [--summary] FILE\n"
    "  qlc draw [--depth element|l1|toffoli] [--zoom Z] [--from G] FILE OUT.svg|OUT.png\n"
    "  qlc random --qubits N [--seed S] [-o FILE]\n"
    "  qlc --help | --version\n"
    "\n"
    "decompose  reads the matrix file FILE (2 to 5 qubits; a matrix file, or a NumPy .npy\n"
    "           file of complex128 or float64 entries) and decomposes it into a circuit:\n"
    "           --depth element  elementary gates: one-qubit gates and CNOTs (default)\n"
    "           --depth l1       gates with at most one control\n"
    "           --depth toffoli  multi-controlled gates\n"
    "           --no-optimise    one optimisation pass only, controlled gates left alone\n"
    "           --check-steps    check every exchange and merge of the optimiser\n"
    "           -o OUT           save the matrix and the report of the decomposition\n"
    "           --qasm OUT       save the circuit as OpenQASM 3 (exact, global phase included)\n"
    "           --qasm2 OUT      save the circuit as OpenQASM 2.0 (at most one control per gate)\n"
    "                            Qubit k of the circuit is q[n-k]: with q[0] as the least\n"
    "                            significant bit the program's unitary is the input matrix.\n"
    "           --summary        print qubits, gates, CNOTs, gates by controls, depth and the\n"
    "                            largest deviation of the composed circuit from the input\n"
    "           Log lines go to stdout, message boxes to stderr.\n"
    "draw       decomposes FILE and draws its circuit as the window does, as SVG or PNG;\n"
    "           --zoom 0.45..2.00 (default 1.25), --from the first gate drawn (default 1).\n"
    "random     writes a random unitary matrix of N qubits as a matrix file\n"
    "           (to stdout without -o); --seed S makes it repeatable.\n"
    "\n"
    "Exit status: 0 the run went to its end and every check passed;\n"
    "             1 the run ended early or a check failed;\n"
    "             2 usage error, or a file that cannot be read, written or is refused.\n";

struct Chyba {
    std::string text;
};

// Argument reader: options in any order before or after the file.
class Argumenty {
public:
    Argumenty(int argc, char** argv, int od) {
        for (int i = od; i < argc; ++i) a_.emplace_back(argv[i]);
    }
    bool koniec() const { return i_ >= a_.size(); }
    const std::string& dalsi() { return a_[i_++]; }
    std::string hodnota(const std::string& volba) {
        if (koniec()) throw Chyba{"option " + volba + " needs a value"};
        return dalsi();
    }

private:
    std::vector<std::string> a_;
    std::size_t i_ = 0;
};

int cislo(const std::string& t, const std::string& volba, long long lo, long long hi) {
    try {
        std::size_t n = 0;
        const long long v = std::stoll(t, &n, 10);
        if (n != t.size() || v < lo || v > hi) throw std::out_of_range(t);
        return static_cast<int>(v);
    } catch (const std::exception&) {
        throw Chyba{"option " + volba + " takes a whole number from " + std::to_string(lo) + " to " +
                    std::to_string(hi) + ", not '" + t + "'"};
    }
}

// Sets the model to n qubits without making a random matrix, as the window
// is after the qubit field changed, and takes the matrix.
void nastavmaticu(TForm1& f, const TNacitanaMatica& m) {
    f.pocetq = m.pocetq;
    f.rozmer = m.rozmer;
    f.Edit1 = std::to_string(m.pocetq);
    f.pocetb1 = 0;
    f.StringGrid1.nastavrozmer(m.rozmer + 1, m.rozmer + 1);
    f.A = m.A;
}

struct Volby {
    int hlbka = HLBKA_ELEMENT;
    bool optimalizuj = true, kontrola = false, suhrn = false;
    std::string vystup, qasm3, qasm2;
    double zoom = 1.25;
    int od = 1;
    std::vector<std::string> subory;
};

// Options shared by decompose and draw; kresli: the options of draw.
Volby volby(Argumenty& arg, bool kresli) {
    Volby o;
    while (!arg.koniec()) {
        const std::string v = arg.dalsi();
        if (v == "--depth") {
            const std::string h = arg.hodnota(v);
            if (h == "element")
                o.hlbka = HLBKA_ELEMENT;
            else if (h == "l1")
                o.hlbka = HLBKA_L1;
            else if (h == "toffoli")
                o.hlbka = HLBKA_TOFFOLI;
            else
                throw Chyba{"--depth takes element, l1 or toffoli, not '" + h + "'"};
        } else if (v == "--no-optimise" || v == "--no-optimize") {
            o.optimalizuj = false;
        } else if (v == "--check-steps") {
            o.kontrola = true;
        } else if (!kresli && v == "-o") {
            o.vystup = arg.hodnota(v);
        } else if (!kresli && v == "--qasm") {
            o.qasm3 = arg.hodnota(v);
        } else if (!kresli && v == "--qasm2") {
            o.qasm2 = arg.hodnota(v);
        } else if (!kresli && v == "--summary") {
            o.suhrn = true;
        } else if (kresli && v == "--zoom") {
            const std::string z = arg.hodnota(v);
            std::size_t n = 0;
            try {
                o.zoom = std::stod(z, &n);
            } catch (const std::exception&) {
                n = 0;
            }
            if (n != z.size() || !(o.zoom >= 0.45 && o.zoom <= 2.0))
                throw Chyba{"--zoom takes a number from 0.45 to 2.00, not '" + z + "'"};
        } else if (kresli && v == "--from") {
            o.od = cislo(arg.hodnota(v), v, 1, MAXBRAN);
        } else if (!v.empty() && v[0] == '-' && v != "-") {
            throw Chyba{"unknown option " + v};
        } else {
            o.subory.push_back(v);
        }
    }
    return o;
}

// Reads the input and runs the decomposition as "Dekompozícia" does;
// OK, ZLYHANIE or POUZITIE.
int rozloz(TForm1& f, const Volby& o, std::ostream& err) {
    try {
        nastavmaticu(f, citajmaticu(o.subory.at(0)));
    } catch (const ChybaBehu& e) {
        err << "qlc: " << e.what() << '\n';
        return POUZITIE;
    }
    f.ComboBox1 = o.hlbka;
    f.roboptim = o.optimalizuj;
    f.Kontrolptimkrok1 = o.kontrola;
    const bool prebehla = f.prikaz([&] { f.Button3Click(); });
    return prebehla && f.beh.dokoncena && f.beh.kontrolyok ? OK : ZLYHANIE;
}

int decompose(Argumenty& arg, std::ostream& out, std::ostream& err, bool terminal) {
    const Volby o = volby(arg, false);
    if (o.subory.size() != 1) throw Chyba{"decompose needs exactly one matrix file"};

    Konzola k(out, err, terminal);
    k.vypisuj = false;
    TForm1 f(k);
    k.model = &f;
    k.vypisuj = true;

    int vysledok = rozloz(f, o, err);
    if (vysledok == POUZITIE) return vysledok;
    const TMATICA1 vstup = f.A;  // after a complete run A holds the input again
    if (o.suhrn && f.beh.dokoncena) {
        const bool ok = f.prikaz([&] {
            for (const std::string& r : suhrn(f, vstup)) out << r << '\n';
        });
        if (!ok) vysledok = ZLYHANIE;
    }
    if (!o.vystup.empty() && !f.prikaz([&] { f.zapismaticu(f.A, o.vystup); })) vysledok = POUZITIE;
    for (const auto& [verzia, meno] : {std::pair{3, o.qasm3}, std::pair{2, o.qasm2}}) {
        if (meno.empty()) continue;
        if (!f.beh.dokoncena) {
            err << "qlc: the decomposition did not end, " << meno << " was not written\n";
            vysledok = ZLYHANIE;
        } else if (!f.prikaz([&] { zapisqasm(f, verzia, meno); })) {
            vysledok = POUZITIE;
        }
    }
    return vysledok;
}

int draw(Argumenty& arg, std::ostream& out, std::ostream& err, bool terminal) {
    const Volby o = volby(arg, true);
    if (o.subory.size() != 2) throw Chyba{"draw needs a matrix file and a picture file"};
    const std::string& obraz = o.subory[1];
    auto pripona = [&](const char* p) {
        const std::string s(p);
        return obraz.size() > s.size() && obraz.compare(obraz.size() - s.size(), s.size(), s) == 0;
    };
    const bool png = pripona(".png");
    if (!png && !pripona(".svg")) throw Chyba{"draw writes .svg or .png pictures, not '" + obraz + "'"};
    if (png && !pngkreslic()) throw Chyba{"this qlc was built without Qt 6 and cannot write PNG; write .svg"};

    Konzola k(out, err, terminal);
    k.vypisuj = false;
    SvgPlatno svg;
    k.kresba = &svg;
    TForm1 f(k);
    k.model = &f;
    k.vypisuj = true;
    int vysledok = rozloz(f, o, err);
    if (vysledok == POUZITIE) return vysledok;
    if (!f.beh.dokoncena) {
        err << "qlc: the decomposition did not end, nothing was drawn\n";
        return ZLYHANIE;
    }
    // The window's view after the decomposition, moved as the user would
    // move the zoom slider and the first-gate slider.
    svg.vymaz();
    f.zoom = static_cast<int>(o.zoom * 100.0 + 0.5) / 100.0;
    f.zobrazod = o.od;
    if (!f.prikaz([&] {
            if (png) {
                pngkreslic()(
                    [&](Platno& p) {
                        k.kresba = &p;
                        f.kreslenie(f.brany, f.pocetb1, f.zobrazod);
                        k.kresba = &svg;
                    },
                    obraz);
            } else {
                f.kreslenie(f.brany, f.pocetb1, f.zobrazod);
                svg.uloz(obraz);
            }
        }))
        vysledok = POUZITIE;
    return vysledok;
}

int random(Argumenty& arg, std::ostream& out, std::ostream& err) {
    int qubity = 0;
    std::optional<std::uint32_t> seed;
    std::string vystup;
    while (!arg.koniec()) {
        const std::string v = arg.dalsi();
        if (v == "--qubits")
            qubity = cislo(arg.hodnota(v), v, 2, 5);
        else if (v == "--seed")
            seed = static_cast<std::uint32_t>(cislo(arg.hodnota(v), v, 0, 4294967295LL));
        else if (v == "-o")
            vystup = arg.hodnota(v);
        else
            throw Chyba{"unknown argument " + v};
    }
    if (qubity == 0) throw Chyba{"random needs --qubits N (2 to 5)"};

    // Log lines go to stderr here: stdout may carry the matrix file.
    Konzola k(err, err, false);
    k.vypisuj = false;
    k.seed = seed;
    TForm1 f(k);
    k.model = &f;
    TNacitanaMatica m{1 << qubity, qubity, {}};
    nastavmaticu(f, m);
    k.vypisuj = true;
    if (!f.prikaz([&] { f.generuj(f.A, 100); })) return ZLYHANIE;
    if (!vystup.empty()) return f.prikaz([&] { f.zapismaticu(f.A, vystup); }) ? OK : POUZITIE;
    // To stdout: the text "Uložit" would write.
    out << textsuboru(f, f.A);
    return out ? OK : POUZITIE;
}

}  // namespace

void nastavpng(TPngKreslic kreslic) { pngkreslic() = std::move(kreslic); }

int hlavny(int argc, char** argv, std::ostream& out, std::ostream& err, bool terminal) {
    if (argc < 2) {
        err << POMOC;
        return POUZITIE;
    }
    const std::string prikaz = argv[1];
    try {
        if (prikaz == "--help" || prikaz == "-h" || prikaz == "help") {
            out << POMOC;
            return OK;
        }
        if (prikaz == "--version") {
            out << VERZIA << '\n';
            return OK;
        }
        Argumenty arg(argc, argv, 2);
        if (prikaz == "decompose") return decompose(arg, out, err, terminal);
        if (prikaz == "random") return random(arg, out, err);
        if (prikaz == "draw") return draw(arg, out, err, terminal);
        throw Chyba{"unknown command " + prikaz};
    } catch (const Chyba& c) {
        err << "qlc: " << c.text << "\n(qlc --help shows the usage)\n";
        return POUZITIE;
    }
}

int hlavny(int argc, char** argv) { return hlavny(argc, argv, std::cout, std::cerr, isatty(2) != 0); }

}  // namespace qlc::cli
