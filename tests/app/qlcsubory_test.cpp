// The files of `qlc`: outputs checked before the run, links followed,
// refusals of targets that are no regular file or are the input, a full
// filesystem, standard output that cannot be written, quotes of file text,
// the strict reading of options, and the figures the user relies on.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "core/form1.h"
#include "app/qlc/qlc.h"
#include "tests/app/systemove.h"
#include "tests/zaznam.h"
#include "view/svgplatno.h"

namespace {

namespace fs = std::filesystem;

struct Beh {
    int kod;
    std::string out, err;
    bool ma(const std::string& riadok) const { return out.find(riadok + "\n") != std::string::npos; }
    int riadkovchyb() const {
        int n = 0;
        for (char c : err) n += c == '\n';
        return n;
    }
};

Beh spusti(std::vector<std::string> a, std::ostream* vystup = nullptr) {
    a.insert(a.begin(), "qlc");
    std::vector<char*> argv;
    for (auto& s : a) argv.push_back(s.data());
    std::ostringstream out, err;
    const int kod =
        qlc::cli::hlavny(static_cast<int>(argv.size()), argv.data(), vystup ? *vystup : out, err, false);
    return {kod, out.str(), err.str()};
}

// The program itself with stdout sent to the file vystup; its status.
// limit: the largest file it may write, when not 0 (as `ulimit -f`).
int program(const std::vector<std::string>& a, const std::string& vystup, std::string& err,
            rlim_t limit = 0) {
    char chyby[] = "/tmp/qlc-stderr-XXXXXX";
    const int fe = ::mkstemp(chyby);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fo = ::open(vystup.c_str(), O_WRONLY);
        ::dup2(fo, 1);
        ::dup2(fe, 2);
        if (limit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit r{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &r);
        }
        std::vector<char*> argv{const_cast<char*>(QLC_PROGRAM)};
        for (const auto& s : a) argv.push_back(const_cast<char*>(s.c_str()));
        argv.push_back(nullptr);
        ::execv(QLC_PROGRAM, argv.data());
        ::_exit(127);
    }
    int st = 0;
    ::waitpid(pid, &st, 0);
    ::close(fe);
    std::ifstream in(chyby);
    err.assign(std::istreambuf_iterator<char>(in), {});
    ::unlink(chyby);
    return WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
}

