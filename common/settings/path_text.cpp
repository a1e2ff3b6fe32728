// Paths as text on POSIX systems, whose file names are the bytes of the UTF-8 text itself.
#include "common/settings/path_text.h"

namespace settings {

std::filesystem::path PathFromUtf8(std::string_view text) { return std::filesystem::path(text); }

std::string Utf8FromPath(const std::filesystem::path& path) { return path.string(); }

}  // namespace settings
