// Reading a WAV file for the sound slots.
#include "game/shell/wav_file.h"

#include "common/settings/file_bytes.h"

namespace shell {
namespace {

// A game sound is short; a larger file is refused rather than read whole into memory.
constexpr size_t kLargestSoundFile = size_t{64} << 20;

constexpr uint16_t kPcm = 1;
constexpr uint16_t kFloat = 3;
constexpr uint16_t kExtensible = 0xFFFE;
constexpr size_t kPlainFormatSize = 16;
constexpr size_t kExtensibleFormatSize = 40;

uint32_t Read16(std::string_view bytes, size_t at) {
  return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}

uint32_t Read32(std::string_view bytes, size_t at) {
  return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

// Whether the format block describes samples a sound buffer plays as they are.
bool PlayableFormat(std::string_view format) {
  if (format.size() < kPlainFormatSize) return false;
  uint32_t tag = Read16(format, 0);
  const uint32_t channels = Read16(format, 2);
  const uint32_t rate = Read32(format, 4);
  const uint32_t blockAlign = Read16(format, 12);
  const uint32_t bits = Read16(format, 14);
  if (tag == kExtensible) {
    // The sample kind is the first two bytes of the sub-format's GUID.
    if (format.size() < kExtensibleFormatSize) return false;
    tag = Read16(format, 24);
  }
  const bool bitsFit = tag == kPcm ? bits == 8 || bits == 16 || bits == 24 || bits == 32
                                   : tag == kFloat && (bits == 32 || bits == 64);
  return bitsFit && channels >= 1 && channels <= 8 && rate >= 1000 && rate <= 384000 &&
         blockAlign == channels * bits / 8;
}

}  // namespace

std::optional<WavSound> ParseWav(std::string_view bytes) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
    return std::nullopt;
  }
  std::optional<std::string_view> format;
  std::optional<std::string_view> data;
  size_t at = 12;
  while (at + 8 <= bytes.size() && !(format && data)) {
    const std::string_view id = bytes.substr(at, 4);
    const size_t size = Read32(bytes, at + 4);
    // A truncated last chunk keeps what is there.
    const std::string_view body = bytes.substr(at + 8, size);
    if (id == "fmt " && !format) format = body;
    if (id == "data" && !data) data = body;
    at += 8 + size + (size & 1);  // chunks are padded to an even size
  }
  if (!format || !data || !PlayableFormat(*format)) return std::nullopt;
  const size_t blockAlign = Read16(*format, 12);
  const size_t frames = data->size() / blockAlign;
  if (frames == 0) return std::nullopt;

  WavSound sound;
  if (Read16(*format, 0) == kExtensible) {
    sound.format = std::string(format->substr(0, kExtensibleFormatSize));
  } else {
    // Plain PCM and float carry no extension, whatever the chunk adds.
    sound.format = std::string(format->substr(0, kPlainFormatSize)) + std::string(2, '\0');
  }
  sound.samples = std::string(data->substr(0, frames * blockAlign));
  return sound;
}

uint32_t DurationMs(const WavSound& sound) {
  const uint64_t frames = sound.samples.size() / Read16(sound.format, 12);
  const uint64_t rate = Read32(sound.format, 4);
  return static_cast<uint32_t>((frames * 1000 + rate - 1) / rate);
}

std::optional<std::string> ReadSoundFile(const std::filesystem::path& path) {
  auto bytes = settings::ReadWholeFile(path, kLargestSoundFile + 1);
  if (!bytes || bytes->size() > kLargestSoundFile) return std::nullopt;
  return bytes;
}

std::optional<WavSound> ReadWavFile(const std::filesystem::path& path) {
  const auto bytes = ReadSoundFile(path);
  if (!bytes) return std::nullopt;
  return ParseWav(*bytes);
}

}  // namespace shell
