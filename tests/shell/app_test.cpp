// The game from start-up to shutdown through the fake platform: the first start, the stored
// window size, the guarded commands and the hint mode's hold on the cells.
#include <chrono>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "common/settings/path_text.h"
#include "common/settings/settings_store.h"
#include "game/engine/entry.h"
#include "game/engine/game.h"
#include "game/files/game_file.h"
#include "game/shell/app.h"
#include "tests/support/environment.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"
#include "tests/support/unprivileged.h"

namespace {

using namespace engine;
using testing_support::FakePlatform;
using testing_support::TempFolder;

class AppTest : public ::testing::Test {
 protected:
  void Start() {
    shell::BeginStartUp(game, folder.path() / "Tarnwick");
    shell::FinishStartUp(game);
  }
  std::string Setting(std::string_view key) {
    settings::SettingsStore store;
    store.OpenSettings(folder / "Tarnwick.ini");
    return store.ReadSettingText(key, "<missing>");
  }
  // An event of the loop followed by its chores, as the shell delivers it.
  void AtTime(uint32_t now) {
    platform.now = now;
    shell::RunChores(game);
  }

  // Nothing happens but the chore timer: the clock jumps to each deadline a shell would arm
  // its single timer for, and the chores run there, up to the given time; the clock stays at
  // the last wake. Gives the times the game woke at.
  std::vector<uint32_t> IdleUntil(uint32_t until) {
    std::vector<uint32_t> wakes;
    while (auto delay = shell::NextChoreDelay(game)) {
      if (platform.now + *delay > until) break;
      platform.now += *delay;
      wakes.push_back(platform.now);
      shell::RunChores(game);
    }
    return wakes;
  }

  TempFolder folder;
  FakePlatform platform;
  Game game{platform};
};

TEST_F(AppTest, FirstStartCreatesTheFoldersAndStoresOnlyMoveFiles) {
  Start();
  EXPECT_EQ(game.window.title, "Brindle's Deradu");
  EXPECT_TRUE(std::filesystem::is_directory(folder / "Masters"));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "Saves"));
  EXPECT_EQ(folder.Read("Tarnwick.ini"), "MoveFiles = 3\r\n");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(platform.resizes.empty());
  EXPECT_TRUE(platform.soundInitialised);
  // Tool state: number 1 and the first colour chosen.
  EXPECT_TRUE(game.window.numberPressed[0]);
  EXPECT_EQ(game.window.pushedColorButton, 0);
  EXPECT_EQ(game.window.colorLabelColor, TextPalette[0]);
  std::vector<int> checked;
  for (int id = 0; id < kMenuIdCount; ++id) {
    if (game.window.menuChecks[id]) checked.push_back(id);
  }
  EXPECT_EQ(checked, (std::vector<int>{MenuSkillDefault, MenuSoundOn, MenuSoundDefault,
                                       MenuWinSoundOff, MenuHintsOff}));
}

TEST_F(AppTest, StartUpRemovesOnlyItsOwnLeftoverTemporaryFiles) {
  std::filesystem::create_directory(folder / "Masters");
  std::filesystem::create_directory(folder / "Saves");
  folder.Write("Tarnwick.ini", "MoveFiles = 3\r\n");
  struct Row {
    std::string name;
    bool old;  // last written an hour ago, else just now
    bool removed;
  };
  const std::vector<Row> rows = {
      {".deradu-0123abcd.tmp", true, true},
      {"Masters/.deradu-89abcdef.tmp", true, true},
      {"Saves/.deradu-00000000.tmp", true, true},
      {".deradu-fedcba98.tmp", false, false},  // another process's write, still running
      {".deradu-0123abc.tmp", true, false},
      {".deradu-4567ABCD.tmp", true, false},  // upper case, and no other row's name on Windows
      {"x.deradu-0123abcd.tmp", true, false},
      {"game.ssv.tmp", true, false},
  };
  const auto anHourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  for (const Row& row : rows) {
    const std::filesystem::path path = folder.Write(row.name, "x");
    if (row.old) std::filesystem::last_write_time(path, anHourAgo);
  }

  Start();

  for (const Row& row : rows) {
    EXPECT_EQ(std::filesystem::exists(folder / row.name), !row.removed) << row.name;
  }
}

