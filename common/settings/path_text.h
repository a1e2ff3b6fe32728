// File-system paths as UTF-8 text and back. The link file, the Qt shells and the platform
// calls all carry paths as UTF-8; the conversion never goes through the C library's locale,
// which under the default "C" locale cannot hold a letter like "ë".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace settings {

std::filesystem::path PathFromUtf8(std::string_view text);
// Empty when the path holds something no UTF-8 text can (a lone surrogate in a Windows name).
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace settings
