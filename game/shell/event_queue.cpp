// The game's events, one at a time, each followed by the chores and a render.
#include "game/shell/event_queue.h"

#include <utility>

#include "game/shell/app.h"

namespace shell {

EventQueue::EventQueue(engine::Game& game, std::function<void()> render,
                       std::function<void()> endLoop)
    : game_(game), render_(std::move(render)), endLoop_(std::move(endLoop)) {}

void EventQueue::Dispatch(std::function<void()> handler) {
  if (!enabled_) return;
  pending_.push_back(std::move(handler));
  if (busy_) return;
  busy_ = true;
  while (!pending_.empty()) {
    std::function<void()> next = std::move(pending_.front());
    pending_.pop_front();
    next();
    RunChores(game_);
    render_();
    if (ExitRequested(game_)) {
      pending_.clear();
      endLoop_();
      break;
    }
  }
  busy_ = false;
}

void EventQueue::DispatchClose(const std::function<void()>& whileBusy) {
  if (!enabled_) return;
  if (busy_) {
    if (whileBusy) whileBusy();
    return;
  }
  Dispatch([this] {
    if (OnCloseRequest(game_)) game_.exitRequested = true;
  });
}

}  // namespace shell
