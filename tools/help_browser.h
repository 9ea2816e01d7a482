// SPDX-License-Identifier: GPL-3.0-or-later
// The help browser: the list of help entries on the left, the page of the
// selected entry on the right.
//
// Modeless beside the main window. A click on the window background or on the
// "Velmora Help" caption closes it, and so does the main window's closing. A
// double click on the page exports the pages of every entry to "TMP-HELP.TXT"
// in the work folder; a double click on the last entry opens the guide; the
// entry "WAIT (Utility)" opens the WAIT calculator, which belongs to the help
// browser's parent (the main window), so it stays open when the help closes.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "environment.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace velmora::tools {

class PackagePicture;
class WaitCalculator;

class HelpBrowser : public QWidget {
  Q_OBJECT
 public:
  HelpBrowser(const ui::Ambiente& ambiente, const QString& dataVersione, const QString& cartellaLavoro,
              QWidget* parent = nullptr);

  // Shows the page of list row `riga` exactly as a click on it does.
  void SelezionaVoce(int riga);
  // The export of the double click on the page (asks first); returns true when written.
  bool EsportaHelp();
  // The path the export writes.
  QString PercorsoEsportazione() const;

  // The page shown, lines ended by CR LF.
  QString TestoPagina() const { return pagina_; }
  bool PackageVisibile() const;
  // The WAIT calculator this window opened, while it is open.
  WaitCalculator* CalcolatoreWait() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void createControls();
  void createLayout();
  void connectSignals();
  void MostraTesto(const QString& testo);
  void ApriCalcolatoreWait();
  void ApriGuida();

  QString dataVersione_;
  QString cartellaLavoro_;
  const ui::Ambiente& ambiente_;
  QString pagina_;

  QListWidget* list1_ = nullptr;
  QPlainTextEdit* text1_ = nullptr;
  PackagePicture* picture1_ = nullptr;
  QLabel* label1_ = nullptr;
  QPointer<WaitCalculator> calcolatoreWait_;
};

}  // namespace velmora::tools
