// Candidate bitboards with constraint propagation and a completion counter.
//
// Propagation, for one digit within one band: each of the band's three rows and three boxes
// holds the digit exactly once, so its rows map one-to-one onto its boxes. A minirow (the
// three cells where a row crosses a box) may hold the digit only if some such one-to-one map
// that uses only minirows with candidates uses it. Across the bands, each column holds the
// digit once: a column with candidates in one band only must get the digit there, and a box
// whose candidates lie in one column takes that column from the other bands. Besides, a
// cell with a single candidate, and a row, box or column with a single place for a digit,
// fix that cell. Every rule removes only candidates that no completion uses.
#include "game/engine/candidate_grid.h"

#include <algorithm>
#include <bit>

// Every x86-64 processor has SSE2, which compares four entries at once; elsewhere a plain
// loop does the same.
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define CANDIDATE_GRID_SSE2 1
#endif

namespace engine {
namespace {

constexpr uint32_t kBandMask = (1u << 27) - 1;

constexpr uint32_t Fold(uint32_t band) { return (band | band >> 9 | band >> 18) & 511; }
constexpr uint32_t Spread(uint32_t columns) { return columns | columns << 9 | columns << 18; }
constexpr bool IsSingleBit(uint32_t x) { return x != 0 && (x & (x - 1)) == 0; }

struct Tables {
  // Boxes (bit 0-2) in which a 9-bit row has candidates.
  std::array<uint8_t, 512> boxesOfRow{};
  // Minirow bit 3 * row + box: the minirows some one-to-one map of rows onto boxes within
  // the given set uses; 0 when there is none.
  std::array<uint16_t, 512> usableMinirows{};
  // The band cells of a set of minirows.
  std::array<uint32_t, 512> cellsOfMinirows{};
  // For the columns that must take the digit in this band: the band cells still allowed,
  // a box holding such a column keeping that column only; 0 when a box holds two of them.
  std::array<uint32_t, 512> allowedByColumns{};
  // For the columns holding candidates: those that are the only one of their box.
  std::array<uint16_t, 512> lonelyColumns{};
  // Peers of a band cell within its band (its row and box), and the cell's column.
  std::array<uint32_t, 27> bandPeers{};
  std::array<uint8_t, 27> columnOf{};
  // The band of an entry 9 * band + digit, and the band after a band, cyclically.
  std::array<uint8_t, 27> bandOf{};
  std::array<uint8_t, 3> nextBand{1, 2, 0};
  // Members of a 9-bit set.
  std::array<uint8_t, 512> bitCount{};
};

constexpr Tables MakeTables() {
  Tables t;
  for (uint32_t v = 0; v < 512; ++v) {
    uint32_t boxes = 0;
    uint32_t allowed = 0;
    uint32_t lonely = 0;
    bool valid = true;
    for (int box = 0; box < 3; ++box) {
      uint32_t group = (v >> (3 * box)) & 7;
      if (group != 0) boxes |= 1u << box;
      if (IsSingleBit(group)) lonely |= group << (3 * box);
      if (group != 0 && !IsSingleBit(group)) valid = false;
      allowed |= (group != 0 ? group : 7u) << (3 * box);
    }
    t.boxesOfRow[v] = static_cast<uint8_t>(boxes);
    t.bitCount[v] = static_cast<uint8_t>(std::popcount(v));
    t.allowedByColumns[v] = valid ? Spread(allowed) : 0;
    t.lonelyColumns[v] = static_cast<uint16_t>(lonely);

    constexpr int kMaps[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    uint32_t usable = 0;
    for (const auto& map : kMaps) {
      uint32_t used = 1u << map[0] | 1u << (3 + map[1]) | 1u << (6 + map[2]);
      if ((used & v) == used) usable |= used;
    }
    t.usableMinirows[v] = static_cast<uint16_t>(usable);

    uint32_t cells = 0;
    for (int m = 0; m < 9; ++m) {
      if ((v >> m) & 1) cells |= 7u << (9 * (m / 3) + 3 * (m % 3));
    }
    t.cellsOfMinirows[v] = cells;
  }
  for (int i = 0; i < 27; ++i) {
    int row = i / 9;
    int column = i % 9;
    uint32_t peers = 0;
    for (int j = 0; j < 27; ++j) {
      if (j != i && (j / 9 == row || (j % 9) / 3 == column / 3)) peers |= 1u << j;
    }
    t.bandPeers[i] = peers;
    t.columnOf[i] = static_cast<uint8_t>(column);
    t.bandOf[i] = static_cast<uint8_t>(i / 9);
  }
  return t;
}

constexpr Tables kTables = MakeTables();

constexpr uint32_t RowMask(int row) { return 511u << (9 * row); }
constexpr uint32_t BoxMask(int box) { return Spread(7u << (3 * box)); }

}  // namespace

CandidateGrid::CandidateGrid() {
  cand_.fill(kBandMask);
  cand_[27] = 0;
  seen_.fill(0);
  for (uint32_t& band : unsolved_) band = kBandMask;
}

int CandidateGrid::DigitAt(int k) const {
  return IsSolved(k) ? std::countr_zero(CandidatesOf(k)) + 1 : 0;
}

bool CandidateGrid::Place(int k, int d) {
  return Assign(d - 1, k / 27, 1u << (k % 27)) && Propagate();
}

bool CandidateGrid::PlaceAll(const Digits& digits) {
  for (int k = 0; k < 81; ++k) {
    int d = digits[k];
    if (d != 0 && !Assign(d - 1, k / 27, 1u << (k % 27))) return false;
  }
  return Propagate();
}

bool CandidateGrid::Eliminate(int k, int d) {
  cand_[9 * (k / 27) + d - 1] &= ~(1u << (k % 27));
  return Propagate();
}

// Fixes digit (0-8) in one cell: the cell loses every other digit, its peers lose this one.
bool CandidateGrid::Assign(int digit, int band, uint32_t bit) {
  if (!(cand_[9 * band + digit] & bit)) return false;
  if (!(unsolved_[band] & bit)) return true;
  unsolved_[band] &= ~bit;
  const int i = std::countr_zero(bit);
  // The cell's column within its own band lies in its box, among its peers.
  const uint32_t own = (cand_[9 * band + digit] & ~kTables.bandPeers[i]) | bit;
  for (int d = 0; d < 9; ++d) cand_[9 * band + d] &= ~bit;
  const uint32_t column = Spread(1u << kTables.columnOf[i]);
  for (int b = 0; b < 3; ++b) cand_[9 * b + digit] &= ~column;
  cand_[9 * band + digit] = own;
  return true;
}

// Inline: it is propagation's innermost step, called from the one loop below.
inline bool CandidateGrid::UpdateDigitBand(int index) {
  const int band = kTables.bandOf[index];
  const int digit = index - 9 * band;
  const int next = kTables.nextBand[band];
  const int last = 3 - band - next;
  uint32_t cells = cand_[9 * band + digit];
  const uint32_t elsewhere = Fold(cand_[9 * next + digit]) | Fold(cand_[9 * last + digit]);
  uint32_t mustHere;
  for (;;) {
    uint32_t minirows = kTables.boxesOfRow[cells & 511] |
                        kTables.boxesOfRow[(cells >> 9) & 511] << 3 |
                        kTables.boxesOfRow[cells >> 18] << 6;
    uint32_t usable = kTables.usableMinirows[minirows];
    if (usable == 0) return false;
    cells &= kTables.cellsOfMinirows[usable];
    uint32_t here = Fold(cells);
    if ((here | elsewhere) != 511) return false;
    mustHere = here & ~elsewhere;
    uint32_t allowed = cells & kTables.allowedByColumns[mustHere];
    if (allowed == cells) break;
    cells = allowed;
  }
  cand_[9 * band + digit] = cells;
  seen_[9 * band + digit] = cells;

  const uint32_t lonely = Spread(kTables.lonelyColumns[Fold(cells)]);
  cand_[9 * next + digit] &= ~lonely;
  cand_[9 * last + digit] &= ~lonely;

  uint32_t singles = 0;
  for (int part = 0; part < 3; ++part) {
    uint32_t row = cells & RowMask(part);
    uint32_t box = cells & BoxMask(part);
    if (IsSingleBit(row)) singles |= row;
    if (IsSingleBit(box)) singles |= box;
  }
  uint32_t r0 = cells & 511, r1 = (cells >> 9) & 511, r2 = cells >> 18;
  uint32_t inOneRow = (r0 ^ r1 ^ r2) & ~(r0 & r1 & r2);
  singles |= cells & Spread(inOneRow & mustHere);
  singles &= unsolved_[band];
  while (singles != 0) {
    uint32_t bit = singles & (0u - singles);
    singles ^= bit;
    if (!Assign(digit, band, bit)) return false;
  }
  return true;
}

// Cells left with one candidate get it; a cell with none fails. All three bands are looked at
// before any cell is placed, so that the common case, no such cell, takes no branch per band.
bool CandidateGrid::AssignCellSingles(bool& placed) {
  uint32_t singles[3];
  uint32_t empty = 0;
  for (int b = 0; b < 3; ++b) {
    uint32_t once = 0, twice = 0;
    for (int d = 0; d < 9; ++d) {
      const uint32_t cells = cand_[9 * b + d];
      twice |= once & cells;
      once |= cells;
    }
    empty |= unsolved_[b] & ~once;
    singles[b] = unsolved_[b] & once & ~twice;
  }
  if (empty != 0) return false;
  placed = (singles[0] | singles[1] | singles[2]) != 0;
  if (!placed) return true;
  for (int b = 0; b < 3; ++b) {
    for (uint32_t cells = singles[b]; cells != 0; cells &= cells - 1) {
      const int i = std::countr_zero(cells);
      // Placing an earlier single may have taken this cell's last candidate.
      const uint32_t digits = DigitsOf(b, i);
      if (digits == 0 || !Assign(std::countr_zero(digits), b, 1u << i)) return false;
    }
  }
  return true;
}

// Found without a branch per entry, as which of them changed is hard to predict.
uint32_t CandidateGrid::ChangedEntries() const {
  uint32_t changed = 0;
#ifdef CANDIDATE_GRID_SSE2
  for (int i = 0; i < 28; i += 4) {
    const __m128i now = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&cand_[i]));
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&seen_[i]));
    const int same = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(now, before)));
    changed |= static_cast<uint32_t>(~same & 15) << i;
  }
