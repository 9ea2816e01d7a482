// SPDX-License-Identifier: GPL-3.0-or-later
// What the windows take from the world outside them, in one object.
//
// The main window receives an Ambiente and hands it on to every window it
// opens; a test builds its own with a fixed clock and screen, temporary
// folders as the drive list and the answers its dialogs should give, so no
// test touches the user's folders or waits for a person. A default-built
// Ambiente is the real system.
#pragma once

#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <string_view>

#include "translator.h"

class QDialog;
class QPlainTextEdit;

namespace velmora::ui {

struct Ambiente {
  // The date and time of the backup copies.
  std::function<QDateTime()> orologio = [] { return QDateTime::currentDateTime(); };
  // The screen size the main window lays itself out on; an invalid size means
  // the window's own screen.
  std::function<QSize()> schermo = [] { return QSize(); };
  // The drive list ("/" and the home folder) and the current folder, as the
  // settings and the file dialog see them.
  std::function<QStringList()> elencoDischi;
  std::function<QString()> cartellaCorrente;
  // The program's own data folder, the work folder when none of the fixed
  // candidate folders exists (settings, backup archive, copies, recovery copy,
  // help export). Empty function: $XDG_DATA_HOME/Velmora, or
  // ~/.local/share/Velmora when XDG_DATA_HOME is not set.
  std::function<QString()> cartellaDati;
  // The pause after the save of the Open flow (the thread sleeps; no busy wait).
  std::function<void(int millisecondi)> pausa;
  // The translation the "Translate" button runs; empty: the main window's own
  // translator, which keeps its compile state for the debug dump.
  std::function<TranslationResult(std::string_view, const TranslateOptions&)> traduttore;

  // Dialogs. When set, the message box, the titled OK box, the Yes/No question
  // and the input box call these instead of showing a window (a test records them and answers).
  std::function<void(const QString& testo)> messaggio;
  std::function<void(const QString& titolo, const QString& testo)> avviso;
  std::function<bool(const QString& titolo, const QString& testo)> domanda;
  std::function<QString(const QString& prompt, const QString& titolo, const QString& predefinito)> input;
  // Called from its own event loop with every modal dialog that does show (the
  // message box, the file dialog): a test drives it there instead of a user.
  std::function<void(QDialog&)> allaComparsa;
  // When not empty, printing writes this PDF file without asking.
  QString pdfDiProva;
  // The editors the message box dims while it is open (the main window's).
  QList<QPointer<QPlainTextEdit>> daOscurare;

  QStringList ElencoDischi() const;
  QString CartellaCorrente() const;
  QString CartellaDati() const;
  void Pausa(int millisecondi) const;
};

}  // namespace velmora::ui
