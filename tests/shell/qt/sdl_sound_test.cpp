// The sound slots over SDL: which files a slot takes, with and without a sound device or
// SDL itself, and the device open only while a sound plays.
#include "game/shell/qt/sdl_sound.h"

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "game/engine/game.h"
#include "game/shell/app.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace {

using shell::SdlSound;

void AppendLittleEndian(std::string& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A mono 16-bit PCM WAV file of the given number of sample frames (a rising saw tooth).
std::string PcmWav(uint32_t frames) {
  const uint32_t dataSize = frames * 2;
  std::string bytes = "RIFF";
  AppendLittleEndian(bytes, 36 + dataSize, 4);
  bytes += "WAVEfmt ";
  AppendLittleEndian(bytes, 16, 4);
  AppendLittleEndian(bytes, 1, 2);      // PCM
  AppendLittleEndian(bytes, 1, 2);      // one channel
  AppendLittleEndian(bytes, 8000, 4);   // frames per second
  AppendLittleEndian(bytes, 16000, 4);  // bytes per second
  AppendLittleEndian(bytes, 2, 2);      // bytes per frame
  AppendLittleEndian(bytes, 16, 2);     // bits per sample
  bytes += "data";
  AppendLittleEndian(bytes, dataSize, 4);
  for (uint32_t i = 0; i < frames; ++i) AppendLittleEndian(bytes, (i * 512) & 0xFFFF, 2);
  return bytes;
}

constexpr uint32_t kOneSecond = 8000;

class SdlSoundTest : public ::testing::Test {
 protected:
  // A sound object on the dummy audio driver, or on a machine without any sound device.
  static void InitOn(SdlSound& sound, bool withDevice) {
    SDL_SetHint(SDL_HINT_AUDIODRIVER, withDevice ? "dummy" : "no-such-driver");
    sound.Init();
    EXPECT_FALSE(sound.DeviceOpen());  // opened by the first sound
  }

  std::string Write(std::string_view name, std::string_view bytes) const {
    return folder.Write(name, bytes).string();
  }

  testing_support::TempFolder folder;
};

TEST_F(SdlSoundTest, SlotTakesOnlyPlayableWavFilesWithOrWithoutADevice) {
  const std::string wav = PcmWav(kOneSecond);
  struct Row {
    std::string name;
    std::string path;
    bool playable;
  };
  const std::vector<Row> rows = {
      {"a PCM WAV", Write("good.wav", wav), true},
      // Recorders that stop early leave a data chunk shorter than its header says; the
      // samples that are there still play, as in other players.
      {"samples cut short", Write("short.wav", wav.substr(0, wav.size() - 1001)), true},
      {"cut inside the header", Write("header.wav", wav.substr(0, 30)), false},
      {"no samples", Write("silent.wav", PcmWav(0)), false},
      {"a text file", Write("notes.wav", "This is not a sound.\r\n"), false},
      {"an empty file", Write("empty.wav", ""), false},
      {"a missing file", (folder / "missing.wav").string(), false},
      {"a folder", folder.path().string(), false},
  };
  for (bool withDevice : {false, true}) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.name + (withDevice ? " with a device" : " without a device"));
      SdlSound sound;
      InitOn(sound, withDevice);
      EXPECT_EQ(sound.Load(0, row.path), row.playable);
      EXPECT_EQ(sound.Holds(0), row.playable);
    }
  }
}

TEST_F(SdlSoundTest, FailedLoadKeepsTheSoundTheSlotHeld) {
  const std::string good = Write("good.wav", PcmWav(kOneSecond));
  const std::string bad = Write("bad.wav", "text");
  SdlSound sound;
  InitOn(sound, true);

  ASSERT_TRUE(sound.Load(1, good));
  EXPECT_FALSE(sound.Load(1, bad));
  EXPECT_TRUE(sound.Holds(1));
  sound.Play(1);
  EXPECT_TRUE(sound.Playing(1));
  EXPECT_FALSE(sound.Playing(0));
  sound.Stop(1);
  EXPECT_FALSE(sound.Playing(1));
}

TEST_F(SdlSoundTest, SlotsPlayTogetherStopApartAndEndByThemselves) {
  const std::string long1 = Write("long1.wav", PcmWav(kOneSecond));
  const std::string long2 = Write("long2.wav", PcmWav(kOneSecond));
  const std::string blip = Write("blip.wav", PcmWav(kOneSecond / 100));
  SdlSound sound;
  InitOn(sound, true);
  ASSERT_TRUE(sound.Load(0, long1));
  ASSERT_TRUE(sound.Load(1, long2));

  sound.Play(0);
  sound.Play(1);
  EXPECT_TRUE(sound.Playing(0));
  EXPECT_TRUE(sound.Playing(1));
  sound.Stop(0);
  EXPECT_FALSE(sound.Playing(0));
  EXPECT_TRUE(sound.Playing(1));
  ASSERT_TRUE(sound.Load(1, blip));  // a new sound replaces the one playing
  EXPECT_FALSE(sound.Playing(1));

  sound.Play(1);
  for (int wait = 0; wait < 200 && sound.Playing(1); ++wait) SDL_Delay(10);
  EXPECT_FALSE(sound.Playing(1));
}

