// One pass of the viewer's logic at a time, and the exit steps when the loop ends.
#include "viewer/viewer_loop.h"

#include <utility>

namespace viewer {

ViewerLoop::ViewerLoop(Viewer& viewer, std::function<void()> finished)
    : viewer_(viewer), finished_(std::move(finished)) {}

bool ViewerLoop::Start() {
  running_ = StartViewer(viewer_) == StartResult::Running;
  return running_;
}

void ViewerLoop::Dispatch(const ViewerEvent& event) {
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
  deferred_.clear();
  ExitViewer(viewer_);
  if (finished_) finished_();
}

}  // namespace viewer
