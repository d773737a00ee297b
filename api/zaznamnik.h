#pragma once
// The platform of the library calls: the model's log lines, message boxes
// and errors are kept for the result and passed on to the caller's
// TSledovanie as they come; every box is answered OK, no dialog is ever
// shown, and the canvas draws nothing unless a picture is asked for.
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "api/qlc.h"
#include "core/platforma.h"

namespace qlc {
class TForm1;
}

namespace qlc::api {

class Zaznamnik : public Platforma {
  public:
    explicit Zaznamnik(const TSledovanie& sledovanie = {}) : sledovanie_(sledovanie) {}

    // While false (the window's creation) log lines are neither kept nor
    // passed on.
    bool zapisuj = false;
    // The model whose progress bar is reported; set once it exists.
    const TForm1* model = nullptr;
    // Canvas the drawing goes to; one that draws nothing by default.
    Platno* kresba = nullptr;
    // Seed of the random generator; the clock when not given.
    std::optional<std::uint32_t> seed;

    std::vector<std::string> logy, boxy, chyby;
    // The log line or box text after which the model's checks first failed
    // (empty while they pass), and the last line or box text written.
    std::string zlyhanie, posledny;
    // The exception a caller's callback threw, which ends the run: it
    // leaves the model as Prerusenie, which no handler of the model takes
    // for an error of its own, and rozloz throws it again to the caller.
    std::exception_ptr prerusenie;

    void memo(const std::string& riadok) override;
    void infobox(const std::string& text) override;
    void chybabox(const std::string& text) override;
    bool okcancelbox(const std::string& text) override;
    void zmena(Ovladac o) override;
    Platno& platno() override { return kresba ? *kresba : neme_; }
    std::optional<std::string> otvordialog(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ulozdialog(const std::string&, const std::string&,
                                          const std::string&) override {
        return {};
    }
    bool form5() override { return false; }
    std::uint32_t semienko() override;

  private:
    // Calls a callback of the caller; an exception it throws is kept in
    // prerusenie and Prerusenie is thrown in its place.
    template <class F, class... A>
    void zavolaj(const F& f, const A&... a);
    // Notes the line before which the checks first failed, then s.
    void zapamataj(const std::string& s);

    TSledovanie sledovanie_;
    PrazdnePlatno neme_;
};

// Thrown through the model when a callback of the caller threw; not a
// std::exception, so the model's wrapper of commands does not turn it into
// an error box.
struct Prerusenie {};

// A model on the platform z, as the window is after its creation, with
// the log of the creation left out; z.model is set to it.
std::unique_ptr<TForm1> novymodel(Zaznamnik& z);

// Sets the model to pocetq qubits as the window is after the qubit field
// changed (the circuit discarded), without making a random matrix.
void nastavqubity(TForm1& f, int pocetq);

// Puts the circuit brany into the store of f on pocetq qubits; ChybaVstupu
// for pocetq outside 2..5, more than 400,000 gates or a malformed gate.
void nastavbrany(TForm1& f, const std::vector<TGATE1>& brany, int pocetq);

// M has 2 to 5 qubits, rozmer = 2^pocetq and finite entries; ChybaVstupu
// with the message of matica otherwise.
void overmaticu(const TMatica& M);

// Held while a file is written: the writers of the core are not made for
// calls from several threads at once.
std::mutex& zapisovyzamok();

}  // namespace qlc::api
