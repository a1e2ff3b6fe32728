// Whether a file is a program of this system, which the game may start as a process. Any
// other file, a script with the execute bit among them (usual for every file on FAT and exFAT
// drives), is opened with the desktop's default application instead.
#pragma once

#include <filesystem>

namespace shell {

// A compiled executable: an ELF file on Linux, an "MZ" executable on Windows.
bool IsProgramFile(const std::filesystem::path& path);

}  // namespace shell
