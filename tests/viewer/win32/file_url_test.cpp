#include "viewer/win32/file_url.h"

#include <gtest/gtest.h>

#include "common/settings/path_text.h"

namespace {

struct Row {
  const char* path;
  const char* topic;
  const char* url;
};

TEST(FileUrlTest, EscapesWhatWouldEndOrChangeThePath) {
  const Row rows[] = {
      {"C:\\Games\\deradu.htm", "#Rules", "file:///C:/Games/deradu.htm#Rules"},
      {"C:\\My Games\\deradu.htm", "", "file:///C:/My%20Games/deradu.htm"},
      {"C:\\a#b\\100%\\why?\\deradu.htm", "#TOP",
       "file:///C:/a%23b/100%25/why%3F/deradu.htm#TOP"},
      {"C:\\Zo\xC3\xAB\\deradu.htm", "contact", "file:///C:/Zo\xC3\xAB/deradu.htm#contact"},
      {"\\\\server\\share\\deradu.htm", "#TOP", "file://server/share/deradu.htm#TOP"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(viewer_win32::FileUrl({settings::PathFromUtf8(row.path), row.topic}), row.url)
        << row.path;
  }
}

}  // namespace
