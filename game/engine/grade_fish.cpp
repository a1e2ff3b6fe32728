// Fish. Basic: n base lines (rows, or columns) whose places for a digit lie in only n cover
// lines (columns, or rows) between them leave the digit nowhere else in the cover lines.
// Finned: the same, except for a few fins that all sit in one box. Either a fin holds the
// digit, or the fish without its fins is a basic one; both strike the digit from the cover
// cells outside the base lines that see every fin. A finned fish is sashimi when a base line
// keeps at most one cover cell, so that without its fins it would be no fish at all.
#include <bit>

#include "game/engine/grade_techniques.h"

namespace engine {
namespace {

// Digit d's places along each base line, as 9-bit masks by position along the line.
struct FishLines {
  bool byRows;
  std::array<uint16_t, 9> positions{};

  FishLines(const Pencilmarks& marks, int d, bool rows) : byRows(rows) {
    for (int line = 0; line < 9; ++line) {
      const Unit& cells = Units()[BaseUnit(line)];
      for (int i = 0; i < 9; ++i) {
        if (marks.Candidates(cells[i]) & DigitBit(d)) {
          positions[line] |= static_cast<uint16_t>(1u << i);
        }
      }
    }
  }
  int BaseUnit(int line) const { return byRows ? RowUnit(line) : ColumnUnit(line); }
  int CoverUnit(int line) const { return byRows ? ColumnUnit(line) : RowUnit(line); }
  // The cells of the base lines (or cover lines) whose bits are set.
  CellSet Cells(uint16_t lines, bool base) const {
    CellSet cells;
    for (int line = 0; line < 9; ++line) {
      if (lines >> line & 1) cells |= Tables().unit[base ? BaseUnit(line) : CoverUnit(line)];
    }
    return cells;
  }
};

bool FindFish(const Pencilmarks& marks, int n, Deduction& found) {
  bool any = false;
  for (int d = 1; d <= 9; ++d) {
    for (bool byRows : {true, false}) {
      const FishLines lines(marks, d, byRows);
      ForEachLockedSet(lines.positions, n, [&](uint16_t bases, uint16_t covers) {
        const CellSet cover = lines.Cells(covers, false), base = lines.Cells(bases, true);
        any |= MarkPattern(marks, cover & base, DigitBit(d), found,
                           StrikeDigit(marks, cover - base, d, found));
      });
    }
  }
  return any;
}

// The finned (or sashimi) fish with these base and cover lines, whose fins, the base lines'
// places outside the cover lines, the caller keeps to one third of the cross lines.
bool StrikeFinned(const Pencilmarks& marks, const FishLines& lines, int d, uint16_t bases,
                  uint16_t covers, bool sashimi, Deduction& found) {
  bool isSashimi = false;
  unsigned finLines = 0;
  for (int line = 0; line < 9; ++line) {
    if (!(bases >> line & 1)) continue;
    const int body = BitCount9(lines.positions[line] & covers);
    if (body == 0) return false;
    isSashimi |= body == 1;
    if (lines.positions[line] & ~covers) finLines |= 1u << line;
  }
  // The fins' base lines in one third of the grid too, so that the fins share a box.
  const unsigned band = 7u << (3 * (std::countr_zero(finLines) / 3));
  if (isSashimi != sashimi || (finLines & ~band) != 0) return false;
  const CellSet base = lines.Cells(bases, true), cover = lines.Cells(covers, false);
  const CellSet fins = (marks.CellsOf(d) & base) - cover;
  return MarkPattern(marks, base, DigitBit(d), found,
                     StrikeDigit(marks, (cover - base) & CommonPeers(fins), d, found));
}

// The finned (or sashimi) fish on the n base lines whose bits are set in bases.
bool FindFinnedFishWith(const Pencilmarks& marks, const FishLines& lines, int d, int n,
                        uint16_t bases, bool sashimi, Deduction& found) {
  uint16_t all = 0;
  for (int line = 0; line < 9; ++line) {
    if (bases >> line & 1) all |= lines.positions[line];
  }
  bool any = false;
  for (int chunk = 0; chunk < 3; ++chunk) {
    // The cover lines take every place outside the fins' chunk, and some inside it.
    const uint16_t inside = static_cast<uint16_t>(7u << (3 * chunk));
    const uint16_t required = all & static_cast<uint16_t>(~inside);
    const uint16_t optional = all & inside;
    if (BitCount9(required) > n) continue;
    for (uint16_t extra = optional;; extra = static_cast<uint16_t>((extra - 1) & optional)) {
      const uint16_t covers = required | extra;
      if (BitCount9(covers) == n && (all & ~covers) != 0) {
        any |= StrikeFinned(marks, lines, d, bases, covers, sashimi, found);
      }
      if (extra == 0) break;
    }
  }
  return any;
}

bool FindFinnedFish(const Pencilmarks& marks, int n, bool sashimi, Deduction& found) {
  bool any = false;
  for (int d = 1; d <= 9; ++d) {
    for (bool byRows : {true, false}) {
      const FishLines lines(marks, d, byRows);
      // A base line needs two places or more: with one it holds a hidden single.
      uint16_t usable = 0;
      for (int line = 0; line < 9; ++line) {
        if (BitCount9(lines.positions[line]) >= 2) usable |= static_cast<uint16_t>(1u << line);
      }
      for (uint16_t bases = usable; bases != 0;
           bases = static_cast<uint16_t>((bases - 1) & usable)) {
        if (BitCount9(bases) == n) {
          any |= FindFinnedFishWith(marks, lines, d, n, bases, sashimi, found);
        }
      }
    }
  }
  return any;
}

}  // namespace

bool FindXWings(const Pencilmarks& marks, Deduction& found) { return FindFish(marks, 2, found); }
bool FindSwordfish(const Pencilmarks& marks, Deduction& found) { return FindFish(marks, 3, found); }
bool FindJellyfish(const Pencilmarks& marks, Deduction& found) { return FindFish(marks, 4, found); }

bool FindFinnedXWings(const Pencilmarks& marks, Deduction& found) {
  return FindFinnedFish(marks, 2, false, found);
}
bool FindSashimiXWings(const Pencilmarks& marks, Deduction& found) {
  return FindFinnedFish(marks, 2, true, found);
}
bool FindFinnedSwordfish(const Pencilmarks& marks, Deduction& found) {
  return FindFinnedFish(marks, 3, false, found);
}
bool FindSashimiSwordfish(const Pencilmarks& marks, Deduction& found) {
  return FindFinnedFish(marks, 3, true, found);
}
bool FindFinnedJellyfish(const Pencilmarks& marks, Deduction& found) {
  return FindFinnedFish(marks, 4, false, found);
}
bool FindSashimiJellyfish(const Pencilmarks& marks, Deduction& found) {
  return FindFinnedFish(marks, 4, true, found);
}

}  // namespace engine