TEST_F(AppTest, StartUpRecordsTheHelpDocumentInTheLinkFile) {
  Start();
  settings::SettingsStore link;
  link.OpenSettings(folder / "Leafview.ini");
  EXPECT_EQ(link.ReadSettingText("HelpFile", ""), "deradu.htm");
  EXPECT_EQ(link.ReadSettingText("Title", ""), "Brindle's Deradu Help");
}

// An install the player cannot write: everything the game writes goes to the user's data
// folder, nothing is moved from or asked about the old files beside the program, and the
// viewer is still started from the program folder. Where the data folder cannot be made
// either, the game starts on its defaults and says it cannot list its folder.
#ifdef _WIN32
TEST_F(AppTest, AReadOnlyProgramFolderKeepsTheGamesFilesInTheUsersDataFolder) {
  GTEST_SKIP() << "XDG_DATA_HOME names the data folder on POSIX systems only";
}
#else
TEST_F(AppTest, AReadOnlyProgramFolderKeepsTheGamesFilesInTheUsersDataFolder) {
  namespace fs = std::filesystem;
  const fs::path program = folder / "program";
  const std::string viewer = (program / "Leafview").string();
  const std::string data = (folder / "data" / "deradu" / "").string();
  const struct {
    bool dataWritable;
    std::string seen;
  } cases[] = {
      {true,
       "data data/deradu data/deradu/Leafview.ini data/deradu/Leafview.ini.lock "
       "data/deradu/Masters data/deradu/Saves data/deradu/Tarnwick.ini program "
       "program/Leafview program/old.sms | current | data/deradu/Saves/ | | " + viewer},
      {false,
       "data program program/Leafview program/old.sms | not current | data/deradu | "
       "Unable to examine directory \n" + data + " | " + viewer},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dataWritable);
    fs::remove_all(folder / "data");
    fs::create_directories(folder / "data");
    fs::create_directories(program);
    folder.Write("program/old.sms", "1\r\n");
    folder.Write("program/Leafview", "viewer");
    if (c.dataWritable) testing_support::GiveToUnprivilegedUser(folder / "data");
    if (!c.dataWritable) testing_support::MakeFolderReadOnly(folder / "data");
    testing_support::MakeFolderReadOnly(program);

    const std::string seen = testing_support::RunUnprivileged([&] {
      testing_support::SetEnvironment("XDG_DATA_HOME", settings::Utf8FromPath(folder / "data"));
      platform.startablePaths.insert(viewer);
      shell::BeginStartUp(game, program / "Tarnwick");
      shell::FinishStartUp(game);
      shell::OnMenu(game, MenuSkillEasy);
      shell::OnMenu(game, MenuHelp);
      std::set<std::string> written;
      for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
        written.insert(entry.path().lexically_relative(folder.path()).generic_string());
      }
      std::string text;
      for (const std::string& name : written) text += name + " ";
      std::error_code error;
      const fs::path current = fs::current_path(error);
      text += fs::equivalent(current, game.ProgramFolder, error) ? "| current" : "| not current";
      text += " | " + game.SavesFolder.lexically_relative(folder.path()).generic_string() + " |";
      for (const auto& message : platform.messages) text += " " + message.text;
      for (const std::string& started : platform.startedProcesses) text += " | " + started;
      return text;
    });
    EXPECT_EQ(seen, c.seen);
    if (c.dataWritable) {
      settings::SettingsStore store;
      store.OpenSettings(folder / "data" / "deradu" / "Tarnwick.ini");
      EXPECT_EQ(store.ReadSettingText("Skill", ""), "2");
    }
    for (const char* name : {"program", "data"}) {
      fs::permissions(folder / name, fs::perms::owner_write, fs::perm_options::add);
    }
  }
}
#endif

