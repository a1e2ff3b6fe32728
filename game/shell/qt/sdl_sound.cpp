// The game's two sound slots over SDL2: one audio device that mixes whichever slots play.
#include "game/shell/qt/sdl_sound.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "common/settings/file_bytes.h"
#include "game/shell/qt/sdl_audio.h"

namespace shell {
namespace {

// A game sound is short; a larger file is refused rather than read whole into memory, and
// so is one that would grow beyond the second limit when converted for the device.
constexpr std::uintmax_t kLargestSoundFile = 64u << 20;
constexpr std::uint64_t kLargestDeviceSamples = 256u << 20;

// The device takes CD-quality stereo; SDL converts it for the hardware.
SDL_AudioSpec DeviceFormat() {
  SDL_AudioSpec format{};
  format.freq = 44100;
  format.format = AUDIO_S16SYS;
  format.channels = 2;
  format.samples = 1024;
  return format;
}

bool SmallEnough(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return !error && size <= kLargestSoundFile;
}

// The samples converted from one format to another, in place; nothing when SDL cannot
// convert them or they would grow too large.
std::optional<std::vector<std::uint8_t>> Convert(const SdlAudio& sdl,
                                                 std::vector<std::uint8_t> samples,
                                                 const SDL_AudioSpec& from,
                                                 const SDL_AudioSpec& to) {
  SDL_AudioCVT conversion;
  const int needed = sdl.BuildAudioCVT(&conversion, from.format, from.channels, from.freq,
                                       to.format, to.channels, to.freq);
  if (needed < 0) return std::nullopt;
  if (needed == 0) return samples;
  const size_t length = samples.size();
  const std::uint64_t room = static_cast<std::uint64_t>(length) * conversion.len_mult;
  if (room > kLargestDeviceSamples) return std::nullopt;
  samples.resize(static_cast<size_t>(room));
  conversion.buf = samples.data();
  conversion.len = static_cast<int>(length);
  if (sdl.ConvertAudio(&conversion) != 0) return std::nullopt;
  samples.resize(static_cast<size_t>(conversion.len_cvt));
  return samples;
}

// The samples of a WAV file with at least one sample frame, converted to the target format
// when there is one; nothing when SDL cannot decode or convert them.
std::optional<std::vector<std::uint8_t>> DecodeWav(const SdlAudio& sdl, const std::string& bytes,
                                                   const SDL_AudioSpec* target) {
  SDL_RWops* source = sdl.RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (source == nullptr) return std::nullopt;
  SDL_AudioSpec format;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (sdl.LoadWAV_RW(source, 1, &format, &samples, &length) == nullptr) return std::nullopt;
  std::vector<std::uint8_t> decoded(samples, samples + length);
  sdl.FreeWAV(samples);
  if (decoded.empty()) return std::nullopt;
  if (target == nullptr) return decoded;
  return Convert(sdl, std::move(decoded), format, *target);
}

}  // namespace

SdlSound::~SdlSound() {
  const SdlAudio* sdl = LoadSdlAudio();
  if (device_ != 0) sdl->CloseAudioDevice(device_);  // waits for the callback to return
  if (sdlStarted_) sdl->QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSound::Mix(void* sound, std::uint8_t* buffer, int length) {
  const SdlAudio& sdl = *LoadSdlAudio();
  std::memset(buffer, 0, static_cast<size_t>(length));  // silence in signed 16-bit
  for (Slot& slot : static_cast<SdlSound*>(sound)->slots_) {
    if (!slot.playing) continue;
    const size_t count = std::min(static_cast<size_t>(length), slot.samples.size() - slot.position);
    sdl.MixAudioFormat(buffer, slot.samples.data() + slot.position, AUDIO_S16SYS,
                       static_cast<Uint32>(count), SDL_MIX_MAXVOLUME);
    slot.position += count;
    slot.playing = slot.position < slot.samples.size();
  }
}

template <typename Change>
void SdlSound::Locked(Change change) const {
  if (device_ == 0) return;
  const SdlAudio* sdl = LoadSdlAudio();
  sdl->LockAudioDevice(device_);
  change();
  sdl->UnlockAudioDevice(device_);
}

void SdlSound::Init() {
  if (sdlStarted_) return;
  const SdlAudio* sdl = LoadSdlAudio();
  if (sdl == nullptr) return;
  // Qt owns the program's signals and events; SDL is here for audio alone.
  sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  sdlStarted_ = true;
  SDL_AudioSpec format = DeviceFormat();
  format.callback = &SdlSound::Mix;
  format.userdata = this;
  device_ = sdl->OpenAudioDevice(nullptr, 0, &format, nullptr, 0);
  deviceOpen_ = device_ != 0;
  if (deviceOpen_) sdl->PauseAudioDevice(device_, 0);
}

bool SdlSound::Load(int slot, const std::string& path) {
  if (!ValidSlot(slot)) return false;
  const SdlAudio* sdl = LoadSdlAudio();
  if (sdl == nullptr || !SmallEnough(path)) return false;
  const auto bytes = settings::ReadWholeFile(path);
  if (!bytes) return false;
  // Converted once to the device's format, so playing costs nothing later.
  const SDL_AudioSpec format = DeviceFormat();
  auto samples = DecodeWav(*sdl, *bytes, deviceOpen_ ? &format : nullptr);
  if (!samples) return false;
  Slot& target = slots_[slot];
  target.loaded = true;
  Locked([&] {
    target.samples = std::move(*samples);
    target.playing = false;
  });
  return true;
}

void SdlSound::Play(int slot) {
  if (!ValidSlot(slot) || slots_[slot].samples.empty()) return;
  Locked([this, slot] {
    slots_[slot].position = 0;
    slots_[slot].playing = true;
  });
}

void SdlSound::Stop(int slot) {
  if (!ValidSlot(slot)) return;
  Locked([this, slot] { slots_[slot].playing = false; });
}

bool SdlSound::Holds(int slot) const { return ValidSlot(slot) && slots_[slot].loaded; }

bool SdlSound::Playing(int slot) const {
  bool playing = false;
  if (ValidSlot(slot)) Locked([&] { playing = slots_[slot].playing; });
  return playing;
}

}  // namespace shell
