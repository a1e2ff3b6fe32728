// Shared libraries opened at run time, through dlopen or LoadLibrary.
#include "game/shell/qt/shared_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace shell {

void* OpenSharedLibrary(std::initializer_list<const char*> names) {
  for (const char* name : names) {
#ifdef _WIN32
    void* library = ::LoadLibraryA(name);
#else
    // Local binding: the library's symbols serve only the calls looked up here.
    void* library = ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
#endif
    if (library != nullptr) return library;
  }
  return nullptr;
}

void* SharedLibraryFunction(void* library, const char* name) {
  if (library == nullptr) return nullptr;
#ifdef _WIN32
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
#else
  return ::dlsym(library, name);
#endif
}

}  // namespace shell
