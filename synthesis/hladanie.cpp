#include "hladanie.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <queue>
#include <set>
#include <string>
#include <vector>

#include "core/chyby.h"
#include "instancia.h"
#include "obvod.h"
#include "spravy.h"
#include "struktura.h"
#include "tolerancie.h"
#include "vstup.h"
#include "zjednodus.h"
#include "zxz.h"

namespace qlc::synteza {

namespace {

using TKOMP = std::complex<double>;
using TPAR = std::array<int, 2>;  // qubits a < b of a CNOT, control a

// Every line the search writes to the log; %q stands for qubits, %s for a
// placement, %x for a number, %n and %c for counts.
namespace texty {
constexpr const char* JEDNOTKOVA = "Hladanie: matica je jednotkova, ziadna brana.";
constexpr const char* SKALARNA = "Hladanie: matica je skalarna (globalna faza), jedna brana.";
constexpr const char* KRONECKER = "Hladanie: Kroneckerov rozklad na faktory na qubitoch%q.";
constexpr const char* DVOJQ = "Hladanie: faktor na qubitoch %q, rozklad KAK (%n CNOT).";
constexpr const char* ZACIATOK =
    "Hladanie: faktor na qubitoch %q, analyticky rozklad dava %n CNOT, hlada sa siet s najviac %c CNOT.";
constexpr const char* HLBKA = "Hladanie: %n CNOT, najblizsie umiestnenie %s, vzdialenost %x.";
constexpr const char* ZMRAZENIE = "Hladanie: zaciatok siete s %n CNOT %s je odteraz pevny.";
constexpr const char* NAJDENA = "Hladanie: presna siet s %n CNOT, umiestnenie %s (%c fitov).";
constexpr const char* ROZPOCET = "Hladanie: po %n fitoch ziadna presna siet s najviac %c CNOT.";
constexpr const char* LIMIT =
    "Hladanie: casovy limit %x s vyprsal po %n fitoch, ponechava sa najkratsia presna siet.";
constexpr const char* GENERICKA = "Hladanie: genericka numericka siet s %n CNOT.";
constexpr const char* ANALYTICKA = "Hladanie: ponechany analyticky rozklad s %n CNOT.";
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

// Fits a search may make (the deterministic end of a search).
long long rozpocetfitov(int m) { return m <= 3 ? 300 : m == 4 ? 120 : 60; }
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
// Part of the remaining time the search of a factor may take before the
// generic circuit is built.
double podielcasu(int m) { return m <= 3 ? 0.8 : m == 4 ? 0.6 : 0.5; }

// ---- time and progress ---------------------------------------------------------

using THOD = std::chrono::steady_clock;

struct TBEH {
    THOD::time_point start;
    THOD::time_point koniec;  // the time limit of the whole call
    double limit = 0;
    const std::function<void(double)>* priebeh = nullptr;
    THOD::time_point posledne;
    // the part of the work done by fits: od + (do_ - od) * fity / rozpocet
    double od = 0, do_ = 1;
    long long fity = 0, rozpocet = 1;

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

TMAT2 matica2(const TGATE1& g) {
    TMAT2 m;
    m << TKOMP(g.U.u11().re, g.U.u11().im), TKOMP(g.U.u12().re, g.U.u12().im),
        TKOMP(g.U.u21().re, g.U.u21().im), TKOMP(g.U.u22().re, g.U.u22().im);
    return m;
}

// M := G M for the gate g (one-qubit gate or gate with one control) on m
// qubits, qubit 1 the most significant bit.
void aplikuj(const TGATE1& g, int m, TMAT& M) {
    if (g.ciel < 1 || g.ciel > m || g.pocetk > 1) throw ChybaBehu("hladanie: brana mimo siete");
    const int bc = m - g.ciel;
    int maska = 0;
    if (g.pocetk == 1) {
        const int k = g.kontroly[1];
        if (k < 1 || k > m || k == g.ciel) throw ChybaBehu("hladanie: brana mimo siete");
        maska = 1 << (m - k);
    }
    const TMAT2 u = matica2(g);
    const Eigen::Index d = M.rows();
    for (Eigen::Index r = 0; r < d; ++r) {
        if ((r >> bc) & 1) continue;
        if ((r & maska) != maska) continue;
        const Eigen::Index r1 = r | (Eigen::Index{1} << bc);
        for (Eigen::Index c = 0; c < M.cols(); ++c) {
            const TKOMP x = M(r, c), y = M(r1, c);
            M(r, c) = u(0, 0) * x + u(0, 1) * y;
            M(r1, c) = u(1, 0) * x + u(1, 1) * y;
        }
    }
}

TMAT zlozenie(const std::vector<TGATE1>& brany, int m) {
    TMAT M = TMAT::Identity(Eigen::Index{1} << m, Eigen::Index{1} << m);
    for (const TGATE1& g : brany) aplikuj(g, m, M);
    return M;
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

// The analytic circuit of a factor on local qubits 1..m: the diagonal one
// or, when shorter or the factor is not diagonal, block-ZXZ (KAK on two).
TOBVOD analyticky(const TMAT& F, int m) {
    std::vector<int> q;
    for (int i = 1; i <= m; ++i) q.push_back(i);
    TOBVOD v(m);
    syntetizujvseob(F, q, v);
    if (diagonalna(F)) {
        TOBVOD d(m);
        diagonalnyobvod(F, q, d);
        if (d.pocetcnot <= v.pocetcnot) return d;
    }
    return v;
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
    std::string umiestnenie;
};

// The search for a circuit of the factor F (local qubits 1..m) with at most
// najviac CNOTs, stopping at the first exact fit.
TNAJDENA hladajfaktor(const TMAT& F, int m, int najviac, long long rozpocet, THOD::time_point termin,
                      TBEH& beh, std::vector<std::string>& sprava) {
    TNAJDENA vysledok;
    std::vector<TPAR> pary;
    for (int a = 1; a <= m; ++a)
        for (int b = a + 1; b <= m; ++b) pary.push_back({a, b});

    TMAT ciel = F;           // the target of the free part: F times the frozen prefix's inverse
    TOBVOD prefix(m);        // the frozen prefix
    std::vector<TPAR> pevne;  // its placement
    std::priority_queue<TUZOL, std::vector<TUZOL>, TPORADIE> otvorene;
    std::set<std::vector<TPAR>> videne;
    long long poradie = 0;
    long long fity = 0;
    int hlbkalog = 0;  // deepest count logged
    const std::size_t zmraz = zmrazod(m);

    TVOLBYFITU vf;
    vf.starty = startyhladania(m);
    vf.maxvyhodnoteni = MAXVYHODNOTENI;
    vf.termin = termin;
    vf.priebeh = [&beh] { beh.tik(); };
    vf.plnyrezidual = true;

    // An exact placement enters the open list at its count alone (its
    // distance is 0) and ends the search when it comes first: no open
    // placement is then expected to give a shorter circuit.
    auto hotovo = [&] {
        sprava.push_back(vypln(vypln(vypln(texty::NAJDENA, "%n", std::to_string(vysledok.obvod.pocetcnot)), "%s",
                                     vysledok.umiestnenie),
                               "%c", std::to_string(fity)));
        return vysledok;
    };
    otvorene.push(TUZOL{static_cast<double>(chybajucespoje({}, {}, m)), 0, poradie++, {}, 1.0, TOBVOD(m)});
    while (!otvorene.empty()) {
        if (fity >= rozpocet) {
            if (vysledok.ok) return hotovo();
            sprava.push_back(vypln(vypln(texty::ROZPOCET, "%n", std::to_string(fity)), "%c", std::to_string(najviac)));
            return vysledok;
        }
        if (THOD::now() >= termin) {
            sprava.push_back(vypln(vypln(texty::LIMIT, "%x", cislo(beh.limit)), "%n", std::to_string(fity)));
            if (vysledok.ok) return hotovo();
            return vysledok;
        }
        if (vysledok.ok && otvorene.top().f >= vysledok.obvod.pocetcnot) return hotovo();
        TUZOL u = otvorene.top();
        otvorene.pop();
        const int pocet = static_cast<int>(pevne.size() + u.volne.size());
        // a child has one CNOT more and joins at most one more pair of components
        if (pocet + 1 + std::max(0, chybajucespoje(pevne, u.volne, m) - 1) > najviac) continue;
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

        for (const TPAR& p : pary) {
            std::vector<TPAR> s = u.volne;
            // a fourth CNOT in a row on one pair adds nothing to the three before
            if (s.size() >= 3 && s[s.size() - 1] == p && s[s.size() - 2] == p && s[s.size() - 3] == p) continue;
            s.push_back(p);
            const int k = pocet + 1;
            const int spoje = chybajucespoje(pevne, s, m);
            if (k + spoje > najviac) continue;
            if (!videne.insert(normalna(s)).second) continue;

            TSTRUKTURA st;
            st.pocetq = m;
            for (const TPAR& x : s) st.cnoty.push_back({x[0], x[1]});
            vf.seed = odtlacok(s);
            beh.tik();
            TFIT fit = instanciuj(ciel, st, vf);
            ++fity;
            ++beh.fity;
            if (fit.presny) {
                TOBVOD o = prefix;
                o.brany.insert(o.brany.end(), fit.obvod.brany.begin(), fit.obvod.brany.end());
                o.pocetcnot += fit.obvod.pocetcnot;
                std::vector<TPAR> cela = pevne;
                cela.insert(cela.end(), s.begin(), s.end());
                vysledok.ok = true;
                vysledok.obvod = std::move(o);
                vysledok.umiestnenie = umiestnenie(cela);
                najviac = k - 1;
                if (otvorene.empty() || otvorene.top().f >= k) return hotovo();
                break;
            }
            if (THOD::now() >= termin) break;
            otvorene.push(TUZOL{priorita(k, spoje, fit.vzdialenost, vaha(m)), k, poradie++, std::move(s),
                                fit.vzdialenost, std::move(fit.obvod)});
        }
    }
    if (THOD::now() >= termin) {
        sprava.push_back(vypln(vypln(texty::LIMIT, "%x", cislo(beh.limit)), "%n", std::to_string(fity)));
        return vysledok.ok ? hotovo() : vysledok;
    }
    if (vysledok.ok) return hotovo();
    sprava.push_back(vypln(vypln(texty::ROZPOCET, "%n", std::to_string(fity)), "%c", std::to_string(najviac)));
    return vysledok;
}

// One factor of two or more qubits into obvod.
void faktor(const TFAKTOR& f, int pocetfaktorov, int poradiefaktora, const TVOLBYHLADANIA& volby, TBEH& beh,
            TOBVOD& obvod, std::vector<std::string>& sprava) {
    const int m = static_cast<int>(f.qubity.size());
    const std::string kde = zoznam(f.qubity);
    beh.od = static_cast<double>(poradiefaktora) / pocetfaktorov;
    beh.do_ = static_cast<double>(poradiefaktora + 1) / pocetfaktorov;
    beh.fity = 0;
    const TOBVOD analyt = analyticky(f.U, m);
    if (m == 2) {
        sprava.push_back(vypln(vypln(texty::DVOJQ, "%q", kde), "%n", std::to_string(analyt.pocetcnot)));
        premapuj(analyt, f.qubity, obvod);
        return;
    }
    // the generic numerical circuit reaches the lower bound on three and four qubits
    const int genericka = m <= 4 ? dolnahranica(m) : std::numeric_limits<int>::max();
    const int horna = std::min(analyt.pocetcnot, genericka);
    const int najviac = std::min(horna - 1, maxhlbka(m));
    const long long rozpocet = volby.maxfitov > 0 ? volby.maxfitov : rozpocetfitov(m);
    beh.rozpocet = rozpocet;

    const THOD::time_point teraz = THOD::now();
    const THOD::time_point termin =
        teraz + std::chrono::duration_cast<THOD::duration>((beh.koniec - teraz) * podielcasu(m));
    TNAJDENA n;
    if (najviac >= 0) {
        sprava.push_back(vypln(vypln(vypln(texty::ZACIATOK, "%q", kde), "%n", std::to_string(analyt.pocetcnot)),
                               "%c", std::to_string(najviac)));
        n = hladajfaktor(f.U, m, najviac, rozpocet, termin, beh, sprava);
    }
    auto presny = [&](const TOBVOD& o) {
        return (zlozenie(o.brany, m) - f.U).cwiseAbs().maxCoeff() <= PRESNOST_SIETE;
    };
    if (n.ok && presny(n.obvod)) {
        premapuj(n.obvod, f.qubity, obvod);
        return;
    }
    if (m >= 3 && (m == 5 || genericka < analyt.pocetcnot)) {
        const TOBVOD g = generickynumericky(f.U, m, beh.koniec, [&beh] { beh.tik(); });
        if (g.pocetcnot < analyt.pocetcnot && presny(g)) {
            sprava.push_back(vypln(texty::GENERICKA, "%n", std::to_string(g.pocetcnot)));
            premapuj(g, f.qubity, obvod);
            return;
        }
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

    TBEH beh;
    beh.start = THOD::now();
    beh.posledne = beh.start;
    beh.limit = volby.casovylimit > 0.0 ? volby.casovylimit : HLADANIE_LIMIT;
    beh.koniec = beh.start + std::chrono::duration_cast<THOD::duration>(std::chrono::duration<double>(beh.limit));
    beh.priebeh = &volby.priebeh;
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
