// Candidate hints, Accept Hints, marking, line highlights, the number bar and the palette.
#include <gtest/gtest.h>

#include "game/engine/entry.h"
#include "game/engine/hints.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace engine;

class HintsTest : public testing_support::GameTest {
 protected:
  // Row 0 holds 1 2 3 5 6 7 8 in cells 1-7; cells 0 and 8 can take only 4 and 9.
  static std::string RowMissingFourAndNine() {
    std::string puzzle(81, '.');
    puzzle.replace(1, 7, "1235678");
    return puzzle;
  }
};

TEST_F(HintsTest, MissingDigitsIgnoresHintTexts) {
  game.window.cells[0].text = "3";
  game.window.cells[1].text = "0124";
  game.window.cells[2].text = "8";
  EXPECT_EQ(MissingDigits(game, Units()[9]), "1245679");
}

TEST_F(HintsTest, HintsShowCandidatesInTheHintColour) {
  ShowGivens(RowMissingFourAndNine());
  ShowHints(game);
  EXPECT_EQ(game.HintMode, MenuHints);
  EXPECT_TRUE(game.window.menuChecks[MenuHints]);
  EXPECT_FALSE(game.window.menuChecks[MenuHintsOff]);
  EXPECT_EQ(CellAt(0).text, "049");
  EXPECT_EQ(CellAt(0).textColor, game.HintColor);
  EXPECT_EQ(CellAt(0).backColor, game.DefColor);
  EXPECT_EQ(CellAt(1).text, "1");
}

TEST_F(HintsTest, CellWithoutCandidatesShowsZero) {
  std::string puzzle = RowMissingFourAndNine();
  puzzle[36] = '9';  // column 0
  puzzle[9] = '4';   // box 0
  ShowGivens(puzzle);
  ShowHints(game);
  EXPECT_EQ(CellAt(0).text, "0");
}

TEST_F(HintsTest, CandidateWithOnlyOnePlaceInAUnitBecomesTheSingleHint) {
  std::string puzzle = RowMissingFourAndNine();
  puzzle[53] = '4';  // column 8 cannot take 4, so in row 0 only cell 0 can
  ShowGivens(puzzle);
  ShowHints(game);
  EXPECT_EQ(CellAt(8).text, "09");
  EXPECT_EQ(CellAt(0).text, "04");
}

TEST_F(HintsTest, NarrowingRepeatsSoThatOneReductionExposesTheNext) {
  // Here the single 2 of cell 11 shows only once an earlier pass has narrowed other cells.
  ShowGivens("..4...91......53.8..8...5...59.6....4..............8.6.61..72..2........3..2.6..9");
  ShowHints(game);
  EXPECT_EQ(CellAt(11).text, "02");
}

TEST_F(HintsTest, AcceptHintsPlacesTheFirstOfTwoEqualSinglesAndUndoEmptiesAllAtOnce) {
  std::string puzzle = RowMissingFourAndNine();
  puzzle[36] = '9';
  puzzle[53] = '9';
  ShowGivens(puzzle);
  ShowHints(game);
  ASSERT_EQ(CellAt(0).text, "04");
  ASSERT_EQ(CellAt(8).text, "04");
  AcceptHints(game);
  EXPECT_EQ(game.HintMode, MenuHintsOff);
  EXPECT_EQ(CellAt(0).text, "4");
  EXPECT_EQ(CellAt(0).textColor, game.HintColor);
  EXPECT_EQ(CellAt(8).text, "");
  for (const CellGadget& cell : game.window.cells) EXPECT_LE(cell.text.size(), 1u);
  ASSERT_GE(game.undoHistory.size(), 3u);
  EXPECT_EQ(game.undoHistory.front().cell, kGroupBoundary);
  EXPECT_EQ(game.undoHistory.back().cell, kGroupBoundary);

  Undo(game);
  EXPECT_TRUE(game.undoHistory.empty());
  EXPECT_EQ(CellDigits(), puzzle);
}

TEST_F(HintsTest, AcceptHintsMarksTheGameModified) {
  std::string puzzle = RowMissingFourAndNine();
  puzzle[53] = '4';
  ShowGivens(puzzle);
  ShowHints(game);
  AcceptHints(game);
  EXPECT_EQ(CellAt(0).text, "4");
  EXPECT_TRUE(game.Modified);
}

TEST_F(HintsTest, AcceptHintsDoesNothingWhileHintsAreOff) {
  ShowGivens(RowMissingFourAndNine());
  AcceptHints(game);
  EXPECT_TRUE(game.undoHistory.empty());
  EXPECT_EQ(CellAt(0).text, "");
}

TEST_F(HintsTest, OffClearsEveryHintText) {
  ShowGivens(RowMissingFourAndNine());
  ShowHints(game);
  HintsOff(game);
  EXPECT_EQ(CellDigits(), RowMissingFourAndNine());
  EXPECT_TRUE(game.window.menuChecks[MenuHintsOff]);
  EXPECT_FALSE(game.window.menuChecks[MenuHints]);
}

