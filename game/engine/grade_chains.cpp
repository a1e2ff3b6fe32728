// Chains of alternating inferences. A node is a digit in one cell, or, for the alternating
// chains, in a group of two or three cells where a box meets a line (the node is true when
// the digit lies in one of them). A strong link says at least one of its two nodes is true:
// the only two places of a digit in a unit (a group counting as one place), or the only two
// candidates of a cell. A weak link says at most one is: the same digit in cells that see
// each other, or two digits of one cell. A chain that starts from node A assumed false and
// alternates strong and weak links proves, for every node B it reaches by a strong link,
// that A or B is true, so any candidate that conflicts with both A and B goes. The shortest
// chains that strike anything are taken, all of them at once.
#include <algorithm>
#include <climits>
#include <span>
#include <utility>
#include <vector>

#include "game/engine/grade_techniques.h"

namespace engine {
namespace {

enum class ChainKind {
  X,            // one digit, single cells, strong links in units
  XY,           // cells with two candidates, strong links within them, ends the same digit
  Alternating,  // every candidate and group, every kind of link
};

struct Node {
  int digit;
  int cell;       // the cell of a single-cell node, -1 for a group
  CellSet cells;  // the node's cells
  CellSet seers;  // the cells that see all of them
};

// For each node, the nodes it links to, stored flat: the links of node n are
// to[start[n]] to to[start[n + 1] - 1].
struct Links {
  std::vector<int> start;
  std::vector<int> to;

  void Build(size_t count, const std::vector<std::pair<int, int>>& pairs) {
    start.assign(count + 1, 0);
    for (const auto& [a, b] : pairs) {
      ++start[static_cast<size_t>(a) + 1];
      ++start[static_cast<size_t>(b) + 1];
    }
    for (size_t n = 0; n < count; ++n) start[n + 1] += start[n];
    to.resize(2 * pairs.size());
    std::vector<int> next(start.begin(), start.end() - 1);
    for (const auto& [a, b] : pairs) {
      to[static_cast<size_t>(next[static_cast<size_t>(a)]++)] = b;
      to[static_cast<size_t>(next[static_cast<size_t>(b)]++)] = a;
    }
  }
  std::span<const int> Of(int n) const {
    return {to.data() + start[static_cast<size_t>(n)],
            to.data() + start[static_cast<size_t>(n) + 1]};
  }
};

struct ChainGraph {
  std::vector<Node> nodes;
  Links strong;
  Links weak;

