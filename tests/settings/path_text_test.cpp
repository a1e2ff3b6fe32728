// UTF-8 text to paths and back, and what the file system makes of the names.
#include "common/settings/path_text.h"

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::string Text(const std::u8string& utf8) { return std::string(utf8.begin(), utf8.end()); }

// Each name becomes a file that the folder listing reports under the same name, and the
// standard library's own UTF-8 view of the path agrees with the conversion.
TEST(PathText, NamesRoundTripThroughTheFileSystem) {
  const std::vector<std::u8string> names = {
      u8"plain.txt", u8"spike-zo\u00EB.txt", u8"\u65E5\u672C\u8A9E.sms", u8"a b #1 100%.ssv",
      u8"\U0001F600 outside the basic plane.ini"};
  for (const std::u8string& name : names) {
    SCOPED_TRACE(Text(name));
    testing_support::TempFolder folder;
    const fs::path path = settings::PathFromUtf8(settings::Utf8FromPath(folder.path()) + "/" +
                                                 Text(name));
    EXPECT_EQ(Text(path.filename().u8string()), Text(name));
    ASSERT_TRUE(std::ofstream(path).is_open());
    const fs::directory_iterator listing(folder.path());
    ASSERT_NE(listing, fs::directory_iterator());
    EXPECT_EQ(settings::Utf8FromPath(listing->path().filename()), Text(name));
  }
}

// Bytes that are not UTF-8 (an old settings file in a legacy code page) still give a path.
TEST(PathText, BrokenUtf8GivesAPathWithoutFailing) {
  const fs::path path = settings::PathFromUtf8("caf\xE9.wav");
#ifdef _WIN32
  EXPECT_EQ(settings::Utf8FromPath(path), "caf\xEF\xBF\xBD.wav") << "U+FFFD in its place";
  EXPECT_EQ(settings::WideToUtf8(std::wstring{L'a', wchar_t(0xD800), L'b'}), "a\xEF\xBF\xBD" "b")
      << "a lone surrogate";
#else
  EXPECT_EQ(settings::Utf8FromPath(path), "caf\xE9.wav") << "POSIX names are bytes";
#endif
}

}  // namespace
