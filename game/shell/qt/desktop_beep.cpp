// The desktop's event sounds, played by the freedesktop sound-theme player where it is
// installed (canberra-gtk-play on Linux desktops).
#include "game/shell/qt/desktop_beep.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "common/settings/path_text.h"
#endif

namespace shell {

#ifdef _WIN32

// Windows rings its own system sounds through the caller's bell.
bool PlayDesktopBeep(engine::Beep) { return false; }

#else

namespace {

// The player's full path, looked up once along PATH; empty when it is not installed.
const std::string& EventSoundPlayer() {
  static const std::string player = [] {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (!folders.empty()) {
      const size_t colon = folders.find(':');
      const std::string_view folder = folders.substr(0, colon);
      folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
      if (folder.empty()) continue;
      const std::filesystem::path candidate = std::filesystem::path(folder) / "canberra-gtk-play";
      if (::access(candidate.c_str(), X_OK) == 0) return settings::Utf8FromPath(candidate);
    }
    return std::string();
  }();
  return player;
}

// Runs the player once for each event id until one plays, all in a detached process: the
// intermediate child exits at once and is reaped here, so nothing blocks the game or lingers
// as a zombie. Only fork, exec, wait and _exit run after forking, as a threaded program needs.
bool StartDetached(const std::string& program, const char* firstId, const char* secondId) {
  char* const player = const_cast<char*>(program.c_str());
  char* const option = const_cast<char*>("-i");
  char* const firstCall[] = {player, option, const_cast<char*>(firstId), nullptr};
  char* const secondCall[] = {player, option, const_cast<char*>(secondId), nullptr};
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    if (::fork() == 0) {
      const int null = ::open("/dev/null", O_RDWR);
      if (null >= 0) {
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
      }
      const pid_t first = ::fork();
      if (first == 0) {
        ::execv(player, firstCall);
        ::_exit(127);
      }
      int status = 0;
      if (first > 0 && ::waitpid(first, &status, 0) == first && WIFEXITED(status) &&
          WEXITSTATUS(status) == 0) {
        ::_exit(0);
      }
      ::execv(player, secondCall);
    }
    ::_exit(0);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace

bool PlayDesktopBeep(engine::Beep beep) {
  const std::string& player = EventSoundPlayer();
  if (player.empty()) return false;
  // Not every sound theme names a question sound the same way; freedesktop's own theme
  // has only "window-question".
  if (beep == engine::Beep::Question) {
    return StartDetached(player, "dialog-question", "window-question");
  }
  return StartDetached(player, "bell-window-system", "bell");
}

#endif

}  // namespace shell
