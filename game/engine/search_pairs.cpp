// Hidden pairs on the candidate grid's bitboards.
//
// On the grid's words (one per digit and band of three rows): a row's places for a digit are
// nine bits of its band's word, a box's are three runs of three, a column's one bit of each
// row. Two digits that a unit allows in the same two cells only fill those cells: every other
// digit goes from both. Pairs are found on a snapshot of the words and struck afterwards: a
// candidate that no completion of the snapshot uses stays unused as the grid narrows.
#include "game/engine/search_pairs.h"

#include <array>
#include <bit>
#include <cstdint>

#include "game/engine/grid_words.h"

namespace engine {
namespace {

// Units 0-8 the rows, 9-17 the columns, 18-26 the boxes (box 3 * band + third), each as the
// cell of every bit of its place masks.
constexpr std::array<std::array<uint8_t, 9>, 27> MakeUnitCells() {
  std::array<std::array<uint8_t, 9>, 27> cells{};
  for (int u = 0; u < 9; ++u) {
    for (int i = 0; i < 9; ++i) {
      cells[u][i] = static_cast<uint8_t>(9 * u + i);
      cells[9 + u][i] = static_cast<uint8_t>(9 * i + u);
      cells[18 + u][i] = static_cast<uint8_t>(27 * (u / 3) + 9 * (i / 3) + 3 * (u % 3) + i % 3);
    }
  }
  return cells;
}
constexpr auto kUnitCells = MakeUnitCells();

// The three rows of one column of a band word, as bits 0-2.
constexpr uint32_t ColumnBits(uint32_t word, int column) {
  const uint32_t cells = (word >> column) & 0x40201;
  return (cells | cells >> 8 | cells >> 16) & 7;
}

// Whether a 9-bit mask has exactly two bits, without a branch or a bit-count instruction.
constexpr bool IsPair(uint32_t bits) {
  const uint32_t rest = bits & (bits - 1);
  return (rest != 0) & ((rest & (rest - 1)) == 0);
}

// The places of one digit (0-8) in the units where it has exactly two, bit i for the unit's
// cell i, and the digit's bit in pairDigits of those units.
void FindTwoPlaces(const std::array<uint32_t, 3>& words, int digit,
                   std::array<std::array<uint16_t, 27>, 9>& placesOf,
                   std::array<uint16_t, 27>& pairDigits) {
  std::array<uint16_t, 27>& places = placesOf[digit];
  // Per column, whether the digit has one, two or three or more places in it.
  uint32_t once = 0, twice = 0, thrice = 0;
  for (int band = 0; band < 3; ++band) {
    const uint32_t word = words[band];
    for (int third = 0; third < 3; ++third) {
      const uint32_t row = word >> (9 * third) & 511;
      places[3 * band + third] = static_cast<uint16_t>(row);
      thrice |= twice & row;
      twice |= once & row;
      once |= row;
      const uint32_t box = word >> (3 * third);
      places[18 + 3 * band + third] =
          static_cast<uint16_t>((box & 7) | (box >> 9 & 7) << 3 | (box >> 18 & 7) << 6);
    }
  }
  for (int u = 0; u < 9; ++u) {
    pairDigits[u] |= static_cast<uint16_t>(IsPair(places[u]) << digit);
    pairDigits[18 + u] |= static_cast<uint16_t>(IsPair(places[18 + u]) << digit);
  }
  for (uint32_t columns = twice & ~thrice; columns != 0; columns &= columns - 1) {
    const int column = std::countr_zero(columns);
    places[9 + column] = static_cast<uint16_t>(ColumnBits(words[0], column) |
                                               ColumnBits(words[1], column) << 3 |
                                               ColumnBits(words[2], column) << 6);
    pairDigits[9 + column] |= static_cast<uint16_t>(1u << digit);
  }
}

}  // namespace

bool StrikePairs(CandidateGrid& grid) {
  if (grid.IsComplete()) return true;
  // pairDigits[u]: the digits with exactly two places in unit u; placesOf[d][u]: those of
  // digit d + 1 there, when it is one of them.
  const GridWords words = WordsOf(grid);
  std::array<std::array<uint16_t, 27>, 9> placesOf;
  std::array<uint16_t, 27> pairDigitsOf{};
  for (int d = 0; d < 9; ++d) FindTwoPlaces(words[d], d, placesOf, pairDigitsOf);
  std::array<uint16_t, 81> strike{};
  for (int u = 0; u < 27; ++u) {
    const uint32_t pairDigits = pairDigitsOf[u];
    if ((pairDigits & (pairDigits - 1)) == 0) continue;
    for (uint32_t later = pairDigits & (pairDigits - 1); later != 0; later &= later - 1) {
      const int d = std::countr_zero(later);
      for (uint32_t earlier = pairDigits & ((1u << d) - 1); earlier != 0; earlier &= earlier - 1) {
        const int e = std::countr_zero(earlier);
        if (placesOf[e][u] != placesOf[d][u]) continue;
        const uint16_t others = static_cast<uint16_t>(511 & ~(1u << d | 1u << e));
        for (uint32_t places = placesOf[d][u]; places != 0; places &= places - 1) {
          strike[kUnitCells[u][std::countr_zero(places)]] |= others;
        }
      }
    }
  }
  // The propagation after one strike may already have taken a later one.
  for (int k = 0; k < 81; ++k) {
    for (uint32_t digits = strike[k]; digits != 0; digits &= digits - 1) {
      const int d = std::countr_zero(digits) + 1;
      if (grid.Allows(k, d) && !grid.Eliminate(k, d)) return false;
    }
  }
  return true;
}

}  // namespace engine
