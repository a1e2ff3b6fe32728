// The program's icon, a 32 x 32 picture of the board drawn at start-up.
#pragma once

#include <windows.h>

namespace shell_win32 {

// A new icon; the caller destroys it.
HICON MakeProgramIcon();

}  // namespace shell_win32
