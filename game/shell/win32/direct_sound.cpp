// The game's two sound slots over DirectSound, loaded at run time.
#include "game/shell/win32/direct_sound.h"

#include <dsound.h>
#include <mmreg.h>

#include <algorithm>
#include <cstring>

#include "common/settings/path_text.h"

namespace shell_win32 {
namespace {

using CreateFunction = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

// A buffer holding the samples in their own format, or nullptr.
IDirectSoundBuffer* MakeBuffer(IDirectSound* device, const shell::WavSound& sound) {
  WAVEFORMATEXTENSIBLE format{};
  std::memcpy(&format, sound.format.data(), std::min(sound.format.size(), sizeof format));
  DSBUFFERDESC description{};
  description.dwSize = sizeof description;
  // Heard also while another program has the focus, like the system's own sounds.
  description.dwFlags = DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;
  description.dwBufferBytes = static_cast<DWORD>(sound.samples.size());
  description.lpwfxFormat = &format.Format;
  IDirectSoundBuffer* buffer = nullptr;
  if (FAILED(device->CreateSoundBuffer(&description, &buffer, nullptr))) return nullptr;
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstSize = 0;
  DWORD secondSize = 0;
  if (FAILED(buffer->Lock(0, description.dwBufferBytes, &first, &firstSize, &second, &secondSize,
                          0))) {
    buffer->Release();
    return nullptr;
  }
  std::memcpy(first, sound.samples.data(), firstSize);
  if (second != nullptr) std::memcpy(second, sound.samples.data() + firstSize, secondSize);
  buffer->Unlock(first, firstSize, second, secondSize);
  return buffer;
}

}  // namespace

DirectSound::~DirectSound() {
  CloseDevice();
  if (library_ != nullptr) FreeLibrary(library_);
}

void DirectSound::Init(HWND window) {
  if (library_ != nullptr) return;
  window_ = window;
  library_ = LoadLibraryW(L"dsound.dll");
}

bool DirectSound::OpenDevice() {
  if (device_ != nullptr) return true;
  if (library_ == nullptr) return false;
  // Through void* since the exported address has the type of no particular function.
  const auto create = reinterpret_cast<CreateFunction>(
      reinterpret_cast<void*>(GetProcAddress(library_, "DirectSoundCreate")));
  if (create == nullptr || FAILED(create(nullptr, &device_, nullptr))) {
    device_ = nullptr;
    return false;
  }
  if (FAILED(device_->SetCooperativeLevel(window_, DSSCL_NORMAL))) {
    CloseDevice();
    return false;
  }
  return true;
}

void DirectSound::ReleaseBuffer(int slot) {
  if (buffers_[slot] == nullptr) return;
  buffers_[slot]->Release();  // also stops it
  buffers_[slot] = nullptr;
}

void DirectSound::CloseDevice() {
  for (int slot = 0; slot < kSlotCount; ++slot) ReleaseBuffer(slot);
  if (device_ != nullptr) device_->Release();
  device_ = nullptr;
}

bool DirectSound::Load(int slot, const std::string& path) {
  if (!ValidSlot(slot)) return false;
  auto sound = shell::ReadWavFile(settings::PathFromUtf8(path));
  if (!sound) return false;
  ReleaseBuffer(slot);
  sounds_[slot] = std::move(sound);
  return true;
}

void DirectSound::Play(int slot) {
  if (!ValidSlot(slot) || !sounds_[slot] || !OpenDevice()) return;
  if (buffers_[slot] == nullptr) buffers_[slot] = MakeBuffer(device_, *sounds_[slot]);
  if (buffers_[slot] == nullptr) return;
  buffers_[slot]->Stop();
  buffers_[slot]->SetCurrentPosition(0);
  buffers_[slot]->Play(0, 0, 0);
  playingUntil_[slot] = GetTickCount64() + shell::DurationMs(*sounds_[slot]);
}

void DirectSound::Stop(int slot) {
  if (!ValidSlot(slot) || buffers_[slot] == nullptr) return;
  buffers_[slot]->Stop();
  playingUntil_[slot] = 0;
}

bool DirectSound::CloseWhenSilent() {
  // By the clock rather than the buffers' status: a device that stalls would report its
  // buffer playing for ever, and keep its mixing thread awake.
  const ULONGLONG now = GetTickCount64();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (buffers_[slot] != nullptr && now < playingUntil_[slot]) return true;
  }
  CloseDevice();
  return false;
}

}  // namespace shell_win32
