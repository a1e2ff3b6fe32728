// The game's two sound slots over SDL2: one audio device, open while a sound plays, that
// mixes whichever slots play.
#include "game/shell/qt/sdl_sound.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "game/shell/qt/sdl_audio.h"
#include "game/shell/wav_file.h"

namespace shell {
namespace {

// A game sound is short; one that would grow beyond this when converted for the device is
// refused.
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

// The samples of a WAV file with at least one sample frame, converted to the target format;
// nothing when SDL cannot decode or convert them.
std::optional<std::vector<std::uint8_t>> DecodeWav(const SdlAudio& sdl, const std::string& bytes,
                                                   const SDL_AudioSpec& target) {
  SDL_RWops* source = sdl.RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (source == nullptr) return std::nullopt;
  SDL_AudioSpec format;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (sdl.LoadWAV_RW(source, 1, &format, &samples, &length) == nullptr) return std::nullopt;
  std::vector<std::uint8_t> decoded(samples, samples + length);
  sdl.FreeWAV(samples);
  if (decoded.empty()) return std::nullopt;
  return Convert(sdl, std::move(decoded), format, target);
}

}  // namespace

SdlSound::~SdlSound() { CloseDevice(); }

void SdlSound::Mix(void* sound, std::uint8_t* buffer, int length) {
  auto& self = *static_cast<SdlSound*>(sound);
  std::memset(buffer, 0, static_cast<size_t>(length));  // silence in signed 16-bit
  for (Slot& slot : self.slots_) {
    if (!slot.playing) continue;
    const size_t count = std::min(static_cast<size_t>(length), slot.samples.size() - slot.position);
    self.sdl_->MixAudioFormat(buffer, slot.samples.data() + slot.position, AUDIO_S16SYS,
                              static_cast<Uint32>(count), SDL_MIX_MAXVOLUME);
    slot.position += count;
    slot.playing = slot.position < slot.samples.size();
  }
}

template <typename Change>
void SdlSound::Locked(Change change) const {
  if (device_ == 0) {
    change();
    return;
  }
  sdl_->LockAudioDevice(device_);
  change();
  sdl_->UnlockAudioDevice(device_);
}

void SdlSound::Init() { InitWith(LoadSdlAudio()); }

void SdlSound::InitWith(const SdlAudio* sdl) {
  sdl_ = sdl;
  // Qt owns the program's signals and events; SDL is here for audio alone.
  if (sdl_ != nullptr) sdl_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

bool SdlSound::OpenDevice() {
  if (device_ != 0) return true;
  if (sdl_ == nullptr || sdl_->InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec format = DeviceFormat();
  format.callback = &SdlSound::Mix;
  format.userdata = this;
  device_ = sdl_->OpenAudioDevice(nullptr, 0, &format, nullptr, 0);
  if (device_ == 0) {
    // Also ends the thread through which some drivers watch for devices coming and going.
    sdl_->QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  sdl_->PauseAudioDevice(device_, 0);
  return true;
}

void SdlSound::CloseDevice() {
  if (device_ == 0) return;
  sdl_->CloseAudioDevice(device_);  // waits for the callback to return
  device_ = 0;
  sdl_->QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSound::Load(int slot, const std::string& path) {
  if (!ValidSlot(slot)) return false;
  const auto bytes = ReadSoundFile(path);
  if (!bytes || !ParseWav(*bytes)) return false;
  // Converted once to the device's format, so playing costs nothing later.
  std::vector<std::uint8_t> samples;
  if (sdl_ != nullptr) {
    auto decoded = DecodeWav(*sdl_, *bytes, DeviceFormat());
    if (!decoded) return false;
    samples = std::move(*decoded);
  }
  Slot& target = slots_[slot];
  target.loaded = true;
  Locked([&] {
    target.samples = std::move(samples);
    target.playing = false;
  });
  return true;
}

void SdlSound::Play(int slot) {
  if (!ValidSlot(slot) || slots_[slot].samples.empty() || !OpenDevice()) return;
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

bool SdlSound::CloseWhenSilent() {
  bool playing = false;
  Locked([&] {
    for (const Slot& slot : slots_) playing = playing || slot.playing;
  });
  if (!playing) CloseDevice();
  return DeviceOpen();
}

}  // namespace shell
