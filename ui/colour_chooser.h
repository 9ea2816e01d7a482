// SPDX-License-Identifier: GPL-3.0-or-later
// The colour chooser: a text colour and a background colour for one editor.
//
// Colours are six hexadecimal digits BBGGRR, the packed value with red in the
// lowest byte. Each colour is set by three scroll bars (blue, green, red),
// typed into its field and confirmed with Enter, drawn at random, or picked
// from the palette picture after clicking its field. The sample "Prova di
// Colore" shows the pair as it changes. OK keeps the two fields as typed
// for the caller; ANNULLA (or closing the window) empties both.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace velmora::ui {

class ColourChooser : public QDialog {
  Q_OBJECT
 public:
  // The current pair (both non-empty, else both colours are drawn at random).
  ColourChooser(const QString& hexCarattere, const QString& hexSfondo, QWidget* parent = nullptr);

  // After exec(): the chosen pair as typed, or two empty texts when cancelled.
  QString HexCarattere() const { return hexCarattere_; }
  QString HexSfondo() const { return hexSfondo_; }

  static constexpr int kLarghezzaTavolozza = 175;
  static constexpr int kAltezzaTavolozza = 188;

 public slots:
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One of the two colours: its group, field and blue/green/red bars.
  struct Colore {
    QGroupBox* frame = nullptr;
    QLineEdit* testo = nullptr;
    QScrollBar* barre[3] = {nullptr, nullptr, nullptr};
    QPushButton* random = nullptr;
  };

  void createControls();
  void createLayout();
  void createConnections();
  void apriConValori();

  void aggiornaDaBarre(int quale);
  void applicaTesto(int quale);
  void coloreCasuale(int quale);
  void impostaBersaglio(int quale);
  void prelevaDaTavolozza(const QPoint& posizione);
  void conferma();

  QString hexCarattere_;
  QString hexSfondo_;
  bool pronto_ = false;
  int bersaglio_ = 0;  // 0 = text colour, 1 = background colour
  QPoint premuto_;     // where the mouse was pressed on the palette
  Colore colori_[2];
  QLabel* picture1_ = nullptr;
  QLabel* label1_ = nullptr;
  QPushButton* btnOk_ = nullptr;
  QPushButton* btnAnnulla_ = nullptr;
};

}  // namespace velmora::ui
