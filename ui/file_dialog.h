// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own file selection dialog, "Selezione file".
//
// The caller proposes a path (or a bare name, or nothing) and shows the dialog
// modally; afterwards FileScelto() is the chosen full path, or the empty text
// when the user cancelled. The dialog never reads or
// writes the chosen file; it only creates it empty when the user confirms a
// name that does not exist yet, and it can delete the file picked in the list.
// Drives are the entries of the environment's drive list; the
// default program folder is "Velmora Programmi" at the root of a drive.
#pragma once

#include <QDialog>
#include <QString>

#include "environment.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace velmora::ui {

class FileDialog : public QDialog {
  Q_OBJECT
 public:
  FileDialog(const Ambiente& ambiente, const QString& fileProposto, const QString& titoloDialogo,
                 QWidget* parent = nullptr);

  // After exec(): the chosen full path; empty when the user cancelled.
  QString FileScelto() const { return fileCorrente_; }

  // The folder the folder list shows, without a trailing "/" (except "/").
  QString CartellaCorrente() const { return cartella_; }
  QString DiscoCorrente() const;
  bool CancellaVisibile() const;
  QString Percorso() const;  // the path field
  QStringList FileElencati() const;
  QStringList CartelleElencate() const;

  // The user's actions, as the controls run them.
  void ImpostaPercorso(const QString& testo);
  void Ok();
  void Annulla();
  void Cancella();
  void SelezionaFile(const QString& nome);
  void SelezionaCartella(const QString& percorso);  // a click on a folder entry
  void ApriCartella(const QString& percorso);       // a double click: enter it
  void SelezionaDisco(int indice);

 public slots:
  void reject() override;

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void createControls();
  void createLayout();
  void createConnections();
  void apri();

  // Points the lists at `cartella` (or its nearest existing parent); false,
  // with the system's reason shown, when it cannot be read.
  bool impostaCartella(const QString& cartella);
  void aggiornaElenchi();
  void aggiornaFile(const QString& cartella);
  void selezionaDiscoPer(const QString& percorso);
  bool convalida();

  const Ambiente& ambiente_;
  QString fileCorrente_;
  QString titoloDialogo_;
  QString cartella_;
  QString cartellaFile_;  // the folder the file list shows
  bool aggiornando_ = false;

  QLabel* labelTitolo_ = nullptr;
  QComboBox* drive1_ = nullptr;
  QListWidget* dir1_ = nullptr;
  QListWidget* file1_ = nullptr;
  QLineEdit* fileTesto_ = nullptr;
  QPushButton* btnOk_ = nullptr;
  QPushButton* btnAnnulla_ = nullptr;
  QPushButton* deleteFile_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
};

// Shows the dialog with `titoloDialogo` over `parent`, proposing
// `fileProposto`; returns the chosen path, empty when the user cancelled.
QString ScegliFile(const Ambiente& ambiente, const QString& fileProposto, const QString& titoloDialogo,
                   QWidget* parent);

}  // namespace velmora::ui
