// The SDL2 audio functions that the sound slots use, looked up in the SDL2 library when
// sound starts, so that the program starts without loading any audio library.
#pragma once

#include <SDL.h>

namespace shell {

struct SdlAudio {
  decltype(&SDL_SetHint) SetHint;
  decltype(&SDL_InitSubSystem) InitSubSystem;
  decltype(&SDL_QuitSubSystem) QuitSubSystem;
  decltype(&SDL_RWFromConstMem) RWFromConstMem;
  decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
  decltype(&SDL_FreeWAV) FreeWAV;
  decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
  decltype(&SDL_ConvertAudio) ConvertAudio;
  decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
  decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
  decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
  decltype(&SDL_LockAudioDevice) LockAudioDevice;
  decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice;
  decltype(&SDL_MixAudioFormat) MixAudioFormat;
};

// Opens the SDL2 library on the first call and gives its functions, the same on every
// call; null when the library is not installed or lacks one of them.
const SdlAudio* LoadSdlAudio();

}  // namespace shell
