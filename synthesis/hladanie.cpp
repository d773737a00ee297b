#include "hladanie.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <queue>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "clifford.h"
#include "core/chyby.h"
#include "instancia.h"
#include "obvod.h"
#include "reverzibilny.h"
#include "rezy.h"
#include "spravy.h"
#include "struktura.h"
#include "tolerancie.h"
#include "vlakna.h"
#include "vstup.h"
#include "zjednodus.h"
#include "zxz.h"

namespace qlc::synteza {

namespace {

using TKOMP = std::complex<double>;
using TPAR = std::array<int, 2>;  // qubits a < b of a CNOT, control a

// Every line the search writes to the log; %q stands for qubits, %s for a
// placement, %x for a number, %n, %c and %k for counts.
namespace texty {
constexpr const char* JEDNOTKOVA = "Hladanie: matica je jednotkova, ziadna brana.";
constexpr const char* SKALARNA = "Hladanie: matica je skalarna (globalna faza), jedna brana.";
constexpr const char* KRONECKER = "Hladanie: Kroneckerov rozklad na faktory na qubitoch%q.";
constexpr const char* DVOJQ = "Hladanie: faktor na qubitoch %q, rozklad KAK (%n CNOT).";
constexpr const char* MEDZIVRSTVAMI =
    "Hladanie: faktor na qubitoch %q je diagonalny medzi dvoma vrstvami jednoqubitovych bran.";
constexpr const char* MEDZICNOT = "Hladanie: faktor na qubitoch %q je medzi dvoma CNOT (riadiaci a cielovy qubit %s) "
                                  "diagonalny medzi dvoma vrstvami jednoqubitovych bran.";
constexpr const char* PERMUTACIA = "Hladanie: faktor na qubitoch %q je permutacia bazovych stavov (az na ich fazy), "
                                   "obvod z %k viacnasobne riadenych NOT.";
constexpr const char* CLIFFORD =
    "Hladanie: faktor na qubitoch %q je Cliffordova brana (z H, S a CNOT), obvod z %n CNOT po jednom qubite.";
constexpr const char* SKRATENA =
    "Hladanie: analyticky rozklad bez jedneho z jeho CNOT: presna siet s %n CNOT, umiestnenie %s (%c fitov).";
constexpr const char* DVOJQSIET = "Hladanie: siet z %k vseobecnych dvojqubitovych bran na paroch %s je presna, "
                                  "s rozkladom KAK kazdej %n CNOT (%c fitov).";
constexpr const char* DVOJQZIADNA =
    "Hladanie: ziadna siet z najviac %k vseobecnych dvojqubitovych bran nie je presna (%c fitov).";
constexpr const char* DVOJQSKRATENA =
    "Hladanie: siet dvojqubitovych bran bez jedneho z jej CNOT: presna siet s %n CNOT, umiestnenie %s (%c fitov).";
constexpr const char* DVOJQPONECHANA = "Hladanie: ponechana siet dvojqubitovych bran s %n CNOT.";
constexpr const char* ZACIATOK =
    "Hladanie: faktor na qubitoch %q, analyticky rozklad dava %n CNOT, hlada sa siet s najviac %c CNOT.";
constexpr const char* HODNOSTI = "Hladanie: Schmidtove hodnosti matice cez rezy qubitov vyzaduju aspon %n CNOT.";
constexpr const char* HODNOSTINOH =
    "Hladanie: hodnosti matice cez rezy vstupov a vystupov qubitov vyzaduju aspon %n CNOT.";
constexpr const char* VSETKY = "Hladanie: ziadne zo vsetkych %c umiestneni s %n CNOT pripustnych podla hodnosti nie je presne.";
constexpr const char* NAJBLIZSIE =
    "Hladanie: ziadne z %k umiestneni s %n CNOT najblizsich hodnostiam matice (z %c pripustnych) nie je presne.";
constexpr const char* SHODNOSTAMI =
    "Hladanie: ziadne z %k umiestneni s %n CNOT, ktorych siet ma presne hodnosti matice (z %c takych), nie je presne.";
constexpr const char* ZIADNESHODNOSTAMI =
    "Hladanie: siet ziadneho umiestnenia s %n CNOT nema presne hodnosti matice.";
constexpr const char* ZIADNE =
    "Hladanie: hodnosti matice cez rezy vstupov a vystupov vylucuju kazde umiestnenie s %n CNOT.";
constexpr const char* VZOR = "Hladanie: vzor (%s) s %n CNOT nie je presny, vzdialenost %x.";
constexpr const char* HLBKA = "Hladanie: %n CNOT, najblizsie umiestnenie %s, vzdialenost %x.";
constexpr const char* ZMRAZENIE = "Hladanie: zaciatok siete s %n CNOT %s je odteraz pevny.";
constexpr const char* NAJDENA = "Hladanie: presna siet s %n CNOT, umiestnenie %s (%c fitov).";
constexpr const char* ZHUSTENIE =
    "Hladanie: bez jedneho z jej CNOT presna siet s %n CNOT, umiestnenie %s (%c fitov).";
constexpr const char* ZHUSTENIE2 =
    "Hladanie: bez dvoch z jej CNOT presna siet s %n CNOT, umiestnenie %s (%c fitov).";
constexpr const char* LOKALNE = "Hladanie: lokalne hladanie od umiestneni s %n CNOT (po %c fitoch).";
constexpr const char* LOKALNA = "Hladanie: lokalnym hladanim presna siet s %n CNOT, umiestnenie %s (%c fitov).";
constexpr const char* ROZPOCET = "Hladanie: po %n fitoch ziadna presna siet s najviac %c CNOT.";
constexpr const char* LIMIT =
    "Hladanie: casovy limit %x s vyprsal po %n fitoch, ponechava sa najkratsia presna siet.";
constexpr const char* KRATSIA =
    "Hladanie: za dalsich %x s a %n fitov ziadna kratsia siet nez vzor s %c CNOT.";
constexpr const char* GENERICKA = "Hladanie: genericka numericka siet s %n CNOT.";
constexpr const char* ANALYTICKA = "Hladanie: ponechany analyticky rozklad s %n CNOT.";
constexpr const char* SKRATENAPONECHANA = "Hladanie: ponechany analyticky rozklad skrateny na %n CNOT.";
constexpr const char* NEPRESNA =
    "Hladanie: siet hladania sa od matice lisi o %x, ponechany analyticky rozklad s %n CNOT.";
constexpr const char* ZJEDNODUSENIE = "Hladanie: zjednodusenie odstranilo %n bran.";
constexpr const char* VYSLEDOK = "Hladanie: %n bran, z toho %c CNOT.";
}  // namespace texty

// The whole circuit must reproduce the input within this in every entry;
// a fit counts from PRESNOST_FITU, and a frozen prefix may add rounding of
// the order of sqrt(2^n) times that.
constexpr double PRESNOST_SIETE = 1e-11;

// "(1,2) (2,3)", "-" for none
std::string umiestnenie(const std::vector<TPAR>& s) {
    if (s.empty()) return "-";
    std::string t;
    for (std::size_t i = 0; i < s.size(); ++i)
        t += (i ? " (" : "(") + std::to_string(s[i][0]) + "," + std::to_string(s[i][1]) + ")";
    return t;
}

// ---- budget of one factor's search, by its qubits ----------------------------------

// Fits a search may make (the deterministic end of a search), and the part
// of them that fitting every placement of few CNOTs may take (the rest is
// kept for the rest of the search). On four qubits that is 200 of 350: the
// cuts of legs leave a shallow circuit 50 to 1,000 placements of its count,
// and random circuits of 6 CNOTs reached theirs within 85 fits (7 CNOTs
// within 140); a generic matrix leaves too many to try any and keeps 150
// for the rest. On three qubits, where every fit sweeps first (below) and
// most end after the sweeps, the placements of few CNOTs may take the first
// VSETKYM_3 (every placement of up to 5 CNOTs, four starts each), the
// growing search RASTUCEMU_3 more and the local search below the rest: it
// takes a random circuit of 7 to 9 CNOTs down to its count far more often
// than growing placements further does.
long long rozpocetfitov(int m) { return m <= 3 ? 2200 : m == 4 ? 350 : 100; }
constexpr long long VSETKYM_3 = 1500;
constexpr long long RASTUCEMU_3 = 200;
// Fits each second of a time limit beyond the default adds to the budget:
// half or less of what one core makes in a long search of three qubits
// (about 1,400 a second in the local search, whose fits mostly end after
// their sweeps) and of four (30), so that the budget, not the clock, still
// ends it on a slower machine. On five qubits a longer limit goes to the
// generic circuit.
double fitynasekundu(int m) { return m <= 3 ? 500.0 : m == 4 ? 15.0 : 0.0; }
long long rozpocetfitov(int m, double limit) {
    const double navyse = std::max(0.0, limit - HLADANIE_LIMIT) * fitynasekundu(m);
    return rozpocetfitov(m) + static_cast<long long>(navyse);
}
double podielvsetkych(int m) { return m == 4 ? 4.0 / 7.0 : 1.0; }
// Deepest placement tried: beyond it the generic circuit is near.
int maxhlbka(int m) { return m <= 3 ? 12 : m == 4 ? 20 : 28; }
// Weight of the fitted distance against one CNOT in the order of expansion:
// large enough that a clearly closer placement is expanded before a
// shallower one (the search dives), small enough that near ties are
// expanded breadth first.
double vaha(int m) { return m <= 3 ? 6.0 : 12.0; }
// Free CNOTs after which the first half of a placement is frozen (with its
// fitted gates) and the search goes on from the rest only.
std::size_t zmrazod(int m) { return m <= 3 ? std::numeric_limits<std::size_t>::max() : m == 4 ? 12 : 10; }
// Starts of a fit of the search, and its evaluations per start (an exact
// placement converges in a few dozen).
int startyhladania(int) { return 1; }
constexpr int MAXVYHODNOTENI = 60;
// Starts of a fit of each cascade (one in two fits on four and five
// qubits), and the part of the factor's time they may take.
int startyvzoru(int m) { return m <= 4 ? 8 : 10; }
constexpr double PODIEL_VZOROV = 0.5;
// A start of a cascade still farther than this after so many evaluations
// is on a local minimum's plateau: measured on the Fourier transforms of
// 3 to 5 qubits, the starts that go on to fit exactly are below 1e-3 by
// then, the others near 0.77 or above.
constexpr int VZOR_VZDAT_PO = 60;
constexpr double VZOR_VZDAT_NAD = 0.5;
constexpr double VZOR_BLIZKO = 0.1;
// Fits at least left for a shorter circuit after a cascade's: on four
// qubits a shallow circuit between gates of H, S and T fits a cascade
// within a few fits and its own placement only after some 80; on five a
// fit takes about a second, and as many fits as before the cascade follow.
long long povzorefitov(int m) { return m == 4 ? 100 : 0; }
// Starts of each placement fitted when all of one count are (a shallow
// placement on four qubits fits from about two starts in three, on five
// from almost every start; on three a random circuit's of 4 to 6 CNOTs
// from one start in five to two in three).
int startyvsetkych(int m) { return m <= 3 ? 4 : m == 4 ? 2 : 1; }
// When no placement of a level too large to fit whole has the matrix's
// ranks exactly, this many nearest are fitted, if they exceed the ranks
// by at most PREBYTOK_NAJBLIZSICH in all.
constexpr std::size_t NAJBLIZSICH = 32;
constexpr int PREBYTOK_NAJBLIZSICH = 16;
// Starts at most of the placements nearest to the matrix's ranks when they
// are few (2 x this over their number).
constexpr int STARTY_MALEJ_SKUPINY = 6;
// Placements of one count enumerated for each one the fits left allow to
// fit on four qubits, where the ranks across the cuts of legs choose among
// them.
long long umiestnenina(int m) { return m == 4 ? 8 : 1; }
// Starts of each placement shorter than a circuit found. On three qubits
// some exact placements fit from one start in three, and a shortening
// missed leaves the circuit a CNOT longer: six starts with the default
// budget (two on four qubits, one on five). A larger budget buys
// proportionally more, up to MAXSTARTOV_ZHUSTENIA: a placement that fits
// from one start in seven is then missed once in 500.
constexpr int MAXSTARTOV_ZHUSTENIA = 40;
int startyzhustenia(int m, long long rozpocet) {
    const long long zaklad = m <= 3 ? 6 : m == 4 ? 2 : 1;
    const long long nasobok = std::max(1LL, rozpocet / rozpocetfitov(m));
    return static_cast<int>(std::min<long long>(MAXSTARTOV_ZHUSTENIA, zaklad * nasobok));
}
// Part of the remaining time the search of a factor may take before the
// generic circuit is built.
double podielcasu(int m) { return m <= 3 ? 0.8 : m == 4 ? 0.6 : 0.5; }
// On three qubits the fits beyond those of the stages before go to a local
// search over placements of a fixed count (below): a random circuit of 7
// to 10 CNOTs comes down to its count or near it there, where growing
// placements further reached 14 for 10 CNOTs. It starts from a random
// placement when the stages before found nothing, and from the circuit
// they found when it has more CNOTs than LOKALNE_OD.
bool lokalnehladanie(int m) { return m == 3; }
// The local search looks for circuits of at least this many CNOTs: fewer
// have few enough placements for the stages before it (random circuits of
// up to 6 CNOTs come back at their count from them), and a Toffoli's,
// whose 6 CNOTs are known before the search, gets its answer sooner.
constexpr int LOKALNE_OD = 7;
// Starts of the fit of a placement the local search meets again, in all:
// the own placement of a random circuit of 7 to 10 CNOTs fits from 5 to 16
// of 40 starts on most seeds and from 1 or none on some, and the search
// meets the placements near its best again and again.
constexpr int LOKALNE_STARTY = 8;
// Fits the local search spends on one count before it starts again from
// the last exact placement less another of its CNOTs.
constexpr long long LOKALNE_NA_UROVEN = 400;
// Every fit of a search of three qubits begins with ZAMETANIA_3 sweeps and
// goes on with Levenberg-Marquardt (up to VYHODNOTENI_3 evaluations) only
// when its residual's norm over sqrt(d) is then below VZDAT_NAD_3: 60
// sweeps cost about what 6 evaluations do, and they bring a start as near
// to the matrix as Levenberg-Marquardt's 100 evaluations (on the own
// placement of a random circuit of 10 CNOTs, 0.28 against 0.29 on average,
// at 0.6 ms a start instead of 8.5), while the starts that go on to fit
// exactly are then within a few hundredths. On the own placements of
// random circuits of 4 to 8 CNOTs a start so fits exactly as often as one
// of Levenberg-Marquardt alone or more often (one in three instead of one
// in four for 4 CNOTs, one in eight instead of one in thirty for 8) in a
// fifth to a half of the time.
constexpr int ZAMETANIA_3 = 60;
constexpr int VYHODNOTENI_3 = 100;
constexpr double VZDAT_NAD_3 = 0.05;
// A start still farther than ZAMETANIA_VZDAT_NAD_3 after
// ZAMETANIA_VZDAT_PO_3 of its sweeps is given up there: on the own
// placements of random circuits of 4 to 9 CNOTs this keeps 85 to 100 % of
// the starts that fit exactly at 55 to 70 % of the time, and random
// circuits of 6 to 9 CNOTs (ten seeds each) come back at the same counts
// in half to four fifths of the time.
constexpr int ZAMETANIA_VZDAT_PO_3 = 20;
constexpr double ZAMETANIA_VZDAT_NAD_3 = 0.3;
// Random substitutions of the best placement that start the search again
// from a local minimum.
constexpr int LOKALNE_KOPNUTIE = 2;
// Placements looked at (fitted or remembered) for each fit of the budget:
// the search ends also when every placement near it has had all its starts.
constexpr long long LOKALNE_POHLADY = 20;

// ---- time and progress ---------------------------------------------------------

using THOD = std::chrono::steady_clock;

// A fit computed ahead: the placement s of the factor F with the options v.
struct TVOPRED {
    TMAT F;
    bool vzaty = false;
    std::vector<TPAR> s;
    TVOLBYFITU v;
    TFIT fit;
};

struct TBEH {
    THOD::time_point start;
    THOD::time_point koniec;  // the time limit of the whole call
    double limit = 0;
    const std::function<void(double)>* priebeh = nullptr;
    THOD::time_point posledne;
    // the part of the work done by fits: od + (do_ - od) * fity / rozpocet
    double od = 0, do_ = 1;
    long long fity = 0, rozpocet = 1;
    // the threads of fits computed ahead (pocetvlakien of them, made at
    // the first batch), and the fits of the last batch not yet taken
    int pocetvlakien = 1;
    std::unique_ptr<TVLAKNA> vlakna;
    std::vector<TVOPRED> vopred;

