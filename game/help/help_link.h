// The game's side of the help link: it hands topics to the separate help viewer through the
// link file, raises a running viewer or starts a new one, and asks it to quit at shutdown.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "game/engine/game.h"

namespace help {

// The file names of the two programs; both lie in the game's executable folder.
#ifdef _WIN32
inline constexpr std::string_view kGameProgram = "Tarnwick.exe";
inline constexpr std::string_view kViewerProgram = "Leafview.exe";
#else
inline constexpr std::string_view kGameProgram = "Tarnwick";
inline constexpr std::string_view kViewerProgram = "Leafview";
#endif

// Where the game expects the help viewer: its executable folder + the viewer's file name.
std::filesystem::path ViewerPath(const std::filesystem::path& executableFolder);

// Once per start, before the main window exists: records the help document and title.
void InitHelpLink(engine::Game& game, std::string_view file, std::string_view title);
// Every help command: records the topic ("#Rules") and raises or starts the viewer.
void ShowHelpTopic(engine::Game& game, std::string_view topic);
// Game shutdown: asks a running viewer to quit.
void CloseHelpViewer(engine::Game& game);
// Starts the file as a new process, or opens it with its default application; true on success.
bool StartFile(engine::Platform& platform, const std::string& path);

}  // namespace help
