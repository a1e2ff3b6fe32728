// The game's two sound slots over SDL2's WAV loader and one audio device: WAV files decoded
// into memory, each played once without waiting and stopped on request, both at once if
// need be. SDL2 is loaded when sound starts, not with the program, and its audio device is
// open only while a sound plays, so that no audio thread runs while the game is silent.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace shell {

struct SdlAudio;

class SdlSound {
 public:
  static constexpr int kSlotCount = 2;  // 0 the custom error sound, 1 the custom win sound

  SdlSound() = default;
  ~SdlSound();
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;

  // Loads SDL2; a machine without it stays silent, and nothing is reported. InitWith takes
  // the library's functions, null for none.
  void Init();
  void InitWith(const SdlAudio* sdl);
  bool DeviceOpen() const { return device_ != 0; }

  // Checks the WAV file with the reader both shells share and decodes it into the slot,
  // replacing (and stopping) what it held. Without SDL2 a good file is kept and plays
  // silently; a file that is no playable WAV gives false and leaves the slot as it was.
  bool Load(int slot, const std::string& path);
  // Starts the slot's sound from its beginning, without waiting, opening the audio device
  // first when it is closed; nothing on a silent machine or an empty slot.
  void Play(int slot);
  void Stop(int slot);
  bool Holds(int slot) const;
  // True from Play until the slot's sound has been played to its end or stopped.
  bool Playing(int slot) const;
  // Closes the audio device, and with it SDL's audio threads, once no slot plays; true while
  // it stays open.
  bool CloseWhenSilent();

 private:
  // Shared with SDL's audio thread, which reads the samples from the position on; changed
  // only with the device locked.
  struct Slot {
    bool loaded = false;
    std::vector<std::uint8_t> samples;  // in the device's format; none without SDL2
    size_t position = 0;
    bool playing = false;
  };

  static bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
  // SDL's audio callback: mixes the playing slots into the device's next buffer.
  static void Mix(void* sound, std::uint8_t* buffer, int length);
  bool OpenDevice();
  void CloseDevice();
  // Runs the change while SDL's audio thread is held off, or at once without a device.
  template <typename Change>
  void Locked(Change change) const;

  std::array<Slot, kSlotCount> slots_{};
  const SdlAudio* sdl_ = nullptr;
  std::uint32_t device_ = 0;  // SDL's device id while the device is open
};

}  // namespace shell
