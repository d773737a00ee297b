// Singly-controlled gates L1(M) into gates without control and CNOTs.
// A controlled e^(i th) M' is the phase gate diag(1, e^(i th)) on the control
// followed by the controlled M'; M' with determinant -1 and a real diagonal,
// determinant 1 and a real off-diagonal, or determinant 1 in general is
// realised by one-qubit gates C, B, A around one or two CNOTs with the
// product equal to I when the control is 0 and to M' when it is 1.
#include <cmath>
#include <numbers>

#include "core/form1.h"
#include "decomposition/rotacie.h"

namespace qlc {

TMATICA2 rotz(double x) { return diag2(polar(1.0, x / 2.0), polar(1.0, -x / 2.0)); }

TMATICA2 roty(double x) {
    const double c = std::cos(x / 2.0), s = std::sin(x / 2.0);
    return {TKOMPLEX(c), TKOMPLEX(s), TKOMPLEX(-s), TKOMPLEX(c)};
}

namespace {

constexpr double PI = std::numbers::pi;

// Which step of Rozloz1U decides a gate; the order of the enumerators is the
// order of the tests.
enum class Pripad {
    NieL1,       // 1: not exactly one control
    Identita,    // 2
    Cnot,        // 3
    ZlyDet,      // 4: |det| off 1
    Odraz,       // 5: det -1, real diagonal
    OdrazFaza,   // 6: the same after a phase
    Skalar,      // 7: e^(i delta) I
    SkalarPi,    // 8: e^(i (delta + pi)) I
    Realne,      // 9: det 1, real off-diagonal
    RealneFaza,  // 10: the same after a phase
    MaleM,       // 11: |M11| or |M12| below eps
    Vseob,       // 12: det 1
    VseobFaza,   // 13: general
};

struct TTRIEDA {
    Pripad pripad = Pripad::NieL1;
    double delta = 0.0;  // arg(det) / 2
    TKOMPLEX w;          // the factor M is multiplied by in steps 6, 10, 13
};

// Gates that replace a gate of each kind (1 where the gate stays).
int pocetgates(Pripad p) {
    switch (p) {
        case Pripad::Odraz: return 3;
        case Pripad::OdrazFaza: return 4;
        case Pripad::Realne: return 4;
        case Pripad::RealneFaza: return 5;
        case Pripad::Vseob: return 5;
        case Pripad::VseobFaza: return 6;
        default: return 1;
    }
}

TMATICA2 skalovana(const TMATICA2& M, TKOMPLEX w) {
    return {w * M.u11(), w * M.u12(), w * M.u21(), w * M.u22()};
}

// The tests of Rozloz1U in their order; the first that applies decides.
// Pure, so the stage can also count its result before it writes anything.
TTRIEDA klasifikuj(const TGATE1& G, const TForm1& f) {
    const double eps = f.eps;
    const TMATICA2& M = G.U;
    TTRIEDA r;
    if (G.pocetk != 1) return r;
    if (rovnake2(M, f.jednotka, eps)) {
        r.pripad = Pripad::Identita;
        return r;
    }
    if (rovnake2(M, f.matnot, eps)) {
        r.pripad = Pripad::Cnot;
        return r;
    }
    const TKOMPLEX d = M.u11() * M.u22() - M.u12() * M.u21();
    if (!vtolerancii(std::fabs(modul(d) - 1.0), eps)) {
        r.pripad = Pripad::ZlyDet;
        return r;
    }
    r.delta = arg(d) / 2.0;
    if (modul(d + TKOMPLEX(1.0)) < TVAR && absim(M.u11()) < TVAR && absim(M.u22()) < TVAR) {
        r.pripad = Pripad::Odraz;
        return r;
    }
    r.w = polar(1.0, PI / 2.0 - r.delta);
    if (absim(r.w * M.u11()) < TVAR && absim(r.w * M.u22()) < TVAR) {
        r.pripad = Pripad::OdrazFaza;
        return r;
    }
    TKOMPLEX e = polar(1.0, -r.delta);
    if (rovnake2({M.u11() * e, M.u12(), M.u21(), M.u22() * e}, f.jednotka, TVAR)) {
        r.pripad = Pripad::Skalar;
        return r;
    }
    e = polar(1.0, -(r.delta + PI));
    if (rovnake2({M.u11() * e, M.u12(), M.u21(), M.u22() * e}, f.jednotka, TVAR)) {
        r.pripad = Pripad::SkalarPi;
        return r;
    }
    if (modul(d - TKOMPLEX(1.0)) < TVAR && absim(M.u12()) < TVAR && absim(M.u21()) < TVAR) {
        r.pripad = Pripad::Realne;
        return r;
    }
    r.w = polar(1.0, -r.delta);
    if (absim(r.w * M.u12()) < TVAR && absim(r.w * M.u21()) < TVAR) {
        r.pripad = Pripad::RealneFaza;
        return r;
    }
    if (modul(M.u11()) < TVAR || modul(M.u12()) < TVAR) {
        r.pripad = Pripad::MaleM;
        return r;
    }
    r.pripad = modul(d - TKOMPLEX(1.0)) < TVAR ? Pripad::Vseob : Pripad::VseobFaza;
    return r;
}

// Working data of one Rozloz1U call, shared by the three constructions.
struct TROZKLAD {
    TForm1& f;
    TForm1::TROZPIS1U& rozpis;
    int& pocet;
    TMATICA2 M;
    std::uint8_t t;  // target
    std::uint8_t c;  // the control

