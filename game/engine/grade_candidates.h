// The pencil marks of a logical solve: each cell's candidates as a 9-bit mask (bit d - 1 for
// digit d), each digit's candidate cells as a set of cells, and the tables of units and
// peers the techniques look things up in. Units are numbered as Units() numbers them:
// columns 0-8, rows 9-17, then the boxes. Cell k = 9 * row + column.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/engine/board.h"
#include "game/engine/candidate_grid.h"

namespace engine {

// A set of cells: bit k of lo for cells 0-63, bit k - 64 of hi for cells 64-80.
struct CellSet {
  uint64_t lo = 0;
  uint64_t hi = 0;

  static CellSet Of(int k) {
    CellSet s;
    s.Add(k);
    return s;
  }
  void Add(int k) { (k < 64 ? lo : hi) |= uint64_t{1} << (k & 63); }
  void Remove(int k) { (k < 64 ? lo : hi) &= ~(uint64_t{1} << (k & 63)); }
  bool Has(int k) const { return ((k < 64 ? lo : hi) >> (k & 63)) & 1; }
  bool Empty() const { return (lo | hi) == 0; }
  // Clears bits one at a time rather than counting them at once, which is a library call
  // on processors without a bit-count instruction; the sets counted here are small.
  int Count() const {
    int n = 0;
    for (uint64_t w = lo; w; w &= w - 1) ++n;
    for (uint64_t w = hi; w; w &= w - 1) ++n;
    return n;
  }
  // The lowest cell; -1 for the empty set.
  int First() const { return lo ? std::countr_zero(lo) : hi ? 64 + std::countr_zero(hi) : -1; }
  bool Within(const CellSet& other) const { return (*this - other).Empty(); }

  CellSet operator&(const CellSet& o) const { return {lo & o.lo, hi & o.hi}; }
  CellSet operator|(const CellSet& o) const { return {lo | o.lo, hi | o.hi}; }
  CellSet operator-(const CellSet& o) const { return {lo & ~o.lo, hi & ~o.hi}; }
  CellSet& operator|=(const CellSet& o) { return *this = *this | o; }
  bool operator==(const CellSet&) const = default;

  template <typename F>
  void ForEach(F f) const {
    for (uint64_t w = lo; w; w &= w - 1) f(std::countr_zero(w));
    for (uint64_t w = hi; w; w &= w - 1) f(64 + std::countr_zero(w));
  }
};

inline constexpr CellSet kAllCells{~uint64_t{0}, (uint64_t{1} << 17) - 1};

constexpr int ColumnUnit(int column) { return column; }
constexpr int RowUnit(int row) { return 9 + row; }
constexpr int BoxUnit(int k) { return 18 + 3 * (ColumnOf(k) / 3) + RowOf(k) / 3; }
// The number of bits of a 9-bit mask, from a table for the same reason as CellSet::Count.
inline int BitCount9(uint16_t bits) {
  static constexpr auto kCounts = [] {
    std::array<uint8_t, 512> counts{};
    for (int i = 1; i < 512; ++i) counts[i] = static_cast<uint8_t>(counts[i >> 1] + (i & 1));
    return counts;
  }();
  return kCounts[bits & 511];
}
constexpr uint16_t DigitBit(int d) { return static_cast<uint16_t>(1u << (d - 1)); }

struct GradeTables {
  std::array<CellSet, 27> unit;   // the cells of each unit
  std::array<CellSet, 81> peers;  // the 20 cells sharing a unit with a cell
  // The 54 places where a box meets a row or a column: the box's unit, the line's unit
  // and the three cells they share.
  struct Intersection {
    int box;
    int line;
    CellSet cells;
  };
  std::array<Intersection, 54> intersections;
};
GradeTables MakeGradeTables();
// Inline, as the techniques look things up in it in their inner loops.
inline const GradeTables& Tables() {
  static const GradeTables tables = MakeGradeTables();
  return tables;
}

// The cells that see every cell of a set (a cell does not see itself).
CellSet CommonPeers(const CellSet& cells);

// What one application of a technique found: digits to place and candidates to strike.
struct Deduction {
  std::array<int8_t, 81> place{};     // a digit 1-9 to place, 0 for none
  std::array<uint16_t, 81> strike{};  // candidate bits to remove
  // The candidates of the patterns that found it, to show a deduction to a player; the
  // solve itself does not look at them.
  std::array<uint16_t, 81> pattern{};

  bool Empty() const;
};

class Pencilmarks {
 public:
  // An empty grid, every cell allowing every digit.
  Pencilmarks();
  // The givens placed, their peers' candidates struck; false when two givens clash.
  bool PlaceAll(const Digits& givens);
  // Puts d into cell k and strikes d from its peers; false when k does not allow d.
  bool Place(int k, int d);
  void Strike(int k, uint16_t digits);
  // Places and strikes what a deduction found; struck candidates already gone are ignored.
  void Apply(const Deduction& deduction);

  uint16_t Candidates(int k) const { return candidates_[k]; }
  // The unsolved cells that allow digit d.
  const CellSet& CellsOf(int d) const { return cellsOf_[d - 1]; }
  int DigitAt(int k) const { return digits_[k]; }
  const Digits& Solved() const { return digits_; }
  bool IsComplete() const;
  // An unsolved cell is left without a candidate.
  bool IsBroken() const;

 private:
  friend bool PencilmarksFromText(std::string_view text, Pencilmarks& marks);

  Digits digits_{};
  std::array<uint16_t, 81> candidates_;  // 0 for a solved cell
  std::array<CellSet, 9> cellsOf_;
};

// Pencil marks as text, for tests and reports: 81 fields separated by blanks, a solved cell
// as its digit, an unsolved one as its candidates in brackets ("[358]").
std::string PencilmarksText(const Pencilmarks& marks);
// Reads that text back; false when it is not 81 such fields.
bool PencilmarksFromText(std::string_view text, Pencilmarks& marks);

}  // namespace engine
