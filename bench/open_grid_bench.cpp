// Opens complete grids as puzzles, as loading a numbered master does, at each skill level,
// and prints how many of the puzzles have more than one solution.
//
//   open_grid_bench [--count N] [--seed X]
//
// Grid i is the search's grid from the generator seeded with X + i; it is opened with the
// generator seeded with X + i + 1000000. Output: one line per skill, "skill S grids N
// several M givens G" with G the mean number of givens left.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/engine/create.h"
#include "game/engine/search.h"
#include "game/files/game_file.h"
#include "tests/support/fake_platform.h"

int main(int argc, char** argv) {
  int count = 300;
  uint32_t seed = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    const unsigned long number = std::strtoul(argv[i + 1], nullptr, 10);
    if (arg == "--count") {
      count = static_cast<int>(number);
    } else if (arg == "--seed") {
      seed = static_cast<uint32_t>(number);
    } else {
      std::fprintf(stderr, "usage: open_grid_bench [--count N] [--seed X]\n");
      return 2;
    }
  }
  for (int skill = 0; skill <= 3; ++skill) {
    int several = 0;
    long givens = 0;
    for (int index = 0; index < count; ++index) {
      testing_support::FakePlatform platform;
      platform.Reseed(seed + static_cast<uint32_t>(index));
      platform.messageAnswers = {engine::MessageAnswer::No};
      engine::Game game(platform);
      engine::CreatePuzzle(game, {});
      const std::string bytes = files::FormatGameFile(game.board);

      platform.Reseed(seed + static_cast<uint32_t>(index) + 1000000);
      game.Skill = skill;
      files::ReadGameBytes(game, bytes, 2);
      engine::Digits puzzle{};
      for (int k = 0; k < 81; ++k) {
        puzzle[k] = static_cast<int8_t>(game.board.cells[k].digit);
        givens += puzzle[k] != 0;
      }
      several += engine::CountSolutions(puzzle, 2) > 1;
    }
    std::printf("skill %d grids %d several %d givens %.2f\n", skill, count, several,
                count > 0 ? static_cast<double>(givens) / count : 0.0);
  }
  return 0;
}
