// The masters and saves folders and the one-time move of older game files into them.
#include "game/files/folders.h"

#include <cctype>
#include <string_view>
#include <system_error>

#include "common/settings/atomic_file.h"
#include "common/settings/file_bytes.h"
#include "common/settings/file_platform.h"
#include "common/settings/number_text.h"
#include "common/settings/path_text.h"

namespace files {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMigrationTitle = "Brindle Deradu";
constexpr std::string_view kMigrationErrorTitle = "Brindle Deradu Error";
constexpr std::string_view kMoveQuestion =
    "Old files detected, before version 1.8\n"
    "Shall I move all game files to propper directories?";

// MoveFiles states.
constexpr int kDeclined = 0;
constexpr int kToDo = 1;
constexpr int kNoOldFileYet = 2;
constexpr int kDone = 3;

void ShowError(engine::Game& game, std::string_view text, const fs::path& folder) {
  game.platform.ShowMessage(kMigrationErrorTitle, std::string(text) + FolderText(folder),
                            engine::MessageIcon::Error, engine::MessageButtons::Ok);
}

// A folder that already exists counts as created.
bool CreateFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directory(folder, error);
  return !error && fs::is_directory(folder, error);
}

// Creates the masters folder, then the saves folder; a failure is shown and turns the
// migration back to "still to do". With stopAtFirstFailure the saves folder is not tried
// after the masters folder failed.
bool CreateBothFolders(engine::Game& game, bool stopAtFirstFailure) {
  bool created = true;
  if (!CreateFolder(game.MastersFolder)) {
    ShowError(game, "Unable to create Master directory\n", game.MastersFolder);
    game.MoveFiles = kToDo;
    created = false;
    if (stopAtFirstFailure) return false;
  }
  if (!CreateFolder(game.SavesFolder)) {
    ShowError(game, "Unable to create Save directory\n", game.SavesFolder);
    game.MoveFiles = kToDo;
    created = false;
  }
  return created;
}

// Whether path is a file of its own: a link, a pipe or a device is never moved.
bool IsPlainFile(const fs::path& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() == fs::file_type::regular;
}

// Whether target is the file itself, reached through a link (a subfolder linked back to the
// program folder) or a second name; when that cannot be told, it is taken to be.
bool IsSameFile(const fs::path& file, const fs::path& target) {
  if (!settings::PathIsTaken(target)) return false;
  std::error_code error;
  return fs::equivalent(file, target, error) || error;
}

// Moves the file over any of the same name in targetFolder: by renaming it, or, across file
// systems, by copying it and removing the original only once the copy is complete. A failure
// leaves the file where it was and the old copy intact; a target that is the file itself is
// left alone, since removing the "original" would remove the only copy.
void MoveIntoFolder(const fs::path& file, const fs::path& targetFolder) {
  const fs::path target = targetFolder / file.filename();
  if (IsSameFile(file, target) || settings::RenameDurably(file, target)) return;
  if (!settings::CopyFileAtomically(file, target)) return;
  std::error_code ignored;
  fs::remove(file, ignored);
}

void RunMigration(engine::Game& game, settings::SettingsStore& store) {
  auto entries = ListFolder(game.ProgramFolder);
  if (!entries) {
    ShowError(game, "Unable to examine directory \n", game.ProgramFolder);
    game.MoveFiles = kDeclined;  // for this run only
    return;
  }
  game.MoveFiles = kNoOldFileYet;
  for (const FolderEntry& entry : *entries) {
    if (!IsPlainFile(entry.path)) continue;
    const std::string extension = UpperExtension(entry.path.filename());
    const fs::path* target = extension == "SMS"   ? &game.MastersFolder
                             : extension == "SSV" ? &game.SavesFolder
                                                  : nullptr;
    if (target == nullptr) continue;
    if (game.MoveFiles == kNoOldFileYet) {
      if (game.platform.ShowMessage(kMigrationTitle, kMoveQuestion, engine::MessageIcon::Question,
                                    engine::MessageButtons::YesNo) != engine::MessageAnswer::Yes) {
        game.MoveFiles = kDeclined;
        break;
      }
      game.MoveFiles = kDone;
      if (!CreateBothFolders(game, true)) break;
    }
    MoveIntoFolder(entry.path, *target);
  }
  if (game.MoveFiles == kNoOldFileYet) {
    game.MoveFiles = kDone;
    CreateBothFolders(game, false);
  }
  store.WriteSettingText("MoveFiles", settings::FormatNumber(game.MoveFiles));
}

}  // namespace

void SetUpFolders(engine::Game& game) {
  std::error_code ignored;
  fs::current_path(game.ProgramFolder, ignored);
  game.MastersFolder = game.ProgramFolder / "Masters" / "";
  game.SavesFolder = game.ProgramFolder / "Saves" / "";
}

void MigrateOldFiles(engine::Game& game, settings::SettingsStore& store) {
  game.MoveFiles = settings::ParseNumber(store.ReadSettingText("MoveFiles", "1"));
  if (game.MoveFiles == kToDo) RunMigration(game, store);
  if (game.MoveFiles < kNoOldFileYet) {
    game.MastersFolder = game.ProgramFolder;
    game.SavesFolder = game.ProgramFolder;
  }
}

std::optional<std::vector<FolderEntry>> ListFolder(const fs::path& folder) {
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) return std::nullopt;
  std::vector<FolderEntry> entries;
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code typeError;
    entries.push_back({it->path(), it->is_regular_file(typeError)});
  }
  return entries;
}

std::string FolderText(const fs::path& folder) {
  if (folder.empty() || !folder.has_filename()) return settings::Utf8FromPath(folder);
  return settings::Utf8FromPath(folder / "");
}

std::string UpperExtension(const fs::path& fileName) {
  const std::string name = settings::Utf8FromPath(fileName);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string extension = name.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return extension;
}

}  // namespace files
