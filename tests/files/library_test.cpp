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

  EXPECT_EQ(Copy(), "2");
  EXPECT_EQ(Master("1 Gentle 01.sms"), "gentle");
  EXPECT_EQ(Master("2 Moderate 01.sms"), "the player's own");
  EXPECT_FALSE(fs::exists(game.MastersFolder / "notes.txt"));

  fs::remove(game.MastersFolder / "1 Gentle 01.sms");
  EXPECT_EQ(Copy(), "2");
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

  EXPECT_EQ(Copy(), "2");
  EXPECT_EQ(Master("1 Gentle 01.sms"), "gentle");
  EXPECT_EQ(Master("2 Moderate 01.sms"), "moderate");
}

// The player's masters as the first version's copy left them (Library = 1), some library
// puzzles deleted since and one name taken by the player's own file; beside the programs, the
// library of this version, whose new puzzles the next start copies in once.
TEST_F(LibraryCopyTest, AnUpgradeCopiesOnlyWhatTheOlderVersionDidNotOffer) {
  const char* shipped[] = {"1 Gentle 01.sms",     "1 Gentle 50.sms",     "3 Tough 07.sms",
                           "4 Fiendish 02.sms",   "2 Moderate 51.sms",   "5 Diabolical 01.sms",
                           "5 Diabolical 02.sms", "5 Diabolical 50.sms"};
  for (const char* name : shipped) folder.Write(std::string("program/Masters/") + name, "new");
  folder.Write("data/Masters/1 Gentle 01.sms", "as first copied");
  folder.Write("data/Masters/3 Tough 07.sms", "being played");
  folder.Write("data/Masters/5 Diabolical 02.sms", "the player's own");
  folder.Write("data/Tarnwick.ini", "Library = 1\r\n");

  EXPECT_EQ(Copy(), "2");
  const struct {
    const char* name;
    const char* holds;  // "" absent
  } after[] = {
      {"1 Gentle 01.sms", "as first copied"},     // offered before: never replaced
      {"3 Tough 07.sms", "being played"},
      {"1 Gentle 50.sms", ""},                    // offered before and deleted: stays deleted
      {"4 Fiendish 02.sms", ""},
      {"2 Moderate 01.sms", ""},
      {"2 Moderate 51.sms", "new"},               // new in an old level
      {"5 Diabolical 01.sms", "new"},             // the new level
      {"5 Diabolical 02.sms", "the player's own"},
      {"5 Diabolical 50.sms", "new"},
  };
  for (const auto& file : after) {
    SCOPED_TRACE(file.name);
    const fs::path path = game.MastersFolder / file.name;
    if (*file.holds == 0) {
      EXPECT_FALSE(fs::exists(path));
    } else {
      EXPECT_EQ(Master(file.name), file.holds);
    }
  }

  // Once recorded, the upgrade is not made again: a new puzzle deleted stays deleted.
  fs::remove(game.MastersFolder / "5 Diabolical 01.sms");
  EXPECT_EQ(Copy(), "2");
  EXPECT_FALSE(fs::exists(game.MastersFolder / "5 Diabolical 01.sms"));
}

// What the record in Library makes of the library beside the programs: none yet (or one
// spoilt by hand) copies every name not taken, an older version the names it did not offer,
// this version or a later one nothing.
TEST_F(LibraryCopyTest, TheRecordedVersionDecidesWhatIsCopied) {
  folder.Write("program/Masters/5 Diabolical 01.sms", "diabolical");
  const struct {
    const char* record;  // nullptr: no key
    const char* stored;
    bool gentle, diabolical;
  } cases[] = {
      {nullptr, "2", true, true}, {"", "2", true, true},      {"abc", "2", true, true},
      {"-1", "2", true, true},    {"1", "2", false, true},    {"2", "2", false, false},
      {"3", "3", false, false},   {"2147483647", "2147483647", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record ? c.record : "no key");
    for (const char* name : {"1 Gentle 01.sms", "2 Moderate 01.sms", "5 Diabolical 01.sms"}) {
      fs::remove(game.MastersFolder / name);
    }
    folder.Write("data/Tarnwick.ini", c.record ? std::string("Library = ") + c.record : "");
    EXPECT_EQ(Copy(), c.stored);
    EXPECT_EQ(fs::exists(game.MastersFolder / "1 Gentle 01.sms"), c.gentle);
    EXPECT_EQ(fs::exists(game.MastersFolder / "2 Moderate 01.sms"), c.gentle);
    EXPECT_EQ(fs::exists(game.MastersFolder / "5 Diabolical 01.sms"), c.diabolical);
  }
}

}  // namespace
