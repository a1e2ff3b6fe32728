// The candidate grid's bitboards as plain words, read through its public Allows: for each
// digit and band of three rows, the band's cells that allow the digit, bit 9 * row + column
// within the band, as the grid keeps them. With the band known at compile time the 27 reads
// of a word fold into one masked load of the grid's own word; each word is read by a call of
// its own, as inlined into a loop the compiler may vectorise the reads instead of folding
// them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "game/engine/candidate_grid.h"

namespace engine {

// words[d - 1][band]: the cells of the band that allow digit d. A solved cell allows its
// digit only.
using GridWords = std::array<std::array<uint32_t, 3>, 9>;

template <int Band, size_t... Bit>
[[gnu::noinline]] uint32_t BandWord(const CandidateGrid& grid, int digit,
                                    std::index_sequence<Bit...>) {
  return ((uint32_t{grid.Allows(27 * Band + static_cast<int>(Bit), digit)} << Bit) | ...);
}

inline GridWords WordsOf(const CandidateGrid& grid) {
  constexpr auto kBits = std::make_index_sequence<27>();
  GridWords words;
  for (int d = 0; d < 9; ++d) {
    words[d] = {BandWord<0>(grid, d + 1, kBits), BandWord<1>(grid, d + 1, kBits),
                BandWord<2>(grid, d + 1, kBits)};
  }
  return words;
}

}  // namespace engine
