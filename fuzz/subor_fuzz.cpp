// The matrix-file reader on any file: it reads a matrix or refuses with
// ChybaSuboru, and leaves no file open either way. A matrix it reads is one
// of the sizes the system handles, with finite zero-snapped entries; the
// in-memory reader gives the same matrix from the same text, and the
// writer's matrix section of it reads back to 15 significant digits.
//
// The matrices are 64 x 64 arrays (64 kB): they are read into static
// storage, since clearing and copying them would cost more than reading a
// typical input.
#include <cstdint>
#include <cstring>
#include <string>

#include "app/subory.h"
#include "fuzz/pomocne.h"

using namespace qlc;

namespace {

fuzz::TDocasny& subor() {
    static fuzz::TDocasny d;
    return d;
}

TNacitanaMatica zosuboru, zpamati, spat;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::TDocasny& d = subor();
    d.zapis(data, size);
    bool precitana = false;
    // citajmaticu also hands a file with the NumPy magic to the .npy reader
    fuzz::bezuniku([&] {
        try {
            zosuboru = citajmaticu(d.meno());
            precitana = true;
        } catch (const ChybaSuboru&) {
        }
    });
    if (!precitana || (size >= 6 && std::memcmp(data, "\x93NUMPY", 6) == 0)) return 0;

    const int n = zosuboru.rozmer;
    if ((n != 4 && n != 8 && n != 16 && n != 32) || (1 << zosuboru.pocetq) != n)
        fuzz::zlyhanie("precitany rozmer nie je 4, 8, 16 ani 32");
    try {
        zpamati = citajtext(std::string(reinterpret_cast<const char*>(data), size), "m.mat");
    } catch (const ChybaSuboru&) {
        fuzz::zlyhanie("citanie z pamate odmieta, co citanie zo suboru prijalo");
    }
    if (zpamati.rozmer != n) fuzz::zlyhanie("rozmery zo suboru a z pamate sa lisia");
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            const TKOMPLEX z = zosuboru.A(i, j), w = zpamati.A(i, j);
            fuzz::overhodnotu(z);
            if (z.re != w.re || z.im != w.im) fuzz::zlyhanie("prvky zo suboru a z pamate sa lisia");
        }
    try {
        spat = citajtext(textmatice(zosuboru.A, n), "spat.mat");
    } catch (const ChybaSuboru&) {
        fuzz::zlyhanie("zapisana matica sa neda precitat");
    }
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (!fuzz::na15cifier(zosuboru.A(i, j), spat.A(i, j)))
                fuzz::zlyhanie("zapisana matica nedava hodnoty na 15 cifier");
    return 0;
}
