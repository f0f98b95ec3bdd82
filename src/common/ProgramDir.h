// ProgramDir — the folder everything the program reads and writes lies in:
// dat/ (settings, store), bazi_f/ (stored reports), skins/.
//
// It is the folder of the running executable, unless overridden by
// SetProgramDir (tessaly-cli --home DIR) or the environment variable
// TESSALY_HOME (tests and portable installs).
#pragma once

#include <filesystem>

namespace tessaly {

// The program folder, resolved once on first use.
const std::filesystem::path& ProgramDir();

// Overrides the program folder for the rest of the process.
void SetProgramDir(const std::filesystem::path& dir);

// ProgramDir() / "dat" / name
std::filesystem::path DatPath(const std::filesystem::path& name);

}  // namespace tessaly
