// Entering digits by click and by typing, the rule check, undo and the grouped commands,
// the digit count and the flashing of a finished board.
#include <gtest/gtest.h>

#include "game/engine/cells.h"
#include "game/engine/entry.h"
#include "game/engine/hints.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace engine;
using testing_support::kSolvedGrid;

class EntryTest : public testing_support::GameTest {
 protected:
  // The solved grid with the given cells emptied.
  void ShowSolvedWithout(std::initializer_list<int> empty) {
    std::string puzzle(kSolvedGrid);
    for (int k : empty) puzzle[k] = '.';
    ShowGivens(puzzle);
  }
  void Click(int k, int number) {
    game.SelectedNumber = number;
    EnterSelectedNumber(game, k);
  }
};

TEST_F(EntryTest, ClickedLegalDigitIsEnteredInCurrentColorWithOneUndoStep) {
  game.CurrentColor = TextPalette[2];
  Click(0, 7);
  EXPECT_EQ(CellAt(0).text, "7");
  EXPECT_EQ(CellAt(0).textColor, TextPalette[2]);
  EXPECT_EQ(CellAt(0).backColor, game.NumberColor);
  EXPECT_TRUE(game.Modified);
  ASSERT_EQ(game.undoHistory.size(), 1u);
  EXPECT_EQ(game.undoHistory[0].cell, 0);
  EXPECT_EQ(game.undoHistory[0].oldText, "");
  EXPECT_TRUE(platform.beeps.empty());
}

TEST_F(EntryTest, DigitEnteredWhileMarkingGetsTheMarkingBackground) {
  game.Marking = true;
  Click(40, 3);
  EXPECT_EQ(CellAt(40).backColor, game.MarkColor);
}

TEST_F(EntryTest, DigitInRowColumnOrBoxIsRefusedWithOneErrorSound) {
  Click(0, 5);  // row 0
  for (int k : {8, 72, 20}) {  // same row, same column, same box
    platform.beeps.clear();
    Click(k, 5);
    EXPECT_EQ(CellAt(k).text, "") << k;
    ASSERT_EQ(platform.beeps.size(), 1u) << k;
    // Trying the same digit on the same cell again stays silent.
    Click(k, 5);
    EXPECT_EQ(platform.beeps.size(), 1u) << k;
  }
  EXPECT_EQ(game.undoHistory.size(), 1u);
}

TEST_F(EntryTest, RefusalNamesTheFirstUnitHoldingTheDigitOnceAndChangesNothingElse) {
  using Place = UnitPlace::Kind;
  game.Sound = MenuSoundOff;  // told even when no sound plays
  Click(0, 5);  // row 0, column 0, box 0
  const std::pair<int, UnitPlace> cases[] = {
      {8, {Place::Row, 0}},      // row only
      {72, {Place::Column, 0}},  // column only
      {20, {Place::Box, 0}},     // box only
      {1, {Place::Row, 0}},      // row and box: the row comes first
      {9, {Place::Column, 0}},   // column and box: the column comes first
  };
  for (const auto& [k, unit] : cases) {
    const uint32_t serial = game.window.notice.serial;
    Click(k, 5);
    const BoardNotice& notice = game.window.notice;
    EXPECT_EQ(notice.serial, serial + 1) << k;
    EXPECT_EQ(notice.kind, BoardNotice::Kind::Refused) << k;
    EXPECT_EQ(notice.cell, k);
    EXPECT_EQ(notice.digit, 5);
    EXPECT_EQ(notice.unit, unit) << k;
    EXPECT_EQ(UnitHolding(game, k, 4), std::nullopt) << k;
    // The same digit again on the same cell is told no more, as it sounds no more.
    Click(k, 5);
    EXPECT_EQ(notice.serial, serial + 1) << k;
    EXPECT_EQ(CellAt(k).text, "") << k;
  }
  EXPECT_EQ(game.undoHistory.size(), 1u);
}

