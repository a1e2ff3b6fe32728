// The game's two sound slots over DirectSound, loaded at run time: WAV files held in sound
// buffers, each played once without waiting and stopped on request. Without dsound.dll or a
// device the game stays silent, and files are still checked.
#pragma once

#include <windows.h>

#include <array>
#include <string>

struct IDirectSound;
struct IDirectSoundBuffer;

namespace shell_win32 {

class DirectSound {
 public:
  static constexpr int kSlotCount = 2;  // 0 the custom error sound, 1 the custom win sound

  DirectSound() = default;
  ~DirectSound();
  DirectSound(const DirectSound&) = delete;
  DirectSound& operator=(const DirectSound&) = delete;

  // Opens the sound device for the window; nothing is reported when there is none.
  void Init(HWND window);
  // Loads the WAV file (a UTF-8 path) into the slot, replacing what it held; false for a file
  // that is no playable WAV, which leaves the slot as it was.
  bool Load(int slot, const std::string& path);
  void Play(int slot);
  void Stop(int slot);

 private:
  static bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

  HMODULE library_ = nullptr;
  IDirectSound* device_ = nullptr;
  std::array<IDirectSoundBuffer*, kSlotCount> buffers_{};
};

}  // namespace shell_win32
