// Reading WAV files for the sound slots: what a sound buffer can play is accepted,
// everything else refused, with no sound device involved.
#include <gtest/gtest.h>

#include <string>

#include "game/shell/wav_file.h"
#include "tests/support/temp_folder.h"

namespace {

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  return out;
}

std::string Chunk(std::string_view id, std::string_view body) {
  std::string chunk = std::string(id) + Le(static_cast<uint32_t>(body.size()), 4) + std::string(body);
  if (body.size() % 2 == 1) chunk.push_back('\0');
  return chunk;
}

std::string Format(uint32_t tag, uint32_t channels, uint32_t bits, uint32_t blockAlign) {
  return Le(tag, 2) + Le(channels, 2) + Le(22050, 4) + Le(22050 * blockAlign, 4) +
         Le(blockAlign, 2) + Le(bits, 2);
}

// The extensible format with the sample kind in its sub-format.
std::string Extensible(uint32_t kind, uint32_t bits) {
  return Format(0xFFFE, 1, bits, bits / 8) + Le(22, 2) + Le(bits, 2) + Le(4, 4) + Le(kind, 2) +
         std::string(14, 'g');
}

std::string Riff(std::string_view chunks) {
  return "RIFF" + Le(static_cast<uint32_t>(4 + chunks.size()), 4) + "WAVE" + std::string(chunks);
}

const std::string kPcm16 = Format(1, 1, 16, 2);

struct WavCase {
  const char* name;
  std::string bytes;
  size_t formatSize;   // 0: refused
  size_t sampleBytes;
};

TEST(WavFileTest, AcceptsWhatASoundBufferPlaysAndRefusesTheRest) {
  const WavCase cases[] = {
      {"pcm16", Riff(Chunk("fmt ", kPcm16) + Chunk("data", "abcd")), 18, 4},
      {"pcm8 stereo", Riff(Chunk("fmt ", Format(1, 2, 8, 2)) + Chunk("data", "ab")), 18, 2},
      {"float32", Riff(Chunk("fmt ", Format(3, 1, 32, 4)) + Chunk("data", "abcd")), 18, 4},
      {"extensible pcm", Riff(Chunk("fmt ", Extensible(1, 16)) + Chunk("data", "ab")), 40, 2},
      {"fmt with extension bytes", Riff(Chunk("fmt ", kPcm16 + Le(2, 2) + "xy") + Chunk("data", "ab")), 18, 2},
      {"odd chunk padded before fmt",
       Riff(Chunk("LIST", "odd") + Chunk("fmt ", kPcm16) + Chunk("data", "ab")), 18, 2},
      {"partial frame dropped", Riff(Chunk("fmt ", kPcm16) + Chunk("data", "abc")), 18, 2},
      {"truncated data keeps whole frames",
       Riff(Chunk("fmt ", kPcm16) + "data" + Le(100, 4) + "abcdef"), 18, 6},
      {"no sample frame", Riff(Chunk("fmt ", kPcm16) + Chunk("data", "a")), 0, 0},
      {"empty data", Riff(Chunk("fmt ", kPcm16) + Chunk("data", "")), 0, 0},
      {"no data", Riff(Chunk("fmt ", kPcm16)), 0, 0},
      {"no fmt", Riff(Chunk("data", "abcd")), 0, 0},
      {"short fmt", Riff(Chunk("fmt ", kPcm16.substr(0, 14)) + Chunk("data", "abcd")), 0, 0},
      {"adpcm", Riff(Chunk("fmt ", Format(2, 1, 4, 256)) + Chunk("data", std::string(256, 'a'))), 0, 0},
      {"extensible adpcm", Riff(Chunk("fmt ", Extensible(2, 16)) + Chunk("data", "ab")), 0, 0},
      {"float16", Riff(Chunk("fmt ", Format(3, 1, 16, 2)) + Chunk("data", "ab")), 0, 0},
      {"block size disagrees", Riff(Chunk("fmt ", Format(1, 2, 16, 2)) + Chunk("data", "abcd")), 0, 0},
      {"no channels", Riff(Chunk("fmt ", Format(1, 0, 16, 0)) + Chunk("data", "abcd")), 0, 0},
      {"not RIFF", "RIFX" + Riff(Chunk("fmt ", kPcm16) + Chunk("data", "ab")).substr(4), 0, 0},
      {"not WAVE", "RIFF" + Le(12, 4) + "AVI " + Chunk("fmt ", kPcm16), 0, 0},
      {"empty file", "", 0, 0},
  };
  for (const WavCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto sound = shell::ParseWav(c.bytes);
    ASSERT_EQ(sound.has_value(), c.formatSize != 0);
    if (!sound) continue;
    EXPECT_EQ(sound->format.size(), c.formatSize);
    EXPECT_EQ(sound->samples.size(), c.sampleBytes);
    // A plain format carries a zero extension size, whatever the file held after it.
    if (c.formatSize == 18) {
      EXPECT_EQ(sound->format.substr(16), std::string(2, '\0'));
    }
  }
}

TEST(WavFileTest, DurationCountsWholeFramesAtTheSampleRateRoundedUp) {
  const struct {
    std::string format;
    size_t frames;
    uint32_t milliseconds;
  } cases[] = {
      {kPcm16, 22050, 1000},              // one second of mono 16-bit
      {Format(1, 2, 16, 4), 22050, 1000},  // the same in stereo
      {kPcm16, 1, 1},                     // a single frame still takes a millisecond
      {kPcm16, 22051, 1001},
  };
  for (const auto& c : cases) {
    const auto sound = shell::ParseWav(
        Riff(Chunk("fmt ", c.format) + Chunk("data", std::string(c.frames * (c.format[12]), 'a'))));
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(shell::DurationMs(*sound), c.milliseconds) << c.frames;
  }
}

TEST(WavFileTest, ReadsAFileAndRefusesAMissingOne) {
  testing_support::TempFolder folder;
  const auto path = folder.Write("ping zoë.wav", Riff(Chunk("fmt ", kPcm16) + Chunk("data", "abcd")));
  const auto sound = shell::ReadWavFile(path);
  ASSERT_TRUE(sound.has_value());
  EXPECT_EQ(sound->samples, "abcd");
  EXPECT_FALSE(shell::ReadWavFile(folder / "missing.wav").has_value());
}

}  // namespace
