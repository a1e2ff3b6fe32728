// Runs the help viewer's logic in Qt's event loop: every window event and a one-second timer
// lead to a pass of the logic (its link-file poll), the game's window requests arrive as
// signals, and the program ends through the exit steps when the logic's loop ends.
#pragma once

#include <deque>
#include <filesystem>

#include <QObject>
#include <QTimer>

#include "viewer/qt/signal_requests.h"
#include "viewer/qt/viewer_window.h"
#include "viewer/viewer.h"

namespace viewer {

class ViewerApp : public QObject {
  Q_OBJECT
 public:
  explicit ViewerApp(const std::filesystem::path& executableFolder);

  // The start-up; false when the viewer ended during it.
  bool Start();
  bool Running() const { return running_; }
  ViewerWindow& Window() { return window_; }

 signals:
  // The exit steps are done; the program ends now.
  void finished();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Dispatch(const ViewerEvent& event);
  void SchedulePoll();

  ViewerWindow window_;
  Viewer viewer_;
  QTimer idleTimer_;
  SignalRequests signalRequests_;
  bool running_ = false;
  bool dispatching_ = false;
  bool pollQueued_ = false;
  // Events that arrive while a pass is still running (a message box is open): they run after.
  std::deque<ViewerEvent> deferred_;
};

}  // namespace viewer
