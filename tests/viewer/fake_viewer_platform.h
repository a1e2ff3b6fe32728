// A scripted window system and HTML pane for driving the help viewer's logic without
// windows: it records every request in order and answers with the values set by the test.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "viewer/viewer_platform.h"

namespace testing_support {

struct ViewerMessage {
  std::string title;
  std::string text;
  bool errorIcon;
};

class FakeViewerPlatform : public viewer::ViewerPlatform {
 public:
  // Answers.
  bool windowOpens = true;
  bool paneCreates = true;
  int64_t handle = 4242;
  int menuBarHeight = 20;
  std::string addressText;
  // The window's place and size: set by OpenMainWindow, moved by tests like a user would.
  viewer::WindowMeasures window;
  // Runs inside each message box, while it shows.
  std::function<void()> whileMessageShows;
  // Runs while the pane is being created, as a slow web engine would take its time.
  std::function<void()> whilePaneStarts;

  // What happened.
  // One line a request, e.g. "Navigate file:///x/d.htm#TOP"; a help page shows as the
  // document's path after "file://" and the topic.
  std::vector<std::string> calls;
  std::vector<std::string> navigations;
  std::vector<std::string> statusTexts;
  std::vector<ViewerMessage> messages;
  std::map<int, viewer::Rect> controls;  // where each control stands now
  bool windowOpened = false;

  bool OpenMainWindow(const viewer::WindowMeasures& place, std::string_view title) override;
  int64_t WindowHandle() override { return handle; }
  viewer::WindowMeasures MeasureWindow() override { return window; }
  int MenuBarHeight() override { return menuBarHeight; }
  void CreateMenu(std::string_view title, std::span<const viewer::MenuItemSpec> items) override;
  void AddEnterShortcut(int menuEvent) override;
  void CreateStatusBar() override { calls.push_back("CreateStatusBar"); }
  void SetStatusText(std::string_view text) override;
  void CreateControl(const viewer::ControlSpec& control) override;
  void MoveControl(int id, const viewer::Rect& rect) override { controls[id] = rect; }
  std::string AddressText() override { return addressText; }
  bool CreateHtmlPane(const viewer::Rect& rect, const viewer::HelpPage& page) override;
  void ShowHelpPage(const viewer::HelpPage& page) override;
  void Navigate(std::string_view address) override;
  void GoBack() override { calls.push_back("GoBack"); }
  void GoForward() override { calls.push_back("GoForward"); }
  void StopLoading() override { calls.push_back("StopLoading"); }
  void BlockPopups() override { calls.push_back("BlockPopups"); }
  void BlockContextMenu() override { calls.push_back("BlockContextMenu"); }
  void ShowMessage(std::string_view title, std::string_view text, bool errorIcon) override;
};

}  // namespace testing_support
