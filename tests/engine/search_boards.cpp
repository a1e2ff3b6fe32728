// Boards for the search's tests.
#include "tests/engine/search_boards.h"

namespace testing_support {

engine::Board BoardFromText(std::string_view text) {
  engine::Board board;
  for (int k = 0; k < 81 && k < static_cast<int>(text.size()); ++k) {
    const char c = text[k];
    if (c >= '1' && c <= '9') board.cells[k] = {c - '0', 1, 0};
    if (c >= 'a' && c <= 'i') board.cells[k] = {c - 'a' + 1, 0, kPlayerColor};
  }
  return board;
}

std::string DigitsOf(const engine::Board& board) {
  std::string digits;
  for (const engine::Cell& cell : board.cells) {
    digits += cell.digit >= 1 && cell.digit <= 9 ? static_cast<char>('0' + cell.digit) : '.';
  }
  return digits;
}

bool IsValidFullGrid(const engine::Board& board) {
  for (const engine::Unit& unit : engine::Units()) {
    int seen = 0;
    for (int k : unit) {
      const int digit = board.cells[k].digit;
      if (digit < 1 || digit > 9 || (seen >> digit & 1)) return false;
      seen |= 1 << digit;
    }
  }
  return true;
}

}  // namespace testing_support
