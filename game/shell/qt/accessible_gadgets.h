// Gives the main window's gadgets and menu items what assistive technology reads: the names
// and cell states computed below the shell, the chosen colour square as checked, and menu
// items named without their key hint, which becomes the item's key binding.
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "game/engine/game.h"
#include "game/shell/accessible_names.h"

namespace shell_qt {

// Installs the accessible interfaces of the colour squares and of menu items with a key
// hint; called before the window's widgets are built.
void InstallAccessibleInterfaces();

class AccessibleGadgets {
 public:
  // Applies the texts of the state to the gadgets, touching only those that changed since
  // the last call; each change raises the accessibility event of what changed.
  void Render(const engine::MainWindowState& state,
              const std::array<QWidget*, engine::kGadgetCount>& gadgets);

 private:
  std::optional<shell::AccessibleTexts> shown_;
  int shownColor_ = -1;
};

}  // namespace shell_qt
