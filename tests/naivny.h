#pragma once
// The reference product of the tests: every term of every sum, in
// increasing k, snapped after every product and every sum, with no term
// skipped. Entries outside the leading n x n block are taken from X.
#include "core/matica.h"

namespace qlc::test {

inline TMATICA1 naivnysucin(const TMATICA1& X, const TMATICA1& Y, int n) {
    TMATICA1 Z = X;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            TKOMPLEX s;
            for (int k = 1; k <= n; ++k) s = s + X(i, k) * Y(k, j);
            Z(i, j) = s;
        }
    return Z;
}

}  // namespace qlc::test
