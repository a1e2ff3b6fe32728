// The game's side of the help link file: each operation is one guarded open–change–close
// cycle, and the window requests on the viewer follow only after the file is closed.
#include "game/help/help_link.h"

#include <system_error>

#include "common/settings/link_cycle.h"
#include "common/settings/link_file.h"
#include "common/settings/number_text.h"
#include "common/settings/path_text.h"

namespace help {

namespace link = settings::link;

namespace {

std::filesystem::path LinkPath(const engine::Game& game) {
  return game.ProgramFolder / link::kFileName;
}

}  // namespace

std::filesystem::path ViewerPath(const std::filesystem::path& executableFolder) {
  return executableFolder / kViewerProgram;
}

void InitHelpLink(engine::Game& game, std::string_view file, std::string_view title) {
  if (title.empty()) title = kGameProgram;
  settings::LinkCycle cycle(LinkPath(game));
  cycle.store.WriteSettingText(link::kHelpFile, file);
  cycle.store.WriteSettingText(link::kTitle, title);
}

void ShowHelpTopic(engine::Game& game, std::string_view topic) {
  std::string title;
  int64_t handle = 0;
  // Asked for before the lock is taken: the desktop answers within one round trip.
  const std::string token = game.platform.ActivationToken();
  {
    settings::LinkCycle cycle(LinkPath(game));
    cycle.store.WriteSettingText(link::kLastHelp, topic);
    cycle.store.WriteSettingText(link::kLastTime, link::kRequestPending);
    // Files of builds without tokens never get the key; a token left by an earlier request
    // is cleared.
    if (!token.empty() || cycle.store.ReadSettingText(link::kActivationToken, "\n") != "\n") {
      cycle.store.WriteSettingText(link::kActivationToken, token);
    }
    // The same request again changes no byte when the viewer could not acknowledge the last
    // one; the viewer then tells it from the last one by the file's new change time.
    cycle.store.RewriteOnClose();
    title = cycle.store.ReadSettingText(link::kTitle, kGameProgram);
    handle = settings::ParseNumber(cycle.store.ReadSettingText(link::kHandle, "0"));
  }
  if (handle != 0 && game.platform.WindowExists(handle)) {
    game.platform.BringToFront(handle);
    // The running viewer serves the request at its next poll, within about a second; the
    // pause keeps the game from piling further requests on it meanwhile.
    game.platform.Sleep(2000);
    return;
  }
  const std::string viewer = settings::Utf8FromPath(ViewerPath(game.ExecutableFolder));
  if (!StartFile(game.platform, viewer)) {
    game.platform.ShowMessage(title, "Can't find help file\n" + viewer, engine::MessageIcon::Error,
                              engine::MessageButtons::Ok);
  }
}

void CloseHelpViewer(engine::Game& game) {
  int64_t handle = 0;
  {
    settings::LinkCycle cycle(LinkPath(game));
    handle = settings::ParseNumber(cycle.store.ReadSettingText(link::kHandle, "0"));
    cycle.store.WriteSettingText(link::kLastTime, link::kQuitRequest);
  }
  // A viewer that misses the close request still quits at its next poll on reading 666.
  if (handle != 0 && game.platform.WindowExists(handle)) game.platform.AskToClose(handle);
}

bool StartFile(engine::Platform& platform, const std::string& path) {
  std::error_code error;
  // The desktop's opener reports success even for a file that is not there; a missing file
  // must fail so that the caller can say so.
  if (!std::filesystem::exists(settings::PathFromUtf8(path), error)) return false;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  if (platform.StartProcess(path, error ? std::string() : settings::Utf8FromPath(folder))) {
    return true;
  }
  return platform.OpenDocument(path);
}

}  // namespace help
