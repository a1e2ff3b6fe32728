// The keyboard focus mark of every gadget of the main window: a ring along its edge, black or
// white against its face, so that it stands out at least 3 : 1 from the unfocused look in
// light and dark system colours and on every cell colour.
#pragma once

#include <windows.h>

#include <functional>

#include "game/engine/platform.h"

namespace shell_win32 {

// Makes the gadget draw the ring, over what the control draws, while it has the focus: it is
// drawn when the focus arrives and goes when the focus leaves, and is drawn again after
// anything the control paints. face gives the colour the ring stands against. The ring lies
// just inside the gadget's frame (a cell's sunken edge, a button's bevel), whose colours are
// the system's rather than the face's: three pixels wide at 96 DPI, scaled with the gadget's
// DPI.
void AddFocusRing(HWND gadget, std::function<engine::Rgb()> face);

}  // namespace shell_win32
