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

std::string CellName(int k) {
  return "r" + std::to_string(k / 9 + 1) + "c" + std::to_string(k % 9 + 1);
}

namespace {

std::string DigitsText(uint16_t digits) {
  std::string text;
  for (int d = 1; d <= 9; ++d) {
    if (digits & engine::DigitBit(d)) text += static_cast<char>('0' + d);
  }
  return text;
}

std::string Joined(const std::string& text) { return text.empty() ? text : text.substr(1); }

}  // namespace

std::string DeductionText(const engine::Deduction& found) {
  std::string text;
  for (int k = 0; k < 81; ++k) {
    if (found.place[k] != 0) text += " " + CellName(k) + "=" + std::to_string(found.place[k]);
    if (found.strike[k] != 0) text += " " + CellName(k) + "-" + DigitsText(found.strike[k]);
  }
  return Joined(text);
}

std::string PatternText(const engine::Deduction& found) {
  std::string text;
  for (int k = 0; k < 81; ++k) {
    uint16_t shown = found.pattern[k] & static_cast<uint16_t>(~found.strike[k]);
    if (found.place[k] != 0) shown &= static_cast<uint16_t>(~engine::DigitBit(found.place[k]));
    if (shown != 0) text += " " + CellName(k) + ":" + DigitsText(shown);
  }
  return Joined(text);
}

}  // namespace testing_support
