#pragma once
// Fixed-size arrays indexed lo..hi, as the algorithms describe them. Every
// access is checked; a bad index throws ChybaRozsahu instead of touching
// memory outside the array.
#include <array>
#include <cstddef>
#include <string>

#include "chyby.h"

namespace qlc {

[[noreturn]] void zlyindex(long long i, long long lo, long long hi);

template <typename T, int LO, int HI>
class Pole {
public:
    static_assert(HI >= LO);
    static constexpr int lo = LO;
    static constexpr int hi = HI;

    T& operator[](long long i) {
        if (i < LO || i > HI) zlyindex(i, LO, HI);
        return d_[static_cast<std::size_t>(i - LO)];
    }
    const T& operator[](long long i) const {
        if (i < LO || i > HI) zlyindex(i, LO, HI);
        return d_[static_cast<std::size_t>(i - LO)];
    }
    void vypln(const T& v) { d_.fill(v); }
    T* data() { return d_.data(); }
    const T* data() const { return d_.data(); }
    bool operator==(const Pole&) const = default;

private:
    std::array<T, static_cast<std::size_t>(HI - LO + 1)> d_{};
};

}  // namespace qlc
