// A push button that stays pressed until clicked again, drawn pressed in plain colours.
#include "game/shell/qt/toggle_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "game/shell/qt/colors.h"

namespace shell_qt {

ToggleButton::ToggleButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setCheckable(true);
  setFocusPolicy(Qt::StrongFocus);
}

void ToggleButton::paintEvent(QPaintEvent* event) {
  // The style draws a pressed toggle in the inverted colours of the pressed look.
  if (!isChecked()) {
    QPushButton::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.palette = PressedPalette(option.palette);
  painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace shell_qt