#else
  for (int i = 0; i < 27; ++i) {
    const uint32_t difference = cand_[i] ^ seen_[i];
    changed |= ((difference | (0u - difference)) >> 31) << i;
  }
#endif
  return changed;
}

bool CandidateGrid::Propagate() {
  // Whether the last look for cells with one candidate placed any; true at first so that it
  // is looked for at least once.
  bool placed = true;
  for (;;) {
    uint32_t changed = ChangedEntries();
    if (changed == 0 && !placed) return true;
    for (; changed != 0; changed &= changed - 1) {
      if (!UpdateDigitBand(std::countr_zero(changed))) return false;
    }
    if (!AssignCellSingles(placed)) return false;
  }
}

// The three rows of one column of a band word, as bits 0-2.
constexpr uint32_t ColumnBits(uint32_t band, int column) {
  const uint32_t cells = (band >> column) & 0x40201;
  return (cells | cells >> 8 | cells >> 16) & 7;
}

// How much placing the digit (0-8) in bit i of the band strikes: the other cells that see it
// and may hold the digit, those of its band with two candidates (which it leaves with one)
// counting thrice.
inline int CandidateGrid::StrikeScore(int band, int i, int digit, uint32_t pairs) const {
  const uint32_t peers = cand_[9 * band + digit] & kTables.bandPeers[i];
  const uint32_t pairPeers = peers & pairs;
  const int column = kTables.columnOf[i];
  const uint32_t others = ColumnBits(cand_[9 * (band == 0 ? 2 : band - 1) + digit], column) |
                          ColumnBits(cand_[9 * (band == 2 ? 0 : band + 1) + digit], column) << 3;
  return kTables.bitCount[peers & 511] + kTables.bitCount[(peers >> 9) & 511] +
         kTables.bitCount[peers >> 18] + kTables.bitCount[others] +
         2 * (kTables.bitCount[pairPeers & 511] + kTables.bitCount[(pairPeers >> 9) & 511] +
              kTables.bitCount[pairPeers >> 18]);
}

