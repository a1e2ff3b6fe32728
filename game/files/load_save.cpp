// The file commands New, Load and Save, the save question and the start-up puzzle.
#include "game/files/load_save.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/settings/number_text.h"
#include "common/settings/path_text.h"
#include "game/engine/cells.h"
#include "game/engine/entry.h"
#include "game/files/folders.h"
#include "game/files/game_file.h"

namespace files {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMasterFilter =
    "Master (*.sms)|*.sms|All Deradu (*.sms,*.ssv)|*.sms;*.ssv|All files (*.*)|*.*";
constexpr std::string_view kSavedGameFilter =
    "Save Files (*.ssv)|*.ssv|All Deradu (*.sms,*.ssv)|*.sms;*.ssv|All files (*.*)|*.*";
constexpr int kStartupAttempts = 6;

std::string AskPath(engine::Game& game, bool save, std::string_view title, bool master) {
  engine::FileRequest request;
  request.save = save;
  request.title = title;
  request.filter = master ? kMasterFilter : kSavedGameFilter;
  request.initialFolder = FolderText(master ? game.MastersFolder : game.SavesFolder);
  return game.platform.AskFileName(request);
}

fs::path NumberedMasterPath(const engine::Game& game, int n) {
  return game.MastersFolder / (NumberedMasterName(n) + ".sms");
}

// A name with nothing after its last "." gets the kind's extension; any other keeps its own.
fs::path WithDefaultExtension(const std::string& chosen, bool master) {
  fs::path path = settings::PathFromUtf8(chosen);
  if (!UpperExtension(path.filename()).empty()) return path;
  return settings::PathFromUtf8(chosen + (master ? ".sms" : ".ssv"));
}

void ReplaceBoard(engine::Game& game, std::string_view loadArgument) {
  if (!Guard(game)) return;
  engine::ClearCells(game);
  LoadGame(game, loadArgument);
  engine::ShowNewBoard(game);
}

// The "*.sms" names in the masters folder, sorted so that the same folder gives the same
// choice on every platform; nothing when the folder cannot be listed.
std::optional<std::vector<std::string>> ListMasterNames(const fs::path& folder) {
  auto entries = ListFolder(folder);
  if (!entries) return std::nullopt;
  std::vector<std::string> names;
  for (const FolderEntry& entry : *entries) {
    if (entry.isFile && UpperExtension(entry.path.filename()) == "SMS") {
      names.push_back(settings::Utf8FromPath(entry.path.filename()));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

int LoadGame(engine::Game& game, std::string_view argument) {
  const int32_t v = argument.size() < 5 ? settings::ParseNumber(argument) : 0;
  fs::path path;
  int masterNumber = 0;
  if (v == 0 && argument.size() > 1) {
    path = game.MastersFolder / settings::PathFromUtf8(argument);
  } else if (v == 0) {
    path = settings::PathFromUtf8(AskPath(game, false, "Load game save file", false));
  } else if (v == 1) {
    path = settings::PathFromUtf8(AskPath(game, false, "Load master deradu file", true));
    masterNumber = 1;
  } else if (v >= 2 && v <= 999) {
    path = NumberedMasterPath(game, v);
    masterNumber = v;
  } else {
    return 0;
  }
  if (path.empty()) return 0;
  if (!ReadGameFile(game, path, masterNumber)) return 0;
  ShowFileInTitle(game, path);
  return 1;
}

int SaveGame(engine::Game& game, bool master) {
  std::string chosen = master ? AskPath(game, true, "Save master deradu file", true)
                              : AskPath(game, true, "Game save file", false);
  if (chosen.empty()) return 0;
  const fs::path path = WithDefaultExtension(chosen, master);
  if (!WriteGameFile(game.board, path)) {
    // A save that did not happen must not look like one that did: the player would leave
    // the game believing it kept.
    game.platform.ShowMessage("Brindle's Deradu", "Unable to save file\n" + settings::Utf8FromPath(path),
                              engine::MessageIcon::Error, engine::MessageButtons::Ok);
    return 0;
  }
  ShowFileInTitle(game, path);
  return 1;
}

int PromptToSave(engine::Game& game, bool master) {
  if (game.Finished) return 1;
  switch (game.platform.ShowMessage("Brindle's Deradu", "Do you wish to save this game?",
                                    engine::MessageIcon::Question,
                                    engine::MessageButtons::YesNoCancel)) {
    case engine::MessageAnswer::Yes:
      return SaveGame(game, master);
    case engine::MessageAnswer::No:
      return 1;
    default:
      return 0;
  }
}

bool Guard(engine::Game& game) {
  if (game.Modified) {
    engine::ReadBoardFromCells(game, game.EnterMode);
    if (PromptToSave(game, game.EnterMode) == 1) game.Modified = false;
  }
  return !game.Modified;
}

void NewCommand(engine::Game& game) { ReplaceBoard(game, "1"); }

void LoadCommand(engine::Game& game) { ReplaceBoard(game, "0"); }

void SaveCommand(engine::Game& game) {
  if (game.Modified) engine::ReadBoardFromCells(game, game.EnterMode);
  if (SaveGame(game, game.EnterMode) == 1) {
    game.Modified = false;
    game.EnterMode = false;
  }
}

void ChooseStartupPuzzle(engine::Game& game) {
  std::string lastSave = game.LastSave;
  if (auto names = ListMasterNames(game.MastersFolder)) {
    game.platform.Reseed(0);
    // A master whose name starts with "0" is a numbered one; those are drawn below.
    for (int attempt = 0; attempt < kStartupAttempts && !names->empty(); ++attempt) {
      const std::string& name = (*names)[game.platform.Random(static_cast<int>(names->size()) - 1)];
      if (name.front() == '0') continue;
      if (LoadGame(game, name) == 1) {
        lastSave = "0";
        engine::ShowNewBoard(game);
      }
      break;
    }
  }
  const int32_t last = settings::ParseNumber(lastSave);
  if (last > 2) {
    const int n = std::max(game.platform.Random(last - 2), 2);
    if (LoadGame(game, settings::FormatNumber(n)) == 1) engine::ShowNewBoard(game);
  }
}

}  // namespace files
