// SPDX-License-Identifier: GPL-3.0-or-later
// The example programs: four commented BASIC programs in one text, with a
// double click on the text to print them.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include "environment.h"

class QPlainTextEdit;

namespace velmora::tools {

// The file names of the example programs, in the order shown.
const QStringList& FileEsempi();
// The text of example `nome` as stored in the program.
QString TestoEsempio(const QString& nome);
// The whole text of the window, lines ended by CR LF.
QString TestoEsempi();

class ExamplesWindow : public QDialog {
  Q_OBJECT
 public:
  explicit ExamplesWindow(const ui::Ambiente& ambiente, QWidget* parent = nullptr);

  // The double click on the text: asks, then prints.
  void Stampa();
  // "Apri nell'editor": the example the cursor is in is chosen and the
  // window closes (accepted); the main window then puts it in the editor.
  void ApriNellEditor();
  // The chosen example's file name (FileEsempi), empty when none was.
  QString EsempioScelto() const { return scelto_; }
  // The example whose text (or the comment box after it) holds line
  // `riga` (from 0) of the window's text.
  static int EsempioAllaRiga(int riga);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const ui::Ambiente& ambiente_;
  void createControls();
  void createLayout();

  QPlainTextEdit* text1_ = nullptr;
  QString scelto_;
};

}  // namespace velmora::tools
