// A push button that stays pressed until clicked again, drawn pressed in plain colours.
#include "game/shell/qt/toggle_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "game/shell/qt/colors.h"
#include "game/shell/qt/focus_ring.h"

namespace shell_qt {

ToggleButton::ToggleButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setCheckable(true);
  setFocusPolicy(Qt::StrongFocus);
}

void ToggleButton::paintEvent(QPaintEvent*) {
  QStyleOptionButton option;
  initStyleOption(&option);
  // The style draws a pressed toggle in the inverted colours of the pressed look; the focus
  // is the game's own ring rather than the style's faint frame.
  if (isChecked()) option.palette = PressedPalette(option.palette);
  option.state &= ~QStyle::State_HasFocus;
  {
    QStylePainter painter(this);
    painter.drawControl(QStyle::CE_PushButton, option);
  }
  DrawFocusRing(this, option.palette.color(QPalette::Button), RingPlace::InsideFrame);
}

}  // namespace shell_qt
