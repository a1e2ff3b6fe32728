// The help viewer's event loop on top of Qt's.
#include "viewer/qt/viewer_app.h"

#include <QCoreApplication>

#include "common/qt/desktop_activation.h"

namespace viewer {

ViewerApp::ViewerApp(const std::filesystem::path& executableFolder)
    : viewer_(window_, executableFolder),
      loop_(viewer_,
            [this] {
              idleTimer_.stop();
              QCoreApplication::instance()->removeEventFilter(this);
              emit finished();
            }),
      signalRequests_([this] { window_.BringToFront(TakeActivationToken(viewer_)); },
                      [this] { loop_.Dispatch({ViewerEvent::Kind::CloseRequest}); }) {
  window_.onEvent = [this](const ViewerEvent& event) { loop_.Dispatch(event); };
  idleTimer_.setInterval(1000);
  connect(&idleTimer_, &QTimer::timeout, this, [this] { loop_.Dispatch({ViewerEvent::Kind::Idle}); });
}

bool ViewerApp::Start() {
  // Started by the game on Wayland: the token it was given brings the window forward.
  const std::string startToken = desktop_activation::TakeStartToken();
  if (!loop_.Start()) return false;
  if (!startToken.empty()) window_.BringToFront(startToken);
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
  if (pollQueued_ || !loop_.Running()) return;
  pollQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        pollQueued_ = false;
        loop_.Dispatch({ViewerEvent::Kind::Idle});
      },
      Qt::QueuedConnection);
}

}  // namespace viewer
