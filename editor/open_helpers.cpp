// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace velmora::editor {

bool IsBasPath(const QString& path) {
  return QFileInfo(path).suffix().compare(QLatin1String("bas"), Qt::CaseInsensitive) == 0;
}

QString BasPathFromDrop(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls()) return {};
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile() && IsBasPath(url.toLocalFile())) return url.toLocalFile();
  }
  return {};
}

QString BasPathFromArguments(const QStringList& arguments, const QString& currentFolder) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (IsBasPath(arguments[i])) return QDir::cleanPath(QDir(currentFolder).absoluteFilePath(arguments[i]));
  }
  return {};
}

}  // namespace velmora::editor