TEST_F(SdlSoundTest, SilentMachineKeepsTheChoiceAndPlaysNothing) {
  const std::string good = Write("good.wav", PcmWav(kOneSecond));
  for (bool withSdl : {true, false}) {
    SCOPED_TRACE(withSdl ? "no sound device" : "no SDL");
    SdlSound sound;
    if (withSdl) {
      InitOn(sound, false);
    } else {
      sound.InitWith(nullptr);
    }
    ASSERT_TRUE(sound.Load(0, good));
    sound.Play(0);
    EXPECT_FALSE(sound.DeviceOpen());
    EXPECT_FALSE(sound.Playing(0));
    sound.Stop(0);
    EXPECT_TRUE(sound.Holds(0));
  }
}

size_t ThreadCount() {
  size_t count = 0;
  for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    ++count;
  }
  return count;
}

// The thread count once it has fallen to count, or after 5 s: a joined thread stays listed
// for a moment after the join returns, until the kernel has finished its exit.
size_t ThreadCountOnceDownTo(size_t count) {
  for (int wait = 0; wait < 500 && ThreadCount() > count; ++wait) SDL_Delay(10);
  return ThreadCount();
}

TEST_F(SdlSoundTest, DeviceAndItsThreadLiveOnlyWhileASoundPlays) {
  const std::string blip = Write("blip.wav", PcmWav(kOneSecond / 100));
  SdlSound sound;
  InitOn(sound, true);
  const size_t silentThreads = ThreadCount();
  ASSERT_TRUE(sound.Load(0, blip));
  EXPECT_FALSE(sound.DeviceOpen());

  for (int round = 0; round < 2; ++round) {  // the device opens again for the next sound
    SCOPED_TRACE(round);
    sound.Play(0);
    EXPECT_TRUE(sound.DeviceOpen());
    EXPECT_GT(ThreadCount(), silentThreads);
    for (int wait = 0; wait < 200 && sound.Playing(0); ++wait) SDL_Delay(10);
    ASSERT_FALSE(sound.Playing(0));
    EXPECT_FALSE(sound.CloseWhenSilent());
    EXPECT_FALSE(sound.DeviceOpen());
    EXPECT_EQ(ThreadCountOnceDownTo(silentThreads), silentThreads);
  }

  // A sound still playing keeps the device; Stop lets it close.
  ASSERT_TRUE(sound.Load(1, Write("long.wav", PcmWav(kOneSecond))));
  sound.Play(1);
  EXPECT_TRUE(sound.CloseWhenSilent());
  sound.Stop(1);
  EXPECT_FALSE(sound.CloseWhenSilent());
}

// The game's start-up over the SDL sound slots, the rest of the platform scripted.
class SdlSoundPlatform : public testing_support::FakePlatform {
 public:
  explicit SdlSoundPlatform(bool withSdl) : withSdl_(withSdl) {}
  void InitSound() override {
    if (withSdl_) {
      sound.Init();
    } else {
      sound.InitWith(nullptr);
    }
  }
  bool LoadSound(int slot, const std::string& path) override { return sound.Load(slot, path); }

  SdlSound sound;

 private:
  bool withSdl_;
};

TEST_F(SdlSoundTest, StartUpWithoutSdlKeepsAGoodCustomSoundAndReportsOnlyABadOne) {
  const std::string good = Write("good.wav", PcmWav(kOneSecond));
  const std::string bad = Write("bad.wav", "This is not a sound.\r\n");
  folder.Write("Tarnwick.ini", "MoveFiles = 3\r\nSound = 22\r\nCustom = " + good +
                                   "\r\nWinSound = 26\r\nWinCustom = " + bad + "\r\n");
  for (bool withSdl : {true, false}) {
    SCOPED_TRACE(withSdl ? "with SDL" : "without SDL");
    SdlSoundPlatform platform(withSdl);
    engine::Game game(platform);
    shell::BeginStartUp(game, folder.path() / "Tarnwick");
    shell::FinishStartUp(game);

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Brindle's Deradu");
    EXPECT_EQ(platform.messages[0].text, "Unable to load sound\n" + bad);
    EXPECT_EQ(platform.messages[0].icon, engine::MessageIcon::Error);
    EXPECT_EQ(game.Sound, engine::MenuSoundLoad);
    EXPECT_TRUE(game.window.menuChecks[engine::MenuSoundLoad]);
    EXPECT_TRUE(game.window.menuChecks[engine::MenuWinSoundDefault]);
    EXPECT_TRUE(platform.sound.Holds(0));
    EXPECT_FALSE(platform.sound.Holds(1));
  }
}

TEST_F(SdlSoundTest, SlotsOutsideTheTwoAreRefused) {
  const std::string good = Write("good.wav", PcmWav(kOneSecond));
  SdlSound sound;
  InitOn(sound, true);

  for (int slot : {-1, 2}) {
    EXPECT_FALSE(sound.Load(slot, good));
    EXPECT_FALSE(sound.Holds(slot));
    sound.Play(slot);
    sound.Stop(slot);
  }
  sound.Play(0);  // empty slot
  EXPECT_FALSE(sound.Playing(0));
  EXPECT_FALSE(sound.Playing(1));
}

}  // namespace
