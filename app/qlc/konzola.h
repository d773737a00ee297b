#pragma once
// The platform of the command-line tool: log lines to stdout, box texts to
// stderr (every box is answered OK), the progress bar as a progress line on
// stderr when it is a terminal, and a canvas that draws nothing unless the
// tool asks for a picture.
#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "core/platforma.h"

namespace qlc {
class TForm1;
}

namespace qlc::cli {

using qlc::PrazdnePlatno;

class Konzola : public Platforma {
public:
    Konzola(std::ostream& out, std::ostream& err, bool terminal);
    // A run that ended early leaves its bar visible; the terminal line goes.
    ~Konzola() override { zmazprogres(); }

    // The model whose progress bar is shown; set once it exists.
    const TForm1* model = nullptr;
    // While false, log lines are swallowed (the window's creation).
    bool vypisuj = true;
    // Seed of the random generator; the clock when not given.
    std::optional<std::uint32_t> seed;
    // Canvas the drawing goes to; a canvas that draws nothing by default.
    Platno* kresba = nullptr;

    void memo(const std::string& riadok) override;
    void infobox(const std::string& text) override;
    void chybabox(const std::string& text) override;
    bool okcancelbox(const std::string& text) override;
    void zmena(Ovladac o) override;
    Platno& platno() override { return kresba ? *kresba : prazdne_; }
    std::optional<std::string> otvordialog(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ulozdialog(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    bool form5() override { return false; }
    std::uint32_t semienko() override;

    // Log lines and box texts seen so far, and the last log line.
    int pocetlogov = 0;
    std::string poslednylog;
    int pocetboxov = 0;

private:
    void zmazprogres();
    std::ostream& out_;
    std::ostream& err_;
    bool terminal_;
    bool progresvidno_ = false;
    int poslednepromile_ = -1;
    std::chrono::steady_clock::time_point poslednycas_{};
    PrazdnePlatno prazdne_;
};

}  // namespace qlc::cli
