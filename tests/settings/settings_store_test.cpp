// The settings store: read syntax, the normalised rewrite, insertion above group headers, and
// the fallbacks for missing, read-only and unreadable files.
#include "common/settings/settings_store.h"

#include <gtest/gtest.h>

#include <chrono>

#include "common/settings/file_bytes.h"
#include "tests/settings/permission_probe.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using settings::SettingsStore;
using testing_support::TempFolder;

constexpr char kName[] = "Tarnwick.ini";

struct RewriteCase {
  const char* name;
  std::string before;
  const char* key;
  const char* value;
  std::string after;
};

TEST(SettingsStore, WritingAKeyRewritesTheWholeFileInNormalForm) {
  const RewriteCase cases[] = {
      {"leading blanks and no spaces", "  sound=22\r\n", "Skill", "1",
       "sound = 22\r\nSkill = 1\r\n"},
      {"written key takes the new spelling", "  sound=22\r\n", "Sound", "23", "Sound = 23\r\n"},
      {"tabs around everything", "\tkey\t=\tvalue\r\n", "x", "1", "key = value\r\nx = 1\r\n"},
      {"comment gains one space", ";note\r\n", "a", "1", "; note\r\na = 1\r\n"},
      {"comment keeps its one space", "; note\r\n", "a", "1", "; note\r\na = 1\r\n"},
      {"comment keeps a second space", ";  note\r\n", "a", "1", ";  note\r\na = 1\r\n"},
      {"blank lines vanish", "a=1\r\n\r\n   \r\n\nb=2\r\n", "c", "3",
       "a = 1\r\nb = 2\r\nc = 3\r\n"},
      {"LF line ends", "a=1\nb=2\n", "c", "3", "a = 1\r\nb = 2\r\nc = 3\r\n"},
      {"CR line ends", "a=1\rb=2", "c", "3", "a = 1\r\nb = 2\r\nc = 3\r\n"},
      {"new key goes above the first header", "a=1\r\n[G]\r\nb=2\r\n", "c", "3",
       "a = 1\r\nc = 3\r\n[G]\r\nb = 2\r\n"},
      {"new key goes after a comment above the header", "a=1\r\n;c\r\n[G]\r\n", "b", "2",
       "a = 1\r\n; c\r\nb = 2\r\n[G]\r\n"},
      {"header first: new key at the start", "[G]\r\nSkill=2\r\n", "Skill", "1",
       "Skill = 1\r\n[G]\r\nSkill = 2\r\n"},
      {"text after the header's bracket is dropped", "[G] old\r\n", "a", "1",
       "a = 1\r\n[G]\r\n"},
      {"unclosed header", "[Unclosed\r\n", "a", "1", "a = 1\r\n[Unclosed]\r\n"},
      {"line without equals is a key", "lonely key  \r\n", "a", "1",
       "lonely key = \r\na = 1\r\n"},
      {"semicolon and trailing blanks stay in a value", "v=x ; y  \r\n", "a", "1",
       "v = x ; y  \r\na = 1\r\n"},
      {"only the first equals splits", "a = b = c\r\n", "x", "1", "a = b = c\r\nx = 1\r\n"},
      {"only the first match is replaced", "A=1\r\na=2\r\n", "a", "3", "a = 3\r\na = 2\r\n"},
      {"byte order mark comes back with its own line", "\xEF\xBB\xBF" "a=1\r\n", "b", "2",
       "\xEF\xBB\xBF\r\na = 1\r\nb = 2\r\n"},
      {"a key led by the mark's bytes keeps them", "\r\n\xEF\xBB\xBFx=1\r\n", "b", "2",
       "\xEF\xBB\xBF\r\n\xEF\xBB\xBFx = 1\r\nb = 2\r\n"},
      {"other bytes are reproduced", "Custom=caf\xE9.wav\r\n", "K\xE9y", "\xFF",
       "Custom = caf\xE9.wav\r\nK\xE9y = \xFF\r\n"},
      {"NUL bytes are kept", std::string("a=x\0y\r\n", 7), "b", "2",
       std::string("a = x\0y\r\nb = 2\r\n", 16)},
      {"a line break ends a written value", "", "a", "x\r\ny=1", "a = x\r\n"},
      {"an empty file gains the key", "", "MoveFiles", "3", "MoveFiles = 3\r\n"},
  };
  for (const RewriteCase& c : cases) {
    TempFolder folder;
    const fs::path path = folder.Write(kName, c.before);
    settings::StoreSetting(path, c.key, c.value);
    EXPECT_EQ(folder.Read(kName), c.after) << c.name;
  }
}

