// The search's progress window: a small topmost window with one bar, 0 to 81; closing it
// asks the search to stop.
#pragma once

#include <QWidget>

class QProgressBar;

namespace shell_qt {

class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  ProgressWindow();
  void SetValue(int value);
  bool CloseRequested() const { return closeRequested_; }
  void RequestClose() { closeRequested_ = true; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QProgressBar* bar_;
  bool closeRequested_ = false;
};

}  // namespace shell_qt
