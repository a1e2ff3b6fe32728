// The Solve command and the search beneath it: the stack, the completion it keeps, the
// faults it refuses and the progress window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/engine/cells.h"
#include "game/engine/search.h"
#include "game/engine/solver.h"
#include "tests/engine/search_boards.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace engine;
using testing_support::BoardFromText;
using testing_support::DigitsOf;
using testing_support::IsValidFullGrid;
using testing_support::kSolvedGrid;

// A puzzle whose only completion is kSolvedGrid.
constexpr std::string_view kPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

// A puzzle that needs some searching.
constexpr std::string_view kHardPuzzle =
    "800000000003600000070090200050007000000045700000100030001000068008500010090000400";

class SolverTest : public testing_support::GameTest {
 protected:
  bool Solve(std::string_view text) {
    game.board = BoardFromText(text);
    return SolvePuzzle(game);
  }
};

TEST(CanPlaceTest, ChecksTheCellThenItsColumnRowAndBox) {
  Board board = BoardFromText(kSolvedGrid);
  board(4, 4).digit = 0;  // 5
  board(0, 0).digit = 0;  // 5
  struct Case {
    int x, y, digit;
    bool fits;
  } cases[] = {
      {4, 4, 5, true},   // its own digit
      {4, 4, 3, false},  // 3 stands in its row, column and box
      {0, 0, 5, true},
      {0, 0, 6, false},  // below it in column 0
      {1, 0, 5, false},  // a filled cell
      {0, 0, 9, false},  // in row 0 only
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CanPlace(board, c.x, c.y, c.digit), c.fits) << c.x << "," << c.y << ":" << c.digit;
  }
  Board boxOnly;
  boxOnly(1, 1).digit = 7;
  EXPECT_FALSE(CanPlace(boxOnly, 0, 0, 7));
  EXPECT_TRUE(CanPlace(boxOnly, 3, 0, 7));
}

TEST(SearchStackTest, HoldsTheGivensBelowThePlayersDigitsEachInRowMajorOrder) {
  Board board = BoardFromText("a.3" + std::string(6, '.') + "b.......4" + std::string(63, '.'));
  std::vector<SearchEntry> stack = SearchStackOf(board);
  ASSERT_EQ(stack.size(), 4u);
  const int expected[4][5] = {{3, 3, 2, 0, 2}, {4, 4, 8, 1, 2}, {1, 1, 0, 0, 1}, {2, 2, 0, 1, 1}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(stack[i].digit, expected[i][0]) << i;
    EXPECT_EQ(stack[i].startDigit, expected[i][1]) << i;
    EXPECT_EQ(stack[i].x, expected[i][2]) << i;
    EXPECT_EQ(stack[i].y, expected[i][3]) << i;
    EXPECT_EQ(stack[i].kind, expected[i][4]) << i;
  }
}

TEST_F(SolverTest, EmptyBoardBecomesAFullValidGridOfSearchDigits) {
  ASSERT_TRUE(Solve(""));
  EXPECT_TRUE(IsValidFullGrid(game.board));
  ASSERT_EQ(game.searchStack.size(), 81u);
  for (int k = 0; k < 81; ++k) {
    EXPECT_EQ(game.board.cells[k].master, -game.board.cells[k].digit) << k;
  }
  // The stack holds the cells in the order they were filled, column by column.
  EXPECT_EQ(game.searchStack[1].x, 0);
  EXPECT_EQ(game.searchStack[1].y, 1);
  EXPECT_EQ(game.searchStack[9].x, 1);
  EXPECT_EQ(game.searchStack[9].y, 0);
}

TEST_F(SolverTest, RunsWithDifferentStartDigitsGiveDifferentGrids) {
  platform.Reseed(1);
  ASSERT_TRUE(Solve(""));
  const std::string first = DigitsOf(game.board);
  platform.Reseed(2);
  ASSERT_TRUE(Solve(""));
  EXPECT_NE(DigitsOf(game.board), first);
  platform.Reseed(1);
  ASSERT_TRUE(Solve(""));
  EXPECT_EQ(DigitsOf(game.board), first);
}

TEST_F(SolverTest, BoardWithACompletionKeepsEveryGivenAndPlayersDigit) {
  // Correct player's digits on a board with many completions.
  const std::string text = "5..6..9..b.....3..........h.......f.................i.....c..........g.........";
  ASSERT_TRUE(Solve(text));
  EXPECT_TRUE(IsValidFullGrid(game.board));
  const Board before = BoardFromText(text);
  for (int k = 0; k < 81; ++k) {
    const Cell& cell = game.board.cells[k];
    if (before.cells[k].digit == 0) {
      EXPECT_NE(cell.master, 0) << k;
      continue;
    }
    EXPECT_EQ(cell.digit, before.cells[k].digit) << k;
    EXPECT_EQ(cell.master, before.cells[k].master) << k;
    EXPECT_EQ(cell.textColor, before.cells[k].textColor) << k;
  }
}

