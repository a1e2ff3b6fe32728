// The pencil marks of a logical solve and the unit and peer tables.
#include "game/engine/grade_candidates.h"

namespace engine {

GradeTables MakeGradeTables() {
  GradeTables t;
  for (int u = 0; u < 27; ++u) {
    for (int k : Units()[u]) t.unit[u].Add(k);
  }
  for (int k = 0; k < 81; ++k) {
    t.peers[k] = t.unit[ColumnUnit(ColumnOf(k))] | t.unit[RowUnit(RowOf(k))] | t.unit[BoxUnit(k)];
    t.peers[k].Remove(k);
  }
  int i = 0;
  for (int box = 18; box < 27; ++box) {
    for (int line = 0; line < 18; ++line) {
      const CellSet shared = t.unit[box] & t.unit[line];
      if (!shared.Empty()) t.intersections[i++] = {box, line, shared};
    }
  }
  return t;
}

CellSet CommonPeers(const CellSet& cells) {
  CellSet common = kAllCells;
  cells.ForEach([&](int k) { common = common & Tables().peers[k]; });
  return common;
}

bool Deduction::Empty() const {
  for (int k = 0; k < 81; ++k) {
    if (place[k] != 0 || strike[k] != 0) return false;
  }
  return true;
}

Pencilmarks::Pencilmarks() {
  candidates_.fill(511);
  cellsOf_.fill(kAllCells);
}

bool Pencilmarks::PlaceAll(const Digits& givens) {
  for (int k = 0; k < 81; ++k) {
    if (givens[k] != 0 && !Place(k, givens[k])) return false;
  }
  return true;
}

bool Pencilmarks::Place(int k, int d) {
  if (d < 1 || d > 9 || !(candidates_[k] & DigitBit(d))) return false;
  Strike(k, candidates_[k]);
  digits_[k] = static_cast<int8_t>(d);
  Tables().peers[k].ForEach([&](int peer) { Strike(peer, DigitBit(d)); });
  return true;
}

void Pencilmarks::Strike(int k, uint16_t digits) {
  uint16_t gone = candidates_[k] & digits;
  candidates_[k] &= static_cast<uint16_t>(~gone);
  for (; gone; gone &= gone - 1) cellsOf_[std::countr_zero(gone)].Remove(k);
}

void Pencilmarks::Apply(const Deduction& deduction) {
  for (int k = 0; k < 81; ++k) {
    if (deduction.place[k] != 0) Place(k, deduction.place[k]);
    if (deduction.strike[k] != 0) Strike(k, deduction.strike[k]);
  }
}

bool Pencilmarks::IsComplete() const {
  for (int8_t d : digits_) {
    if (d == 0) return false;
  }
  return true;
}

bool Pencilmarks::IsBroken() const {
  for (int k = 0; k < 81; ++k) {
    if (digits_[k] == 0 && candidates_[k] == 0) return true;
  }
  return false;
}

std::string PencilmarksText(const Pencilmarks& marks) {
  std::string text;
  for (int k = 0; k < 81; ++k) {
    if (k != 0) text += k % 9 == 0 ? '\n' : ' ';
    if (marks.DigitAt(k) != 0) {
      text += static_cast<char>('0' + marks.DigitAt(k));
      continue;
    }
    text += '[';
    for (int d = 1; d <= 9; ++d) {
      if (marks.Candidates(k) & DigitBit(d)) text += static_cast<char>('0' + d);
    }
    text += ']';
  }
  return text;
}

bool PencilmarksFromText(std::string_view text, Pencilmarks& marks) {
  Pencilmarks read;
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\n' || text[i] == '\r' || text[i] == '\t'))
      ++i;
  };
  for (int k = 0; k < 81; ++k) {
    skipBlanks();
    if (i >= text.size()) return false;
    uint16_t candidates = 0;
    int digit = 0;
    if (text[i] >= '1' && text[i] <= '9') {
      digit = text[i++] - '0';
    } else if (text[i++] == '[') {
      for (; i < text.size() && text[i] >= '1' && text[i] <= '9'; ++i) {
        candidates |= DigitBit(text[i] - '0');
      }
      if (i >= text.size() || text[i++] != ']') return false;
    } else {
      return false;
    }
    read.digits_[k] = static_cast<int8_t>(digit);
    read.Strike(k, static_cast<uint16_t>(~candidates & 511));
  }
  skipBlanks();
  if (i != text.size()) return false;
  marks = read;
  return true;
}

}  // namespace engine
