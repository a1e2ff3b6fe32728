#include "tests/library/library_puzzles.h"

#include <algorithm>
#include <filesystem>

#include "common/settings/path_text.h"
#include "game/files/game_file.h"
#include "tests/support/temp_folder.h"

namespace testing_support {

std::vector<LibraryPuzzle> ReadLibrary() {
  std::vector<std::filesystem::path> paths;
  for (const auto& entry : std::filesystem::directory_iterator(DERADU_LIBRARY_DIR)) {
    if (entry.path().extension() == ".sms") paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<LibraryPuzzle> puzzles;
  for (const std::filesystem::path& path : paths) {
    LibraryPuzzle puzzle{settings::Utf8FromPath(path.filename()), ReadFileBytes(path), {}, {}};
    files::ParseGameFile(puzzle.bytes, 0, puzzle.board);
    for (int k = 0; k < 81; ++k) {
      puzzle.givens[k] = static_cast<int8_t>(puzzle.board.cells[k].digit);
    }
    puzzles.push_back(puzzle);
  }
  return puzzles;
}

}  // namespace testing_support
