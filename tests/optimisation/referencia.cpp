#include "tests/optimisation/referencia.h"

#include <string>

namespace qlc::test::ref {
namespace {

bool vC(const TGATE1& x, int q) {
    for (int j = 1; j <= x.pocetk; ++j)
        if (x.kontroly[j] == q) return true;
    return false;
}
bool vQ(const TGATE1& x, int q) { return x.ciel == q || vC(x, q); }
// C(x) within Q(y).
bool CvQ(const TGATE1& x, const TGATE1& y) {
    for (int j = 1; j <= x.pocetk; ++j)
        if (!vQ(y, x.kontroly[j])) return false;
    return true;
}
// C(x) within C(y).
bool CvC(const TGATE1& x, const TGATE1& y) {
    for (int j = 1; j <= x.pocetk; ++j)
        if (!vC(y, x.kontroly[j])) return false;
    return true;
}
bool rovne(TKOMPLEX a, TKOMPLEX b) { return rovnasa(a, b); }
bool D(const TGATE1& x) { return diagonalna2(x.U); }
bool anti(const TGATE1& x) { return rovne(x.U(1, 1), 0.0) && rovne(x.U(2, 2), 0.0); }
bool cp(const TGATE1& x) { return D(x) && rovne(x.U(1, 1), 1.0); }
bool sk(const TGATE1& x) { return D(x) && rovne(x.U(1, 1), x.U(2, 2)); }
bool jecnot(TForm1& f, const TGATE1& x) { return x.pocetk == 1 && rovnake2(x.U, f.matnot, f.eps); }

std::uint8_t skok(TForm1& f, Stav& s, int pos1, int pos2, int mode) {
    TGATE1& b1 = f.brany[pos1];
    TGATE1& b2 = f.brany[pos2];
    if (mode == 1 && CvC(b1, b2) && b1.ciel != b2.ciel && anti(b1)) {
        if (!vC(b2, b1.ciel)) f.log("!!!Prehod brany: programatorska chyba zly predpoklad v podmienke!!");
        s.vloz = true;
        s.vlozpri = pos1;
        s.vlozbrana.pocetk = static_cast<std::uint8_t>(b2.pocetk - 1);
        int c = 0;
        std::vector<int> q{b2.ciel};
        for (int j = 1; j <= b2.pocetk; ++j) q.push_back(b2.kontroly[j]);
        for (int x : q) {
            if (x == b1.ciel) continue;
            if (c == 0)
                s.vlozbrana.ciel = static_cast<std::uint8_t>(x);
            else
                s.vlozbrana.kontroly[c] = static_cast<std::uint8_t>(x);
            ++c;
        }
        if (c != b2.pocetk) f.log("!!!Prehod brany: programatorska chyba +-1");
        s.vlozbrana.vyradena = false;
        s.vlozbrana.U = b2.U;
        TMATICA2 h = hermit2(b2.U);
        b2.U = h;
        return 4;
    }
    if (mode == 2 && CvC(b2, b1) && b1.ciel != b2.ciel && anti(b2)) {
        if (!vC(b1, b2.ciel)) f.log("!!!Prehod brany: programatorska chyba zly predpoklad v podmienke!!");
        s.vloz = true;
        s.vlozpri = pos2;
        s.vlozbrana.pocetk = static_cast<std::uint8_t>(b1.pocetk - 1);
        int c = 0;
        std::vector<int> q{b1.ciel};
        for (int j = 1; j <= b1.pocetk; ++j) q.push_back(b1.kontroly[j]);
        for (int x : q) {
            if (x == b2.ciel) continue;
            if (c == 0)
                s.vlozbrana.ciel = static_cast<std::uint8_t>(x);
            else
                s.vlozbrana.kontroly[c] = static_cast<std::uint8_t>(x);
            ++c;
        }
        if (c != b1.pocetk) f.log("!!!Prehod brany: programatorska chyba +-1");
        s.vlozbrana.vyradena = false;
        s.vlozbrana.U = b1.U;
        TMATICA2 h = hermit2(b1.U);
        b1.U = h;
        return 4;
    }
    return 0;
}

}  // namespace

bool najblvlavo(TForm1& f, int& pos) {
    if (pos > f.pocetb1) {
        f.log("Do najblvlavo si poslal pos>pocetb1");
        pos = f.pocetb1 + 1;
    }
    if (pos < 1) {
        f.log("Do najblvlavo si poslal pos<1");
        pos = 1;
    }
    if (pos == 1) return false;
    do {
        pos = pos - 1;
    } while (!(pos == 1 || !f.brany[pos].vyradena));
    return !f.brany[pos].vyradena;
}

bool najblvpravo(TForm1& f, int& pos) {
    if (pos > f.pocetb1) {
        f.log("Do najblvpravo si poslal pos>pocetb1");
        pos = f.pocetb1;
    }
    if (pos < 1) {
        f.log("Do najblvpravo si poslal pos<1");
        pos = 0;
    }
    if (pos == f.pocetb1) return false;
    do {
        pos = pos + 1;
    } while (!(pos == f.pocetb1 || !f.brany[pos].vyradena));
    return !f.brany[pos].vyradena;
}

std::uint8_t prehodbrany(TForm1& f, Stav& s, int pos1, int pos2, int mode) {
    if (pos1 >= pos2) {
        f.log("Do prehodbrany si poslal pos1>=pos2");
        return 0;
    }
    TGATE1& b1 = f.brany[pos1];
    TGATE1& b2 = f.brany[pos2];
    if (!f.roboptim && (b1.pocetk != 0 || b2.pocetk != 0)) return 0;
    const bool kontrola = f.Kontrolptimkrok1;
    TMATICA1 M1, M2;
    if (kontrola) {
        M1 = f.maticabrany(b1);
        M2 = f.maticabrany(b2);
    }
    const bool cnot1 = jecnot(f, b1), cnot2 = jecnot(f, b2);
    const bool c1 = CvQ(b1, b2), c2 = CvQ(b2, b1);
    std::uint8_t kod = 0;
    if (b1.ciel != b2.ciel) {
        const bool fv = vC(b2, b1.ciel), gv = vC(b1, b2.ciel);
        if (fv && !gv) {
            if (D(b1))
                kod = 3;
            else if (D(b2) && rovne(b2.U(1, 1), b2.U(2, 2)) && c2 && !cnot1) {
                const TKOMPLEX l = b2.U(1, 1);
                b1.U(1, 2) = b1.U(1, 2) * conj(l);
                b1.U(2, 1) = b1.U(2, 1) * l;
                kod = 1;
            }
        } else if (fv && gv) {
            if (D(b1) && rovne(b1.U(2, 2), 1.0))
                kod = 3;
            else if (D(b1) && D(b2))
                kod = 3;
            else if (D(b1) && c1 && !cnot2) {
                const TKOMPLEX m = b1.U(2, 2);
                b2.U(1, 2) = b2.U(1, 2) * m;
                b2.U(2, 1) = b2.U(2, 1) * conj(m);
                kod = 2;
            } else if (D(b1))
                kod = 0;
            else if (D(b2) && rovne(b2.U(2, 2), 1.0))
                kod = 3;
            else if (D(b2) && c2 && !cnot1) {
                const TKOMPLEX n = b2.U(2, 2);
                b1.U(1, 2) = b1.U(1, 2) * conj(n);
                b1.U(2, 1) = b1.U(2, 1) * n;
                kod = 1;
            }
        } else if (gv && !fv) {
            if (D(b2))
                kod = 3;
            else if (D(b1) && rovne(b1.U(1, 1), b1.U(2, 2)) && c1 && !cnot2) {
                const TKOMPLEX k = b1.U(1, 1);
                b2.U(1, 2) = b2.U(1, 2) * k;
                b2.U(2, 1) = b2.U(2, 1) * conj(k);
                kod = 2;
            }
        } else {
            kod = 3;
        }
    } else {
        const TMATICA2 P = nasob2(b1.U, b2.U);
        const TMATICA2 R = nasob2(b2.U, b1.U);
        if (rovnake2(P, R, f.eps)) {
            kod = 3;
        } else if ((mode == 1 || (mode == 2 && !c2)) && c1 && !cnot2) {
            b2.U = nasob2(nasob2(hermit2(b1.U), b2.U), b1.U);
            kod = 2;
        } else if ((mode == 2 || (mode == 1 && !c1)) && c2 && !cnot1) {
            b1.U = nasob2(nasob2(b2.U, b1.U), hermit2(b2.U));
            kod = 1;
        }
    }
    if (kod == 0 && !s.vloz) kod = skok(f, s, pos1, pos2, mode);
    if (kontrola) {
        const TMATICA1 P = nasob(M2, M1, f.rozmer);
        M1 = f.maticabrany(b1);
        M2 = f.maticabrany(b2);
        TMATICA1 R;
        if (kod == 4) {
            const TMATICA1 M3 = f.maticabrany(s.vlozbrana);
            R = mode == 1 ? nasob(M3, nasob(M1, M2, f.rozmer), f.rozmer)
                          : nasob(M1, nasob(M2, M3, f.rozmer), f.rozmer);
        } else {
            R = nasob(M1, M2, f.rozmer);
        }
        const bool eq = rovnake(P, R, f.rozmer, f.eps);
        if ((eq && kod == 0) || (!eq && kod != 0)) {
            static const char* odp[] = {"FALSE", "Za cenu zmeny b1", "Za cenu zmeny b2", "TRUE",
                                        "\"Skok cez Lm(.) branu\""};
            f.log("Rozdielne vysledky pre prehod bran:" + std::to_string(pos1) + "," + std::to_string(pos2) +
                  ". mojalg:" + odp[kod] + (eq ? "Matice:TRUE" : "Matice:FALSE"));
            f.zlakontrola();
        }
    }
    return kod;
}

std::uint8_t spravid(TForm1& f, int pos1, int pos2) {
    if (pos1 >= pos2) {
        f.info("Do spravid si poslal pos1=" + std::to_string(pos1) + ">=" + std::to_string(pos2) +
               "pos2!!!!");
        return 0;
    }
    TGATE1& A = f.brany[pos1];
    TGATE1& B = f.brany[pos2];
    if (!f.roboptim && (A.pocetk != 0 || B.pocetk != 0)) return 0;
    const bool kontrola = f.Kontrolptimkrok1;
    TMATICA1 P;
    if (kontrola) P = nasob(f.maticabrany(B), f.maticabrany(A), f.rozmer);
    const bool cnotA = jecnot(f, A), cnotB = jecnot(f, B);
    const bool c1 = CvQ(A, B), c2 = CvQ(B, A);
    if (!(c1 && c2)) return 0;
    const bool fv = vC(B, A.ciel), gv = vC(A, B.ciel);
    const TKOMPLEX jedna(1.0);
    std::uint8_t kod = 0;
    auto obe = [&] {
        A.vyradena = true;
        B.vyradena = true;
        return std::uint8_t{3};
    };
    if (fv && gv) {
        if (cp(A) && cp(B) && rovne(A.U(2, 2) * B.U(2, 2), jedna))
            kod = obe();
        else if (cp(A)) {
            B.U = nasob2(B.U, A.U);
            A.vyradena = true;
            kod = 1;
        } else if (cp(B)) {
            A.U = nasob2(B.U, A.U);
            B.vyradena = true;
            kod = 2;
        }
    } else if (fv) {
        if (cp(A) && D(B) && rovne(A.U(2, 2) * B.U(1, 1), jedna) && rovne(A.U(2, 2) * B.U(2, 2), jedna))
            kod = obe();
        else if (cp(A) && !cnotB) {
            const TKOMPLEX a = A.U(2, 2);
            B.U = nasob2(B.U, diag2(a, a));
            A.vyradena = true;
            kod = 1;
        } else if (cp(A))
            kod = 0;
        else if (sk(B)) {
            const TKOMPLEX b = B.U(1, 1);
            A.U = nasob2(diag2(jedna, b), A.U);
            B.vyradena = true;
            kod = 2;
        }
    } else if (gv) {
        if (cp(B) && D(A) && rovne(B.U(2, 2) * A.U(1, 1), jedna) && rovne(B.U(2, 2) * A.U(2, 2), jedna))
            kod = obe();
        else if (cp(B) && !cnotA) {
            const TKOMPLEX b = B.U(2, 2);
            A.U = nasob2(diag2(b, b), A.U);
            B.vyradena = true;
            kod = 2;
        } else if (cp(B))
            kod = 0;
        else if (sk(A)) {
            const TKOMPLEX a = A.U(1, 1);
            B.U = nasob2(B.U, diag2(jedna, a));
            A.vyradena = true;
            kod = 1;
        }
    } else if (A.ciel != B.ciel) {
        if (sk(A) && sk(B) && rovne(A.U(1, 1) * B.U(1, 1), jedna))
            kod = obe();
        else if (sk(A)) {
            B.U = nasob2(B.U, A.U);
            A.vyradena = true;
            kod = 1;
        } else if (sk(B)) {
            A.U = nasob2(B.U, A.U);
            B.vyradena = true;
            kod = 2;
        }
    } else {
        const TMATICA2 T = nasob2(B.U, A.U);
        if (rovnake2(T, f.jednotka, f.eps))
            kod = obe();
        else {
            A.U = T;
            B.vyradena = true;
            kod = 2;
        }
    }
    if (kontrola) {
        const std::string c = std::to_string(pos1) + " , " + std::to_string(pos2);
        if (kod == 3 && !rovnake(P, jednotkova(f.rozmer), f.rozmer, f.eps)) {
            f.log("Vyhodil si dve brany netvoriace id. cisla:" + c);
            f.zlakontrola();
        }
        if (kod == 1 && !rovnake(P, f.maticabrany(B), f.rozmer, f.eps)) {
            f.log("Vyhodil si branu 1 neekvivalentne cisla:" + c);
            f.zlakontrola();
        }
        if (kod == 2 && !rovnake(P, f.maticabrany(A), f.rozmer, f.eps)) {
            f.log("Vyhodil si branu 2 neekvivalentne cisla:" + c);
            f.zlakontrola();
        }
    }
    return kod;
}

namespace {

void obnov(TForm1& f, Stav& s) {
    s.koniec = true;
    f.brany[s.tahana].U = s.zaloha[0];
    for (int j = 1; j <= s.pocetzaloh; ++j) f.brany[s.zalohapos[j]].U = s.zaloha[j];
}

void zapamataj(TForm1& f, Stav& s) {
    if (s.pocetzaloh != 4999) {
        s.pocetzaloh = s.pocetzaloh + 1;
        s.zalohapos[s.pocetzaloh] = s.pos;
    } else {
        f.brany[s.pos].U = s.zaloha[5000];
        obnov(f, s);
    }
}

}  // namespace

void optimalizacia(TForm1& f) {
    if (f.pocetb1 == 0) return;
    if (f.pocetb1 > 1000) {
        f.Zobroptimkroky = false;
        f.log("Vypinam zobrazovanie krokov optimalizacie, kvoli poctu bran QLC");
    }
    f.eps = 1e-7;
    f.log("Zacala sa prvotna optimalizacia.");
    Stav s;
    do {
        s.pocetpred = f.pocetb1;
        for (int i = 1; i <= f.pocetb1; ++i) f.brany[i].vyradena = false;
        s.tahana = 1;
        bool dalsia = f.pocetb1 > 0;
        while (dalsia) {
            s.pos = s.tahana;
            s.zaloha[0] = f.brany[s.tahana].U;
            s.pocetzaloh = 0;
            s.vloz = false;
            s.zlucena = false;
            if (najblvlavo(f, s.pos)) {
                s.koniec = false;
                do {
                    const std::uint8_t e = spravid(f, s.pos, s.tahana);
                    if (e != 0) {
                        s.koniec = true;
                        s.zlucena = true;
                        if (e == 1) {
                            f.brany[s.pos] = f.brany[s.tahana];
                            f.brany[s.pos].vyradena = false;
                            f.brany[s.tahana].vyradena = true;
                        }
                        if (s.vloz) {
                            for (int k = s.tahana; k >= s.vlozpri + 2; --k) f.brany[k] = f.brany[k - 1];
                            f.brany[s.vlozpri + 1] = s.vlozbrana;
                            s.vloz = false;
                        }
                    } else {
                        s.zaloha[s.pocetzaloh + 1] = f.brany[s.pos].U;
                        const std::uint8_t o = prehodbrany(f, s, s.pos, s.tahana, 1);
                        if (o == 0) obnov(f, s);
                        if (o == 1) zapamataj(f, s);
                        if (o != 0 && !najblvlavo(f, s.pos)) obnov(f, s);
                    }
                } while (!s.koniec);
            }
            if (!s.zlucena) {
                s.pos = s.tahana;
                s.pocetzaloh = 0;
                if (najblvpravo(f, s.pos)) {
                    s.koniec = false;
                    s.vloz = false;
                    do {
                        const std::uint8_t e = spravid(f, s.tahana, s.pos);
                        if (e != 0) {
                            s.koniec = true;
                            if (e == 2) {
                                f.brany[s.pos] = f.brany[s.tahana];
                                f.brany[s.pos].vyradena = false;
                                f.brany[s.tahana].vyradena = true;
                            }
                            if (s.vloz) {
                                for (int k = s.tahana; k <= s.vlozpri - 1; ++k) f.brany[k] = f.brany[k + 1];
                                f.brany[s.vlozpri] = s.vlozbrana;
                                s.vloz = false;
                            }
                        } else {
                            s.zaloha[s.pocetzaloh + 1] = f.brany[s.pos].U;
                            const std::uint8_t o = prehodbrany(f, s, s.tahana, s.pos, 2);
                            if (o == 0) obnov(f, s);
                            if (o == 2) zapamataj(f, s);
                            if (o != 0 && !najblvpravo(f, s.pos)) obnov(f, s);
                        }
                    } while (!s.koniec);
                }
            }
            dalsia = najblvpravo(f, s.tahana);
        }
        int j = 0;
        for (int i = 1; i <= f.pocetb1; ++i)
            if (!f.brany[i].vyradena) f.brany[++j] = f.brany[i];
        f.pocetb1 = j;
    } while (f.roboptim && f.pocetb1 != s.pocetpred);
}

}  // namespace qlc::test::ref
