// Start-up and every file command of the game against hostile files and folders: files of
// 64 GB, subfolders linked back to the program folder. None may end the game, remove an
// old file, or rewrite a file too large to be the game's own.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/settings/file_bytes.h"
#include "game/engine/game.h"
#include "game/shell/app.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using engine::MessageAnswer;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;

constexpr uintmax_t kHuge = uintmax_t{64} << 30;
constexpr std::string_view kHead = "Skill=2\r\nMoveFiles=3\r\n";

// A sparse file of kHuge bytes that starts with kHead: it takes no room on the disk.
void WriteHuge(const TempFolder& folder, std::string_view name) {
  fs::resize_file(folder.Write(name, kHead), kHuge);
}

// The file is still kHuge bytes long and starts with kHead.
void ExpectUntouchedHuge(const fs::path& path) {
  std::error_code error;
  EXPECT_EQ(fs::file_size(path, error), kHuge) << path;
  const auto head = settings::ReadWholeFile(path, kHead.size());
  EXPECT_EQ(head.value_or(""), kHead) << path;
}

void Link(const fs::path& target, const fs::path& link) {
  std::error_code error;
  fs::create_directory_symlink(target, link, error);
  ASSERT_FALSE(error) << link;
}

struct HostileCase {
  std::string name;
  std::function<void(const TempFolder&)> setUp;
  std::string bait;  // what the file requesters answer, relative to the program folder
  std::function<void(const TempFolder&)> check;
};

// Start-up with Yes to the migration question, then every command that reads or writes a
// file, each answered with the bait, and the end of the game.
void PlayThrough(const TempFolder& folder, const std::string& bait) {
  testing_support::FakePlatform platform;
  engine::Game game{platform};
  const std::string baitPath = (folder / bait).string();
  platform.messageAnswers = {MessageAnswer::Yes};
  shell::BeginStartUp(game, folder / "Tarnwick");
  shell::FinishStartUp(game);

  platform.fileAnswers = {baitPath};
  shell::OnMenu(game, engine::MenuLoad);
  platform.fileAnswers = {baitPath};
  shell::OnMenu(game, engine::MenuNew);
  platform.fileAnswers = {baitPath};
  shell::OnMenu(game, engine::MenuSoundLoad);
  platform.colorAnswers = {255};
  shell::OnMenu(game, engine::MenuEmptyBackColor);
  shell::OnMenu(game, engine::MenuSoundOff);
  shell::OnMenu(game, engine::MenuSkillEasy);
  shell::OnMenu(game, engine::MenuCreate);
  shell::OnMenu(game, engine::MenuHelp);
  shell::OnSize(game, 400, 500);
  platform.now += 5000;
  shell::RunChores(game);

  game.Modified = true;
  game.Finished = false;
  platform.messageAnswers = {MessageAnswer::Yes};
  platform.fileAnswers = {(folder / "Saves" / "kept").string()};
  shell::OnMenu(game, engine::MenuExit);
  EXPECT_TRUE(shell::ExitRequested(game));
  shell::ShutdownGame(game);
}

TEST(HostileFilesTest, NoHostileFileEndsTheGameOrIsLostOrRewritten) {
  std::vector<HostileCase> cases = {
      {"subfolders linked back to the program folder",
       [](const TempFolder& folder) {
         folder.Write("a.sms", "master");
         folder.Write("b.ssv", "save");
         Link(".", folder / "Masters");
         Link(".", folder / "Saves");
       },
       "a.sms",
       [](const TempFolder& folder) {
         EXPECT_EQ(folder.Read("a.sms"), "master");
         EXPECT_EQ(folder.Read("b.ssv"), "save");
         EXPECT_TRUE(fs::exists(folder / "kept.ssv"));
       }},
      {"a 64 GB old saved game",
       [](const TempFolder& folder) { WriteHuge(folder, "old.ssv"); },
       "Saves/old.ssv",
       [](const TempFolder& folder) {
         EXPECT_FALSE(fs::exists(folder / "old.ssv"));
         ExpectUntouchedHuge(folder / "Saves" / "old.ssv");
         EXPECT_NE(folder.Read("Tarnwick.ini").find("MoveFiles = 3"), std::string::npos);
         EXPECT_TRUE(fs::exists(folder / "Saves" / "kept.ssv"));
       }},
      {"a 64 GB settings file",
       [](const TempFolder& folder) { WriteHuge(folder, "Tarnwick.ini"); },
       "Tarnwick.ini",
       [](const TempFolder& folder) { ExpectUntouchedHuge(folder / "Tarnwick.ini"); }},
      {"a 64 GB link file",
       [](const TempFolder& folder) { WriteHuge(folder, "Leafview.ini"); },
       "Leafview.ini",
       [](const TempFolder& folder) { ExpectUntouchedHuge(folder / "Leafview.ini"); }},
  };
#ifdef _WIN32
  // Folder links need a privilege that Windows gives only to administrators.
  std::erase_if(cases, [](const HostileCase& c) {
    return c.name == "subfolders linked back to the program folder";
  });
#endif
  for (const HostileCase& hostile : cases) {
    SCOPED_TRACE(hostile.name);
    TempFolder folder;
    hostile.setUp(folder);
    EXPECT_NO_THROW(PlayThrough(folder, hostile.bait));
    hostile.check(folder);
    // Start-up made the program folder current; it is about to be removed.
    fs::current_path(fs::temp_directory_path());
  }
}

