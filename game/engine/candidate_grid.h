// Candidate bitboards for the fast search: for each digit, one 27-bit word per band of three
// rows, kept consistent by constraint propagation, and a solver that counts completions.
//
// Bands: band b holds rows 3b to 3b + 2; cell k = 9 * row + column lies in band k / 27 at
// bit k % 27 = 9 * (row % 3) + column, so a band word reads row by row like the cell index.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace engine {

// Cell index to digit, 0 for an empty cell.
using Digits = std::array<int8_t, 81>;
// Cell index to the first digit (1-9) tried in that cell; later digits follow cyclically.
using StartDigits = std::array<int8_t, 81>;

// Counts the steps of a search and asks the caller now and then whether to go on.
class SearchMonitor {
 public:
  // keepGoing gets the column being worked on and returns false to abandon the search.
  explicit SearchMonitor(std::function<bool(int column)> keepGoing = {})
      : keepGoing_(std::move(keepGoing)) {}

  // One step (a digit tried in a cell); false once the search is to be abandoned.
  bool Step() {
    ++steps_;
    if (!abandoned_ && keepGoing_ && steps_ % 64 == 0) abandoned_ = !keepGoing_(column_);
    return !abandoned_;
  }
  void SetColumn(int column) { column_ = column; }
  bool Abandoned() const { return abandoned_; }
  uint64_t Steps() const { return steps_; }

 private:
  std::function<bool(int)> keepGoing_;
  uint64_t steps_ = 0;
  int column_ = 0;
  bool abandoned_ = false;
};

// The candidates of every cell. A solved cell keeps its digit as the only candidate.
class CandidateGrid {
 public:
  CandidateGrid();

  // Puts digit d (1-9) into cell k, or removes d from its candidates, and propagates.
  // False when the grid is left without any completion that propagation could detect;
  // the grid is then in no useful state.
  bool Place(int k, int d);
  bool Eliminate(int k, int d);
  // Puts every digit of a board (1-9, 0 for an empty cell) into its cell and propagates.
  bool PlaceAll(const Digits& digits);

  bool Allows(int k, int d) const { return (cand_[d - 1][k / 27] >> (k % 27)) & 1; }
  bool IsSolved(int k) const { return !((unsolved_[k / 27] >> (k % 27)) & 1); }
  bool IsComplete() const { return (unsolved_[0] | unsolved_[1] | unsolved_[2]) == 0; }
  // The digit of a solved cell, 0 while it has several candidates.
  int DigitAt(int k) const;
  // An unsolved cell with the fewest candidates, preferring two; -1 when the grid is full.
  int BranchCell() const;

 private:
  bool Assign(int digit, int band, uint32_t bit);
  bool UpdateDigitBand(int digit, int band);
  bool AssignCellSingles(bool& placed);
  bool Propagate();

  uint32_t cand_[9][3];  // digit - 1, band
  uint32_t seen_[9][3];  // cand_ as it was when last propagated
  uint32_t unsolved_[3];
};

// Counts the completions of a propagated grid, stopping at limit, and stores the first one
// found in *first. Digits are tried in each cell cyclically from its start digit. Returns 0
// as well when the monitor abandons the search.
int CountCompletions(const CandidateGrid& grid, int limit, const StartDigits& start,
                     Digits* first, SearchMonitor& monitor);

}  // namespace engine
