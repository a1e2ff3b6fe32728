// The game's three requests on the help viewer's window, named by the handle the viewer
// recorded in the link file. A handle names the viewer's window only when the one rule of
// viewer_identity.h says so; a handle that names anything else names no window, and nothing
// is ever sent to it.
//
// On Windows the handle is the window's own handle: it must carry the viewer's window class
// and belong to a process running viewerPath's file name. A minimised viewer brought to the
// front is restored as well. On Linux it is the viewer's process id: the window "exists" while
// that process runs the viewer program at viewerPath, and the requests are signals the viewer
// turns into window actions in its event loop (SIGUSR1 brings it to the front, SIGTERM asks
// it to close).
#pragma once

#include <cstdint>
#include <filesystem>

namespace shell {

bool ViewerWindowExists(int64_t handle, const std::filesystem::path& viewerPath);
void BringViewerToFront(int64_t handle, const std::filesystem::path& viewerPath);
void AskViewerToClose(int64_t handle, const std::filesystem::path& viewerPath);

}  // namespace shell
