// SPDX-License-Identifier: GPL-3.0-or-later
// velmora, the desktop program: the main window and its event loop.
//
// `velmora --version` and `velmora --help` answer on standard output and
// end before any window (and any display) is needed.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include <cstdio>
#include <cstring>

#include "main_window.h"

#ifndef VELMORA_VERSION
#define VELMORA_VERSION "0"
#endif

namespace {

const char* const kAiuto =
    "Uso: velmora [PROGRAMMA.bas | DEBUG]\n"
    "\n"
    "Velmora: scrivere programmi Basic per il PIC16F84, tradurli in assembly,\n"
    "assemblarli con gpasm e simularli con gpsim.\n"
    "\n"
    "  PROGRAMMA.bas  apre il programma nell'editor\n"
    "  DEBUG          mostra il pulsante Test (stato dell'ultima traduzione)\n"
    "  --version      mostra la versione ed esce\n"
    "  --help         mostra questo aiuto ed esce\n"
    "\n"
    "Per tradurre dalla riga di comando: velmorac --help\n";

// Qt's own texts (the standard buttons Sì, No, Annulla, Apri; the print and
// input dialogs) in Italian, as the rest of the program. Missing
// translations leave them in English and change nothing else.
void CaricaTraduzioniQt(QApplication& app) {
  auto* qt = new QTranslator(&app);
  if (qt->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(qt);
}

}  // namespace

int main(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("velmora %s\n", VELMORA_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kAiuto, stdout);
      return 0;
    }
  }
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(icon);  // the window icon, built into the desktop library
  QApplication::setApplicationName(QStringLiteral("Velmora"));
  QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
  // The desktop matches the window to its launcher (data/org.velmora.Velmora.desktop).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.Velmora"));
  QIcon icona(QStringLiteral(":/velmora/velmora.svg"));
  if (icona.availableSizes().isEmpty() && icona.pixmap(64).isNull())
    icona = QIcon::fromTheme(QStringLiteral("org.velmora.Velmora"));
  QApplication::setWindowIcon(icona);
  CaricaTraduzioniQt(app);
  // Button and label colours are palette colours; Fusion draws them on every platform.
  if (QStyle* stile = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(stile);

  const velmora::ui::Ambiente sistema;
  velmora::ui::MainWindow finestra(sistema, QApplication::arguments().mid(1));
  QObject::connect(&finestra, &velmora::ui::MainWindow::Chiusa, &app, &QApplication::quit, Qt::QueuedConnection);
  finestra.show();
  return QApplication::exec();
}
