// The fast search against the plain backtracking that takes every step literally: on
// thousands of boards and the same start digits, both must succeed or fail alike and leave
// the same Board and stack, wherever the plain one finishes within its step cap. Enough of the
// boards must take the fast search past its first plain walk into settling cell by cell.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "game/engine/random.h"
#include "game/engine/search.h"
#include "game/engine/search_pairs.h"
#include "game/engine/solver.h"
#include "tests/engine/reference_search.h"
#include "tests/engine/search_boards.h"
#include "tests/support/fake_platform.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace engine;
using testing_support::DigitsOf;
using testing_support::kPlayerColor;

// Steps the plain search may take on one board; it finishes most boards in far fewer.
constexpr uint64_t kStepCap = 50'000;
// Plain steps that put a board far beyond the reach of the fast search's own plain walk, which
// gives up after a tenth of them.
constexpr uint64_t kFarSteps = 20'000;

StartDigits DrawStartDigits(RandomGenerator& random) {
  StartDigits start;
  for (int8_t& digit : start) digit = static_cast<int8_t>(1 + random.Next(8));
  return start;
}

std::string Describe(const Board& board) {
  std::string text;
  for (const Cell& cell : board.cells) {
    text += cell.digit == 0 ? '.' : static_cast<char>((cell.master != 0 ? '0' : 'a' - 1) + cell.digit);
  }
  return text;
}

std::string Describe(const std::vector<SearchEntry>& stack) {
  std::ostringstream text;
  for (const SearchEntry& e : stack) {
    text << e.digit << "/" << e.startDigit << "@" << e.x << e.y << "k" << e.kind << " ";
  }
  return text.str();
}

bool SameStacks(const std::vector<SearchEntry>& a, const std::vector<SearchEntry>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].digit != b[i].digit || a[i].startDigit != b[i].startDigit || a[i].x != b[i].x ||
        a[i].y != b[i].y || a[i].kind != b[i].kind) {
      return false;
    }
  }
  return true;
}

// What the comparisons of a set of boards came to.
struct Tally {
  int compared = 0;  // boards the plain search finished within its cap
  int differed = 0;
  // Compared boards on which the fast search settled the cells one by one, and those of them
  // whose plain search took kFarSteps or more.
  int cellByCell = 0;
  int cellByCellFar = 0;
};

// Runs both searches on board; the fast one through SolvePuzzle with these start digits.
void Compare(const Board& board, const StartDigits& start, uint64_t stepCap, Tally& tally) {
  Board reference = board;
  std::vector<SearchEntry> referenceStack = SearchStackOf(reference);
  const testing_support::ReferenceResult plain =
      testing_support::ReferenceSolve(reference, referenceStack, start, stepCap);
  if (plain.status == testing_support::ReferenceStatus::StepCapReached) return;

  testing_support::FakePlatform platform;
  for (int8_t digit : start) platform.scriptedRandom.push_back(digit - 1);
  Game game(platform);
  game.board = board;
  const uint64_t walksBefore = CellByCellWalks();
  const bool solved = SolvePuzzle(game);
  const bool plainSolved = plain.status == testing_support::ReferenceStatus::Completed;
  ++tally.compared;
  if (CellByCellWalks() != walksBefore) {
    ++tally.cellByCell;
    tally.cellByCellFar += plain.steps >= kFarSteps;
  }

  bool same = solved == plainSolved;
  if (same && solved) {
    same = SameStacks(game.searchStack, referenceStack);
    for (int k = 0; k < 81; ++k) {
      const Cell& fast = game.board.cells[k];
      const Cell& slow = reference.cells[k];
      same &= fast.digit == slow.digit && (fast.master != 0) == (slow.master != 0) &&
              fast.textColor == slow.textColor;
    }
  }
  if (!same) {
    ++tally.differed;
    ADD_FAILURE() << "board " << Describe(board) << "\nfast  " << solved << " "
                  << Describe(game.board) << "\nplain " << plainSolved << " "
                  << Describe(reference) << "\nfast stack  " << Describe(game.searchStack)
                  << "\nplain stack " << Describe(referenceStack);
  }
}

