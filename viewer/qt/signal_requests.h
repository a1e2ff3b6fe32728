// The game's window requests on Linux: the game names the viewer by its process id and sends
// SIGUSR1 to bring the window to the front and SIGTERM to ask it to close (SIGINT and SIGHUP
// close it too). The handler only writes the signal's number into a pipe; the event loop reads
// it and runs the request, so no toolkit call ever happens inside the handler. On Windows the
// game uses the window handle directly and this object does nothing.
#pragma once

#include <functional>

#include <QObject>

class QSocketNotifier;

namespace viewer {

class SignalRequests : public QObject {
  Q_OBJECT
 public:
  SignalRequests(std::function<void()> bringToFront, std::function<void()> askToClose);
  ~SignalRequests() override;

 private:
  void Drain();

  std::function<void()> bringToFront_;
  std::function<void()> askToClose_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace viewer