// What a game shows and asks of the platform from start-up with the given settings, through
// the commands that compute with them: the start-up puzzle (a complete master, opened as a
// puzzle by the skill), Create answered Yes, a flash of the finished board and a resize.
std::string PlayWithSettings(std::string_view settingsFile) {
  TempFolder folder;
  for (const char* sub : {"Masters", "Saves"}) fs::create_directory(folder / sub);
  folder.Write("Tarnwick.ini", settingsFile);
  const std::string grid =
      "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
  std::string master;
  for (char digit : grid) master += std::string(1, digit) + "\r\n-" + digit + "\r\n0\r\n";
  folder.Write("Masters/complete.sms", master);

  testing_support::FakePlatform platform;
  engine::Game game{platform};
  shell::BeginStartUp(game, folder / "Tarnwick");
  shell::FinishStartUp(game);
  std::string seen;
  const auto look = [&] {
    for (const engine::CellGadget& cell : game.window.cells) {
      seen += (cell.text.empty() ? "." : cell.text) + ":" + std::to_string(cell.backColor) + " ";
    }
    for (bool checked : game.window.menuChecks) seen += checked ? '1' : '0';
    seen += " " + std::to_string(game.window.innerWidth) + "x" +
            std::to_string(game.window.innerHeight) + " " + game.window.title + "\n";
  };
  look();
  game.Finished = true;
  platform.now += 1001;
  shell::RunChores(game);
  look();
  platform.messageAnswers = {MessageAnswer::Yes};
  shell::OnMenu(game, engine::MenuCreate);
  look();
  for (const auto& [width, height] : platform.resizes) {
    seen += "resize " + std::to_string(width) + "x" + std::to_string(height) + "\n";
  }
  seen += "draws";
  for (int draw : platform.randomRequests) seen += " " + std::to_string(draw);
  fs::current_path(fs::temp_directory_path());
  return seen;
}

// Settings edited by hand to the ends of their range, in every spelling the number rules take,
// are read through the game's own reads and used without overflow: the game then does what it
// does with the value clamped. The other numeric keys hold hostile values in every row.
TEST(HostileSettingsTest, OutOfRangeValuesActAsClampedOnes) {
  const std::string others =
      "MoveFiles = 3\r\nDefColor = $7FFFFFFF\r\nHIColor = -2147483648\r\n"
      "MarkColor = %11111111111111111111111111111111\r\nMasterColor = $80000000\r\n"
      "NumberColor = 99999999999999999999\r\nHintColor = -1\r\nSound = 2147483647\r\n"
      "WinSound = -2147483648\r\nLastSave = 2147483647\r\n";
  const struct {
    const char* hostile;
    const char* clamped;
  } cases[] = {
      {"Skill = 2147483647", "Skill = 1000"},
      {"Skill = -2147483648", "Skill = -1000"},
      {"Skill = 99999999999", "Skill = 1000"},  // the low 32 bits: 1215752191
      {"Skill = -99999999999", "Skill = -1000"},
      {"Skill = 2\r\nWidth = $7FFFFFFF\r\nHeight = %1111111111111111111111111111111",
       "Skill = 2\r\nWidth = 16384\r\nHeight = 16384"},
      {"Skill = 1\r\nWidth = -2147483648\r\nHeight = 2147483647",
       "Skill = 1\r\nWidth = -1\r\nHeight = 16384"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hostile);
    const std::string hostile = PlayWithSettings(others + c.hostile + "\r\n");
    EXPECT_EQ(hostile, PlayWithSettings(others + c.clamped + "\r\n"));
  }
  // Far beyond either end, the skill empties every cell it may or none.
  EXPECT_NE(PlayWithSettings(others + "Skill = 2147483647\r\n"),
            PlayWithSettings(others + "Skill = -2147483648\r\n"));
}

}  // namespace
