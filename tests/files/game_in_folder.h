// A game on the scripted platform whose program folder is a fresh temporary folder with its
// "Masters" and "Saves" subfolders, as the file command tests need it.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "common/settings/atomic_file.h"
#include "game/engine/game.h"
#include "game/files/game_file.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace testing_support {

class GameInFolder : public ::testing::Test {
 protected:
  GameInFolder() {
    game.ProgramFolder = folder.path();
    game.MastersFolder = folder / "Masters" / "";
    game.SavesFolder = folder / "Saves" / "";
    std::filesystem::create_directories(game.MastersFolder);
    std::filesystem::create_directories(game.SavesFolder);
  }

  // Writes board as a game file.
  static void WriteBoard(const std::filesystem::path& path, const engine::Board& board) {
    ASSERT_TRUE(settings::WriteFileAtomically(path, files::FormatGameFile(board)));
  }

  std::string SettingsText() const { return ReadFileBytes(game.SettingsPath()); }

  TempFolder folder;
  FakePlatform platform;
  engine::Game game{platform};
};

}  // namespace testing_support
