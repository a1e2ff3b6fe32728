// The techniques of the grader, one function each, and their table ordered by difficulty.
// A technique looks at the pencil marks, adds to the deduction everything it finds in that
// position (every instance of its pattern), and returns whether it found anything.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "game/engine/grade_candidates.h"
#include "game/engine/grader.h"

namespace engine {

using TechniqueFinder = bool (*)(const Pencilmarks& marks, Deduction& found);

struct Technique {
  std::string_view name;
  GradeLevel level;
  TechniqueFinder find;
  // Sound only for a puzzle with exactly one solution.
  bool needsUniqueness = false;
};

// Whether the puzzle being solved is known to have exactly one solution: counted from its
// givens by the search the first time it is asked, then remembered. Without givens, never.
class UniqueSolution {
 public:
  UniqueSolution() = default;
  explicit UniqueSolution(const Digits& givens) : givens_(&givens) {}
  bool Holds();

 private:
  const Digits* givens_ = nullptr;
  int known_ = -1;  // -1 not yet counted, else 0 or 1
};

// Simplest first.
std::span<const Technique> Techniques();
// The technique of that name, nullptr when there is none.
const Technique* FindTechnique(std::string_view name);

// One step of the solve: applies the first technique of the table that finds anything and
// returns its index, or -1 when none does. The uniqueness techniques are tried only when
// unique holds. applied, when given, receives what it found.
int ApplySimplestTechnique(Pencilmarks& marks, UniqueSolution& unique,
                           Deduction* applied = nullptr);

// Strikes the digits from cell k where they are candidates; true when any was.
bool StrikeCandidates(const Pencilmarks& marks, int k, uint16_t digits, Deduction& found);
// Strikes digit d from every cell of the set that allows it; true when any did.
bool StrikeDigit(const Pencilmarks& marks, const CellSet& cells, int d, Deduction& found);
// Marks the digits, where they are candidates, in the cells as part of the pattern; returns
// struck, so that a technique can write any |= MarkPattern(..., Strike...(...)).
bool MarkPattern(const Pencilmarks& marks, const CellSet& cells, uint16_t digits,
                 Deduction& found, bool struck = true);

// Calls found(items, covered) for every set of n items (bits of the 9-bit item sets) whose
// masks together cover exactly n bits. Items with an empty mask take no part.
template <typename F>
void ForEachLockedSet(const std::array<uint16_t, 9>& masks, int n, F found, int next = 0,
                      uint16_t items = 0, uint16_t covered = 0) {
  if (BitCount9(items) == n) {
    found(items, covered);
    return;
  }
  for (int i = next; i < 9; ++i) {
    const uint16_t wider = covered | masks[i];
    if (masks[i] != 0 && BitCount9(wider) <= n) {
      ForEachLockedSet(masks, n, found, i + 1, static_cast<uint16_t>(items | 1u << i), wider);
    }
  }
}

// Singles, intersections and subsets.
bool FindHiddenSingles(const Pencilmarks& marks, Deduction& found);
bool FindNakedSingles(const Pencilmarks& marks, Deduction& found);
bool FindPointing(const Pencilmarks& marks, Deduction& found);
bool FindClaiming(const Pencilmarks& marks, Deduction& found);
bool FindNakedPairs(const Pencilmarks& marks, Deduction& found);
bool FindHiddenPairs(const Pencilmarks& marks, Deduction& found);
bool FindNakedTriples(const Pencilmarks& marks, Deduction& found);
bool FindHiddenTriples(const Pencilmarks& marks, Deduction& found);
bool FindNakedQuads(const Pencilmarks& marks, Deduction& found);
bool FindHiddenQuads(const Pencilmarks& marks, Deduction& found);

// Fish.
bool FindXWings(const Pencilmarks& marks, Deduction& found);
bool FindSwordfish(const Pencilmarks& marks, Deduction& found);
bool FindJellyfish(const Pencilmarks& marks, Deduction& found);
bool FindFinnedXWings(const Pencilmarks& marks, Deduction& found);
bool FindSashimiXWings(const Pencilmarks& marks, Deduction& found);
bool FindFinnedSwordfish(const Pencilmarks& marks, Deduction& found);
bool FindSashimiSwordfish(const Pencilmarks& marks, Deduction& found);
bool FindFinnedJellyfish(const Pencilmarks& marks, Deduction& found);
bool FindSashimiJellyfish(const Pencilmarks& marks, Deduction& found);

// Single-digit patterns.
bool FindSkyscrapers(const Pencilmarks& marks, Deduction& found);
bool FindTwoStringKites(const Pencilmarks& marks, Deduction& found);
bool FindEmptyRectangles(const Pencilmarks& marks, Deduction& found);

// Wings.
bool FindXYWings(const Pencilmarks& marks, Deduction& found);
bool FindXYZWings(const Pencilmarks& marks, Deduction& found);
bool FindWWings(const Pencilmarks& marks, Deduction& found);

// Chains.
bool FindXChains(const Pencilmarks& marks, Deduction& found);
bool FindXYChains(const Pencilmarks& marks, Deduction& found);
bool FindAlternatingChains(const Pencilmarks& marks, Deduction& found);

// Uniqueness techniques, sound only for a puzzle with one solution.
bool FindUniqueRectangles1(const Pencilmarks& marks, Deduction& found);
bool FindUniqueRectangles2(const Pencilmarks& marks, Deduction& found);
bool FindUniqueRectangles3(const Pencilmarks& marks, Deduction& found);
bool FindUniqueRectangles4(const Pencilmarks& marks, Deduction& found);
bool FindBugPlusOne(const Pencilmarks& marks, Deduction& found);

// Almost-locked sets.
bool FindAlsXZ(const Pencilmarks& marks, Deduction& found);
bool FindAlsXYWings(const Pencilmarks& marks, Deduction& found);

// Forcing nets.
bool FindContradictionNets(const Pencilmarks& marks, Deduction& found);
bool FindForcingNets(const Pencilmarks& marks, Deduction& found);

}  // namespace engine
