// The 243-line game file: byte layout, round trips, the reader's line and number rules, the
// blanking of complete grids, and the numbered master names.
#include "game/files/game_file.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game/engine/create.h"
#include "game/engine/random.h"
#include "tests/engine/reference_search.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using engine::Board;
using engine::Cell;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;

// A file whose first cells have the given three lines and whose other cells are empty.
std::string FileOf(const std::vector<std::array<std::string, 3>>& cells,
                   std::string_view end = "\r\n") {
  std::string text;
  for (int k = 0; k < 81; ++k) {
    for (int line = 0; line < 3; ++line) {
      text += k < static_cast<int>(cells.size()) ? cells[k][line] : "0";
      text += end;
    }
  }
  return text;
}

// Givens, player's digits in a palette colour and in the default colour, and empty cells.
Board MixedBoard() {
  Board board;
  board(0, 0) = {5, -5, 0};
  board(1, 0) = {3, 0, 255};
  board(2, 0) = {7, 0, -1};
  board(8, 8) = {9, -9, 0};
  board(4, 4) = {1, 0, 8421376};
  return board;
}

Board FullBoard() {
  Board board;
  for (int k = 0; k < 81; ++k) {
    const int digit = (k * 4 + k / 9 + k / 27) % 9 + 1;
    board.cells[k] = k % 2 == 0 ? Cell{digit, -digit, 0} : Cell{digit, 0, 255};
  }
  return board;
}

// The board parsed from bytes, in file form for readable comparisons.
std::string Parsed(std::string_view bytes, int masterNumber = 0) {
  Board board;
  files::ParseGameFile(bytes, masterNumber, board);
  return files::FormatGameFile(board);
}

class GameFileTest : public ::testing::Test {
 protected:
  GameFileTest() {
    game.ProgramFolder = folder.path();
    game.MastersFolder = folder / "Masters";
    fs::create_directory(game.MastersFolder);
  }

  testing_support::FakePlatform platform;
  engine::Game game{platform};
  TempFolder folder;
};

TEST(GameFileFormat, EmptyBoardIs243ZeroLinesOf729Bytes) {
  const std::string bytes = files::FormatGameFile(Board{});
  EXPECT_EQ(bytes.size(), 729u);
  EXPECT_EQ(bytes, FileOf({}));
}

TEST(GameFileFormat, CellsAreThreeDecimalLinesInRowMajorOrder) {
  Board board;
  board(0, 0) = {5, -5, 0};
  board(1, 0) = {3, 0, 255};
  board(0, 1) = {8, 0, -1};
  std::vector<std::array<std::string, 3>> cells(10, {"0", "0", "0"});
  cells[0] = {"5", "-5", "0"};
  cells[1] = {"3", "0", "255"};
  cells[9] = {"8", "0", "-1"};
  EXPECT_EQ(files::FormatGameFile(board), FileOf(cells));
}

TEST_F(GameFileTest, SaveNormalisesTheBoardAndTheFile) {
  Board board;
  board.cells[0] = {4, 0, 0};      // black digit: becomes a given
  board.cells[1] = {6, 1, 0};      // given marked by the cells: master -digit
  board.cells[2] = {0, -3, 255};   // empty with stale fields
  board.cells[3] = {2, 0, 65280};  // player's digit stays
  const fs::path path = folder / "game.ssv";
  ASSERT_TRUE(files::WriteGameFile(board, path));
  std::vector<std::array<std::string, 3>> expected = {
      {"4", "-4", "0"}, {"6", "-6", "0"}, {"0", "0", "0"}, {"2", "0", "65280"}};
  EXPECT_EQ(ReadFileBytes(path), FileOf(expected));
  EXPECT_EQ(files::FormatGameFile(board), FileOf(expected));
}

TEST_F(GameFileTest, FailedSaveKeepsTheOldFileAndTheBoard) {
  Board board;
  board.cells[0] = {4, 0, 0};
  const std::string before = files::FormatGameFile(board);
  EXPECT_FALSE(files::WriteGameFile(board, folder / "absent" / "game.ssv"));
  fs::create_directory(folder / "game.ssv");
  EXPECT_FALSE(files::WriteGameFile(board, folder / "game.ssv"));
  EXPECT_TRUE(fs::is_directory(folder / "game.ssv"));
  EXPECT_EQ(files::FormatGameFile(board), before);
}

