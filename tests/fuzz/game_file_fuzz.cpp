// Fuzz target for the game file: any bytes parse into a board in normal form, the board's
// own bytes parse back to it, a load thins a complete grid and keeps any other, and a save
// and reload through real files agree. game_file_parse_fuzz (FUZZ_IN_MEMORY) stops before
// the files: it loads the bytes in memory, many times faster.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/files/game_file.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace {

// The checks below are no code under test: coverage of their comparisons would only slow the
// runs and steer the fuzzer by them.
#define FUZZ_CHECK_HELPER __attribute__((no_sanitize("coverage")))

// Every cell is empty with zero fields, a given (master -digit, black) or, in a plain load
// only, a player's digit (master 0, a colour).
FUZZ_CHECK_HELPER bool IsInNormalForm(const engine::Board& board, int masterNumber) {
  for (const engine::Cell& cell : board.cells) {
    if (cell.digit < 0 || cell.digit > 9) return false;
    const bool empty = cell.digit == 0 && cell.master == 0 && cell.textColor == 0;
    const bool given = cell.digit != 0 && cell.master == -cell.digit && cell.textColor == 0;
    const bool players = masterNumber == 0 && cell.digit != 0 && cell.master == 0 &&
                         cell.textColor != 0;
    if (!empty && !given && !players) return false;
  }
  return true;
}

FUZZ_CHECK_HELPER bool IsComplete(const engine::Board& board) {
  for (const engine::Cell& cell : board.cells) {
    if (cell.digit == 0) return false;
  }
  return true;
}

FUZZ_CHECK_HELPER bool SameCells(const engine::Board& a, const engine::Board& b) {
  for (int k = 0; k < 81; ++k) {
    if (a.cells[k].digit != b.cells[k].digit || a.cells[k].master != b.cells[k].master ||
        a.cells[k].textColor != b.cells[k].textColor) {
      return false;
    }
  }
  return true;
}

// After blanking each cell is either as parsed or emptied (digit and master 0).
FUZZ_CHECK_HELPER bool IsThinnedFrom(const engine::Board& thinned, const engine::Board& full) {
  for (int k = 0; k < 81; ++k) {
    const engine::Cell& a = thinned.cells[k];
    const engine::Cell& b = full.cells[k];
    const bool kept = a.digit == b.digit && a.master == b.master && a.textColor == b.textColor;
    const bool emptied = a.digit == 0 && a.master == 0 && a.textColor == b.textColor;
    if (!kept && !emptied) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const int masterNumber = size > 0 ? data[0] % 3 : 0;

  engine::Board board;
  const bool complete = files::ParseGameFile(bytes, masterNumber, board);
  FUZZ_CHECK(IsInNormalForm(board, masterNumber));
  FUZZ_CHECK(complete == IsComplete(board));
  const std::string text = files::FormatGameFile(board);
  engine::Board again;
  FUZZ_CHECK(files::ParseGameFile(text, 0, again) == complete);
  FUZZ_CHECK(SameCells(again, board));

  // One game for every input (building one costs more than the parse); the load replaces its
  // board whole.
  static testing_support::FakePlatform platform;
  static engine::Game game(platform);
  platform.Reseed(static_cast<uint32_t>(size));
  platform.reseeds.clear();
  game.Skill = size > 1 ? data[1] % 4 : 0;
#ifdef FUZZ_IN_MEMORY
  files::ReadGameBytes(game, bytes, masterNumber);
#else
  static const testing_support::TempFolder folder;
  FUZZ_CHECK(files::ReadGameFile(game, folder.Write("input.ssv", bytes), masterNumber));
#endif
  FUZZ_CHECK(complete ? IsThinnedFrom(game.board, board) : SameCells(game.board, board));
#ifndef FUZZ_IN_MEMORY

  engine::Board saved = game.board;
  const std::filesystem::path savedPath = folder / "saved.ssv";
  FUZZ_CHECK(files::WriteGameFile(saved, savedPath));
  FUZZ_CHECK(testing_support::ReadFileBytes(savedPath) == files::FormatGameFile(saved));
  FUZZ_CHECK(IsInNormalForm(saved, 0));
  if (!IsComplete(saved)) {
    FUZZ_CHECK(files::ReadGameFile(game, savedPath, 0));
    FUZZ_CHECK(files::FormatGameFile(game.board) == files::FormatGameFile(saved));
  }
#endif
  return 0;
}
