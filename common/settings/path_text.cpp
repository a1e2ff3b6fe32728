// Paths to and from UTF-8 on POSIX systems, through the standard library's char8_t conversions.
#include "common/settings/path_text.h"

#include <system_error>

namespace settings {

std::filesystem::path PathFromUtf8(std::string_view text) {
  const std::u8string utf8(text.begin(), text.end());
  try {
    return std::filesystem::path(utf8);
  } catch (const std::system_error&) {
    // Only systems that store names as UTF-16 convert here, and only broken UTF-8 fails.
    return {};
  }
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  try {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
  } catch (const std::system_error&) {
    return {};
  }
}

}  // namespace settings
