// Puzzles for the grader's tests and benchmark.
#include "tests/engine/grade_puzzles.h"

#include <fstream>

namespace testing_support {
namespace {

int CountFrom(const engine::Digits& board, const engine::StartDigits& start,
              engine::Digits* first) {
  engine::CandidateGrid grid;
  if (!grid.PlaceAll(board)) return 0;
  engine::SearchMonitor monitor;
  return engine::CountCompletions(grid, 2, start, first, monitor);
}

}  // namespace

std::vector<engine::Digits> ReadPuzzleFile(const std::string& path, size_t count) {
  std::vector<engine::Digits> puzzles;
  std::ifstream in(path);
  std::string line;
  while (puzzles.size() < count && std::getline(in, line)) {
    if (line.size() < 81 || line[0] == '#') continue;
    engine::Digits puzzle{};
    for (int k = 0; k < 81; ++k) {
      if (line[k] >= '1' && line[k] <= '9') puzzle[k] = static_cast<int8_t>(line[k] - '0');
    }
    puzzles.push_back(puzzle);
  }
  return puzzles;
}

int CountSolutions(const engine::Digits& board, engine::Digits* first) {
  engine::StartDigits start;
  start.fill(1);
  return CountFrom(board, start, first);
}

}  // namespace testing_support
