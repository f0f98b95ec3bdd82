// ProgramFiles (aka programDir) — where the program's files lie: dat/
// (settings, place list, case store), bazi_f/ (stored reports) and skins/.
//
// Each front end decides its files once, in main(), and passes this value
// down; nothing in the core looks for files on its own.
#pragma once

#include <filesystem>
#include <string>

namespace tessaly {

struct ProgramFiles {
    std::filesystem::path home;  // holds dat/, bazi_f/ and skins/

    std::filesystem::path DatFolder() const { return home / "dat"; }
    std::filesystem::path ReportsFolder() const { return home / "bazi_f"; }
    std::filesystem::path SkinsFolder() const { return home / "skins"; }
    // DatFolder() / name
    std::filesystem::path Dat(const std::filesystem::path& name) const { return DatFolder() / name; }
};

// The files of this run: the folder given on the command line (--home), else
// the environment variable TESSALY_HOME, else the folder of the running
// executable.
ProgramFiles LocateProgramFiles(const std::filesystem::path& homeOption = {});

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

}  // namespace tessaly
