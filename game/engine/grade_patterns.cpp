// Single-digit patterns: strong links of one digit (a line or box where it has only two
// places) joined so that one of two far ends must hold it.
#include <initializer_list>
#include <vector>

#include "game/engine/grade_techniques.h"

namespace engine {
namespace {

struct Link {
  int a;
  int b;
};

// The pairs of cells that are the only two places of digit d in a row (or a column).
std::vector<Link> StrongLinks(const Pencilmarks& marks, int d, bool rows) {
  std::vector<Link> links;
  for (int line = 0; line < 9; ++line) {
    const CellSet places =
        marks.CellsOf(d) & Tables().unit[rows ? RowUnit(line) : ColumnUnit(line)];
    if (places.Count() != 2) continue;
    const int a = places.First();
    links.push_back({a, (places - CellSet::Of(a)).First()});
  }
  return links;
}

CellSet SeeingBoth(int a, int b) { return Tables().peers[a] & Tables().peers[b]; }

CellSet Cells(std::initializer_list<int> cells) {
  CellSet set;
  for (int k : cells) set.Add(k);
  return set;
}

}  // namespace

// Two parallel strong links with one end each in a shared cross line: at most one of those
// ends holds the digit, so one of the other two ends does.
bool FindSkyscrapers(const Pencilmarks& marks, Deduction& found) {
  bool any = false;
  for (int d = 1; d <= 9; ++d) {
    for (bool rows : {true, false}) {
      auto across = [&](int k) { return rows ? ColumnOf(k) : RowOf(k); };
      const std::vector<Link> links = StrongLinks(marks, d, rows);
      for (size_t i = 0; i < links.size(); ++i) {
        for (size_t j = i + 1; j < links.size(); ++j) {
          for (Link first : {links[i], Link{links[i].b, links[i].a}}) {
            for (Link second : {links[j], Link{links[j].b, links[j].a}}) {
              // first.a and second.a share a cross line; their other ends do not.
              if (across(first.a) == across(second.a) && across(first.b) != across(second.b)) {
                any |= MarkPattern(marks, Cells({first.a, first.b, second.a, second.b}),
                                   DigitBit(d), found,
                                   StrikeDigit(marks, SeeingBoth(first.b, second.b), d, found));
              }
            }
          }
        }
      }
    }
  }
  return any;
}

// A row's strong link and a column's, with one end of each in the same box: those two ends
// cannot both hold the digit, so the row's other end or the column's does.
bool FindTwoStringKites(const Pencilmarks& marks, Deduction& found) {
  bool any = false;
  for (int d = 1; d <= 9; ++d) {
    for (Link row : StrongLinks(marks, d, true)) {
      for (Link column : StrongLinks(marks, d, false)) {
        if (row.a == column.a || row.a == column.b || row.b == column.a || row.b == column.b) {
          continue;
        }
        for (Link r : {row, Link{row.b, row.a}}) {
          for (Link c : {column, Link{column.b, column.a}}) {
            if (BoxUnit(r.a) == BoxUnit(c.a)) {
              any |= MarkPattern(marks, Cells({r.a, r.b, c.a, c.b}), DigitBit(d), found,
                                 StrikeDigit(marks, SeeingBoth(r.b, c.b), d, found));
            }
          }
        }
      }
    }
  }
  return any;
}

// A box whose places for the digit lie on one row and one column of it, with some on each
// off their crossing: the box's digit is on that row or on that column. A strong link in a
// column outside the box with one end on that row puts the digit, if not there, at the
// link's other end; either way the cell where the other end's row meets the box's column
// cannot hold it. The same holds with rows and columns swapped.
bool FindEmptyRectangles(const Pencilmarks& marks, Deduction& found) {
  bool any = false;
  for (int d = 1; d <= 9; ++d) {
    const std::vector<Link> rowLinks = StrongLinks(marks, d, true);
    const std::vector<Link> columnLinks = StrongLinks(marks, d, false);
    for (int box = 18; box < 27; ++box) {
      const CellSet places = marks.CellsOf(d) & Tables().unit[box];
      if (places.Count() < 2) continue;
      const int corner = Tables().unit[box].First();
      for (int row = RowOf(corner); row < RowOf(corner) + 3; ++row) {
        for (int column = ColumnOf(corner); column < ColumnOf(corner) + 3; ++column) {
          const CellSet& rowCells = Tables().unit[RowUnit(row)];
          const CellSet& columnCells = Tables().unit[ColumnUnit(column)];
          if (!places.Within(rowCells | columnCells) || (places - columnCells).Empty() ||
              (places - rowCells).Empty()) {
            continue;
          }
          // Links in columns with an end on the box's row, and links in rows with an end on
          // the box's column, outside the box.
          for (bool inColumns : {true, false}) {
            for (Link link : inColumns ? columnLinks : rowLinks) {
              for (Link l : {link, Link{link.b, link.a}}) {
                const bool onLine = inColumns ? RowOf(l.a) == row : ColumnOf(l.a) == column;
                if (!onLine || Tables().unit[box].Has(l.a) || Tables().unit[box].Has(l.b)) continue;
                const int target = inColumns ? 9 * RowOf(l.b) + column : 9 * row + ColumnOf(l.b);
                if (!Tables().unit[box].Has(target)) {
                  any |= MarkPattern(marks, places | Cells({l.a, l.b}), DigitBit(d), found,
                                     StrikeDigit(marks, CellSet::Of(target), d, found));
                }
              }
            }
          }
        }
      }
    }
  }
  return any;
}

}  // namespace engine