std::string obsah(const std::string& meno) {
    std::ifstream in(meno, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool ma(const std::string& s, const std::string& t) { return s.find(t) != std::string::npos; }

// Whether s holds any byte a terminal acts on, other than the line ends.
bool riadiace(const std::string& s) {
    for (unsigned char c : s)
        if ((c < 0x20 && c != '\n') || c == 0x7F) return true;
    return false;
}

class QlcSubory : public ::testing::Test {
  public:
    fs::path dir;
    std::string vstup;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("qlcsubory_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        vstup = cesta("in.mat");
        ASSERT_EQ(spusti({"random", "--qubits", "3", "--seed", "7", "-o", vstup}).kod, 0);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string cesta(const std::string& meno) { return (dir / meno).string(); }
    std::string subor(const std::string& meno, const std::string& text) {
        std::ofstream(cesta(meno), std::ios::binary) << text;
        return cesta(meno);
    }
    int pocetsuborov() {
        int n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
        return n;
    }
};

// An output that is the input, by any name, or another output of the run is
// refused before the run, and nothing is written.
TEST_F(QlcSubory, AnOutputThatIsTheInputOrAnotherOutputIsRefused) {
    const std::string povodny = obsah(vstup);
    fs::create_hard_link(vstup, cesta("tvrdy.mat"));
    fs::create_symlink("in.mat", cesta("mekky.mat"));
    for (const auto& volby : std::vector<std::vector<std::string>>{
             {"--qasm", vstup},
             {"--qasm2", cesta("tvrdy.mat")},
             {"-o", cesta("mekky.mat")},
             {"-o", cesta("x.mat"), "--qasm", (dir / "." / "x.mat").string()},
             {"--qasm", cesta("q"), "--qasm2", cesta("q")}}) {
        std::vector<std::string> a{"decompose"};
        a.insert(a.end(), volby.begin(), volby.end());
        a.push_back(vstup);
        const Beh b = spusti(a);
        EXPECT_EQ(b.kod, 2) << volby[1];
        EXPECT_EQ(b.riadkovchyb(), 1) << b.err;
        EXPECT_FALSE(b.ma("Zacala sa dekompozicia.")) << "refused before the run";
    }
    EXPECT_EQ(obsah(vstup), povodny);
    EXPECT_FALSE(fs::exists(cesta("x.mat")));
    EXPECT_FALSE(fs::exists(cesta("q")));
    const Beh k = spusti({"draw", vstup, cesta("mekky.mat") + ".svg"});
    EXPECT_EQ(k.kod, 0) << k.err;  // another name, another file
}

TEST_F(QlcSubory, ALinkIsFollowedAndOtherKindsOfTargetAreRefused) {
    const std::string real = subor("real.mat", "stary");
    fs::create_symlink("real.mat", cesta("link.mat"));
    fs::create_symlink("real.qasm", cesta("link.qasm"));
    fs::create_symlink("real.svg", cesta("link.svg"));
    EXPECT_EQ(spusti({"decompose", "-o", cesta("link.mat"), "--qasm", cesta("link.qasm"), vstup}).kod, 0);
    EXPECT_EQ(spusti({"draw", vstup, cesta("link.svg")}).kod, 0);
    for (const char* m : {"link.mat", "link.qasm", "link.svg"}) EXPECT_TRUE(fs::is_symlink(cesta(m))) << m;
    EXPECT_EQ(obsah(real).substr(0, 3), "8\r\n");
    EXPECT_EQ(obsah(cesta("real.qasm")).substr(0, 13), "OPENQASM 3.0;");
    EXPECT_EQ(obsah(cesta("real.svg")).substr(0, 5), "<?xml");
    ASSERT_EQ(::mkfifo(cesta("rura").c_str(), 0644), 0);
    fs::create_directory(cesta("priecinok.svg"));
    fs::create_symlink("/dev/full", cesta("full"));  // a faulty save replaces the link only
    for (const auto& a :
         std::vector<std::vector<std::string>>{{"decompose", "-o", cesta("full"), vstup},
                                               {"decompose", "--qasm", cesta("rura"), vstup},
                                               {"decompose", "--qasm2", cesta("priecinok.svg"), vstup},
                                               {"draw", vstup, cesta("priecinok.svg")},
                                               {"random", "--qubits", "2", "-o", cesta("rura")}}) {
        const Beh b = spusti(a);
        EXPECT_EQ(b.kod, 2) << a[2];
        EXPECT_TRUE(ma(b.err, "nie obycajny subor")) << b.err;
    }
    EXPECT_TRUE(fs::is_symlink(cesta("full")));
    EXPECT_TRUE(fs::is_fifo(cesta("rura")));
    EXPECT_TRUE(fs::is_empty(cesta("priecinok.svg")));
}

// On a full filesystem every output keeps its old content, the status is 2
// and no temporary file is left.
TEST_F(QlcSubory, AFullFilesystemKeepsEveryOldFile) {
    qlc::test::PlnyDisk disk(cesta("disk"));
    if (!disk.pripojeny())
        GTEST_SKIP() << "no tmpfs can be mounted here (needs root outside a locked container)";
    const std::vector<std::string> mena{"a.mat", "a.qasm", "a.svg", "a.png"};
    for (const auto& m : mena) std::ofstream(disk.subor(m)) << "stary " << m;
    disk.zaplnpoposledny();
    EXPECT_EQ(spusti({"decompose", "-o", disk.subor("a.mat"), "--qasm", disk.subor("a.qasm"), vstup}).kod, 2);
    EXPECT_EQ(spusti({"draw", vstup, disk.subor("a.svg")}).kod, 2);
    std::string err;
    // PNG through the program, which holds the window's canvas when built with Qt
    const int png = program({"draw", vstup, disk.subor("a.png")}, "/dev/null", err);
    if (!ma(err, "built without Qt")) {
        EXPECT_EQ(png, 2) << err;
    }
    for (const auto& m : mena) EXPECT_EQ(obsah(disk.subor(m)), "stary " + m);
    EXPECT_EQ(disk.pocetinych(), 4);
}

// A write that fails part way (a limit on the file size, as on a disk that
// fills up): the picture keeps its old content and the status is 2, for PNG
// as for SVG and the other outputs.
TEST_F(QlcSubory, AFailedWriteOfAnyOutputKeepsTheOldFile) {
    const std::vector<std::string> mena{"a.png", "a.svg", "a.mat", "a.qasm"};
    std::string stary(3000, 's');
    for (const auto& m : mena) subor(m, stary);
    std::string err;
    const int png = program({"draw", vstup, cesta("a.png")}, "/dev/null", err, 2048);
    if (!ma(err, "built without Qt")) {
        EXPECT_EQ(png, 2) << err;
        EXPECT_TRUE(ma(err, "a.png: chyba pri zapise (File too large)")) << err;
    }
    EXPECT_EQ(program({"draw", vstup, cesta("a.svg")}, "/dev/null", err, 2048), 2) << err;
    EXPECT_EQ(program({"decompose", "-o", cesta("a.mat"), "--qasm", cesta("a.qasm"), vstup}, "/dev/null", err,
                      2048),
              2)
        << err;
    for (const auto& m : mena) EXPECT_EQ(obsah(cesta(m)), stary) << m;
    EXPECT_EQ(pocetsuborov(), 5);
}

// A stream that takes nothing: standard output on a full disk.
struct PlnyBuf : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(QlcSubory, AStandardOutputThatCannotBeWrittenIsStatusTwo) {
    PlnyBuf buf;
    std::ostream plny(&buf);
    const Beh r = spusti({"random", "--qubits", "2"}, &plny);
    EXPECT_EQ(r.kod, 2);
    EXPECT_EQ(r.riadkovchyb(), 2) << r.err;  // the random line, and the refusal
    EXPECT_TRUE(ma(r.err, "standard output")) << r.err;
    plny.clear();
    EXPECT_EQ(spusti({"decompose", "--summary", vstup}, &plny).kod, 2);
    // the program on /dev/full: the data are lost at the flush after the end
    for (const auto& a : std::vector<std::vector<std::string>>{
             {"random", "--qubits", "2"}, {"decompose", "--summary", vstup}, {"--help"}}) {
        std::string err;
        EXPECT_EQ(program(a, "/dev/full", err), 2) << a[0];
        EXPECT_TRUE(ma(err, "qlc: standard output cannot be written")) << err;
    }
    std::string err;
    EXPECT_EQ(program({"random", "--qubits", "2"}, "/dev/null", err), 0) << err;
}

TEST_F(QlcSubory, RefusalsQuoteFileTextEscapedAndShort) {
    const Beh a =
        spusti({"decompose", subor("esc.mat", "\x1b[2J\x1b[31m" + std::string(1000000, '7') + "\n")});
    EXPECT_EQ(a.kod, 2);
    EXPECT_FALSE(riadiace(a.err)) << a.err;
    EXPECT_LT(a.err.size(), 250u);
    EXPECT_TRUE(ma(a.err, "\\x1b[2J")) << a.err;
    const Beh b = spusti({"decompose", subor("nul.mat", std::string("4\n{{1\0,0,0,0},\n", 14))});
    EXPECT_TRUE(ma(b.err, "\\0]\n")) << b.err;
    const Beh c = spusti({"decompose", subor("u16.mat", std::string("\xFF\xFE"
                                                                    "8\0\r\0\n\0",
                                                                    8))});
    EXPECT_TRUE(ma(c.err, "UTF-16")) << c.err;
    EXPECT_FALSE(riadiace(c.err)) << c.err;
    const Beh d =
        spusti({"decompose", subor("cr.mat", "4\r{{1,0,0,0},\r{0,1,0,0},\r{0,0,1,0},\r{0,0,0,1}}\r")});
    EXPECT_FALSE(riadiace(d.err)) << d.err;
    EXPECT_TRUE(ma(d.err, "CR")) << d.err;
}

TEST_F(QlcSubory, NumbersAreOnlyPlainDecimals) {
    const auto svg = cesta("z.svg");
    for (const char* z : {"", " 1", "1 ", "0x1p0", "+1", "1e0", "1,5", "nan", "-1", ".5"})
        EXPECT_EQ(spusti({"draw", "--zoom", z, vstup, svg}).kod, 2) << "'" << z << "'";
    for (const char* q : {"+3", " 3", "3 ", "", "03x", "0x3", "-3", "3.0"})
        EXPECT_EQ(spusti({"random", "--qubits", q}).kod, 2) << "'" << q << "'";
    EXPECT_EQ(spusti({"random", "--qubits", "2", "--seed", "-1"}).kod, 2);
    EXPECT_EQ(spusti({"random", "--qubits", "2", "--seed", "4294967296"}).kod, 2);
    EXPECT_EQ(spusti({"random", "--qubits", "2", "--seed", "4294967295"}).kod, 0);
    EXPECT_EQ(spusti({"draw", "--from", "0", vstup, svg}).kod, 2);
    EXPECT_EQ(spusti({"draw", "--zoom", "0.45", vstup, svg}).kod, 0);
    EXPECT_EQ(spusti({"draw", "--zoom", "2", vstup, svg}).kod, 0);
    EXPECT_FALSE(fs::exists(cesta("z.svg.tmp")));
}

TEST_F(QlcSubory, EmptyNamesDashesAndRepeatedOptionsAreUsageErrors) {
    for (const auto& a : std::vector<std::vector<std::string>>{
             {"decompose", "-o", "", vstup},
             {"decompose", "--qasm", "", vstup},
             {"decompose", "--qasm2", "", vstup},
             {"random", "--qubits", "2", "-o", ""},
             {"decompose", ""},
             {"draw", vstup, ""},
             {"decompose", "-"},
             {"decompose", "-o", "-", vstup},
             {"draw", vstup, "-"},
             {"random", "--qubits", "2", "-o", "-"},
             {"decompose", "--depth", "l1", "--depth", "l1", vstup},
             {"decompose", "--summary", "--summary", vstup},
             {"decompose", "--no-optimise", "--no-optimize", vstup},
             {"decompose", "-o", cesta("a"), "-o", cesta("b"), vstup},
             {"draw", "--zoom", "1", "--zoom", "1", vstup, cesta("a.svg")},
             {"random", "--qubits", "2", "--qubits", "2"},
             {"random", "--qubits", "2", "zvysok"},
         }) {
        const Beh b = spusti(a);
        EXPECT_EQ(b.kod, 2) << a[1] << " " << a[2];
        EXPECT_FALSE(b.ma("Zacala sa dekompozicia.")) << a[1];
    }
    EXPECT_EQ(pocetsuborov(), 1);  // the input only
    // "--" ends the options: a file whose name starts with "-"
    fs::copy_file(vstup, cesta("-x.mat"));
    EXPECT_EQ(spusti({"decompose", "--", cesta("-x.mat")}).kod, 0);
}

// A valid name of 254 characters is written: the temporary name is short.
TEST_F(QlcSubory, ALongOutputNameIsWritten) {
    const std::string dlhe = cesta(std::string(250, 'n') + ".mat");
    const Beh b = spusti({"decompose", "-o", dlhe, vstup});
    EXPECT_EQ(b.kod, 0) << b.err;
    EXPECT_EQ(obsah(dlhe).substr(0, 3), "8\r\n");
    EXPECT_EQ(pocetsuborov(), 2);
}

// The window's first-gate slider: gate G is drawn first and is current.
class SvgOkno : public qlc::test::ZaznamPlatforma {
  public:
    qlc::SvgPlatno svg;
    qlc::Platno& platno() override { return svg; }
};

TEST_F(QlcSubory, FromMovesTheFirstGateSliderAndBeyondTheCircuitIsRefused) {
    SvgOkno p;
    qlc::TForm1 f(p);
    ASSERT_EQ(f.nacitajmaticu(vstup), 1);
    f.Button3Click();
    ASSERT_GT(f.pocetb1, 5);
    const int g = 3;
    p.svg.vymaz();
    f.TrackBar1.position = g;
    f.TrackBar1Change();
    EXPECT_EQ(f.aktualna, g);
    const Beh b = spusti({"draw", "--from", std::to_string(g), vstup, cesta("g.svg")});
    ASSERT_EQ(b.kod, 0) << b.err;
    EXPECT_EQ(obsah(cesta("g.svg")), p.svg.svg());

    // beyond the circuit: the drawing's own log line, status 1, the old
    // picture kept
    const std::string stary = subor("stary.svg", "stary obrazok");
    const Beh z = spusti({"draw", "--from", std::to_string(f.pocetb1 + 1), vstup, stary});
    EXPECT_EQ(z.kod, 1);
    EXPECT_TRUE(z.ma("Ziadas vykreslenie brany s neexistujucim cislom, preto nezobrazujem")) << z.out;
    EXPECT_EQ(z.riadkovchyb(), 1) << z.err;
    EXPECT_EQ(obsah(stary), "stary obrazok");
    EXPECT_EQ(spusti({"draw", "--from", std::to_string(f.pocetb1), vstup, stary}).kod, 0);
}

// --summary measures the circuit against the matrix that was read, also at
// --depth toffoli, where the driver leaves the rebuild from the Tpq in A.
TEST_F(QlcSubory, SummaryMeasuresAgainstTheMatrixRead) {
    // unitary to within 3e-9: the rebuild is exactly unitary, the input not
    const std::string m = subor("p.mat", "4\n{{1.000000003,0,0,0},\n{0,0,0,1},\n{0,1,0,0},\n{0,0,1,0}}\n");
    for (const char* h : {"toffoli", "l1", "element"}) {
        const Beh b = spusti({"decompose", "--depth", h, "--summary", m});
        ASSERT_EQ(b.kod, 0) << b.err;
        EXPECT_TRUE(b.ma("Max. odchylka: 3.0e-09")) << h << "\n" << b.out;
    }
}

// A circuit OpenQASM 2.0 cannot hold: the refusal names the option and the
// file, and no output of the run is written.
TEST_F(QlcSubory, ARefusedQasm2NamesItsFileAndWritesNothing) {
    const std::string o = subor("o.mat", "stary"), q3 = cesta("q3.qasm"), q2 = cesta("q2.qasm");
    const Beh b = spusti({"decompose", "--depth", "toffoli", "-o", o, "--qasm", q3, "--qasm2", q2, vstup});
    EXPECT_EQ(b.kod, 2);
    EXPECT_TRUE(ma(b.err, "--qasm2 " + q2 + ": ")) << b.err;
    EXPECT_TRUE(ma(b.err, "kontrolne qubity")) << b.err;
    EXPECT_EQ(b.riadkovchyb(), 1) << b.err;
    EXPECT_EQ(obsah(o), "stary");
    EXPECT_FALSE(fs::exists(q3));
    EXPECT_FALSE(fs::exists(q2));
}

TEST_F(QlcSubory, ANonUnitaryInputSaysWhyOnStderr) {
    const Beh b =
        spusti({"decompose", subor("zla.mat", "4\n{{2,0,0,0},\n{0,1,0,0},\n{0,0,1,0},\n{0,0,0,1}}\n")});
    EXPECT_EQ(b.kod, 1);
    EXPECT_TRUE(b.ma("Matica na dekomp. nie je unitárna. S takou sa neda ďalej pracovať!!!"));
    EXPECT_EQ(b.riadkovchyb(), 1) << b.err;
    EXPECT_TRUE(ma(b.err, "zla.mat")) << b.err;
    EXPECT_TRUE(ma(b.err, "nie je unitárna")) << b.err;
}

}  // namespace
