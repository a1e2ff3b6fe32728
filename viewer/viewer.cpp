// The help viewer's start-up, event handling, link-file poll and exit steps.
#include "viewer/viewer.h"

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

// The exit values; measures is empty when the window never opened, which leaves the stored
// place and size as they were.
void WriteExitValues(const Viewer& viewer, const std::optional<WindowMeasures>& measures) {
  settings::LinkCycle cycle(viewer.linkPath);
  cycle.store.WriteSettingText(link::kLastTime, link::kNotRunning);
  cycle.store.WriteSettingText(link::kLastHelp, "");
  cycle.store.WriteSettingText(link::kHandle, "0");
  if (!measures) return;
  cycle.store.WriteSettingInteger(link::kWinX, measures->left);
  cycle.store.WriteSettingInteger(link::kWinY, measures->top);
  cycle.store.WriteSettingInteger(link::kWinW, measures->width);
  cycle.store.WriteSettingInteger(link::kWinH, measures->heightWithMenu);
}

// The poll: serves a pending request or reports a quit request.
link::LinkState PollLinkFile(Viewer& viewer) {
  link::LinkState state;
  {
    settings::LinkCycle cycle(viewer.linkPath);
    state = link::ClassifyLastTime(
        settings::ParseNumber(cycle.store.ReadSettingText(link::kLastTime, "0")));
    if (state != link::LinkState::Pending) return state;
    cycle.store.WriteSettingText(link::kLastTime, link::kRequestServed);
    viewer.topic = cycle.store.ReadSettingText(link::kLastHelp, viewer.topic);
  }
  viewer.platform.Navigate(viewer.helpUrl + viewer.topic);
  viewer.platform.SetStatusText("LASTHELP " + viewer.topic);
  return state;
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
    case kMenuContents: viewer.platform.Navigate(viewer.helpUrl + "#TOP"); break;
    case kMenuContact: viewer.platform.Navigate(viewer.helpUrl + "#contact"); break;
    case kMenuWebSite: viewer.platform.Navigate(kWebSite); break;
    case kMenuAbout: viewer.platform.ShowMessage(viewer.title, AboutText(), false); break;
    case kMenuExit: return false;
    case kGoShortcut: GoToTypedAddress(viewer); break;
    default: break;
  }
  return true;
}

enum class Opening { Running, WindowFailed, Ended };

// Start-up steps 1 to 16, all in one cycle of the link file. Message boxes wait until the
// cycle is closed, so that the game is never kept waiting on the lock by an open box; those
// paths write nothing, so the file ends as if they had been shown inside the cycle.
Opening OpenViewer(Viewer& viewer) {
  ViewerPlatform& platform = viewer.platform;
  std::optional<std::pair<std::string_view, std::string_view>> failure;  // title, text
  bool errorIcon = false;
  {
    settings::LinkCycle cycle(viewer.linkPath);
    settings::SettingsStore& store = cycle.store;
    const std::string helpFile = store.ReadSettingText(link::kHelpFile, kNoHelp);
    if (helpFile == kNoHelp) {
      failure.emplace("Leafview", "No Helpfile specified");
      errorIcon = true;
    } else {
      viewer.helpUrl = HelpUrl(viewer.folderText, helpFile);
      viewer.title = store.ReadSettingText(link::kTitle, "Leaf View");
      viewer.topic = store.ReadSettingText(link::kLastHelp, "");
      WindowMeasures place;
      place.left = store.ReadSettingInteger(link::kWinX, 100);
      place.top = store.ReadSettingInteger(link::kWinY, 200);
      place.width = store.ReadSettingInteger(link::kWinW, 500);
      place.heightWithMenu = store.ReadSettingInteger(link::kWinH, 300);
      if (!platform.OpenMainWindow(place, viewer.title)) return Opening::WindowFailed;
      // Controls are drawn clipped out of the window's background by every toolkit used here.
      platform.CreateMenu(kMenuTitle, kMenuItems);
      platform.CreateStatusBar();
      platform.SetStatusText(viewer.title + " Help");
      for (const ControlSpec& control : kControls) platform.CreateControl(control);
      if (!platform.CreateHtmlPane(kBrowserPaneAtCreation, viewer.helpUrl + viewer.topic)) {
        failure.emplace("Error", "ATL.dll not found");
      } else {
        store.WriteSettingText(link::kLastTime, link::kRequestServed);
        platform.BlockPopups();
        platform.BlockContextMenu();
        platform.SetStatusText("Loading Help " + std::string(FilePart(viewer.helpUrl)));
        platform.AddEnterShortcut(kGoShortcut);
        LayoutViewer(viewer);
        store.WriteSettingText(link::kHandle, settings::FormatNumber(platform.WindowHandle()));
      }
    }
  }
  if (!failure) return Opening::Running;
  platform.ShowMessage(failure->first, failure->second, errorIcon);
  return Opening::Ended;
}

}  // namespace

Viewer::Viewer(ViewerPlatform& platform, const std::filesystem::path& executableFolder)
    : platform(platform),
      linkPath(settings::DataFolder(executableFolder) / link::kFileName),
      folderText(settings::Utf8FromPath(executableFolder / "")) {}

StartResult StartViewer(Viewer& viewer) {
  switch (OpenViewer(viewer)) {
    case Opening::Running: return StartResult::Running;
    case Opening::WindowFailed: WriteExitValues(viewer, std::nullopt); return StartResult::Ended;
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

std::string HelpUrl(std::string_view folder, std::string_view helpFile) {
  std::string url = folder.starts_with('/') ? "file://" : "file:///";
  url += folder;
  url += helpFile;
  return url;
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
