#include "konzola.h"

#include <algorithm>
#include <exception>
#include <ostream>

namespace qlc::cli {

Konzola::Konzola(std::ostream& out, std::ostream& err, bool terminal)
    : out_(out), err_(err), terminal_(terminal) {}

api::TSledovanie Konzola::sledovanie() {
    api::TSledovanie s;
    s.log = [this](const std::string& r) { log(r); };
    s.box = [this](const std::string& t) { box(t); };
    s.chyba = [this](const std::string& t) { chyba(t); };
    s.priebeh = [this](int p, int m, bool v) { priebeh(p, m, v); };
    return s;
}

bool Konzola::prikaz(const std::function<void()>& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        chyba(e.what());
        return false;
    }
}

void Konzola::zmazprogres() {
    if (!progresvidno_) return;
    err_ << "\r\033[K" << std::flush;
    progresvidno_ = false;
}

void Konzola::log(const std::string& riadok) {
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

void Konzola::box(const std::string& text) {
    zmazprogres();
    out_ << std::flush;
    err_ << riadky(text) << '\n' << std::flush;
}

void Konzola::chyba(const std::string& text) {
    zmazprogres();
    out_ << std::flush;
    err_ << "qlc: " << riadky(text) << '\n' << std::flush;
}

void Konzola::priebeh(int pozicia, int maximum, bool viditelny) {
    if (!terminal_) return;
    if (!viditelny) {
        zmazprogres();
        return;
    }
    const int promile =
        maximum > 0 ? static_cast<int>(std::clamp(1000LL * pozicia / maximum, 0LL, 1000LL)) : 0;
    const auto teraz = std::chrono::steady_clock::now();
    // Redraw at most every 50 ms, and only when the value moved.
    if (promile == poslednepromile_ && progresvidno_) return;
    if (progresvidno_ && teraz - poslednycas_ < std::chrono::milliseconds(50)) return;
    poslednepromile_ = promile;
    poslednycas_ = teraz;
    constexpr int sirka = 40;
    const int plne = promile * sirka / 1000;
    err_ << "\r[" << std::string(static_cast<std::size_t>(plne), '#')
         << std::string(static_cast<std::size_t>(sirka - plne), ' ') << "] " << pozicia << "/" << maximum
         << std::flush;
    progresvidno_ = true;
}

}  // namespace qlc::cli