TEST_F(SolverTest, WrongPlayersDigitsAreRevisedLatestFirstAndGivensKept) {
  // The only completion has 4 in cell 2 and 6 in cell 3; the player put 1 and 2 there.
  std::string text(kPuzzle);
  text[2] = 'a';
  text[3] = 'b';
  ASSERT_TRUE(Solve(text));
  EXPECT_EQ(DigitsOf(game.board), kSolvedGrid);
  for (int k = 0; k < 81; ++k) {
    if (kPuzzle[k] != '.') {
      EXPECT_NE(game.board.cells[k].master, 0) << k;
    }
  }
  // No digit in cell 3 helps while cell 2 holds 1, so cell 3 was emptied and refilled by the
  // search; cell 2 was then revised in place and stays the player's.
  EXPECT_NE(game.board.cells[3].master, 0);
  EXPECT_EQ(game.board.cells[2].master, 0);
  EXPECT_EQ(game.board.cells[2].textColor, testing_support::kPlayerColor);
}

TEST_F(SolverTest, BoardsWithoutACompletionFailAndStayAsTheyWere) {
  struct Case {
    const char* what;
    std::string text;
  } cases[] = {
      {"givens clash", "55" + std::string(79, '.')},
      {"a cell without a candidate", "12345678." + std::string(8, '.') + "9" + std::string(63, '.')},
      {"full grid of givens breaking the rules", "35" + std::string(kSolvedGrid.substr(2))},
      {"a player's digit where the givens leave no completion",
       "12345678." + std::string(8, '.') + "9" + std::string(22, '.') + "e" + std::string(40, '.')},
      {"a given that is no digit", std::string(81, '.')},
  };
  for (const Case& c : cases) {
    game.board = BoardFromText(c.text);
    if (c.text == std::string(81, '.')) game.board.cells[0] = {12, 1, 0};
    const Board before = game.board;
    platform.progressValues.clear();
    EXPECT_FALSE(SolvePuzzle(game)) << c.what;
    EXPECT_EQ(DigitsOf(game.board), DigitsOf(before)) << c.what;
    EXPECT_EQ(platform.progressValues.size(), 1u) << c.what;
  }
}

TEST_F(SolverTest, ClashingPlayersDigitsAreRevised) {
  struct Case {
    const char* what;
    std::string text;
  } cases[] = {
      // The player's 3 in cell 2 clashes with the given 3 beside it.
      {"on a puzzle", std::string(kPuzzle.substr(0, 2)) + "c" + std::string(kPuzzle.substr(3))},
      // A full board whose last cell repeats a digit of its row.
      {"on a full board", std::string(kSolvedGrid.substr(0, 80)) + "a"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Solve(c.text)) << c.what;
    EXPECT_EQ(DigitsOf(game.board), kSolvedGrid) << c.what;
  }
}

TEST_F(SolverTest, ClosingTheProgressWindowAbandonsTheSearch) {
  for (int closedAt : {1, 2}) {
    platform.abandonProgressAtUpdate = closedAt;
    platform.tickStep = 20;
    platform.progressValues.clear();
    EXPECT_FALSE(Solve("")) << closedAt;
    EXPECT_EQ(platform.progressValues.size(), static_cast<size_t>(closedAt));
    // The board holds only digits that fit, each from the search.
    for (const Cell& cell : game.board.cells) {
      if (cell.digit != 0) {
        EXPECT_EQ(cell.master, -cell.digit);
      }
    }
  }
  EXPECT_EQ(platform.progressOpened, 2);
  EXPECT_EQ(platform.progressClosed, 2);
}

