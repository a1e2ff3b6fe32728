// A palette button: a colour swatch on a bevelled square, drawn pushed in while it is down.
#pragma once

#include <QColor>
#include <QPushButton>

namespace shell_qt {

class ColorSquare : public QPushButton {
  Q_OBJECT

 public:
  ColorSquare(const QColor& color, QWidget* parent);
  const QColor& color() const { return color_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
};

}  // namespace shell_qt
