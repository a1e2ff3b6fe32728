// The game's two sound slots over SDL2 and SDL2_mixer: WAV files decoded into memory, each
// played once without waiting and stopped on request.
#pragma once

#include <array>
#include <string>

struct Mix_Chunk;

namespace shell {

class SdlSound {
 public:
  static constexpr int kSlotCount = 2;  // 0 the custom error sound, 1 the custom win sound

  SdlSound() = default;
  ~SdlSound();
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;

  // Opens the audio device. A machine without one stays silent; nothing is reported.
  void Init();
  bool DeviceOpen() const { return deviceOpen_; }

  // Decodes the WAV file into the slot, replacing what it held. The file is checked even
  // without a device, so a good choice is kept on a silent machine; a file that is no
  // playable WAV gives false and leaves the slot as it was.
  bool Load(int slot, const std::string& path);
  // Starts the slot's sound from its beginning, without waiting; nothing on a silent
  // machine or an empty slot.
  void Play(int slot);
  void Stop(int slot);
  bool Holds(int slot) const;

 private:
  struct Slot {
    bool loaded = false;
    Mix_Chunk* chunk = nullptr;  // only while the device is open
  };

  static bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

  std::array<Slot, kSlotCount> slots_{};
  bool sdlStarted_ = false;
  bool deviceOpen_ = false;
};

}  // namespace shell
