// Times the grader and prints, for each level, how many puzzles rated it and their median,
// p99 and largest grading time in microseconds, then every technique with how many puzzles
// used it.
//
//   grade_bench [--print] [--repeat R] FILE
//   grade_bench [--print] [--repeat R] [--seed S] --generate N
//
// FILE holds one puzzle a line: 81 characters, '1'-'9' a given, anything else an empty cell;
// lines starting with '#' and shorter lines are skipped. --generate makes N puzzles with a
// unique solution and givens in 180-degree symmetry: a random full grid from the search, then
// pairs of cells emptied in random order while the solution stays unique. --print adds a line
// per puzzle: "index microseconds level techniques...". The times are wall-clock, each
// puzzle's the fastest of R gradings (3 unless given), which keeps out most of what other
// programs on a busy machine add.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/percentile.h"
#include "game/engine/grader.h"
#include "game/engine/symmetric_puzzle.h"
#include "game/engine/random.h"
#include "tests/engine/grade_puzzles.h"

namespace {

struct Options {
  bool print = false;
  uint32_t seed = 1;
  int generate = -1;
  int repeat = 3;
  std::string file;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--print") {
      options.print = true;
    } else if ((arg == "--seed" || arg == "--generate" || arg == "--repeat") && i + 1 < argc) {
      const unsigned long number = std::strtoul(argv[++i], nullptr, 10);
      if (arg == "--seed") options.seed = static_cast<uint32_t>(number);
      if (arg == "--generate") options.generate = static_cast<int>(number);
      if (arg == "--repeat") options.repeat = std::max(1, static_cast<int>(number));
    } else if (!arg.empty() && arg[0] != '-' && options.file.empty()) {
      options.file = arg;
    } else {
      return false;
    }
  }
  return options.generate >= 0 || !options.file.empty();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: grade_bench [--print] [--repeat R] (FILE | [--seed S] --generate N)\n");
    return 2;
  }
  std::vector<engine::Digits> puzzles;
  if (options.generate >= 0) {
    engine::RandomGenerator random(options.seed);
    for (int i = 0; i < options.generate; ++i) {
      puzzles.push_back(engine::SymmetricPuzzle(random));
    }
  } else {
    puzzles = testing_support::ReadPuzzleFile(options.file);
    if (puzzles.empty()) {
      std::fprintf(stderr, "grade_bench: no puzzles in %s\n", options.file.c_str());
      return 1;
    }
  }

  std::map<engine::GradeLevel, std::vector<double>> times;
  std::map<std::string_view, int> techniqueUse;
  std::vector<double> all;
  for (size_t index = 0; index < puzzles.size(); ++index) {
    engine::Grading grading;
    std::chrono::duration<double, std::micro> elapsed{1e300};
    for (int run = 0; run < options.repeat; ++run) {
      const auto begin = std::chrono::steady_clock::now();
      grading = engine::GradePuzzle(puzzles[index]);
      elapsed = std::min<std::chrono::duration<double, std::micro>>(
          elapsed, std::chrono::steady_clock::now() - begin);
    }
    times[grading.level].push_back(elapsed.count());
    all.push_back(elapsed.count());
    for (std::string_view name : grading.techniques) ++techniqueUse[name];
    if (options.print) {
      std::printf("%zu %.1f %s", index, elapsed.count(),
                  std::string(engine::GradeLevelName(grading.level)).c_str());
      for (std::string_view name : grading.techniques) {
        std::printf(" \"%s\"", std::string(name).c_str());
      }
      std::printf("\n");
    }
  }
  for (const auto& [level, levelTimes] : times) {
    std::printf("level %s count %zu median %.1f p99 %.1f max %.1f\n",
                std::string(engine::GradeLevelName(level)).c_str(), levelTimes.size(),
                Percentile(levelTimes, 0.5), Percentile(levelTimes, 0.99),
                Percentile(levelTimes, 1.0));
  }
  std::printf("all count %zu median %.1f p99 %.1f max %.1f\n", all.size(), Percentile(all, 0.5),
              Percentile(all, 0.99), Percentile(all, 1.0));
  for (const auto& [name, count] : techniqueUse) {
    std::printf("technique \"%s\" %d\n", std::string(name).c_str(), count);
  }
  return 0;
}
