// The colour and sound options: their commands, what they store, the Sound menu's check
// marks and the start-up reading with its fallbacks.
#include "game/files/options.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/files/game_in_folder.h"

namespace {

using testing_support::GameInFolder;

class OptionsTest : public GameInFolder {
 protected:
  // The ids of the checked Sound menu items, in id order.
  std::vector<int> SoundChecks() const {
    std::vector<int> checked;
    for (int id = engine::MenuSoundOn; id <= engine::MenuWinSoundCustom; ++id) {
      if (game.window.menuChecks[id]) checked.push_back(id);
    }
    return checked;
  }

  void ReadSounds(std::string_view settingsText) {
    folder.Write("Tarnwick.ini", settingsText);
    settings::SettingsStore store;
    store.OpenSettings(game.SettingsPath());
    files::ReadSoundSettings(game, store);
  }

  std::string PlayableSound(std::string_view name) {
    const std::string path = folder.Write(name, "RIFF").string();
    platform.playableSounds.insert(path);
    return path;
  }

  // DefColor, HIColor, MarkColor, MasterColor, NumberColor, HintColor.
  std::vector<engine::Rgb> Colors() const {
    return {game.DefColor,    game.HIColor,     game.MarkColor,
            game.MasterColor, game.NumberColor, game.HintColor};
  }

