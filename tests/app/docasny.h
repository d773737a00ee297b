#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// with everything in it at the end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/chyby.h"

namespace qlc::test {

// The message of the ChybaSuboru that f throws, or "" when it throws none.
template <typename F>
std::string chybaz(F f) {
    try {
        f();
    } catch (const ChybaSuboru& e) {
        return e.what();
    }
    return "";
}

class DocasnyPriecinok {
  public:
    DocasnyPriecinok() {
        const auto* t = ::testing::UnitTest::GetInstance()->current_test_info();
        cesta_ = std::filesystem::temp_directory_path() /
                 ("qlc-app-" + std::to_string(::getpid()) + "-" + (t ? t->name() : "x"));
        std::filesystem::remove_all(cesta_);
        std::filesystem::create_directories(cesta_);
    }
    ~DocasnyPriecinok() {
        std::error_code ec;
        std::filesystem::remove_all(cesta_, ec);
    }
    DocasnyPriecinok(const DocasnyPriecinok&) = delete;
    DocasnyPriecinok& operator=(const DocasnyPriecinok&) = delete;

    std::string subor(const std::string& meno) const { return (cesta_ / meno).string(); }
    const std::filesystem::path& cesta() const { return cesta_; }
    // Writes obsah byte for byte into the file meno of the folder; returns its path.
    std::string zapis(const std::string& meno, const std::string& obsah) const {
        std::ofstream(subor(meno), std::ios::binary) << obsah;
        return subor(meno);
    }
    static std::string citaj(const std::string& cesta) {
        std::ifstream f(cesta, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    int pocetsuborov() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(cesta_)) ++n;
        return n;
    }

  private:
    std::filesystem::path cesta_;
};

}  // namespace qlc::test
