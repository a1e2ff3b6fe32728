// A cell of the board: a one-line field for digits that reports when it receives the focus.
#pragma once

#include <QLineEdit>

namespace shell_qt {

class CellField : public QLineEdit {
  Q_OBJECT

 public:
  explicit CellField(QWidget* parent);

 signals:
  // The field received the keyboard focus from a click, Tab, or the window becoming active
  // again; focus coming back from a menu does not count.
  void focusEntered();

 protected:
  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace shell_qt
