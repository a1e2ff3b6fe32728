// Sizes in 96-DPI units and the device pixels of a display at another DPI.
#include "common/display/display_scale.h"

#include <cstdint>

namespace display {
namespace {

// value * numerator / denominator, rounded half away from zero as Win32's MulDiv does.
int ScaleRounded(int value, int numerator, int denominator) {
  if (numerator <= 0 || denominator <= 0) return value;
  const int64_t product = int64_t{value} * numerator;
  const int64_t half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}

}  // namespace

int ToDevice(int measure, int dpi) { return ScaleRounded(measure, dpi, kBaseDpi); }

int FromDevice(int pixels, int dpi) { return ScaleRounded(pixels, kBaseDpi, dpi); }

}  // namespace display
