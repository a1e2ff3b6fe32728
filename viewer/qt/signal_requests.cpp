// Signals turned into requests of the event loop through a self-pipe.
#include "viewer/qt/signal_requests.h"

#include <QSocketNotifier>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace viewer {

#ifndef _WIN32

namespace {

int pipeEnds[2] = {-1, -1};
constexpr int kClosingSignals[] = {SIGTERM, SIGINT, SIGHUP};

void OnSignal(int number) {
  const int savedErrno = errno;
  const char byte = static_cast<char>(number);
  [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
  errno = savedErrno;
}

void Handle(int number, void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(number, &action, nullptr);
}

}  // namespace

SignalRequests::SignalRequests(std::function<void()> bringToFront,
                               std::function<void()> askToClose)
    : bringToFront_(std::move(bringToFront)), askToClose_(std::move(askToClose)) {
  if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SignalRequests::Drain);
  Handle(SIGUSR1, OnSignal);
  for (const int number : kClosingSignals) Handle(number, OnSignal);
}

SignalRequests::~SignalRequests() {
  if (notifier_ == nullptr) return;
  Handle(SIGUSR1, SIG_DFL);
  for (const int number : kClosingSignals) Handle(number, SIG_DFL);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
}

void SignalRequests::Drain() {
  char bytes[64];
  ssize_t count;
  while ((count = read(pipeEnds[0], bytes, sizeof bytes)) > 0) {
    for (ssize_t i = 0; i < count; ++i) {
      if (bytes[i] == SIGUSR1) {
        bringToFront_();
      } else {
        askToClose_();
      }
    }
  }
}

#else

SignalRequests::SignalRequests(std::function<void()> bringToFront,
                               std::function<void()> askToClose)
    : bringToFront_(std::move(bringToFront)), askToClose_(std::move(askToClose)) {}

SignalRequests::~SignalRequests() = default;

void SignalRequests::Drain() {}

#endif

}  // namespace viewer
