// Line splitting for the settings and puzzle file readers.
#include "common/settings/line_reader.h"

namespace settings {

std::string_view LineReader::Next() {
  if (AtEnd()) return {};
  const std::string_view ends = nulEndsLine_ ? std::string_view("\r\n\0", 3) : "\r\n";
  size_t end = bytes_.find_first_of(ends, position_);
  if (end == std::string_view::npos) end = bytes_.size();
  const std::string_view line = bytes_.substr(position_, end - position_);
  position_ = end;
  if (position_ < bytes_.size()) {
    // A CR takes the LF right after it along; any other byte after a CR starts the next line.
    const bool crLf = bytes_[position_] == '\r' && position_ + 1 < bytes_.size() &&
                      bytes_[position_ + 1] == '\n';
    position_ += crLf ? 2 : 1;
  }
  return line;
}

}  // namespace settings
