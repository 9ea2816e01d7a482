// SPDX-License-Identifier: GPL-3.0-or-later
// The guide: one long text that walks through the chip, the aims of the
// program and the whole dialect, section by section.
//
// Modal. A click on the window background closes it; a double click on the
// text offers to print it or to save it to a file.
#pragma once

#include <QDialog>
#include <QString>

#include "environment.h"

class QPlainTextEdit;

namespace velmora::tools {

// The guide's text, lines ended by CR LF; `dataVersione` fills the version line.
QString TestoGuida(const QString& dataVersione);

class GuideWindow : public QDialog {
  Q_OBJECT
 public:
  // `cartellaLavoro` is where the save proposes "Velmora_Help.txt".
  GuideWindow(const ui::Ambiente& ambiente, const QString& dataVersione, const QString& cartellaLavoro,
              QWidget* parent = nullptr);

  // The double click on the text: print, or else save to a file (asks first).
  void StampaOSalva();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void createControls();
  void createLayout();

  const ui::Ambiente& ambiente_;
  QString cartellaLavoro_;
  QString testo_;
  QPlainTextEdit* text1_ = nullptr;
};

}  // namespace velmora::tools
