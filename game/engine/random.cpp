// The game's reseedable generator.
#include "game/engine/random.h"

#include <chrono>

namespace engine {

uint32_t ClockSeed() {
  return static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

int RandomGenerator::Next(int maxInclusive) {
  if (maxInclusive <= 0) return 0;
  // Rejection sampling keeps every value equally likely and, unlike the standard
  // distributions, gives the same sequence with every standard library.
  const uint32_t range = static_cast<uint32_t>(maxInclusive) + 1;
  const uint32_t limit = UINT32_MAX - UINT32_MAX % range;
  uint32_t value;
  do {
    value = engine_();
  } while (value >= limit);
  return static_cast<int>(value % range);
}

}  // namespace engine