int CandidateGrid::BranchCell(const std::array<uint16_t, 81>& failures) const {
  uint32_t pairs[3];
  bool anyPair = false;
  for (int b = 0; b < 3; ++b) {
    uint32_t once = 0, twice = 0, thrice = 0;
    for (int d = 0; d < 9; ++d) {
      const uint32_t cells = cand_[9 * b + d];
      thrice |= twice & cells;
      twice |= once & cells;
      once |= cells;
    }
    pairs[b] = unsolved_[b] & twice & ~thrice;
    anyPair |= pairs[b] != 0;
  }
  int best = -1;
  if (anyPair) {
    // Of the cells with two candidates, the one where either digit strikes the most, which
    // keeps the search small. A cell whose branch failed before counts as striking two more
    // for each failure, as the search tends to meet the same contradiction again. The key
    // puts the score above the cell's index taken from 127, so that a tie goes to the first
    // cell and the choice is a plain maximum, without a hard-to-predict branch.
    int bestKey = 0;
    for (int b = 0; b < 3; ++b) {
      for (uint32_t cells = pairs[b]; cells != 0; cells &= cells - 1) {
        const int i = std::countr_zero(cells);
        const uint32_t digits = DigitsOf(b, i);
        const int score = StrikeScore(b, i, std::countr_zero(digits), pairs[b]) +
                          StrikeScore(b, i, std::countr_zero(digits & (digits - 1)), pairs[b]);
        const int weighted = score + 2 * failures[27 * b + i];
        bestKey = std::max(bestKey, weighted << 7 | (127 - 27 * b - i));
      }
    }
    return 127 - (bestKey & 127);
  }
  int bestCount = 10;
  for (int b = 0; b < 3; ++b) {
    for (uint32_t open = unsolved_[b]; open != 0; open &= open - 1) {
      const int i = std::countr_zero(open);
      int count = 0;
      for (int d = 0; d < 9; ++d) count += (cand_[9 * b + d] >> i) & 1;
      if (count < bestCount) {
        bestCount = count;
        best = 27 * b + i;
      }
    }
  }
  return best;
}

