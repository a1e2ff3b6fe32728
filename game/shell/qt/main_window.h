// The game's main window: renders the gadget state of engine::Game and turns widget events
// into the game's events, one at a time.
#pragma once

#include <QMainWindow>
#include <QPalette>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <optional>

#include "game/engine/game.h"
#include "game/shell/event_queue.h"
#include "game/shell/qt/accessible_gadgets.h"

class QAction;
class QLabel;
class QPushButton;

namespace shell_qt {

class CellField;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(engine::Game& game);

  // Shows what game.window holds; only what changed since the last call is touched.
  void Render();
  // Widget events reach the game only once start-up has finished. The chores due then (the
  // flashing of a board that start-up left complete) are armed at once, with no event needed.
  void EnableDispatch();
  // Called for a close request that arrives while a command runs (the search's progress
  // window pumps events meanwhile).
  void SetCloseWhileBusy(std::function<void()> handler) { closeWhileBusy_ = std::move(handler); }

  CellField* Cell(int k) const { return cells_[k]; }
  QWidget* Gadget(int id) const { return gadgets_[id]; }
  QAction* MenuAction(int menuId) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenus();
  void BuildGadgets();
  void Dispatch(std::function<void()> handler) { events_.Dispatch(std::move(handler)); }
  void RenderCell(int k);
  void RenderGeometry();
  void ReportSize();
  // Arms the chore timer for the next chore that is due; stops it when none is.
  void ArmChoreTimer();

  engine::Game& game_;
  std::array<CellField*, engine::kCellCount> cells_{};
  std::array<QWidget*, engine::kGadgetCount> gadgets_{};
  std::map<int, QAction*> actions_;
  QTimer choreTimer_;
  QPalette defaultPalette_;
  std::function<void()> closeWhileBusy_;
  shell::EventQueue events_;
  // A cell the player typed into is always written back, so that its caret goes before
  // the first character.
  std::optional<int> typedCell_;
  std::optional<engine::MainWindowState> shown_;
  AccessibleGadgets accessible_;
};

}  // namespace shell_qt
