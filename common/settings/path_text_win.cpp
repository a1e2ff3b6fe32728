// Paths and text on Windows: UTF-8 inside the program, UTF-16 in the file system and at
// every wide call.
#include "common/settings/path_text.h"

#include <windows.h>

#include <climits>

namespace settings {

// Without MB_ERR_INVALID_CHARS both conversions put U+FFFD where the input is broken (bytes
// that are not UTF-8, a lone surrogate) instead of failing.
std::wstring Utf8ToWide(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(Utf8ToWide(text));
}

std::string Utf8FromPath(const std::filesystem::path& path) { return WideToUtf8(path.native()); }

}  // namespace settings
