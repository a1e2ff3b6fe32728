// How long a sound takes to start when the audio device is closed, as it is whenever the
// game is silent: from the call that plays a short sound (what a refused digit makes) until
// SDL's audio thread has mixed it into the device's buffer. Each round waits for the sound to
// end and closes the device, as the game's chores do, so that every round opens it anew; with
// "open" the device stays open from the first round on, for comparison.
//
//   sound_latency [ROUNDS [open]]     (default 20; SDL_AUDIODRIVER chooses the driver)
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/shell/qt/sdl_sound.h"

namespace {

// A mono 16-bit PCM WAV file of 10 ms of a rising saw tooth.
std::string ShortWav() {
  constexpr uint32_t kFrames = 80;
  auto append = [](std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  std::string bytes = "RIFF";
  append(bytes, 36 + kFrames * 2, 4);
  bytes += "WAVEfmt ";
  for (auto [value, size] : {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {8000u, 4}, {16000u, 4},
                             {2u, 2}, {16u, 2}}) {
    append(bytes, value, size);
  }
  bytes += "data";
  append(bytes, kFrames * 2, 4);
  for (uint32_t i = 0; i < kFrames; ++i) append(bytes, (i * 512) & 0xFFFF, 2);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  const bool keepOpen = argc > 2 && std::string(argv[2]) == "open";
  const std::string path = "sound_latency.wav";
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    const std::string bytes = ShortWav();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  shell::SdlSound sound;
  sound.Init();
  const bool loaded = sound.Load(0, path);
  std::remove(path.c_str());
  if (!loaded) {
    std::fprintf(stderr, "sound_latency: SDL2 could not load the sound\n");
    return 1;
  }

  using Clock = std::chrono::steady_clock;
  std::vector<double> delays;
  for (int round = 0; round < rounds; ++round) {
    const Clock::time_point start = Clock::now();
    sound.Play(0);
    if (!sound.DeviceOpen()) {
      std::fprintf(stderr, "sound_latency: no audio device (driver %s)\n",
                   SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "none");
      return 1;
    }
    while (sound.Playing(0)) SDL_Delay(1);
    delays.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (!keepOpen) sound.CloseWhenSilent();
  }
  const double first = delays.front();
  std::sort(delays.begin(), delays.end());
  std::printf("sound start with %s device, %d rounds: first %.1f ms, median %.1f ms, "
              "90th percentile %.1f ms, max %.1f ms\n",
              keepOpen ? "an open" : "a closed", rounds, first, delays[delays.size() / 2],
              delays[delays.size() * 9 / 10], delays.back());
  return 0;
}