// A random complete grid from the plain backtracking on an empty board.
Board RandomGrid(RandomGenerator& random) {
  for (;;) {
    Board grid;
    std::vector<SearchEntry> stack;
    if (testing_support::ReferenceSolve(grid, stack, DrawStartDigits(random), 100'000).status ==
        testing_support::ReferenceStatus::Completed) {
      return grid;
    }
  }
}

bool Chance(RandomGenerator& random, int percent) { return random.Next(99) < percent; }

// Keeps each cell of a grid as a given with the chance given in percent.
Board Thinned(const Board& grid, RandomGenerator& random, int percent) {
  Board board;
  for (int k = 0; k < 81; ++k) {
    if (Chance(random, percent)) board.cells[k] = {grid.cells[k].digit, 1, 0};
  }
  return board;
}

// Puts a player's digit into count empty cells: one that fits beside the other digits but
// differs from the grid's (fits), or one that repeats a digit of the cell's row (clashes).
void AddPlayersDigits(Board& board, const Board& grid, RandomGenerator& random, int count,
                      bool clashing) {
  for (int tries = 0; count > 0 && tries < 200; ++tries) {
    const int k = random.Next(80);
    if (board.cells[k].digit != 0) continue;
    int digit = 1 + random.Next(8);
    const int x = k % 9, y = k / 9;
    if (clashing) {
      const int other = board(random.Next(8), y).digit;
      if (other == 0) continue;
      digit = other;
    } else if (digit == grid.cells[k].digit || !CanPlace(board, x, y, digit)) {
      continue;
    }
    board.cells[k] = {digit, 0, kPlayerColor};
    --count;
  }
}

// A board from a random complete grid: each cell kept as a given with a chance of keep to
// keep + spread percent, some empty ones given the grid's digit as the player's, then up to
// wrong player's digits that fit but differ from the grid and up to clashing ones.
struct GridRecipe {
  int keep, spread, rightPercent, wrong, clashing;
};

Board FromGrid(RandomGenerator& random, const GridRecipe& recipe) {
  const Board grid = RandomGrid(random);
  Board board = Thinned(grid, random, recipe.keep + random.Next(recipe.spread));
  for (int k = 0; k < 81; ++k) {
    if (board.cells[k].digit == 0 && Chance(random, recipe.rightPercent)) {
      board.cells[k] = {grid.cells[k].digit, 0, kPlayerColor};
    }
  }
  if (recipe.wrong > 0) AddPlayersDigits(board, grid, random, 1 + random.Next(recipe.wrong - 1), false);
  if (recipe.clashing > 0) AddPlayersDigits(board, grid, random, 1 + random.Next(recipe.clashing - 1), true);
  return board;
}

struct Family {
  const char* name;
  int boards;
  int comparedPercent;  // the least share of boards the plain search finishes within its cap
  std::function<Board(RandomGenerator&)> make;
};

std::function<Board(RandomGenerator&)> Recipe(GridRecipe recipe) {
  return [recipe](RandomGenerator& random) { return FromGrid(random, recipe); };
}

std::vector<Family> Families() {
  return {
      {"empty", 300, 95, [](RandomGenerator&) { return Board{}; }},
      {"sparse givens", 500, 90, Recipe({10, 35, 0, 0, 0})},
      {"wrong player's digits", 600, 95, Recipe({40, 35, 0, 3, 0})},
      {"right and wrong player's digits", 300, 95, Recipe({45, 30, 15, 2, 0})},
      {"clashing player's digits", 400, 90, Recipe({50, 30, 10, 1, 2})},
      {"random digits that fit", 300, 80,
       [](RandomGenerator& r) {
         Board board;
         for (int placed = 0, goal = 3 + r.Next(20); placed < goal;) {
           const int x = r.Next(8), y = r.Next(8), digit = 1 + r.Next(8);
           if (!CanPlace(board, x, y, digit)) continue;
           const bool given = Chance(r, 50);
           board(x, y) = {digit, given ? 1 : 0, given ? 0 : kPlayerColor};
           ++placed;
         }
         return board;
       }},
      {"full boards breaking the rules", 200, 95,
       [](RandomGenerator& r) {
         Board board = RandomGrid(r);
         for (int count = 1 + r.Next(2); count > 0; --count) {
           board.cells[r.Next(80)] = {1 + r.Next(8), 0, kPlayerColor};
         }
         return board;
       }},
      {"clashing givens", 100, 80,
       [](RandomGenerator& r) {
         Board board = Thinned(RandomGrid(r), r, 50 + r.Next(30));
         const int k = r.Next(80);
         const int other = board.cells[9 * (k / 9) + (k % 9 + 1 + r.Next(7)) % 9].digit;
         if (other != 0) board.cells[k] = {other, 1, 0};
         return board;
       }},
  };
}

TEST(SearchDifferentialTest, FastSearchLeavesWhatThePlainBacktrackingLeaves) {
  RandomGenerator random(2024);
  int cellByCell = 0;
  for (const Family& family : Families()) {
    Tally tally;
    for (int i = 0; i < family.boards && tally.differed < 3; ++i) {
      const Board board = family.make(random);
      Compare(board, DrawStartDigits(random), kStepCap, tally);
    }
    EXPECT_EQ(tally.differed, 0) << family.name;
    EXPECT_GE(tally.compared * 100, family.boards * family.comparedPercent) << family.name;
    cellByCell += tally.cellByCell;
  }
  // Sparse givens and random digits leave many completions, and on a good share of them the
  // plain order's first lies beyond the first steps of the plain walk.
  EXPECT_GE(cellByCell, 100);
}

std::vector<Board> PublishedPuzzles(const std::filesystem::path& file, size_t count) {
  std::vector<Board> puzzles;
  std::ifstream in(file);
  std::string line;
  while (puzzles.size() < count && std::getline(in, line)) {
    if (line.size() >= 81 && line[0] != '#') puzzles.push_back(testing_support::BoardFromText(line.substr(0, 81)));
  }
  return puzzles;
}

TEST(SearchDifferentialTest, PublishedPuzzlesAgreeWithThePlainBacktracking) {
  const std::filesystem::path folder = DERADU_PUZZLE_DIR;
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no puzzle folder " << folder;
  RandomGenerator random(77);
  Tally tally;
  for (const char* name : {"top1465.txt", "17-clue.txt", "forum-hardest-1106.txt"}) {
    for (const Board& puzzle : PublishedPuzzles(folder / name, 40)) {
      // As published, for the few the plain search finishes in time; then with the first
      // two columns of the solution added, one of them wrong and the player's.
      Compare(puzzle, DrawStartDigits(random), 20'000, tally);
      std::vector<Prefilled> givens;
      for (int k = 0; k < 81; ++k) {
        if (puzzle.cells[k].digit != 0) givens.push_back({k, puzzle.cells[k].digit, true});
      }
      SearchMonitor monitor;
      const SearchResult solution = FindFirstCompletion(givens, DrawStartDigits(random), monitor);
      ASSERT_EQ(solution.status, SearchStatus::Completed) << name;
      Board helped = puzzle;
      for (int k = 0; k < 81; ++k) {
        if (k % 9 < 2 && helped.cells[k].digit == 0) helped.cells[k] = {solution.grid[k], 1, 0};
      }
      const int wrong = 9 * random.Next(8) + random.Next(1);
      if (puzzle.cells[wrong].digit == 0) {
        helped.cells[wrong] = {solution.grid[wrong] % 9 + 1, 0, kPlayerColor};
      }
      Compare(helped, DrawStartDigits(random), kStepCap, tally);
    }
  }
  EXPECT_EQ(tally.differed, 0);
  EXPECT_GE(tally.compared, 100);
}

// Boards with many completions whose first, in the plain order, lies far beyond the plain
// walk's first steps, so that the fast search settles them cell by cell.
TEST(SearchDifferentialTest, BoardsFarBeyondThePlainWalkAgreeWhenSettledCellByCell) {
  const std::filesystem::path folder = DERADU_PUZZLE_DIR;
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no puzzle folder " << folder;
  RandomGenerator random(1106);
  Tally tally;
  // The hardest puzzles, each without one of its givens.
  for (Board puzzle : PublishedPuzzles(folder / "forum-hardest-1106.txt", 40)) {
    for (int k = random.Next(80);; k = (k + 1) % 81) {
      if (puzzle.cells[k].digit != 0) {
        puzzle.cells[k] = {};
        break;
      }
    }
    Compare(puzzle, DrawStartDigits(random), 200'000, tally);
  }
  EXPECT_EQ(tally.differed, 0);
  EXPECT_GE(tally.compared, 30);
  EXPECT_GE(tally.cellByCell, 25);
  EXPECT_GE(tally.cellByCellFar, 10);
}

TEST(SearchDifferentialTest, PuzzlesWithSeveralSolutionsAgreeWithThePlainBacktracking) {
  const std::filesystem::path file =
      std::filesystem::path(DERADU_PUZZLE_DIR) / "multi-solution-10000.txt";
  if (!std::filesystem::is_regular_file(file)) GTEST_SKIP() << "no puzzle file " << file;
  RandomGenerator random(10000);
  Tally tally;
  for (const Board& puzzle : PublishedPuzzles(file, 400)) {
    Compare(puzzle, DrawStartDigits(random), kStepCap, tally);
  }
  EXPECT_EQ(tally.differed, 0);
  EXPECT_GE(tally.compared, 390);
  EXPECT_GE(tally.cellByCell, 40);
}

// The hidden pairs struck before the counting search: every candidate that goes, by a pair or
// by the propagation after it, is in no completion, and a board found to have none indeed has
// none. Boards from the recipes, and published puzzles with one wrong digit added, which
// often have no completion that propagation alone cannot see.
TEST(SearchDifferentialTest, HiddenPairsStrikeOnlyCandidatesNoCompletionUses) {
  RandomGenerator random(26);
  std::vector<Digits> boards;
  auto add = [&](const Board& board) {
    Digits digits{};
    for (int k = 0; k < 81; ++k) digits[k] = static_cast<int8_t>(board.cells[k].digit);
    boards.push_back(digits);
  };
  for (const Family& family : Families()) {
    for (int i = 0; i < 100; ++i) add(family.make(random));
  }
  const std::filesystem::path folder = DERADU_PUZZLE_DIR;
  const bool published = std::filesystem::is_directory(folder);
  if (published) {
    for (Board puzzle : PublishedPuzzles(folder / "top1465.txt", 600)) {
      const int k = random.Next(80);
      if (puzzle.cells[k].digit == 0) puzzle.cells[k] = {1 + random.Next(8), 1, 0};
      add(puzzle);
    }
  }
  auto text = [](const Digits& digits) {
    std::string line;
    for (int8_t digit : digits) line += digit == 0 ? '.' : static_cast<char>('0' + digit);
    return line;
  };
  int struck = 0, refuted = 0;
  for (const Digits& board : boards) {
    CandidateGrid grid;
    if (!grid.PlaceAll(board) || grid.IsComplete()) continue;
    const CandidateGrid before = grid;
    if (!StrikePairs(grid)) {
      EXPECT_EQ(CountSolutions(board, 1), 0) << text(board);
      ++refuted;
      continue;
    }
    for (int k = 0; k < 81; ++k) {
      for (int d = 1; d <= 9; ++d) {
        if (!before.Allows(k, d) || grid.Allows(k, d)) continue;
        Digits with = board;
        with[k] = static_cast<int8_t>(d);
        EXPECT_EQ(CountSolutions(with, 1), 0) << text(board) << " " << k << "=" << d;
        ++struck;
      }
    }
  }
  EXPECT_GE(struck, published ? 1000 : 50);
  if (published) {
    EXPECT_GE(refuted, 10);
  }
}

// The counter behind Create against the plain counter: fixed boards at the edges, then many
// thinnings of a solved grid, from a few givens removed to most of them.
TEST(SearchDifferentialTest, SolutionCountsAgreeWithThePlainCounter) {
  auto digitsOf = [](std::string_view text) {
    Digits digits{};
    for (int k = 0; k < 81; ++k) {
      if (text[k] >= '1' && text[k] <= '9') digits[k] = static_cast<int8_t>(text[k] - '0');
    }
    return digits;
  };
  const Digits solved = digitsOf(testing_support::kSolvedGrid);
  Digits topBandEmpty = solved;
  for (int k = 0; k < 27; ++k) topBandEmpty[k] = 0;
  Digits clash = solved;
  clash[80] = clash[79];
  Digits outOfRange = solved;
  outOfRange[40] = 12;
  struct Case {
    const char* name;
    Digits puzzle;
    int limit;
    int count;
  } cases[] = {{"solved", solved, 2, 1},           {"empty", Digits{}, 2, 2},
               {"empty, limit 1", Digits{}, 1, 1}, {"top band empty", topBandEmpty, 2, 2},
               {"clash", clash, 2, 0},             {"digit 12", outOfRange, 2, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(CountSolutions(c.puzzle, c.limit), c.count) << c.name;
    EXPECT_EQ(testing_support::CountSolutionsPlainly(c.puzzle, c.limit), c.count) << c.name;
  }

  RandomGenerator random(16);
  int unique = 0;
  for (int round = 0; round < 400; ++round) {
    Digits puzzle = solved;
    const int keep = 22 + round % 40;  // chance in 81 that a cell stays
    for (int8_t& digit : puzzle) {
      if (random.Next(80) >= keep) digit = 0;
    }
    const int count = CountSolutions(puzzle, 2);
    EXPECT_EQ(count, testing_support::CountSolutionsPlainly(puzzle, 2)) << round;
    unique += count == 1;
  }
  // Both kinds of answer are well represented.
  EXPECT_GT(unique, 50);
  EXPECT_LT(unique, 350);
}

}  // namespace
