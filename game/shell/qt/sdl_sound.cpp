// The game's two sound slots over SDL2 and SDL2_mixer.
#include "game/shell/qt/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "common/settings/file_bytes.h"

namespace shell {
namespace {

// A game sound is short; a larger file is refused rather than read whole into memory.
constexpr std::uintmax_t kLargestSoundFile = 64u << 20;

bool SmallEnough(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return !error && size <= kLargestSoundFile;
}

// True when SDL decodes the bytes as a WAV file with at least one sample frame.
bool IsPlayableWav(const std::string& bytes) {
  SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (source == nullptr) return false;
  SDL_AudioSpec format;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  const bool decoded = SDL_LoadWAV_RW(source, 1, &format, &samples, &length) != nullptr;
  SDL_FreeWAV(samples);
  return decoded && length > 0;
}

}  // namespace

SdlSound::~SdlSound() {
  for (Slot& slot : slots_) {
    if (slot.chunk != nullptr) Mix_FreeChunk(slot.chunk);
  }
  if (deviceOpen_) Mix_CloseAudio();
  if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSound::Init() {
  if (sdlStarted_) return;
  // Qt owns the program's signals and events; SDL is here for audio alone.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  sdlStarted_ = true;
  deviceOpen_ = Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
  if (deviceOpen_) Mix_AllocateChannels(kSlotCount);
}

bool SdlSound::Load(int slot, const std::string& path) {
  if (!ValidSlot(slot)) return false;
  if (!SmallEnough(path)) return false;
  const auto bytes = settings::ReadWholeFile(path);
  if (!bytes || !IsPlayableWav(*bytes)) return false;
  Mix_Chunk* chunk = nullptr;
  if (deviceOpen_) {
    // Converted once to the device's format, so playing costs nothing later.
    SDL_RWops* source = SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size()));
    chunk = source != nullptr ? Mix_LoadWAV_RW(source, 1) : nullptr;
    if (chunk == nullptr) return false;
  }
  Slot& target = slots_[slot];
  if (target.chunk != nullptr) Mix_FreeChunk(target.chunk);  // also halts it
  target.chunk = chunk;
  target.loaded = true;
  return true;
}

void SdlSound::Play(int slot) {
  if (!ValidSlot(slot) || slots_[slot].chunk == nullptr) return;
  Mix_PlayChannel(slot, slots_[slot].chunk, 0);
}

void SdlSound::Stop(int slot) {
  if (!ValidSlot(slot) || slots_[slot].chunk == nullptr) return;
  Mix_HaltChannel(slot);
}

bool SdlSound::Holds(int slot) const { return ValidSlot(slot) && slots_[slot].loaded; }

}  // namespace shell
