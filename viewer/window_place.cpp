// The on-screen rule for the viewer's stored window place.
#include "viewer/window_place.h"

#include <algorithm>
#include <cstdint>

namespace viewer {

bool TitleBarOnSomeScreen(const WindowMeasures& place, std::span<const Rect> screens) {
  // 64-bit sums: stored values are any 32-bit numbers a hand-edited file holds.
  const int64_t left = place.left;
  const int64_t top = place.top;
  const int64_t right = left + std::max(place.width, 1);
  const int64_t grip = std::min<int64_t>(kTitleBarGrip, right - left);
  return std::ranges::any_of(screens, [&](const Rect& screen) {
    const int64_t screenRight = int64_t{screen.x} + screen.width;
    const int64_t screenBottom = int64_t{screen.y} + screen.height;
    const int64_t overlap = std::min(right, screenRight) - std::max(left, int64_t{screen.x});
    return top >= screen.y && top + kTitleBarHeight <= screenBottom && overlap >= grip;
  });
}

}  // namespace viewer