  std::vector<testing_support::ShownMessage> SoundErrors() const {
    return platform.MessagesTitled("Brindle's Deradu");
  }
};

TEST_F(OptionsTest, EachColorCommandStoresItsKeyPresetToTheCurrentColor) {
  struct Row {
    int menuId;
    std::string key;
    size_t index;  // in Colors()
  };
  const std::vector<Row> rows = {
      {engine::MenuEmptyBackColor, "DefColor", 0},
      {engine::MenuHighlightBackColor, "HIColor", 1},
      {engine::MenuMarkingBackColor, "MarkColor", 2},
      {engine::MenuMasterBackColor, "MasterColor", 3},
      {engine::MenuNumberBackColor, "NumberColor", 4},
      {engine::MenuHintColor, "HintColor", 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    std::filesystem::remove(game.SettingsPath());
    platform.colorRequests.clear();
    game.DefColor = engine::kDefaultColor;
    game.HIColor = 11;
    game.MarkColor = 12;
    game.MasterColor = 13;
    game.NumberColor = 14;
    game.HintColor = 15;
    std::vector<engine::Rgb> expected = Colors();
    expected[row.index] = 123456;
    platform.colorAnswers = {123456};

    files::ColorCommand(game, row.menuId);

    ASSERT_EQ(platform.colorRequests.size(), 1u);
    // The default colour presets black.
    EXPECT_EQ(platform.colorRequests[0], row.index == 0 ? 0 : 10 + static_cast<int>(row.index));
    EXPECT_EQ(Colors(), expected);
    EXPECT_EQ(SettingsText(), row.key + " = 123456\r\n");
  }
}

TEST_F(OptionsTest, CancelledColorChangesAndStoresNothing) {
  game.MasterColor = 42;
  game.window.cells[0] = {"5", 0, 7, -5};

  files::ColorCommand(game, engine::MenuMasterBackColor);

  EXPECT_EQ(game.MasterColor, 42);
  EXPECT_EQ(game.window.cells[0].backColor, 7);
  EXPECT_FALSE(std::filesystem::exists(game.SettingsPath()));
}

TEST_F(OptionsTest, NewColorRepaintsFilledCellsOnly) {
  game.window.cells[0] = {"5", 0, 1, -5};   // a given
  game.window.cells[1] = {"3", 255, 1, 0};  // a player's digit
  game.window.cells[2] = {"", 0, 1, 0};     // empty
  platform.colorAnswers = {99, 77};

  files::ColorCommand(game, engine::MenuMasterBackColor);
  files::ColorCommand(game, engine::MenuEmptyBackColor);

  EXPECT_EQ(game.window.cells[0].backColor, 99);
  EXPECT_EQ(game.window.cells[1].backColor, game.NumberColor);
  EXPECT_EQ(game.window.cells[2].backColor, 1);
  EXPECT_EQ(game.DefColor, 77);
}

TEST_F(OptionsTest, OffSwitchesTheWinSoundOffAndStoresBothKeys) {
  game.Sound = engine::MenuSoundLoad;
  game.WinSound = engine::MenuWinSoundCustom;
  game.window.menuChecks[engine::MenuSoundOn] = true;
  game.window.menuChecks[engine::MenuSoundLoad] = true;
  game.window.menuChecks[engine::MenuWinSoundCustom] = true;

  files::SoundCommand(game, engine::MenuSoundOff);

  EXPECT_EQ(game.Sound, engine::MenuSoundOff);
  EXPECT_EQ(game.WinSound, engine::MenuWinSoundOff);
  // The source of the error sound stays marked for a later "On".
  EXPECT_EQ(SoundChecks(), (std::vector<int>{engine::MenuSoundOff, engine::MenuSoundLoad,
                                             engine::MenuWinSoundOff}));
  EXPECT_EQ(SettingsText(), "Sound = 21\r\nWinSound = 24\r\n");
  EXPECT_EQ(platform.soundsStopped, (std::vector<int>{0, 1}));
}

TEST_F(OptionsTest, OnTakesTheCustomSoundOnlyWhenLoadIsChecked) {
  ReadSounds("Sound = 21\r\nCustom = /sounds/mine.wav\r\n");
  files::SoundCommand(game, engine::MenuSoundOn);
  EXPECT_EQ(game.Sound, engine::MenuSoundDefault);
  EXPECT_EQ(SoundChecks(), (std::vector<int>{engine::MenuSoundOn, engine::MenuSoundDefault,
                                             engine::MenuWinSoundOff}));
  EXPECT_TRUE(platform.loadedSounds.empty());

  game.window.menuChecks[engine::MenuSoundLoad] = true;
  game.window.menuChecks[engine::MenuSoundDefault] = false;
  files::SoundCommand(game, engine::MenuSoundOn);
  EXPECT_EQ(game.Sound, engine::MenuSoundLoad);
  EXPECT_EQ(SettingsText(), "Sound = 22\r\nCustom = /sounds/mine.wav\r\n");
}

TEST_F(OptionsTest, LoadedSoundIsChosenAndStoredSoundFirst) {
  const std::string path = PlayableSound("beep.wav");
  platform.fileAnswers = {path};

  files::SoundCommand(game, engine::MenuSoundLoad);

  ASSERT_EQ(platform.fileRequests.size(), 1u);
  const engine::FileRequest& request = platform.fileRequests[0];
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.title, "Select Sound to use");
  EXPECT_EQ(request.filter, "*.wav|*.wav|*.*|*.*");
  EXPECT_EQ(request.initialFolder, "");
  EXPECT_EQ(request.initialName, "");
  EXPECT_EQ(platform.loadedSounds[0], path);
  EXPECT_EQ(game.Sound, engine::MenuSoundLoad);
  EXPECT_EQ(game.Custom, path);
  EXPECT_EQ(SoundChecks(), (std::vector<int>{engine::MenuSoundOn, engine::MenuSoundLoad}));
  EXPECT_EQ(SettingsText(), "Sound = 22\r\nCustom = " + path + "\r\n");

  // The next choice starts where this one was made.
  files::SoundCommand(game, engine::MenuSoundLoad);
  EXPECT_EQ(platform.fileRequests[1].initialFolder, folder.path().string());
  EXPECT_EQ(platform.fileRequests[1].initialName, "beep.wav");
}

TEST_F(OptionsTest, UnloadableSoundIsReportedAndChangesNothing) {
  const std::string bad = folder.Write("bad.wav", "not a sound").string();
  struct Row {
    int menuId;
    int slot;
  };
  for (const Row& row :
       std::vector<Row>{{engine::MenuSoundLoad, 0}, {engine::MenuWinSoundCustom, 1}}) {
    SCOPED_TRACE(row.menuId);
    platform.messages.clear();
    platform.fileAnswers = {bad};

    files::SoundCommand(game, row.menuId);

    const auto errors = SoundErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, "Unable to load sound\n" + bad);
    EXPECT_EQ(errors[0].icon, engine::MessageIcon::Error);
    EXPECT_EQ(errors[0].buttons, engine::MessageButtons::Ok);
  }
  EXPECT_EQ(game.Sound, engine::MenuSoundDefault);
  EXPECT_EQ(game.WinSound, engine::MenuWinSoundOff);
  EXPECT_EQ(game.Custom, "*.wav");
  EXPECT_EQ(game.WinCustom, "*.wav");
  EXPECT_FALSE(std::filesystem::exists(game.SettingsPath()));
}

TEST_F(OptionsTest, CancelledSoundRequesterChangesNothing) {
  files::SoundCommand(game, engine::MenuSoundLoad);
  files::SoundCommand(game, engine::MenuWinSoundCustom);

  EXPECT_EQ(platform.fileRequests.size(), 2u);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(game.SettingsPath()));
}

