// A push button that stays pressed until clicked again (the number bar, the line toggles
// and "M"), drawn pressed in colours that stand out on light and dark desktops alike.
#pragma once

#include <QPushButton>

namespace shell_qt {

class ToggleButton : public QPushButton {
 public:
  ToggleButton(const QString& text, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace shell_qt
