// Copying between the cells and the Board, and the clear and repaint routines.
#include <gtest/gtest.h>

#include "game/engine/cells.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace engine;

class CellsTest : public testing_support::GameTest {
 protected:
  void Put(int k, std::string text, Rgb textColor) {
    game.window.cells[k].text = std::move(text);
    game.window.cells[k].textColor = textColor;
  }
};

TEST_F(CellsTest, BlackDigitsReadAsGivensAndColouredOnesAsPlayerDigits) {
  Put(0, "5", 0);
  Put(1, "3", 255);
  Put(2, "7", kDefaultColor);  // an accepted hint in the default hint colour
  game.window.cells[1].cellTag = 3;
  ReadBoardFromCells(game, false);
  EXPECT_EQ(game.board(0, 0).digit, 5);
  EXPECT_NE(game.board(0, 0).master, 0);
  EXPECT_EQ(CellAt(0).cellTag, -5);
  EXPECT_EQ(CellAt(0).backColor, game.MasterColor);
  for (int k : {1, 2}) {
    EXPECT_EQ(game.board.cells[k].master, 0) << k;
    EXPECT_EQ(game.board.cells[k].textColor, CellAt(k).textColor) << k;
    EXPECT_EQ(CellAt(k).cellTag, 0) << k;
    EXPECT_EQ(CellAt(k).backColor, game.NumberColor) << k;
  }
  EXPECT_EQ(CellAt(3).backColor, game.DefColor);
}

TEST_F(CellsTest, EnterModeMakesEveryDigitAGiven) {
  Put(10, "4", TextPalette[1]);
  ReadBoardFromCells(game, true);
  EXPECT_EQ(game.board.cells[10].digit, 4);
  EXPECT_NE(game.board.cells[10].master, 0);
  EXPECT_EQ(game.board.cells[10].textColor, 0);
  EXPECT_EQ(CellAt(10).textColor, 0);
  EXPECT_EQ(CellAt(10).cellTag, -4);
  EXPECT_EQ(CellAt(10).backColor, game.MasterColor);
}

TEST_F(CellsTest, HintTextsReadAsEmptyCells) {
  for (const char* hint : {"0357", "05", "0"}) {
    Put(20, hint, game.HintColor);
    game.board.cells[20] = {9, -9, 0};
    ReadBoardFromCells(game, false);
    EXPECT_EQ(game.board.cells[20].digit, 0) << hint;
  }
}

TEST_F(CellsTest, ShowBoardDrawsGivensAndPlayerDigits) {
  game.board.cells[0] = {5, -5, 0};
  game.board.cells[1] = {5, 0, 255};
  game.board.cells[2] = {6, 0, 0};  // placed without kind: only the text changes
  game.window.cells[2].textColor = 77;
  game.window.cells[3].text = "9";
  ShowBoard(game);
  EXPECT_EQ(CellAt(0).text, "5");
  EXPECT_EQ(CellAt(0).textColor, 0);
  EXPECT_EQ(CellAt(0).backColor, game.MasterColor);
  EXPECT_EQ(CellAt(0).cellTag, -5);
  EXPECT_EQ(CellAt(1).textColor, 255);
  EXPECT_EQ(CellAt(1).backColor, game.NumberColor);
  EXPECT_EQ(CellAt(1).cellTag, 0);
  EXPECT_EQ(CellAt(2).text, "6");
  EXPECT_EQ(CellAt(2).textColor, 77);
  EXPECT_EQ(CellAt(3).text, "");
  EXPECT_EQ(CellAt(3).backColor, game.DefColor);
}

TEST_F(CellsTest, BoardRoundTripsThroughTheCells) {
  game.board.cells[7] = {2, -2, 0};
  game.board.cells[8] = {8, 0, TextPalette[5]};
  Board shown = game.board;
  ShowBoard(game);
  game.board = Board{};
  ReadBoardFromCells(game, false);
  for (int k : {7, 8}) {
    EXPECT_EQ(game.board.cells[k].digit, shown.cells[k].digit);
    EXPECT_EQ(game.board.cells[k].master != 0, shown.cells[k].master != 0);
    EXPECT_EQ(game.board.cells[k].textColor, shown.cells[k].textColor);
  }
}

TEST_F(CellsTest, ClearCellsEmptiesCellsRaisesTogglesAndForgetsUndo) {
  Put(5, "3", 255);
  game.window.cells[5].cellTag = 2;
  game.window.linePressed[4] = true;
  game.undoHistory.push_back({5, "", 0});
  ClearCells(game);
  EXPECT_EQ(CellAt(5).text, "");
  EXPECT_EQ(CellAt(5).textColor, 0);
  EXPECT_EQ(CellAt(5).cellTag, 0);
  EXPECT_EQ(CellAt(5).backColor, game.DefColor);
  EXPECT_FALSE(game.window.linePressed[4]);
  EXPECT_TRUE(game.undoHistory.empty());
}

TEST_F(CellsTest, RepaintLeavesEmptyCellsAndMarksSelectedDigits) {
  Put(0, "4", 0);
  game.window.cells[0].cellTag = -4;
  Put(1, "4", 255);
  Put(2, "6", 255);
  game.window.cells[3].backColor = 999;
  game.Marking = true;
  game.SelectedNumber = 4;
  RepaintCells(game);
  EXPECT_EQ(CellAt(0).backColor, game.MarkColor);
  EXPECT_EQ(CellAt(1).backColor, game.MarkColor);
  EXPECT_EQ(CellAt(2).backColor, game.NumberColor);
  EXPECT_EQ(CellAt(3).backColor, 999);
  game.Marking = false;
  RepaintCells(game);
  EXPECT_EQ(CellAt(0).backColor, game.MasterColor);
}

}  // namespace
