// Reading a WAV file for the sound slots of both shells: its format and samples, checked the
// way a sound buffer needs them. Free of any OS call, so that a file is judged the same on
// every system, with or without a sound library or device.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

struct WavSound {
  // The format as a WAVEFORMATEX image, little-endian: 16 bytes and a zero extension size
  // for plain PCM and float, the 40 bytes of WAVEFORMATEXTENSIBLE for the extensible format.
  std::string format;
  // The sample frames of the "data" chunk, whole frames only.
  std::string samples;
};

// The sound of a RIFF WAVE file holding uncompressed PCM or IEEE float samples (plain or in
// the extensible format) with at least one sample frame; nothing for anything else.
std::optional<WavSound> ParseWav(std::string_view bytes);
// How long the sound plays, in milliseconds, rounded up.
uint32_t DurationMs(const WavSound& sound);
// The file's content; nothing for a file that cannot be read or is too large for a game sound.
std::optional<std::string> ReadSoundFile(const std::filesystem::path& path);
// ParseWav of ReadSoundFile.
std::optional<WavSound> ReadWavFile(const std::filesystem::path& path);

}  // namespace shell
