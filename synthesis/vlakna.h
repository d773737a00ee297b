#pragma once
// A few threads for independent pieces of work, such as the fits of
// different placements: each piece writes only its own result and the
// caller takes the results in order afterwards, so what a search finds does
// not depend on the number of threads, only how soon.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace qlc::synteza {

class TVLAKNA {
  public:
    // pocet threads in all, the caller's included (pocet - 1 are started);
    // below 2 everything runs on the caller's thread.
    explicit TVLAKNA(int pocet);
    ~TVLAKNA();
    TVLAKNA(const TVLAKNA&) = delete;
    TVLAKNA& operator=(const TVLAKNA&) = delete;

    int pocet() const { return static_cast<int>(vlakna_.size()) + 1; }

    // f(i) for i = 0..n-1, the caller's thread among those that run them;
    // returns when every one has ended. When some throw, the exception of
    // the lowest i is rethrown after all have ended (on the caller's thread
    // alone, at once: the pieces after it do not run).
    void vsetky(std::size_t n, const std::function<void(std::size_t)>& f);

  private:
    void pracuj();  // a worker's loop
    // takes and runs pieces of the current round until none is left
    void beh(std::unique_lock<std::mutex>& z);

    std::vector<std::thread> vlakna_;
    std::mutex m_;
    std::condition_variable prace_, hotovo_;
    const std::function<void(std::size_t)>* f_ = nullptr;
    std::size_t n_ = 0, dalsi_ = 0, bezi_ = 0;
    unsigned long long kolo_ = 0;
    bool koniec_ = false;
    std::exception_ptr chyba_;
    std::size_t chybai_ = 0;
};

// Threads for the fits of a search: the processors of the machine, at most 8.
int pocetvlakien();

}  // namespace qlc::synteza