TEST_F(GameFileTest, MasterGridIsWrittenRaw) {
  Board board;
  board.cells[0] = {4, 1, 0};
  board.cells[1] = {0, 7, 9};
  ASSERT_TRUE(files::WriteMasterGrid(board, folder / "001.sms"));
  EXPECT_EQ(ReadFileBytes(folder / "001.sms"), FileOf({{"4", "1", "0"}, {"0", "7", "9"}}));
}

TEST_F(GameFileTest, SavedGameReloadsUnchangedWithoutDrawingRandomNumbers) {
  Board board = MixedBoard();
  const fs::path path = folder / "game.ssv";
  ASSERT_TRUE(files::WriteGameFile(board, path));
  platform.scriptedRandom = {0};
  ASSERT_TRUE(files::ReadGameFile(game, path, 0));
  EXPECT_EQ(files::FormatGameFile(game.board), files::FormatGameFile(MixedBoard()));
  EXPECT_EQ(platform.scriptedRandom.size(), 1u);
}

TEST_F(GameFileTest, MasterLoadTurnsEveryDigitIntoAGiven) {
  Board board = MixedBoard();
  const fs::path path = folder / "game.ssv";
  ASSERT_TRUE(files::WriteGameFile(board, path));
  for (int masterNumber : {1, 2, 999}) {
    ASSERT_TRUE(files::ReadGameFile(game, path, masterNumber));
    for (const Cell& cell : game.board.cells) {
      EXPECT_EQ(cell.master, -cell.digit);
      EXPECT_EQ(cell.textColor, 0);
    }
    EXPECT_EQ(game.board(1, 0).digit, 3);
  }
}

// A valid complete grid from the search, givens on even cells and a player's red digits on
// odd ones; the grid differs with the seed.
Board SolvedGrid(uint32_t seed) {
  testing_support::FakePlatform platform;
  platform.Reseed(seed);
  platform.messageAnswers = {engine::MessageAnswer::No};
  engine::Game game(platform);
  engine::CreatePuzzle(game, {});
  Board board = game.board;
  for (int k = 1; k < 81; k += 2) board.cells[k] = {board.cells[k].digit, 0, 255};
  return board;
}

engine::Digits DigitsOf(const Board& board) {
  engine::Digits digits{};
  for (int k = 0; k < 81; ++k) digits[k] = static_cast<int8_t>(board.cells[k].digit);
  return digits;
}

// Opening a complete grid takes one draw from 0 to 100 per cell, in cell order, as it always
// did, and empties a cell whose draw exceeds 35 + 10 x Skill only while the puzzle keeps one
// solution: the puzzle has exactly one, every cell drawn above the threshold that stays
// would add a solution if emptied, and the cells that stay keep their kind.
TEST_F(GameFileTest, OpenedCompleteGridKeepsOneSolutionWithTheSameDraws) {
  const std::vector<int> oneDrawPerCell(81, 100);
  for (int skill : {0, 1, 2, 3, 7, -1, INT32_MAX, INT32_MIN}) {
    const int64_t threshold = 35 + 10 * int64_t{skill};
    for (uint32_t seed = 1; seed <= 25; ++seed) {
      SCOPED_TRACE(testing::Message() << "skill " << skill << " seed " << seed);
      const Board grid = SolvedGrid(seed);
      platform.Reseed(seed + 1000);
      platform.randomRequests.clear();
      game.Skill = skill;
      files::ReadGameBytes(game, files::FormatGameFile(grid), 0);
      EXPECT_EQ(platform.randomRequests, oneDrawPerCell);

      engine::RandomGenerator replay(seed + 1000);
      const engine::Digits puzzle = DigitsOf(game.board);
      ASSERT_EQ(testing_support::CountSolutionsPlainly(puzzle, 2), 1);
      for (int k = 0; k < 81; ++k) {
        const bool drawnAbove = replay.Next(100) > threshold;
        const Cell& cell = game.board.cells[k];
        if (cell.digit == 0) {
          EXPECT_TRUE(drawnAbove) << "cell " << k;
          EXPECT_EQ(cell.master, 0) << "cell " << k;
          continue;
        }
        EXPECT_EQ(cell.digit, grid.cells[k].digit) << "cell " << k;
        EXPECT_EQ(cell.master, grid.cells[k].master) << "cell " << k;
        EXPECT_EQ(cell.textColor, grid.cells[k].textColor) << "cell " << k;
        if (drawnAbove) {
          engine::Digits emptied = puzzle;
          emptied[k] = 0;
          EXPECT_GT(testing_support::CountSolutionsPlainly(emptied, 2), 1) << "cell " << k;
        }
      }
    }
  }
}

