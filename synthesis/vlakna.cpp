#include "vlakna.h"

#include <algorithm>

namespace qlc::synteza {

TVLAKNA::TVLAKNA(int pocet) {
    for (int i = 1; i < pocet; ++i) vlakna_.emplace_back([this] { pracuj(); });
}

TVLAKNA::~TVLAKNA() {
    {
        std::lock_guard<std::mutex> z(m_);
        koniec_ = true;
    }
    prace_.notify_all();
    for (std::thread& t : vlakna_) t.join();
}

void TVLAKNA::beh(std::unique_lock<std::mutex>& z) {
    while (dalsi_ < n_) {
        const std::size_t i = dalsi_++;
        ++bezi_;
        z.unlock();
        std::exception_ptr e;
        try {
            (*f_)(i);
        } catch (...) {
            e = std::current_exception();
        }
        z.lock();
        --bezi_;
        if (e && (!chyba_ || i < chybai_)) {
            chyba_ = e;
            chybai_ = i;
        }
    }
    if (bezi_ == 0) hotovo_.notify_all();
}

void TVLAKNA::pracuj() {
    std::unique_lock<std::mutex> z(m_);
    unsigned long long videne = 0;
    while (true) {
        prace_.wait(z, [&] { return koniec_ || (kolo_ != videne && dalsi_ < n_); });
        if (koniec_) return;
        videne = kolo_;
        beh(z);
    }
}

void TVLAKNA::vsetky(std::size_t n, const std::function<void(std::size_t)>& f) {
    if (n == 0) return;
    if (vlakna_.empty() || n == 1) {
        for (std::size_t i = 0; i < n; ++i) f(i);
        return;
    }
    std::unique_lock<std::mutex> z(m_);
    f_ = &f;
    n_ = n;
    dalsi_ = 0;
    bezi_ = 0;
    chyba_ = nullptr;
    ++kolo_;
    prace_.notify_all();
    beh(z);
    hotovo_.wait(z, [&] { return dalsi_ >= n_ && bezi_ == 0; });
    f_ = nullptr;
    n_ = 0;
    std::exception_ptr e = chyba_;
    chyba_ = nullptr;
    z.unlock();
    if (e) std::rethrow_exception(e);
}

int pocetvlakien() {
    const unsigned h = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(h, 1U, 8U));
}

}  // namespace qlc::synteza