// The first start opens a puzzle of the library beside the program: from a portable program
// folder in place, and from a read-only one through the copy in the player's data folder.
TEST_F(AppTest, FirstStartOpensAPuzzleOfTheLibrary) {
  namespace fs = std::filesystem;
  const std::string puzzles[] = {
      "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79",
      "..9748...7.........2.1.9.....7...24..64.1.59..98...3.....8.3.2.........6...2759.."};
  const std::string names[] = {"1 Gentle 01.sms", "4 Fiendish 01.sms"};
  const fs::path program = folder / "program";
  const struct {
    const char* name;
    bool portable;
    fs::path masters;
  } cases[] = {{"portable", true, program / "Masters"},
#ifndef _WIN32
               {"read-only program folder", false, folder / "data" / "deradu" / "Masters"}
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* name : {"program", "data"}) {
      if (fs::exists(folder / name)) fs::permissions(folder / name, fs::perms::owner_all);
      fs::remove_all(folder / name);
    }
    fs::create_directories(program / "Masters");
    fs::create_directories(folder / "data");
    for (int i = 0; i < 2; ++i) {
      Board board;
      for (int k = 0; k < 81; ++k) {
        const int digit = puzzles[i][k] == '.' ? 0 : puzzles[i][k] - '0';
        board.cells[k] = {digit, -digit, 0};
      }
      folder.Write("program/Masters/" + names[i], files::FormatGameFile(board));
    }
    testing_support::GiveToUnprivilegedUser(c.portable ? program : folder / "data");
    if (!c.portable) testing_support::MakeFolderReadOnly(program);
    const std::string seen = testing_support::RunUnprivileged([&] {
      testing_support::SetEnvironment("XDG_DATA_HOME", settings::Utf8FromPath(folder / "data"));
      Game started(platform);
      shell::BeginStartUp(started, program / "Tarnwick");
      shell::FinishStartUp(started);
      std::string text = started.window.title + " |";
      for (const CellGadget& cell : started.window.cells) {
        text += cell.text.empty() ? "." : cell.cellTag < 0 ? cell.text : "?";
      }
      text += " |";
      for (const std::string& name : names) {
        text += " " + testing_support::ReadFileBytes(c.masters / name).substr(0, 6);
      }
      return text;
    });
    // The start-up choice is the same on every run; either puzzle would do.
    const int shown = seen.find(names[0]) != std::string::npos ? 0 : 1;
    // Each file's first bytes where the game reads them: its first cell, a 5 or empty.
    EXPECT_EQ(seen, "Deradu - " + names[shown] + " |" + puzzles[shown] +
                        " | 5\r\n-5\r 0\r\n0\r\n");
  }
  fs::permissions(program, fs::perms::owner_all);
}

TEST_F(AppTest, StoredSizeIsRestoredAndAZeroWidthKeepsTheBaseSize) {
  folder.Write("Tarnwick.ini", "Width = 0\r\nHeight = 700\r\nMoveFiles = 3\r\n");
  Start();
  EXPECT_TRUE(platform.resizes.empty());
  EXPECT_EQ(game.window.geometry[0], (Rect{50, 100, 20, 20}));

  Game second(platform);
  folder.Write("Tarnwick.ini", "Width = 532\r\nHeight = 666\r\nMoveFiles = 3\r\n");
  shell::BeginStartUp(second, folder.path() / "Tarnwick");
  shell::FinishStartUp(second);
  ASSERT_EQ(platform.resizes.size(), 1u);
  EXPECT_EQ(platform.resizes[0], (std::pair{532, 666}));
  EXPECT_EQ(second.window.geometry[0], (Rect{100, 200, 40, 40}));
}

// What the screen showed at the slow sound start-up and at the flush after the restored
// size: the window is rendered after each start-up step that changes it.
class ScreenPlatform : public FakePlatform {
 public:
  const Game* game = nullptr;
  MainWindowState screen;  // as last rendered
  MainWindowState atSound;
  std::vector<MainWindowState> atFlushes;

  void RenderMainWindow() override { screen = game->window; }
  void InitSound() override { atSound = screen; }
  void FlushEvents() override { atFlushes.push_back(screen); }
};

TEST(AppStartUp, TheToolStateAndTheRestoredLayoutAreOnTheScreenBeforeTheSlowSteps) {
  TempFolder folder;
  folder.Write("Tarnwick.ini", "Width = 532\r\nHeight = 666\r\nSkill = 2\r\nMoveFiles = 3\r\n");
  ScreenPlatform platform;
  Game game(platform);
  platform.game = &game;
  shell::BeginStartUp(game, folder.path() / "Tarnwick");
  shell::FinishStartUp(game);

  EXPECT_TRUE(platform.atSound.numberPressed[0]) << "number button 1 on";
  EXPECT_EQ(platform.atSound.pushedColorButton, 0);
  EXPECT_EQ(platform.atSound.colorLabelColor, RgbOf(255, 0, 0));
  ASSERT_EQ(platform.atFlushes.size(), 2u);
  const MainWindowState& restored = platform.atFlushes[1];
  EXPECT_EQ(restored.innerWidth, 532);
  EXPECT_EQ(restored.geometry[0], (Rect{100, 200, 40, 40}));
  EXPECT_TRUE(restored.menuChecks[MenuSkillEasy]);
}

