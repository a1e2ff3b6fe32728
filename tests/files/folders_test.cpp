// The masters and saves folders and the one-time move of older game files into them.
#include "game/files/folders.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using engine::MessageAnswer;
using testing_support::ReadFileBytes;

constexpr std::string_view kQuestion =
    "Old files detected, before version 1.8\nShall I move all game files to propper directories?";

class MigrationTest : public ::testing::Test {
 protected:
  MigrationTest() {
    game.ProgramFolder = folder.path();
    files::SetUpFolders(game);
  }
  ~MigrationTest() override {
    std::error_code ignored;
    fs::current_path(startFolder, ignored);
  }

  // Runs the migration as start-up does: with the settings open, closed afterwards.
  void Migrate(std::string_view settingsText = "") {
    if (!settingsText.empty()) folder.Write("Tarnwick.ini", settingsText);
    settings::SettingsStore store;
    store.OpenSettings(game.SettingsPath());
    files::MigrateOldFiles(game, store);
    store.CloseSettings();
  }

  std::string Settings() const { return ReadFileBytes(game.SettingsPath()); }
  std::vector<testing_support::ShownMessage> Questions() const {
    return platform.MessagesTitled("Brindle Deradu");
  }
  std::vector<testing_support::ShownMessage> Errors() const {
    return platform.MessagesTitled("Brindle Deradu Error");
  }
  void ExpectProgramFolderUsed() const {
    EXPECT_EQ(game.MastersFolder, game.ProgramFolder);
    EXPECT_EQ(game.SavesFolder, game.ProgramFolder);
  }

  const fs::path startFolder = fs::current_path();
  testing_support::TempFolder folder;
  testing_support::FakePlatform platform;
  engine::Game game{platform};
};

TEST_F(MigrationTest, SetUpMakesTheProgramFolderCurrentAndNamesBothSubfolders) {
  EXPECT_EQ(fs::current_path(), fs::canonical(folder.path()));
  EXPECT_EQ(files::FolderText(game.MastersFolder), (folder / "Masters" / "").string());
  EXPECT_EQ(files::FolderText(game.SavesFolder), (folder / "Saves" / "").string());
  EXPECT_EQ(game.MastersFolder / "a.sms", folder / "Masters" / "a.sms");
}

TEST_F(MigrationTest, FreshInstallationCreatesBothFoldersWithoutAsking) {
  folder.Write("Readme.txt", "read me");

  Migrate();

  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(fs::is_directory(folder / "Masters"));
  EXPECT_TRUE(fs::is_directory(folder / "Saves"));
  EXPECT_EQ(game.MoveFiles, 3);
  EXPECT_EQ(Settings(), "MoveFiles = 3\r\n");
  EXPECT_EQ(game.MastersFolder, folder / "Masters" / "");
}

TEST_F(MigrationTest, ExistingFoldersCountAsCreated) {
  fs::create_directory(folder / "Masters");
  fs::create_directory(folder / "Saves");
  folder.Write("old.ssv", "x");
  platform.messageAnswers = {MessageAnswer::Yes};

  Migrate();

  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(game.MoveFiles, 3);
  EXPECT_TRUE(fs::exists(folder / "Saves" / "old.ssv"));
}

TEST_F(MigrationTest, YesMovesOldFilesOfEitherCaseAndReplacesEarlierCopies) {
  folder.Write("a.SmS", "master");
  folder.Write("game.ssv", "new save");
  folder.Write("b.SSV", "other save");
  folder.Write("notes.txt", "notes");
  fs::create_directories(folder / "folder.sms");
  fs::create_directories(folder / "Saves");
  folder.Write("Saves/game.ssv", "old save");
  platform.messageAnswers = {MessageAnswer::Yes};

  Migrate();

  const auto questions = Questions();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].text, kQuestion);
  EXPECT_EQ(questions[0].icon, engine::MessageIcon::Question);
  EXPECT_EQ(questions[0].buttons, engine::MessageButtons::YesNo);
  EXPECT_EQ(ReadFileBytes(folder / "Masters" / "a.SmS"), "master");
  EXPECT_EQ(ReadFileBytes(folder / "Saves" / "game.ssv"), "new save");
  EXPECT_EQ(ReadFileBytes(folder / "Saves" / "b.SSV"), "other save");
  for (std::string moved : {"a.SmS", "game.ssv", "b.SSV"}) {
    EXPECT_FALSE(fs::exists(folder / moved)) << moved;
  }
  EXPECT_TRUE(fs::exists(folder / "notes.txt"));
  EXPECT_TRUE(fs::is_directory(folder / "folder.sms"));
  EXPECT_EQ(Settings(), "MoveFiles = 3\r\n");
  EXPECT_EQ(game.SavesFolder, folder / "Saves" / "");
}

