// The game's main window: renders the gadget state of engine::Game and turns widget events
// into the game's events, one at a time.
#include "game/shell/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <vector>

#include "game/shell/app.h"
#include "game/shell/menus.h"
#include "game/shell/qt/cell_field.h"
#include "game/shell/qt/color_square.h"
#include "game/shell/qt/colors.h"
#include "game/shell/qt/toggle_button.h"
#include "common/qt/window_icon.h"

namespace shell_qt {
namespace {

using namespace engine;

QPushButton* MakeToggle(QWidget* parent, const QString& text) {
  return new ToggleButton(text, parent);
}

// The gadgets are placed for a small sans-serif font of 11 pixels, the size of the classic
// desktop GUI font; Liberation Sans has its metrics where it is installed.
QFont GadgetFont() {
  QFont font = QApplication::font();
  if (QFontDatabase::hasFamily("Liberation Sans")) font.setFamily("Liberation Sans");
  font.setPixelSize(11);
  return font;
}

// Qt flips a toggle itself when it is clicked; the game's state then decides what it shows.
// Only the checked state is ever set, never the down state of a button the player holds,
// so that the release still counts as a click.
void ShowPressed(QWidget* gadget, bool pressed) {
  auto* button = static_cast<QPushButton*>(gadget);
  if (button->isChecked() != pressed) button->setChecked(pressed);
}

}  // namespace

MainWindow::MainWindow(Game& game)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      game_(game),
      // exit() rather than quit(): quit() would first ask the windows to close, and the
      // main window refuses a close that did not come through the guard.
      events_(game,
              [this] {
                Render();
                ArmChoreTimer();
              },
              [] { QCoreApplication::exit(0); }) {
  setWindowIcon(ProgramIcon());
  setFont(GadgetFont());
  // A global menu bar outside the window would leave the inner height, which counts the
  // menu bar, wrong.
  menuBar()->setNativeMenuBar(false);
  auto* client = new QWidget(this);
  setCentralWidget(client);
  defaultPalette_ = client->palette();
  InstallAccessibleInterfaces();
  BuildMenus();
  BuildGadgets();
  // The window itself holds the focus at first, so that no cell takes it (and enters a
  // digit) when the window is first activated.
  client->setFocus();

  resize(game_.window.innerWidth, game_.window.innerHeight);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  move(screen.center() - QPoint(width() / 2, height() / 2));

  // The chores' own wake-up, armed after each event only while one is due. During a command
  // the chores wait for its end, which arms the timer again.
  choreTimer_.setSingleShot(true);
  choreTimer_.setTimerType(Qt::PreciseTimer);
  connect(&choreTimer_, &QTimer::timeout, this, [this] {
    if (!events_.Busy()) Dispatch([] {});
  });
  Render();
}

QAction* MainWindow::MenuAction(int menuId) const {
  auto found = actions_.find(menuId);
  return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::BuildMenus() {
  for (const shell::Menu& menu : shell::MenuBar()) {
    std::vector<QMenu*> open{menuBar()->addMenu(QString::fromUtf8(menu.title.data(),
                                                                  menu.title.size()))};
    for (const shell::MenuEntry& entry : menu.entries) {
      const QString text = QString::fromUtf8(entry.text.data(), entry.text.size());
      switch (entry.kind) {
        case shell::MenuEntry::Kind::Separator: open.back()->addSeparator(); break;
        case shell::MenuEntry::Kind::SubmenuBegin: open.push_back(open.back()->addMenu(text)); break;
        case shell::MenuEntry::Kind::SubmenuEnd: open.pop_back(); break;
        case shell::MenuEntry::Kind::Item: {
          // The text after "\t" is shown right-aligned as a key hint only.
          QAction* action = open.back()->addAction(text);
          action->setData(entry.id);
          action->setCheckable(entry.checkable);
          const int id = entry.id;
          connect(action, &QAction::triggered, this,
                  [this, id] { Dispatch([this, id] { shell::OnMenu(game_, id); }); });
          actions_[id] = action;
          break;
        }
      }
    }
  }
  const std::pair<const char*, int> shortcuts[] = {{"Ctrl+Z", MenuUndo}, {"F1", MenuHelp}};
  for (const auto& [keys, id] : shortcuts) {
    const int menuId = id;
    auto* shortcut = new QShortcut(QKeySequence(keys), this);
    connect(shortcut, &QShortcut::activated, this,
            [this, menuId] { Dispatch([this, menuId] { shell::OnMenu(game_, menuId); }); });
  }
}

void MainWindow::BuildGadgets() {
  QWidget* client = centralWidget();
  auto track = [this](int id, QWidget* widget) {
    widget->setObjectName(QString::number(id));
    gadgets_[id] = widget;
  };
  for (int k = 0; k < kCellCount; ++k) {
    auto* cell = new CellField(client);
    cells_[k] = cell;
    track(k, cell);
    connect(cell, &CellField::focusEntered, this,
            [this, k] { Dispatch([this, k] { shell::OnCellFocus(game_, k); }); });
    connect(cell, &QLineEdit::textEdited, this, [this, k](const QString& text) {
      const std::string typed = text.toStdString();
      Dispatch([this, k, typed] {
        shell::OnCellChange(game_, k, typed);
        typedCell_ = k;
      });
    });
  }
  auto clickable = [this, &track](int id, QPushButton* button) {
    track(id, button);
    connect(button, &QPushButton::clicked, this,
            [this, id] { Dispatch([this, id] { shell::OnGadgetClick(game_, id); }); });
  };
  for (int id = kFirstColumnButton; id < kColorLabel; ++id) clickable(id, MakeToggle(client, {}));

  track(kColorLabel, new QLabel("Color:", client));
  for (int i = 0; i < 9; ++i) {
    clickable(kFirstColorButton + i, new ColorSquare(ToQColor(TextPalette[i], Qt::black), client));
  }
  track(kNumberLabel, new QLabel("Number", client));
  for (int i = 0; i < 10; ++i) {
    clickable(kFirstNumberButton + i, MakeToggle(client, QString::fromStdString(
                                                             game_.window.numberCaptions[i])));
  }
  gadgets_[kClearButton]->setToolTip("Clear a spot");
  auto* mark = MakeToggle(client, "M");
  mark->setToolTip("Mark all numbers matching toolbar");
  clickable(kMarkButton, mark);
}

void MainWindow::Render() {
  const MainWindowState& state = game_.window;
  const bool first = !shown_.has_value();
  if (first || shown_->title != state.title) setWindowTitle(QString::fromStdString(state.title));
  for (int k = 0; k < kCellCount; ++k) RenderCell(k);
  typedCell_.reset();

  for (int i = 0; i < 18; ++i) ShowPressed(gadgets_[kFirstColumnButton + i], state.linePressed[i]);
  for (int i = 0; i < 10; ++i) {
    auto* button = static_cast<QPushButton*>(gadgets_[kFirstNumberButton + i]);
    ShowPressed(button, state.numberPressed[i]);
    if (first || shown_->numberCaptions[i] != state.numberCaptions[i]) {
      button->setText(QString::fromStdString(state.numberCaptions[i]));
    }
  }
  if (first || shown_->pushedColorButton != state.pushedColorButton) {
    for (int i = 0; i < 9; ++i) {
      auto* square = static_cast<ColorSquare*>(gadgets_[kFirstColorButton + i]);
      square->setChosen(i == state.pushedColorButton);
    }
  }
  ShowPressed(gadgets_[kMarkButton], state.markPressed);
  if (first || shown_->colorLabelColor != state.colorLabelColor) {
    QPalette palette = gadgets_[kColorLabel]->palette();
    palette.setColor(QPalette::WindowText, ToQColor(state.colorLabelColor,
                                                    defaultPalette_.color(QPalette::WindowText)));
    gadgets_[kColorLabel]->setPalette(palette);
  }
  for (const auto& [id, action] : actions_) {
    if (action->isCheckable()) action->setChecked(state.menuChecks[id]);
  }
  RenderGeometry();
  accessible_.Render(state, gadgets_);
  shown_ = state;
}

void MainWindow::RenderCell(int k) {
  const CellGadget& cell = game_.window.cells[k];
  CellField* field = cells_[k];
  const QString text = QString::fromStdString(cell.text);
  // Writing a cell's text puts its caret before the first character, as the typing rule
  // of the game expects.
  if (field->text() != text || typedCell_ == k) {
    field->setText(text);
    field->setCursorPosition(0);
  }
  const bool first = !shown_.has_value();
  if (first || shown_->cells[k].backColor != cell.backColor ||
      shown_->cells[k].textColor != cell.textColor) {
    const shell::CellLook look = shell::DrawnCellColors(cell, BoardDefaultsOf(defaultPalette_));
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, ToQColor(look.back, {}));
    palette.setColor(QPalette::Text, ToQColor(look.text, {}));
    field->setPalette(palette);
  }
}

void MainWindow::RenderGeometry() {
  for (int id = 0; id < kGadgetCount; ++id) {
    const Rect& rect = game_.window.geometry[id];
    if (shown_ && shown_->geometry[id] == rect) continue;
    gadgets_[id]->setGeometry(rect.x, rect.y, rect.width, rect.height);
  }
}

void MainWindow::EnableDispatch() {
  events_.Enable();
  ArmChoreTimer();
}

void MainWindow::ArmChoreTimer() {
  if (const auto delay = shell::NextChoreDelay(game_)) {
    choreTimer_.start(static_cast<int>(*delay));
  } else {
    choreTimer_.stop();
  }
}

void MainWindow::ReportSize() {
  const int w = width();
  const int h = height();
  if (w == game_.window.innerWidth && h == game_.window.innerHeight) return;
  Dispatch([this, w, h] { shell::OnSize(game_, w, h); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  events_.DispatchClose(closeWhileBusy_);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!isMinimized()) ReportSize();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Coming back from the minimized state lays the gadgets out again and stores the size.
  if (event->type() == QEvent::WindowStateChange && !isMinimized() &&
      static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized) {
    Dispatch([this] { shell::OnSize(game_, width(), height()); });
  }
}

}  // namespace shell_qt
