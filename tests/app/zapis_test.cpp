// The safe replacement of a file: links, targets that are no regular file,
// read-only files and folders, modes, signals during the write, a full
// filesystem, leftovers of killed runs and long names.
#include "app/zapis.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "core/form1.h"
#include "tests/app/docasny.h"
#include "tests/app/systemove.h"
#include "tests/zaznam.h"

using namespace qlc;
using qlc::test::DocasnyPriecinok;
using qlc::test::chybaz;
namespace fs = std::filesystem;

namespace {

bool obsahuje(const std::string& s, const std::string& t) { return s.find(t) != std::string::npos; }

mode_t mod(const std::string& cesta) {
    struct stat st {};
    ::stat(cesta.c_str(), &st);
    return st.st_mode & 07777;
}

// Files of the folder that a save may have left: temporary files of any name.
int docasnych(const fs::path& priecinok) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(priecinok))
        if (jedocasny(e.path().filename().string()) || obsahuje(e.path().filename().string(), ".tmp")) ++n;
    return n;
}

struct Prizapise {
    explicit Prizapise(std::function<void(const std::string&)> f) { prizapise = std::move(f); }
    ~Prizapise() { prizapise = nullptr; }
};

TEST(Zapissubor, FollowsALinkAndReplacesTheFileItNames) {
    DocasnyPriecinok d;
    fs::create_directory(d.subor("ine"));
    const std::string real = d.zapis("ine/real.mat", "stary");
    fs::create_symlink("ine/real.mat", d.subor("link.mat"));
    fs::create_symlink("link.mat", d.subor("link2.mat"));  // a link to a link
    zapissubor(d.subor("link2.mat"), "novy");
    EXPECT_TRUE(fs::is_symlink(d.subor("link.mat")));
    EXPECT_TRUE(fs::is_symlink(d.subor("link2.mat")));
    EXPECT_EQ(DocasnyPriecinok::citaj(real), "novy");
    // a link to a file that does not exist yet creates that file
    fs::create_symlink("ine/novy.mat", d.subor("visi.mat"));
    zapissubor(d.subor("visi.mat"), "x");
    EXPECT_TRUE(fs::is_symlink(d.subor("visi.mat")));
    EXPECT_EQ(DocasnyPriecinok::citaj(d.subor("ine/novy.mat")), "x");
    // a loop of links is refused
    fs::create_symlink("b", d.subor("a"));
    fs::create_symlink("a", d.subor("b"));
    EXPECT_TRUE(obsahuje(chybaz([&] { zapissubor(d.subor("a"), "x"); }), "slucku"));
    EXPECT_EQ(docasnych(d.cesta()) + docasnych(d.cesta() / "ine"), 0);
}

