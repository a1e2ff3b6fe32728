// The system's simple beep and question sound as the desktop's event sounds.
#pragma once

#include "game/engine/platform.h"

namespace shell {

// Plays the desktop's event sound for the beep ("bell" or "dialog-question" of the sound
// theme) without waiting. False when the desktop offers no way to, so that the caller rings
// the plain bell instead.
bool PlayDesktopBeep(engine::Beep beep);

}  // namespace shell
