#pragma once
// What the tests of the library calls share: a temporary folder per test,
// the bytes of a file, and qlc run on its arguments.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/qlc/qlc.h"
#include "tests/app/docasny.h"

namespace qlc::test {

// A test with a fresh folder of its own.
class SPriecinkom : public ::testing::Test {
  public:
    std::string cesta(const std::string& meno) const { return d_.subor(meno); }

  private:
    DocasnyPriecinok d_;
};

inline std::string obsah(const std::string& meno) { return DocasnyPriecinok::citaj(meno); }

struct Beh {
    int kod;
    std::string out, err;
};

// qlc with the arguments a (without the program's name), stderr no terminal.
inline Beh spusti(std::vector<std::string> a) {
    a.insert(a.begin(), "qlc");
    std::vector<char*> argv;
    for (auto& s : a) argv.push_back(s.data());
    std::ostringstream out, err;
    const int kod = cli::hlavny(static_cast<int>(argv.size()), argv.data(), out, err, false);
    return {kod, out.str(), err.str()};
}

}  // namespace qlc::test
