// SPDX-License-Identifier: GPL-3.0-or-later
// velmora, the desktop program: the main window and its event loop.
#include <QApplication>
#include <QStyleFactory>

#include "main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velmora"));
  // Button and label colours are palette colours; Fusion draws them on every platform.
  if (QStyle* stile = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(stile);

  const velmora::ui::Ambiente sistema;
  velmora::ui::MainWindow finestra(sistema, QApplication::arguments().mid(1));
  QObject::connect(&finestra, &velmora::ui::MainWindow::Chiusa, &app, &QApplication::quit, Qt::QueuedConnection);
  finestra.show();
  return QApplication::exec();
}
