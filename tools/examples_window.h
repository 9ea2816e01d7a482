// The example programs: the commented Basic programs of examples/ in one text, with a
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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const ui::Ambiente& ambiente_;
  void createControls();
  void createLayout();

  QPlainTextEdit* text1_ = nullptr;
};

}  // namespace velmora::tools