TEST_F(HintsTest, FocusShowsAHintOnlyInAnEmptyCellNotHintedLast) {
  ShowGivens(RowMissingFourAndNine());
  SetHintMode(game, MenuHints);
  ShowHintOnFocus(game, 8);
  EXPECT_EQ(CellAt(8).text, "049");
  game.window.cells[8].text.clear();
  ShowHintOnFocus(game, 8);
  EXPECT_EQ(CellAt(8).text, "") << "the cell hinted last is not hinted again";
  game.window.cells[9].text = "0123";
  ShowHintOnFocus(game, 9);
  EXPECT_EQ(CellAt(9).text, "0123");
  ShowHintOnFocus(game, 8);
  EXPECT_EQ(CellAt(8).text, "049");
}

TEST_F(HintsTest, FirstFocusOnCellZeroShowsItsHint) {
  ShowGivens(RowMissingFourAndNine());
  SetHintMode(game, MenuHints);
  ShowHintOnFocus(game, 0);
  EXPECT_EQ(CellAt(0).text, "049");
}

TEST_F(HintsTest, NumberBarPressesOneButtonRecoloursCellsAndRaisesLineToggles) {
  ShowGivens(RowMissingFourAndNine());
  ShowHints(game);
  game.window.linePressed[3] = true;
  game.window.cells[40].cellTag = 1;
  game.window.cells[40].text.clear();
  SelectNumber(game, 3);
  EXPECT_EQ(game.SelectedNumber, 3);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(game.window.numberPressed[i], i == 2);
  EXPECT_EQ(CellAt(0).backColor, game.NumberColor) << "hint texts have a value above 0";
  EXPECT_EQ(CellAt(1).backColor, game.MasterColor);
  EXPECT_EQ(CellAt(40).backColor, game.DefColor);
  EXPECT_EQ(CellAt(40).cellTag, 0);
  EXPECT_FALSE(game.window.linePressed[3]);
}

TEST_F(HintsTest, MarkingLightsEveryDigitEqualToTheSelectedNumber) {
  ShowGivens(RowMissingFourAndNine());
  game.window.cells[0].text = "5";
  game.window.cells[0].textColor = TextPalette[0];
  SelectNumber(game, 5);
  ToggleMarking(game);
  EXPECT_TRUE(game.Marking);
  EXPECT_TRUE(game.window.markPressed);
  EXPECT_EQ(CellAt(4).backColor, game.MarkColor);  // the given 5
  EXPECT_EQ(CellAt(0).backColor, game.MarkColor);
  EXPECT_EQ(CellAt(1).backColor, game.MasterColor);
  ToggleMarking(game);
  EXPECT_EQ(CellAt(4).backColor, game.MasterColor);
  EXPECT_EQ(CellAt(0).backColor, game.NumberColor);
}

TEST_F(HintsTest, CellStaysHighlightedWhileItsRowOrColumnToggleIsPressed) {
  ShowGivens(RowMissingFourAndNine());
  const int column4 = 4, row4 = 9 + 4, cell = 40;
  ToggleLine(game, column4);
  EXPECT_EQ(CellAt(cell).cellTag, 1);
  ToggleLine(game, row4);
  EXPECT_EQ(CellAt(cell).cellTag, 3);
  EXPECT_EQ(CellAt(cell).backColor, game.HIColor);
  ToggleLine(game, column4);
  EXPECT_EQ(CellAt(cell).cellTag, 2);
  EXPECT_EQ(CellAt(cell).backColor, game.HIColor);
  ToggleLine(game, row4);
  EXPECT_EQ(CellAt(cell).cellTag, 0);
  EXPECT_EQ(CellAt(cell).backColor, game.DefColor);
}

TEST_F(HintsTest, LineToggleSkipsGivensAndKeepsNoBitsOnFilledCells) {
  ShowGivens(RowMissingFourAndNine());
  game.window.cells[0].text = "9";
  game.window.cells[0].textColor = TextPalette[0];
  game.window.cells[0].backColor = 777;
  ToggleLine(game, 9);  // row 0
  EXPECT_EQ(CellAt(1).cellTag, -1);
  EXPECT_EQ(CellAt(1).backColor, game.MasterColor);
  EXPECT_EQ(CellAt(0).cellTag, 0);
  EXPECT_EQ(CellAt(0).backColor, 777);
  EXPECT_EQ(CellAt(8).backColor, game.HIColor);
  ToggleLine(game, 9);
  EXPECT_EQ(CellAt(0).backColor, game.NumberColor);
  EXPECT_EQ(CellAt(8).backColor, game.DefColor);
}

TEST_F(HintsTest, PaletteChoosesTheColourAndPushesItsSquare) {
  SelectColor(game, 4);
  EXPECT_EQ(game.CurrentColor, RgbOf(0, 128, 0));
  EXPECT_EQ(game.window.colorLabelColor, game.CurrentColor);
  EXPECT_EQ(game.window.pushedColorButton, 4);
}

}  // namespace
