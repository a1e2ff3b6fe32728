// The recording fake of the help viewer's platform.
#include "tests/viewer/fake_viewer_platform.h"

namespace testing_support {

bool FakeViewerPlatform::OpenMainWindow(const viewer::WindowMeasures& place,
                                        std::string_view title) {
  calls.push_back("OpenMainWindow " + std::to_string(place.left) + " " + std::to_string(place.top) +
                  " " + std::to_string(place.width) + " " + std::to_string(place.heightWithMenu) +
                  " " + std::string(title));
  if (!windowOpens) return false;
  window = place;
  windowOpened = true;
  return true;
}

void FakeViewerPlatform::CreateMenu(std::string_view title,
                                    std::span<const viewer::MenuItemSpec> items) {
  std::string line = "CreateMenu " + std::string(title);
  for (const viewer::MenuItemSpec& item : items) line += "|" + std::string(item.caption);
  calls.push_back(line);
}

void FakeViewerPlatform::AddEnterShortcut(int menuEvent) {
  calls.push_back("AddEnterShortcut " + std::to_string(menuEvent));
}

void FakeViewerPlatform::SetStatusText(std::string_view text) {
  statusTexts.emplace_back(text);
  calls.push_back("Status " + std::string(text));
}

void FakeViewerPlatform::CreateControl(const viewer::ControlSpec& control) {
  controls[control.id] = control.rect;
  calls.push_back("CreateControl " + std::to_string(control.id));
}

namespace {
std::string Address(const viewer::HelpPage& page) {
  return "file://" + page.document.string() + page.topic;
}
}  // namespace

bool FakeViewerPlatform::CreateHtmlPane(const viewer::Rect& rect, const viewer::HelpPage& page) {
  calls.push_back("CreateHtmlPane " + Address(page));
  if (whilePaneStarts) whilePaneStarts();
  if (!paneCreates) return false;
  controls[viewer::kBrowserPane] = rect;
  navigations.push_back(Address(page));
  return true;
}

void FakeViewerPlatform::ShowHelpPage(const viewer::HelpPage& page) { Navigate(Address(page)); }

void FakeViewerPlatform::Navigate(std::string_view address) {
  calls.push_back("Navigate " + std::string(address));
  navigations.emplace_back(address);
}

void FakeViewerPlatform::ShowMessage(std::string_view title, std::string_view text,
                                     bool errorIcon) {
  calls.push_back("ShowMessage " + std::string(title));
  messages.push_back({std::string(title), std::string(text), errorIcon});
  if (whileMessageShows) whileMessageShows();
}

}  // namespace testing_support
