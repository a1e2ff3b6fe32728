// Runs the help viewer's logic in Qt's event loop: every window event and a one-second timer
// lead to a pass of the logic (its link-file poll), the game's window requests arrive as
// signals, and the program ends through the exit steps when the logic's loop ends.
#pragma once

#include <filesystem>

#include <QObject>
#include <QTimer>

#include "viewer/qt/signal_requests.h"
#include "viewer/qt/viewer_window.h"
#include "viewer/viewer.h"
#include "viewer/viewer_loop.h"

namespace viewer {

class ViewerApp : public QObject {
  Q_OBJECT
 public:
  explicit ViewerApp(const std::filesystem::path& executableFolder);

  // The start-up; false when the viewer ended during it.
  bool Start();
  bool Running() const { return loop_.Running(); }
  ViewerWindow& Window() { return window_; }

 signals:
  // The exit steps are done; the program ends now.
  void finished();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SchedulePoll();

  ViewerWindow window_;
  Viewer viewer_;
  QTimer idleTimer_;
  ViewerLoop loop_;
  SignalRequests signalRequests_;
  bool pollQueued_ = false;
};

}  // namespace viewer
