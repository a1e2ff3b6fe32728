// The help viewer's event loop on top of Qt's.
#include "viewer/qt/viewer_app.h"

#include <QCoreApplication>

namespace viewer {

ViewerApp::ViewerApp(const std::filesystem::path& executableFolder)
    : viewer_(window_, executableFolder),
      signalRequests_([this] { window_.BringToFront(); },
                      [this] { Dispatch({ViewerEvent::Kind::CloseRequest}); }) {
  window_.onEvent = [this](const ViewerEvent& event) { Dispatch(event); };
  idleTimer_.setInterval(1000);
  connect(&idleTimer_, &QTimer::timeout, this, [this] { Dispatch({ViewerEvent::Kind::Idle}); });
}

bool ViewerApp::Start() {
  if (StartViewer(viewer_) == StartResult::Ended) return false;
  running_ = true;
  idleTimer_.start();
  QCoreApplication::instance()->installEventFilter(this);
  return true;
}

bool ViewerApp::eventFilter(QObject* watched, QEvent* event) {
  if (watched->isWidgetType() || watched->isWindowType()) SchedulePoll();
  return QObject::eventFilter(watched, event);
}

// Every event that reaches a window leads to one poll; a burst of them within one pass of
// Qt's loop shares the poll that follows it.
void ViewerApp::SchedulePoll() {
  if (pollQueued_ || !running_) return;
  pollQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        pollQueued_ = false;
        Dispatch({ViewerEvent::Kind::Idle});
      },
      Qt::QueuedConnection);
}

void ViewerApp::Dispatch(const ViewerEvent& event) {
  if (!running_) return;
  if (dispatching_) {
    // A poll may wait for the next pass; a resize or a close request must not be lost.
    if (event.kind != ViewerEvent::Kind::Idle) deferred_.push_back(event);
    return;
  }
  dispatching_ = true;
  bool goesOn = HandleEvent(viewer_, event);
  while (goesOn && !deferred_.empty()) {
    const ViewerEvent next = deferred_.front();
    deferred_.pop_front();
    goesOn = HandleEvent(viewer_, next);
  }
  dispatching_ = false;
  if (goesOn) return;
  running_ = false;
  idleTimer_.stop();
  QCoreApplication::instance()->removeEventFilter(this);
  ExitViewer(viewer_);
  emit finished();
}

}  // namespace viewer
