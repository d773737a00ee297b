#include "struktura.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/chyby.h"
#include "multiplexor.h"
#include "tolerancie.h"

namespace qlc::synteza {

namespace {

using TKOMP = std::complex<double>;

int pocetqubitov(const TMAT& U, const std::vector<int>& qubity, const char* kto) {
    const int m = static_cast<int>(qubity.size());
    if (m < 1 || m > 6 || U.rows() != (Eigen::Index{1} << m) || U.cols() != U.rows())
        throw ChybaBehu(std::string(kto) + ": matica " + std::to_string(U.rows()) + " x " +
                        std::to_string(U.cols()) + " pre " + std::to_string(m) + " qubitov");
    return m;
}

// The nearest unitary to A (its polar factor): A = W S V^dagger -> W V^dagger.
TMAT najblizsiaunitarna(const TMAT& A) {
    Eigen::JacobiSVD<TMAT> svd(A, Eigen::ComputeFullU | Eigen::ComputeFullV);
    return svd.matrixU() * svd.matrixV().adjoint();
}

// Placement of the split qubits' bits and of the other bits in U's index:
// index(a, b) = vnutri[a] | mimo[b], a over the split positions and b over
// the rest, each with its first position as the most significant bit.
struct TROZMIESTNENIE {
    std::vector<int> vnutri, mimo;
};

TROZMIESTNENIE rozmiestni(int m, const std::vector<int>& pozicie) {
    std::vector<int> ostatne;
    for (int p = 0; p < m; ++p)
        if (std::find(pozicie.begin(), pozicie.end(), p) == pozicie.end()) ostatne.push_back(p);
    auto tabulka = [m](const std::vector<int>& poz) {
        const int k = static_cast<int>(poz.size());
        std::vector<int> t(std::size_t{1} << k, 0);
        for (int a = 0; a < (1 << k); ++a)
            for (int j = 0; j < k; ++j)
                if ((a >> (k - 1 - j)) & 1)
                    t[static_cast<std::size_t>(a)] |= 1 << (m - 1 - poz[static_cast<std::size_t>(j)]);
        return t;
    };
    return {tabulka(pozicie), tabulka(ostatne)};
}

// Tries U = A (x) B with A on the positions pozicie of U's qubits. On success
// A is exactly unitary, B = tr_A((A^dagger (x) I) U) / dim A and the product
// rebuilds U within ROZKLAD_PRESNOST of its largest entry.
bool oddel(const TMAT& U, int m, const std::vector<int>& pozicie, TMAT& A, TMAT& B) {
    const TROZMIESTNENIE r = rozmiestni(m, pozicie);
    const int da = static_cast<int>(r.vnutri.size()), db = static_cast<int>(r.mimo.size());
    const TMAT R = prerovnana(U, m, pozicie);
    // Rank 1 means every column is a multiple of the largest one: a check
    // in O(size of U) that turns a generic matrix down before any SVD. The
    // bound is loose (noise of the largest column enters every residual);
    // the rebuild below decides.
    const double medza = ROZKLAD_PRESNOST * maxprvok(U);
    Eigen::Index jmax = 0;
    const double nmax = R.colwise().norm().maxCoeff(&jmax);
    if (!(nmax > 0)) return false;
    const Eigen::VectorXcd smer = R.col(jmax) / nmax;
    for (Eigen::Index j = 0; j < R.cols(); ++j) {
        const TKOMP priemet = smer.dot(R.col(j));
        if (!((R.col(j) - priemet * smer).cwiseAbs().maxCoeff() <= 4.0 * da * medza)) return false;
    }
    // the factor: the leading left singular vector of R, the least-squares fit
    Eigen::JacobiSVD<TMAT> svd(R, Eigen::ComputeThinU);
    A.resize(da, da);
    for (int a = 0; a < da; ++a)
        for (int a2 = 0; a2 < da; ++a2) A(a, a2) = svd.matrixU()(a * da + a2, 0);
    A = najblizsiaunitarna(A);
    // the phase of A is free (B takes the inverse): its largest entry real positive
    Eigen::Index ir = 0, is = 0;
    A.cwiseAbs().maxCoeff(&ir, &is);
    const TKOMP vrchol = A(ir, is);
    A *= std::conj(vrchol) / std::abs(vrchol);
    B = TMAT::Zero(db, db);
    for (int b = 0; b < db; ++b)
        for (int b2 = 0; b2 < db; ++b2) {
            TKOMP sum = 0;
            for (int a = 0; a < da; ++a)
                for (int a2 = 0; a2 < da; ++a2)
                    sum += std::conj(A(a, a2)) *
                           U(r.vnutri[static_cast<std::size_t>(a)] | r.mimo[static_cast<std::size_t>(b)],
                             r.vnutri[static_cast<std::size_t>(a2)] | r.mimo[static_cast<std::size_t>(b2)]);
            B(b, b2) = sum / static_cast<double>(da);
        }
    for (int a = 0; a < da; ++a)
        for (int a2 = 0; a2 < da; ++a2)
            for (int b = 0; b < db; ++b)
                for (int b2 = 0; b2 < db; ++b2)
                    if (!(std::abs(A(a, a2) * B(b, b2) - U(r.vnutri[static_cast<std::size_t>(a)] |
                                                               r.mimo[static_cast<std::size_t>(b)],
                                                           r.vnutri[static_cast<std::size_t>(a2)] |
                                                               r.mimo[static_cast<std::size_t>(b2)])) <=
                          medza))
                        return false;
    return true;
}

std::vector<int> bez(const std::vector<int>& qubity, const std::vector<int>& pozicie) {
    std::vector<int> zvysok;
    for (std::size_t p = 0; p < qubity.size(); ++p)
        if (std::find(pozicie.begin(), pozicie.end(), static_cast<int>(p)) == pozicie.end())
            zvysok.push_back(qubity[p]);
    return zvysok;
}

void rozdel(const TMAT& U, const std::vector<int>& qubity, std::vector<TFAKTOR>& faktory) {
    const int m = static_cast<int>(qubity.size());
    if (m == 1) {
        faktory.push_back({qubity, U});
        return;
    }
    TMAT A, B;
    for (int p = 0; p < m; ++p)
        if (oddel(U, m, {p}, A, B)) {
            faktory.push_back({{qubity[static_cast<std::size_t>(p)]}, A});
            rozdel(B, bez(qubity, {p}), faktory);
            return;
        }
    // no one-qubit factor: a pair can split off only from four or more
    if (m >= 4)
        for (int p = 0; p < m; ++p)
            for (int r = p + 1; r < m; ++r)
                if (oddel(U, m, {p, r}, A, B)) {
                    faktory.push_back(
                        {{qubity[static_cast<std::size_t>(p)], qubity[static_cast<std::size_t>(r)]}, A});
                    rozdel(B, bez(qubity, {p, r}), faktory);
                    return;
                }
    faktory.push_back({qubity, U});
}

// The unitary whose columns are the eigenvectors of v.sigma (v a unit
// vector) for +1 and -1: it takes Z to v.sigma by conjugation.
TMAT2 bazasmeru(const Eigen::Vector3d& v) {
    const double theta = std::acos(std::clamp(v(2), -1.0, 1.0));
    const double phi = std::atan2(v(1), v(0));
    const double c = std::cos(theta / 2), s = std::sin(theta / 2);
    TMAT2 k;
    k << c, -std::polar(s, -phi), std::polar(s, phi), c;
    return k;
}

}  // namespace

TMAT prerovnana(const TMAT& U, int m, const std::vector<int>& pozicie) {
    const TROZMIESTNENIE r = rozmiestni(m, pozicie);
    const int da = static_cast<int>(r.vnutri.size()), db = static_cast<int>(r.mimo.size());
    TMAT R(da * da, db * db);
    for (int a = 0; a < da; ++a)
        for (int a2 = 0; a2 < da; ++a2)
            for (int b = 0; b < db; ++b)
                for (int b2 = 0; b2 < db; ++b2)
                    R(a * da + a2, b * db + b2) =
                        U(r.vnutri[static_cast<std::size_t>(a)] | r.mimo[static_cast<std::size_t>(b)],
                          r.vnutri[static_cast<std::size_t>(a2)] | r.mimo[static_cast<std::size_t>(b2)]);
    return R;
}

double maxprvok(const TMAT& U) { return U.size() == 0 ? 0.0 : U.cwiseAbs().maxCoeff(); }

bool skalarna(const TMAT& U, std::complex<double>& c) {
    if (U.rows() == 0 || U.rows() != U.cols()) return false;
    const TKOMP z = U(0, 0);
    if (!(std::abs(z) > 0)) return false;
    c = z / std::abs(z);
    const double medza = ROZKLAD_PRESNOST * maxprvok(U);
    for (Eigen::Index i = 0; i < U.rows(); ++i)
        for (Eigen::Index j = 0; j < U.cols(); ++j)
            if (!(std::abs(U(i, j) - (i == j ? c : TKOMP(0))) <= medza)) return false;
    return true;
}

bool diagonalna(const TMAT& U) {
    if (U.rows() == 0 || U.rows() != U.cols()) return false;
    const double medza = ROZKLAD_PRESNOST * maxprvok(U);
    for (Eigen::Index i = 0; i < U.rows(); ++i)
        for (Eigen::Index j = 0; j < U.cols(); ++j)
            if (i != j && !(std::abs(U(i, j)) <= medza)) return false;
    return true;
}

std::vector<TFAKTOR> kroneckerfaktory(const TMAT& U, const std::vector<int>& qubity) {
    pocetqubitov(U, qubity, "kroneckerfaktory");
    std::vector<TFAKTOR> faktory;
    rozdel(U, qubity, faktory);
    auto poradie = [&](const TFAKTOR& f) {
        return std::find(qubity.begin(), qubity.end(), f.qubity.front());
    };
    std::sort(faktory.begin(), faktory.end(),
              [&](const TFAKTOR& x, const TFAKTOR& y) { return poradie(x) < poradie(y); });
    return faktory;
}

bool lokalnediagonalna(const TMAT& U, int m, TLOKALNADIAG& r) {
    if (m < 1 || m > 6 || U.rows() != (Eigen::Index{1} << m) || U.cols() != U.rows())
        throw ChybaBehu("lokalnediagonalna: matica " + std::to_string(U.rows()) + " x " +
                        std::to_string(U.cols()) + " pre " + std::to_string(m) + " qubitov");
    const Eigen::Index d = U.rows();
    r.pred.assign(static_cast<std::size_t>(m), TMAT2::Identity());
    r.po.assign(static_cast<std::size_t>(m), TMAT2::Identity());
    TMAT D = U;
    for (int p = 0; p < m; ++p) {
        // columns: U sigma_j and -sigma_j U, real and imaginary parts; a null
        // vector (n, m') gives U (n.sigma) = (m'.sigma) U
        Eigen::MatrixXd A(2 * d * d, 6);
        for (int j = 0; j < 3; ++j) {
            const TMAT a = jednoqzprava(U, paulimat(j + 1), p + 1, m);
            const TMAT b = -jednoqzlava(paulimat(j + 1), p + 1, m, U);
            A.col(j) << a.real().reshaped(), a.imag().reshaped();
            A.col(3 + j) << b.real().reshaped(), b.imag().reshaped();
        }
        Eigen::JacobiSVD<Eigen::MatrixXd> svd(A, Eigen::ComputeThinV);
        // A's columns have norm sqrt(2^m): a pair exists only where the
        // smallest singular value is rounding
        if (!(svd.singularValues()(5) <= 1e-9 * std::sqrt(static_cast<double>(d)))) return false;
        const Eigen::VectorXd x = svd.matrixV().col(5);
        const Eigen::Vector3d n = x.head<3>(), mm = x.tail<3>();
        if (!(n.norm() > 0.5) || !(mm.norm() > 0.5)) return false;
        r.pred[static_cast<std::size_t>(p)] = bazasmeru(n / n.norm()).adjoint();
        r.po[static_cast<std::size_t>(p)] = bazasmeru(mm / mm.norm());
        D = jednoqzlava(r.po[static_cast<std::size_t>(p)].adjoint(), p + 1, m, D);
        D = jednoqzprava(D, r.pred[static_cast<std::size_t>(p)].adjoint(), p + 1, m);
    }
    if (!diagonalna(D)) return false;
    r.D = std::move(D);
    return true;
}

void diagonalnyobvod(const TMAT& U, const std::vector<int>& qubity, TOBVOD& obvod) {
    const int m = pocetqubitov(U, qubity, "diagonalnyobvod");
    std::vector<double> fi(static_cast<std::size_t>(U.rows()));
    for (std::size_t j = 0; j < fi.size(); ++j)
        fi[j] = std::arg(U(static_cast<Eigen::Index>(j), static_cast<Eigen::Index>(j)));
    for (int k = m; k >= 2; --k) {
        // index 2s + t: t the bit of qubity[k-1], s that of qubity[0..k-2]
        const std::size_t n = fi.size() / 2;
        std::vector<double> theta(n), psi(n);
        for (std::size_t s = 0; s < n; ++s) {
            theta[s] = fi[2 * s + 1] - fi[2 * s];
            psi[s] = (fi[2 * s] + fi[2 * s + 1]) / 2;
        }
        multiplexrot(TOS::Z, theta, qubity[static_cast<std::size_t>(k - 1)],
                     std::vector<int>(qubity.begin(), qubity.begin() + (k - 1)), obvod);
        fi = std::move(psi);
    }
    TMAT2 d = TMAT2::Zero();
    d(0, 0) = std::polar(1.0, fi[0]);
    d(1, 1) = std::polar(1.0, fi[1]);
    obvod.jednoq(qubity[0], d);
}

}  // namespace qlc::synteza
