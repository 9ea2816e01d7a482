// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window "Gestione parametri": colours, font sizes and bold for
// the two editors.
//
// Enter in a field applies it at once; a double click on a colour field opens
// the colour chooser for that editor's pair; the bold boxes apply at once;
// "reset" restores the plain look. The window changes nothing itself: each
// change goes out through Anteprima for the caller to show, and after exec()
// the caller takes Valori() and, when Modificato(), writes the settings file.
#pragma once

#include <QDialog>

#include "settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace velmora::ui {

class SettingsWindow : public QDialog {
  Q_OBJECT
 public:
  explicit SettingsWindow(const Impostazioni& valori, QWidget* parent = nullptr);

  const Impostazioni& Valori() const { return valori_; }
  // A change to save: a field confirmed, a colour chosen, or reset (the bold
  // boxes alone do not count).
  bool Modificato() const { return modificato_; }

  // Text1(0)..Text1(5): BASIC text colour, assembly text colour, BASIC
  // background, assembly background, BASIC font size, assembly font size.
  QLineEdit* Text1(int indice) const { return text1_[indice]; }
  // Check1(0) BASIC bold, Check1(1) assembly bold.
  QCheckBox* Check1(int indice) const { return check1_[indice]; }
  QPushButton* Command1() const { return command1_; }

  // The user's actions, as the controls run them.
  void InvioNelCampo(int indice);
  void DoppioClicColore(int indice);
  void ClicGrassetto();
  void Reset();

 signals:
  // The values changed: the caller puts them on its editors and rows.
  void Anteprima(const Impostazioni& valori);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void createLayout();
  void createConnections();
  void riempi();

  Impostazioni valori_;
  bool modificato_ = false;

  QLineEdit* text1_[6] = {};
  QCheckBox* check1_[2] = {};
  QPushButton* command1_ = nullptr;
};

}  // namespace velmora::ui
