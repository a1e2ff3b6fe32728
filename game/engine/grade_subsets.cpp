// Singles, locked candidates and naked and hidden subsets: the techniques that look at one
// unit, or at the cells where a box meets a line.
#include <bit>

#include "game/engine/grade_techniques.h"

namespace engine {
namespace {

// n cells of a unit holding only n digits between them: no other cell of the unit holds one.
bool FindNakedSubsets(const Pencilmarks& marks, int n, Deduction& found) {
  bool any = false;
  for (int u = 0; u < 27; ++u) {
    const Unit& cells = Units()[u];
    std::array<uint16_t, 9> candidates{};
    for (int i = 0; i < 9; ++i) candidates[i] = marks.Candidates(cells[i]);
    ForEachLockedSet(candidates, n, [&](uint16_t subset, uint16_t digits) {
      bool struck = false;
      CellSet pattern;
      for (int i = 0; i < 9; ++i) {
        if (subset >> i & 1) {
          pattern.Add(cells[i]);
        } else {
          struck |= StrikeCandidates(marks, cells[i], digits, found);
        }
      }
      any |= MarkPattern(marks, pattern, digits, found, struck);
    });
  }
  return any;
}

// n digits of a unit with only n cells between them: those cells hold no other digit.
bool FindHiddenSubsets(const Pencilmarks& marks, int n, Deduction& found) {
  bool any = false;
  for (int u = 0; u < 27; ++u) {
    const Unit& cells = Units()[u];
    std::array<uint16_t, 9> places{};
    for (int i = 0; i < 9; ++i) {
      for (int d = 1; d <= 9; ++d) {
        if (marks.Candidates(cells[i]) & DigitBit(d)) {
          places[d - 1] |= static_cast<uint16_t>(1u << i);
        }
      }
    }
    ForEachLockedSet(places, n, [&](uint16_t digits, uint16_t positions) {
      bool struck = false;
      CellSet pattern;
      for (int i = 0; i < 9; ++i) {
        if (positions >> i & 1) {
          pattern.Add(cells[i]);
          struck |= StrikeCandidates(marks, cells[i], static_cast<uint16_t>(~digits & 511), found);
        }
      }
      any |= MarkPattern(marks, pattern, digits, found, struck);
    });
  }
  return any;
}

// A digit whose candidates in one unit of an intersection all lie in the intersection is
// struck from the rest of the other unit.
bool FindLockedCandidates(const Pencilmarks& marks, bool fromBox, Deduction& found) {
  bool any = false;
  for (const auto& meet : Tables().intersections) {
    const CellSet& source = Tables().unit[fromBox ? meet.box : meet.line];
    const CellSet& target = Tables().unit[fromBox ? meet.line : meet.box];
    for (int d = 1; d <= 9; ++d) {
      const CellSet inSource = marks.CellsOf(d) & source;
      if (!inSource.Empty() && inSource.Within(meet.cells)) {
        any |= MarkPattern(marks, inSource, DigitBit(d), found,
                           StrikeDigit(marks, target - meet.cells, d, found));
      }
    }
  }
  return any;
}

}  // namespace

bool FindHiddenSingles(const Pencilmarks& marks, Deduction& found) {
  bool any = false;
  for (const CellSet& unit : Tables().unit) {
    for (int d = 1; d <= 9; ++d) {
      const CellSet places = marks.CellsOf(d) & unit;
      if (places.Count() == 1) {
        found.place[places.First()] = static_cast<int8_t>(d);
        any = MarkPattern(marks, places, DigitBit(d), found);
      }
    }
  }
  return any;
}

bool FindNakedSingles(const Pencilmarks& marks, Deduction& found) {
  bool any = false;
  for (int k = 0; k < 81; ++k) {
    const uint16_t candidates = marks.Candidates(k);
    if (candidates != 0 && std::has_single_bit(candidates)) {
      found.place[k] = static_cast<int8_t>(std::countr_zero(candidates) + 1);
      any = MarkPattern(marks, CellSet::Of(k), candidates, found);
    }
  }
  return any;
}

bool FindPointing(const Pencilmarks& marks, Deduction& found) {
  return FindLockedCandidates(marks, true, found);
}
bool FindClaiming(const Pencilmarks& marks, Deduction& found) {
  return FindLockedCandidates(marks, false, found);
}
bool FindNakedPairs(const Pencilmarks& marks, Deduction& found) {
  return FindNakedSubsets(marks, 2, found);
}
bool FindHiddenPairs(const Pencilmarks& marks, Deduction& found) {
  return FindHiddenSubsets(marks, 2, found);
}
bool FindNakedTriples(const Pencilmarks& marks, Deduction& found) {
  return FindNakedSubsets(marks, 3, found);
}
bool FindHiddenTriples(const Pencilmarks& marks, Deduction& found) {
  return FindHiddenSubsets(marks, 3, found);
}
bool FindNakedQuads(const Pencilmarks& marks, Deduction& found) {
  return FindNakedSubsets(marks, 4, found);
}
bool FindHiddenQuads(const Pencilmarks& marks, Deduction& found) {
  return FindHiddenSubsets(marks, 4, found);
}

}  // namespace engine