TEST_F(AppTest, SizeIsStoredOnceOneToTwoSecondsAfterTheLastChange) {
  Start();
  for (uint32_t t = 10000; t <= 13000; t += 250) {  // a drag of three seconds
    platform.now = t;
    shell::OnSize(game, 300 + static_cast<int>(t - 10000) / 10, 400);
    AtTime(t + 100);
    EXPECT_EQ(Setting("Width"), "<missing>") << t;
  }
  AtTime(13900);
  EXPECT_EQ(Setting("Width"), "<missing>");
  AtTime(14001);
  EXPECT_EQ(Setting("Width"), "600");
  EXPECT_EQ(Setting("Height"), "400");
  EXPECT_EQ(game.ResizeStamp, 0u);
  EXPECT_EQ(game.window.geometry[0].width, 20 * 600 / 266);
}

TEST_F(AppTest, IdleGameWakesOnlyWhenAChoreIsDueAndDoesItOnTime) {
  Start();
  EXPECT_EQ(IdleUntil(60000), std::vector<uint32_t>{}) << "a fresh game sleeps";

  platform.now = 70000;
  shell::OnSize(game, 300, 400);
  AtTime(70500);
  EXPECT_EQ(IdleUntil(80000), std::vector<uint32_t>{71001});
  EXPECT_EQ(Setting("Width"), "300");
  EXPECT_EQ(Setting("Height"), "400");

  // A finished board lights the next digit once a second, and only while it is finished.
  game.Finished = true;
  game.nextFlashTime = 90000;
  AtTime(90000);
  const std::vector<uint32_t> wakes = IdleUntil(95500);
  ASSERT_EQ(wakes.size(), 6u);
  EXPECT_EQ(wakes[0], 90001u);
  for (size_t i = 1; i < wakes.size(); ++i) {
    EXPECT_GE(wakes[i] - wakes[i - 1], 1000u);
    EXPECT_LE(wakes[i] - wakes[i - 1], 1002u);
  }
  EXPECT_EQ(game.flashDigit, 6);
  game.Finished = false;
  AtTime(95600);
  EXPECT_EQ(IdleUntil(120000), std::vector<uint32_t>{});
  EXPECT_EQ(game.flashDigit, 6);

  // The sound device is looked at once a second while it is open, and closed once silent.
  platform.soundStillPlaying = true;
  platform.PlaySound(0);
  AtTime(130000);
  EXPECT_EQ(IdleUntil(132500), (std::vector<uint32_t>{131000, 132000}));
  EXPECT_TRUE(platform.soundDeviceOpen);
  platform.soundStillPlaying = false;
  EXPECT_EQ(IdleUntil(140000), std::vector<uint32_t>{133000});
  EXPECT_FALSE(platform.soundDeviceOpen);
}

TEST_F(AppTest, EndingWithinASecondOfAResizeKeepsTheStoredSize) {
  folder.Write("Tarnwick.ini", "MoveFiles = 3\r\nWidth = 300\r\nHeight = 400\r\n");
  Start();
  platform.now = 0;  // a size change at tick 0 still counts as pending
  shell::OnSize(game, 500, 500);
  EXPECT_NE(game.ResizeStamp, 0u);
  AtTime(900);
  shell::ShutdownGame(game);
  EXPECT_EQ(Setting("Width"), "300");
}

TEST_F(AppTest, AbsurdStoredSizesAreKeptWithinReason) {
  for (const char* size : {"2147483647", "-50", "abc"}) {
    folder.Write("Tarnwick.ini", std::string("MoveFiles = 3\r\nWidth = ") + size +
                                     "\r\nHeight = " + size + "\r\n");
    platform.resizes.clear();
    Game fresh(platform);
    shell::BeginStartUp(fresh, folder.path() / "Tarnwick");
    shell::FinishStartUp(fresh);
    for (auto [w, h] : platform.resizes) {
      EXPECT_GE(w, 0) << size;
      EXPECT_LE(w, 16384) << size;
      EXPECT_LE(h, 16384) << size;
    }
    EXPECT_GE(fresh.window.geometry[0].width, 20) << size;
  }
}