// A complete grid whose digits clash has no solution to keep; it still opens as a puzzle,
// with every cell drawn above the threshold emptied, rather than as a won board.
TEST_F(GameFileTest, CompleteGridThatBreaksTheRulesLosesEveryCellDrawnAboveTheThreshold) {
  Board board;
  for (int k = 0; k < 81; ++k) board.cells[k] = {k % 9 + 1, -(k % 9 + 1), 0};
  game.Skill = 3;
  platform.scriptedRandom.clear();
  for (int k = 0; k < 81; ++k) platform.scriptedRandom.push_back(k % 2 == 0 ? 65 : 66);
  files::ReadGameBytes(game, files::FormatGameFile(board), 0);
  EXPECT_TRUE(platform.scriptedRandom.empty());
  for (int k = 0; k < 81; ++k) {
    EXPECT_EQ(game.board.cells[k].digit, k % 2 == 0 ? k % 9 + 1 : 0) << "cell " << k;
  }
}

TEST(GameFileReader, LineEndsOfEveryKindReadAlike) {
  const std::vector<std::array<std::string, 3>> cells = {
      {"5", "-5", "0"}, {"3", "0", "255"}, {"0", "0", "0"}, {"7", "0", "-1"}};
  const std::string expected = Parsed(FileOf(cells));
  EXPECT_EQ(Parsed(FileOf(cells, "\n")), expected);
  EXPECT_EQ(Parsed(FileOf(cells, "\r")), expected);
  std::string nul = FileOf(cells, std::string_view("\0", 1));
  EXPECT_EQ(Parsed(nul), expected);
  // LF CR is two line ends, so the empty line between shifts every later line.
  EXPECT_NE(Parsed(FileOf(cells, "\n\r")), expected);
}

TEST(GameFileReader, NulEndsALineAndTheBytesAfterItStartTheNext) {
  const std::string bytes = std::string("3\0" "0\r\n255\r\n", 10);
  EXPECT_EQ(Parsed(bytes), Parsed(FileOf({{"3", "0", "255"}})));
}

TEST(GameFileReader, CellLinesFollowTheNumberRule) {
  using Lines = std::array<std::string, 3>;
  const std::pair<Lines, Lines> cases[] = {
      {{"  3", "0", "255"}, {"3", "0", "255"}},
      {{"$9", "0", "$FF"}, {"9", "0", "255"}},
      {{"+4", "  0", "%101"}, {"4", "0", "5"}},
      {{"2", "0", "  -4"}, {"2", "0", "-4"}},
      {{"2", "0", "$1F"}, {"2", "0", "31"}},
      {{"2", "0", "4294967297"}, {"2", "0", "1"}},
      {{"2", "0", "x"}, {"2", "-2", "0"}},       // a letter is 0: black, so a given
      {{"2", "  -4", "255"}, {"2", "-2", "0"}},  // any master line makes a given
      {{"2", "-$1", "255"}, {"2", "-2", "0"}},
      {{"6abc", "0", "9"}, {"6", "0", "9"}},
  };
  for (const auto& [lines, cell] : cases) {
    EXPECT_EQ(Parsed(FileOf({lines})), FileOf({cell}))
        << lines[0] << "/" << lines[1] << "/" << lines[2];
  }
}

TEST(GameFileReader, DigitLinesOutsideOneToNineGiveEmptyCellsAndKeepTheLayout) {
  for (const char* digitLine : {"357", "-4", "10", "$A", "4294967306"}) {
    const std::string bytes = FileOf({{digitLine, "-9", "77"}, {"8", "0", "255"}});
    Board board;
    EXPECT_FALSE(files::ParseGameFile(bytes, 0, board));
    EXPECT_EQ(files::FormatGameFile(board), FileOf({{"0", "0", "0"}, {"8", "0", "255"}}))
        << digitLine;
  }
}

TEST(GameFileReader, TruncatedFilesReadTheMissingLinesAsEmpty) {
  struct TruncatedCase {
    std::string bytes;
    std::vector<std::array<std::string, 3>> cells;
  };
  const TruncatedCase cases[] = {
      {"", {}},
      {"5", {{"5", "-5", "0"}}},
      {"5\r\n0\r\n", {{"5", "-5", "0"}}},
      {"5\r\n0\r\n255\r\n4", {{"5", "0", "255"}, {"4", "-4", "0"}}},
  };
  for (const TruncatedCase& c : cases) EXPECT_EQ(Parsed(c.bytes), FileOf(c.cells)) << c.bytes;
}

