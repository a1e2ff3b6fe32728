// New, Load and Save through the requesters, the save question and its guard, and the
// choice of the start-up puzzle.
#include "game/files/load_save.h"

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/engine/random.h"
#include "tests/files/game_in_folder.h"
#include "tests/settings/permission_probe.h"

namespace {

namespace fs = std::filesystem;
using engine::MessageAnswer;
using testing_support::GameInFolder;
using testing_support::ReadFileBytes;

constexpr engine::Rgb kRed = 255;

// A given 5 in the top-left cell and a player's red 3 beside it.
engine::Board SmallBoard() {
  engine::Board board;
  board.cells[0] = {5, -5, 0};
  board.cells[1] = {3, 0, kRed};
  return board;
}

class LoadSaveTest : public GameInFolder {
 protected:
  // A cell of the board the player has changed: a red 7 in the last cell.
  void PlayerEntersSeven() {
    game.window.cells[80] = {"7", kRed, game.NumberColor, 0};
    game.Modified = true;
  }
};

TEST_F(LoadSaveTest, LoadArgumentChoosesRequesterOrFile) {
  WriteBoard(game.MastersFolder / "012.sms", SmallBoard());
  WriteBoard(game.MastersFolder / "named.sms", SmallBoard());
  const fs::path saved = game.SavesFolder / "game.ssv";
  const fs::path master = game.MastersFolder / "named.sms";
  WriteBoard(saved, SmallBoard());
  struct Row {
    std::string argument;
    std::string answer;        // what the requester answers, if one is shown
    std::string requestTitle;  // empty: no requester expected
    std::string requestFolder;
    std::string title;  // window title afterwards; empty: the load fails
  };
  const std::vector<Row> rows = {
      {"0", saved.string(), "Load game save file", game.SavesFolder.string(), "Deradu - game.ssv"},
      {"", saved.string(), "Load game save file", game.SavesFolder.string(), "Deradu - game.ssv"},
      {"1", master.string(), "Load master deradu file", game.MastersFolder.string(),
       "Deradu - named.sms"},
      {"12", "", "", "", "Deradu - 012.sms"},
      {"named.sms", "", "", "", "Deradu - named.sms"},
      {"13", "", "", "", ""},
      {"1000", "", "", "", ""},
      {"-4", "", "", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("argument \"" + row.argument + "\"");
    platform.fileRequests.clear();
    platform.fileAnswers = {row.answer};
    game.window.title = "before";
    game.board = {};

    EXPECT_EQ(files::LoadGame(game, row.argument), row.title.empty() ? 0 : 1);
    EXPECT_EQ(game.window.title, row.title.empty() ? "before" : row.title);
    ASSERT_EQ(platform.fileRequests.size(), row.requestTitle.empty() ? 0u : 1u);
    if (!row.requestTitle.empty()) {
      const engine::FileRequest& request = platform.fileRequests[0];
      EXPECT_FALSE(request.save);
      EXPECT_EQ(request.title, row.requestTitle);
      EXPECT_EQ(request.initialFolder, row.requestFolder);
      EXPECT_EQ(request.initialName, "");
    }
  }
}

TEST_F(LoadSaveTest, MasterRequesterTurnsColouredDigitsIntoGivensAndLoadKeepsThem) {
  const fs::path saved = game.SavesFolder / "game.ssv";
  WriteBoard(saved, SmallBoard());

  platform.fileAnswers = {saved.string()};
  files::NewCommand(game);
  EXPECT_EQ(game.window.cells[1].text, "3");
  EXPECT_EQ(game.window.cells[1].textColor, 0);
  EXPECT_EQ(game.window.cells[1].cellTag, -3);

  platform.fileAnswers = {saved.string()};
  files::LoadCommand(game);
  EXPECT_EQ(game.window.cells[1].textColor, kRed);
  EXPECT_EQ(game.window.cells[1].cellTag, 0);
  EXPECT_EQ(game.window.cells[0].cellTag, -5);
}

TEST_F(LoadSaveTest, MissingFileFailsAndCreatesNothing) {
  const fs::path missing = game.SavesFolder / "missing.ssv";
  game.board = SmallBoard();
  platform.fileAnswers = {missing.string()};

  EXPECT_EQ(files::LoadGame(game, "0"), 0);
  EXPECT_EQ(files::LoadGame(game, "missing.sms"), 0);
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_FALSE(fs::exists(game.MastersFolder / "missing.sms"));
  EXPECT_EQ(game.board.cells[1].digit, 3);
  EXPECT_EQ(game.window.title, engine::kStartTitle);
}

TEST_F(LoadSaveTest, CancelledLoadShowsThePreviousBoardWithoutItsHistory) {
  game.board = SmallBoard();
  game.undoHistory.push_back({4, "", 0});
  game.EnterMode = true;
  game.Finished = true;

  files::LoadCommand(game);

  EXPECT_EQ(game.window.cells[0].text, "5");
  EXPECT_EQ(game.window.cells[1].text, "3");
  EXPECT_TRUE(game.undoHistory.empty());
  EXPECT_FALSE(game.EnterMode);
  EXPECT_FALSE(game.Finished);
  EXPECT_EQ(game.window.title, engine::kStartTitle);
}

TEST_F(LoadSaveTest, SaveAppendsTheKindsExtensionOnlyToANameWithout) {
  struct Row {
    bool master;
    std::string chosen;
    std::string written;
    std::string requestTitle;
  };
  const fs::path saves = game.SavesFolder;
  const fs::path masters = game.MastersFolder;
  const std::vector<Row> rows = {
      {false, (saves / "game").string(), "game.ssv", "Game save file"},
      {true, (masters / "puzzle").string(), "puzzle.sms", "Save master deradu file"},
      {true, (masters / "notes.txt").string(), "notes.txt", "Save master deradu file"},
      {false, (saves / "kept.sms").string(), "kept.sms", "Game save file"},
      // The longest name most file systems take, with the extension added.
      {false, (saves / std::string(251, 'n')).string(), std::string(251, 'n') + ".ssv",
       "Game save file"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.chosen);
    platform.fileRequests.clear();
    platform.fileAnswers = {row.chosen};
    game.board = SmallBoard();

    ASSERT_EQ(files::SaveGame(game, row.master), 1);
    const fs::path written = fs::path(row.chosen).parent_path() / row.written;
    EXPECT_EQ(ReadFileBytes(written), files::FormatGameFile(SmallBoard()));
    EXPECT_EQ(game.window.title, "Deradu - " + row.written);
    ASSERT_EQ(platform.fileRequests.size(), 1u);
    const engine::FileRequest& request = platform.fileRequests[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.title, row.requestTitle);
    EXPECT_EQ(request.initialFolder, (row.master ? masters : saves).string());
    EXPECT_EQ(request.initialName, "");
  }
}

// The requester's UTF-8 text names the file itself: letters beyond ASCII, blanks, "#" and "%"
// reach the file system and come back in the title, in a folder named the same way.
TEST_F(LoadSaveTest, NamesBeyondAsciiAreSavedAndLoadedUnderTheirOwnName) {
  const auto text = [](const std::u8string& utf8) { return std::string(utf8.begin(), utf8.end()); };
  const fs::path saves = folder.path() / fs::path(u8"Spielst\u00E4nde #2");
  fs::create_directories(saves);
  game.SavesFolder = saves / "";
  for (const std::u8string name : {u8"zo\u00EB", u8"\u65E5\u672C 100%", u8"\u00C6r\u00F8 #1"}) {
    SCOPED_TRACE(text(name));
    const fs::path file = saves / (name + u8".ssv");
    platform.fileRequests.clear();
    platform.fileAnswers = {text((saves / name).u8string())};
    game.board = SmallBoard();
    ASSERT_EQ(files::SaveGame(game, false), 1);
    EXPECT_EQ(ReadFileBytes(file), files::FormatGameFile(SmallBoard()));
    EXPECT_EQ(game.window.title, "Deradu - " + text(name) + ".ssv");
    ASSERT_EQ(platform.fileRequests.size(), 1u);
    EXPECT_EQ(platform.fileRequests[0].initialFolder, text(game.SavesFolder.u8string()));

    platform.fileAnswers = {text(file.u8string())};
    game.board = {};
    game.window.title.clear();
    ASSERT_EQ(files::LoadGame(game, "0"), 1);
    EXPECT_EQ(game.board.cells[1].digit, 3);
    EXPECT_EQ(game.window.title, "Deradu - " + text(name) + ".ssv");
  }
}

TEST_F(LoadSaveTest, FailedSaveIsReportedAndKeepsWhatWasThere) {
  fs::create_directory(game.SavesFolder / "folder.ssv");
  std::vector<fs::path> targets = {game.SavesFolder / "missing" / "game.ssv",
                                   game.SavesFolder / "folder.ssv",
                                   game.SavesFolder / (std::string(300, 'n') + ".ssv")};
  // The result, the title and each message of a save to target, as one text.
  const auto save = [&](const fs::path& target) {
    platform.messages.clear();
    game.board = SmallBoard();
    platform.fileAnswers = {target.string()};
    std::string seen = std::to_string(files::SaveGame(game, false)) + " " + game.window.title;
    for (const auto& message : platform.messages) {
      seen += " | " + message.title + ": " + message.text +
              (message.icon == engine::MessageIcon::Error ? " (error" : " (no error") +
              (message.buttons == engine::MessageButtons::Ok ? ", OK)" : ", not OK)");
    }
    return seen;
  };
  const auto refused = [](const fs::path& target) {
    return "0 Brindle's Deradu | Brindle's Deradu: Unable to save file\n" + target.string() +
           " (error, OK)";
  };
  for (const fs::path& target : targets) EXPECT_EQ(save(target), refused(target));
  // A folder that takes no file, as a user for whom its read-only mark binds.
  const fs::path locked = game.SavesFolder / "locked";
  fs::create_directory(locked);
  const std::string seen = testing_support::RunWithReadOnly(
      folder.path(), locked, [&] { return save(locked / "game.ssv"); });
  if (seen != testing_support::kStillWritable) {
    EXPECT_EQ(seen, refused(locked / "game.ssv"));
  }
  EXPECT_TRUE(fs::is_empty(locked));
  EXPECT_FALSE(fs::exists(game.SavesFolder / "missing"));
  EXPECT_TRUE(fs::is_directory(game.SavesFolder / "folder.ssv"));
  EXPECT_TRUE(fs::is_empty(game.SavesFolder / "folder.ssv"));
}

TEST_F(LoadSaveTest, SaveQuestionDecidesWhetherTheCommandGoesOn) {
  const fs::path target = game.SavesFolder / "kept.ssv";
  struct Row {
    std::string name;
    MessageAnswer answer;
    std::string saveAnswer;  // the save requester's answer after Yes
    bool goesOn;
    bool saveFails = false;
  };
  const fs::path unwritable = game.SavesFolder / "missing" / "x.ssv";
  const std::vector<Row> rows = {
      {"no", MessageAnswer::No, "", true},
      {"cancel", MessageAnswer::Cancel, "", false},
      {"yes, then the save requester cancelled", MessageAnswer::Yes, "", false},
      {"yes, then a save that fails", MessageAnswer::Yes, unwritable.string(), false, true},
      {"yes, then saved", MessageAnswer::Yes, target.string(), true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    platform.messages.clear();
    platform.fileRequests.clear();
    platform.messageAnswers = {row.answer};
    platform.fileAnswers = {row.saveAnswer};
    PlayerEntersSeven();

    files::NewCommand(game);

    ASSERT_EQ(platform.messages.size(), row.saveFails ? 2u : 1u);
    if (row.saveFails) {
      EXPECT_EQ(platform.messages[1].text, "Unable to save file\n" + unwritable.string());
    }
    EXPECT_EQ(platform.messages[0].title, "Brindle's Deradu");
    EXPECT_EQ(platform.messages[0].text, "Do you wish to save this game?");
    EXPECT_EQ(platform.messages[0].icon, engine::MessageIcon::Question);
    EXPECT_EQ(platform.messages[0].buttons, engine::MessageButtons::YesNoCancel);
    EXPECT_EQ(game.Modified, !row.goesOn);
    // The New command's own requester follows only when the question let it go on.
    const bool newRequesterShown = !platform.fileRequests.empty() &&
                                   platform.fileRequests.back().title == "Load master deradu file";
    EXPECT_EQ(newRequesterShown, row.goesOn);
  }
  engine::Board expected;
  expected.cells[80] = {7, 0, kRed};
  EXPECT_EQ(ReadFileBytes(target), files::FormatGameFile(expected));
}

TEST_F(LoadSaveTest, FinishedGameIsDiscardedWithoutAQuestion) {
  PlayerEntersSeven();
  game.Finished = true;

  EXPECT_TRUE(files::Guard(game));
  EXPECT_FALSE(game.Modified);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LoadSaveTest, GuardInEnterModeSavesTheTypedPuzzleAsAMaster) {
  game.EnterMode = true;
  PlayerEntersSeven();
  const fs::path target = game.MastersFolder / "typed";
  platform.messageAnswers = {MessageAnswer::Yes};
  platform.fileAnswers = {target.string()};

  EXPECT_TRUE(files::Guard(game));

  ASSERT_EQ(platform.fileRequests.size(), 1u);
  EXPECT_EQ(platform.fileRequests[0].title, "Save master deradu file");
  engine::Board expected;
  expected.cells[80] = {7, -7, 0};
  EXPECT_EQ(ReadFileBytes(game.MastersFolder / "typed.sms"), files::FormatGameFile(expected));
}

TEST_F(LoadSaveTest, SaveCommandEndsEnterModeOnlyWhenTheSaveSucceeds) {
  game.EnterMode = true;
  PlayerEntersSeven();
  platform.fileAnswers = {(game.MastersFolder / "missing" / "typed.sms").string()};

  files::SaveCommand(game);
  EXPECT_TRUE(game.EnterMode);
  EXPECT_TRUE(game.Modified);
  EXPECT_EQ(game.window.cells[80].textColor, 0);  // read as a given all the same
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].icon, engine::MessageIcon::Error);

  platform.messages.clear();
  platform.fileAnswers = {(game.MastersFolder / "typed.sms").string()};
  files::SaveCommand(game);
  EXPECT_FALSE(game.EnterMode);
  EXPECT_FALSE(game.Modified);
  EXPECT_EQ(game.window.title, "Deradu - typed.sms");
  EXPECT_TRUE(platform.messages.empty());
}

// The start-up choice.

class StartupPuzzleTest : public GameInFolder {
 protected:
  // A master whose cell 1 holds digit, so the test can tell which file was loaded.
  void WriteMaster(const std::string& name, int digit) {
    engine::Board board;
    board.cells[1] = {digit, 0, kRed};
    WriteBoard(game.MastersFolder / name, board);
  }
};

TEST_F(StartupPuzzleTest, SameFolderGivesTheSamePuzzleFromASortedListing) {
  const std::vector<std::string> sorted = {"alpha.sms", "beta.sms", "delta.sms", "gamma.sms"};
  WriteMaster("gamma.sms", 4);
  WriteMaster("alpha.sms", 1);
  WriteMaster("delta.sms", 3);
  WriteMaster("beta.sms", 2);
  WriteMaster("notes.txt", 9);
  engine::RandomGenerator seeded(0);
  const std::string expected = sorted[seeded.Next(3)];

  for (int run = 0; run < 2; ++run) {
    testing_support::FakePlatform freshPlatform;
    engine::Game fresh(freshPlatform);
    fresh.MastersFolder = game.MastersFolder;
    files::ChooseStartupPuzzle(fresh);
    EXPECT_EQ(fresh.window.title, "Deradu - " + expected);
    EXPECT_EQ(freshPlatform.reseeds, std::vector<uint32_t>{0});
  }
}

TEST_F(StartupPuzzleTest, NamedMasterIsAPlainLoadAndShownReady) {
  WriteMaster("Mixed.SmS", 6);
  game.EnterMode = true;
  game.Finished = true;

  files::ChooseStartupPuzzle(game);

  EXPECT_EQ(game.window.title, "Deradu - Mixed.SmS");
  EXPECT_EQ(game.window.cells[1].text, "6");
  EXPECT_EQ(game.window.cells[1].textColor, kRed);
  EXPECT_FALSE(game.EnterMode);
  EXPECT_FALSE(game.Finished);
}

TEST_F(StartupPuzzleTest, NamesStartingWithZeroAreSkippedForAtMostSixDraws) {
  WriteMaster("001.sms", 1);
  WriteMaster("zeta.sms", 2);  // sorted: 001.sms, zeta.sms
  struct Row {
    std::deque<int> draws;
    std::string title;
  };
  const std::vector<Row> rows = {
      {{0, 0, 1}, "Deradu - zeta.sms"},
      {{0, 0, 0, 0, 0, 1}, "Deradu - zeta.sms"},
      {{0, 0, 0, 0, 0, 0, 1}, std::string(engine::kStartTitle)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.draws.size());
    game.window.title = engine::kStartTitle;
    platform.scriptedRandom = row.draws;
    files::ChooseStartupPuzzle(game);
    EXPECT_EQ(game.window.title, row.title);
  }
}

TEST_F(StartupPuzzleTest, NumberedMasterIsDrawnFromLastSave) {
  WriteMaster("002.sms", 2);
  WriteMaster("007.sms", 7);
  game.LastSave = "010";
  struct Row {
    int draw;
    std::string title;
  };
  for (const Row& row : std::vector<Row>{
           {7, "Deradu - 007.sms"}, {1, "Deradu - 002.sms"}, {0, "Deradu - 002.sms"}}) {
    SCOPED_TRACE(row.draw);
    game.window.title = engine::kStartTitle;
    platform.scriptedRandom = {0, 0, 0, 0, 0, 0, row.draw};
    files::ChooseStartupPuzzle(game);
    EXPECT_EQ(game.window.title, row.title);
    // Numbered masters are master loads: every digit a given.
    EXPECT_EQ(game.window.cells[1].textColor, 0);
  }
}

TEST_F(StartupPuzzleTest, LoadedNamedMasterSkipsTheNumberedDraw) {
  WriteMaster("005.sms", 5);
  WriteMaster("named.sms", 1);
  game.LastSave = "010";
  platform.scriptedRandom = {1, 5};

  files::ChooseStartupPuzzle(game);

  EXPECT_EQ(game.window.title, "Deradu - named.sms");
  EXPECT_EQ(platform.scriptedRandom.size(), 1u);
}

TEST_F(StartupPuzzleTest, SmallLastSaveDrawsNothing) {
  WriteMaster("002.sms", 2);
  for (std::string lastSave : {"000", "002", "abc"}) {
    game.LastSave = lastSave;
    files::ChooseStartupPuzzle(game);
    EXPECT_EQ(game.window.title, engine::kStartTitle) << lastSave;
  }
}

TEST_F(StartupPuzzleTest, UnlistableFolderStillTriesTheNumberedDraw) {
  WriteMaster("003.sms", 3);
  game.MastersFolder = folder / "gone" / "";
  game.LastSave = "005";
  platform.scriptedRandom = {3};

  files::ChooseStartupPuzzle(game);

  EXPECT_TRUE(platform.reseeds.empty());
  EXPECT_TRUE(platform.scriptedRandom.empty());
  EXPECT_EQ(game.window.title, engine::kStartTitle);
}

}  // namespace
