// Where both programs keep the files they write: beside themselves in a folder the player
// may write (a portable folder), else in the player's own data folder. Both choose by this
// one rule, so that the game and the help viewer always meet in the same link file.
#pragma once

#include <filesystem>

namespace settings {

// True when a file can be created in folder (and is removed again at once). Permission bits
// cannot tell: an administrator writes a read-only folder, a read-only mount refuses a
// writable-looking one.
bool FolderIsWritable(const std::filesystem::path& folder);

// programFolder itself when it is writable. Otherwise the folder "deradu" in the user's data
// folder, created when missing; it is named even when it cannot be created, so that the
// errors of the first write say where the files belong. programFolder when the user has no
// data folder at all.
std::filesystem::path DataFolder(const std::filesystem::path& programFolder);

}  // namespace settings
