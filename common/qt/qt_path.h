// The one crossing between Qt's file names and std::filesystem paths, used by both programs'
// Qt shells: UTF-8 both ways, whatever the C library's locale says.
#pragma once

#include <filesystem>

#include <QByteArray>
#include <QString>

#include "common/settings/path_text.h"

namespace qt_path {

inline std::filesystem::path ToPath(const QString& name) {
  const QByteArray utf8 = name.toUtf8();
  return settings::PathFromUtf8({utf8.constData(), static_cast<size_t>(utf8.size())});
}

inline QString ToQString(const std::filesystem::path& path) {
  const std::string utf8 = settings::Utf8FromPath(path);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace qt_path
