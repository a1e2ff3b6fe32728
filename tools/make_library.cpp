// Makes the library of puzzles that comes with the game: for each of the grader's five levels
// below "beyond", the same number of puzzles with one solution and symmetric givens, each
// written as a master file (every digit a given) named so that a sorted listing runs from
// the easiest level to the hardest: "1 Gentle 01.sms" ... "5 Diabolical 50.sms". The seed
// fixes every byte.
//
// So that a level is not one technique over and over, above the first level no technique
// may be the hardest step of more than two in five of a level's puzzles, and the second
// level keeps a few places for puzzles whose hardest step is a naked or hidden triple or
// quad. Within a level the puzzles run from the easiest hardest step to the hardest.
//
//   make_library [--seed S] [--per-level N] --out FOLDER
//
// The masters (*.sms) already in FOLDER are removed first, so that it holds exactly the
// library. Prints for each level its count, how many of its puzzles used each technique and
// how many had each as their hardest step, then how many puzzles were made and why the
// others were left out, and the time taken.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/engine/grade_techniques.h"
#include "game/engine/grader.h"
#include "game/engine/random.h"
#include "game/engine/symmetric_puzzle.h"
#include "game/files/folders.h"
#include "game/files/game_file.h"

namespace {

namespace fs = std::filesystem;

struct Options {
  uint32_t seed = 2026;
  int perLevel = 50;
  fs::path out;
};

// The words players read for the levels Singles to Advanced.
constexpr std::array<const char*, 5> kLevelWords = {"Gentle", "Moderate", "Tough", "Fiendish",
                                                    "Diabolical"};
constexpr int kLevels = static_cast<int>(kLevelWords.size());
// The places of the second level kept for puzzles whose hardest step is a triple or a quad.
constexpr int kSubsetPlaces = 5;

// The hardest step of a grading: the last of its techniques in the order of difficulty.
std::string_view HardestStep(const engine::Grading& grading) { return grading.techniques.back(); }

bool IsTripleOrQuad(std::string_view technique) {
  return technique.find("Triple") != std::string_view::npos ||
         technique.find("Quad") != std::string_view::npos;
}

// A level being filled: its puzzles, and for each technique how many used it and how many
// had it as their hardest step.
struct Level {
  std::vector<std::pair<int, engine::Digits>> puzzles;  // hardest step's place in the table
  std::map<std::string_view, int> used;
  std::map<std::string_view, int> hardest;
  int subsets = 0;  // puzzles whose hardest step is a triple or a quad
};

// Whether a level of perLevel puzzles takes one more with that grading.
bool Takes(const Level& level, int number, int perLevel, const engine::Grading& grading) {
  const int size = static_cast<int>(level.puzzles.size());
  if (size == perLevel) return false;
  const std::string_view hardest = HardestStep(grading);
  // At least one of each, so that a small library can still be filled.
  const int share = std::max(1, 2 * perLevel / 5);
  const auto count = level.hardest.find(hardest);
  if (number > 1 && count != level.hardest.end() && count->second >= share) return false;
  const int subsetPlaces = number == 2 ? std::min(kSubsetPlaces, perLevel) : 0;
  return IsTripleOrQuad(hardest) || perLevel - size > subsetPlaces - level.subsets;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--seed") {
      options.seed = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
    } else if (arg == "--per-level") {
      options.perLevel = static_cast<int>(std::strtol(argv[i + 1], nullptr, 10));
    } else if (arg == "--out") {
      options.out = argv[i + 1];
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && !options.out.empty() && options.perLevel > 0 && options.perLevel < 100;
}

std::string TextOf(const engine::Digits& puzzle) {
  std::string text;
  for (int8_t digit : puzzle) text += digit != 0 ? static_cast<char>('0' + digit) : '.';
  return text;
}

bool RemoveOldMasters(const fs::path& folder) {
  const auto entries = files::ListFolder(folder);
  if (!entries) return false;
  for (const files::FolderEntry& entry : *entries) {
    std::error_code error;
    if (files::UpperExtension(entry.path.filename()) == "SMS" && !fs::remove(entry.path, error)) {
      return false;
    }
  }
  return true;
}

bool WriteMaster(const engine::Digits& puzzle, const fs::path& path) {
  engine::Board board;
  for (int k = 0; k < 81; ++k) board.cells[k] = {puzzle[k], -puzzle[k], 0};
  return files::WriteMasterGrid(board, path);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: make_library [--seed S] [--per-level 1-99] --out FOLDER\n");
    return 2;
  }
  const auto begin = std::chrono::steady_clock::now();
  std::error_code error;
  fs::create_directories(options.out, error);
  if (!RemoveOldMasters(options.out)) {
    std::fprintf(stderr, "make_library: cannot clear %s\n", options.out.string().c_str());
    return 1;
  }

  engine::RandomGenerator random(options.seed);
  std::array<Level, kLevels> levels;
  std::set<std::string> seen;
  int made = 0, beyond = 0, duplicates = 0, levelFull = 0;
  auto missing = [&] {
    for (const Level& level : levels) {
      if (static_cast<int>(level.puzzles.size()) < options.perLevel) return true;
    }
    return false;
  };
  while (missing()) {
    const engine::Digits puzzle = engine::SymmetricPuzzle(random);
    ++made;
    const engine::Grading grading = engine::GradePuzzle(puzzle);
    const int level = static_cast<int>(grading.level) - 1;
    if (grading.level == engine::GradeLevel::Beyond) {
      ++beyond;
    } else if (!seen.insert(TextOf(puzzle)).second) {
      ++duplicates;
    } else if (!Takes(levels[level], level + 1, options.perLevel, grading)) {
      ++levelFull;
    } else {
      Level& taker = levels[level];
      const engine::Technique* hardest = engine::FindTechnique(HardestStep(grading));
      taker.puzzles.emplace_back(static_cast<int>(hardest - engine::Techniques().data()), puzzle);
      for (std::string_view name : grading.techniques) ++taker.used[name];
      ++taker.hardest[HardestStep(grading)];
      if (IsTripleOrQuad(HardestStep(grading))) ++taker.subsets;
    }
  }

  for (int level = 0; level < kLevels; ++level) {
    std::stable_sort(levels[level].puzzles.begin(), levels[level].puzzles.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (int i = 0; i < options.perLevel; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "%d %s %02d.sms", level + 1, kLevelWords[level], i + 1);
      if (!WriteMaster(levels[level].puzzles[i].second, options.out / name)) {
        std::fprintf(stderr, "make_library: cannot write %s\n",
                     (options.out / name).string().c_str());
        return 1;
      }
    }
    const auto grade = static_cast<engine::GradeLevel>(level + 1);
    std::printf("level %d %s (%s): %d puzzles;", level + 1, kLevelWords[level],
                std::string(engine::GradeLevelName(grade)).c_str(), options.perLevel);
    for (const auto& [technique, count] : levels[level].used) {
      std::printf(" %s %d,", std::string(technique).c_str(), count);
    }
    std::printf("\n  hardest step:");
    for (const auto& [technique, count] : levels[level].hardest) {
      std::printf(" %s %d,", std::string(technique).c_str(), count);
    }
    std::printf("\n");
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - begin;
  std::printf("made %d puzzles: %d beyond the techniques, %d duplicates, %d not taken by a full "
              "level or past a technique's share; "
              "%.2f s\n", made, beyond, duplicates, levelFull, elapsed.count());
  return 0;
}
