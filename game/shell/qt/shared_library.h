// Shared libraries opened at run time: the platform's dynamic loader behind two calls.
#pragma once

#include <initializer_list>

namespace shell {

// Opens the first of the named libraries that the system's loader finds, or gives null.
// A library opened here stays loaded until the process ends.
void* OpenSharedLibrary(std::initializer_list<const char*> names);

// The address of the named function in an opened library, or null.
void* SharedLibraryFunction(void* library, const char* name);

}  // namespace shell
