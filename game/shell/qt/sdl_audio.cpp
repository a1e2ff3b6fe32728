// The SDL2 audio functions, looked up by name in the library opened at run time.
#include "game/shell/qt/sdl_audio.h"

#include <optional>

#include "game/shell/qt/shared_library.h"

namespace shell {
namespace {

// The names under which each system installs the SDL2 2.x runtime.
void* OpenSdlLibrary() {
#if defined(_WIN32)
  return OpenSharedLibrary({"SDL2.dll"});
#elif defined(__APPLE__)
  return OpenSharedLibrary({"libSDL2-2.0.0.dylib", "libSDL2.dylib"});
#else
  return OpenSharedLibrary({"libSDL2-2.0.so.0", "libSDL2.so"});
#endif
}

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(SharedLibraryFunction(library, name));
  return function != nullptr;
}

std::optional<SdlAudio> Lookup() {
  void* library = OpenSdlLibrary();
  if (library == nullptr) return std::nullopt;
  SdlAudio audio{};
  const bool complete = Find(library, "SDL_SetHint", audio.SetHint) &&
                        Find(library, "SDL_InitSubSystem", audio.InitSubSystem) &&
                        Find(library, "SDL_QuitSubSystem", audio.QuitSubSystem) &&
                        Find(library, "SDL_RWFromConstMem", audio.RWFromConstMem) &&
                        Find(library, "SDL_LoadWAV_RW", audio.LoadWAV_RW) &&
                        Find(library, "SDL_FreeWAV", audio.FreeWAV) &&
                        Find(library, "SDL_BuildAudioCVT", audio.BuildAudioCVT) &&
                        Find(library, "SDL_ConvertAudio", audio.ConvertAudio) &&
                        Find(library, "SDL_OpenAudioDevice", audio.OpenAudioDevice) &&
                        Find(library, "SDL_CloseAudioDevice", audio.CloseAudioDevice) &&
                        Find(library, "SDL_PauseAudioDevice", audio.PauseAudioDevice) &&
                        Find(library, "SDL_LockAudioDevice", audio.LockAudioDevice) &&
                        Find(library, "SDL_UnlockAudioDevice", audio.UnlockAudioDevice) &&
                        Find(library, "SDL_MixAudioFormat", audio.MixAudioFormat);
  if (!complete) return std::nullopt;
  return audio;
}

}  // namespace

const SdlAudio* LoadSdlAudio() {
  static const std::optional<SdlAudio> audio = Lookup();
  return audio ? &*audio : nullptr;
}

}  // namespace shell
