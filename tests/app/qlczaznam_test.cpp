// qlc against recorded runs: for each folder of tests/data/qlc (but vstup)
// the command in args is run on the matrices of vstup, and its status, its
// stdout and stderr and every file it writes must equal the recorded ones
// byte for byte. The records hold the two-level method only, whose numbers
// are the same in every build.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/qlc/qlc.h"
#include "tests/app/docasny.h"

namespace {

namespace fs = std::filesystem;
using qlc::test::DocasnyPriecinok;

const fs::path ZAZNAMY = fs::path(QLC_ZAZNAMY);

std::vector<std::string> slova(const std::string& riadok) {
    std::istringstream in(riadok);
    std::vector<std::string> v;
    for (std::string s; in >> s;) v.push_back(s);
    return v;
}

// Changes the working folder for the lifetime of the object: the recorded
// messages name the files as they were given, relative to it.
class VPriecinku {
  public:
    explicit VPriecinku(const fs::path& p) : predtym_(fs::current_path()) { fs::current_path(p); }
    ~VPriecinku() {
        std::error_code ec;
        fs::current_path(predtym_, ec);
    }
    VPriecinku(const VPriecinku&) = delete;
    VPriecinku& operator=(const VPriecinku&) = delete;

  private:
    fs::path predtym_;
};

TEST(QlcZaznam, EveryRecordedRunGivesTheSameBytes) {
    std::vector<fs::path> pripady;
    for (const auto& e : fs::directory_iterator(ZAZNAMY))
        if (e.is_directory() && e.path().filename() != "vstup") pripady.push_back(e.path());
    std::sort(pripady.begin(), pripady.end());
    ASSERT_GE(pripady.size(), 10u);
    const std::set<std::string> zaznam = {"args", "rc", "stdout", "stderr"};
    for (const fs::path& p : pripady) {
        SCOPED_TRACE(p.filename().string());
        DocasnyPriecinok d;
        for (const auto& e : fs::directory_iterator(ZAZNAMY / "vstup"))
            fs::copy_file(e.path(), d.cesta() / e.path().filename());
        std::vector<std::string> a = slova(DocasnyPriecinok::citaj((p / "args").string()));
        a.insert(a.begin(), "qlc");
        std::vector<char*> argv;
        for (auto& s : a) argv.push_back(s.data());
        std::ostringstream out, err;
        int kod = 0;
        {
            const VPriecinku tu(d.cesta());
            kod = qlc::cli::hlavny(static_cast<int>(argv.size()), argv.data(), out, err, false);
        }
        EXPECT_EQ(std::to_string(kod) + "\n", DocasnyPriecinok::citaj((p / "rc").string()));
        EXPECT_EQ(out.str(), DocasnyPriecinok::citaj((p / "stdout").string()));
        EXPECT_EQ(err.str(), DocasnyPriecinok::citaj((p / "stderr").string()));
        // the written files: exactly those recorded, with the same bytes
        std::set<std::string> ocakavane, napisane;
        for (const auto& e : fs::directory_iterator(p))
            if (!zaznam.count(e.path().filename().string())) ocakavane.insert(e.path().filename().string());
        for (const auto& e : fs::directory_iterator(d.cesta()))
            if (!fs::exists(ZAZNAMY / "vstup" / e.path().filename()))
                napisane.insert(e.path().filename().string());
        EXPECT_EQ(napisane, ocakavane);
        for (const std::string& f : ocakavane)
            EXPECT_EQ(DocasnyPriecinok::citaj(d.subor(f)), DocasnyPriecinok::citaj((p / f).string())) << f;
    }
}

}  // namespace
