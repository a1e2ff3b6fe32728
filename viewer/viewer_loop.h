// The viewer's event loop rule, shared by every window system: one pass of the logic at a
// time. A pass can open a message box, whose own loop delivers further events meanwhile;
// those wait for the pass to finish, except polls, which the next pass makes anyway. When the
// logic ends the loop, the exit steps run at once, with the window still open.
#pragma once

#include <deque>
#include <functional>

#include "viewer/viewer.h"

namespace viewer {

class ViewerLoop {
 public:
  // finished runs once, after the exit steps; the program then ends.
  ViewerLoop(Viewer& viewer, std::function<void()> finished);

  // The start-up; false when the viewer ended during it.
  bool Start();
  bool Running() const { return running_; }
  // One pass for the event, followed by the passes of the events that arrived meanwhile.
  void Dispatch(const ViewerEvent& event);

 private:
  Viewer& viewer_;
  std::function<void()> finished_;
  bool running_ = false;
  bool dispatching_ = false;
  std::deque<ViewerEvent> deferred_;
};

}  // namespace viewer
