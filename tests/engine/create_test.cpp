// Creating a new puzzle: the search on an empty board, the numbered master, the question
// with the elapsed seconds and the thinning by skill level.
#include <gtest/gtest.h>

#include <string>

#include "game/engine/create.h"
#include "tests/engine/search_boards.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace engine;
using testing_support::DigitsOf;
using testing_support::IsValidFullGrid;

class CreateTest : public testing_support::GameTest {
 protected:
  // Files nothing; records the grid it was handed.
  MasterFiler RecordingFiler(std::string name, uint32_t searchMilliseconds = 0) {
    return [this, name, searchMilliseconds](Game& filed) {
      ++filings;
      filedGrid = filed.board;
      platform.now += searchMilliseconds;
      if (!name.empty()) filed.window.title = "Deradu - " + name;
      return name;
    };
  }

  int filings = 0;
  Board filedGrid;
};

TEST_F(CreateTest, FilesTheFullGridAndAsksWithTheWholeSecondsElapsed) {
  platform.messageAnswers = {MessageAnswer::No};
  game.board.cells[7] = {3, 0, 255};  // whatever was there before
  CreatePuzzle(game, RecordingFiler("007.sms", 1900));
  EXPECT_EQ(filings, 1);
  EXPECT_TRUE(IsValidFullGrid(filedGrid));
  EXPECT_EQ(game.window.title, "Deradu - 007.sms");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, "Deep Thought");
  EXPECT_EQ(platform.messages[0].text, "Solution Found in 1\nDo you wish to play this?");
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Question);
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNo);
  // No keeps the complete grid, every digit a given.
  EXPECT_EQ(DigitsOf(game.board), DigitsOf(filedGrid));
  for (const Cell& cell : game.board.cells) EXPECT_NE(cell.master, 0);
}

TEST_F(CreateTest, QuickSearchReportsZeroSeconds) {
  CreatePuzzle(game, RecordingFiler("001.sms", 999));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Solution Found in 0\nDo you wish to play this?");
}

TEST_F(CreateTest, NoFileLeavesTheTitleAndStillAsks) {
  game.window.title = "Deradu - 123.ssv";
  platform.messageAnswers = {MessageAnswer::No};
  CreatePuzzle(game, RecordingFiler(""));
  EXPECT_EQ(game.window.title, "Deradu - 123.ssv");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, "Deep Thought");
  EXPECT_TRUE(IsValidFullGrid(game.board));
}

TEST_F(CreateTest, YesEmptiesTheCellsWhoseDrawExceedsTheSkillThreshold) {
  struct Case {
    int skill;
    int threshold;
  } cases[] = {{0, 30}, {1, 45}, {2, 60}, {3, 75}, {7, 135}};
  for (const Case& c : cases) {
    game.Skill = c.skill;
    platform.messages.clear();
    platform.messageAnswers = {MessageAnswer::Yes};
    // 81 start digits for the search, then cell k draws k.
    platform.scriptedRandom.assign(81, 0);
    for (int k = 0; k < 81; ++k) platform.scriptedRandom.push_back(k);
    CreatePuzzle(game, RecordingFiler("002.sms"));
    ASSERT_TRUE(platform.scriptedRandom.empty()) << c.skill;
    for (int k = 0; k < 81; ++k) {
      const Cell& cell = game.board.cells[k];
      if (k > c.threshold) {
        EXPECT_EQ(cell.digit, 0) << c.skill << " cell " << k;
        EXPECT_EQ(cell.master, 0) << c.skill << " cell " << k;
      } else {
        EXPECT_EQ(cell.digit, filedGrid.cells[k].digit) << c.skill << " cell " << k;
        EXPECT_NE(cell.master, 0) << c.skill << " cell " << k;
      }
    }
  }
}

TEST_F(CreateTest, AbandonedSearchSaysSoAndKeepsThePartialGrid) {
  for (int closedAt : {1, 2}) {
    platform.messages.clear();
    platform.progressValues.clear();
    platform.abandonProgressAtUpdate = closedAt;
    platform.tickStep = 20;
    CreatePuzzle(game, RecordingFiler("003.sms"));
    EXPECT_EQ(filings, 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Deep Thought");
    EXPECT_EQ(platform.messages[0].text, "No solution on new game??");
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
    int filled = 0;
    for (const Cell& cell : game.board.cells) filled += cell.digit != 0;
    EXPECT_LT(filled, 81);
    if (closedAt == 1) {
      EXPECT_EQ(filled, 0);
    }
  }
}

}  // namespace
