// The operating-system calls behind whole-file reads and writes: opening a file by its path
// in the platform's own encoding, pushing written data and new names to the disk, and the
// user's data folder.
#pragma once

#include <cstdio>
#include <filesystem>

namespace settings {

// std::fopen with a path that may hold any character the file system allows.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);
// Creates a file that must not exist yet and opens it for binary writing; null on failure.
std::FILE* CreateNewFile(const std::filesystem::path& path);
// Flushes the stream and asks the system to put its data on the disk; false on failure.
bool SyncFile(std::FILE* file);
// Renames from to to, replacing a file there, and asks the system to put the folder's new
// entry on the disk too, so that the new name survives a power cut; false when the rename
// fails.
bool RenameDurably(const std::filesystem::path& from, const std::filesystem::path& to);
// The folder in which the user's programs keep their own files: %LOCALAPPDATA% on Windows,
// $XDG_DATA_HOME (an absolute path) or else ~/.local/share elsewhere; empty when unknown.
std::filesystem::path UserDataFolder();

}  // namespace settings
