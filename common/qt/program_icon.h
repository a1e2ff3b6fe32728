// The program's icon, drawn once in desktop/deradu.svg and rendered at any size from it by the
// build, for the window and the desktop's icon theme.
#pragma once

#include <QImage>

namespace shell_qt {

// The drawing rendered into a size × size image.
QImage RenderProgramIcon(int size);

}  // namespace shell_qt