    void tik(bool hned = false) {
        if (priebeh == nullptr || !*priebeh) return;
        const THOD::time_point t = THOD::now();
        if (!hned && t - posledne < std::chrono::milliseconds(20)) return;
        posledne = t;
        const double casom = std::chrono::duration<double>(t - start).count() / limit;
        const double fitmi = od + (do_ - od) * std::min(1.0, static_cast<double>(fity) / static_cast<double>(rozpocet));
        (*priebeh)(std::clamp(std::max(casom, fitmi), 0.0, 1.0));
    }
};

// ---- circuits ----------------------------------------------------------------------

// The structure of a placement on m qubits.
TSTRUKTURA struktura(int m, const std::vector<TPAR>& s) {
    TSTRUKTURA st;
    st.pocetq = m;
    for (const TPAR& x : s) st.cnoty.push_back({x[0], x[1]});
    return st;
}

// The one-qubit gates of a fitted circuit in order, where the fit of a
// placement one CNOT longer starts.
std::vector<TMAT2> jednoqbrany(const TOBVOD& o) {
    std::vector<TMAT2> v;
    for (const TGATE1& g : o.brany)
        if (g.pocetk == 0) v.push_back(matica2(g));
    return v;
}

// The circuit on local qubits 1..m moved onto the qubits qubity.
void premapuj(const TOBVOD& o, const std::vector<int>& qubity, TOBVOD& ciel) {
    for (TGATE1 g : o.brany) {
        g.ciel = static_cast<std::uint8_t>(qubity.at(static_cast<std::size_t>(g.ciel - 1)));
        if (g.pocetk == 1) g.kontroly[1] = static_cast<std::uint8_t>(qubity.at(static_cast<std::size_t>(g.kontroly[1] - 1)));
        ciel.brany.push_back(g);
    }
    ciel.pocetcnot += o.pocetcnot;
    ciel.faza += o.faza;
}

// An analytic circuit and the frame it was built in.
struct TANALYTICKY {
    TOBVOD obvod{0};
    // 0 none of the frames below; 1 a diagonal between layers of one-qubit
    // gates; 2 that between two CNOTs cnot = {control, target}; 3 a
    // permutation of basis states, pocetmct multi-controlled NOTs; 4 a
    // Clifford unitary
    int ramec = 0;
    TPAR cnot{};
    int pocetmct = 0;
};

// The circuit of F = (one-qubit layer) D (one-qubit layer), D diagonal, when
// F has that form.
bool medzivrstvami(const TMAT& F, int m, const std::vector<int>& q, TOBVOD& o) {
    TLOKALNADIAG ld;
    if (!lokalnediagonalna(F, m, ld)) return false;
    for (int i = 1; i <= m; ++i) o.jednoq(i, ld.pred[static_cast<std::size_t>(i - 1)]);
    diagonalnyobvod(ld.D, q, o);
    for (int i = 1; i <= m; ++i) o.jednoq(i, ld.po[static_cast<std::size_t>(i - 1)]);
    return true;
}

// The analytic circuit of a factor on local qubits 1..m, the shortest of:
// block-ZXZ (KAK on two); the diagonal circuit of a diagonal factor; on
// three or more qubits, that of a diagonal between two layers of one-qubit
// gates (a multi-controlled gate: a Toffoli, C3X, a controlled Hadamard),
// also with one CNOT on both sides (a controlled swap is a Toffoli between
// two CNOTs); of a permutation of basis states (up to their phases), the
// circuit of its multi-controlled NOTs (an increment, an adder); of a
// Clifford unitary (an encoder), its reduction one qubit at a time.
TANALYTICKY analyticky(const TMAT& F, int m) {
    std::vector<int> q;
    for (int i = 1; i <= m; ++i) q.push_back(i);
    TANALYTICKY a;
    a.obvod = TOBVOD(m);
    syntetizujvseob(F, q, a.obvod);
    auto kratsi = [&](TOBVOD& c, int ramec) {
        if (c.pocetcnot >= a.obvod.pocetcnot) return false;
        a.obvod = std::move(c);
        a.ramec = ramec;
        return true;
    };
    if (diagonalna(F)) {
        TOBVOD d(m);
        diagonalnyobvod(F, q, d);
        if (d.pocetcnot <= a.obvod.pocetcnot) a.obvod = std::move(d);
    } else if (m >= 3) {
        TOBVOD d(m);
        if (medzivrstvami(F, m, q, d))
            kratsi(d, 1);
        else
            for (int k = 1; k <= m; ++k)
                for (int t = 1; t <= m; ++t) {
                    if (k == t) continue;
                    TOBVOD c(m);
                    c.cnot(k, t);
                    // W = C F C, C its own inverse and Hermitian: C (C F^dagger)^dagger
                    TMAT W = F.adjoint();
                    aplikujbranu(c.brany.front(), m, W);
                    W.adjointInPlace();
                    aplikujbranu(c.brany.front(), m, W);
                    if (!medzivrstvami(W, m, q, c)) continue;
                    c.cnot(k, t);
                    if (kratsi(c, 2)) a.cnot = {k, t};
                }
    }
    if (m < 3) return a;
    std::vector<int> f;
    Eigen::VectorXcd D;
    if (permutacia(F, f, D)) {
        // a permutation of basis states after their phases
        TOBVOD p(m);
        diagonalnyobvod(D.asDiagonal(), q, p);
        const std::vector<TMCT> mct = mctobvod(f, m);
        for (const TMCT& g : mct) pridajmct(g, p);
        if (kratsi(p, 3)) a.pocetmct = static_cast<int>(mct.size());
    }
    TOBVOD c(m);
    if (cliffordovobvod(F, m, c)) kratsi(c, 4);
    return a;
}

// ---- the search over placements --------------------------------------------------

// Normal form of a placement under exchange of neighbouring CNOTs on
// disjoint pairs (they commute with their one-qubit gates): repeatedly the
// smallest pair all of whose earlier non-commuting pairs are taken.
std::vector<TPAR> normalna(const std::vector<TPAR>& s) {
    const std::size_t k = s.size();
    std::vector<bool> vzate(k, false);
    std::vector<TPAR> n;
    n.reserve(k);
    auto spolocny = [](const TPAR& x, const TPAR& y) {
        return x[0] == y[0] || x[0] == y[1] || x[1] == y[0] || x[1] == y[1];
    };
    for (std::size_t krok = 0; krok < k; ++krok) {
        std::size_t naj = k;
        for (std::size_t i = 0; i < k; ++i) {
            if (vzate[i]) continue;
            bool volny = true;
            for (std::size_t j = 0; j < i && volny; ++j)
                if (!vzate[j] && spolocny(s[j], s[i])) volny = false;
            if (volny && (naj == k || s[i] < s[naj])) naj = i;
        }
        vzate[naj] = true;
        n.push_back(s[naj]);
    }
    return n;
}

std::uint64_t odtlacok(const std::vector<TPAR>& s) {
    std::uint64_t h = 0x9e3779b97f4a7c15ull;
    for (const TPAR& p : s) {
        h ^= static_cast<std::uint64_t>(p[0] * 8 + p[1]) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
        h *= 0xbf58476d1ce4e5b9ull;
    }
    return h;
}

// The placement s without its CNOT i (0-based, below s.size()).
std::vector<TPAR> bezcnotu(std::vector<TPAR> s, std::size_t i) {
    if (i >= s.size()) zlyindex(static_cast<long long>(i), 0, static_cast<long long>(s.size()) - 1);
    s.erase(s.begin() + static_cast<std::ptrdiff_t>(i));
    return s;
}

// CNOTs still needed to join every qubit of the factor (it is no Kronecker
// product, so its placement connects all of them): the number of connected
// components of the pairs' graph less one.
int chybajucespoje(const std::vector<TPAR>& pevne, const std::vector<TPAR>& s, int m) {
    std::array<int, 8> rodic{};
    for (int q = 1; q <= m; ++q) rodic[static_cast<std::size_t>(q)] = q;
    auto koren = [&](int q) {
        while (rodic[static_cast<std::size_t>(q)] != q) q = rodic[static_cast<std::size_t>(q)];
        return q;
    };
    int komponenty = m;
    auto spoj = [&](const TPAR& p) {
        const int a = koren(p[0]), b = koren(p[1]);
        if (a != b) {
            rodic[static_cast<std::size_t>(a)] = b;
            --komponenty;
        }
    };
    for (const TPAR& p : pevne) spoj(p);
    for (const TPAR& p : s) spoj(p);
    return komponenty - 1;
}

// The cuts of the factor's qubits into S and the rest, and the CNOTs each
// needs across it. The operator Schmidt rank of a unitary across a cut is
// multiplied by at most 2 by a CNOT across it and kept by every other gate,
// so an exact circuit has at least ceil(log2 rank) CNOTs across the cut.
// A cut of s qubits is crossed by the same number of pairs, pary[s], for
// every one of its cuts' class: a CNOT lowers the sum of a class's
// shortfalls by at most that.
struct TREZY {
    int m = 0;
    std::vector<int> maska;    // S as bits of local qubits (bit q-1), qubit 1 in S
    std::vector<int> potreba;  // CNOTs needed across it
    std::vector<int> trieda;   // min(|S|, m - |S|)
    std::array<int, 4> pary{};  // cuts of each class one pair crosses
    TREZYNOH nohy;              // the cuts of the legs, inputs and outputs mixed
};

TREZY rezy(const TMAT& F, int m) {
    TREZY r;
    r.m = m;
    for (int maska = 1; maska < (1 << m) - 1; ++maska) {
        if (!(maska & 1)) continue;
        std::vector<int> pozicie;  // local qubit q is position q - 1
        for (int q = 0; q < m; ++q)
            if ((maska >> q) & 1) pozicie.push_back(q);
        const int s = static_cast<int>(pozicie.size());
        const int potreba = potrebavazieb(prerovnana(F, m, pozicie));
        r.maska.push_back(maska);
        r.potreba.push_back(potreba);
        r.trieda.push_back(std::min(s, m - s));
        // pair (1, 2) crosses the cut iff exactly one of them is in S
        if (((maska & 1) != 0) != ((maska & 2) != 0)) ++r.pary[static_cast<std::size_t>(std::min(s, m - s))];
    }
    // On three qubits every rank across the cuts of legs is 4 or less, and
    // they leave as many placements as the cuts of qubits. On five their
    // 511 ranks take a third of a second and each prefix of an enumeration
    // 0.15 ms, while the cuts of qubits already single out shallow circuits
    // of five qubits.
    if (m == 4) r.nohy = rezynoh(F, m);
    return r;
}

// A lower bound of the CNOTs still needed after the placement pevne + s:
// the components to join, the largest shortfall of one cut, each class's
// sum of shortfalls over what one CNOT can cover, and the largest shortfall
// of a cut of the legs. With a strop the result is above strop exactly
// when the bound is, and at most strop otherwise (see nedostatoknoh).
int odhad(const TREZY& r, const std::vector<TPAR>& pevne, const std::vector<TPAR>& s,
          int strop = std::numeric_limits<int>::max()) {
    int h = chybajucespoje(pevne, s, r.m);
    std::array<int, 4> suma{};
    for (std::size_t i = 0; i < r.maska.size(); ++i) {
        int cez = 0;
        auto pocitaj = [&](const TPAR& p) {
            if (((r.maska[i] >> (p[0] - 1)) & 1) != ((r.maska[i] >> (p[1] - 1)) & 1)) ++cez;
        };
        for (const TPAR& p : pevne) pocitaj(p);
        for (const TPAR& p : s) pocitaj(p);
        const int chyba = std::max(0, r.potreba[i] - cez);
        h = std::max(h, chyba);
        suma[static_cast<std::size_t>(r.trieda[i])] += chyba;
    }
    for (std::size_t t = 1; t < suma.size(); ++t)
        if (r.pary[t] > 0) h = std::max(h, (suma[t] + r.pary[t] - 1) / r.pary[t]);
    if (h > strop) return h;
    return std::max(h, nedostatoknoh(r.nohy, pevne, s, strop));
}

// Prefixes the enumeration below may look at for each placement it may
// return: a bound met by few placements of L CNOTs but by many shorter
// prefixes ends the enumeration as too many placements would.
constexpr std::size_t PREFIXOV_NA_UMIESTNENIE = 200;

// The placements of exactly L CNOTs in normal form whose every prefix can
// still meet the bound within L, and whose networks exceed the matrix's
// ranks across the cuts of legs by at most prebytok in all; false (and
// none) when there are more than strop, or more than
// PREFIXOV_NA_UMIESTNENIE times strop prefixes to look at.
bool vsetkyumiestnenia(const TREZY& r, const std::vector<TPAR>& pary, int L, std::size_t strop,
                       std::vector<std::vector<TPAR>>& von, int prebytok = std::numeric_limits<int>::max()) {
    std::set<std::vector<TPAR>> videne;
    std::vector<TPAR> s;
    bool prilis = false;
    std::size_t prefixy = 0;
    auto disjunktne = [](const TPAR& x, const TPAR& y) {
        return x[0] != y[0] && x[0] != y[1] && x[1] != y[0] && x[1] != y[1];
    };
    std::function<void()> dalej = [&] {
        if (prilis) return;
        if (++prefixy > PREFIXOV_NA_UMIESTNENIE * std::max<std::size_t>(strop, 1)) {
            prilis = true;
            return;
        }
        if (static_cast<int>(s.size()) == L) {
            if (odhad(r, {}, s, 0) == 0 && videne.insert(normalna(s)).second) {
                if (von.size() + 1 > strop) {
                    prilis = true;
                    return;
                }
                von.push_back(s);
            }
            return;
        }
        for (const TPAR& p : pary) {
            const std::size_t k = s.size();
            if (k >= 3 && s[k - 1] == p && s[k - 2] == p && s[k - 3] == p) continue;
            // of two neighbouring CNOTs on disjoint pairs, the smaller first
            if (k >= 1 && disjunktne(s[k - 1], p) && p < s[k - 1]) continue;
            s.push_back(p);
            const int zvysne = L - static_cast<int>(s.size());
            if (odhad(r, {}, s, zvysne) <= zvysne &&
                (prebytok == std::numeric_limits<int>::max() || prebytoknoh(r.nohy, s, prebytok) <= prebytok))
                dalej();
            s.pop_back();
            if (prilis) return;
        }
    };
    dalej();
    if (prilis) von.clear();
    return !prilis;
}

struct TVZOR {
    std::string meno;
    std::vector<TPAR> kaskada;
    int obrat = 0;  // the qubits reversed: 0 not, 1 after the cascade, 2 before it
    int pocet = 0;  // its CNOTs, three for each swap of the reversal included
};

std::vector<TVZOR> vzory(int m) {
    std::vector<TPAR> kaskada;
    for (int i = 1; i < m; ++i)
        for (int j = i + 1; j <= m; ++j) kaskada.insert(kaskada.end(), 2, TPAR{i, j});
    const std::vector<TPAR> spat(kaskada.rbegin(), kaskada.rend());
    const int c = static_cast<int>(kaskada.size()), s = c + 3 * (m / 2);
    return {{"kaskada riadenych rotacii", kaskada, 0, c},
            {"obratena kaskada riadenych rotacii", spat, 0, c},
            {"kaskada riadenych rotacii a obratenie poradia qubitov", kaskada, 1, s},
            {"obratenie poradia qubitov a obratena kaskada riadenych rotacii", spat, 2, s}};
}

// The permutation of basis states that reverses the order of m qubits.
TMAT obratenie(int m) {
    const int d = 1 << m;
    TMAT P = TMAT::Zero(d, d);
    for (int x = 0; x < d; ++x) {
        int y = 0;
        for (int b = 0; b < m; ++b)
            if ((x >> b) & 1) y |= 1 << (m - 1 - b);
        P(y, x) = 1.0;
    }
    return P;
}

struct TUZOL {
    double f = 0;
    int pocet = 0;  // CNOTs, the frozen prefix included
    long long poradie = 0;
    std::vector<TPAR> volne;  // the placement after the frozen prefix
    double vzdialenost = 0;
    TOBVOD obvod{0};          // its fitted circuit (empty for the root)
};

// Lowest priority first; on a tie fewer CNOTs, then the placement made first.
struct TPORADIE {
    bool operator()(const TUZOL& x, const TUZOL& y) const {
        if (x.f != y.f) return x.f > y.f;
        if (x.pocet != y.pocet) return x.pocet > y.pocet;
        return x.poradie > y.poradie;
    }
};

// The priority of a placement: its CNOTs, those still needed to join every
// qubit, and the weighted distance. The distance is rounded to 1e-6, so
// that placements whose fits end at the same distance up to rounding tie
// and the tie goes to the shorter one.
double priorita(int k, int spoje, double vzdialenost, double w) {
    return k + spoje + w * std::round(vzdialenost * 1e6) * 1e-6;
}

struct TNAJDENA {
    bool ok = false;
    TOBVOD obvod{0};
    std::vector<TPAR> umiestnenie;
};

// The options of the search's fits: starty starts of MAXVYHODNOTENI
// evaluations each, the full residual, the progress bar moved between them.
TVOLBYFITU volbyfitu(int starty, THOD::time_point termin, TBEH& beh) {
    TVOLBYFITU vf;
    vf.starty = starty;
    vf.maxvyhodnoteni = MAXVYHODNOTENI;
    vf.termin = termin;
    vf.priebeh = [&beh] { beh.tik(); };
    vf.plnyrezidual = true;
    return vf;
}

// The same for the placements of a factor of m qubits: on three qubits
// each start sweeps first.
TVOLBYFITU volbyfitu(int m, int starty, THOD::time_point termin, TBEH& beh) {
    TVOLBYFITU vf = volbyfitu(starty, termin, beh);
    if (m == 3) {
        vf.maxvyhodnoteni = VYHODNOTENI_3;
        vf.zametania = ZAMETANIA_3;
        vf.vzdatpo = 1;
        vf.vzdatnad = VZDAT_NAD_3;
        vf.zametanivzdatpo = ZAMETANIA_VZDAT_PO_3;
        vf.zametanivzdatnad = ZAMETANIA_VZDAT_NAD_3;
    }
    return vf;
}

// The same fit: the same matrix, placement and options (the progress
// aside).
bool tenistyfit(const TVOPRED& a, const TMAT& F, const std::vector<TPAR>& s, const TVOLBYFITU& v) {
    const TVOLBYFITU& u = a.v;
    if (a.vzaty || a.s != s || a.F.rows() != F.rows() || a.F != F || u.starty != v.starty || u.seed != v.seed ||
        u.azpodiagonalu != v.azpodiagonalu || u.termin != v.termin || u.maxvyhodnoteni != v.maxvyhodnoteni ||
        u.plnyrezidual != v.plnyrezidual || u.vzdatpo != v.vzdatpo || u.vzdatnad != v.vzdatnad ||
        u.blizkojednotky != v.blizkojednotky || u.zametania != v.zametania ||
        u.zametanivzdatpo != v.zametanivzdatpo || u.zametanivzdatnad != v.zametanivzdatnad ||
        u.zaciatok.size() != v.zaciatok.size())
        return false;
    for (std::size_t i = 0; i < u.zaciatok.size(); ++i)
        if (u.zaciatok[i] != v.zaciatok[i]) return false;
    return true;
}

// A fit to compute ahead: the placement s of *F with the options v.
struct TULOHA {
    const TMAT* F = nullptr;
    std::vector<TPAR> s;
    TVOLBYFITU v;
};

// The same with the options v seeded by seed.
TULOHA uloha(const TMAT& F, std::vector<TPAR> s, TVOLBYFITU v, std::uint64_t seed) {
    v.seed = seed;
    return {&F, std::move(s), std::move(v)};
}

// Whether the fits of a factor of m qubits are computed ahead: on three
// and four qubits with two threads or more (why, below).
bool vopredna(const TBEH& beh, int m) { return m <= 4 && beh.pocetvlakien >= 2; }

// Fits of three and four qubits a loop is about to ask for, computed at
// once on the threads of beh: a fit is a function of its matrix, placement
// and options alone, so the loop then takes each from here exactly as it
// would have computed it, and a fit it no longer asks for (it stopped
// first) is dropped unused. The fits on the caller's thread move the
// progress (and may be cancelled by it) as they would alone, the others
// never call it. A fit of three qubits takes one to a few milliseconds, of
// four tens of them; one of five takes about a second, and there (as on a
// machine of one processor) nothing is computed ahead: the progress would
// wait for it.
void vopred(TBEH& beh, int m, std::vector<TULOHA> ulohy) {
    beh.vopred.clear();
    if (!vopredna(beh, m) || ulohy.size() < 2) return;
    if (!beh.vlakna) beh.vlakna = std::make_unique<TVLAKNA>(beh.pocetvlakien);
    beh.vopred.resize(ulohy.size());
    for (std::size_t i = 0; i < ulohy.size(); ++i) {
        TVOPRED& u = beh.vopred[i];
        u.F = *ulohy[i].F;
        u.s = std::move(ulohy[i].s);
        u.v = std::move(ulohy[i].v);
    }
    const std::thread::id volajuci = std::this_thread::get_id();
    beh.vlakna->vsetky(beh.vopred.size(), [&beh, m, volajuci](std::size_t i) {
        TVOPRED& u = beh.vopred[i];
        if (std::this_thread::get_id() == volajuci) {
            u.fit = instanciuj(u.F, struktura(m, u.s), u.v);
        } else {
            TVOLBYFITU v = u.v;
            v.priebeh = nullptr;
            u.fit = instanciuj(u.F, struktura(m, u.s), v);
        }
    });
}

// Fits computed ahead at a time: enough to keep every thread busy between
// two waits for the slowest of them.
std::size_t vopreddavka(const TBEH& beh) { return static_cast<std::size_t>(4 * std::max(1, beh.pocetvlakien)); }

// In a loop over n items, at its x-th: at the start of every batch, the
// fits the batch's items would ask for computed ahead. pridaj(y, ulohy)
// adds those of item y and returns false where the loop would stop before
// it.
template <class FPRIDAJ>
void vopreddavky(TBEH& beh, int m, std::size_t x, std::size_t n, FPRIDAJ pridaj) {
    const std::size_t davka = vopreddavka(beh);
    if (x % davka != 0) return;
    std::vector<TULOHA> ulohy;
    if (vopredna(beh, m))
        for (std::size_t y = x; y < std::min(n, x + davka); ++y)
            if (!pridaj(y, ulohy)) break;
    vopred(beh, m, std::move(ulohy));
}

// A fit of the placement s to F, its starts counted in fity and in the
// progress: the one computed ahead when it is there.
TFIT fitujrataj(const TMAT& F, int m, const std::vector<TPAR>& s, const TVOLBYFITU& v, TBEH& beh, long long& fity) {
    beh.tik();
    TFIT fit;
    auto it = std::find_if(beh.vopred.begin(), beh.vopred.end(),
                           [&](const TVOPRED& u) { return tenistyfit(u, F, s, v); });
    if (it != beh.vopred.end()) {
        fit = std::move(it->fit);
        it->vzaty = true;
    } else {
        fit = instanciuj(F, struktura(m, s), v);
    }
    fity += fit.starty;
    beh.fity += fit.starty;
    return fit;
}

// The shortening of the exact circuit vysledok of the factor F (m qubits):
// every placement one CNOT shorter (with bezdvoch also two shorter) that
// still meets the bound is fitted with the options vf, seeded from the
// placement, and again from each shorter exact one, which replaces
// vysledok and is logged by jeden or dva (%n its CNOTs, %s its placement,
// %c fity by then, the fits counted there). Stops at termin.
void skrat(const TMAT& F, int m, const TREZY& r, int zdola, TVOLBYFITU vf, bool bezdvoch, THOD::time_point termin,
           TBEH& beh, long long& fity, const char* jeden, const char* dva, TNAJDENA& vysledok,
           std::vector<std::string>& sprava) {
    std::set<std::vector<TPAR>> skusene;
    bool kratsia = true;
    while (kratsia && vysledok.umiestnenie.size() > static_cast<std::size_t>(zdola)) {
        kratsia = false;
        const std::vector<TPAR> cela = vysledok.umiestnenie;
        std::vector<std::vector<TPAR>> kratsie;
        for (std::size_t j = 0; j < cela.size(); ++j) kratsie.push_back(bezcnotu(cela, j));
        if (bezdvoch && cela.size() >= static_cast<std::size_t>(zdola) + 2)
            for (std::size_t i = 0; i < cela.size(); ++i)
                for (std::size_t j = i + 1; j < cela.size(); ++j) kratsie.push_back(bezcnotu(bezcnotu(cela, j), i));
        for (std::size_t x = 0; x < kratsie.size(); ++x) {
            if (kratsia) break;
            if (THOD::now() >= termin) return;
            std::set<std::vector<TPAR>> vdavke;  // asked for in this batch
            vopreddavky(beh, m, x, kratsie.size(), [&](std::size_t y, std::vector<TULOHA>& ulohy) {
                const std::vector<TPAR>& s = kratsie[y];
                if (odhad(r, {}, s, 0) == 0 && !skusene.count(normalna(s)) && vdavke.insert(normalna(s)).second)
                    ulohy.push_back(uloha(F, s, vf, odtlacok(s)));
                return true;
            });
            const std::vector<TPAR>& s = kratsie[x];
            if (odhad(r, {}, s, 0) > 0 || !skusene.insert(normalna(s)).second) continue;
            vf.seed = odtlacok(s);
            TFIT fit = fitujrataj(F, m, s, vf, beh, fity);
            if (!fit.presny) continue;
            const char* t = s.size() + 1 == cela.size() ? jeden : dva;
            vysledok.ok = true;
            vysledok.obvod = std::move(fit.obvod);
            vysledok.umiestnenie = s;
            kratsia = true;
            sprava.push_back(vypln(vypln(vypln(t, "%n", std::to_string(vysledok.obvod.pocetcnot)), "%s",
                                         umiestnenie(s)),
                                   "%c", std::to_string(fity)));
        }
    }
}

// The analytic circuit of a structured factor (a diagonal between layers
// of one-qubit gates and two CNOTs, a permutation's multi-controlled NOTs,
// a Clifford's reduction) shortened as a circuit found by the search is:
// where a CNOT of the frame meets the diagonal's first CNOT on the same
// pair, the two often need only one (a controlled swap comes to 7), and
// neighbouring NOTs share CNOTs (the increment mod 16 comes from 21 to 14).
// The fits count in the progress, not in the search's budget: a few starts
// for each CNOT of a circuit of a few dozen.
// The same shortens a circuit of general two-qubit gates (text: the log
// line of each shorter circuit).
TNAJDENA skratena(const TMAT& F, int m, const TOBVOD& analyt, const char* text, THOD::time_point termin, TBEH& beh,
                  std::vector<std::string>& sprava) {
    TNAJDENA vysledok;
    for (const TGATE1& g : analyt.brany)
        if (g.pocetk == 1) {
            const int k = g.kontroly[1], t = g.ciel;
            vysledok.umiestnenie.push_back({std::min(k, t), std::max(k, t)});
        }
    const TVOLBYFITU vf = volbyfitu(startyzhustenia(m, rozpocetfitov(m)), termin, beh);
    long long fity = 0;
    const TREZY r = rezy(F, m);
    skrat(F, m, r, std::max(odhad(r, {}, {}), 1), vf, false, termin, beh, fity, text, text, vysledok, sprava);
    return vysledok;
}

// ---- circuits of general two-qubit gates ---------------------------------------------

// Gates at most in a circuit of general two-qubit gates tried: four (12
// CNOTs at most, below the generic 14 of three qubits). On three qubits
// the 42 placements of two to four cost a matrix of none of them 0.2 to
// 0.4 s (five would be 48 more); on four and five the ranks across the
// cuts of legs leave few of them, none for a generic matrix, the QFT, C3X
// or the increment (five gates on four qubits leave hundreds: 350 fits did
// not get through them).
constexpr int DVOJQ_NAJVIAC = 4;
// Starts and evaluations of each fit: an exact placement of four gates
// (twelve CNOTs) fits within 30 evaluations from about one start in two,
// and the three starts found 31 of 32 matrices of three or four random
// two-qubit gates. On three qubits each start sweeps first, as every fit
// of the search there: 57 of 60 matrices of two to four random gates came
// back at 6, 9 and 12 CNOTs, as many as with 30 evaluations, and the call
// of a generic matrix takes 0.2 s less.
constexpr int DVOJQ_STARTY = 3;
constexpr int DVOJQ_VYHODNOTENI = 30;

// The circuit of an exact fit of the gates on the pairs bloky, each fitted
// as three CNOTs with their one-qubit gates: each gate's 4x4 unitary (its
// three CNOTs and the one-qubit gates after them) by the analytic synthesis
// of two qubits, the KAK decomposition with the fewest CNOTs it needs,
// after the fit's first layer.
TOBVOD zblokov(const TOBVOD& fit, int m, const std::vector<TPAR>& bloky) {
    TOBVOD o(m);
    o.faza = fit.faza;
    std::size_t i = 0;
    for (; i < fit.brany.size() && fit.brany[i].pocetk == 0; ++i) o.jednoq(fit.brany[i].ciel, matica2(fit.brany[i]));
    for (const TPAR& p : bloky) {
        // the gate on local qubits 1 (p[0], the more significant) and 2
        auto lokalny = [&p](int q) {
            if (q != p[0] && q != p[1]) throw ChybaBehu("Hladanie: brana mimo paru dvojqubitovej brany.");
            return static_cast<std::uint8_t>(q == p[0] ? 1 : 2);
        };
        std::vector<TGATE1> brana;
        int cnotov = 0;
        for (; i < fit.brany.size(); ++i) {
            TGATE1 g = fit.brany[i];
            if (g.pocetk == 1) {
                if (cnotov == 3) break;
                ++cnotov;
                g.kontroly[1] = lokalny(g.kontroly[1]);
            }
            g.ciel = lokalny(g.ciel);
            brana.push_back(g);
        }
        syntetizujvseob(zlozenie(brana, 2), {p[0], p[1]}, o);
    }
    return o;
}

// A circuit of few general two-qubit gates, as a circuit written in them
// (a layered ansatz, a simulator's gates) or one with several CNOTs in a
// row on a pair has: for B = 2 up to DVOJQ_NAJVIAC gates on pairs in turn
// (no pair twice in a row), every placement fitted with each gate as three
// CNOTs. B gates have at most 10 + 9B parameters on three qubits, below the
// 63 of a generic matrix up to five gates, so the fit is exact only for
// the matrix's own pairs (or a few equivalent ones), and the KAK
// decomposition of each fitted gate gives the CNOTs it needs: two random
// gates come to 6 CNOTs, where the search over CNOTs gave 7, 8 or 14, and
// random circuits of 7 and 8 CNOTs with two or three in a row on a pair to
// their own count instead of 14; four random gates on four qubits to 12
// instead of 61, on five to 12 instead of 255 to 283. The circuit with the
// fewest CNOTs of the first B with an exact placement is returned (the
// caller keeps it where it is shorter than what it has); B stops where
// B - 1 gates of three CNOTs and one of one would not be below menejnez,
// except that every B is tried below a circuit of more than LOKALNE_OD
// CNOTs, which the local search may have found: the gates of a random
// circuit need one to three CNOTs each (the local search brought one of 7
// CNOTs to 8, and four gates to 7). At most rozpocet fits.
TNAJDENA zdvojqubitovych(const TMAT& F, int m, int menejnez, long long rozpocet, THOD::time_point termin,
                         TBEH& beh, std::vector<std::string>& sprava) {
    TNAJDENA vysledok;
    const std::vector<TPAR> pary = vsetkypary(m);
    TVOLBYFITU vf = volbyfitu(m, DVOJQ_STARTY, termin, beh);
    if (m != 3) vf.maxvyhodnoteni = DVOJQ_VYHODNOTENI;
    long long fity = 0;
    // on five qubits also the cuts of legs, which the search leaves out
    // there (a third of a second, taken at the first placement that joins
    // every qubit): they leave a circuit of four gates its own placement
    // alone, a generic matrix none
    TREZY r = rezy(F, m);
    int najviac = 0;      // gates of every placement tried
    bool dost = false;    // the time or the budget is up
    bool spojene = false;  // a placement joined every qubit
    for (int B = 2; B <= DVOJQ_NAJVIAC && (3 * B - 2 < menejnez || menejnez > LOKALNE_OD) && !vysledok.ok && !dost;
         ++B) {
        // the placements of B pairs, no pair twice in a row, in the order
        // of an odometer; their fits computed ahead a batch at a time
        std::vector<std::size_t> i(static_cast<std::size_t>(B), 0);
        std::set<std::vector<TPAR>> videne;
        std::vector<std::vector<TPAR>> kandidati;
        for (bool dalsie = true; dalsie;) {
            std::vector<TPAR> bloky;
            bool opakuje = false;
            for (std::size_t j = 0; j < i.size(); ++j) {
                bloky.push_back(pary[i[j]]);
                if (j > 0 && i[j] == i[j - 1]) opakuje = true;
            }
            dalsie = false;
            for (std::size_t j = i.size(); j-- > 0;) {
                if (++i[j] < pary.size()) {
                    dalsie = true;
                    break;
                }
                i[j] = 0;
            }
            if (opakuje || chybajucespoje({}, bloky, m) > 0 || !videne.insert(normalna(bloky)).second) continue;
            if (m == 5 && !spojene) r.nohy = rezynoh(F, m);
            spojene = true;
            kandidati.push_back(std::move(bloky));
        }
        // each gate as three CNOTs
        auto cnoty = [](const std::vector<TPAR>& bloky) {
            std::vector<TPAR> s;
            for (const TPAR& p : bloky) s.insert(s.end(), 3, p);
            return s;
        };
        // the placements the ranks allow, decided when first needed (on five
        // qubits each decision takes a fraction of a millisecond)
        std::vector<signed char> dovolene(kandidati.size(), -1);
        auto dovolena = [&](std::size_t x) {
            if (dovolene[x] < 0) dovolene[x] = odhad(r, {}, cnoty(kandidati[x]), 0) == 0 ? 1 : 0;
            return dovolene[x] == 1;
        };
        TOBVOD najlepsi(m);
        std::vector<TPAR> najlepsie;
        const std::size_t davka = vopreddavka(beh);
        std::size_t vopreddo = 0;  // the candidates before it had their fits computed ahead
        for (std::size_t x = 0; x < kandidati.size(); ++x) {
            const std::vector<TPAR>& bloky = kandidati[x];
            if (!dovolena(x)) continue;
            if (THOD::now() >= termin || fity >= rozpocet) {
                dost = true;
                break;
            }
            if (vopredna(beh, m) && x >= vopreddo) {
                std::vector<TULOHA> ulohy;
                for (vopreddo = x; vopreddo < kandidati.size() && ulohy.size() < davka; ++vopreddo) {
                    if (!dovolena(vopreddo)) continue;
                    const std::vector<TPAR> t = cnoty(kandidati[vopreddo]);
                    ulohy.push_back(uloha(F, t, vf, odtlacok(t) ^ 0x5bd1e995u));
                }
                vopred(beh, m, std::move(ulohy));
            }
            const std::vector<TPAR> s = cnoty(bloky);
            vf.seed = odtlacok(s) ^ 0x5bd1e995u;
            const TFIT fit = fitujrataj(F, m, s, vf, beh, fity);
            if (!fit.presny) continue;
            TOBVOD o = zblokov(fit.obvod, m, bloky);
            if (vysledok.ok && o.pocetcnot >= najlepsi.pocetcnot) continue;
            vysledok.ok = true;
            najlepsi = std::move(o);
            najlepsie = bloky;
        }
        if (vysledok.ok) {
            sprava.push_back(vypln(vypln(vypln(vypln(texty::DVOJQSIET, "%k", std::to_string(B)), "%s",
                                               umiestnenie(najlepsie)),
                                         "%n", std::to_string(najlepsi.pocetcnot)),
                                   "%c", std::to_string(fity)));
            vysledok.obvod = std::move(najlepsi);
        } else if (!dost) {
            najviac = B;
        }
    }
    if (!vysledok.ok && spojene && najviac >= 2)
        sprava.push_back(
            vypln(vypln(texty::DVOJQZIADNA, "%k", std::to_string(najviac)), "%c", std::to_string(fity)));
    return vysledok;
}

// The search for a circuit of the factor F (local qubits 1..m) with at most
// najviac CNOTs, stopping at the first exact fit.
TNAJDENA hladajfaktor(const TMAT& F, int m, int najviac, long long rozpocet, THOD::time_point termin,
                      TBEH& beh, std::vector<std::string>& sprava) {
    TNAJDENA vysledok;
    const std::vector<TPAR> pary = vsetkypary(m);

    TMAT ciel = F;           // the target of the free part: F times the frozen prefix's inverse
    TOBVOD prefix(m);        // the frozen prefix
    std::vector<TPAR> pevne;  // its placement
    std::priority_queue<TUZOL, std::vector<TUZOL>, TPORADIE> otvorene;
    std::set<std::vector<TPAR>> videne;
    long long poradie = 0;
    long long fity = 0;
    int hlbkalog = 0;  // deepest count logged
    const std::size_t zmraz = zmrazod(m);

    TVOLBYFITU vf = volbyfitu(m, startyhladania(m), termin, beh);

    // A fit of the placement sv to the target ciel with the options vu,
    // counted in the budget.
    auto fituj = [&](const TMAT& cielfitu, const std::vector<TPAR>& sv, const TVOLBYFITU& vu) {
        return fitujrataj(cielfitu, m, sv, vu, beh, fity);
    };
    const TREZY r = rezy(F, m);
    const int zdola = odhad(r, {}, {});
    const int najmenej = std::max(zdola, 1);  // the fewest CNOTs a placement may have
    const long long celyrozpocet = rozpocet;  // before the stages below cut it
    // A circuit found by the search often holds the shortest one with one
    // CNOT left out (the search reached it through a longer placement):
    // every placement one CNOT shorter that still meets the bound is fitted
    // from a few starts, and again from each shorter circuit found. With a
    // budget many times the default (the most starts), then also every
    // placement two CNOTs shorter: a random 3-qubit circuit of 8 CNOTs came
    // back at 10 with its own placement inside.
    const int startyskratenia = startyzhustenia(m, celyrozpocet);
    const bool bezdvoch = startyskratenia >= MAXSTARTOV_ZHUSTENIA;
    auto zhusti = [&] {
        TVOLBYFITU vu = vf;
        vu.starty = startyskratenia;
        vu.zaciatok.clear();
        skrat(F, m, r, zdola, vu, bezdvoch, termin, beh, fity, texty::ZHUSTENIE, texty::ZHUSTENIE2, vysledok, sprava);
    };
    bool zvzoru = false;  // the result is a cascade's
    // The end with an exact circuit: logged, then shortened by one CNOT at
    // a time where it can be (a cascade's on five qubits is kept as it is:
    // each of its fits takes about a second). The cascade of four qubits
    // with the reversal loses a pair of its CNOTs so: the 4-qubit QFT
    // comes to 16 CNOTs.
    // An exact placement enters the open list at its count alone (its
    // distance is 0) and ends the search when it comes first: no open
    // placement is then expected to give a shorter circuit.
    auto najdena = [&] {
        sprava.push_back(vypln(vypln(vypln(texty::NAJDENA, "%n", std::to_string(vysledok.obvod.pocetcnot)), "%s",
                                     umiestnenie(vysledok.umiestnenie)),
                               "%c", std::to_string(fity)));
    };
    auto hotovo = [&] {
        najdena();
        if (!zvzoru || m <= 4) zhusti();
        return vysledok;
    };
    sprava.push_back(vypln(r.nohy.maska.empty() ? texty::HODNOSTI : texty::HODNOSTINOH, "%n", std::to_string(zdola)));

    // Shallow first: while few placements of L CNOTs meet the bound, every
    // one of them is fitted, for L = the bound upwards. On four qubits,
    // where the ranks across the cuts of legs single out a shallow
    // circuit's placement among a few, up to umiestnenina(m) times more
    // are enumerated than the fits left allow, and those nearest to the
    // matrix's ranks are fitted first; when even so many are too many, the
    // placements whose networks allow no higher rank than the matrix has
    // across any cut are fitted. This stage may take podielvsetkych(m) of
    // the fits, the rest of the search what is left of them.
    // On three qubits these stages take at most VSETKYM_3 fits, every start
    // of every placement of a count within what is left of them, the
    // growing search below at most RASTUCEMU_3 more, the local search the
    // rest.
    const bool lokalne3 = lokalnehladanie(m);
    if (lokalne3) rozpocet = std::min(rozpocet, VSETKYM_3);
    const long long prevsetky = static_cast<long long>(static_cast<double>(rozpocet) * podielvsetkych(m));
    // the ranks choose among placements (not when they are all the largest)
    const bool vyber = umiestnenina(m) > 1 && !r.nohy.plne;
    for (int L = najmenej; L <= najviac; ++L) {
        std::vector<std::vector<TPAR>> vsetky;
        // on three qubits every start of every placement must fit in the
        // fits left (the rest goes to the local search), on five in half
        // of them; on four only the first starts in all of them, and the
        // second go to the placements nearest to the matrix's ranks
        const long long nafit = std::max(
            0LL, (prevsetky - fity) / (umiestnenina(m) > 1 ? 1 : (lokalne3 ? 1 : 2) * startyvsetkych(m)));
        if (nafit == 0) break;
        const std::size_t strop = static_cast<std::size_t>(nafit * (vyber ? umiestnenina(m) : 1));
        bool presnehodnosti = false;
        if (!vsetkyumiestnenia(r, pary, L, strop, vsetky)) {
            vsetky.clear();
            if (!vyber || !vsetkyumiestnenia(r, pary, L, strop, vsetky, 0)) break;
            presnehodnosti = true;
        }
        if (vsetky.empty() && !presnehodnosti) {
            sprava.push_back(vypln(texty::ZIADNE, "%n", std::to_string(L)));
            continue;
        }
        std::vector<int> prebytky(vsetky.size(), 0);
        if (vyber && !presnehodnosti) {
            std::vector<std::pair<int, std::size_t>> poradie;
            for (std::size_t i = 0; i < vsetky.size(); ++i) poradie.push_back({prebytoknoh(r.nohy, vsetky[i]), i});
            std::stable_sort(poradie.begin(), poradie.end(),
                             [](const auto& x, const auto& y) { return x.first < y.first; });
            std::vector<std::vector<TPAR>> zoradene;
            for (std::size_t j = 0; j < poradie.size(); ++j) {
                prebytky[j] = poradie[j].first;
                zoradene.push_back(std::move(vsetky[poradie[j].second]));
            }
            vsetky = std::move(zoradene);
        }
        std::size_t fitovane = std::min(vsetky.size(), static_cast<std::size_t>(nafit));
        // Of a level too large to fit whole, only the placements whose
        // networks have the matrix's ranks exactly: a circuit of generic
        // gates has them. When there are none, the few nearest, as long as
        // they exceed the ranks by little: a circuit between gates of H, S
        // and T exceeds them by 4 to 20, and its own placement is among
        // the 7 nearest of 1,000 to 7,000 on two of four seeds. Else the
        // matrix is no shallow circuit, and the stage ends (the 4-qubit
        // Fourier transform's nearest placements of 6 CNOTs exceed its
        // ranks by 35).
        if (fitovane < vsetky.size() || presnehodnosti) {
            const std::size_t vsetkych = fitovane;
            fitovane = static_cast<std::size_t>(
                std::find_if(prebytky.begin(), prebytky.begin() + static_cast<std::ptrdiff_t>(fitovane),
                             [](int p) { return p > 0; }) -
                prebytky.begin());
            if (fitovane == 0 && !prebytky.empty() && prebytky.front() <= PREBYTOK_NAJBLIZSICH)
                fitovane = std::min(vsetkych, NAJBLIZSICH);
            if (fitovane == 0) {
                sprava.push_back(vypln(texty::ZIADNESHODNOSTAMI, "%n", std::to_string(L)));
                break;
            }
        }
        // one start of each in turn: an exact placement that one start
        // misses is fitted again only after every other has had its first;
        // a group of few nearest gets more starts (a placement of a random
        // 4-qubit circuit of 6 CNOTs, alone in meeting every cut, fitted
        // from 26 starts in 40); on three and five qubits all starts of a
        // placement in one fit
        int priechody = 1;
        TVOLBYFITU vu = vf;
        vu.starty = startyvsetkych(m);
        if (umiestnenina(m) > 1) {
            const auto skupina = std::count(prebytky.begin(), prebytky.end(), prebytky[0]);
            priechody = std::max<int>(vu.starty,
                                      std::min<int>(STARTY_MALEJ_SKUPINY, STARTY_MALEJ_SKUPINY * 2 / skupina));
            vu.starty = 1;
        }
        for (int start = 0; start < priechody; ++start)
            for (std::size_t i = 0; i < fitovane; ++i) {
                if (THOD::now() >= termin) break;
                if (start > 0 && (prebytky[i] > prebytky[0] || fity >= prevsetky)) break;
                // those the conditions above would still let through
                vopreddavky(beh, m, i, fitovane, [&](std::size_t j, std::vector<TULOHA>& ulohy) {
                    if (start > 0 && (prebytky[j] > prebytky[0] ||
                                      fity + static_cast<long long>(ulohy.size()) * vu.starty >= prevsetky))
                        return false;
                    ulohy.push_back(uloha(F, vsetky[j], vu, odtlacok(vsetky[j]) + static_cast<std::uint64_t>(start)));
                    return true;
                });
                const std::vector<TPAR>& sv = vsetky[i];
                vu.seed = odtlacok(sv) + static_cast<std::uint64_t>(start);
                TFIT fit = fituj(F, sv, vu);
                if (fit.presny) {
                    vysledok.ok = true;
                    vysledok.obvod = std::move(fit.obvod);
                    vysledok.umiestnenie = sv;
                    return hotovo();
                }
            }
        const char* t = presnehodnosti             ? texty::SHODNOSTAMI
                        : fitovane < vsetky.size() ? texty::NAJBLIZSIE
                                                   : texty::VSETKY;
        sprava.push_back(vypln(vypln(vypln(t, "%k", std::to_string(fitovane)), "%n", std::to_string(L)), "%c",
                               std::to_string(vsetky.size())));
        if (THOD::now() >= termin) break;
    }
    long long lokalnym = 0;
    if (lokalne3) {
        rozpocet = std::min(celyrozpocet, fity + RASTUCEMU_3);
        lokalnym = celyrozpocet - rozpocet;
    }
    const long long zvysne = rozpocet - prevsetky;  // fits kept for the rest
    if (zvysne > 0 && rozpocet > fity + zvysne) {
        rozpocet = fity + zvysne;
        beh.rozpocet = rozpocet;
    }

    // The cascade of controlled rotations (two CNOTs on every pair, each
    // qubit with all later ones), in either order, alone or with the order
    // of the qubits reversed before or after it: the Fourier transform,
    // phase estimation and their inverses. The reversal is not fitted: the
    // cascade is fitted to the matrix with its qubits reversed, and the
    // swaps are appended as three CNOTs each.
    // One start of each cascade in turn, so that a time limit leaves none
    // of them untried.
    // A cascade's circuit does not end the search below as one of its own
    // would: the open placements' priorities say nothing of it.
    // A cascade's circuit found after f fits of this factor (those of every
    // placement of few CNOTs left out) leaves max(f, povzorefitov(m)) more
    // for a shorter one on four and five qubits (on three the fit budget
    // ends the search within a second anyway). Counted in fits, not
    // seconds, so that the same matrix gives the same circuit on every run;
    // a small f does not end the search before it has looked: a shallow
    // circuit fits a cascade as well.
    THOD::time_point odvzoru{};
    long long fityvzoru = 0;
    bool skratene = false;  // the budget was cut so
    const long long fitypredvzormi = fity;
    auto skrat = [&] {
        odvzoru = THOD::now();
        fityvzoru = fity;
        const long long dalsie = std::max(fity - fitypredvzormi, povzorefitov(m));
        if (m >= 4 && fity + dalsie < rozpocet) {
            rozpocet = fity + dalsie;
            beh.rozpocet = rozpocet;
            skratene = true;
        }
    };
    // The end when the fit budget is spent: the cascade's circuit when the
    // budget after it ran out, else whatever exact circuit there is.
    auto porozpocte = [&] {
        if (zvzoru && skratene) {
            const double s = std::chrono::duration<double>(THOD::now() - odvzoru).count();
            sprava.push_back(vypln(vypln(vypln(texty::KRATSIA, "%x", cislo(s)), "%n", std::to_string(fity - fityvzoru)),
                                   "%c", std::to_string(vysledok.obvod.pocetcnot)));
        }
        if (vysledok.ok) return hotovo();
        sprava.push_back(vypln(vypln(texty::ROZPOCET, "%n", std::to_string(fity)), "%c", std::to_string(najviac)));
        return vysledok;
    };
    // The end at the time limit with whatever exact circuit there is
    // (logged unless ohlasena says it is).
    auto polimite = [&](bool ohlasena = false) {
        sprava.push_back(vypln(vypln(texty::LIMIT, "%x", cislo(beh.limit)), "%n", std::to_string(fity)));
        return vysledok.ok && !ohlasena ? hotovo() : vysledok;
    };
    // The local search over placements of a fixed count, with the fits
    // left to it: when the search above found nothing, from a random
    // placement of najviac CNOTs; when it found a circuit of more than
    // LOKALNE_OD CNOTs, from the nearest placement without one of them.
    // From there the substitution of one pair
    // whose fit comes closest is taken as long as one comes closer; at a
    // local minimum two random substitutions of the best placement so far
    // start it again. A placement met again gets another start of its fit,
    // up to LOKALNE_STARTY. An exact placement found, the search goes on one
    // CNOT lower from the nearest placement without one of its CNOTs (from
    // another one each time a count is given up after LOKALNE_NA_UROVEN
    // fits).
    struct TPOZNANE {
        double vzdialenost = std::numeric_limits<double>::infinity();
        int starty = 0;
        bool presny = false;
        TOBVOD obvod{0};
    };
    std::map<std::vector<TPAR>, TPOZNANE> poznane;
    std::uint64_t nahoda = 0x6c6f6b616c6e65ULL;
    auto nahodne = [&](std::size_t n) { return static_cast<std::size_t>(splitmix(nahoda) % n); };
    long long pohlady = 0;
    auto dost = [&] {
        return fity >= rozpocet || THOD::now() >= termin || pohlady > LOKALNE_POHLADY * rozpocet;
    };
    // The fit blizkost makes of s after starty starts of it so far: one
    // start, random, seeded from the placement and that count.
    TVOLBYFITU jedenstart = vf;
    jedenstart.starty = 1;
    jedenstart.zaciatok.clear();
    auto ulohablizkosti = [&](const std::vector<TPAR>& s, int starty) {
        return uloha(F, s, jedenstart, odtlacok(s) + static_cast<std::uint64_t>(starty));
    };
    // The fit blizkost would make of s now (none when it would make none),
    // into ulohy unless already there.
    auto vopredblizkosti = [&](const std::vector<TPAR>& s, std::vector<TULOHA>& ulohy) {
        if (odhad(r, {}, s, 0) > 0) return;
        const auto z = poznane.find(s);
        const int starty = z == poznane.end() ? 0 : z->second.starty;
        if (z != poznane.end() && (z->second.presny || starty >= LOKALNE_STARTY)) return;
        for (const auto& u : ulohy)
            if (u.s == s) return;
        ulohy.push_back(ulohablizkosti(s, starty));
    };
    auto blizkost = [&](const std::vector<TPAR>& s) {
        ++pohlady;
        if (odhad(r, {}, s, 0) > 0) return std::numeric_limits<double>::infinity();
        TPOZNANE& z = poznane[s];
        if (z.presny) return 0.0;
        if (z.starty >= LOKALNE_STARTY) return z.vzdialenost;
        const TULOHA u = ulohablizkosti(s, z.starty);
        TFIT fit = fituj(F, s, u.v);
        ++z.starty;
        if (fit.presny) {
            z.presny = true;
            z.obvod = std::move(fit.obvod);
            return 0.0;
        }
        z.vzdialenost = std::min(z.vzdialenost, fit.vzdialenost);
        return z.vzdialenost;
    };
    // An exact placement of cur's count reached from cur within dalsich fits
    // into presna.
    auto uroven = [&](std::vector<TPAR> cur, long long dalsich, std::vector<TPAR>& presna) {
        const long long koniec = fity + dalsich;
        double dc = blizkost(cur);
        std::vector<TPAR> naj = cur;
        double dn = dc;
        std::vector<std::pair<std::size_t, std::size_t>> tahy;
        while (fity < koniec && !dost()) {
            while (dc > 0 && fity < koniec && !dost()) {
                tahy.clear();
                for (std::size_t i = 0; i < cur.size(); ++i)
                    for (std::size_t j = 0; j < pary.size(); ++j)
                        if (pary[j] != cur[i]) tahy.push_back({i, j});
                for (std::size_t i = tahy.size(); i > 1; --i) std::swap(tahy[i - 1], tahy[nahodne(i)]);
                std::vector<TPAR> lepsia;
                double dl = std::numeric_limits<double>::infinity();
                for (std::size_t x = 0; x < tahy.size(); ++x) {
                    vopreddavky(beh, m, x, tahy.size(), [&](std::size_t y, std::vector<TULOHA>& ulohy) {
                        std::vector<TPAR> t = cur;
                        t[tahy[y].first] = pary[tahy[y].second];
                        vopredblizkosti(t, ulohy);
                        return true;
                    });
                    const auto [i, j] = tahy[x];
                    std::vector<TPAR> t = cur;
                    t[i] = pary[j];
                    const double d = blizkost(t);
                    if (d < dl) {
                        dl = d;
                        lepsia = std::move(t);
                    }
                    if (d == 0 || dost()) break;
                }
                if (!(dl < dc)) break;
                cur = std::move(lepsia);
                dc = dl;
            }
            if (dc < dn) {
                dn = dc;
                naj = cur;
            }
            if (dn == 0) {
                presna = naj;
                return true;
            }
            cur = naj;
            for (int t = 0; t < LOKALNE_KOPNUTIE; ++t) {
                TPAR& c = cur[nahodne(cur.size())];
                const TPAR predtym = c;
                while (c == predtym) c = pary[nahodne(pary.size())];
            }
            dc = blizkost(cur);
        }
        return false;
    };
    // The nearest placement without one of the CNOTs of presna (empty when
    // the fits ran out first).
    auto blizsiabez = [&](const std::vector<TPAR>& presna) {
        std::vector<TPAR> cur;
        double dn = 0;
        for (std::size_t i = 0; i < presna.size() && !dost(); ++i) {
            vopreddavky(beh, m, i, presna.size(), [&](std::size_t j, std::vector<TULOHA>& ulohy) {
                vopredblizkosti(bezcnotu(presna, j), ulohy);
                return true;
            });
            std::vector<TPAR> t = bezcnotu(presna, i);
            const double d = blizkost(t);
            if (cur.empty() || d < dn) {
                dn = d;
                cur = std::move(t);
            }
        }
        return cur;
    };
    auto lokalne = [&] {
        rozpocet += lokalnym;
        const int odkial = std::max(najmenej, LOKALNE_OD);
        // a circuit the growing search found is shortened from its placement
        const bool odnajdenej =
            vysledok.ok && !zvzoru && vysledok.umiestnenie.size() > static_cast<std::size_t>(odkial);
        if (lokalnym == 0 || (vysledok.ok && !odnajdenej) || najviac < odkial || dost()) return porozpocte();
        std::vector<TPAR> cur(static_cast<std::size_t>(najviac)), presna, posledna;
        if (odnajdenej) {
            najdena();
            posledna = vysledok.umiestnenie;
            cur = blizsiabez(posledna);
        } else {
            for (TPAR& p : cur) p = pary[nahodne(pary.size())];
        }
        sprava.push_back(vypln(vypln(texty::LOKALNE, "%c", std::to_string(fity)), "%n", std::to_string(najviac)));
        while (!dost() && !cur.empty()) {
            // the first count until the budget ends, each lower one for LOKALNE_NA_UROVEN fits at a time
            if (uroven(cur, posledna.empty() ? rozpocet : LOKALNE_NA_UROVEN, presna)) {
                vysledok.ok = true;
                vysledok.obvod = poznane[presna].obvod;
                vysledok.umiestnenie = presna;
                najviac = static_cast<int>(presna.size()) - 1;
                sprava.push_back(vypln(vypln(vypln(texty::LOKALNA, "%n", std::to_string(presna.size())), "%s",
                                             umiestnenie(presna)),
                                       "%c", std::to_string(fity)));
                if (najviac < najmenej) break;
                posledna = presna;
                cur = blizsiabez(presna);
            } else if (!posledna.empty()) {
                cur = bezcnotu(posledna, nahodne(posledna.size()));
            }
        }
        // every exact circuit of the local search is logged as it is found
        if (THOD::now() >= termin) return polimite(true);
        if (!vysledok.ok) return porozpocte();
        zhusti();
        return vysledok;
    };
    const std::vector<TVZOR> vz = vzory(m);
    const TMAT P = obratenie(m);
    THOD::time_point terminvzorov =
        THOD::now() + std::chrono::duration_cast<THOD::duration>((termin - THOD::now()) * PODIEL_VZOROV);
    std::vector<double> najblizsie(vz.size(), -1.0);  // < 0: not tried
    // the target of a cascade (the reversal's permutation taken off) and
    // the options of its start
    const std::array<TMAT, 3> cielevzorov = {F, P * F, F * P};
    auto skusavzor = [&](const TVZOR& v) {
        return !(v.pocet > najviac || v.pocet < zdola || fity >= rozpocet || THOD::now() >= terminvzorov);
    };
    auto volbyvzoru = [&](const TVZOR& v, int start) {
        TVOLBYFITU vu = vf;
        vu.starty = 1;
        vu.termin = terminvzorov;
        vu.maxvyhodnoteni = 0;  // a long fit may converge slowly
        vu.zametania = 0;
        vu.vzdatpo = VZOR_VZDAT_PO;
        vu.vzdatnad = VZOR_VZDAT_NAD;
        // every other start near the identity, where the gates of a
        // transform's circuit lie (12 in 16 such starts fit the 5-qubit
        // Fourier transform, 6 in 16 random ones)
        vu.blizkojednotky = start % 2 == 0 ? VZOR_BLIZKO : 0.0;
        vu.seed = odtlacok(v.kaskada) + static_cast<std::uint64_t>(4 * start + v.obrat);
        return vu;
    };
    for (int start = 0; start < startyvzoru(m); ++start) {
        // one start of every cascade at once
        std::vector<TULOHA> ulohy;
        for (const TVZOR& v : vz)
            if (skusavzor(v))
                ulohy.push_back({&cielevzorov[static_cast<std::size_t>(v.obrat)], v.kaskada, volbyvzoru(v, start)});
        vopred(beh, m, std::move(ulohy));
        for (std::size_t iv = 0; iv < vz.size(); ++iv) {
            const TVZOR& v = vz[iv];
            if (!skusavzor(v)) continue;
            const TFIT fit = fituj(cielevzorov[static_cast<std::size_t>(v.obrat)], v.kaskada, volbyvzoru(v, start));
            if (!fit.presny) {
                if (najblizsie[iv] < 0 || fit.vzdialenost < najblizsie[iv]) najblizsie[iv] = fit.vzdialenost;
                continue;
            }
            najblizsie[iv] = -1.0;
            TOBVOD o(m);
            std::vector<TPAR> cele;
            auto vymeny = [&] {
                for (int i = 1; i <= m / 2; ++i) {
                    o.cnot(i, m + 1 - i);
                    o.cnot(m + 1 - i, i);
                    o.cnot(i, m + 1 - i);
                    cele.insert(cele.end(), 3, TPAR{i, m + 1 - i});
                }
            };
            if (v.obrat == 2) vymeny();
            o.brany.insert(o.brany.end(), fit.obvod.brany.begin(), fit.obvod.brany.end());
            o.pocetcnot += fit.obvod.pocetcnot;
            cele.insert(cele.end(), v.kaskada.begin(), v.kaskada.end());
            if (v.obrat == 1) vymeny();
            vysledok.ok = true;
            vysledok.obvod = std::move(o);
            vysledok.umiestnenie = std::move(cele);
            najviac = v.pocet - 1;
            if (!zvzoru) skrat();
            zvzoru = true;
        }
    }
    for (std::size_t iv = 0; iv < vz.size(); ++iv)
        if (najblizsie[iv] >= 0)
            sprava.push_back(vypln(vypln(vypln(texty::VZOR, "%s", vz[iv].meno), "%n", std::to_string(vz[iv].pocet)),
                                   "%x", cislo(najblizsie[iv])));

    otvorene.push(TUZOL{static_cast<double>(chybajucespoje({}, {}, m)), 0, poradie++, {}, 1.0, TOBVOD(m)});
    while (!otvorene.empty()) {
        if (fity >= rozpocet) return lokalne();
        if (THOD::now() >= termin) return polimite();
        if (vysledok.ok && !zvzoru && otvorene.top().f >= vysledok.obvod.pocetcnot) return lokalne();
        TUZOL u = otvorene.top();
        otvorene.pop();
        const int pocet = static_cast<int>(pevne.size() + u.volne.size());
        // a child has one CNOT more and joins at most one more pair of components
        if (pocet + std::max(1, odhad(r, pevne, u.volne, najviac - pocet)) > najviac) continue;
        if (pocet > hlbkalog) {
            hlbkalog = pocet;
            std::vector<TPAR> cela = pevne;
            cela.insert(cela.end(), u.volne.begin(), u.volne.end());
            sprava.push_back(vypln(vypln(vypln(texty::HLBKA, "%n", std::to_string(pocet)), "%s", umiestnenie(cela)),
                                   "%x", cislo(u.vzdialenost)));
        }

        if (u.volne.size() >= zmraz) {
            // freeze the first half of the free part with its fitted gates
            const std::size_t polovica = u.volne.size() / 2;
            std::size_t rez = 0, cnotov = 0;
            while (rez < u.obvod.brany.size()) {
                if (u.obvod.brany[rez].pocetk == 1) {
                    if (cnotov == polovica) break;
                    ++cnotov;
                }
                ++rez;
            }
            const std::vector<TGATE1> cast(u.obvod.brany.begin(), u.obvod.brany.begin() + static_cast<std::ptrdiff_t>(rez));
            ciel = ciel * zlozenie(cast, m).adjoint();
            prefix.brany.insert(prefix.brany.end(), cast.begin(), cast.end());
            prefix.pocetcnot += static_cast<int>(polovica);
            pevne.insert(pevne.end(), u.volne.begin(), u.volne.begin() + static_cast<std::ptrdiff_t>(polovica));
            sprava.push_back(vypln(vypln(texty::ZMRAZENIE, "%n", std::to_string(pevne.size())), "%s", umiestnenie(pevne)));
            std::vector<TPAR> zvysok(u.volne.begin() + static_cast<std::ptrdiff_t>(polovica), u.volne.end());
            otvorene = {};
            videne.clear();
            u.volne = std::move(zvysok);
            u.obvod = TOBVOD(m);
        }

        // the children not pruned, their fits computed ahead together
        const int k = pocet + 1;
        std::vector<std::vector<TPAR>> deti;
        for (const TPAR& p : pary) {
            std::vector<TPAR> s = u.volne;
            // a fourth CNOT in a row on one pair adds nothing to the three before
            if (s.size() >= 3 && s[s.size() - 1] == p && s[s.size() - 2] == p && s[s.size() - 3] == p) continue;
            s.push_back(p);
            // the bound prunes; the order is led by the components to join
            // and the distance alone, which keeps the search broad enough
            // near the root
            if (k + odhad(r, pevne, s, najviac - k) > najviac) continue;
            if (!videne.insert(normalna(s)).second) continue;
            deti.push_back(std::move(s));
        }
        // the parent's fitted gates, the new CNOT's two at random
        vf.zaciatok = jednoqbrany(u.obvod);
        {
            std::vector<TULOHA> ulohy;
            for (const std::vector<TPAR>& s : deti) {
                ulohy.push_back(uloha(ciel, s, vf, odtlacok(s)));
            }
            vopred(beh, m, std::move(ulohy));
        }
        for (std::vector<TPAR>& s : deti) {
            const int spoje = chybajucespoje(pevne, s, m);
            vf.seed = odtlacok(s);
            TFIT fit = fituj(ciel, s, vf);
            if (fit.presny) {
                TOBVOD o = prefix;
                o.brany.insert(o.brany.end(), fit.obvod.brany.begin(), fit.obvod.brany.end());
                o.pocetcnot += fit.obvod.pocetcnot;
                std::vector<TPAR> cela = pevne;
                cela.insert(cela.end(), s.begin(), s.end());
                vysledok.ok = true;
                vysledok.obvod = std::move(o);
                vysledok.umiestnenie = std::move(cela);
                najviac = k - 1;
                zvzoru = false;
                if (otvorene.empty() || otvorene.top().f >= k) return lokalne();
                break;
            }
            if (THOD::now() >= termin) break;
            otvorene.push(TUZOL{priorita(k, spoje, fit.vzdialenost, vaha(m)), k, poradie++, std::move(s),
                                fit.vzdialenost, std::move(fit.obvod)});
        }
    }
    if (THOD::now() >= termin) return polimite();
    return lokalne();
}

// One factor of two or more qubits into obvod.
void faktor(const TFAKTOR& f, int pocetfaktorov, int poradiefaktora, const TVOLBYHLADANIA& volby, TBEH& beh,
            TOBVOD& obvod, std::vector<std::string>& sprava) {
    const int m = static_cast<int>(f.qubity.size());
    const std::string kde = zoznam(f.qubity);
    beh.od = static_cast<double>(poradiefaktora) / pocetfaktorov;
    beh.do_ = static_cast<double>(poradiefaktora + 1) / pocetfaktorov;
    beh.fity = 0;
    const TANALYTICKY an = analyticky(f.U, m);
    if (an.ramec == 1) sprava.push_back(vypln(texty::MEDZIVRSTVAMI, "%q", kde));
    if (an.ramec == 2)
        sprava.push_back(vypln(vypln(texty::MEDZICNOT, "%q", kde), "%s",
                               std::to_string(an.cnot[0]) + "," + std::to_string(an.cnot[1])));
    if (an.ramec == 3)
        sprava.push_back(vypln(vypln(texty::PERMUTACIA, "%q", kde), "%k", std::to_string(an.pocetmct)));
    if (an.ramec == 4)
        sprava.push_back(vypln(vypln(texty::CLIFFORD, "%q", kde), "%n", std::to_string(an.obvod.pocetcnot)));
    const TOBVOD& analyt = an.obvod;
    if (m == 2) {
        sprava.push_back(vypln(vypln(texty::DVOJQ, "%q", kde), "%n", std::to_string(analyt.pocetcnot)));
        premapuj(analyt, f.qubity, obvod);
        return;
    }
    const long long rozpocet = volby.maxfitov > 0 ? volby.maxfitov : rozpocetfitov(m, beh.limit);
    beh.rozpocet = rozpocet;
    const THOD::time_point teraz = THOD::now();
    const THOD::time_point termin =
        teraz + std::chrono::duration_cast<THOD::duration>((beh.koniec - teraz) * podielcasu(m));
    auto presny = [&](const TOBVOD& o) {
        return (zlozenie(o.brany, m) - f.U).cwiseAbs().maxCoeff() <= PRESNOST_SIETE;
    };
    // the circuit of a controlled swap, a permutation or a Clifford one CNOT
    // shorter (a diagonal's between layers is as short as the diagonal's: no
    // fit beat a Toffoli's or C3X's; on five qubits each fit takes about a
    // second)
    TNAJDENA kratsi;
    if (an.ramec >= 2 && m <= 4) {
        kratsi = skratena(f.U, m, analyt, texty::SKRATENA, termin, beh, sprava);
        if (kratsi.ok && !presny(kratsi.obvod)) kratsi.ok = false;
    }
    const int znama = kratsi.ok ? kratsi.obvod.pocetcnot : analyt.pocetcnot;
    // the generic numerical circuit reaches the lower bound on three and four qubits
    const int genericka = m <= 4 ? dolnahranica(m) : std::numeric_limits<int>::max();
    const int horna = std::min(znama, genericka);
    const int najviac = std::min(horna - 1, maxhlbka(m));
    TNAJDENA n;
    if (najviac >= 0) {
        sprava.push_back(vypln(vypln(vypln(texty::ZACIATOK, "%q", kde), "%n", std::to_string(analyt.pocetcnot)),
                               "%c", std::to_string(najviac)));
        n = hladajfaktor(f.U, m, najviac, rozpocet, termin, beh, sprava);
    }
    const bool najdena = n.ok && presny(n.obvod);
    // a few general two-qubit gates, shorter than what the search found,
    // then one CNOT less at a time
    {
        const int doteraz = najdena ? n.obvod.pocetcnot : std::min(znama, genericka);
        TNAJDENA d = zdvojqubitovych(f.U, m, doteraz, rozpocet, beh.koniec, beh, sprava);
        if (d.ok && presny(d.obvod) && d.obvod.pocetcnot < doteraz) {
            TNAJDENA s = skratena(f.U, m, d.obvod, texty::DVOJQSKRATENA, beh.koniec, beh, sprava);
            const TOBVOD& o = s.ok && presny(s.obvod) ? s.obvod : d.obvod;
            sprava.push_back(vypln(texty::DVOJQPONECHANA, "%n", std::to_string(o.pocetcnot)));
            premapuj(o, f.qubity, obvod);
            return;
        }
    }
    if (najdena) {
        premapuj(n.obvod, f.qubity, obvod);
        return;
    }
    // the generic circuit has at least the lower bound's CNOTs (on five
    // qubits mostly more)
    if (m >= 3 && dolnahranica(m) < znama) {
        const TOBVOD g = generickynumericky(f.U, m, beh.koniec, [&beh] { beh.tik(); });
        if (g.pocetcnot < znama && presny(g)) {
            sprava.push_back(vypln(texty::GENERICKA, "%n", std::to_string(g.pocetcnot)));
            premapuj(g, f.qubity, obvod);
            return;
        }
    }
    if (kratsi.ok) {
        sprava.push_back(vypln(texty::SKRATENAPONECHANA, "%n", std::to_string(znama)));
        premapuj(kratsi.obvod, f.qubity, obvod);
        return;
    }
    sprava.push_back(vypln(texty::ANALYTICKA, "%n", std::to_string(analyt.pocetcnot)));
    premapuj(analyt, f.qubity, obvod);
}

}  // namespace

TSYNTEZA hladaj(const TMATICA1& U, int pocetq, const TVOLBYHLADANIA& volby) {
    // a count outside 2..5 is refused by the entry with its own message
    if (pocetq < 2 || pocetq > 5) return hladaj(TPRESNA{}, pocetq, volby);
    return hladaj(presnazmatice(U, 1 << pocetq), pocetq, volby);
}

TSYNTEZA hladaj(const TPRESNA& U, int pocetq, const TVOLBYHLADANIA& volby) {
    TSYNTEZA vysledok;
    const TMAT A = vstupsyntezy(U, pocetq, volby.tolerancia, vysledok.sprava);
    if (!(volby.casovylimit >= 0.0) || !std::isfinite(volby.casovylimit))
        throw ChybaBehu("Hladanie: casovy limit " + cislo(volby.casovylimit) + " s nie je nezaporne cislo.");
    if (volby.vlakna < 0)
        throw ChybaBehu("Hladanie: pocet vlakien " + std::to_string(volby.vlakna) + " nie je nezaporne cislo.");

    TBEH beh;
    beh.start = THOD::now();
    beh.posledne = beh.start;
    beh.limit = volby.casovylimit > 0.0 ? volby.casovylimit : HLADANIE_LIMIT;
    beh.koniec = beh.start + std::chrono::duration_cast<THOD::duration>(std::chrono::duration<double>(beh.limit));
    beh.priebeh = &volby.priebeh;
    beh.pocetvlakien = volby.vlakna > 0 ? std::min(volby.vlakna, 64) : pocetvlakien();
    beh.tik(true);

    TOBVOD obvod(pocetq);
    std::vector<int> qubity;
    for (int q = 1; q <= pocetq; ++q) qubity.push_back(q);
    TKOMP c;
    if (skalarna(A, c)) {
        if (std::fabs(c.real() - 1.0) <= JEDNOTKA_NULA && std::fabs(c.imag()) <= JEDNOTKA_NULA) {
            vysledok.sprava.push_back(texty::JEDNOTKOVA);
        } else {
            vysledok.sprava.push_back(texty::SKALARNA);
            obvod.jednoq(1, c * TMAT2::Identity());
        }
    } else {
        const std::vector<TFAKTOR> faktory = kroneckerfaktory(A, qubity);
        if (faktory.size() > 1) {
            std::string s;
            for (const TFAKTOR& f : faktory) s += " {" + zoznam(f.qubity) + "}";
            vysledok.sprava.push_back(vypln(texty::KRONECKER, "%q", s));
        }
        int viac = 0;
        for (const TFAKTOR& f : faktory)
            if (f.qubity.size() > 1) ++viac;
        int i = 0;
        for (const TFAKTOR& f : faktory) {
            if (f.qubity.size() == 1)
                obvod.jednoq(f.qubity[0], f.U);
            else
                faktor(f, viac, i++, volby, beh, obvod, vysledok.sprava);
        }
    }

    // a phase the store needed to keep small parts of gates goes back
    vyrovnajfazu(obvod.brany, obvod.faza);
    obvod.faza = 0.0;
    // the last guard: the whole circuit against the input, else block-ZXZ
    const double odchylka = (zlozenie(obvod.brany, pocetq) - A).cwiseAbs().maxCoeff();
    if (!(odchylka <= PRESNOST_SIETE)) {
        TSYNTEZA z = syntetizuj(U, pocetq, volby.tolerancia);
        vysledok.sprava.push_back(
            vypln(vypln(texty::NEPRESNA, "%x", cislo(odchylka)), "%n", std::to_string(z.pocetcnot)));
        vysledok.sprava.insert(vysledok.sprava.end(), z.sprava.begin(), z.sprava.end());
        vysledok.brany = std::move(z.brany);
        vysledok.pocetcnot = z.pocetcnot;
        return vysledok;
    }

    const std::size_t pred = obvod.brany.size();
    vysledok.pocetcnot = zjednodus(obvod.brany, pocetq);
    if (obvod.brany.size() < pred)
        vysledok.sprava.push_back(vypln(texty::ZJEDNODUSENIE, "%n", std::to_string(pred - obvod.brany.size())));
    vysledok.sprava.push_back(vypln(vypln(texty::VYSLEDOK, "%n", std::to_string(obvod.brany.size())), "%c",
                                    std::to_string(vysledok.pocetcnot)));
    vysledok.brany = std::move(obvod.brany);
    if (volby.priebeh) volby.priebeh(1.0);
    return vysledok;
}

}  // namespace qlc::synteza
