// The help viewer's main window in Qt: the platform the viewer's logic drives. Controls sit
// at absolute positions in the client area below the menu bar, as the logic places them, and
// every event the logic cares about is handed to one event handler.
#pragma once

#include <functional>
#include <map>
#include <optional>

#include <QMainWindow>
#include <QSize>
#include <QUrl>

#include "viewer/viewer.h"
#include "viewer/viewer_platform.h"

class QLabel;
class QLineEdit;

namespace viewer {

class HtmlPane;

// The address of a place in the help document: the document's file URL, with the topic
// (without its "#") as the fragment.
QUrl HelpPageUrl(const HelpPage& page);

class ViewerWindow : public QMainWindow, public ViewerPlatform {
  Q_OBJECT
 public:
  ViewerWindow();

  // Receives control, menu, resize and close-request events.
  std::function<void(const ViewerEvent&)> onEvent;

  bool OpenMainWindow(const WindowMeasures& place, std::string_view title) override;
  int64_t WindowHandle() override;
  WindowMeasures MeasureWindow() override;
  int MenuBarHeight() override;
  void CreateMenu(std::string_view title, std::span<const MenuItemSpec> items) override;
  void AddEnterShortcut(int menuEvent) override;
  void CreateStatusBar() override;
  void SetStatusText(std::string_view text) override;
  void CreateControl(const ControlSpec& control) override;
  void MoveControl(int id, const Rect& rect) override;
  std::string AddressText() override;
  bool CreateHtmlPane(const Rect& rect, const HelpPage& page) override;
  void ShowHelpPage(const HelpPage& page) override;
  void Navigate(std::string_view address) override;
  void GoBack() override;
  void GoForward() override;
  void StopLoading() override;
  void BlockPopups() override;
  void BlockContextMenu() override;
  void ShowMessage(std::string_view title, std::string_view text, bool errorIcon) override;

  // Raises and activates the window, restoring it when minimised, with the desktop's token
  // where the desktop needs one (empty: none).
  void BringToFront(const std::string& activationToken);

  // What the window shows, for tests.
  QWidget* Control(int id) const;
  HtmlPane* Pane() const { return pane_; }
  QString StatusText() const;
  QWidget* ClientArea() const { return client_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Report(ViewerEvent::Kind kind, int id = 0);
  void Go(const QUrl& url);
  void OnLoadFinished();

  QWidget* client_;
  std::map<int, QWidget*> controls_;
  QLineEdit* address_ = nullptr;
  HtmlPane* pane_ = nullptr;
  QLabel* status_ = nullptr;
  // The pane's document is loading; an anchor of that same document asked for meanwhile
  // waits in deferred_ until the load has finished.
  bool loading_ = false;
  std::optional<QUrl> deferred_;
  // The size the window opened with, until its first change on Wayland (see resizeEvent).
  std::optional<QSize> openedSize_;
};

}  // namespace viewer
