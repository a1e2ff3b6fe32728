// Splits text into lines the way every reader of the game's files does: a line ends at CR,
// at LF or at CR LF, so files from any platform read alike.
#pragma once

#include <cstddef>
#include <string_view>

namespace settings {

class LineReader {
 public:
  // With nulEndsLine a NUL byte ends a line too, as it does in the game's puzzle files.
  explicit LineReader(std::string_view bytes, bool nulEndsLine = false)
      : bytes_(bytes), nulEndsLine_(nulEndsLine) {}

  bool AtEnd() const { return position_ >= bytes_.size(); }
  // The next line without its end; empty once every byte has been read.
  std::string_view Next();

 private:
  std::string_view bytes_;
  bool nulEndsLine_;
  size_t position_ = 0;
};

}  // namespace settings
