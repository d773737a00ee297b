#pragma once
// A recording implementation of the platform interface: every log line,
// box, control change and drawn primitive is kept for the tests to assert.
#include <deque>
#include <string>
#include <vector>

#include "core/platforma.h"

namespace qlc::test {

struct Primitiva {
    std::string druh;           // "pero", "stetec", "pismo", "vypln", "ciara", "elipsa", "obdlznik", "text"
    std::vector<int> cisla;     // coordinates, or width / height
    TFarba farba;               // colour of pero, stetec, pismo
    std::string text;           // for "text"
};

class ZaznamPlatno : public Platno {
public:
    std::vector<Primitiva> p;
    void pero(TFarba f, int h) override { p.push_back({"pero", {h}, f, {}}); }
    void stetec(TFarba f) override { p.push_back({"stetec", {}, f, {}}); }
    void pismo(int v, TFarba f) override { p.push_back({"pismo", {v}, f, {}}); }
    void vypln(int l, int t, int r, int b) override { p.push_back({"vypln", {l, t, r, b}, {}, {}}); }
    void ciara(int a, int b, int c, int d) override { p.push_back({"ciara", {a, b, c, d}, {}, {}}); }
    void elipsa(int l, int t, int r, int b) override { p.push_back({"elipsa", {l, t, r, b}, {}, {}}); }
    void obdlznik(int l, int t, int r, int b) override { p.push_back({"obdlznik", {l, t, r, b}, {}, {}}); }
    void text(int x, int y, const std::string& s) override { p.push_back({"text", {x, y}, {}, s}); }
    // Primitives of one kind.
    std::vector<Primitiva> druhu(const std::string& d) const {
        std::vector<Primitiva> v;
        for (const auto& x : p)
            if (x.druh == d) v.push_back(x);
        return v;
    }
};

class ZaznamPlatforma : public Platforma {
public:
    std::vector<std::string> logy;     // Memo1 lines
    std::vector<std::string> infoboxy;  // information boxes (OK, and OK/Cancel)
    std::vector<std::string> chyby;     // error boxes
    std::vector<Ovladac> zmeny;
    ZaznamPlatno kresba;
    // Answers of the OK/Cancel boxes in order; true (OK) once they run out.
    std::deque<bool> odpovede;
    std::deque<std::optional<std::string>> subory;  // answers of the file dialogs
    std::deque<bool> form5odpovede;
    std::uint32_t seed = 12345;
    int progresy = 0;  // number of progress bar changes

    void memo(const std::string& r) override { logy.push_back(r); }
    void infobox(const std::string& t) override { infoboxy.push_back(t); }
    void chybabox(const std::string& t) override { chyby.push_back(t); }
    bool okcancelbox(const std::string& t) override {
        infoboxy.push_back(t);
        if (odpovede.empty()) return true;
        const bool o = odpovede.front();
        odpovede.pop_front();
        return o;
    }
    void zmena(Ovladac o) override {
        if (o == Ovladac::ProgressBar1)
            ++progresy;
        else
            zmeny.push_back(o);
    }
    Platno& platno() override { return kresba; }
    std::optional<std::string> otvordialog(const std::string&, const std::string&) override { return dalsi(); }
    std::optional<std::string> ulozdialog(const std::string&, const std::string&, const std::string&) override {
        return dalsi();
    }
    bool form5() override {
        if (form5odpovede.empty()) return true;
        const bool o = form5odpovede.front();
        form5odpovede.pop_front();
        return o;
    }
    std::uint32_t semienko() override { return seed++; }

    bool malog(const std::string& r) const {
        for (const auto& l : logy)
            if (l == r) return true;
        return false;
    }
    void vycisti() {
        logy.clear();
        infoboxy.clear();
        chyby.clear();
        zmeny.clear();
        kresba.p.clear();
    }

private:
    std::optional<std::string> dalsi() {
        if (subory.empty()) return std::nullopt;
        auto s = subory.front();
        subory.pop_front();
        return s;
    }
};

}  // namespace qlc::test