TEST_F(EntryTest, UndoNoticeNamesTheCellItRestoredOrHowMany) {
  Undo(game);
  EXPECT_EQ(game.window.notice.kind, BoardNotice::Kind::Undone);
  EXPECT_EQ(game.window.notice.cellsChanged, 0);
  Click(3, 7);
  Click(50, 2);
  Undo(game);
  EXPECT_EQ(game.window.notice.cell, 50);
  EXPECT_EQ(game.window.notice.cellsChanged, 1);
  ResetGame(game);
  const uint32_t serial = game.window.notice.serial;
  Undo(game);
  EXPECT_EQ(game.window.notice.serial, serial + 1);
  EXPECT_EQ(game.window.notice.cellsChanged, 81);
  EXPECT_EQ(CellAt(3).text, "7");
}

TEST_F(EntryTest, ClickingAGivenRestoresItsDigitAndSounds) {
  ShowSolvedWithout({80});
  game.window.cells[0].text = "9";
  Click(0, 1);
  EXPECT_EQ(CellAt(0).text, "5");
  EXPECT_EQ(platform.beeps.size(), 1u);
  EXPECT_TRUE(game.undoHistory.empty());
  EXPECT_FALSE(game.Modified);
}

TEST_F(EntryTest, ErrorSoundFollowsTheSoundSetting) {
  ShowSolvedWithout({80});
  game.Sound = MenuSoundOff;
  Click(0, 1);
  game.Sound = MenuSoundLoad;
  Click(1, 1);
  game.Sound = MenuSoundDefault;
  Click(2, 1);
  EXPECT_EQ(platform.soundsPlayed, std::vector<int>{0});
  EXPECT_EQ(platform.beeps, std::vector<Beep>{Beep::Simple});
}

TEST_F(EntryTest, ClearNumberEmptiesAPlayerDigitAndRecordsIt) {
  Click(10, 4);
  Click(10, kClearNumber);
  EXPECT_EQ(CellAt(10).text, "");
  EXPECT_EQ(CellAt(10).backColor, game.DefColor);
  ASSERT_EQ(game.undoHistory.size(), 2u);
  EXPECT_EQ(game.undoHistory[1].oldText, "4");
  Undo(game);
  EXPECT_EQ(CellAt(10).text, "4");
}

TEST_F(EntryTest, ClearNumberOnAnEmptyCellRecordsAnInvisibleStep) {
  Click(10, kClearNumber);
  EXPECT_EQ(CellAt(10).text, "");
  EXPECT_EQ(game.undoHistory.size(), 1u);
  EXPECT_TRUE(game.Modified);
}

TEST_F(EntryTest, NinthCopyStarsTheCaptionAndUndoRemovesTheStar) {
  std::string puzzle(kSolvedGrid);
  for (char& c : puzzle) {
    if (c == '5') c = '.';
  }
  ShowGivens(puzzle);
  int fives = 0;
  for (int k = 0; k < 81; ++k) {
    if (kSolvedGrid[k] != '5') continue;
    Click(k, 5);
    ++fives;
    EXPECT_EQ(game.window.numberCaptions[4], fives == 9 ? "*5*" : "5");
  }
  EXPECT_EQ(game.window.numberCaptions[0], "*1*");
  Undo(game);
  EXPECT_EQ(game.window.numberCaptions[4], "5");
}

