#pragma once
// The one way the program writes a file: matrix files, OpenQASM programs,
// SVG and PNG pictures, from the command line and from the window alike.
//
// zapissubor(meno, obsah) never leaves a half-written file in place of the
// old one:
//  - a symbolic link is followed to the file it names, which is replaced in
//    its own folder; a target that is no regular file (a folder, a device, a
//    pipe, a socket) and a file the user may not write are refused;
//  - the text goes to a temporary file ".qlc-PID-XXXXXX.tmp" in the
//    target's folder, created with mode 0600 (no one else can read it even
//    for a moment), written with every write checked, synced, given the
//    target's mode and owner, closed (checked), and renamed over the target;
//  - on any failure the temporary file is removed and the old file stays as
//    it was; ChybaSuboru names the file and the reason;
//  - SIGINT, SIGTERM and SIGHUP during the write remove the temporary file
//    before the signal takes its usual effect. After SIGKILL the temporary
//    file stays; the next save into that folder removes temporary files of
//    processes that no longer run.
#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

#include "core/chyby.h"

namespace qlc {

// A file a save would write, as it is before the save.
struct TCiel {
    std::string cesta;      // the file itself, links followed
    std::string priecinok;  // its folder ("." for a bare name)
    std::string meno;       // its name in the folder
    bool existuje = false;
    // Identity: device and inode of the file, or of its folder for a file
    // that does not exist yet (then the name tells it apart).
    dev_t zariadenie = 0;
    ino_t uzol = 0;
};

// Follows meno to the file a save would replace and checks that it may be
// replaced: an existing regular file the user may write, or a new name in a
// folder the user may write. ChybaSuboru otherwise ("meno: ..., subor nebol
// zapisany").
TCiel overciel(const std::string& meno);

// The identity of an existing file to read (links followed), as a TCiel;
// existuje is false when there is no such file.
TCiel identita(const std::string& meno);

// True when a and b denote one file: the same inode, or the same new name in
// the same folder.
bool tenistysubor(const TCiel& a, const TCiel& b);

// Replaces the file meno by obsah as described above.
void zapissubor(const std::string& meno, std::string_view obsah);

// Is meno the name of one of the temporary files above?
bool jedocasny(std::string_view meno);

// Removes from the folder the temporary files of processes of this user that
// no longer run; returns how many were removed.
int vycistidocasne(const std::string& priecinok);

// For the tests: when set, called with the path of the temporary file after
// the text is written and synced, before it gets the target's mode and is
// renamed. An exception thrown
// here is a failed write.
extern std::function<void(const std::string& docasny)> prizapise;

}  // namespace qlc
