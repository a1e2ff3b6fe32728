// The colour and sound options: the Colors and Sound menu commands, Hint > Color, and the
// start-up reading of the colours and sounds with the Sound menu's check marks.
#include "game/files/options.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/settings/number_text.h"
#include "common/settings/path_text.h"
#include "game/engine/cells.h"

namespace files {
namespace {

using engine::Game;

constexpr std::string_view kNoSoundChosen = "*.wav";
constexpr std::string_view kSoundFilter = "*.wav|*.wav|*.*|*.*";

// Sound slots of the platform.
constexpr int kErrorSlot = 0;
constexpr int kWinSlot = 1;

struct ColorOption {
  int menuId;
  std::string_view key;
  engine::Rgb Game::*value;
};

constexpr ColorOption kColorOptions[] = {
    {engine::MenuEmptyBackColor, "DefColor", &Game::DefColor},
    {engine::MenuMasterBackColor, "MasterColor", &Game::MasterColor},
    {engine::MenuNumberBackColor, "NumberColor", &Game::NumberColor},
    {engine::MenuHighlightBackColor, "HIColor", &Game::HIColor},
    {engine::MenuMarkingBackColor, "MarkColor", &Game::MarkColor},
    {engine::MenuHintColor, "HintColor", &Game::HintColor},
};

// A numeric setting read by the number rule, with its default.
int32_t ReadNumber(const settings::SettingsStore& store, std::string_view key, int32_t fallback) {
  return settings::ParseNumber(store.ReadSettingText(key, settings::FormatNumber(fallback)));
}

void Store(Game& game, std::string_view key, std::string_view value) {
  settings::StoreSetting(game.SettingsPath(), key, value);
}

void StoreNumber(Game& game, std::string_view key, int32_t value) {
  Store(game, key, settings::FormatNumber(value));
}

// Checks one item of a check-mark group and unchecks its partners.
void CheckOnly(Game& game, int checked, std::initializer_list<int> group) {
  for (int id : group) game.window.menuChecks[id] = id == checked;
}

void CheckSoundSwitch(Game& game, int checked) {
  CheckOnly(game, checked, {engine::MenuSoundOn, engine::MenuSoundOff});
}
void CheckSoundSource(Game& game, int checked) {
  CheckOnly(game, checked, {engine::MenuSoundLoad, engine::MenuSoundDefault});
}
void CheckWinSound(Game& game, int checked) {
  CheckOnly(game, checked,
            {engine::MenuWinSoundOff, engine::MenuWinSoundDefault, engine::MenuWinSoundCustom});
}

void ShowLoadFailure(Game& game, const std::string& path) {
  game.platform.ShowMessage("Brindle's Deradu", "Unable to load sound\n" + path,
                            engine::MessageIcon::Error, engine::MessageButtons::Ok);
}

// Loads a sound into its slot, telling the player when the file is no playable WAV.
bool LoadSoundOrTell(Game& game, int slot, const std::string& path) {
  if (game.platform.LoadSound(slot, path)) return true;
  ShowLoadFailure(game, path);
  return false;
}

// The sound requester, opening in the folder of the current choice when there is one.
std::string AskSoundFile(Game& game, const std::string& currentPath) {
  engine::FileRequest request;
  request.title = "Select Sound to use";
  request.filter = kSoundFilter;
  if (currentPath != kNoSoundChosen) {
    const std::filesystem::path current = settings::PathFromUtf8(currentPath);
    request.initialFolder = settings::Utf8FromPath(current.parent_path());
    request.initialName = settings::Utf8FromPath(current.filename());
  }
  return game.platform.AskFileName(request);
}

void ChooseWinSound(Game& game, int winSound) {
  game.WinSound = winSound;
  CheckWinSound(game, winSound);
  game.platform.StopSound(kWinSlot);
  StoreNumber(game, "WinSound", winSound);
}

void SoundOn(Game& game) {
  if (game.window.menuChecks[engine::MenuSoundLoad]) {
    game.Sound = engine::MenuSoundLoad;
  } else {
    game.Sound = engine::MenuSoundDefault;
    CheckSoundSource(game, engine::MenuSoundDefault);
  }
  CheckSoundSwitch(game, engine::MenuSoundOn);
  StoreNumber(game, "Sound", game.Sound);
}

void SoundOff(Game& game) {
  game.Sound = engine::MenuSoundOff;
  CheckSoundSwitch(game, engine::MenuSoundOff);
  game.platform.StopSound(kErrorSlot);
  StoreNumber(game, "Sound", game.Sound);
  ChooseWinSound(game, engine::MenuWinSoundOff);
}

void LoadErrorSound(Game& game) {
  const std::string path = AskSoundFile(game, game.Custom);
  if (path.empty() || !LoadSoundOrTell(game, kErrorSlot, path)) return;
  game.Custom = path;
  game.Sound = engine::MenuSoundLoad;
  CheckSoundSource(game, engine::MenuSoundLoad);
  CheckSoundSwitch(game, engine::MenuSoundOn);
  StoreNumber(game, "Sound", game.Sound);
  Store(game, "Custom", game.Custom);
}

void DefaultErrorSound(Game& game) {
  game.Sound = engine::MenuSoundDefault;
  CheckSoundSource(game, engine::MenuSoundDefault);
  CheckSoundSwitch(game, engine::MenuSoundOn);
  StoreNumber(game, "Sound", game.Sound);
  game.platform.StopSound(kErrorSlot);
}

void LoadWinSound(Game& game) {
  const std::string path = AskSoundFile(game, game.WinCustom);
  if (path.empty() || !LoadSoundOrTell(game, kWinSlot, path)) return;
  game.WinCustom = path;
  game.WinSound = engine::MenuWinSoundCustom;
  CheckWinSound(game, engine::MenuWinSoundCustom);
  StoreNumber(game, "WinSound", game.WinSound);
  Store(game, "WinCustom", game.WinCustom);
}

}  // namespace

void ColorCommand(Game& game, int menuId) {
  for (const ColorOption& option : kColorOptions) {
    if (option.menuId != menuId) continue;
    engine::Rgb& value = game.*option.value;
    const auto chosen = game.platform.AskColor(value == engine::kDefaultColor ? 0 : value);
    if (!chosen) return;
    StoreNumber(game, option.key, *chosen);
    value = *chosen;
    engine::RepaintCells(game);
    return;
  }
}

void SoundCommand(Game& game, int menuId) {
  switch (menuId) {
    case engine::MenuSoundOn: SoundOn(game); break;
    case engine::MenuSoundOff: SoundOff(game); break;
    case engine::MenuSoundLoad: LoadErrorSound(game); break;
    case engine::MenuSoundDefault: DefaultErrorSound(game); break;
    case engine::MenuWinSoundOff:
    case engine::MenuWinSoundDefault: ChooseWinSound(game, menuId); break;
    case engine::MenuWinSoundCustom: LoadWinSound(game); break;
    default: break;
  }
}

void ReadSoundSettings(Game& game, const settings::SettingsStore& store) {
  game.Sound = ReadNumber(store, "Sound", engine::MenuSoundDefault);
  if (game.Sound == engine::MenuSoundOn) game.Sound = engine::MenuSoundDefault;
  game.Custom = store.ReadSettingText("Custom", kNoSoundChosen);
  // Choices that cannot be had fall back for this run only; the file keeps what it holds.
  switch (game.Sound) {
    case engine::MenuSoundOff:
      CheckSoundSwitch(game, engine::MenuSoundOff);
      break;
    case engine::MenuSoundLoad:
      CheckSoundSwitch(game, engine::MenuSoundOn);
      if (game.Custom != kNoSoundChosen && LoadSoundOrTell(game, kErrorSlot, game.Custom)) {
        CheckSoundSource(game, engine::MenuSoundLoad);
      } else {
        game.Sound = engine::MenuSoundDefault;
        CheckSoundSource(game, engine::MenuSoundDefault);
      }
      break;
    case engine::MenuSoundDefault:
      CheckSoundSwitch(game, engine::MenuSoundOn);
      CheckSoundSource(game, engine::MenuSoundDefault);
      break;
    default:
      break;
  }

  game.WinSound = ReadNumber(store, "WinSound", engine::MenuWinSoundOff);
  game.WinCustom = store.ReadSettingText("WinCustom", kNoSoundChosen);
  switch (game.WinSound) {
    case engine::MenuWinSoundOff:
    case engine::MenuWinSoundDefault:
      CheckWinSound(game, game.WinSound);
      break;
    case engine::MenuWinSoundCustom:
      if (!LoadSoundOrTell(game, kWinSlot, game.WinCustom)) {
        game.WinSound = engine::MenuWinSoundDefault;
      }
      CheckWinSound(game, game.WinSound);
      break;
    default:
      break;
  }
}

void ReadColorSettings(Game& game, const settings::SettingsStore& store) {
  game.DefColor = ReadNumber(store, "DefColor", game.window.cells[0].backColor);
  game.HIColor = ReadNumber(store, "HIColor", engine::RgbOf(129, 129, 129));
  game.MarkColor = ReadNumber(store, "MarkColor", engine::RgbOf(255, 0, 0));
  game.MasterColor = ReadNumber(store, "MasterColor", game.DefColor);
  game.NumberColor = ReadNumber(store, "NumberColor", game.DefColor);
  game.HintColor = ReadNumber(store, "HintColor", game.DefColor);
}

}  // namespace files
