// The one rule by which both builds recognise the help viewer's window.
#include "game/shell/viewer_identity.h"

#include <algorithm>

#include "common/settings/path_text.h"

namespace shell {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

bool RunsProgram(const std::filesystem::path& running, const std::filesystem::path& program) {
  if (running.empty() || program.empty()) return false;
  if (!program.has_parent_path()) {
    return SameIgnoringCase(settings::Utf8FromPath(running.filename()),
                            settings::Utf8FromPath(program));
  }
  return running.lexically_normal() == program.lexically_normal();
}

}  // namespace

bool IsViewerWindow(const WindowFacts& window, const ViewerLooks& viewer) {
  return window.alive && window.windowClass == viewer.windowClass &&
         RunsProgram(window.program, viewer.program);
}

}  // namespace shell
