// Whether the viewer opens its window at the place stored at its last exit: only where the
// player can see and grab its title bar. A place stored on a screen that is gone, or the
// meaningless place a Wayland session reports (such as -3, -30), would put it out of reach.
#pragma once

#include <span>

#include "viewer/controls.h"
#include "viewer/viewer_platform.h"

namespace viewer {

// The title bar counts as the frame's top kTitleBarHeight pixels; it is on a screen when that
// strip lies within the screen's height and at least kTitleBarGrip pixels of its width (all
// of it, for a narrower window) within the screen's width. Screens are their work areas, in
// the same coordinates as the place.
inline constexpr int kTitleBarHeight = 20;
inline constexpr int kTitleBarGrip = 40;
bool TitleBarOnSomeScreen(const WindowMeasures& place, std::span<const Rect> screens);

}  // namespace viewer
