// The one-time copy of the puzzles that come with the game into the player's masters folder.
#include "game/files/library.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"
#include "tests/support/unprivileged.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFileBytes;

// A program folder "program" with its library, and the player's data folder "data" with
// its masters folder, as start-up leaves them after a finished migration.
class LibraryCopyTest : public ::testing::Test {
 protected:
  LibraryCopyTest() {
    game.ExecutableFolder = folder / "program";
    game.ProgramFolder = folder / "data";
    game.MastersFolder = folder / "data" / "Masters" / "";
    game.MoveFiles = 3;
    fs::create_directories(game.MastersFolder);
    fs::create_directories(game.ExecutableFolder / "Masters");
    folder.Write("program/Masters/1 Gentle 01.sms", "gentle");
    folder.Write("program/Masters/2 Moderate 01.sms", "moderate");
    folder.Write("program/Masters/notes.txt", "not a master");
  }

  // Copies as start-up does, with the settings open, and returns the stored key.
  std::string Copy() {
    settings::SettingsStore store;
    store.OpenSettings(game.SettingsPath());
    files::CopyLibrary(game, store);
    store.CloseSettings();
    settings::SettingsStore reread;
    reread.OpenSettings(game.SettingsPath());
    return reread.ReadSettingText("Library", "<missing>");
  }
  std::string Master(std::string_view name) const {
    return ReadFileBytes(game.MastersFolder / name);
  }

  testing_support::TempFolder folder;
  testing_support::FakePlatform platform;
  engine::Game game{platform};
};

TEST_F(LibraryCopyTest, CopiesOnceNeverOverThePlayersFileAndADeletedFileStaysDeleted) {
  folder.Write("data/Masters/2 Moderate 01.sms", "the player's own");

  EXPECT_EQ(Copy(), "1");
  EXPECT_EQ(Master("1 Gentle 01.sms"), "gentle");
  EXPECT_EQ(Master("2 Moderate 01.sms"), "the player's own");
  EXPECT_FALSE(fs::exists(game.MastersFolder / "notes.txt"));

  fs::remove(game.MastersFolder / "1 Gentle 01.sms");
  EXPECT_EQ(Copy(), "1");
  EXPECT_FALSE(fs::exists(game.MastersFolder / "1 Gentle 01.sms"));
}

TEST_F(LibraryCopyTest, NothingIsCopiedWhereTheMastersAreNotAFolderApartFromTheLibrary) {
  const struct {
    const char* name;
    int moveFiles;
    bool portable;
  } cases[] = {
      {"migration declined: masters in the data folder itself", 0, false},
      {"migration failed, to be tried again", 1, false},
      {"portable: the library is the masters folder", 3, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    game.MoveFiles = c.moveFiles;
    if (c.moveFiles < 2) game.MastersFolder = game.ProgramFolder;
    if (c.portable) game.MastersFolder = game.ExecutableFolder / "Masters" / "";
    EXPECT_EQ(Copy(), "<missing>");
    for (const fs::path& where : {folder / "data", folder / "data" / "Masters"}) {
      EXPECT_FALSE(fs::exists(where / "1 Gentle 01.sms")) << where;
    }
    EXPECT_EQ(ReadFileBytes(folder / "program" / "Masters" / "1 Gentle 01.sms"), "gentle");
  }
}

// A copy that does not arrive is not recorded: the next start copies what is missing.
TEST_F(LibraryCopyTest, AnIncompleteCopyIsTriedAgainAtTheNextStart) {
#ifdef _WIN32
  GTEST_SKIP() << "a folder's read-only mark does not keep new files out on Windows";
#endif
  testing_support::GiveToUnprivilegedUser(folder / "data");
  testing_support::MakeFolderReadOnly(game.MastersFolder);
  const std::string seen = testing_support::RunUnprivileged([&] {
    return Copy() + (fs::exists(game.MastersFolder / "1 Gentle 01.sms") ? " copied" : "");
  });
  EXPECT_EQ(seen, "<missing>");
  fs::permissions(game.MastersFolder, fs::perms::owner_write, fs::perm_options::add);

  EXPECT_EQ(Copy(), "1");
  EXPECT_EQ(Master("1 Gentle 01.sms"), "gentle");
  EXPECT_EQ(Master("2 Moderate 01.sms"), "moderate");
}

}  // namespace