TEST_F(MigrationTest, NoKeepsEverythingInTheProgramFolderForGood) {
  folder.Write("a.sms", "master");
  folder.Write("b.ssv", "save");
  platform.messageAnswers = {MessageAnswer::No};

  Migrate();

  EXPECT_EQ(Questions().size(), 1u);
  EXPECT_TRUE(fs::exists(folder / "a.sms"));
  EXPECT_TRUE(fs::exists(folder / "b.ssv"));
  EXPECT_FALSE(fs::exists(folder / "Masters"));
  EXPECT_FALSE(fs::exists(folder / "Saves"));
  EXPECT_EQ(Settings(), "MoveFiles = 0\r\n");
  ExpectProgramFolderUsed();
}

TEST_F(MigrationTest, BlockedMasterFolderIsRetriedAtTheNextStart) {
  folder.Write("Masters", "a file where the folder belongs");

  Migrate();

  const auto errors = Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].text,
            "Unable to create Master directory\n" + (folder / "Masters" / "").string());
  EXPECT_EQ(errors[0].icon, engine::MessageIcon::Error);
  EXPECT_EQ(errors[0].buttons, engine::MessageButtons::Ok);
  // Without old files the saves folder is still made.
  EXPECT_TRUE(fs::is_directory(folder / "Saves"));
  EXPECT_EQ(Settings(), "MoveFiles = 1\r\n");
  ExpectProgramFolderUsed();
}

TEST_F(MigrationTest, BlockedSaveFolderStopsTheMoveBeforeAnyFile) {
  folder.Write("Saves", "a file where the folder belongs");
  folder.Write("a.sms", "master");
  platform.messageAnswers = {MessageAnswer::Yes};

  Migrate();

  const auto errors = Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].text,
            "Unable to create Save directory\n" + (folder / "Saves" / "").string());
  EXPECT_TRUE(fs::exists(folder / "a.sms"));
  EXPECT_FALSE(fs::exists(folder / "Masters" / "a.sms"));
  EXPECT_EQ(Settings(), "MoveFiles = 1\r\n");
  ExpectProgramFolderUsed();
}

TEST_F(MigrationTest, UnlistableProgramFolderFallsBackForThisRunOnly) {
  game.ProgramFolder = folder / "gone";
  files::SetUpFolders(game);

  Migrate();

  const auto errors = Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].text, "Unable to examine directory \n" + (folder / "gone" / "").string());
  EXPECT_EQ(game.MoveFiles, 0);
  EXPECT_FALSE(fs::exists(game.SettingsPath()));
  ExpectProgramFolderUsed();
}

TEST_F(MigrationTest, StoredStateOtherThanOneSkipsTheMigration) {
  folder.Write("a.sms", "master");
  struct Row {
    std::string stored;
    bool subfolders;
  };
  for (const Row& row : std::vector<Row>{{"3", true}, {"0", false}, {"", false}, {"7", true}}) {
    SCOPED_TRACE("MoveFiles = " + row.stored);
    files::SetUpFolders(game);
    const std::string settingsText = "MoveFiles = " + row.stored + "\r\n";

    Migrate(settingsText);

    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(fs::exists(folder / "a.sms"));
    EXPECT_FALSE(fs::exists(folder / "Masters"));
    EXPECT_EQ(Settings(), settingsText);
    EXPECT_EQ(game.MastersFolder, row.subfolders ? folder / "Masters" / "" : folder.path());
  }
}

TEST(FolderNamesTest, UpperExtensionIsWhatFollowsTheLastDot) {
  struct Row {
    std::string name;
    std::string extension;
  };
  for (const Row& row : std::vector<Row>{{"a.SmS", "SMS"},
                                         {"game.old.ssv", "SSV"},
                                         {".sms", "SMS"},
                                         {"plain", ""},
                                         {"ends.", ""}}) {
    EXPECT_EQ(files::UpperExtension(row.name), row.extension) << row.name;
  }
}

}  // namespace
