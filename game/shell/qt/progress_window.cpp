// The search's progress window.
#include "game/shell/qt/progress_window.h"

#include <QCloseEvent>
#include <QProgressBar>

#include "game/engine/ids.h"

namespace shell_qt {

ProgressWindow::ProgressWindow()
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle("Deradu - Progress Window");
  setFixedSize(300, 40);
  move(100, 200);
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QString::number(engine::kProgressBar));
  bar_->setGeometry(10, 10, 280, 20);
  bar_->setRange(0, 81);
  bar_->setValue(0);
  bar_->setTextVisible(false);
}

void ProgressWindow::SetValue(int value) { bar_->setValue(value); }

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // The search notices the request at its next update and closes the window itself.
  closeRequested_ = true;
  event->ignore();
}

}  // namespace shell_qt
