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
#include <bit>
#include <climits>
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

struct ChainGraph {
  std::vector<Node> nodes;
  std::vector<std::vector<int>> strong;
  std::vector<std::vector<int>> weak;

  int Add(int digit, int cell, const CellSet& cells) {
    nodes.push_back({digit, cell, cells, CommonPeers(cells)});
    strong.emplace_back();
    weak.emplace_back();
    return static_cast<int>(nodes.size()) - 1;
  }
  void Link(std::vector<std::vector<int>>& links, int a, int b) {
    links[static_cast<size_t>(a)].push_back(b);
    links[static_cast<size_t>(b)].push_back(a);
  }
};

ChainGraph BuildGraph(const Pencilmarks& marks, ChainKind kind) {
  ChainGraph graph;
  std::array<std::vector<int>, 10> ofDigit;  // node indices by digit
  std::array<std::array<int, 9>, 81> single;   // node of digit d in cell k, -1 for none
  for (auto& cell : single) cell.fill(-1);
  for (int d = 1; d <= 9; ++d) {
    marks.CellsOf(d).ForEach([&](int k) {
      if (kind == ChainKind::XY && std::popcount(marks.Candidates(k)) != 2) return;
      single[k][d - 1] = graph.Add(d, k, CellSet::Of(k));
      ofDigit[d].push_back(single[k][d - 1]);
    });
    if (kind != ChainKind::Alternating) continue;
    for (const auto& meet : Tables().intersections) {
      const CellSet group = marks.CellsOf(d) & meet.cells;
      if (group.Count() >= 2) ofDigit[d].push_back(graph.Add(d, -1, group));
    }
  }

  for (int d = 1; d <= 9; ++d) {
    const std::vector<int>& nodes = ofDigit[d];
    for (size_t i = 0; i < nodes.size(); ++i) {
      for (size_t j = i + 1; j < nodes.size(); ++j) {
        const Node& a = graph.nodes[static_cast<size_t>(nodes[i])];
        const Node& b = graph.nodes[static_cast<size_t>(nodes[j])];
        if (b.cells.Within(a.seers)) graph.Link(graph.weak, nodes[i], nodes[j]);
      }
    }
    if (kind == ChainKind::XY) continue;
    for (const CellSet& unit : Tables().unit) {
      const CellSet places = marks.CellsOf(d) & unit;
      if (places.Count() < 2) continue;
      std::vector<int> inUnit;
      for (int n : nodes) {
        if (graph.nodes[static_cast<size_t>(n)].cells.Within(places)) inUnit.push_back(n);
      }
      for (size_t i = 0; i < inUnit.size(); ++i) {
        for (size_t j = i + 1; j < inUnit.size(); ++j) {
          const CellSet& a = graph.nodes[static_cast<size_t>(inUnit[i])].cells;
          const CellSet& b = graph.nodes[static_cast<size_t>(inUnit[j])].cells;
          if ((a & b).Empty() && (a | b) == places) graph.Link(graph.strong, inUnit[i], inUnit[j]);
        }
      }
    }
  }

  if (kind == ChainKind::X) return graph;
  for (int k = 0; k < 81; ++k) {
    std::vector<int> here;
    for (int n : single[k]) {
      if (n >= 0) here.push_back(n);
    }
    for (size_t i = 0; i < here.size(); ++i) {
      for (size_t j = i + 1; j < here.size(); ++j) {
        if (here.size() == 2) graph.Link(graph.strong, here[i], here[j]);
        if (kind == ChainKind::Alternating) graph.Link(graph.weak, here[i], here[j]);
      }
    }
  }
  return graph;
}

// The cells where digit d conflicts with node n being true.
CellSet ConflictsOf(const Node& n, int d) {
  if (n.digit == d) return n.seers;
  return n.cell >= 0 ? CellSet::Of(n.cell) : CellSet{};
}

// Strikes what "a or b" rules out; true when anything.
bool StrikeEitherConflict(const Pencilmarks& marks, const Node& a, const Node& b, Deduction& found) {
  bool any = false;
  for (int d = 1; d <= 9; ++d) any |= StrikeDigit(marks, ConflictsOf(a, d) & ConflictsOf(b, d), d, found);
  return any;
}

bool FindChains(const Pencilmarks& marks, ChainKind kind, Deduction& found) {
  const ChainGraph graph = BuildGraph(marks, kind);
  const int count = static_cast<int>(graph.nodes.size());
  Deduction shortest;
  int bestLength = INT_MAX;
  // State 2n: node n false; 2n + 1: node n true. length: links from the start, -1 unseen.
  std::vector<int> length(2 * static_cast<size_t>(count));
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
      for (int next : (isTrue ? graph.weak : graph.strong)[static_cast<size_t>(state / 2)]) {
        const int nextState = 2 * next + (isTrue ? 0 : 1);
        if (length[static_cast<size_t>(nextState)] >= 0) continue;
        length[static_cast<size_t>(nextState)] = reached;
        queue.push_back(nextState);
        if (isTrue) continue;
        const Node& b = graph.nodes[static_cast<size_t>(next)];
        if (kind == ChainKind::XY && (b.digit != a.digit || b.cell == a.cell)) continue;
        Deduction strikes;
        if (!StrikeEitherConflict(marks, a, b, strikes)) continue;
        if (reached < bestLength) shortest = Deduction{};
        bestLength = reached;
        for (int k = 0; k < 81; ++k) shortest.strike[k] |= strikes.strike[k];
      }
    }
  }
  if (bestLength == INT_MAX) return false;
  for (int k = 0; k < 81; ++k) found.strike[k] |= shortest.strike[k];
  return true;
}

}  // namespace

bool FindXChains(const Pencilmarks& marks, Deduction& found) { return FindChains(marks, ChainKind::X, found); }
bool FindXYChains(const Pencilmarks& marks, Deduction& found) { return FindChains(marks, ChainKind::XY, found); }
bool FindAlternatingChains(const Pencilmarks& marks, Deduction& found) {
  return FindChains(marks, ChainKind::Alternating, found);
}

}  // namespace engine
