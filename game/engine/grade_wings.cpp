// Wings: a few cells with two or three candidates that, whichever way they resolve, put a
// digit into one of two cells, so no cell seeing both can hold it.
#include <bit>

#include "game/engine/grade_techniques.h"

namespace engine {
namespace {

// The cells with exactly n candidates.
CellSet CellsWithCandidates(const Pencilmarks& marks, int n) {
  CellSet cells;
  for (int k = 0; k < 81; ++k) {
    if (BitCount9(marks.Candidates(k)) == n) cells.Add(k);
  }
  return cells;
}

// Pincers a and b seeing the pivot, with candidates {x, z} and {y, z} where the pivot holds
// {x, y} (XY-wing, the pivot a pair) or {x, y, z} (XYZ-wing): z goes into a pincer, or into
// the pivot too for the XYZ-wing, so z leaves the cells that see all of them.
bool FindWings(const Pencilmarks& marks, int pivotSize, Deduction& found) {
  const CellSet pairs = CellsWithCandidates(marks, 2);
  bool any = false;
  CellsWithCandidates(marks, pivotSize).ForEach([&](int pivot) {
    const uint16_t pivotDigits = marks.Candidates(pivot);
    const CellSet pincers = pairs & Tables().peers[pivot];
    pincers.ForEach([&](int a) {
      pincers.ForEach([&](int b) {
        const uint16_t da = marks.Candidates(a);
        const uint16_t db = marks.Candidates(b);
        if (b <= a || da == db) return;
        const uint16_t z = da & db;
        if (!std::has_single_bit(z)) return;
        const bool fits = pivotSize == 2 ? (pivotDigits == ((da | db) & ~z) && !(pivotDigits & z))
                                         : pivotDigits == (da | db);
        if (!fits) return;
        CellSet victims = Tables().peers[a] & Tables().peers[b];
        if (pivotSize == 3) victims = victims & Tables().peers[pivot];
        const CellSet pattern = CellSet::Of(pivot) | CellSet::Of(a) | CellSet::Of(b);
        any |= MarkPattern(marks, pattern, 511, found,
                           StrikeDigit(marks, victims, std::countr_zero(z) + 1, found));
      });
    });
  });
  return any;
}

}  // namespace

bool FindXYWings(const Pencilmarks& marks, Deduction& found) { return FindWings(marks, 2, found); }
bool FindXYZWings(const Pencilmarks& marks, Deduction& found) { return FindWings(marks, 3, found); }

// Two cells with the same pair {x, y} that do not see each other, and a unit where x has
// only two places, one seeing each cell: one of the cells holds y, so y leaves the cells
// that see both.
bool FindWWings(const Pencilmarks& marks, Deduction& found) {
  const CellSet pairs = CellsWithCandidates(marks, 2);
  bool any = false;
  pairs.ForEach([&](int a) {
    (pairs - Tables().peers[a]).ForEach([&](int b) {
      const uint16_t digits = marks.Candidates(a);
      if (b <= a || marks.Candidates(b) != digits) return;
      const CellSet bothSee = Tables().peers[a] & Tables().peers[b];
      for (uint16_t rest = digits; rest; rest &= rest - 1) {
        const int x = std::countr_zero(rest) + 1;
        const int y = std::countr_zero(static_cast<uint16_t>(digits & ~DigitBit(x))) + 1;
        for (const CellSet& unit : Tables().unit) {
          const CellSet link = marks.CellsOf(x) & unit;
          if (link.Count() != 2 || link.Has(a) || link.Has(b)) continue;
          const int p = link.First();
          const int q = (link - CellSet::Of(p)).First();
          const auto& peers = Tables().peers;
          if ((peers[a].Has(p) && peers[b].Has(q)) || (peers[a].Has(q) && peers[b].Has(p))) {
            const bool struck = StrikeDigit(marks, bothSee, y, found);
            MarkPattern(marks, CellSet::Of(a) | CellSet::Of(b), digits, found, struck);
            any |= MarkPattern(marks, link, DigitBit(x), found, struck);
          }
        }
      }
    });
  });
  return any;
}

}  // namespace engine
