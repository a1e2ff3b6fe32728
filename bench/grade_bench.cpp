// Times the grader and prints, for each level, how many puzzles rated it and their median,
// p99 and largest grading time in microseconds, then every technique with how many puzzles
// used it.
//
//   grade_bench [--print] [--repeat R] FILE
//   grade_bench [--print] [--repeat R] [--seed S] --generate N
//   grade_bench [--print] [--repeat R] --library FOLDER
//
// FILE holds one puzzle a line: 81 characters, '1'-'9' a given, anything else an empty cell;
// lines starting with '#' and shorter lines are skipped. --generate makes N puzzles with a
// unique solution and givens in 180-degree symmetry: a random full grid from the search, then
// pairs of cells emptied in random order while the solution stays unique. --library grades
// the masters (*.sms) of a folder, such as the library that comes with the game, in the
// order of their names. --print adds a line
// per puzzle: "index microseconds level techniques...". The times are wall-clock, each
// puzzle's the fastest of R gradings (3 unless given), which keeps out most of what other
// programs on a busy machine add.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench/percentile.h"
#include "common/settings/file_bytes.h"
#include "game/engine/grader.h"
#include "game/engine/symmetric_puzzle.h"
#include "game/engine/random.h"
#include "game/files/game_file.h"
#include "tests/engine/grade_puzzles.h"

namespace {

struct Options {
  bool print = false;
  uint32_t seed = 1;
  int generate = -1;
  int repeat = 3;
  std::string file;
  std::string library;
};

// The givens of every master in the folder, in the order of their names.
std::vector<engine::Digits> ReadLibrary(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> paths;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".sms") paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<engine::Digits> puzzles;
  for (const std::filesystem::path& path : paths) {
    const std::optional<std::string> bytes = settings::ReadWholeFile(path);
    if (!bytes) continue;
    engine::Board board;
    files::ParseGameFile(*bytes, 0, board);
    engine::Digits givens{};
    for (int k = 0; k < 81; ++k) givens[k] = static_cast<int8_t>(board.cells[k].digit);
    puzzles.push_back(givens);
  }
  return puzzles;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--print") {
      options.print = true;
    } else if (arg == "--library" && i + 1 < argc) {
      options.library = argv[++i];
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
  return options.generate >= 0 || !options.file.empty() || !options.library.empty();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: grade_bench [--print] [--repeat R] "
                 "(FILE | [--seed S] --generate N | --library FOLDER)\n");
    return 2;
  }
  std::vector<engine::Digits> puzzles;
  if (options.generate >= 0) {
    engine::RandomGenerator random(options.seed);
    for (int i = 0; i < options.generate; ++i) {
      puzzles.push_back(engine::SymmetricPuzzle(random));
    }
  } else {
    const std::string& source = options.library.empty() ? options.file : options.library;
    puzzles = options.library.empty() ? testing_support::ReadPuzzleFile(source)
                                      : ReadLibrary(source);
    if (puzzles.empty()) {
      std::fprintf(stderr, "grade_bench: no puzzles in %s\n", source.c_str());
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
