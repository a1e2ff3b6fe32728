// The HTML pane and the check that its engine can run.
#include "viewer/qt/html_pane.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

namespace viewer {

QWebEnginePage* RefusingPage::createWindow(WebWindowType type) {
  return refuseNewWindows_ ? nullptr : QWebEnginePage::createWindow(type);
}

HtmlPane::HtmlPane(QWidget* parent) : QWebEngineView(parent), page_(new RefusingPage(this)) {
  setPage(page_);
}

bool HtmlEngineAvailable() {
#ifdef _WIN32
  const QString helper = QStringLiteral("QtWebEngineProcess.exe");
#else
  const QString helper = QStringLiteral("QtWebEngineProcess");
#endif
  // The engine looks for its helper in these places, in this order, and gives up the whole
  // process when none has it; checking first lets the viewer say so instead.
  const QByteArray configured = qgetenv("QTWEBENGINE_PROCESS_PATH");
  if (!configured.isEmpty()) return QFileInfo(QString::fromLocal8Bit(configured)).isExecutable();
  for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath),
                                QCoreApplication::applicationDirPath()}) {
    if (QFileInfo(folder + QLatin1Char('/') + helper).isExecutable()) return true;
  }
  return false;
}

}  // namespace viewer
