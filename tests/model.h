#pragma once
// Shared pieces of the tests: a window model on the recording platform,
// gates built by hand, and a bit-for-bit comparison of 2x2 matrices.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/form1.h"
#include "tests/zaznam.h"

namespace qlc::test {

// A fresh model per test, its creation's log already cleared.
struct ModelTest : ::testing::Test {
    ZaznamPlatforma p;
    std::unique_ptr<TForm1> f;
    void SetUp() override {
        f = std::make_unique<TForm1>(p);
        p.vycisti();
    }
    // The qubit count without a new random matrix.
    void qubity(int n) {
        f->pocetq = n;
        f->rozmer = 1 << n;
    }
    // Appends a gate to the store.
    void pridaj(const TGATE1& g) { f->brany[++f->pocetb1] = g; }
};

inline TGATE1 brana(const TMATICA2& U, int ciel, const std::vector<int>& kontroly = {}, bool vyradena = false) {
    TGATE1 g;
    g.U = U;
    g.ciel = static_cast<std::uint8_t>(ciel);
    for (int k : kontroly) g.kontroly[++g.pocetk] = static_cast<std::uint8_t>(k);
    g.vyradena = vyradena;
    return g;
}

inline bool rovnakebity(const TMATICA2& X, const TMATICA2& Y) {
    for (std::size_t k = 0; k < 4; ++k)
        if (X.a[k].re != Y.a[k].re || X.a[k].im != Y.a[k].im) return false;
    return true;
}

}  // namespace qlc::test
