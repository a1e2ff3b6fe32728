// Reading and writing the 243-line game file, the blanking of a complete grid on load, and
// the numbered master names. Cell k of the file is Board(k % 9, k / 9).
#include "game/files/game_file.h"

#include <algorithm>

#include "common/settings/atomic_file.h"
#include "common/settings/file_bytes.h"
#include "common/settings/line_reader.h"
#include "common/settings/number_text.h"
#include "common/settings/path_text.h"
#include "common/settings/settings_store.h"
#include "game/engine/puzzle_from_grid.h"

namespace files {
namespace {

constexpr int kLastNumberedMaster = 999;

}  // namespace

std::string NumberedMasterName(int n) {
  const std::string digits = "000" + settings::FormatNumber(n);
  return digits.substr(digits.size() - 3);
}

void ShowFileInTitle(engine::Game& game, const std::filesystem::path& path) {
  game.window.title = "Deradu - " + settings::Utf8FromPath(path.filename());
}

std::string FormatGameFile(const engine::Board& board) {
  std::string text;
  text.reserve(81 * 3 * 4);
  for (const engine::Cell& cell : board.cells) {
    for (int32_t field : {cell.digit, cell.master, cell.textColor}) {
      text.append(settings::FormatNumber(field)).append("\r\n");
    }
  }
  return text;
}

bool WriteGameFile(engine::Board& board, const std::filesystem::path& path) {
  engine::Board normalised = board;
  for (engine::Cell& cell : normalised.cells) {
    if (cell.digit == 0) {
      cell.master = cell.textColor = 0;
    } else if (cell.textColor == 0) {
      cell.master = -cell.digit;
    }
  }
  if (!settings::WriteFileAtomically(path, FormatGameFile(normalised))) return false;
  board = normalised;
  return true;
}

bool WriteMasterGrid(const engine::Board& board, const std::filesystem::path& path) {
  return settings::WriteFileAtomically(path, FormatGameFile(board));
}

bool ParseGameFile(std::string_view bytes, int masterNumber, engine::Board& board) {
  settings::LineReader lines(bytes, /*nulEndsLine=*/true);
  bool complete = true;
  for (engine::Cell& cell : board.cells) {
    const int32_t digit = settings::ParseNumber(lines.Next());
    const int32_t master = settings::ParseNumber(lines.Next());
    const int32_t textColor = settings::ParseNumber(lines.Next());
    if (digit < 1 || digit > 9) {
      // Only a digit may be shown in a cell: anything else stands for an empty one.
      cell = {};
      complete = false;
    } else if (masterNumber == 0 && master == 0 && textColor != 0) {
      cell = {digit, 0, textColor};
    } else {
      // A master load, a master line or a black text all make the digit a given.
      cell = {digit, -digit, 0};
    }
  }
  return complete;
}

bool ReadGameFile(engine::Game& game, const std::filesystem::path& path, int masterNumber) {
  // Reading stops at the cap, so that a huge file chosen by mistake loads as whatever its
  // start holds.
  const std::optional<std::string> bytes =
      settings::ReadWholeFile(path, settings::kLargestTextFile);
  if (!bytes) return false;
  ReadGameBytes(game, *bytes, masterNumber);
  return true;
}

void ReadGameBytes(engine::Game& game, std::string_view bytes, int masterNumber) {
  engine::Board board;
  if (ParseGameFile(bytes, masterNumber, board)) {
    // A complete grid (a numbered master, or a finished game) is made a fresh puzzle with one
    // solution: each cell stays with a chance that grows with the skill setting.
    engine::EmptyDrawnCells(board, game.platform, 100, engine::SkillThreshold(35, 10, game.Skill));
  }
  game.board = board;
}

std::string NextNumberedMasterName(engine::Game& game) {
  settings::SettingsStore store;
  store.OpenSettings(game.SettingsPath());
  // Names are always three digits from 001, whatever the settings file holds, so a numbered
  // master never lands outside the masters folder or outside the numbered pattern.
  int n = std::max(settings::ParseNumber(store.ReadSettingText("LastSave", "001")), 1);
  for (; n <= kLastNumberedMaster; ++n) {
    const std::string name = NumberedMasterName(n);
    if (!settings::PathIsTaken(game.MastersFolder / (name + ".sms"))) {
      store.WriteSettingText("LastSave", name);
      store.CloseSettings();
      game.LastSave = name;
      return name;
    }
  }
  return {};
}

std::string FileNumberedMaster(engine::Game& game) {
  const std::string name = NextNumberedMasterName(game);
  if (name.empty()) return {};
  const std::string fileName = name + ".sms";
  if (!WriteMasterGrid(game.board, game.MastersFolder / fileName)) return {};
  ShowFileInTitle(game, fileName);
  return fileName;
}

}  // namespace files
