// Uniqueness techniques. They hold only for a puzzle with exactly one solution: four cells
// at the corners of a rectangle in two rows, two columns and two boxes that could hold only
// digits a and b would let a and b swap, giving a second solution, so the rectangle must be
// kept from that (unique rectangles); and a grid where every unsolved cell holds two
// candidates and every digit two places in each unit has two solutions, so the one cell
// that keeps it from that holds its extra digit (BUG+1).
#include <bit>
#include <vector>

#include "game/engine/grade_techniques.h"

namespace engine {
namespace {

struct Rectangle {
  std::array<int, 4> cells;  // corners: the two of the first row, then the two of the second
  uint16_t pair;             // the digits a and b
};

// Every rectangle of unsolved cells across two boxes whose four cells all allow both digits
// of a pair.
std::vector<Rectangle> Rectangles(const Pencilmarks& marks) {
  std::vector<Rectangle> found;
  for (int r1 = 0; r1 < 9; ++r1) {
    for (int r2 = r1 + 1; r2 < 9; ++r2) {
      for (int c1 = 0; c1 < 9; ++c1) {
        for (int c2 = c1 + 1; c2 < 9; ++c2) {
          if ((r1 / 3 == r2 / 3) == (c1 / 3 == c2 / 3)) continue;  // two boxes, not one or four
          const std::array<int, 4> cells = {9 * r1 + c1, 9 * r1 + c2, 9 * r2 + c1, 9 * r2 + c2};
          uint16_t common = 511;
          for (int k : cells) common &= marks.Candidates(k);
          for (uint16_t a = common; a; a &= a - 1) {
            for (uint16_t b = a & (a - 1); b; b &= b - 1) {
              found.push_back({cells, static_cast<uint16_t>((a & -a) | (b & -b))});
            }
          }
        }
      }
    }
  }
  return found;
}

// The rectangle's corners split into a floor of two cells holding just the pair, side by
// side in a row or column, and a roof of two with more: floor and roof as corner indices.
bool SplitFloorAndRoof(const Pencilmarks& marks, const Rectangle& rectangle,
                       std::array<int, 2>& roof) {
  int floorMask = 0;
  for (int i = 0; i < 4; ++i) {
    if (marks.Candidates(rectangle.cells[i]) == rectangle.pair) floorMask |= 1 << i;
  }
  // Side by side: corners 0 and 1 or 2 and 3 share a row, 0 and 2 or 1 and 3 a column.
  for (const auto& [floor, top] : {std::pair{0b0011, std::array{2, 3}},
                                   std::pair{0b1100, std::array{0, 1}},
                                   std::pair{0b0101, std::array{1, 3}},
                                   std::pair{0b1010, std::array{0, 2}}}) {
    if (floorMask == floor) {
      roof = top;
      return true;
    }
  }
  return false;
}

// The units both roof cells lie in: their row or column, and their box when they share it.
std::vector<int> SharedUnits(int a, int b) {
  std::vector<int> units;
  if (RowOf(a) == RowOf(b)) units.push_back(RowUnit(RowOf(a)));
  if (ColumnOf(a) == ColumnOf(b)) units.push_back(ColumnUnit(ColumnOf(a)));
  if (BoxUnit(a) == BoxUnit(b)) units.push_back(BoxUnit(a));
  return units;
}

CellSet CornersOf(const Rectangle& rectangle) {
  CellSet corners;
  for (int k : rectangle.cells) corners.Add(k);
  return corners;
}

template <typename F>
bool ForEachRoof(const Pencilmarks& marks, F found) {
  bool any = false;
  for (const Rectangle& rectangle : Rectangles(marks)) {
    std::array<int, 2> roof;
    if (SplitFloorAndRoof(marks, rectangle, roof)) {
      any |= found(rectangle, rectangle.cells[roof[0]], rectangle.cells[roof[1]]);
    }
  }
  return any;
}

}  // namespace

// Type 1: three corners hold only a and b, so the fourth cannot hold either.
bool FindUniqueRectangles1(const Pencilmarks& marks, Deduction& found) {
  bool any = false;
  for (const Rectangle& rectangle : Rectangles(marks)) {
    int plain = 0, other = -1;
    for (int k : rectangle.cells) {
      if (marks.Candidates(k) == rectangle.pair) {
        ++plain;
      } else {
        other = k;
      }
    }
    if (plain == 3) {
      any |= MarkPattern(marks, CornersOf(rectangle), rectangle.pair, found,
                         StrikeCandidates(marks, other, rectangle.pair, found));
    }
  }
  return any;
}

// Type 2: the roof cells each hold one extra digit, the same c: one of them holds c, so no
// cell seeing both does.
bool FindUniqueRectangles2(const Pencilmarks& marks, Deduction& found) {
  return ForEachRoof(marks, [&](const Rectangle& rectangle, int a, int b) {
    const uint16_t extra = marks.Candidates(a) & ~rectangle.pair;
    if (!std::has_single_bit(extra) || marks.Candidates(b) != marks.Candidates(a)) return false;
    const CellSet victims = Tables().peers[a] & Tables().peers[b];
    return MarkPattern(marks, CornersOf(rectangle), 511, found,
                       StrikeDigit(marks, victims, std::countr_zero(extra) + 1, found));
  });
}

// Type 3: the roof's extra digits act as one cell that holds one of them; with other cells
// of a unit both roof cells share, it makes a naked subset whose digits leave the unit's
// remaining cells.
bool FindUniqueRectangles3(const Pencilmarks& marks, Deduction& found) {
  return ForEachRoof(marks, [&](const Rectangle& rectangle, int a, int b) {
    const uint16_t extra = (marks.Candidates(a) | marks.Candidates(b)) & ~rectangle.pair;
    bool any = false;
    for (int unit : SharedUnits(a, b)) {
      // The other unsolved cells of the unit, and their candidates.
      std::array<int, 9> cells{};
      std::array<uint16_t, 9> masks{};
      int count = 0;
      for (int k : Units()[unit]) {
        if (k != a && k != b && marks.Candidates(k) != 0) {
          cells[count] = k;
          masks[count++] = marks.Candidates(k);
        }
      }
      // Subsets of one to three of them that, with the roof, hold one digit more than cells.
      for (int subset = 1; subset < (1 << count); ++subset) {
        const int size = std::popcount(static_cast<unsigned>(subset));
        if (size > 3) continue;
        uint16_t digits = extra;
        for (int i = 0; i < count; ++i) {
          if (subset >> i & 1) digits |= masks[i];
        }
        if (BitCount9(digits) != size + 1) continue;
        bool struck = false;
        CellSet partners;
        for (int i = 0; i < count; ++i) {
          if (subset >> i & 1) {
            partners.Add(cells[i]);
          } else {
            struck |= StrikeCandidates(marks, cells[i], digits, found);
          }
        }
        MarkPattern(marks, CornersOf(rectangle), 511, found, struck);
        any |= MarkPattern(marks, partners, digits, found, struck);
      }
    }
    return any;
  });
}

// Type 4: in a unit both roof cells share, one digit of the pair has no place but the roof,
// so the roof holds it and cannot also hold the other digit.
bool FindUniqueRectangles4(const Pencilmarks& marks, Deduction& found) {
  return ForEachRoof(marks, [&](const Rectangle& rectangle, int a, int b) {
    bool any = false;
    const CellSet roof = CellSet::Of(a) | CellSet::Of(b);
    for (int unit : SharedUnits(a, b)) {
      for (uint16_t bits = rectangle.pair; bits; bits &= bits - 1) {
        const int d = std::countr_zero(bits) + 1;
        if ((marks.CellsOf(d) & Tables().unit[unit]) != roof) continue;
        const uint16_t other = rectangle.pair & ~DigitBit(d);
        const bool struck =
            StrikeCandidates(marks, a, other, found) | StrikeCandidates(marks, b, other, found);
        MarkPattern(marks, CornersOf(rectangle), rectangle.pair, found, struck);
        any |= MarkPattern(marks, Tables().unit[unit], DigitBit(d), found, struck);
      }
    }
    return any;
  });
}

// BUG+1: every unsolved cell holds two candidates but one, which holds three; taking from
// it the digit with three places in its units leaves each digit two places or none in every
// unit, a grid with two solutions, so that digit goes there.
bool FindBugPlusOne(const Pencilmarks& marks, Deduction& found) {
  int triple = -1;
  for (int k = 0; k < 81; ++k) {
    const int count = BitCount9(marks.Candidates(k));
    if (count == 0 || count == 2) continue;
    if (count != 3 || triple >= 0) return false;
    triple = k;
  }
  if (triple < 0) return false;
  for (uint16_t bits = marks.Candidates(triple); bits; bits &= bits - 1) {
    const int d = std::countr_zero(bits) + 1;
    bool bug = true;
    for (int unit = 0; unit < 27 && bug; ++unit) {
      for (int digit = 1; digit <= 9 && bug; ++digit) {
        CellSet places = marks.CellsOf(digit) & Tables().unit[unit];
        if (digit == d) places.Remove(triple);
        bug = places.Count() == 0 || places.Count() == 2;
      }
    }
    if (bug) {
      found.place[triple] = static_cast<int8_t>(d);
      return MarkPattern(marks, CellSet::Of(triple), DigitBit(d), found);
    }
  }
  return false;
}

}  // namespace engine
