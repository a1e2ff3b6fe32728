// The puzzles that come with the game: each one a master file with exactly one solution,
// givens in 180-degree symmetry, rated by the grader at the level its name gives and never
// beyond it; no two alike; at least 50 of each of the five levels, named so that a sorted
// listing runs from the easiest level to the hardest; and within a level, the hardest steps
// spread over the level's techniques.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <map>
#include <set>
#include <string>

#include "game/engine/grader.h"
#include "game/engine/search.h"
#include "game/files/game_file.h"
#include "tests/library/library_puzzles.h"

namespace {

constexpr std::array<std::string_view, 5> kLevelWords = {"Gentle", "Moderate", "Tough",
                                                         "Fiendish", "Diabolical"};

// The level (1-5) a library name gives: "3 Tough 07.sms" is 3; 0 for any other name.
int LevelOfName(std::string_view name) {
  for (int level = 1; level <= 5; ++level) {
    const std::string prefix =
        std::to_string(level) + " " + std::string(kLevelWords[level - 1]) + " ";
    if (name.size() == prefix.size() + 6 && name.substr(0, prefix.size()) == prefix &&
        std::isdigit(static_cast<unsigned char>(name[prefix.size()])) &&
        std::isdigit(static_cast<unsigned char>(name[prefix.size() + 1])) &&
        name.substr(prefix.size() + 2) == ".sms") {
      return level;
    }
  }
  return 0;
}

TEST(LibraryTest, EveryPuzzleIsAMasterWithOneSymmetricSolutionAtTheLevelItsNameGives) {
  std::map<int, int> perLevel;
  // For each level, how many of its puzzles have each technique as their hardest step: the
  // last the solve used in the order of difficulty.
  std::map<int, std::map<std::string_view, int>> hardestSteps;
  std::set<std::string> puzzles;
  int lastLevel = 1;
  for (const testing_support::LibraryPuzzle& puzzle : testing_support::ReadLibrary()) {
    SCOPED_TRACE(puzzle.name);
    const int level = LevelOfName(puzzle.name);
    ASSERT_NE(level, 0) << "not a library name";
    // Sorted by name, the levels never go back.
    EXPECT_GE(level, lastLevel);
    lastLevel = level;
    ++perLevel[level];

    // Written as the game writes a master: every digit a given, empty cells all zero.
    EXPECT_EQ(puzzle.bytes, files::FormatGameFile(puzzle.board));
    const engine::Digits& givens = puzzle.givens;
    std::string text;
    for (int k = 0; k < 81; ++k) {
      const engine::Cell& cell = puzzle.board.cells[k];
      EXPECT_TRUE(cell.digit == 0 ? cell.master == 0 : cell.master == -cell.digit) << k;
      EXPECT_EQ(cell.textColor, 0) << k;
      text += static_cast<char>('0' + cell.digit);
    }
    for (int k = 0; k < 81; ++k) EXPECT_EQ(givens[k] == 0, givens[80 - k] == 0) << k;
    EXPECT_EQ(engine::CountSolutions(givens, 2), 1);
    const engine::Grading grading = engine::GradePuzzle(givens);
    EXPECT_EQ(static_cast<int>(grading.level), level)
        << engine::GradeLevelName(grading.level);
    if (!grading.techniques.empty()) ++hardestSteps[level][grading.techniques.back()];
    EXPECT_TRUE(puzzles.insert(text).second) << "a puzzle seen before";
  }
  EXPECT_EQ(perLevel.size(), 5u);
  for (const auto& [level, count] : perLevel) EXPECT_GE(count, 50) << level;
  // Above the singles, no technique is the hardest step of more than 60 % of a level.
  for (int level = 2; level <= 5; ++level) {
    for (const auto& [technique, count] : hardestSteps[level]) {
      EXPECT_LE(5 * count, 3 * perLevel[level]) << level << " " << technique;
    }
  }
  // Some Moderate puzzles end on a naked or hidden triple or quad.
  int subsets = 0;
  for (const auto& [technique, count] : hardestSteps[2]) {
    if (technique.find("Triple") != technique.npos || technique.find("Quad") != technique.npos) {
      subsets += count;
    }
  }
  EXPECT_GT(subsets, 0);
}

}  // namespace
