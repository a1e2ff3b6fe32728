// The technique table and the rater that walks it.
#include "game/engine/grader.h"

#include <array>

#include "game/engine/grade_techniques.h"
#include "game/engine/search.h"

namespace engine {
namespace {

constexpr std::array kTechniques{
    Technique{"Hidden Single", GradeLevel::Singles, FindHiddenSingles},
    Technique{"Naked Single", GradeLevel::Singles, FindNakedSingles},
    Technique{"Pointing", GradeLevel::Intersections, FindPointing},
    Technique{"Claiming", GradeLevel::Intersections, FindClaiming},
    Technique{"Naked Pair", GradeLevel::Intersections, FindNakedPairs},
    Technique{"Hidden Pair", GradeLevel::Intersections, FindHiddenPairs},
    Technique{"Naked Triple", GradeLevel::Intersections, FindNakedTriples},
    Technique{"Hidden Triple", GradeLevel::Intersections, FindHiddenTriples},
    Technique{"Naked Quad", GradeLevel::Intersections, FindNakedQuads},
    Technique{"Hidden Quad", GradeLevel::Intersections, FindHiddenQuads},
    Technique{"X-Wing", GradeLevel::Patterns, FindXWings},
    Technique{"Skyscraper", GradeLevel::Patterns, FindSkyscrapers},
    Technique{"Two-String Kite", GradeLevel::Patterns, FindTwoStringKites},
    Technique{"Empty Rectangle", GradeLevel::Patterns, FindEmptyRectangles},
    Technique{"XY-Wing", GradeLevel::Patterns, FindXYWings},
    Technique{"XYZ-Wing", GradeLevel::Patterns, FindXYZWings},
    Technique{"W-Wing", GradeLevel::Patterns, FindWWings},
    Technique{"Swordfish", GradeLevel::Patterns, FindSwordfish},
    Technique{"Jellyfish", GradeLevel::Patterns, FindJellyfish},
    Technique{"Finned X-Wing", GradeLevel::Patterns, FindFinnedXWings},
    Technique{"Sashimi X-Wing", GradeLevel::Patterns, FindSashimiXWings},
    Technique{"Finned Swordfish", GradeLevel::Patterns, FindFinnedSwordfish},
    Technique{"Sashimi Swordfish", GradeLevel::Patterns, FindSashimiSwordfish},
    Technique{"Finned Jellyfish", GradeLevel::Patterns, FindFinnedJellyfish},
    Technique{"Sashimi Jellyfish", GradeLevel::Patterns, FindSashimiJellyfish},
    Technique{"X-Chain", GradeLevel::Chains, FindXChains},
    Technique{"XY-Chain", GradeLevel::Chains, FindXYChains},
    Technique{"Alternating Inference Chain", GradeLevel::Chains, FindAlternatingChains},
    Technique{"Unique Rectangle Type 1", GradeLevel::Advanced, FindUniqueRectangles1, true},
    Technique{"Unique Rectangle Type 2", GradeLevel::Advanced, FindUniqueRectangles2, true},
    Technique{"Unique Rectangle Type 3", GradeLevel::Advanced, FindUniqueRectangles3, true},
    Technique{"Unique Rectangle Type 4", GradeLevel::Advanced, FindUniqueRectangles4, true},
    Technique{"BUG+1", GradeLevel::Advanced, FindBugPlusOne, true},
    Technique{"ALS-XZ", GradeLevel::Advanced, FindAlsXZ},
    Technique{"ALS-XY-Wing", GradeLevel::Advanced, FindAlsXYWings},
    Technique{"Contradiction Net", GradeLevel::Advanced, FindContradictionNets},
    Technique{"Forcing Net", GradeLevel::Advanced, FindForcingNets},
};
static_assert(kTechniques.size() <= 64, "the rater keeps the techniques used as bits of a word");

}  // namespace

std::span<const Technique> Techniques() { return kTechniques; }

const Technique* FindTechnique(std::string_view name) {
  for (const Technique& technique : kTechniques) {
    if (technique.name == name) return &technique;
  }
  return nullptr;
}

bool StrikeCandidates(const Pencilmarks& marks, int k, uint16_t digits, Deduction& found) {
  const uint16_t present = marks.Candidates(k) & digits;
  found.strike[k] |= present;
  return present != 0;
}

bool StrikeDigit(const Pencilmarks& marks, const CellSet& cells, int d, Deduction& found) {
  const CellSet victims = cells & marks.CellsOf(d);
  victims.ForEach([&](int k) { found.strike[k] |= DigitBit(d); });
  return !victims.Empty();
}

bool UniqueSolution::Holds() {
  if (known_ < 0) known_ = givens_ != nullptr && CountSolutions(*givens_, 2) == 1;
  return known_ == 1;
}

bool MarkPattern(const Pencilmarks& marks, const CellSet& cells, uint16_t digits,
                 Deduction& found, bool struck) {
  if (struck) cells.ForEach([&](int k) { found.pattern[k] |= marks.Candidates(k) & digits; });
  return struck;
}

int ApplySimplestTechnique(Pencilmarks& marks, UniqueSolution& unique, Deduction* applied) {
  for (size_t i = 0; i < kTechniques.size(); ++i) {
    if (kTechniques[i].needsUniqueness && !unique.Holds()) continue;
    Deduction found;
    if (kTechniques[i].find(marks, found)) {
      marks.Apply(found);
      if (applied != nullptr) *applied = found;
      return static_cast<int>(i);
    }
  }
  return -1;
}

Grading GradePuzzle(const Digits& givens) {
  Grading grading;
  Pencilmarks marks;
  if (!marks.PlaceAll(givens)) {
    grading.solution = givens;
    return grading;
  }
  UniqueSolution unique(givens);
  uint64_t used = 0;
  while (!marks.IsComplete() && !marks.IsBroken()) {
    const int technique = ApplySimplestTechnique(marks, unique);
    if (technique < 0) break;
    used |= uint64_t{1} << technique;
  }
  GradeLevel hardest = GradeLevel::Singles;
  for (size_t i = 0; i < kTechniques.size(); ++i) {
    if (!(used >> i & 1)) continue;
    grading.techniques.push_back(kTechniques[i].name);
    if (kTechniques[i].level > hardest) hardest = kTechniques[i].level;
  }
  grading.level = marks.IsComplete() ? hardest : GradeLevel::Beyond;
  grading.solution = marks.Solved();
  return grading;
}

std::string_view GradeLevelName(GradeLevel level) {
  switch (level) {
    case GradeLevel::Singles:
      return "singles";
    case GradeLevel::Intersections:
      return "intersections";
    case GradeLevel::Patterns:
      return "patterns";
    case GradeLevel::Chains:
      return "chains";
    case GradeLevel::Advanced:
      return "advanced";
    case GradeLevel::Beyond:
      break;
  }
  return "beyond";
}

}  // namespace engine
