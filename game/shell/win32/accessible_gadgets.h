// Gives the main window's native gadgets the names and cell states that assistive technology
// reads, through the system's annotation of window properties.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "game/engine/game.h"
#include "game/shell/accessible_names.h"

struct IAccPropServices;

namespace shell_win32 {

class AccessibleGadgets {
 public:
  AccessibleGadgets();
  ~AccessibleGadgets();
  AccessibleGadgets(const AccessibleGadgets&) = delete;
  AccessibleGadgets& operator=(const AccessibleGadgets&) = delete;

  // Annotates the gadgets with the texts of the state, touching only those that changed
  // since the last call, and tells assistive technology of each change. Does nothing where
  // the system offers no annotation service. A new notice of the state is announced once,
  // as the focused gadget's description until the next call.
  void Render(const engine::MainWindowState& state,
              const std::array<HWND, engine::kGadgetCount>& gadgets);

 private:
  IAccPropServices* services_ = nullptr;
  std::optional<shell::AccessibleTexts> shown_;
  uint32_t shownNotice_ = 0;
};

}  // namespace shell_win32
