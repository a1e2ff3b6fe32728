// The window icon of both programs, from the images that the build renders from the one drawing.
#pragma once

#include <QIcon>

namespace shell_qt {

// The drawing at the sizes desktops show, read from the program's resources.
QIcon ProgramIcon();

}  // namespace shell_qt
