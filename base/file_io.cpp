#include "file_io.h"

#include <QFile>
#include <QSaveFile>

#include <string_view>

#include "italian_text.h"
#include "translator.h"

namespace velmora::ui {

QString TestoErrore(int codice) { return QString::fromStdString(italian::SystemError(codice)); }

QString TestoErrore(const QString& sistema) {
  return QString::fromStdString(italian::SystemErrorText(sistema.toStdString()));
}

bool ScriviFile(const QString& percorso, const QByteArray& dati, QString& errore) {
  QSaveFile file(percorso);
  if (!file.open(QIODevice::WriteOnly)) {
    errore = TestoErrore(file.errorString());
    return false;
  }
  if (file.write(dati) != dati.size()) {
    errore = TestoErrore(file.errorString());
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    errore = TestoErrore(file.errorString());
    return false;
  }
  return true;
}

bool LeggiTesto(const QString& percorso, QString& testo, QString& errore) {
  QFile file(percorso);
  if (!file.open(QIODevice::ReadOnly)) {
    errore = TestoErrore(file.errorString());
    return false;
  }
  const QByteArray byte = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    errore = TestoErrore(file.errorString());
    return false;
  }
  testo = QString::fromStdString(SourceTextUtf8(std::string_view(byte.constData(), static_cast<size_t>(byte.size()))));
  testo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return true;
}

}  // namespace velmora::ui
