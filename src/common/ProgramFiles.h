// ProgramFiles (aka programDir) — where the program's files lie: dat/
// (settings, place list, case store), bazi_f/ (stored reports) and skins/.
//
// Each front end decides its files once, in main(), and passes this value
// down; nothing in the core looks for files on its own.
//
// Two folders take part. `home` holds what the user changes: dat/ and
// bazi_f/, and the user's own skins/ and help pages if any. `shipped` holds
// what comes with the program and is only read: the default dat/ files,
// skins/ and the help pages under dat/help/. A copy run from its own folder
// (a build folder, an unpacked archive) uses that folder for both, as the
// Windows program did; an installed copy reads its shipped files from
// share/tessaly and keeps each user's files in $XDG_DATA_HOME/tessaly.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/Status.h"

namespace tessaly {

// How the home folder was chosen, strongest first.
enum class HomeChoice {
    kOption,          // --home DIR
    kEnvironment,     // TESSALY_HOME
    kProgramFolder,   // the executable's folder, whose dat/ is writable (portable)
    kUserDataFolder,  // $XDG_DATA_HOME/tessaly (an installed program)
};

struct ProgramFiles {
    ProgramFiles() = default;
    ProgramFiles(std::filesystem::path homeFolder, std::filesystem::path shippedFolder = {},
                 HomeChoice how = HomeChoice::kOption)
        : home(std::move(homeFolder)), shipped(std::move(shippedFolder)), choice(how) {}

    std::filesystem::path home;     // holds dat/, bazi_f/ and the user's own skins/
    std::filesystem::path shipped;  // the program's read-only files; empty: home
    HomeChoice choice = HomeChoice::kOption;

    std::filesystem::path DatFolder() const { return home / "dat"; }
    std::filesystem::path ReportsFolder() const { return home / "bazi_f"; }
    std::filesystem::path SkinsFolder() const { return home / "skins"; }
    // DatFolder() / name
    std::filesystem::path Dat(const std::filesystem::path& name) const { return DatFolder() / name; }

    // The folder of the shipped files: `shipped`, or `home` when it is empty.
    const std::filesystem::path& ShippedFolder() const { return shipped.empty() ? home : shipped; }
    // A read-only file or folder given relative to the program folder
    // ("dat/help", "skins/Ink.skn"): the user's own copy under home when it
    // exists, else the shipped one (which need not exist either).
    std::filesystem::path UserOrShipped(const std::filesystem::path& relative) const;
    // The folders whose *.skn files are skins: the user's own first, then
    // the shipped one when it differs.
    std::vector<std::filesystem::path> SkinFolders() const;
    // The file of skin `name` (name.skn) from the first of SkinFolders()
    // that has it; the user's own path when none has.
    std::filesystem::path Skin(std::string_view name) const;
};

// What the choice of folders depends on, taken from the running process by
// CurrentProgramEnvironment() and made up by tests.
struct ProgramEnvironment {
    std::filesystem::path executableFolder;
    std::string tessalyHome;  // $TESSALY_HOME
    std::string xdgDataHome;  // $XDG_DATA_HOME
    std::string userHome;     // $HOME, else the password entry's home folder
    // Whether the process may create files in a folder (access(2) W_OK).
    std::function<bool(const std::filesystem::path&)> writable;
};

ProgramEnvironment CurrentProgramEnvironment();

// The folder of the shipped files of a program installed with its
// executable in `executableFolder` (bin/ → share/tessaly/ of the same prefix).
std::filesystem::path InstalledShippedFolder(const std::filesystem::path& executableFolder);

// Decides the files of a run, writing nothing:
//   home:    --home DIR, else TESSALY_HOME, else the executable's folder when
//            its dat/ exists and is writable, else $XDG_DATA_HOME/tessaly
//            ($HOME/.local/share/tessaly when XDG_DATA_HOME is unset or not
//            an absolute path);
//   shipped: the executable's folder when it has a dat/, else the installed
//            share/tessaly when it exists, else none (empty).
ProgramFiles ChooseProgramFiles(const std::filesystem::path& homeOption, const ProgramEnvironment& env);

// Creates dat/ and bazi_f/ under home when they are missing; the message
// says which folder could not be made.
Status MakeProgramFolders(const ProgramFiles& files);

struct SeedingReport;  // common/SeededFiles.h

// Readies a per-user home (choice kUserDataFolder; other homes are used as
// they are): creates it with dat/ and bazi_f/ (the home readable by the
// user only), and copies each file of the shipped dat/ (not its folders)
// that home's dat/ lacks. A copy the user has changed is never overwritten,
// so the user's settings, places and cases survive any later start or
// upgrade; an unchanged copy follows a newer shipped file
// (UpdateSeededFiles in common/SeededFiles.h, whose report goes to *seeding).
Status PrepareProgramFiles(const ProgramFiles& files, SeedingReport* seeding = nullptr);

// The files of this run from the process's own environment: chosen, then
// prepared. What could not be prepared is returned in *problem (when given);
// the value is usable all the same (the case store then names what is
// missing when it is opened). What the preparation did with the copies of
// shipped files goes to *seeding (when given): a front end tells the user
// SeedingNotice(*seeding).
ProgramFiles LocateProgramFiles(const std::filesystem::path& homeOption = {}, Status* problem = nullptr,
                                SeedingReport* seeding = nullptr);

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

}  // namespace tessaly
