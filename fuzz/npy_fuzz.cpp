// The .npy reader on any file: it reads a matrix or refuses with
// ChybaSuboru, leaves no file open, and a matrix read is 2^n x 2^n with
// 2 <= n <= 5 and finite, zero-snapped entries.
#include <cstdint>

#include "app/npy.h"
#include "fuzz/pomocne.h"

using namespace qlc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TDocasny d;
    d.zapis(data, size);
    TNacitanaMatica m;
    bool precitana = false;
    fuzz::bezuniku([&] {
        try {
            m = citajnpy(d.meno());
            precitana = true;
        } catch (const ChybaSuboru&) {
        }
    });
    if (!precitana) return 0;
    const int n = m.rozmer;
    if (m.pocetq < 2 || m.pocetq > 5 || n != (1 << m.pocetq)) fuzz::zlyhanie("precitany rozmer nie je 2^n, 2 <= n <= 5");
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) fuzz::overhodnotu(m.A(i, j));
    return 0;
}
