// The game's file requesters on Qt.
#include "game/shell/qt/file_dialog.h"

#include <QDir>
#include <QStringList>

namespace shell_qt {
namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "description|pattern;pattern|..." as Qt's filter list. Qt takes the patterns from the last
// parentheses of each entry, separated by spaces, and with HideNameFilterDetails shows what
// stands before them: "All Deradu (*.sms,*.ssv) (*.sms *.ssv)" shows the description whole
// and filters by both patterns.
QString ToQtFilter(const std::string& filter) {
  const QStringList parts = FromUtf8(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
#ifndef _WIN32
    // "*.*" means every file, also those without an extension.
    patterns.replaceInStrings(QStringLiteral("*.*"), QStringLiteral("*"));
#endif
    filters << parts[i] + " (" + patterns.join(' ') + ")";
  }
  return filters.join(";;");
}

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const engine::FileRequest& request) {
  QString start = FromUtf8(request.initialFolder);
  if (!request.initialName.empty()) start = QDir(start).filePath(FromUtf8(request.initialName));
  auto dialog = std::make_unique<QFileDialog>(parent, FromUtf8(request.title), start,
                                              ToQtFilter(request.filter));
  dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                     QFileDialog::DontConfirmOverwrite);
  dialog->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Neither kind insists on an existing file: a name that names none fails the load quietly,
  // as a cancel does.
  dialog->setFileMode(QFileDialog::AnyFile);
  return dialog;
}

}  // namespace shell_qt
