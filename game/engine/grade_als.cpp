// Almost-locked sets: n unsolved cells of one unit that hold n + 1 digits between them. Take
// one digit away and the rest are locked into the set. Two sets share a restricted common
// digit x when every place of x in one sees every place of x in the other, so at most one of
// them holds x.
#include <algorithm>
#include <bit>
#include <vector>

#include "game/engine/grade_techniques.h"

namespace engine {
namespace {

struct AlmostLockedSet {
  CellSet cells;
  uint16_t digits;
  std::array<CellSet, 9> places;  // the set's cells that allow each digit
  std::array<CellSet, 9> seers;   // the cells that see every one of those places
};

std::vector<AlmostLockedSet> AlmostLockedSets(const Pencilmarks& marks) {
  std::vector<CellSet> seen;
  std::vector<AlmostLockedSet> sets;
  for (const Unit& unit : Units()) {
    std::array<int, 9> cells{};
    int count = 0;
    for (int k : unit) {
      if (marks.Candidates(k) != 0) cells[count++] = k;
    }
    for (int subset = 1; subset < (1 << count); ++subset) {
      AlmostLockedSet set{};
      for (int i = 0; i < count; ++i) {
        if (!(subset >> i & 1)) continue;
        set.cells.Add(cells[i]);
        set.digits |= marks.Candidates(cells[i]);
      }
      if (BitCount9(set.digits) != std::popcount(static_cast<unsigned>(subset)) + 1) continue;
      // A set of cells in a box and a line comes up in both units: keep it once.
      if (std::find(seen.begin(), seen.end(), set.cells) != seen.end()) continue;
      seen.push_back(set.cells);
      for (int d = 1; d <= 9; ++d) {
        set.places[d - 1] = set.cells & marks.CellsOf(d);
        if (!set.places[d - 1].Empty()) set.seers[d - 1] = CommonPeers(set.places[d - 1]);
      }
      sets.push_back(set);
    }
  }
  return sets;
}

// The restricted common digits of two sets that do not overlap, as a 9-bit mask.
uint16_t RestrictedCommon(const AlmostLockedSet& a, const AlmostLockedSet& b) {
  if (!(a.cells & b.cells).Empty()) return 0;
  uint16_t restricted = 0;
  for (uint16_t bits = a.digits & b.digits; bits; bits &= bits - 1) {
    const int x = std::countr_zero(bits);
    if (b.places[x].Within(a.seers[x])) restricted |= static_cast<uint16_t>(1u << x);
  }
  return restricted;
}

// Digit z, when one of sets a and b must hold it, leaves every other cell that sees all of
// its places in both.
bool StrikeFromBoth(const Pencilmarks& marks, const AlmostLockedSet& a, const AlmostLockedSet& b,
                    int zs, Deduction& found) {
  bool any = false;
  for (unsigned bits = static_cast<unsigned>(zs) & 511; bits; bits &= bits - 1) {
    const int z = std::countr_zero(bits);
    const CellSet victims = (a.seers[z] & b.seers[z]) - a.cells - b.cells;
    any |= MarkPattern(marks, a.cells | b.cells, 511, found,
                       StrikeDigit(marks, victims, z + 1, found));
  }
  return any;
}

}  // namespace

// ALS-XZ: two sets with a restricted common digit x. Only one holds x, so the other is
// locked without it; a further common digit z thus lies in one of the two.
bool FindAlsXZ(const Pencilmarks& marks, Deduction& found) {
  const std::vector<AlmostLockedSet> sets = AlmostLockedSets(marks);
  bool any = false;
  for (size_t i = 0; i < sets.size(); ++i) {
    for (size_t j = i + 1; j < sets.size(); ++j) {
      const uint16_t restricted = RestrictedCommon(sets[i], sets[j]);
      for (uint16_t bits = restricted; bits; bits &= bits - 1) {
        const uint16_t zs = sets[i].digits & sets[j].digits & ~(bits & -bits);
        any |= StrikeFromBoth(marks, sets[i], sets[j], static_cast<uint16_t>(zs), found);
      }
    }
  }
  return any;
}

// ALS-XY-wing: a pivot set with restricted common digits x with set a and y with set b.
// Were z in neither a nor b, a would hold x and b hold y, leaving the pivot neither, too few
// digits for its cells; so a common digit z of a and b lies in one of them.
bool FindAlsXYWings(const Pencilmarks& marks, Deduction& found) {
  const std::vector<AlmostLockedSet> sets = AlmostLockedSets(marks);
  bool any = false;
  for (const AlmostLockedSet& pivot : sets) {
    std::vector<std::pair<size_t, uint16_t>> linked;  // sets and their restricted digits
    for (size_t i = 0; i < sets.size(); ++i) {
      const uint16_t restricted = RestrictedCommon(pivot, sets[i]);
      if (restricted != 0) linked.emplace_back(i, restricted);
    }
    for (size_t i = 0; i < linked.size(); ++i) {
      for (size_t j = i + 1; j < linked.size(); ++j) {
        const AlmostLockedSet& a = sets[linked[i].first];
        const AlmostLockedSet& b = sets[linked[j].first];
        if (!(a.cells & b.cells).Empty()) continue;
        for (uint16_t xs = linked[i].second; xs; xs &= xs - 1) {
          for (uint16_t ys = linked[j].second; ys; ys &= ys - 1) {
            const uint16_t xy = static_cast<uint16_t>((xs & -xs) | (ys & -ys));
            if (!std::has_single_bit(xy)) {
              any |= MarkPattern(marks, pivot.cells, 511, found,
                                 StrikeFromBoth(marks, a, b, a.digits & b.digits & ~xy, found));
            }
          }
        }
      }
    }
  }
  return any;
}

}  // namespace engine
