#include "viewer/win32/file_url.h"

#include <algorithm>
#include <string_view>

#include "common/settings/path_text.h"

namespace viewer_win32 {
namespace {

void AppendEscaped(std::string& url, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F || c == '#' || c == '%' || c == '?') {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0x0F];
    } else {
      url += c;
    }
  }
}

}  // namespace

std::string FileUrl(const viewer::HelpPage& page) {
  // Windows names cannot hold a backslash, so every one is a separator.
  std::string path = settings::Utf8FromPath(page.document);
  std::replace(path.begin(), path.end(), '\\', '/');
  std::string url = "file:";
  // A drive's path gets the empty host; a share's path ("//server/share") brings its own.
  if (!path.starts_with("//")) url += path.starts_with('/') ? "//" : "///";
  AppendEscaped(url, path);
  std::string_view topic = page.topic;
  if (topic.starts_with('#')) topic.remove_prefix(1);
  if (!topic.empty()) {
    url += '#';
    AppendEscaped(url, topic);
  }
  return url;
}

}  // namespace viewer_win32