TEST_F(EntryTest, LastDigitFinishesPlaysTheWinSoundAndFlashesOneDigitPerSecond) {
  game.WinSound = MenuWinSoundDefault;
  ShowSolvedWithout({80});
  Click(80, 9);
  EXPECT_TRUE(game.Finished);
  EXPECT_EQ(platform.beeps, std::vector<Beep>{Beep::Question});

  game.nextFlashTime = platform.now;
  for (int expected : {1, 2, 3}) {
    platform.now += 1001;
    FlashStep(game);
    EXPECT_EQ(game.flashDigit, expected);
    for (int k = 0; k < 81; ++k) {
      bool lit = kSolvedGrid[k] - '0' == expected;
      EXPECT_EQ(CellAt(k).backColor, lit ? game.MarkColor
                                     : CellAt(k).cellTag < 0 ? game.MasterColor
                                                             : game.NumberColor)
          << k;
    }
    // Within the second nothing moves on.
    platform.now += 500;
    FlashStep(game);
    EXPECT_EQ(game.flashDigit, expected);
  }
  Undo(game);
  EXPECT_FALSE(game.Finished);
  platform.now += 2000;
  FlashStep(game);
  EXPECT_EQ(game.flashDigit, 3);
}

TEST_F(EntryTest, FlashDigitWrapsFromNineToOne) {
  game.Finished = true;
  game.flashDigit = 9;
  platform.now = game.nextFlashTime + 1;
  FlashStep(game);
  EXPECT_EQ(game.flashDigit, 1);
}

TEST_F(EntryTest, ResetGameIsUndoneInOneStepWithColours) {
  ShowSolvedWithout({0, 1, 2});
  game.CurrentColor = TextPalette[0];
  Click(0, 5);
  game.CurrentColor = TextPalette[1];
  Click(1, 3);
  ResetGame(game);
  EXPECT_EQ(CellDigits().substr(0, 3), "...");
  EXPECT_EQ(CellAt(3).text, "6");  // givens stay
  Undo(game);
  EXPECT_EQ(CellDigits().substr(0, 3), "53.");
  EXPECT_EQ(CellAt(0).textColor, TextPalette[0]);
  EXPECT_EQ(CellAt(1).textColor, TextPalette[1]);
  EXPECT_EQ(game.undoHistory.size(), 2u);
}

TEST_F(EntryTest, DeleteNumberWithNoMatchLeavesTwoBoundariesThatOneUndoRemoves) {
  Click(0, 5);
  game.SelectedNumber = 7;
  DeleteNumber(game);
  ASSERT_EQ(game.undoHistory.size(), 3u);
  EXPECT_EQ(game.undoHistory[1].cell, kGroupBoundary);
  EXPECT_EQ(game.undoHistory[2].cell, kGroupBoundary);
  Undo(game);
  EXPECT_EQ(game.undoHistory.size(), 1u);
  EXPECT_EQ(CellAt(0).text, "5");
}

TEST_F(EntryTest, DeleteNumberAndDeleteColorEmptyOnlyMatchingPlayerCells) {
  ShowSolvedWithout({0, 1, 9});
  game.CurrentColor = TextPalette[0];
  Click(0, 5);
  Click(1, 3);
  game.CurrentColor = TextPalette[4];
  Click(9, 6);
  game.SelectedNumber = 5;
  DeleteNumber(game);
  EXPECT_EQ(CellDigits().substr(0, 2), ".3");
  EXPECT_EQ(CellAt(14).text, "5") << "a given 5 stays";
  game.CurrentColor = TextPalette[0];
  DeleteColor(game);
  EXPECT_EQ(CellAt(1).text, "");
  EXPECT_EQ(CellAt(9).text, "6");
}

TEST_F(EntryTest, DeleteColorAlsoRecordsEmptyCellsOfThatColour) {
  game.window.cells[7].textColor = game.CurrentColor;  // emptied, colour kept
  DeleteColor(game);
  ASSERT_EQ(game.undoHistory.size(), 3u);
  EXPECT_EQ(game.undoHistory[1].cell, 7);
  EXPECT_TRUE(game.Modified);
}

TEST_F(EntryTest, FlashingGoesOnAcrossTheTickCountWrap) {
  game.Finished = true;
  game.nextFlashTime = 0xFFFFFF00u;
  platform.now = 0x00000010u;  // past the wrap, 272 ms later
  FlashStep(game);
  EXPECT_EQ(game.flashDigit, 1);
  EXPECT_EQ(game.nextFlashTime, 0x00000010u + 1000);
}

