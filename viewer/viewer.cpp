// The help viewer's start-up, event handling, link-file poll and exit steps.
#include "viewer/viewer.h"

#include <algorithm>
#include <optional>

#include "common/settings/data_folder.h"
#include "common/settings/link_cycle.h"
#include "common/settings/link_file.h"
#include "common/settings/number_text.h"
#include "common/settings/path_text.h"

namespace viewer {

namespace link = settings::link;

namespace {

constexpr std::string_view kNoHelp = "NoHelp";
constexpr int kLargestMeasure = 1 << 16;

// The exit values; measures is empty when the window never opened, which leaves the stored
// place and size as they were. A place the window system does not tell is left as stored.
void WriteExitValues(const Viewer& viewer, const std::optional<WindowMeasures>& measures) {
  settings::LinkCycle cycle(viewer.linkPath);
  cycle.store.WriteSettingText(link::kLastTime, link::kNotRunning);
  cycle.store.WriteSettingText(link::kLastHelp, "");
  cycle.store.WriteSettingText(link::kHandle, "0");
  if (!measures) return;
  if (measures->placeKnown) {
    cycle.store.WriteSettingInteger(link::kWinX, measures->left);
    cycle.store.WriteSettingInteger(link::kWinY, measures->top);
  }
  cycle.store.WriteSettingInteger(link::kWinW, measures->width);
  cycle.store.WriteSettingInteger(link::kWinH, measures->heightWithMenu);
}

// The request the link file holds now; store is open on it.
LinkRequest RequestIn(const settings::SettingsStore& store, const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_time_type changed = std::filesystem::last_write_time(path, error);
  // A line break cannot stand in a value, so it marks a missing key.
  return {store.ReadSettingText(link::kLastTime, "\n"),
          store.ReadSettingText(link::kLastHelp, "\n"),
          error ? std::filesystem::file_time_type::min() : changed};
}

// Writes the cycle's changes, "999" among them, and notes the request as unacknowledged when
// the file does not hold "999" afterwards: the store does not report a failed write. The
// lock is still held, so nobody else has changed the file in between.
void Acknowledge(Viewer& viewer, settings::LinkCycle& cycle, const LinkRequest& request) {
  cycle.store.CloseSettings();
  cycle.store.OpenSettings(viewer.linkPath);
  const bool written = cycle.store.ReadSettingText(link::kLastTime, "") == link::kRequestServed;
  viewer.unacknowledged = written ? std::nullopt : std::optional(request);
}

void ShowTopic(Viewer& viewer) {
  viewer.platform.ShowHelpPage({viewer.helpDocument, viewer.topic});
}

// The poll: serves a pending request or reports a quit request.
link::LinkState PollLinkFile(Viewer& viewer) {
  {
    settings::LinkCycle cycle(viewer.linkPath);
    const link::LinkState state = link::ReadLinkState(cycle.store);
    if (state != link::LinkState::Pending) return state;
    const LinkRequest request = RequestIn(cycle.store, viewer.linkPath);
    if (viewer.unacknowledged == request) return link::LinkState::Idle;
    cycle.store.WriteSettingText(link::kLastTime, link::kRequestServed);
    viewer.topic = cycle.store.ReadSettingText(link::kLastHelp, viewer.topic);
    Acknowledge(viewer, cycle, request);
  }
  ShowTopic(viewer);
  viewer.platform.SetStatusText("LASTHELP " + viewer.topic);
  return link::LinkState::Pending;
}

void GoToTypedAddress(Viewer& viewer) {
  const std::string address = viewer.platform.AddressText();
  if (!address.empty()) viewer.platform.Navigate(address);
}

void OnControl(Viewer& viewer, int id) {
  switch (id) {
    case kBackButton: viewer.platform.GoBack(); break;
    case kNextButton: viewer.platform.GoForward(); break;
    case kStopButton: viewer.platform.StopLoading(); break;
    case kGoButton: GoToTypedAddress(viewer); break;
    default: break;
  }
}

// False for "Exit".
bool OnMenu(Viewer& viewer, int event) {
  switch (event) {
    case kMenuContents: viewer.platform.ShowHelpPage({viewer.helpDocument, "#TOP"}); break;
    case kMenuContact: viewer.platform.ShowHelpPage({viewer.helpDocument, "#contact"}); break;
    case kMenuWebSite: viewer.platform.Navigate(kWebSite); break;
    case kMenuAbout: viewer.platform.ShowMessage(viewer.title, AboutText(), false); break;
    case kMenuExit: return false;
    case kGoShortcut: GoToTypedAddress(viewer); break;
    default: break;
  }
  return true;
}

enum class Opening { Running, WindowFailed, Quit, Ended };

struct StartValues {
  std::string helpFile;
  std::string lastTime;  // as the game left it before starting the viewer
  WindowMeasures place;
};

// Start-up steps 1 to 5, one cycle that only reads.
StartValues ReadStartValues(Viewer& viewer) {
  settings::LinkCycle cycle(viewer.linkPath);
  const settings::SettingsStore& store = cycle.store;
  StartValues values;
  values.helpFile = store.ReadSettingText(link::kHelpFile, kNoHelp);
  values.lastTime = store.ReadSettingText(link::kLastTime, "0");
  viewer.title = store.ReadSettingText(link::kTitle, "Leaf View");
  viewer.topic = store.ReadSettingText(link::kLastHelp, "");
  // A hand-edited measure is held within what any screen could show, so that the sums the
  // window system makes with it cannot overflow; such a place lies off every screen, where
  // the window does not open, either way.
  const auto measure = [&store](std::string_view key, int fallback) {
    return std::clamp(store.ReadSettingInteger(key, fallback), -kLargestMeasure, kLargestMeasure);
  };
  values.place.left = measure(link::kWinX, 100);
  values.place.top = measure(link::kWinY, 200);
  values.place.width = measure(link::kWinW, 500);
  values.place.heightWithMenu = measure(link::kWinH, 300);
  return values;
}

// Start-up steps 12 and 16 in a second cycle, once the window and pane are built. Starting the
// web engine can take longer than the game waits for the lock, so no cycle spans it; what the
// game wrote meanwhile is taken into account here. A quit code that was not there at the
// first cycle is the game's shutdown during the start: the viewer ends. A quit code that was
// there already was left by an earlier game and is replaced, as is every other code. A
// request for another topic made meanwhile is shown.
Opening AcknowledgeStart(Viewer& viewer, const std::string& lastTimeAtStart) {
  const std::string shown = viewer.topic;
  {
    settings::LinkCycle cycle(viewer.linkPath);
    settings::SettingsStore& store = cycle.store;
    const std::string lastTime = store.ReadSettingText(link::kLastTime, "0");
    const link::LinkState state = link::ClassifyLastTime(settings::ParseNumber(lastTime));
    if (state == link::LinkState::Quit && lastTime != lastTimeAtStart) return Opening::Quit;
    const LinkRequest request = RequestIn(store, viewer.linkPath);
    if (state == link::LinkState::Pending) {
      viewer.topic = store.ReadSettingText(link::kLastHelp, shown);
    }
    store.WriteSettingText(link::kLastTime, link::kRequestServed);
    store.WriteSettingText(link::kHandle, settings::FormatNumber(viewer.platform.WindowHandle()));
    Acknowledge(viewer, cycle, request);
  }
  if (viewer.topic != shown) ShowTopic(viewer);
  return Opening::Running;
}

// Start-up steps 1 to 16. The link file is locked only while it is read and while it is
// written, never while the window and the web engine start, and message boxes show with it
// free; the paths that show one write nothing.
Opening OpenViewer(Viewer& viewer) {
  ViewerPlatform& platform = viewer.platform;
  const StartValues values = ReadStartValues(viewer);
  if (values.helpFile == kNoHelp) {
    platform.ShowMessage("Leafview", "No Helpfile specified", true);
    return Opening::Ended;
  }
  viewer.helpDocument = viewer.executableFolder / settings::PathFromUtf8(values.helpFile);
  if (!platform.OpenMainWindow(values.place, viewer.title)) return Opening::WindowFailed;
  // Controls are drawn clipped out of the window's background by every toolkit used here.
  platform.CreateMenu(kMenuTitle, kMenuItems);
  platform.CreateStatusBar();
  platform.SetStatusText(viewer.title + " Help");
  for (const ControlSpec& control : kControls) platform.CreateControl(control);
  if (!platform.CreateHtmlPane(kBrowserPaneAtCreation, {viewer.helpDocument, viewer.topic})) {
    platform.ShowMessage("Error", "ATL.dll not found", false);
    return Opening::Ended;
  }
  platform.BlockPopups();
  platform.BlockContextMenu();
  platform.SetStatusText("Loading Help " + std::string(FilePart(values.helpFile)));
  platform.AddEnterShortcut(kGoShortcut);
  LayoutViewer(viewer);
  return AcknowledgeStart(viewer, values.lastTime);
}

}  // namespace

Viewer::Viewer(ViewerPlatform& platform, const std::filesystem::path& executableFolder)
    : platform(platform),
      executableFolder(executableFolder),
      linkPath(settings::DataFolder(executableFolder) / link::kFileName) {}

StartResult StartViewer(Viewer& viewer) {
  switch (OpenViewer(viewer)) {
    case Opening::Running: return StartResult::Running;
    case Opening::WindowFailed: WriteExitValues(viewer, std::nullopt); return StartResult::Ended;
    case Opening::Quit: ExitViewer(viewer); return StartResult::Ended;
    case Opening::Ended: return StartResult::Ended;
  }
  return StartResult::Ended;
}

bool HandleEvent(Viewer& viewer, const ViewerEvent& event) {
  using Kind = ViewerEvent::Kind;
  switch (event.kind) {
    case Kind::Control: OnControl(viewer, event.id); break;
    case Kind::Menu:
      if (!OnMenu(viewer, event.id)) return false;
      break;
    case Kind::Resize: LayoutViewer(viewer); break;
    case Kind::Idle:
    case Kind::CloseRequest: break;
  }
  // The poll runs on every pass, the one that carries the close request included.
  const link::LinkState state = PollLinkFile(viewer);
  return state != link::LinkState::Quit && event.kind != Kind::CloseRequest;
}

void ExitViewer(Viewer& viewer) { WriteExitValues(viewer, viewer.platform.MeasureWindow()); }

std::string TakeActivationToken(Viewer& viewer) {
  settings::LinkCycle cycle(viewer.linkPath);
  std::string token = cycle.store.ReadSettingText(link::kActivationToken, "");
  if (!token.empty()) cycle.store.WriteSettingText(link::kActivationToken, "");
  return token;
}

std::string_view FilePart(std::string_view address) {
  const size_t slash = address.find_last_of("/\\");
  return slash == std::string_view::npos ? address : address.substr(slash + 1);
}

std::string AboutText() {
  return "Modified 24 November 2010\n"
         "by Brindle\n"
         "based on Brindle PageLeaf";
}

void LayoutViewer(Viewer& viewer) {
  const WindowMeasures window = viewer.platform.MeasureWindow();
  for (const Placement& placement :
       ViewerLayout(window.width, window.heightWithMenu, viewer.platform.MenuBarHeight())) {
    viewer.platform.MoveControl(placement.id, placement.rect);
  }
}

}  // namespace viewer
