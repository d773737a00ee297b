#pragma once
// What the tests of saving need from the system: a child process (as an
// ordinary user where the tests run as root), and a small full filesystem.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace qlc::test {

// User and group "nobody": an ordinary user whom root can become.
inline constexpr uid_t NIKTO = 65534;

// Runs f in a child process and returns its exit status, or 128 + the
// signal that ended it. akonikto: the child drops root and runs as nobody
// (as the user itself when the tests are not run as root).
inline int vdetskom(const std::function<int()>& f, bool akonikto = false) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        int kod = 99;
        if (!akonikto || ::geteuid() != 0 || (::setgid(NIKTO) == 0 && ::setuid(NIKTO) == 0)) {
            try {
                kod = f();
            } catch (...) {
                kod = 98;
            }
        }
        std::fflush(nullptr);
        ::_exit(kod);
    }
    int st = 0;
    ::waitpid(pid, &st, 0);
    return WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
}

// A tmpfs of a few kilobytes, mounted for one test and then filled to the
// last byte by a filler file; the test is skipped where no filesystem may
// be mounted (not root, or in a container that forbids it).
class PlnyDisk {
  public:
    explicit PlnyDisk(const std::string& cesta) : cesta_(cesta) {
        std::filesystem::create_directories(cesta_);
        pripojeny_ = ::mount("tmpfs", cesta_.c_str(), "tmpfs", 0, "size=64k,mode=0777") == 0;
    }
    ~PlnyDisk() {
        if (pripojeny_) ::umount2(cesta_.c_str(), MNT_DETACH);
        std::error_code ec;
        std::filesystem::remove_all(cesta_, ec);
    }
    PlnyDisk(const PlnyDisk&) = delete;
    PlnyDisk& operator=(const PlnyDisk&) = delete;
    bool pripojeny() const { return pripojeny_; }
    std::string subor(const std::string& meno) const { return cesta_ + "/" + meno; }
    // Takes every free block, once the files the test needs are there.
    void zaplnpoposledny() const {
        std::FILE* f = std::fopen(subor("vypln").c_str(), "wb");
        if (f == nullptr) return;
        const std::string blok(512, 'x');
        while (std::fwrite(blok.data(), 1, blok.size(), f) == blok.size() && std::fflush(f) == 0) {
        }
        std::fclose(f);
        std::ofstream(subor("vypln2")) << std::string(100, 'x');  // the last bytes
    }
    // The names in the folder other than the filler's.
    int pocetinych() const {
        int n = 0;
        for (const auto& e : std::filesystem::directory_iterator(cesta_))
            if (e.path().filename().string().rfind("vypln", 0) != 0) ++n;
        return n;
    }

  private:
    std::string cesta_;
    bool pripojeny_ = false;
};

}  // namespace qlc::test
