// Paths as text: every text inside the programs, file names included, is UTF-8; the file
// system's own form (UTF-16 on Windows) appears only in these conversions, which never go
// through the C library's locale (under the default "C" locale it cannot hold a letter like "ë").
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace settings {

// The path a UTF-8 text names. Bytes that are not UTF-8 become U+FFFD on Windows; no text
// makes this fail.
std::filesystem::path PathFromUtf8(std::string_view text);
// The path as UTF-8 text, for messages, dialogs and the settings.
std::string Utf8FromPath(const std::filesystem::path& path);

#ifdef _WIN32
// The conversions at the wide Windows calls; invalid input becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
#endif

}  // namespace settings
