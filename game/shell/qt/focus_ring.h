// The keyboard focus mark of every gadget: a ring two pixels wide along its edge, black or
// white against its face, so that it stands out at least 3 : 1 from the unfocused look on
// light and dark desktops and on every cell colour.
#pragma once

#include <QColor>

class QWidget;

namespace shell_qt {

// Draws the ring over the widget's edge when it has the focus; call last in paintEvent.
void DrawFocusRing(QWidget* widget, const QColor& face);

}  // namespace shell_qt