TEST(Zapissubor, RefusesATargetThatIsNoRegularFile) {
    DocasnyPriecinok d;
    fs::create_directory(d.subor("priecinok"));
    ASSERT_EQ(::mkfifo(d.subor("rura").c_str(), 0644), 0);
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    const std::string zasuvka = d.subor("zasuvka");
    ASSERT_LT(zasuvka.size(), sizeof a.sun_path);
    zasuvka.copy(a.sun_path, zasuvka.size());
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    // A device of the test's own where it may make one (root), and a link
    // to a device of the system: a faulty save replaces only these.
    const std::string zariadenie = d.subor("full");
    const bool mazariadenie = ::mknod(zariadenie.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    fs::create_symlink("/dev/null", d.subor("null"));
    std::vector<std::pair<std::string, const char*>> ciele{{d.subor("priecinok"), "priecinok"},
                                                           {d.subor("rura"), "rura"},
                                                           {zasuvka, "socket"},
                                                           {d.subor("null"), "zariadenie"}};
    if (mazariadenie) ciele.emplace_back(zariadenie, "zariadenie");
    for (const auto& [meno, druh] : ciele) {
        const std::string e = chybaz([&] { zapissubor(meno, "x"); });
        EXPECT_TRUE(obsahuje(e, meno + ": je to ")) << e;
        EXPECT_TRUE(obsahuje(e, druh)) << e;
        EXPECT_TRUE(obsahuje(e, "subor nebol zapisany")) << e;
    }
    ::close(s);
    EXPECT_TRUE(fs::is_fifo(d.subor("rura")));
    EXPECT_TRUE(fs::is_socket(zasuvka));
    EXPECT_TRUE(!mazariadenie || fs::is_character_file(zariadenie));
    EXPECT_TRUE(fs::is_symlink(d.subor("null")));
    EXPECT_EQ(docasnych(d.cesta()), 0);
    EXPECT_TRUE(obsahuje(chybaz([&] { zapissubor("", "x"); }), "prazdne meno"));
}

// As an ordinary user: a read-only file is refused as a plain write would
// refuse it (though the rename would replace it), and so is a read-only
// folder; the old file stays and nothing is left behind.
TEST(Zapissubor, ReadOnlyFilesAndFoldersAreRefusedForAnOrdinaryUser) {
    DocasnyPriecinok d;
    fs::permissions(d.cesta(), fs::perms::all);
    fs::create_directory(d.subor("citat"));
    const std::string ro = d.zapis("ro.mat", "dobry");
    const std::string vnutri = d.zapis("citat/a.mat", "dobry");
    ::chmod(ro.c_str(), 0444);
    ::chmod(vnutri.c_str(), 0666);
    ::chmod(d.subor("citat").c_str(), 0555);
    const int kod = test::vdetskom(
        [&] {
            const std::string a = chybaz([&] { zapissubor(ro, "zly"); });
            const std::string b = chybaz([&] { zapissubor(vnutri, "zly"); });
            const std::string c = chybaz([&] { zapissubor(d.subor("citat/novy.mat"), "zly"); });
            return obsahuje(a, "subor nie je mozne prepisat") && obsahuje(b, "sa neda zapisovat") &&
                           obsahuje(c, "sa neda zapisovat")
                       ? 0
                       : 1;
        },
        true);
    EXPECT_EQ(kod, 0);
    EXPECT_EQ(DocasnyPriecinok::citaj(ro), "dobry");
    EXPECT_EQ(DocasnyPriecinok::citaj(vnutri), "dobry");
    EXPECT_FALSE(fs::exists(d.subor("citat/novy.mat")));
    EXPECT_EQ(docasnych(d.cesta()) + docasnych(d.cesta() / "citat"), 0);
}

TEST(Zapissubor, TheTemporaryFileIsPrivateAndTheTargetKeepsItsMode) {
    DocasnyPriecinok d;
    const std::string m = d.zapis("a.mat", "stary");
    ::chmod(m.c_str(), 0640);
    mode_t pocas = 0;
    std::string docasny;
    {
        Prizapise p([&](const std::string& t) {
            docasny = t;
            pocas = mod(t);
        });
        zapissubor(m, "novy");
    }
    EXPECT_EQ(pocas, 0600u);
    EXPECT_EQ(mod(m), 0640u);
    EXPECT_EQ(DocasnyPriecinok::citaj(m), "novy");
    // short, recognisable, in the target's folder
    EXPECT_EQ(fs::path(docasny).parent_path(), d.cesta());
    EXPECT_TRUE(jedocasny(fs::path(docasny).filename().string())) << docasny;
    EXPECT_LT(fs::path(docasny).filename().string().size(), 40u);
    // a new file gets the mode a plain create gives it
    const mode_t u = ::umask(022);
    zapissubor(d.subor("b.mat"), "x");
    ::umask(u);
    EXPECT_EQ(mod(d.subor("b.mat")), 0644u);
}

TEST(Zapissubor, ANameOf254CharactersIsWritten) {
    DocasnyPriecinok d;
    const std::string dlhe = d.subor(std::string(250, 'm') + ".mat");
    zapissubor(dlhe, "x");
    EXPECT_EQ(DocasnyPriecinok::citaj(dlhe), "x");
    zapissubor(dlhe, "y");  // and replaced
    EXPECT_EQ(DocasnyPriecinok::citaj(dlhe), "y");
    EXPECT_EQ(d.pocetsuborov(), 1);
}

TEST(Zapissubor, AFailedWriteKeepsTheOldFileAndLeavesNothing) {
    DocasnyPriecinok d;
    const std::string m = d.zapis("a.mat", "dobry");
    {
        Prizapise p([](const std::string&) { throw ChybaSuboru("zlyhanie"); });
        EXPECT_THROW(zapissubor(m, "zly"), ChybaSuboru);
    }
    EXPECT_EQ(DocasnyPriecinok::citaj(m), "dobry");
    EXPECT_EQ(d.pocetsuborov(), 1);
    // a file size limit: the writes themselves fail, in a child process
    const std::string velky(200000, 'x');
    const int kod = test::vdetskom([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &r);
        return obsahuje(chybaz([&] { zapissubor(m, velky); }), "chyba pri zapise (File too large)") ? 0 : 1;
    });
    EXPECT_EQ(kod, 0);
    EXPECT_EQ(DocasnyPriecinok::citaj(m), "dobry");
    EXPECT_EQ(d.pocetsuborov(), 1);
}

