// The search that completes the Board: the stack, the start digits, the progress window and
// the Solve command around the fast search.
#include "game/engine/solver.h"

#include <algorithm>

#include "game/engine/cells.h"
#include "game/engine/search.h"

namespace engine {
namespace {

// The progress window takes the window events at most this often, in milliseconds of search.
constexpr uint32_t kProgressInterval = 15;
constexpr std::string_view kSolveTitle = "Brindle's Deradu";

std::vector<Prefilled> PrefilledOf(const std::vector<SearchEntry>& stack) {
  std::vector<Prefilled> prefilled;
  prefilled.reserve(stack.size());
  for (const SearchEntry& entry : stack) {
    prefilled.push_back({9 * entry.y + entry.x, entry.digit, entry.kind == 2});
  }
  return prefilled;
}

// Puts the search's digits on the Board and leaves the stack as the plain backtracking would:
// the entries kept, the top one possibly revised, then one entry for every cell the search
// filled, in the order it filled them, with the first digit that fitted as start digit.
void ApplyResult(Game& game, const SearchResult& result, const StartDigits& start) {
  std::vector<SearchEntry>& stack = game.searchStack;
  Board& board = game.board;
  for (size_t i = result.keptEntries; i < stack.size(); ++i) {
    Cell& cell = board(stack[i].x, stack[i].y);
    cell.digit = 0;
    cell.master = 0;
  }
  stack.resize(result.keptEntries);
  if (!stack.empty()) {
    SearchEntry& top = stack.back();
    top.digit = result.grid[9 * top.y + top.x];
    board(top.x, top.y).digit = top.digit;
  }
  for (int x = 0; x < 9; ++x) {
    for (int y = 0; y < 9; ++y) {
      Cell& cell = board(x, y);
      const int digit = result.grid[9 * y + x];
      if (cell.digit != 0 || digit == 0) continue;
      int first = start[9 * y + x];
      for (int tried = 0; tried < 9 && !CanPlace(board, x, y, first); ++tried) {
        first = first % 9 + 1;
      }
      cell.digit = digit;
      cell.master = -digit;
      stack.push_back({digit, first, x, y, 0});
    }
  }
}

}  // namespace

bool CanPlace(const Board& board, int x, int y, int d) {
  if (board(x, y).digit != 0) return false;
  for (int i = 0; i < 9; ++i) {
    if (board(x, i).digit == d || board(i, y).digit == d) return false;
  }
  const int left = 3 * (x / 3);
  const int top = 3 * (y / 3);
  for (int i = 0; i < 9; ++i) {
    if (board(left + i % 3, top + i / 3).digit == d) return false;
  }
  return true;
}

std::vector<SearchEntry> SearchStackOf(const Board& board) {
  std::vector<SearchEntry> stack;
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      const Cell& cell = board(x, y);
      if (cell.digit != 0) stack.push_back({cell.digit, cell.digit, x, y, cell.master != 0 ? 2 : 1});
    }
  }
  std::stable_sort(stack.begin(), stack.end(),
                   [](const SearchEntry& a, const SearchEntry& b) { return a.kind > b.kind; });
  return stack;
}

void LoadSearchStack(Game& game) { game.searchStack = SearchStackOf(game.board); }

bool SolvePuzzle(Game& game) {
  Platform& platform = game.platform;
  LoadSearchStack(game);
  StartDigits start;
  for (int8_t& digit : start) digit = static_cast<int8_t>(1 + std::clamp(platform.Random(8), 0, 8));

  platform.OpenProgress();
  bool solved = false;
  // The first update shows the window; later ones come when enough time has passed.
  uint32_t lastUpdate = platform.TickCount();
  if (platform.UpdateProgress(0)) {
    SearchMonitor monitor([&](int column) {
      const uint32_t now = platform.TickCount();
      if (now - lastUpdate < kProgressInterval) return true;
      lastUpdate = now;
      return platform.UpdateProgress(10 * column);
    });
    const SearchResult result = FindFirstCompletion(PrefilledOf(game.searchStack), start, monitor);
    if (result.status != SearchStatus::NoCompletion) ApplyResult(game, result, start);
    solved = result.status == SearchStatus::Completed;
  }
  platform.CloseProgress();
  return solved;
}

void RunSolve(Game& game) {
  const bool solved = SolvePuzzle(game);
  if (solved) {
    game.platform.ShowMessage(kSolveTitle, "Game solved", MessageIcon::None, MessageButtons::Ok);
    ShowBoard(game);
  } else {
    game.platform.ShowMessage(kSolveTitle, "No Solution Found", MessageIcon::None,
                              MessageButtons::Ok);
    ReadBoardFromCells(game, game.EnterMode);
  }
  game.Finished = solved;
  game.EnterMode = false;
}

}  // namespace engine
