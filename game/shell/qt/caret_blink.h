// The text caret blinks for a few seconds after the player's last input and then stays lit,
// as desktops let it, so that a focused cell does not wake the game twice a second for as
// long as it stays open.
#pragma once

#include <QObject>
#include <QTimer>

namespace shell_qt {

class CaretBlinkLimit : public QObject {
 public:
  // Watches the application's input; the caret blinks at the desktop's rate meanwhile.
  CaretBlinkLimit();
  ~CaretBlinkLimit() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int flashTime_;  // the desktop's blink period, restored by the next input
  QTimer quiet_;
};

}  // namespace shell_qt
