// qlc: the command-line front end over the library calls of api/qlc.h. Each
// command parses its arguments and makes the calls a Python or C++ caller
// makes; what the calls report is written as it comes.
#include "qlc.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "api/qlc.h"
#include "app/qlc/konzola.h"
#include "app/ukazka.h"
#include "app/zapis.h"

namespace qlc::cli {

namespace {

constexpr const char* VERZIA = "qlc 1.0.0";

constexpr const char* POMOC =
    "Usage:\n"
    "  qlc decompose [--method twolevel|qsd|best|search] [--depth element|l1|toffoli]\n"
    "                [--time-limit SECONDS] [--no-optimise] [--check-steps] [-o OUT]\n"
    "                [--qasm OUT.qasm] [--qasm2 OUT.qasm] [--summary] FILE\n"
    "  qlc draw [--method twolevel|qsd|best|search] [--depth element|l1|toffoli]\n"
    "           [--time-limit SECONDS] [--zoom Z] [--from G] FILE OUT.svg|OUT.png\n"
    "  qlc random --qubits N [--seed S] [-o FILE]\n"
    "  qlc --help | --version\n"
    "\n"
    "decompose  reads the matrix file FILE (2 to 5 qubits; a matrix file, or a NumPy .npy\n"
    "           file of complex128 or float64 entries) and decomposes it into a circuit:\n"
    "           --method twolevel  two-level matrices into controlled gates (default)\n"
    "           --method qsd       minimal-CNOT synthesis (block-ZXZ, structure detected first)\n"
    "           --method best      every method; keeps the circuit with fewer CNOTs (then fewer\n"
    "                              gates)\n"
    "           --method search    numerical search for the fewest CNOTs (CNOTs added one at a\n"
    "                              time until the fitted circuit is exact; generic numerical\n"
    "                              and block-ZXZ circuits when nothing shorter is found)\n"
    "                              qsd, best and search make elementary gates: no --depth but\n"
    "                              element\n"
    "           --time-limit S   seconds for the search of --method search and best, 0.1 to\n"
    "                            86400 (default 40: a 5-qubit run ends within a minute); the\n"
    "                            shortest exact circuit found by then is kept; each second\n"
    "                            beyond 40 lets the search try more placements on 3 and 4\n"
    "                            qubits; with a few minutes (300) a random 3-qubit circuit\n"
    "                            of 7 CNOTs comes back at 7 and a generic 5-qubit matrix\n"
    "                            can reach 252 CNOTs\n"
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
    "           --zoom 0.45..2.00 (default 1.25); --from G moves the first-gate slider to G:\n"
    "           gate G is drawn first and is the current gate (G beyond the circuit: status 1).\n"
    "random     writes a random unitary matrix of N qubits as a matrix file\n"
    "           (to stdout without -o); --seed S makes it repeatable.\n"
    "\n"
    "Options are given once each; numbers are plain decimals (2, 0.45). \"--\" ends the\n"
    "options. \"-\" is no file name here: write ./- for a file named -. Files are written\n"
    "safely: a failed write keeps the old file; links are followed, other non-regular\n"
    "targets, read-only files and an output that is the input or another output are refused.\n"
    "\n"
    "Exit status: 0 the run went to its end and every check passed;\n"
    "             1 the run ended early or a check failed;\n"
    "             2 usage error, or a file that cannot be read, written or is refused.\n";

struct Chyba {
    std::string text;
};

// Argument reader: options in any order before or after the files; "--"
// ends the options.
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

// A whole number written plainly: decimal digits only, no sign, blank or
// prefix, from lo to hi.
long long cislo(const std::string& t, const std::string& volba, long long lo, long long hi) {
    unsigned long long v = 0;
    const char* kon = t.data() + t.size();
    const bool cifry =
        !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    const auto r = std::from_chars(t.data(), kon, v);
    if (!cifry || r.ec != std::errc() || r.ptr != kon || v < static_cast<unsigned long long>(lo) ||
        v > static_cast<unsigned long long>(hi))
        throw Chyba{"option " + volba + " takes a whole number from " + std::to_string(lo) + " to " +
                    std::to_string(hi) + ", not '" + bezriadiacich(t) + "'"};
    return static_cast<long long>(v);
}

// A decimal number written plainly: digits, optionally a point and more
// digits; no sign, blank, exponent or hexadecimal form.
double desatinne(const std::string& t, const std::string& volba, double lo, double hi, const char* rozsah) {
    const std::size_t bodka = t.find('.');
    auto cifry = [](std::string_view s) {
        return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    double v = 0.0;
    const bool tvar = bodka == std::string::npos ? cifry(t)
                                                 : cifry(std::string_view(t).substr(0, bodka)) &&
                                                       cifry(std::string_view(t).substr(bodka + 1));
    const char* kon = t.data() + t.size();
    const auto r =
        tvar ? std::from_chars(t.data(), kon, v, std::chars_format::fixed) : std::from_chars_result{};
    if (!tvar || r.ec != std::errc() || r.ptr != kon || !(v >= lo && v <= hi))
        throw Chyba{"option " + volba + " takes a number from " + rozsah + ", not '" + bezriadiacich(t) +
                    "'"};
    return v;
}

struct Volby {
    api::TVolby rozklad;
    bool suhrn = false;
    std::optional<std::string> vystup, qasm3, qasm2;
    double zoom = 1.25;
    std::optional<int> od;
    int qubity = 0;
    std::optional<std::uint32_t> seed;
    std::vector<std::string> subory;
};

// The commands an option belongs to.
enum : unsigned { DECOMPOSE = 1u, DRAW = 2u, RANDOM = 4u };

// One option of the table below: its names, the commands that take it, and
// what it sets; hodnota: the option takes a value.
struct TVolba {
    const char* meno;
    const char* ine;  // another spelling, or nullptr
    unsigned prikazy;
    bool hodnota;
    void (*nastav)(Volby& o, const std::string& h, const std::string& v);
};

const TVolba VOLBY[] = {
    {"--depth", nullptr, DECOMPOSE | DRAW, true,
     [](Volby& o, const std::string& h, const std::string&) {
         if (h == "element" || h == "l1" || h == "toffoli")
             o.rozklad.hlbka = api::hlbka(h);
         else
             throw Chyba{"--depth takes element, l1 or toffoli, not '" + bezriadiacich(h) + "'"};
     }},
    {"--method", nullptr, DECOMPOSE | DRAW, true,
     [](Volby& o, const std::string& h, const std::string&) {
         if (h == "twolevel" || h == "qsd" || h == "best" || h == "search")
             o.rozklad.metoda = api::metoda(h);
         else
             throw Chyba{"--method takes twolevel, qsd, best or search, not '" + bezriadiacich(h) + "'"};
     }},
    {"--time-limit", nullptr, DECOMPOSE | DRAW, true,
     [](Volby& o, const std::string& h, const std::string& v) {
         o.rozklad.casovylimit = desatinne(h, v, 0.1, 86400.0, "0.1 to 86400");
     }},
    {"--no-optimise", "--no-optimize", DECOMPOSE | DRAW, false,
     [](Volby& o, const std::string&, const std::string&) { o.rozklad.optimalizuj = false; }},
    {"--check-steps", nullptr, DECOMPOSE | DRAW, false,
     [](Volby& o, const std::string&, const std::string&) { o.rozklad.kontrolakrokov = true; }},
    {"-o", nullptr, DECOMPOSE | RANDOM, true,
     [](Volby& o, const std::string& h, const std::string&) { o.vystup = h; }},
    {"--qasm", nullptr, DECOMPOSE, true,
     [](Volby& o, const std::string& h, const std::string&) { o.qasm3 = h; }},
    {"--qasm2", nullptr, DECOMPOSE, true,
     [](Volby& o, const std::string& h, const std::string&) { o.qasm2 = h; }},
    {"--summary", nullptr, DECOMPOSE, false,
     [](Volby& o, const std::string&, const std::string&) { o.suhrn = true; }},
    {"--zoom", nullptr, DRAW, true,
     [](Volby& o, const std::string& h, const std::string& v) {
         o.zoom = desatinne(h, v, 0.45, 2.0, "0.45 to 2.00");
     }},
    {"--from", nullptr, DRAW, true,
     [](Volby& o, const std::string& h, const std::string& v) {
         o.od = static_cast<int>(cislo(h, v, 1, MAXBRAN));
     }},
    {"--qubits", nullptr, RANDOM, true,
     [](Volby& o, const std::string& h, const std::string& v) {
         o.qubity = static_cast<int>(cislo(h, v, 2, 5));
     }},
    {"--seed", nullptr, RANDOM, true,
     [](Volby& o, const std::string& h, const std::string& v) {
         o.seed = static_cast<std::uint32_t>(cislo(h, v, 0, 4294967295LL));
     }},
};

// The options and files of the command prikaz (DECOMPOSE, DRAW or RANDOM).
// An option may be given once; an unknown one is refused.
Volby volby(Argumenty& arg, unsigned prikaz) {
    Volby o;
    std::vector<const TVolba*> videne;
    bool len_subory = false;
    while (!arg.koniec()) {
        const std::string v = arg.dalsi();
        if (len_subory || v.size() < 2 || v[0] != '-') {
            o.subory.push_back(v);
            continue;
        }
        if (v == "--") {
            len_subory = true;
            continue;
        }
        const TVolba* t = nullptr;
        for (const TVolba& x : VOLBY)
            if ((x.prikazy & prikaz) != 0 && (v == x.meno || (x.ine != nullptr && v == x.ine))) t = &x;
        if (t == nullptr) throw Chyba{"unknown option " + bezriadiacich(v)};
        if (std::find(videne.begin(), videne.end(), t) != videne.end())
            throw Chyba{"option " + bezriadiacich(v) + " is given more than once"};
        videne.push_back(t);
        t->nastav(o, t->hodnota ? arg.hodnota(v) : std::string(), v);
    }
    if (o.rozklad.metoda != api::TMetoda::dvojurovnova && o.rozklad.hlbka != api::THlbka::element)
        throw Chyba{"--method " + api::meno(o.rozklad.metoda) +
                    " makes elementary gates only; it takes no --depth but element"};
    if (o.rozklad.casovylimit > 0.0 && o.rozklad.metoda != api::TMetoda::hladanie &&
        o.rozklad.metoda != api::TMetoda::najlepsia)
        throw Chyba{"--time-limit is for --method search and best only"};
    return o;
}

// A file name given on the command line: not empty, and not "-", which
// would read as standard input or output and is refused.
void overmeno(const std::string& meno, const std::string& co) {
    if (meno.empty()) throw Chyba{"an empty file name is given for " + co};
    if (meno == "-")
        throw Chyba{"'-' (standard input or output) is not taken for " + co +
                    "; write ./- for a file named -"};
}

// An output file of the run, named by the option that gave it.
struct TVystup {
    std::string volba, meno;
    TCiel ciel;
};

// Checks before the run, so that a run of hours does not end in a refusal:
// every output can be written, none is the input file and no two name the
// same file (by identity, whatever their names). Writes the refusal and
// returns false otherwise.
bool overvystupy(const std::string& vstup, std::vector<TVystup>& vystupy, std::ostream& err) {
    const TCiel zdroj = identita(vstup);
    for (std::size_t i = 0; i < vystupy.size(); ++i) {
        TVystup& v = vystupy[i];
        try {
            v.ciel = overciel(v.meno);
        } catch (const ChybaSuboru& e) {
            err << "qlc: " << v.volba << " " << e.what() << '\n';
            return false;
        }
        if (zdroj.existuje && tenistysubor(zdroj, v.ciel)) {
            err << "qlc: " << v.volba << " " << bezriadiacich(v.meno) << " is the input file "
                << bezriadiacich(vstup) << "; nothing was written\n";
            return false;
        }
        for (std::size_t j = 0; j < i; ++j)
            if (tenistysubor(vystupy[j].ciel, v.ciel)) {
                err << "qlc: " << v.volba << " " << bezriadiacich(v.meno) << " and " << vystupy[j].volba
                    << " " << bezriadiacich(vystupy[j].meno) << " are the same file; nothing was written\n";
                return false;
            }
    }
    return true;
}

// Reads the input and runs the decomposition as "Dekompozícia" does, into
// v. OK, ZLYHANIE or POUZITIE; a run that ended early or a failed check also
// gets a line on stderr.
int rozloz(Konzola& k, const Volby& o, api::TVysledok& v, std::ostream& err) {
    api::TMatica m;
    try {
        m = api::citaj(o.subory.at(0));
    } catch (const ChybaBehu& e) {
        err << "qlc: " << e.what() << '\n';
        return POUZITIE;
    }
    if (!k.prikaz([&] { v = api::rozloz(m, o.rozklad, k.sledovanie()); })) return POUZITIE;
    if (!v.chyby.empty()) return ZLYHANIE;  // the box is on stderr already
    if (!v.dokoncena) {
        err << "qlc: " << bezriadiacich(o.subory[0]) << ": the decomposition ended early: " << k.poslednylog
            << '\n';
        return ZLYHANIE;
    }
    if (!v.kontrolyok) {
        err << "qlc: " << bezriadiacich(o.subory[0])
            << ": a check of the decomposition failed (see the log)\n";
        return ZLYHANIE;
    }
    return OK;
}

int decompose(Argumenty& arg, std::ostream& out, std::ostream& err, bool terminal) {
    Volby o = volby(arg, DECOMPOSE);
    // Only the summary shows the deviation, the one figure that costs a
    // composition of the whole circuit.
    o.rozklad.odchylka = o.suhrn;
    if (o.subory.size() != 1) throw Chyba{"decompose needs exactly one matrix file"};
    overmeno(o.subory[0], "the matrix file");
    std::vector<TVystup> vystupy;
    for (const auto& [volba, meno] :
         {std::pair{"-o", &o.vystup}, std::pair{"--qasm", &o.qasm3}, std::pair{"--qasm2", &o.qasm2}})
        if (*meno) {
            overmeno(**meno, volba);
            vystupy.push_back({volba, **meno, {}});
        }
    if (!overvystupy(o.subory[0], vystupy, err)) return POUZITIE;

    Konzola k(out, err, terminal);
    api::TVysledok v;
    int vysledok = rozloz(k, o, v, err);
    if (vysledok == POUZITIE) return vysledok;
    // The deviation is the circuit's from the matrix that was read, whatever
    // the driver left in A (at --depth toffoli its rebuild from the Tpq).
    if (o.suhrn && v.dokoncena) {
        const bool ok = k.prikaz([&] {
            for (const std::string& r : api::suhrnriadky(v)) out << r << '\n';
        });
        if (!ok) vysledok = ZLYHANIE;
    }
    // Every program text is made before any file is written: a circuit that
    // OpenQASM 2.0 cannot hold leaves all the outputs as they were.
    std::vector<std::pair<const TVystup*, std::string>> programy;
    for (const TVystup& t : vystupy) {
        if (t.volba == "-o") continue;
        if (!v.dokoncena) {
            err << "qlc: the decomposition did not end, " << t.volba << " " << bezriadiacich(t.meno)
                << " was not written\n";
            vysledok = ZLYHANIE;
            continue;
        }
        try {
            programy.emplace_back(&t, api::qasm(v.brany, v.pocetq, t.volba == "--qasm2" ? 2 : 3, v.eps));
        } catch (const ChybaBehu& e) {
            err << "qlc: " << t.volba << " " << bezriadiacich(t.meno) << ": " << e.what()
                << "; no file was written\n";
            return POUZITIE;
        }
    }
    // -o saves what "Uložit" saves: the matrix the program holds after the
    // run, with the report, as a matrix file whatever the name.
    if (o.vystup && !k.prikaz([&] {
            api::zapismaticu(*o.vystup, {v.pocetq, v.rozmer, v.A}, &v, k.sledovanie());
        }))
        vysledok = POUZITIE;
    for (const auto& [t, text] : programy)
        if (!k.prikaz([&] { zapissubor(t->meno, text); })) vysledok = POUZITIE;
    return vysledok;
}

int draw(Argumenty& arg, std::ostream& out, std::ostream& err, bool terminal) {
    Volby o = volby(arg, DRAW);
    o.rozklad.odchylka = false;
    if (o.subory.size() != 2) throw Chyba{"draw needs a matrix file and a picture file"};
    overmeno(o.subory[0], "the matrix file");
    overmeno(o.subory[1], "the picture");
    const std::string& obraz = o.subory[1];
    auto pripona = [&](const char* p) {
        const std::string s(p);
        return obraz.size() > s.size() && obraz.compare(obraz.size() - s.size(), s.size(), s) == 0;
    };
    const bool png = pripona(".png");
    if (!png && !pripona(".svg"))
        throw Chyba{"draw writes .svg or .png pictures, not '" + bezriadiacich(obraz) + "'"};
    if (png && !api::mapng()) throw Chyba{"this qlc was built without Qt 6 and cannot write PNG; write .svg"};
    std::vector<TVystup> vystupy{{"picture", obraz, {}}};
    if (!overvystupy(o.subory[0], vystupy, err)) return POUZITIE;

    Konzola k(out, err, terminal);
    api::TVysledok v;
    const int vysledok = rozloz(k, o, v, err);
    if (vysledok == POUZITIE) return vysledok;
    if (!v.dokoncena) {
        err << "qlc: the decomposition did not end, nothing was drawn\n";
        return ZLYHANIE;
    }
    // The window's view after the decomposition, moved as the user would
    // move the zoom slider and the first-gate slider: the slider's gate is
    // drawn first and becomes the current gate.
    try {
        api::ulozobrazok(v, obraz, {o.zoom, o.od}, k.sledovanie());
    } catch (const api::ChybaKreslenia& e) {
        err << "qlc: " << e.what() << "; " << bezriadiacich(obraz) << " was not written\n";
        return ZLYHANIE;
    } catch (const std::exception& e) {
        k.chyba(e.what());
        return POUZITIE;
    }
    return vysledok;
}

int random(Argumenty& arg, std::ostream& out, std::ostream& err) {
    const Volby o = volby(arg, RANDOM);
    if (!o.subory.empty())
        throw Chyba{"random takes no file, not '" + bezriadiacich(o.subory[0]) + "'; use -o FILE"};
    if (o.qubity == 0) throw Chyba{"random needs --qubits N (2 to 5)"};
    if (o.vystup) overmeno(*o.vystup, "-o");

    // Log lines go to stderr here: stdout may carry the matrix file.
    Konzola k(err, err, false);
    api::TMatica M;
    if (!k.prikaz([&] { M = api::nahodna(o.qubity, o.seed, k.sledovanie()); })) return ZLYHANIE;
    if (o.vystup)
        return k.prikaz([&] { api::zapismaticu(*o.vystup, M, nullptr, k.sledovanie()); }) ? OK : POUZITIE;
    // To stdout: the text "Uložit" would write; a failed stdout is found at
    // its flush in hlavny.
    return k.prikaz([&] { out << api::textsuboru(M); }) ? OK : ZLYHANIE;
}

int prikaz(int argc, char** argv, std::ostream& out, std::ostream& err, bool terminal) {
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
        throw Chyba{"unknown command " + bezriadiacich(prikaz)};
    } catch (const Chyba& c) {
        err << "qlc: " << c.text << "\n(qlc --help shows the usage)\n";
        return POUZITIE;
    }
}

constexpr const char* ZLY_STDOUT = "qlc: standard output cannot be written, what it shows is incomplete";

}  // namespace

int hlavny(int argc, char** argv, std::ostream& out, std::ostream& err, bool terminal) {
    const int kod = prikaz(argc, argv, out, err, terminal);
    out.flush();
    if (!out) {
        err << ZLY_STDOUT << '\n' << std::flush;
        return POUZITIE;
    }
    return kod;
}

int hlavny(int argc, char** argv) {
    const int kod = hlavny(argc, argv, std::cout, std::cerr, isatty(2) != 0);
    if (!std::cout) return kod;  // reported already
    // What std::cout handed on may still sit in stdio's buffer: the last
    // write, and the close, can still fail.
    errno = 0;
    const bool zle = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    const int e = errno;
    const bool zlezatvorene = std::fclose(stdout) != 0;
    if (zle || zlezatvorene) {
        std::cerr << ZLY_STDOUT << " (" << std::strerror(zle ? e : errno) << ")\n" << std::flush;
        return POUZITIE;
    }
    return kod;
}

}  // namespace qlc::cli
