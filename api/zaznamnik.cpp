#include "api/zaznamnik.h"

#include <chrono>

#include "core/form1.h"

namespace qlc::api {

template <class F, class... A>
void Zaznamnik::zavolaj(const F& f, const A&... a) {
    if (!f || prerusenie) return;
    try {
        f(a...);
    } catch (...) {
        prerusenie = std::current_exception();
        throw Prerusenie{};
    }
}

void Zaznamnik::zapamataj(const std::string& s) {
    if (zlyhanie.empty() && model != nullptr && !model->beh.kontrolyok) zlyhanie = posledny;
    posledny = s;
}

void Zaznamnik::memo(const std::string& riadok) {
    if (!zapisuj) return;
    zapamataj(riadok);
    logy.push_back(riadok);
    zavolaj(sledovanie_.log, riadok);
}

void Zaznamnik::infobox(const std::string& text) {
    zapamataj(text);
    boxy.push_back(text);
    zavolaj(sledovanie_.box, text);
}

void Zaznamnik::chybabox(const std::string& text) {
    chyby.push_back(text);
    zavolaj(sledovanie_.chyba, text);
}

bool Zaznamnik::okcancelbox(const std::string& text) {
    infobox(text);
    return true;
}

void Zaznamnik::zmena(Ovladac o) {
    if (o != Ovladac::ProgressBar1 || model == nullptr || !sledovanie_.priebeh) return;
    const TProgressBar& b = model->ProgressBar1;
    zavolaj(sledovanie_.priebeh, b.position, b.max, b.visible);
}

std::uint32_t Zaznamnik::semienko() {
    if (seed) return *seed;
    return static_cast<std::uint32_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

std::mutex& zapisovyzamok() {
    static std::mutex m;
    return m;
}

std::unique_ptr<TForm1> novymodel(Zaznamnik& z) {
    z.zapisuj = false;
    auto f = std::make_unique<TForm1>(z);
    z.model = f.get();
    z.zapisuj = true;
    return f;
}

void nastavqubity(TForm1& f, int pocetq) {
    if (pocetq < 2 || pocetq > 5)
        throw ChybaVstupu("pocet qubitov " + std::to_string(pocetq) + " je mimo 2..5");
    f.pocetq = pocetq;
    f.rozmer = 1 << pocetq;
    f.Edit1 = std::to_string(pocetq);
    f.pocetb1 = 0;
    f.StringGrid1.nastavrozmer(f.rozmer + 1, f.rozmer + 1);
}

void nastavbrany(TForm1& f, const std::vector<TGATE1>& brany, int pocetq) {
    nastavqubity(f, pocetq);
    if (brany.size() > static_cast<std::size_t>(MAXBRAN))
        throw ChybaVstupu("siet ma " + std::to_string(brany.size()) + " bran, viac ako " +
                          std::to_string(MAXBRAN));
    for (std::size_t i = 0; i < brany.size(); ++i)
        if (!spravnabrana(brany.at(i), pocetq))
            throw ChybaVstupu("brana " + std::to_string(i + 1) +
                              " nie je spravna (ciel alebo kontroly mimo 1.." + std::to_string(pocetq) +
                              " alebo sa opakuju)");
    for (std::size_t i = 0; i < brany.size(); ++i) f.brany[static_cast<long long>(i) + 1] = brany.at(i);
    f.pocetb1 = static_cast<int>(brany.size());
}

}  // namespace qlc::api
