// The program's icon, drawn once in desktop/deradu.svg and rendered at any size from it: the
// window icon here, the desktop's icons at build time.
#pragma once

#include <QIcon>
#include <QImage>

namespace shell_qt {

// The drawing rendered into a size × size image.
QImage RenderProgramIcon(int size);
// The window icon: the drawing at the sizes desktops show.
QIcon ProgramIcon();

}  // namespace shell_qt
