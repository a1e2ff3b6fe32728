// The text caret stops blinking a few seconds after the player's last input.
#include "game/shell/qt/caret_blink.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

namespace shell_qt {
namespace {

constexpr int kBlinkAfterInputMs = 5000;

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
      return true;
    default:
      return false;
  }
}

}  // namespace

CaretBlinkLimit::CaretBlinkLimit()
    : flashTime_(QGuiApplication::styleHints()->cursorFlashTime()) {
  quiet_.setSingleShot(true);
  // Line edits follow a change of the flash time at once; 0 leaves their caret lit.
  connect(&quiet_, &QTimer::timeout, this,
          [] { QGuiApplication::styleHints()->setCursorFlashTime(0); });
  quiet_.start(kBlinkAfterInputMs);
  QCoreApplication::instance()->installEventFilter(this);
}

CaretBlinkLimit::~CaretBlinkLimit() { QCoreApplication::instance()->removeEventFilter(this); }

bool CaretBlinkLimit::eventFilter(QObject* watched, QEvent* event) {
  if (IsInput(event->type())) {
    QStyleHints* hints = QGuiApplication::styleHints();
    if (hints->cursorFlashTime() != flashTime_) hints->setCursorFlashTime(flashTime_);
    quiet_.start(kBlinkAfterInputMs);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace shell_qt
