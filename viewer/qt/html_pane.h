// The help viewer's HTML pane: a web view whose page can be told to refuse every request of
// a page to open a new window.
#pragma once

#include <QWebEnginePage>
#include <QWebEngineView>

namespace viewer {

class RefusingPage : public QWebEnginePage {
  Q_OBJECT
 public:
  using QWebEnginePage::QWebEnginePage;
  void RefuseNewWindows() { refuseNewWindows_ = true; }
  bool RefusesNewWindows() const { return refuseNewWindows_; }

 protected:
  QWebEnginePage* createWindow(WebWindowType type) override;

 private:
  bool refuseNewWindows_ = false;
};

class HtmlPane : public QWebEngineView {
  Q_OBJECT
 public:
  explicit HtmlPane(QWidget* parent);
  RefusingPage* refusingPage() const { return page_; }

 private:
  RefusingPage* page_;
};

// Whether the web engine's helper process can be found; without it the engine cannot load.
bool HtmlEngineAvailable();

}  // namespace viewer