TEST(Zapissubor, AFullFilesystemKeepsTheOldFile) {
    DocasnyPriecinok d;
    test::PlnyDisk disk(d.subor("disk"));
    if (!disk.pripojeny())
        GTEST_SKIP() << "no tmpfs can be mounted here (needs root outside a locked container)";
    const std::string m = disk.subor("a.mat");
    std::ofstream(m) << "dobry obsah";
    disk.zaplnpoposledny();
    const std::string e = chybaz([&] { zapissubor(m, std::string(100000, 'x')); });
    EXPECT_TRUE(obsahuje(e, "No space left on device")) << e;
    EXPECT_EQ(DocasnyPriecinok::citaj(m), "dobry obsah");
    EXPECT_EQ(disk.pocetinych(), 1);
}

// SIGTERM or SIGINT in the middle of a write: the process ends by the
// signal as it would have, the temporary file is gone, the old file stays.
TEST(Zapissubor, ASignalDuringTheWriteRemovesTheTemporaryFile) {
    DocasnyPriecinok d;
    const std::string m = d.zapis("a.mat", "dobry");
    for (int s : {SIGTERM, SIGINT, SIGHUP}) {
        const int kod = test::vdetskom([&] {
            prizapise = [s](const std::string&) { ::raise(s); };
            zapissubor(m, std::string(100000, 'x'));
            return 0;
        });
        EXPECT_EQ(kod, 128 + s);
        EXPECT_EQ(DocasnyPriecinok::citaj(m), "dobry");
        EXPECT_EQ(d.pocetsuborov(), 1) << s;
    }
    // the handlers stand only during a write
    struct sigaction a {};
    ::sigaction(SIGTERM, nullptr, &a);
    EXPECT_EQ(a.sa_handler, SIG_DFL);
}

