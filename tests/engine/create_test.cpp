// Creating a new puzzle: the search on an empty board, the numbered master, the question
// with the elapsed seconds and the thinning by skill level.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/engine/create.h"
#include "game/engine/random.h"
#include "tests/engine/reference_search.h"
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

// Whether the puzzle (cell digits, 0 empty) has several solutions once cell k is emptied too.
bool EmptyingLeavesSeveralSolutions(engine::Digits puzzle, int k) {
  puzzle[k] = 0;
  return testing_support::CountSolutionsPlainly(puzzle, 2) > 1;
}

engine::Digits PuzzleOf(const Board& board) {
  engine::Digits puzzle{};
  for (int k = 0; k < 81; ++k) puzzle[k] = static_cast<int8_t>(board.cells[k].digit);
  return puzzle;
}

TEST_F(CreateTest, YesEmptiesACellWhoseDrawExceedsTheSkillThresholdUnlessThatAddsASolution) {
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
    const engine::Digits puzzle = PuzzleOf(game.board);
    EXPECT_EQ(testing_support::CountSolutionsPlainly(puzzle, 2), 1) << c.skill;
    for (int k = 0; k < 81; ++k) {
      const Cell& cell = game.board.cells[k];
      if (k > c.threshold && cell.digit == 0) {
        EXPECT_EQ(cell.master, 0) << c.skill << " cell " << k;
        continue;
      }
      EXPECT_EQ(cell.digit, filedGrid.cells[k].digit) << c.skill << " cell " << k;
      EXPECT_NE(cell.master, 0) << c.skill << " cell " << k;
      if (k > c.threshold) {
        EXPECT_TRUE(EmptyingLeavesSeveralSolutions(puzzle, k)) << c.skill << " cell " << k;
      }
    }
  }
}

// Every skill, many seeds: the search's start digits and one draw per cell, as before, and a
// puzzle with exactly one solution, in which every cell whose draw exceeds the threshold is
// empty unless emptying it would add a solution.
TEST_F(CreateTest, EveryCreatedPuzzleHasExactlyOneSolutionAndTheSameDraws) {
  std::vector<int> expectedRequests(81, 8);
  expectedRequests.insert(expectedRequests.end(), 81, 80);
  for (int skill = 0; skill <= 3; ++skill) {
    const int threshold = 30 + 15 * skill;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
      SCOPED_TRACE(testing::Message() << "skill " << skill << " seed " << seed);
      testing_support::FakePlatform seeded;
      seeded.Reseed(seed);
      seeded.messageAnswers = {MessageAnswer::Yes};
      Game created(seeded);
      created.Skill = skill;
      CreatePuzzle(created, RecordingFiler("004.sms"));
      EXPECT_EQ(seeded.randomRequests, expectedRequests);

      RandomGenerator replay(seed);
      for (int k = 0; k < 81; ++k) replay.Next(8);
      const engine::Digits puzzle = PuzzleOf(created.board);
      ASSERT_EQ(testing_support::CountSolutionsPlainly(puzzle, 2), 1) << DigitsOf(created.board);
      for (int k = 0; k < 81; ++k) {
        const bool candidate = replay.Next(80) > threshold;
        const Cell& cell = created.board.cells[k];
        if (cell.digit == 0) {
          EXPECT_TRUE(candidate) << "cell " << k;
          continue;
        }
        EXPECT_EQ(cell.digit, filedGrid.cells[k].digit) << "cell " << k;
        if (candidate) {
          EXPECT_TRUE(EmptyingLeavesSeveralSolutions(puzzle, k)) << "cell " << k;
        }
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