struct ReadCase {
  const char* name;
  std::string file;
  const char* key;
  const char* text;  // ReadSettingText with the fallback "none"
  int32_t number;    // ReadSettingInteger with the fallback -99
};

TEST(SettingsStore, ReadsFindTheFirstMatchingKeyAboveTheFirstHeader) {
  const ReadCase cases[] = {
      {"blanks before the key", "  sound=22\r\n", "Sound", "22", 22},
      {"value trimmed on both sides", "v = \t x ; y \t \r\n", "v", "x ; y", 0},
      {"first match wins", "a=1\r\nA=2\r\n", "a", "1", 1},
      {"a header hides the keys below", "[G]\r\nSkill=2\r\n", "Skill", "none", -99},
      {"keys above a header still count", "Skill=2\r\n[G]\r\nSkill=3\r\n", "skill", "2", 2},
      {"a comment is no key", ";Skill=3\r\n", "Skill", "none", -99},
      {"key without value", "Skill\r\n", "Skill", "", 0},
      {"key with empty value", "Skill =  \r\n", "SKILL", "", 0},
      {"byte order mark skipped", "\xEF\xBB\xBFSkill=3\r\n", "Skill", "3", 3},
      {"LF only", "a=1\nSkill=2\n", "Skill", "2", 2},
      {"CR only", "a=1\rSkill=2\r", "Skill", "2", 2},
      {"integers use the decimal rule", "c=$1F\r\n", "c", "$1F", 0},
      {"integer with sign and text after", "c=  -4abc\r\n", "c", "-4abc", -4},
      {"case folds only A to Z", "\xC9t\xE9=1\r\n", "\xE9t\xE9", "none", -99},
      {"missing key", "a=1\r\n", "b", "none", -99},
  };
  for (const ReadCase& c : cases) {
    TempFolder folder;
    SettingsStore store;
    store.OpenSettings(folder.Write(kName, c.file));
    EXPECT_EQ(store.ReadSettingText(c.key, "none"), c.text) << c.name;
    EXPECT_EQ(store.ReadSettingInteger(c.key, -99), c.number) << c.name;
  }
}

TEST(SettingsStore, ACycleWithoutWritesLeavesTheFileUntouched) {
  TempFolder folder;
  const std::string original = "  sound=22\n\n;note\n";
  const fs::path path = folder.Write(kName, original);
  {
    SettingsStore store;
    store.OpenSettings(path);
    EXPECT_EQ(store.ReadSettingInteger("Sound", 0), 22);
  }
  EXPECT_EQ(folder.Read(kName), original);
}

// A write of what the file already holds in normal form costs no replacement (and no sync);
// any other write still replaces it.
TEST(SettingsStore, WriteOfWhatTheFileHoldsReplacesNothing) {
  TempFolder folder;
  const fs::path path = folder.Write(kName, "Sound = 22\r\n");
  fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24));
  // The time as the file system keeps it: Windows stores it in steps of 100 ns.
  const auto old = fs::last_write_time(path);
  settings::StoreSetting(path, "Sound", "22");
  EXPECT_EQ(fs::last_write_time(path), old);
  settings::StoreSetting(path, "Sound", "23");
  EXPECT_EQ(folder.Read(kName), "Sound = 23\r\n");
}

TEST(SettingsStore, MissingFileGivesFallbacksAndIsCreatedByTheFirstWrite) {
  TempFolder folder;
  const fs::path path = folder / kName;
  SettingsStore store;
  store.OpenSettings(path);
  EXPECT_TRUE(store.IsOpen());
  EXPECT_EQ(store.ReadSettingText("Custom", "*.wav"), "*.wav");
  store.CloseSettings();
  EXPECT_FALSE(fs::exists(path));

  store.OpenSettings(path);
  store.WriteSettingInteger("MoveFiles", 1);
  store.WriteSettingInteger("DefColor", -1);
  store.CloseSettings();
  EXPECT_EQ(folder.Read(kName), "MoveFiles = 1\r\nDefColor = -1\r\n");
}

TEST(SettingsStore, MissingFolderDropsTheWriteQuietly) {
  TempFolder folder;
  settings::StoreSetting(folder / "absent" / kName, "Skill", "1");
  EXPECT_FALSE(fs::exists(folder / "absent"));
}

