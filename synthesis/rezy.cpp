#include "rezy.h"

#include <algorithm>
#include <string>

#include "core/chyby.h"
#include "core/pole.h"

namespace qlc::synteza {

namespace {

constexpr int MAXQ = 5;

// The network of a placement and the search for augmenting paths in it. Each
// node has at most three edges (a CNOT's node: the wire in, the wire out,
// the bond), every edge a capacity of one in either direction. The buffers
// grow with the longest placement seen and are kept for the next call.
struct TSIET {
    int uzly = 0;
    std::vector<std::array<int, 3>> hrany;  // arc indices leaving each node
    std::vector<int> pocet;                 // its arcs
    std::vector<int> kam;                   // arc -> its head; arc ^ 1 is its reverse
    std::vector<int> kapacita;
    std::vector<int> zvysok;   // residual capacities of the current cut
    std::vector<int> prisiel;  // arc a BFS reached each node by, -1 none, -2 a source
    std::vector<int> rad;

    void priprav(int n) {
        uzly = n;
        if (static_cast<int>(hrany.size()) < n) {
            hrany.resize(static_cast<std::size_t>(n));
            pocet.resize(static_cast<std::size_t>(n));
            prisiel.resize(static_cast<std::size_t>(n));
            rad.resize(static_cast<std::size_t>(n));
        }
        std::fill(pocet.begin(), pocet.begin() + n, 0);
        kam.clear();
        kapacita.clear();
    }
    void hrana(int u, int v) {
        const int e = static_cast<int>(kam.size());
        kam.push_back(v);
        kam.push_back(u);
        kapacita.push_back(1);
        kapacita.push_back(1);
        hrany[static_cast<std::size_t>(u)][static_cast<std::size_t>(pocet[static_cast<std::size_t>(u)]++)] =
            e;
        hrany[static_cast<std::size_t>(v)][static_cast<std::size_t>(pocet[static_cast<std::size_t>(v)]++)] =
            e + 1;
    }

