// SPDX-License-Identifier: GPL-3.0-or-later
#include "environment.h"

#include <QDir>
#include <QStandardPaths>
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

QString Ambiente::CartellaDati() const {
  if (cartellaDati) return cartellaDati();
  // GenericDataLocation is $XDG_DATA_HOME, or ~/.local/share when it is unset;
  // the folder name does not depend on the application name being set yet.
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Velmora");
}

void Ambiente::Pausa(int millisecondi) const {
  if (pausa) {
    pausa(millisecondi);
    return;
  }
  if (millisecondi > 0) QThread::msleep(static_cast<unsigned long>(millisecondi));
}

}  // namespace velmora::ui
