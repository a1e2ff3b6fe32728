// Candidate bitboards for the fast search: for each digit, one 27-bit word per band of three
// rows, kept consistent by constraint propagation, and a solver that counts completions.
//
// Bands: band b holds rows 3b to 3b + 2; cell k = 9 * row + column lies in band k / 27 at
// bit k % 27 = 9 * (row % 3) + column, so a band word reads row by row like the cell index.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

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

  // One step (a branch taken); false once the search is to be abandoned.
  bool Step() {
    ++steps_;
    if (!abandoned_ && keepGoing_ && steps_ % 16 == 0) abandoned_ = !keepGoing_(column_);
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

  bool Allows(int k, int d) const { return (cand_[9 * (k / 27) + d - 1] >> (k % 27)) & 1; }
  bool IsSolved(int k) const { return !((unsolved_[k / 27] >> (k % 27)) & 1); }
  bool IsComplete() const { return (unsolved_[0] | unsolved_[1] | unsolved_[2]) == 0; }
  // The candidates of a cell, bit d - 1 for digit d.
  uint32_t CandidatesOf(int k) const { return DigitsOf(k / 27, k % 27); }
  // The digit of a solved cell, 0 while it has several candidates.
  int DigitAt(int k) const;
  // An unsolved cell with the fewest candidates, preferring two; -1 when the grid is full.
  // Among cells with two, failures (per cell, how often branching on it failed at once)
  // adds weight to cells that lead into contradictions.
  int BranchCell(const std::array<uint16_t, 81>& failures) const;

 private:
  bool Assign(int digit, int band, uint32_t bit);
  // The candidates of bit i of a band, bit d - 1 for digit d.
  uint32_t DigitsOf(int band, int i) const {
    uint32_t digits = 0;
    for (int d = 0; d < 9; ++d) digits |= ((cand_[9 * band + d] >> i) & 1) << d;
    return digits;
  }
  bool UpdateDigitBand(int index);
  bool AssignCellSingles(bool& placed);
  bool Propagate();
  // pairs: the cells of the band with two candidates.
  int StrikeScore(int band, int i, int digit, uint32_t pairs) const;

  // The entries of cand_ that differ from seen_, bit 9 * band + digit - 1.
  uint32_t ChangedEntries() const;

  // Index 9 * band + digit - 1: the cells of the band that may hold the digit. A 28th entry,
  // always 0, rounds the array up to whole groups of four for comparing them at once.
  std::array<uint32_t, 28> cand_;
  std::array<uint32_t, 28> seen_;  // cand_ as it was when last looked at
  uint32_t unsolved_[3];
};

// Counts the completions of a propagated grid, stopping at limit, and stores the first one
// found in *first. The search branches on a cell's first candidate from its start digit
// (1-9): that digit, or not that digit. Returns 0 as well when the monitor abandons it.
// Once a completion is found, the filter, when given, sees every later node before it is
// counted or branched on; it may strike candidates and returns false when the node holds no
// completion of interest.
using NodeFilter = std::function<bool(CandidateGrid&)>;
int CountCompletions(const CandidateGrid& grid, int limit, const StartDigits& start,
                     Digits* first, SearchMonitor& monitor, const NodeFilter& filter = {});

}  // namespace engine