    void pridaj(const TGATE1& g) { rozpis[++pocet] = g; }
    void jednoqubitova(const TMATICA2& U) {
        TGATE1 g;
        g.U = U;
        g.pocetk = 0;
        g.vyradena = false;
        g.ciel = t;
        pridaj(g);
    }
    void cnot() {
        TGATE1 g;
        g.U = f.matnot;
        g.pocetk = 1;
        g.vyradena = false;
        g.ciel = t;
        g.kontroly[1] = c;
        pridaj(g);
    }
    // The phase e^(i th) of a controlled operation as diag(1, e^(i th)) on the control.
    void fazova(double th) {
        TGATE1 g;
        g.U = diag2(TKOMPLEX(1.0), polar(1.0, th));
        g.pocetk = 0;
        g.vyradena = false;
        g.ciel = c;
        pridaj(g);
    }
    void zleparametre(const char* text) {
        f.info(text);
        f.zlakontrola();
    }
};

// M = [[-sin(g/2), e^(-i th) cos(g/2)], [e^(i th) cos(g/2), sin(g/2)]], det -1.
// C = roty(g/2) rotz(th), A = rotz(-th) roty(-g/2): A C = I and A X C = M.
void rozlozodraz(TROZKLAD& r) {
    const double eps = r.f.eps;
    const TMATICA2& M = r.M;
    // Anti-diagonal when the diagonal vanishes to rounding. (|M12| within
    // eps of 1 would be far too weak a test: |M12| = cos(g/2) stays within
    // 1e-6 of 1 for diagonal entries up to about 1.4e-3, which this branch
    // drops.)
    if (modul(M.u11()) < TVAR) {
        // rotz(-th) X rotz(th) = [[0, e^(-i th)], [e^(i th), 0]].
        const double th = arg(M.u21());
        r.jednoqubitova(rotz(th));
        r.cnot();
        r.jednoqubitova(rotz(-th));
        return;
    }
    // th is fixed up to pi by M21^2; the sign of cos(g/2) absorbs the choice.
    const double th = arg(M.u21() * M.u21()) / 2.0;
    const double g = 2.0 * arg(TKOMPLEX(0.0, -1.0) * M.u11() + M.u21() * polar(1.0, -th));
    if (!vtolerancii(modul(M.u21() - std::cos(g / 2.0) * polar(1.0, th)), eps) ||
        !vtolerancii(modul(M.u11() + TKOMPLEX(std::sin(g / 2.0))), eps))
        r.zleparametre("Rozloz1U: Nie su spravne urcene parametre matice!");
    r.jednoqubitova(nasob2(roty(g / 2.0), rotz(th)));
    r.cnot();
    r.jednoqubitova(nasob2(rotz(-th), roty(-g / 2.0)));
}

// M = [[e^(i th) cos(g/2), sin(g/2)], [-sin(g/2), e^(-i th) cos(g/2)]], det 1.
// B = roty(-g/2) rotz(-th), A = rotz(th) roty(g/2): A B = I and
// A X B X = rotz(th) roty(g) rotz(th) = M.
void rozlozrealne(TROZKLAD& r) {
    const double eps = r.f.eps;
    const TMATICA2& M = r.M;
    // Diagonal when the off-diagonal vanishes to rounding (not |M11| within
    // eps of 1, which lets off-diagonal entries up to about 1.4e-3 be dropped).
    if (modul(M.u12()) < TVAR) {
        // rotz(th) X rotz(-th) X = rotz(2 th) = diag(e^(i th), e^(-i th)).
        const double th = arg(M.u11());
        r.cnot();
        r.jednoqubitova(rotz(-th));
        r.cnot();
        r.jednoqubitova(rotz(th));
        return;
    }
    const double th = arg(M.u11() * M.u11()) / 2.0;
    const double g = 2.0 * arg(TKOMPLEX(0.0, 1.0) * M.u12() + M.u11() * polar(1.0, -th));
    if (!vtolerancii(modul(M.u11() - std::cos(g / 2.0) * polar(1.0, th)), eps) ||
        !vtolerancii(modul(M.u12() - TKOMPLEX(std::sin(g / 2.0))), eps))
        r.zleparametre("Rozloz1U: Nie su spravne urcene parametre matice!");
    r.cnot();
    r.jednoqubitova(nasob2(roty(-g / 2.0), rotz(-th)));
    r.cnot();
    r.jednoqubitova(nasob2(rotz(th), roty(g / 2.0)));
}

// M = rotz(th) roty(g) rotz(l), det 1. With
// C = rotz((l - th)/2), B = roty(-g/2) rotz(-(th + l)/2), A = rotz(th) roty(g/2):
// A B C = I and A X B X C = rotz(th) roty(g) rotz(l) = M.
void rozlozvseob(TROZKLAD& r) {
    const double eps = r.f.eps;
    const TMATICA2& M = r.M;
    // M11 M12 = cos(g/2) sin(g/2) e^(i th), so th is its angle; then
    // M11 M22 + M12 M21 = cos g and 2 i M11 M12 e^(-i th) = i sin g.
    const double th = arg(M.u11() * M.u12());
    const double g =
        arg(M.u11() * M.u22() + M.u12() * M.u21() + TKOMPLEX(0.0, 2.0) * M.u11() * M.u12() * polar(1.0, -th));
    // M11 = cos(g/2) e^(i (th + l)/2) with cos(g/2) >= 0 for g in (-pi, pi].
    // Where cos(g/2) is too small to divide by (a matrix far from unitary)
    // the division only scales by a positive number, so the angle of the
    // undivided product is taken instead.
    const TKOMPLEX kos(std::cos(g / 2.0));
    const TKOMPLEX z = sqrmod(kos) > NULA ? M.u11() / kos * polar(1.0, -th / 2.0) : M.u11() * polar(1.0, -th / 2.0);
    const double l = 2.0 * arg(z);
    if (!vtolerancii(modul(M.u11() - std::cos(g / 2.0) * polar(1.0, (th + l) / 2.0)), eps) ||
        !vtolerancii(modul(M.u12() - std::sin(g / 2.0) * polar(1.0, (th - l) / 2.0)), eps))
        r.zleparametre("Rozloz1U: Nie su spravne urcene parametre vo vsoeb. matici!");
    r.jednoqubitova(rotz((l - th) / 2.0));
    r.cnot();
    r.jednoqubitova(nasob2(roty(-g / 2.0), rotz(-(th + l) / 2.0)));
    r.cnot();
    r.jednoqubitova(nasob2(rotz(th), roty(g / 2.0)));
}

}  // namespace

bool TForm1::Rozloz1U(TGATE1 G, TROZPIS1U& rozpis, int& pocet) {
    pocet = 0;
    const TTRIEDA tr = klasifikuj(G, *this);
    TROZKLAD r{*this, rozpis, pocet, G.U, G.ciel, G.kontroly[1]};
    switch (tr.pripad) {
        case Pripad::NieL1:
            info("Rozloz1U: Brana kt. si poslal si na rozklad nie je L1(U)");
            return false;
        case Pripad::Identita:
            info("Rozloz1U: Brana kt. si poslal je identita!");
            return false;
        case Pripad::Cnot:
            info("Rozloz1U: Brana kt. si poslal je CNOT a teda ho uz nerozkladam.");
            r.pridaj(G);
            return true;
        case Pripad::ZlyDet:
        case Pripad::MaleM:
            info("Rozloz1U: Matica rozkl. brany ma zly determinant( modul<>1)!");
            return false;
        case Pripad::Odraz:
            rozlozodraz(r);
            return true;
        case Pripad::OdrazFaza:
            r.M = skalovana(G.U, tr.w);
            r.fazova(tr.delta - PI / 2.0);
            rozlozodraz(r);
            return true;
        case Pripad::Skalar:
            r.fazova(tr.delta);
            return true;
        case Pripad::SkalarPi:
            r.fazova(PI + tr.delta);
            return true;
        case Pripad::Realne:
            rozlozrealne(r);
            return true;
        case Pripad::RealneFaza:
            r.M = skalovana(G.U, tr.w);
            r.fazova(tr.delta);
            rozlozrealne(r);
            return true;
        case Pripad::Vseob:
            rozlozvseob(r);
            return true;
        case Pripad::VseobFaza:
            r.M = skalovana(G.U, tr.w);
            r.fazova(tr.delta);
            rozlozvseob(r);
            return true;
    }
    return false;
}

namespace {

// A gate the stage hands to Rozloz1U: one control and not a CNOT.
bool narozklad(const TGATE1& g, const TForm1& f) { return g.pocetk == 1 && !rovnake2(g.U, f.matnot, f.eps); }

// Whether the stage's result exceeds the store. Each replaced gate grows
// the circuit by at most 5; only when that bound does not fit are the
// gates classified, without any message, to get the exact size.
bool presiahne(const TForm1& f, int N) {
    long long l1 = 0;
    for (int n = 1; n <= N; ++n)
        if (f.brany[n].pocetk == 1) ++l1;
    if (N + 5 * l1 <= MAXBRAN) return false;
    long long velkost = 0;
    for (int n = 1; n <= N; ++n) {
        const TGATE1& g = f.brany[n];
        velkost += narozklad(g, f) ? pocetgates(klasifikuj(g, f).pripad) : 1;
    }
    return velkost > MAXBRAN;
}

}  // namespace

// In place, as DoL1: the circuit moves to records 400000 - N + 1..400000
// and is rewritten from record 1 up. The growth (out - read) never
// decreases, so a write would overtake an unread gate exactly when the
// final size exceeds 400,000; presiahne finds that in advance, and then the
// walk runs without moving or writing anything, showing its messages in the
// same order, and the store keeps the circuit as it was before the stage.
void TForm1::Doelementarnych() {
    log("Zacal sa rozklad L1(U) do elementarnych bran.");
    eps = EPS_ELEMENT;
    const int N = pocetb1;
    if (N < 0 || N > MAXBRAN) zlyindex(N, 0, MAXBRAN);
    const bool nasucho = presiahne(*this, N);
    const int zaklad = MAXBRAN - N;
    if (!nasucho)
        for (int n = N; n >= 1; --n) brany[zaklad + n] = brany[n];

    int out = 0;
    progresstart(N);
    TROZPIS1U rozpis;
    for (int i = zaklad + 1; i <= MAXBRAN; ++i) {
        progreskrok();
        // A copy: the replacement may overwrite record i.
        const TGATE1 g = brany[nasucho ? i - zaklad : i];
        if (!narozklad(g, *this)) {
            ++out;
            if (!nasucho) brany[out] = g;
            continue;
        }
        int k = 0;
        if (!Rozloz1U(g, rozpis, k)) {
            info("!!!!Doelementarnych(U): Existuje brana kt kt. si nevytvoril rozklad.");
            zlakontrola();
            rozpis[1] = g;
            k = 1;
        }
        if (out + k > i) {
            info("!!!!Do elementarnych: V rozsahu pola n1 sa neda vykonat rozpis do elementarnych bran");
            zlakontrola();
            if (!nasucho) {
                // Not reached while presiahne is right: keep a consistent
                // circuit, the gates written so far and then the unread ones.
                int n = out;
                for (int s = i; s <= MAXBRAN; ++s) brany[++n] = brany[s];
                pocetb1 = n;
            }
            return;
        }
        if (!nasucho)
            for (int j = 1; j <= k; ++j) brany[out + j] = rozpis[j];
        out += k;
    }
    if (!nasucho) pocetb1 = out;
}

}  // namespace qlc
