// Accessible names, states and interfaces of the main window's gadgets and menu items.
#include "game/shell/qt/accessible_gadgets.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>

#include "game/shell/qt/cell_field.h"
#include "game/shell/qt/color_square.h"

namespace shell_qt {
namespace {

using namespace engine;

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A colour square is one choice out of nine: read as a radio button, checked while it is the
// chosen colour.
class ColorSquareAccessible : public QAccessibleWidget {
 public:
  explicit ColorSquareAccessible(ColorSquare* square)
      : QAccessibleWidget(square, QAccessible::RadioButton) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = static_cast<ColorSquare*>(widget())->isChosen();
    return state;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction()) static_cast<ColorSquare*>(widget())->click();
  }
};

// A cell reads as an entry whose text is what the game presents (a hint's candidates apart,
// never the hint text), with no selection: the field selects its text whenever Tab brings
// the focus, and a screen reader would read that out as "selected" beside the state.
class CellAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit CellAccessible(CellField* cell) : QAccessibleWidget(cell, kCellRole) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    // No text interface while the game writes the field: the field's own events of that
    // write carry its real text, and are dropped for want of one.
    if (type == QAccessible::TextInterface && !Cell()->IsShowingText()) {
      return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }

  void selection(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override {
    return std::min<int>(Cell()->cursorPosition(), characterCount());
  }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override {
    return Cell()->PresentedText().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return int(Cell()->PresentedText().size()); }
  QRect characterRect(int) const override { return rect(); }
  int offsetAtPoint(const QPoint&) const override { return 0; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
  }

 private:
  // A cell is one square of a grid; the role spares the word for a text field on every cell.
  static constexpr QAccessible::Role kCellRole = QAccessible::Cell;
  CellField* Cell() const { return static_cast<CellField*>(widget()); }
};

// An announcement reads as a notification, which a screen reader speaks as it shows.
class AnnouncementAccessible : public QAccessibleWidget {
 public:
  explicit AnnouncementAccessible(QWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Notification) {}
};

// A menu item whose text carries a key hint after a tab ("Exit\tAlt+F4"): the hint stays
// visible in the menu but is not part of the name; it is the item's key binding instead.
// Everything else reads as for any other menu item.
class HintedMenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  HintedMenuItemAccessible(QAction* action, QMenu* menu) : action_(action), menu_(menu) {}

  bool isValid() const override { return action_ && menu_; }
  QObject* object() const override { return action_; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(menu_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    const QByteArray text = action_->text().toUtf8();
    const shell::MenuItemLabel label = shell::SplitMenuText({text.data(), size_t(text.size())});
    if (t == QAccessible::Name) return ToQString(label.name);
    if (t == QAccessible::Accelerator) return ToQString(label.keys);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    return menu_->actionGeometry(action_).translated(menu_->mapToGlobal(QPoint(0, 0)));
  }
  QAccessible::Role role() const override { return QAccessible::MenuItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.invisible = !menu_->isVisible() || !action_->isVisible();
    state.focused = menu_->activeAction() == action_;
    state.disabled = !action_->isEnabled();
    state.checkable = action_->isCheckable();
    state.checked = action_->isChecked();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction() && action_->isEnabled()) action_->trigger();
  }
  QStringList keyBindingsForAction(const QString& action) const override {
    if (action != pressAction()) return {};
    return {text(QAccessible::Accelerator)};
  }

 private:
  QPointer<QAction> action_;
  QPointer<QMenu> menu_;
};

QAccessibleInterface* GadgetInterfaces(const QString& className, QObject* object) {
  if (className == QLatin1String(Announcement::staticMetaObject.className())) {
    return new AnnouncementAccessible(static_cast<QWidget*>(object));
  }
  if (className == QLatin1String(CellField::staticMetaObject.className())) {
    return new CellAccessible(static_cast<CellField*>(object));
  }
  if (className == QLatin1String(ColorSquare::staticMetaObject.className())) {
    return new ColorSquareAccessible(static_cast<ColorSquare*>(object));
  }
  if (className == QLatin1String("QAction")) {
    auto* action = static_cast<QAction*>(object);
    if (!action->text().contains('\t')) return nullptr;
    for (QObject* owner : action->associatedObjects()) {
      if (auto* menu = qobject_cast<QMenu*>(owner)) return new HintedMenuItemAccessible(action, menu);
    }
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() { QAccessible::installFactory(GadgetInterfaces); }

Announcement::Announcement(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 1, 1);
  hide();
}

void Announcement::Announce(const QString& text) {
  // Shown, a notification is read out; hidden again at the next event, so that it is read
  // once and not again when the focus moves on.
  if (isVisible()) hide();
  if (text.isEmpty()) return;
  setAccessibleName(text);
  show();
}


void AccessibleGadgets::Render(const MainWindowState& state,
                               const std::array<QWidget*, kGadgetCount>& gadgets) {
  const shell::AccessibleTexts texts = shell::AccessibleTextsOf(state);
  for (int id = 0; id < kGadgetCount; ++id) {
    const shell::AccessibleText& text = texts[id];
    if (text.name.empty()) continue;
    // Setting a widget's accessible name or description raises its change event.
    if (!shown_ || (*shown_)[id].name != text.name) gadgets[id]->setAccessibleName(ToQString(text.name));
    if (!shown_ || (*shown_)[id].description != text.description) {
      gadgets[id]->setAccessibleDescription(ToQString(text.description));
    }
    if (id < kCellCount) static_cast<CellField*>(gadgets[id])->SetPresentedText(ToQString(text.value));
  }
  shown_ = texts;
  if (announcement_ == nullptr) announcement_ = new Announcement(gadgets[0]->parentWidget());
  if (shownNotice_ != state.notice.serial) {
    shownNotice_ = state.notice.serial;
    announcement_->Announce(ToQString(shell::AnnouncementOf(state)));
  } else {
    announcement_->Announce({});
  }
  if (shownColor_ != state.pushedColorButton) {
    QAccessible::State checked;
    checked.checked = true;
    for (int i : {shownColor_, state.pushedColorButton}) {
      if (i < 0) continue;
      QAccessibleStateChangeEvent event(gadgets[kFirstColorButton + i], checked);
      QAccessible::updateAccessibility(&event);
    }
    shownColor_ = state.pushedColorButton;
  }
}

}  // namespace shell_qt