    // The largest flow from the legs in maska to the other legs, at most
    // najviac.
    int tok(std::uint16_t maska, int nohy, int najviac) {
        zvysok.assign(kapacita.begin(), kapacita.end());
        int f = 0;
        while (f < najviac) {
            std::fill(prisiel.begin(), prisiel.begin() + uzly, -1);
            int zac = 0, kon = 0;
            for (int l = 0; l < nohy; ++l)
                if ((maska >> l) & 1) {
                    prisiel[static_cast<std::size_t>(l)] = -2;
                    rad[static_cast<std::size_t>(kon++)] = l;
                }
            int ciel = -1;
            while (zac < kon && ciel < 0) {
                const int u = rad[static_cast<std::size_t>(zac++)];
                for (int i = 0; i < pocet[static_cast<std::size_t>(u)]; ++i) {
                    const int e = hrany[static_cast<std::size_t>(u)][static_cast<std::size_t>(i)];
                    const int v = kam[static_cast<std::size_t>(e)];
                    if (zvysok[static_cast<std::size_t>(e)] == 0 ||
                        prisiel[static_cast<std::size_t>(v)] != -1)
                        continue;
                    prisiel[static_cast<std::size_t>(v)] = e;
                    if (v < nohy && !((maska >> v) & 1)) {
                        ciel = v;
                        break;
                    }
                    rad[static_cast<std::size_t>(kon++)] = v;
                }
            }
            if (ciel < 0) break;
            for (int v = ciel; prisiel[static_cast<std::size_t>(v)] >= 0;) {
                const int e = prisiel[static_cast<std::size_t>(v)];
                --zvysok[static_cast<std::size_t>(e)];
                ++zvysok[static_cast<std::size_t>(e ^ 1)];
                v = kam[static_cast<std::size_t>(e ^ 1)];
            }
            ++f;
        }
        return f;
    }
};

// The bit of leg l (an input or output of a qubit) in the index of U.
int bitnohy(int m, int l) { return m - 1 - (l % m); }

// The network of the CNOTs a followed by b on m qubits, in the thread's
// buffers.
TSIET& siet(int m, const std::vector<std::array<int, 2>>& a, const std::vector<std::array<int, 2>>& b) {
    thread_local TSIET t;
    const int nohy = 2 * m;
    t.priprav(nohy + 2 * static_cast<int>(a.size() + b.size()));
    std::array<int, MAXQ + 1> posledny{};
    for (int q = 1; q <= m; ++q) posledny[static_cast<std::size_t>(q)] = q - 1;
    int uzol = nohy;
    auto pridaj = [&](const std::array<int, 2>& p) {
        for (int q : p)
            if (q < 1 || q > m) zlyindex(q, 1, m);
        // a node has room for three edges: two CNOT nodes on one wire would not fit
        if (p[0] == p[1])
            throw ChybaBehu("rezy: CNOT s kontrolou na cielovom qubite " + std::to_string(p[0]));
        const int k = uzol++, c = uzol++;
        t.hrana(posledny[static_cast<std::size_t>(p[0])], k);
        t.hrana(posledny[static_cast<std::size_t>(p[1])], c);
        t.hrana(k, c);
        posledny[static_cast<std::size_t>(p[0])] = k;
        posledny[static_cast<std::size_t>(p[1])] = c;
    };
    for (const auto& p : a) pridaj(p);
    for (const auto& p : b) pridaj(p);
    for (int q = 1; q <= m; ++q) t.hrana(posledny[static_cast<std::size_t>(q)], m + q - 1);
    return t;
}

}  // namespace

TREZYNOH rezynoh(const TMAT& U, int m) {
    if (m < 1 || m > MAXQ)
        throw ChybaBehu("rezynoh: pocet qubitov " + std::to_string(m) + " mimo rozsahu 1..5");
    const int d = 1 << m;
    if (U.rows() != d || U.cols() != d)
        throw ChybaBehu("rezynoh: matica " + std::to_string(U.rows()) + "x" + std::to_string(U.cols()) +
                        " nie je pre " + std::to_string(m) + " qubitov");
    const int nohy = 2 * m;
    std::vector<std::pair<int, std::uint16_t>> rezy;  // {potreba, maska}
    bool plne = true;
    for (int maska = 1; maska < (1 << nohy) - 1; maska += 2) {
        int ns = 0;
        for (int l = 0; l < nohy; ++l) ns += (maska >> l) & 1;
        TMAT R(1 << ns, 1 << (nohy - ns));
        for (int o = 0; o < d; ++o)
            for (int i = 0; i < d; ++i) {
                int riadok = 0, stlpec = 0;
                for (int l = 0; l < nohy; ++l) {
                    const int b = ((l < m ? i : o) >> bitnohy(m, l)) & 1;
                    if ((maska >> l) & 1)
                        riadok = 2 * riadok + b;
                    else
                        stlpec = 2 * stlpec + b;
                }
                R(riadok, stlpec) = U(o, i);
            }
        const int potreba = potrebavazieb(R);
        if (potreba < std::min(ns, nohy - ns)) plne = false;
        rezy.push_back({potreba, static_cast<std::uint16_t>(maska)});
    }
    std::stable_sort(rezy.begin(), rezy.end(),
                     [](const auto& x, const auto& y) { return x.first > y.first; });
    TREZYNOH r;
    r.m = m;
    r.plne = plne;
    for (const auto& [potreba, maska] : rezy) {
        r.maska.push_back(maska);
        r.potreba.push_back(potreba);
    }
    return r;
}

int potrebavazieb(const TMAT& R) {
    // singular values below this part of the largest count as zero: far
    // above rounding, far below any a circuit's unitary has
    constexpr double NULA = 1e-8;
    const Eigen::VectorXd sv = Eigen::JacobiSVD<TMAT>(R).singularValues();
    int hodnost = 0;
    for (Eigen::Index k = 0; k < sv.size(); ++k)
        if (sv(k) > NULA * sv(0)) ++hodnost;
    int potreba = 0;
    while ((1 << potreba) < hodnost) ++potreba;
    return potreba;
}

int nedostatoknoh(const TREZYNOH& r, const std::vector<std::array<int, 2>>& a,
                  const std::vector<std::array<int, 2>>& b, int strop) {
    if (r.maska.empty()) return 0;
    TSIET& s = siet(r.m, a, b);
    const int nohy = 2 * r.m;
    // With a finite strop a cut's flow is only wanted up to potreba - strop:
    // the result is then above strop exactly when the largest shortfall is.
    const int zaklad = strop == std::numeric_limits<int>::max() ? 0 : std::max(0, strop);
    int h = 0;
    for (std::size_t i = 0; i < r.maska.size(); ++i) {
        // sorted: no later cut is short by more
        if (r.potreba[i] <= std::max(h, zaklad)) break;
        const int chyba = r.potreba[i] - s.tok(r.maska[i], nohy, r.potreba[i] - zaklad);
        h = std::max(h, chyba);
        if (h > strop) return h;
    }
    return h;
}

int prebytoknoh(const TREZYNOH& r, const std::vector<std::array<int, 2>>& s, int strop) {
    if (r.maska.empty()) return 0;
    TSIET& t = siet(r.m, s, {});
    const int nohy = 2 * r.m;
    int suma = 0;
    for (std::size_t i = 0; i < r.maska.size(); ++i) {
        // a cut is never more than the legs on one side; a flow beyond
        // potreba + what strop leaves is not needed
        const int najviac =
            strop == std::numeric_limits<int>::max() ? nohy : r.potreba[i] + (strop - suma) + 1;
        suma += std::max(0, t.tok(r.maska[i], nohy, najviac) - r.potreba[i]);
        if (suma > strop) return suma;
    }
    return suma;
}

}  // namespace qlc::synteza
