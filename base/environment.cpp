#include "environment.h"

#include <QDir>
#include <QThread>

namespace velmora::ui {

QStringList Ambiente::ElencoDischi() const {
  if (elencoDischi) return elencoDischi();
  return {QStringLiteral("/"), QDir::homePath()};
}

QString Ambiente::CartellaCorrente() const {
  if (cartellaCorrente) return cartellaCorrente();
  return QDir::currentPath();
}

void Ambiente::Pausa(int millisecondi) const {
  if (pausa) {
    pausa(millisecondi);
    return;
  }
  if (millisecondi > 0) QThread::msleep(static_cast<unsigned long>(millisecondi));
}

}  // namespace velmora::ui
