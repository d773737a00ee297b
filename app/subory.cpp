// Matrix files: the writer zapismaticu (matrix section and the report of the
// last decomposition) and the reader nacitajmaticu (matrix section only).
//
// The reader checks the whole matrix section before the window changes at
// all, so a refused file leaves A, rozmer, pocetq, the qubit field and the
// circuit exactly as they were. The writer builds the text first and puts it
// in place by a rename, so a failed write never destroys the old file.
#include "subory.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numbers>
#include <string_view>
#include <system_error>

#include "app/npy.h"
#include "app/ukazka.h"
#include "core/text.h"

namespace qlc {

namespace {

// ---- messages of the matrix files ---------------------------------------------

constexpr const char* ZAPISANA = "Matica bola zapisana do suboru.";
constexpr const char* VELKA1 = "Tato matica ma vacsi rozmer ako maximalny nastaveny v programe,";
constexpr const char* VELKA2 = "preto jej nacitavanie ukoncujem.";

constexpr const char* CRLF = "\r\n";

// Longest line the reader takes; a row of 32 entries in the longest form the
// writer produces is under 2 kB, so anything near this limit is no matrix.
constexpr std::size_t MAXDLZKARIADKU = 1 << 20;

[[noreturn]] void chyba(const std::string& meno, int riadok, const std::string& text) {
    throw ChybaSuboru(bezriadiacich(meno) + ", riadok " + std::to_string(riadok) + ": " + text);
}

struct ZatvorSubor {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool medzera(char c) { return c == ' ' || c == '\t'; }

// The lines of a file as the reader sees them: split at LF, one CR before
// the LF dropped.
class Riadky {
  public:
    explicit Riadky(std::string_view obsah) : obsah_(obsah) {
        // a UTF-8 byte order mark some editors put in front of the text
        if (obsah_.substr(0, 3) == "\xEF\xBB\xBF") obsah_.remove_prefix(3);
    }
    // The next line, or false at the end of the text.
    bool dalsi(std::string_view& riadok) {
        if (pos_ >= obsah_.size()) return false;
        std::size_t k = obsah_.find('\n', pos_);
        if (k == std::string_view::npos) k = obsah_.size();
        riadok = obsah_.substr(pos_, k - pos_);
        if (!riadok.empty() && riadok.back() == '\r') riadok.remove_suffix(1);
        pos_ = k + 1;
        ++cislo_;
        return true;
    }
    int cislo() const { return cislo_; }

