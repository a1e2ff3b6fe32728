// The keyboard focus mark of every gadget: a ring along its edge, black or white against its
// face, so that it stands out at least 3 : 1 from the unfocused look on light and dark
// desktops and on every cell colour.
#pragma once

#include <QColor>

class QWidget;

namespace shell_qt {

// Draws the ring when the widget has the focus; call last in paintEvent. A gadget the style
// frames gets it just inside the frame, whose colour comes from the window rather than the
// face: three pixels wide, as much as two along the gadget's own edge. A gadget drawn
// without a frame gets it over its edge, two pixels wide.
enum class RingPlace { InsideFrame, OverEdge };
void DrawFocusRing(QWidget* widget, const QColor& face, RingPlace place);

}  // namespace shell_qt
