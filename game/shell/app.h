// Start-up, event dispatch and shutdown of the game, without any window system: the Qt
// shell turns widget events into these calls and renders game.window after each of them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "game/engine/game.h"

namespace shell {

// Start-up, first half: folders, the help link, and the window state at its base size.
// The shell then builds and shows the main window from game.window.
void BeginStartUp(engine::Game& game, const std::filesystem::path& executablePath);
// Start-up, second half, with the window showing: tool state, sounds, settings, folder
// migration and the start-up puzzle. The event loop follows.
void FinishStartUp(engine::Game& game);

// Events of the loop. Each runs to completion; RunChores follows every event and the chore
// timer, storing the window size, flashing a finished board and closing the sound device
// once it is silent.
void OnMenu(engine::Game& game, int menuId);
void OnGadgetClick(engine::Game& game, int gadgetId);
void OnCellFocus(engine::Game& game, int k);
void OnCellChange(engine::Game& game, int k, std::string_view text);
void OnSize(engine::Game& game, int innerWidth, int innerHeight);
void RunChores(engine::Game& game);
// Milliseconds from now until RunChores has work to do (0: at once), or nothing while no
// chore is due. After each event the shells arm one single-shot timer for it, and none when
// nothing is due, so that the game sleeps while nothing happens.
std::optional<uint32_t> NextChoreDelay(const engine::Game& game);

// The close box or Alt+F4, and Game > Exit: true when the game may end (the save question
// was not cancelled). Exit is delivered through OnMenu and reported by ExitRequested.
bool OnCloseRequest(engine::Game& game);
bool ExitRequested(const engine::Game& game);
// After the loop: asks a running help viewer to quit.
void ShutdownGame(engine::Game& game);

}  // namespace shell
