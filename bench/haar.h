#pragma once
// Seeded Haar-random unitaries for the benchmarks of the syntheses.
#include <Eigen/Dense>
#include <complex>
#include <random>

#include "synthesis/obvod.h"

namespace qlc::synteza::bench {

// QR of a complex Gaussian matrix, the phases of R's diagonal moved into Q.
inline TMAT haarova(int d, std::mt19937& gen) {
    std::normal_distribution<double> nd;
    TMAT Z(d, d);
    for (int i = 0; i < d; ++i)
        for (int j = 0; j < d; ++j) Z(i, j) = {nd(gen), nd(gen)};
    Eigen::HouseholderQR<TMAT> qr(Z);
    TMAT Q = qr.householderQ();
    for (int j = 0; j < d; ++j) {
        const std::complex<double> r = qr.matrixQR()(j, j);
        if (std::abs(r) > 0) Q.col(j) *= r / std::abs(r);
    }
    return Q;
}

}  // namespace qlc::synteza::bench