TEST_F(EntryTest, BoardChangingCommandsAreRefusedWhileHintsShow) {
  Click(0, 5);
  SetHintMode(game, MenuHints);
  for (auto command : {Undo, DeleteNumber, DeleteColor, ResetGame}) {
    platform.messages.clear();
    command(game);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Deradu Minor Error");
    EXPECT_EQ(platform.messages[0].text, "Unable to undo while in Hint mode");
  }
  EXPECT_EQ(CellAt(0).text, "5");
  EXPECT_EQ(game.undoHistory.size(), 1u);
}

// Typing goes through the same entry as a click: the cell keeps its old text until
// EnterDigit accepts the typed digit.
TEST_F(EntryTest, TypedLegalDigitIsEnteredLikeAClickedOne) {
  game.CurrentColor = TextPalette[3];
  EnterTypedText(game, 30, "4");
  EXPECT_EQ(CellAt(30).text, "4");
  EXPECT_EQ(CellAt(30).textColor, TextPalette[3]);
  EXPECT_EQ(CellAt(30).backColor, game.NumberColor);
  EXPECT_TRUE(game.Modified);
  EXPECT_EQ(game.undoHistory.size(), 1u);
  // Typed in front of the 4 (the caret stands before it), "34" keeps the 3.
  EnterTypedText(game, 30, "34");
  EXPECT_EQ(CellAt(30).text, "3");
  Undo(game);
  EXPECT_EQ(CellAt(30).text, "4");
}

TEST_F(EntryTest, TypedIllegalDigitIsRefusedAndThePreviousTextStays) {
  EnterTypedText(game, 0, "6");
  EnterTypedText(game, 1, "2");
  EnterTypedText(game, 1, "62");
  EXPECT_EQ(CellAt(1).text, "2");
  EXPECT_EQ(platform.beeps.size(), 1u);
}

TEST_F(EntryTest, EmptyingACellByTypingClearsItLikeX) {
  for (std::string_view typed : {"", "0", "05"}) {
    EnterTypedText(game, 12, "8");
    EnterTypedText(game, 12, typed);
    EXPECT_EQ(CellAt(12).text, "") << typed;
    EXPECT_EQ(game.undoHistory.back().oldText, "8") << typed;
  }
  EXPECT_TRUE(platform.beeps.empty());
}

TEST_F(EntryTest, TypingTheLastDigitFinishesAndClearingItUnfinishes) {
  ShowSolvedWithout({80});
  EnterTypedText(game, 80, "9");
  EXPECT_TRUE(game.Finished);
  EnterTypedText(game, 80, "");
  EXPECT_FALSE(game.Finished);
  EXPECT_TRUE(game.Modified);
  EXPECT_EQ(game.window.numberCaptions[8], "9");
}

TEST_F(EntryTest, TypingIntoAGivenRestoresIt) {
  ShowSolvedWithout({80});
  EnterTypedText(game, 0, "15");
  EXPECT_EQ(CellAt(0).text, "5");
  EXPECT_EQ(platform.beeps.size(), 1u);
}

TEST_F(EntryTest, EnterModeStartsEmptyAndItsDigitsBecomeGivens) {
  Click(0, 5);
  BeginEnterMode(game);
  EXPECT_TRUE(game.EnterMode);
  EXPECT_EQ(game.window.title, "Deradu - Enter Mode");
  EXPECT_EQ(CellDigits(), std::string(81, '.'));
  EXPECT_TRUE(game.undoHistory.empty());
  EnterTypedText(game, 4, "7");
  ReadBoardFromCells(game, game.EnterMode);
  EXPECT_EQ(game.board.cells[4].digit, 7);
  EXPECT_NE(game.board.cells[4].master, 0);
  EXPECT_EQ(CellAt(4).cellTag, -7);
  EXPECT_EQ(CellAt(4).textColor, 0);
}

}  // namespace
