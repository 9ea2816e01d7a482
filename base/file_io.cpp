// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_io.h"

#include <QFile>
#include <QSaveFile>

#include <string_view>

#include "translator.h"

namespace velmora::ui {

bool ScriviFile(const QString& percorso, const QByteArray& dati, QString& errore) {
  QSaveFile file(percorso);
  if (!file.open(QIODevice::WriteOnly)) {
    errore = file.errorString();
    return false;
  }
  if (file.write(dati) != dati.size()) {
    errore = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    errore = file.errorString();
    return false;
  }
  return true;
}

bool LeggiTesto(const QString& percorso, QString& testo, QString& errore) {
  QFile file(percorso);
  if (!file.open(QIODevice::ReadOnly)) {
    errore = file.errorString();
    return false;
  }
  const QByteArray byte = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    errore = file.errorString();
    return false;
  }
  testo = QString::fromStdString(SourceTextUtf8(std::string_view(byte.constData(), static_cast<size_t>(byte.size()))));
  testo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return true;
}

}  // namespace velmora::ui
