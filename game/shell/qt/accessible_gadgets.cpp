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

// A cell reads as one square of a grid, by its name and by its description, which holds what
// it shows. It has no text interface, so that the field's own text events stay unheard: they
// carry the game's real text, a hint's "0469" read as a number, and a new field reports a
// caret move just before its first focus, after which a screen reader takes it for focused
// already and moves there without a word.
class CellAccessible : public QAccessibleWidget {
 public:
  explicit CellAccessible(CellField* cell) : QAccessibleWidget(cell, QAccessible::Cell) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    return state;
  }
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
  }
  shown_ = texts;
  if (announcement_ == nullptr) announcement_ = new Announcement(gadgets[0]->parentWidget());
  // A new notice is read out once; the next event ends it.
  const bool fresh = shownNotice_ != state.notice.serial;
  shownNotice_ = state.notice.serial;
  announcement_->Announce(fresh ? ToQString(shell::AnnouncementOf(state)) : QString());
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
