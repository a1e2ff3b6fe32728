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

// A small widget of the notification role that a screen reader reads out as it is shown:
// why a digit was refused, or what an undo changed.
class Announcement : public QWidget {
  Q_OBJECT

 public:
  explicit Announcement(QWidget* parent);
  // Reads out text (nothing for an empty one), and ends the last announcement.
  void Announce(const QString& text);
};

class AccessibleGadgets {
 public:

  // Applies the texts of the state to the gadgets, touching only those that changed since
  // the last call; each change raises the accessibility event of what changed. A new
  // notice of the state is announced once.
  void Render(const engine::MainWindowState& state,
              const std::array<QWidget*, engine::kGadgetCount>& gadgets);

 private:
  std::optional<shell::AccessibleTexts> shown_;
  int shownColor_ = -1;
  uint32_t shownNotice_ = 0;
  Announcement* announcement_ = nullptr;  // made beside the cells at the first call
};

}  // namespace shell_qt
