// Times the search behind Solve and Create on a file of puzzles, or on empty boards, and
// prints one line per board and a summary; --reference times the plain backtracking instead,
// so that the two can be compared board by board.
//
//   solve_bench [--print] [--reference] [--cap N] [--seed S] FILE
//   solve_bench [--print] [--reference] [--cap N] [--seed S] --empty N
//
// A puzzle is a line of at least 81 characters: '1'-'9' a given, anything else an empty
// cell; lines starting with '#' and shorter lines are skipped. Every board draws its 81
// start digits from the generator seeded with S (the empty boards from S, S + 1, ...).
// Output: "index microseconds steps [grid]" per board (steps: the branches the fast search
// tried, or the digits the plain one placed and revised; the grid as 81 digits, or "-" when
// none was found), then "count N mean A median M p99 P max X solved S" in microseconds. The
// times are wall-clock: run it on an otherwise idle machine.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/percentile.h"
#include "game/engine/random.h"
#include "game/engine/search.h"
#include "game/engine/solver.h"
#include "tests/engine/grade_puzzles.h"
#include "tests/engine/reference_search.h"

namespace {

struct Options {
  bool print = false;
  bool reference = false;
  uint64_t cap = 100'000'000;
  uint32_t seed = 0;
  int emptyBoards = -1;
  std::string file;
};

struct Outcome {
  bool solved;
  uint64_t steps;
  engine::Digits grid;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (arg == "--print") {
      options.print = true;
    } else if (arg == "--reference") {
      options.reference = true;
    } else if (arg == "--cap" || arg == "--seed" || arg == "--empty") {
      const char* text = value();
      if (text == nullptr) return false;
      unsigned long long number = std::strtoull(text, nullptr, 10);
      if (arg == "--cap") options.cap = number;
      if (arg == "--seed") options.seed = static_cast<uint32_t>(number);
      if (arg == "--empty") options.emptyBoards = static_cast<int>(number);
    } else if (!arg.empty() && arg[0] != '-' && options.file.empty()) {
      options.file = arg;
    } else {
      return false;
    }
  }
  return options.emptyBoards >= 0 || !options.file.empty();
}

Outcome RunFast(const engine::Digits& puzzle, const engine::StartDigits& start) {
  std::vector<engine::Prefilled> givens;
  for (int k = 0; k < 81; ++k) {
    if (puzzle[k] != 0) givens.push_back({k, puzzle[k], true});
  }
  engine::SearchMonitor monitor;
  engine::SearchResult result = engine::FindFirstCompletion(givens, start, monitor);
  return {result.status == engine::SearchStatus::Completed, monitor.Steps(), result.grid};
}

Outcome RunReference(const engine::Digits& puzzle, const engine::StartDigits& start,
                     uint64_t cap) {
  engine::Board board;
  for (int k = 0; k < 81; ++k) {
    board.cells[k].digit = puzzle[k];
    board.cells[k].master = puzzle[k] != 0 ? 1 : 0;
  }
  std::vector<engine::SearchEntry> stack = engine::SearchStackOf(board);
  testing_support::ReferenceResult result = testing_support::ReferenceSolve(board, stack, start, cap);
  Outcome outcome{result.status == testing_support::ReferenceStatus::Completed, result.steps, {}};
  for (int k = 0; k < 81; ++k) outcome.grid[k] = static_cast<int8_t>(board.cells[k].digit);
  return outcome;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: solve_bench [--print] [--reference] [--cap N] [--seed S] "
                 "(FILE | --empty N)\n");
    return 2;
  }
  std::vector<engine::Digits> puzzles;
  if (options.emptyBoards >= 0) {
    puzzles.assign(static_cast<size_t>(options.emptyBoards), engine::Digits{});
  } else {
    puzzles = testing_support::ReadPuzzleFile(options.file);
    if (puzzles.empty()) {
      std::fprintf(stderr, "solve_bench: no puzzles in %s\n", options.file.c_str());
      return 1;
    }
  }

  engine::RandomGenerator generator(options.seed);
  std::vector<double> times;
  int solved = 0;
  for (size_t index = 0; index < puzzles.size(); ++index) {
    if (options.emptyBoards >= 0) generator.Reseed(options.seed + static_cast<uint32_t>(index));
    engine::StartDigits start;
    for (int8_t& digit : start) digit = static_cast<int8_t>(1 + generator.Next(8));

    auto begin = std::chrono::steady_clock::now();
    Outcome outcome = options.reference ? RunReference(puzzles[index], start, options.cap)
                                        : RunFast(puzzles[index], start);
    std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - begin;

    times.push_back(elapsed.count());
    solved += outcome.solved ? 1 : 0;
    std::printf("%zu %.1f %llu", index, elapsed.count(),
                static_cast<unsigned long long>(outcome.steps));
    if (options.print) {
      std::string grid = "-";
      if (outcome.solved) {
        grid.clear();
        for (int8_t digit : outcome.grid) grid += static_cast<char>('0' + digit);
      }
      std::printf(" %s", grid.c_str());
    }
    std::printf("\n");
  }
  double total = 0;
  for (double time : times) total += time;
  std::printf("count %zu mean %.2f median %.1f p99 %.1f max %.1f solved %d\n", times.size(),
              total / static_cast<double>(times.size()), Percentile(times, 0.5),
              Percentile(times, 0.99), Percentile(times, 1.0), solved);
  return 0;
}
