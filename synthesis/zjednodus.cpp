#include "zjednodus.h"

#include <Eigen/Dense>
#include <cmath>
#include <complex>
#include <string>

#include "core/chyby.h"
#include "tolerancie.h"

namespace qlc::synteza {

namespace {

using TKOMP = std::complex<double>;

Eigen::Matrix2cd matica(const TGATE1& g) {
    Eigen::Matrix2cd m;
    m << TKOMP(g.U.u11().re, g.U.u11().im), TKOMP(g.U.u12().re, g.U.u12().im),
        TKOMP(g.U.u21().re, g.U.u21().im), TKOMP(g.U.u22().re, g.U.u22().im);
    return m;
}

TMATICA2 zeigen(const Eigen::Matrix2cd& m) {
    return TMATICA2(TKOMPLEX(m(0, 0).real(), m(0, 0).imag()), TKOMPLEX(m(0, 1).real(), m(0, 1).imag()),
                    TKOMPLEX(m(1, 0).real(), m(1, 0).imag()), TKOMPLEX(m(1, 1).real(), m(1, 1).imag()));
}

bool jednotka(const TMATICA2& u) {
    auto blizko = [](const TKOMPLEX& z, double re) {
        return std::fabs(z.re - re) <= JEDNOTKA_NULA && std::fabs(z.im) <= JEDNOTKA_NULA;
    };
    return blizko(u.u11(), 1.0) && blizko(u.u22(), 1.0) && blizko(u.u12(), 0.0) && blizko(u.u21(), 0.0);
}

// A CNOT record: one control and exactly the NOT matrix.
bool jecnot(const TGATE1& g) {
    return g.pocetk == 1 && g.U.u11().nula() && g.U.u22().nula() && g.U.u12().re == 1.0 &&
           g.U.u12().im == 0.0 && g.U.u21().re == 1.0 && g.U.u21().im == 0.0;
}

}  // namespace

int zjednodus(std::vector<TGATE1>& brany, int pocetq) {
    std::vector<TGATE1> von;
    std::vector<char> zije;
    // indices into von of the live gates on each qubit, in order
    std::vector<std::vector<std::size_t>> zasobnik(static_cast<std::size_t>(pocetq) + 1);
    auto qubit = [pocetq](int q) {
        if (q < 1 || q > pocetq) zlyindex(q, 1, pocetq);
        return static_cast<std::size_t>(q);
    };
    auto vrch = [&](std::size_t q, std::size_t& i) {
        if (zasobnik[q].empty()) return false;
        i = zasobnik[q].back();
        return true;
    };
    for (const TGATE1& g : brany) {
        if (g.vyradena) continue;
        const std::size_t t = qubit(g.ciel);
        if (g.pocetk == 0) {
            std::size_t i = 0;
            if (vrch(t, i) && von[i].pocetk == 0) {
                von[i].U = zeigen(matica(g) * matica(von[i]));
                if (jednotka(von[i].U)) {
                    zije[i] = 0;
                    zasobnik[t].pop_back();
                }
                continue;
            }
            if (jednotka(g.U)) continue;
            zasobnik[t].push_back(von.size());
        } else if (g.pocetk == 1) {
            const std::size_t k = qubit(g.kontroly[1]);
            if (k == t)
                throw ChybaBehu("zjednodus: CNOT s kontrolou na cielovom qubite " + std::to_string(t));
            std::size_t i = 0, j = 0;
            if (jecnot(g) && vrch(t, i) && vrch(k, j) && i == j && jecnot(von[i]) && von[i].ciel == g.ciel &&
                von[i].kontroly[1] == g.kontroly[1]) {
                zije[i] = 0;
                zasobnik[t].pop_back();
                zasobnik[k].pop_back();
                continue;
            }
            zasobnik[t].push_back(von.size());
            zasobnik[k].push_back(von.size());
        } else {
            throw ChybaBehu("zjednodus: brana s " + std::to_string(g.pocetk) + " kontrolami");
        }
        von.push_back(g);
        zije.push_back(1);
    }
    brany.clear();
    int cnot = 0;
    for (std::size_t i = 0; i < von.size(); ++i)
        if (zije[i]) {
            brany.push_back(von[i]);
            cnot += jecnot(von[i]);
        }
    return cnot;
}

}  // namespace qlc::synteza
