// The game's three requests on the help viewer's window, named by the handle the viewer
// recorded in the link file. On Windows the handle is the window's own handle. On Linux it is
// the viewer's process id: the window "exists" while that process runs the viewer program at
// viewerPath, and the requests are signals the viewer turns into window actions in its event
// loop (SIGUSR1 brings it to the front, SIGTERM asks it to close). A handle that names any
// other process names no window: nothing is ever sent to it.
#pragma once

#include <cstdint>
#include <filesystem>

namespace shell {

bool ViewerWindowExists(int64_t handle, const std::filesystem::path& viewerPath);
void BringViewerToFront(int64_t handle, const std::filesystem::path& viewerPath);
void AskViewerToClose(int64_t handle, const std::filesystem::path& viewerPath);

}  // namespace shell
