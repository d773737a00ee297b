// The circuit as an OpenQASM 3 or OpenQASM 2.0 program.
#include "qasm.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include "core/form1.h"
#include "app/subory.h"

namespace qlc {
namespace {

constexpr double PI = std::numbers::pi;

// An angle that is rounding noise becomes exactly 0 (also no -0).
double bezsumu(double x) { return std::fabs(x) < SUMUHLA ? 0.0 : x; }

// x reduced to [-pi, pi], noise written as 0.
double zabal(double x) { return bezsumu(std::remainder(x, 2.0 * PI)); }

// A number with 17 significant digits, "." as the decimal point whatever
// the locale, and always with a point so that no reader takes it for an
// integer: "0.0", "1.5", "2.0e-05".
void pridajcislo(std::string& s, double x) {
    x = bezsumu(x);
    std::array<char, 40> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::general, 17);
    std::string_view t(buf.data(), static_cast<std::size_t>(r.ptr - buf.data()));
    if (t.find('.') != std::string_view::npos) {
        s += t;
        return;
    }
    const std::size_t e = t.find('e');
    if (e == std::string_view::npos) {
        s += t;
        s += ".0";
    } else {
        s += t.substr(0, e);
        s += ".0";
        s += t.substr(e);
    }
}

void pridajqubit(std::string& s, int pocetq, int k) {
    s += "q[";
    s += std::to_string(pocetq - k);
    s += ']';
}

// "(a, b, c)"
void pridajparametre(std::string& s, std::initializer_list<double> p) {
    s += '(';
    bool prvy = true;
    for (double x : p) {
        if (!prvy) s += ", ";
        prvy = false;
        pridajcislo(s, x);
    }
    s += ')';
}

// " q[c1], ..., q[ck]" for the controls, then ", q[t]" for the target when
// sciel is set.
void pridajqubity(std::string& s, const TGATE1& g, int pocetq, bool sciel) {
    for (int j = 1; j <= g.pocetk; ++j) {
        s += j == 1 ? " " : ", ";
        pridajqubit(s, pocetq, g.kontroly[j]);
    }
    if (sciel) {
        s += g.pocetk == 0 ? " " : ", ";
        pridajqubit(s, pocetq, g.ciel);
    }
    s += ";\n";
}

// U is the NOT matrix by complex equality, so that writing it as x or cx
// changes nothing beyond the zero snapping.
bool presnenot(const TMATICA2& U) {
    return rovnasa(U.u11(), 0.0) && rovnasa(U.u12(), 1.0) && rovnasa(U.u21(), 1.0) && rovnasa(U.u22(), 0.0);
}

void over(TZoznamBran b, int pocet, int pocetq) {
    if (pocetq < 2 || pocetq > 5)
        throw ChybaBehu("Pocet qubitov " + std::to_string(pocetq) +
                        " je mimo 2..5, obvod do OpenQASM nezapisem");
    if (pocet < 0 || pocet > b.high()) zlyindex(pocet, 0, b.high());
    for (int i = 1; i <= pocet; ++i)
        if (!spravnabrana(b[i], pocetq))
            throw ChybaBehu("Brana " + std::to_string(i) + " nie je spravna (ciel alebo kontroly mimo 1.." +
                            std::to_string(pocetq) + " alebo sa opakuju), obvod do OpenQASM nezapisem");
    for (int i = 1; i <= pocet; ++i)
        for (const TKOMPLEX& z : b[i].U.a)
            if (!std::isfinite(z.re) || !std::isfinite(z.im))
                throw ChybaBehu("Matica brany " + std::to_string(i) +
                                " nema konecne prvky, obvod do OpenQASM nezapisem");
}

// eps in the shortest form that reads back as the same double ("1e-07").
std::string texteps(double eps) {
    std::array<char, 40> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), eps);
    return std::string(buf.data(), r.ptr);
}

// The unitary of the program is the circuit's, exactly. The circuit itself
// was checked against the input matrix only within eps per entry, and a
// part of the input below eps (a two-level rotation by less than eps, say)
// may have become no gate at all; the header says so with the tolerance.
void hlavickaqubitov(std::string& s, int pocet, int pocetq, double eps) {
    s += "// Quantum logic circuit: " + std::to_string(pocet) + (pocet == 1 ? " gate" : " gates") + " on " +
         std::to_string(pocetq) + " qubits, gate 1 first.\n";
    s += "// Qubit k of the circuit is q[" + std::to_string(pocetq) +
         " - k]: reading q[0] as the least significant bit of the\n"
         "// basis state index, the unitary of this program is that of the circuit, exactly.\n"
         "// The circuit equals the input matrix only within the tolerance of the run's\n"
         "// checks, eps = " +
         texteps(eps) +
         " per entry: a part of the input below that may have become\n"
         "// no gate at all. The deviation printed by qlc decompose --summary is the\n"
         "// figure to trust.\n";
}

