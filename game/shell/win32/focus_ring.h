// The keyboard focus mark of every gadget of the main window: a ring just inside its frame
// (a cell's sunken edge, a button's bevel), whose colours are the system's rather than the
// face's. Each pixel of the ring is black or white, whichever stands farther from the pixel
// the control drew there, so that the ring stands out at least 3 : 1 from the unfocused look
// on any face, swatch, visual style or system colours. It is three pixels wide at 96 DPI and
// scales with the gadget's DPI.
#pragma once

#include <windows.h>

namespace shell_win32 {

// Makes the gadget draw the ring over what the control draws while it has the focus: the
// gadget is drawn again when the focus arrives or leaves, and the ring again over whatever the
// control paints.
void AddFocusRing(HWND gadget);

}  // namespace shell_win32
