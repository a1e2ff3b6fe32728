// A cell of the board: a one-line field for digits that reports when it receives the focus.
#include "game/shell/qt/cell_field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

#include "game/shell/qt/focus_ring.h"

namespace shell_qt {

CellField::CellField(QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignCenter);
  setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this));
  setTextMargins(0, 0, 0, 0);
  setFocusPolicy(Qt::StrongFocus);
  setContextMenuPolicy(Qt::NoContextMenu);
}

bool CellField::event(QEvent* event) {
  // Ctrl+Z is the game's Undo, not the field's own text undo.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
      event->ignore();
      return true;
    }
  }
  return QLineEdit::event(event);
}

void CellField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // Opening a menu hands the focus to the menu and closing it hands it back; the player did
  // not move to this cell, so it must not enter a digit.
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::MenuBarFocusReason) return;
  // Reported once the click that gave the focus has placed the caret, so that a text the
  // game then writes puts the caret before its first character.
  QMetaObject::invokeMethod(this, &CellField::focusEntered, Qt::QueuedConnection);
}

void CellField::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  DrawFocusRing(this, palette().color(QPalette::Base), RingPlace::InsideFrame);
}

}  // namespace shell_qt
