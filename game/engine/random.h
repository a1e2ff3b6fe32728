// The game's reseedable generator. Its sequence is fixed by the seed on every platform, so
// the same folder gives the same start-up puzzle and a seeded search the same grid.
#pragma once

#include <cstdint>
#include <random>

namespace engine {

// A seed from the wall clock, different at every start of the game.
uint32_t ClockSeed();

class RandomGenerator {
 public:
  explicit RandomGenerator(uint32_t seed = 0) : engine_(seed) {}
  void Reseed(uint32_t seed) { engine_.seed(seed); }
  // A whole number from 0 to maxInclusive, uniformly.
  int Next(int maxInclusive);

 private:
  std::mt19937 engine_;
};

}  // namespace engine