std::string qasm3(TZoznamBran b, int pocet, int pocetq, double eps) {
    std::string s = "OPENQASM 3.0;\ninclude \"stdgates.inc\";\n";
    hlavickaqubitov(s, pocet, pocetq, eps);
    s += "// Every gate is U(theta, phi, lambda) (a NOT is x, a CNOT cx) with its phase as\n"
         "// gphase, controlled along with it, so the global phase is exact as well.\n";
    s += "qubit[" + std::to_string(pocetq) + "] q;\n";
    for (int i = 1; i <= pocet; ++i) {
        const TGATE1& g = b[i];
        if (g.pocetk <= 1 && presnenot(g.U)) {
            s += g.pocetk == 0 ? "x" : "cx";
            pridajqubity(s, g, pocetq, true);
            continue;
        }
        const TUHLYU3 u = uhlyu3(g.U);
        const std::string ctrl = g.pocetk > 0 ? "ctrl(" + std::to_string(g.pocetk) + ") @ " : "";
        s += ctrl;
        s += 'U';
        pridajparametre(s, {u.theta, u.phi, u.lambda});
        pridajqubity(s, g, pocetq, true);
        if (u.alfa != 0.0) {
            // The phase of a controlled gate belongs to the controls' all-ones
            // subspace only; with no controls it is a global phase.
            s += ctrl;
            s += "gphase";
            pridajparametre(s, {u.alfa});
            if (g.pocetk > 0)
                pridajqubity(s, g, pocetq, false);
            else
                s += ";\n";
        }
    }
    return s;
}

// Version 2.0. An uncontrolled gate e^(i alfa) U3 is u3 and alfa goes into
// the global phase. A controlled one uses
//   U3(theta, phi, lambda) = U3(theta, phi, -phi) . diag(1, e^(i (phi + lambda))),
// so it is cu1(phi + lambda), then cu3(theta, phi, -phi), then u1(alfa) on
// the control. A cu3 whose phi + lambda is 0 means the same in every reading
// of qelib1.inc (with or without the phase u1((phi + lambda)/2) on the
// control in its body), and cu1 is unambiguous too.
std::string qasm2(TZoznamBran b, int pocet, int pocetq, double eps) {
    for (int i = 1; i <= pocet; ++i)
        if (b[i].pocetk > 1)
            throw ChybaBehu("Brana " + std::to_string(i) + " ma " + std::to_string(b[i].pocetk) +
                            " kontrolne qubity; OpenQASM 2.0 (qelib1.inc) zapise len brany s najviac "
                            "jednym kontrolnym qubitom, pouzite OpenQASM 3");
    std::string telo;
    telo.reserve(static_cast<std::size_t>(pocet) * 80);
    double globalna = 0.0;
    for (int i = 1; i <= pocet; ++i) {
        const TGATE1& g = b[i];
        if (g.pocetk <= 1 && presnenot(g.U)) {
            telo += g.pocetk == 0 ? "x" : "cx";
            pridajqubity(telo, g, pocetq, true);
            continue;
        }
        const TUHLYU3 u = uhlyu3(g.U);
        if (g.pocetk == 0) {
            telo += "u3";
            pridajparametre(telo, {u.theta, u.phi, u.lambda});
            pridajqubity(telo, g, pocetq, true);
            globalna = zabal(globalna + u.alfa);
            continue;
        }
        const double mu = zabal(u.phi + u.lambda);
        if (mu != 0.0) {
            telo += "cu1";
            pridajparametre(telo, {mu});
            pridajqubity(telo, g, pocetq, true);
        }
        if (u.theta != 0.0 || u.phi != 0.0) {
            telo += "cu3";
            pridajparametre(telo, {u.theta, u.phi, -u.phi});
            pridajqubity(telo, g, pocetq, true);
        }
        if (u.alfa != 0.0) {
            telo += "u1";
            pridajparametre(telo, {u.alfa});
            pridajqubity(telo, g, pocetq, false);  // the one control
        }
    }
    std::string s = "OPENQASM 2.0;\ninclude \"qelib1.inc\";\n";
    hlavickaqubitov(s, pocet, pocetq, eps);
    s += "// Read u3(theta,phi,lambda) as [[cos(theta/2), -exp(i*lambda)*sin(theta/2)],\n"
         "// [exp(i*phi)*sin(theta/2), exp(i*(phi+lambda))*cos(theta/2)]], u1(lambda) as\n"
         "// diag(1, exp(i*lambda)), x, cx, cu1 and cu3 by their bodies in qelib1.inc.\n"
         "// Then the circuit's matrix is exp(i*g) times the unitary of this program, where\n";
    s += "// global phase g: ";
    pridajcislo(s, globalna);
    s += '\n';
    s += "qreg q[" + std::to_string(pocetq) + "];\n";
    s += telo;
    return s;
}

}  // namespace

