// The game's two sound slots over DirectSound, loaded at run time: WAV files checked and held
// in memory, each played once without waiting and stopped on request. The sound device and
// its buffers exist only while a sound plays. Without dsound.dll or a device the game stays
// silent, and files are still checked.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "game/shell/wav_file.h"

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

  // Loads dsound.dll for the window; nothing is reported when there is none.
  void Init(HWND window);
  // Loads the WAV file (a UTF-8 path) into the slot, replacing (and stopping) what it held;
  // false for a file that is no playable WAV, which leaves the slot as it was.
  bool Load(int slot, const std::string& path);
  // Starts the slot's sound from its beginning, opening the device first when it is closed.
  void Play(int slot);
  void Stop(int slot);
  // Releases the buffers and the device once every sound played has had time to end; true
  // while they stay.
  bool CloseWhenSilent();

 private:
  static bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
  bool OpenDevice();
  void ReleaseBuffer(int slot);
  void CloseDevice();

  HWND window_ = nullptr;
  HMODULE library_ = nullptr;
  IDirectSound* device_ = nullptr;
  std::array<std::optional<shell::WavSound>, kSlotCount> sounds_{};
  std::array<IDirectSoundBuffer*, kSlotCount> buffers_{};  // only while the device is open
  std::array<ULONGLONG, kSlotCount> playingUntil_{};  // tick count at which a sound ends
};

}  // namespace shell_win32
