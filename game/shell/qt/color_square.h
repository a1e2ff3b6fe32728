// A palette button: a colour swatch on a bevelled square, drawn pushed in while it is held
// down or while the game marks it as the chosen colour.
#pragma once

#include <QColor>
#include <QPushButton>

namespace shell_qt {

class ColorSquare : public QPushButton {
  Q_OBJECT

 public:
  ColorSquare(const QColor& color, QWidget* parent);
  const QColor& color() const { return color_; }
  // The chosen look is the game's own state, kept apart from the button's down state: that
  // one belongs to Qt while the player holds the button, and a press whose down state is
  // taken away ends without a click.
  bool isChosen() const { return chosen_; }
  void setChosen(bool chosen);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
  bool chosen_ = false;
};

}  // namespace shell_qt
