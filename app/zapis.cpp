// The safe replacement of a file (see zapis.h).
#include "zapis.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <random>

#include "app/ukazka.h"

namespace qlc {

std::function<void(const std::string&)> prizapise;

namespace {

constexpr const char* PREDPONA = ".qlc-";
constexpr const char* PRIPONA = ".tmp";
constexpr int ZNAKOVNAHODY = 6;
// Links followed before a target counts as a loop, as the kernel counts.
constexpr int MAXODKAZOV = 40;
constexpr int MAXPOKUSOV = 100;

[[noreturn]] void odmietni(const std::string& meno, const std::string& dovod) {
    throw ChybaSuboru(bezriadiacich(meno) + ": " + dovod + ", subor nebol zapisany");
}

std::string chybovytext(int e) { return std::strerror(e); }

const char* druh(mode_t m) {
    if (S_ISDIR(m)) return "je to priecinok";
    if (S_ISCHR(m) || S_ISBLK(m)) return "je to zariadenie";
    if (S_ISFIFO(m)) return "je to pomenovana rura";
    if (S_ISSOCK(m)) return "je to socket";
    return "nie je to obycajny subor";
}

void rozdel(const std::string& cesta, std::string& priecinok, std::string& meno) {
    const std::size_t k = cesta.find_last_of('/');
    if (k == std::string::npos) {
        priecinok = ".";
        meno = cesta;
    } else {
        priecinok = k == 0 ? "/" : cesta.substr(0, k);
        meno = cesta.substr(k + 1);
    }
}

// ---- the temporary file and the signals ----------------------------------

// What the signal handler needs, in a form it may touch: the folder as a
// descriptor and the short name of the temporary file.
volatile std::sig_atomic_t madocasny = 0;
int docasnypriecinok = -1;
std::array<char, 64> docasnemeno{};

constexpr std::array<int, 3> SIGNALY = {SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, SIGNALY.size()> povodne{};
std::array<bool, SIGNALY.size()> nahradeny{};

extern "C" void prisignale(int s) {
    if (madocasny) ::unlinkat(docasnypriecinok, docasnemeno.data(), 0);
    madocasny = 0;
    // The signal's former action, and the signal again: it is blocked while
    // this handler runs and takes its effect once the handler returns.
    for (std::size_t k = 0; k < SIGNALY.size(); ++k)
        if (SIGNALY[k] == s) {
            ::sigaction(s, &povodne[k], nullptr);
            nahradeny[k] = false;
        }
    ::raise(s);
}

sigset_t mnozinasignalov() {
    sigset_t m;
    sigemptyset(&m);
    for (int s : SIGNALY) sigaddset(&m, s);
    return m;
}

// The temporary file of one save: created in the folder dfd with mode 0600,
// removed again unless it was renamed; the signal handlers stand while it
// exists.
class TDocasny {
  public:
    TDocasny(int dfd, const std::string& meno) : dfd_(dfd) {
        const sigset_t m = mnozinasignalov();
        sigset_t stare;
        ::sigprocmask(SIG_BLOCK, &m, &stare);
        std::mt19937_64 g(
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
            (static_cast<std::uint64_t>(::getpid()) << 32));
        static constexpr char ZNAKY[] = "abcdefghijklmnopqrstuvwxyz0123456789";
        int e = 0;
        for (int pokus = 0; pokus < MAXPOKUSOV && fd_ < 0; ++pokus) {
            std::string s = PREDPONA + std::to_string(::getpid()) + "-";
            for (int k = 0; k < ZNAKOVNAHODY; ++k) s += ZNAKY[g() % (sizeof ZNAKY - 1)];
            s += PRIPONA;
            fd_ = ::openat(dfd, s.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            e = errno;
            if (fd_ >= 0) {
                meno_ = s;
                std::memcpy(docasnemeno.data(), s.c_str(), s.size() + 1);
                docasnypriecinok = dfd;
                madocasny = 1;
                for (std::size_t k = 0; k < SIGNALY.size(); ++k) {
                    struct sigaction a {};
                    a.sa_handler = prisignale;
                    sigemptyset(&a.sa_mask);
                    struct sigaction p {};
                    ::sigaction(SIGNALY[k], nullptr, &p);
                    // an ignored signal stays ignored
                    if (p.sa_handler == SIG_IGN) continue;
                    ::sigaction(SIGNALY[k], &a, &povodne[k]);
                    nahradeny[k] = true;
                }
            } else if (e != EEXIST) {
                break;
            }
        }
        ::sigprocmask(SIG_SETMASK, &stare, nullptr);
        if (fd_ < 0) odmietni(meno, "subor sa neda vytvorit (" + chybovytext(e) + ")");
    }
    ~TDocasny() {
        zavri();
        const sigset_t m = mnozinasignalov();
        sigset_t stare;
        ::sigprocmask(SIG_BLOCK, &m, &stare);
        if (!premenovany_) ::unlinkat(dfd_, meno_.c_str(), 0);
        madocasny = 0;
        for (std::size_t k = 0; k < SIGNALY.size(); ++k)
            if (nahradeny[k]) {
                ::sigaction(SIGNALY[k], &povodne[k], nullptr);
                nahradeny[k] = false;
            }
        ::sigprocmask(SIG_SETMASK, &stare, nullptr);
    }
    TDocasny(const TDocasny&) = delete;
    TDocasny& operator=(const TDocasny&) = delete;

    int fd() const { return fd_; }
    const std::string& meno() const { return meno_; }
    // errno of a failed close, 0 when it succeeded
    int zavri() {
        if (fd_ < 0) return 0;
        const int r = ::close(fd_);
        fd_ = -1;
        return r == 0 ? 0 : errno;
    }
    void premenovany() { premenovany_ = true; }

  private:
    int dfd_;
    int fd_ = -1;
    std::string meno_;
    bool premenovany_ = false;
};

class TPriecinok {
  public:
    explicit TPriecinok(const std::string& cesta)
        : fd_(::open(cesta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~TPriecinok() {
        if (fd_ >= 0) ::close(fd_);
    }
    TPriecinok(const TPriecinok&) = delete;
    TPriecinok& operator=(const TPriecinok&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

int zapisvsetko(int fd, std::string_view obsah) {
    std::size_t hotovo = 0;
    while (hotovo < obsah.size()) {
        const ssize_t n = ::write(fd, obsah.data() + hotovo, obsah.size() - hotovo);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        hotovo += static_cast<std::size_t>(n);
    }
    return 0;
}

mode_t predvolenymod() {
    // The process's umask can only be read by setting it.
    const mode_t u = ::umask(077);
    ::umask(u);
    return 0666 & ~u;
}

}  // namespace

// ---- targets -------------------------------------------------------------

TCiel identita(const std::string& meno) {
    TCiel c;
    c.cesta = meno;
    rozdel(meno, c.priecinok, c.meno);
    struct stat st {};
    if (::stat(meno.c_str(), &st) == 0) {
        c.existuje = true;
        c.zariadenie = st.st_dev;
        c.uzol = st.st_ino;
    }
    return c;
}

TCiel overciel(const std::string& meno) {
    if (meno.empty()) throw ChybaSuboru("prazdne meno suboru, subor nebol zapisany");
    TCiel c;
    c.cesta = meno;
    struct stat st {};
    for (int odkazov = 0;; ++odkazov) {
        if (::lstat(c.cesta.c_str(), &st) != 0) {
            if (errno != ENOENT) odmietni(meno, "subor sa neda zistit (" + chybovytext(errno) + ")");
            break;
        }
        if (!S_ISLNK(st.st_mode)) {
            c.existuje = true;
            break;
        }
        if (odkazov == MAXODKAZOV) odmietni(meno, "odkazy tvoria slucku (" + chybovytext(ELOOP) + ")");
        std::string ciel(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(c.cesta.c_str(), ciel.data(), ciel.size());
        if (n < 0) odmietni(meno, "odkaz sa neda precitat (" + chybovytext(errno) + ")");
        ciel.resize(static_cast<std::size_t>(n));
        if (ciel.empty()) odmietni(meno, "odkaz je prazdny");
        std::string priecinok, m;
        rozdel(c.cesta, priecinok, m);
        c.cesta = ciel.front() == '/' ? ciel : priecinok + "/" + ciel;
    }
    rozdel(c.cesta, c.priecinok, c.meno);
    if (c.meno.empty() || c.meno == "." || c.meno == "..")
        odmietni(meno, std::string("subor sa neda vytvorit (") + druh(S_IFDIR) + ")");
    if (c.existuje) {
        if (!S_ISREG(st.st_mode)) odmietni(meno, std::string(druh(st.st_mode)) + ", nie obycajny subor");
        // A plain write would be refused: so is the save, although the
        // rename would get through.
        if (::faccessat(AT_FDCWD, c.cesta.c_str(), W_OK, AT_EACCESS) != 0)
            odmietni(meno, "subor nie je mozne prepisat (" + chybovytext(errno) + ")");
        c.zariadenie = st.st_dev;
        c.uzol = st.st_ino;
    }
    struct stat sp {};
    if (::stat(c.priecinok.c_str(), &sp) != 0)
        odmietni(meno, "subor sa neda vytvorit (" + chybovytext(errno) + ")");
    if (!S_ISDIR(sp.st_mode)) odmietni(meno, "subor sa neda vytvorit (" + chybovytext(ENOTDIR) + ")");
    if (::faccessat(AT_FDCWD, c.priecinok.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        odmietni(meno, "do priecinka " + bezriadiacich(c.priecinok) + " sa neda zapisovat (" +
                           chybovytext(errno) + ")");
    if (!c.existuje) {
        c.zariadenie = sp.st_dev;
        c.uzol = sp.st_ino;
    }
    return c;
}

bool tenistysubor(const TCiel& a, const TCiel& b) {
    if (a.zariadenie != b.zariadenie || a.uzol != b.uzol) return false;
    if (a.existuje && b.existuje) return true;
    return a.existuje == b.existuje && a.meno == b.meno;
}

// ---- temporary files -----------------------------------------------------

bool jedocasny(std::string_view m) {
    const std::string_view p = PREDPONA, s = PRIPONA;
    if (m.size() <= p.size() + s.size() + 2 + ZNAKOVNAHODY) return false;
    if (m.substr(0, p.size()) != p || m.substr(m.size() - s.size()) != s) return false;
    std::string_view stred = m.substr(p.size(), m.size() - p.size() - s.size());
    const std::size_t pomlcka = stred.find('-');
    if (pomlcka == 0 || pomlcka == std::string_view::npos || pomlcka > 10) return false;
    for (std::size_t k = 0; k < pomlcka; ++k)
        if (stred[k] < '0' || stred[k] > '9') return false;
    const std::string_view nahoda = stred.substr(pomlcka + 1);
    if (nahoda.size() != ZNAKOVNAHODY) return false;
    for (char c : nahoda)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

int vycistidocasne(const std::string& priecinok) {
    const int dfd = ::open(priecinok.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) return 0;
    DIR* d = ::fdopendir(dfd);
    if (d == nullptr) {
        ::close(dfd);
        return 0;
    }
    int pocet = 0;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view m = e->d_name;
        if (!jedocasny(m)) continue;
        const std::string_view cislo = m.substr(std::strlen(PREDPONA));
        long long pid = 0;
        for (char c : cislo.substr(0, cislo.find('-'))) pid = pid * 10 + (c - '0');
        if (pid <= 0 || pid == ::getpid() || pid > 0x7fffffffLL) continue;
        // still running (or run by someone we may not signal): not ours to take
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        struct stat st {};
        if (::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (::unlinkat(dfd, e->d_name, 0) == 0) ++pocet;
    }
    ::closedir(d);
    return pocet;
}

// ---- the save --------------------------------------------------------------

void zapissubor(const std::string& meno, std::string_view obsah) {
    const TCiel c = overciel(meno);
    struct stat st {};
    const bool stary = c.existuje && ::stat(c.cesta.c_str(), &st) == 0;
    const mode_t mod = stary ? (st.st_mode & 07777) : predvolenymod();
    vycistidocasne(c.priecinok);

    const TPriecinok p(c.priecinok);
    if (p.fd() < 0) odmietni(meno, "subor sa neda vytvorit (" + chybovytext(errno) + ")");
    TDocasny t(p.fd(), meno);
    int e = zapisvsetko(t.fd(), obsah);
    // the data must be on the disk before the rename makes it the file
    if (e == 0 && ::fsync(t.fd()) != 0) e = errno;
    if (e != 0) odmietni(meno, "chyba pri zapise (" + chybovytext(e) + ")");
    // Until here the file is the user's alone (mode 0600). The owner may
    // change only for root; the mode after it, since a change of owner
    // clears the set-user-ID bit.
    if (stary && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
        if (::fchown(t.fd(), st.st_uid, st.st_gid) != 0) {
            // not root: the file becomes the user's, as a new file would
        }
    }
    if (prizapise) prizapise(c.priecinok + "/" + t.meno());
    if (::fchmod(t.fd(), mod) != 0)
        odmietni(meno, "prava suboru sa nedaju nastavit (" + chybovytext(errno) + ")");
    if ((e = t.zavri()) != 0) odmietni(meno, "chyba pri zapise (" + chybovytext(e) + ")");
    if (::renameat(p.fd(), t.meno().c_str(), p.fd(), c.meno.c_str()) != 0)
        odmietni(meno, "subor sa neda nahradit (" + chybovytext(errno) + ")");
    t.premenovany();
    // the new name on the disk too; a folder that cannot be synced is no
    // failure of the file
    ::fsync(p.fd());
}

}  // namespace qlc
