// The game's side of the help link: it hands topics to the separate help viewer through the
// link file, raises a running viewer or starts a new one, and asks it to quit at shutdown.
#pragma once

#include <string>
#include <string_view>

#include "game/engine/game.h"

namespace help {

// Once per start, before the main window exists: records the help document and title.
void InitHelpLink(engine::Game& game, std::string_view file, std::string_view title);
// Every help command: records the topic ("#Rules") and raises or starts the viewer.
void ShowHelpTopic(engine::Game& game, std::string_view topic);
// Game shutdown: asks a running viewer to quit.
void CloseHelpViewer(engine::Game& game);
// Starts the file as a new process, or opens it with its default application; true on success.
bool StartFile(engine::Platform& platform, const std::string& path);

}  // namespace help