// What SIGKILL leaves is removed by the next save into the folder, as long
// as the process that left it no longer runs.
TEST(Zapissubor, LeftoversOfEndedRunsAreRemovedByTheNextSave) {
    DocasnyPriecinok d;
    const pid_t mrtvy = ::fork();
    if (mrtvy == 0) ::_exit(0);
    ::waitpid(mrtvy, nullptr, 0);
    const std::string stary = ".qlc-" + std::to_string(mrtvy) + "-abc123.tmp";
    const std::string zivy = ".qlc-1-abc123.tmp";  // the first process runs while the system does
    const std::string nas = ".qlc-" + std::to_string(::getpid()) + "-abc123.tmp";
    d.zapis(stary, "zvysok");
    d.zapis(zivy, "bezi");
    d.zapis(nas, "bezi");
    d.zapis(".qlc-x-abc123.tmp", "cudzi");
    d.zapis("a.mat.tmp-1234", "cudzi");
    zapissubor(d.subor("a.mat"), "x");
    EXPECT_FALSE(fs::exists(d.subor(stary)));
    EXPECT_TRUE(fs::exists(d.subor(zivy)));
    EXPECT_TRUE(fs::exists(d.subor(nas)));
    EXPECT_TRUE(fs::exists(d.subor(".qlc-x-abc123.tmp")));
    EXPECT_TRUE(fs::exists(d.subor("a.mat.tmp-1234")));
    EXPECT_TRUE(jedocasny(stary));
    EXPECT_FALSE(jedocasny(".qlc--abc123.tmp"));
    EXPECT_FALSE(jedocasny(".qlc-12-abc12.tmp"));
    EXPECT_FALSE(jedocasny(".qlc-12-ABC123.tmp"));
}

TEST(Zapissubor, IdentityOfFilesNotOfNames) {
    DocasnyPriecinok d;
    const std::string a = d.zapis("a.mat", "x");
    fs::create_hard_link(a, d.subor("tvrdy.mat"));
    fs::create_symlink("a.mat", d.subor("mekky.mat"));
    EXPECT_TRUE(tenistysubor(identita(a), overciel(d.subor("tvrdy.mat"))));
    EXPECT_TRUE(tenistysubor(identita(d.subor("mekky.mat")), overciel(a)));
    EXPECT_TRUE(tenistysubor(overciel(d.subor("novy.mat")), overciel(d.subor("./novy.mat"))));
    EXPECT_FALSE(tenistysubor(overciel(d.subor("novy.mat")), overciel(d.subor("novy2.mat"))));
    EXPECT_FALSE(tenistysubor(overciel(d.subor("novy.mat")), overciel(a)));
}

// The window's saves take the same way: "Uložit" and the OpenQASM commands
// follow a link, refuse a pipe with an error box, and quote nothing raw.
TEST(Zapissubor, TheWindowsSavesFollowLinksAndRefusePipes) {
    DocasnyPriecinok d;
    test::ZaznamPlatforma p;
    TForm1 f(p);
    const std::string real = d.zapis("real.mat", "stary");
    fs::create_symlink("real.mat", d.subor("link.mat"));
    ASSERT_EQ(::mkfifo(d.subor("rura").c_str(), 0644), 0);
    p.subory = {d.subor("link.mat"), d.subor("rura"), d.subor("rura")};
    EXPECT_TRUE(f.prikaz([&] { f.Uloi1Click(); }));
    EXPECT_TRUE(fs::is_symlink(d.subor("link.mat")));
    EXPECT_EQ(DocasnyPriecinok::citaj(real).substr(0, 3), "4\r\n");
    EXPECT_FALSE(f.prikaz([&] { f.Uloi1Click(); }));
    EXPECT_FALSE(f.prikaz([&] { f.UlozQasmClick(3); }));
    ASSERT_EQ(p.chyby.size(), 2u);
    for (const std::string& c : p.chyby) EXPECT_TRUE(obsahuje(c, "rura: je to pomenovana rura")) << c;
    EXPECT_TRUE(fs::is_fifo(d.subor("rura")));
    // the box of a refused file quotes its text escaped
    p.subory = {d.zapis("esc.mat", "\x1b]0;titul\x07\x1b[2J\n")};
    EXPECT_FALSE(f.prikaz([&] { f.Otvori1Click(); }));
    ASSERT_EQ(p.chyby.size(), 3u);
    EXPECT_TRUE(obsahuje(p.chyby[2], "\"\\x1b]0;titul\\x07\\x1b[2J\"")) << p.chyby[2];
}

}  // namespace
