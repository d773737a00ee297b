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
#include "app/subory.h"

namespace qlc::cli {

namespace {

constexpr const char* VERZIA = "qlc 1.0.0";

constexpr const char* POMOC =
    "Usage:\n"
    "  qlc decompose [--depth element|l1|toffoli] [--no-optimise] [--check-steps] [-o OUT] FILE\n"
    "  qlc random --qubits N [--seed S] [-o FILE]\n"
    "  qlc --help | --version\n"
    "\n"
    "decompose  reads the matrix file FILE (2 to 5 qubits) and decomposes it into a circuit:\n"
    "           --depth element  elementary gates: one-qubit gates and CNOTs (default)\n"
    "           --depth l1       gates with at most one control\n"
    "           --depth toffoli  multi-controlled gates\n"
    "           --no-optimise    one optimisation pass only, controlled gates left alone\n"
    "           --check-steps    check every exchange and merge of the optimiser\n"
    "           -o OUT           save the matrix and the report of the decomposition\n"
    "           Log lines go to stdout, message boxes to stderr.\n"
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

int decompose(Argumenty& arg, std::ostream& out, std::ostream& err, bool terminal) {
    int hlbka = HLBKA_ELEMENT;
    bool optimalizuj = true, kontrola = false;
    std::string vystup, subor;
    while (!arg.koniec()) {
        const std::string v = arg.dalsi();
        if (v == "--depth") {
            const std::string h = arg.hodnota(v);
            if (h == "element")
                hlbka = HLBKA_ELEMENT;
            else if (h == "l1")
                hlbka = HLBKA_L1;
            else if (h == "toffoli")
                hlbka = HLBKA_TOFFOLI;
            else
                throw Chyba{"--depth takes element, l1 or toffoli, not '" + h + "'"};
        } else if (v == "--no-optimise" || v == "--no-optimize") {
            optimalizuj = false;
        } else if (v == "--check-steps") {
            kontrola = true;
        } else if (v == "-o") {
            vystup = arg.hodnota(v);
        } else if (!v.empty() && v[0] == '-' && v != "-") {
            throw Chyba{"unknown option " + v};
        } else if (subor.empty()) {
            subor = v;
        } else {
            throw Chyba{"more than one input file: " + subor + ", " + v};
        }
    }
    if (subor.empty()) throw Chyba{"decompose needs a matrix file"};

    Konzola k(out, err, terminal);
    k.vypisuj = false;
    TForm1 f(k);
    k.model = &f;
    k.vypisuj = true;

    try {
        nastavmaticu(f, citajsubor(subor));
    } catch (const ChybaBehu& e) {
        err << "qlc: " << e.what() << '\n';
        return POUZITIE;
    }
    f.ComboBox1 = hlbka;
    f.roboptim = optimalizuj;
    f.Kontrolptimkrok1 = kontrola;

    const bool prebehla = f.prikaz([&] { f.Button3Click(); });
    int vysledok = prebehla && f.beh.dokoncena && f.beh.kontrolyok ? OK : ZLYHANIE;
    if (!vystup.empty() && !f.prikaz([&] { f.zapismaticu(f.A, vystup); })) vysledok = POUZITIE;
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
        throw Chyba{"unknown command " + prikaz};
    } catch (const Chyba& c) {
        err << "qlc: " << c.text << "\n(qlc --help shows the usage)\n";
        return POUZITIE;
    }
}

int hlavny(int argc, char** argv) { return hlavny(argc, argv, std::cout, std::cerr, isatty(2) != 0); }

}  // namespace qlc::cli
