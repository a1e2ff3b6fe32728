// The game window's icon, from the PNGs that the build renders from the program's drawing.
#pragma once

#include <QIcon>

namespace shell_qt {

// The drawing at the sizes desktops show, read from the program's resources.
QIcon ProgramIcon();

}  // namespace shell_qt
