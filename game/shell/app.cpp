// Start-up, event dispatch and shutdown of the game, without any window system.
#include "game/shell/app.h"

#include <algorithm>

#include "common/settings/atomic_file.h"
#include "common/settings/data_folder.h"
#include "common/settings/number_text.h"
#include "common/settings/settings_store.h"
#include "game/engine/cells.h"
#include "game/engine/create.h"
#include "game/engine/entry.h"
#include "game/engine/hints.h"
#include "game/engine/solver.h"
#include "game/files/folders.h"
#include "game/files/game_file.h"
#include "game/files/library.h"
#include "game/files/load_save.h"
#include "game/files/options.h"
#include "game/help/about_box.h"
#include "game/help/help_link.h"
#include "game/shell/layout.h"

namespace shell {
namespace {

using namespace engine;

constexpr uint32_t kSizeStoreDelay = 1000;
// While the sound device is open the chores look this often whether it has fallen silent,
// so that it closes within a second of the last sound's end.
constexpr uint32_t kSoundCheckInterval = 1000;
constexpr int kLargestInnerSize = 16384;

// A skill outside 0 to 3, edited by hand, checks no item; the sum is taken on the item's side
// so that no skill can overflow it.
void CheckSkill(Game& game) {
  for (int id = MenuSkillDefault; id <= MenuSkillSuperEasy; ++id) {
    game.window.menuChecks[id] = id - MenuSkillDefault == game.Skill;
  }
}

void SelectSkill(Game& game, int menuId) {
  game.Skill = menuId - MenuSkillDefault;
  settings::StoreSetting(game.SettingsPath(), "Skill", settings::FormatNumber(game.Skill));
  CheckSkill(game);
}

// Create, and the board shown after it.
void CreateCommand(Game& game) {
  if (!files::Guard(game)) return;
  ClearCells(game);
  CreatePuzzle(game, files::FileNumberedMaster);
  ShowNewBoard(game);
}

}  // namespace

void BeginStartUp(Game& game, const std::filesystem::path& executablePath) {
  game.ExecutableFolder = executablePath.parent_path();
  game.ProgramFolder = settings::DataFolder(game.ExecutableFolder);
  files::SetUpFolders(game);
  help::InitHelpLink(game, "deradu.htm", "Brindle's Deradu Help");
  game.window.title = std::string(kStartTitle);
  SetHintMode(game, MenuHintsOff);
  LayoutBoard(game, kBaseWidth, kBaseHeight);
}

void FinishStartUp(Game& game) {
  Platform& platform = game.platform;
  SelectColor(game, 0);
  game.window.numberPressed[0] = true;
  // The tool state is on the screen before the sound start-up, which can take a while.
  platform.RenderMainWindow();
  platform.InitSound();

  settings::SettingsStore store;
  store.OpenSettings(game.SettingsPath());
  game.Skill = store.ReadSettingInteger("Skill", 0);
  CheckSkill(game);
  files::ReadSoundSettings(game, store);
  platform.FlushEvents();

  int width = settings::ParseNumber(store.ReadSettingText("Width", "0"));
  int height = settings::ParseNumber(store.ReadSettingText("Height", "0"));
  if (width != 0) {
    // A hand-edited size beyond any screen, or below zero, must not ask for an impossible
    // window.
    width = std::clamp(width, 0, kLargestInnerSize);
    height = std::clamp(height, 0, kLargestInnerSize);
    platform.ResizeMainWindow(width, height);
    game.window.innerWidth = width;
    game.window.innerHeight = height;
    LayoutBoard(game, width, height);
  }
  // The restored layout and the skill's check mark, before the folders and the start-up
  // puzzle are looked at.
  platform.RenderMainWindow();
  platform.FlushEvents();

  files::ReadColorSettings(game, store);
  files::MigrateOldFiles(game, store);
  files::CopyLibrary(game, store);
  game.LastSave = store.ReadSettingText("LastSave", "000");
  store.CloseSettings();
  // The folders the game and the viewer write to (the link file lies beside the programs).
  for (const std::filesystem::path& folder : {game.SettingsPath().parent_path(),
                                              game.ExecutableFolder, game.MastersFolder,
                                              game.SavesFolder}) {
    settings::RemoveLeftoverTemporaryFiles(folder);
  }

  files::ChooseStartupPuzzle(game);
  game.ResizeStamp = 0;
  game.nextFlashTime = platform.TickCount();
}

void OnMenu(Game& game, int menuId) {
  switch (menuId) {
    case MenuNew: files::NewCommand(game); break;
    case MenuLoad: files::LoadCommand(game); break;
    case MenuSave: files::SaveCommand(game); break;
    case MenuSkillDefault:
    case MenuSkillMedium:
    case MenuSkillEasy:
    case MenuSkillSuperEasy: SelectSkill(game, menuId); break;
    case MenuEmptyBackColor:
    case MenuMasterBackColor:
    case MenuNumberBackColor:
    case MenuHighlightBackColor:
    case MenuMarkingBackColor:
    case MenuHintColor: files::ColorCommand(game, menuId); break;
    case MenuCreate: CreateCommand(game); break;
    case MenuEnter:
      if (files::Guard(game)) BeginEnterMode(game);
      break;
    case MenuSolve:
      if (files::Guard(game)) RunSolve(game);
      break;
    case MenuExit:
      if (files::Guard(game)) game.exitRequested = true;
      break;
    case MenuUndo: Undo(game); break;
    case MenuDeleteNumber: DeleteNumber(game); break;
    case MenuDeleteColor: DeleteColor(game); break;
    case MenuResetGame: ResetGame(game); break;
    case MenuSoundOn:
    case MenuSoundOff:
    case MenuSoundLoad:
    case MenuSoundDefault:
    case MenuWinSoundOff:
    case MenuWinSoundDefault:
    case MenuWinSoundCustom: files::SoundCommand(game, menuId); break;
    case MenuRules: help::ShowHelpTopic(game, "#Rules"); break;
    case MenuHelp: help::ShowHelpTopic(game, "#Contents"); break;
    case MenuOptions: help::ShowHelpTopic(game, "#Game"); break;
    case MenuAbout: help::ShowAboutBox(game); break;
    case MenuHints: ShowHints(game); break;
    case MenuAcceptHints: AcceptHints(game); break;
    case MenuHintsOff: HintsOff(game); break;
    default: break;
  }
}

void OnGadgetClick(Game& game, int gadgetId) {
  if (gadgetId >= kFirstColumnButton && gadgetId < kColorLabel) {
    ToggleLine(game, gadgetId - kFirstColumnButton);
  } else if (gadgetId >= kFirstNumberButton && gadgetId <= kClearButton) {
    SelectNumber(game, gadgetId - kFirstNumberButton + 1);
  } else if (gadgetId >= kFirstColorButton && gadgetId < kMarkButton) {
    SelectColor(game, gadgetId - kFirstColorButton);
  } else if (gadgetId == kMarkButton) {
    ToggleMarking(game);
  }
}

void OnCellFocus(Game& game, int k) {
  if (game.HintMode == MenuHintsOff) {
    EnterSelectedNumber(game, k);
  } else {
    ShowHintOnFocus(game, k);
  }
}

void OnCellChange(Game& game, int k, std::string_view text) {
  // While hints are shown typing enters nothing; the shell puts the cell's text back.
  if (game.HintMode == MenuHintsOff) EnterTypedText(game, k, text);
}

void OnSize(Game& game, int innerWidth, int innerHeight) {
  game.window.innerWidth = innerWidth;
  game.window.innerHeight = innerHeight;
  uint32_t now = game.platform.TickCount();
  game.ResizeStamp = now != 0 ? now : 1;
  LayoutBoard(game, 0, 0);
}

void RunChores(Game& game) {
  if (game.ResizeStamp != 0 && game.platform.TickCount() - game.ResizeStamp > kSizeStoreDelay) {
    game.ResizeStamp = 0;
    const std::filesystem::path path = game.SettingsPath();
    settings::StoreSetting(path, "Width", settings::FormatNumber(game.window.innerWidth));
    settings::StoreSetting(path, "Height", settings::FormatNumber(game.window.innerHeight));
  }
  FlashStep(game);
  game.soundDeviceOpen = game.platform.CloseSoundWhenSilent();
}

std::optional<uint32_t> NextChoreDelay(const Game& game) {
  std::optional<uint32_t> delay;
  auto due = [&delay](uint32_t milliseconds) {
    delay = delay ? std::min(*delay, milliseconds) : milliseconds;
  };
  const uint32_t now = game.platform.TickCount();
  // Tick counts wrap after about 49 days; compare by difference.
  if (game.ResizeStamp != 0) {
    const uint32_t waited = now - game.ResizeStamp;
    due(waited > kSizeStoreDelay ? 0 : kSizeStoreDelay + 1 - waited);
  }
  if (game.Finished) {
    const int32_t left = static_cast<int32_t>(game.nextFlashTime - now);
    due(left < 0 ? 0 : static_cast<uint32_t>(left) + 1);
  }
  if (game.soundDeviceOpen) due(kSoundCheckInterval);
  return delay;
}

bool OnCloseRequest(Game& game) { return files::Guard(game); }

bool ExitRequested(const Game& game) { return game.exitRequested; }

void ShutdownGame(Game& game) { help::CloseHelpViewer(game); }

}  // namespace shell
