// A cell of the board: a one-line field for digits that reports when it receives the focus,
// and presents to assistive technology the text the game gives it rather than its own.
#pragma once

#include <QLineEdit>

namespace shell_qt {

class CellField : public QLineEdit {
  Q_OBJECT

 public:
  explicit CellField(QWidget* parent);

  // Writes the cell's text with the caret before its first character, as the typing rule of
  // the game expects. The field's own accessibility events would carry the written text
  // itself, a hint's "0469" read as a number; they are held back, and SetPresentedText
  // reports the change as assistive technology should read it.
  void ShowText(const QString& text);
  bool IsShowingText() const { return showingText_; }

  // What assistive technology reads as the cell's text ("4 6 9" for a hint).
  const QString& PresentedText() const { return presentedText_; }
  void SetPresentedText(const QString& text);

 signals:
  // The field received the keyboard focus from a click, Tab, or the window becoming active
  // again; focus coming back from a menu does not count.
  void focusEntered();

 protected:
  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool showingText_ = false;
  QString presentedText_;
};

}  // namespace shell_qt