// Derivation. With a = U(1,1), b = U(1,2), c = U(2,1), d = U(2,2):
//   |a| = |d| = cos(theta/2), |b| = |c| = sin(theta/2),
//   arg a = alfa, arg c = alfa + phi, arg(-b) = alfa + lambda,
//   arg d = alfa + phi + lambda,
// so the four phases p, q, r, s satisfy p + s - q - r = 0 (mod 2 pi) for a
// unitary U. Rounding leaves a residual e; it is removed by the smallest
// change of the entries, i.e. minimising sum |x_k|^2 delta_k^2 subject to
// delta_p + delta_s - delta_q - delta_r = -e, which gives
//   delta_k = -sign_k e (1/|x_k|^2) / sum_j (1/|x_j|^2):
// the smaller an entry, the more of the residual its phase takes. An entry
// that is exactly 0 has no phase; the zero entries then take the whole
// residual. For a diagonal or anti-diagonal U the free phase is chosen so
// that phi = 0.
TUHLYU3 uhlyu3(const TMATICA2& U) {
    const std::array<TKOMPLEX, 4> x{U.u11(), -U.u12(), U.u21(), U.u22()};  // a, -b, c, d
    const std::array<double, 4> znam{1.0, -1.0, -1.0, 1.0};  // signs of p, r, q, s in the residual
    std::array<double, 4> m{}, f{};
    for (std::size_t k = 0; k < 4; ++k) {
        m[k] = modul(x[k]);
        f[k] = arg(x[k]);
    }
    TUHLYU3 u;
    u.theta = 2.0 * std::atan2(m[1] + m[2], m[0] + m[3]);
    const bool nulacos = m[0] == 0.0 && m[3] == 0.0;
    const bool nulasin = m[1] == 0.0 && m[2] == 0.0;
    if (nulasin) {  // diag(e^(i p), e^(i s)) = e^(i p) U3(0, 0, s - p)
        u.alfa = zabal(f[0]);
        u.lambda = zabal(f[3] - f[0]);
        return u;
    }
    if (nulacos) {  // [[0, -e^(i r)], [e^(i q), 0]] = e^(i q) U3(pi, 0, r - q)
        u.alfa = zabal(f[2]);
        u.lambda = zabal(f[1] - f[2]);
        return u;
    }
    const double e = zabal(f[0] + f[3] - f[1] - f[2]);
    int nul = 0;
    for (double mk : m)
        if (mk == 0.0) ++nul;
    double sucet = 0.0;
    if (nul == 0)
        for (double mk : m) sucet += 1.0 / (mk * mk);
    for (std::size_t k = 0; k < 4; ++k) {
        const double vaha = nul > 0 ? (m[k] == 0.0 ? 1.0 / nul : 0.0) : (1.0 / (m[k] * m[k])) / sucet;
        f[k] -= znam[k] * e * vaha;
    }
    u.alfa = zabal(f[0]);
    u.phi = zabal(f[2] - f[0]);
    u.lambda = zabal(f[1] - f[0]);
    u.theta = bezsumu(u.theta);
    return u;
}

std::string qasmtext(TZoznamBran b, int pocet, int pocetq, int verzia, double eps) {
    if (verzia != 2 && verzia != 3)
        throw ChybaBehu("Neznama verzia OpenQASM " + std::to_string(verzia) + " (zapisem verziu 2 alebo 3)");
    over(b, pocet, pocetq);
    return verzia == 3 ? qasm3(b, pocet, pocetq, eps) : qasm2(b, pocet, pocetq, eps);
}

std::string qasmtext(const TForm1& f, int verzia) {
    return qasmtext(f.brany, f.pocetb1, f.pocetq, verzia, f.eps);
}

void zapisqasm(const TForm1& f, int verzia, const std::string& meno) {
    // Never a half-written program in place of a good one.
    zapissubor(meno, qasmtext(f, verzia));
}

void TForm1::UlozQasmClick(int verzia) {
    const std::string titul = verzia == 2 ? "Uloženie siete v OpenQASM 2.0" : "Uloženie siete v OpenQASM 3";
    const auto meno = platforma.ulozdialog(titul, "siet.qasm", "Programy OpenQASM|*.qasm|Všetky súbory|*.*");
    if (!meno) return;
    zapisqasm(*this, verzia, *meno);
    log("Siet bola zapisana do suboru " + *meno + ".");
}

}  // namespace qlc
