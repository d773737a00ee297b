#pragma once
// Shared helpers of the view tests: a window model on the recording
// platform, gates built by hand, and drawn primitives as short texts so a
// whole glyph can be compared in one assertion.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/form1.h"
#include "tests/model.h"
#include "tests/zaznam.h"

namespace qlc::test {

// The view tests run on a fresh window model.
using Okno = ModelTest;

inline TMATICA2 maticanot() { return {0.0, 1.0, 1.0, 0.0}; }
inline TMATICA2 maticaz() { return {1.0, 0.0, 0.0, -1.0}; }
// diag(1, e^(i t)): a phase gate, drawn as a box with "E"; distinct t tell
// gates apart.
inline TMATICA2 faza(double t) { return diag2(1.0, TKOMPLEX(std::cos(t), std::sin(t))); }

// "elipsa 40 44 52 56", "pero 0 0 255 w2", "pismo 0 0 0 h20", "text 10 122 '1'".
inline std::string popis(const Primitiva& x) {
    std::string s = x.druh;
    if (x.druh == "pero" || x.druh == "stetec" || x.druh == "pismo") {
        s += " " + std::to_string(x.farba.r) + " " + std::to_string(x.farba.g) + " " +
             std::to_string(x.farba.b);
        if (x.druh == "pero") s += " w" + std::to_string(x.cisla.at(0));
        if (x.druh == "pismo") s += " h" + std::to_string(x.cisla.at(0));
        return s;
    }
    for (int c : x.cisla) s += " " + std::to_string(c);
    if (x.druh == "text") s += " '" + x.text + "'";
    return s;
}

inline std::vector<std::string> popisy(const std::vector<Primitiva>& v, std::size_t od = 0) {
    std::vector<std::string> s;
    for (std::size_t i = od; i < v.size(); ++i) s.push_back(popis(v[i]));
    return s;
}

// Band labels stand at the frame's left edge x = 10; the qubit numbers of
// the lines a little right of it.
inline bool znackapasu(const Primitiva& x) { return x.druh == "text" && x.cisla.at(0) == 10; }
inline bool znackaqubitu(const Primitiva& x) {
    return x.druh == "text" && x.cisla.at(0) > 10 && x.cisla.at(0) < 20 && !x.text.empty() && x.text[0] >= '1' &&
           x.text[0] <= '5';
}

// Index just after the first band's label, where the first gate's
// primitives begin.
inline std::size_t pozznacke(const std::vector<Primitiva>& v) {
    for (std::size_t i = 0; i < v.size(); ++i)
        if (znackapasu(v[i])) return i + 1;
    return v.size();
}

// Horizontal lines across the whole frame: the qubit lines, by their y.
inline std::vector<int> ciaryqubitov(const ZaznamPlatno& k) {
    std::vector<int> y;
    for (const auto& x : k.druhu("ciara"))
        if (x.cisla[0] == 10 && x.cisla[2] == 1000 && x.cisla[1] == x.cisla[3]) y.push_back(x.cisla[1]);
    return y;
}

// Texts that are not band labels (the letters of boxed gates).
inline std::vector<std::string> pismena(const ZaznamPlatno& k) {
    std::vector<std::string> s;
    for (const auto& x : k.druhu("text"))
        if (!x.text.empty() && (x.text[0] < '0' || x.text[0] > '9')) s.push_back(x.text);
    return s;
}

}  // namespace qlc::test
