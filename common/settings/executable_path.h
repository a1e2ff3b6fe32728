// Where the running program lies: both programs keep their settings and find their help
// document, their readme and each other in that folder.
#pragma once

#include <filesystem>

namespace settings {

// The full path of the running executable; empty when the system cannot say.
std::filesystem::path ExecutablePath();

}  // namespace settings
