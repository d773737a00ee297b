#pragma once
// What the command-line tool shows while a library call runs: log lines on
// stdout, box texts on stderr (every box is answered OK), the error that
// ends a command on stderr after "qlc: ", and the progress bar as a
// progress line on stderr when it is a terminal.
#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>

#include "api/qlc.h"

namespace qlc::cli {

class Konzola {
  public:
    Konzola(std::ostream& out, std::ostream& err, bool terminal);
    // A run that ended early leaves its bar visible; the terminal line goes.
    ~Konzola() { zmazprogres(); }
    Konzola(const Konzola&) = delete;
    Konzola& operator=(const Konzola&) = delete;

    // The callbacks of a library call, writing to this console.
    api::TSledovanie sledovanie();

    void log(const std::string& riadok);
    void box(const std::string& text);
    void chyba(const std::string& text);
    void priebeh(int pozicia, int maximum, bool viditelny);

    // Runs f as the window runs a command: an error ends it, is shown as
    // chyba and gives false.
    bool prikaz(const std::function<void()>& f);

    // The last log line seen.
    std::string poslednylog;

  private:
    void zmazprogres();
    std::ostream& out_;
    std::ostream& err_;
    bool terminal_;
    bool progresvidno_ = false;
    int poslednepromile_ = -1;
    std::chrono::steady_clock::time_point poslednycas_{};
};

}  // namespace qlc::cli