namespace {

// The first of a set of digits (bit d - 1 for digit d, not empty) in the cycle 1-9 from a
// start digit.
int FirstInCycle(uint32_t digits, int start) {
  const int shift = start - 1;
  const uint32_t rotated = (digits >> shift | digits << (9 - shift)) & 511;
  return (shift + std::countr_zero(rotated)) % 9 + 1;
}

struct Counter {
  int limit;
  const StartDigits& start;
  Digits* first;
  SearchMonitor& monitor;
  const NodeFilter& filter;
  int found = 0;
  std::array<uint16_t, 81> failures{};

  // Counts the completions of grid, which it uses up: those with the first digit of a
  // cell in a copy, then, that digit struck from the cell, the rest in grid itself.
  void Explore(CandidateGrid& grid) {
    while (found < limit) {
      if (found > 0 && filter && !filter(grid)) return;
      if (grid.IsComplete()) {
        if (found++ == 0 && first != nullptr) {
          for (int k = 0; k < 81; ++k) (*first)[k] = static_cast<int8_t>(grid.DigitAt(k));
        }
        return;
      }
      const int k = grid.BranchCell(failures);
      const uint32_t digits = grid.CandidatesOf(k);
      const int d = FirstInCycle(digits, start[k]);
      if (!monitor.Step()) return;
      CandidateGrid child = grid;
      if (child.Place(k, d)) {
        Explore(child);
      } else {
        // A cell whose digits fail at once is worth branching on early: weigh it strongly.
        failures[k] += 2;
      }
      // Without d, a cell with two candidates holds the other one: placing it at once spares
      // propagation the round that would find it.
      const uint32_t rest = digits & ~(1u << (d - 1));
      if (!((rest & (rest - 1)) == 0 ? grid.Place(k, std::countr_zero(rest) + 1)
                                     : grid.Eliminate(k, d))) {
        return;
      }
    }
  }
};

}  // namespace

int CountCompletions(const CandidateGrid& grid, int limit, const StartDigits& start,
                     Digits* first, SearchMonitor& monitor, const NodeFilter& filter) {
  Counter counter{limit, start, first, monitor, filter};
  CandidateGrid work = grid;
  counter.Explore(work);
  return monitor.Abandoned() ? 0 : counter.found;
}

}  // namespace engine
