// The game's events, one at a time: each runs to completion and is followed by the chores
// and a render. Both shells feed their widget events through it.
#pragma once

#include <deque>
#include <functional>

#include "game/engine/game.h"

namespace shell {

class EventQueue {
 public:
  // render shows game.window; endLoop ends the shell's event loop once Game > Exit or an
  // accepted close request asked for it.
  EventQueue(engine::Game& game, std::function<void()> render, std::function<void()> endLoop);

  // Events reach the game only once start-up has finished.
  void Enable() { enabled_ = true; }
  bool Enabled() const { return enabled_; }
  // True while an event runs: a message box, a requester or the progress window may be open.
  bool Busy() const { return busy_; }

  // Runs handler, then the chores, then a render. An event raised while another runs (from
  // inside a message box, say) waits until that one has finished.
  void Dispatch(std::function<void()> handler);
  // The close box or Alt+F4. While another event runs only the search's progress window
  // takes input, so the request abandons the search (whileBusy) instead.
  void DispatchClose(const std::function<void()>& whileBusy);

 private:
  engine::Game& game_;
  std::function<void()> render_;
  std::function<void()> endLoop_;
  bool enabled_ = false;
  bool busy_ = false;
  std::deque<std::function<void()>> pending_;
};

}  // namespace shell
