#include "konzola.h"

#include <ostream>

#include "app/form1.h"

namespace qlc::cli {

Konzola::Konzola(std::ostream& out, std::ostream& err, bool terminal)
    : out_(out), err_(err), terminal_(terminal) {}

void Konzola::zmazprogres() {
    if (!progresvidno_) return;
    err_ << "\r\033[K" << std::flush;
    progresvidno_ = false;
}

void Konzola::memo(const std::string& riadok) {
    if (!vypisuj) return;
    ++pocetlogov;
    poslednylog = riadok;
    zmazprogres();
    out_ << riadok << '\n' << std::flush;
}

// Box texts use carriage returns as line breaks; a terminal wants new lines.
static std::string riadky(std::string t) {
    for (char& c : t)
        if (c == '\r') c = '\n';
    return t;
}

void Konzola::infobox(const std::string& text) {
    ++pocetboxov;
    zmazprogres();
    out_ << std::flush;
    err_ << riadky(text) << '\n' << std::flush;
}

void Konzola::chybabox(const std::string& text) {
    ++pocetboxov;
    zmazprogres();
    out_ << std::flush;
    err_ << "qlc: " << riadky(text) << '\n' << std::flush;
}

bool Konzola::okcancelbox(const std::string& text) {
    infobox(text);
    return true;
}

void Konzola::zmena(Ovladac o) {
    if (o != Ovladac::ProgressBar1 || !terminal_ || model == nullptr) return;
    const TProgressBar& b = model->ProgressBar1;
    if (!b.visible) {
        zmazprogres();
        return;
    }
    const int promile = b.max > 0 ? static_cast<int>(1000LL * b.position / b.max) : 0;
    const auto teraz = std::chrono::steady_clock::now();
    // Redraw at most every 50 ms, and only when the value moved.
    if (promile == poslednepromile_ && progresvidno_) return;
    if (progresvidno_ && teraz - poslednycas_ < std::chrono::milliseconds(50)) return;
    poslednepromile_ = promile;
    poslednycas_ = teraz;
    constexpr int sirka = 40;
    const int plne = promile * sirka / 1000;
    err_ << "\r[" << std::string(static_cast<std::size_t>(plne), '#')
         << std::string(static_cast<std::size_t>(sirka - plne), ' ') << "] " << b.position << "/" << b.max
         << std::flush;
    progresvidno_ = true;
}

std::uint32_t Konzola::semienko() {
    if (seed) return *seed;
    return static_cast<std::uint32_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace qlc::cli
