// Forcing nets: assume a candidate true and follow the singles it forces, every branch at
// once. Contradiction nets: an assumption that leaves a cell without candidates or a digit
// without a place in a unit is false. Forcing nets: when every candidate of a cell, or every
// place of a digit in a unit, strikes the same candidate elsewhere, one of them is true, so
// that candidate goes.
#include <vector>

#include "game/engine/grade_techniques.h"

namespace engine {
namespace {

// Places digit d in cell k and then naked and hidden singles until none is left; false when
// that breaks the grid.
bool FollowSingles(Pencilmarks& marks, int k, int d) {
  if (!marks.Place(k, d)) return false;
  for (;;) {
    if (marks.IsBroken()) return false;
    Deduction singles;
    if (!FindNakedSingles(marks, singles) && !FindHiddenSingles(marks, singles)) break;
    for (int cell = 0; cell < 81; ++cell) {
      // Two singles asking one cell for different digits, or a digit its peers hold.
      if (singles.place[cell] != 0 && !marks.Place(cell, singles.place[cell])) return false;
    }
  }
  // A digit left with no place in a unit where it is not yet placed.
  for (const CellSet& unit : Tables().unit) {
    uint16_t present = 0;
    unit.ForEach([&](int cell) {
      const int digit = marks.DigitAt(cell);
      present |= digit != 0 ? DigitBit(digit) : marks.Candidates(cell);
    });
    if (present != 511) return false;
  }
  return true;
}

// The candidates of every cell once d is placed in k and its singles followed, a placed digit
// as its own bit; all zero when that breaks the grid.
using Outcome = std::array<uint16_t, 81>;

Outcome OutcomeOf(const Pencilmarks& marks, int k, int d) {
  Pencilmarks trial = marks;
  Outcome outcome{};
  if (!FollowSingles(trial, k, d)) return outcome;
  for (int cell = 0; cell < 81; ++cell) {
    const int digit = trial.DigitAt(cell);
    outcome[cell] = digit != 0 ? DigitBit(digit) : trial.Candidates(cell);
  }
  return outcome;
}

// Strikes every candidate that no outcome of the branches keeps.
bool StrikeUnkeptByAll(const Pencilmarks& marks, const std::vector<const Outcome*>& branches,
                       Deduction& found) {
  bool any = false;
  for (int cell = 0; cell < 81; ++cell) {
    uint16_t kept = 0;
    for (const Outcome* outcome : branches) kept |= (*outcome)[cell];
    any |= StrikeCandidates(marks, cell, static_cast<uint16_t>(~kept & 511), found);
  }
  return any;
}

}  // namespace

bool FindContradictionNets(const Pencilmarks& marks, Deduction& found) {
  bool any = false;
  for (int k = 0; k < 81; ++k) {
    for (int d = 1; d <= 9; ++d) {
      if (!(marks.Candidates(k) & DigitBit(d))) continue;
      Pencilmarks trial = marks;
      if (!FollowSingles(trial, k, d)) {
        any |= MarkPattern(marks, CellSet::Of(k), DigitBit(d), found,
                           StrikeCandidates(marks, k, DigitBit(d), found));
      }
    }
  }
  return any;
}

bool FindForcingNets(const Pencilmarks& marks, Deduction& found) {
  // outcomes[9 * k + d - 1]: the outcome of placing d in k, for every candidate.
  std::vector<Outcome> outcomes(81 * 9);
  for (int k = 0; k < 81; ++k) {
    for (int d = 1; d <= 9; ++d) {
      if (marks.Candidates(k) & DigitBit(d)) outcomes[9 * k + d - 1] = OutcomeOf(marks, k, d);
    }
  }
  bool any = false;
  std::vector<const Outcome*> branches;
  for (int k = 0; k < 81; ++k) {
    branches.clear();
    for (int d = 1; d <= 9; ++d) {
      if (marks.Candidates(k) & DigitBit(d)) branches.push_back(&outcomes[9 * k + d - 1]);
    }
    if (!branches.empty()) {
      any |= MarkPattern(marks, CellSet::Of(k), 511, found,
                         StrikeUnkeptByAll(marks, branches, found));
    }
  }
  for (const CellSet& unit : Tables().unit) {
    for (int d = 1; d <= 9; ++d) {
      branches.clear();
      const CellSet places = unit & marks.CellsOf(d);
      places.ForEach([&](int k) { branches.push_back(&outcomes[9 * k + d - 1]); });
      if (!branches.empty()) {
        any |= MarkPattern(marks, places, DigitBit(d), found,
                           StrikeUnkeptByAll(marks, branches, found));
      }
    }
  }
  return any;
}

}  // namespace engine
