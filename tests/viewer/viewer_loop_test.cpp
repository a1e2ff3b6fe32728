// The viewer's loop rule: a pass raised while another one shows a message box waits for it,
// polls meanwhile are left to the running pass, and the end of the loop runs the exit steps.
#include "viewer/viewer_loop.h"

#include <gtest/gtest.h>

#include "common/settings/settings_store.h"
#include "tests/support/temp_folder.h"
#include "tests/viewer/fake_viewer_platform.h"

namespace {

using Kind = viewer::ViewerEvent::Kind;

TEST(ViewerLoop, EventsDuringAMessageBoxWaitForItAndACloseRequestIsKept) {
  testing_support::TempFolder folder;
  testing_support::FakeViewerPlatform platform;
  viewer::Viewer viewer{platform, folder.path()};
  int finished = 0;
  viewer::ViewerLoop loop(viewer, [&] { ++finished; });
  const auto linkValue = [&](std::string_view key) {
    settings::SettingsStore store;
    store.OpenSettings(folder / "Leafview.ini");
    return store.ReadSettingText(key, "<missing>");
  };
  folder.Write("Leafview.ini", "HelpFile = deradu.htm\r\nLASTHELP = #Rules\r\nLASTTIME = 50\r\n");
  ASSERT_TRUE(loop.Start());

  platform.whileMessageShows = [&] {
    folder.Write("Leafview.ini", "HelpFile = deradu.htm\r\nLASTHELP = #Game\r\nLASTTIME = 50\r\n");
    loop.Dispatch({Kind::Idle});
    EXPECT_EQ(linkValue("LASTTIME"), "50");  // no poll while the box shows
    loop.Dispatch({Kind::CloseRequest});
    EXPECT_TRUE(loop.Running());
  };
  loop.Dispatch({Kind::Menu, viewer::kMenuAbout});

  // The About pass served the request once the box closed; the close request then ended it.
  EXPECT_EQ(platform.statusTexts.back(), "LASTHELP #Game");
  EXPECT_FALSE(loop.Running());
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(linkValue("LASTTIME"), "000");
  EXPECT_EQ(linkValue("HANDLE"), "0");

  const size_t calls = platform.calls.size();
  loop.Dispatch({Kind::Menu, viewer::kMenuAbout});
  EXPECT_EQ(platform.calls.size(), calls);
  EXPECT_EQ(finished, 1);
}

}  // namespace
