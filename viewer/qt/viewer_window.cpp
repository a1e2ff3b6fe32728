// The help viewer's main window: menu, status bar, buttons, address field, separator line
// and HTML pane, with the window requests of the viewer's logic.
#include "viewer/qt/viewer_window.h"

#include <vector>

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QWindow>

#include "common/qt/desktop_activation.h"
#include "common/qt/qt_path.h"
#include "viewer/qt/html_pane.h"
#include "viewer/window_place.h"

#ifdef _WIN32
#include <cstdint>
#else
#include <unistd.h>
#endif

namespace viewer {

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool SameDocument(const QUrl& a, const QUrl& b) {
  return a.adjusted(QUrl::RemoveFragment) == b.adjusted(QUrl::RemoveFragment);
}

QRect ToQRect(const Rect& rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

// The pane ends 21 pixels above the client area's bottom edge: the status bar fills them.
constexpr int kStatusBarHeight = 21;

// Wayland clients neither learn nor choose where their windows stand.
bool PlacedByCompositor() { return QGuiApplication::platformName().startsWith("wayland"); }

std::vector<Rect> ScreenAreas() {
  std::vector<Rect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    areas.push_back({area.x(), area.y(), area.width(), area.height()});
  }
  return areas;
}

}  // namespace

QUrl HelpPageUrl(const HelpPage& page) {
  QUrl url = QUrl::fromLocalFile(qt_path::ToQString(page.document));
  std::string_view topic = page.topic;
  if (topic.starts_with('#')) topic.remove_prefix(1);
  if (!page.topic.empty()) url.setFragment(ToQString(topic), QUrl::DecodedMode);
  return url;
}

ViewerWindow::ViewerWindow() : client_(new QWidget(this)) { setCentralWidget(client_); }

bool ViewerWindow::OpenMainWindow(const WindowMeasures& place, std::string_view title) {
  setWindowTitle(ToQString(title));
  resize(place.width, place.heightWithMenu);
  if (PlacedByCompositor()) {
    openedSize_ = size();
  } else {
    const bool reachable = TitleBarOnSomeScreen(place, ScreenAreas());
    move(reachable ? QPoint(place.left, place.top) : QPoint(100, 200));
  }
  show();
  return true;
}

int64_t ViewerWindow::WindowHandle() {
#ifdef _WIN32
  return static_cast<int64_t>(static_cast<intptr_t>(winId()));
#else
  // The game's window requests reach the viewer through its process (see SignalRequests).
  return static_cast<int64_t>(getpid());
#endif
}

WindowMeasures ViewerWindow::MeasureWindow() {
  const QRect frame = frameGeometry();
  return {frame.x(), frame.y(), width(), height(), !PlacedByCompositor()};
}

int ViewerWindow::MenuBarHeight() {
  layout()->activate();
  return client_->y();
}

void ViewerWindow::CreateMenu(std::string_view title, std::span<const MenuItemSpec> items) {
  menuBar()->setNativeMenuBar(false);  // a global menu bar would make the inner height untrue
  QMenu* menu = menuBar()->addMenu(ToQString(title));
  for (const MenuItemSpec& item : items) {
    QAction* action = menu->addAction(ToQString(item.caption));
    const int event = item.event;
    connect(action, &QAction::triggered, this, [this, event] { Report(ViewerEvent::Kind::Menu, event); });
  }
  // Bars added to a window that shows already would appear only with the next pass of the
  // event loop; the layout must count them now.
  menuBar()->show();
}

void ViewerWindow::AddEnterShortcut(int menuEvent) {
  for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this, menuEvent] { Report(ViewerEvent::Kind::Menu, menuEvent); });
  }
}

void ViewerWindow::CreateStatusBar() {
  status_ = new QLabel(this);
  statusBar()->setFixedHeight(kStatusBarHeight);
  // A label rather than the bar's own message: menus clear that one as the mouse passes.
  statusBar()->addWidget(status_, 1);
  statusBar()->show();
}

void ViewerWindow::SetStatusText(std::string_view text) {
  if (status_ != nullptr) status_->setText(ToQString(text));
}

void ViewerWindow::CreateControl(const ControlSpec& control) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::Button: {
      auto* button = new QPushButton(ToQString(control.caption), client_);
      const int id = control.id;
      connect(button, &QPushButton::clicked, this, [this, id] { Report(ViewerEvent::Kind::Control, id); });
      widget = button;
      break;
    }
    case ControlKind::AddressField:
      address_ = new QLineEdit(client_);
      widget = address_;
      break;
    case ControlKind::Separator: {
      auto* line = new QFrame(client_);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Sunken);
      widget = line;
      break;
    }
  }
  widget->setGeometry(ToQRect(control.rect));
  widget->show();
  controls_[control.id] = widget;
}