TEST_F(AppTest, ExitAndCloseAskToSaveAModifiedGameAndCancelKeepsItRunning) {
  Start();
  shell::OnCellFocus(game, 0);
  ASSERT_TRUE(game.Modified);
  platform.messageAnswers = {MessageAnswer::Cancel};
  shell::OnMenu(game, MenuExit);
  EXPECT_FALSE(shell::ExitRequested(game));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Do you wish to save this game?");

  platform.messageAnswers = {MessageAnswer::Cancel};
  EXPECT_FALSE(shell::OnCloseRequest(game));
  EXPECT_EQ(game.window.cells[0].text, "1");

  platform.messageAnswers = {MessageAnswer::No};
  EXPECT_TRUE(shell::OnCloseRequest(game));
  EXPECT_FALSE(game.Modified);
}

TEST_F(AppTest, FinishedGameEndsWithoutAQuestion) {
  Start();
  shell::OnCellFocus(game, 0);
  game.Finished = true;
  shell::OnMenu(game, MenuExit);
  EXPECT_TRUE(shell::ExitRequested(game));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(AppTest, SkillItemsStoreTheSkillAndMoveTheCheckMark) {
  Start();
  shell::OnMenu(game, MenuSkillEasy);
  EXPECT_EQ(game.Skill, 2);
  EXPECT_EQ(Setting("Skill"), "2");
  EXPECT_TRUE(game.window.menuChecks[MenuSkillEasy]);
  EXPECT_FALSE(game.window.menuChecks[MenuSkillDefault]);
}

TEST_F(AppTest, HintModeShowsHintsOnFocusAndIgnoresTyping) {
  Start();
  shell::OnMenu(game, MenuHints);
  EXPECT_EQ(game.window.cells[0].text, "0123456789");
  shell::OnCellChange(game, 5, "7");
  EXPECT_EQ(game.window.cells[5].text, "0123456789");
  shell::OnCellFocus(game, 5);
  EXPECT_TRUE(game.undoHistory.empty());
  shell::OnMenu(game, MenuHintsOff);
  shell::OnCellChange(game, 5, "7");
  EXPECT_EQ(game.window.cells[5].text, "7");
}

TEST_F(AppTest, GadgetClicksReachTheirHandlers) {
  Start();
  shell::OnGadgetClick(game, kFirstNumberButton + 6);
  EXPECT_EQ(game.SelectedNumber, 7);
  shell::OnGadgetClick(game, kClearButton);
  EXPECT_EQ(game.SelectedNumber, kClearNumber);
  shell::OnGadgetClick(game, kFirstColorButton + 8);
  EXPECT_EQ(game.CurrentColor, TextPalette[8]);
  shell::OnGadgetClick(game, kMarkButton);
  EXPECT_TRUE(game.Marking);
  shell::OnGadgetClick(game, kFirstRowButton + 2);
  EXPECT_TRUE(game.window.linePressed[9 + 2]);
  EXPECT_EQ(game.window.cells[18].cellTag, 2);
  const MainWindowState before = game.window;
  shell::OnGadgetClick(game, kColorLabel);
  shell::OnGadgetClick(game, kNumberLabel);
  EXPECT_EQ(game.window.title, before.title);
  EXPECT_EQ(game.window.linePressed, before.linePressed);
  EXPECT_EQ(game.window.numberPressed, before.numberPressed);
  EXPECT_EQ(game.window.pushedColorButton, before.pushedColorButton);
}

TEST_F(AppTest, HelpCommandsSendTheirTopics) {
  Start();
  const std::pair<int, const char*> topics[] = {
      {MenuRules, "#Rules"}, {MenuHelp, "#Contents"}, {MenuOptions, "#Game"}};
  for (auto [id, topic] : topics) {
    shell::OnMenu(game, id);
    settings::SettingsStore link;
    link.OpenSettings(folder / "Leafview.ini");
    EXPECT_EQ(link.ReadSettingText("LASTHELP", ""), topic);
    EXPECT_EQ(link.ReadSettingText("LASTTIME", ""), "50");
  }
}

TEST_F(AppTest, ShutdownAsksTheViewerToQuit) {
  Start();
  shell::ShutdownGame(game);
  settings::SettingsStore link;
  link.OpenSettings(folder / "Leafview.ini");
  EXPECT_EQ(link.ReadSettingText("LASTTIME", ""), "666");
}

}  // namespace
