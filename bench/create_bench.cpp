// Times the Create command's creation step, the answer to its question always Yes, at one
// skill level, and prints one line per puzzle and a summary.
//
//   create_bench [--skill S] [--count N] [--seed X] [--check]
//
// Puzzle i draws its random numbers from the generator seeded with X + i. Output: "index
// microseconds givens puzzle" per puzzle (the puzzle as 81 characters, '.' for an empty
// cell), then "count N median M p99 P max X givens G unique U" with the times in
// microseconds, G the mean number of givens and U how many puzzles have exactly one solution
// (counted after the timing). --check counts them once more with the tests' plain counter.
// The times are wall-clock: run it on an otherwise idle machine.
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/percentile.h"
#include "game/engine/create.h"
#include "game/engine/search.h"
#include "tests/engine/reference_search.h"
#include "tests/support/fake_platform.h"

namespace {

struct Options {
  int skill = 0;
  int count = 1000;
  uint32_t seed = 0;
  bool check = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--check") {
      options.check = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const unsigned long number = std::strtoul(argv[++i], nullptr, 10);
    if (arg == "--skill") {
      options.skill = static_cast<int>(number);
    } else if (arg == "--count") {
      options.count = static_cast<int>(number);
    } else if (arg == "--seed") {
      options.seed = static_cast<uint32_t>(number);
    } else {
      return false;
    }
  }
  return options.skill >= 0 && options.skill <= 3;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: create_bench [--skill 0-3] [--count N] [--seed X] [--check]\n");
    return 2;
  }
  std::vector<double> times;
  std::vector<double> cpuTimes;
  long givensTotal = 0;
  int unique = 0;
  int checkedUnique = 0;
  for (int index = 0; index < options.count; ++index) {
    testing_support::FakePlatform platform;
    platform.Reseed(options.seed + static_cast<uint32_t>(index));
    platform.messageAnswers = {engine::MessageAnswer::Yes};
    engine::Game game(platform);
    game.Skill = options.skill;

    const std::clock_t cpuBegin = std::clock();
    const auto begin = std::chrono::steady_clock::now();
    engine::CreatePuzzle(game, {});
    const std::chrono::duration<double, std::micro> elapsed =
        std::chrono::steady_clock::now() - begin;
    cpuTimes.push_back(1e6 * static_cast<double>(std::clock() - cpuBegin) / CLOCKS_PER_SEC);

    engine::Digits puzzle{};
    std::string text;
    int givens = 0;
    for (int k = 0; k < 81; ++k) {
      const int digit = game.board.cells[k].digit;
      puzzle[k] = static_cast<int8_t>(digit);
      text += digit != 0 ? static_cast<char>('0' + digit) : '.';
      givens += digit != 0;
    }
    times.push_back(elapsed.count());
    givensTotal += givens;
    unique += engine::CountSolutions(puzzle, 2) == 1;
    if (options.check) checkedUnique += testing_support::CountSolutionsPlainly(puzzle, 2) == 1;
    std::printf("%d %.1f %d %s\n", index, elapsed.count(), givens, text.c_str());
  }
  std::printf("count %d median %.1f p99 %.1f max %.1f cpu median %.1f p99 %.1f max %.1f "
              "givens %.2f unique %d",
              options.count, Percentile(times, 0.5), Percentile(times, 0.99),
              Percentile(times, 1.0), Percentile(cpuTimes, 0.5), Percentile(cpuTimes, 0.99),
              Percentile(cpuTimes, 1.0),
              options.count > 0 ? static_cast<double>(givensTotal) / options.count : 0.0, unique);
  if (options.check) std::printf(" checked %d", checkedUnique);
  std::printf("\n");
  return 0;
}
