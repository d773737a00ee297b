#pragma once
// Shared pieces of the fuzz targets: the input as a file the readers open
// by name, a check that a reader left no file descriptor open, and a stop
// that libFuzzer reports as a crash with the input that caused it.
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/komplex.h"

namespace qlc::fuzz {

// A property the target checks does not hold: abort, so that libFuzzer
// saves the input.
[[noreturn]] inline void zlyhanie(const char* co) {
    std::fprintf(stderr, "fuzz: %s\n", co);
    std::abort();
}

// The lowest free file descriptor: open returns it. A reader that leaves a
// descriptor open makes it higher after the call than before.
inline int najnizsivolny() {
    const int d = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (d < 0) zlyhanie("/dev/null");
    close(d);
    return d;
}

// Runs citac and aborts when it left a file descriptor open.
template <typename F>
void bezuniku(F&& citac) {
    const int pred = najnizsivolny();
    citac();
    if (najnizsivolny() != pred) zlyhanie("citac nechal otvoreny deskriptor suboru");
}

// One temporary file for the whole run, on tmpfs when there is one. It is
// unlinked at once and reached through /proc/self/fd, so nothing is left
// behind when the run ends, however it ends.
class TDocasny {
  public:
    TDocasny() {
        const char* tmp = std::getenv("TMPDIR");
        std::string vzor = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : tmp ? tmp : "/tmp";
        vzor += "/qlc-fuzz-XXXXXX";
        fd_ = mkstemp(vzor.data());
        if (fd_ < 0) zlyhanie("docasny subor sa neda vytvorit");
        unlink(vzor.c_str());
        meno_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    // The file now holds exactly data[0..size).
    void zapis(const std::uint8_t* data, std::size_t size) {
        if (ftruncate(fd_, 0) != 0) zlyhanie("ftruncate");
        std::size_t z = 0;
        while (z < size) {
            const ssize_t n = pwrite(fd_, data + z, size - z, static_cast<off_t>(z));
            if (n <= 0) zlyhanie("pwrite");
            z += static_cast<std::size_t>(n);
        }
    }
    const std::string& meno() const { return meno_; }

  private:
    int fd_ = -1;
    std::string meno_;
};

// Both parts finite and zero-snapped, as every stored value must be.
inline void overhodnotu(const TKOMPLEX& z) {
    for (double x : {z.re, z.im}) {
        if (!std::isfinite(x)) zlyhanie("precitana hodnota nie je konecna");
        if (x != 0.0 && std::fabs(x) <= NULA) zlyhanie("precitana hodnota nie je zaokruhlena k nule");
        if (x == 0.0 && std::signbit(x)) zlyhanie("precitana nula ma znamienko");
    }
}

// The part y read back from the text of x agrees with x to 15 significant
// digits. One exception is in the rules themselves: a part just above the
// snapping bound, up to 1.0000000000000005e-12, is written "1E-012", and
// that text is snapped to 0 when it is read.
inline bool cast15cifier(double x, double y) {
    constexpr double RELATIVNE = 6e-15;  // half a unit in the 15th digit, and rounding
    if (y == 0.0 && std::fabs(x) <= NULA * (1.0 + RELATIVNE)) return true;
    return std::fabs(y - x) <= RELATIVNE * std::fabs(x);
}

// w gives back z to 15 significant digits, part by part.
inline bool na15cifier(const TKOMPLEX& z, const TKOMPLEX& w) {
    return cast15cifier(z.re, w.re) && cast15cifier(z.im, w.im);
}

}  // namespace qlc::fuzz
