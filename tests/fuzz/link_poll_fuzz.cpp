// Fuzz target for the help viewer's side of the link file: any bytes as Leafview.ini, then one
// poll and the exit steps. The poll serves exactly the pending requests, at the topic the file
// names, and acknowledges them; it quits on 666 and leaves the file untouched otherwise. The
// exit leaves the viewer's exit values whatever the file held.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/settings/link_file.h"
#include "common/settings/number_text.h"
#include "common/settings/settings_store.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/temp_folder.h"
#include "tests/viewer/fake_viewer_platform.h"
#include "viewer/viewer.h"

namespace {

namespace link = settings::link;

constexpr std::string_view kMissing = "\x01missing";

std::string Read(const std::filesystem::path& path, std::string_view key) {
  settings::SettingsStore store;
  store.OpenSettings(path);
  return store.ReadSettingText(key, kMissing);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const testing_support::TempFolder folder;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path path = folder.Write("Leafview.ini", bytes);
  const std::string lastTime = Read(path, link::kLastTime);
  const std::string lastHelp = Read(path, link::kLastHelp);
  const link::LinkState state = link::ClassifyLastTime(
      settings::ParseNumber(lastTime == kMissing ? std::string_view("0") : lastTime));

  testing_support::FakeViewerPlatform platform;
  platform.window = {-3, 7, 640, 480};
  viewer::Viewer viewer(platform, folder.path());
  viewer.helpDocument = folder / "deradu.htm";
  viewer.topic = "#Shown";
  const bool goesOn = viewer::HandleEvent(viewer, {viewer::ViewerEvent::Kind::Idle});

  FUZZ_CHECK(goesOn == (state != link::LinkState::Quit));
  if (state == link::LinkState::Pending) {
    const std::string topic = lastHelp == kMissing ? "#Shown" : lastHelp;
    FUZZ_CHECK(platform.navigations ==
               std::vector<std::string>{"file://" + viewer.helpDocument.string() + topic});
    FUZZ_CHECK(viewer.topic == topic);
    FUZZ_CHECK(Read(path, link::kLastTime) == link::kRequestServed);
  } else {
    FUZZ_CHECK(platform.navigations.empty());
    FUZZ_CHECK(testing_support::ReadFileBytes(path) == bytes);
  }

  viewer::ExitViewer(viewer);
  FUZZ_CHECK(Read(path, link::kLastTime) == link::kNotRunning);
  FUZZ_CHECK(Read(path, link::kLastHelp).empty());
  FUZZ_CHECK(Read(path, link::kHandle) == "0");
  FUZZ_CHECK(Read(path, link::kWinX) == "-3" && Read(path, link::kWinY) == "7");
  FUZZ_CHECK(Read(path, link::kWinW) == "640" && Read(path, link::kWinH) == "480");
  return 0;
}