TEST(GameFileReader, LinesAfterThe243rdAreIgnoredAndCompletenessIsReported) {
  Board board;
  EXPECT_TRUE(files::ParseGameFile(files::FormatGameFile(FullBoard()) + "junk\r\n0\r\n", 0, board));
  EXPECT_EQ(files::FormatGameFile(board), files::FormatGameFile(FullBoard()));
  EXPECT_FALSE(files::ParseGameFile(files::FormatGameFile(MixedBoard()), 0, board));
}

TEST_F(GameFileTest, LoadOfAMissingFileFailsCreatesNothingAndKeepsTheBoard) {
  game.board = MixedBoard();
  EXPECT_FALSE(files::ReadGameFile(game, folder / "absent.ssv", 0));
  EXPECT_FALSE(fs::exists(folder / "absent.ssv"));
  EXPECT_FALSE(files::ReadGameFile(game, game.MastersFolder, 1));
  EXPECT_EQ(files::FormatGameFile(game.board), files::FormatGameFile(MixedBoard()));
}

TEST_F(GameFileTest, HugeFileLoadsOnlyWhatItsFirstMegabyteHolds) {
  const std::string padding(1 << 20, ' ');
  ASSERT_TRUE(files::ReadGameFile(game, folder.Write("huge.ssv", padding + "5\r\n"), 0));
  EXPECT_EQ(files::FormatGameFile(game.board), files::FormatGameFile(Board{}));
}

TEST_F(GameFileTest, NumberedMasterNameStartsAtLastSaveAndSkipsTakenNames) {
  folder.Write("Tarnwick.ini", "Skill=1\r\nLastSave=006\r\n");
  folder.Write("Masters/006.sms", "");
  EXPECT_EQ(files::NextNumberedMasterName(game), "007");
  EXPECT_EQ(game.LastSave, "007");
  EXPECT_EQ(folder.Read("Tarnwick.ini"), "Skill = 1\r\nLastSave = 007\r\n");
}

TEST_F(GameFileTest, NumberedMasterNameIsEmptyWhenEveryNumberUpTo999IsTaken) {
  const std::string settingsFile = "LastSave=998\r\n";
  folder.Write("Tarnwick.ini", settingsFile);
  folder.Write("Masters/998.sms", "");
  folder.Write("Masters/999.sms", "");
  game.LastSave = "998";
  EXPECT_EQ(files::NextNumberedMasterName(game), "");
  EXPECT_EQ(game.LastSave, "998");
  EXPECT_EQ(folder.Read("Tarnwick.ini"), settingsFile);
}

TEST_F(GameFileTest, NumberedMasterNameIsAlwaysThreeDigitsInTheMastersFolder) {
  struct NameCase {
    const char* lastSave;  // nullptr: no settings file
    const char* name;
  };
  const NameCase cases[] = {{nullptr, "001"}, {"", "001"},   {"abc", "001"},    {"000", "001"},
                            {"-3", "001"},    {"7", "007"},  {"../x", "001"},   {"042", "042"},
                            {"999", "999"},   {"1000", ""}};
  for (const NameCase& c : cases) {
    fs::remove(game.SettingsPath());
    if (c.lastSave != nullptr) folder.Write("Tarnwick.ini", std::string("LastSave=") + c.lastSave);
    EXPECT_EQ(files::NextNumberedMasterName(game), c.name) << (c.lastSave ? c.lastSave : "none");
  }
}

TEST_F(GameFileTest, FilingANumberedMasterWritesTheRawGridAndSetsTheTitle) {
  folder.Write("Tarnwick.ini", "LastSave=001\r\n");
  folder.Write("Masters/001.sms", "");
  game.board = FullBoard();
  EXPECT_EQ(files::FileNumberedMaster(game), "002.sms");
  EXPECT_EQ(ReadFileBytes(game.MastersFolder / "002.sms"), files::FormatGameFile(FullBoard()));
  EXPECT_EQ(game.window.title, "Deradu - 002.sms");
}

TEST_F(GameFileTest, FilingANumberedMasterWithNoRoomChangesNothingVisible) {
  folder.Write("Tarnwick.ini", "LastSave=999\r\n");
  folder.Write("Masters/999.sms", "");
  const std::string title = game.window.title;
  EXPECT_EQ(files::FileNumberedMaster(game), "");
  fs::remove_all(game.MastersFolder);
  EXPECT_EQ(files::FileNumberedMaster(game), "");
  EXPECT_EQ(game.window.title, title);
}

}  // namespace
