// The game's two sound slots over SDL2's WAV loader and one audio device: WAV files decoded
// into memory, each played once without waiting and stopped on request, both at once if
// need be. SDL2 is loaded when sound starts, not with the program.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace shell {

class SdlSound {
 public:
  static constexpr int kSlotCount = 2;  // 0 the custom error sound, 1 the custom win sound

  SdlSound() = default;
  ~SdlSound();
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;

  // Loads SDL2 and opens the audio device. A machine without a sound device, or without
  // SDL2, stays silent; nothing is reported.
  void Init();
  bool DeviceOpen() const { return deviceOpen_; }

  // Decodes the WAV file into the slot, replacing (and stopping) what it held. The file is
  // checked even without a device, so a good choice is kept on a silent machine; a file
  // that is no playable WAV gives false and leaves the slot as it was.
  bool Load(int slot, const std::string& path);
  // Starts the slot's sound from its beginning, without waiting; nothing on a silent
  // machine or an empty slot.
  void Play(int slot);
  void Stop(int slot);
  bool Holds(int slot) const;
  // True from Play until the slot's sound has been played to its end or stopped.
  bool Playing(int slot) const;

 private:
  // Shared with SDL's audio thread, which reads the samples from the position on; changed
  // only with the device locked.
  struct Slot {
    bool loaded = false;
    std::vector<std::uint8_t> samples;  // in the device's format; only while it is open
    size_t position = 0;
    bool playing = false;
  };

  static bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
  // SDL's audio callback: mixes the playing slots into the device's next buffer.
  static void Mix(void* sound, std::uint8_t* buffer, int length);
  // Runs the change while SDL's audio thread is held off; nothing without a device, when no
  // slot holds samples.
  template <typename Change>
  void Locked(Change change) const;

  std::array<Slot, kSlotCount> slots_{};
  bool sdlStarted_ = false;
  bool deviceOpen_ = false;
  std::uint32_t device_ = 0;  // SDL's device id while the device is open
};

}  // namespace shell