void ViewerWindow::MoveControl(int id, const Rect& rect) {
  if (QWidget* widget = Control(id)) widget->setGeometry(ToQRect(rect));
}

std::string ViewerWindow::AddressText() {
  return address_ != nullptr ? address_->text().toStdString() : std::string();
}

bool ViewerWindow::CreateHtmlPane(const Rect& rect, const HelpPage& page) {
  if (!HtmlEngineAvailable()) return false;
  pane_ = new HtmlPane(client_);
  connect(pane_, &QWebEngineView::loadStarted, this, [this] { loading_ = true; });
  connect(pane_, &QWebEngineView::loadFinished, this, &ViewerWindow::OnLoadFinished);
  pane_->setGeometry(ToQRect(rect));
  pane_->show();
  controls_[kBrowserPane] = pane_;
  ShowHelpPage(page);
  return true;
}

void ViewerWindow::ShowHelpPage(const HelpPage& page) { Go(HelpPageUrl(page)); }

void ViewerWindow::Navigate(std::string_view address) {
  if (!address.empty()) Go(QUrl::fromUserInput(ToQString(address)));
}

void ViewerWindow::Go(const QUrl& url) {
  if (pane_ == nullptr) return;
  // The engine takes a jump to another anchor of the document it is still loading for a move
  // within the page and can lose it when the load commits: such a jump waits for the load.
  if (loading_ && SameDocument(url, pane_->url())) {
    deferred_ = url;
    return;
  }
  deferred_.reset();
  // A new document, or the same address again, loads anew; another anchor of the page shown
  // only scrolls and reports no load.
  if (!SameDocument(url, pane_->url()) || url == pane_->url()) loading_ = true;
  pane_->setUrl(url);
}

void ViewerWindow::OnLoadFinished() {
  loading_ = false;
  if (!deferred_) return;
  const QUrl url = *deferred_;
  deferred_.reset();
  pane_->setUrl(url);
}

void ViewerWindow::GoBack() {
  if (pane_ != nullptr) pane_->back();
}

void ViewerWindow::GoForward() {
  if (pane_ != nullptr) pane_->forward();
}

void ViewerWindow::StopLoading() {
  if (pane_ != nullptr) pane_->stop();
}

void ViewerWindow::BlockPopups() {
  if (pane_ != nullptr) pane_->refusingPage()->RefuseNewWindows();
}

void ViewerWindow::BlockContextMenu() {
  if (pane_ != nullptr) pane_->setContextMenuPolicy(Qt::NoContextMenu);
}

void ViewerWindow::ShowMessage(std::string_view title, std::string_view text, bool errorIcon) {
  QMessageBox box(errorIcon ? QMessageBox::Critical : QMessageBox::NoIcon, ToQString(title),
                  ToQString(text), QMessageBox::Ok, isVisible() ? this : nullptr);
  box.exec();
}

void ViewerWindow::BringToFront(const std::string& activationToken) {
  if (isMinimized()) showNormal();
  raise();
  // On Wayland only the compositor's token brings the window forward, minimised or not;
  // without one, or elsewhere, the window asks for the focus itself.
  if (!desktop_activation::Activate(windowHandle(), activationToken)) activateWindow();
}

QWidget* ViewerWindow::Control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

QString ViewerWindow::StatusText() const { return status_ != nullptr ? status_->text() : QString(); }

void ViewerWindow::closeEvent(QCloseEvent* event) {
  // The window stays until the exit steps have measured it; the program then ends.
  event->ignore();
  Report(ViewerEvent::Kind::CloseRequest);
}

void ViewerWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // On Wayland Qt adds the frame it draws itself only after the compositor's first answer,
  // and the compositor's next answer, sized for the window before it had its frame, then
  // takes the frame out of the window's size: each start would open the window smaller. The
  // first change of size is therefore undone when it is exactly that.
  if (openedSize_ && size() != *openedSize_) {
    const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    const QSize opened = *openedSize_;
    openedSize_.reset();
    if (size() == opened.shrunkBy(frame) && !frame.isNull()) {
      resize(opened);
      return;
    }
  }
  Report(ViewerEvent::Kind::Resize);
}

void ViewerWindow::Report(ViewerEvent::Kind kind, int id) {
  if (onEvent) onEvent(ViewerEvent{kind, id});
}

}  // namespace viewer