  private:
    std::string_view obsah_;
    std::size_t pos_ = 0;
    int cislo_ = 0;
};

std::string_view orez(std::string_view s) {
    while (!s.empty() && medzera(s.front())) s.remove_prefix(1);
    while (!s.empty() && medzera(s.back())) s.remove_suffix(1);
    return s;
}

// The dimension on line 1: an integer with optional blanks around it.
int citajrozmer(std::string_view riadok, const std::string& meno) {
    const std::string_view s = orez(riadok);
    long long d = 0;
    const char* zac = s.data();
    const char* kon = s.data() + s.size();
    if (zac != kon && *zac == '+') ++zac;
    const auto r = std::from_chars(zac, kon, d);
    if (zac == kon || r.ptr != kon || (r.ec != std::errc() && r.ec != std::errc::result_out_of_range))
        chyba(meno, 1,
              "na prvom riadku nie je cele cislo (rozmer matice), ale \"" + ukazka(riadok) + "\"");
    const bool prilisvelka = r.ec == std::errc::result_out_of_range ? s.front() != '-' : d > MAXROZMER;
    const std::string text = r.ec == std::errc::result_out_of_range ? ukazka(s) : std::to_string(d);
    const std::string zly =
        "rozmer " + text + " nie je rozmer matice 2^n pre 2 <= n <= 5 (4, 8, 16 alebo 32)";
    if (prilisvelka) throw PrilisVelkaMatica(bezriadiacich(meno) + ", riadok 1: " + zly);
    if (d != 4 && d != 8 && d != 16 && d != 32) chyba(meno, 1, zly);
    return static_cast<int>(d);
}

// The refusal of nakomplex for the entry prvok, with the entry quoted safely.
// The message has the form "reason [before<?>after]"; it is rebuilt from the
// entry itself, since a NUL byte in the entry ends the message's text early.
std::string dovodkonverzie(const ChybaKonverzie& e, const std::string& prvok) {
    const std::string_view sprava = e.what();
    const std::size_t z = sprava.find(" [");
    const std::string_view dovod = sprava.substr(0, z);
    if (z == std::string_view::npos) return std::string(dovod);
    const std::size_t k = sprava.find("<?>", z + 2);
    if (k != std::string_view::npos) {
        const std::size_t pos = k - (z + 2);
        if (pos <= prvok.size() && sprava.substr(z + 2, pos) == std::string_view(prvok).substr(0, pos)) {
            const std::string_view t = prvok;
            return std::string(dovod) + " [" + ukazkakoniec(t.substr(0, pos)) + "<?>" + ukazka(t.substr(pos)) + "]";
        }
    }
    return std::string(dovod) + " [" + ukazka(prvok) + "]";
}

// One row of the matrix on line cislo: "{{" or "{", d entries separated by
// ",", then "}," or, for the last row, "}}". Blanks and tabs around the row
// are allowed; blanks inside an entry belong to it.
void citajriadok(std::string_view riadok, int cislo, int i, int d, TMATICA1& A, TPRESNA& P,
                 const std::string& meno) {
    const std::string_view s = orez(riadok);
    const std::string_view otvor = i == 1 ? "{{" : "{";
    const std::string ktory = "riadok " + std::to_string(i) + " matice";
    if (s.substr(0, otvor.size()) != otvor)
        chyba(meno, cislo, ktory + " sa nezacina znakmi \"" + std::string(otvor) + "\"");
    std::size_t pos = otvor.size();
    for (int j = 1; j <= d; ++j) {
        const std::size_t k = s.find_first_of(",}", pos);
        if (k == std::string_view::npos)
            chyba(meno, cislo,
                  ktory + " nie je ukonceny znakom \"}\" na tomto riadku (prvok " + std::to_string(j) +
                      " chyba alebo riadok matice pokracuje na dalsom riadku suboru)");
        if (s[k] == '}' && j < d)
            chyba(meno, cislo,
                  ktory + " ma len " + std::to_string(j) + " prvkov, ocakava sa " + std::to_string(d));
        if (s[k] == ',' && j == d)
            chyba(meno, cislo, ktory + " ma viac ako " + std::to_string(d) + " prvkov");
        const std::string prvok(s.substr(pos, k - pos));
        try {
            P(i, j) = nakomplexpresne(prvok);
            A(i, j) = TKOMPLEX(P(i, j).real(), P(i, j).imag());
        } catch (const ChybaKonverzie& e) {
            chyba(meno, cislo, "prvok (" + std::to_string(i) + "," + std::to_string(j) + "): " + dovodkonverzie(e, prvok));
        }
        pos = k + 1;
    }
    // pos is just past the row's "}"
    const std::string_view zaver = i < d ? "," : "}";
    if (s.substr(pos, zaver.size()) != zaver)
        chyba(meno, cislo,
              i < d ? "za " + ktory + " chyba \",\""
                    : "za poslednym riadkom matice chyba \"}\" (matica konci \"}}\")");
    if (pos + zaver.size() != s.size())
        chyba(meno, cislo,
              "za " + ktory + " su neocakavane znaky \"" + ukazka(s.substr(pos + zaver.size())) + "\"");
}

// ---- writing numbers -------------------------------------------------------

void pridajcele(std::string& out, long long n) {
    std::array<char, 24> b;
    const auto r = std::to_chars(b.data(), b.data() + b.size(), n);
    out.append(b.data(), r.ptr);
}

// x with four decimals, right-aligned in six characters; longer values take
// the room they need. A value that rounds to zero is written "0.0000", not
// "-0.0000" (a zero phase comes out as -arg 1 = -0.0).
void pridajuhol(std::string& out, double x) {
    std::array<char, 400> b;
    const auto r = std::to_chars(b.data(), b.data() + b.size(), x, std::chars_format::fixed, 4);
    char* zac = b.data();
    if (std::string_view(zac, static_cast<std::size_t>(r.ptr - zac)) == "-0.0000") ++zac;
    const auto dlzka = static_cast<std::size_t>(r.ptr - zac);
    if (dlzka < 6) out.append(6 - dlzka, ' ');
    out.append(zac, r.ptr);
}

double nastupne(double rad) { return rad * 180.0 / std::numbers::pi; }

// The matrix section of obsah, read and checked.
TNacitanaMatica citajmaticovytext(const std::string& obsah, const std::string& meno) {
    Riadky riadky(obsah);
    std::string_view riadok;
    if (!riadky.dalsi(riadok)) chyba(meno, 1, "subor je prazdny, chyba rozmer matice");
    TNacitanaMatica m;
    m.rozmer = citajrozmer(riadok, meno);
    m.pocetq = 0;
    for (int d = m.rozmer; d > 1; d /= 2) ++m.pocetq;
    m.presna = TPRESNA(m.rozmer);
    for (int i = 1; i <= m.rozmer; ++i) {
        if (!riadky.dalsi(riadok))
            chyba(meno, riadky.cislo() + 1,
                  "subor skoncil vo vnutri matice, chyba riadok " + std::to_string(i) + " z " +
                      std::to_string(m.rozmer));
        citajriadok(riadok, riadky.cislo(), i, m.rozmer, m.A, m.presna, meno);
    }
    return m;
}

}  // namespace

// ---- reading -----------------------------------------------------------------

TNacitanaMatica citajtext(const std::string& obsah, const std::string& meno) {
    try {
        return citajmaticovytext(obsah, meno);
    } catch (const PrilisVelkaMatica&) {
        throw;
    } catch (const ChybaSuboru& e) {
        // a file of another kind: say what it looks like
        const std::string napoveda = napovedadruhu(obsah);
        if (napoveda.empty()) throw;
        throw ChybaSuboru(e.what() + napoveda);
    }
}

TNacitanaMatica citajsubor(const std::string& meno) {
    errno = 0;
    std::unique_ptr<std::FILE, ZatvorSubor> f(std::fopen(meno.c_str(), "rb"));
    if (!f)
        throw ChybaSuboru(bezriadiacich(meno) + ": subor sa neda otvorit na citanie (" + std::strerror(errno) +
                          ")");
    // Only the first line and the rows are needed: at most 65 lines of the
    // file are read, whatever report follows them.
    std::string obsah;
    int riadkov = 0;
    int potrebnych = 1;  // the dimension line, then the rows once it is known
    std::size_t dlzka = 0;
    while (riadkov < potrebnych) {
        const int c = std::getc(f.get());
        if (c == EOF) break;
        obsah += static_cast<char>(c);
        if (++dlzka > MAXDLZKARIADKU)
            chyba(meno, riadkov + 1, "riadok je dlhsi ako " + std::to_string(MAXDLZKARIADKU) + " znakov");
        if (c != '\n') continue;
        dlzka = 0;
        if (++riadkov == 1) {
            // the dimension decides how many lines follow; a bad one is
            // refused by citajtext below
            std::string_view prvy(obsah);
            if (prvy.substr(0, 3) == "\xEF\xBB\xBF") prvy.remove_prefix(3);
            int d = 0;
            const std::string_view s = orez(prvy.substr(0, prvy.find_first_of("\r\n")));
            const char* zac = s.data() + (!s.empty() && s.front() == '+' ? 1 : 0);
            const auto r = std::from_chars(zac, s.data() + s.size(), d);
            if (r.ec == std::errc() && d >= 1 && d <= MAXROZMER) potrebnych = 1 + d;
        }
    }
    if (std::ferror(f.get()))
        throw ChybaSuboru(bezriadiacich(meno) + ": chyba pri citani suboru (" + std::strerror(errno) + ")");
    return citajtext(obsah, meno);
}

TNacitanaMatica citajmaticu(const std::string& meno) {
    std::FILE* f = std::fopen(meno.c_str(), "rb");
    char magia[6] = {};
    const std::size_t n = f ? std::fread(magia, 1, sizeof magia, f) : 0;
    if (f) std::fclose(f);
    if (n == sizeof magia && std::memcmp(magia, "\x93NUMPY", sizeof magia) == 0) return citajnpy(meno);
    return citajsubor(meno);
}

int TForm1::nacitajmaticu(const std::string& meno) {
    TNacitanaMatica m;
    try {
        m = citajmaticu(meno);
    } catch (const PrilisVelkaMatica&) {
        // Only the two log lines: the file is refused, nothing changed.
        log(VELKA1);
        log(VELKA2);
        return 0;
    }
    // A file of another size changes the qubit field first; its handler
    // generates a random matrix, discards the circuit and resizes the grid.
    nastavEdit1(std::to_string(m.pocetq));
    pocetq = m.pocetq;
    rozmer = m.rozmer;
    A = m.A;
    Apresna = m.presna;
    return 1;
}

// ---- writing -----------------------------------------------------------------

std::string textmatice(const TMATICA1& M, int rozmer) {
    std::string s;
    pridajcele(s, rozmer);
    s += CRLF;
    for (int i = 1; i <= rozmer; ++i) {
        s += i == 1 ? "{{" : "{";
        for (int j = 1; j <= rozmer; ++j) {
            if (j > 1) s += ',';
            pridajkomplexnaretazec(s, M(i, j));
        }
        s += i < rozmer ? "}," : "}}";
        s += CRLF;
    }
    return s;
}

std::string textsuboru(const TForm1& f, const TMATICA1& M) {
    std::string s = textmatice(M, f.rozmer);
    s.reserve(s.size() + 200 + 64 * static_cast<std::size_t>(f.pocettpq + f.rozmer) +
              100 * static_cast<std::size_t>(f.pocetb1));
    s += "Rozklad hore uvedenej matice dopadol takto: ";
    s += CRLF;
    if (f.sietzosyntezy) {
        s += "Siet je zo syntezy s minimalnym poctom CNOT: nema matice Tpq ani fazy matice D.";
        s += CRLF;
    }
    s += "Parametre matic Tpq: ";
    s += CRLF;
    s += "p    q     omega    fi ; v stupnoch omega fi";
    s += CRLF;
    for (int k = 1; k <= f.pocettpq; ++k) {
        const TTPQ& r = f.tpq[k];
        pridajcele(s, r.p);
        s += "  ";
        pridajcele(s, r.q);
        s += "  ";
        pridajuhol(s, r.omega);
        s += "  ";
        pridajuhol(s, r.fi);
        s += "  ";
        pridajuhol(s, nastupne(r.omega));
        s += "  ";
        pridajuhol(s, nastupne(r.fi));
        s += CRLF;
    }
    s += "Uhly (v RAD, stupnoch) komplexnych jednotiek v matici D: ";
    s += CRLF;
    for (int i = 1; i <= (f.sietzosyntezy ? 0 : f.rozmer); ++i) {
        pridajuhol(s, f.fazy[i]);
        s += "  ";
        pridajuhol(s, nastupne(f.fazy[i]));
        s += CRLF;
    }
    s += CRLF;
    s += "Zapis QLC zodpovedajucej tejto matici: ";
    s += CRLF;
    s += "Celkovy pocet bran: ";
    pridajcele(s, f.pocetb1);
    s += CRLF;
    s += "Cislo, vyradena , typ, kontrolovany,kontrolujuce qubity, matica u";
    s += CRLF;
    for (int i = 1; i <= f.pocetb1; ++i) {
        const TGATE1& g = f.brany[i];
        pridajcele(s, i);
        s += g.vyradena ? " V " : " N ";
        pridajcele(s, g.pocetk);
        s += "   ";
        pridajcele(s, g.ciel);
        s += ' ';
        for (int k = 1; k <= g.pocetk; ++k) {
            pridajcele(s, g.kontroly[k]);
            s += ' ';
        }
        s += "    ";
        pridajkomplexnaretazec(s, g.U.u11());
        s += ' ';
        pridajkomplexnaretazec(s, g.U.u12());
        s += ' ';
        pridajkomplexnaretazec(s, g.U.u21());
        s += ' ';
        pridajkomplexnaretazec(s, g.U.u22());
        s += CRLF;
    }
    return s;
}

void TForm1::zapismaticu(const TMATICA1& M, const std::string& meno) {
    zapissubor(meno, textsuboru(*this, M));
    log(ZAPISANA);
}

}  // namespace qlc