TEST_F(OptionsTest, WinSoundItemsCheckOneOfThreeAndStoreIt) {
  const std::string path = PlayableSound("tada.wav");
  platform.fileAnswers = {path};

  files::SoundCommand(game, engine::MenuWinSoundCustom);
  EXPECT_EQ(platform.loadedSounds[1], path);
  EXPECT_EQ(SoundChecks(), std::vector<int>{engine::MenuWinSoundCustom});
  EXPECT_EQ(SettingsText(), "WinSound = 26\r\nWinCustom = " + path + "\r\n");

  files::SoundCommand(game, engine::MenuWinSoundDefault);
  EXPECT_EQ(game.WinSound, engine::MenuWinSoundDefault);
  EXPECT_EQ(SoundChecks(), std::vector<int>{engine::MenuWinSoundDefault});
  EXPECT_EQ(SettingsText(), "WinSound = 25\r\nWinCustom = " + path + "\r\n");
  EXPECT_EQ(platform.soundsStopped, std::vector<int>{1});
}

TEST_F(OptionsTest, StartUpSetsTheSoundsAndTheirCheckMarks) {
  const std::string good = PlayableSound("good.wav");
  const std::string bad = folder.Write("bad.wav", "text").string();
  struct Row {
    std::string settings;
    int sound;
    int winSound;
    std::vector<int> checks;
    std::vector<std::string> errors;  // paths named by error boxes
  };
  using engine::MenuSoundDefault, engine::MenuSoundLoad, engine::MenuSoundOff, engine::MenuSoundOn,
      engine::MenuWinSoundCustom, engine::MenuWinSoundDefault, engine::MenuWinSoundOff;
  const std::vector<int> onDefault = {MenuSoundOn, MenuSoundDefault};
  const std::string custom = "Sound = 22\r\nCustom = ";
  const std::string winCustom = "WinSound = 26\r\nWinCustom = ";
  const auto plus = [](std::vector<int> checks, int id) {
    checks.push_back(id);
    return checks;
  };
  const std::vector<Row> rows = {
      {"", 23, 24, plus(onDefault, MenuWinSoundOff), {}},
      {"Sound = 20\r\n", 23, 24, plus(onDefault, MenuWinSoundOff), {}},
      {"Sound = 21\r\nWinSound = 25\r\n", 21, 25, {MenuSoundOff, MenuWinSoundDefault}, {}},
      {"Sound = 22\r\n", 23, 24, plus(onDefault, MenuWinSoundOff), {}},
      {custom + good + "\r\n", 22, 24, {MenuSoundOn, MenuSoundLoad, MenuWinSoundOff}, {}},
      {custom + bad + "\r\n", 23, 24, plus(onDefault, MenuWinSoundOff), {bad}},
      {"Sound = 99\r\nWinSound = 99\r\n", 99, 99, {}, {}},
      {winCustom + good + "\r\n", 23, 26, plus(onDefault, MenuWinSoundCustom), {}},
      {winCustom + bad + "\r\n", 23, 25, plus(onDefault, MenuWinSoundDefault), {bad}},
      {"WinSound = 26\r\n", 23, 25, plus(onDefault, MenuWinSoundDefault), {"*.wav"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.settings);
    platform.messages.clear();
    game.window.menuChecks.fill(false);

    ReadSounds(row.settings);

    EXPECT_EQ(game.Sound, row.sound);
    EXPECT_EQ(game.WinSound, row.winSound);
    EXPECT_EQ(SoundChecks(), row.checks);
    std::vector<std::string> named;
    for (const auto& error : SoundErrors()) {
      named.push_back(error.text.substr(std::string("Unable to load sound\n").size()));
    }
    EXPECT_EQ(named, row.errors);
    // A fallback holds for this run only.
    EXPECT_EQ(SettingsText(), row.settings);
  }
}

TEST_F(OptionsTest, StartUpReadsTheColorsWithTheirDefaults) {
  struct Row {
    std::string settings;
    std::vector<engine::Rgb> colors;  // Def, HI, Mark, Master, Number, Hint
  };
  const std::vector<Row> rows = {
      {"", {-1, 8487297, 255, -1, -1, -1}},
      {"DefColor = 4096\r\n", {4096, 8487297, 255, 4096, 4096, 4096}},
      {"MarkColor = $FF00\r\nHintColor = abc\r\nNumberColor =  -7\r\n",
       {-1, 8487297, 0xFF00, -1, -7, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.settings);
    folder.Write("Tarnwick.ini", row.settings);
    settings::SettingsStore store;
    store.OpenSettings(game.SettingsPath());

    files::ReadColorSettings(game, store);

    EXPECT_EQ(Colors(), row.colors);
  }
}

}  // namespace
