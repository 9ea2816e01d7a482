// SPDX-License-Identifier: GPL-3.0-or-later
// The backup manager: numbered copies of the BASIC source with notes.
//
// Each copy is a file "Velmora" + four digits + ".txt" in the backup folder
// (the work folder), holding the editor text as UTF-8 with CR LF line ends,
// as a saved BASIC file holds it. Errors are OK boxes titled "Backup File
// Basic". Beside the
// copies the archive "ArchivioGenerale.Txt" holds one 50-byte record per copy
// and no header:
//
//   bytes  0..9   date   short date text, space-padded or cut to 10;
//                        "??????????" marks a deleted copy
//   bytes 10..14  time   "hh:mm"
//   bytes 15..45  note   the user's note, space-padded or cut to 31
//   bytes 46..49  number decimal, left-aligned, space-padded
//
// Record texts are Windows-1252, one byte per character; a character the code
// page lacks is stored as "?". Numbers grow by one per copy and are never
// reused while the archive exists; deleting the archive (by hand, or because
// every copy in it was deleted) starts them again at 1. Archive rewrites go
// through a temporary file, so a failed write leaves the previous archive
// whole.
#pragma once

#include <QDialog>
#include <QString>

#include "environment.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace velmora::ui {

class BackupManager : public QDialog {
  Q_OBJECT
 public:
  // `cartellaLavoro` is the work folder the window opens on; `testoBasic` the
  // BASIC editor's text, which "Salva copia" stores. The environment's clock
  // dates the copies.
  BackupManager(const Ambiente& ambiente, const QString& cartellaLavoro, const QString& testoBasic,
                QWidget* parent = nullptr);

  // After exec(): the work folder (a new one once the user confirmed it with
  // Enter), and whether a copy was restored and its text, for the editor.
  QString CartellaLavoro() const { return cartellaLavoro_; }
  bool Ripristinato() const { return ripristinato_; }
  QString TestoRipristinato() const { return testoRipristinato_; }

  static constexpr int kLunghezzaRecord = 50;
  static constexpr int kNumeroMassimo = 9999;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void createControls();
  void createLayout();
  void createConnections();
  void apriCartella();

  QString percorsoArchivio() const;
  QString percorsoCopia(int numero) const;
  void aggiornaLista();
  void nuovaCartella();
  void notaAttivata();
  void selezionaVoce(QListWidgetItem* item);
  void salvaCopia();
  void eliminaBackup();
  void ripristinaBackup();
  void cancellaArchivio();
  void azzeraSelezione();

  const Ambiente& ambiente_;
  QString cartellaLavoro_;
  QString testoBasic_;
  bool ripristinato_ = false;
  QString testoRipristinato_;
  QString cartellaBackup_;  // always ends with "/"
  int numeroRecord_ = 0;
  int numeroMassimo_ = 0;
  int numeroSelezionato_ = 0;

  QLabel* label1_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QListWidget* list1_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  QPushButton* command5_ = nullptr;
};

}  // namespace velmora::ui