  int Add(int digit, int cell, const CellSet& cells) {
    nodes.push_back({digit, cell, cells, CommonPeers(cells)});
    return static_cast<int>(nodes.size()) - 1;
  }
};

ChainGraph BuildGraph(const Pencilmarks& marks, ChainKind kind) {
  ChainGraph graph;
  std::vector<std::pair<int, int>> strong;
  std::vector<std::pair<int, int>> weak;
  std::array<std::vector<int>, 10> ofDigit;   // node indices by digit, single cells first
  std::array<int, 10> groupsFrom{};           // where the groups start in ofDigit[d]
  std::array<std::array<int, 9>, 81> single;  // node of digit d in cell k, -1 for none
  for (auto& cell : single) cell.fill(-1);
  for (int d = 1; d <= 9; ++d) {
    marks.CellsOf(d).ForEach([&](int k) {
      if (kind == ChainKind::XY && BitCount9(marks.Candidates(k)) != 2) return;
      single[k][d - 1] = graph.Add(d, k, CellSet::Of(k));
      ofDigit[d].push_back(single[k][d - 1]);
    });
    groupsFrom[d] = static_cast<int>(ofDigit[d].size());
    if (kind != ChainKind::Alternating) continue;
    for (const auto& meet : Tables().intersections) {
      const CellSet group = marks.CellsOf(d) & meet.cells;
      if (group.Count() >= 2) ofDigit[d].push_back(graph.Add(d, -1, group));
    }
  }

  for (int d = 1; d <= 9; ++d) {
    const std::vector<int>& nodes = ofDigit[d];
    // Each node to the single cells it sees (each pair once) and to the groups it sees.
    for (int n : nodes) {
      const Node& a = graph.nodes[static_cast<size_t>(n)];
      (a.seers & marks.CellsOf(d)).ForEach([&](int k) {
        const int b = single[k][d - 1];
        if (b >= 0 && (b > n || a.cell < 0)) weak.emplace_back(n, b);
      });
      if (a.cell >= 0) continue;
      for (int b : nodes) {
        const Node& group = graph.nodes[static_cast<size_t>(b)];
        if (group.cell < 0 && b > n && group.cells.Within(a.seers)) weak.emplace_back(n, b);
      }
    }
    if (kind == ChainKind::XY) continue;
    // A unit's places split into two nodes: two single cells, or a group and what is left,
    // a single cell or another group.
    for (const CellSet& unit : Tables().unit) {
      const CellSet places = marks.CellsOf(d) & unit;
      if (places.Count() == 2) {
        const int a = places.First();
        strong.emplace_back(single[a][d - 1], single[(places - CellSet::Of(a)).First()][d - 1]);
      }
      for (int g = groupsFrom[d]; g < static_cast<int>(nodes.size()); ++g) {
        const CellSet& group = graph.nodes[static_cast<size_t>(nodes[g])].cells;
        if (!group.Within(places)) continue;
        const CellSet rest = places - group;
        if (rest.Count() == 1) strong.emplace_back(nodes[g], single[rest.First()][d - 1]);
        for (int h = g + 1; h < static_cast<int>(nodes.size()); ++h) {
          if (graph.nodes[static_cast<size_t>(nodes[h])].cells == rest) {
            strong.emplace_back(nodes[g], nodes[h]);
          }
        }
      }
    }
  }

  // Two candidates of a cell: at most one is true, and when they are its only two, one is.
  for (int k = 0; k < 81 && kind != ChainKind::X; ++k) {
    for (int x = 0; x < 9; ++x) {
      for (int y = x + 1; y < 9 && single[k][x] >= 0; ++y) {
        if (single[k][y] < 0) continue;
        if (BitCount9(marks.Candidates(k)) == 2) strong.emplace_back(single[k][x], single[k][y]);
        if (kind == ChainKind::Alternating) weak.emplace_back(single[k][x], single[k][y]);
      }
    }
  }
  graph.strong.Build(graph.nodes.size(), strong);
  graph.weak.Build(graph.nodes.size(), weak);
  return graph;
}

// Strikes the candidates that conflict with a being true and with b being true: the same
// digit in cells that see both, a digit in one node's cell that the other node's digit
// rules out there, and in a cell that is both nodes, its other digits. True when any.
bool StrikeEitherConflict(const Pencilmarks& marks, const Node& a, const Node& b,
                          Deduction& found) {
  bool any = false;
  if (a.digit == b.digit) {
    any |= StrikeDigit(marks, a.seers & b.seers, a.digit, found);
  } else {
    if (b.cell >= 0) any |= StrikeDigit(marks, a.seers & CellSet::Of(b.cell), a.digit, found);
    if (a.cell >= 0) any |= StrikeDigit(marks, b.seers & CellSet::Of(a.cell), b.digit, found);
  }
  if (a.cell >= 0 && a.cell == b.cell) {
    any |= StrikeCandidates(marks, a.cell,
                            static_cast<uint16_t>(~(DigitBit(a.digit) | DigitBit(b.digit)) & 511),
                            found);
  }
  return any;
}

bool FindChains(const Pencilmarks& marks, ChainKind kind, Deduction& found) {
  const ChainGraph graph = BuildGraph(marks, kind);
  const int count = static_cast<int>(graph.nodes.size());
  Deduction shortest;
  Deduction strikes;  // what one chain strikes; cleared after each chain that strikes
  int bestLength = INT_MAX;
  // State 2n: node n false; 2n + 1: node n true. length: links from the start, -1 unseen;
  // from: the state it was reached from.
  std::vector<int> length(2 * static_cast<size_t>(count));
  std::vector<int> from(2 * static_cast<size_t>(count));
  std::vector<int> queue;
  for (int start = 0; start < count; ++start) {
    const Node& a = graph.nodes[static_cast<size_t>(start)];
    std::fill(length.begin(), length.end(), -1);
    queue.assign(1, 2 * start);
    length[2 * static_cast<size_t>(start)] = 0;
    for (size_t head = 0; head < queue.size(); ++head) {
      const int state = queue[head];
      const int reached = length[static_cast<size_t>(state)] + 1;
      if (reached > bestLength) break;
      const bool isTrue = state & 1;
      for (int next : (isTrue ? graph.weak : graph.strong).Of(state / 2)) {
        const int nextState = 2 * next + (isTrue ? 0 : 1);
        if (length[static_cast<size_t>(nextState)] >= 0) continue;
        length[static_cast<size_t>(nextState)] = reached;
        from[static_cast<size_t>(nextState)] = state;
        queue.push_back(nextState);
        if (isTrue) continue;
        const Node& b = graph.nodes[static_cast<size_t>(next)];
        if (kind == ChainKind::XY && (b.digit != a.digit || b.cell == a.cell)) continue;
        if (!StrikeEitherConflict(marks, a, b, strikes)) continue;
        if (reached < bestLength) shortest = Deduction{};
        bestLength = reached;
        for (int s = nextState;; s = from[static_cast<size_t>(s)]) {
          const Node& node = graph.nodes[static_cast<size_t>(s / 2)];
          MarkPattern(marks, node.cells, DigitBit(node.digit), shortest);
          if (s == 2 * start) break;
        }
        for (int k = 0; k < 81; ++k) shortest.strike[k] |= strikes.strike[k];
        strikes = Deduction{};
      }
    }
  }
  if (bestLength == INT_MAX) return false;
  for (int k = 0; k < 81; ++k) {
    found.strike[k] |= shortest.strike[k];
    found.pattern[k] |= shortest.pattern[k];
  }
  return true;
}

}  // namespace

bool FindXChains(const Pencilmarks& marks, Deduction& found) {
  return FindChains(marks, ChainKind::X, found);
}
bool FindXYChains(const Pencilmarks& marks, Deduction& found) {
  return FindChains(marks, ChainKind::XY, found);
}
bool FindAlternatingChains(const Pencilmarks& marks, Deduction& found) {
  return FindChains(marks, ChainKind::Alternating, found);
}

}  // namespace engine
