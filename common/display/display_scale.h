// Sizes in 96-DPI units and the device pixels of a display at another DPI. Both programs keep
// every size of their windows, stored or laid out, in 96-DPI units; a Win32 window that is
// aware of its monitor's DPI turns them into pixels only when it places or measures itself.
#pragma once

namespace display {

inline constexpr int kBaseDpi = 96;

// A measure in 96-DPI units as pixels at dpi, rounded to the nearest pixel.
int ToDevice(int measure, int dpi);
// Pixels at dpi as a measure in 96-DPI units, rounded to the nearest unit. For dpi 96 and
// above, FromDevice(ToDevice(m, dpi), dpi) == m.
int FromDevice(int pixels, int dpi);

// A rectangle (x, y, width, height) at dpi. Its edges are scaled rather than its size, so
// that rectangles that touch in 96-DPI units still touch, and no gap opens or closes by
// rounding.
template <typename Rect>
Rect ToDevice(const Rect& rect, int dpi) {
  Rect scaled = rect;
  scaled.x = ToDevice(rect.x, dpi);
  scaled.y = ToDevice(rect.y, dpi);
  scaled.width = ToDevice(rect.x + rect.width, dpi) - scaled.x;
  scaled.height = ToDevice(rect.y + rect.height, dpi) - scaled.y;
  return scaled;
}

}  // namespace display