TEST(SettingsStore, ClosedStoreGivesFallbacksAndIgnoresWrites) {
  TempFolder folder;
  const fs::path path = folder.Write(kName, "Skill=2\r\n");
  SettingsStore store;
  store.OpenSettings(path);
  store.CloseSettings();
  EXPECT_FALSE(store.IsOpen());
  EXPECT_EQ(store.ReadSettingInteger("Skill", 7), 7);
  store.WriteSettingText("Skill", "3");
  store.CloseSettings();
  EXPECT_EQ(folder.Read(kName), "Skill=2\r\n");
}

TEST(SettingsStore, ReopeningOrDestroyingAStoreWritesBackTheFileStillOpen) {
  TempFolder folder;
  const fs::path second = folder.Write("second.ini", "b=2\r\n");
  {
    SettingsStore store;
    store.OpenSettings(folder / "first.ini");
    store.WriteSettingText("a", "1");
    store.OpenSettings(second);
    EXPECT_EQ(folder.Read("first.ini"), "a = 1\r\n");
    EXPECT_EQ(store.ReadSettingText("a", "none"), "none");
    store.WriteSettingText("HANDLE", "0");
  }
  EXPECT_EQ(folder.Read("second.ini"), "b = 2\r\nHANDLE = 0\r\n");
}

TEST(SettingsStore, ReadOnlyFileKeepsItsReadsAndDropsTheWrites) {
  TempFolder folder;
  const fs::path path = folder.Write(kName, "Skill=2\r\n");
  const std::string read = testing_support::RunWithReadOnly(folder.path(), path, [&] {
    SettingsStore store;
    store.OpenSettings(path);
    std::string read = store.ReadSettingText("Skill", "none");
    store.WriteSettingText("Skill", "3");
    read += " " + store.ReadSettingText("Skill", "none");
    store.CloseSettings();
    return read;
  });
  if (read == testing_support::kStillWritable) GTEST_SKIP() << "read-only files are writable here";
  EXPECT_EQ(read, "2 3");
  EXPECT_EQ(folder.Read(kName), "Skill=2\r\n");
}

TEST(SettingsStore, UnreadableEntryAtThePathIsNeitherReadNorReplaced) {
  TempFolder folder;
  const fs::path path = folder / kName;
  fs::create_directory(path);
  fs::path inside = folder.Write(std::string(kName) + "/keep", "x");
  settings::StoreSetting(path, "Skill", "1");
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_TRUE(fs::exists(inside));
}

TEST(SettingsStore, FolderWithoutRoomForATemporaryFileIsRewrittenInPlace) {
  TempFolder folder;
  const fs::path inner = folder / "ro";
  fs::create_directory(inner);
  const fs::path path = inner / kName;
  folder.Write(std::string("ro/") + kName, "Skill=2\r\nSound=23\r\n");
  const std::string done = testing_support::RunWithReadOnly(folder.path(), inner, [&] {
    settings::StoreSetting(path, "Skill", "1");
    return std::string("stored");
  });
  if (done == testing_support::kStillWritable) GTEST_SKIP() << "read-only folders are writable here";
  EXPECT_EQ(testing_support::ReadFileBytes(path), "Skill = 1\r\nSound = 23\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(inner), fs::directory_iterator()), 1);
}

TEST(SettingsStore, RewriteKeepsTheFilesPermissions) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows files have a read-only mark, not POSIX permission bits";
#endif
  TempFolder folder;
  const fs::path path = folder.Write(kName, "Skill=2\r\n");
  const fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(path, ownerOnly);
  settings::StoreSetting(path, "Skill", "1");
  EXPECT_EQ(fs::status(path).permissions(), ownerOnly);
}

TEST(SettingsStore, FileLargerThanTheCapIsNeitherReadNorRewritten) {
  TempFolder folder;
  for (const size_t size : {settings::kLargestTextFile, settings::kLargestTextFile + 1}) {
    SCOPED_TRACE(size);
    const bool withinCap = size <= settings::kLargestTextFile;
    const fs::path path = folder.Write(kName, "Skill=2\r\n");
    fs::resize_file(path, size);
    {
      SettingsStore store;
      store.OpenSettings(path);
      EXPECT_EQ(store.ReadSettingInteger("Skill", 0), withinCap ? 2 : 0);
    }

    settings::StoreSetting(path, "Sound", "21");

    const std::string bytes = folder.Read(kName);
    EXPECT_EQ(bytes.find("Sound = 21") != std::string::npos, withinCap);
    if (!withinCap) {
      EXPECT_EQ(bytes.size(), size);
      EXPECT_TRUE(bytes.starts_with("Skill=2\r\n"));
    }
  }
}

}  // namespace
