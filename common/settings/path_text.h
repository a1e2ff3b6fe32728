// File-system paths as UTF-8 text and back. The link file, the shells and the platform calls
// all carry paths as UTF-8; the conversion never goes through the C library's locale, which
// under the default "C" locale cannot hold a letter like "ë". The file system's own form
// (UTF-16 on Windows) appears only in these conversions.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace settings {

// No text or path makes these fail: on Windows, bytes that are not UTF-8 and a lone surrogate
// in a name become U+FFFD; POSIX names are bytes and pass unchanged.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

#ifdef _WIN32
// The conversions at the wide Windows calls; invalid input becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
#endif

}  // namespace settings
