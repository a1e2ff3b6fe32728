// The operating-system calls behind whole-file reads and writes: opening a file by its path
// in the platform's own encoding, pushing written data and new names to the disk, and the
// user's data folder.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

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
// Puts the data of files, all closed and in folder, on the disk at once where the system
// allows (Linux: one sync of folder's file system), else file by file; false on failure.
bool SyncFilesInFolder(const std::filesystem::path& folder,
                       const std::vector<std::filesystem::path>& files);
// Renames from to to, failing when anything (a file, a link, a folder) is at to already; the
// new entry is on the disk after SyncFolder of to's folder.
bool RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Asks the system to put folder's entries (new names) on the disk; where that cannot be
// done the names are left to the system's own schedule.
void SyncFolder(const std::filesystem::path& folder);
// How many requests to put data on the disk this process has made so far, so that a batch's
// cost can be checked.
uint64_t DiskSyncCount();
// The folder in which the user's programs keep their own files: %LOCALAPPDATA% on Windows,
// $XDG_DATA_HOME (an absolute path) or else ~/.local/share elsewhere; empty when unknown.
std::filesystem::path UserDataFolder();

}  // namespace settings
