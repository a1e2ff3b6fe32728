// Basic fish: n rows whose candidates for a digit lie in only n columns between them leave
// the digit nowhere else in those columns, and the same with rows and columns swapped.
#include "game/engine/grade_techniques.h"

namespace engine {
namespace {

bool FindFish(const Pencilmarks& marks, int n, Deduction& found) {
  bool any = false;
  for (int d = 1; d <= 9; ++d) {
    for (bool byRows : {true, false}) {
      auto baseUnit = [&](int line) { return byRows ? RowUnit(line) : ColumnUnit(line); };
      auto coverUnit = [&](int line) { return byRows ? ColumnUnit(line) : RowUnit(line); };
      // Each base line's positions of d along it, as a 9-bit mask.
      std::array<uint16_t, 9> positions{};
      for (int line = 0; line < 9; ++line) {
        const Unit& cells = Units()[baseUnit(line)];
        for (int i = 0; i < 9; ++i) {
          if (marks.Candidates(cells[i]) & DigitBit(d)) {
            positions[line] |= static_cast<uint16_t>(1u << i);
          }
        }
      }
      ForEachLockedSet(positions, n, [&](uint16_t bases, uint16_t covers) {
        CellSet victims;
        for (int line = 0; line < 9; ++line) {
          if (covers >> line & 1) victims |= Tables().unit[coverUnit(line)];
        }
        for (int line = 0; line < 9; ++line) {
          if (bases >> line & 1) victims = victims - Tables().unit[baseUnit(line)];
        }
        any |= StrikeDigit(marks, victims, d, found);
      });
    }
  }
  return any;
}

}  // namespace

bool FindXWings(const Pencilmarks& marks, Deduction& found) { return FindFish(marks, 2, found); }
bool FindSwordfish(const Pencilmarks& marks, Deduction& found) { return FindFish(marks, 3, found); }
bool FindJellyfish(const Pencilmarks& marks, Deduction& found) { return FindFish(marks, 4, found); }

}  // namespace engine