TEST_F(SolverTest, AbandonedSearchLeavesOnlyTheGivensAndTheDigitsItSettled) {
  // Without its first given the hard puzzle has many completions, and the first in the plain
  // order lies beyond the plain walk's first steps: the search settles cell after cell.
  const Board puzzle = BoardFromText("0" + std::string(kHardPuzzle.substr(1)));
  platform.tickStep = 20;  // every time the search asks, the window takes its events
  platform.Reseed(3);
  const uint64_t walks = CellByCellWalks();
  ASSERT_TRUE(Solve(DigitsOf(puzzle)));
  ASSERT_EQ(CellByCellWalks(), walks + 1);
  const Board completion = game.board;
  ASSERT_TRUE(IsValidFullGrid(completion));
  const size_t updates = platform.progressValues.size();
  // Closing the window at each update in turn: the search's digits are the completion's, on
  // the first of the empty cells in the order they are filled, column by column.
  int mostSettled = 0;
  for (size_t closedAt = 1; closedAt <= updates; ++closedAt) {
    platform.Reseed(3);
    platform.abandonProgressAtUpdate = static_cast<int>(closedAt);
    platform.progressValues.clear();
    ASSERT_FALSE(Solve(DigitsOf(puzzle))) << closedAt;
    int settled = 0;
    bool passedAnEmptyCell = false;
    for (int x = 0; x < 9; ++x) {
      for (int y = 0; y < 9; ++y) {
        const int digit = game.board(x, y).digit;
        if (puzzle(x, y).digit != 0) {
          EXPECT_EQ(digit, puzzle(x, y).digit) << closedAt;
        } else if (digit == 0) {
          passedAnEmptyCell = true;
        } else {
          EXPECT_FALSE(passedAnEmptyCell) << closedAt << ": " << x << "," << y;
          EXPECT_EQ(digit, completion(x, y).digit) << closedAt << ": " << x << "," << y;
          ++settled;
        }
      }
    }
    mostSettled = std::max(mostSettled, settled);
  }
  EXPECT_GT(mostSettled, 0);
}

TEST_F(SolverTest, ProgressTakesTheWindowEventsAtMostEvery15Milliseconds) {
  // Without its first given the hard puzzle has several completions, so the search settles
  // cell after cell and asks the clock several times.
  const std::string board = "0" + std::string(kHardPuzzle.substr(1));
  // The fake clock moves on at every reading: by 8 ms only every other reading may update the
  // window, by 15 ms every one does.
  for (uint32_t tickStep : {8u, 15u}) {
    platform.tickStep = tickStep;
    platform.progressValues.clear();
    const uint32_t begin = platform.now;
    ASSERT_TRUE(Solve(board)) << tickStep;
    const size_t updates = platform.progressValues.size();
    EXPECT_GE(updates, 2u) << tickStep;
    EXPECT_LE(updates - 1, (platform.now - begin) / 15) << tickStep;
    for (int value : platform.progressValues) {
      EXPECT_EQ(value % 10, 0);
      EXPECT_LE(value, 80);
    }
  }
}

TEST_F(SolverTest, SolveShowsTheCompletedBoardAsGivensAndFinishes) {
  ShowGivens(kPuzzle);
  game.window.cells[2] = {"1", TextPalette[2], game.NumberColor, 0};  // a wrong player's digit
  ReadBoardFromCells(game, false);
  game.EnterMode = true;
  RunSolve(game);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, "Brindle's Deradu");
  EXPECT_EQ(platform.messages[0].text, "Game solved");
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::None);
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(CellDigits(), kSolvedGrid);
  EXPECT_EQ(CellAt(3).textColor, 0);
  EXPECT_EQ(CellAt(3).backColor, game.MasterColor);
  EXPECT_TRUE(game.Finished);
  EXPECT_FALSE(game.EnterMode);
  EXPECT_TRUE(platform.soundsPlayed.empty());
}

TEST_F(SolverTest, FailedSolveSaysSoAndKeepsTheCells) {
  const std::string text = "55" + std::string(79, '.');
  ShowGivens(text);
  game.window.cells[5] = {"7", TextPalette[0], game.NumberColor, 0};
  const std::string shown = CellDigits();
  game.board = Board{};  // RunSolve must read the cells back, not trust the Board
  game.board.cells[0] = {5, 1, 0};
  game.board.cells[1] = {5, 1, 0};
  game.Finished = true;
  RunSolve(game);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "No Solution Found");
  EXPECT_EQ(platform.messages[0].title, "Brindle's Deradu");
  EXPECT_EQ(CellDigits(), shown);
  EXPECT_EQ(game.board.cells[5].digit, 7);
  EXPECT_EQ(CellAt(5).textColor, TextPalette[0]);
  EXPECT_FALSE(game.Finished);
}

TEST_F(SolverTest, SolveAbandonedThroughTheProgressWindowLeavesTheCellsAsTheyWere) {
  ShowGivens(kHardPuzzle);
  const std::string shown = CellDigits();
  ReadBoardFromCells(game, false);
  platform.abandonProgressAtUpdate = 2;
  platform.tickStep = 20;
  RunSolve(game);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "No Solution Found");
  EXPECT_EQ(platform.progressValues.size(), 2u);
  EXPECT_EQ(CellDigits(), shown);
  EXPECT_EQ(DigitsOf(game.board), shown);
  EXPECT_EQ(CellAt(1).textColor, 0);
  EXPECT_FALSE(game.Finished);
}

}  // namespace
